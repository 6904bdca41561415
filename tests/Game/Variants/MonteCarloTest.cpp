// MonteCarloTest.cpp - Monte Carlo: its row in the shared suites, which
// places touch, which pairs leave the table (dragged or by a right click),
// the stock's closing up and refilling, the score and a position played to
// the win.
#include <string>

#include "Engine/EngProgram.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenScores.h"
#include "Game/GenVariant.h"
#include "Game/Variants/MonteCarlo.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameMonteCarlo, .dealt = 25, .faceMode = 1, .tableaus = 25, .reserves = 1,
     .rules = "pick t8 / drop t0", .slots = "0 3 4 8", .deckMarker = 1, .redealCounter = 1, .deckInUse = true,
     .faces = "T: u*25; D: d27", .deepest = "T: u; R: u52", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(MonteCarlo, kRows);

class MonteCarloTest : public VariantTest {};

// Places 0-24 row by row: across, up or down and diagonally touch; the
// rows do not wrap.
TEST_F(MonteCarloTest, PlacesTouchAcrossUpDownAndDiagonally) {
  struct TouchCase {
    int a, b;
    bool touch;
  };
  const TouchCase cases[] = {{0, 1, true},  {0, 5, true},   {0, 6, true},   {6, 0, true},
                             {6, 12, true}, {4, 5, false},  {9, 10, false}, {19, 20, false},
                             {0, 2, false}, {0, 10, false}, {3, 9, true},   {24, 18, true},
                             {7, 7, false}, {24, 25, false}};
  for (const TouchCase& c : cases) {
    EXPECT_EQ(MonteCarloAreNeighbours(c.a, c.b), c.touch) << c.a << " " << c.b;
  }
}

// A card dropped on a touching place of the same rank leaves the table with
// it; any other drop puts it back.
TEST_F(MonteCarloTest, TouchingPairsOfARankLeaveTheTable) {
  struct PairCase {
    int from, to;
    const char* card;
    bool pairs;
  };
  const PairCase cases[] = {
      {0, 1, "5c*", true},  {0, 6, "5c*", true},  {0, 2, "5c*", false}, {4, 5, "5c*", false},
      {0, 1, "6c*", false}, {12, 18, "5c*", true},
  };
  for (const PairCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to) + " " + c.card);
    ASSERT_TRUE(VariantTable(kGameMonteCarlo, "T" + std::to_string(c.from) + ": " + c.card + "; T" +
                                                  std::to_string(c.to) + ": 5h*; T3: Kd*"));
    FixtureDrag(GenTableauCode(c.from + 1), 0, GenTableauCode(c.to + 1));
    VariantSettle();
    const Gen& g = g_GenLive;
    EXPECT_EQ(g.reserves[0].numCards, c.pairs ? 2 : 0);
    EXPECT_EQ(g.tableaus[c.from].numCards, c.pairs ? 0 : 1);
    EXPECT_EQ(g.tableaus[c.to].numCards, c.pairs ? 0 : 1);
    EXPECT_EQ(PairGamesGetScore(), c.pairs ? 100 : 0);
  }
}

// A right click (the quick move) takes a card's pair off the table with it:
// the first touching place of its rank; a card without one stays.
TEST_F(MonteCarloTest, ARightClickTakesAPairOff) {
  struct QuickCase {
    const char* piles;
    int removed;   // cards on reserve pile 1 afterwards
    int partner;   // the place left empty with the clicked one, -1 for none
  };
  const QuickCase cases[] = {
      {"T0: 5c*; T1: 5h*; T6: 5d*", 2, 1},
      {"T0: 5c*; T6: 5d*", 2, 6},
      {"T0: 5c*; T2: 5h*; T1: 6d*", 0, -1},
  };
  for (const QuickCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(kGameMonteCarlo, c.piles));
    FixtureClick(GenTableauCode(1), 0, 1);
    VariantSettle();
    const Gen& g = g_GenLive;
    EXPECT_EQ(g.reserves[0].numCards, c.removed);
    EXPECT_EQ(g.tableaus[0].numCards, c.removed > 0 ? 0 : 1);
    if (c.partner >= 0) {
      EXPECT_EQ(g.tableaus[c.partner].numCards, 0);
    }
  }
}

// A click on the stock closes the gaps keeping the cards' order, then fills
// the places left from the stock while it lasts.
TEST_F(MonteCarloTest, TheStockClosesUpAndRefills) {
  ASSERT_TRUE(VariantTable(kGameMonteCarlo, "T0: 5h*; T2: 7c*; T4: Kd*; T9: 2h*; D: 2s 3s"));
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  const char* expected[] = {"5h*", "7c*", "Kd*", "2h*", "3s*", "2s*", ""};
  for (int p = 0; p < 7; ++p) EXPECT_EQ(FixturePile(GenTableauCode(p + 1)), expected[p]) << p;
  EXPECT_EQ(g_GenLive.deck.numCards, 0);
  EXPECT_EQ(GenGetRedealCounter(), 0) << "the stock has nothing more to give";
  EXPECT_EQ(g_GenLive.emptySpacePicture, 2);
  EXPECT_EQ(FixtureCountAllCards(), 6);
}

// The last pair leaves the table: every card removed wins, once.
TEST_F(MonteCarloTest, NearWonPositionEndsInOneWin) {
  const char* ranks = "A23456789TJQK";
  const char* suits = "hsdc";
  std::string removed = "R0:";
  for (int s = 0; s < 4; ++s) {
    for (int r = 0; r < 13; ++r) {
      if (r == 8 && (s == 0 || s == 1)) continue;  // the nines of hearts and spades
      removed += std::string(" ") + ranks[r] + suits[s] + "*";
    }
  }
  ASSERT_TRUE(VariantTable(kGameMonteCarlo, removed + "; T7: 9h*; T13: 9s*"));
  FixtureDrag(GenTableauCode(8), 0, GenTableauCode(14));
  VariantSettle();
  EXPECT_EQ(g_GenLive.reserves[0].numCards, 52);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
