// InGame.cpp - the in-game menu (see InGame.h).
#include "Screens/InGame.h"

#include <cstdint>
#include <iterator>

#include "App/Main.h"
#include "Engine/EngDevice.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinID.h"
#include "Game/CardsAnim.h"
#include "Game/GameState.h"
#include "Game/GenUndo.h"
#include "Game/UserRecord.h"
#include "Screens/Help.h"
#include "Screens/Pause.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/ScreensImports.h"

namespace {

constexpr const char* kName = "InGame";
constexpr int kKeyEscape = 0x1B;

#define INGAME_ROW(id, look, text, x, y, w, h, sx, sy, token) \
  {id, MWIN_BUT_PUSH, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, 1, token, nullptr}
#define MENU_ROW(id, text, y, token) INGAME_ROW(id, "Main", text, 584, y, 51, 26, 0.8f, 0.9f, token)

const ScreenRow kRows[] = {
    INGAME_ROW("Frame1", "Back1", "", 579, 0, 61, 261, 1.0f, 1.2f, nullptr),
    MENU_ROW("Undo", "Undo", 6, "InGame_Undo"),
    MENU_ROW("Redo", "Redo", 34, "InGame_Redo"),
    MENU_ROW("Autoplay", "Autoplay", 62, "InGame_Autoplay"),
    MENU_ROW("New", "New", 90, "InGame_New"),
    MENU_ROW("Rules", "Rules", 126, "InGame_Rules"),
    MENU_ROW("Options", "Options", 154, "InGame_Options"),
    MENU_ROW("Main", "Main", 190, "InGame_Main"),
    MENU_ROW("Exit", "Exit", 226, "InGame_Exit"),
};
#undef MENU_ROW
#undef INGAME_ROW

struct Handles {
  MWinButton* frame = nullptr;
  MWinButton* undo = nullptr;
  MWinButton* redo = nullptr;
  MWinButton* autoplay = nullptr;
  MWinButton* newGame = nullptr;
  MWinButton* rules = nullptr;
  MWinButton* options = nullptr;
  MWinButton* main = nullptr;
  MWinButton* pause = nullptr;  // only in the small layouts, never built here
  MWinButton* exit = nullptr;
};
Handles g_h;

}  // namespace

void InGameControlClose() {
  if (EngDevice* device = EngDeviceGetCurrent()) device->SetViewportFullScreen();
  InGameClearButtonHandles();
  HelpControlDoneCB();
}

MWinCollection* InGameAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void InGameCreateCB() { InGameAddCollectionToDesktop(); }
void InGameClearButtonHandles() { g_h = Handles{}; }

bool InGameGetButtonHandlesInCollection(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  g_h.frame = get("Frame1");
  g_h.undo = get("Undo");
  g_h.redo = get("Redo");
  g_h.autoplay = get("Autoplay");
  g_h.newGame = get("New");
  g_h.rules = get("Rules");
  g_h.options = get("Options");
  g_h.main = get("Main");
  g_h.exit = get("Exit");
  return get.AllFound();
}

bool InGameGetButtonHandles() { return InGameGetButtonHandlesInCollection(kName, "MainWin"); }

void InGameControlStartingCB() {
  const bool inOptions = ScreensGetCurrent() == g_ScreenOptions;
  if (!(inOptions ? InGameGetButtonHandlesInCollection("Options", "MainWin") : InGameGetButtonHandles())) {
    return;
  }
  if (MWinCollection* collection = g_MWin.GetCollectionFromID(inOptions ? "Options" : kName)) {
    // The screen's window covers the whole table; the menu is its frame.
    MWinArea menu{};
    g_h.frame->GetArea(&menu, false);
    collection->SetHitArea(true, menu.x, menu.y, menu.w, menu.h);
  }
  g_h.main->SetSimpleCallback(InGameControlMainCB);
  g_h.undo->SetSimpleCallback(InGameControlUndoCB);
  g_h.redo->SetSimpleCallback(InGameControlRedoCB);
  g_h.autoplay->SetSimpleCallback(InGameControlAutoplayCB);
  g_h.newGame->SetSimpleCallback(InGameControlNewCB);
  g_h.options->SetSimpleCallback(InGameControlOptionsCB);
  g_h.rules->SetSimpleCallback(InGameControlRulesCB);
  if (g_h.pause) g_h.pause->SetSimpleCallback(InGameControlPauseCB);
  if (g_h.exit) g_h.exit->SetSimpleCallback(InGameControlExitCB);
  InGameControlUpdateUndoRedoButtons();
  MainMenuButtonShow(true);
}

void InGameControlTickCB() {
  std::uint8_t* keys = EngWindowGetKeyStates();
  if (keys && keys[kKeyEscape] >= 2) {
    keys[kKeyEscape] = 0;
    InGameControlClose();
    return;
  }
  if (!g_h.frame) return;
  float x = 0, y = 0;
  GameGetPointerVirtual(&x, &y);
  MWinArea menu{};
  g_h.frame->GetArea(&menu, false);
  const bool overMenu = MWinIsInArea(x, y, menu.x, menu.y, menu.w, menu.h);
  if (!overMenu && !GameMenuCornerHolds(x, y)) InGameControlClose();
}

void InGameControlUpdateUndoRedoButtons() {
  if (CardsAnimIsAnimating()) return;
  int marked = 0;
  const bool canUndo = GenUndoCanUndo(&marked);
  const bool notice = marked && g_UserRecord.undoLevel == 1 && g_UserRecord.undoQuestion;
  if (g_h.undo) g_h.undo->SetEnabled(canUndo || notice);
  if (g_h.redo) g_h.redo->SetEnabled(GenUndoCanRedo());
}

void InGameControlMainCB() {
  InGameControlClose();
  g_ScreensImports.GameMenuExitToMainMenu();
}

void InGameControlUndoCB() {
  InGameControlClose();
  g_ScreensImports.GameMenuUndo();
  InGameControlUpdateUndoRedoButtons();
}

void InGameControlRedoCB() {
  InGameControlClose();
  g_ScreensImports.GameMenuRedo();
  InGameControlUpdateUndoRedoButtons();
}

void InGameControlAutoplayCB() {
  InGameControlClose();
  g_ScreensImports.GameMenuChangeAutoplay();
}

void InGameControlNewCB() {
  if (ScreensGetCurrent() == g_ScreenPause) PauseControlResumeCB();
  InGameControlClose();
  g_ScreensImports.GameMenuNewGame();
}

void InGameControlRulesCB() {
  InGameControlClose();
  g_ScreensImports.GameMenuHelp();
}

void InGameControlOptionsCB() {
  InGameControlClose();
  g_ScreensImports.GameMenuOptions();
}

void InGameControlPauseCB() {
  InGameControlClose();
  ScreensStart(g_ScreenPause);
}

void InGameControlExitCB() {
  InGameControlClose();
  g_ScreensImports.GameMenuExit();
}
