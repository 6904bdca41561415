// GameImports.h - everything the card game core calls in the application
// shell above it: one place to read what the game needs from its owner.
//
// The card core never includes an App/ header. It declares here the calls
// and records it uses; the application shell defines them (its units
// include this header, so a mismatch fails to compile there), and the tests
// link a stand-in (tests/Support/GameImportsStandIn) in its place.
//
// Grouped by service: the player's options, per-user folders and settings,
// score and statistics, sound and music, tutorial, main menu and status,
// effects and small panels, screens. A call that the card core has not yet
// come to make may already be declared here; a record holds the fields the
// card core reads and grows here when it reads more.
//
// State: none here; the records named below live in the shell.
#pragma once

#include <cstdint>

#include "Game/UserRecord.h"

// ---- The player's options --------------------------------------------------

// The current player's profile and per-game block (g_UserRecord,
// g_UserOptions) are in Game/UserRecord.h.

// Whether a player is loaded; the per-player file names (saved games,
// pictures) need one.
bool UserIsLoaded();
// Writes the player's record and per-game options, and the display settings
// file with the player's name. False when no player is loaded or a write
// failed.
bool UserSave();

// ---- Per-user folders and settings ------------------------------------------

// Sets the per-user folder name (1 to 127 characters, else "Invalid folder
// name") under the user's application-data folder and gives that folder; with
// startLog, starts the log file logName there.
const char* PrefFolderSetup(const char* folderName, bool startLog, const char* logName);
// The per-user folder, "\\" and the name, created when missing; on a bad
// name (128 characters or more) or a failure, the main per-user folder.
// ("SavedGames", "Layouts".) The text lives until the next call.
const char* PrefFolderGetSubFolder(const char* name);
// Copies the current window or full-screen mode, position and sizes into the
// display settings record.
void ResolutionUpdateSettingsFromCurrent();
// Stamps the program version into the display settings record and rewrites
// the display settings file.
void ResolutionWriteFile();

// ---- Score and statistics ---------------------------------------------------

// Recomputes the current game's score and its text.
void ScoreUpdateCurrentScore();
// Sets the current game's running score to 0 and recomputes it (a new game
// dealt by the New command).
void ScoreResetCurrentScore();
// The current score as decimal digits (filled by the score update).
const char* ScoreGetScoreText();
// Appends the finished game to the player's statistics: won (1) or not, and
// the counting flag (a lost game counts only after 8 moves). Called with
// (1, 0) for a won game and (0, 1) for a game abandoned for a new one.
void StatsAddCurrentGame(int won, int counting);
// Checks the current player's statistics file (a bad one is deleted); false
// when there is no player file name.
bool StatsCheckFileOk();
// Frees the per-day statistics table (at shutdown).
void StatsFreeDayStats();

// ---- Sound and music --------------------------------------------------------

// Samples the move handler plays when cards are lifted or put down.
constexpr int kSoundPickup = 5;   // card pick-up 1 (5-9)
constexpr int kSoundDrop = 0;     // card drop 1 (0-4)

// Starts the sound layer and the music and loads the samples; on failure the
// sound setting is turned off.
void SoundInit();
// Applies the volume setting to the loaded samples.
void SoundSetVolume();
void SoundShutdown();
// Plays sample 0-27 when sound is on.
void SoundPlaySample(int sample);
// Plays the foundation sound of a rank (1-13).
void SoundPlayFoundationSound(int rank);
// Starts the music when sound and music are on and it is not playing (a won
// game).
void SoundStartMusic();
// Stops the music if it is playing (a celebration ends).
void SoundStopMusic();

// ---- Tutorial ---------------------------------------------------------------

// On the first play of the tutorial game, asks whether to switch it on.
void TutorialOfferFirstGame();
// True when the tutorial took the click; the game then does nothing else.
bool TutorialHandleMouse(int button, bool down);
void TutorialTick();
bool TutorialIsOn();
bool TutorialGetOnFlag();
// A new deal while the tutorial is on: back to its waiting step.
void TutorialRestart();
void TutorialCreateGraphics();
void TutorialFreeGraphics();
void TutorialRenderPointer();
void TutorialRenderMessageBox();

// ---- Main menu, status and effects ------------------------------------------

// The main menu's backdrop of cards; restart restarts a running one.
void MainStartMenuCardAnim(bool restart);
void MainTickMenuCardAnim();
// Recomputes the 3D preview areas from the window size.
void MainUpdatePreviewViewports();
void MainLoadMenuButtonText();
// The in-game Menu button: shown at once or fading in, hidden, its state,
// its per-frame step (screenOpen: called with a toolkit screen open) and its
// drawing.
void MainMenuButtonShow(bool atOnce);
void MainMenuButtonHide();
bool MainMenuButtonIsOn();
void MainMenuButtonTick(bool screenOpen);
void MainDrawMenuButton();
// Draws the table board's tiles at the table's height when they are loaded.
void MainRenderTableBoard();
// Draws the in-game status (time, score, clock, battery, Menu button).
void MainDrawGameStatus();
// True when the four-colour deck option is on and the current game allows it.
bool MainIsFourColorDeckNeededCB();

void EffectsCreateGraphics();
void EffectsFreeGraphics();
// Starts a foundation effect at a table position (x, y, z) with a scale
// (x, y, z; null for 1, 1, 1). Both arrays are read at once, not kept.
void FoundationEffectsAdd(const float* position, const float* scale);
void FoundationEffectsTick();
void FoundationEffectsRenderAll();

bool SplashTick();
void BatterySetTextureFilename(const char* name);
void BatteryCreateGraphics();
void BatteryFreeGraphics();
// Resets the file chooser to its defaults (at shutdown).
void GetFileSetDefaults();

// ---- Screens ----------------------------------------------------------------

// Sets the engine's screen callbacks, creates the screens and makes the
// player-selection screen current; false when that fails.
bool ScreensSetup();
// Starts the toolkit and the screen ("Could not start the user interface").
bool ScreensStart(int screen);
// Forgets every screen's cached handles, then goes to the screen.
void ScreensGoto(int screen);
// Stops the running screen (1: also shuts the toolkit down; 2: also forgets
// the previous screen).
void ScreensStopCurrent(int flag);
