// AppImports.h - the import table of the player data and the program
// object: every call they make in the screens (the deck and board screens
// included) and in the program's shell above them, in one place.
//
// App never includes a Screens/ or Shell/ header nor links against their
// libraries. It keeps this table of slots (Engine/EngImport.h) and calls
// through it (g_AppImports.GameTickCB()); the screens fill their slots
// (ScreensFillAppImports, Screens/ScreensFills.h) and the shell its own
// (ShellFillAppImports, Shell/ShellFills.h), both called by the program
// entry before anything runs. App's tests fill the screens' slots with a
// stand-in (tests/Support/AppImportsStandIn) and the shell's with the real
// shell.
//
// State: the table g_AppImports, filled at start and kept for the run.
#pragma once

#include "Engine/EngImport.h"

struct AppImports {
  // ---- Screens ------------------------------------------------------------------

  // The current screen of the engine's table, -1 when none.
  EngImport<int()> ScreensGetCurrent{"ScreensGetCurrent"};
  // The registered number of the screen whose collection has this name
  // ("Users", "Main", "Pause", "Decks", ...); -1 when none is.
  EngImport<int(const char* collection)> ScreensGetScreenId{"ScreensGetScreenId"};
  // The main menu's actions after a player is loaded: continue the current
  // game's saved game, or start a new game.
  EngImport<void()> MainControlContinueGameCB{"MainControlContinueGameCB"};
  EngImport<void()> MainControlNewGameCB{"MainControlNewGameCB"};
  // The Game page's picture viewport, from its frame and the window size.
  EngImport<void()> GameControlUpdateSnapshotViewport{"GameControlUpdateSnapshotViewport"};
  // The Scores page is built again from the current table (after entries
  // were removed).
  EngImport<void()> ScoresControlStartingCB{"ScoresControlStartingCB"};
  // Shows the Scores page's "please wait" text while an online request is
  // out, and hides it again (each does nothing when the page is not shown).
  EngImport<void(const char* text)> ScoresControlShowInternetWait{"ScoresControlShowInternetWait"};
  EngImport<void()> ScoresControlHideInternetWait{"ScoresControlHideInternetWait"};

  // ---- Defaults of a new player ---------------------------------------------------

  // The light settings and the table board a new player starts with.
  EngImport<void()> ModulesSetDefaultLightSettings{"ModulesSetDefaultLightSettings"};
  EngImport<void()> ModulesSetDefaultBoard{"ModulesSetDefaultBoard"};

  // ---- Deck publishing ------------------------------------------------------------

  // The start-up dialog's FTP test: writes an empty file into the deck
  // service's upload folder. 1 done, 0 the server cannot be reached, -1 any
  // other failure.
  EngImport<int()> PublishDoFtpInternetTest{"PublishDoFtpInternetTest"};

  // ---- The shell (Shell/) -------------------------------------------------------
  // The program object's callbacks that the Program forwards to the shell (see
  // Shell/Shell.h for what each does).
  EngImport<bool()> GameSetupLogLanguagesAndFolders{"GameSetupLogLanguagesAndFolders"};
  EngImport<bool()> GamePreDeviceInit{"GamePreDeviceInit"};
  EngImport<bool()> GamePostDeviceInit{"GamePostDeviceInit"};
  EngImport<bool()> GameTickCB{"GameTickCB"};
  EngImport<bool()> GameIsWorkPending{"GameIsWorkPending"};
  EngImport<void()> GameRenderCB{"GameRenderCB"};
  EngImport<bool(int kind, int value1, int value2)> GameInputEventCB{"GameInputEventCB"};
  EngImport<void(bool active)> GameOnActiveChanged{"GameOnActiveChanged"};
  EngImport<void()> GameAfterModeChange{"GameAfterModeChange"};
  EngImport<void()> GameShutdown{"GameShutdown"};
  EngImport<void(int n)> GameLogResolutionSettings{"GameLogResolutionSettings"};
  EngImport<bool()> GameCreateGraphics{"GameCreateGraphics"};
  EngImport<void()> GameFreeGraphics{"GameFreeGraphics"};
  // Run once a player has been created or loaded: graphics, sound, the game
  // core and the main menu.
  EngImport<void()> GameStartForUser{"GameStartForUser"};
  // Opens the in-game menu (the Menu button's hover-open).
  EngImport<void()> GameMenuShowInGameMenu{"GameMenuShowInGameMenu"};
};

extern AppImports g_AppImports;

// Fills the screens' slots with the functions of the slots' own names as
// seen where the macro is used: the screens (ScreensFillAppImports) and the
// tests' stand-in screens each fill them from this one list.
#define APP_IMPORTS_FILL_SCREENS_BY_NAME(table) \
  do { \
    AppImports& t_ = (table); \
    t_.ScreensGetCurrent = ScreensGetCurrent; \
    t_.ScreensGetScreenId = ScreensGetScreenId; \
    t_.MainControlContinueGameCB = MainControlContinueGameCB; \
    t_.MainControlNewGameCB = MainControlNewGameCB; \
    t_.GameControlUpdateSnapshotViewport = GameControlUpdateSnapshotViewport; \
    t_.ScoresControlStartingCB = ScoresControlStartingCB; \
    t_.ScoresControlShowInternetWait = ScoresControlShowInternetWait; \
    t_.ScoresControlHideInternetWait = ScoresControlHideInternetWait; \
    t_.ModulesSetDefaultLightSettings = ModulesSetDefaultLightSettings; \
    t_.ModulesSetDefaultBoard = ModulesSetDefaultBoard; \
    t_.PublishDoFtpInternetTest = PublishDoFtpInternetTest; \
  } while (false)
