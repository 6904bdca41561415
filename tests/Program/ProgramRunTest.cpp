// Program tests: Cardolia_DX9 started as a player starts it, each run on a
// private X server with its own home folder (so these tests need no shared
// display and run beside the others); screenshots go to <build>/screenshots.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "Engine/EngMisc.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Game/UserRecord.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

// The test executables' list of the libraries whose process-long
// allocations LeakSanitizer looks past (tests/Support/LeakSuppressions.cpp).
extern "C" const char* __lsan_default_suppressions();

namespace {

// The colours the tests look for, by red, green and blue.
bool IsButtonGreen(int r, int g, int b) { return g > r + 25 && g > b + 15; }
// A title with nothing over it, and the same dimmed under a popup.
bool IsBrightGold(int r, int g, int b) { return r > 200 && g > 170 && b < 150; }
// The gold frame of a dialog such as About.
bool IsFrameGold(int r, int g, int b) { return r > 160 && g > 130 && b < 120 && r > b + 60; }
// The field of a text popup.
bool IsGold(int r, int g, int b) { return r > 100 && g > 70 && r > b + 60; }
// Light text on a button.
bool IsLightText(int r, int g, int b) { return r > 150 && g > 150 && b > 150; }
// Germany's flag: black, red and gold bands.
bool IsFlagBlack(int r, int g, int b) { return r < 60 && g < 60 && b < 60; }
bool IsFlagRed(int r, int g, int b) { return r > 150 && g < 60 && b < 60; }
bool IsFlagGold(int r, int g, int b) { return r > 150 && g > 150 && b < 60; }

// The player selection's "Exit Game" and the main menu's title (top left).
constexpr float kExitGameX = 516, kExitGameY = 448;
constexpr float kMenuTitleX = 25, kMenuTitleY = 22.5f;

// Germany's three bands in a flag whose middle is at (x, y), the bands
// a given height apart, once drawn in full colour.
bool WaitForGermanFlag(ProgramHarness& h, float x, float y, float band, double seconds) {
  return h.WaitForPixel(x, y - band, IsFlagBlack, seconds) && h.WaitForPixel(x, y, IsFlagRed, seconds) &&
         h.WaitForPixel(x, y + band, IsFlagGold, seconds);
}

// The values of the log's "START STATE: [Name: value  Name: value]" line by
// name; empty when the line is missing.
std::map<std::string, std::string> StartState(const std::string& log) {
  std::map<std::string, std::string> values;
  const std::size_t at = log.find("START STATE: [");
  if (at == std::string::npos) return values;
  const std::size_t end = log.find(']', at);
  std::istringstream fields(log.substr(at + 14, end == std::string::npos ? std::string::npos : end - at - 14));
  std::string name, value;
  while (fields >> name >> value) values[name.substr(0, name.size() - 1)] = value;
  return values;
}

// Presses "Exit Game" on the player selection once it is drawn (again when
// the screen had not taken the press yet) and gives the exit code.
int ExitFromUsers(ProgramHarness& h) {
  if (!h.WaitForPixel(kExitGameX, kExitGameY, IsButtonGreen, 30)) return -1001;
  for (int attempt = 0; attempt < 4; ++attempt) {
    h.ClickVirtual(kExitGameX, kExitGameY);
    const int code = h.WaitForExit(10);
    if (code != -1000) return code;
  }
  return -1000;
}

// The stored profile of a player.
bool ReadPlayer(const ProgramHarness& h, const std::string& name, UserRecord* player) {
  std::uint8_t bytes[kUserRecordFileSize];
  EngEncryptionInit("Mplx4QoragZn_265");
  if (!EngEncryptionReadFromFileAndDecrypt((h.UserFolder() + "/Users/" + name + ".usr").c_str(), bytes,
                                           sizeof bytes)) {
    return false;
  }
  UserRecordFromBytes(bytes, player);
  return true;
}

class ProgramRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
    std::filesystem::create_directories(shots_);
  }
  // A screenshot for a person to look at; the tests assert on the pixels.
  void Shot(ProgramHarness& h, const char* name) { h.Screenshot(shots_ + name); }
  std::string shots_;
};

TEST_F(ProgramRunTest, FirstStartShowsThePlayerSelection) {
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  // Its two buttons: Create New Player and Exit Game; no player to continue.
  ASSERT_TRUE(h.WaitForPixel(kExitGameX, kExitGameY, IsButtonGreen, 20)) << "Exit Game";
  EXPECT_TRUE(h.WaitForPixel(40, 448, IsButtonGreen, 20)) << "Create New Player";
  Shot(h, "Users.png");
  const long middle = h.PixelVirtual(320, 400);  // where "Continue Player" would be
  EXPECT_FALSE(IsButtonGreen(static_cast<int>((middle >> 16) & 0xFF), static_cast<int>((middle >> 8) & 0xFF),
                             static_cast<int>(middle & 0xFF)));
  EXPECT_TRUE(h.IsProgramRunning());
  EXPECT_EQ(ExitFromUsers(h), 0);
  EXPECT_EQ(h.LogErrorLines(), "");
}

TEST_F(ProgramRunTest, ANewPlayerTakesANameAndTheLocalCountryAndReachesTheMenu) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram({}, "de_DE.UTF-8"));
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  ASSERT_TRUE(h.WaitForPixel(40, 448, IsButtonGreen, 20)) << "Create New Player";
  h.ClickVirtual(124, 448);  // Create New Player: the name popup opens by itself
  ASSERT_TRUE(h.WaitForPixel(237, 226, IsGold, 20)) << "the name popup's field";
  h.Type("Ann");
  EXPECT_TRUE(h.WaitForPixelIn(300, 220, 340, 233, IsLightText, 20)) << "the name typed into the popup";
  Shot(h, "NewPlayerPopup.png");
  h.Key("Return");
  ASSERT_TRUE(h.WaitForPixel(237, 226, [](int r, int g, int b) { return !IsGold(r, g, b); }, 20))
      << "the name popup closed";
  // The new player's screen: the name, and the country of the locale with
  // its flag.
  EXPECT_TRUE(h.WaitForPixelIn(300, 212, 340, 224, IsLightText, 20)) << "the name on the screen";
  EXPECT_TRUE(WaitForGermanFlag(h, 415, 293.1f, 8.75f, 20)) << "Germany's flag";
  Shot(h, "NewPlayer.png");
  h.ClickVirtual(320, 293);  // Country: the list opens on the local country
  EXPECT_TRUE(h.WaitForPixel(187.5f, 221.9f, [](int r, int g, int b) { return g > 65 && g > r + 20 && b > 50; }, 20))
      << "the chosen row of the country list";
  EXPECT_TRUE(WaitForGermanFlag(h, 160, 221.9f, 5.6f, 20)) << "Germany's flag in the chosen row";
  Shot(h, "Country.png");
  h.ClickVirtual(320, 442);  // Continue: back with the local country
  ASSERT_TRUE(h.WaitForPixelIn(300, 212, 340, 224, IsLightText, 20)) << "back on the new player's screen";
  EXPECT_TRUE(WaitForGermanFlag(h, 415, 293.1f, 8.75f, 20)) << "Germany's flag";
  Shot(h, "NewPlayerCountry.png");
  h.ClickVirtual(320, 442);  // Continue: the player is made and play starts
  // The main menu: its title and page.
  ASSERT_TRUE(h.WaitForPixel(kMenuTitleX, kMenuTitleY, IsBrightGold, 180)) << "the main menu";
  EXPECT_TRUE(h.WaitUntilDrawn(630, 100, 20));
  Shot(h, "MainMenu.png");
  // The profile holds the name and the country of the locale.
  UserRecord ann;
  ASSERT_TRUE(ReadPlayer(h, "Ann", &ann));
  EXPECT_STREQ(ann.name, "Ann");
  EXPECT_STREQ(ann.country, "Germany");
  // What the start-up steps set up, as the running program reports it: the
  // cards fly at the player's speed and every move's end reaches the game.
  ASSERT_TRUE(h.WaitForLog("START STATE:", 30));
  std::map<std::string, std::string> state = StartState(h.LogText());
  EXPECT_EQ(state["Encryption"], "1");
  EXPECT_EQ(state["Languages"], "1");
  EXPECT_EQ(state["Layouts"], "1");
  EXPECT_EQ(state["Toolkit"], "1");
  EXPECT_GT(std::atoi(state["Screens"].c_str()), 20);
  EXPECT_EQ(state["Game"], "1");
  EXPECT_EQ(state["PlayerAnimSpeed"], "8.00");
  EXPECT_EQ(state["AnimSpeed"], state["PlayerAnimSpeed"]);
  EXPECT_EQ(state["AnimEndHook"], "1");
  h.ClickVirtual(567, 458);  // About
  EXPECT_TRUE(h.WaitForPixel(197.5f, 187.5f, IsFrameGold, 20)) << "the About box's frame";
  Shot(h, "About.png");
  h.ClickVirtual(320, 399);  // OK: back to the menu
  ASSERT_TRUE(h.WaitForPixel(kMenuTitleX, kMenuTitleY, IsBrightGold, 20)) << "back on the main menu";
  h.ClickVirtual(612, 458);  // Exit
  EXPECT_EQ(h.WaitForExit(60), 0);
  EXPECT_EQ(h.LogErrorLines(), "");
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
  // Germany's flag right of "Continue Player: Ann": black, red and gold
  // bands once the screen has faded in with the splash panel.
  const float flagX = 443 + 5 + 12.5f;
  EXPECT_TRUE(WaitForGermanFlag(h, flagX, 381 + 20, 12, 20)) << "Germany's flag beside the player";
  Shot(h, "UsersContinue.png");
  EXPECT_EQ(ExitFromUsers(h), 0);
  EXPECT_EQ(h.LogErrorLines(), "");
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
    EXPECT_EQ(h.LogErrorLines(), "");
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
  const ProgramHarness::WindowPlace dialog = h.WaitForStartupDialog(60);
  ASSERT_NE(dialog.id, 0u) << "the start-up dialog drawn\n" << h.LogText();
  ASSERT_TRUE(h.SignalProgram(SIGTERM));
  ASSERT_TRUE(h.ClickInDialog(dialog, 126, 255));  // Play
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
  // SDL's driver without windows, chosen by hand: the window cannot be made.
  h.SetProgramEnv("SDL_VIDEODRIVER", "dummy");
  ASSERT_TRUE(h.StartProgram());
  EXPECT_EQ(h.WaitForExit(30), 255);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A start where no display can be had (a text console, an ssh session, a
// start before the X server is up or after it ended) ends at once with
// status 1 and the reason on stderr, and leaves the player's settings as
// they were; a display that answers beside a Wayland name that does not
// still gets the game's window. Only a display named is tried: the game's
// line comes first on stderr, with nothing of a Wayland probe before it
// (whose library complains of a missing XDG_RUNTIME_DIR) unless
// WAYLAND_DISPLAY names a display.
TEST_F(ProgramRunTest, AStartWithoutADisplayEndsAtOnceAndKeepsTheSettings) {
  struct Case {
    const char* name;
    const char* display;     // DISPLAY's value; null: not set
    const char* wayland;     // WAYLAND_DISPLAY; null: not set
    bool runtimeFolder;      // XDG_RUNTIME_DIR set (to a folder without sockets); else not set
    const char* driver;      // SDL_VIDEODRIVER; null: not set
    const char* says;        // on stderr
  };
  const Case cases[] = {
      // A server that is not there (ended, or not yet up). Not one this test
      // ended itself: the tests beside it start their servers on the lowest
      // free numbers and would take its number over at once.
      {"a display without a server", ":64999", nullptr, false, nullptr, "\":64999\" (DISPLAY) cannot be opened"},
      {"no DISPLAY", nullptr, nullptr, false, nullptr, "DISPLAY and WAYLAND_DISPLAY are not set"},
      {"an empty DISPLAY", "", nullptr, false, nullptr, "DISPLAY and WAYLAND_DISPLAY are not set"},
      {"a Wayland name without a compositor", nullptr, "cardolia-none", true, nullptr,
       "\"cardolia-none\" (WAYLAND_DISPLAY) cannot be opened"},
      {"a Wayland name without a runtime folder", nullptr, "cardolia-none", false, nullptr,
       "\"cardolia-none\" (WAYLAND_DISPLAY) cannot be opened"},
      {"a video driver SDL does not have", nullptr, nullptr, false, "none", "\"none\" (SDL_VIDEODRIVER)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramHarness h(dir_ + "/home-" + std::to_string(&c - cases));
    WriteQuietSettings(h.UserFolder());
    const std::string settings = FileText(h.UserFolder() + "/Resolution.dat");
    if (c.display) {
      h.SetProgramEnv("DISPLAY", c.display);
    } else {
      h.UnsetProgramEnv("DISPLAY");
    }
    if (c.wayland) {
      h.SetProgramEnv("WAYLAND_DISPLAY", c.wayland);
    } else {
      h.UnsetProgramEnv("WAYLAND_DISPLAY");
    }
    if (c.runtimeFolder) {
      h.SetProgramEnv("XDG_RUNTIME_DIR", dir_);
    } else {
      h.UnsetProgramEnv("XDG_RUNTIME_DIR");
    }
    if (c.driver) h.SetProgramEnv("SDL_VIDEODRIVER", c.driver);
    const std::string errors = dir_ + "/stderr.txt";
    h.SendProgramStderrTo(errors);
    ASSERT_TRUE(h.StartProgram());
    const int code = h.WaitForExit(10);
    const std::string said = FileText(errors);
    EXPECT_EQ(code, 1) << said;
    const std::size_t line = said.find("Free Cardolia 3D needs a display for its window: ");
    EXPECT_NE(line, std::string::npos) << said;
    // The Wayland library's complaint comes only where the display is named.
    if (!c.wayland || c.runtimeFolder) {
      EXPECT_EQ(line, 0u) << "before the game's line:\n" << said;
    }
    EXPECT_NE(said.find(c.says), std::string::npos) << said;
    EXPECT_TRUE(FileText(h.UserFolder() + "/Resolution.dat") == settings) << "the settings were written";
    EXPECT_FALSE(std::filesystem::exists(h.UserFolder() + "/LogFile.txt"));
  }

  // An X display that answers is used whatever WAYLAND_DISPLAY names.
  ProgramHarness h(dir_ + "/home-x11");
  WriteQuietSettings(h.UserFolder());
  ASSERT_TRUE(h.StartDisplay());
  h.SetProgramEnv("WAYLAND_DISPLAY", "cardolia-none");
  h.SetProgramEnv("XDG_RUNTIME_DIR", dir_);
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20)) << h.LogText();
  EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return h.IsWindowMapped(); }, 20)) << "no window on the X display";
  EXPECT_EQ(ExitFromUsers(h), 0);
}

}  // namespace
