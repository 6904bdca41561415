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
#include <utility>
#include <vector>

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

  // The dialog, taller than the update check's small window, laid out in its
  // final place and drawn: the "Window" radio button (at dialog units 133,
  // 115; the window is 254 units wide) shows its white inside there. The
  // dialog is laid out, then resized and centred, which on a busy machine
  // may take a while.
  ProgramHarness::WindowPlace dialog;
  const auto at = [&](double ux, double uy) {
    const double scale = static_cast<double>(dialog.width) / kDialogUnitsWide;
    return std::make_pair(dialog.x + static_cast<int>(std::lround(ux * scale)),
                          dialog.y + static_cast<int>(std::lround(uy * scale)));
  };
  // The pixels across the radio button's middle passing a test.
  const auto countAcrossWindowRadio = [&](const std::vector<unsigned long>& pixels, bool (*test)(unsigned long)) {
    const auto mark = at(127 + 6, 108 + 7);
    int count = 0;
    for (int x = mark.first - 8; x <= mark.first + 8 && !pixels.empty(); ++x) {
      count += test(pixels[static_cast<std::size_t>(mark.second) * 1024 + static_cast<std::size_t>(x)]) ? 1 : 0;
    }
    return count;
  };
  const auto isWhite = [](unsigned long c) { return (c & 0xFFFFFF) == 0xFFFFFF; };
  const auto isBlue = [](unsigned long c) { return (c & 0xFF) > ((c >> 16) & 0xFF) + 60; };
  ASSERT_TRUE(ProgramHarness::WaitUntil(
      [&] {
        dialog = h.FindWindow(kTitle, 300);
        return dialog.id != 0 && countAcrossWindowRadio(h.Pixels(), isWhite) >= 5;
      },
      60, 0.2))
      << "the start-up dialog drawn\n" << h.LogText();
  h.Screenshot(shots + "first-start-dialog.png");
  // Nothing is asked of the site before the game window.
  EXPECT_EQ(h.UpdateService().RequestCount("/cgi-bin/common/updater/CheckVersionV2.cgi"), 0);

  // Window chosen: its radio button is filled blue.
  const auto window = at(127 + 6, 108 + 7);
  ASSERT_TRUE(h.ClickPixel(window.first, window.second));
  EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return countAcrossWindowRadio(h.Pixels(), isBlue) >= 3; }, 20))
      << "the Window choice marked";
  const auto play = at(7 + 119, 243 + 12);
  ASSERT_TRUE(h.ClickPixel(play.first, play.second));

  // The Internet test: two boxes that explain, then the passed box; each
  // answered with Return (again while a box that has just appeared has not
  // taken it).
  for (int box = 0; box < 3; ++box) {
    const ProgramHarness::WindowPlace shown = h.WaitForWindow("Internet Test", 0, 30);
    if (!shown.id) h.Screenshot(shots + "first-start-no-box.png");
    ASSERT_NE(shown.id, 0u) << "box " << box << "\n" << h.LogText();
    bool answered = false;
    for (int attempt = 0; attempt < 10 && !answered; ++attempt) {
      h.KeyInto(shown.id, "Return");
      answered = ProgramHarness::WaitUntil([&] { return h.FindWindow("Internet Test").id != shown.id; }, 2);
    }
    ASSERT_TRUE(answered) << "box " << box << " answered";
  }

  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 60)) << h.LogText();
  EXPECT_TRUE(h.WaitUntilDrawn(516, 448, 30));  // the player selection's "Exit Game"
  h.Screenshot(shots + "first-start-window.png");

  // Stored: a window, and the test passed (the file is written once the
  // passed box is answered, which a busy program does a while after the
  // box has gone).
  unsigned char bytes[kResolutionFileSize] = {};
  const auto read = [&] {
    std::FILE* f = std::fopen((h.UserFolder() + "/Resolution.dat").c_str(), "rb");
    if (!f) return false;
    const bool whole = std::fread(bytes, 1, sizeof bytes, f) == sizeof bytes;
    std::fclose(f);
    return whole;
  };
  ProgramHarness::WaitUntil([&] { return read() && bytes[312] == 1; }, 30);
  ASSERT_TRUE(read());
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
