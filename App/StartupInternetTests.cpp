// StartupInternetTests.cpp - the HTTP and FTP tests due after the start-up
// dialog's Play (see StartupDialog.h), run after the game window is up.
//
// The boxes are the dialog's; only the waits moved: each attempt is a job
// (Engine/EngJob.h) and the next box comes from its done callback, so the
// game window keeps drawing while a test waits for the network. The two
// tests run one after the other, each until it passes or the player gives
// it up.
#include <memory>
#include <string>

#include "App/AppImports.h"
#include "App/Program.h"
#include "App/Resolution.h"
#include "App/StartupDialog.h"
#include "App/Updater.h"
#include "Engine/EngJob.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Platform/Dialogs.h"

namespace {

constexpr std::uint8_t kTestToRun = 255;
constexpr std::uint8_t kTestPassed = 1;
constexpr std::uint8_t kTestGivenUp = 0;
constexpr int kMessageSize = 256;
// The waiting loop of StartupDialogRunInternetTests gives up after this
// (each attempt is bounded far below it).
constexpr double kRunToEndSeconds = 600.0;

bool g_busy = false;

const char* Text(const char* key) { return EngLanguagesGetString(key, 0); }

void Tell(const char* key) { MessageBoxA(nullptr, Text(key), Text("Startup_InternetTest"), MB_OK); }

// The failure and the question whether to try again.
bool TryAgain(const char* failure, const char* failureTitle, const char* question) {
  MessageBoxA(nullptr, failure, failureTitle, MB_OK | MB_ICONERROR);
  return MessageBoxA(nullptr, Text(question), Text("Startup_InternetTestFailed"), MB_YESNO) == IDYES;
}

void StartFtpTest();
void AttemptFtp();
void AttemptHttp();

void Finish() { g_busy = false; }

void HttpEnded(const UpdaterFetch& fetch) {
  std::uint8_t& state = g_ResolutionSettings.httpTest;
  char message[kMessageSize] = "";
  if (UpdaterInternetTestResult(fetch, message, kMessageSize)) {
    Tell("Startup_InternetTestPassedOk");
    state = kTestPassed;
  } else if (TryAgain(message, Text("Startup_InternetTestFailed"), "Startup_InternetTestTryAgain1Message")) {
    AttemptHttp();
    return;
  } else {
    state = kTestGivenUp;
  }
  StartFtpTest();
}

void AttemptHttp() {
  auto fetch = std::make_shared<UpdaterFetch>();
  const std::string url = UpdaterScriptUrl();
  if (!EngJobStart("HTTP test", [fetch, url] { *fetch = UpdaterFetchURL(url); }, [fetch] { HttpEnded(*fetch); })) {
    HttpEnded(UpdaterFetch());
  }
}

void FtpEnded(int result) {
  std::uint8_t& state = g_ResolutionSettings.ftpTest;
  if (result == 1) {
    Tell("Startup_InternetTestPassedOk");
    state = kTestPassed;
  } else if (TryAgain(Text("Startup_InternetTestFailed"), Text("Startup_InternetTestError"),
                      "Startup_InternetTestTryAgain2Message")) {
    AttemptFtp();
    return;
  } else {
    state = kTestGivenUp;
  }
  Finish();
}

void AttemptFtp() {
  auto result = std::make_shared<int>(0);
  if (!EngJobStart("FTP test", [result] { *result = g_AppImports.PublishDoFtpInternetTest(); },
                   [result] { FtpEnded(*result); })) {
    FtpEnded(0);
  }
}

void StartFtpTest() {
  if (g_ResolutionSettings.ftpTest != kTestToRun) return Finish();
  Tell("Startup_InternetTestMessage3");
  Tell("Startup_InternetTestMessage2");
  AttemptFtp();
}

}  // namespace

void StartupDialogPrepareInternetTests(float previousVersion) {
  ResolutionSettings& settings = g_ResolutionSettings;
  if (!EngMiscFloatsNearlyEqual(previousVersion, kProgramGameVersion)) {
    settings.httpTest = kTestToRun;
    settings.httpReserved = kTestToRun;
    settings.ftpTest = 0;
    settings.ftpReserved = 0;
  }
}

bool StartupDialogInternetTestsDue() {
  return g_ResolutionSettings.httpTest == kTestToRun || g_ResolutionSettings.ftpTest == kTestToRun;
}

void StartupDialogBeginInternetTests() {
  if (g_busy) return;
  g_busy = true;
  if (g_ResolutionSettings.httpTest != kTestToRun) return StartFtpTest();
  Tell("Startup_InternetTestMessage1");
  Tell("Startup_InternetTestMessage2");
  AttemptHttp();
}

bool StartupDialogInternetTestsBusy() { return g_busy; }

void StartupDialogRunInternetTests(float previousVersion) {
  StartupDialogPrepareInternetTests(previousVersion);
  StartupDialogBeginInternetTests();
  EngJobWaitAll(kRunToEndSeconds);
}
