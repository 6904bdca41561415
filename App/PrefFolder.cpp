// PrefFolder.cpp - the per-user folders (see PrefFolder.h).
#include "App/PrefFolder.h"

#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"

namespace {

constexpr int kMaxName = 128;  // names are shorter than this
constexpr int kPathSize = 1024;
constexpr int kBaseSize = 512;  // what the folder queries are given

char g_folderName[kMaxName] = {};  // the program's folder name
char g_base[kPathSize] = ".";      // main or desktop folder, and the scratch base
char g_path[kPathSize] = ".";      // file and sub-folder paths
char g_subSub[kPathSize] = ".";    // documents sub-sub-folder

bool ValidName(const char* name) {
  return name && name[0] && std::strlen(name) < static_cast<std::size_t>(kMaxName);
}

// Joins base, '\\' and name into out; false when it does not fit.
bool Join(char* out, const char* base, const char* name) {
  const int n = std::snprintf(out, kPathSize, "%s\\%s", base, name);
  return n > 0 && n < kPathSize;
}

// The folder exists or was created.
bool Ensure(const char* path) { return EngFileDirectoryExists(path) || EngFileCreateDirectory(path); }

// A special folder of the user (documents, desktop) into the base buffer:
// created when missing, "." when it cannot be had (never a stale buffer).
const char* SpecialFolder(bool (*query)(char*, int)) {
  if (!query(g_base, kBaseSize) || !g_base[0] || !Ensure(g_base)) {
    std::snprintf(g_base, sizeof g_base, ".");
  }
  return g_base;
}

// The sub-folder pattern shared by the main, documents and desktop folders:
// base '\\' name into the path buffer, created when asked.
const char* SubFolderOf(const char* where, const char* base, const char* name, bool create) {
  if (!ValidName(name) || !Join(g_path, base, name)) {
    DebugError(where, "Invalid sub folder name");
    std::snprintf(g_path, sizeof g_path, "%s", base);
    return g_path;
  }
  if (create && !Ensure(g_path)) {
    DebugError(where, "Could not create directory <%s>", g_path);
    std::snprintf(g_path, sizeof g_path, "%s", base);
  }
  return g_path;
}

// Files that a write killed before its rename left in the player's folders
// (a save is 4 MB): deleted at the start of a run. Only folders that exist
// are looked at; none is created for this.
void RemoveLeftoversOfEarlierRuns() {
  const char* const kSubFolders[] = {"Users", "Scores", "SavedGames", "Layouts"};
  char main[kPathSize];
  std::snprintf(main, sizeof main, "%s", PrefFolderGetMainFolder());
  EngFileRemoveLeftoverTemporaries(main);
  for (const char* sub : kSubFolders) {
    char folder[kPathSize];
    if (Join(folder, main, sub) && EngFileDirectoryExists(folder)) {
      EngFileRemoveLeftoverTemporaries(folder);
    }
  }
}

}  // namespace

const char* PrefFolderSetup(const char* folderName, bool startLog, const char* logName) {
  if (ValidName(folderName)) {
    std::snprintf(g_folderName, sizeof g_folderName, "%s", folderName);
  } else {
    DebugError("PrefFolderSetup", "Invalid folder name");
    g_folderName[0] = '\0';
  }
  if (startLog) {
    const char* logPath = PrefFolderGetMainFolderFile(logName && *logName ? logName : "LogFile.txt");
    DebugSetLogFilename(logPath, true);
    RemoveLeftoversOfEarlierRuns();
  }
  return PrefFolderGetMainFolder();
}

const char* PrefFolderGetMainFolder() {
  if (!g_folderName[0]) {
    DebugError("PrefFolderGetMainFolder", "Folder name is empty");
    std::snprintf(g_base, sizeof g_base, ".");
    return g_base;
  }
  if (!EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded("Quarnix", g_folderName, g_base,
                                                               kBaseSize)) {
    DebugError("PrefFolderGetMainFolder", "Could not create/get directory");
    std::snprintf(g_base, sizeof g_base, ".");
  }
  return g_base;
}

const char* PrefFolderGetMainFolderFile(const char* fileName) {
  const char* base = PrefFolderGetMainFolder();
  if (!fileName || !*fileName) {
    DebugError("PrefFolderGetMainFolder", "No file specified");
  } else if (!ValidName(fileName) || !Join(g_path, base, fileName)) {
    DebugError("PrefFolderGetMainFolder", "Filename too long");
  } else {
    return g_path;
  }
  std::snprintf(g_path, sizeof g_path, "%s", base);
  return g_path;
}

const char* PrefFolderGetSubFolder(const char* name) {
  return SubFolderOf("PrefFolderGetSubFolder", PrefFolderGetMainFolder(), name, true);
}

const char* PrefFolderGetMyDocsSubFolder(const char* name, bool create) {
  return SubFolderOf("PrefFolderGetMyDocsSubFolder", SpecialFolder(EngMiscGetDocumentsDirectory),
                     name, create);
}

const char* PrefFolderGetMyDocsSubSubFolder(const char* subFolder, const char* subSubFolder,
                                            bool create) {
  const char* where = "PrefFolderGetMyDocsSubSubFolder";
  const char* sub = PrefFolderGetMyDocsSubFolder(subFolder, create);
  if (!ValidName(subSubFolder) || !Join(g_subSub, sub, subSubFolder)) {
    DebugError(where, "Invalid sub sub folder name");
    std::snprintf(g_subSub, sizeof g_subSub, "%s", sub);
    return g_subSub;
  }
  if (create && !Ensure(g_subSub)) {
    DebugError(where, "Could not create directory <%s>", g_subSub);
    std::snprintf(g_subSub, sizeof g_subSub, "%s", g_base);
  }
  return g_subSub;
}

const char* PrefFolderGetDesktopFolder() {
  SpecialFolder(EngMiscGetDesktopDirectory);
  if (std::strcmp(g_base, ".") == 0) DebugError("PrefFolderGetDesktopFolder", "Could not get directory");
  return g_base;
}

const char* PrefFolderGetDesktopSubFolder(const char* name) {
  return SubFolderOf("PrefFolderGetDesktopSubFolder", SpecialFolder(EngMiscGetDesktopDirectory),
                     name, true);
}
