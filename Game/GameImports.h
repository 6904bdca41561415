// GameImports.h - what the card game core calls in the layers above it:
// one place to read what the rules, the animations and the card data need
// from their owner.
//
// The card core never includes a header from above. It declares here the
// calls it makes; the player data (App/) and the screens define them (their
// units include this header, so a mismatch fails to compile there), and the
// tests link a stand-in (tests/Support/GameImportsStandIn) in their place.
// The program's shell (Shell/) calls the layers below it directly and
// takes nothing from here.
//
// Grouped by service: the player, per-user folders and settings, score and
// statistics, sound and music, the main menu's backdrop and Menu button,
// the foundation effects.
//
// State: none here.
#pragma once

// The current player's profile and per-game block (g_UserRecord,
// g_UserOptions) are in Game/UserRecord.h and Game/UserOptions.h.

// ---- The player ----------------------------------------------------------------

// Whether a player is loaded; the per-player file names (saved games,
// pictures) need one.
bool UserIsLoaded();

// ---- Per-user folders and settings ------------------------------------------

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
// The display settings the card core reads (a copy of the record's fields).
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

// ---- Sound and music --------------------------------------------------------

// Samples the move handler plays when cards are lifted or put down.
constexpr int kSoundPickup = 5;   // card pick-up 1 (5-9)
constexpr int kSoundDrop = 0;     // card drop 1 (0-4)

// Plays sample 0-27 when sound is on.
void SoundPlaySample(int sample);
// Plays the foundation sound of a rank (1-13).
void SoundPlayFoundationSound(int rank);
// Starts the music when sound and music are on and it is not playing (a won
// game).
void SoundStartMusic();
// Stops the music if it is playing (a celebration ends).
void SoundStopMusic();

// ---- Main menu, Menu button and effects ----------------------------------------

// The main menu's backdrop of cards; restart restarts a running one.
void MainStartMenuCardAnim(bool restart);
// The in-game Menu button: shown at once or fading in, and its drawing (a
// celebration shows it over the flying cards).
void MainMenuButtonShow(bool atOnce);
void MainDrawMenuButton();
// True when the four-colour deck option is on and the current game allows it.
bool MainIsFourColorDeckNeededCB();
// Starts a foundation effect at a table position (x, y, z) with a scale
// (x, y, z; null for 1, 1, 1). Both arrays are read at once, not kept.
void FoundationEffectsAdd(const float* position, const float* scale);
