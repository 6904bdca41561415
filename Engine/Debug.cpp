// Debug.cpp - the error reporter and the message log.
//
// State (process-wide, never reset during a run except by the test seam):
//   g_log      the pending lines, the log file's name and flags, and the
//              last line stored with the count of its unwritten repeats
//
// A line that comes again straight after itself (same level, same text) is
// not written again: its repeats are counted, and one line saying how many
// there were follows it when another line comes or the log is written on
// the way out. A fault that reports every frame thus costs the log two
// lines, not thousands.
// Depends on the file layer to write the log. A report raised while the log
// is being written (for example by the file layer itself) is dropped through
// the busy flag, which also rules out recursion. Reports may come from
// worker threads (Engine/EngJob.h): storing a line and writing the file
// happen under one lock.
#include "Engine/Debug.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "Engine/EngFile.h"
#include "Engine/EngProgram.h"

namespace {

constexpr const char* kDefaultLogName = "ErrorLog.txt";
constexpr const char* kTruncatedSuffix = " ... (TRUNCATED)";

struct PendingLine {
  char text[544];
  int level;
};

struct DebugLog {
  PendingLine pending[kDebugMaxPending];
  int pendingCount = 0;
  char fileName[kDebugLogNameSize] = "ErrorLog.txt";
  bool firstWrite = true;    // the next write starts the file afresh
  bool busy = false;         // set while the file is being written
  bool fatalExitBegun = false;
  char lastLine[544] = "";   // the last line stored, to tell its repeats
  int lastLevel = -1;
  int repeats = 0;           // times it came again since, not yet written
  DebugListener listener = nullptr;
  void* listenerContext = nullptr;
};

DebugLog g_log;
std::recursive_mutex g_logLock;  // recursive: writing the file may report

const char* const kLevelTags[] = {"<WARNING>", " <ERROR> ", " <EXIT>  ", "<EXIT NM>",
                                  " <POPUP> ", " | ",       ""};

// Appends text at *length, never past size - 1 characters.
void AppendBounded(char* out, std::size_t size, std::size_t* length, const char* text) {
  std::size_t room = size - 1 - *length;
  std::size_t n = std::strlen(text);
  if (n > room) n = room;
  std::memcpy(out + *length, text, n);
  *length += n;
  out[*length] = '\0';
}

void StoreLine(const char* line, int level) {
  PendingLine& entry = g_log.pending[g_log.pendingCount++];
  std::size_t length = 0;
  entry.text[0] = '\0';
  AppendBounded(entry.text, sizeof(entry.text), &length, line);
  entry.level = level;
  if (g_log.listener) g_log.listener(level, entry.text, g_log.listenerContext);
}

// The count of the last line's repeats, as a line of its own.
void StoreRepeatCount() {
  if (g_log.repeats == 0) return;
  char note[64];
  std::snprintf(note, sizeof(note), "    (the line above came %d more time%s)", g_log.repeats,
                g_log.repeats == 1 ? "" : "s");
  g_log.repeats = 0;
  StoreLine(note, D_PLAIN);
  g_log.lastLevel = -1;  // the note stands between the line and any later copy
}

void ResetAfterOverflow() {
  g_log.pendingCount = 0;
  StoreLine(" ", D_PLAIN);
  StoreLine("(MESSAGE LOG OVERFLOWED)", D_PLAIN);
  StoreLine(" ", D_PLAIN);
}

// Formats "( where )<gap>message" into out, bounded by its size.
void FormatReporterLine(char* out, std::size_t size, const char* where, const char* gap,
                        const char* format, std::va_list args) {
  char message[4096];
  std::vsnprintf(message, sizeof(message), format ? format : "", args);
  std::size_t length = 0;
  out[0] = '\0';
  AppendBounded(out, size, &length, "( ");
  AppendBounded(out, size, &length, where ? where : "");
  AppendBounded(out, size, &length, " )");
  AppendBounded(out, size, &length, gap);
  AppendBounded(out, size, &length, message);
}

void ReportWithWhere(int level, const char* where, const char* gap, const char* format,
                     std::va_list args) {
  char line[544];
  FormatReporterLine(line, sizeof(line), where, gap, format, args);
  DebugDoString(line, level);
}

void ReportText(int level, const char* format, std::va_list args) {
  char message[4096];
  std::vsnprintf(message, sizeof(message), format ? format : "", args);
  DebugDoString(message, level);
}

}  // namespace

void DebugDoString(const char* text, int level) {
  if (!text) return;
  // Writing the log leaves the caller's errno as it was: a caller may report
  // a failure first and then tell its reason.
  struct KeepErrno {
    int saved = errno;
    ~KeepErrno() { errno = saved; }
  } keepErrno;
  std::lock_guard<std::recursive_mutex> hold(g_logLock);
  if (g_log.busy) return;

  // The text, cut when it is too long.
  char body[kDebugMaxTextLength + 1];
  std::size_t bodyLength = std::strlen(text);
  if (bodyLength > kDebugMaxTextLength) {
    bodyLength = kDebugCutTextLength;
    std::memcpy(body, text, bodyLength);
    AppendBounded(body, sizeof(body), &bodyLength, kTruncatedSuffix);
  } else {
    std::memcpy(body, text, bodyLength + 1);
  }
  if (bodyLength == 0) return;

  // Tag, blank, then the invalid-level marker when needed, then the text.
  char line[kDebugMaxLineLength + 1];
  std::size_t lineLength = 0;
  line[0] = '\0';
  if (level < D_WARNING || level > D_PLAIN) {
    char marker[48];
    std::snprintf(marker, sizeof(marker), "<invalid D_ value: %d> ", level);
    level = D_WARNING;
    AppendBounded(line, sizeof(line), &lineLength, kLevelTags[level]);
    AppendBounded(line, sizeof(line), &lineLength, " ");
    AppendBounded(line, sizeof(line), &lineLength, marker);
  } else if (level != D_PLAIN) {
    AppendBounded(line, sizeof(line), &lineLength, kLevelTags[level]);
    AppendBounded(line, sizeof(line), &lineLength, " ");
  }
  // Never lose a report for its length: cut the whole line to fit instead.
  if (lineLength + bodyLength > kDebugMaxLineLength) {
    const std::size_t keep = kDebugMaxLineLength - lineLength - std::strlen(kTruncatedSuffix);
    std::memcpy(line + lineLength, body, keep);
    lineLength += keep;
    line[lineLength] = '\0';
    AppendBounded(line, sizeof(line), &lineLength, kTruncatedSuffix);
  } else {
    AppendBounded(line, sizeof(line), &lineLength, body);
  }

  if (level == g_log.lastLevel && std::strcmp(line, g_log.lastLine) == 0) {
    ++g_log.repeats;
    if (g_log.listener) g_log.listener(level, line, g_log.listenerContext);
    return;
  }
  // The count and the line need two places in the table.
  if (g_log.repeats > 0 && g_log.pendingCount >= kDebugMaxPending - 1) {
    DebugWriteFormattedMessagesToFile();
    if (g_log.pendingCount >= kDebugMaxPending - 1) ResetAfterOverflow();
  }
  StoreRepeatCount();
  StoreLine(line, level);
  std::snprintf(g_log.lastLine, sizeof(g_log.lastLine), "%s", line);
  g_log.lastLevel = level;
  DebugWriteFormattedMessagesToFile();

  if (g_log.pendingCount >= kDebugMaxPending) {
    DebugWriteFormattedMessagesToFile();
    ResetAfterOverflow();
  }
}

void DebugWriteFormattedMessagesToFile() {
  std::lock_guard<std::recursive_mutex> hold(g_logLock);
  // Written on the way out too: the repeats counted so far go with it.
  if (!g_log.busy) StoreRepeatCount();
  g_log.busy = true;
  if (g_log.pendingCount == 0) {
    g_log.busy = false;
    return;
  }
  EngFile file;
  bool opened;
  if (g_log.firstWrite) {
    EngFileDelete(g_log.fileName);
    opened = file.DoOpenForWriting(g_log.fileName, true);
  } else {
    opened = file.OpenForAppending(g_log.fileName, true);
  }
  if (opened) {
    g_log.firstWrite = false;
    for (int i = 0; i < g_log.pendingCount; ++i) {
      file.Printf("%s\n", g_log.pending[i].text);
    }
    file.Close();
    g_log.pendingCount = 0;
  }
  g_log.busy = false;
}

void DebugError(const char* where, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  ReportWithWhere(D_ERROR, where, "    ", format, args);
  va_end(args);
}

bool DebugAssert(bool condition, const char* where, const char* format, ...) {
  if (condition) return true;
  std::va_list args;
  va_start(args, format);
  ReportWithWhere(D_ERROR, where, "    ", format, args);
  va_end(args);
  return false;
}

void DebugExitNMMessage(const char* where, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  ReportWithWhere(D_EXIT_NM, where, "    ", format, args);
  va_end(args);
}

void DebugExitMessage(const char* where, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  if (where && *where) {
    ReportWithWhere(D_EXIT, where, "     ", format, args);
  } else {
    ReportText(D_EXIT, format, args);
  }
  va_end(args);
}

void DebugNote(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  ReportText(D_NOTE, format, args);
  va_end(args);
}

void DebugPlain(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  ReportText(D_PLAIN, format, args);
  va_end(args);
}

void DebugFatalErrorIf(bool condition, const char* where, const char* format, ...) {
  if (!condition || g_log.fatalExitBegun) return;
  g_log.fatalExitBegun = true;

  DebugDoString(" ", D_PLAIN);
  DebugDoString("EXITING DUE TO FOLLOWING ERROR:", D_PLAIN);
  DebugDoString(" ", D_PLAIN);

  char line[544];
  std::va_list args;
  va_start(args, format);
  FormatReporterLine(line, sizeof(line), where, "    ", format, args);
  va_end(args);
  DebugDoString(line, D_ERROR);

  char boxText[600];
  std::snprintf(boxText, sizeof(boxText), "Reason:\n\n%s", line);
  DebugWriteFormattedMessagesToFile();

  EngFatalExitViaProgram("INTERNAL PROGRAM ERROR ", boxText);
  std::exit(-1);
}

void DebugReportLastError(const char* context) {
  const int code = errno;
  char where[544];
  std::snprintf(where, sizeof(where), "%s [Last Error]", (context && *context) ? context : "(unknown)");
  const char* text = code != 0 ? std::strerror(code) : nullptr;
  DebugError(where, "%s", text && *text ? text : "No msg");
}

std::string DebugForeignText(const char* text, std::size_t length) {
  std::string out;
  if (!text) return out;
  for (std::size_t i = 0; i < length && text[i]; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    char piece[8] = {static_cast<char>(c), 0};
    if (c == '\n') {
      std::snprintf(piece, sizeof piece, "\\n");
    } else if (c == '\r') {
      std::snprintf(piece, sizeof piece, "\\r");
    } else if (c == '\t') {
      std::snprintf(piece, sizeof piece, "\\t");
    } else if (c < 32 || c == 127) {
      std::snprintf(piece, sizeof piece, "\\x%02x", c);
    }
    if (out.size() + std::strlen(piece) > kDebugForeignTextLength) {
      out += "...";
      break;
    }
    out += piece;
  }
  return out;
}

bool DebugSetLogFilename(const char* name, bool deleteExisting) {
  if (!name || !*name) {
    std::snprintf(g_log.fileName, sizeof(g_log.fileName), "%s", kDefaultLogName);
    return true;
  }
  if (std::strlen(name) >= kDebugLogNameSize) {
    std::snprintf(g_log.fileName, sizeof(g_log.fileName), "%s", kDefaultLogName);
    DebugError("DebugSetLogFilename", "Filename too long");
    return false;
  }
  std::snprintf(g_log.fileName, sizeof(g_log.fileName), "%s", name);
  if (deleteExisting && EngFileExists(g_log.fileName)) EngFileDelete(g_log.fileName);
  return true;
}

const char* DebugGetLogFilename() { return g_log.fileName; }

void DebugSetListener(DebugListener listener, void* context) {
  g_log.listener = listener;
  g_log.listenerContext = context;
}

int DebugGetPendingCount() { return g_log.pendingCount; }

const char* DebugGetPendingLine(int index) {
  if (index < 0 || index >= g_log.pendingCount) return nullptr;
  return g_log.pending[index].text;
}

void DebugResetForTests() {
  g_log.pendingCount = 0;
  std::snprintf(g_log.fileName, sizeof(g_log.fileName), "%s", kDefaultLogName);
  g_log.firstWrite = true;
  g_log.busy = false;
  g_log.fatalExitBegun = false;
  g_log.lastLine[0] = '\0';
  g_log.lastLevel = -1;
  g_log.repeats = 0;
}
