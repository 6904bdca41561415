// GrandfathersClockTest.cpp - Grandfather's Clock: its row in the shared
// suites, the clock's start cards wherever they lie, foundations that end at
// their hour, and a position played to the win.
#include "Game/CardsAnim.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "Game/Variants/GrandfathersClock.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameGrandfathersClock, .faceMode = 1, .speed = 1.2f, .foundations = 12,
     .tableaus = 8, .rules = "pick t8 / drop f10 t6 / space t0", .slots = "0 3 4",
     .faces = "T: u5*8; F: u*12", .deepest = "T: u18", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(GrandfathersClock, kRows);

class GrandfathersClockTest : public VariantTest {};

// Foundation 1 gets the 9 of hearts, 2 the 10 of spades, ... wherever the
// cards lie in the deck; the deal turns rank wrap and foundations-first on.
TEST_F(GrandfathersClockTest, TheClockGetsItsStartCardsWhereverTheyLie) {
  const char* starts[12] = {"9h*", "Ts*", "Jd*", "Qc*", "Kh*", "2s*",
                            "3d*", "4c*", "5h*", "6s*", "7d*", "8c*"};
  for (unsigned deal : {1u, 2u, 3u, 41u}) {
    VariantDeal(kGameGrandfathersClock, deal);
    for (int f = 0; f < 12; ++f) EXPECT_EQ(FixturePile(kWhereFoundation + f), starts[f]) << "deal " << deal;
    EXPECT_EQ(g_GenLive.rankWrap, 1);
    EXPECT_EQ(g_GenLive.foundationsFirst, 1);
  }
}

// Foundation n ends at hour n - 1 (foundation 1 at twelve): the sizes are
// the cards from the start card round to the hour, 52 in all.
TEST_F(GrandfathersClockTest, FoundationsHoldTheirStartToTheirHour) {
  const int sizes[12] = {4, 5, 5, 5, 5, 4, 4, 4, 4, 4, 4, 4};
  int total = 0;
  GenSetCurGame(kGameGrandfathersClock);
  ASSERT_TRUE(GenInit());
  for (int f = 1; f <= 12; ++f) {
    EXPECT_EQ(GrandfathersClockFoundationSize(f), sizes[f - 1]) << f;
    EXPECT_EQ(g_GenLive.foundations[f - 1].maxCards, sizes[f - 1]);
    total += sizes[f - 1];
  }
  EXPECT_EQ(total, 52);
}

// A full foundation takes no further card of its suit, neither by a drop
// nor by autoplay: the king of hearts goes to foundation 5 past the full
// foundation 1.
TEST_F(GrandfathersClockTest, AFullFoundationTakesNoMore) {
  ASSERT_TRUE(VariantTable(kGameGrandfathersClock, "F0: 9h* Th* Jh* Qh*; F4: ; T0: Kh*"));
  g_GenLive.rankWrap = 1;
  VariantMove(kWhereTableau, -1, kWhereFoundation);
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 4);
  g_UserOptions.autoplayMode[kGameGrandfathersClock] = 3;
  ASSERT_TRUE(VariantTable(kGameGrandfathersClock, "F0: 9h* Th* Jh* Qh*; F4: 5h* 6h*; T0: 2c* Kh*"));
  g_GenLive.rankWrap = 1;
  GenStdAutoplay(0, 0);
  VariantSettle();
  EXPECT_FALSE(CardsAnimIsAnimating()) << "autoplay keeps trying the full foundation";
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 4);
  EXPECT_EQ(FixturePile(kWhereTableau), "2c* Kh*");
}

TEST_F(GrandfathersClockTest, NearWonPositionEndsInOneWin) {
  std::string piles;
  const char* ranks = "A23456789TJQK";
  for (int f = 1; f <= 12; ++f) {
    int suit, rank;
    GrandfathersClockStartCard(f, &suit, &rank);
    piles += "F" + std::to_string(f - 1) + ":";
    // All but the last card of the foundation's run.
    for (int k = 0; k + 1 < GrandfathersClockFoundationSize(f); ++k) {
      piles += std::string(" ") + ranks[(rank - 1 + k) % 13] + "hsdc"[suit] + "*";
    }
    piles += "; ";
  }
  // The last cards, each its foundation's hour in its suit.
  piles += "T0: Qh* As* 2d* 3c* 4h*; T1: 5s* 6d* 7c* 8h* 9s* Td* Jc*";
  ASSERT_TRUE(VariantTable(kGameGrandfathersClock, piles));
  g_GenLive.rankWrap = 1;
  for (int f = 5; f >= 1; --f) VariantMove(kWhereTableau, -1, kWhereFoundation + f - 1);
  for (int f = 12; f >= 6; --f) {
    EXPECT_FALSE(g_GenLive.gameOver);
    VariantMove(kWhereTableau + 1, -1, kWhereFoundation + f - 1);
  }
  EXPECT_EQ(g_GenLive.tableaus[0].numCards, 0);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
