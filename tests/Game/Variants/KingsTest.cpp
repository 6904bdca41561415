// KingsTest.cpp - Kings: its row in the shared suites, the deal that plays
// cards straight to the foundations, and a position played to the win.
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameKings, .deckSize = 104, .dealt = 104, .faceMode = 1, .foundations = 8,
     .tableaus = 8, .rules = "pick t8 / drop f11 t7 / space t0", .slots = "0 3 4",
     .faces = "T: u~*8; F: uu~*8", .deepest = "T: u30", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Kings, kRows);

class KingsTest : public VariantTest {};

// Each foundation rises one rank a card from its ace, whatever the suits;
// the eight aces all start a foundation.
TEST_F(KingsTest, TheDealBuildsTheFoundationsUpFromTheirAces) {
  for (unsigned deal : {1u, 9u, 500u}) {
    VariantDeal(kGameKings, deal);
    const Gen& g = g_GenLive;
    int aces = 0;
    for (int f = 0; f < g.numFoundations; ++f) {
      const CardGroup& pile = g.foundations[f];
      for (int i = 0; i < pile.numCards; ++i) EXPECT_EQ(pile.cards[i].rank, i + 1) << "foundation " << f;
      aces += pile.numCards > 0 ? 1 : 0;
    }
    EXPECT_EQ(aces, 8);
    for (int t = 0; t < g.numTableaus; ++t) {
      for (int i = 0; i < g.tableaus[t].numCards; ++i) EXPECT_NE(g.tableaus[t].cards[i].rank, 1);
    }
  }
}

TEST_F(KingsTest, SingleCardsBuildUpOrDownInAnySuit) {
  ASSERT_TRUE(VariantTable(kGameKings, "T0: 7h*; T1: 8s*; T2: 7d*; T3: 9c* 8c*"));
  VariantMove(kWhereTableau + 1, -1, kWhereTableau);
  VariantMove(kWhereTableau + 2, -1, kWhereTableau);
  EXPECT_EQ(FixturePile(kWhereTableau), "7h* 8s* 7d*") << "up, then down";
  VariantMove(kWhereTableau + 3, 0, kWhereTableau + 1);
  EXPECT_EQ(FixturePile(kWhereTableau + 3), "9c* 8c*") << "one card at a time";
}

TEST_F(KingsTest, NearWonPositionEndsInOneWin) {
  ASSERT_TRUE(VariantTable(kGameKings, VariantFoundationsUpTo(8, 12) +
                                           "T0: Kc* Kd* Ks* Kh*; T4: Kc* Kd* Ks* Kh*"));
  for (int f = 0; f < 8; ++f) {
    EXPECT_FALSE(g_GenLive.gameOver);
    VariantMove(kWhereTableau + (f < 4 ? 0 : 4), -1, kWhereFoundation + f);
  }
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
