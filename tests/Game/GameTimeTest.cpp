// GameTimeTest.cpp - the game clock on an injected engine clock.
#include "Game/CardsAnim.h"
#include "Game/CardsRender.h"
#include "Game/GameTime.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

using GameTimeTest = GameTest;

TEST_F(GameTimeTest, Formats) {
  struct Case { int seconds; bool hoursAndMinutes; const char* text; } cases[] = {
      {3725, false, "1:02:05"}, {125, false, "2:05"}, {0, false, "0:00"},
      {3725, true, "1:02"},     {59, true, "0:00"},
  };
  for (const Case& c : cases) {
    g_UserRecord.hoursAndMinutesClock = c.hoursAndMinutes;
    EXPECT_STREQ(GameTimeFormat(c.seconds), c.text) << c.seconds;
  }
}

TEST_F(GameTimeTest, CountsFromTheResetAndStoresTheSecondsPerGame) {
  EXPECT_STREQ(GameTimeGetString(), "0:00");  // not running yet
  GameTimeReset();  // no animation: the hold ends at once
  AdvanceTime(61.5);
  EXPECT_STREQ(GameTimeGetString(), "1:01");
  EXPECT_EQ(g_UserOptions.elapsedSeconds[kGameKlondike], 61);
}

TEST_F(GameTimeTest, PausedTimeIsNotCounted) {
  GameTimeReset();
  AdvanceTime(10);
  GameTimePause();
  EXPECT_TRUE(CardsAreAllFacesHidden());
  AdvanceTime(30);
  GameTimeTick();
  EXPECT_STREQ(GameTimeGetString(), "0:10");
  EXPECT_EQ(g_UserOptions.elapsedSeconds[kGameKlondike], 10);
  GameTimeResume();
  EXPECT_FALSE(CardsAreAllFacesHidden());
  AdvanceTime(5);
  EXPECT_STREQ(GameTimeGetString(), "0:15");
}

TEST_F(GameTimeTest, GameOverFreezesTheFirstTime) {
  GameTimeReset();
  AdvanceTime(20);
  GameTimeGameOver();
  AdvanceTime(100);
  GameTimeGameOver();
  EXPECT_TRUE(LogContains("Already called"));
  EXPECT_STREQ(GameTimeGetString(), "0:20");
}

TEST_F(GameTimeTest, AResumedGameContinuesFromItsStoredTime) {
  g_UserOptions.elapsedSeconds[kGameKlondike] = 100;
  GameTimeContinue();
  EXPECT_STREQ(GameTimeGetString(), "1:40");
  AdvanceTime(5);
  EXPECT_STREQ(GameTimeGetString(), "1:45");
}

TEST_F(GameTimeTest, TheClockIsHeldWhileAnAnimationRuns) {
  ASSERT_TRUE(FixtureBuild("T0: Ah*; T1:"));
  ASSERT_TRUE(CardsAnimMoveTopCard(&g_GenLive.tableaus[0], &g_GenLive.tableaus[1], -1, 0.1f, nullptr, 0));
  GameTimeReset();
  AdvanceTime(12);
  GameTimeTick();
  EXPECT_STREQ(GameTimeGetString(), "0:00");
  GameTimeReleaseHold();
  AdvanceTime(3);
  EXPECT_STREQ(GameTimeGetString(), "0:03");
}

// While the tutorial is shown the clock waits with the faces on view; a
// pause inside the wait, or a wait that begins during the deal's hold,
// counts none of its time either.
TEST_F(GameTimeTest, TheTutorialsWaitIsNotCounted) {
  GameTimeReset();
  AdvanceTime(10);
  GameTimeWait(true);
  AdvanceTime(30);
  GameTimeTick();
  EXPECT_STREQ(GameTimeGetString(), "0:10");
  EXPECT_FALSE(CardsAreAllFacesHidden());
  GameTimePause();  // the pause screen over the tutorial
  AdvanceTime(20);
  GameTimeResume();
  AdvanceTime(5);
  EXPECT_STREQ(GameTimeGetString(), "0:10") << "the tutorial is still shown";
  GameTimeWait(false);
  AdvanceTime(4);
  EXPECT_STREQ(GameTimeGetString(), "0:14");
  EXPECT_EQ(g_UserOptions.elapsedSeconds[kGameKlondike], 14);

  ASSERT_TRUE(FixtureBuild("T0: Ah*; T1:"));
  ASSERT_TRUE(CardsAnimMoveTopCard(&g_GenLive.tableaus[0], &g_GenLive.tableaus[1], -1, 0.1f, nullptr, 0));
  GameTimeReset();  // held while the cards fly
  GameTimeWait(true);
  AdvanceTime(6);
  GameTimeReleaseHold();
  AdvanceTime(6);
  EXPECT_STREQ(GameTimeGetString(), "0:00");
  GameTimeWait(false);
  AdvanceTime(2);
  EXPECT_STREQ(GameTimeGetString(), "0:02");
}

// The engine's millisecond clock wraps to 0 after 2^32 ms (49.7 days of
// running): the clock counts on across the wrap, and so do its ticks.
TEST_F(GameTimeTest, CountsOnAcrossTheMillisecondClockWrap) {
  const double wrap = 4294967.296;  // seconds
  AdvanceTime(wrap - 2.5);
  GameTimeReset();
  GameTimeTick();
  AdvanceTime(4);  // 1.5 s past the wrap
  GameTimeTick();
  EXPECT_EQ(g_UserOptions.elapsedSeconds[kGameKlondike], 4);
  EXPECT_STREQ(GameTimeGetString(), "0:04");
  AdvanceTime(1);
  GameTimeTick();
  EXPECT_EQ(g_UserOptions.elapsedSeconds[kGameKlondike], 5);
  EXPECT_EQ(GameTimeMsSince(500u, 4294966796u), 1000u);
}

}  // namespace
