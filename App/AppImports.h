// AppImports.h - everything the player data and the program object call in
// the screens and the shell above them (the deck and board screens
// included): one place to read what App needs from its owners.
//
// App never includes a Screens/ or Shell/ header. The screens and the shell
// define these calls (their units include this header, so a mismatch fails
// to compile there); App's tests link stand-ins
// (tests/Support/AppImportsStandIn, the shell or its stand-in) in their place.
//
// State: none here.
#pragma once

// ---- Screens ------------------------------------------------------------------

// The registry's number of the main menu screen (-1 before the registry).
extern int g_ScreenMain;
// The current screen of the engine's table, -1 when none.
int ScreensGetCurrent();
// The registered number of the screen whose collection has this name
// ("Users", "Main", "Pause", "Decks", ...); -1 when none is.
int ScreensGetScreenId(const char* collection);
// The main menu's actions after a player is loaded: continue the current
// game's saved game, or start a new game.
void MainControlContinueGameCB();
void MainControlNewGameCB();
// The Game page's picture viewport, from its frame and the window size.
void GameControlUpdateSnapshotViewport();
// The Scores page is built again from the current table (after entries
// were removed).
void ScoresControlStartingCB();
// Shows the Scores page's "please wait" text while an online request is
// out, and hides it again (each does nothing when the page is not shown).
void ScoresControlShowInternetWait(const char* text);
void ScoresControlHideInternetWait();

// ---- Defaults of a new player ---------------------------------------------------

// The light settings and the table board a new player starts with.
void ModulesSetDefaultLightSettings();
void ModulesSetDefaultBoard();

// ---- Deck publishing ------------------------------------------------------------

// The start-up dialog's FTP test: writes an empty file into the deck
// service's upload folder. 1 done, 0 the server cannot be reached, -1 any
// other failure.
int PublishDoFtpInternetTest();

// ---- The shell (Shell/) -------------------------------------------------------
// The program object's callbacks that the Program forwards to the shell (see
// Shell/Shell.h for what each does).
bool GameSetupLogLanguagesAndFolders();
bool GamePreDeviceInit();
bool GamePostDeviceInit();
bool GameTickCB();
void GameRenderCB();
bool GameInputEventCB(int kind, int value1, int value2);
void GameOnActiveChanged(bool active);
void GameAfterModeChange();
void GameShutdown();
void GameLogResolutionSettings(int n);
bool GameCreateGraphics();
void GameFreeGraphics();
// Run once a player has been created or loaded: graphics, sound, the game
// core and the main menu.
void GameStartForUser();
// Opens the in-game menu (the Menu button's hover-open).
void GameMenuShowInGameMenu();
