// StartupInternetTests.cpp - the HTTP and FTP tests after the start-up
// dialog's Play (see StartupDialog.h).
#include "App/AppImports.h"
#include "App/Program.h"
#include "App/Resolution.h"
#include "App/StartupDialog.h"
#include "App/Updater.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Platform/Dialogs.h"

namespace {

constexpr std::uint8_t kTestToRun = 255;
constexpr std::uint8_t kTestPassed = 1;
constexpr std::uint8_t kTestGivenUp = 0;
constexpr int kMessageSize = 256;

const char* Text(const char* key) { return EngLanguagesGetString(key, 0); }

void Tell(const char* key) { MessageBoxA(nullptr, Text(key), Text("Startup_InternetTest"), MB_OK); }

// The failure and the question whether to try again.
bool TryAgain(const char* failure, const char* failureTitle, const char* question) {
  MessageBoxA(nullptr, failure, failureTitle, MB_OK | MB_ICONERROR);
  return MessageBoxA(nullptr, Text(question), Text("Startup_InternetTestFailed"), MB_YESNO) == IDYES;
}

void HttpTest(std::uint8_t* state) {
  Tell("Startup_InternetTestMessage1");
  Tell("Startup_InternetTestMessage2");
  for (;;) {
    char message[kMessageSize] = "";
    if (UpdaterInternetTest(message, kMessageSize)) {
      Tell("Startup_InternetTestPassedOk");
      *state = kTestPassed;
      return;
    }
    if (!TryAgain(message, Text("Startup_InternetTestFailed"), "Startup_InternetTestTryAgain1Message")) {
      *state = kTestGivenUp;
      return;
    }
  }
}

void FtpTest(std::uint8_t* state) {
  Tell("Startup_InternetTestMessage3");
  Tell("Startup_InternetTestMessage2");
  for (;;) {
    if (PublishDoFtpInternetTest() == 1) {
      Tell("Startup_InternetTestPassedOk");
      *state = kTestPassed;
      return;
    }
    if (!TryAgain(Text("Startup_InternetTestFailed"), Text("Startup_InternetTestError"),
                  "Startup_InternetTestTryAgain2Message")) {
      *state = kTestGivenUp;
      return;
    }
  }
}

}  // namespace

void StartupDialogRunInternetTests(float previousVersion) {
  ResolutionSettings& settings = g_ResolutionSettings;
  if (!EngMiscFloatsNearlyEqual(previousVersion, kProgramGameVersion)) {
    settings.httpTest = kTestToRun;
    settings.httpReserved = kTestToRun;
    settings.ftpTest = 0;
    settings.ftpReserved = 0;
  }
  if (settings.httpTest == kTestToRun) HttpTest(&settings.httpTest);
  if (settings.ftpTest == kTestToRun) FtpTest(&settings.ftpTest);
}
