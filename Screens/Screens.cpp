// Screens.cpp - the screen registry (see Screens.h).
#include "Screens/Screens.h"

#include <cstring>

#include "Game/GameState.h"
#include "Engine/Debug.h"
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "Screens/ScreensImports.h"
#include "Screens/ScreensUnits.h"
#include "Screens/SolMWin.h"

int g_ScreenUsers = -1, g_ScreenUserLoad = -1, g_ScreenUserNew = -1, g_ScreenCountry = -1,
    g_ScreenMain = -1, g_ScreenCameras = -1, g_ScreenAbout = -1, g_ScreenGame = -1,
    g_ScreenHelp = -1, g_ScreenOptions = -1, g_ScreenGeneral = -1, g_ScreenDisplay = -1,
    g_ScreenLights = -1, g_ScreenSets = -1, g_ScreenSetsEdit = -1, g_ScreenStartup = -1,
    g_ScreenKeys = -1, g_ScreenPopup = -1, g_ScreenPause = -1, g_ScreenInGame = -1,
    g_ScreenGetFile = -1;

namespace {

struct RegistryRow {
  const char* name;
  int* id;
  EngScreenCallback create;
  EngScreenCallback starting;
  EngScreenCallback tick;
  EngScreenCallback update;
};

// The registry in creation order. Rows of screens that are not built yet
// have no callbacks.
const RegistryRow kRows[] = {
    {"Users", &g_ScreenUsers, UsersCreateCB, UsersControlStartingCB, nullptr, nullptr},
    {"UserLoad", &g_ScreenUserLoad, UserLoadCreateCB, UserLoadControlStartingCB, nullptr, nullptr},
    {"UserNew", &g_ScreenUserNew, UserNewCreateCB, UserNewControlStartingCB, UserNewControlTickCB,
     nullptr},
    {"Country", &g_ScreenCountry, CountryCreateCB, CountryControlStartingCB, nullptr, nullptr},
    {"Main", &g_ScreenMain, MainCreateCB, MainControlStartingCB, MainControlTickCB, nullptr},
    {"Cameras", &g_ScreenCameras, CamerasCreateCB, CamerasControlStartingCB, nullptr, nullptr},
    {"About", &g_ScreenAbout, AboutCreateCB, AboutControlStartingCB, nullptr, nullptr},
    {"Game", &g_ScreenGame, GameCreateCB, GameControlStartingCB, GameControlTickSnapshot, nullptr},
    {"Help", &g_ScreenHelp, HelpCreateCB, HelpControlStartingCB, HelpControlTickCB, nullptr},
    {"Options", &g_ScreenOptions, OptionsCreateCB, OptionsControlStartingCB, nullptr,
     OptionsControlUpdateCB},
    {"General", &g_ScreenGeneral, GeneralCreateCB, GeneralControlStartingCB, nullptr, nullptr},
    {"Display", &g_ScreenDisplay, DisplayCreateCB, DisplayControlStartingCB, nullptr, nullptr},
    {"Lights", &g_ScreenLights, LightsCreateCB, LightsControlStartingCB, nullptr,
     LightsControlUpdateCB},
    {"Sets", &g_ScreenSets, SetsCreateCB, SetsControlStartingCB, nullptr, nullptr},
    {"SetsEdit", &g_ScreenSetsEdit, SetsEditCreateCB, SetsEditControlStartingCB, nullptr, nullptr},
    {"Startup", &g_ScreenStartup, StartupCreateCB, StartupControlStartingCB, nullptr, nullptr},
    {"Keys", &g_ScreenKeys, KeysCreateCB, KeysControlStartingCB, KeysControlTickCB, nullptr},
    {"Popup", &g_ScreenPopup, PopupCreateCB, PopupControlStartingCB, nullptr, nullptr},
    {"Pause", &g_ScreenPause, PauseCreateCB, PauseControlStartingCB, PauseControlTickCB, nullptr},
    {"InGame", &g_ScreenInGame, InGameCreateCB, InGameControlStartingCB, InGameControlTickCB, nullptr},
    {"GetFile", &g_ScreenGetFile, GetFileCreateCB, GetFileControlStartingCB, nullptr, nullptr},
};

// The name of a registered screen, for notes.
const char* NameOf(int screen) {
  for (const RegistryRow& r : kRows) {
    if (*r.id == screen) return r.name;
  }
  return "(deck screen)";
}

// A screen whose units exist (its row has a create callback).
bool IsBuilt(int screen) {
  const EngScreenEntry* entry = EngScreenGetEntry(screen);
  return entry && entry->Create;
}

}  // namespace

bool ScreensSetup() {
  // The toolkit as the screen table sees it (MWinScreenHooks.cpp): a screen
  // stopped with the toolkit (ScreensStopCurrent(1)) shuts it down, a
  // started one refreshes the buttons' highlight; the game shell ticks the
  // toolkit itself, once a frame, before the screen's tick.
  MWinInstallScreenHooks();
  EngScreenRemoveAll();
  EngScreenSetPreChangeCallback(ScreensClearDesktop);
  EngScreenSetPostChangeCallback(nullptr);
  EngScreenRemoveAll();
  ScreensCreate();
  return EngScreenSetCurrent(g_ScreenUsers);
}

void ScreensCreate() {
  for (const RegistryRow& r : kRows) {
    const int screen = EngScreenAdd();
    *r.id = screen;
    if (screen < 0) continue;
    if (r.create) EngScreenSetCreateCallback(screen, r.create);
    if (r.starting) EngScreenSetStartingCallback(screen, r.starting);
    if (r.tick) EngScreenSetTickCallback(screen, r.tick);
    if (r.update) EngScreenSetUpdateCallback(screen, r.update);
  }
  LoadCardsCreateDeckScreens();
}

bool ScreensStart(int screen) {
  if (!g_MWin.Startup()) {
    DebugExitMessage("ScreensStart", "Could not start the user interface");
    return false;
  }
  ScreensSetCurrent(screen);
  ScreensClearDesktop();
  EngScreenStart(false);
  g_MWin.ButtonsChanged();
  return true;
}

void ScreensGoto(int screen) {
  if (!IsBuilt(screen)) {
    DebugNote("ScreensGoto: screen %d <%s> is not built yet", screen, NameOf(screen));
    return;
  }
  SolMWinClearAllButtonHandles();
  EngScreenGoto(screen);
}

void ScreensGoBack() {
  SolMWinClearAllButtonHandles();
  EngScreenGoBack();
}

void ScreensStopCurrent(int mode) {
  EngScreenStop(mode);
  SolMWinClearAllButtonHandles();
  GameResetIdleTimer();
}

void ScreensClearDesktop() {
  SolMWinClearAllButtonHandles();
  if (MWinDesktop* desktop = g_MWin.GetDesktop()) desktop->RemoveAllCollections();
}

int ScreensGetScreenId(const char* collection) {
  if (!collection) return -1;
  for (const RegistryRow& r : kRows) {
    if (std::strcmp(r.name, collection) == 0) return *r.id;
  }
  return LoadCardsGetDeckScreenId(collection);
}

int ScreensGetCurrent() { return EngScreenGetCurrent(); }
bool ScreensSetCurrent(int screen) { return EngScreenSetCurrent(screen); }
bool ScreensTick() { return EngScreenTick(); }
