// Score.h - the score tables: for every game a table of the 20 best finished
// games in its own file ("Scores" folder, "<internal name>.sco"), and the
// newest entry the Scores page makes pulse.
//
// File: enciphered record blocks (Engine/EngEncryption.h), nothing between
// them: a header block (68 plain bytes: float 4.6, the game's internal name
// in 64 zero-filled bytes), then one 124-byte entry block per row in table
// order; n rows make 84 + 140 n bytes. Every write builds the whole image and
// replaces the file (EngFileWriteReplacing), so a failed write leaves the
// old table as it was. A reader skips an entry it cannot trust and keeps the
// others. A file that holds more than the rows that read (a header that is
// not this game's table: damaged, cut, another version or game; an entry
// that does not hold; a cut entry at its end) is mended where it is read:
// the file is kept aside as "<name>.sco.damaged", the rows that read are
// written back under a good header, and the player is told once
// (App/DamagedFile.h). A table that cannot be read at all (no permission, a
// folder in its place, too large) is left as it is: no score enters it and
// no row leaves it, and the player is told once in a run. So is a damaged
// one that cannot be kept aside (a read-only folder, a full disk), but its
// rows that read are the table shown.
//
// Ranking: higher score first, then the shorter time, then the player name
// that is greater byte by byte. The table is sorted after every read and
// before every write.
//
// The running score, the scoring systems and their description are in
// App/ScoreSystem.h.
//
// State: the table of the game last read (20 rows and the count), the index
// of the newest row (-1 none), the file-name text.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kScoreMaxEntries = 20;
constexpr std::uint32_t kScoreHighest = 100000;  // a running score above it is never entered
constexpr float kScoreFileVersion = 4.6f;
constexpr std::size_t kScoreHeaderSize = 68;      // plain bytes of the header block
constexpr std::size_t kScoreEntrySize = 124;      // plain bytes of an entry block
constexpr std::size_t kScoreHeaderBlockSize = 84;
constexpr std::size_t kScoreEntryBlockSize = 140;

// One row of a table.
struct ScoreEntry {
  std::uint32_t score = 0;
  std::uint32_t playTime = 0;        // whole seconds
  std::uint8_t reserved = 0;         // 0 in every entry the game makes; a file value above 1 is refused
  std::uint8_t dealtByNumber = 0;    // the deal was one the player chose by number
  std::int32_t year = 0;
  std::int32_t month = 1;            // 1-12
  std::int32_t day = 1;              // 1-31
  std::uint32_t playerId = 0;
  char name[34] = {};                // 1-32 characters
  char country[66] = {};             // 1-64 characters
  std::uint8_t newEntry = 0;         // the row the last add made (never stored)
};

// ---- The table ------------------------------------------------------------------
// The rows of the table last read or written (count 0-20), best first.
int ScoreGetEntryCount();
const ScoreEntry& ScoreGetEntry(int index);
// The row added last (0-19), or -1. Set by the write that holds a new row;
// cleared by every add and by ScoreResetLastAdded.
int ScoreGetLastAddedIndex();
// No newest row any more (a game started or ended from the menu, a player
// change, the shutdown).
void ScoreResetLastAdded();

// The current game's table path in the file-name text; null (logged
// "Invalid game num %d") when the current game is not 0-83.
const char* ScoreGetFilename();
// Loads the current game's table; no file, or one that cannot be read, is
// an empty table; a damaged one that cannot be kept aside is its rows that
// read.
void ScoreReadCurrentGameScores();
// Sorts the table, sets the newest row and replaces the current game's file.
// False when the write failed (the old file is kept).
bool ScoreWriteToFile();

// Offers the finished game's running score to the current game's table (the
// statistics call these when a game ends): a won game always, a lost one
// only after two stored moves. A table that cannot be read, or a damaged
// one that cannot be kept aside, takes no score.
void ScoreAddGameScore();
void ScoreAddWonGameScore();
void ScoreAddLostGameScore();

// Removes the current player's rows (matched by name and country) from the
// current game's table, or from all 84 (the current game is not changed). A
// table is written back only when its file holds a row.
void ScoreDeleteUserScoresForCurGame();
void ScoreDeleteUserScoresForAllGames();
// The answer of the "dealt by number" question: on Yes (1) the player's rows
// of dealt-by-number games leave the current table, and the Scores page is
// shown again.
void ScoreDeleteUserNumberedGameScoresCB(int answer);
// The newest row (by its date) with the player's name in any game's table:
// a profile made anew takes its country and id. False when none has one.
// The current game's table is read again afterwards.
bool ScoreFindPlayersNewestRow(const char* name, ScoreEntry* row);
// The current player's best row of the current game (score above 0; the
// first in table order on equal scores). False without a player, without an
// output or without such a row.
bool ScoreGetUsersBestScore(ScoreEntry* best);

// ---- Records -----------------------------------------------------------------------
// The plain 124-byte entry record (little-endian; padding written as 0).
void ScoreEntryToBytes(const ScoreEntry& entry, std::uint8_t bytes[kScoreEntrySize]);
// Reads the record; false when a field is out of range (reserved above 1,
// negative year, month outside 1-12, day outside 1-31, an empty or
// unterminated name or country). The new-entry flag is left as it was.
bool ScoreEntryFromBytes(const std::uint8_t bytes[kScoreEntrySize], ScoreEntry* entry);
// True when a ranks before b.
bool ScoreCompareEntries(const ScoreEntry& a, const ScoreEntry& b);
