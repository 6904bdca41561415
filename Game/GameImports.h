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

class EngFont;
class EngTexture;

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
// The documents folder, the sub-folder and the sub-sub-folder, both created
// when create is set ("Quarnix", "Card Decks" for the player's decks).
const char* PrefFolderGetMyDocsSubSubFolder(const char* subFolder, const char* subSubFolder,
                                            bool create);
// Listing one folder's entries (the decks' and boards' folders): open,
// prepare, the next name until "", the name's full path, clean up, close.
using DirListFilterCB = bool (*)(int acceptedSoFar, const char* name, const char* folder);
bool DirListOpenDir(const char* path, DirListFilterCB filter);
bool DirListPrepareToGetFilenamesInDir();
const char* DirListGetNextFilenameInDir();
const char* DirListGetFilenameWithPath(const char* name);
void DirListCleanupAfterGettingFilenamesInDir();
void DirListCloseDir();
// Copies the current window or full-screen mode, position and sizes into the
// display settings record.
void ResolutionUpdateSettingsFromCurrent();
// Stamps the program version into the display settings record and rewrites
// the display settings file.
void ResolutionWriteFile();
// The display settings the game shell reads (a copy of the record's fields).
struct GameDisplaySettings {
  int windowed;
  int windowWidth, windowHeight, windowBits;
  int fullWidth, fullHeight, fullBits;
  int windowMsType, windowMsQuality, fullMsType, fullMsQuality;
  int tableQuality;   // 0-2
  int cardQuality;    // 0-3
  int mouseSync;
  int cursorType;     // 0 the game's texture cursor, 1 the window's own ("CT")
  int showAbout;      // 1: the start of play shows About once
};
void ResolutionGetForGame(GameDisplaySettings* settings);
// Sets the show-About byte (the start of play sets 2 after showing it).
void ResolutionSetShowAbout(int value);

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
// Checks the current player's statistics file (a damaged header is mended,
// the records that read kept); false when there is no good file.
bool StatsCheckFileOk();
// Frees the per-day statistics table (at shutdown).
void StatsFreeDayStats();

// ---- Sound and music --------------------------------------------------------

// Samples the move handler plays when cards are lifted or put down.
constexpr int kSoundPickup = 5;   // card pick-up 1 (5-9)
constexpr int kSoundDrop = 0;     // card drop 1 (0-4)

// Starts the sound layer and the music and loads the samples; on failure the
// sound setting is turned off.
bool SoundInit();
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
// Draws the card circle behind the main menu's windows (camera preset 10).
void MainRenderMenuCardAnim();
// Recomputes the 3D preview areas from the window size.
void MainUpdatePreviewViewports();
void MainLoadMenuButtonText();
// The in-game Menu button: shown at once or fading in, hidden, its state,
// its per-frame step (screenOpen: called with a toolkit screen open) and its
// drawing.
void MainMenuButtonShow(bool atOnce);
void MainMenuButtonHide();
// The pointer left the menu corner: the button no longer opens the menu.
void MainMenuButtonRelease();
bool MainMenuButtonIsOn();
void MainMenuButtonTick(bool screenOpen);
void MainDrawMenuButton();
// The Menu button's and the status panels' textures.
void MainCreateGraphics();
void MainFreeGraphics();
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
// The battery gauge's picture file, its loading and release (false on a bad
// or missing file, reported).
bool BatterySetTextureFilename(const char* name);
bool BatteryCreateGraphics();
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
// The registered number of the screen whose collection has this name
// ("Users", "Main", "Pause", "Decks", ...); -1 when none is.
int ScreensGetScreenId(const char* collection);

// ---- Game screens -----------------------------------------------------------

// The game chosen in the main menu's game list.
int MainGetCurGameFromOptions();
// False when the current game offers no autoplay level; else the next level
// is set and its name written into text (at least 128 bytes).
bool GameControlCycleAutoplayLevel(char* text);
void InGameControlClose();
void PauseControlResumeCB();
// Places the battery gauge by the player's options (no callback record,
// not forced: the polling notice is not shown).
void DisplayControlBatteryCB();
// Makes the player's stored language current when play starts for him (or
// has him adopt the language chosen in the settings).
void GeneralControlApplyLanguage();
void MainControlShowPage();
void MainControlRender();
void OptionsControlRender();
// After a display-mode change: an open Options screen showing the System
// page starts the page again from the mode now running.
void OptionsControlAfterModeChange();
void CountryControlRenderFlags();
void UsersControlCreateGraphics();
void UsersControlReleaseGraphics();
void UsersControlTickSplash();
void UsersControlRenderSplash(int flag);
// The toolkit's button texture and the game's texture buttons; false when a
// step failed (reported, the others still made).
bool SolMWinSetupTexturesAndTexButs();
// Creates the toolkit's game font (font 0 only).
bool SolMWinCreateFontApart(int fontNumber, const char* fontFile, EngFont* font);
// The game's toolkit style: layout metrics, standard looks, popups, the
// game font "Main" (also the standard font).
void SolMWinSetupStyle();
void EffectsInit();
// Keeps the module configuration (ten words, or none) and the item-file-name
// callback.
bool ModulesSetup(const std::int32_t* config, const char* (*itemFilename)(int item));
// Keeps the reference to the player's light settings; false for none.
bool ModulesSetLightSettings(LightSettings** settings);
// The Popup screen's message flag, set before the screen is opened for the
// undo-limit message.
void PopupControlSetUndoMessage();

// ---- The deck and board screens (Screens/Decks/) ------------------------------

void DecksControlCreateGraphics();
void DeckGenControlCreateGraphics();
void SetsControlCreateGraphics();
void DecksControlReleaseGraphics();
void DeckGenControlReleaseGraphics();
void SetsControlReleaseGraphics();
void DecksControlRenderPreview();
// The deck generator's previews of settings that are never saved are
// deleted (the program ends while the generator is open).
void DeckGenControlDiscardEdits();
void SetsControlReloadBackground();
void SetsControlLoadBoard(int board);
