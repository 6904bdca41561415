// DamagedFile.cpp - damaged player files kept aside and told (see
// DamagedFile.h).
#include "App/DamagedFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

// The texts not yet shown; the files told of once; the files that could
// not be put aside in this run; the name buffer of the last file put aside.
std::vector<std::string> g_notices;
std::set<std::string> g_told;
std::set<std::string> g_notKept;
char g_asideName[1100] = {};

bool IsThere(const char* path) { return EngFileExists(path) || EngFileDirectoryExists(path); }

// The first free name of the series gets the file, moved or copied there
// (a move never replaces anything at the new name). A name taken meanwhile
// sends the file on to the next; any other failure ends the trying, as a
// folder that cannot take one name takes no other. A file that could not
// be put aside is not tried again in the run: the readers meet it at every
// read, and the player is told once.
const char* PutAside(const char* where, const char* path, bool move) {
  const bool folder = move && path && *path && EngFileDirectoryExists(path);
  if (!path || !*path || (!folder && !EngFileExists(path))) {
    DebugError(where, "No file <%s>", path ? path : "");
    return nullptr;
  }
  if (g_notKept.count(path)) return nullptr;
  int error = 0;
  for (int n = 1; n <= kMaxAsideNames; ++n) {
    const int length = n == 1 ? std::snprintf(g_asideName, sizeof g_asideName, "%s.damaged", path)
                              : std::snprintf(g_asideName, sizeof g_asideName, "%s.damaged-%d", path, n);
    if (length < 0 || length >= static_cast<int>(sizeof g_asideName)) {
      error = ENAMETOOLONG;
      break;
    }
    if (IsThere(g_asideName)) continue;
    const bool done = move ? MoveFileExA(path, g_asideName, 0) : CopyFileA(path, g_asideName, TRUE);
    if (done) {
      DebugError(where, "Damaged file <%s> kept as <%s>", path, g_asideName);
      return g_asideName;
    }
    error = static_cast<int>(GetLastError());
    if (error != EEXIST) break;
  }
  g_notKept.insert(path);
  DebugError(where, "Could not keep damaged file <%s>: %s", path,
             error && error != EEXIST ? std::strerror(error) : "every name of the series is taken");
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
  g_notKept.clear();
}
