// Tests of the start-up settings dialog on the headless dialog: what the
// fill shows for the stored settings and the display modes, what the
// player's choices store, and the Internet tests after Play against a
// loopback server.
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/PrefFolder.h"
#include "App/Program.h"
#include "App/Resolution.h"
#include "App/StartupDialog.h"
#include "App/Updater.h"
#include "Engine/EngJob.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Platform/DialogBox.h"
#include "Platform/Dialogs.h"
#include "tests/Support/AppImportsStandIn.h"
#include "tests/Support/HttpTestServer.h"
#include "tests/Support/TestSupport.h"

namespace {

// A full-screen mode with its anti-aliasing choices (type, quality).
EngResModesMode Mode(int width, int height, int depth, std::vector<EngResModesAAEntry> entries) {
  EngResModesMode mode{};
  mode.width = width;
  mode.height = height;
  mode.bitDepth = depth;
  mode.numAAEntries = static_cast<std::int32_t>(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) mode.aaEntries[i] = entries[i];
  return mode;
}

void SetModes(const std::vector<EngResModesMode>& modes, const EngResModesMode& windowed) {
  EngResModesData& data = EngResModesGetData();
  data.windowed = windowed;
  data.count = static_cast<int>(modes.size());
  for (std::size_t i = 0; i < modes.size(); ++i) data.modes[i] = modes[i];
  data.setUp = true;
}

std::string ListText(HWND dialog, int id, int index) {
  char text[256] = "";
  if (SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)) ==
      CB_ERR) {
    return "<none>";
  }
  return text;
}

int Count(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0)); }
int Selected(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

// What the observer of the dialog's script does at each step.
using Look = std::function<void(HWND dialog, int step)>;
Look g_look;

void Observe(HWND dialog, int step, void*) {
  if (g_look) g_look(dialog, step);
}

class StartupDialogTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
    setenv("HOME", dir_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    PrefFolderSetup("Free Cardolia 3D", false, nullptr);
    ASSERT_TRUE(EngLanguagesInit(CARDOLIA_BUILD_DIR "/Languages", "English"));
    ResolutionSetDefaults();
    ResolutionSetRunInProgress(false);
    SetModes({Mode(1024, 768, 16, {{0, 0}}), Mode(1280, 1024, 16, {{0, 0}, {2, 0}}),
              Mode(1280, 1024, 32, {{0, 0}, {2, 0}, {4, 0}, {4, 1}})},
             Mode(1024, 768, 32, {{0, 0}, {2, 0}}));
    AppImportsResetForTests();
    UpdaterSetResultPauseForTests(0.0);
    PlatformDialogsSetListener(
        [](const char* text, const char* caption, UINT type, void* context) {
          static_cast<StartupDialogTest*>(context)->boxes_.push_back({caption, text, type});
        },
        this);
    g_look = nullptr;
  }
  void TearDown() override {
    PlatformDialogsSetListener(nullptr, nullptr);
    PlatformDialogsClearAnswers();
    EngResModesGetData() = EngResModesData{};
    EngLanguagesRelease();
    unsetenv("CARDOLIA_SITE_URL");
    g_look = nullptr;
    TempDirTest::TearDown();
  }

  // Runs the dialog with the steps, looking at it after each; its result.
  INT_PTR Run(std::vector<DialogScriptStep> steps, Look look = nullptr) {
    g_look = std::move(look);
    PlatformDialogSetScriptForTests(steps.data(), static_cast<int>(steps.size()), Observe, nullptr);
    return DialogBoxParamA(nullptr, StartupDialogTemplate(), nullptr, StartupDialogProc, 0);
  }

  struct Box {
    std::string caption, text;
    UINT type;
  };

 public:
  std::vector<Box> boxes_;
};

}  // namespace

TEST_F(StartupDialogTest, TheFillShowsTheStoredSettingsAndTheNearestMode) {
  ResolutionSettings& s = g_ResolutionSettings;
  s.windowed = 0;
  s.fullWidth = 1280;
  s.fullHeight = 1024;
  s.fullBitDepth = 16;
  s.fullMsType = 4;
  s.fullMsQuality = 0;
  s.tableQuality = 2;
  s.cardQuality = 3;
  s.soundOn = 0;
  s.cursorType = 1;
  s.mouseSync = 2;
  // The stored mode is listed: it is chosen, with its own anti-aliasing list.
  bool looked = false;
  EXPECT_EQ(Run({{kStartupPlay, -1}},
                [&](HWND dialog, int step) {
                  if (step != -1) return;
                  looked = true;
                  EXPECT_EQ(IsDlgButtonChecked(dialog, kStartupFullscreen), BST_CHECKED);
                  EXPECT_EQ(IsDlgButtonChecked(dialog, kStartupWindowed), BST_UNCHECKED);
                  ASSERT_EQ(Count(dialog, kStartupResolution), 3);
                  EXPECT_EQ(ListText(dialog, kStartupResolution, 1), "1280 x 1024 x 16");
                  EXPECT_EQ(Selected(dialog, kStartupResolution), 1);
                  EXPECT_EQ(Count(dialog, kStartupAntialiasing), 2);  // that mode's own list
                  EXPECT_EQ(ListText(dialog, kStartupAntialiasing, 1), "2x2");
                  EXPECT_EQ(Selected(dialog, kStartupAntialiasing), 1);  // |4 - 2| beats |4 - 0|
                  EXPECT_EQ(Count(dialog, kStartupTableTextures), 3);
                  EXPECT_EQ(Selected(dialog, kStartupTableTextures), 2);
                  EXPECT_EQ(Count(dialog, kStartupCardTextures), 4);
                  EXPECT_EQ(Selected(dialog, kStartupCardTextures), 3);
                  EXPECT_EQ(Count(dialog, kStartupSound), 2);
                  EXPECT_EQ(ListText(dialog, kStartupSound, 0), "Off");
                  EXPECT_EQ(Selected(dialog, kStartupSound), 0);
                  EXPECT_EQ(Count(dialog, kStartupCursorType), 2);
                  EXPECT_EQ(Selected(dialog, kStartupCursorType), 1);
                  EXPECT_EQ(Count(dialog, kStartupMouseSync), 3);
                  EXPECT_EQ(Selected(dialog, kStartupMouseSync), 2);
                  EXPECT_TRUE(IsDlgItemEnabled(dialog, kStartupPlay));
                  EXPECT_FALSE(IsDlgItemVisible(dialog, kStartupHidden));
                  char text[64];
                  GetDlgItemTextA(dialog, kStartupVersion, text, sizeof text);
                  EXPECT_STREQ(text, "Version 4.82");
                  GetDlgItemTextA(dialog, kStartupCheckNewVersion, text, sizeof text);
                  EXPECT_STREQ(text, "Check New Version");
                }),
            1);
  EXPECT_TRUE(looked);

  // Stored 1280 x 1024 x 16 among 1280 x 1024 x 32 and 1024 x 768 x 16: the
  // first (distance 160 against 256 + 256).
  SetModes({Mode(1280, 1024, 32, {{0, 0}}), Mode(1024, 768, 16, {{0, 0}})}, Mode(1024, 768, 32, {{0, 0}}));
  EXPECT_EQ(StartupDialogNearestMode(1280, 1024, 16), 0);
  SetModes({}, Mode(1024, 768, 32, {{0, 0}}));
  EXPECT_EQ(StartupDialogNearestMode(1280, 1024, 16), -1);
}

TEST_F(StartupDialogTest, WithoutModesOnlyAWindowCanBePlayed) {
  SetModes({}, Mode(1024, 768, 32, {{0, 0}, {2, 0}, {4, 0}}));
  g_ResolutionSettings.windowed = 0;
  g_ResolutionSettings.windowMsType = 4;
  std::vector<std::string> seen;
  const INT_PTR result = Run({{kStartupPlay, -1}, {kStartupWindowed, -1}, {kStartupPlay, -1}}, [&](HWND dialog, int step) {
    seen.push_back(std::to_string(step) + (IsDlgItemEnabled(dialog, kStartupPlay) ? " play" : " no-play") +
                   (IsDlgItemEnabled(dialog, kStartupResolution) ? " modes" : " no-modes") + " aa" +
                   std::to_string(Count(dialog, kStartupAntialiasing)) + "/" +
                   std::to_string(Selected(dialog, kStartupAntialiasing)));
  });
  EXPECT_EQ(result, 1);
  // The disabled Play cannot be pressed: the first step changes nothing.
  const std::vector<std::string> expected = {"-1 no-play no-modes aa0/-1", "0 no-play no-modes aa0/-1",
                                             "1 play no-modes aa3/2"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(g_ResolutionSettings.windowed, 1);
  EXPECT_EQ(g_ResolutionSettings.windowMsType, 4);
}

TEST_F(StartupDialogTest, SwitchingModesKeepsTheChoicesAndPlayStoresThemAll) {
  g_ResolutionSettings.windowed = 0;
  std::vector<int> kept;
  const INT_PTR result = Run(
      {{kStartupCardTextures, 0}, {kStartupTableTextures, 2}, {kStartupSound, 0}, {kStartupCursorType, 0},
       {kStartupMouseSync, 1}, {kStartupResolution, 0}, {kStartupWindowed, -1}, {kStartupAntialiasing, 1},
       {kStartupFullscreen, -1}, {kStartupWindowed, -1}, {kStartupPlay, -1}},
      [&](HWND dialog, int step) {
        if (step == 9) {
          kept = {Selected(dialog, kStartupCardTextures), Selected(dialog, kStartupTableTextures),
                  Selected(dialog, kStartupSound), Selected(dialog, kStartupCursorType),
                  Selected(dialog, kStartupMouseSync), Selected(dialog, kStartupAntialiasing),
                  IsDlgItemEnabled(dialog, kStartupResolution) ? 1 : 0};
        }
      });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(kept, (std::vector<int>{0, 2, 0, 0, 1, 1, 0}));
  const ResolutionSettings& s = g_ResolutionSettings;
  EXPECT_EQ(s.windowed, 1);
  EXPECT_EQ(s.cardQuality, 0);
  EXPECT_EQ(s.tableQuality, 2);
  EXPECT_EQ(s.soundOn, 0);
  EXPECT_EQ(s.cursorType, 0);
  EXPECT_EQ(s.mouseSync, 1);
  EXPECT_EQ(s.fullWidth, 1024);  // chosen before the switch, stored with it
  EXPECT_EQ(s.fullBitDepth, 16);
  EXPECT_EQ(s.windowMsType, 2);  // the window's list, entry 1
  // The file holds what Play stored.
  ResolutionSettings stored = g_ResolutionSettings;
  g_ResolutionSettings = ResolutionSettings{};
  ASSERT_TRUE(ResolutionReadFile());
  EXPECT_EQ(g_ResolutionSettings.windowed, stored.windowed);
  EXPECT_EQ(g_ResolutionSettings.cardQuality, stored.cardQuality);
  EXPECT_EQ(g_ResolutionSettings.windowMsType, stored.windowMsType);
}

TEST_F(StartupDialogTest, AListWithoutAChoiceLeavesItsSettingAsItWas) {
  struct Case {
    int list;
    std::uint8_t ResolutionSettings::*byte;
  };
  const Case cases[] = {{kStartupSound, &ResolutionSettings::soundOn},
                        {kStartupTableTextures, &ResolutionSettings::tableQuality},
                        {kStartupCardTextures, &ResolutionSettings::cardQuality},
                        {kStartupCursorType, &ResolutionSettings::cursorType}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    ResolutionSetDefaults();
    g_ResolutionSettings.windowed = 1;
    g_ResolutionSettings.*c.byte = 1;
    g_ResolutionSettings.mouseSync = 2;
    // The list loses its choice and reports a change, as a list can.
    EXPECT_EQ(Run({{kStartupPlay, -1}},
                  [&](HWND dialog, int step) {
                    if (step != -1) return;
                    for (int list : {c.list, static_cast<int>(kStartupMouseSync)}) {
                      SendDlgItemMessageA(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                      StartupDialogProc(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), 0);
                      SendDlgItemMessageA(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                    }
                  }),
              1);
    EXPECT_EQ(g_ResolutionSettings.*c.byte, 1);
    EXPECT_EQ(g_ResolutionSettings.mouseSync, 2);
  }
}

TEST_F(StartupDialogTest, HelpButtonsExplainAndHeadlessTheDialogPlays) {
  const INT_PTR result = Run({{kStartupAntialiasingHelp, -1}, {kStartupMouseSyncHelp, -1}, {kStartupCursorTypeHelp, -1}});
  EXPECT_EQ(result, 1);  // the script ran out: the default button
  ASSERT_EQ(boxes_.size(), 3u);
  EXPECT_EQ(boxes_[0].caption, "Anti-Aliasing");
  EXPECT_EQ(boxes_[1].caption, "Mouse Synchronisation");
  EXPECT_EQ(boxes_[2].caption, "Pointer");
  EXPECT_NE(boxes_[2].text.find("pointer"), std::string::npos);

  // Without a script (a headless run): initialised, then Play.
  boxes_.clear();
  EXPECT_EQ(DialogBoxParamA(nullptr, StartupDialogTemplate(), nullptr, StartupDialogProc, 0), 1);
  EXPECT_TRUE(boxes_.empty());
}

// ---- The run and the Internet tests --------------------------------------------------------

class StartupRunTest : public StartupDialogTest {
 protected:
  void SetUp() override {
    StartupDialogTest::SetUp();
    setenv("CARDOLIA_SITE_URL", server_.Url("").c_str(), 1);
  }
  // Every box's caption, in order.
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const Box& box : boxes_) captions.push_back(box.caption);
    return captions;
  }
  HttpTestServer server_;
  EngProgram program_;
};

TEST_F(StartupRunTest, ClosingTheDialogEndsQuietlyWithoutATest) {
  g_ResolutionSettings.httpTest = 255;
  for (int closing : {IDCANCEL, IDOK}) {
    const DialogScriptStep step = {closing, -1};
    PlatformDialogSetScriptForTests(&step, 1, nullptr, nullptr);
    EXPECT_EQ(StartupDialogRun(), -1);
  }
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(server_.RequestCount(kUpdaterScriptPath), 0);
  EXPECT_EQ(g_ResolutionSettings.httpTest, 255);
}

TEST_F(StartupRunTest, TheHttpTestRunsUntilItPassesOrThePlayerGivesUp) {
  const std::string passed = "Internet Test: The Internet test passed.";
  struct Case {
    const char* what;
    bool serverUp;           // the script answers (else 404)
    std::vector<int> answers;  // to the try-again questions
    std::uint8_t state;
    int requests;
  };
  const Case cases[] = {
      {"passes", true, {}, 1, 1},
      {"fails, No", false, {IDNO}, 0, 1},
      {"fails, Yes, fails, No", false, {IDYES, IDNO}, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes_.clear();
    server_.SetReply(kUpdaterScriptPath, HttpTestReply::Text("ok", c.serverUp ? 200 : 404));
    const int before = server_.RequestCount(kUpdaterScriptPath);
    g_ResolutionSettings.httpTest = 255;
    g_ResolutionSettings.ftpTest = 0;
    for (int answer : c.answers) PlatformDialogsAnswerNextYesNo(answer);
    StartupDialogRunInternetTests(4.82f);
    EXPECT_EQ(g_ResolutionSettings.httpTest, c.state);
    EXPECT_EQ(server_.RequestCount(kUpdaterScriptPath) - before, c.requests);
    ASSERT_GE(boxes_.size(), 3u);
    EXPECT_EQ(boxes_[0].caption, "Internet Test");
    if (c.serverUp) {
      EXPECT_EQ(boxes_.back().caption + ": " + boxes_.back().text, passed);
    } else {
      EXPECT_EQ(boxes_[2].caption, "Internet Test Failed");
      EXPECT_EQ(boxes_[2].text, "Could not read result from the URL");  // the updater's error
      EXPECT_EQ(boxes_[2].type & 0xF0, MB_ICONERROR);
      EXPECT_EQ(boxes_[3].type & 0xF, MB_YESNO);
    }
  }
}

TEST_F(StartupRunTest, FailsThenYesThenPasses) {
  server_.SetReply(kUpdaterScriptPath, HttpTestReply::Text("", 404));
  // The server comes back while the player reads the question.
  static HttpTestServer* server = &server_;
  PlatformDialogsSetListener(
      [](const char* text, const char* caption, UINT type, void* context) {
        static_cast<StartupRunTest*>(context)->boxes_.push_back({caption, text, type});
        if ((type & 0xF) == MB_YESNO) server->SetReply(kUpdaterScriptPath, HttpTestReply::Text("ok"));
      },
      this);
  PlatformDialogsAnswerNextYesNo(IDYES);
  g_ResolutionSettings.httpTest = 255;
  StartupDialogRunInternetTests(4.82f);
  EXPECT_EQ(g_ResolutionSettings.httpTest, 1);
  EXPECT_EQ(server_.RequestCount(kUpdaterScriptPath), 2);
}

TEST_F(StartupRunTest, AnotherVersionRunsTheHttpTestAgainAndSettlesTheFtpTest) {
  struct Case {
    float previous;
    std::uint8_t http, ftp;         // before
    std::uint8_t httpAfter, ftpAfter;
    int ftpTests;
  };
  const Case cases[] = {
      {4.82f, 1, 0, 1, 0, 0},      // nothing due
      {4.5f, 1, 255, 1, 0, 0},     // reset: HTTP runs and passes, FTP settled at 0
      {4.82f, 0, 255, 0, 1, 1},    // a failed upload asked for the FTP test: it passes
  };
  server_.SetReply(kUpdaterScriptPath, HttpTestReply::Text("ok"));
  AppImportsSetFtpTestAnswersForTests({1});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.previous);
    const int before = AppImportsGetCallsForTests().ftpTests;
    g_ResolutionSettings.httpTest = c.http;
    g_ResolutionSettings.httpReserved = 7;
    g_ResolutionSettings.ftpTest = c.ftp;
    StartupDialogRunInternetTests(c.previous);
    EXPECT_EQ(g_ResolutionSettings.httpTest, c.httpAfter);
    EXPECT_EQ(g_ResolutionSettings.ftpTest, c.ftpAfter);
    EXPECT_EQ(AppImportsGetCallsForTests().ftpTests - before, c.ftpTests);
    EXPECT_EQ(g_ResolutionSettings.httpReserved, c.previous == 4.82f ? 7 : 255);  // set with the reset only
  }
}

TEST_F(StartupRunTest, AFailedFtpTestAsksAndTheAnswerSettlesIt) {
  AppImportsSetFtpTestAnswersForTests({0, 0, 1});
  PlatformDialogsAnswerNextYesNo(IDYES);
  PlatformDialogsAnswerNextYesNo(IDYES);
  g_ResolutionSettings.httpTest = 1;
  g_ResolutionSettings.ftpTest = 255;
  StartupDialogRunInternetTests(4.82f);
  EXPECT_EQ(g_ResolutionSettings.ftpTest, 1);
  EXPECT_EQ(AppImportsGetCallsForTests().ftpTests, 3);
  const std::vector<std::string> expected = {"Internet Test",        "Internet Test",        "Internet Test Error",
                                             "Internet Test Failed", "Internet Test Error",  "Internet Test Failed",
                                             "Internet Test"};
  EXPECT_EQ(Captions(), expected);

  boxes_.clear();
  AppImportsSetFtpTestAnswersForTests({0});
  g_ResolutionSettings.ftpTest = 255;
  StartupDialogRunInternetTests(4.82f);  // No: given up
  EXPECT_EQ(g_ResolutionSettings.ftpTest, 0);
}

TEST_F(StartupRunTest, PlayLeavesTheDueTestsForAfterTheWindow) {
  server_.SetReply(kUpdaterScriptPath, HttpTestReply::Text("ok"));
  g_ResolutionSettings.httpTest = 255;
  PlatformDialogSetScriptForTests(nullptr, 0, nullptr, nullptr);
  EXPECT_EQ(StartupDialogRun(), 1);
  EXPECT_TRUE(StartupDialogInternetTestsDue());
  EXPECT_EQ(g_ResolutionSettings.httpTest, 255);
  EXPECT_EQ(server_.RequestCount(kUpdaterScriptPath), 0);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(StartupRunTest, TheHttpTestWaitsForASilentServiceWhileFramesGoOn) {
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  server_.SetReply(kUpdaterScriptPath, silent);
  g_ResolutionSettings.httpTest = 255;
  g_ResolutionSettings.ftpTest = 0;
  PlatformDialogsAnswerNextYesNo(IDNO);
  StartupDialogPrepareInternetTests(4.82f);
  StartupDialogBeginInternetTests();
  EXPECT_TRUE(StartupDialogInternetTestsBusy());
  const FrameRun frames = RunFramesWhile([] { return StartupDialogInternetTestsBusy(); }, 30.0);
  EXPECT_FALSE(StartupDialogInternetTestsBusy());
  EXPECT_LT(frames.seconds, 5.0 + 1.5) << "an attempt's bound is 5 s";
  EXPECT_LT(frames.longest, kLongestFrameSeconds);
  EXPECT_GE(frames.count, static_cast<int>(frames.seconds * 20)) << "frames went on while the test waited";
  EXPECT_EQ(g_ResolutionSettings.httpTest, 0);
  // The boxes are those of the dialog's test, in its order.
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Internet Test", "Internet Test", "Internet Test Failed",
                                                   "Internet Test Failed"}));
}

TEST(StartupDialogRunTest, WithoutAProgramObjectNothingIsShown) {
  ASSERT_EQ(EngProgramGetCurrent(), nullptr);
  EXPECT_EQ(StartupDialogRun(), 0);
}

TEST_F(StartupRunTest, TheHttpTestsMessageFitsTheCallersBuffer) {
  char buffer[64];
  server_.SetReply(kUpdaterScriptPath, HttpTestReply::Text("ok"));
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_TRUE(UpdaterInternetTest(buffer, 33));
  EXPECT_STREQ(buffer, "Internet Test Ok");
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_TRUE(UpdaterInternetTest(buffer, 32));  // too small for the text: left alone
  EXPECT_EQ(buffer[0], '#');

  server_.SetReply(kUpdaterScriptPath, HttpTestReply::Text("", 500));
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_FALSE(UpdaterInternetTest(buffer, 12));
  EXPECT_STREQ(buffer, "Could not r");  // cut to size - 1
  EXPECT_EQ(buffer[12], '#');
}
