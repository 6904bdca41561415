// Score.cpp - the score tables (see Score.h).
#include "App/Score.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "App/AppImports.h"
#include "App/DamagedFile.h"
#include "App/PrefFolder.h"
#include "App/RecordBlocks.h"
#include "App/User.h"
#include "App/WriteFailure.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMath.h"
#include "Engine/EngMisc.h"
#include "Game/GameTime.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

namespace {

struct Table {
  ScoreEntry rows[kScoreMaxEntries];
  int count = 0;
  int lastAdded = -1;
};
Table g_table;
char g_fileName[1024] = {};

bool IsGame(int game) { return game >= 0 && game < kGenNumGames; }

// The table path of a game into the file-name text; null for a bad number.
const char* FilenameOf(int game) {
  if (!IsGame(game)) {
    DebugError("ScoreGetFilename", "Invalid game num %d", game);
    return nullptr;
  }
  std::snprintf(g_fileName, sizeof g_fileName, "%s%s%s.sco", PrefFolderGetSubFolder("Scores"), "\\",
                GenGetGameFilename(game));
  return g_fileName;
}

void Sort() {
  std::sort(g_table.rows, g_table.rows + g_table.count, ScoreCompareEntries);
}

void ClearNewFlags() {
  for (ScoreEntry& row : g_table.rows) row.newEntry = 0;
}

// A text field of a record: 1 to maxLength characters before a terminator
// inside the field.
bool CopyText(const std::uint8_t* field, std::size_t fieldSize, std::size_t maxLength, char* out) {
  const std::size_t length = strnlen(reinterpret_cast<const char*>(field), fieldSize);
  if (length == 0 || length > maxLength || length >= fieldSize) return false;
  std::memcpy(out, field, length);
  std::memset(out + length, 0, fieldSize - length);
  return true;
}

bool HeaderMatches(const std::uint8_t* header, int game) {
  const float version = EngMathTruncateFloat(GenGetF32(header, 0), 3);
  if (version != EngMathTruncateFloat(kScoreFileVersion, 3)) return false;
  char name[65] = {};
  std::memcpy(name, header + 4, 64);
  return std::strcmp(name, GenGetGameFilename(game)) == 0;
}

bool WriteTable(int game);

// The game's name as the player knows it (the internal name without a
// language).
const char* GameName(int game) {
  const char* name = EngLanguagesGetString("Game_GameList", game);
  return name && *name ? name : GenGetGameFilename(game);
}

// What a read of a game's table found.
enum class TableRead {
  kNone,        // no file: an empty table
  kRead,        // the file's rows that read are the table
  kUnreadable,  // a file (or a folder) is there that cannot be read: it must not be written over
  kNotKept,     // a damaged file that could not be kept aside: its rows that read are the table
                // shown, but nothing may be written over it
};

// A table that cannot be read stays as it is; the player hears of it once.
TableRead Unreadable(int game, const char* path) {
  const std::string table = path;
  DebugError("ScoreReadCurrentGameScores", "Score file cannot be read: left as it is <%s>", table.c_str());
  DamagedFileNotifyTextOnce(table.c_str(), "Damaged_ScoresUnreadable", GameName(game),
                            DamagedFileBaseName(table.c_str()));
  g_table.count = 0;
  return TableRead::kUnreadable;
}

// A damaged table that could not be kept aside stays as it is, its rows
// that read shown but none entered; the player hears of it once in a run.
TableRead NotKept(int game, const char* path) {
  const std::string table = path;
  if (DamagedFileNotifyTextOnce(table.c_str(), "Damaged_ScoresNotKept", GameName(game),
                                DamagedFileBaseName(table.c_str()))) {
    DebugError("ScoreReadCurrentGameScores", "Damaged score file not kept aside: left as it is, %d rows shown <%s>",
               g_table.count, table.c_str());
  }
  return TableRead::kNotKept;
}

// A table file that holds more than its rows that read (a header that is
// not this game's table, a row that does not hold, a cut row at its end):
// the file is kept aside before anything writes over it, the rows read are
// written back under a good header (with no row read, the file is only
// moved aside), and the player is told. A file that cannot be kept aside
// is left as it is (NotKept).
TableRead MendTable(int game, const char* path) {
  const std::string table = path;
  const char* aside = g_table.count > 0 ? DamagedFileCopyAside(table.c_str()) : DamagedFileMoveAside(table.c_str());
  if (!aside) return NotKept(game, table.c_str());
  const std::string asideName = DamagedFileBaseName(aside);
  if (g_table.count > 0) {
    const int lastAdded = g_table.lastAdded;
    if (!WriteTable(game)) return TableRead::kRead;
    g_table.lastAdded = lastAdded;
  }
  DebugError("ScoreReadCurrentGameScores", "Score file mended: %d rows kept <%s>", g_table.count, table.c_str());
  DamagedFileNotifyText("Damaged_Scores", GameName(game), asideName.c_str());
  return TableRead::kRead;
}

// Loads a game's table. An entry that cannot be trusted is skipped and the
// rest kept; a short tail ends the reading. A file with either, or with a
// header that is not this game's table, is mended (MendTable) with the
// rows that read.
TableRead ReadTable(int game) {
  const char* where = "ScoreReadCurrentGameScores";
  g_table.count = 0;
  const char* path = FilenameOf(game);
  if (!path) return TableRead::kNone;
  if (EngFileDirectoryExists(path)) return Unreadable(game, path);
  if (!EngFileExists(path)) return TableRead::kNone;
  std::vector<std::uint8_t> bytes;
  if (!RecordBlockReadFile(where, path, &bytes)) return Unreadable(game, path);

  std::uint8_t header[kScoreHeaderSize];
  bool headerGood = false;
  if (bytes.size() >= kScoreHeaderBlockSize) {
    if (!RecordBlockDecipher(bytes.data(), kScoreHeaderSize, header)) return Unreadable(game, path);
    headerGood = HeaderMatches(header, game);
  }
  if (!headerGood) DebugError(where, "Score file invalid <%s>", path);
  bool rowsDropped = false;
  std::size_t offset = kScoreHeaderBlockSize;
  for (; offset + kScoreEntryBlockSize <= bytes.size(); offset += kScoreEntryBlockSize) {
    std::uint8_t plain[kScoreEntrySize];
    if (!RecordBlockDecipher(bytes.data() + offset, kScoreEntrySize, plain)) {
      DebugError(where, "Score file invalid line <%s>", path);
      return Unreadable(game, path);
    }
    ScoreEntry entry;
    if (!ScoreEntryFromBytes(plain, &entry)) {
      DebugError(where, "Invalid score entry <%s>", path);
      rowsDropped = true;
      continue;
    }
    if (g_table.count < kScoreMaxEntries) {
      // The slot keeps its new-entry flag: the file does not hold one.
      entry.newEntry = g_table.rows[g_table.count].newEntry;
      g_table.rows[g_table.count++] = entry;
    }
  }
  if (offset < bytes.size()) {
    DebugError(where, "Score file has a short tail <%s>", path);
    rowsDropped = true;
  }
  if (g_table.count > 0) Sort();
  if (!headerGood || rowsDropped) return MendTable(game, path);
  return TableRead::kRead;
}

// Sorts, sets the newest row and replaces a game's file with the table.
bool WriteTable(int game) {
  const char* where = "ScoreWriteToFile";
  Sort();
  g_table.lastAdded = -1;
  for (int i = 0; i < g_table.count; ++i) {
    if (g_table.rows[i].newEntry) g_table.lastAdded = i;
  }
  const char* path = FilenameOf(game);
  if (!path) return false;

  RecordBlockImage image;
  std::uint8_t header[kScoreHeaderSize] = {};
  GenPutF32(header, 0, kScoreFileVersion);
  std::snprintf(reinterpret_cast<char*>(header + 4), 64, "%s", GenGetGameFilename(game));
  if (!image.AppendEnciphered(header, sizeof header)) {
    DebugError(where, "Could not write version to file <%s>", path);
    return false;
  }
  for (int i = 0; i < g_table.count; ++i) {
    std::uint8_t plain[kScoreEntrySize];
    ScoreEntryToBytes(g_table.rows[i], plain);
    if (!image.AppendEnciphered(plain, sizeof plain)) {
      DebugError(where, "Could not write line to file <%s>", path);
      return false;
    }
  }
  if (!image.WriteReplacing(path)) {
    DebugError(where, "Could not write file <%s>", path);
    WriteFailureNotify(WriteFailureKind::kScore, GameName(game));
    return false;
  }
  return true;
}

// After a failed write the table is the file's again: no row shows as
// entered that the file does not hold.
void WriteTableOrReread(int game) {
  if (WriteTable(game)) return;
  ClearNewFlags();
  ReadTable(game);
  g_table.lastAdded = -1;
}

bool IsCurrentPlayers(const ScoreEntry& entry) {
  return std::strcmp(entry.name, g_UserRecord.name) == 0 &&
         std::strcmp(entry.country, g_UserRecord.country) == 0;
}

// Removes the current player's rows that match from a game's table and
// writes it back, when its file holds a row.
template <typename Match>
void RemovePlayersRows(int game, Match match) {
  if (ReadTable(game) != TableRead::kRead || g_table.count < 1) return;
  int kept = 0;
  for (int i = 0; i < g_table.count; ++i) {
    if (IsCurrentPlayers(g_table.rows[i]) && match(g_table.rows[i])) continue;
    g_table.rows[kept++] = g_table.rows[i];
  }
  for (int i = kept; i < g_table.count; ++i) g_table.rows[i] = ScoreEntry{};
  g_table.count = kept;
  WriteTableOrReread(game);
}

}  // namespace

// ---- The table ------------------------------------------------------------------

int ScoreGetEntryCount() { return g_table.count; }

const ScoreEntry& ScoreGetEntry(int index) {
  static const ScoreEntry kNone;
  return index >= 0 && index < g_table.count ? g_table.rows[index] : kNone;
}

int ScoreGetLastAddedIndex() { return g_table.lastAdded; }
void ScoreResetLastAdded() { g_table.lastAdded = -1; }

const char* ScoreGetFilename() { return FilenameOf(GenGetCurGame()); }
void ScoreReadCurrentGameScores() { ReadTable(GenGetCurGame()); }
bool ScoreWriteToFile() { return WriteTable(GenGetCurGame()); }

void ScoreAddGameScore() {
  const char* where = "ScoreAddGameScore";
  g_table.lastAdded = -1;
  ClearNewFlags();
  if (!UserIsLoaded()) {
    DebugError(where, "User not loaded");
    return;
  }
  const int game = GenGetCurGame();
  if (!IsGame(game)) {
    DebugError(where, "Invalid game num %d", game);
    return;
  }
  const std::int32_t score = g_UserOptions.runningScore[game];
  if (score <= 0 || static_cast<std::uint32_t>(score) > kScoreHighest) return;

  const TableRead read = ReadTable(game);
  if (read == TableRead::kUnreadable) {
    DebugError(where, "Score not entered: the table cannot be read");
    return;
  }
  if (read == TableRead::kNotKept) {
    DebugError(where, "Score not entered: the damaged table could not be kept aside");
    return;
  }
  ClearNewFlags();
  int slot = g_table.count;
  if (g_table.count >= kScoreMaxEntries) {
    std::uint32_t lowest = g_table.rows[0].score;
    for (int i = 0; i < g_table.count; ++i) lowest = std::min(lowest, g_table.rows[i].score);
    if (static_cast<std::uint32_t>(score) < lowest) return;
    slot = kScoreMaxEntries - 1;
  } else {
    ++g_table.count;
  }

  ScoreEntry entry;
  EngMiscDate today{};
  EngMiscGetLocalDate(&today);
  entry.year = today.year;
  entry.month = today.month;
  entry.day = today.day;
  entry.score = static_cast<std::uint32_t>(score);
  GameTimeUpdate(true);
  entry.playTime = static_cast<std::uint32_t>(std::max(0, g_UserOptions.elapsedSeconds[game]));
  entry.dealtByNumber = g_GenLive.dealtByNumber ? 1 : 0;
  entry.playerId = g_UserRecord.playerId;
  std::snprintf(entry.name, sizeof entry.name, "%s", g_UserRecord.name);
  std::snprintf(entry.country, sizeof entry.country, "%s", g_UserRecord.country);
  entry.newEntry = 1;
  g_table.rows[slot] = entry;
  WriteTableOrReread(game);
}

void ScoreAddWonGameScore() { ScoreAddGameScore(); }

void ScoreAddLostGameScore() {
  if (g_GenLive.moves >= kGenUndoPlayedMoves) ScoreAddGameScore();
}

void ScoreDeleteUserScoresForCurGame() {
  RemovePlayersRows(GenGetCurGame(), [](const ScoreEntry&) { return true; });
}

void ScoreDeleteUserScoresForAllGames() {
  for (int game = 0; game < kGenNumGames; ++game) {
    RemovePlayersRows(game, [](const ScoreEntry&) { return true; });
  }
}

void ScoreDeleteUserNumberedGameScoresCB(int answer) {
  if (answer != 1) return;
  RemovePlayersRows(GenGetCurGame(), [](const ScoreEntry& e) { return e.dealtByNumber != 0; });
  g_AppImports.ScoresControlStartingCB();
}

bool ScoreFindPlayersNewestRow(const char* name, ScoreEntry* row) {
  if (!name || !*name || !row) return false;
  bool found = false;
  auto newer = [](const ScoreEntry& a, const ScoreEntry& b) {
    if (a.year != b.year) return a.year > b.year;
    if (a.month != b.month) return a.month > b.month;
    return a.day > b.day;
  };
  for (int game = 0; game < kGenNumGames; ++game) {
    ReadTable(game);
    for (int i = 0; i < g_table.count; ++i) {
      const ScoreEntry& e = g_table.rows[i];
      if (std::strcmp(e.name, name) != 0 || (found && !newer(e, *row))) continue;
      *row = e;
      found = true;
    }
  }
  if (IsGame(GenGetCurGame())) ReadTable(GenGetCurGame());
  return found;
}

bool ScoreGetUsersBestScore(ScoreEntry* best) {
  if (!best || !UserIsLoaded()) return false;
  ReadTable(GenGetCurGame());
  const ScoreEntry* found = nullptr;
  for (int i = 0; i < g_table.count; ++i) {
    const ScoreEntry& e = g_table.rows[i];
    if (e.score > 0 && IsCurrentPlayers(e) && (!found || e.score > found->score)) found = &e;
  }
  if (!found) return false;
  *best = *found;
  return true;
}

// ---- Records -----------------------------------------------------------------------

void ScoreEntryToBytes(const ScoreEntry& entry, std::uint8_t bytes[kScoreEntrySize]) {
  std::memset(bytes, 0, kScoreEntrySize);
  GenPutU32(bytes, 0, entry.score);
  GenPutU8(bytes, 4, entry.reserved);
  GenPutU8(bytes, 5, entry.dealtByNumber);
  GenPutI32(bytes, 8, entry.year);
  GenPutU8(bytes, 12, static_cast<std::uint8_t>(entry.month));
  GenPutU8(bytes, 13, static_cast<std::uint8_t>(entry.day));
  GenPutU32(bytes, 16, entry.playTime);
  GenPutU32(bytes, 20, entry.playerId);
  std::memcpy(bytes + 24, entry.name, strnlen(entry.name, sizeof entry.name - 1));
  std::memcpy(bytes + 58, entry.country, strnlen(entry.country, sizeof entry.country - 1));
}

bool ScoreEntryFromBytes(const std::uint8_t bytes[kScoreEntrySize], ScoreEntry* entry) {
  ScoreEntry e;
  e.newEntry = entry->newEntry;
  e.score = GenGetU32(bytes, 0);
  e.reserved = GenGetU8(bytes, 4);
  e.dealtByNumber = GenGetU8(bytes, 5);
  e.year = GenGetI32(bytes, 8);
  e.month = GenGetU8(bytes, 12);
  e.day = GenGetU8(bytes, 13);
  e.playTime = GenGetU32(bytes, 16);
  e.playerId = GenGetU32(bytes, 20);
  if (e.reserved > 1 || e.year < 0 || e.month < 1 || e.month > 12 || e.day < 1 || e.day > 31) {
    return false;
  }
  if (!CopyText(bytes + 24, sizeof e.name, 32, e.name) ||
      !CopyText(bytes + 58, sizeof e.country, 64, e.country)) {
    return false;
  }
  *entry = e;
  return true;
}

bool ScoreCompareEntries(const ScoreEntry& a, const ScoreEntry& b) {
  if (a.score != b.score) return a.score > b.score;
  if (a.playTime != b.playTime) return a.playTime < b.playTime;
  return std::strcmp(a.name, b.name) > 0;  // compares the bytes as unsigned characters
}
