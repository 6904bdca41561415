// EngInternetDX9.cpp - sessions, requests, the bounded read loop and the
// error texts (see EngInternetDX9.h).
#include "Engine/DX9/EngInternetDX9.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/Debug.h"
#include "Engine/EngInternet.h"
#include "Engine/EngWindow.h"
#include "Platform/Files.h"
#include "Platform/Time.h"
#include "Platform/Window.h"

namespace {

constexpr int kChunkSize = 511;
constexpr DWORD kQuietLimitMs = 30000;  // the longest wait for one byte
constexpr int kDefaultTimeoutSeconds = 15;
constexpr std::size_t kErrorTextLength = 255;
constexpr DWORD kMessageTextSize = 256;

// A point in time on the millisecond timer, or none.
struct Deadline {
  bool set = false;
  DWORD at = 0;

  static Deadline After(int seconds) {
    Deadline deadline;
    if (seconds > 0) {
      deadline.set = true;
      deadline.at = timeGetTime() + static_cast<DWORD>(seconds) * 1000u;
    }
    return deadline;
  }
  // Milliseconds left (0 when passed); the quiet limit without a deadline.
  DWORD Remaining() const {
    if (!set) return kQuietLimitMs;
    const auto left = static_cast<std::int32_t>(at - timeGetTime());
    return left > 0 ? static_cast<DWORD>(left) : 0;
  }
  bool Passed() const { return set && Remaining() == 0; }
};

// Lets the next blocking call wait no longer than the deadline allows.
void LimitWaits(HINTERNET handle, const Deadline& deadline) {
  DWORD wait = std::min(deadline.Remaining(), kQuietLimitMs);
  wait = std::max<DWORD>(wait, 1);
  InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &wait, sizeof wait);
  InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &wait, sizeof wait);
}

// A call that failed: its error reported, except a cancelled job's (the
// program closing), which is no fault and gets a note.
void ReportFailure(const char* where) {
  if (GetLastError() == ERROR_INTERNET_OPERATION_CANCELLED) {
    DebugNote("%s: cancelled", where);
  } else {
    EngInternetCheckError(where);
  }
}

void Warn(const char* where, const char* text) {
  char line[512];
  std::snprintf(line, sizeof line, "( %s )    %s", where, text);
  DebugDoString(line, D_WARNING);
}

// The read loop, bounded by the deadline (see EngInternetReadOpenUrl).
bool ReadUntil(HINTERNET request, char* buffer, int size, int startOffset, int* length, const Deadline& deadline,
               int timeoutSeconds) {
  constexpr const char* kWhere = "EngInternetReadOpenUrl";
  if (length) *length = 0;
  if (!request) {
    DebugError(kWhere, "No connection exists");
    return false;
  }
  if (!buffer || size <= 0) {
    DebugError(kWhere, "Invalid parameters");
    return false;
  }
  buffer[0] = '\0';
  InternetSetFilePointer(request, std::max(startOffset, 0), nullptr, FILE_BEGIN, 0);
  // One byte stays free for the terminator.
  const auto capacity = static_cast<std::size_t>(size - 1);
  const DWORD chunk = static_cast<DWORD>(std::min(kChunkSize, size));
  std::size_t stored = 0;
  char block[kChunkSize];
  bool complete = false;
  for (;;) {
    if (deadline.Passed()) {
      DebugError(kWhere, "Timeout after %d seconds", timeoutSeconds);
      break;
    }
    LimitWaits(request, deadline);
    DWORD available = 0;
    DWORD got = 0;
    const char* failedCall = nullptr;
    if (!InternetQueryDataAvailable(request, &available, 0, 0)) {
      failedCall = "InternetQueryDataAvailable";
    } else if (!InternetReadFile(request, block, chunk, &got)) {
      failedCall = "InternetReadFile";
    }
    if (failedCall) {
      if (GetLastError() == ERROR_INTERNET_TIMEOUT && deadline.Passed()) {
        DebugError(kWhere, "Timeout after %d seconds", timeoutSeconds);
      } else {
        ReportFailure(failedCall);
      }
      break;
    }
    if (got == 0) {
      complete = true;
      break;
    }
    if (stored + got > capacity) {
      DebugError(kWhere, "Buffer too small to read entire file");
      break;
    }
    std::memcpy(buffer + stored, block, got);
    stored += got;
    buffer[stored] = '\0';
  }
  if (length) *length = static_cast<int>(stored);
  return complete;
}

// Appends to the caller's error text, which has room for 255 characters.
void AppendError(char* errorText, const char* text) {
  if (!errorText) return;
  const std::size_t used = std::min(std::strlen(errorText), kErrorTextLength);
  const std::size_t count = std::min(std::strlen(text), kErrorTextLength - used);
  std::memcpy(errorText + used, text, count);
  errorText[used + count] = '\0';
}

}  // namespace

HINTERNET EngInternetInitSession(const char* agentName) {
  if (!agentName || !*agentName) {
    DebugError("EngInternetInitSession", "No session name");
    return nullptr;
  }
  HINTERNET session = InternetOpenA(agentName, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (!session) EngInternetCheckError("InternetOpenA");
  return session;
}

HINTERNET EngInternetOpenUrl(HINTERNET session, const char* url, bool reload, bool dialogs) {
  constexpr const char* kWhere = "EngInternetOpenUrl";
  if (!session) {
    DebugError(kWhere, "No session exists");
    return nullptr;
  }
  if (!url || !*url) {
    DebugError(kWhere, "No URL specified");
    return nullptr;
  }
  if (dialogs) Warn("EngInternetOpenConnectionToUrl", "Check SW_HIDE calling here - causes deletion / creation of graphics");
  DWORD flags = INTERNET_FLAG_RESYNCHRONIZE;
  if (reload) flags |= INTERNET_FLAG_RELOAD;
  if (!dialogs) flags |= INTERNET_FLAG_NO_UI;
  // Only a request with dialogs looks at the window (the main thread's): a
  // job's request on a worker never does.
  EngWindow* window = dialogs ? EngWindowGetCurrent() : nullptr;
  const bool hide = window && window->Win().handle && !EngWindowGetScreenMode().windowed;
  if (hide) ShowWindow(window->Win().handle, SW_HIDE);
  HINTERNET request = InternetOpenUrlA(session, url, nullptr, 0, flags, 0);
  if (hide) ShowWindow(window->Win().handle, SW_SHOWNORMAL);
  if (!request) {
    ReportFailure("InternetOpenUrlA");
    return nullptr;
  }
  // An error page is not the reply the caller asked for.
  DWORD status = 0;
  DWORD statusSize = sizeof status;
  if (HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &statusSize, nullptr) &&
      status >= 400) {
    DebugError(kWhere, "HTTP status %u <%s>", static_cast<unsigned>(status), url);
    InternetCloseHandle(request);
    return nullptr;
  }
  return request;
}

bool EngInternetReadOpenUrl(HINTERNET request, char* buffer, int size, int startOffset, int* length,
                            int timeoutSeconds) {
  return ReadUntil(request, buffer, size, startOffset, length, Deadline::After(timeoutSeconds), timeoutSeconds);
}

void EngInternetCloseHandle(HINTERNET handle) {
  if (handle) InternetCloseHandle(handle);
}

void EngInternetCheckError(const char* where) {
  const DWORD code = GetLastError();
  char message[kMessageTextSize] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, GetModuleHandleA("wininet.dll"), code,
                 0, message, sizeof message, nullptr);
  DebugError(where, "Error code: %d => Message: %s", static_cast<int>(code), message);
  if (code != ERROR_INTERNET_EXTENDED_ERROR) return;
  DWORD serverError = 0;
  DWORD size = 0;
  InternetGetLastResponseInfoA(&serverError, nullptr, &size);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    DebugError(where, "Unable to get Internet error. Error code: %d", static_cast<int>(GetLastError()));
    return;
  }
  std::unique_ptr<char[]> text(new (std::nothrow) char[size + 1]);
  if (!text) {
    DebugError(where, "Unable to allocate memory to display Internet error code. Error code: %d",
               static_cast<int>(code));
    return;
  }
  DWORD length = size + 1;
  if (!InternetGetLastResponseInfoA(&serverError, text.get(), &length)) {
    DebugError(where, "Unable to get Internet error. Error code: %d", static_cast<int>(GetLastError()));
    return;
  }
  DebugError(where, "%s", DebugForeignText(text.get()).c_str());  // may quote the server
}

bool EngInternetConnectAndReadURL(const char* url, char* buffer, int size, int* length, char* errorText,
                                  const char* errorPrefix, int timeoutSeconds) {
  if (errorText) {
    errorText[0] = '\0';
    if (errorPrefix) {
      AppendError(errorText, errorPrefix);
      AppendError(errorText, " - ");
    }
  }
  auto fail = [errorText](const char* text) {
    AppendError(errorText, text);
    return false;
  };
  if (!url || !*url) return fail("No URL specified");
  if (!buffer) return fail("Internal Error");
  if (!EngInternetIsConnected()) return fail("No connection to the internet found");
  if (timeoutSeconds < 0) timeoutSeconds = kDefaultTimeoutSeconds;
  // Taken now: the connection and the headers spend from the same time as
  // the reads.
  const Deadline deadline = Deadline::After(timeoutSeconds);

  HINTERNET session = EngInternetInitSession("EngInternetConnectAndReadURL");
  if (!session) return fail("Error trying to initialise internet session");
  LimitWaits(session, deadline);
  HINTERNET request = EngInternetOpenUrl(session, url, true, false);
  if (!request) {
    EngInternetCloseHandle(session);
    return fail("Problem connecting to internet site");
  }
  if (size > 0) {
    int stored = 0;
    const bool read = ReadUntil(request, buffer, size, 0, &stored, deadline, timeoutSeconds);
    EngInternetCloseHandle(request);
    EngInternetCloseHandle(session);
    if (length) *length = stored;
    if (!read) return fail("Problem communicating with internet site");
    buffer[stored] = '\0';
  } else {
    EngInternetCloseHandle(request);
    EngInternetCloseHandle(session);
  }
  if (errorText) errorText[0] = '\0';
  return true;
}
