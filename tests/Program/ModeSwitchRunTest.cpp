// The table across a switch between full screen and a window (Alt+Enter)
// in the running program: the window and its device are made anew, and the
// board and the cards come back as they were, whatever the player was
// doing: nothing, the in-game menu open, paused, cards in flight, a card
// held in a drag. The player is written as the benchmark writes its own:
// a profile of a name, a country and the main menu's game, every other
// field as a new record holds it (no camera presets among them).
// Screenshots go to <build>/screenshots.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Game/UserRecord.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

using playrun::IsButtonGreen;
using playrun::Rgb;
using playrun::WaitForPixel;

constexpr int kDisplayW = 1280, kDisplayH = 1024;
constexpr int kKlondike = 37;
// The in-game menu's middle row; Klondike's stock.
constexpr float kMenuRowX = 609, kMenuRowY = 167;
constexpr float kStockX = 100, kStockY = 105;

// The part of the display the check compares: the table below the stock's
// row (the tableau and the cloth around it), left of the in-game menu and
// above the status corners.
struct Area {
  int left = 0, top = kDisplayH * 30 / 100, right = kDisplayW * 85 / 100, bottom = kDisplayH * 92 / 100;
};

std::vector<unsigned long> TablePicture(ProgramHarness& h) {
  const std::vector<unsigned long> all = h.Pixels();
  std::vector<unsigned long> part;
  if (all.size() < static_cast<std::size_t>(kDisplayW) * kDisplayH) return part;
  const Area a;
  for (int y = a.top; y < a.bottom; ++y) {
    const auto row = all.begin() + static_cast<std::ptrdiff_t>(y) * kDisplayW;
    part.insert(part.end(), row + a.left, row + a.right);
  }
  return part;
}

// The share of the pictures' pixels (0-1) whose channels differ by at most
// a few steps.
double Alike(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b) {
  if (a.empty() || a.size() != b.size()) return 0;
  std::size_t same = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const Rgb p = playrun::Split(static_cast<long>(a[i])), q = playrun::Split(static_cast<long>(b[i]));
    if (std::abs(p.r - q.r) <= 6 && std::abs(p.g - q.g) <= 6 && std::abs(p.b - q.b) <= 6) ++same;
  }
  return static_cast<double>(same) / static_cast<double>(a.size());
}

// A table picture shows the board and the cards: most of it is drawn (not
// black), and some of it is a card's light face.
bool ShowsBoardAndCards(const std::vector<unsigned long>& p) {
  std::size_t drawn = 0, light = 0;
  for (unsigned long c : p) {
    const Rgb x = playrun::Split(static_cast<long>(c));
    if (x.r + x.g + x.b > 60) ++drawn;
    if (x.r > 200 && x.g > 180 && x.b > 150) ++light;
  }
  return drawn > p.size() * 8 / 10 && light > p.size() / 50;
}

// Waits until the table stands still over a second (a deal pauses between
// its cards); the picture then, empty after the time.
std::vector<unsigned long> WaitForStillTable(ProgramHarness& h, double seconds) {
  std::vector<unsigned long> last;
  int stillPolls = 0;
  const bool still = ProgramHarness::WaitUntil(
      [&] {
        std::vector<unsigned long> now = TablePicture(h);
        stillPolls = !now.empty() && now == last ? stillPolls + 1 : 0;
        last = std::move(now);
        return stillPolls >= 4;
      },
      seconds, 0.25);
  return still ? last : std::vector<unsigned long>{};
}

// Waits until the table looks like the picture again (all but half a
// percent of it); false after the time.
bool WaitForTableLike(ProgramHarness& h, const std::vector<unsigned long>& picture, double seconds) {
  return ProgramHarness::WaitUntil([&] { return Alike(TablePicture(h), picture) >= 0.995; }, seconds, 0.25);
}

// A point on a tableau's face-up top card, found on the still table: a
// light run on a line through the tableau's top cards (a dealt column's
// only face is its top card).
bool FindTableauFace(const std::vector<unsigned long>& picture, float* vx, float* vy) {
  const Area a;
  const int width = a.right - a.left;
  const int line = kDisplayH * 38 / 100 - a.top;
  auto light = [&](int x) {
    const Rgb c = playrun::Split(static_cast<long>(picture[static_cast<std::size_t>(line * width + x)]));
    return c.r > 200 && c.g > 180 && c.b > 150;
  };
  for (int x = 0; x + 40 < width; ++x) {
    if (light(x) && light(x + 20) && light(x + 40)) {
      *vx = static_cast<float>(a.left + x + 40) * 640.0f / kDisplayW;
      *vy = static_cast<float>(kDisplayH * 38 / 100) * 480.0f / kDisplayH;
      return true;
    }
  }
  return false;
}

// One state a player can switch from: entered on the still, dealt table
// (with a point on a tableau's face-up card), and left back to it. The
// switches must bring back the dealt table's picture, or, where the state
// changes what the part compared shows (the faces hidden, a card held),
// the picture of the state taken before the first switch.
struct State {
  const char* name;
  void (*enter)(ProgramHarness&, float, float);
  bool takesPicture;
  void (*leave)(ProgramHarness&, float, float);
};

class ModeSwitchRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    harness_ = std::make_unique<ProgramHarness>(dir_ + "/home");
  }
  void TearDown() override {
    harness_.reset();
    TempDirTest::TearDown();
  }
  ProgramHarness& Program() { return *harness_; }

  // Starts the program for the player and deals Klondike; the still table
  // and a point on a tableau's face-up card are kept.
  void StartAtTheTable() {
    std::string noDeck;
    ASSERT_TRUE(TestUseNewPlayerDeck(Program().UserFolder(), &noDeck)) << noDeck;
    playrun::WritePlayer(
        Program().UserFolder(),
        [](UserRecord& r) {
          UserRecord bare;
          std::strcpy(bare.name, r.name);
          std::strcpy(bare.country, r.country);
          bare.menuGame = kKlondike;
          r = bare;
        },
        [](ResolutionSettings& s) {
          s.windowed = 0;
          s.fullWidth = kDisplayW;
          s.fullHeight = kDisplayH;
          // The window Alt+Enter gives covers the display too, so the
          // table is compared at one size.
          s.windowWidth = kDisplayW;
          s.windowHeight = kDisplayH;
        });
    ASSERT_TRUE(Program().StartDisplay(kDisplayW, kDisplayH));
    ASSERT_TRUE(Program().StartProgram());
    ASSERT_TRUE(playrun::StartToTable(Program(), shots_, "ModeSwitchStart")) << "no table; see ModeSwitchStart.png";
    table_ = WaitForStillTable(Program(), 30);
    Program().Screenshot(shots_ + "ModeSwitchTable.png");
    ASSERT_TRUE(ShowsBoardAndCards(table_)) << "the dealt table is not drawn; see ModeSwitchTable.png";
    ASSERT_TRUE(FindTableauFace(table_, &cardX_, &cardY_)) << "no card found; see ModeSwitchTable.png";
  }

  // Each state in turn: to a window and back to full screen, the table
  // coming back after each switch, then the state left.
  void SwitchFrom(const std::vector<State>& states) {
    for (const State& s : states) {
      SCOPED_TRACE(s.name);
      const std::string name = std::string("ModeSwitch_") + s.name;
      s.enter(Program(), cardX_, cardY_);
      std::vector<unsigned long> picture = table_;
      if (s.takesPicture) {
        picture = WaitForStillTable(Program(), 15);
        ASSERT_FALSE(picture.empty()) << "the table did not stand still";
      }
      for (const char* to : {"window", "full screen"}) {
        SCOPED_TRACE(to);
        ASSERT_TRUE(playrun::SwitchWithAltEnter(Program())) << "no switch to " << to << "\n" << Program().LogText();
        const bool back = WaitForTableLike(Program(), picture, 20);
        Program().Screenshot(shots_ + name + "_" + to + ".png");
        ASSERT_TRUE(back) << "the table did not come back; see " << name << "_" << to << ".png";
      }
      s.leave(Program(), cardX_, cardY_);
      ASSERT_TRUE(WaitForTableLike(Program(), table_, 20)) << "the dealt table did not come back after " << s.name;
    }
    EXPECT_FALSE(Program().LogHasError()) << Program().LogErrorLines();
  }

  const std::string shots_ = playrun::ScreenshotFolder();
  std::unique_ptr<ProgramHarness> harness_;
  std::vector<unsigned long> table_;
  float cardX_ = 0, cardY_ = 0;
};

void Nothing(ProgramHarness&, float, float) {}

TEST_F(ModeSwitchRunTest, TheTableComesBackInPlayWithTheMenuOpenAndPaused) {
  ASSERT_NO_FATAL_FAILURE(StartAtTheTable());
  SwitchFrom({
      {"nothing", Nothing, false, Nothing},
      {"the in-game menu open",
       [](ProgramHarness& p, float, float) {
         p.MoveVirtual(320, 300);
         p.MoveVirtual(610, 10);
         WaitForPixel(p, kMenuRowX, kMenuRowY, IsButtonGreen, 20);
       },
       false, [](ProgramHarness& p, float, float) { p.MoveVirtual(320, 300); }},
      {"paused", [](ProgramHarness& p, float, float) { p.Key("p"); }, true,
       [](ProgramHarness& p, float, float) { p.Key("p"); }},
  });
}

TEST_F(ModeSwitchRunTest, TheTableComesBackWithCardsInFlightAndACardHeld) {
  ASSERT_NO_FATAL_FAILURE(StartAtTheTable());
  SwitchFrom({
      // The stock's card flies to the waste, above the part compared.
      {"cards in flight", [](ProgramHarness& p, float, float) { p.ClickVirtual(kStockX, kStockY); }, false, Nothing},
      // A tableau's top card held a little off its place, and let go on it:
      // the card goes home.
      {"a card held",
       [](ProgramHarness& p, float x, float y) {
         p.MoveVirtual(x, y);
         ProgramHarness::Settle(0.2);
         p.MouseDown();
         p.MoveVirtual(x + 2, y + 2);
         p.MoveVirtual(x + 6, y + 30);
       },
       true,
       [](ProgramHarness& p, float x, float y) {
         p.MoveVirtual(x, y);
         p.MouseUp();
         ProgramHarness::Settle(0.2);
         p.MoveVirtual(320, 470);
       }},
  });
}

}  // namespace
