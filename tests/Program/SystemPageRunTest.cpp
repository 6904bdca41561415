// The System page of the running program, opened from the main menu of a
// player who plays in a 1024 x 768 window on a 1280 x 1024 display: "Full
// Screen" and Change go to full screen, and at once (the page stays up)
// "Window" and Change come back to the player's 1024 x 768 window; the
// settings file then keeps the window. Screenshots go to
// <build>/screenshots.
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

using playrun::IsButtonGreen;
using playrun::Rgb;

constexpr int kDisplayW = 1280, kDisplayH = 1024;

// The page's places (the page as the Options screen lays it out).
constexpr float kContinueX = 220, kContinueY = 400;  // "Continue Player"
constexpr float kNewGameX = 343, kNewGameY = 449;    // the main menu is up
constexpr float kOptionsX = 250, kOptionsY = 429;    // the main menu's Options
constexpr float kSystemTabX = 592, kSystemTabY = 82;
constexpr float kFullScreenX = 317, kWindowX = 416, kModeY = 139;
constexpr float kChangeX = 320, kChangeY = 301;
constexpr float kBackX = 320, kBackY = 445, kExitX = 612, kExitY = 458;

class SystemPageRunTest : public TempDirTest {};

TEST_F(SystemPageRunTest, FullScreenAndBackToAWindowWithoutLeavingThePage) {
  const std::string shots = playrun::ScreenshotFolder();
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  playrun::WritePlayer(h.UserFolder(), {}, [](ResolutionSettings& s) {
    s.windowed = 1;
    s.windowWidth = 1024;
    s.windowHeight = 768;
    s.fullWidth = kDisplayW;
    s.fullHeight = kDisplayH;
  });
  ASSERT_TRUE(h.StartDisplay(kDisplayW, kDisplayH));
  ASSERT_TRUE(h.StartProgram());
  auto why = [&](const char* name) {
    h.Screenshot(shots + name);
    return std::string("see ") + name;
  };
  playrun::GameWindow w(h, kDisplayW);
  ASSERT_TRUE(w.WaitFor([](const ProgramHarness::WindowPlace& p) { return p.width == 1024; }, 30))
      << "no 1024 x 768 window";
  ASSERT_TRUE(w.WaitForPixel(kContinueX, kContinueY, IsButtonGreen, 30)) << why("SystemPageStart.png");
  w.Click(kContinueX, kContinueY);
  ASSERT_TRUE(w.WaitForPixel(kNewGameX, kNewGameY, IsButtonGreen, 240)) << why("SystemPageMenu.png");
  w.Click(kOptionsX, kOptionsY);
  ASSERT_TRUE(w.WaitForPixel(kSystemTabX, kSystemTabY, IsButtonGreen, 30)) << why("SystemPageOptions.png");
  w.Click(kSystemTabX, kSystemTabY);
  // "Change" stays grey until something differs from the running mode.
  auto grey = [](Rgb c) { return !IsButtonGreen(c) && c.r > 40 && c.r < 120 && c.g < c.r + 15; };
  ASSERT_TRUE(w.WaitForPixel(kChangeX, kChangeY, grey, 30)) << why("SystemPagePage.png");

  // Full screen: one new window over the whole display.
  w.Click(kFullScreenX, kModeY);
  ASSERT_TRUE(w.WaitForPixel(kChangeX, kChangeY, IsButtonGreen, 10)) << why("SystemPageFullChosen.png");
  w.Click(kChangeX, kChangeY);
  ASSERT_TRUE(h.WaitForLog("EngWindow::DoChangeResolution - Done", 60)) << why("SystemPageNoChange.png");
  ASSERT_TRUE(w.WaitFor([](const ProgramHarness::WindowPlace& p) { return p.width == kDisplayW; }, 30));
  ASSERT_TRUE(w.WaitForPixel(kChangeX, kChangeY, grey, 30)) << why("SystemPageFull.png");
  h.Screenshot(shots + "SystemPageFullScreen.png");

  // Back to a window from the same page.
  w.Click(kWindowX, kModeY);
  const bool offered = w.WaitForPixel(kChangeX, kChangeY, IsButtonGreen, 10);
  ASSERT_TRUE(offered) << "Change stays off for the window; " << why("SystemPageStuck.png");
  w.Click(kChangeX, kChangeY);
  bool twice = false;
  for (int i = 0; i < 600 && !twice; ++i) {
    const std::string log = h.LogText();
    const std::size_t first = log.find("EngWindow::DoChangeResolution - Done");
    twice = first != std::string::npos &&
            log.find("EngWindow::DoChangeResolution - Done", first + 1) != std::string::npos;
    if (!twice) ProgramHarness::Settle(0.1);
  }
  ASSERT_TRUE(twice) << why("SystemPageNoWindow.png");
  // The window the player had, not one of the full screen's size.
  EXPECT_TRUE(w.WaitFor([](const ProgramHarness::WindowPlace& p) { return p.width == 1024 && p.height == 768; }, 30))
      << "the window came back at " << h.FindWindow("Free Cardolia 3D", 300).width << " x "
      << h.FindWindow("Free Cardolia 3D", 300).height << "; " << why("SystemPageWindowSize.png");
  ASSERT_TRUE(w.WaitForPixel(kChangeX, kChangeY, grey, 30)) << why("SystemPageWindow.png");
  h.Screenshot(shots + "SystemPageWindowAgain.png");

  // Back, Exit: the settings file keeps the window.
  w.Click(kBackX, kBackY);
  ASSERT_TRUE(w.WaitForPixel(kNewGameX, kNewGameY, IsButtonGreen, 30)) << why("SystemPageBack.png");
  w.Click(kExitX, kExitY);
  ASSERT_EQ(h.WaitForExit(60), 0);
  std::ifstream in(h.UserFolder() + "/Resolution.dat", std::ios::binary);
  std::uint8_t bytes[kResolutionFileSize] = {};
  ASSERT_TRUE(in.read(reinterpret_cast<char*>(bytes), sizeof bytes));
  ResolutionSettings saved;
  ResolutionFromBytes(bytes, &saved);
  EXPECT_EQ(saved.windowed, 1);
  EXPECT_EQ(saved.windowWidth, 1024);
  EXPECT_EQ(saved.windowHeight, 768);
  EXPECT_FALSE(h.LogHasError()) << h.LogText();
}

}  // namespace
