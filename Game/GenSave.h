// GenSave.h - saved games and game pictures.
//
// A game in progress is saved when the player leaves it and offered again
// when the same player starts the same variant. Two files per player and
// variant in the per-user folder "SavedGames":
//   "<player>_<game>.c3o"  the resumable game: the float 4.3 (plain), then
//                          the 4,070,740-byte game record image enciphered
//                          (16-byte counter block first): 4,070,760 bytes
//   "<player>_<game>.c3m"  a picture of the table for the game screens:
//                          2,188,092 plain bytes (SaveCardDetailsCompact)
// The folder "Layouts" holds the stock picture of each variant,
// "<game>.c3m".
//
// Both files are written to a temporary file and renamed over the old ones,
// so a failed save never costs the previous one; the folder is synced after
// each rename. A save killed between the two renames leaves a new game
// beside an old picture: the preview's reader tells them apart. A read trusts nothing: the
// deciphered record has no checksum, so a resume checks the file's size and
// version, every count, code, suit, rank and float of the record, and that
// it is a game of the variant as its set-up makes it, before anything of the
// live game changes. A file that fails is kept aside with its picture (see
// GenResumeSavedGame), never deleted while it can be moved.
#pragma once

#include <cstdint>

#include "Game/CardGroup.h"

constexpr float kGenSaveVersion = 4.3f;
constexpr int kGenSaveFileSize = 4 + 16 + 4070740;
constexpr int kGenPictureFileSize = 2188092;
constexpr int kGenPicturePiles = 133;  // deck, waste, 28 reserves, 12 foundations, 52 tableaus, 28 fans, 11 cells

// The game picture in memory: the eleven header values, then the piles in
// the game record's order, the deal plan and the deal group.
struct SaveCardDetails {
  uint8_t deckInUse, wasteInUse, reservesInUse;
  int32_t deckSize;
  int32_t numFoundations, numCells, numTableaus, numFans, numReserves;
  int32_t lowestRank;
  int32_t variantWords[2];
  int32_t emptySpacePicture;
  CardGroup piles[kGenPicturePiles];
  int32_t dealPlan[156];
  uint8_t dealFaceMode, dealFirstToFoundation;
  CardGroup dealGroup;
};

// The picture file's bytes.
struct SaveCardDetailsCompact {
  uint8_t bytes[kGenPictureFileSize];
};

// The one picture in each form (whole run).
SaveCardDetails& GenGetSaveCardDetails();
SaveCardDetailsCompact& GenGetSaveCardDetailsCompact();
// Converts the picture between its forms; false with "%d errors" (the piles
// that failed) under the function's name.
bool GenFillSaveCardDetailsCompactFromSaveCardDetails();
bool GenFillSaveCardDetailsFromSaveCardDetailsCompact();

// The path of the current player's saved game (mode 0, ".c3o"), its picture
// (mode 1, ".c3m") or the current game's stock picture (mode 2). Null, with
// a report, when the current game number names no game, when no player is
// loaded (modes 0, 1), the player's name is not
// usable in a file name ('/', '\\', "..", control characters) or the path
// would not fit. The result is a shared buffer.
const char* GenGetSaveFilename(int mode);

// Saves the current game (see GenSave.cpp); true when it was saved or there
// was nothing to save. False, with the last saved game kept, when the live
// record is no game in play (GenSaveCheckGameInPlay) or a write failed.
bool GenSaveCurrentGame();
// Loads the saved game into the live record; true on success. On failure
// "Could not load saved game <%s>", the live game as it was, and both files
// set aside: moved to the first free pair of names "<file>.damaged",
// "<file>.damaged-2", ... beside them (deleted only when they cannot be
// moved), logged with the reason, and a notice left for the player
// (GenTakeSavedGameNotice). A missing file is no error (false, nothing
// reported).
bool GenResumeSavedGame();
// The ".c3o" file exists, is 4,070,760 bytes and starts with 4.3; a file
// that exists but fails is set aside with its picture as above.
bool GenSavedGameExists();
// The notice of the last saved game set aside, taken once: the game's number
// and the name it is kept under beside the saved games ("" when it had to be
// deleted). False when there is none.
bool GenTakeSavedGameNotice(int* game, char* keptAs, int size);
// True while such a notice waits to be taken.
bool GenHasSavedGameNotice();
// The saved game's deal number, 0 when there is none or it cannot be read.
uint32_t GenGetSavedGameDealNumber();
// Reads the current player's picture of the current game (".c3m") into the
// picture (GenGetSaveCardDetails) for the game page's preview. True only
// when the file is exactly a picture, passes the picture's checks and shows
// the table of the saved game beside it (".c3o"): the same counts, piles
// and cards. A picture that does not (another game or deal, or the picture
// of an earlier save when a save was killed between its two renames) counts
// as missing, as does a picture without a readable saved game; nothing is
// reported for a missing file.
bool GenReadSavedGamePicture();
// Makes the current game's stock picture ("Layouts"): deals deal number
// deal into the live record, lands every card at once, writes the table's
// picture through a temporary file, then resets the record (GenInit) and
// marks no game in progress, with the first-game offer as it was. The
// player's saved game, picture and statistics are not touched. False when
// the picture could not be written (reported).
bool GenMakeStockPicture(unsigned deal);
// Deletes the current game's ".c3o" and ".c3m" where they exist.
void GenDeleteSavedGame();
// The same for all 84 games of the current player.
void GenDeleteAllSavedGames();
