// The in-game menu of the running program: resting the pointer on Menu
// opens it, and each way out - the pointer moving away, Escape, a click on
// the table - closes it back to play; the table then takes clicks again.
// Screenshots go to <build>/screenshots.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

using playrun::IsButtonGreen;
using playrun::Rgb;
using playrun::WaitForPixel;

// The menu's Options row (the menu's middle) and the main menu's New Game.
constexpr float kMenuRowX = 609, kMenuRowY = 167;
constexpr float kNewGameX = 343, kNewGameY = 449;
// Klondike's stock and the middle of its waste, under the player's camera.
constexpr float kStockX = 100, kStockY = 105, kWasteX = 171, kWasteY = 112;

// Waits until the table between the menu bar and the clocks stands still
// (the deal and the autoplay that follows it over: a card in flight takes
// no click) over a quarter second; false after the time.
bool WaitForStillTable(ProgramHarness& h, double seconds) {
  constexpr std::size_t kWidth = 1024, kTop = 80, kBottom = 720;
  std::vector<unsigned long> last;
  return ProgramHarness::WaitUntil(
      [&] {
        std::vector<unsigned long> pixels = h.Pixels();
        if (pixels.size() < kWidth * kBottom) return false;
        pixels = std::vector<unsigned long>(pixels.begin() + kWidth * kTop, pixels.begin() + kWidth * kBottom);
        const bool still = pixels == last;
        last = std::move(pixels);
        return still;
      },
      seconds, 0.25);
}

class InGameMenuRunTest : public TempDirTest {};

TEST_F(InGameMenuRunTest, EachWayOutOfTheMenuGoesBackToPlay) {
  const std::string shots = playrun::ScreenshotFolder();
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  playrun::WritePlayer(h.UserFolder());
  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(playrun::StartToTable(h, shots, "InGameMenuStart")) << "no table; see InGameMenuStart.png";

  auto menuOpen = [](Rgb c) { return IsButtonGreen(c); };
  auto menuClosed = [](Rgb c) { return !IsButtonGreen(c); };
  const struct {
    const char* way;
    void (*out)(ProgramHarness&);
  } ways[] = {
      {"the pointer moves away", [](ProgramHarness& p) { p.MoveVirtual(320, 300); }},
      {"a click on the table", [](ProgramHarness& p) { p.ClickVirtual(320, 300); }},
      // Last: the pointer stays on Menu, and a move away and back that the
      // program sees as one move would not open the menu again.
      {"Escape", [](ProgramHarness& p) { p.Key("Escape"); }},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    h.MoveVirtual(320, 300);
    h.MoveVirtual(610, 10);
    ASSERT_TRUE(WaitForPixel(h, kMenuRowX, kMenuRowY, menuOpen, 20)) << "the menu did not open";
    h.Screenshot(shots + "InGameMenuOpen.png");
    w.out(h);
    const bool closed = WaitForPixel(h, kMenuRowX, kMenuRowY, menuClosed, 10);
    if (!closed) h.Screenshot(shots + "InGameMenuStuck.png");
    ASSERT_TRUE(closed) << "the menu stayed open; see InGameMenuStuck.png";
    // Still at the table, not in the main menu.
    EXPECT_FALSE(IsButtonGreen(playrun::Split(h.PixelVirtual(kNewGameX, kNewGameY))));
  }
  // The table takes a click again: the stock turns a face onto the empty
  // waste.
  ASSERT_TRUE(WaitForStillTable(h, 60)) << "the table did not come to rest";
  h.ClickVirtual(kStockX, kStockY);
  EXPECT_TRUE(WaitForPixel(h, kWasteX, kWasteY, [](Rgb c) { return c.r > 150 && c.r + c.g + c.b > 360; }, 20))
      << "the stock did not turn";
  h.Screenshot(shots + "InGameMenuClosed.png");
  EXPECT_FALSE(h.LogHasError()) << h.LogText();
}

}  // namespace
