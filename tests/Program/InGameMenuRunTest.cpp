// The in-game menu of the running program: resting the pointer on Menu
// opens it, and each way out - the pointer moving away, Escape, a click on
// the table - closes it back to play; the table then takes clicks again.
// Screenshots go to <build>/screenshots.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "App/User.h"
#include "Game/UserOptions.h"
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
// Klondike's stock, and two points of a face on its waste that no pip,
// corner index or picture covers on any card (the top edge's middle, the
// left edge's middle a few pixels in, off its shaded rim), under the
// player's camera.
constexpr int kKlondike = 37;
constexpr float kStockX = 100, kStockY = 105;
constexpr float kWasteTopX = 163.75f, kWasteTopY = 75.6f, kWasteSideX = 143, kWasteSideY = 106.25f;

// Waits until the table between the menu bar and the clocks stands still
// (the deal over: a card in flight takes no click) over four pictures 0.75 s
// apart in all; one pair a quarter second apart is not enough on a busy
// machine, which may draw no frame for that long while cards still fly.
// False after the time.
bool WaitForStillTable(ProgramHarness& h, double seconds) {
  constexpr std::size_t kWidth = 1024, kTop = 80, kBottom = 720;
  std::vector<unsigned long> last;
  int same = 0;
  return ProgramHarness::WaitUntil(
      [&] {
        std::vector<unsigned long> pixels = h.Pixels();
        if (pixels.size() < kWidth * kBottom) return false;
        pixels = std::vector<unsigned long>(pixels.begin() + kWidth * kTop, pixels.begin() + kWidth * kBottom);
        same = pixels == last ? same + 1 : 0;
        last = std::move(pixels);
        return same >= 3;
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
  // Without autoplay the dealt table stays as it is, and the face the stock
  // turns stays on the waste whichever card it is.
  UserOptionsSetDefaults();
  g_UserOptions.autoplayMode[kKlondike] = 0;
  std::uint8_t options[kUserOptionsFileSize];
  UserOptionsToBytes(g_UserOptions, options);
  playrun::WriteCreatingFolders(h.UserFolder() + "/Users/Ann.opt", playrun::EncryptedBlock(options, sizeof options));
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
  h.Screenshot(shots + "InGameMenuBeforeTurn.png");
  h.ClickVirtual(kStockX, kStockY);
  const auto face = [](Rgb c) { return c.r > 150 && c.r + c.g + c.b > 360; };
  const bool turned =
      WaitForPixel(h, kWasteTopX, kWasteTopY, face, 20) && WaitForPixel(h, kWasteSideX, kWasteSideY, face, 5);
  h.Screenshot(shots + "InGameMenuClosed.png");
  EXPECT_TRUE(turned) << "the stock did not turn; see InGameMenuBeforeTurn.png and InGameMenuClosed.png\n" << h.LogText();
  EXPECT_FALSE(h.LogHasError()) << h.LogText();
}

}  // namespace
