// Stats.cpp - stand-in statistics (see Stats.h).
#include "App/Stats.h"

#include <cstdio>

#include "App/PrefFolder.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Game/GameImports.h"

namespace {

char g_fileName[1024] = {};

}  // namespace

const char* StatsGetFilename() {
  if (!UserIsLoaded() || !EngFileIsSafeName(g_UserRecord.name)) {
    DebugError("StatsGetFilename", "User not loaded");
    return nullptr;
  }
  std::snprintf(g_fileName, sizeof g_fileName, "%s\\%s.sta", PrefFolderGetSubFolder("Users"),
                g_UserRecord.name);
  return g_fileName;
}

void StatsDeleteFile() {
  const char* path = StatsGetFilename();
  if (path && EngFileExists(path)) EngFileDelete(path);
}

void StatsAddCurrentGame(int, int) {}
bool StatsCheckFileOk() { return StatsGetFilename() != nullptr; }
void StatsFreeDayStats() {}
