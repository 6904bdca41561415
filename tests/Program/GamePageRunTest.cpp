// The Game page's picture of a game chosen for the first time is made while
// the page stands: a player who picks a game and presses New Game at once
// gets the deal at once, not after the picture ("Preparing Game
// Snaphot..."), which the page makes when it shows the game again.
#include <signal.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

class GamePageRunTest : public TempDirTest {};

// The pictures the Game page has made, one file for each game.
int PicturesMade(const std::string& folder) {
  int count = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    count += entry.path().extension() == ".c3m" ? 1 : 0;
  }
  return count;
}

TEST_F(GamePageRunTest, NewGameOnAGameChosenForTheFirstTimeDealsBeforeItsPicture) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  ASSERT_TRUE(h.StartDisplay(kWidth, kHeight));
  playrun::WritePlayer(h.UserFolder());  // Ann, with Klondike chosen
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 30));
  ASSERT_TRUE(playrun::WaitForPixel(h, 220, 400, playrun::IsButtonGreen, 30)) << playrun::WhatWasShown(h, "GamePage");
  h.ClickVirtual(220, 400);  // Continue Player
  // The menu, once Klondike's picture is made and drawn.
  const std::string layouts = h.UserFolder() + "/Layouts";
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return PicturesMade(layouts) == 1; }, 240, 0.1))
      << playrun::WhatWasShown(h, "GamePage");
  ASSERT_TRUE(playrun::WaitForPixel(h, 320, 240, [](playrun::Rgb c) { return c.r + c.g + c.b > 120; }, 120) &&
              playrun::WaitForPixel(h, 343, 449, playrun::IsButtonGreen, 120))
      << playrun::WhatWasShown(h, "GamePage");

  // The game below Klondike in the list, then New Game at once, as a quick
  // player clicks: the program held while both clicks are made, so that it
  // takes them in one go however slow this test's input tool is on a busy
  // machine.
  ASSERT_TRUE(h.SignalProgram(SIGSTOP));
  h.ClickAndMoveAwayVirtual(100, 179);
  h.ClickAndMoveAwayVirtual(343, 449);
  ASSERT_TRUE(h.SignalProgram(SIGCONT));
  // The table: the menu's buttons (New Game turns gold under the pointer;
  // Options and Exit stay green, dimmed under a popup) give way to the
  // table's cloth.
  const auto drawn = [](playrun::Rgb c) { return c.r + c.g + c.b > 60; };
  const auto green = [&](float x, float y) { return playrun::IsButtonGreen(playrun::Split(h.PixelVirtual(x, y))); };
  ASSERT_TRUE(ProgramHarness::WaitUntil(
      [&] { return !green(250, 428) && !green(612, 458) && drawn(playrun::Split(h.PixelVirtual(320, 300))); }, 120,
      0.05))
      << "no table after New Game\n" << playrun::WhatWasShown(h, "GamePage");
  EXPECT_EQ(PicturesMade(layouts), 1) << "the deal waited for the new game's picture\n"
                                      << playrun::WhatWasShown(h, "GamePage");
  h.Screenshot(playrun::ScreenshotFolder() + "GamePageDealtAtOnce.png");

  // Back at the menu, the page makes the picture while it stands.
  h.Key("Escape");
  ASSERT_TRUE(playrun::WaitForPixel(h, 343, 449, playrun::IsButtonGreen, 120)) << playrun::WhatWasShown(h, "GamePage");
  EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return PicturesMade(layouts) == 2; }, 60, 0.1))
      << playrun::WhatWasShown(h, "GamePage");
  EXPECT_TRUE(playrun::WaitForPixel(h, 320, 240, [](playrun::Rgb c) { return c.r + c.g + c.b > 120; }, 60));
  h.Screenshot(playrun::ScreenshotFolder() + "GamePagePictureAfter.png");
  h.ClickVirtual(612, 458);  // Exit
  EXPECT_EQ(h.WaitForExit(60), 0);
}

}  // namespace
