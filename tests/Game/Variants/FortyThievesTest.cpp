// FortyThievesTest.cpp - the Forty Thieves family and Waning Moon: their
// rows in the shared suites, the stock that never turns back, Waning Moon's
// two rows, and positions played to the win.
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameFortyThieves, .deckSize = 104, .dealt = 40, .faceMode = 1, .foundations = 8,
     .tableaus = 10, .rules = "pick f0 w0 t8 / drop f10 t2 w16 / space t0", .slots = "0 3 4",
     .deckInUse = true, .wasteInUse = true, .faces = "T: u4*10; D: d64",
     .deepest = "T: u17; W: u64", .insideFrame = true},
    {.game = kGameFortyThievesEasier, .deckSize = 104, .dealt = 40, .faceMode = 1,
     .foundations = 8, .tableaus = 10, .rules = "pick f0 w0 t0 / drop f10 t2 w16 / space t0",
     .slots = "0 3 4", .deckInUse = true, .wasteInUse = true, .faces = "T: u4*10; D: d64",
     .deepest = "T: u17; W: u64", .insideFrame = true},
    {.game = kGameNumberTen, .deckSize = 104, .dealt = 40, .faceMode = 1, .foundations = 8,
     .tableaus = 10, .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t0", .slots = "0 3 4",
     .deckMarker = 2, .deckInUse = true, .wasteInUse = true, .faces = "T: d2u2*10; D: d64",
     .deepest = "T: d2u15; W: u64", .insideFrame = true},
    {.game = kGameStreets, .deckSize = 104, .dealt = 40, .faceMode = 1, .foundations = 8,
     .tableaus = 10, .rules = "pick f0 w0 t8 / drop f10 t1 w16 / space t0", .slots = "0 3 4",
     .deckInUse = true, .wasteInUse = true, .faces = "T: u4*10; D: d64",
     .deepest = "T: u17; W: u64", .insideFrame = true},
    {.game = kGameWaningMoon, .deckSize = 104, .dealt = 39, .faceMode = 1, .foundations = 8,
     .tableaus = 13, .rules = "pick f0 w0 t8 / drop f10 t2 w16 / space t0", .slots = "0 3 4",
     .deckMarker = 2, .deckInUse = true, .wasteInUse = true, .faces = "T: u3*13; D: d65",
     .deepest = "T: u16; W: u65", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(FortyThieves, kRows);

class FortyThievesTest : public VariantTest {};

// The stock turns one card a click and, once empty, stays empty.
TEST_F(FortyThievesTest, TheStockNeverTurnsBack) {
  ASSERT_TRUE(VariantTable(kGameFortyThieves, "T0: 2c*; D: 5h 6h"));
  for (int click = 1; click <= 3; ++click) {
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(g_GenLive.waste.numCards, click < 3 ? click : 2);
  }
  EXPECT_EQ(g_GenLive.deck.numCards, 0);
}

// Waning Moon lays seven piles above six; the upper piles never reach the
// lower row, however long they grow.
TEST_F(FortyThievesTest, WaningMoonLaysSevenAboveSix) {
  GenSetCurGame(kGameWaningMoon);
  ASSERT_TRUE(GenInit());
  ASSERT_TRUE(VariantBuildDeepest("T: u20"));
  const Gen& g = g_GenLive;
  const float h = CardsGetSettings().halfHeight;
  for (int t = 0; t < 7; ++t) EXPECT_FLOAT_EQ(g.tableaus[t].pos[1], g.tableaus[0].pos[1]);
  for (int t = 7; t < 13; ++t) {
    EXPECT_FLOAT_EQ(g.tableaus[t].pos[1], g.tableaus[7].pos[1]);
    EXPECT_LT(g.tableaus[t].pos[1], g.tableaus[0].pos[1]);
  }
  const CardGroup& upper = g.tableaus[0];
  const float lowestEdge = upper.pos[1] + upper.cards[upper.numCards - 1].pos[1] - h;
  EXPECT_GT(lowestEdge, g.tableaus[7].pos[1] + h);
}

TEST_F(FortyThievesTest, NearWonPositionsEndInOneWin) {
  for (int game : {kGameFortyThieves, kGameWaningMoon}) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    ASSERT_TRUE(VariantTable(game, VariantFoundationsUpTo(8, 12) +
                                       "T0: Kh*; T1: Ks*; T2: Kd*; T3: Kc*; T4: Kh*; T5: Ks*; "
                                       "T9: Kc*; D: Kd"));
    for (int f = 0; f < 6; ++f) VariantMove(kWhereTableau + f, -1, kWhereFoundation + f);
    VariantMove(kWhereTableau + 9, -1, kWhereFoundation + 7);
    EXPECT_FALSE(g_GenLive.gameOver);
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    VariantMove(kWhereWaste, -1, kWhereFoundation + 6);
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

}  // namespace
