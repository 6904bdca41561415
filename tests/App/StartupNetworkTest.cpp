// The start's network work after the window is up: nothing on the first
// frame, then the weekly check and the Internet tests one after the other
// while frames go on, a silent site bounded, the tests' outcome written,
// and the game ended only by a download that was placed on the desktop.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/StartupNetwork.h"
#include "App/Updater.h"
#include "Engine/DX9/SWin.h"
#include "Engine/EngFrames.h"
#include "Engine/EngJob.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngProgram.h"
#include "Platform/Dialogs.h"
#include "Platform/PlainWindow.h"
#include "Platform/Time.h"
#include "tests/Support/AppImportsStandIn.h"
#include "tests/Support/HttpTestServer.h"
#include "tests/Support/TestSupport.h"

namespace {

class StartupNetworkTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
    setenv("HOME", dir_.c_str(), 1);
    setenv("CARDOLIA_SITE_URL", server_.Url("").c_str(), 1);
    PrefFolderSetup("Free Cardolia 3D", false, nullptr);
    ASSERT_TRUE(EngLanguagesInit(CARDOLIA_BUILD_DIR "/Languages", "English"));
    ResolutionSetDefaults();
    ResolutionSetRunInProgress(false);
    AppImportsResetForTests();
    PlainWindowUseBackEnd(kPlainWindowFake);
    PlainWindowFakeClearAnswers();
    UpdaterSetResultPauseForTests(0.0);
    PlatformDialogsSetListener(
        [](const char* text, const char* caption, UINT, void* context) {
          static_cast<StartupNetworkTest*>(context)->boxes_.push_back(std::string(caption) + ": " + text);
        },
        this);
  }
  void TearDown() override {
    EXPECT_TRUE(EngJobWaitAll(30));
    if (SWinGet().IsCreated()) SWinGet().DestroyMainWindow();
    PlatformDialogsSetListener(nullptr, nullptr);
    PlainWindowFakeClearAnswers();
    PlainWindowUseBackEnd(kPlainWindowAuto);
    UpdaterAllowHttpLinksForTests(false);
    UpdaterSetResultPauseForTests(2.0);
    EngLanguagesRelease();
    unsetenv("CARDOLIA_SITE_URL");
    TempDirTest::TearDown();
  }
  FrameRun RunToEnd(double seconds) {
    return RunFramesWhile([] { return StartupNetworkIsBusy(); }, seconds, [] { StartupNetworkTick(); });
  }
  int Checks() const { return server_.RequestCount(kUpdaterScriptPath); }

  HttpTestServer server_;
  EngProgram program_;
  std::vector<std::string> boxes_;
};

TEST_F(StartupNetworkTest, ASilentSiteHoldsNoFrameOfTheCheckOrTheTest) {
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  server_.SetReply(kUpdaterScriptPath, silent);
  g_ResolutionSettings.httpTest = 255;
  g_ResolutionSettings.ftpTest = 0;
  PlatformDialogsAnswerNextYesNo(IDNO);
  StartupNetworkSchedule(true, true);
  // The first frame is drawn before anything shows or asks.
  StartupNetworkTick();
  EXPECT_FALSE(SWinGet().IsCreated());
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(Checks(), 0);

  const FrameRun frames = RunToEnd(60.0);
  EXPECT_FALSE(StartupNetworkIsBusy());
  EXPECT_LT(frames.seconds, 5.0 + 5.0 + 2.0) << "the check's 5 s and the test's 5 s";
  EXPECT_LT(frames.longest, kLongestFrameSeconds);
  EXPECT_GE(frames.count, static_cast<int>(frames.seconds * 20)) << "frames went on while they waited";
  EXPECT_EQ(Checks(), 2);  // the check, then the test's attempt
  EXPECT_FALSE(program_.GetQuitFlag());
  // The test was given up, and that is on disk at once.
  EXPECT_EQ(g_ResolutionSettings.httpTest, 0);
  std::string path = ResolutionGetPath();
  for (char& c : path) c = c == '\\' ? '/' : c;  // the file layer's separator
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  unsigned char bytes[kResolutionFileSize] = {};
  ASSERT_EQ(std::fread(bytes, 1, sizeof bytes, file), sizeof bytes);
  std::fclose(file);
  EXPECT_EQ(bytes[312], 0);
}

// The program's loop ticks only when something asks: every step of the
// work, the result shown for its time included, asks for the tick it moves
// on in, so the work ends without any input.
TEST_F(StartupNetworkTest, EveryStepAsksForTheTickItMovesOnIn) {
  server_.SetReply(kUpdaterScriptPath, HttpTestReply::Text("Nothing new."));
  UpdaterSetResultPauseForTests(0.3);
  EngFramesResetForTests();
  StartupNetworkSchedule(true, false);
  EngFramesRequestDraw();  // the first frame
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  int passes = 0;
  while (StartupNetworkIsBusy() && std::chrono::steady_clock::now() < until) {
    ASSERT_TRUE(EngFramesIsPassDue(PlatformTimeNow())) << "a step waits for a tick nobody asked for, pass " << passes;
    EngFramesStartPass(PlatformTimeNow());
    EngJobDeliver();
    StartupNetworkTick();
    ++passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_FALSE(StartupNetworkIsBusy());
  EXPECT_EQ(Checks(), 1);
  EngFramesResetForTests();
}

TEST_F(StartupNetworkTest, OnlyADownloadPlacedOnTheDesktopEndsTheGame) {
  UpdaterAllowHttpLinksForTests(true);
  const std::string link = server_.Url("/Setup.exe");
  server_.SetReply(kUpdaterScriptPath, HttpTestReply::Text("Yours is out of date.\n#DL:<" + link + ">"));
  struct Case {
    const char* what;
    HttpTestReply file;
    bool ends;
  } cases[] = {
      {"not found", HttpTestReply::Text("gone", 404), false},
      {"not the kind its name says", HttpTestReply::Text("<html>gone</html>"), false},
      {"placed", HttpTestReply::Text("MZ the new version"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    program_.ClearQuitFlag();
    boxes_.clear();
    server_.SetReply("/Setup.exe", c.file);
    PlainWindowFakeQueueAnswer("Download");
    StartupNetworkSchedule(true, false);
    RunToEnd(30.0);
    EXPECT_FALSE(StartupNetworkIsBusy());
    EXPECT_EQ(program_.GetQuitFlag(), c.ends);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].rfind(c.ends ? "Download Complete: " : ": The download was not completed.", 0), 0u);
  }
}

}  // namespace
