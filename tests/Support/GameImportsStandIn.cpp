// GameImportsStandIn.cpp - the tests' application shell (see
// GameImportsStandIn.h).
#include "tests/Support/GameImportsStandIn.h"

#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngFont.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

namespace {

constexpr int kMaxFolderName = 128;  // folder names are shorter than this
constexpr int kPathSize = 1024;

bool g_loaded = false;
char g_folder[kMaxFolderName] = ".";  // the per-user folder
char g_subFolder[kPathSize] = ".";    // the last sub-folder handed out

SoundCallsForTests g_sounds;
int g_statsAdded[2] = {0, 0};  // not won, won

struct FoundationEffectsAdded {
  int count = 0;
  float position[3] = {0, 0, 0};
  float scale[3] = {1, 1, 1};
};
FoundationEffectsAdded g_effects;

bool ValidFolderName(const char* name) {
  return name && name[0] && std::strlen(name) < static_cast<std::size_t>(kMaxFolderName);
}

}  // namespace

bool UserIsLoaded() { return g_loaded; }
void UserSetLoaded(bool loaded) { g_loaded = loaded; }

// The per-user folder is the name itself, relative to the current folder.
const char* PrefFolderSetup(const char* folderName, bool, const char*) {
  if (!ValidFolderName(folderName)) {
    DebugError("PrefFolderSetup", "Invalid folder name");
    std::snprintf(g_folder, sizeof g_folder, ".");
    return g_folder;
  }
  std::snprintf(g_folder, sizeof g_folder, "%s", folderName);
  if (!EngFileDirectoryExists(g_folder)) EngFileCreateDirectory(g_folder);
  return g_folder;
}

const char* PrefFolderGetSubFolder(const char* name) {
  if (!ValidFolderName(name)) {
    DebugError("PrefFolderGetSubFolder", "Invalid sub folder name");
    return g_folder;
  }
  std::snprintf(g_subFolder, sizeof g_subFolder, "%s\\%s", g_folder, name);
  if (!EngFileDirectoryExists(g_subFolder) && !EngFileCreateDirectory(g_subFolder)) {
    DebugError("PrefFolderGetSubFolder", "Could not create directory <%s>", g_subFolder);
    return g_folder;
  }
  return g_subFolder;
}

// The documents folder is the per-user folder: "<folder>\\sub\\subSub".
const char* PrefFolderGetMyDocsSubSubFolder(const char* subFolder, const char* subSubFolder,
                                            bool create) {
  std::snprintf(g_subFolder, sizeof g_subFolder, "%s\\%s", g_folder, subFolder);
  if (create && !EngFileDirectoryExists(g_subFolder)) EngFileCreateDirectory(g_subFolder);
  const std::size_t length = std::strlen(g_subFolder);
  std::snprintf(g_subFolder + length, sizeof g_subFolder - length, "\\%s", subSubFolder);
  if (create && !EngFileDirectoryExists(g_subFolder)) EngFileCreateDirectory(g_subFolder);
  return g_subFolder;
}

// No folder can be listed: the card core's tests have no player's own decks
// or boards.
bool DirListOpenDir(const char*, DirListFilterCB) { return false; }
bool DirListPrepareToGetFilenamesInDir() { return false; }
const char* DirListGetNextFilenameInDir() { return ""; }
const char* DirListGetFilenameWithPath(const char*) { return ""; }
void DirListCleanupAfterGettingFilenamesInDir() {}
void DirListCloseDir() {}

void ScoreUpdateCurrentScore() {}
void ScoreResetCurrentScore() {}

// Counts the reports the statistics unit takes: one per game, as its
// recorded state says (a win reported lost afterwards only clears it).
void StatsAddCurrentGame(int won, int lost) {
  Gen& g = g_GenLive;
  if ((won != 0) == (lost != 0)) return;
  if (g.statsState != 0) {
    if (g.statsState == 2 && lost) g.statsState = 0;
    return;
  }
  g.statsState = won ? 2 : 1;
  ++g_statsAdded[won ? 1 : 0];
}
int StatsGetAddedForTests(bool won) { return g_statsAdded[won ? 1 : 0]; }
void StatsResetForTests() { g_statsAdded[0] = g_statsAdded[1] = 0; }

void SoundPlaySample(int sample) {
  ++g_sounds.samples;
  g_sounds.lastSample = sample;
}

void SoundPlayFoundationSound(int rank) {
  ++g_sounds.foundationSounds;
  g_sounds.lastRank = rank;
}

void SoundStartMusic() {}

const SoundCallsForTests& SoundGetCallsForTests() { return g_sounds; }
void SoundResetForTests() { g_sounds = SoundCallsForTests(); }

void FoundationEffectsAdd(const float* position, const float* scale) {
  ++g_effects.count;
  if (position) std::memcpy(g_effects.position, position, sizeof g_effects.position);
  const float unit[3] = {1, 1, 1};
  std::memcpy(g_effects.scale, scale ? scale : unit, sizeof g_effects.scale);
}

int FoundationEffectsGetAddedForTests(float* position, float* scale) {
  if (position) std::memcpy(position, g_effects.position, sizeof g_effects.position);
  if (scale) std::memcpy(scale, g_effects.scale, sizeof g_effects.scale);
  return g_effects.count;
}

void FoundationEffectsResetForTests() { g_effects = FoundationEffectsAdded(); }

// ---- The shell's own services ----------------------------------------------------

namespace {

GameDisplaySettings g_display = {1, 1024, 768, 32, 1024, 768, 32, 0, 0, 0, 0, 1, 1, 2, 1, 0};

void Record(const std::string& call) { StandInRecord(call); }

}  // namespace

GameDisplaySettings& StandInDisplaySettings() { return g_display; }

bool UserSave() {
  Record("UserSave");
  return g_loaded;
}
void ResolutionUpdateSettingsFromCurrent() { Record("ResolutionUpdateSettingsFromCurrent"); }
void ResolutionWriteFile() { Record("ResolutionWriteFile"); }
void ResolutionSetRunInProgress(bool) { Record("ResolutionSetRunInProgress"); }
void ResolutionGetForGame(GameDisplaySettings* settings) { *settings = g_display; }
void ResolutionSetShowAbout(int value) { g_display.showAbout = value; }
const char* ScoreGetScoreText() { return "0"; }
bool StatsCheckFileOk() {
  Record("StatsCheckFileOk");
  return true;
}
void StatsFreeDayStats() { Record("StatsFreeDayStats"); }
bool SoundInit() {
  Record("SoundInit");
  return true;
}
bool SoundIsLoaded() { return true; }
void SoundSetVolume() { Record("SoundSetVolume"); }
void SoundShutdown() { Record("SoundShutdown"); }
void SoundStopMusic() { Record("SoundStopMusic"); }
void EffectsCreateGraphics() {}
void EffectsFreeGraphics() {}
void FoundationEffectsTick() {}
void FoundationEffectsRenderAll() {}
bool SplashTick() { return false; }
void WriteFailureShowNotices() {}
// Every write of the stand-ins succeeds: nothing waits for a notice.
int WriteFailureGetPendingCount() { return 0; }
void WriteFailureRunAfterNotices(void (*after)()) {
  if (after) after();
}

// The main module, tutorial, battery gauge, file chooser and effects start
// (the application's own stand-ins take their place in App's tests).
void TutorialOfferFirstGame() { Record("TutorialOfferFirstGame"); }
bool TutorialHandleMouse(int, bool) { return false; }
void TutorialTick() {}
bool TutorialIsOn() { return false; }
bool TutorialGetOnFlag() { return false; }
void TutorialRestart() { Record("TutorialRestart"); }
void TutorialStop() { Record("TutorialStop"); }
bool TutorialPressFirstButton() { return false; }
void TutorialCreateGraphics() {}
void TutorialFreeGraphics() {}
void TutorialRenderPointer() {}
void TutorialRenderMessageBox() {}
void MainStartMenuCardAnim(bool restart) {
  Record(restart ? "MainStartMenuCardAnim 1" : "MainStartMenuCardAnim 0");
}
void MainTickMenuCardAnim() {}
void MainRenderMenuCardAnim() {}
void MainUpdatePreviewViewports() {}
void MainLoadMenuButtonText() {}
void MainMenuButtonShow(bool) { Record("MainMenuButtonShow"); }
void MainMenuButtonHide() { Record("MainMenuButtonHide"); }
void MainMenuButtonRelease() { Record("MainMenuButtonRelease"); }
bool MainMenuButtonIsOn() { return false; }
void MainMenuButtonTick(bool) {}
void MainStatusTick() {}
void MainDrawMenuButton() {}
void MainCreateGraphics() {}
void MainFreeGraphics() {}
void MainDrawGameStatus() {}
bool BatterySetTextureFilename(const char*) { return true; }
bool BatteryCreateGraphics() { return true; }
void BatteryFreeGraphics() {}
void GetFileSetDefaults() { Record("GetFileSetDefaults"); }
void EffectsInit() {}

// ---- The card core's import table ------------------------------------------------

void GameImportsFillStandIn() {
  GAME_IMPORTS_FILL_BY_NAME(g_GameImports);
}

// The table is filled before any test runs: this object is linked into every
// test program that uses the stand-in (an object library).
namespace {
[[maybe_unused]] const bool g_filled = (GameImportsFillStandIn(), true);
}  // namespace
