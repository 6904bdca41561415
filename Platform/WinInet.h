// WinInet.h - the WinINet-shaped HTTP calls the engine fetches its small
// replies with (high scores, the update check). Our own declarations with
// the Win32 values, over libcurl's multi interface.
//
// Implemented:
//   - sessions (InternetOpenA, direct only: no proxy is ever used, whatever
//     the environment says) and requests (InternetOpenUrlA) for http:// and
//     https:// URLs. Redirects are followed, to http and https only;
//     certificates are checked against the system's store.
//   - InternetOpenUrlA returns once the final response's headers are in (or
//     fails); the body is then read with InternetQueryDataAvailable and
//     InternetReadFile, which block until bytes come or the reply ends.
//   - every blocking call gives up once it has waited the receive time-out
//     (INTERNET_OPTION_RECEIVE_TIMEOUT, 30 s unless set), counted from the
//     call's start: bytes that trickle in do not put it off, so headers sent
//     a byte at a time cannot hold InternetOpenUrlA beyond it. A read
//     returns as soon as any byte is there, so for the body this is the
//     longest wait without one. The connection itself is bounded by
//     INTERNET_OPTION_CONNECT_TIMEOUT (30 s unless set).
//     Options set on a session apply to the requests it opens later; set on
//     a request they apply to its next call.
//   - a thread's calls can be stopped from another thread: while the flag
//     given to PlatformInternetSetThreadCancelFlag is set, every blocking
//     call of that thread ends within a poll slice (50 ms) with
//     ERROR_INTERNET_OPERATION_CANCELLED.
//   - at most 64 KB of a body wait unread: beyond that the transfer pauses
//     until the reader catches up, so a huge reply never fills the memory.
//   - a connection that closes before the length the server announced makes
//     the read that meets the end fail (ERROR_INTERNET_CONNECTION_RESET).
//   - HTTP error statuses are replies like any other: ask HttpQueryInfoA for
//     the status code.
// Not implemented: caching (INTERNET_FLAG_RELOAD and _RESYNCHRONIZE change
// nothing: nothing is ever cached), FTP, asynchronous mode, cookies, dialogs.
//
// Errors: a failing call returns FALSE or null and sets the thread's last
// error (GetLastError, Platform/Files.h) to an ERROR_INTERNET_ code. Failures
// libcurl has no WinINet code for give ERROR_INTERNET_EXTENDED_ERROR, and
// InternetGetLastResponseInfoA then holds libcurl's description.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "Platform/Win32Types.h"

struct InternetHandle;
using HINTERNET = InternetHandle*;
using DWORD_PTR = std::uintptr_t;

constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;

constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_RESYNCHRONIZE = 0x00000800;
constexpr DWORD INTERNET_FLAG_NO_UI = 0x00000200;

constexpr DWORD INTERNET_OPTION_CONNECT_TIMEOUT = 2;
constexpr DWORD INTERNET_OPTION_RECEIVE_TIMEOUT = 6;

constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD HTTP_QUERY_FLAG_NUMBER = 0x20000000;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;

constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_EXTENDED_ERROR = 12003;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
constexpr DWORD ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_INVALID_OPTION = 12009;
constexpr DWORD ERROR_INTERNET_INVALID_OPERATION = 12016;
constexpr DWORD ERROR_INTERNET_OPERATION_CANCELLED = 12017;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr DWORD ERROR_INTERNET_SEC_CERT_ERRORS = 12055;
constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12150;
constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr DWORD ERROR_HTTP_REDIRECT_FAILED = 12156;

// A session: the agent name (sent as the User-Agent) and the options its
// requests start with. Only INTERNET_OPEN_TYPE_DIRECT with no proxy.
HINTERNET InternetOpenA(const char* agent, DWORD accessType, const char* proxy, const char* proxyBypass,
                        DWORD flags);
// Starts the request and waits for the final response's headers (see the
// file head). headers must be null or empty. Null on failure.
HINTERNET InternetOpenUrlA(HINTERNET session, const char* url, const char* headers, DWORD headersLength,
                           DWORD flags, DWORD_PTR context);
// Waits until body bytes are ready or the reply has ended: *bytes gets the
// count ready (0 at the end). FALSE on a time-out or a failed transfer.
BOOL InternetQueryDataAvailable(HINTERNET request, DWORD* bytes, DWORD flags, DWORD_PTR context);
// Reads up to toRead bytes, waiting as above: *read 0 means the reply ended.
BOOL InternetReadFile(HINTERNET request, void* buffer, DWORD toRead, DWORD* read);
// FILE_BEGIN only, and only forward from what has been read (bytes between
// are skipped). The new position, or INVALID_SET_FILE_POINTER.
DWORD InternetSetFilePointer(HINTERNET request, LONG distance, LONG* distanceHigh, DWORD method,
                             DWORD_PTR context);
// INTERNET_OPTION_CONNECT_TIMEOUT and INTERNET_OPTION_RECEIVE_TIMEOUT: a DWORD
// of milliseconds (0 means the 30 s default).
BOOL InternetSetOptionA(HINTERNET handle, DWORD option, void* buffer, DWORD length);
// HTTP_QUERY_STATUS_CODE, as text or (with HTTP_QUERY_FLAG_NUMBER) a DWORD.
// index must be null.
BOOL HttpQueryInfoA(HINTERNET request, DWORD infoLevel, void* buffer, DWORD* bufferLength, DWORD* index);
// Closing a session closes the requests it opened.
BOOL InternetCloseHandle(HINTERNET handle);
// The calling thread's last extended error text (see the file head): with a
// null buffer or a too small length, *length gets the size needed (the text
// and its terminator) and the result is FALSE with ERROR_INSUFFICIENT_BUFFER.
BOOL InternetGetLastResponseInfoA(DWORD* error, char* buffer, DWORD* length);

// The message text of an error code: WinINet's codes (ERROR_INTERNET_...,
// ERROR_HTTP_...) and, for others, the system's text of the errno value.
// Only FORMAT_MESSAGE_FROM_HMODULE / _FROM_SYSTEM with _IGNORE_INSERTS; the
// source module is not looked at. Returns the characters stored, 0 when the
// code has no text or the buffer is missing.
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
constexpr DWORD FORMAT_MESSAGE_FROM_HMODULE = 0x00000800;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
DWORD FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId, char* buffer, DWORD size,
                     void* arguments);

// The calling thread's stop request (see the file head); null: none. The
// flag must outlive the thread's calls. Kept in WinInetCancel.cpp, apart
// from libcurl: a program that only sets it does not load the library.
void PlatformInternetSetThreadCancelFlag(const std::atomic<bool>* flag);
// Whether the calling thread's flag is set.
bool PlatformInternetThreadCancelled();

// ---- Test seams ------------------------------------------------------------------------
// Certificates are checked against this file of authorities instead of the
// system's store (null or empty: the system's again). For tests that serve
// https with a certificate of their own; the updater's download reads it too.
void PlatformInternetSetCaFileForTests(const char* path);
// The file set, or null.
const char* PlatformInternetCaFileForTests();
// The most body bytes any request has held unread since the last reset.
std::size_t PlatformInternetPeakBufferedBytes();
void PlatformInternetResetPeakBufferedBytes();
