// StartupDialog.h - the start-up settings dialog, shown before the game
// window when the start-up configuration is due (the first start,
// "CONFIGURATION", a new version, or a run that did not end normally), and
// the Internet tests that follow its Play once the game window is up.
//
// The dialog (Platform/DialogBox.h, on GTK; headless it takes Play) lets the
// player choose full screen or window, the full-screen resolution,
// anti-aliasing, card and board texture quality, sound, cursor and mouse
// synchronisation, check for a new version (the updater), open the home
// page, and Play. Every choice goes into the settings record (App/Resolution.h)
// and the file. After Play, the HTTP test (the update service reached?)
// runs while its state in the settings is 255, and the FTP test of the deck
// publishing account while its state is 255; each asks to try again on
// failure, and the state becomes 1 (passed) or 0 (the player gave up). A new
// version sets them back (HTTP 255, FTP 0) before they are looked at. The
// tests wait for the network on worker threads (Engine/EngJob.h): the game
// window keeps drawing meanwhile, and their boxes come from the main thread.
//
// A list without a choice (-1) leaves its setting as it was.
//
// The procedure works by control id and knows nothing of the window system.
// State: the anti-aliasing list in use while the dialog is open and the
// banner bitmap.
#pragma once

#include "Platform/DialogBox.h"

// The controls (the dialog's table is StartupDialogTemplate()).
enum StartupDialogControl : int {
  kStartupPlay = 1000,
  kStartupFullscreen = 1001,
  kStartupWindowed = 1002,
  kStartupResolution = 1003,
  kStartupAntialiasing = 1006,
  kStartupHidden = 1007,
  kStartupVersion = 1026,
  kStartupMouseSync = 1028,
  kStartupCursorType = 1029,
  kStartupMouseSyncHelp = 1030,
  kStartupCursorTypeHelp = 1032,
  kStartupSound = 1033,
  kStartupTableTextures = 1034,
  kStartupCheckNewVersion = 1038,
  kStartupCardTextures = 1040,
  kStartupHomePage = 1047,
  kStartupAntialiasingHelp = 1018,
  kStartupBanner = 40038,
};

// The banner picture and the home page below the maker's site.
constexpr const char* kStartupBannerFile = "Data/Main/0129.dat";
constexpr const char* kStartupHomePagePath = "/cardolia/index.html";

// -1 the dialog was closed (the program ends quietly), 0 no program object,
// 1 Play (the Internet tests are the caller's to begin).
int StartupDialogRun();
INT_PTR StartupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
const DialogTemplate* StartupDialogTemplate();

// The fill and the store of the Part's algorithm, for the procedure and tests.
void StartupDialogFill(HWND dialog);
void StartupDialogStore(HWND dialog);
// The full-screen mode nearest to the stored one (least |dw| + |dh| + 10 x
// |d depth|, the first of equals); -1 when there are no modes.
int StartupDialogNearestMode(int width, int height, int bitDepth);

// ---- The Internet tests (StartupInternetTests.cpp) ----------------------------------
// After Play: a game version other than this one's sets the tests back
// (HTTP due, FTP settled) in the settings.
void StartupDialogPrepareInternetTests(float previousVersion);
// Whether a test's state is 255.
bool StartupDialogInternetTestsDue();
// Main thread: shows the first boxes and starts the first due test; the rest
// follows from the tests' jobs as they end (EngJobDeliver). Nothing while
// they run.
void StartupDialogBeginInternetTests();
// From the begin until the last test is settled.
bool StartupDialogInternetTestsBusy();
// Prepare, begin and wait here until both are settled (for callers without
// a running main loop: it delivers jobs itself).
void StartupDialogRunInternetTests(float previousVersion);
