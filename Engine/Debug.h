// Debug.h - the error reporter and the message log.
//
// Every unit reports through these functions; nothing else writes the log.
// Each report becomes one line of a process-wide table of pending lines that
// is appended to the log file right after the report, so the file is complete
// up to the last report even when the process dies. Any thread may report
// (lines of two threads never mix); a listener is called on the reporting
// thread. A report that repeats the line just stored is counted instead:
// the count follows as one line "    (the line above came N more times)"
// when another line is stored or the log is written on the way out (a
// process killed meanwhile loses the count, never the line).
//
// Error tiers:
//   DebugError / DebugAssert   a refusal or failure; the function returns its
//                              failure value and its caller may add a line of
//                              its own ("Foo() failed").
//   DebugNote / DebugPlain     progress lines.
//   DebugExitMessage et al.    lines written on the way out.
//   DebugFatalErrorIf          the one fatal path: banner, box, exit code -1
//                              (255 as the shell sees it).
// The reporters never fail toward their callers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum DebugLevel : int {
  D_WARNING = 0,  // "<WARNING>"; also what an invalid level becomes
  D_ERROR = 1,    // " <ERROR> "
  D_EXIT = 2,     // " <EXIT>  "
  D_EXIT_NM = 3,  // "<EXIT NM>"
  D_POPUP = 4,    // " <POPUP> "
  D_NOTE = 5,     // " | "
  D_PLAIN = 6,    // no tag: the line is the text alone
};

constexpr int kDebugMaxPending = 200;      // pending lines before the overflow reset
constexpr int kDebugMaxLineLength = 512;   // longest stored line
constexpr int kDebugMaxTextLength = 482;   // longer texts are cut ...
constexpr int kDebugCutTextLength = 462;   // ... to this many characters + " ... (TRUNCATED)"
constexpr std::size_t kDebugLogNameSize = 1024;

#define DEBUG_PRINTF(f, a) __attribute__((format(printf, f, a)))

// "( where )    text" at D_ERROR.
void DebugError(const char* where, const char* format, ...) DEBUG_PRINTF(2, 3);
// When condition is false: as DebugError. Returns condition.
bool DebugAssert(bool condition, const char* where, const char* format, ...) DEBUG_PRINTF(3, 4);
// "( where )    text" at D_EXIT_NM.
void DebugExitNMMessage(const char* where, const char* format, ...) DEBUG_PRINTF(2, 3);
// "( where )     text" (five blanks) at D_EXIT; the text alone for a null or
// empty where.
void DebugExitMessage(const char* where, const char* format, ...) DEBUG_PRINTF(2, 3);
// The text at D_NOTE.
void DebugNote(const char* format, ...) DEBUG_PRINTF(1, 2);
// The text at D_PLAIN.
void DebugPlain(const char* format, ...) DEBUG_PRINTF(1, 2);
// When condition is true and no fatal exit has begun: logs the exit banner and
// the error, hands "INTERNAL PROGRAM ERROR " and the reason to the program
// object's fatal exit, and ends the process with exit code -1.
void DebugFatalErrorIf(bool condition, const char* where, const char* format, ...) DEBUG_PRINTF(3, 4);
// DebugError under "<context> [Last Error]" with the system's text for the
// calling thread's last error (errno), or "No msg" when there is none.
void DebugReportLastError(const char* context);

// What a server or a file said, made fit to stand inside one log line:
// every control character (below 32, and 127) is written as an escape
// ("\n", "\r", "\t", else "\x1b"), so that such words can neither end the
// line nor start one that looks like the program's own, and the result is
// cut after kDebugForeignTextLength characters, "..." marking the cut (an
// escape is never split). Reads length bytes, or up to the first zero byte
// before them; a null text gives "". Pass the result to a reporter's "%s".
constexpr std::size_t kDebugForeignTextLength = 200;
std::string DebugForeignText(const char* text, std::size_t length = SIZE_MAX);
inline std::string DebugForeignText(const std::string& text) {
  return DebugForeignText(text.data(), text.size());
}

// Stores one line at a level: the common end of every reporter. A null text,
// or any report made while the log file is being written, is dropped. A long
// text is cut, never lost. A line equal to the one stored last (same level)
// only adds to its repeat count.
void DebugDoString(const char* text, int level);

// Sets the log file name for the next write. Null or empty restores
// "ErrorLog.txt" (true); 1024 characters or more restore it, report
// "Filename too long" and give false. With deleteExisting an existing file of
// the new name is deleted.
bool DebugSetLogFilename(const char* name, bool deleteExisting);
const char* DebugGetLogFilename();

// Appends every pending line to the log file and empties the table, the count
// of the last line's repeats first stored after it. The first write of a run
// replaces the file. When the file cannot be opened the lines stay pending.
void DebugWriteFormattedMessagesToFile();

// ---- Test seams -----------------------------------------------------------
// A listener sees every report's line (after cutting and tagging), repeats
// included, and the repeat counts as they are stored. Null removes it.
using DebugListener = void (*)(int level, const char* line, void* context);
void DebugSetListener(DebugListener listener, void* context);
int DebugGetPendingCount();
const char* DebugGetPendingLine(int index);
// Back to the state of a fresh run: no pending lines, "ErrorLog.txt", the next
// write replaces the file, no fatal exit begun.
void DebugResetForTests();
