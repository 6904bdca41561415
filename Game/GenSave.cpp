// GenSave.cpp - saving, resuming and deleting the saved game, and its file
// names (see GenSave.h). The picture conversions are in GenSavePicture.cpp,
// the checks of a loaded record in GenSaveCheck.cpp.
//
// Save:
//   1. a game number outside 0-83 is refused;
//   2. a celebration running or a game over: the saved files go, true;
//   3. the selection is cancelled and the running moves are finished (a
//      bounded number of frames without the start delay, then every card
//      still moving is landed at once); a game won meanwhile: files go, true;
//      a record that is no game in play (reset for another use, or with a
//      card lost or doubled) is refused and the last saved game kept;
//   4. ".c3o": 4.3, then the enciphered record, through a temporary file;
//   5. ".c3m": the picture, through a temporary file.
// Each file is renamed into place and its folder synced; a kill between the
// two renames leaves the new game beside the old picture, which the
// preview's reader (GenReadSavedGamePicture) then counts as missing.
// Resume:
//   1. a game number outside 0-83 is refused;
//   2. the file must exist (else false, silently), be exactly 4,070,760
//      bytes and start with 4.3; it is deciphered into the load scratch and
//      checked (GenSaveCheckLoadedGame);
//   3. only then the live game is replaced and starts a new undo history.
// A saved game that is refused is not deleted: it is moved aside with its
// picture under names of their own ("<file>.damaged", "-2", ...), logged,
// and a notice waits for the shell to tell the player.
#include "Game/GenSave.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "Engine/Debug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngProgram.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/GameImports.h"
#include "Game/Gen.h"
#include "Game/GenBytes.h"
#include "Game/GenCopy.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenImage.h"
#include "Game/GenRecord.h"
#include "Game/GenSaveLocal.h"
#include "Game/GenSelection.h"
#include "Game/GenSelectionLocal.h"
#include "Game/GenUndo.h"
#include "Game/SolCards.h"
#include "Game/UserRecord.h"

namespace {

constexpr int kPathSize = 1024;
// Frames a save lets the running moves play before landing them at once.
constexpr int kSaveTickFrames = 600;
constexpr int kSaveLandRounds = 1000;

char g_fileName[kPathSize];  // the shared file-name buffer

constexpr char kSetAsideTag[] = ".damaged";
constexpr int kMostSetAside = 999;

// The last saved game set aside, until the shell tells the player (reset
// when taken).
struct SavedGameNotice {
  bool pending = false;
  int game = 0;
  char keptAs[kPathSize] = "";
};
SavedGameNotice g_notice;

// The file's name for a mode of the current game, copied (the shared buffer
// is overwritten by the next call).
bool NameOf(int mode, char* out) {
  const char* name = GenGetSaveFilename(mode);
  if (!name) return false;
  std::snprintf(out, kPathSize, "%s", name);
  return true;
}

// The current game's saved game and picture names (copied).
bool NamesOf(char* gameName, char* pictureName) {
  return NameOf(0, gameName) && NameOf(1, pictureName);
}

// The current game number names a game; else "Invalid cur game num %d"
// under where.
bool CurGameOk(const char* where) {
  const int game = GenGetCurGame();
  if (game >= 0 && game < kGenNumGames) return true;
  DebugError(where, "Invalid cur game num %d", game);
  return false;
}

void DeleteIfExists(const char* name) {
  if (EngFileExists(name)) EngFileDelete(name);
}

// Lets the running moves play out: frames without the start delay, then
// every card still moving lands at once. Stops early when a celebration
// starts.
void FinishRunningMoves() {
  for (int frame = 0; frame < kSaveTickFrames && AnimIsAnimating(); ++frame) {
    if (AnimGameOverIsRunning()) return;
    AnimClearStartDelay();
    AnimTick();
  }
  for (int round = 0; round < kSaveLandRounds && AnimIsAnimating(); ++round) {
    if (AnimGameOverIsRunning()) return;
    GenSelEndAllAnimations();
  }
}

// Opens a saved game and reads its plain version: true when the file has
// exactly a saved game's size and its version is 4.3, the file then open
// at the enciphered record.
bool OpenSavedGame(const char* name, EngFile& file) {
  if (EngFileGetFileSize(name, false) != kGenSaveFileSize) return false;
  uint8_t version[4];
  return file.OpenForReading(name, false) && file.Read(version, sizeof version) &&
         GenGetF32(version, 0) == kGenSaveVersion;
}

// Reads and deciphers a saved game's record image (kGenImageSize bytes);
// false for a file that is not a whole saved game of this version.
bool ReadSavedImage(const char* name, uint8_t* image) {
  EngFile file;
  return OpenSavedGame(name, file) &&
         EngEncryptionReadFromOpenFileAndDecrypt(&file, image, kGenImageSize);
}

// The n-th name (from 1) beside a file for a copy that cannot be read:
// "<file>.damaged", then "<file>.damaged-2", "<file>.damaged-3", ...
bool SetAsideName(const char* name, int n, char* out) {
  const int written = n == 1 ? std::snprintf(out, kPathSize, "%s%s", name, kSetAsideTag)
                             : std::snprintf(out, kPathSize, "%s%s-%d", name, kSetAsideTag, n);
  return written > 0 && written < kPathSize;
}

// The part of a path after its last folder separator.
const char* BaseName(const char* path) {
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') base = p + 1;
  }
  return base;
}

// Keeps a saved game that cannot be read, with its picture, under the first
// pair of free names beside them, so that an earlier damaged pair is never
// overwritten and nothing of the player's is thrown away. Only when they
// cannot be moved are they deleted (they would be refused at every start).
// Either way it is reported under where with the reason, and the player is
// told once (GenTakeSavedGameNotice).
void SetAside(const char* where, const char* gameName, const char* pictureName, const char* why) {
  char gameAside[kPathSize] = "", pictureAside[kPathSize] = "";
  bool named = false;
  for (int n = 1; n <= kMostSetAside && !named; ++n) {
    named = SetAsideName(gameName, n, gameAside) && SetAsideName(pictureName, n, pictureAside) &&
            !EngFileExists(gameAside) && !EngFileExists(pictureAside);
  }
  const bool moved = named && EngFileMoveFile(gameName, gameAside);
  if (moved) {
    DebugError(where, "Saved game <%s> cannot be used (%s): kept as <%s>", gameName, why, gameAside);
    if (EngFileExists(pictureName) && !EngFileMoveFile(pictureName, pictureAside)) {
      EngFileDelete(pictureName);
    }
  } else {
    DebugError(where, "Saved game <%s> cannot be used (%s) and could not be kept: deleted", gameName, why);
    if (EngFileExists(gameName)) EngFileDelete(gameName);
    DeleteIfExists(pictureName);
  }
  g_notice.pending = true;
  g_notice.game = GenGetCurGame();
  std::snprintf(g_notice.keptAs, sizeof g_notice.keptAs, "%s", moved ? BaseName(gameAside) : "");
}

bool WritePicture(const char* name) {
  GenFillSaveCardDetailsFromGame();
  if (!GenFillSaveCardDetailsCompactFromSaveCardDetails()) return false;
  SaveCardDetailsCompact& compact = GenGetSaveCardDetailsCompact();
  return EngFileWriteReplacing(name, compact.bytes, sizeof compact.bytes);
}

}  // namespace

const char* GenGetSaveFilename(int mode) {
  const char* where = "GenGetSaveFilename";
  // A bad game number would name the files "XXX": no such name may reach a
  // write or a delete.
  if (!CurGameOk(where)) return nullptr;
  const char* game = GenGetGameFilename(-1);
  int n;
  if (mode == 0 || mode == 1) {
    if (!g_GameImports.UserIsLoaded()) {
      DebugError(where, "No player loaded");
      return nullptr;
    }
    const char* player = g_UserRecord.name;
    if (!EngFileIsSafeName(player) || std::strlen(player) > static_cast<size_t>(kUserMaxNameLength)) {
      DebugError(where, "Invalid player name");
      return nullptr;
    }
    n = std::snprintf(g_fileName, sizeof g_fileName, "%s%s%s_%s%s",
                      g_GameImports.PrefFolderGetSubFolder("SavedGames"), "\\", player, game,
                      mode == 0 ? ".c3o" : ".c3m");
  } else if (mode == 2) {
    n = std::snprintf(g_fileName, sizeof g_fileName, "%s%s%s.c3m",
                      g_GameImports.PrefFolderGetSubFolder("Layouts"), "\\", game);
  } else {
    DebugError(where, "Invalid mode %d", mode);
    return nullptr;
  }
  if (n < 0 || n >= static_cast<int>(sizeof g_fileName)) {
    DebugError(where, "File name too long");
    g_fileName[0] = '\0';
    return nullptr;
  }
  return g_fileName;
}

bool GenSaveCurrentGame() {
  const char* where = "GenSaveCurrentGame";
  if (!CurGameOk(where)) return false;
  Gen& g = g_GenLive;
  if (AnimGameOverIsRunning() || g.gameOver) {
    GenDeleteSavedGame();
    return true;
  }
  GenCancelSelection();
  GenSetFinishing(true);
  FinishRunningMoves();
  GenSetFinishing(false);
  if (g.gameOver) {
    GenDeleteSavedGame();
    return true;
  }
  char gameName[kPathSize], pictureName[kPathSize];
  if (!NamesOf(gameName, pictureName)) return false;
  // Never a record that is no game in play over the last good save.
  if (!GenSaveCheckGameInPlay(g)) return false;

  g.version = kGenSaveVersion;
  std::unique_ptr<uint8_t[]> image(new uint8_t[kGenImageSize]);
  GenWriteImage(g, image.get());
  unsigned char* ciphered = EngEncryptionEncrypt(image.get(), kGenImageSize);
  if (!ciphered) {
    DebugError(where, "Problem writing game to file <%s>", gameName);
    return false;
  }
  std::unique_ptr<uint8_t[]> file(new uint8_t[kGenSaveFileSize]);
  GenPutF32(file.get(), 0, kGenSaveVersion);
  std::memcpy(file.get() + 4, ciphered, kGenImageSize + kEngEncryptionCounterSize);
  std::free(ciphered);
  if (!EngFileWriteReplacing(gameName, file.get(), kGenSaveFileSize)) {
    DebugError(where, "Could not create file <%s>", gameName);
    return false;
  }
  if (!WritePicture(pictureName)) {
    DebugError(where, "Could not create file <%s>", pictureName);
    return false;
  }
  return true;
}

bool GenSavedGameExists() {
  char gameName[kPathSize], pictureName[kPathSize];
  if (!NamesOf(gameName, pictureName)) return false;
  if (!EngFileExists(gameName)) return false;
  bool ok;
  {
    EngFile file;
    ok = OpenSavedGame(gameName, file);
  }
  if (!ok) SetAside("GenSavedGameExists", gameName, pictureName, "wrong size or version");
  return ok;
}

bool GenResumeSavedGame() {
  const char* where = "GenResumeSavedGame";
  if (!CurGameOk(where)) return false;
  char gameName[kPathSize], pictureName[kPathSize];
  if (!NamesOf(gameName, pictureName)) return false;
  if (!EngFileExists(gameName)) return false;

  auto fail = [&]() {
    DebugError(where, "Could not load saved game <%s>", gameName);
    SetAside(where, gameName, pictureName, "refused");
    return false;
  };
  std::unique_ptr<uint8_t[]> image(new uint8_t[kGenImageSize]);
  if (!ReadSavedImage(gameName, image.get()) || !GenResumeFromImage(image.get())) return fail();
  return true;
}

bool GenResumeFromImage(const uint8_t* image) {
  if (!GenReadImage(GenLoadScratch(), image) || !GenSaveCheckLoadedGame(GenLoadScratch())) {
    return false;
  }
  // The load is sound: replace the live game.
  AnimCancelAll();
  GenCancelSelection();
  Gen& g = g_GenLive;
  GenKeepEmptyTexturesOf(g, GenLoadScratch());
  g = GenLoadScratch();
  GenRelayOutAllPiles(g);
  SolCardsSetFoundationSpaceRank(g.lowestRank);
  SolCardsSetSpaceCustomPic(g.emptySpacePicture);
  GenSetCurrentHit(-1, -1);
  GenPrimeWorkingCopies();
  GenUndoReset();
  GenUndoRecordState();
  GenBuildPickupCandidates();
  GenClearHighlights();
  GenResetBestDropCandidate();
  GenSetGameInProgress(true);
  return true;
}

uint32_t GenGetSavedGameDealNumber() {
  char gameName[kPathSize];
  if (!NameOf(0, gameName) || !EngFileExists(gameName)) return 0;
  std::unique_ptr<uint8_t[]> image(new uint8_t[kGenImageSize]);
  if (!ReadSavedImage(gameName, image.get())) return 0;
  return GenGetU32(image.get(), 4);
}

bool GenReadSavedGamePicture() {
  char gameName[kPathSize], pictureName[kPathSize];
  if (!NamesOf(gameName, pictureName)) return false;
  if (!EngFileExists(pictureName) || !EngFileExists(gameName)) return false;
  SaveCardDetailsCompact& compact = GenGetSaveCardDetailsCompact();
  if (!EngFileOpenReadAndClose(pictureName, false, compact.bytes, sizeof compact.bytes) ||
      !GenFillSaveCardDetailsFromSaveCardDetailsCompact()) {
    return false;
  }
  // The saved game the picture should show, read aside: the live game and
  // its working copies stay untouched.
  std::unique_ptr<uint8_t[]> image(new (std::nothrow) uint8_t[kGenImageSize]);
  std::unique_ptr<Gen> saved(new (std::nothrow) Gen);
  if (!image || !saved) return false;
  return ReadSavedImage(gameName, image.get()) && GenReadImage(*saved, image.get()) &&
         GenPictureShowsGame(GenGetSaveCardDetails(), *saved);
}

bool GenMakeStockPicture(unsigned deal) {
  const char* where = "GenMakeStockPicture";
  char pictureName[kPathSize];
  if (!CurGameOk(where) || !NameOf(2, pictureName)) return false;
  const bool offerPending = GenIsFirstGameOfferPending();
  GenNewGameWithNumber(deal, true);
  // Every card lands at once, also those autoplay sends on after the deal.
  for (int round = 0; round < kSaveLandRounds && AnimIsAnimating(); ++round) {
    AnimClearStartDelay();
    GenSelEndAllAnimations();
  }
  const bool written = WritePicture(pictureName);
  if (!written) DebugError(where, "Could not create file <%s>", pictureName);
  GenInit();
  GenSetGameInProgress(false);
  GenSetFirstGameOfferPending(offerPending);
  return written;
}

bool GenHasSavedGameNotice() { return g_notice.pending; }

bool GenTakeSavedGameNotice(int* game, char* keptAs, int size) {
  if (!g_notice.pending) return false;
  g_notice.pending = false;
  if (game) *game = g_notice.game;
  if (keptAs && size > 0) std::snprintf(keptAs, static_cast<size_t>(size), "%s", g_notice.keptAs);
  return true;
}

void GenDeleteSavedGame() {
  char name[kPathSize];
  if (NameOf(0, name)) DeleteIfExists(name);
  if (NameOf(1, name)) DeleteIfExists(name);
}

void GenDeleteAllSavedGames() {
  const int current = GenGetCurGame();
  for (int game = 0; game < kGenNumGames; ++game) {
    GenSetCurGame(game);
    GenDeleteSavedGame();
  }
  GenSetCurGame(current);
}
