// BlackHoleTest.cpp - Black Hole: its row in the shared suites, the ace of
// spades in the hole whatever the deal, which cards one click plays, and
// the win that the standard autoplay step detects.
#include <string>

#include "tests/Support/GameImportsStandIn.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/Variants/BlackHole.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameBlackHole, .dealt = 52, .faceMode = 1, .speed = 1.5f, .foundations = 1,
     .fans = 17, .rules = "pick n8 / drop f7", .slots = "0 3 4",
     .faces = "F: u; N: u3*17", .deepest = "N: u3; F: u52", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(BlackHole, kRows);

class BlackHoleTest : public VariantTest {};

// Whatever the deal, the hole starts with the ace of spades and the other
// 51 cards lie three to a fan in deal order.
TEST_F(BlackHoleTest, TheHoleStartsWithTheAceOfSpades) {
  for (unsigned deal : {3u, 8u, 1234u}) {
    SCOPED_TRACE(deal);
    VariantDeal(kGameBlackHole, deal);
    const Gen& g = g_GenLive;
    ASSERT_EQ(g.foundations[0].numCards, 1);
    EXPECT_EQ(FixtureCardText(g.foundations[0].cards[0]), "As*");
    for (int f = 0; f < 17; ++f) EXPECT_EQ(g.fans[f].numCards, 3) << "fan " << f;
  }
}

// One click on a fan's top card plays it into the hole when it is a rank
// above or below the hole's top card; cards under it stay.
TEST_F(BlackHoleTest, OneClickPlaysAFansTopCard) {
  struct PlayCase {
    const char* hole;
    const char* fan;
    int index;
    bool plays;
  };
  const PlayCase cases[] = {
      {"As*", "9d* 4c* 2h*", 2, true},  {"As*", "9d* 4c* 3h*", 2, false},
      {"8s*", "9d* 4c* 7h*", 2, true},  {"8s*", "9d* 4c* 7h*", 0, false},
      {"Ks*", "9d* Qc*", 1, true},      {"Ks*", "9d* Ac*", 1, false},
  };
  for (const PlayCase& c : cases) {
    SCOPED_TRACE(std::string(c.hole) + " <- " + c.fan);
    ASSERT_TRUE(VariantTable(kGameBlackHole, std::string("F0: ") + c.hole + "; N5: " + c.fan));
    const int before = g_GenLive.fans[5].numCards;
    FixtureClick(kWhereFan + 5, c.index, 0);
    VariantSettle();
    EXPECT_EQ(g_GenLive.foundations[0].numCards, c.plays ? 2 : 1);
    EXPECT_EQ(g_GenLive.fans[5].numCards, c.plays ? before - 1 : before);
  }
}

// The last card into the hole wins, once: the autoplay slot keeps the
// standard step, whose full-foundation test ends the game.
TEST_F(BlackHoleTest, NearWonPositionEndsInOneWin) {
  const char* ranks = "A23456789TJQK";
  const char* suits = "hsdc";
  // Every card but the five of hearts in the hole, the six of clubs on top.
  std::string hole = "F0:";
  for (int s = 0; s < 4; ++s) {
    for (int r = 0; r < 13; ++r) {
      if ((s == 0 && r == 4) || (s == 3 && r == 5)) continue;
      hole += std::string(" ") + ranks[r] + suits[s] + "*";
    }
  }
  ASSERT_TRUE(VariantTable(kGameBlackHole, hole + " 6c*; N16: 5h*"));
  ASSERT_EQ(g_GenLive.foundations[0].numCards, 51);
  FixtureClick(kWhereFan + 16, 0, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 52);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereFoundation, 51, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
