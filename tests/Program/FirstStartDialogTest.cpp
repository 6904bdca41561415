// The first start as a player sees it on a display: no settings file, so
// the program shows the start-up dialog on GTK, and after Window and Play
// opens the game in a window, where the update check (loopback: no new
// version) and then the Internet test run with their boxes over it, with
// the choices and the test's outcome stored.
// Screenshots: <build>/screenshots/first-start-dialog.png and
// first-start-window.png.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

// The test executables' list of the libraries whose process-long
// allocations LeakSanitizer looks past (tests/Support/LeakSuppressions.cpp).
extern "C" const char* __lsan_default_suppressions();

namespace {

constexpr const char* kTitle = "Free Cardolia 3D";
constexpr int kDialogUnitsWide = 254;

// Waits for a window of the title at least minHeight high.
ProgramHarness::WindowPlace WaitForWindow(ProgramHarness& h, const char* title, int minHeight, double seconds) {
  for (double waited = 0; waited < seconds; waited += 0.1) {
    const ProgramHarness::WindowPlace place = h.FindWindow(title, minHeight);
    if (place.id) return place;
    ProgramHarness::Settle(0.1);
  }
  return {};
}

class FirstStartDialogTest : public TempDirTest {};

TEST_F(FirstStartDialogTest, WindowAndPlayStartTheGameInAWindowAfterTheInternetTest) {
  const std::string shots = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
  std::filesystem::create_directories(shots);
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(h.StartDisplay(1024, 768));
  h.SetProgramEnv("CARDOLIA_HEADLESS", "0");
  h.SetProgramEnv("NO_AT_BRIDGE", "1");
  // GTK's font caches live as long as the program: in a sanitized build
  // the program is told to look past them as the tests are.
  const std::string suppressions = dir_ + "/leaks.supp";
  std::ofstream(suppressions) << __lsan_default_suppressions();
  h.SetProgramEnv("LSAN_OPTIONS", "suppressions=" + suppressions);
  ASSERT_TRUE(h.StartProgram());

  // The dialog, taller than the update check's small window, once it has
  // stopped moving (it is laid out, then resized and centred).
  ProgramHarness::WindowPlace dialog = WaitForWindow(h, kTitle, 300, 60);
  ASSERT_NE(dialog.id, 0u) << h.LogText();
  for (int look = 0; look < 20; ++look) {
    ProgramHarness::Settle(0.5);
    const ProgramHarness::WindowPlace now = h.FindWindow(kTitle, 300);
    const bool still = now.x == dialog.x && now.y == dialog.y && now.width == dialog.width;
    dialog = now;
    if (still) break;
  }
  EXPECT_TRUE(h.Screenshot(shots + "first-start-dialog.png"));
  // Nothing is asked of the site before the game window.
  EXPECT_EQ(h.UpdateService().RequestCount("/cgi-bin/common/updater/CheckVersionV2.cgi"), 0);

  // Dialog units to pixels: the window is 254 units wide.
  const double scale = static_cast<double>(dialog.width) / kDialogUnitsWide;
  const auto at = [&](double ux, double uy) {
    return std::make_pair(dialog.x + static_cast<int>(std::lround(ux * scale)),
                          dialog.y + static_cast<int>(std::lround(uy * scale)));
  };
  const auto window = at(127 + 6, 108 + 7);  // the "Window" radio button's mark
  ASSERT_TRUE(h.ClickPixel(window.first, window.second));
  ProgramHarness::Settle(0.5);
  const auto play = at(7 + 119, 243 + 12);
  ASSERT_TRUE(h.ClickPixel(play.first, play.second));

  // The Internet test: two boxes that explain, then the passed box.
  for (int box = 0; box < 3; ++box) {
    const ProgramHarness::WindowPlace shown = WaitForWindow(h, "Internet Test", 0, 30);
    if (!shown.id) h.Screenshot(shots + "first-start-no-box.png");
    ASSERT_NE(shown.id, 0u) << "box " << box << "\n" << h.LogText();
    ProgramHarness::Settle(0.3);
    ASSERT_TRUE(h.KeyInto(shown.id, "Return"));
    for (double waited = 0; waited < 10 && h.FindWindow("Internet Test").id == shown.id; waited += 0.1) {
      ProgramHarness::Settle(0.1);
    }
  }

  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 60)) << h.LogText();
  EXPECT_TRUE(h.WaitUntilDrawn(516, 448, 30));  // the player selection's "Exit Game"
  ProgramHarness::Settle(1.0);
  EXPECT_TRUE(h.Screenshot(shots + "first-start-window.png"));

  // Stored: a window, and the test passed (the file is written as soon as
  // the test has passed).
  std::FILE* f = std::fopen((h.UserFolder() + "/Resolution.dat").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char bytes[kResolutionFileSize] = {};
  ASSERT_EQ(std::fread(bytes, 1, sizeof bytes, f), sizeof bytes);
  std::fclose(f);
  EXPECT_EQ(bytes[20], 1);   // windowed
  EXPECT_EQ(bytes[312], 1);  // the HTTP test passed
  EXPECT_EQ(h.UpdateService().RequestCount("/cgi-bin/common/updater/CheckVersionV2.cgi"), 2);

  // "Exit Game" ends the run normally (again when a busy machine had not drawn it yet).
  int code = -1000;
  for (int attempt = 0; attempt < 4 && code == -1000; ++attempt) {
    h.ClickVirtual(516, 448);
    code = h.WaitForExit(10);
  }
  EXPECT_EQ(code, 0);
}

}  // namespace
