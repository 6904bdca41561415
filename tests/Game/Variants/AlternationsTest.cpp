// AlternationsTest.cpp - the Alternations family: its rows in the shared
// suites, the waste turned back only in Unlimited, and a position played to
// the win.
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameAlternations, .deckSize = 104, .dealt = 49, .foundations = 8, .tableaus = 7,
     .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t0", .slots = "0 3 4", .deckMarker = 2,
     .deckInUse = true, .wasteInUse = true, .faces = "T: udududu*7; D: d55",
     .deepest = "T: dududu14; W: u55", .insideFrame = true},
    {.game = kGameInterchange, .deckSize = 104, .dealt = 49, .foundations = 8, .tableaus = 7,
     .rules = "pick f0 w0 t2 / drop f10 t2 w16 / space t0", .slots = "0 3 4", .deckMarker = 2,
     .deckInUse = true, .wasteInUse = true, .faces = "T: udududu*7; D: d55",
     .deepest = "T: dududu14; W: u55", .insideFrame = true},
    {.game = kGameUnlimited, .deckSize = 104, .dealt = 49, .foundations = 8, .tableaus = 7,
     .rules = "pick f0 w0 t2 / drop f10 t2 w16 / space t0", .slots = "0 3 4", .deckMarker = 1,
     .deckInUse = true, .wasteInUse = true, .faces = "T: udududu*7; D: d55",
     .deepest = "T: dududu14; W: u55", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Alternations, kRows);

class AlternationsTest : public VariantTest {};

TEST_F(AlternationsTest, OnlyUnlimitedTurnsTheWasteBack) {
  for (int game : {kGameAlternations, kGameInterchange, kGameUnlimited}) {
    SCOPED_TRACE(GenGameTable[game].name);
    ASSERT_TRUE(VariantTable(game, "T0: 2c*; W: 7h* 8s* 9d*"));
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    const bool back = game == kGameUnlimited;
    EXPECT_EQ(g_GenLive.deck.numCards, back ? 3 : 0);
    EXPECT_EQ(g_GenLive.waste.numCards, back ? 0 : 3);
  }
}

TEST_F(AlternationsTest, NearWonPositionEndsInOneWin) {
  ASSERT_TRUE(VariantTable(kGameAlternations,
                           VariantFoundationsUpTo(8, 12) + "T0: Kh*; T1: Ks*; T2: Kd*; T3: Kc*; "
                                                           "T4: Kh*; T5: Ks*; T6: Kd*; W: Kc*"));
  for (int f = 0; f < 7; ++f) {
    EXPECT_FALSE(g_GenLive.gameOver);
    VariantMove(kWhereTableau + f, -1, kWhereFoundation + f);
  }
  VariantMove(kWhereWaste, -1, kWhereFoundation + 7);
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
