// Updater.cpp - the weekly check, the request, the reply and the updater's
// windows, driven frame by frame (see Updater.h); the transfer itself is
// UpdaterDownload.cpp.
//
// A check runs through stages, each with its one plain window:
//   checking        "Checking for updates ..."; the request is a job
//   showing result  "Check Failed." or "No new version ..." for 2 s
//   offering        the reply with Download and Close
//   downloading     the download's window (UpdaterDownload.cpp)
// then idle again. UpdaterTick moves it on; the job's done callback ends
// the checking stage.
#include "App/Updater.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "App/UpdaterLocal.h"
#include "App/Various.h"
#include "Engine/Debug.h"
#include "Engine/DX9/EngInternetDX9.h"
#include "Engine/DX9/EngMiscPC.h"
#include "Engine/DX9/SWin.h"
#include "Engine/EngFrames.h"
#include "Engine/EngJob.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Platform/PlainWindow.h"
#include "Platform/Time.h"

namespace {

constexpr const char* kPlatform = "PC";
constexpr const char* kProgram = "Cardolia";
constexpr int kReadTimeoutSeconds = 5;
constexpr const char* kOutOfDate = "is out of date.";
constexpr float kGrey = 0.94f;
// The loop of UpdaterCheckForUpdates rests this long between looks.
constexpr float kRunToEndRest = 0.005f;
// At most this many window messages are handled in one frame.
constexpr int kMessagesPerPump = 32;
// Often enough for a plain window to follow the pointer smoothly.
constexpr int kPlainWindowTicksPerSecond = 30;

enum class Stage { kIdle, kChecking, kShowingResult, kOffering, kDownloading };

// One check, from UpdaterBeginCheck until its last window closed.
struct Run {
  Stage stage = Stage::kIdle;
  int line = -1;             // the status window's text control
  double resultUntil = 0.0;  // showing result: when the window closes
  int job = 0;               // checking: the request
  bool placed = false;       // a download landed on the desktop
};

char g_request[kUpdaterRequestSize] = "";
char g_reply[kUpdaterReplySize + 1] = "";
char g_link[kUpdaterLinkSize] = "";
UpdaterFileFacts g_facts;
char g_lastError[256] = "";
bool g_downloadPressed = false;
double g_resultPause = 2.0;
Run g_run;

void SetLastErrorText(const char* text) { std::snprintf(g_lastError, sizeof g_lastError, "%s", text); }

SWinSettings WindowSettings(int width, int height) {
  SWinSettings settings{};
  std::snprintf(settings.title, sizeof settings.title, "%s", "Free Cardolia 3D");
  settings.x = settings.y = -1;
  settings.width = width;
  settings.height = height;
  settings.red = settings.green = settings.blue = kGrey;
  return settings;
}

void CloseWindow() {
  if (SWinGet().IsCreated()) SWinGet().DestroyMainWindow();
}

// The small window with one centred line.
int OpenStatusWindow(const char* text) {
  SWin& window = SWinGet();
  const SWinSettings settings = WindowSettings(400, 90);
  if (!window.CreateMainWindow(&settings)) return -1;
  // It waits for nobody: a headless run gives no answer for a person.
  PlainWindowFakeSetIdleAnswer(window.GetPlainWindow(), false);
  const int line = window.AddButtonToWindow(kSWinStaticText, 0, 22, 400, 20, "Updating");
  if (line < 0) return -1;
  window.SetButtonTextAlign(line, 1);
  window.SetButtonText(line, "");
  window.SetButtonText(line, text);
  UpdaterProcessPendingMessages();
  return line;
}

void ShowResult(const char* text) {
  SWin& window = SWinGet();
  if (g_run.line >= 0 && window.IsCreated()) window.SetButtonText(g_run.line, text);
  UpdaterProcessPendingMessages();
  g_run.resultUntil = PlatformTimeNow() + g_resultPause;
  g_run.stage = Stage::kShowingResult;
}

void PressDownload(SWin* window) {
  g_downloadPressed = true;
  window->QuitWindowLoop();
}

void PressClose(SWin* window) { window->QuitWindowLoop(); }

// The reply in the large window, waiting for Download or Close.
void OfferReply() {
  CloseWindow();
  SWin& window = SWinGet();
  const SWinSettings settings = WindowSettings(640, 420);
  g_downloadPressed = false;
  g_run.stage = Stage::kOffering;
  if (!window.CreateMainWindow(&settings)) return;
  window.AddButtonToWindow(kSWinEdit, 20, 20, 600, 320, g_reply);
  window.AddPushButton(480, 360, 140, 20, "Close", PressClose);
  window.AddPushButton(20, 360, 140, 20, "Download", PressDownload);
}

// The request's answer, on the main thread.
void CheckEnded(const UpdaterFetch& fetch) {
  g_run.job = 0;
  if (!UpdaterJudgeFetch(fetch, false)) {
    ShowResult(UpdaterText("Updater_CheckFailed", "Check Failed."));
  } else if (!std::strstr(g_reply, kOutOfDate)) {
    ShowResult(UpdaterText("Updater_NoNewVersionExists", "No new version exists at this time."));
  } else {
    OfferReply();
  }
}

}  // namespace

// ---- Shared with the download -----------------------------------------------------------

void UpdaterProcessPendingMessages() {
  SWin& window = SWinGet();
  for (int idle = 0; idle < 100 && window.IsCreated();) {
    const int state = window.ProcessAnyWindowsMessages();
    if (state == 0) break;
    if (state == 1) {
      ++idle;
      EngMiscSleep(0.0001f);
    }
  }
}

void UpdaterPumpWindow() {
  SWin& window = SWinGet();
  for (int i = 0; i < kMessagesPerPump && window.IsCreated(); ++i) {
    if (window.ProcessAnyWindowsMessages() != 2) break;
  }
}

void UpdaterBox(int kind, const char* title, const char* text) { EngMiscMessageBox_PC(kind, title, text); }

const char* UpdaterText(const char* token, const char* english) {
  return EngLanguagesDoesTokenExist(token) ? EngLanguagesGetString(token, 0) : english;
}

const char* UpdaterLinkBuffer() { return g_link; }
const UpdaterFileFacts& UpdaterFactsOfReply() { return g_facts; }

// ---- The check -----------------------------------------------------------------------------

std::string UpdaterScriptUrl() { return std::string(VariousGetSiteAddress()) + kUpdaterScriptPath; }

bool UpdaterWeeklyCheckDue(EngDate* lastCheck) {
  EngDate today{};
  EngMiscGetLocalDate(&today);
  EngDate weekAgo = today;
  for (int day = 0; day < 7; ++day) EngMiscGetPreviousDay(&weekAgo);
  // Checked within the last six days; a date after today is not trusted.
  if (lastCheck && EngMiscIsDateAfter(*lastCheck, weekAgo) && !EngMiscIsDateAfter(*lastCheck, today)) {
    return false;
  }
  if (lastCheck) *lastCheck = today;
  return true;
}

bool UpdaterWeeklyCheck(EngDate* lastCheck, float version, const char* programType) {
  return UpdaterWeeklyCheckDue(lastCheck) && UpdaterCheckForUpdates(version, programType);
}

bool UpdaterBuildRequest(float version, const char* programType) {
  const int written = std::snprintf(g_request, sizeof g_request, "%s?platform=%s&program=%s&program_type=%s&version=%.3f",
                                    UpdaterScriptUrl().c_str(), kPlatform, kProgram, programType ? programType : "",
                                    static_cast<double>(version));
  if (written < 0 || written >= static_cast<int>(sizeof g_request)) {
    DebugError("UpdaterBuildRequest", "Request too long");
    g_request[0] = '\0';
    return false;
  }
  return true;
}

UpdaterFetch UpdaterFetchURL(const std::string& url) {
  UpdaterFetch fetch;
  std::string buffer(kUpdaterReplySize, '\0');
  char error[256] = "";
  int length = 0;
  fetch.read = EngInternetConnectAndReadURL(url.c_str(), buffer.data(), kUpdaterReplySize, &length, error, nullptr,
                                            kReadTimeoutSeconds);
  if (!fetch.read) {
    if (!EngJobCancelRequested()) DebugError("UpdaterReadURL", "%s", error);  // not when closing
    return fetch;
  }
  fetch.reply.assign(buffer.data(), static_cast<std::size_t>(std::clamp(length, 0, kUpdaterReplySize - 1)));
  return fetch;
}

bool UpdaterJudgeFetch(const UpdaterFetch& fetch, bool checkOnly) {
  g_link[0] = '\0';  // an earlier check's link is never fetched
  g_facts = UpdaterFileFacts();
  g_reply[0] = '\0';
  if (!fetch.read) {
    SetLastErrorText("Could not read result from the URL");
    return false;
  }
  // As text: the reply ends at its first zero byte.
  std::snprintf(g_reply, sizeof g_reply, "%s", fetch.reply.c_str());
  if (checkOnly) return true;
  // The link's part as the reply had it, for the report of one too long.
  const char* mark = std::strstr(g_reply, "#DL:<");
  const std::string tail = mark ? std::string(mark, std::min<std::size_t>(std::strlen(mark), 256)) : std::string();
  bool tooLong = false;
  if (!UpdaterParseReply(g_reply, g_link, &tooLong, &g_facts)) {
    DebugError("UpdaterReadURL", "Got result <%s>", DebugForeignText(g_reply).c_str());
    SetLastErrorText("Error returned from the URL");
    return false;
  }
  if (tooLong) DebugError("UpdaterReadURL", "Link too long <%s...>", DebugForeignText(tail).c_str());
  return true;
}

bool UpdaterReadURL(const char* url, bool checkOnly) {
  return UpdaterJudgeFetch(UpdaterFetchURL(url ? url : ""), checkOnly);
}

bool UpdaterBeginCheck(float version, const char* programType) {
  if (g_run.stage != Stage::kIdle) return false;
  g_run = Run();
  g_run.stage = Stage::kChecking;
  g_run.line = OpenStatusWindow(UpdaterText("Updater_CheckingForUpdates", "Checking for updates ..."));
  if (!UpdaterBuildRequest(version, programType)) {
    CheckEnded(UpdaterFetch());
    return true;
  }
  // The worker gets its own copy of the address and fills its own result.
  auto fetch = std::make_shared<UpdaterFetch>();
  const std::string url = g_request;
  g_run.job = EngJobStart("update check", [fetch, url] { *fetch = UpdaterFetchURL(url); },
                          [fetch] { CheckEnded(*fetch); });
  if (g_run.job == 0) CheckEnded(UpdaterFetch());
  return true;
}

namespace {

void MoveOn() {
  switch (g_run.stage) {
    case Stage::kIdle:
      return;
    case Stage::kChecking:
      UpdaterPumpWindow();  // the player may close it; the result then goes unseen
      return;
    case Stage::kShowingResult:
      UpdaterPumpWindow();
      if (!SWinGet().IsCreated() || PlatformTimeNow() >= g_run.resultUntil) {
        CloseWindow();
        g_run.stage = Stage::kIdle;
      }
      return;
    case Stage::kOffering: {
      UpdaterPumpWindow();
      SWin& window = SWinGet();
      if (window.IsCreated() && !window.GetQuitFlag()) return;
      CloseWindow();
      const bool pressed = g_downloadPressed;
      g_downloadPressed = false;
      g_run.stage = pressed && UpdaterStartDownload() ? Stage::kDownloading : Stage::kIdle;
      return;
    }
    case Stage::kDownloading:
      UpdaterDownloadTick();
      if (!UpdaterDownloadRunning()) {
        g_run.placed = UpdaterDownloadSucceeded();
        g_run.stage = Stage::kIdle;
      }
      return;
  }
}

}  // namespace

void UpdaterTick() {
  MoveOn();
  // The plain window is looked after in ticks, and the result's time runs
  // out in one: a loop that draws only what changes must come back.
  if (UpdaterIsBusy()) EngFramesRequestTick(kPlainWindowTicksPerSecond);
}

bool UpdaterIsBusy() { return g_run.stage != Stage::kIdle; }
bool UpdaterDownloadPlaced() { return g_run.placed; }

bool UpdaterCheckForUpdates(float version, const char* programType) {
  if (!UpdaterBeginCheck(version, programType)) return false;
  while (UpdaterIsBusy()) {
    EngJobDeliver();
    UpdaterTick();
    if (UpdaterIsBusy()) EngMiscSleep(kRunToEndRest);
  }
  return g_run.placed;
}

bool UpdaterInternetTestResult(const UpdaterFetch& fetch, char* buffer, int size) {
  if (UpdaterJudgeFetch(fetch, true)) {
    if (buffer && size >= 33) std::snprintf(buffer, static_cast<std::size_t>(size), "%s", "Internet Test Ok");
    return true;
  }
  if (buffer && size > 0) std::snprintf(buffer, static_cast<std::size_t>(size), "%s", g_lastError);
  return false;
}

bool UpdaterInternetTest(char* buffer, int size) {
  return UpdaterInternetTestResult(UpdaterFetchURL(UpdaterScriptUrl()), buffer, size);
}

// ---- Tests ----------------------------------------------------------------------------------

const char* UpdaterGetRequest() { return g_request; }
const char* UpdaterGetReply() { return g_reply; }
const char* UpdaterGetLink() { return g_link; }
const char* UpdaterGetLastError() { return g_lastError; }
void UpdaterSetResultPauseForTests(double seconds) { g_resultPause = seconds; }
