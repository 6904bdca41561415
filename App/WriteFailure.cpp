// WriteFailure.cpp - the player told of files that could not be written
// (see WriteFailure.h).
#include "App/WriteFailure.h"

#include <cstdio>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinManager.h"

namespace {

// The texts not yet shown and the kinds told in this run; both live until
// the end of the run (or the tests' clear).
std::vector<std::string> g_notices;
bool g_told[kWriteFailureKinds] = {};

const char* TokenOf(WriteFailureKind kind) {
  switch (kind) {
    case WriteFailureKind::kProfile: return "NotSaved_Profile";
    case WriteFailureKind::kSettings: return "NotSaved_Settings";
    case WriteFailureKind::kStatistics: return "NotSaved_Statistics";
    case WriteFailureKind::kScore: return "NotSaved_Score";
  }
  return "NotSaved_Settings";
}

// A popup of the toolkit started for it closes the toolkit with it.
void CloseToolkitAfterNotice(int) { g_MWin.Shutdown(); }

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
  bool shown = false;
  if (g_MWin.IsOn()) {
    shown = g_MWin.PopupOk(title, text.c_str());
  } else if (g_MWin.Startup()) {
    shown = g_MWin.PopupOkWithCallback(title, text.c_str(), CloseToolkitAfterNotice);
    if (!shown) g_MWin.Shutdown();
  }
  if (!shown) return;
  DebugPlain("Write failure notices shown: %d", static_cast<int>(g_notices.size()));
  g_notices.clear();
}

int WriteFailureGetPendingCount() { return static_cast<int>(g_notices.size()); }

void WriteFailureClearNotices() {
  g_notices.clear();
  for (bool& told : g_told) told = false;
}
