// The Internet test's message boxes as a player meets them at the first
// start, on screens of two sizes and over a window away from the screen's
// corner, with the site never answering: each box lies inside the screen
// whatever fonts the system has (its lines wrapped) and stands on the
// middle of the game's window, what a closed box covered on the game's
// window is drawn again before the next box comes, and a box still up when
// the game is killed goes with it.
// Screenshots: <build>/screenshots/internet-test-box-<name>.png.
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/HttpTestServer.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

// The test executables' list of the libraries whose process-long
// allocations LeakSanitizer looks past (tests/Support/LeakSuppressions.cpp).
extern "C" const char* __lsan_default_suppressions();

namespace {

constexpr const char* kCheckPath = "/cgi-bin/common/updater/CheckVersionV2.cgi";

using Place = ProgramHarness::WindowPlace;
using Screen = std::vector<unsigned long>;

// A box as it was seen: its window and the whole screen while it was up.
struct Box {
  Place place;
  Screen screen;
};

bool Inside(const Place& box, int width, int height) {
  return box.x >= 0 && box.y >= 0 && box.x + box.width <= width && box.y + box.height <= height;
}

bool Contains(const Place& box, int x, int y) {
  return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
}

// How many pixels of the place on the screen (what of it is on the screen)
// pass the test, and how many there are.
int CountIn(const Place& place, int width, int height, const std::function<bool(int x, int y)>& test,
            int* all = nullptr) {
  int count = 0, pixels = 0;
  for (int y = std::max(place.y, 0); y < std::min(place.y + place.height, height); ++y) {
    for (int x = std::max(place.x, 0); x < std::min(place.x + place.width, width); ++x) {
      ++pixels;
      count += test(x, y) ? 1 : 0;
    }
  }
  if (all) *all = pixels;
  return count;
}

// True when the screen shows something else than the box in its place
// (the box went, or another one came there: the same grey, other words).
bool Changed(const Box& box, const Screen& screen, int width, int height) {
  if (screen.size() != box.screen.size()) return false;
  int all = 0;
  const int changed = CountIn(
      box.place, width, height,
      [&](int x, int y) {
        const std::size_t at = static_cast<std::size_t>(y) * width + x;
        return screen[at] != box.screen[at];
      },
      &all);
  return changed * 200 > all;
}

// How far the box's middle stands from the window's, in pixels (the larger
// of the two directions). Twice the offsets, so that odd sizes count whole.
int OffMiddle(const Place& box, const Place& window) {
  const int dx = std::abs((2 * box.x + box.width) - (2 * window.x + window.width));
  const int dy = std::abs((2 * box.y + box.height) - (2 * window.y + window.height));
  return (std::max(dx, dy) + 1) / 2;
}

bool SamePlace(const Place& a, const Place& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The boxes on one program's screen.
class BoxWatch {
 public:
  BoxWatch(ProgramHarness& h, int width, int height) : h_(h), width_(width), height_(height) {}

  // Waits for a box titled so, drawn (most of it not black) and not the one
  // before; its place is 0 after the time.
  Box WaitFor(const char* title, const Box& before, double seconds) {
    Box box;
    const auto shown = [&] {
      box.place = h_.FindWindow(title);
      if (!box.place.id) return false;
      box.screen = h_.Pixels();
      if (box.screen.size() != static_cast<std::size_t>(width_) * height_) return false;
      int all = 0;
      const int drawn = CountIn(
          box.place, width_, height_,
          [&](int x, int y) { return box.screen[static_cast<std::size_t>(y) * width_ + x] != 0; }, &all);
      return drawn * 2 > all && (before.screen.empty() || !SamePlace(box.place, before.place) ||
                                 Changed(before, box.screen, width_, height_));
    };
    if (!ProgramHarness::WaitUntil(shown, seconds, 0.1)) box.place = {};
    return box;
  }

  // Answers the box with a key, again when the box has not taken it (one
  // that has just appeared may not have yet).
  bool Answer(const Box& box, const char* key) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      h_.KeyInto(box.place.id, key);
      if (ProgramHarness::WaitUntil([&] { return Changed(box, h_.Pixels(), width_, height_); }, 8, 0.1)) {
        return true;
      }
    }
    return false;
  }

 private:
  ProgramHarness& h_;
  int width_, height_;
};

class InternetTestBoxesRunTest : public TempDirTest {};

TEST_F(InternetTestBoxesRunTest, EveryBoxFitsTheScreenStandsOnTheWindowLeavesNothingBehindAndGoesWithTheGame) {
  const std::string shots = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
  std::filesystem::create_directories(shots);
  const std::string suppressions = dir_ + "/leaks.supp";
  std::ofstream(suppressions) << __lsan_default_suppressions();
  struct Case {
    const char* name;
    int width, height;
    Place window;             // the settings' window (width 0: the first start's full screen)
    bool killedAtTheLastBox;  // else the last box is answered No
  };
  const Case cases[] = {
      {"1024", 1024, 768, {}, false},
      {"1280", 1280, 1024, {}, true},
      {"window-128", 1024, 768, {0, 128, 128, 800, 600}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramHarness h(dir_ + "/home-" + c.name);
    BoxWatch boxes(h, c.width, c.height);
    HttpTestReply silent;
    silent.stallBeforeHeaders = true;
    h.UpdateService().SetReply(kCheckPath, silent);
    if (c.window.width > 0) {
      // A player's settings that ask for the start-up dialog and the test.
      playrun::WritePlayer(h.UserFolder(), {}, [&](ResolutionSettings& s) {
        s.showDialog = 1;
        s.httpTest = 255;
        s.windowed = 1;
        s.windowX = c.window.x;
        s.windowY = c.window.y;
        s.windowWidth = c.window.width;
        s.windowHeight = c.window.height;
      });
    }
    ASSERT_TRUE(h.StartDisplay(c.width, c.height));
    h.SetProgramEnv("CARDOLIA_HEADLESS", "0");
    h.SetProgramEnv("NO_AT_BRIDGE", "1");
    // GTK's font caches live as long as the program: in a sanitized build
    // the program is told to look past them as the tests are.
    h.SetProgramEnv("LSAN_OPTIONS", "suppressions=" + suppressions);
    ASSERT_TRUE(h.StartProgram());  // the dialog, then the Internet test
    const Place dialog = h.WaitForStartupDialog(90);
    ASSERT_NE(dialog.id, 0u) << "the start-up dialog drawn\n" << h.LogText();
    ASSERT_TRUE(h.ClickInDialog(dialog, 126, 255));  // Play

    // What the test is for, then the note on firewalls.
    const Box first = boxes.WaitFor("Internet Test", Box(), 90);
    ASSERT_NE(first.place.id, 0u) << "the first box\n" << h.LogText();
    // The game's window (the screen in full screen): each box stands on
    // its middle, whatever size the fonts give the box.
    const Place window = h.FindWindow("Free Cardolia 3D", 300);
    ASSERT_NE(window.id, 0u) << "the game's window";
    if (c.window.width > 0) {
      EXPECT_EQ(window.x, c.window.x);
      EXPECT_EQ(window.y, c.window.y);
    }
    const auto onTheWindow = [&](const Box& box) {
      EXPECT_TRUE(Inside(box.place, c.width, c.height))
          << box.place.x << ", " << box.place.y << " " << box.place.width << " x " << box.place.height;
      EXPECT_LE(OffMiddle(box.place, window), 2)
          << "the box at " << box.place.x << ", " << box.place.y << " (" << box.place.width << " x "
          << box.place.height << ") on the window at " << window.x << ", " << window.y << " (" << window.width
          << " x " << window.height << ")";
    };
    onTheWindow(first);
    h.Screenshot(shots + "internet-test-box-" + c.name + ".png");
    ASSERT_TRUE(boxes.Answer(first, "Return"));
    const Box second = boxes.WaitFor("Internet Test", first, 30);
    ASSERT_NE(second.place.id, 0u) << "the second box";
    onTheWindow(second);
    // Where the first box was and the second is not, the game's window is
    // drawn again: none of the first box's pixels stays there. (A first box
    // wholly under the second, as boxes of one size are, leaves nothing.)
    const auto leftOfFirst = [&](const Screen& screen) {
      return CountIn(first.place, c.width, c.height, [&](int x, int y) {
        const std::size_t at = static_cast<std::size_t>(y) * c.width + x;
        return !Contains(second.place, x, y) && screen[at] == first.screen[at];
      });
    };
    const int uncovered =
        CountIn(first.place, c.width, c.height, [&](int x, int y) { return !Contains(second.place, x, y); });
    EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return leftOfFirst(h.Pixels()) * 20 <= uncovered; }, 3))
        << leftOfFirst(h.Pixels()) << " pixels of the first box left on the game's window";
    ASSERT_TRUE(boxes.Answer(second, "Return"));

    // The site does not answer: after the wait, the failure and the
    // question whether to try again.
    const Box failed = boxes.WaitFor("Internet Test Failed", second, 60);
    ASSERT_NE(failed.place.id, 0u) << "the failure box\n" << h.LogText();
    onTheWindow(failed);
    ASSERT_TRUE(boxes.Answer(failed, "Return"));
    const Box again = boxes.WaitFor("Internet Test Failed", failed, 30);
    ASSERT_NE(again.place.id, 0u) << "the question whether to try again";
    onTheWindow(again);

    if (c.killedAtTheLastBox) {
      h.KillProgram();
      EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return h.FindWindow("Internet Test Failed").id == 0; }, 10))
          << "the box stayed after the game was killed";
    } else {
      ASSERT_TRUE(boxes.Answer(again, "Escape"));  // No: play without the Internet features
      EXPECT_TRUE(h.WaitUntilDrawn(516, 448, 30));  // the player selection's "Exit Game"
      EXPECT_TRUE(h.IsProgramRunning());
    }
  }
}

}  // namespace
