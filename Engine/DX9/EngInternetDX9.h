// EngInternetDX9.h - blocking web fetches through the WinINet calls
// (Platform/WinInet.h): open a session, open a URL, read the reply into a
// caller's buffer with a time-out, and turn failures into log reports and
// short texts for the player. The high-score exchange and the update check
// fetch their replies this way. Everything runs on the calling thread and
// blocks it; the game's callers run it in a job on a worker thread
// (Engine/EngJob.h), where a cancelled job's waits end within 50 ms. Without
// dialogs nothing here touches the window, so any thread may call it.
//
// Limits that keep a bad server from hurting the game:
//   - one deadline, taken when EngInternetConnectAndReadURL starts, bounds the
//     connection, the headers and every read; with a time-out of 0 a steady
//     transfer runs on, but 30 s without a byte ends it.
//   - a reply is stored with room for its terminator: at most size - 1 bytes.
//   - an HTTP status of 400 or more fails the open: an error page is not a
//     reply.
// No state of its own.
#pragma once

#include "Platform/WinInet.h"

// A session named after the agent ("No session name" without one).
HINTERNET EngInternetInitSession(const char* agentName);
// Opens the URL (flags: resynchronise, reload when asked, no dialogs unless
// asked). Null on failure, also for a status of 400 or more.
HINTERNET EngInternetOpenUrl(HINTERNET session, const char* url, bool reload, bool dialogs);
// Reads the whole reply from startOffset into the buffer, at most size - 1
// bytes, keeping it terminated. A time-out above 0 (seconds) bounds the
// read. True when the whole reply was read; *length (optional) gets the
// bytes stored, also on failure.
bool EngInternetReadOpenUrl(HINTERNET request, char* buffer, int size, int startOffset, int* length,
                            int timeoutSeconds);
void EngInternetCloseHandle(HINTERNET handle);
// Reports the thread's last WinINet error under where.
void EngInternetCheckError(const char* where);

// Fetches the URL into the buffer (size bytes, reply terminated inside it).
// On failure false, and errorText (optional; room for 256 characters) gets
// the prefix and " - " (when a prefix is given) and one of "No URL
// specified", "Internal Error", "No connection to the internet found",
// "Error trying to initialise internet session", "Problem connecting to
// internet site", "Problem communicating with internet site", cut to 255
// characters. On success the error text is emptied. A negative time-out is
// 15 seconds; 0 has no overall limit (see the file head). With size 0 only
// the connection is made.
bool EngInternetConnectAndReadURL(const char* url, char* buffer, int size, int* length, char* errorText,
                                  const char* errorPrefix, int timeoutSeconds);
