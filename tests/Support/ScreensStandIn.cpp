// ScreensStandIn.cpp - the services above the card core that the
// application shell does not provide yet, as tests see them (see
// ScreensStandIn.h).
#include "tests/Support/ScreensStandIn.h"

#include <cstdint>
#include <cstring>

#include "Engine/EngFont.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"

namespace {

std::vector<std::string> g_calls;
std::string g_lastScreen;

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

void StandInRecord(const std::string& call) { Record(call); }
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

// ---- Main module, tutorial, battery, file chooser, screen registry ----
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

// ---- Game screens ----
int MainGetCurGameFromOptions() { return g_UserRecord.menuGame; }
bool GameControlCycleAutoplayLevel(char*) { return false; }
void InGameControlClose() {}
void PauseControlResumeCB() {}
void DisplayControlBatteryCB() {}
void GeneralControlApplyLanguage() {}
void MainControlShowPage() {}
void MainControlRender() {}
void OptionsControlRender() {}
void OptionsControlAfterModeChange() {}
// The Options screen's layout of a page's bottom rows, which the deck and
// board pages call: without the screens the rows stay where they are built.
class MWinButton;
void OptionsControlMoveButtons(MWinButton*, MWinButton*, MWinButton*) {}
void CountryControlRenderFlags() {}
void UsersControlCreateGraphics() {}
void UsersControlReleaseGraphics() {}
void UsersControlTickSplash() {}
void UsersControlRenderSplash(int) {}
bool SolMWinSetupTexturesAndTexButs() { return true; }
bool SolMWinCreateFontApart(int fontNumber, const char* fontFile, EngFont* font) {
  if (fontNumber != 0 || !font) return false;
  return font->Create(fontFile, 1, 32, 32, 255, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true);
}
void SolMWinSetupStyle() {}
bool ModulesSetup(const std::int32_t*, const char* (*)(int)) { return true; }
bool ModulesSetLightSettings(LightSettings** settings) { return settings && *settings; }
void PopupControlSetUndoMessage() {}
