// VariantPlayTest.cpp - every game under random play, and saved mid-game
// and resumed.
#include <string>

#include "Game/Gen.h"
#include "Game/GenGame.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

// Enough deals to meet most situations of a game, few enough steps that all
// games stay within a modest share of the test run.
constexpr int kRandomDeals = 50;
constexpr int kStepsPerDeal = 60;

TEST_P(VariantPlayTest, RandomPlayKeepsEveryCardAndASoundRecord) {
  const VariantRow& row = GetParam();
  VariantPlayStats stats;
  for (unsigned deal = 1; deal <= kRandomDeals; ++deal) {
    const std::string failure = VariantRandomPlay(row.game, deal, kStepsPerDeal, &stats);
    ASSERT_EQ(failure, "") << "deal " << deal;
  }
  EXPECT_GT(stats.moves, stats.deals) << "random play hardly moved a card";
}

TEST_P(VariantPlayTest, SavedMidGameResumesToTheSameTable) {
  const VariantRow& row = GetParam();
  FixtureUsePlayer("Tester");
  VariantPlayStats stats;
  // A deal that random play does not end early.
  unsigned deal = 11;
  for (; deal < 40; ++deal) {
    ASSERT_EQ(VariantRandomPlay(row.game, deal, 30, &stats), "");
    if (!g_GenLive.gameOver) break;
  }
  ASSERT_FALSE(g_GenLive.gameOver);
  const Gen saved = g_GenLive;
  const std::string table = FixtureDescribeGame();
  ASSERT_TRUE(GenSaveCurrentGame());

  VariantDeal(row.game, deal + 1);
  ASSERT_NE(FixtureDescribeGame(), table);
  ASSERT_TRUE(GenResumeSavedGameIfAny());
  const Gen& g = g_GenLive;
  EXPECT_EQ(FixtureDescribeGame(), table);
  EXPECT_EQ(g.dealNumber, saved.dealNumber);
  EXPECT_EQ(g.variantState, saved.variantState);
  EXPECT_EQ(g.lowestRank, saved.lowestRank);
  EXPECT_EQ(g.emptySpacePicture, saved.emptySpacePicture);
  for (int i = 0; i < kGenNumRules; ++i) EXPECT_EQ(g.rules[i], saved.rules[i]);
  EXPECT_TRUE(GenCheckOk());
  EXPECT_EQ(GenUndoGetNumInUse(), 1);

  // And it plays on.
  const std::string failure = VariantPlayOn(row.game, deal, 20, &stats);
  EXPECT_EQ(failure, "");
}

// A deal the player has made no move in is no played game (given up, it
// counts nowhere), whatever the deal itself moves: cards autoplayed to the
// foundations as it lands, with or without the deal's flight. Saved and
// resumed, it still is none; the player's first move makes it one.
TEST_P(VariantPlayTest, ADealLeftWithoutAMoveIsNoPlayedGame) {
  const VariantRow& row = GetParam();
  FixtureUsePlayer("Tester");
  const GameDef& def = GenGameTable[row.game];
  const bool offered[4] = {true, def.autoplay && def.autoplayLevel1 != 0, def.autoplay && def.autoplayLevel2 != 0,
                           def.autoplay && def.autoplayLevel3 != 0};
  for (int mode = 0; mode < 4; ++mode) {
    if (!offered[mode]) continue;
    for (const std::uint8_t flight : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << "autoplay " << mode << ", flight " << int{flight});
      g_UserOptions.autoplayMode[row.game] = static_cast<std::uint8_t>(mode);
      g_UserRecord.cardAnimationOn = flight;
      VariantDeal(row.game, 7);
      EXPECT_LT(g_GenLive.moves, kGenUndoPlayedMoves) << "dealt";
      ASSERT_TRUE(GenSaveCurrentGame());
      VariantDeal(row.game, 8);
      ASSERT_TRUE(GenResumeSavedGameIfAny());
      EXPECT_LT(g_GenLive.moves, kGenUndoPlayedMoves) << "resumed";
    }
  }
  // Random steps: the first that moves a card makes it a played game (a
  // click on nothing is no move).
  VariantPlayStats stats;
  for (unsigned step = 1; step <= 200 && g_GenLive.moves < kGenUndoPlayedMoves; ++step) {
    ASSERT_EQ(VariantPlayOn(row.game, step, 1, &stats), "");
  }
  EXPECT_GE(g_GenLive.moves, kGenUndoPlayedMoves) << "no step of 200 moved a card";
}

}  // namespace
