// MainPages.h - the pages the main menu hosts in its window (0 Game, 1
// Help, 2 Statistics, 3 Scores) and the one return to the game in play:
// each page adds its Normal rows to the host's window and binds them in its
// Starting callback, looking its buttons up in the collection "Main".
#pragma once

#include "Screens/GamePage.h"
#include "Screens/Help.h"

class MWinWindow;

bool StatsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void StatsControlStartingCB();
bool ScoresAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void ScoresControlStartingCB();
void ScoresControlTickLatestRow();
