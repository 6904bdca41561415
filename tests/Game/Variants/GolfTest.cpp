// GolfTest.cpp - Golf: its row in the shared suites, which cards one left
// click plays onto the foundation, the stock, and the win by the
// foundation's count.
#include <string>

#include "tests/Support/GameImportsStandIn.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/Variants/Golf.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameGolf, .dealt = 36, .faceMode = 1, .foundations = 1, .tableaus = 7,
     .rules = "pick t8 / drop f7", .slots = "0 1 3 4", .deckInUse = true,
     .faces = "T: u5*7; F: u; D: d16", .deepest = "T: u5; F: u52", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Golf, kRows);

class GolfTest : public VariantTest {};

// One left click on a column's top card plays it when it is one rank above
// or below the foundation's top card, in any suit; the king and the ace do
// not wrap.
TEST_F(GolfTest, OneClickPlaysACardOneRankAway) {
  struct PlayCase {
    const char* foundation;
    const char* column;
    bool plays;
  };
  const PlayCase cases[] = {
      {"7h*", "8c*", true}, {"7h*", "6s*", true}, {"7h*", "9h*", false}, {"7h*", "7d*", false},
      {"Kh*", "Qd*", true}, {"Kh*", "Ac*", false}, {"Ah*", "Kc*", false}, {"Ah*", "2d*", true},
  };
  for (const PlayCase& c : cases) {
    SCOPED_TRACE(std::string(c.foundation) + " <- " + c.column);
    ASSERT_TRUE(VariantTable(kGameGolf, std::string("F0: ") + c.foundation + "; T2: 5d* " + c.column));
    FixtureClick(kWhereTableau + 2, 1, 0);
    VariantSettle();
    EXPECT_EQ(g_GenLive.foundations[0].numCards, c.plays ? 2 : 1);
    EXPECT_EQ(g_GenLive.tableaus[2].numCards, c.plays ? 1 : 2);
    EXPECT_EQ(g_GenLive.selection.numCards, 0);
  }
  // Only the top card of a column plays.
  ASSERT_TRUE(VariantTable(kGameGolf, "F0: 7h*; T2: 8d* Kc*"));
  FixtureClick(kWhereTableau + 2, 0, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 1);
}

// A click on the stock turns its top card onto the foundation whatever its
// rank; an empty stock does nothing.
TEST_F(GolfTest, TheStockTurnsOntoTheFoundation) {
  ASSERT_TRUE(VariantTable(kGameGolf, "F0: 7h*; T0: 9c*; D: Kd 2s"));
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  ASSERT_EQ(g_GenLive.foundations[0].numCards, 2);
  EXPECT_EQ(FixtureCardText(g_GenLive.foundations[0].cards[1]), "2s*");
  FixtureClick(kWhereDeck, -1, 0);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 3);
  EXPECT_EQ(g_GenLive.deck.numCards, 0);
  EXPECT_FALSE(g_GenLive.gameOver);
}

// The last card onto the foundation wins, once.
TEST_F(GolfTest, NearWonPositionEndsInOneWin) {
  const char* ranks = "A23456789TJQK";
  const char* suits = "hsdc";
  // Build the foundation from the 51 other cards: every card but the king
  // of clubs, the queen of diamonds on top.
  std::string pile = "F0:";
  for (int s = 0; s < 4; ++s) {
    for (int r = 0; r < 13; ++r) {
      if ((s == 3 && r == 12) || (s == 2 && r == 11)) continue;
      pile += std::string(" ") + ranks[r] + suits[s] + "*";
    }
  }
  ASSERT_TRUE(VariantTable(kGameGolf, pile + " Qd*; T4: Kc*"));
  ASSERT_EQ(g_GenLive.foundations[0].numCards, 51);
  FixtureClick(kWhereTableau + 4, 0, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 52);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
