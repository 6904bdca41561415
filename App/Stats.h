// Stats.h - the player's statistics: every finished game as one record in
// the player's file ("Users" folder, "<player>.sta"), and the per-day table
// of one game that the Statistics page draws.
//
// File: enciphered record blocks (App/RecordBlocks.h): a header block (16
// plain bytes: float 4.3 and three zero words), then one 80-byte record block
// per finished game of any variant, in the order the games ended; n records
// make 32 + 96 n bytes. A record belongs to a game by its tag "_<internal
// name>_". Every change replaces the file through a temporary file
// (EngFileWriteReplacing; a recording copies the old whole blocks and
// appends its own, EngFileWriteReplacingKeeping): a failed write keeps the
// old file, and a torn write can never leave half a record in the middle.
//
// Reading never deletes: a query skips a record it cannot trust and stops at
// a short tail. A header proven wrong (cut, another version, damaged) is
// mended where it is found: the file is copied aside ("<player>.sta.damaged")
// and written again with a good header and every record that still reads,
// and the player is told once (App/DamagedFile.h).
//
// The file is read once and its records kept summed per game and day while
// the file stays the one read (App/StatsLocal.h): the Statistics page and a
// game's end do not read the whole file again.
//
// Days are counted by day numbers (EngMiscDayNumber): day 0 is today, day i
// is i days before it. A day's seconds are those of all its games, won and
// lost, so the average time of a day's game divides them by the day's
// played count.
//
// State: the per-day table of the current game (heap, until the next build
// or StatsFreeDayStats), the kept history and the file-name text.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr float kStatsFileVersion = 4.3f;
constexpr std::size_t kStatsHeaderSize = 16;        // plain bytes of the header block
constexpr std::size_t kStatsRecordSize = 80;        // plain bytes of a record block
constexpr std::size_t kStatsHeaderBlockSize = 32;
constexpr std::size_t kStatsRecordBlockSize = 96;
constexpr int kStatsMaxDays = 50000;                 // a longer history is not believed

// One finished game.
struct StatsRecord {
  std::int32_t year = 0;
  std::uint8_t month = 1;        // 1-12
  std::uint8_t day = 1;          // 1-31
  std::uint8_t won = 0;          // 1 won, 0 lost
  std::uint32_t playSeconds = 0;
  char tag[68] = {};             // "_<internal name>_"
};

// One day of a game.
struct StatsDayTotals {
  std::uint32_t played = 0;
  std::uint32_t won = 0;
  std::uint32_t seconds = 0;     // summed over the day's games
};

// The player's file name; null ("User not loaded") without a player.
const char* StatsGetFilename();
// True when the file exists and its header says version 4.3 (to three
// decimals). A header that is too short or of another version is mended
// ("Got version %f not %f"; the file copied aside, written again with the
// records that read, the player told), then true; a missing file, or one
// that cannot be read or mended, is false.
bool StatsCheckFileOk();
// Records the game that ends now: won (1, 0) or lost (0, 1). A lost game is
// written only when the player made a move in it (kGenUndoPlayedMoves),
// as its score enters the table only then; both hand the score to the
// table. The live game's recorded state stops a second recording of the
// same game.
void StatsAddCurrentGame(int won, int lost);
// Deletes the player's file when it exists.
void StatsDeleteFile();
// Removes the current game's records and keeps every other game's, in order.
void StatsResetThisGame();

// The number of days from the current game's first recorded day to today,
// both counted (1: first played today); 0 without records or when the
// history is not believable (a first day after today or 50000 days back).
// The outputs (each optional) get the first day, or today.
int StatsGetNumberOfDaysSinceStartForCurGame(int* year, int* month, int* day);
// Builds the current game's per-day table and answers the number of days
// before today it holds (0 also when there is no history).
int StatsGetPrevDaysStatsForCurGame();
// A day's values of the table (0 outside it). game must be 0-83; the table
// is always the current game's.
void StatsGetDayStats(int game, int day, std::uint32_t* played, std::uint32_t* won,
                      std::uint32_t* seconds);
// Played and won summed over today and the previous days (clamped to the
// table; negative: the whole table).
void StatsGetTotalsForPrevDays(int game, int previousDays, std::uint32_t* played,
                               std::uint32_t* won);
// The number of days in the table.
int StatsGetDayCount();
void StatsFreeDayStats();

// ---- Records -----------------------------------------------------------------------
void StatsRecordToBytes(const StatsRecord& record, std::uint8_t bytes[kStatsRecordSize]);
// Reads the record (the tag always terminated); false when a field is out of
// range (won above 1, year below 1, month outside 1-12, day outside 1-31).
bool StatsRecordFromBytes(const std::uint8_t bytes[kStatsRecordSize], StatsRecord* record);
