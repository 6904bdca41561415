// Scores.h - the Scores page (page 3 of the main menu): the current game's
// table of the 20 best games with date, player, flag, time and score, the
// newest row pulsing and rows of games dealt by number greyed; sending the
// player's best score online, opening the online table in the browser, the
// scoring system's explanation and the reset of the player's rows.
//
// The main menu adds the rows to its own window; the buttons are looked up
// in the collection "Main" while the menu is the current screen, else in
// "Scores". The table itself is App/Score.h's.
//
// State: the page's button handles and the newest row's pulse phase (kept
// for the whole run).
#pragma once

class MWinWindow;

bool ScoresAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void ScoresClearButtonHandles();
// Looks the buttons up in the collection; true when every one was found.
bool ScoresGetButtonHandlesNormal(const char* collection, const char* window);

void ScoresControlStartingCB();
// Colours the table rows (-1: all, after emptying their texts, then fills
// them from the table; 0-19: that row's colours only).
void ScoresControlUpdateRows(int row);
// Pulses the newest row; the main menu's tick while the page is shown.
void ScoresControlTickLatestRow();
void ScoresControlWeightsCB();
void ScoresControlResetCB();
void ScoresControlResetResultCB(int result);
void ScoresControlResetAllResultCB(int result);
void ScoresControlAddOnlineCB();
void ScoresControlViewOnlineCB();
// Whether the game may go online from full screen: the start-up Internet
// test passed. Otherwise the player is told, and the test and the start-up
// dialog are due at the next start.
bool ScoresControlCheckInternetAccess();
// The "please wait" text over the page while an online request is out, and
// its end.
void ScoresControlShowInternetWait(const char* text);
void ScoresControlHideInternetWait();
