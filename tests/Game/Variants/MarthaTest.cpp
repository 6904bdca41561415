// MarthaTest.cpp - Martha: its row in the shared suites, a space taking a
// single card only, and a position played to the win.
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameMartha, .foundations = 4, .tableaus = 12,
     .rules = "pick f0 t1 / drop f10 t1 / space t8", .slots = "0 3 4",
     .faces = "T: dudu*12; F: u*4", .deepest = "T: dudu13", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Martha, kRows);

class MarthaTest : public VariantTest {};

TEST_F(MarthaTest, RunsMoveButASpaceTakesOneCard) {
  ASSERT_TRUE(VariantTable(kGameMartha, "T0: 4c 9h* 8s*; T1: Tc*; T2: "));
  VariantMove(kWhereTableau, 1, kWhereTableau + 2);
  EXPECT_EQ(g_GenLive.tableaus[2].numCards, 0) << "two cards into a space";
  VariantMove(kWhereTableau, 1, kWhereTableau + 1);
  EXPECT_EQ(FixturePile(kWhereTableau + 1), "Tc* 9h* 8s*");
  VariantMove(kWhereTableau + 1, 2, kWhereTableau + 2);
  EXPECT_EQ(FixturePile(kWhereTableau + 2), "8s*");
}

TEST_F(MarthaTest, NearWonPositionEndsInOneWin) {
  ASSERT_TRUE(VariantTable(kGameMartha, VariantFoundationsUpTo(4, 12) + "T0: Kh*; T3: Ks*; T7: Kd*; T11: Kc*"));
  VariantMove(kWhereTableau, -1, kWhereFoundation);
  VariantMove(kWhereTableau + 3, -1, kWhereFoundation + 1);
  VariantMove(kWhereTableau + 7, -1, kWhereFoundation + 2);
  EXPECT_FALSE(g_GenLive.gameOver);
  VariantMove(kWhereTableau + 11, -1, kWhereFoundation + 3);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
