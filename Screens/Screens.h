// Screens.h - the screen registry: the game's 21 screens as entries of the
// engine's screen table, in a fixed order, with each screen's number in a
// global; the hooks that run around every screen change; and the wrappers
// through which the game starts, changes, leaves and stops screens.
//
// A screen whose units are not built yet keeps its row without callbacks:
// changing to it logs a note and stays on the current screen.
//
// State: the screen numbers (set by ScreensCreate, kept for the run).
#pragma once

// The screens' numbers in the engine's table, by collection name; -1 before
// ScreensCreate.
extern int g_ScreenUsers, g_ScreenUserLoad, g_ScreenUserNew, g_ScreenCountry, g_ScreenMain,
    g_ScreenCameras, g_ScreenAbout, g_ScreenGame, g_ScreenHelp, g_ScreenOptions, g_ScreenGeneral,
    g_ScreenDisplay, g_ScreenLights, g_ScreenSets, g_ScreenSetsEdit, g_ScreenStartup, g_ScreenKeys,
    g_ScreenPopup, g_ScreenPause, g_ScreenInGame, g_ScreenGetFile;

// The whole set-up, once after the device exists: hooks installed, screens
// created, Users made current (not started). False when that fails.
bool ScreensSetup();
// Adds the 21 screens in order, then the deck screens.
void ScreensCreate();
// Turns the toolkit on and starts the screen. False (and "Could not start
// the user interface" at the exit level) when the toolkit cannot start.
bool ScreensStart(int screen);
// Changes to the screen, remembering the current one as its previous one.
// Every screen's handles are cleared first.
void ScreensGoto(int screen);
// Returns to the current screen's previous screen.
void ScreensGoBack();
// Stops the running screen (mode 0 stop, 1 also the toolkit, 2 also forget
// the screen), clears every handle and restarts the idle timer.
void ScreensStopCurrent(int mode);
// The pre-change hook: every handle cleared, every collection removed.
void ScreensClearDesktop();
// The number of the screen whose collection has this name; -1 when none.
int ScreensGetScreenId(const char* collection);
// One-line forwarders to the engine's screen table.
int ScreensGetCurrent();
bool ScreensSetCurrent(int screen);
bool ScreensTick();
