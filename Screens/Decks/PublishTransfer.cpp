// PublishTransfer.cpp - the deck service's three transfers on libcurl's easy
// interface, the FTP test, and reading the service's answers (see
// Publish.h).
//
// Every transfer has its own easy handle, owned by a CurlHandle for exactly
// the transfer's length. An answer is kept up to kPublishMaxAnswer bytes; a
// longer one ends the transfer there (it is refused anyway). An HTTP error
// status or a transfer that fails (time-out, reset) leaves no answer.
//
// Each step is a transfer, which may run on a worker thread (it touches the
// run's upload buffer and counters and nothing of the game), and its
// telling, which shows the player the outcome on the main thread. A run
// (PublishStartTransfers) does the three transfers in one job and tells
// their outcomes when it has ended; while it runs, the status line follows
// the step and the percentage sent.
#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "App/Resolution.h"
#include "Engine/Debug.h"
#include "Engine/EngFrames.h"
#include "Engine/EngJob.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/Publish.h"
#include "Screens/Decks/PublishLocal.h"

namespace {

// The deck account on the maker's FTP server and the folders below its home.
constexpr const char* kFtpUser = "cardoliadecks";
constexpr const char* kFtpPassword = "Rkt52hPy";
constexpr const char* kFtpSiteFolder = "site";
constexpr const char* kDeckFolder = "web/cardolia/publish";
constexpr const char* kCgiFolder = "cgi-bin/cardolia/publish";

// What a player waits at most with the Publish screen's buttons off.
struct Timeouts {
  long connectMs = 10000;   // to reach the server (for FTP: up to its greeting and log-in)
  long stallSeconds = 10;   // without a single byte moving; also each FTP reply in whole
  long totalMs = 15000;     // a whole HTTP request, the FTP test
};

// One publish's transfer state; freed when the run ends.
struct TransferState {
  std::vector<std::uint8_t> upload;
  std::size_t sent = 0;
  std::string answer;  // at most kPublishMaxAnswer bytes
  int lastPercent = -1;
  std::vector<int> percentages;
  int ftpPort = 0;
  Timeouts timeouts;
};

// The step a run is at and the percentage sent, for the status line.
enum RunStep : int { kRunIdle = 0, kRunChecking, kRunUploading, kRunAnnouncing };
struct RunProgress {
  std::atomic<int> step{kRunIdle};
  std::atomic<int> percent{-1};  // -1 before the first chunk
  int shownStep = kRunIdle;      // main thread: what the line shows
  int shownPercent = -1;
  int job = 0;
};

TransferState g_transfer;
RunProgress g_run;
MWinButton* g_statusButton = nullptr;

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int StopWhenCancelled(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return EngJobCancelRequested() ? 1 : 0;
}

// Owns one easy handle for one transfer.
class CurlHandle {
 public:
  CurlHandle() {
    GlobalInit();
    handle_ = curl_easy_init();
    if (handle_) {
      curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
      // The progress callback only lets a cancelled job (the program
      // closing) end the transfer at once.
      curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L);
      curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, StopWhenCancelled);
      curl_easy_setopt(handle_, CURLOPT_ERRORBUFFER, error_);
    }
  }
  ~CurlHandle() {
    if (handle_) curl_easy_cleanup(handle_);
  }
  CurlHandle(const CurlHandle&) = delete;
  CurlHandle& operator=(const CurlHandle&) = delete;

  CURL* get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // The connect time-out and the stall limit every transfer has; a total
  // time-out for the HTTP requests. The stall limit does not watch the
  // wait for an FTP reply (once the upload's last byte has gone the server
  // still has to confirm it): each reply gets that long in whole, counted
  // from its request, however slowly its bytes come.
  void Bound(bool total) {
    const Timeouts& t = g_transfer.timeouts;
    curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT_MS, t.connectMs);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, t.stallSeconds);
    curl_easy_setopt(handle_, CURLOPT_SERVER_RESPONSE_TIMEOUT, t.stallSeconds);
    if (total) curl_easy_setopt(handle_, CURLOPT_TIMEOUT_MS, t.totalMs);
  }
  CURLcode Perform(const char* where) {
    error_[0] = 0;
    const CURLcode code = curl_easy_perform(handle_);
    if (code != CURLE_OK) {
      // libcurl's text may quote the server.
      DebugNote("%s: transfer ended with %d (%s)", where, code,
                DebugForeignText(error_[0] ? error_ : curl_easy_strerror(code)).c_str());
    }
    return code;
  }

 private:
  CURL* handle_ = nullptr;
  char error_[CURL_ERROR_SIZE] = {};
};

const char* Text(const char* token) { return EngLanguagesGetFirstString(token); }

// Runs an HTTP GET and gives its answer; empty when the request did not end
// well (a transfer failure or an HTTP error status). Our own stop at
// kPublishMaxAnswer bytes keeps what came. Any thread.
std::string RequestAnswer(const char* where, const std::string& url) {
  std::string answer;
  CurlHandle curl;
  if (!curl) {
    DebugError(where, "curl_easy_init() failed");
    return answer;
  }
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, PublishCurlWriteDataCB);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer);
  curl_easy_setopt(curl.get(), CURLOPT_READFUNCTION, PublishCurlReadDataCB);
  curl_easy_setopt(curl.get(), CURLOPT_UPLOAD, 0L);
  curl.Bound(true);
  const CURLcode code = curl.Perform(where);
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  const bool stoppedByUs =
      code == CURLE_WRITE_ERROR && answer.size() >= static_cast<std::size_t>(kPublishMaxAnswer);
  if ((code != CURLE_OK && !stoppedByUs) || status >= 400) {
    if (status >= 400) DebugNote("%s: HTTP status %ld", where, status);
    answer.clear();
  }
  return answer;
}

// The text part of an answer: from its fourth character, "" when shorter.
std::string TextPart(const std::string& answer) { return answer.size() > 3 ? answer.substr(3) : std::string(); }

// An unsigned decimal number after blanks; false when there is none or it
// does not fit.
bool ReadUnsigned(const char** p, unsigned* value) {
  const char* s = *p;
  while (*s == ' ' || *s == '\t') ++s;
  if (!std::isdigit(static_cast<unsigned char>(*s))) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long v = std::strtoul(s, &end, 10);
  if (errno == ERANGE || v > UINT_MAX) return false;
  *value = static_cast<unsigned>(v);
  *p = end;
  return true;
}

// A signed decimal number of at most nine digits after blanks.
bool ReadSmallInt(const char* s, long* value) {
  while (*s == ' ' || *s == '\t') ++s;
  const char* digits = (*s == '-' || *s == '+') ? s + 1 : s;
  if (!std::isdigit(static_cast<unsigned char>(*digits))) return false;
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(s, &end, 10);
  if (errno == ERANGE || v > 999999999L || v < -999999999L) return false;
  *value = v;
  return true;
}

std::string SiteHost() {
  std::string rest = VariousGetSiteAddress();
  const std::size_t scheme = rest.find("://");
  if (scheme != std::string::npos) rest.erase(0, scheme + 3);
  rest = rest.substr(0, rest.find_first_of("/?#"));
  const std::size_t at = rest.rfind('@');
  if (at != std::string::npos) rest.erase(0, at + 1);
  if (!rest.empty() && rest[0] == '[') return rest.substr(0, rest.find(']') + 1);  // an IPv6 address
  return rest.substr(0, rest.find(':'));
}

}  // namespace

// ---- Status line and popups ----------------------------------------------------------------

void PublishSetStatusButton(MWinButton* status) { g_statusButton = status; }

void PublishShowStatus(const char* text) {
  if (!g_statusButton) return;
  g_statusButton->SetText(text ? text : "");
  g_statusButton->Show();
}

void PublishPopup(const char* title, const char* text) {
  // The text may be the service's own words.
  DebugDoString(("Publish: " + DebugForeignText(text)).c_str(), D_POPUP);
  if (!g_MWin.IsOn()) return;
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupOk(title ? title : Text("Engmon_Error"), text);
}

void PublishPopupTokens(const char* titleToken, const char* textToken) {
  PublishPopup(titleToken ? Text(titleToken) : nullptr, Text(textToken));
}

// ---- Answers ------------------------------------------------------------------------------

PublishCheckAnswer PublishReadCheckAnswer(const char* answer, std::size_t size) {
  PublishCheckAnswer a;
  if (!answer || size == 0) return a;
  if (size >= static_cast<std::size_t>(kPublishMaxAnswer)) {
    a.result = kPublishCheckTooLong;
    return a;
  }
  // Read as text: it ends at its first zero byte.
  const std::string whole(answer, strnlen(answer, size));
  a.text = TextPart(whole);
  const char decider = whole.size() > 1 ? whole[1] : 0;
  switch (decider) {
    case 'Y':
      a.result = kPublishCheckOk;
      break;
    case 'N':
      a.result = kPublishCheckRefused;
      break;
    case 'V': {
      const char* p = a.text.c_str();
      a.result = ReadUnsigned(&p, &a.received) && ReadUnsigned(&p, &a.service) ? kPublishCheckVersion
                                                                             : kPublishCheckOther;
      break;
    }
    case 'X':
      a.result = ReadSmallInt(a.text.c_str(), &a.error) ? kPublishCheckError : kPublishCheckOther;
      break;
    default:
      a.result = kPublishCheckOther;
      break;
  }
  return a;
}

PublishEmailAnswer PublishReadEmailAnswer(const char* answer, std::size_t size) {
  PublishEmailAnswer a;
  if (!answer || size == 0) return a;
  if (size >= static_cast<std::size_t>(kPublishMaxAnswer)) {
    a.result = kPublishEmailTooLong;
    return a;
  }
  a.whole.assign(answer, strnlen(answer, size));
  a.text = TextPart(a.whole);
  const char decider = a.whole.size() > 1 ? a.whole[1] : 0;
  a.result = decider == 'Y' ? kPublishEmailOk : decider == 'X' ? kPublishEmailError : kPublishEmailOther;
  return a;
}

// ---- Names and addresses ----------------------------------------------------------------------

std::string PublishUploadFileName(int year, int month, int day, const char* player, unsigned id) {
  std::string name = player ? player : "";
  for (char& c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool keep = (u < 128 && std::isalnum(u)) || c == '-' || c == '_';
    if (!keep) c = '_';
  }
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "%04d%02d%02d_", year, month, day);
  return prefix + name + "_" + std::to_string(id) + ".deck";
}

std::string PublishEncodeName(const char* name) {
  std::string out;
  if (!name) return out;
  for (int i = 0; i < kUserMaxNameLength && name[i]; ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03d", static_cast<int>(static_cast<signed char>(name[i])));
    out += digits;
  }
  return out;
}

std::string PublishCheckUrl() {
  char query[128];
  std::snprintf(query, sizeof query, "/%s/SendDeck.cgi?game=Cardolia&v=%d&p=%s", kCgiFolder,
                kPublishGameVersion, kPublishPlatform);
  return VariousGetSiteAddress() + std::string(query);
}

std::string PublishEmailUrl(const char* player, unsigned id) {
  char query[128];
  std::snprintf(query, sizeof query, "/%s/SendDeckEmail.cgi?game=Cardolia&v=%d&p=%s&un=", kCgiFolder,
                kPublishGameVersion, kPublishPlatform);
  return VariousGetSiteAddress() + std::string(query) + PublishEncodeName(player) + "&uid=" + std::to_string(id);
}

std::string PublishFtpUrl(const char* fileName) {
  // Appended one piece at a time: GCC 12 misreports a chain of + here
  // (GCC bug 105651).
  std::string url = "ftp://";
  url += kFtpUser;
  url += ':';
  url += kFtpPassword;
  url += '@';
  url += SiteHost();
  if (g_transfer.ftpPort > 0) {
    url += ':';
    url += std::to_string(g_transfer.ftpPort);
  }
  url += '/';
  url += kFtpSiteFolder;
  url += '/';
  url += kDeckFolder;
  url += '/';
  url += fileName ? fileName : "";
  return url;
}

// ---- libcurl's callbacks ------------------------------------------------------------------------

std::size_t PublishCurlWriteDataCB(char* data, std::size_t size, std::size_t count, void* context) {
  if (!data || size == 0 || count == 0) return 0;
  const std::size_t bytes = size * count;
  std::string& answer = context ? *static_cast<std::string*>(context) : g_transfer.answer;
  const std::size_t room = static_cast<std::size_t>(kPublishMaxAnswer) - answer.size();
  if (bytes >= room) {
    // Long enough to be refused: keep what shows that, end the transfer.
    answer.append(data, room);
    return 0;
  }
  answer.append(data, bytes);
  return bytes;
}

std::size_t PublishCurlReadDataCB(char* buffer, std::size_t size, std::size_t count, void*) {
  TransferState& t = g_transfer;
  if (!buffer || size == 0 || count == 0 || t.upload.empty()) return 0;
  if (t.sent >= t.upload.size()) return 0;
  const std::size_t room = count > kPublishChunk / size ? kPublishChunk : size * count;
  const std::size_t n = std::min({room, kPublishChunk, t.upload.size() - t.sent});
  std::memcpy(buffer, t.upload.data() + t.sent, n);
  t.sent += n;
  const int percent = static_cast<int>(t.sent * 100 / t.upload.size());
  // The status line shows each new number (on the main thread).
  if (percent != t.lastPercent) {
    t.lastPercent = percent;
    t.percentages.push_back(percent);
    g_run.percent = percent;
  }
  return n;
}

std::size_t PublishCurlTestWriteDataCB(char* data, std::size_t size, std::size_t count, void*) {
  if (data && size > 0 && count > 0) {
    DebugError("PublishCurlTestWriteDataCB", "Got data <%s>", DebugForeignText(data, size * count).c_str());
  }
  return 0;
}

std::size_t PublishCurlTestReadDataCB(char*, std::size_t, std::size_t, void*) {
  // The test file is always empty, whatever a publish holds.
  return 0;
}

// ---- The transfers ---------------------------------------------------------------------------------

void PublishSetUpload(std::vector<std::uint8_t> data) {
  g_transfer.upload = std::move(data);
  g_transfer.sent = 0;
  g_transfer.lastPercent = -1;
  g_transfer.percentages.clear();
  g_transfer.answer.clear();
}

void PublishFreeTransferState() {
  std::vector<std::uint8_t>().swap(g_transfer.upload);
  g_transfer.sent = 0;
  g_transfer.lastPercent = -1;
  g_transfer.answer.clear();
  g_transfer.answer.shrink_to_fit();
}

// ---- Telling the outcomes (main thread) ---------------------------------------------------------

bool PublishTellCheck(const std::string& answer) {
  const char* where = "PublishCheckIfOkToUploadData";
  const PublishCheckAnswer a = PublishReadCheckAnswer(answer.data(), answer.size());
  char text[160];
  switch (a.result) {
    case kPublishCheckNoAnswer:
      PublishPopupTokens(nullptr, "Publish_CouldNotConnect");
      return false;
    case kPublishCheckTooLong:
      PublishPopupTokens(nullptr, "Publish_CouldNotGetInfo");
      return false;
    case kPublishCheckOk:
      return true;
    case kPublishCheckRefused:
      PublishPopup(Text("Publish_ErrorSendingDeck"), a.text.c_str());
      return false;
    case kPublishCheckVersion:
      if (a.received != static_cast<unsigned>(kPublishGameVersion)) {
        DebugError(where, "Game version [%d] not same as reported game version [%u]", kPublishGameVersion,
                   a.received);
        std::snprintf(text, sizeof text, "Problem sending [GV%d != CGV%u]", kPublishGameVersion, a.received);
        PublishPopup(nullptr, text);
      } else if (a.service == static_cast<unsigned>(kPublishGameVersion)) {
        DebugError(where, "Versions the same but version problem reported");
        std::snprintf(text, sizeof text, "Problem sending [V SAME %d]", kPublishGameVersion);
        PublishPopup(nullptr, text);
      } else if (a.service < static_cast<unsigned>(kPublishGameVersion)) {
        DebugError(where, "Game version [%d] is greater than CGI version [%u]", kPublishGameVersion, a.service);
        std::snprintf(text, sizeof text, "Problem sending [V%d > V%u]", kPublishGameVersion, a.service);
        PublishPopup(nullptr, text);
      } else {
        // The service is newer than the game: the start-up dialog offers
        // the update check at the next start.
        g_ResolutionSettings.showDialog = 1;
        PublishPopupTokens("Publish_OldVersion", "Publish_OldVersionMessage");
      }
      return false;
    case kPublishCheckError:
      DebugError(where, "Cgi Result error: %02ld", a.error);
      std::snprintf(text, sizeof text, "Problem sending [%ld]", a.error + 10000);
      PublishPopup(nullptr, text);
      return false;
    case kPublishCheckOther:
      DebugError(where, "Cgi unknown error");
      PublishPopup(nullptr, "Problem sending [99]");
      return false;
  }
  return false;
}

int PublishTellUpload(const PublishUploadOutcome& outcome) {
  if (outcome.sent == 0) {
    PublishPopupTokens(nullptr, "Publish_NoDataSent");
    return -1;
  }
  // Handed to libcurl is not arrived: only a transfer that ended well counts.
  if (outcome.unconfirmed) {
    PublishPopupTokens(nullptr, "Publish_NotConfirmed");
    return -1;
  }
  if (!outcome.complete) {
    PublishPopupTokens(nullptr, "Publish_NotAllDataSent");
    return -1;
  }
  return 1;
}

bool PublishTellEmail(const std::string& answer) {
  const char* where = "PublishSendEmail";
  const PublishEmailAnswer a = PublishReadEmailAnswer(answer.data(), answer.size());
  switch (a.result) {
    case kPublishEmailNoAnswer:
      PublishPopup(nullptr, "Could not complete transfer.");
      return false;
    case kPublishEmailTooLong:
      PublishPopup(nullptr, "Error completing transfer.");
      return false;
    case kPublishEmailOk:
      return true;
    case kPublishEmailError: {
      DebugError(where, "Cgi Result error: %s", DebugForeignText(a.whole).c_str());
      const std::string text = "Problem completing transfer [" + a.text + "]";
      PublishPopup(nullptr, text.c_str());
      return false;
    }
    case kPublishEmailOther:
      DebugError(where, "Cgi unknown error [%s]", DebugForeignText(a.whole).c_str());
      PublishPopup(nullptr, "Unknown problem completing transfer");
      return false;
  }
  return false;
}

// ---- The transfers (any thread) ---------------------------------------------------------------------

std::string PublishRequestCheck(const std::string& url) { return RequestAnswer("PublishCheckIfOkToUploadData", url); }

std::string PublishRequestEmail(const std::string& url) { return RequestAnswer("PublishSendEmail", url); }

PublishUploadOutcome PublishTransferUpload(const std::string& url) {
  const char* where = "PublishUploadData";
  TransferState& t = g_transfer;
  PublishUploadOutcome outcome;
  CurlHandle curl;
  if (!curl) {
    DebugError(where, "curl_easy_init() failed");
    return outcome;
  }
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, PublishCurlWriteDataCB);
  curl_easy_setopt(curl.get(), CURLOPT_READFUNCTION, PublishCurlReadDataCB);
  curl_easy_setopt(curl.get(), CURLOPT_READDATA, nullptr);
  curl_easy_setopt(curl.get(), CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(t.upload.size()));
  curl_easy_setopt(curl.get(), CURLOPT_UPLOAD, 1L);
  curl.Bound(false);
  t.sent = 0;
  t.lastPercent = -1;
  t.percentages.clear();
  const CURLcode code = curl.Perform(where);
  outcome.sent = t.sent;
  outcome.complete = code == CURLE_OK && t.sent == t.upload.size();
  // Every byte went and the wait for the server's word ran out.
  outcome.unconfirmed = code == CURLE_OPERATION_TIMEDOUT && !t.upload.empty() && t.sent == t.upload.size();
  return outcome;
}

// ---- The three steps, each waited for ---------------------------------------------------------------

bool PublishCheckIfOkToUploadData() {
  PublishShowStatus(Text("Publish_Connecting"));
  return PublishTellCheck(PublishRequestCheck(PublishCheckUrl()));
}

std::string PublishUploadUrl() {
  EngMiscDate date{};
  EngMiscGetLocalDate(&date);
  return PublishFtpUrl(
      PublishUploadFileName(date.year, date.month, date.day, g_UserRecord.name, g_UserRecord.playerId).c_str());
}

int PublishUploadData() {
  if (g_transfer.upload.empty()) return 0;
  PublishShowStatus(Text("Publish_SettingUpTransfer"));
  return PublishTellUpload(PublishTransferUpload(PublishUploadUrl()));
}

bool PublishSendEmail() {
  PublishShowStatus(Text("Publish_FinalisingTransfer"));
  return PublishTellEmail(PublishRequestEmail(PublishEmailUrl(g_UserRecord.name, g_UserRecord.playerId)));
}

// ---- A whole run on a worker ----------------------------------------------------------------------------

namespace {

// What the run's worker brings back.
struct RunOutcome {
  std::string check;
  bool uploaded = false;  // the upload was tried
  PublishUploadOutcome upload;
  bool announced = false;  // the announcement was tried
  std::string email;
};

// The status line follows the run's step (main thread, every frame).
void ShowRunStatus() {
  const int step = g_run.step;
  const int percent = g_run.percent;
  if (step == g_run.shownStep && percent == g_run.shownPercent) return;
  g_run.shownStep = step;
  g_run.shownPercent = percent;
  EngFramesRequestDraw();  // a tick of the running job, not of input
  char text[128] = {};
  if (step == kRunChecking) {
    std::snprintf(text, sizeof text, "%s", Text("Publish_Connecting"));
  } else if (step == kRunUploading && percent < 0) {
    std::snprintf(text, sizeof text, "%s", Text("Publish_SettingUpTransfer"));
  } else if (step == kRunUploading) {
    const std::string number = std::to_string(percent);
    if (!EngLanguagesGetStringWithParam("Publish_SendingNComplete", number.c_str(), text, sizeof text)) {
      std::snprintf(text, sizeof text, "%d %%", percent);
    }
  } else if (step == kRunAnnouncing) {
    std::snprintf(text, sizeof text, "%s", Text("Publish_FinalisingTransfer"));
  } else {
    return;
  }
  PublishShowStatus(text);
}

}  // namespace

bool PublishStartTransfers(const std::function<void(bool sent)>& ended) {
  if (PublishIsRunning() || g_transfer.upload.empty()) return false;
  // Addresses are made here: the worker reads nothing of the player.
  const std::string checkUrl = PublishCheckUrl();
  const std::string uploadUrl = PublishUploadUrl();
  const std::string emailUrl = PublishEmailUrl(g_UserRecord.name, g_UserRecord.playerId);
  g_run.step = kRunChecking;
  g_run.percent = -1;
  g_run.shownStep = kRunIdle;
  g_run.shownPercent = -1;
  ShowRunStatus();
  auto outcome = std::make_shared<RunOutcome>();
  const auto work = [outcome, checkUrl, uploadUrl, emailUrl] {
    outcome->check = PublishRequestCheck(checkUrl);
    const PublishCheckAnswer check = PublishReadCheckAnswer(outcome->check.data(), outcome->check.size());
    if (check.result != kPublishCheckOk || EngJobCancelRequested()) return;
    g_run.step = kRunUploading;
    outcome->uploaded = true;
    outcome->upload = PublishTransferUpload(uploadUrl);
    if (!outcome->upload.complete || EngJobCancelRequested()) return;
    g_run.step = kRunAnnouncing;
    outcome->announced = true;
    outcome->email = PublishRequestEmail(emailUrl);
  };
  const auto done = [outcome, ended] {
    g_run.job = 0;
    g_run.step = kRunIdle;
    // The outcomes are told in the order of the steps, up to the first that failed.
    const bool sent = PublishTellCheck(outcome->check) && outcome->uploaded &&
                      PublishTellUpload(outcome->upload) == 1 && outcome->announced &&
                      PublishTellEmail(outcome->email);
    if (ended) ended(sent);
  };
  g_run.job = EngJobStart("deck publish", work, done, ShowRunStatus);
  if (g_run.job == 0) {
    g_run.step = kRunIdle;
    return false;
  }
  return true;
}

bool PublishIsRunning() { return g_run.job != 0; }

int PublishDoFtpInternetTest() {
  const char* where = "PublishDoFtpInternetTest";
  CurlHandle curl;
  if (!curl) {
    DebugError(where, "curl_easy_init() failed");
    return 0;
  }
  const std::string url = PublishFtpUrl("ftp_test");
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, PublishCurlTestWriteDataCB);
  curl_easy_setopt(curl.get(), CURLOPT_READFUNCTION, PublishCurlTestReadDataCB);
  curl_easy_setopt(curl.get(), CURLOPT_READDATA, nullptr);
  curl_easy_setopt(curl.get(), CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(0));
  curl_easy_setopt(curl.get(), CURLOPT_UPLOAD, 1L);
  curl.Bound(true);
  const CURLcode code = curl.Perform(where);
  if (code == CURLE_OK) return 1;
  if (code == CURLE_COULDNT_CONNECT || EngJobCancelRequested()) return 0;  // closing is no fault
  DebugError(where, "curl_easy_perform() error %d", static_cast<int>(code));
  return -1;
}

// ---- Test seams --------------------------------------------------------------------------------------

void PublishSetFtpPortForTests(int port) { g_transfer.ftpPort = port; }

void PublishSetTimeoutsForTests(long connectMs, long stallSeconds, long totalMs) {
  if (connectMs > 0) g_transfer.timeouts.connectMs = connectMs;
  if (stallSeconds > 0) g_transfer.timeouts.stallSeconds = stallSeconds;
  if (totalMs > 0) g_transfer.timeouts.totalMs = totalMs;
}

const std::vector<int>& PublishGetPercentagesForTests() { return g_transfer.percentages; }

void PublishResetForTests() {
  g_transfer = TransferState();
  g_run.step = kRunIdle;
  g_run.percent = -1;
  g_run.shownStep = kRunIdle;
  g_run.shownPercent = -1;
}
