// UpdaterDownload.cpp - the download of a newer version with libcurl: its
// window, the transfer into "Download.part", the move to the desktop and the
// message box (see Updater.h).
#include <curl/curl.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "App/PrefFolder.h"
#include "App/Updater.h"
#include "App/UpdaterLocal.h"
#include "Engine/Debug.h"
#include "Engine/DX9/SWin.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"
#include "Platform/Files.h"
#include "Platform/PlainWindow.h"
#include "Platform/Time.h"
#include "Platform/WinInet.h"

namespace {

constexpr long kConnectTimeoutSeconds = 15;
// A transfer slower than this many bytes a second for the stall time ends.
constexpr long kStallBytesPerSecond = 1;
constexpr long kStallSeconds = 30;
// The window is looked after at most this often while bytes arrive.
constexpr double kPumpInterval = 0.05;

struct Transfer {
  EngFile* file = nullptr;
  std::string name;
  int textControl = -1;
  double lastPump = -1.0;
};

char g_message[1024] = "";
double g_lastRate = 0.0;

std::size_t WriteCallback(char* data, std::size_t size, std::size_t count, void* context) {
  auto* transfer = static_cast<Transfer*>(context);
  if (size == 0 || count == 0) return 0;
  DebugNote("WCB: %lu x %lu", static_cast<unsigned long>(size), static_cast<unsigned long>(count));
  if (!transfer->file->Write(data, size * count)) return 0;
  DebugNote("WROTE: %lu x %lu", static_cast<unsigned long>(size), static_cast<unsigned long>(count));
  return size * count;
}

int ProgressCallback(void* context, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
  auto* transfer = static_cast<Transfer*>(context);
  SWin& window = SWinGet();
  if (!window.IsCreated() || window.GetQuitFlag() || transfer->textControl < 0) return 1;
  const double clock = PlatformTimeNow();
  if (transfer->lastPump >= 0 && clock - transfer->lastPump < kPumpInterval) return 0;
  transfer->lastPump = clock;
  const int percent =
      total > 0 ? static_cast<int>(std::lround(static_cast<double>(now) * 100.0 / static_cast<double>(total))) : 0;
  char text[160];
  if (!transfer->name.empty()) {
    std::snprintf(text, sizeof text, "Downloading %s (%d%%) ...", transfer->name.c_str(), percent);
  } else {
    std::snprintf(text, sizeof text, "Downloading (%d%%) ...", percent);
  }
  window.SetButtonText(transfer->textControl, text);
  UpdaterProcessPendingMessages();
  // Cancel, Escape or the close box during the pumping end the transfer now.
  return window.IsCreated() && !window.GetQuitFlag() ? 0 : 1;
}

void PressCancel(SWin* window) {
  DebugNote("CANCEL");
  window->QuitWindowLoop();
}

// Moves the finished file to the first free desktop name; that name, or ""
// when every name is taken or the move fails otherwise.
std::string MoveToDesktop(const std::string& temporary, const std::string& name, std::string* lastTarget) {
  const std::string desktop = PrefFolderGetDesktopFolder();
  for (int n = 0; n < kUpdaterDesktopNames; ++n) {
    const std::string candidate = UpdaterDesktopName(name, n);
    *lastTarget = desktop + "/" + candidate;
    if (MoveFileExA(temporary.c_str(), lastTarget->c_str(), MOVEFILE_COPY_ALLOWED)) return candidate;
    if (GetLastError() != static_cast<DWORD>(EEXIST)) return "";
  }
  return "";
}

}  // namespace

bool UpdaterDoDownload() {
  constexpr const char* kWhere = "UpdaterDoDownload";
  const std::string link = UpdaterLinkBuffer();
  if (link.empty() || link.size() >= static_cast<std::size_t>(kUpdaterLinkSize)) return false;
  Transfer transfer;
  UpdaterLinkFileName(link.c_str(), &transfer.name);

  CURL* curl = curl_easy_init();
  if (!curl) {
    DebugError(kWhere, "curl_easy_init() failed");
    return false;
  }
  const std::string temporary = PrefFolderGetMainFolderFile(kUpdaterPartFile);
  EngFileDelete(temporary.c_str());
  EngFile file;
  if (!file.DoOpenForWriting(temporary.c_str(), false)) {
    DebugError(kWhere, "Could not create file for downloading <%s>", temporary.c_str());
    curl_easy_cleanup(curl);
    return false;
  }
  transfer.file = &file;
  SWin& window = SWinGet();
  for (int i = 0; i < window.GetControlCount(); ++i) {
    if (window.GetControl(i)->type == kSWinStaticText) transfer.textControl = i;
  }

  // The five options and the transfer in their order; a failure stops
  // there and its step number (0-4 the options, 8 the transfer) is reported.
  int step = 0;
  CURLcode code = CURLE_OK;
  const auto run = [&](int number, const auto& action) {
    if (code != CURLE_OK) return;
    step = number;
    code = action();
  };
  run(0, [&] { return curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer); });
  run(1, [&] { return curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteCallback); });
  run(2, [&] {
    // The link as the reply gave it, only over https, never redirected.
    CURLcode set = curl_easy_setopt(curl, CURLOPT_URL, link.c_str());
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https");
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    if (set == CURLE_OK && PlatformInternetCaFileForTests()) {
      set = curl_easy_setopt(curl, CURLOPT_CAINFO, PlatformInternetCaFileForTests());
    }
    return set;
  });
  run(3, [&] { return curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L); });
  run(4, [&] {
    CURLcode set = curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, ProgressCallback);
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    // A server that never answers or stops sending does not hold the game.
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kStallBytesPerSecond);
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    return set;
  });
  const double started = PlatformTimeNow();
  run(8, [&] { return curl_easy_perform(curl); });
  long status = 0;
  curl_off_t bytes = 0;
  if (code == CURLE_OK) {
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(curl, CURLINFO_SIZE_DOWNLOAD_T, &bytes);
  }
  file.Close();
  curl_easy_cleanup(curl);

  if (code == CURLE_ABORTED_BY_CALLBACK) {
    EngFileDelete(temporary.c_str());
    return false;
  }
  if (code != CURLE_OK) {
    EngFileDelete(temporary.c_str());
    DebugError(kWhere, "Problem (from: %d  error: %d)", step, static_cast<int>(code));
    return false;
  }
  // An error page is not the file: only a complete 2xx reply counts.
  if (status < 200 || status > 299) {
    EngFileDelete(temporary.c_str());
    DebugError(kWhere, "Problem (from: %d  error: %d)", step, static_cast<int>(status));
    return false;
  }
  const double seconds = PlatformTimeNow() - started;
  g_lastRate = seconds > 0 ? static_cast<double>(bytes) / seconds : 0.0;
  if (transfer.name.empty()) {
    EngFileDelete(temporary.c_str());
    DebugError(kWhere, "Internal Error 1 <%s>", link.c_str());
    return false;
  }
  std::string target;
  const std::string placed = MoveToDesktop(temporary, transfer.name, &target);
  if (placed.empty()) {
    EngFileDelete(temporary.c_str());
    DebugError(kWhere, "There was a problem moving the file to the desktop <%s> -> <%s>", temporary.c_str(),
               target.c_str());
    return false;
  }
  std::snprintf(g_message, sizeof g_message,
                "The file \"%.64s\" has been placed on your Desktop.\n\nPlease remove any older versions of the "
                "program, then install the program as you did the previous version.",
                placed.c_str());
  return true;
}

bool UpdaterStartDownload() {
  std::string name;
  if (!UpdaterLinkFileName(UpdaterLinkBuffer(), &name)) {
    EngMiscMessageBox(kEngMiscBoxWarning, "", "Internal Error 3.");
    DebugError("UpdaterStartDownload", "Invalid link name");
    return false;
  }
  SWin& window = SWinGet();
  SWinSettings settings{};
  std::snprintf(settings.title, sizeof settings.title, "%s", "Free Cardolia 3D");
  settings.x = settings.y = -1;
  settings.width = 450;
  settings.height = 90;
  settings.red = settings.green = settings.blue = 0.94f;
  if (window.CreateMainWindow(&settings)) {
    // A progress window waits for nobody: no answer is given for a person.
    PlainWindowFakeSetIdleAnswer(window.GetPlainWindow(), false);
    window.AddButtonToWindow(kSWinStaticText, 10, 22, 330, 20, "Downloading...");
    const int cancel = window.AddPushButton(360, 20, 80, 20, "Cancel", PressCancel);
    if (cancel >= 0) window.SetButtonTextAlign(cancel, 1);
    UpdaterProcessPendingMessages();
  }
  g_message[0] = '\0';
  const bool done = UpdaterDoDownload();
  if (window.IsCreated()) window.DestroyMainWindow();
  if (done) {
    EngMiscMessageBox(kEngMiscBoxPlain, "Download Complete", g_message);
  } else {
    EngMiscMessageBox(kEngMiscBoxWarning, "", "The download was not completed.");
  }
  return true;
}

const char* UpdaterGetMessageText() { return g_message; }
double UpdaterGetLastDownloadRate() { return g_lastRate; }
