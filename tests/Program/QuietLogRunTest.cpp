// A run of normal play logs no error line: a player in a 1024 x 768
// window wins a game, opens the Game page's Autoplay list, turns to the
// Help page and drags the window smaller and back, then exits. Once with a
// locale that names a territory and once with one that names none, where
// the player first looks in on the new-player screen (which asks the
// locale for the player's country). Screenshots go to <build>/screenshots.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "Engine/EngEncryption.h"
#include "tests/Program/NearlyWon.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

using playrun::IsButtonGreen;
using playrun::Rgb;

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kSmallWidth = 800, kSmallHeight = 600;

// Places of the 640 x 480 screen.
constexpr float kContinueX = 220, kContinueY = 400;          // "Continue Player"
constexpr float kNewPlayerX = 124, kNewPlayerY = 448;        // "Create New Player"
constexpr float kNewBackX = 597, kNewBackY = 442;            // the new-player screen's Back
constexpr float kBetweenNameAndCountryX = 320, kBetweenNameAndCountryY = 250;
constexpr float kContinueGameX = 420, kContinueGameY = 443;  // the menu's Continue Game
constexpr float kAutoplayX = 526, kAutoplayY = 384;          // the Game page's Autoplay list
constexpr float kHelpTabX = 368, kHelpTabY = 68;             // "Help" of the page choice
constexpr float kGlossaryX = 238, kGlossaryY = 381;          // above the text of a glossary button
constexpr float kExitX = 612, kExitY = 458;

struct Locale {
  const char* name;
  const char* lang;
  bool territory;
};
void PrintTo(const Locale& locale, std::ostream* out) { *out << locale.lang; }

class QuietLogRunTest : public TempDirTest, public ::testing::WithParamInterface<Locale> {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = playrun::ScreenshotFolder() + "QuietLog" + GetParam().name;
    // The layouts file is the build's.
    std::filesystem::current_path(CARDOLIA_BUILD_DIR);
    EngEncryptionInit("Mplx4QoragZn_265");
  }
  std::string Why(ProgramHarness& h, const char* step) {
    h.Screenshot(shots_ + step + ".png");
    const std::string log = h.LogText();
    return std::string("screen in ") + shots_ + step + ".png; the log's end:\n" +
           log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
  }
  std::string shots_;
};

// Where the open Autoplay list lays its last rows over the Quit Game
// button: the button's face left of its text, and the rows left of theirs,
// never the gaps between the buttons where the menu's turning cards show.
// The open list shows its rows' dark green there, the closed one the
// button's grey (the won game left nothing to quit): each known by what it
// is, so no picture of the place need be taken while it may show another
// screen.
bool AllBelowTheAutoplayList(ProgramHarness& h, bool (*test)(Rgb)) {
  for (int i = 0; i < 4; ++i) {
    if (!test(playrun::Split(h.PixelVirtual(470.0f, 420.0f + 5.0f * static_cast<float>(i))))) return false;
  }
  return true;
}
bool IsListRow(Rgb c) { return c.g > c.r + 15 && c.g > c.b && c.g < 120; }
bool IsDisabledGrey(Rgb c) {
  return c.r > 40 && c.r < 110 && std::abs(c.g - c.r) < 12 && std::abs(c.g - c.b) < 12;
}

TEST_P(QuietLogRunTest, WinningTheAutoplayListAndAResizedHelpPageLogNoError) {
  const Locale& locale = GetParam();
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  ASSERT_TRUE(h.StartDisplay(kWidth, kHeight));
  playrun::WritePlayer(h.UserFolder(), {}, [](ResolutionSettings& s) {
    s.windowed = 1;
    s.windowWidth = kWidth;
    s.windowHeight = kHeight;
  });
  playrun::LastMove move{};
  const std::string saved = h.UserFolder() + "/SavedGames/Ann_Klondike.c3o";
  ASSERT_TRUE(playrun::WriteNearlyWonKlondike(saved, &move));
  ASSERT_TRUE(h.StartProgram({}, locale.lang));
  // The window fills the display, so the harness's places are the window's.
  playrun::GameWindow window(h, kWidth);
  ASSERT_TRUE(window.WaitFor([](const ProgramHarness::WindowPlace& p) { return p.width == kWidth; }, 30));
  ASSERT_EQ(window.Place().x, 0);
  ASSERT_EQ(window.Place().y, 0);
  ASSERT_TRUE(playrun::WaitForPixel(h, kContinueX, kContinueY, IsButtonGreen, 30)) << Why(h, "Start");

  if (!locale.territory) {
    // The new-player screen takes the local country from the locale; the
    // player leaves its name box and the screen again.
    h.ClickVirtual(kNewPlayerX, kNewPlayerY);
    ASSERT_TRUE(h.WaitForLog("Could not get local country pos", 30)) << Why(h, "NewPlayer");
    h.Screenshot(shots_ + "NewPlayer.png");
    h.Key("Escape");
    // The name box closes: the screen between the name and the country is
    // black again.
    const auto black = [](Rgb c) { return c.r + c.g + c.b < 30; };
    ASSERT_TRUE(playrun::WaitForPixel(h, kBetweenNameAndCountryX, kBetweenNameAndCountryY, black, 30))
        << Why(h, "NewPlayerBox");
    h.ClickVirtual(kNewBackX, kNewBackY);
    h.MoveVirtual(320, 300);
    ASSERT_TRUE(playrun::WaitForPixel(h, kContinueX, kContinueY, IsButtonGreen, 30)) << Why(h, "NewPlayerBack");
  }

  // Continue Player, Continue Game, and the last move: autoplay takes the
  // rest home and the celebration comes up over the whole window.
  h.ClickVirtual(kContinueX, kContinueY);
  ASSERT_TRUE(playrun::WaitForPixel(h, kContinueGameX, kContinueGameY, IsButtonGreen, 240)) << Why(h, "Menu");
  h.ClickVirtual(kContinueGameX, kContinueGameY);
  h.MoveVirtual(320, 470);
  const auto face = [](Rgb c) { return (c.r > 200 && c.g > 200) || (c.r > 110 && c.g < 60); };
  ASSERT_TRUE(playrun::WaitForPixel(h, move.from.x, move.from.y, face, 120)) << Why(h, "Table");
  ASSERT_TRUE(h.DragVirtual(move.from.x, move.from.y, move.to.x, move.to.y));
  h.MoveVirtual(320, 470);
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return !std::filesystem::exists(saved); }, 120))
      << "the game was not won; " << Why(h, "NotWon");
  const auto lit = [](Rgb c) { return c.r + c.g + c.b > 60; };
  ASSERT_TRUE(playrun::WaitForPixel(h, 40, 15, lit, 120)) << Why(h, "NoCelebration");
  h.Screenshot(shots_ + "Celebration.png");
  h.Key("Escape");
  ASSERT_TRUE(playrun::WaitForMainMenu(h, 120)) << Why(h, "MenuAfterWin");

  // The Game page's Autoplay list opens over the page and closes again.
  const auto below = [&](bool (*test)(Rgb)) {
    return ProgramHarness::WaitUntil([&] { return AllBelowTheAutoplayList(h, test); }, 30, 0.1);
  };
  ASSERT_TRUE(below(IsDisabledGrey)) << "no grey Quit Game; " << Why(h, "AutoplayBefore");
  h.ClickVirtual(kAutoplayX, kAutoplayY);
  h.MoveVirtual(kAutoplayX, kAutoplayY + 1);
  ASSERT_TRUE(below(IsListRow)) << "the list did not open; " << Why(h, "AutoplayClosed");
  h.Screenshot(shots_ + "AutoplayOpen.png");
  h.Key("Escape");
  ASSERT_TRUE(below(IsDisabledGrey)) << "the list did not close; " << Why(h, "AutoplayOpen");

  // The Help page, in a smaller window and back.
  h.ClickVirtual(kHelpTabX, kHelpTabY);
  h.MoveVirtual(320, 470);
  ASSERT_TRUE(window.WaitForPixel(kGlossaryX, kGlossaryY, IsButtonGreen, 30)) << Why(h, "NoHelp");
  const unsigned long id = window.Place().id;
  ASSERT_TRUE(h.ResizeWindow(id, kSmallWidth, kSmallHeight));
  ASSERT_TRUE(window.WaitFor([](const ProgramHarness::WindowPlace& p) { return p.width == kSmallWidth; }, 30));
  ASSERT_TRUE(window.WaitForPixel(kGlossaryX, kGlossaryY, IsButtonGreen, 60)) << Why(h, "SmallHelp");
  h.Screenshot(shots_ + "SmallHelp.png");
  ASSERT_TRUE(h.ResizeWindow(id, kWidth, kHeight));
  ASSERT_TRUE(window.WaitFor([](const ProgramHarness::WindowPlace& p) { return p.width == kWidth; }, 30));
  ASSERT_TRUE(window.WaitForPixel(kGlossaryX, kGlossaryY, IsButtonGreen, 60)) << Why(h, "LargeHelp");

  h.ClickVirtual(kExitX, kExitY);
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h, "NoExit");
  const std::string errors = h.LogErrorLines();
  EXPECT_EQ(errors, "");
  if (!errors.empty()) std::ofstream(shots_ + "Log.txt") << h.LogText();
}

INSTANTIATE_TEST_SUITE_P(Locales, QuietLogRunTest,
                         ::testing::Values(Locale{"WithTerritory", "en_US.UTF-8", true},
                                           Locale{"WithoutTerritory", "C.UTF-8", false}),
                         [](const ::testing::TestParamInfo<Locale>& info) { return std::string(info.param.name); });

}  // namespace
