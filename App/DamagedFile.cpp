// DamagedFile.cpp - damaged player files kept aside and told (see
// DamagedFile.h).
#include "App/DamagedFile.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinManager.h"
#include "Platform/Files.h"

namespace {

constexpr int kMaxAsideNames = 99;

// The texts not yet shown; the files told of once; the name buffer of the
// last file put aside.
std::vector<std::string> g_notices;
std::set<std::string> g_told;
char g_asideName[1100] = {};

bool IsThere(const char* path) { return EngFileExists(path) || EngFileDirectoryExists(path); }

// A folder in a file's place moves as it is; the move never replaces
// anything at the new name.
bool MoveFolder(const char* path, const char* to) {
  if (!MoveFileExA(path, to, 0)) {
    DebugError("DamagedFileMoveAside", "Folder was not moved: <%s> to <%s>", path, to);
    return false;
  }
  return true;
}

// The first free name of the series gets the file, moved or copied there.
const char* PutAside(const char* where, const char* path, bool move) {
  const bool folder = move && path && *path && EngFileDirectoryExists(path);
  if (!path || !*path || (!folder && !EngFileExists(path))) {
    DebugError(where, "No file <%s>", path ? path : "");
    return nullptr;
  }
  for (int n = 1; n <= kMaxAsideNames; ++n) {
    const int length = n == 1 ? std::snprintf(g_asideName, sizeof g_asideName, "%s.damaged", path)
                              : std::snprintf(g_asideName, sizeof g_asideName, "%s.damaged-%d", path, n);
    if (length < 0 || length >= static_cast<int>(sizeof g_asideName)) break;
    if (IsThere(g_asideName)) continue;
    const bool done = folder ? MoveFolder(path, g_asideName)
                             : (move ? EngFileMoveFile(path, g_asideName) : EngFileCopyFile(path, g_asideName, true));
    if (done) {
      DebugError(where, "Damaged file <%s> kept as <%s>", path, g_asideName);
      return g_asideName;
    }
  }
  DebugError(where, "Could not keep damaged file <%s>", path);
  return nullptr;
}

}  // namespace

const char* DamagedFileMoveAside(const char* path) { return PutAside("DamagedFileMoveAside", path, true); }
const char* DamagedFileCopyAside(const char* path) { return PutAside("DamagedFileCopyAside", path, false); }

const char* DamagedFileBaseName(const char* path) {
  if (!path) return "";
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') base = p + 1;
  }
  return base;
}

void DamagedFileNotify(const char* text) {
  if (!text || !*text) return;
  DebugPlain("Damaged file notice: %s", text);
  if (static_cast<int>(g_notices.size()) < kDamagedFileMaxNotices) g_notices.emplace_back(text);
}

void DamagedFileNotifyText(const char* token, const char* text1, const char* text2) {
  char text[1024];
  if (!EngLanguagesGetStringWithParams(token, text1 ? text1 : "", text2 ? text2 : "", text, sizeof text)) {
    std::snprintf(text, sizeof text, "%s: %s, %s", token, text1 ? text1 : "", text2 ? text2 : "");
  }
  DamagedFileNotify(text);
}

bool DamagedFileNotifyTextOnce(const char* key, const char* token, const char* text1, const char* text2) {
  if (!key || !g_told.insert(key).second) return false;
  DamagedFileNotifyText(token, text1, text2);
  return true;
}

void DamagedFileShowNotices() {
  if (g_notices.empty() || !g_MWin.IsOn() || g_MWin.IsPopupOpen()) return;
  std::string text;
  for (const std::string& notice : g_notices) {
    if (!text.empty()) text += "\n\n";
    text += notice;
  }
  if (g_MWin.PopupOk(EngLanguagesGetFirstString("Damaged_Title"), text.c_str())) {
    DebugPlain("Damaged file notices shown: %d", static_cast<int>(g_notices.size()));
    g_notices.clear();
  }
}

int DamagedFileGetPendingCount() { return static_cast<int>(g_notices.size()); }
void DamagedFileClearNotices() {
  g_notices.clear();
  g_told.clear();
}
