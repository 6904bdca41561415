// BaronessTest.cpp - Baroness: its row in the shared suites, pairs adding
// up to 13 and kings alone, the stock's five and its last two cards making
// piles 6 and 7 (clear of piles 1 and 2, resumed from a saved game), and
// the last pair to the win.
#include <string>

#include "Game/CardsSettings.h"
#include "Game/GenGame.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenScores.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Baroness.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameBaroness, .dealt = 5, .faceMode = 1, .tableaus = 5, .reserves = 1,
     .rules = "pick t8 r16 / drop t21 r16", .slots = "0 3 4 7", .deckInUse = true,
     .faces = "T: u*5; D: d47", .deepest = "T: u10; R: u52", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Baroness, kRows);

class BaronessTest : public VariantTest {};

// Two top cards adding up to 13 leave together; a king leaves alone when
// lifted; anything else goes back.
TEST_F(BaronessTest, PairsAndKingsLeaveTheTable) {
  struct PairCase {
    const char* piles;
    int from, to;  // pile numbers; to 0 for a click
    int removed;
  };
  const PairCase cases[] = {
      {"T0: 3c* 9h*; T1: 4d*", 1, 2, 2},  {"T0: 3c* 8h*; T1: 4d*", 1, 2, 0},
      {"T0: 3c* Qh*; T1: Ad*", 2, 1, 2},  {"T0: 3c* Kh*", 1, 0, 1},
      {"T0: Kh* 3c*; T1: Td*", 1, 2, 2},  {"T0: 6c*; T4: 7h*", 5, 1, 2},
  };
  for (const PairCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(kGameBaroness, c.piles));
    const int from = GenTableauCode(c.from);
    const int top = GenGetGroup(g_GenLive, from)->numCards - 1;
    if (c.to == 0) {
      FixtureClick(from, top, 0);
    } else {
      FixtureDrag(from, top, GenTableauCode(c.to));
    }
    VariantSettle();
    EXPECT_EQ(g_GenLive.reserves[0].numCards, c.removed);
    EXPECT_EQ(PairGamesGetScore(), 50 * c.removed);
  }
}

// With seven cards in the stock a click deals five; the last two then make
// piles 6 and 7 under piles 1 and 2, clear of them however deep they are;
// the empty stock deals nothing. The game resumes with its seven piles.
TEST_F(BaronessTest, TheLastTwoCardsMakeTwoMorePiles) {
  FixtureUsePlayer("Tester");
  ASSERT_TRUE(VariantTable(kGameBaroness, "T0: 5c*; D: 2h 2s 2d 2c 6h 6s 6d"));
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  const Gen& g = g_GenLive;
  ASSERT_EQ(g.numTableaus, 7);
  EXPECT_EQ(g.deck.numCards, 0);
  EXPECT_EQ(FixturePile(GenTableauCode(1)), "5c* 6d*");
  EXPECT_EQ(FixturePile(GenTableauCode(6)), "2s*");
  EXPECT_EQ(FixturePile(GenTableauCode(7)), "2h*");
  // Six cards or fewer in the stock: a click deals nothing.
  ASSERT_TRUE(VariantTable(kGameBaroness, "T0: 3c*; D: 2h 2s 2d 2c 6h 6s"));
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g.deck.numCards, 6);

  // A real deal through its stock: piles 1 and 2 hold ten cards each and
  // stay clear of piles 6 and 7; the game saved then resumes with seven.
  VariantDeal(kGameBaroness, 6);
  while (g.deck.numCards > 0) {
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    ASSERT_TRUE(g.deck.numCards == 0 || g.deck.numCards >= 2);
  }
  ASSERT_EQ(g.numTableaus, 7);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const CardGroup& column = g.tableaus[i];
    const CardGroup& below = g.tableaus[5 + i];
    EXPECT_EQ(column.numCards, 10);
    EXPECT_FLOAT_EQ(below.pos[0], column.pos[0]);
    const float columnBottom = column.pos[1] + column.cards[column.numCards - 1].pos[1] -
                               CardsGetCardHeight() / 2;
    EXPECT_GE(columnBottom, below.pos[1] + CardsGetCardHeight() / 2 - 0.01f)
        << "pile " << i + 1 << " reaches into pile " << i + 6;
  }
  const std::string table = FixtureDescribeGame();
  ASSERT_TRUE(GenSaveCurrentGame());
  VariantDeal(kGameBaroness, 4);
  ASSERT_TRUE(GenResumeSavedGameIfAny());
  EXPECT_EQ(g.numTableaus, 7);
  EXPECT_EQ(FixtureDescribeGame(), table);
}

// The last pair leaves: every card on reserve pile 1 wins, once.
TEST_F(BaronessTest, NearWonPositionEndsInOneWin) {
  const char* ranks = "A23456789TJQK";
  const char* suits = "hsdc";
  std::string removed = "R0:";
  for (int s = 0; s < 4; ++s) {
    for (int r = 0; r < 13; ++r) {
      if ((s == 0 && r == 3) || (s == 2 && r == 8)) continue;  // the 4 of hearts, the 9 of diamonds
      removed += std::string(" ") + ranks[r] + suits[s] + "*";
    }
  }
  ASSERT_TRUE(VariantTable(kGameBaroness, removed + "; T1: 4h*; T3: 9d*"));
  FixtureDrag(GenTableauCode(2), 0, GenTableauCode(4));
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
