// Main.h - "Main", the main menu: the list of the 84 games on the left; the
// chosen game's name, a choice of four embedded pages (0 Game, 1 Help,
// 2 Statistics, 3 Scores) and the menu buttons (new, continue and end game,
// options, change player, about, exit) on the right.
//
// The game list stands for the player's menu game (g_UserRecord.menuGame),
// the page choice for the player's page byte (g_UserRecord.mainPage).
//
// State: the screen's handles (the newest score row is the score unit's).
#pragma once

class MWinCollection;

MWinCollection* MainAddCollectionToDesktop();
void MainCreateCB();
void MainClearButtonHandles();
bool MainGetButtonHandles();

void MainControlStartingCB();
void MainControlTickCB();
void MainControlSetup(bool showPage);
void MainControlRefresh(bool showPage);
void MainControlShowPage();
int MainGetCurGameFromOptions();
const char* MainControlListEntryText(int entry, int maxChars);
void MainControlListSelectCB();
void MainControlGameChanged();
void MainControlStartCurrentGame(bool resume, unsigned deal);
void MainControlNewGameCB();
void MainControlContinueGameCB();
void MainControlEndGameCB();
void MainControlPlayDealNumber(unsigned deal);
void MainControlPlayerChangeCB();
void MainControlAboutCB();
void MainControlOptionsCB();
void MainControlExitCB();
// The drawing after the toolkit windows in the main-menu mode.
void MainControlRender();

