// ScreensPending.cpp - STAND-INS for the calls of units other work builds:
// the deck calls of Screens/ScreensImports.h, the defaults the player unit
// asks of the decks (App/AppImports.h), the embedded Stats and Scores pages
// of the main menu, and the screens of later work that the game shell
// calls (Game/GameImports.h). Each does nothing (a page adds no rows)
// until its unit lands; then its definition here is removed.
#include "App/AppImports.h"
#include "Screens/MainPages.h"
#include "Screens/ScreensImports.h"
#include "Game/GameImports.h"

bool StatsAddMainWinWindowButtonsToWindowNormal(MWinWindow*) { return true; }
void StatsControlStartingCB() {}
bool ScoresAddMainWinWindowButtonsToWindowNormal(MWinWindow*) { return true; }
void ScoresControlStartingCB() {}
void ScoresControlTickLatestRow() {}
