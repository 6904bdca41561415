// Startup.h - "Startup" ("STARTUP OPTIONS"), how the program starts: the
// start-up settings dialog at the next start (a setting of the
// installation, written to the settings file at once), starting with the
// current player without asking, and what follows a player's loading (both
// the player's). Options page 6 and a screen of its own.
//
// State: the screen's handles (missing rows of the small layouts stay
// none).
#pragma once

class MWinCollection;
class MWinWindow;

MWinCollection* StartupAddCollectionToDesktop();
void StartupCreateCB();
bool StartupAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void StartupClearButtonHandles();
// Looks up the rows of a layout (0 Normal ... 3 IPadPortrait).
bool StartupGetButtonHandlesForLayout(const char* collection, const char* window, int layout);
bool StartupGetButtonHandles();

void StartupControlStartingCB();
void StartupControlAlwaysStartInfoCB();
// "ShowResWin": switched off, a notice on how to get the dialog back; the
// settings file is written in every case.
void StartupControlShowResWinCB();
// "Done": back to the game or menu.
void StartupControlDoneCB();
