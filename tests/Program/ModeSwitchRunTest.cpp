// The table across a switch between full screen and a window (Alt+Enter)
// in the running program: the window and its device are made anew, and the
// board and the cards come back as they were, whatever the player was
// doing: nothing, the in-game menu open, paused, cards in flight, a card
// held in a drag. The player screens the main menu's Player leads to come
// back as they were too, after Alt+Enter and after the focus comes back in
// full screen, and their buttons still load the player. The player is
// written as the benchmark writes its own: a profile of a name, a country
// and the main menu's game, every other field as a new record holds it (no
// camera presets among them).
// Screenshots go to <build>/screenshots.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
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

// ---- The player screens across a re-creation ------------------------------------------

// Places of the 640 x 480 screen: the main menu's Scores tab (the menu is
// up) and Player; the player selection's Continue Player and Back on New
// Player; the name popup's field (gold while it is open).
constexpr float kScoresTabX = 600, kScoresTabY = 60;
constexpr float kPlayerX = 567, kPlayerY = 428;
constexpr float kContinuePlayerX = 220, kContinuePlayerY = 400;
constexpr float kNewPlayerBackX = 597, kNewPlayerBackY = 442;
constexpr float kNameFieldX = 237, kNameFieldY = 226;
constexpr const char* kTitle = "Free Cardolia 3D";

bool IsFieldGold(Rgb c) { return c.r > 100 && c.g > 70 && c.r > c.b + 60; }

// A button's place on the 640 x 480 screen, as its screen lays it out.
struct Box {
  float left, top, right, bottom;
  // A point of its green left of its centred text.
  float GreenX() const { return left + 20; }
  float MiddleY() const { return (top + bottom) / 2; }
};

// The pixels of the box in the game's window.
std::vector<unsigned long> BoxPicture(ProgramHarness& h, const playrun::GameWindow& w, const Box& b) {
  const std::vector<unsigned long> all = h.Pixels();
  std::vector<unsigned long> part;
  for (int y = w.PixelY(b.top); y < w.PixelY(b.bottom); ++y) {
    for (int x = w.PixelX(b.left); x < w.PixelX(b.right); ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * kDisplayW + static_cast<std::size_t>(x);
      if (i < all.size()) part.push_back(all[i]);
    }
  }
  return part;
}

// A screen the main menu's Player leads to, and its button that a device
// made anew must leave as it was: the loading text of a player's first
// load belongs to that load alone.
struct PlayerScreen {
  const char* name;
  float openX, openY;  // its button on the player selection (0: the selection itself)
  Box button;
  // New Player: its name popup opens first, and its Continue would make a
  // player, so the test leaves by Back; the other buttons load Ann.
  bool asksName;
};

class PlayerScreensRunTest : public ModeSwitchRunTest {
 protected:
  // Starts the program for Ann and continues to the main menu.
  void StartToTheMenu(bool windowed) {
    window_ = std::make_unique<playrun::GameWindow>(Program(), kDisplayW);
    std::string noDeck;
    ASSERT_TRUE(TestUseNewPlayerDeck(Program().UserFolder(), &noDeck)) << noDeck;
    playrun::WritePlayer(Program().UserFolder(), {}, [&](ResolutionSettings& s) {
      s.windowed = windowed ? 1 : 0;
      s.windowWidth = 1024;
      s.windowHeight = 768;
      s.fullWidth = kDisplayW;
      s.fullHeight = kDisplayH;
    });
    ASSERT_TRUE(Program().StartDisplay(kDisplayW, kDisplayH));
    ASSERT_TRUE(Program().StartProgram());
    const int width = windowed ? 1024 : kDisplayW;
    ASSERT_TRUE(Window().WaitFor([&](const ProgramHarness::WindowPlace& p) { return p.width == width; }, 30))
        << Why("PlayerScreensStart");
    ASSERT_TRUE(Window().WaitForPixel(kContinuePlayerX, kContinuePlayerY, IsButtonGreen, 60))
        << Why("PlayerScreensStart");
    Window().Click(kContinuePlayerX, kContinuePlayerY);
    ASSERT_TRUE(Window().WaitForPixel(kScoresTabX, kScoresTabY, IsButtonGreen, 240)) << Why("PlayerScreensMenu");
  }
  // From the main menu to the screen, the pointer away from its buttons;
  // the picture of its button then.
  void Open(const PlayerScreen& s, std::vector<unsigned long>* picture) {
    const std::string name = std::string("PlayerScreens") + s.name;
    Window().Click(kPlayerX, kPlayerY);
    ASSERT_TRUE(Window().WaitForPixel(kContinuePlayerX, kContinuePlayerY, IsButtonGreen, 60)) << Why(name + "Users");
    if (s.openX > 0) Window().Click(s.openX, s.openY);
    if (s.asksName) {
      ASSERT_TRUE(Window().WaitForPixel(kNameFieldX, kNameFieldY, IsFieldGold, 60)) << Why(name + "Popup");
      Program().Key("Escape");
      ASSERT_TRUE(Window().WaitForPixel(kNameFieldX, kNameFieldY, [](Rgb c) { return !IsFieldGold(c); }, 30))
          << Why(name + "Popup");
    }
    ASSERT_TRUE(Window().WaitForPixel(s.button.GreenX(), s.button.MiddleY(), IsButtonGreen, 60)) << Why(name);
    // In the display's corner: off the window, and in full screen below
    // every button of these screens. The button's picture once the light
    // of the pointer has left it: the same over four samples 0.6 s apart in all.
    Program().MovePixel(kDisplayW - 2, kDisplayH - 2);
    int same = 0;
    picture->clear();
    ASSERT_TRUE(ProgramHarness::WaitUntil(
        [&] {
          std::vector<unsigned long> now = BoxPicture(Program(), Window(), s.button);
          same = !now.empty() && now == *picture ? same + 1 : 0;
          *picture = std::move(now);
          return same >= 3;
        },
        30, 0.2))
        << Why(name + "NotStill");
    Program().Screenshot(shots_ + name + "Before.png");
  }
  // Waits until the button looks as it did; false after the time.
  bool WaitForButtonAsBefore(const PlayerScreen& s, const std::vector<unsigned long>& before) {
    return ProgramHarness::WaitUntil([&] { return Alike(BoxPicture(Program(), Window(), s.button), before) >= 0.99; },
                                     30, 0.1);
  }
  // Back to the main menu: the button where it loads the player, else the
  // screen's Back and Continue Player.
  void BackToTheMenu(const PlayerScreen& s) {
    const std::string name = std::string("PlayerScreens") + s.name;
    if (!s.asksName) {
      Window().Click(s.button.GreenX(), s.button.MiddleY());
    } else {
      Window().Click(kNewPlayerBackX, kNewPlayerBackY);
      ASSERT_TRUE(Window().WaitForPixel(kContinuePlayerX, kContinuePlayerY, IsButtonGreen, 60)) << Why(name + "Back");
      Window().Click(kContinuePlayerX, kContinuePlayerY);
    }
    ASSERT_TRUE(Window().WaitForPixel(kScoresTabX, kScoresTabY, IsButtonGreen, 120))
        << "no main menu from " << s.name << "; " << Why(name + "NoMenu");
  }
  std::string Why(const std::string& name) {
    Program().Screenshot(shots_ + name + ".png");
    return "see " + name + ".png";
  }

  playrun::GameWindow& Window() { return *window_; }

  std::unique_ptr<playrun::GameWindow> window_;
};

// Continue Player (the player selection reached from the menu), Load Player
// and New Player's Continue: Alt+Enter to full screen and back to the
// 1024 x 768 window leaves each button as it was, and Continue Player and
// Load Player still load the player.
TEST_F(PlayerScreensRunTest, AltEnterTwiceLeavesThePlayerScreensAsTheyWere) {
  ASSERT_NO_FATAL_FAILURE(StartToTheMenu(true));
  const PlayerScreen screens[] = {
      {"Selection", 0, 0, {200, 383, 441, 418}, false},  // Continue Player
      {"Load", 320, 448, {209, 405, 431, 430}, false},   // Load Player
      {"New", 124, 448, {242, 427, 399, 458}, true},     // Continue
  };
  for (const PlayerScreen& s : screens) {
    SCOPED_TRACE(s.name);
    const std::string name = std::string("PlayerScreens") + s.name;
    std::vector<unsigned long> before;
    ASSERT_NO_FATAL_FAILURE(Open(s, &before));
    for (const int width : {kDisplayW, 1024}) {
      ASSERT_TRUE(playrun::SwitchWithAltEnter(Program())) << "no switch\n" << Program().LogText();
      ASSERT_TRUE(Window().WaitFor([&](const ProgramHarness::WindowPlace& p) { return p.width == width; }, 30))
          << Why(name + "NoSwitch");
    }
    const bool asBefore = WaitForButtonAsBefore(s, before);
    Program().Screenshot(shots_ + name + "After.png");
    ASSERT_TRUE(asBefore) << "the button changed; see " << name << "Before.png and " << name << "After.png";
    ASSERT_NO_FATAL_FAILURE(BackToTheMenu(s));
  }
  EXPECT_FALSE(Program().LogHasError()) << Program().LogErrorLines();
}

// In full screen the device goes while another program has the focus and
// comes back with it: Continue Player comes back as it was, and loads.
TEST_F(PlayerScreensRunTest, TheFocusBackInFullScreenLeavesContinuePlayerAsItWas) {
  ASSERT_NO_FATAL_FAILURE(StartToTheMenu(false));
  const PlayerScreen selection{"FocusSelection", 0, 0, {200, 383, 441, 418}, false};
  std::vector<unsigned long> before;
  ASSERT_NO_FATAL_FAILURE(Open(selection, &before));
  const unsigned long id = Program().FindWindow(kTitle, 300).id;
  ASSERT_NE(id, 0u);
  ASSERT_TRUE(Program().GiveFocus(0));
  ASSERT_TRUE(Program().WaitForLog("Destroying as full screen not active", 30)) << Why("PlayerScreensFocusAway");
  ASSERT_TRUE(Program().GiveFocus(id));
  ASSERT_TRUE(Program().WaitForLog("GotActiveMsg - Done", 30)) << Why("PlayerScreensFocusBack");
  const bool asBefore = WaitForButtonAsBefore(selection, before);
  Program().Screenshot(shots_ + "PlayerScreensFocusSelectionAfter.png");
  ASSERT_TRUE(asBefore) << "Continue Player changed; see PlayerScreensFocusSelectionBefore.png and "
                           "PlayerScreensFocusSelectionAfter.png";
  ASSERT_NO_FATAL_FAILURE(BackToTheMenu(selection));
  EXPECT_FALSE(Program().LogHasError()) << Program().LogErrorLines();
}

}  // namespace
