// MemoryTest.cpp - Memory and Memory 2: their rows in the shared suites,
// the deal of pairs, turning cards, the one-second look that holds input
// and undo while the table keeps drawing, pairs that leave or turn back,
// the score, and the last pair to the win.
#include <string>

#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/GenRecord.h"
#include "Game/GenScores.h"
#include "Game/GenUndo.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Memory.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameMemory, .deckSize = 104, .dealt = 26, .tableaus = 26, .reserves = 1,
     .rules = "pick t8 / drop t0", .slots = "0 3 4", .faces = "T: d*26", .deepest = "T: u; R: u52", .insideFrame = true},
    {.game = kGameMemory2, .deckSize = 104, .dealt = 52, .speed = 1.5f, .tableaus = 52,
     .reserves = 1, .rules = "pick t8 / drop t0", .slots = "0 3 4", .faces = "T: d*52",
     .deepest = "T: u; R: u104", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Memory, kRows);

class MemoryTest : public VariantTest {};

// The dealt cards are pairs: n / 2 kinds, each exactly twice.
TEST_F(MemoryTest, TheDealLaysOutPairs) {
  for (int game : {kGameMemory, kGameMemory2}) {
    for (unsigned deal : {1u, 2u, 99u}) {
      SCOPED_TRACE(std::string(GenGameTable[game].name) + " " + std::to_string(deal));
      VariantDeal(game, deal);
      const Gen& g = g_GenLive;
      int counts[4][14] = {};
      for (int t = 0; t < g.numTableaus; ++t) {
        ASSERT_EQ(g.tableaus[t].numCards, 1);
        ++counts[g.tableaus[t].cards[0].suit][g.tableaus[t].cards[0].rank];
      }
      int kinds = 0;
      for (int s = 0; s < 4; ++s) {
        for (int r = 1; r <= 13; ++r) {
          if (counts[s][r] == 0) continue;
          ++kinds;
          EXPECT_EQ(counts[s][r], 2) << s << " " << r;
        }
      }
      EXPECT_EQ(kinds, g.numTableaus / 2);
    }
  }
}

// The place holds its one card face up (not in the air).
bool ShowsFaceUp(int place) {
  const CardGroup& pile = g_GenLive.tableaus[place];
  return pile.numCards == 1 && pile.cards[0].faceUp;
}

// Two cards that differ stay on view for the look (input and undo wait,
// nothing moves), then both turn face down; a third click meanwhile does
// nothing.
TEST_F(MemoryTest, CardsThatDifferTurnBackAfterALook) {
  EngProgramSetFrameTimeForTests(0.1f);
  ASSERT_TRUE(VariantTable(kGameMemory, "T0: 5h; T1: 9c; T2: 3d; R0: "));
  FixtureClick(GenTableauCode(1), 0, 0);
  VariantSettle();
  EXPECT_EQ(FixturePile(GenTableauCode(1)), "5h*");
  FixtureClick(GenTableauCode(2), 0, 0);
  for (int f = 0; f < 200 && !ShowsFaceUp(1); ++f) AnimTick();
  ASSERT_TRUE(ShowsFaceUp(0) && ShowsFaceUp(1));
  // Half a second into the look: both on view, and it counts as a move.
  for (int f = 0; f < 5; ++f) AnimTick();
  EXPECT_TRUE(ShowsFaceUp(0) && ShowsFaceUp(1));
  EXPECT_TRUE(AnimIsAnimating());
  FixtureClick(GenTableauCode(3), 0, 0);
  EXPECT_EQ(FixturePile(GenTableauCode(3)), "3d") << "no click during the look";
  EXPECT_FALSE(GenUndo());
  VariantSettle();
  EXPECT_EQ(FixturePile(GenTableauCode(1)), "5h");
  EXPECT_EQ(FixturePile(GenTableauCode(2)), "9c");
  EXPECT_EQ(g_GenLive.reserves[0].numCards, 0);
  // With two cards up, a third press turns nothing.
  ASSERT_TRUE(VariantTable(kGameMemory, "T0: 5h*; T1: 9c*; T2: 3d"));
  FixtureClick(GenTableauCode(3), 0, 0);
  EXPECT_FALSE(AnimIsAnimating());
  EXPECT_EQ(FixturePile(GenTableauCode(3)), "3d");
}

// A matching pair leaves the table for reserve pile 1; the score counts 50
// a card.
TEST_F(MemoryTest, AMatchingPairLeavesTheTable) {
  ASSERT_TRUE(VariantTable(kGameMemory2, "T0: 5h; T1: 9c; T5: 5h; R0: Kc* Kc*"));
  FixtureClick(GenTableauCode(1), 0, 0);
  VariantSettle();
  FixtureClick(GenTableauCode(6), 0, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.tableaus[0].numCards, 0);
  EXPECT_EQ(g_GenLive.tableaus[5].numCards, 0);
  EXPECT_EQ(FixturePile(GenTableauCode(2)), "9c");
  EXPECT_EQ(g_GenLive.reserves[0].numCards, 4);
  EXPECT_EQ(PairGamesGetScore(), 200);
  EXPECT_FALSE(g_GenLive.gameOver);
}

// The last pair found wins, once.
TEST_F(MemoryTest, NearWonPositionEndsInOneWin) {
  ASSERT_TRUE(VariantTable(kGameMemory, "T3: Qd; T20: Qd"));
  FixtureClick(GenTableauCode(4), 0, 0);
  VariantSettle();
  FixtureClick(GenTableauCode(21), 0, 0);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(GenTableauCode(1), -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
