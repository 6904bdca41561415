// PrefFolder.cpp - the stand-in per-user folders (see PrefFolder.h).
#include "App/PrefFolder.h"

#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"
#include "Game/GameImports.h"

namespace {

constexpr int kMaxName = 128;     // names are shorter than this
constexpr int kPathSize = 1024;

char g_folderName[kMaxName] = {};  // the program's folder name
char g_base[kPathSize] = ".";      // the last main folder
char g_path[kPathSize] = ".";      // the last sub-folder

bool ValidName(const char* name) {
  return name && name[0] && std::strlen(name) < static_cast<std::size_t>(kMaxName);
}

}  // namespace

const char* PrefFolderSetup(const char* folderName, bool, const char*) {
  if (ValidName(folderName)) {
    std::snprintf(g_folderName, sizeof g_folderName, "%s", folderName);
  } else {
    DebugError("PrefFolderSetup", "Invalid folder name");
    g_folderName[0] = '\0';
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
                                                               512)) {
    DebugError("PrefFolderGetMainFolder", "Could not create/get directory");
    std::snprintf(g_base, sizeof g_base, ".");
  }
  return g_base;
}

const char* PrefFolderGetSubFolder(const char* name) {
  const char* base = PrefFolderGetMainFolder();
  if (!ValidName(name)) {
    DebugError("PrefFolderGetSubFolder", "Invalid sub folder name");
    return base;
  }
  int n = std::snprintf(g_path, sizeof g_path, "%s\\%s", base, name);
  if (n < 0 || n >= kPathSize) {
    DebugError("PrefFolderGetSubFolder", "Invalid sub folder name");
    return base;
  }
  if (!EngFileDirectoryExists(g_path) && !EngFileCreateDirectory(g_path)) {
    DebugError("PrefFolderGetSubFolder", "Could not create directory <%s>", g_path);
    return base;
  }
  return g_path;
}
