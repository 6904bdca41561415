// Program tests: Cardolia_DX9 started as a player starts it, each run on a
// private X server with its own home folder (so these tests need no shared
// display and run beside the others); screenshots go to <build>/screenshots.
#include <signal.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "Engine/EngMisc.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

// The test executables' list of the libraries whose process-long
// allocations LeakSanitizer looks past (tests/Support/LeakSuppressions.cpp).
extern "C" const char* __lsan_default_suppressions();

namespace {

// The error lines of a log.
std::string ErrorsOf(const std::string& log) {
  std::string errors;
  std::size_t start = 0;
  while (start < log.size()) {
    const std::size_t end = log.find('\n', start);
    const std::string line = log.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (line.find(" <ERROR> ") != std::string::npos) errors += line + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return errors;
}

// Presses "Exit Game" on the player selection (again when a busy machine
// had not drawn it yet) and gives the exit code.
int ExitFromUsers(ProgramHarness& h) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    ProgramHarness::Settle(0.5);
    h.ClickVirtual(516, 448);
    const int code = h.WaitForExit(10);
    if (code != -1000) return code;
  }
  return -1000;
}

class ProgramRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
    std::filesystem::create_directories(shots_);
  }
  std::string shots_;
};

TEST_F(ProgramRunTest, FirstStartShowsThePlayerSelection) {
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  ASSERT_TRUE(h.WaitUntilDrawn(516, 448, 20));
  ProgramHarness::Settle(0.5);
  EXPECT_TRUE(h.Screenshot(shots_ + "Users.png"));
  EXPECT_TRUE(h.IsProgramRunning());
  EXPECT_EQ(ExitFromUsers(h), 0);
  EXPECT_EQ(ErrorsOf(h.LogText()), "");
}

TEST_F(ProgramRunTest, ANewPlayerTakesANameAndTheLocalCountryAndReachesTheMenu) {
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram({}, "de_DE.UTF-8"));
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  ASSERT_TRUE(h.WaitUntilDrawn(124, 448, 20));
  ProgramHarness::Settle(0.3);
  h.ClickVirtual(124, 448);  // Create New Player: the name popup opens by itself
  ProgramHarness::Settle(0.8);
  h.Type("Ann");
  ProgramHarness::Settle(0.3);
  EXPECT_TRUE(h.Screenshot(shots_ + "NewPlayerPopup.png"));
  h.Key("Return");
  ProgramHarness::Settle(0.8);
  EXPECT_TRUE(h.Screenshot(shots_ + "NewPlayer.png"));
  h.ClickVirtual(320, 293);  // Country
  ProgramHarness::Settle(0.8);
  EXPECT_TRUE(h.Screenshot(shots_ + "Country.png"));
  h.ClickVirtual(320, 442);  // Continue: back with the local country
  ProgramHarness::Settle(0.8);
  EXPECT_TRUE(h.Screenshot(shots_ + "NewPlayerCountry.png"));
  h.ClickVirtual(320, 442);  // Continue: the player is made and play starts
  // The main menu, once the player's cards are made: its page backdrop.
  ASSERT_TRUE(h.WaitUntilDrawn(630, 100, 180));
  ProgramHarness::Settle(1.0);
  EXPECT_TRUE(h.Screenshot(shots_ + "MainMenu.png"));
  EXPECT_TRUE(std::filesystem::exists(h.UserFolder() + "/Users/Ann.usr"));
  h.ClickVirtual(567, 458);  // About
  ProgramHarness::Settle(1.0);
  EXPECT_TRUE(h.Screenshot(shots_ + "About.png"));
  h.ClickVirtual(320, 399);  // OK: back to the menu
  ProgramHarness::Settle(1.0);
  h.ClickVirtual(612, 458);  // Exit
  EXPECT_EQ(h.WaitForExit(60), 0);
  EXPECT_EQ(ErrorsOf(h.LogText()), "");
}

TEST_F(ProgramRunTest, TheLastPlayerIsOfferedWithItsFlag) {
  ProgramHarness h(dir_ + "/home");
  const std::string users = h.UserFolder() + "/Users";
  std::filesystem::create_directories(users);
  EngEncryptionInit("Mplx4QoragZn_265");
  UserRecord ann;
  std::strcpy(ann.name, "Ann");
  std::strcpy(ann.country, "Germany");
  std::uint8_t bytes[kUserRecordFileSize];
  UserRecordToBytes(ann, bytes);
  ASSERT_TRUE(EngEncryptionEncryptAndWriteToFile((users + "/Ann.usr").c_str(), bytes, sizeof bytes));
  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  ASSERT_TRUE(h.WaitUntilDrawn(320, 400, 20));
  // The screen fades in with the splash panel: full colour after 2.4 s.
  ProgramHarness::Settle(2.6);
  EXPECT_TRUE(h.Screenshot(shots_ + "UsersContinue.png"));
  // Germany's flag right of "Continue Player: Ann": black, red, gold bands.
  const float flagX = 443 + 5 + 12.5f;
  const long top = h.PixelVirtual(flagX, 381 + 8), middle = h.PixelVirtual(flagX, 381 + 20),
             bottom = h.PixelVirtual(flagX, 381 + 32);
  auto red = [](long c) { return (c >> 16) & 0xFF; };
  auto green = [](long c) { return (c >> 8) & 0xFF; };
  EXPECT_LT(red(top), 60);
  EXPECT_GT(red(middle), 150);
  EXPECT_LT(green(middle), 60);
  EXPECT_GT(green(bottom), 150);
  EXPECT_EQ(ExitFromUsers(h), 0);
  EXPECT_EQ(ErrorsOf(h.LogText()), "");
}

// A settings file of version 4.82 that asks for nothing at start-up: no
// dialog, the update checked today, the Internet test passed.
void WriteQuietSettings(const std::string& folder) {
  std::filesystem::create_directories(folder);
  ResolutionSetDefaults();
  g_ResolutionSettings.showDialog = 0;
  EngMiscGetLocalDate(&g_ResolutionSettings.lastUpdateCheck);
  g_ResolutionSettings.httpTest = 1;
  g_ResolutionSettings.fullWidth = 1024;
  g_ResolutionSettings.fullHeight = 768;
  std::uint8_t bytes[kResolutionFileSize];
  ResolutionToBytes(g_ResolutionSettings, bytes);
  std::FILE* f = std::fopen((folder + "/Resolution.dat").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes, 1, sizeof bytes, f);
  std::fclose(f);
}

int ShowDialogOnDisk(const ProgramHarness& h) {
  std::FILE* f = std::fopen((h.UserFolder() + "/Resolution.dat").c_str(), "rb");
  if (!f) return -1;
  unsigned char bytes[kResolutionFileSize];
  const std::size_t n = std::fread(bytes, 1, sizeof bytes, f);
  std::fclose(f);
  return n == kResolutionFileSize ? bytes[8] : -1;
}

TEST_F(ProgramRunTest, TheSettingsAskForTheDialogWhileTheProgramRuns) {
  ProgramHarness h(dir_ + "/home");
  WriteQuietSettings(h.UserFolder());
  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  EXPECT_EQ(h.LogText().find("Start-up dialog ended"), std::string::npos);
  EXPECT_EQ(h.UpdateService().RequestCount("/cgi-bin/common/updater/CheckVersionV2.cgi"), 0);
  EXPECT_EQ(ShowDialogOnDisk(h), 1);  // running: a crash would show the dialog
  EXPECT_EQ(ExitFromUsers(h), 0);
  EXPECT_EQ(ShowDialogOnDisk(h), 0);  // a clean end stores the real value

  // A killed run leaves the file asking for the dialog.
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  h.KillProgram();
  EXPECT_EQ(ShowDialogOnDisk(h), 1);

  // The command line CONFIGURATION asks for the configuration whatever the
  // settings say.
  WriteQuietSettings(h.UserFolder());
  ASSERT_TRUE(h.StartProgram({"CONFIGURATION"}));
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  EXPECT_NE(h.LogText().find("Start-up dialog ended with 1"), std::string::npos);
  EXPECT_EQ(ExitFromUsers(h), 0);
}

// Display values the display does not offer, as a damaged or foreign
// settings file holds them: anti-aliasing 99 once ended the start with 255,
// a full screen of 1 x 1 was taken as it was. The start goes on in what the
// display offers (the harness's display: 1024 x 768).
TEST_F(ProgramRunTest, SettingsTheDisplayDoesNotOfferAreHeldToItsModes) {
  struct Case {
    const char* what;
    void (*change)(ResolutionSettings&);
    const char* applied;  // in the log's RESOLUTION2 line
  } cases[] = {
      {"window anti-aliasing 99", [](ResolutionSettings& s) { s.windowed = 1, s.windowMsType = 99; }, "Windowed: 1"},
      {"full screen of 1 x 1 with anti-aliasing 99",
       [](ResolutionSettings& s) { s.windowed = 0, s.fullWidth = s.fullHeight = 1, s.fullMsType = 99; },
       "Windowed: 0  W:1024  H:768  B:32"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramHarness h(dir_ + "/home-" + std::to_string(&c - cases));
    WriteQuietSettings(h.UserFolder());
    c.change(g_ResolutionSettings);
    std::uint8_t bytes[kResolutionFileSize];
    ResolutionToBytes(g_ResolutionSettings, bytes);
    std::FILE* f = std::fopen((h.UserFolder() + "/Resolution.dat").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    ASSERT_TRUE(h.StartDisplay());
    ASSERT_TRUE(h.StartProgram());
    ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20)) << h.LogText();
    ASSERT_TRUE(h.WaitUntilDrawn(516, 448, 20));
    const std::string log = h.LogText();
    const std::string applied = log.substr(log.find("RESOLUTION2"));
    EXPECT_NE(applied.find(c.applied), std::string::npos) << applied;
    EXPECT_EQ(applied.find(" 99"), std::string::npos) << applied;
    EXPECT_NE(log.find("is not offered"), std::string::npos);
    EXPECT_EQ(ExitFromUsers(h), 0);
  }
}

// SIGTERM and SIGINT end the run through the shutdown, as Exit does: the
// settings file then holds the real show-dialog value, not the one a crash
// leaves.
TEST_F(ProgramRunTest, ASignalAtThePlayerSelectionEndsThroughTheShutdown) {
  for (const int signalNumber : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signalNumber);
    ProgramHarness h(dir_ + "/home" + std::to_string(signalNumber));
    WriteQuietSettings(h.UserFolder());
    ASSERT_TRUE(h.StartDisplay());
    ASSERT_TRUE(h.StartProgram());
    ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
    ASSERT_TRUE(h.WaitUntilDrawn(516, 448, 20));
    EXPECT_EQ(ShowDialogOnDisk(h), 1);
    ASSERT_TRUE(h.SignalProgram(signalNumber));
    EXPECT_EQ(h.WaitForExit(30), 0);
    EXPECT_NE(h.LogText().find("CLOSING DOWN"), std::string::npos) << h.LogText();
    EXPECT_EQ(ShowDialogOnDisk(h), 0);
    EXPECT_EQ(ErrorsOf(h.LogText()), "");
  }
}

// A signal while the start-up dialog is up (no game window yet) leaves the
// dialog to the player; once it is answered and the game window exists, the
// run ends through the shutdown.
TEST_F(ProgramRunTest, ASignalDuringTheStartupDialogEndsTheRunOnceTheWindowExists) {
  ProgramHarness h(dir_ + "/home");
  WriteQuietSettings(h.UserFolder());
  ASSERT_TRUE(h.StartDisplay(1024, 768));
  h.SetProgramEnv("CARDOLIA_HEADLESS", "0");
  h.SetProgramEnv("NO_AT_BRIDGE", "1");
  // GTK's font caches live as long as the program: in a sanitized build
  // the program is told to look past them as the tests are.
  const std::string suppressions = dir_ + "/leaks.supp";
  std::ofstream(suppressions) << __lsan_default_suppressions();
  h.SetProgramEnv("LSAN_OPTIONS", "suppressions=" + suppressions);
  ASSERT_TRUE(h.StartProgram({"CONFIGURATION"}));
  ProgramHarness::WindowPlace dialog;
  for (double waited = 0; waited < 60 && !dialog.id; waited += 0.1) {
    dialog = h.FindWindow("Free Cardolia 3D", 300);
    if (!dialog.id) ProgramHarness::Settle(0.1);
  }
  ASSERT_NE(dialog.id, 0u) << h.LogText();
  ASSERT_TRUE(h.SignalProgram(SIGTERM));
  // Play (the dialog is 254 units wide; Play's middle at 126, 255).
  const double scale = static_cast<double>(dialog.width) / 254;
  ASSERT_TRUE(h.ClickPixel(dialog.x + static_cast<int>(std::lround(126 * scale)),
                           dialog.y + static_cast<int>(std::lround(255 * scale))));
  EXPECT_EQ(h.WaitForExit(60), 0) << h.LogText();
  const std::string log = h.LogText();
  const std::size_t played = log.find("Start-up dialog ended with 1");
  EXPECT_NE(played, std::string::npos) << log;
  EXPECT_NE(log.find("RESOLUTION2", played), std::string::npos) << log;  // the game window came
  EXPECT_NE(log.find("CLOSING DOWN", played), std::string::npos) << log;
  EXPECT_EQ(ShowDialogOnDisk(h), 0);
}

TEST_F(ProgramRunTest, NoWindowEndsWithAFailureCode) {
  ProgramHarness h(dir_ + "/home");
  h.SetProgramEnv("SDL_VIDEODRIVER", "none");  // no video: the window cannot be made
  ASSERT_TRUE(h.StartProgram());
  EXPECT_EQ(h.WaitForExit(30), 255);
}

}  // namespace
