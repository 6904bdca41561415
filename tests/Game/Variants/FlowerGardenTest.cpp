// FlowerGardenTest.cpp - Flower Garden, Brigade and Stonewall: their rows in
// the shared suites, the bouquet that closes up (also in a resumed game),
// their building, and a position played to the win.
#include <string>

#include "Game/GenAutoplay.h"
#include "Game/GenGame.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenVariant.h"
#include "Game/UserOptions.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const VariantRow kRows[] = {
    {.game = kGameFlowerGarden, .faceMode = 1, .foundations = 4, .tableaus = 6, .reserves = 16,
     .rules = "pick f8 t8 / drop f10 t6 r16", .slots = "0 3 4", .faces = "T: u6*6; R: u*16",
     .deepest = "T: u20; R: u; F: u13", .insideFrame = true},
    {.game = kGameBrigade, .faceMode = 1, .foundations = 4, .tableaus = 7, .reserves = 13,
     .rules = "pick f8 t8 / drop f10 t6 r16", .slots = "0 3 4",
     .faces = "T: u5*7; R: u*13; F: u*4", .deepest = "T: u20; R: u; F: u13", .insideFrame = true},
    {.game = kGameStonewall, .faceMode = 1, .foundations = 4, .tableaus = 6, .reserves = 16,
     .rules = "pick f8 t1 / drop f10 t1 r16", .slots = "0 3 4",
     .faces = "T: dududu*6; R: u*16", .deepest = "T: d3u17; R: u; F: u13", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(FlowerGarden, kRows);

class FlowerGardenTest : public VariantTest {};

// A bouquet card played away closes the row: the later cards move up one
// place and the bouquet has one pile fewer; a resumed game keeps it so.
TEST_F(FlowerGardenTest, BouquetClosesUpAndResumesClosed) {
  FixtureUsePlayer("Tester");
  ASSERT_TRUE(VariantTable(kGameFlowerGarden,
                           "F0: Ah*; R0: 5c*; R1: 2h*; R2: 9d*; R3: Js*; T0: 8s*; T1: Qd*"));
  g_GenLive.numReserves = 4;
  FixtureDrag(kWhereReserve + 1, 0, kWhereFoundation);
  VariantSettle();
  EXPECT_EQ(g_GenLive.numReserves, 3);
  EXPECT_EQ(FixturePile(kWhereReserve), "5c*");
  EXPECT_EQ(FixturePile(kWhereReserve + 1), "9d*");
  EXPECT_EQ(FixturePile(kWhereReserve + 2), "Js*");
  FixtureDrag(kWhereReserve + 2, 0, kWhereTableau + 1);
  VariantSettle();
  EXPECT_EQ(g_GenLive.numReserves, 2);

  // A dealt game whose bouquet has closed up is saved and resumed as it is.
  VariantDeal(kGameFlowerGarden, 9);
  Gen& g = g_GenLive;
  CardGroup& fifth = g.reserves[4];
  g.tableaus[0].AddCardToGroup(&fifth.cards[0], false, false, false);
  fifth.RemoveCardFromEnd();
  GenAfterMove();
  VariantSettle();
  ASSERT_LT(g.numReserves, 16);
  const std::string before = FixtureDescribeGame();
  ASSERT_TRUE(GenSaveCurrentGame());
  GenNewGameWithNumber(5, true);
  VariantSettle();
  ASSERT_TRUE(GenResumeSavedGameIfAny());
  EXPECT_EQ(FixtureDescribeGame(), before);
}

// Flower Garden and Brigade move one card at a time; Stonewall moves runs
// in alternating colours. Bouquet cards go onto the piles in any order.
TEST_F(FlowerGardenTest, GardenBuildsOneCardAtATimeStonewallInRuns) {
  struct MoveCase {
    int game;
    int toAfter;
  };
  const MoveCase cases[] = {{kGameFlowerGarden, 1}, {kGameBrigade, 1}, {kGameStonewall, 3}};
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(GenGameTable[c.game].name);
    ASSERT_TRUE(VariantTable(c.game, "T0: Tc*; T1: 9h* 8s*; R0: 9d*; R1: 7d*"));
    FixtureDrag(kWhereTableau + 1, 0, kWhereTableau);
    EXPECT_EQ(g_GenLive.tableaus[0].numCards, c.toAfter);
    FixtureDrag(kWhereReserve + 1, 0, kWhereTableau + 1);
    EXPECT_EQ(FixturePile(kWhereTableau + 1), c.toAfter == 3 ? "7d*" : "9h* 8s* 7d*");
  }
}

// The last card of the bouquet completes the foundations: won once,
// whatever the player's autoplay setting, in each of the three games.
TEST_F(FlowerGardenTest, NearWonGamesEndInOneWin) {
  const char* ranks = "A23456789TJQK";
  const char* suits = "hsdc";
  for (int game : {kGameFlowerGarden, kGameBrigade, kGameStonewall}) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    g_UserOptions.autoplayMode[game] = 0;
    std::string piles;
    for (int f = 0; f < 4; ++f) {
      piles += "F" + std::to_string(f) + ":";
      for (int r = 0; r < (f == 3 ? 12 : 13); ++r) piles += std::string(" ") + ranks[r] + suits[f] + "*";
      piles += "; ";
    }
    piles += "R0: Kc*";
    ASSERT_TRUE(VariantTable(game, piles));
    FixtureDrag(kWhereReserve, 0, kWhereFoundation + 3);
    VariantSettle();
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

}  // namespace
