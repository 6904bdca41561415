// GameImports.h - the import table of the card game core: every call the
// rules, the animations and the card data make in the layers above them,
// in one place.
//
// The card core never includes a header from above nor links against a
// library above it. It keeps this table of slots (Engine/EngImport.h) and
// calls through it (g_GameImports.SoundPlaySample(kSoundDrop)); the player
// data fills every slot at start (AppFillGameImports, App/AppGameImports.h,
// called by the program entry), and the card core's tests fill it with a
// stand-in (tests/Support/GameImportsStandIn). Assigning a function of another
// signature to a slot fails to compile. The program's shell (Shell/) calls
// the layers below it directly and takes nothing from here.
//
// Grouped by service: the player, per-user folders and settings, score and
// statistics, sound and music, the main menu's backdrop and Menu button,
// the foundation effects.
//
// State: the table g_GameImports, filled at start and kept for the run.
#pragma once

#include "Engine/EngImport.h"

// The current player's profile and per-game block (g_UserRecord,
// g_UserOptions) are in Game/UserRecord.h and Game/UserOptions.h.

// Listing one folder's entries: a filter says which names to keep.
using DirListFilterCB = bool (*)(int acceptedSoFar, const char* name, const char* folder);

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

// Samples the move handler plays when cards are lifted or put down.
constexpr int kSoundPickup = 5;   // card pick-up 1 (5-9)
constexpr int kSoundDrop = 0;     // card drop 1 (0-4)

struct GameImports {
  // ---- The player --------------------------------------------------------------

  // Whether a player is loaded; the per-player file names (saved games,
  // pictures) need one.
  EngImport<bool()> UserIsLoaded{"UserIsLoaded"};

  // ---- Per-user folders and settings ------------------------------------------

  // The per-user folder, "\\" and the name, created when missing; on a bad
  // name (128 characters or more) or a failure, the main per-user folder.
  // ("SavedGames", "Layouts".) The text lives until the next call.
  EngImport<const char*(const char* name)> PrefFolderGetSubFolder{"PrefFolderGetSubFolder"};
  // The documents folder, the sub-folder and the sub-sub-folder, both created
  // when create is set ("Quarnix", "Card Decks" for the player's decks).
  EngImport<const char*(const char* subFolder, const char* subSubFolder, bool create)>
      PrefFolderGetMyDocsSubSubFolder{"PrefFolderGetMyDocsSubSubFolder"};
  // Listing one folder's entries (the decks' and boards' folders): open,
  // prepare, the next name until "", the name's full path, clean up, close.
  EngImport<bool(const char* path, DirListFilterCB filter)> DirListOpenDir{"DirListOpenDir"};
  EngImport<bool()> DirListPrepareToGetFilenamesInDir{"DirListPrepareToGetFilenamesInDir"};
  EngImport<const char*()> DirListGetNextFilenameInDir{"DirListGetNextFilenameInDir"};
  EngImport<const char*(const char* name)> DirListGetFilenameWithPath{"DirListGetFilenameWithPath"};
  EngImport<void()> DirListCleanupAfterGettingFilenamesInDir{
      "DirListCleanupAfterGettingFilenamesInDir"};
  EngImport<void()> DirListCloseDir{"DirListCloseDir"};
  // The display settings the card core reads.
  EngImport<void(GameDisplaySettings* settings)> ResolutionGetForGame{"ResolutionGetForGame"};

  // ---- Score and statistics ---------------------------------------------------

  // Recomputes the current game's score and its text.
  EngImport<void()> ScoreUpdateCurrentScore{"ScoreUpdateCurrentScore"};
  // Sets the current game's running score to 0 and recomputes it (a new game
  // dealt by the New command).
  EngImport<void()> ScoreResetCurrentScore{"ScoreResetCurrentScore"};
  // The current score as decimal digits (filled by the score update).
  EngImport<const char*()> ScoreGetScoreText{"ScoreGetScoreText"};
  // Appends the finished game to the player's statistics: won (1) or not, and
  // the counting flag (a lost game counts only after 8 moves). Called with
  // (1, 0) for a won game and (0, 1) for a game abandoned for a new one.
  EngImport<void(int won, int counting)> StatsAddCurrentGame{"StatsAddCurrentGame"};

  // ---- Sound and music --------------------------------------------------------

  // Plays sample 0-27 when sound is on.
  EngImport<void(int sample)> SoundPlaySample{"SoundPlaySample"};
  // Plays the foundation sound of a rank (1-13).
  EngImport<void(int rank)> SoundPlayFoundationSound{"SoundPlayFoundationSound"};
  // Starts the music when sound and music are on and it is not playing (a won
  // game).
  EngImport<void()> SoundStartMusic{"SoundStartMusic"};
  // Stops the music if it is playing (a celebration ends).
  EngImport<void()> SoundStopMusic{"SoundStopMusic"};

  // ---- Main menu, Menu button and effects ----------------------------------------

  // The main menu's backdrop of cards; restart restarts a running one.
  EngImport<void(bool restart)> MainStartMenuCardAnim{"MainStartMenuCardAnim"};
  // The in-game Menu button: shown at once or fading in, and its drawing (a
  // celebration shows it over the flying cards).
  EngImport<void(bool atOnce)> MainMenuButtonShow{"MainMenuButtonShow"};
  EngImport<void()> MainDrawMenuButton{"MainDrawMenuButton"};
  // Starts a foundation effect at a table position (x, y, z) with a scale
  // (x, y, z; null for 1, 1, 1). Both arrays are read at once, not kept.
  EngImport<void(const float* position, const float* scale)> FoundationEffectsAdd{
      "FoundationEffectsAdd"};
};

extern GameImports g_GameImports;

// Fills every slot with the function of the slot's own name as seen where
// the macro is used: the player data (AppFillGameImports) and the tests'
// stand-in each fill the table from this one list.
#define GAME_IMPORTS_FILL_BY_NAME(table) \
  do { \
    GameImports& t_ = (table); \
    t_.UserIsLoaded = UserIsLoaded; \
    t_.PrefFolderGetSubFolder = PrefFolderGetSubFolder; \
    t_.PrefFolderGetMyDocsSubSubFolder = PrefFolderGetMyDocsSubSubFolder; \
    t_.DirListOpenDir = DirListOpenDir; \
    t_.DirListPrepareToGetFilenamesInDir = DirListPrepareToGetFilenamesInDir; \
    t_.DirListGetNextFilenameInDir = DirListGetNextFilenameInDir; \
    t_.DirListGetFilenameWithPath = DirListGetFilenameWithPath; \
    t_.DirListCleanupAfterGettingFilenamesInDir = DirListCleanupAfterGettingFilenamesInDir; \
    t_.DirListCloseDir = DirListCloseDir; \
    t_.ResolutionGetForGame = ResolutionGetForGame; \
    t_.ScoreUpdateCurrentScore = ScoreUpdateCurrentScore; \
    t_.ScoreResetCurrentScore = ScoreResetCurrentScore; \
    t_.ScoreGetScoreText = ScoreGetScoreText; \
    t_.StatsAddCurrentGame = StatsAddCurrentGame; \
    t_.SoundPlaySample = SoundPlaySample; \
    t_.SoundPlayFoundationSound = SoundPlayFoundationSound; \
    t_.SoundStartMusic = SoundStartMusic; \
    t_.SoundStopMusic = SoundStopMusic; \
    t_.MainStartMenuCardAnim = MainStartMenuCardAnim; \
    t_.MainMenuButtonShow = MainMenuButtonShow; \
    t_.MainDrawMenuButton = MainDrawMenuButton; \
    t_.FoundationEffectsAdd = FoundationEffectsAdd; \
  } while (false)
