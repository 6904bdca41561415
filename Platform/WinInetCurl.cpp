// WinInetCurl.cpp - sessions and requests on libcurl's multi interface (see
// WinInet.h).
//
// A request owns one easy handle in its own multi handle and runs the
// transfer only while the caller waits in one of its calls: Wait() performs,
// polls and collects until the call's condition holds, the transfer ends, or
// the call has waited the receive time-out. Body bytes go into a
// queue the reader drains; the write callback pauses the transfer while the
// queue holds more than kMaxBuffered bytes, and the reader resumes it.
#include <curl/curl.h>
#include <strings.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "Platform/Files.h"
#include "Platform/WinInet.h"

namespace {

constexpr DWORD kDefaultTimeoutMs = 30000;
constexpr std::size_t kMaxBuffered = 64 * 1024;
constexpr long kMaxRedirects = 10;
constexpr int kPollSliceMs = 50;

using Clock = std::chrono::steady_clock;

std::atomic<std::size_t> g_peakBuffered{0};
thread_local std::string tLastResponseInfo;
std::string g_caFile;  // the tests' authorities; empty: the system's

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

}  // namespace

struct InternetHandle {
  enum class Kind { kSession, kRequest };
  Kind kind = Kind::kSession;
  DWORD connectTimeoutMs = kDefaultTimeoutMs;
  DWORD receiveTimeoutMs = kDefaultTimeoutMs;

  // Session.
  std::string agent;
  std::vector<InternetHandle*> requests;

  // Request.
  InternetHandle* session = nullptr;
  CURLM* multi = nullptr;
  CURL* easy = nullptr;
  char curlError[CURL_ERROR_SIZE] = {};
  std::vector<char> queue;        // unread body bytes from queueStart on
  std::size_t queueStart = 0;
  std::size_t bytesTaken = 0;     // body bytes handed to the reader
  bool paused = false;
  bool headersDone = false;
  bool locationInBlock = false;
  bool done = false;
  CURLcode result = CURLE_OK;

  std::size_t Buffered() const { return queue.size() - queueStart; }
};

namespace {

// ---- Callbacks (inside curl_multi_perform and curl_easy_pause) ----------------------

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* context) {
  auto* request = static_cast<InternetHandle*>(context);
  const std::size_t bytes = size * count;
  // Held data is handed over again after the resume.
  if (request->Buffered() > 0 && request->Buffered() + bytes > kMaxBuffered) {
    request->paused = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  if (request->queueStart > 0 && request->queueStart == request->queue.size()) {
    request->queue.clear();
    request->queueStart = 0;
  }
  request->queue.insert(request->queue.end(), data, data + bytes);
  request->headersDone = true;
  if (request->Buffered() > g_peakBuffered) g_peakBuffered = request->Buffered();
  return bytes;
}

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* context) {
  auto* request = static_cast<InternetHandle*>(context);
  const std::size_t bytes = size * count;
  const std::string line(data, bytes);
  if (line.rfind("HTTP/", 0) == 0) {
    request->locationInBlock = false;
  } else if (line.size() >= 9 && strncasecmp(line.c_str(), "location:", 9) == 0) {
    request->locationInBlock = true;
  } else if (line == "\r\n" || line == "\n") {
    long status = 0;
    curl_easy_getinfo(request->easy, CURLINFO_RESPONSE_CODE, &status);
    const bool interim = status >= 100 && status < 200;
    const bool followed = status >= 300 && status < 400 && request->locationInBlock;
    if (!interim && !followed) request->headersDone = true;
  }
  return bytes;
}

// ---- Running the transfer ---------------------------------------------------------------

DWORD ErrorOf(CURLcode code) {
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
    case CURLE_COULDNT_RESOLVE_HOST: return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_URL_MALFORMAT: return ERROR_INTERNET_INVALID_URL;
    case CURLE_UNSUPPORTED_PROTOCOL: return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_TOO_MANY_REDIRECTS: return ERROR_HTTP_REDIRECT_FAILED;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CONNECT_ERROR: return ERROR_INTERNET_SEC_CERT_ERRORS;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR: return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY: return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_OUT_OF_MEMORY: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_INTERNET_EXTENDED_ERROR;
  }
}

// Fails the call with the transfer's error (its description kept for
// InternetGetLastResponseInfoA).
bool FailTransfer(InternetHandle* request) {
  tLastResponseInfo = request->curlError[0] ? request->curlError : curl_easy_strerror(request->result);
  return Fail(ErrorOf(request->result));
}

// Runs the transfer until ready() holds (true), the transfer ends (true: the
// caller looks at done and result), or the call has waited the receive
// time-out since it began (false, ERROR_INTERNET_TIMEOUT). Bytes arriving
// do not restart that clock: a server that trickles its headers is held to
// the same bound as one that sends nothing.
template <typename Ready>
bool Wait(InternetHandle* request, Ready ready) {
  const Clock::time_point start = Clock::now();
  for (;;) {
    int running = 0;
    if (curl_multi_perform(request->multi, &running) != CURLM_OK) {
      request->done = true;
      request->result = CURLE_OUT_OF_MEMORY;
    }
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(request->multi, &left)) {
      if (message->msg == CURLMSG_DONE) {
        request->done = true;
        request->result = message->data.result;
      }
    }
    if (ready() || request->done) return true;
    if (PlatformInternetThreadCancelled()) {
      tLastResponseInfo.clear();
      return Fail(ERROR_INTERNET_OPERATION_CANCELLED);
    }
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    if (waited >= static_cast<long long>(request->receiveTimeoutMs)) {
      tLastResponseInfo.clear();
      return Fail(ERROR_INTERNET_TIMEOUT);
    }
    const long long slice = std::min<long long>(kPollSliceMs, request->receiveTimeoutMs - waited);
    curl_multi_poll(request->multi, nullptr, 0, static_cast<int>(std::max<long long>(slice, 1)), nullptr);
  }
}

// Waits for body bytes or the end; FALSE as the file head says.
bool WaitForBody(InternetHandle* request) {
  if (request->Buffered() > 0) return true;
  if (!Wait(request, [request] { return request->Buffered() > 0; })) return false;
  if (request->Buffered() == 0 && request->done && request->result != CURLE_OK) return FailTransfer(request);
  return true;
}

void Take(InternetHandle* request, char* out, std::size_t count) {
  if (out && count > 0) std::memcpy(out, request->queue.data() + request->queueStart, count);
  request->queueStart += count;
  request->bytesTaken += count;
  if (request->queueStart == request->queue.size()) {
    request->queue.clear();
    request->queueStart = 0;
  }
  if (request->paused && request->Buffered() < kMaxBuffered / 2) {
    request->paused = false;
    curl_easy_pause(request->easy, CURLPAUSE_CONT);
  }
}

void CloseRequest(InternetHandle* request) {
  if (request->multi && request->easy) curl_multi_remove_handle(request->multi, request->easy);
  if (request->easy) curl_easy_cleanup(request->easy);
  if (request->multi) curl_multi_cleanup(request->multi);
  if (request->session) {
    auto& list = request->session->requests;
    list.erase(std::remove(list.begin(), list.end(), request), list.end());
  }
  delete request;
}

bool IsRequest(HINTERNET handle) { return handle && handle->kind == InternetHandle::Kind::kRequest; }

bool StartsWithNoCase(const char* text, const char* prefix) {
  return strncasecmp(text, prefix, std::strlen(prefix)) == 0;
}

// ---- Message texts --------------------------------------------------------------------

struct MessageText {
  DWORD code;
  const char* text;
};
constexpr MessageText kMessages[] = {
    {ERROR_INTERNET_TIMEOUT, "The operation timed out"},
    {ERROR_INTERNET_EXTENDED_ERROR, "The server returned extended information"},
    {ERROR_INTERNET_INTERNAL_ERROR, "An internal error occurred"},
    {ERROR_INTERNET_INVALID_URL, "The URL is invalid"},
    {ERROR_INTERNET_UNRECOGNIZED_SCHEME, "The URL scheme is not supported"},
    {ERROR_INTERNET_NAME_NOT_RESOLVED, "The server name could not be resolved"},
    {ERROR_INTERNET_INVALID_OPTION, "The option is not known"},
    {ERROR_INTERNET_INVALID_OPERATION, "The operation is not possible here"},
    {ERROR_INTERNET_OPERATION_CANCELLED, "The operation was cancelled"},
    {ERROR_INTERNET_INCORRECT_HANDLE_TYPE, "The handle is of the wrong type for this operation"},
    {ERROR_INTERNET_CANNOT_CONNECT, "The connection to the server could not be made"},
    {ERROR_INTERNET_CONNECTION_ABORTED, "The connection to the server was ended"},
    {ERROR_INTERNET_CONNECTION_RESET, "The connection to the server was reset"},
    {ERROR_INTERNET_SEC_CERT_ERRORS, "The server's certificate is not valid"},
    {ERROR_HTTP_HEADER_NOT_FOUND, "The header is not in the reply"},
    {ERROR_HTTP_INVALID_SERVER_RESPONSE, "The server's reply is not valid"},
    {ERROR_HTTP_REDIRECT_FAILED, "The redirection could not be followed"},
};

}  // namespace

// ---- Sessions and requests ------------------------------------------------------------------

HINTERNET InternetOpenA(const char* agent, DWORD accessType, const char* proxy, const char*, DWORD) {
  if (accessType != INTERNET_OPEN_TYPE_DIRECT || (proxy && *proxy)) {
    Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  static std::once_flag once;
  static bool ready = false;
  std::call_once(once, [] { ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  if (!ready) {
    Fail(ERROR_INTERNET_INTERNAL_ERROR);
    return nullptr;
  }
  auto* session = new (std::nothrow) InternetHandle;
  if (!session) {
    Fail(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  session->agent = agent ? agent : "";
  return session;
}

HINTERNET InternetOpenUrlA(HINTERNET session, const char* url, const char* headers, DWORD, DWORD, DWORD_PTR) {
  if (!session || session->kind != InternetHandle::Kind::kSession) {
    Fail(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!url || !*url || (headers && *headers)) {
    Fail(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!StartsWithNoCase(url, "http://") && !StartsWithNoCase(url, "https://")) {
    Fail(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    return nullptr;
  }
  auto* request = new (std::nothrow) InternetHandle;
  if (!request) {
    Fail(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  request->kind = InternetHandle::Kind::kRequest;
  request->connectTimeoutMs = session->connectTimeoutMs;
  request->receiveTimeoutMs = session->receiveTimeoutMs;
  request->multi = curl_multi_init();
  request->easy = curl_easy_init();
  if (!request->multi || !request->easy) {
    CloseRequest(request);
    Fail(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  CURL* easy = request->easy;
  curl_easy_setopt(easy, CURLOPT_URL, url);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, session->agent.c_str());
  curl_easy_setopt(easy, CURLOPT_PROXY, "");  // direct: never a proxy from the environment
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request->connectTimeoutMs));
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, request->curlError);
  if (!g_caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, g_caFile.c_str());
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, request);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, request);
  if (curl_multi_add_handle(request->multi, easy) != CURLM_OK) {
    CloseRequest(request);
    Fail(ERROR_INTERNET_INTERNAL_ERROR);
    return nullptr;
  }
  if (!Wait(request, [request] { return request->headersDone; })) {
    const DWORD error = GetLastError();
    CloseRequest(request);
    Fail(error);
    return nullptr;
  }
  if (!request->headersDone) {
    // The transfer ended before a final header block came.
    if (request->result != CURLE_OK) {
      FailTransfer(request);
    } else {
      Fail(ERROR_HTTP_INVALID_SERVER_RESPONSE);
    }
    const DWORD error = GetLastError();
    CloseRequest(request);
    Fail(error);
    return nullptr;
  }
  request->session = session;
  session->requests.push_back(request);
  return request;
}

BOOL InternetQueryDataAvailable(HINTERNET request, DWORD* bytes, DWORD, DWORD_PTR) {
  if (!IsRequest(request)) return Fail(ERROR_INVALID_HANDLE);
  if (!bytes) return Fail(ERROR_INVALID_PARAMETER);
  *bytes = 0;
  if (!WaitForBody(request)) return FALSE;
  *bytes = static_cast<DWORD>(std::min<std::size_t>(request->Buffered(), 0xFFFFFFFFu));
  return TRUE;
}

BOOL InternetReadFile(HINTERNET request, void* buffer, DWORD toRead, DWORD* read) {
  if (read) *read = 0;
  if (!IsRequest(request)) return Fail(ERROR_INVALID_HANDLE);
  if (!buffer || !read) return Fail(ERROR_INVALID_PARAMETER);
  if (toRead == 0) return TRUE;
  if (!WaitForBody(request)) return FALSE;
  const std::size_t count = std::min<std::size_t>(toRead, request->Buffered());
  Take(request, static_cast<char*>(buffer), count);
  *read = static_cast<DWORD>(count);
  return TRUE;
}

DWORD InternetSetFilePointer(HINTERNET request, LONG distance, LONG* distanceHigh, DWORD method, DWORD_PTR) {
  if (!IsRequest(request)) {
    Fail(ERROR_INVALID_HANDLE);
    return INVALID_SET_FILE_POINTER;
  }
  if (method != FILE_BEGIN || distance < 0 || (distanceHigh && *distanceHigh != 0) ||
      static_cast<std::size_t>(distance) < request->bytesTaken) {
    Fail(ERROR_INTERNET_INVALID_OPERATION);
    return INVALID_SET_FILE_POINTER;
  }
  while (request->bytesTaken < static_cast<std::size_t>(distance)) {
    if (!WaitForBody(request)) return INVALID_SET_FILE_POINTER;
    if (request->Buffered() == 0) break;  // the reply is shorter
    Take(request, nullptr, std::min<std::size_t>(request->Buffered(), distance - request->bytesTaken));
  }
  return static_cast<DWORD>(request->bytesTaken);
}

BOOL InternetSetOptionA(HINTERNET handle, DWORD option, void* buffer, DWORD length) {
  if (!handle) return Fail(ERROR_INVALID_HANDLE);
  if (!buffer || length < sizeof(DWORD)) return Fail(ERROR_INVALID_PARAMETER);
  DWORD milliseconds;
  std::memcpy(&milliseconds, buffer, sizeof milliseconds);
  if (milliseconds == 0) milliseconds = kDefaultTimeoutMs;
  if (option == INTERNET_OPTION_CONNECT_TIMEOUT) {
    handle->connectTimeoutMs = milliseconds;
  } else if (option == INTERNET_OPTION_RECEIVE_TIMEOUT) {
    handle->receiveTimeoutMs = milliseconds;
  } else {
    return Fail(ERROR_INTERNET_INVALID_OPTION);
  }
  return TRUE;
}

BOOL HttpQueryInfoA(HINTERNET request, DWORD infoLevel, void* buffer, DWORD* bufferLength, DWORD* index) {
  if (!IsRequest(request)) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  if (!buffer || !bufferLength || index) return Fail(ERROR_INVALID_PARAMETER);
  if ((infoLevel & ~HTTP_QUERY_FLAG_NUMBER) != HTTP_QUERY_STATUS_CODE) return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
  long status = 0;
  curl_easy_getinfo(request->easy, CURLINFO_RESPONSE_CODE, &status);
  if (status <= 0) return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
  if (infoLevel & HTTP_QUERY_FLAG_NUMBER) {
    if (*bufferLength < sizeof(DWORD)) {
      *bufferLength = sizeof(DWORD);
      return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    const auto value = static_cast<DWORD>(status);
    std::memcpy(buffer, &value, sizeof value);
    *bufferLength = sizeof(DWORD);
    return TRUE;
  }
  const std::string text = std::to_string(status);
  if (*bufferLength < text.size() + 1) {
    *bufferLength = static_cast<DWORD>(text.size() + 1);
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  *bufferLength = static_cast<DWORD>(text.size());
  return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle) {
  if (!handle) return Fail(ERROR_INVALID_HANDLE);
  if (handle->kind == InternetHandle::Kind::kRequest) {
    CloseRequest(handle);
    return TRUE;
  }
  while (!handle->requests.empty()) CloseRequest(handle->requests.back());
  delete handle;
  return TRUE;
}

BOOL InternetGetLastResponseInfoA(DWORD* error, char* buffer, DWORD* length) {
  if (!length) return Fail(ERROR_INVALID_PARAMETER);
  if (error) *error = 0;
  const std::size_t needed = tLastResponseInfo.size() + 1;
  if (!buffer || *length < needed) {
    *length = static_cast<DWORD>(needed);
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(buffer, tLastResponseInfo.c_str(), needed);
  *length = static_cast<DWORD>(needed - 1);
  return TRUE;
}

DWORD FormatMessageA(DWORD flags, const void*, DWORD messageId, DWORD, char* buffer, DWORD size, void*) {
  if (!buffer || size == 0 || !(flags & (FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM))) return 0;
  const char* text = nullptr;
  for (const MessageText& message : kMessages) {
    if (message.code == messageId) text = message.text;
  }
  if (!text && messageId < 12000) text = std::strerror(static_cast<int>(messageId));
  if (!text) return 0;
  const std::size_t count = std::min<std::size_t>(std::strlen(text), size - 1);
  std::memcpy(buffer, text, count);
  buffer[count] = '\0';
  return static_cast<DWORD>(count);
}

void PlatformInternetSetCaFileForTests(const char* path) { g_caFile = path ? path : ""; }
const char* PlatformInternetCaFileForTests() { return g_caFile.empty() ? nullptr : g_caFile.c_str(); }

std::size_t PlatformInternetPeakBufferedBytes() { return g_peakBuffered; }
void PlatformInternetResetPeakBufferedBytes() { g_peakBuffered = 0; }
