// Stats.cpp - the player's statistics (see Stats.h).
#include "App/Stats.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "App/PrefFolder.h"
#include "App/RecordBlocks.h"
#include "App/Score.h"
#include "App/StatsLocal.h"
#include "App/User.h"
#include "App/WriteFailure.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"
#include "Game/GameTime.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

namespace {

char g_fileName[1024] = {};

// The per-day table of the current game, built for the Statistics page.
struct DayTable {
  StatsDayTotals* days = nullptr;
  int count = 0;
};
DayTable g_table;

// Days from a game's first day to today, both counted; 0 when there is none
// or the history cannot be believed. *first gets the first day.
int DaysSinceStart(const StatsGameDays& days, EngMiscDate today, EngMiscDate* first) {
  *first = today;
  if (days.empty()) return 0;
  // The keys run in calendar order: the first is the earliest day.
  const EngMiscDate earliest = StatsDateOfKey(days.begin()->first);
  if (earliest.year == today.year && earliest.month == today.month && earliest.day == today.day) return 1;
  const std::int64_t count = EngMiscDayNumber(today) - EngMiscDayNumber(earliest) + 1;
  if (!EngMiscIsCalendarDate(earliest) || count < 2 || count >= kStatsMaxDays) {
    DebugError("StatsGetNumberOfDaysSinceStartForCurGame",
               "Could not get previous day count [ today: %02d.%02d.%04d   first: %02d.%02d.%04d]",
               today.day, today.month, today.year, earliest.day, earliest.month, earliest.year);
    return 0;
  }
  *first = earliest;
  return static_cast<int>(count);
}

bool AppendFreshHeader(RecordBlockImage* image) {
  std::uint8_t header[kStatsHeaderSize] = {};
  GenPutF32(header, 0, kStatsFileVersion);
  return image->AppendEnciphered(header, sizeof header);
}

void FreeTable() {
  delete[] g_table.days;
  g_table = DayTable{};
}

}  // namespace

const char* StatsGetFilename() {
  if (!UserIsLoaded() || !EngFileIsSafeName(g_UserRecord.name)) {
    DebugError("StatsGetFilename", "User not loaded");
    return nullptr;
  }
  std::snprintf(g_fileName, sizeof g_fileName, "%s%s%s.sta", PrefFolderGetSubFolder("Users"), "\\",
                g_UserRecord.name);
  return g_fileName;
}

bool StatsCheckFileOk() {
  return StatsHistoryCheck("StatsCheckFileOk", "StatsGetGameStats", nullptr) == StatsFileState::kGood;
}

void StatsAddCurrentGame(int won, int lost) {
  const char* where = "StatsAddCurrentGame";
  if (!StatsGetFilename()) return;
  if ((won != 0) == (lost != 0)) {
    DebugError(where, "Parameter Error");
    return;
  }
  Gen& live = g_GenLive;
  if (live.statsState != 0) {
    if (live.statsState == 2 && lost) {
      live.statsState = 0;
    } else {
      DebugError(where, "Game already added to stats (%d,%d)", won, lost);
    }
    return;
  }
  if (won) {
    ScoreAddWonGameScore();
    live.statsState = 2;
  } else {
    ScoreAddLostGameScore();
    live.statsState = 1;
    if (live.moves < kGenUndoPlayedMoves) return;
  }
  const int game = GenGetCurGame();
  if (game < 0 || game >= kGenNumGames) return;
  ++g_UserOptions.gamesPlayed[game];

  StatsRecord record;
  EngMiscDate today{};
  EngMiscGetLocalDate(&today);
  record.year = today.year;
  record.month = today.month;
  record.day = today.day;
  record.won = won ? 1 : 0;
  GameTimeUpdate(true);
  record.playSeconds = static_cast<std::uint32_t>(g_UserOptions.elapsedSeconds[game] > 0 ? g_UserOptions.elapsedSeconds[game] : 0);
  StatsGameTag(game, record.tag);
  std::uint8_t plain[kStatsRecordSize];
  StatsRecordToBytes(record, plain);

  // The file's whole blocks stay as they are and the new block follows
  // them; a file that is there but cannot be read is left alone rather
  // than replaced by a new history.
  std::size_t whole = 0;
  const StatsFileState state = StatsHistoryCheck(where, "StatsGetGameStats", &whole);
  const char* path = StatsGetFilename();
  EngFileStamp before;
  EngFileGetStamp(path, &before);
  RecordBlockImage image;
  bool written = false;
  switch (state) {
    case StatsFileState::kUnreadable:
      DebugError(where, "Could not open stats file");
      return;
    case StatsFileState::kGood:
      written = image.AppendEnciphered(plain, sizeof plain) &&
                EngFileWriteReplacingKeeping(path, whole, image.Bytes().data(), image.Size());
      break;
    case StatsFileState::kNone:
      written = AppendFreshHeader(&image) && image.AppendEnciphered(plain, sizeof plain) && image.WriteReplacing(path);
      break;
  }
  if (!written) {
    DebugError(where, "Could not write stats file <%s>", path);
    WriteFailureNotify(WriteFailureKind::kStatistics, g_UserRecord.name);
    return;
  }
  if (state == StatsFileState::kGood) {
    StatsHistoryAppended(before, game, record);
  } else {
    StatsHistoryForget();
  }
}

void StatsDeleteFile() {
  const char* path = StatsGetFilename();
  if (path && EngFileExists(path)) EngFileDelete(path);
  StatsHistoryForget();
}

void StatsResetThisGame() {
  const char* where = "StatsResetThisGame";
  const char* path = StatsGetFilename();
  if (!path || !EngFileExists(path)) return;
  char workName[sizeof g_fileName];
  std::snprintf(workName, sizeof workName, "%s", path);
  workName[std::strlen(workName) - 1] = 'b';
  // A work file of an earlier way of resetting is of no use any more.
  if (EngFileExists(workName)) EngFileDelete(workName);

  // The load repairs a damaged header first; what it cannot read stays.
  if (StatsHistoryLoad(where, "StatsGetGameStats") != StatsFileState::kGood) {
    DebugError(where, "Could not read version");
    return;
  }
  path = StatsGetFilename();
  std::vector<std::uint8_t> bytes;
  if (!RecordBlockReadFile(where, path, &bytes)) return;
  char tag[68];
  StatsGameTag(GenGetCurGame(), tag);
  RecordBlockImage image;
  if (!AppendFreshHeader(&image)) return;
  for (std::size_t offset = kStatsHeaderBlockSize; offset + kStatsRecordBlockSize <= bytes.size();
       offset += kStatsRecordBlockSize) {
    std::uint8_t plain[kStatsRecordSize];
    if (!RecordBlockDecipher(bytes.data() + offset, kStatsRecordSize, plain)) {
      DebugError(where, "Internal Error 2");
      return;
    }
    if (std::memcmp(plain + 12, tag, sizeof tag) != 0) image.AppendRaw(bytes.data() + offset, kStatsRecordBlockSize);
  }
  if (!image.WriteReplacing(path)) {
    DebugError(where, "Could not write file <%s>", path);
    WriteFailureNotify(WriteFailureKind::kStatistics, g_UserRecord.name);
  }
  StatsHistoryForget();
}

int StatsGetNumberOfDaysSinceStartForCurGame(int* year, int* month, int* day) {
  EngMiscDate today{};
  EngMiscGetLocalDate(&today);
  EngMiscDate first = today;
  int days = 0;
  if (StatsHistoryLoad("StatsGetNumberOfDaysSinceStartForCurGame", "StatsGetGameStats") == StatsFileState::kGood) {
    days = DaysSinceStart(StatsHistoryGameDays(GenGetCurGame()), today, &first);
  }
  if (year) *year = first.year;
  if (month) *month = first.month;
  if (day) *day = first.day;
  return days;
}

int StatsGetPrevDaysStatsForCurGame() {
  const char* where = "StatsGetPrevDaysStatsForCurGame";
  FreeTable();
  EngMiscDate today{};
  EngMiscGetLocalDate(&today);
  if (StatsHistoryLoad(where, "StatsGetGameStatsForPrevDay") != StatsFileState::kGood) return 0;
  const StatsGameDays& days = StatsHistoryGameDays(GenGetCurGame());
  EngMiscDate first{};
  const int n = DaysSinceStart(days, today, &first);
  if (n <= 0) return n;
  g_table.days = new (std::nothrow) StatsDayTotals[static_cast<std::size_t>(n)]();
  if (!g_table.days) {
    DebugError(where, "No memory [%d]", n);
    return 0;
  }
  g_table.count = n;
  const std::int64_t todayNumber = EngMiscDayNumber(today);
  for (const auto& [key, totals] : days) {
    const EngMiscDate date = StatsDateOfKey(key);
    const std::int64_t day = todayNumber - EngMiscDayNumber(date);
    if (!EngMiscIsCalendarDate(date) || day < 0 || day >= n) {
      DebugError(where, "Could not find date");
      continue;
    }
    g_table.days[day] = totals;
  }
  return n - 1;
}

void StatsGetDayStats(int game, int day, std::uint32_t* played, std::uint32_t* won, std::uint32_t* seconds) {
  if (played) *played = 0;
  if (won) *won = 0;
  if (seconds) *seconds = 0;
  if (game < 0 || game >= kGenNumGames || !g_table.days || day < 0 || day >= g_table.count) return;
  const StatsDayTotals& t = g_table.days[day];
  if (played) *played = t.played;
  if (won) *won = t.won;
  if (seconds) *seconds = t.seconds;
}

void StatsGetTotalsForPrevDays(int game, int previousDays, std::uint32_t* played, std::uint32_t* won) {
  if (!played || !won) return;
  *played = 0;
  *won = 0;
  if (game < 0 || game >= kGenNumGames || !g_table.days) return;
  int days = g_table.count;
  if (previousDays >= 0 && previousDays + 1 < days) days = previousDays + 1;
  for (int i = 0; i < days; ++i) {
    *played += g_table.days[i].played;
    *won += g_table.days[i].won;
  }
}

int StatsGetDayCount() { return g_table.count; }

void StatsFreeDayStats() { FreeTable(); }

// ---- Records -----------------------------------------------------------------------

void StatsRecordToBytes(const StatsRecord& record, std::uint8_t bytes[kStatsRecordSize]) {
  std::memset(bytes, 0, kStatsRecordSize);
  GenPutI32(bytes, 0, record.year);
  GenPutU8(bytes, 4, record.month);
  GenPutU8(bytes, 5, record.day);
  GenPutU8(bytes, 6, record.won);
  GenPutU32(bytes, 8, record.playSeconds);
  std::memcpy(bytes + 12, record.tag, strnlen(record.tag, sizeof record.tag - 1));
}

bool StatsRecordFromBytes(const std::uint8_t bytes[kStatsRecordSize], StatsRecord* record) {
  StatsRecord r;
  r.year = GenGetI32(bytes, 0);
  r.month = GenGetU8(bytes, 4);
  r.day = GenGetU8(bytes, 5);
  r.won = GenGetU8(bytes, 6);
  r.playSeconds = GenGetU32(bytes, 8);
  std::memcpy(r.tag, bytes + 12, sizeof r.tag - 1);
  if (r.won > 1 || r.year < 1 || r.month < 1 || r.month > 12 || r.day < 1 || r.day > 31) return false;
  *record = r;
  return true;
}
