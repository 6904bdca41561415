// HarpTest.cpp - the Harp family: its rows in the shared suites, Harp's
// king-headed runs, the redeal counter with its deck marker, and a position
// played to the win.
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameHarp, .deckSize = 104, .dealt = 45, .faceMode = 3, .foundations = 8,
     .tableaus = 9, .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t17", .slots = "0 3 4",
     .deckMarker = 1, .redealCounter = 1, .tableauMarker = 13, .deckInUse = true,
     .wasteInUse = true, .faces = "T: u du d2u d3u d4u d5u d6u d7u d8u; D: d59",
     .deepest = "T: d8u13; W: u59", .insideFrame = true},
    {.game = kGameGargantua, .deckSize = 104, .dealt = 45, .faceMode = 3, .foundations = 8,
     .tableaus = 9, .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t17", .slots = "0 3 4",
     .deckMarker = 2, .tableauMarker = 13, .deckInUse = true, .wasteInUse = true,
     .faces = "T: u du d2u d3u d4u d5u d6u d7u d8u; D: d59", .deepest = "T: d8u13; W: u59", .insideFrame = true},
    {.game = kGameSteps, .deckSize = 104, .dealt = 28, .faceMode = 3, .foundations = 8,
     .tableaus = 7, .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t0", .slots = "0 3 4",
     .deckMarker = 2, .deckInUse = true, .wasteInUse = true,
     .faces = "T: u du d2u d3u d4u d5u d6u; D: d76", .deepest = "T: d6u13; W: u76", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Harp, kRows);

class HarpTest : public VariantTest {};

// In Harp a run of two or more cards goes straight back unless a king heads
// it; single cards and the other games' runs move as usual.
TEST_F(HarpTest, OnlyKingsHeadMovingRunsInHarp) {
  struct Case {
    int game;
    int from;       // index of the first lifted card in tableau 1
    bool lifts;
  };
  const Case cases[] = {{kGameHarp, 1, false}, {kGameHarp, 2, true}, {kGameHarp, 0, true},
                        {kGameGargantua, 1, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + " from " + std::to_string(c.from));
    ASSERT_TRUE(VariantTable(c.game, "T0: Kh* Qs* Jd*; T1: Kc*; T2: "));
    FixtureClick(kWhereTableau, c.from, -1);  // press only
    EXPECT_EQ(g_GenLive.selection.numCards, c.lifts ? 3 - c.from : 0);
    EXPECT_EQ(g_GenLive.tableaus[0].numCards, c.lifts ? c.from : 3);
    GenCancelSelection();
  }
}

// Harp turns its waste back once: the counter drops to 0 and the deck's
// marker changes from "redeal" to "no more"; an undo brings both back.
TEST_F(HarpTest, TheRedealIsSpentOnceAndTheMarkerFollows) {
  ASSERT_TRUE(VariantTable(kGameHarp, "T0: 2c*; W: 7h* 8s*"));
  EXPECT_EQ(g_GenLive.emptySpacePicture, 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.deck.numCards, 2);
  EXPECT_EQ(GenGetRedealCounter(), 0);
  EXPECT_EQ(g_GenLive.emptySpacePicture, 2);
  EXPECT_EQ(SolCardsGetSpaceCustomPic(), 2);
  // Through the stock once more: no second redeal.
  for (int i = 0; i < 3; ++i) {
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
  }
  EXPECT_EQ(g_GenLive.deck.numCards, 0);
  EXPECT_EQ(g_GenLive.waste.numCards, 2);
  while (GenUndoCanUndo(nullptr) && g_GenLive.deck.numCards == 0) GenUndo();
  while (GenUndoCanUndo(nullptr) && GenGetRedealCounter() == 0) GenUndo();
  EXPECT_EQ(GenGetRedealCounter(), 1);
  EXPECT_EQ(g_GenLive.emptySpacePicture, 1);
  EXPECT_EQ(SolCardsGetSpaceCustomPic(), 1);
}

TEST_F(HarpTest, NearWonPositionEndsInOneWin) {
  ASSERT_TRUE(VariantTable(kGameHarp, VariantFoundationsUpTo(8, 12) +
                                          "T0: Kd* Ks* Kh*; T8: Kc*; W: Kc* Kd*; D: Ks Kh"));
  VariantMove(kWhereTableau, -1, kWhereFoundation);
  VariantMove(kWhereTableau, -1, kWhereFoundation + 1);
  VariantMove(kWhereTableau, -1, kWhereFoundation + 2);
  VariantMove(kWhereTableau + 8, -1, kWhereFoundation + 3);
  VariantMove(kWhereWaste, -1, kWhereFoundation + 6);
  VariantMove(kWhereWaste, -1, kWhereFoundation + 7);
  for (int f = 4; f < 6; ++f) {
    EXPECT_FALSE(g_GenLive.gameOver);
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    VariantMove(kWhereWaste, -1, kWhereFoundation + f);
  }
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
