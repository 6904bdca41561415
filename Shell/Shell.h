// Shell.h - what the program object's callbacks do for this game.
//
// The shell is the card game seen from the program object (EngProgram): the
// start-up steps before and after the graphics device exists, the creation
// and release of the game's graphics in loading steps, the per-frame tick
// and render passes by program mode, the mouse and key commands of the
// table, the automatic pause after a minute without input, and the shutdown
// that saves the running game. The application's Program forwards its
// callbacks here (GameTickCB, GameRenderCB, GameInputEventCB and the steps
// below). It sits above the screens and calls them, the player data and the
// card core directly.
//
// The program mode, the game font, the idle timer and the pointer that the
// layers below read are kept in Game/GameState.h; the calls the screens and
// the player data make here go through their import tables
// (Screens/ScreensImports.h, App/AppImports.h), which the shell fills
// (Shell/ShellFills.h).
//
// Files: Shell.cpp (start-up, active changes, start of play, shutdown),
// ShellGraphics.cpp (graphics and the loading loop), ShellTick.cpp (tick
// passes, idle pause), ShellInput.cpp (mouse, keys, the in-game commands),
// ShellRender.cpp (render passes).
//
// State (GameShellState in ShellLocal.h): the font's creation, the score
// graphics, the loading-progress time, the paused-by-idle byte, the key-press
// latches, the pointer in pixels, the question about a game not saved, the
// program's Exit under way.
#pragma once

#include "Game/GameState.h"

class EngFont;
class EngTexture;

// ---- Program callbacks --------------------------------------------------------
// Start-up with the command line: the per-user folder and its log file
// "LogFile.txt", the languages of "./Languages", the module set-up with the
// item-file-name callback and the player's light settings. False when a
// step fails.
bool GameSetupLogLanguagesAndFolders();
// Before the device: the layouts file, camera defaults, the resolution log,
// the toolkit's look, the record-file key, effects, the card module's start
// (decks, generator, card loader); mode 255; the texture cursor unless the
// settings choose the window's own cursor.
bool GamePreDeviceInit();
// After the device: resolution log, the view restored, the screens
// registered and the player list shown; mode 1.
bool GamePostDeviceInit();
// The program's tick: the toolkit's tick, then GameTickWithWindowOpen
// while a toolkit screen is open, else GameTickNoWindowOpen. Always true.
bool GameTickCB();
// True when the next tick has work that no frame may have been asked for:
// a button's callback the toolkit queued, a notice or question due, cards
// in flight or a deal's start delay in play. The program's loop asks it
// before it waits for input (EngProgram::IsWorkPending).
bool GameIsWorkPending();
// The program's render: with a toolkit screen open GameRenderBeforeWindows,
// the toolkit's windows and GameRenderAfterWindows; else GameRenderGame.
void GameRenderCB();
// Input events (kinds as EngProgram::InputEventCB): the toolkit first; a
// mouse button it leaves goes to GameHandleMouseButton, every mouse move
// also to GameHandleMouseMove. Every event restarts the idle pause's
// minute. True when something took the event.
bool GameInputEventCB(int kind, int value1, int value2);
// Becoming inactive during play opens the pause screen; becoming active on
// the pause screen resumes.
void GameOnActiveChanged(bool active);
// After a display-mode change: render states, projection, near view,
// camera and scene re-applied (the main-menu camera in the main menu); the
// main menu's page and an open Options page that shows the display mode
// are rebuilt for the mode now running.
void GameAfterModeChange();
// Before shutdown: saves a game in progress, remembers the mode and the
// screen, writes the settings, saves the player (unless GameLeaveProgram
// did all that), stops the sound, resets the file chooser, cleans the
// toolkit up and frees the statistics.
void GameShutdown();
// Out of the program by its own Exit (the main menu's, the player
// selection's, the in-game menu's): the saves of the shutdown are made now,
// while the window is up, with the settings stored as of a run that ended
// normally; when a write failed and its "Not Saved" notice is not yet told
// in this run, the program ends once the notice is answered, else at once.
// A close from outside (a signal, a logout) saves in the shutdown.
void GameLeaveProgram();
// The display is lost and the program ends right after (no shutdown runs):
// the game in play and the player (with the game's clock and running score)
// are saved, and nothing is drawn.
void GameSaveWhenDisplayLost();
// The display refused one of the program's requests: the log keeps its
// words and the run goes on (a refused present only leaves a frame unshown).
void GameLogRefusedDisplayRequest(const char* text);
// Stores the program mode and the current screen (-1 none) in the player's
// record.
void GameRememberCurrentScreen();
// The dashed resolution line of the log, numbered n + 1.
void GameLogResolutionSettings(int n);

// ---- Graphics -------------------------------------------------------------------
// The item files of the player screens: 0 "Data\\Main\\0160.dat",
// 1 "Data\\Main\\0157.dat", else "Unexpected item %d" and "".
const char* GameGetModulesItemFilenameCB(int item);
// Loads the game font "Data\\Main\\0100.dat" through the toolkit once.
bool GameCreateFont();
// One loading step: 1 go on, 0 done, -1 failed (reported). Steps: 0 clears
// the deck-generation flag, 1 asks whether the current deck must be
// generated, 2 generates it when asked, 3-72 load the card graphics items,
// 73 the deck screens' graphics, 74 the board screen's; others are done.
int GameCreateGraphicsStep(int step, int flag);
// The create-graphics callback: what the player screens need (toolkit
// graphics, game font, effects, a running celebration or tutorial, the
// player screens' pictures), then the loading steps as GameLoadGraphicsLoop
// runs them but without the progress text: the screen shown keeps its
// buttons. False when a step failed (reported).
bool GameCreateGraphics();
// A player's first load. With a player loaded: the graphics of play (score
// font and background, battery gauge, Menu button and status corners, once
// per device), then the loading steps with the progress text on the loading
// screen; true at once when no player is loaded. A failing step ends the
// program ("Internal Error 0x03") and gives false.
bool GameLoadGraphicsLoop();
// The loading text after a step: "Game_LoadingPlayer" with the player's
// name and the percentage (step / 0.75, rounded; "1" below 1 %), or
// "Loading..." when the language has no such text. At most size bytes.
void GameFormatLoadingProgress(int step, const char* player, char* out, int size);
// Frees fonts, textures, particles, celebration, card, screen, battery,
// tutorial and board graphics.
void GameFreeGraphics();

// ---- Tick passes -----------------------------------------------------------------
bool GameTickWithWindowOpen();
bool GameTickNoWindowOpen();
// The per-frame game step: animations, the selection's follow-up, the
// first-game offer once no animation runs.
void GenTick();
// The in-game keys, read once a tick from the key-state table (a key counts
// once per press); nothing while a toolkit screen is open.
void GameInGameKeys();
// Brings the in-game keys' latches up to the key-state table, whatever is
// shown; run at the start of every tick, before the toolkit's queued press
// can close a screen: a key seen up counts again at its next press, a key
// held while a toolkit screen is up belongs to that press.
void GameTrackKeyLatches();

// ---- Render passes ----------------------------------------------------------------
void GameRenderBeforeWindows();
// What the screens draw over the toolkit's windows (the splash, the flags,
// the pages' 3D pictures); nothing while a popup is open, as the toolkit
// has then drawn it beneath the popup.
void GameRenderAfterWindows();
// The playing scene (modes 3 and 4 only): background, then the celebration
// or the table board, effects, piles, cards in flight and status.
void GameRenderGame();

// ---- Mouse and in-game commands -------------------------------------------------
// Only in mode 3 with no screen open: the tutorial first, swapped buttons,
// the menu corner (a left press at x > 580, y < 20 of the 640 x 480 space),
// else the selection; on a finished game a click returns to the main menu.
// True when the tutorial took it. One exception while a screen is open: a
// press the toolkit left while the in-game menu is up closes the menu, and
// that press and its release go no further (true).
bool GameHandleMouseButton(int button, int down);
// Screen pixel position: kept in pixels and in 640 x 480 units, idle timer
// reset, the table point under the pointer updated in play, the menu corner
// highlighted.
void GameHandleMouseMove(int x, int y);
void GameMenuNewGame();
void GameMenuUndo();
void GameMenuRedo();
void GameMenuHelp();
void GameMenuOptions();
void GameMenuPause();
void GameMenuChangeAutoplay();
// Leaving the table: to the main menu, or out of the program (the in-game
// menu's Exit). The game in play is saved first; when the save fails the
// game stays at the table and the player is asked whether to give it up
// (then counted as lost, its older save deleted) or to stay and leave again
// once the save can be made.
enum GameLeaving { kGameLeaveToMenu = 1, kGameLeaveProgram = 2 };
void GameMenuExitToMainMenu();
void GameMenuExit();
void GameGiveUpUnsavedGame(int leaving);
void GameMenuShowInGameMenu();
// In-game camera command: 0-9 make that preset current and apply it with
// the scene refreshed; 10 pauses the clock, opens the Cameras screen and
// applies the current preset; a negative code does nothing.
void GameMenuCamera(int code);
// A quick move from the deck: the pointer on the deck's top card, the right
// button pressed and released (the release is the variant's stock click).
// Nothing while cards are carried; the player's pointer stays where it was.
void GenClickDeck();

// ---- Start and end of play --------------------------------------------------------
// Run once a player has been created or loaded: the current game from the
// main menu's list, the graphics loading loop (a failure ends the process
// with -1), sound and the game core, mode 2 with the menu's card circle,
// card sounds, language, battery, statistics check, the volume pulse, the
// main menu (and About once when the settings ask).
void GameStartForUser();
// Logs one line ("START STATE: [...]") of what the start-up steps set up,
// read from the units themselves: the encryption, the languages, the game
// layouts, the toolkit and its screens, the sound, the game record, the
// card engine's speed scale beside the player's animation speed, and the
// animation end-or-cancel hook. Written at the end of GameStartForUser.
void GameLogStartState();
// The celebration starter and the return to the main menu that the win
// step calls (installed by GamePreDeviceInit).
void GameStartCelebration(float speed);
void GameReturnToMainMenu();

// Back to the state at program start (tests).
void GameShellResetForTests();
// Off: the start of play leaves out the volume pulse and its 0.3 s of
// waiting (benchmarks of the start time). Back on with the reset.
void GameShellSetVolumePulseForTests(bool on);
