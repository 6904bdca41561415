// The shell's own start-up steps (the harness's program object runs them on
// a real window and the test's clock): what they leave set up for play.
// Skipped without a display.
#include <gtest/gtest.h>

#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"
#include "Shell/Shell.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

class StartUpPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (!GameHarness::HaveDisplay()) GTEST_SKIP() << "no X display";
  }
};

}  // namespace

// The card engine reads the player's animation speed (8 by default) and
// every move's end reaches the game's end-or-cancel step: a Klondike deal
// (28 cards launched at 3 a second, sped up 8 times, each flying at the
// deal's speed) is over in about one and a half seconds, not the dozen
// seconds of the engine's own speed of 1, at any frame rate.
TEST_F(StartUpPixelTest, CardsFlyAtThePlayersSpeedFromTheStart) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(640, 480));
  EXPECT_FLOAT_EQ(g_UserRecord.animSpeed, 8.0f);
  EXPECT_FLOAT_EQ(CardsGetAnimSpeedScale(), g_UserRecord.animSpeed);
  EXPECT_EQ(CardsAnimGetOnEndOrCancelCB(0), AnimEndOrCancelCB);

  // The same at 60 and at 10 frames a second.
  g_UserRecord.cardAnimationOn = 1;
  GenSetCurGame(kGameKlondike);
  GameSetProgramMode(kGameModePlaying);
  for (const double frame : {1.0 / 60.0, 1.0 / 10.0}) {
    SCOPED_TRACE(testing::Message() << 1 / frame << " frames a second");
    GenNewGameWithNumber(1, true);
    ASSERT_TRUE(AnimIsDealAnimating());
    double seconds = 0;
    for (; seconds < 60 && AnimIsAnimating(); seconds += frame) h.Frame(frame);
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 2.0);
    EXPECT_EQ(g_GenLive.deck.numCards, 24);
  }
}

