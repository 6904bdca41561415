// GameImportsStandIn.cpp - the tests' application shell (see
// GameImportsStandIn.h).
#include "tests/Support/GameImportsStandIn.h"

#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngFont.h"

UserRecord g_UserRecord;
UserOptions g_UserOptions;

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

void ScoreUpdateCurrentScore() {}
void ScoreResetCurrentScore() {}

void StatsAddCurrentGame(int won, int) { ++g_statsAdded[won ? 1 : 0]; }
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

// ---- The shell's other services --------------------------------------------------

namespace {

std::vector<std::string> g_calls;
std::string g_lastScreen;
GameDisplaySettings g_display = {1, 1024, 768, 32, 1024, 768, 32, 0, 0, 0, 0, 1, 1, 2, 1, 0};

void Record(const std::string& call) { g_calls.push_back(call); }

// The registry of the screens the game shell names, in the registry's order.
constexpr const char* kScreens[] = {"Users",   "UserLoad", "UserNew", "Country", "Main",
                                    "Cameras", "About",    "Game",    "Help",    "Options",
                                    "General", "Display",  "Lights",  "Sets",    "SetsEdit",
                                    "Startup", "Keys",     "Popup",   "Pause",   "InGame",
                                    "GetFile", "DeckGen",  "Decks",   "Print",   "Publish"};
constexpr int kNumScreens = sizeof(kScreens) / sizeof(kScreens[0]);

const char* ScreenName(int id) { return id >= 0 && id < kNumScreens ? kScreens[id] : "?"; }

}  // namespace

const std::vector<std::string>& StandInCalls() { return g_calls; }

bool StandInCalled(const std::string& call) {
  for (const std::string& c : g_calls)
    if (c == call) return true;
  return false;
}

void StandInResetCalls() {
  g_calls.clear();
  g_lastScreen.clear();
}

const std::string& StandInLastScreen() { return g_lastScreen; }
GameDisplaySettings& StandInDisplaySettings() { return g_display; }

bool UserSave() {
  Record("UserSave");
  return g_loaded;
}
void ResolutionUpdateSettingsFromCurrent() { Record("ResolutionUpdateSettingsFromCurrent"); }
void ResolutionWriteFile() { Record("ResolutionWriteFile"); }
void ResolutionGetForGame(GameDisplaySettings* settings) { *settings = g_display; }
void ResolutionSetShowAbout(int value) { g_display.showAbout = value; }
const char* ScoreGetScoreText() { return "0"; }
bool StatsCheckFileOk() {
  Record("StatsCheckFileOk");
  return true;
}
void StatsFreeDayStats() { Record("StatsFreeDayStats"); }
void SoundInit() { Record("SoundInit"); }
void SoundSetVolume() { Record("SoundSetVolume"); }
void SoundShutdown() { Record("SoundShutdown"); }
void SoundStopMusic() { Record("SoundStopMusic"); }
void TutorialOfferFirstGame() { Record("TutorialOfferFirstGame"); }
bool TutorialHandleMouse(int, bool) { return false; }
void TutorialTick() {}
bool TutorialIsOn() { return false; }
bool TutorialGetOnFlag() { return false; }
void TutorialRestart() { Record("TutorialRestart"); }
void TutorialCreateGraphics() {}
void TutorialFreeGraphics() {}
void TutorialRenderPointer() {}
void TutorialRenderMessageBox() {}
void MainStartMenuCardAnim(bool restart) {
  Record(restart ? "MainStartMenuCardAnim 1" : "MainStartMenuCardAnim 0");
}
void MainTickMenuCardAnim() {}
void MainUpdatePreviewViewports() {}
void MainLoadMenuButtonText() {}
void MainMenuButtonShow(bool) { Record("MainMenuButtonShow"); }
void MainMenuButtonHide() { Record("MainMenuButtonHide"); }
bool MainMenuButtonIsOn() { return false; }
void MainMenuButtonTick(bool) {}
void MainDrawMenuButton() {}
void MainDrawGameStatus() {}
// The player's option alone (the game table's own flag is the shell's to
// add).
bool MainIsFourColorDeckNeededCB() { return g_UserRecord.fourColourDeck != 0; }
void EffectsCreateGraphics() {}
void EffectsFreeGraphics() {}
void FoundationEffectsTick() {}
void FoundationEffectsRenderAll() {}
void SplashTick() {}
void BatterySetTextureFilename(const char*) {}
void BatteryCreateGraphics() {}
void BatteryFreeGraphics() {}
void GetFileSetDefaults() { Record("GetFileSetDefaults"); }
bool ScreensSetup() {
  Record("ScreensSetup");
  return true;
}
bool ScreensStart(int screen) {
  g_lastScreen = ScreenName(screen);
  Record(std::string("ScreensStart ") + g_lastScreen);
  return true;
}
void ScreensGoto(int screen) {
  g_lastScreen = ScreenName(screen);
  Record(std::string("ScreensGoto ") + g_lastScreen);
}
void ScreensStopCurrent(int) { Record("ScreensStopCurrent"); }
int ScreensGetScreenId(const char* collection) {
  for (int i = 0; i < kNumScreens; ++i)
    if (std::strcmp(kScreens[i], collection) == 0) return i;
  return -1;
}

int MainGetCurGameFromOptions() { return g_UserRecord.menuGame; }
bool GameControlCycleAutoplayLevel(char*) { return false; }
void InGameControlClose() {}
void PauseControlResumeCB() { Record("PauseControlResumeCB"); }
void DisplayControlBatteryCB() {}
void GeneralControlApplyLanguage(bool) {}
void MainControlShowPage() {}
void MainControlRender() {}
void OptionsControlRender() {}
void CountryControlRenderFlags() {}
void UsersControlCreateGraphics() {}
void UsersControlReleaseGraphics() {}
void UsersControlTickSplash() {}
void UsersControlRenderSplash(int) {}
void SolMWinSetupTexturesAndTexButs() {}
bool SolMWinCreateFontApart(int fontNumber, const char* fontFile, EngFont* font) {
  if (fontNumber != 0 || !font) return false;
  return font->Create(fontFile, 1, 32, 32, 245, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true);
}
void SolMWinSetupLayoutConstants() {}
void EffectsInit() {}
bool ModulesSetup(const std::int32_t*, const char* (*)(int)) { return true; }
bool ModulesSetLightSettings(LightSettings** settings) { return settings && *settings; }
void PopupControlSetUndoMessage() { Record("PopupControlSetUndoMessage"); }
