// Updater.cpp - the weekly check, the request, the reply and the updater's
// windows (see Updater.h); the transfer itself is UpdaterDownload.cpp.
#include "App/Updater.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "App/UpdaterLocal.h"
#include "App/Various.h"
#include "Engine/Debug.h"
#include "Engine/DX9/EngInternetDX9.h"
#include "Engine/DX9/SWin.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"

namespace {

constexpr const char* kPlatform = "PC";
constexpr const char* kProgram = "Cardolia";
constexpr int kReadTimeoutSeconds = 5;
constexpr const char* kOutOfDate = "is out of date.";
constexpr float kGrey = 0.94f;
// Between two looks at the result window while nobody acts.
constexpr float kResultIdleSleep = 0.01f;

char g_request[kUpdaterRequestSize] = "";
char g_reply[kUpdaterReplySize + 1] = "";
char g_link[kUpdaterLinkSize] = "";
char g_lastError[256] = "";
bool g_downloadPressed = false;
double g_resultPause = 2.0;

void SetLastErrorText(const char* text) { std::snprintf(g_lastError, sizeof g_lastError, "%s", text); }

// A language text when the language has it, else the given English.
const char* Text(const char* token, const char* english) {
  return EngLanguagesDoesTokenExist(token) ? EngLanguagesGetString(token, 0) : english;
}

SWinSettings WindowSettings(int width, int height) {
  SWinSettings settings{};
  std::snprintf(settings.title, sizeof settings.title, "%s", "Free Cardolia 3D");
  settings.x = settings.y = -1;
  settings.width = width;
  settings.height = height;
  settings.red = settings.green = settings.blue = kGrey;
  return settings;
}

// The small window with one centred line.
int OpenStatusWindow(const char* text) {
  SWin& window = SWinGet();
  const SWinSettings settings = WindowSettings(400, 90);
  if (!window.CreateMainWindow(&settings)) return -1;
  const int line = window.AddButtonToWindow(kSWinStaticText, 0, 22, 400, 20, "Updating");
  if (line < 0) return -1;
  window.SetButtonTextAlign(line, 1);
  window.SetButtonText(line, "");
  window.SetButtonText(line, text);
  UpdaterProcessPendingMessages();
  return line;
}

void ShowResultAndClose(int line, const char* text) {
  SWin& window = SWinGet();
  if (line >= 0 && window.IsCreated()) window.SetButtonText(line, text);
  UpdaterProcessPendingMessages();
  EngMiscWait(static_cast<float>(g_resultPause));
  if (window.IsCreated()) window.DestroyMainWindow();
}

void PressDownload(SWin* window) {
  g_downloadPressed = true;
  window->QuitWindowLoop();
}

void PressClose(SWin* window) { window->QuitWindowLoop(); }

// The reply in the large window; true when Download was pressed.
bool ShowReply() {
  SWin& window = SWinGet();
  const SWinSettings settings = WindowSettings(640, 420);
  if (!window.CreateMainWindow(&settings)) return false;
  window.AddButtonToWindow(kSWinEdit, 20, 20, 600, 320, g_reply);
  window.AddPushButton(480, 360, 140, 20, "Close", PressClose);
  window.AddPushButton(20, 360, 140, 20, "Download", PressDownload);
  g_downloadPressed = false;
  for (int state = window.ProcessAnyWindowsMessages(); state != 0; state = window.ProcessAnyWindowsMessages()) {
    if (state == 1) EngMiscSleep(kResultIdleSleep);
  }
  if (window.IsCreated()) window.DestroyMainWindow();
  const bool pressed = g_downloadPressed;
  g_downloadPressed = false;
  return pressed;
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

const char* UpdaterLinkBuffer() { return g_link; }

// ---- The check -----------------------------------------------------------------------------

std::string UpdaterScriptUrl() { return std::string(VariousGetSiteAddress()) + kUpdaterScriptPath; }

bool UpdaterWeeklyCheck(EngDate* lastCheck, float version, const char* programType) {
  EngDate today{};
  EngMiscGetLocalDate(&today);
  EngDate weekAgo = today;
  for (int day = 0; day < 7; ++day) EngMiscGetPreviousDay(&weekAgo);
  // Checked within the last six days; a date after today is not trusted.
  if (lastCheck && EngMiscIsDateAfter(*lastCheck, weekAgo) && !EngMiscIsDateAfter(*lastCheck, today)) {
    return false;
  }
  if (lastCheck) *lastCheck = today;
  return UpdaterCheckForUpdates(version, programType);
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

bool UpdaterReadURL(const char* url, bool checkOnly) {
  g_link[0] = '\0';  // an earlier check's link is never fetched
  g_reply[0] = '\0';
  char error[256] = "";
  int length = 0;
  if (!EngInternetConnectAndReadURL(url, g_reply, kUpdaterReplySize, &length, error, nullptr, kReadTimeoutSeconds)) {
    DebugError("UpdaterReadURL", "%s", error);
    SetLastErrorText("Could not read result from the URL");
    return false;
  }
  if (checkOnly) return true;
  // The link's part as the reply had it, for the report of one too long.
  const char* mark = std::strstr(g_reply, "#DL:<");
  const std::string tail = mark ? std::string(mark, std::min<std::size_t>(std::strlen(mark), 256)) : std::string();
  bool tooLong = false;
  if (!UpdaterParseReply(g_reply, g_link, &tooLong)) {
    DebugError("UpdaterReadURL", "Got result <%s>", g_reply);
    SetLastErrorText("Error returned from the URL");
    return false;
  }
  if (tooLong) DebugError("UpdaterReadURL", "Link too long <%s...>", tail.c_str());
  return true;
}

bool UpdaterCheckForUpdates(float version, const char* programType) {
  const int line = OpenStatusWindow(Text("Updater_CheckingForUpdates", "Checking for updates ..."));
  if (!UpdaterBuildRequest(version, programType) || !UpdaterReadURL(g_request, false)) {
    ShowResultAndClose(line, Text("Updater_CheckFailed", "Check Failed."));
    return false;
  }
  if (!std::strstr(g_reply, kOutOfDate)) {
    ShowResultAndClose(line, Text("Updater_NoNewVersionExists", "No new version exists at this time."));
    return false;
  }
  if (SWinGet().IsCreated()) SWinGet().DestroyMainWindow();
  if (!ShowReply()) return false;
  return UpdaterStartDownload();
}

bool UpdaterInternetTest(char* buffer, int size) {
  if (UpdaterReadURL(UpdaterScriptUrl().c_str(), true)) {
    if (buffer && size >= 33) std::snprintf(buffer, static_cast<std::size_t>(size), "%s", "Internet Test Ok");
    return true;
  }
  if (buffer && size > 0) std::snprintf(buffer, static_cast<std::size_t>(size), "%s", g_lastError);
  return false;
}

// ---- Tests ----------------------------------------------------------------------------------

const char* UpdaterGetRequest() { return g_request; }
const char* UpdaterGetReply() { return g_reply; }
const char* UpdaterGetLink() { return g_link; }
const char* UpdaterGetLastError() { return g_lastError; }
void UpdaterSetResultPauseForTests(double seconds) { g_resultPause = seconds; }
