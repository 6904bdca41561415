// BakersDozenTest.cpp - the Baker's Dozen family: its rows in the shared
// suites, the kings sent to the bottom of their piles after the deal, and
// positions played to the win.
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameBakersDozen, .foundations = 4, .tableaus = 13,
     .rules = "pick t8 / drop f10 t6 / space t19", .slots = "0 2 3 4",
     .faces = "T: u~*13; F: u*4", .deepest = "T: u16", .insideFrame = true},
    {.game = kGameCastlesInSpain, .foundations = 4, .tableaus = 13,
     .rules = "pick t8 / drop f10 t1 / space t0", .slots = "0 2 3 4", .faces = "T: u4*13",
     .deepest = "T: u16", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(BakersDozen, kRows);

class BakersDozenTest : public VariantTest {};

// After the deal no king lies above another card of its pile in Baker's
// Dozen; Castles in Spain leaves the kings where they fall. Every ace of
// Baker's Dozen starts the foundation of its suit.
TEST_F(BakersDozenTest, KingsLieAtTheBottomOfTheirPiles) {
  int kingsAboveOthers = 0;
  for (unsigned deal = 1; deal <= 20; ++deal) {
    for (int game : {kGameBakersDozen, kGameCastlesInSpain}) {
      VariantDeal(game, deal);
      const Gen& g = g_GenLive;
      int above = 0;
      for (int t = 0; t < g.numTableaus; ++t) {
        bool other = false;
        for (int i = 0; i < g.tableaus[t].numCards; ++i) {
          if (g.tableaus[t].cards[i].rank != 13) other = true;
          else if (other) ++above;
        }
      }
      if (game == kGameBakersDozen) {
        EXPECT_EQ(above, 0) << "deal " << deal;
        for (int f = 0; f < 4; ++f) EXPECT_EQ(FixturePile(kWhereFoundation + f), std::string("A") + "hsdc"[f] + "*");
      } else {
        kingsAboveOthers += above;
      }
    }
  }
  EXPECT_GT(kingsAboveOthers, 0) << "Castles in Spain keeps the dealt order";
}

TEST_F(BakersDozenTest, SpacesStayEmptyInBakersDozenOnly) {
  for (int game : {kGameBakersDozen, kGameCastlesInSpain}) {
    SCOPED_TRACE(GenGameTable[game].name);
    ASSERT_TRUE(VariantTable(game, "T0: 4c* 9h*; T1: "));
    VariantMove(kWhereTableau, 1, kWhereTableau + 1);
    EXPECT_EQ(g_GenLive.tableaus[1].numCards, game == kGameBakersDozen ? 0 : 1);
  }
}

TEST_F(BakersDozenTest, NearWonPositionsEndInOneWin) {
  for (int game : {kGameBakersDozen, kGameCastlesInSpain}) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    ASSERT_TRUE(VariantTable(game, VariantFoundationsUpTo(4, 12) + "T0: Kh*; T5: Ks*; T9: Kd*; T12: Kc*"));
    VariantMove(kWhereTableau, -1, kWhereFoundation);
    VariantMove(kWhereTableau + 5, -1, kWhereFoundation + 1);
    VariantMove(kWhereTableau + 9, -1, kWhereFoundation + 2);
    EXPECT_FALSE(g_GenLive.gameOver);
    VariantMove(kWhereTableau + 12, -1, kWhereFoundation + 3);
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

}  // namespace
