// MainPages.h - the pages the main menu hosts in its window (0 Game, 1
// Help, 2 Statistics, 3 Scores) and the one return to the game in play:
// each page adds its Normal rows to the host's window and binds them in its
// Starting callback, looking its buttons up in the collection "Main".
#pragma once

class MWinWindow;

bool GameAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void GameControlStartingCB();
// Draws the chosen game's picture in the main menu.
void GameControlRenderSnapshot();
// Sets up the autoplay levels the current game allows.
void GameControlSetupAutoplayEntries();
// Loads the picture of the chosen game's table (the player's saved game,
// else its stock picture) into the game record; true when one is shown.
bool GameControlLoadSnapshot();
// Draws the loaded picture's piles (the caller sets the viewport).
void GameControlRenderSnapshotCards();
bool HelpAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void HelpControlStartingCB();
void HelpControlTickCB();
// The one action that returns from a toolkit screen or page to the game.
void HelpControlDoneCB();
bool StatsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void StatsControlStartingCB();
bool ScoresAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void ScoresControlStartingCB();
void ScoresControlTickLatestRow();
