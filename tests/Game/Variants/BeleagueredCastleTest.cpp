// BeleagueredCastleTest.cpp - Beleaguered Castle: its row in the shared
// suites, the aces dealt to the foundations of their suits, single cards
// only, and a position played to the win.
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameBeleagueredCastle, .foundations = 4, .fans = 8,
     .rules = "pick f0 n8 / drop f10 n6 / space n0", .slots = "0 3 4",
     .faces = "N: u6*8; F: u*4", .deepest = "N: u18", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(BeleagueredCastle, kRows);

class BeleagueredCastleTest : public VariantTest {};

TEST_F(BeleagueredCastleTest, EachAceStartsTheFoundationOfItsSuit) {
  for (unsigned deal : {3u, 8u, 123u}) {
    VariantDeal(kGameBeleagueredCastle, deal);
    for (int f = 0; f < 4; ++f) {
      ASSERT_EQ(g_GenLive.foundations[f].numCards, 1);
      EXPECT_EQ(g_GenLive.foundations[f].cards[0].rank, 1);
      EXPECT_EQ(g_GenLive.foundations[f].cards[0].suit, f);
    }
  }
}

TEST_F(BeleagueredCastleTest, RowsTakeSingleCardsOneRankLowerInAnySuit) {
  ASSERT_TRUE(VariantTable(kGameBeleagueredCastle, "N0: 9s* 8d*; N1: 9h*; N4: "));
  VariantMove(kWhereFan, 0, kWhereFan + 1);
  EXPECT_EQ(FixturePile(kWhereFan + 1), "9h*") << "two cards never move together";
  VariantMove(kWhereFan, 1, kWhereFan + 1);
  EXPECT_EQ(FixturePile(kWhereFan + 1), "9h* 8d*");
  VariantMove(kWhereFan, 0, kWhereFan + 4);
  EXPECT_EQ(FixturePile(kWhereFan + 4), "9s*") << "a space takes any card";
}

TEST_F(BeleagueredCastleTest, NearWonPositionEndsInOneWin) {
  ASSERT_TRUE(VariantTable(kGameBeleagueredCastle,
                           VariantFoundationsUpTo(4, 11) + "N0: Qh*; N2: Kh*; N3: Ks* Qs*; "
                                                           "N5: Kd* Qd*; N7: Kc* Qc*"));
  VariantMove(kWhereFan, -1, kWhereFoundation);
  VariantMove(kWhereFan + 2, -1, kWhereFoundation);
  VariantMove(kWhereFan + 3, -1, kWhereFoundation + 1);
  VariantMove(kWhereFan + 3, -1, kWhereFoundation + 1);
  VariantMove(kWhereFan + 5, -1, kWhereFoundation + 2);
  VariantMove(kWhereFan + 5, -1, kWhereFoundation + 2);
  VariantMove(kWhereFan + 7, -1, kWhereFoundation + 3);
  EXPECT_FALSE(g_GenLive.gameOver);
  VariantMove(kWhereFan + 7, -1, kWhereFoundation + 3);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
