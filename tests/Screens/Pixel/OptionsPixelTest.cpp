// The Options screen on a real window (Mesa under Xvfb) through the test
// harness with the real screens: opened from the main menu and from a dealt
// game, each page chosen by a click on the page choice, a screenshot of
// every page in both modes (<build>/screenshots). Skipped without a display.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/GameShell.h"
#include "Game/Gen.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "Screens/Options.h"
#include "Screens/Screens.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"

// The harness resets the application shell's stand-in imports; here the
// real screens answer them, so there is nothing to reset.
void AppImportsResetForTests() {}

namespace {

class OptionsPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (!GameHarness::HaveDisplay()) GTEST_SKIP() << "no X display";
  }

  // A click at a point of the virtual 640 x 480 screen, then frames for the
  // toolkit to run what it queued.
  static void Click(GameHarness& h, float x, float y) {
    const int px = static_cast<int>(x * h.Width() / 640), py = static_cast<int>(y * h.Height() / 480);
    h.MouseMove(px, py);
    std::printf("mouse %f %f %ld\n", mwin.GetMouseX(), mwin.GetMouseY(), (long)time(nullptr));
    h.MouseButton(0, true);
    h.MouseButton(0, false);
    h.Frame();
    h.Frame();
  }

  static void Shot(GameHarness& h, const std::string& name) {
    EXPECT_TRUE(h.Screenshot(HarnessScreenshotFolder() + "/" + name + ".png"));
  }
};

TEST_F(OptionsPixelTest, EveryPageFromTheMenuAndFromPlay) {
  GameHarness h(dir_ + "/run");
  // As the program does: the screen table starts and stops the toolkit.
  MWinInstallScreenHooks();
  ASSERT_TRUE(h.Start(1024, 768));
  h.Frame();
  Shot(h, "MainMenuBeforeOptions");
  Click(h, 205 + 46, 415 + 13);  // Options
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenOptions);
  for (int page = 0; page < 9; ++page) {
    Click(h, 19 + (page + 0.5f) * 609 / 9, 66 + 16);
    EXPECT_EQ(g_UserRecord.optionsPage, page);
    Shot(h, "OptionsMenuPage" + std::to_string(page));
  }
  Click(h, 264 + 56, 424 + 21);  // Back
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenMain);

  Click(h, 307 + 36, 415 + 28);  // New Game: the menu closes
  std::printf("after new: mode %d on %d cur %d ready %d\n", GameGetProgramMode(), mwin.IsOn(), ScreensGetCurrent(), (int)g_GenLive.ready);
  ASSERT_TRUE(h.Deal(kGameKlondike, 1234));
  Shot(h, "OptionsPlayTable");
  std::printf("mode %d on %d\n", GameGetProgramMode(), mwin.IsOn());
  h.Key('O', true);
  h.Frame();
  std::printf("mode %d on %d cur %d\n", GameGetProgramMode(), mwin.IsOn(), ScreensGetCurrent());
  h.Key('O', false);
  h.Frame();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenOptions);
  for (int page = 0; page < 9; ++page) {
    Click(h, 60 + (page + 0.5f) * 520 / 9, 66 + 16);
    EXPECT_EQ(g_UserRecord.optionsPage, page);
    Shot(h, "OptionsPlayPage" + std::to_string(page));
  }
}

}  // namespace
