// StatsLocal.h - inside the statistics unit: the player's history as the
// unit keeps it between reads (StatsHistory.cpp), for the recording and the
// queries (Stats.cpp).
//
// The history is the file's records summed per game and day. It is read
// from the file when a query first needs it and then kept as long as the
// file is the one it was read from (same player, same stamp,
// EngFileGetStamp); a game recorded by this unit is added to it as it is
// appended to the file. So neither the Statistics page nor a game's end
// reads the whole file again: only a file changed behind the unit's back
// (or another player's) is read anew. A check of the file (a player
// loaded, a game recorded) reads its header block alone.
//
// Reading the file is also where a damaged header is found: the file is
// copied aside (App/DamagedFile.h), written again with a good header and
// every record block that still reads as a game, and the player is told.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

#include "App/Stats.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"

// One game's days, by date key (StatsDateKey), each with its totals.
using StatsGameDays = std::map<std::int64_t, StatsDayTotals>;

// A key that orders dates as the calendar does (year, then month, then
// day); it also keeps dates no calendar has (30 February) apart.
std::int64_t StatsDateKey(std::int32_t year, int month, int day);
EngMiscDate StatsDateOfKey(std::int64_t key);

enum class StatsFileState {
  kNone,        // no player, or the player has no file
  kGood,        // the history describes the file
  kUnreadable,  // a file is there but cannot be read (nor recorded into)
};

// Brings the history up to the current player's file, reading it when it
// is not the one the history was read from. Invalid records of a game are
// reported under checkWhere ("Invalid entry in file") and left out; read
// failures under where.
StatsFileState StatsHistoryLoad(const char* where, const char* checkWhere);
// Whether the current player's file is good without reading it whole: the
// history describes it, or its header block is good (a bad one is mended,
// as StatsHistoryLoad does). *wholeSize (optional) gets the bytes of whole
// blocks at the file's start (a torn tail beyond them is no record).
StatsFileState StatsHistoryCheck(const char* where, const char* checkWhere, std::size_t* wholeSize);
// A game's days in the history (empty for a game without records).
const StatsGameDays& StatsHistoryGameDays(int game);
// The unit appended the record of a game to the file, whose stamp was
// before: when the history described that file it counts the record, else
// it stays as it was (not the file's any more).
void StatsHistoryAppended(const EngFileStamp& before, int game, const StatsRecord& record);
// The history describes no file any more (the file was deleted or written
// anew); the next load reads it.
void StatsHistoryForget();
// Test seam: how often a load has read a file since the program started.
int StatsHistoryReadsForTests();

// The game (0-83) whose tag the 68 bytes are exactly, or -1.
int StatsGameOfTag(const char tag[68]);
// The tag of a game: "_<internal name>_", zero-filled to 68 bytes.
void StatsGameTag(int game, char tag[68]);
