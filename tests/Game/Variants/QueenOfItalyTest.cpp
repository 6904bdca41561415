// QueenOfItalyTest.cpp - Queen of Italy and Blondes and Brunettes: their
// rows in the shared suites, the choice of the base card, the base set by
// the deal, spaces filled by the autoplay, the reserve, and positions played
// to the win once the stock and the waste are used up.
#include <string>

#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenVariant.h"
#include "Game/UserOptions.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const VariantRow kRows[] = {
    {.game = kGameQueenOfItaly, .deckSize = 104, .dealt = 20, .faceMode = 1, .foundations = 8,
     .tableaus = 9, .reserves = 1, .rules = "pick t8 r8 / drop f12 t1 r16 w16 / space t19",
     .slots = "0 2 3 4 8", .deckInUse = true, .wasteInUse = true,
     .faces = "T: u*9; R: u11; D: d84", .deepest = "T: u20; R: u11; W: u84; F: u13",
     .insideFrame = true},
    {.game = kGameBlondesAndBrunettes, .deckSize = 104, .dealt = 15, .faceMode = 1,
     .foundations = 8, .tableaus = 9, .reserves = 1,
     .rules = "pick t8 r8 / drop f12 t1 r16 w16 / space t19", .slots = "0 2 3 4",
     .deckInUse = true, .wasteInUse = true, .faces = "T: u*9; R: u10; F: u 0*7; D: d84",
     .deepest = "T: u20; R: u10; W: u84; F: u13", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(QueenOfItaly, kRows);

class QueenOfItalyTest : public VariantTest {};

// After the deal the player chooses the base card from piles 1 to 4: it goes
// to foundation 1, sets the base rank, and its pile is dealt a new card.
// Other piles, and quick moves, do not choose.
TEST_F(QueenOfItalyTest, ThePlayerChoosesTheBaseFromPilesOneToFour) {
  VariantDeal(kGameQueenOfItaly, 17);
  Gen& g = g_GenLive;
  ASSERT_EQ(GenGetRedealCounter(), 0);
  const std::string dealt = FixtureDescribeGame();
  FixtureClick(kWhereTableau + 4, 0, 0);
  FixtureClick(kWhereTableau + 1, 0, 1);
  VariantSettle();
  EXPECT_EQ(FixtureDescribeGame(), dealt) << "pile 5 or a quick move chose";
  const Card chosen = g.tableaus[1].cards[0];
  const int stock = g.deck.numCards;
  FixtureClick(kWhereTableau + 1, 0, 0);
  VariantSettle();
  EXPECT_EQ(GenGetRedealCounter(), 2);
  ASSERT_EQ(g.foundations[0].numCards, 1);
  EXPECT_EQ(FixtureCardText(g.foundations[0].cards[0]), FixtureCardText(chosen));
  EXPECT_EQ(g.lowestRank, chosen.rank);
  EXPECT_EQ(g.tableaus[1].numCards, 1) << "the space is dealt a card";
  EXPECT_EQ(g.deck.numCards, stock - 1);
}

// Blondes and Brunettes takes its base from the card the deal put on
// foundation 1, and the autoplay fills the empty piles from the stock.
TEST_F(QueenOfItalyTest, BlondesAndBrunettesBaseComesFromTheDeal) {
  for (unsigned deal : {2u, 3u}) {
    VariantDeal(kGameBlondesAndBrunettes, deal);
    const Gen& g = g_GenLive;
    EXPECT_EQ(GenGetRedealCounter(), 2);
    EXPECT_EQ(g.lowestRank, g.foundations[0].cards[0].rank);
    for (int t = 0; t < 9; ++t) EXPECT_EQ(g.tableaus[t].numCards, 1) << "pile " << t;
  }
}

// Spaces are filled from the waste first in Queen of Italy and from the
// stock first in Blondes and Brunettes; the reserve's card may go onto a pile
// only in Blondes and Brunettes.
TEST_F(QueenOfItalyTest, SpacesFillFromWasteOrStockAndTheReserve) {
  struct FillCase {
    int game;
    const char* filled;
    bool reserveToPile;
  };
  const FillCase cases[] = {{kGameQueenOfItaly, "4d*", false},
                            {kGameBlondesAndBrunettes, "9s*", true}};
  for (const FillCase& c : cases) {
    SCOPED_TRACE(GenGameTable[c.game].name);
    ASSERT_TRUE(VariantTable(c.game, "F0: 5h*; T0: 6s*; T1: 7c*; R0: 6h*; W: 4d*; D: 2c 9s"));
    g_GenLive.numTableaus = 2;
    GenSetLowestRank(5);
    GenSetRedealCounter(2);
    FixtureDrag(kWhereTableau, 0, kWhereFoundation);
    VariantSettle();
    EXPECT_EQ(FixturePile(kWhereTableau), c.filled);
    FixtureDrag(kWhereReserve, 0, kWhereTableau + 1);
    EXPECT_EQ(g_GenLive.reserves[0].numCards, c.reserveToPile ? 0 : 1);
  }
}

// Queen of Italy's drop veto keeps the reserve's card off the piles in a
// trial (the candidates, the quick move) as in a drop; the same card from
// elsewhere may go there.
TEST_F(QueenOfItalyTest, TheVetoKeepsTheReserveCardOffThePiles) {
  ASSERT_TRUE(VariantTable(kGameQueenOfItaly, "T0: 9h*; S: 8c*"));
  GenSetRedealCounter(2);
  g_GenLive.selectionSource = kWhereReserve;
  GenSetCurrentHit(kWhereTableau, 0);
  EXPECT_FALSE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
  g_GenLive.selectionSource = kWhereTableau + 1;
  EXPECT_TRUE(GenStdSelectionDrop(0, 0, kWhereTableau, 1, 1));
}

// With the stock and the waste used up the autoplay leaves the spaces empty
// and tests the win: the game is won, once.
TEST_F(QueenOfItalyTest, WonWithTheStockAndWasteUsedUp) {
  const char* ranks = "A23456789TJQK";
  for (int game : {kGameQueenOfItaly, kGameBlondesAndBrunettes}) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    g_UserOptions.autoplayMode[game] = 0;
    std::string piles;
    for (int f = 0; f < 8; ++f) {
      // Alternating colours up from the ace: hearts with spades, diamonds
      // with clubs.
      const char red = f % 2 == 0 ? 'h' : 'd', black = f % 2 == 0 ? 's' : 'c';
      piles += "F" + std::to_string(f) + ":";
      for (int r = 0; r < (f == 7 ? 12 : 13); ++r) {
        piles += std::string(" ") + ranks[r] + (r % 2 == 0 ? red : black) + "*";
      }
      piles += "; ";
    }
    piles += "T4: Kd*";
    ASSERT_TRUE(VariantTable(game, piles));
    GenSetRedealCounter(2);
    FixtureDrag(kWhereTableau + 4, 0, kWhereFoundation + 7);
    VariantSettle();
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

}  // namespace
