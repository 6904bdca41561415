// ScreensPending.cpp - STAND-INS for the calls of units other work builds:
// the deck calls of Screens/ScreensImports.h, the defaults the player unit
// asks of the decks (App/AppImports.h), the embedded Game, Help, Stats and
// Scores pages of the main menu, and the screens of later work that the game
// shell calls (Game/GameImports.h). Each does nothing (a page adds no rows)
// until its unit lands; then its definition here is removed.
#include "App/AppImports.h"
#include "Screens/MainPages.h"
#include "Screens/ScreensImports.h"
#include "Game/GameImports.h"
#include "Game/GameShell.h"
#include "Game/GameTime.h"

bool GameAddMainWinWindowButtonsToWindowNormal(MWinWindow*) { return true; }
void GameControlStartingCB() {}
void GameControlRenderSnapshot() {}
void GameControlSetupAutoplayEntries() {}
bool HelpAddMainWinWindowButtonsToWindowNormal(MWinWindow*) { return true; }
void HelpControlStartingCB() {}
void HelpControlTickCB() {}
// STAND-IN for the Help unit's common return to the game (its steps, so
// that the option pages and Keys return to play until the Help unit lands).
void HelpControlDoneCB() {
  if (GameGetProgramMode() == kGameModeMainMenu) return;
  GameClearEscapeKey();
  ScreensStopCurrent(1);
  GameResetIdleTimer();
  GameTimeResume();
  GameSetProgramMode(kGameModePlaying);
}
bool StatsAddMainWinWindowButtonsToWindowNormal(MWinWindow*) { return true; }
void StatsControlStartingCB() {}
bool ScoresAddMainWinWindowButtonsToWindowNormal(MWinWindow*) { return true; }
void ScoresControlStartingCB() {}
void ScoresControlTickLatestRow() {}

// The Game page's preview of the player's table, which the Cameras and
// Lights pages show too: STAND-INS until the Game page lands (no picture
// is loaded or drawn; the preview shows the board alone).
bool GameControlLoadSnapshot() { return false; }
void GameControlRenderSnapshotCards() {}

// Screens of later work the game shell calls.
bool GameControlCycleAutoplayLevel(char*) { return false; }
void InGameControlClose() {}
void PauseControlResumeCB() {}
void PopupControlSetUndoMessage() {}
