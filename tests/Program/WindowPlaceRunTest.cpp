// The player's window in the running program on a 1280 x 1024 display:
// Alt+Enter to full screen and back gives the window the player had, its
// size and its place, and the settings file keeps it; growing and
// shrinking the window on the main menu's Game page draws the page whole at
// each size and logs no error. Screenshots go to <build>/screenshots.
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

using playrun::IsButtonGreen;
using Place = ProgramHarness::WindowPlace;

constexpr int kDisplayW = 1280, kDisplayH = 1024;
constexpr const char* kTitle = "Free Cardolia 3D";

// Places of the 640 x 480 screen.
constexpr float kContinueX = 220, kContinueY = 400;  // "Continue Player"
constexpr float kScoresX = 600, kScoresY = 60;       // the main menu's Scores tab: the menu is up
constexpr float kExitGameX = 516, kExitGameY = 448;  // the player selection's "Exit Game"
constexpr float kExitX = 612, kExitY = 458;          // the main menu's Exit

class WindowPlaceRunTest : public TempDirTest {
 protected:
  std::string Why(ProgramHarness& h, const std::string& name) {
    h.Screenshot(shots_ + name + ".png");
    return "see " + name + ".png";
  }
  static std::string Text(const Place& p) {
    return std::to_string(p.width) + " x " + std::to_string(p.height) + " at " + std::to_string(p.x) + ", " +
           std::to_string(p.y);
  }
  static ResolutionSettings SavedSettings(ProgramHarness& h) {
    std::ifstream in(h.UserFolder() + "/Resolution.dat", std::ios::binary);
    std::uint8_t bytes[kResolutionFileSize] = {};
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    ResolutionSettings saved{};
    ResolutionFromBytes(bytes, &saved);
    return saved;
  }
  const std::string shots_ = playrun::ScreenshotFolder();
};

// A player in a window the player moved, and one who starts in full screen
// with the settings holding a window: Alt+Enter (twice for the first)
// gives that window back, its size and its place, and the settings file
// keeps it at Exit.
TEST_F(WindowPlaceRunTest, AltEnterGivesBackThePlayersWindow) {
  struct Case {
    const char* name;
    bool windowed;     // the start
    Place moved;       // where the player puts the window (width 0: nowhere)
    Place window;      // the window to come back
  };
  const Case cases[] = {
      {"WindowMoved", true, {0, 100, 80, 0, 0}, {0, 100, 80, 1024, 768}},
      {"FullScreenStart", false, {}, {0, 60, 50, 900, 700}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string name = std::string("WindowPlace") + c.name;
    ProgramHarness h(dir_ + "/" + c.name);
    std::string noDeck;
    ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
    playrun::WritePlayer(h.UserFolder(), {}, [&](ResolutionSettings& s) {
      s.windowed = c.windowed ? 1 : 0;
      s.windowWidth = c.window.width;
      s.windowHeight = c.window.height;
      s.windowX = c.windowed ? -1 : c.window.x;
      s.windowY = c.windowed ? -1 : c.window.y;
      s.fullWidth = kDisplayW;
      s.fullHeight = kDisplayH;
    });
    ASSERT_TRUE(h.StartDisplay(kDisplayW, kDisplayH));
    ASSERT_TRUE(h.StartProgram());
    playrun::GameWindow w(h, kDisplayW);
    const int startWidth = c.windowed ? c.window.width : kDisplayW;
    ASSERT_TRUE(w.WaitFor([&](const Place& p) { return p.width == startWidth; }, 30)) << Why(h, name + "Start");
    if (c.windowed) {
      ASSERT_TRUE(h.MoveWindow(w.Place().id, c.moved.x, c.moved.y));
      ASSERT_TRUE(w.WaitFor([&](const Place& p) { return p.x == c.moved.x && p.y == c.moved.y; }, 30))
          << "the window stays at " << Text(w.Place());
    }
    ASSERT_TRUE(w.WaitForPixel(kContinueX, kContinueY, IsButtonGreen, 60)) << Why(h, name + "Users");

    if (c.windowed) {
      ASSERT_TRUE(playrun::SwitchWithAltEnter(h)) << "no switch to full screen\n" << h.LogText();
      ASSERT_TRUE(w.WaitFor([](const Place& p) { return p.width == kDisplayW && p.height == kDisplayH; }, 30))
          << Why(h, name + "NotFull");
      ASSERT_TRUE(w.WaitForPixel(kContinueX, kContinueY, IsButtonGreen, 60)) << Why(h, name + "FullUndrawn");
      h.Screenshot(shots_ + name + "Full.png");
    }
    ASSERT_TRUE(playrun::SwitchWithAltEnter(h)) << "no switch to a window\n" << h.LogText();
    const auto back = [&](const Place& p) {
      return p.x == c.window.x && p.y == c.window.y && p.width == c.window.width && p.height == c.window.height;
    };
    EXPECT_TRUE(w.WaitFor(back, 30)) << "the window came back " << Text(h.FindWindow(kTitle, 300)) << " instead of "
                                     << Text(c.window) << "; " << Why(h, name + "Back");
    ASSERT_TRUE(w.WaitForPixel(kContinueX, kContinueY, IsButtonGreen, 60)) << Why(h, name + "BackUndrawn");
    h.Screenshot(shots_ + name + "Back.png");

    ASSERT_TRUE(w.WaitForPixel(kExitGameX, kExitGameY, IsButtonGreen, 30)) << Why(h, name + "NoExit");
    w.Click(kExitGameX, kExitGameY);
    ASSERT_EQ(h.WaitForExit(60), 0) << Why(h, name + "NotEnded");
    const ResolutionSettings saved = SavedSettings(h);
    EXPECT_EQ(saved.windowed, 1);
    EXPECT_EQ(saved.windowWidth, c.window.width);
    EXPECT_EQ(saved.windowHeight, c.window.height);
    EXPECT_EQ(saved.windowX, c.window.x);
    EXPECT_EQ(saved.windowY, c.window.y);
    EXPECT_FALSE(h.LogHasError()) << h.LogErrorLines();
  }
}

// The main menu's Game page draws the chosen game's picture in a viewport
// of its own while the menu's card circle turns behind it. A window made
// larger draws every frame on a device of its new size, so no call is
// refused; a window made smaller while the frames go on copies no part of
// a frame beyond its new edges, so the program lives on. At each size the
// page is drawn whole, and the log stays clean: no error, and what the
// first device noted is not noted again at each size.
TEST_F(WindowPlaceRunTest, ResizingTheWindowOnTheGamePageDrawsItWholeAndLogsNoError) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  playrun::WritePlayer(h.UserFolder(), {}, [](ResolutionSettings& s) {
    s.windowed = 1;
    s.windowWidth = 800;
    s.windowHeight = 600;
    s.fullWidth = kDisplayW;
    s.fullHeight = kDisplayH;
  });
  ASSERT_TRUE(h.StartDisplay(kDisplayW, kDisplayH));
  ASSERT_TRUE(h.StartProgram());
  playrun::GameWindow w(h, kDisplayW);
  ASSERT_TRUE(w.WaitFor([](const Place& p) { return p.width == 800; }, 30)) << Why(h, "WindowPlaceGameStart");
  ASSERT_TRUE(w.WaitForPixel(kContinueX, kContinueY, IsButtonGreen, 60)) << Why(h, "WindowPlaceGameUsers");
  w.Click(kContinueX, kContinueY);
  ASSERT_TRUE(w.WaitForPixel(kScoresX, kScoresY, IsButtonGreen, 240)) << Why(h, "WindowPlaceGameMenu");
  // In the display's corner, where the largest size still fits.
  const unsigned long id = w.Place().id;
  ASSERT_TRUE(h.MoveWindow(id, 0, 0));
  ASSERT_TRUE(w.WaitFor([](const Place& p) { return p.x == 0 && p.y == 0; }, 30));
  const auto running = [&] { return h.WaitForExit(0) == -1000; };
  const auto ended = [&](const std::string& size) {
    return "the program ended with status " + std::to_string(h.WaitForExit(0)) + " at " + size + "; " +
           playrun::WhatWasShown(h, "WindowPlaceGameEnded");
  };
  // Greens of the page from corner to corner, where nothing moves behind
  // them: a row of the game list, the Scores tab, the Autoplay list, Exit.
  const std::pair<float, float> greens[] = {{30, 147}, {kScoresX, kScoresY}, {490, 384}, {597, 458}};
  struct Step {
    int width, height;
    bool dragged;  // the size only passed through, as a drag of the window's edge passes
  };
  std::vector<Step> steps;
  // Larger twice, then smaller and larger by turns, each time to another
  // size: a smaller window meets the frames at a moment of its own.
  for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{1200, 900}, std::pair{700, 520},
                                      std::pair{1200, 900}, std::pair{1024, 768}, std::pair{640, 480},
                                      std::pair{1100, 850}, std::pair{800, 600}, std::pair{1200, 900}})
    steps.push_back({width, height, false});
  // Then dragged smaller from there a small step after the other, twice:
  // to 640 x 480, and from 1200 x 900 again to 720 x 540.
  const auto drag = [&](int count) {
    for (int i = 1; i <= count; ++i) steps.push_back({1200 - 20 * i, 900 - 15 * i, i < count});
  };
  drag(28);
  steps.push_back({1200, 900, false});
  drag(24);
  for (const auto& [width, height, dragged] : steps) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    SCOPED_TRACE(size);
    const bool asked = h.ResizeWindow(id, width, height);
    ASSERT_TRUE(running()) << ended(size);
    ASSERT_TRUE(asked);
    if (dragged) continue;
    const auto sized = [&](const Place& p) { return p.width == width && p.height == height; };
    ProgramHarness::WaitUntil([&] { return !running() || sized(h.FindWindow(kTitle, 300)); }, 30, 0.1);
    ASSERT_TRUE(running()) << ended(size);
    ASSERT_TRUE(w.WaitFor(sized, 30)) << Why(h, "WindowPlaceGameResized");
    for (const auto& [x, y] : greens) {
      bool green = false;
      ProgramHarness::WaitUntil([&] { return !running() || (green = IsButtonGreen(w.Pixel(x, y))); }, 60, 0.1);
      ASSERT_TRUE(running()) << ended(size);
      ASSERT_TRUE(green) << "no green at " << x << ", " << y << "; " << Why(h, "WindowPlaceGameResized");
    }
    h.Screenshot(shots_ + "WindowPlaceGame" + std::to_string(width) + "x" + std::to_string(height) + ".png");
  }
  ASSERT_TRUE(running()) << ended("the end");
  w.Click(kExitX, kExitY);
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h, "WindowPlaceGameNoExit");
  EXPECT_EQ(h.LogErrorLines(), "");
  // The device was made anew at the sizes the window took; the log names
  // the renderer and the characters the game's font lacks once all the same.
  const std::string log = h.LogText();
  const auto count = [&](const std::string& text) {
    int n = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("[DxDevices] Renderer: "), 1);
  EXPECT_EQ(count("EngFont::ParseLetter - No char at 129"), 1);
}

}  // namespace
