// UpdaterDownload.cpp - the download of a newer version with libcurl: its
// window, the transfer into "Download.part" on a worker thread, the checks
// of what arrived, the move to the desktop and the message box (see
// Updater.h).
//
// The worker gets one Download record with everything it needs and writes
// only into it: its progress as atomics (read by the window each frame) and
// its result before it ends (read by the done callback, after the join).
#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cinttypes>
#include <cstdarg>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "App/PrefFolder.h"
#include "App/UpdaterLocal.h"
#include "Engine/Debug.h"
#include "Engine/DX9/SWin.h"
#include "Engine/EngDigest.h"
#include "Engine/EngFile.h"
#include "Engine/EngJob.h"
#include "Engine/EngMisc.h"
#include "Platform/Files.h"
#include "Platform/PlainWindow.h"
#include "Platform/Time.h"
#include "Platform/WinInet.h"

namespace {

constexpr const char* kWhere = "UpdaterDoDownload";
// A transfer slower than this many bytes a second for the stall time ends:
// a trickle is as good as a stall.
constexpr long kStallBytesPerSecond = 1024;

struct Limits {
  long connectSeconds = 15;
  long stallSeconds = 30;
};
constexpr std::size_t kHeadBytes = 16;  // enough for every kind's first bytes

// One download: given by the main thread, filled by the worker.
struct Download {
  // Given.
  std::string link;
  std::string name;
  std::string temporary;
  std::string desktop;
  UpdaterFileFacts facts;
  std::uint64_t bound = 0;  // the most bytes that may come
  Limits limits;
  bool plainHttp = false;   // tests only
  // Progress, while the worker runs.
  std::atomic<std::uint64_t> received{0};
  std::atomic<std::uint64_t> announced{0};  // the reply's length, 0 unknown
  // The worker's own, then its result.
  EngFile* file = nullptr;
  EngSha256 hash;
  unsigned char head[kHeadBytes] = {};
  std::size_t headLength = 0;
  int quartersLogged = 0;
  std::string refusal;  // why the transfer was ended by us
  int writeError = 0;   // errno of a write to the part file that failed
  std::string digest;   // of the bytes received, once they are all in
  bool notSaved = false;  // the file could not be written on this computer
  bool placed = false;
  std::string placedName;
  double rate = 0.0;
};

// The current download (main thread).
struct DownloadRun {
  std::shared_ptr<Download> download;
  int job = 0;
  int textControl = -1;
  int lastPercent = -1;
  bool running = false;
  bool succeeded = false;
};

DownloadRun g_download;
char g_message[1024] = "";
double g_lastRate = 0.0;
bool g_allowHttp = false;
Limits g_limits;

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::size_t WriteCallback(char* data, std::size_t size, std::size_t count, void* context) {
  auto* d = static_cast<Download*>(context);
  if (size == 0 || count == 0 || EngJobCancelRequested()) return 0;
  const std::size_t bytes = size * count;
  const std::uint64_t received = d->received.load() + bytes;
  if (received > d->bound) {
    char text[160];
    std::snprintf(text, sizeof text, "More than the %" PRIu64 " bytes expected came", d->bound);
    d->refusal = text;
    return 0;
  }
  if (!d->file->Write(data, bytes)) {
    d->writeError = errno ? errno : EIO;
    return 0;
  }
  d->hash.Add(data, bytes);
  while (d->headLength < kHeadBytes && d->headLength < received) {
    d->head[d->headLength] = static_cast<unsigned char>(data[d->headLength - (received - bytes)]);
    ++d->headLength;
  }
  d->received = received;
  // A line at each quarter of a stated size, not at each block.
  if (d->facts.size > 0) {
    const int quarters = static_cast<int>(received * 4 / d->facts.size);
    if (quarters > d->quartersLogged && quarters < 4) {
      d->quartersLogged = quarters;
      DebugNote("Downloaded %d%% of <%s>", quarters * 25, d->name.c_str());
    }
  }
  return bytes;
}

int ProgressCallback(void* context, curl_off_t total, curl_off_t, curl_off_t, curl_off_t) {
  auto* d = static_cast<Download*>(context);
  if (total > 0) {
    d->announced = static_cast<std::uint64_t>(total);
    if (d->facts.size > 0 && static_cast<std::uint64_t>(total) != d->facts.size && d->refusal.empty()) {
      char text[160];
      std::snprintf(text, sizeof text, "The reply is %" PRId64 " bytes long where %" PRIu64 " were stated",
                    static_cast<std::int64_t>(total), d->facts.size);
      d->refusal = text;
    }
  }
  return EngJobCancelRequested() || !d->refusal.empty() ? 1 : 0;
}

// Moves the finished file to the first free desktop name; that name, or ""
// when every name is taken or the move fails otherwise (*error: its errno,
// 0 when every name was taken).
std::string MoveToDesktop(const Download& d, std::string* lastTarget, int* error) {
  *error = 0;
  for (int n = 0; n < kUpdaterDesktopNames; ++n) {
    const std::string candidate = UpdaterDesktopName(d.name, n);
    *lastTarget = d.desktop + "/" + candidate;
    if (MoveFileExA(d.temporary.c_str(), lastTarget->c_str(), MOVEFILE_COPY_ALLOWED)) return candidate;
    if (GetLastError() != static_cast<DWORD>(EEXIST)) {
      *error = GetLastError() ? static_cast<int>(GetLastError()) : EIO;
      return "";
    }
  }
  return "";
}

// The file as it lies on disk holds exactly the bytes received: a disk that
// filled up, or a copy that broke off, leaves a shorter or other file behind
// while every byte came.
std::string CheckOnDisk(const Download& d, const std::string& path) {
  EngFileStamp stamp;
  if (!EngFileGetStamp(path.c_str(), &stamp)) return "The file is not there";
  char text[200];
  if (stamp.size != d.received) {
    std::snprintf(text, sizeof text, "The file on disk is %" PRIu64 " bytes where %" PRIu64 " came",
                  static_cast<std::uint64_t>(stamp.size), static_cast<std::uint64_t>(d.received));
    return text;
  }
  EngFile file;
  if (!file.OpenForReading(path.c_str(), false)) return "The file cannot be read back";
  EngSha256 hash;
  std::vector<unsigned char> block(1 << 16);
  for (std::uint64_t left = d.received; left > 0;) {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
    if (!file.Read(block.data(), count)) return "The file cannot be read back";
    hash.Add(block.data(), count);
    left -= count;
  }
  if (hash.HexDigest() != d.digest) return "The file on disk is not the file received";
  return "";
}

// What arrived is the file the reply named; otherwise why not.
std::string CheckArrived(Download& d) {
  const std::uint64_t received = d.received;
  char text[200];
  if (received == 0) return "The file is empty";
  if (d.facts.size > 0 && received != d.facts.size) {
    std::snprintf(text, sizeof text, "The file is %" PRIu64 " bytes where %" PRIu64 " were stated", received,
                  d.facts.size);
    return text;
  }
  if (!d.facts.sha256.empty()) {
    if (d.digest != d.facts.sha256) return "The file's SHA-256 is not the one stated";
    return "";
  }
  if (!UpdaterContentMatchesName(d.name, d.head, d.headLength)) {
    std::snprintf(text, sizeof text, "The file <%s> is not of the kind its name says (without a SHA-256 only "
                                     "known kinds are taken)", d.name.c_str());
    return text;
  }
  return "";
}

// The download failed: no part file stays; the reason is logged.
void Refuse(const Download& d, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Refuse(const Download& d, const char* format, ...) {
  EngFileDelete(d.temporary.c_str());
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  DebugError(kWhere, "%s", text);
}

// The worker's part: the transfer and, when all is well, the move. Touches
// only the record and the files.
void UpdaterDoDownload(Download& d) {
  CURL* curl = curl_easy_init();
  if (!curl) {
    DebugError(kWhere, "curl_easy_init() failed");
    return;
  }
  EngFileDelete(d.temporary.c_str());
  EngFile file;
  if (!file.DoOpenForWriting(d.temporary.c_str(), false)) {
    DebugError(kWhere, "Could not create file for downloading <%s>", d.temporary.c_str());
    curl_easy_cleanup(curl);
    return;
  }
  d.file = &file;
  if (d.facts.size > 0) {
    DebugNote("Downloading <%s> (%" PRIu64 " bytes stated)", d.name.c_str(), d.facts.size);
  } else {
    DebugNote("Downloading <%s> (at most %" PRIu64 " bytes)", d.name.c_str(), d.bound);
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
  run(0, [&] { return curl_easy_setopt(curl, CURLOPT_WRITEDATA, &d); });
  run(1, [&] { return curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteCallback); });
  run(2, [&] {
    // The link as the reply gave it, only over https, never redirected.
    CURLcode set = curl_easy_setopt(curl, CURLOPT_URL, d.link.c_str());
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, d.plainHttp ? "http,https" : "https");
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    if (set == CURLE_OK && PlatformInternetCaFileForTests()) {
      set = curl_easy_setopt(curl, CURLOPT_CAINFO, PlatformInternetCaFileForTests());
    }
    return set;
  });
  run(3, [&] { return curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L); });
  run(4, [&] {
    CURLcode set = curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, ProgressCallback);
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &d);
    // A reply that announces more than may come is refused before its body.
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(d.bound));
    // A server that never answers or stops sending is given up.
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, d.limits.connectSeconds);
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kStallBytesPerSecond);
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, d.limits.stallSeconds);
    if (set == CURLE_OK) set = curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    return set;
  });
  const double started = PlatformTimeNow();
  run(8, [&] { return curl_easy_perform(curl); });
  long status = 0;
  if (code == CURLE_OK) curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  // The last buffered bytes reach the file only here: a full disk may show
  // first at the close.
  if (!file.Close() && d.writeError == 0) d.writeError = errno ? errno : EIO;
  d.file = nullptr;
  curl_easy_cleanup(curl);
  d.digest = d.hash.HexDigest();

  if (EngJobCancelRequested()) {
    EngFileDelete(d.temporary.c_str());  // Cancel: no message but the box
    return;
  }
  const std::string link = DebugForeignText(d.link);
  if (!d.refusal.empty()) return Refuse(d, "%s <%s>", d.refusal.c_str(), link.c_str());
  if (d.writeError != 0) {
    d.notSaved = true;
    return Refuse(d, "Could not write the file <%s>: %s", d.temporary.c_str(), std::strerror(d.writeError));
  }
  if (code == CURLE_FILESIZE_EXCEEDED) {
    return Refuse(d, "The reply announces more than the %" PRIu64 " bytes expected <%s>", d.bound, link.c_str());
  }
  if (code != CURLE_OK) return Refuse(d, "Problem (from: %d  error: %d)", step, static_cast<int>(code));
  // An error page is not the file: only a complete 2xx reply counts.
  if (status < 200 || status > 299) return Refuse(d, "Problem (from: %d  error: %d)", step, static_cast<int>(status));
  const std::string wrong = CheckArrived(d);
  if (!wrong.empty()) return Refuse(d, "%s <%s>", wrong.c_str(), link.c_str());
  const std::string unlike = CheckOnDisk(d, d.temporary);
  if (!unlike.empty()) {
    d.notSaved = true;
    return Refuse(d, "%s <%s>", unlike.c_str(), d.temporary.c_str());
  }
  const double seconds = PlatformTimeNow() - started;
  d.rate = seconds > 0 ? static_cast<double>(d.received) / seconds : 0.0;
  std::string target;
  int moveError = 0;
  d.placedName = MoveToDesktop(d, &target, &moveError);
  if (d.placedName.empty()) {
    // A desktop that is full (or not writable) is told as such; one whose
    // every name is taken only fails.
    d.notSaved = moveError != 0;
    d.writeError = moveError;
    return Refuse(d, "There was a problem moving the file to the desktop <%s> -> <%s>", d.temporary.c_str(),
                target.c_str());
  }
  // A move to another file system is a copy: it too must have gone whole.
  const std::string moved = CheckOnDisk(d, target);
  if (!moved.empty()) {
    EngFileDelete(target.c_str());
    d.notSaved = true;
    return Refuse(d, "%s <%s>", moved.c_str(), target.c_str());
  }
  DebugNote("Downloaded %" PRIu64 " bytes of <%s> to <%s>", static_cast<std::uint64_t>(d.received),
            d.name.c_str(), target.c_str());
  d.placed = true;
}

void PressCancel(SWin* window) {
  DebugNote("CANCEL");
  window->QuitWindowLoop();
}

// The download's end, on the main thread.
void DownloadEnded() {
  const std::shared_ptr<Download> d = g_download.download;
  SWin& window = SWinGet();
  if (window.IsCreated()) window.DestroyMainWindow();
  g_download.succeeded = d && d->placed;
  if (g_download.succeeded) {
    g_lastRate = d->rate;
    std::snprintf(g_message, sizeof g_message,
                  "The file \"%.64s\" has been placed on your Desktop.\n\nPlease remove any older versions of the "
                  "program, then install the program as you did the previous version.",
                  d->placedName.c_str());
    UpdaterBox(kEngMiscBoxPlain, "Download Complete", g_message);
  } else if (d && d->notSaved) {
    // The player learns that the file, not the network, failed (a full disk).
    const int error = d->writeError;
    char text[512];
    std::snprintf(text, sizeof text, "The download was not completed.\n\n%s%s%s.",
                  UpdaterText("Updater_FileNotSaved", "The file could not be saved on this computer"),
                  error ? ": " : "", error ? std::strerror(error) : "");
    UpdaterBox(kEngMiscBoxWarning, "", text);
  } else {
    UpdaterBox(kEngMiscBoxWarning, "", "The download was not completed.");
  }
  g_download.download.reset();
  g_download.job = 0;
  g_download.running = false;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

bool UpdaterStartDownload() {
  g_download.succeeded = false;
  auto d = std::make_shared<Download>();
  d->link = UpdaterLinkBuffer();
  d->facts = UpdaterFactsOfReply();
  // Tests may serve plain http: the name is judged as for https.
  d->plainHttp = g_allowHttp && StartsWith(d->link, "http://");
  const std::string judged = d->plainHttp ? "https://" + d->link.substr(7) : d->link;
  const bool named = UpdaterLinkFileName(judged.c_str(), &d->name);
  if (!named && !d->link.empty()) {
    // The service named a link that is not taken (not https, or no plain
    // file name): its fault, not ours.
    UpdaterBox(kEngMiscBoxWarning, "",
               UpdaterText("Updater_LinkRefused", "The update service gave a download link that was refused (only a "
                                                  "secure https link to a plain file name is taken), so nothing "
                                                  "was downloaded."));
    DebugError("UpdaterStartDownload", "Invalid link name <%s>", DebugForeignText(d->link).c_str());
    return false;
  }
  if (!named || d->facts.unreadable) {
    UpdaterBox(kEngMiscBoxWarning, "", "Internal Error 3.");
    DebugError("UpdaterStartDownload", d->facts.unreadable ? "Invalid file size or SHA-256" : "Invalid link name");
    return false;
  }
  d->bound = d->facts.size > 0 ? d->facts.size : kUpdaterDefaultMaxBytes;
  d->limits = g_limits;
  d->temporary = PrefFolderGetMainFolderFile(kUpdaterPartFile);
  d->desktop = PrefFolderGetDesktopFolder();

  SWin& window = SWinGet();
  SWinSettings settings{};
  std::snprintf(settings.title, sizeof settings.title, "%s", "Free Cardolia 3D");
  settings.x = settings.y = -1;
  settings.width = 450;
  settings.height = 90;
  settings.red = settings.green = settings.blue = 0.94f;
  g_download.textControl = -1;
  g_download.lastPercent = -1;
  if (window.CreateMainWindow(&settings)) {
    // A progress window waits for nobody: no answer is given for a person.
    PlainWindowFakeSetIdleAnswer(window.GetPlainWindow(), false);
    g_download.textControl = window.AddButtonToWindow(kSWinStaticText, 10, 22, 330, 20, "Downloading...");
    const int cancel = window.AddPushButton(360, 20, 80, 20, "Cancel", PressCancel);
    if (cancel >= 0) window.SetButtonTextAlign(cancel, 1);
    UpdaterProcessPendingMessages();
  }
  g_message[0] = '\0';
  GlobalInit();
  g_download.download = d;
  g_download.running = true;
  g_download.job = EngJobStart("update download", [d] { UpdaterDoDownload(*d); }, DownloadEnded);
  if (g_download.job == 0) {
    DownloadEnded();
    return true;
  }
  // Cancelled while its window came up: the transfer stops at its first look.
  if (!window.IsCreated() || window.GetQuitFlag()) EngJobCancel(g_download.job);
  return true;
}

void UpdaterDownloadTick() {
  if (!g_download.running) return;
  UpdaterPumpWindow();
  SWin& window = SWinGet();
  // Cancel, Escape or the close box end the transfer.
  if (!window.IsCreated() || window.GetQuitFlag() || g_download.textControl < 0) {
    EngJobCancel(g_download.job);
    return;
  }
  const std::shared_ptr<Download>& d = g_download.download;
  if (!d) return;
  const std::uint64_t announced = d->announced;
  const std::uint64_t total = announced > 0 ? announced : d->facts.size;
  const int percent =
      total > 0 ? static_cast<int>(std::lround(static_cast<double>(d->received) * 100.0 / static_cast<double>(total)))
                : 0;
  if (percent == g_download.lastPercent) return;
  g_download.lastPercent = percent;
  char text[160];
  std::snprintf(text, sizeof text, "Downloading %s (%d%%) ...", d->name.c_str(), percent);
  window.SetButtonText(g_download.textControl, text);
}

bool UpdaterDownloadRunning() { return g_download.running; }
bool UpdaterDownloadSucceeded() { return g_download.succeeded; }

const char* UpdaterGetMessageText() { return g_message; }
double UpdaterGetLastDownloadRate() { return g_lastRate; }
void UpdaterAllowHttpLinksForTests(bool allow) { g_allowHttp = allow; }

void UpdaterSetDownloadLimitsForTests(long connectSeconds, long stallSeconds) {
  g_limits = Limits();
  if (connectSeconds > 0) g_limits.connectSeconds = connectSeconds;
  if (stallSeconds > 0) g_limits.stallSeconds = stallSeconds;
}
