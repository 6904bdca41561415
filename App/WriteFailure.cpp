// WriteFailure.cpp - the player told of files that could not be written
// (see WriteFailure.h).
#include "App/WriteFailure.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinManager.h"

namespace {

// The texts not yet shown and the kinds told in this run; both live until
// the end of the run (or the tests' clear).
std::vector<std::string> g_notices;
bool g_told[kWriteFailureKinds] = {};
// The call waiting for the texts queued, then for the answer to the popup
// that shows them; each runs once and is gone.
void (*g_after)() = nullptr;
void (*g_afterAnswer)() = nullptr;
// The toolkit was started for the popup shown (it was off, in play).
bool g_startedToolkit = false;

const char* TokenOf(WriteFailureKind kind) {
  switch (kind) {
    case WriteFailureKind::kProfile: return "NotSaved_Profile";
    case WriteFailureKind::kSettings: return "NotSaved_Settings";
    case WriteFailureKind::kStatistics: return "NotSaved_Statistics";
    case WriteFailureKind::kScore: return "NotSaved_Score";
  }
  return "NotSaved_Settings";
}

void RunAndForget(void (*&call)()) {
  void (*run)() = std::exchange(call, nullptr);
  if (run) run();
}

// The popup answered: a toolkit started for it closes with it, then the
// call that waited for it runs (the program's Exit ends the program).
void AnswerNotice(int) {
  if (std::exchange(g_startedToolkit, false)) g_MWin.Shutdown();
  RunAndForget(g_afterAnswer);
}

}  // namespace

void WriteFailureNotify(WriteFailureKind kind, const char* name) {
  const int index = static_cast<int>(kind);
  if (index < 0 || index >= kWriteFailureKinds || g_told[index]) return;
  g_told[index] = true;
  const char* token = TokenOf(kind);
  if (!name) name = "";
  char text[1024];
  if (!EngLanguagesGetStringWithParams(token, name, "", text, sizeof text)) {
    std::snprintf(text, sizeof text, "%s: %s", token, name);
  }
  DebugPlain("Write failure notice: %s", text);
  g_notices.emplace_back(text);
}

void WriteFailureShowNotices() {
  if (g_notices.empty() || (g_MWin.IsOn() && g_MWin.IsPopupOpen())) return;
  std::string text;
  for (const std::string& notice : g_notices) {
    if (!text.empty()) text += "\n\n";
    text += notice;
  }
  const char* title = EngLanguagesGetFirstString("NotSaved_Title");
  const bool start = !g_MWin.IsOn();
  if (start && !g_MWin.Startup()) {
    RunAndForget(g_after);  // the texts are in the log: nothing is held for them
    return;
  }
  if (!g_MWin.PopupOkWithCallback(title, text.c_str(), AnswerNotice)) {
    if (start) g_MWin.Shutdown();
    RunAndForget(g_after);
    return;
  }
  g_startedToolkit = start;
  g_afterAnswer = std::exchange(g_after, nullptr);
  DebugPlain("Write failure notices shown: %d", static_cast<int>(g_notices.size()));
  g_notices.clear();
}

void WriteFailureRunAfterNotices(void (*after)()) {
  g_after = after;
  if (g_notices.empty()) RunAndForget(g_after);
}

int WriteFailureGetPendingCount() { return static_cast<int>(g_notices.size()); }

void WriteFailureClearNotices() {
  g_notices.clear();
  g_after = g_afterAnswer = nullptr;
  g_startedToolkit = false;
  for (bool& told : g_told) told = false;
}
