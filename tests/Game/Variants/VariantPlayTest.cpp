// VariantPlayTest.cpp - every game under random play, and saved mid-game
// and resumed.
#include <string>

#include "Game/Gen.h"
#include "Game/GenGame.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenUndo.h"
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

}  // namespace
