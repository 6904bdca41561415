// StatsFileFuzz.cpp - a player's statistics (".sta"): any bytes as the
// file, queried for the current game's days, then a game recorded and the
// game's records removed. Queries never delete the file (a damaged header
// is mended, the file kept aside as it was); the table's days and totals
// agree; every change leaves whole blocks behind.
#include <filesystem>
#include <string>

#include "App/Stats.h"
#include "Game/GenBytes.h"
#include "Game/GenRecord.h"
#include "tests/Fuzz/FuzzPlayer.h"

namespace {

std::string PlainImage() {
  std::uint8_t header[kStatsHeaderSize] = {};
  GenPutF32(header, 0, kStatsFileVersion);
  std::string plain(reinterpret_cast<char*>(header), sizeof header);
  const struct {
    EngMiscDate date;
    bool won;
    std::uint32_t seconds;
    const char* tag;
  } records[] = {{{2024, 2, 27}, true, 300, "_Klondike_"}, {{2024, 2, 29}, false, 100, "_Klondike_"},
                 {{2024, 2, 28}, true, 50, "_Yukon_"}, {{2024, 3, 1}, true, 200, "_Klondike_"}};
  for (const auto& r : records) {
    StatsRecord record;
    record.year = r.date.year;
    record.month = r.date.month;
    record.day = r.date.day;
    record.won = r.won ? 1 : 0;
    record.playSeconds = r.seconds;
    std::snprintf(record.tag, sizeof record.tag, "%s", r.tag);
    std::uint8_t bytes[kStatsRecordSize];
    StatsRecordToBytes(record, bytes);
    plain.append(reinterpret_cast<char*>(bytes), sizeof bytes);
  }
  return plain;
}

bool WholeBlocks(const std::string& native) {
  const std::size_t size = FuzzReadFile(native).size();
  return size >= kStatsHeaderBlockSize && (size - kStatsHeaderBlockSize) % kStatsRecordBlockSize == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzUsePlayer();
  const std::string native = FuzzNativePath(StatsGetFilename());
  FuzzWriteFile(native, FuzzFileFromInput(data, size, PlainImage(), kStatsHeaderSize, kStatsRecordSize));

  const std::string file = FuzzReadFile(native);
  const int days = StatsGetNumberOfDaysSinceStartForCurGame(nullptr, nullptr, nullptr);
  const int previous = StatsGetPrevDaysStatsForCurGame();
  FUZZ_CHECK(std::filesystem::exists(native));
  if (std::filesystem::exists(native + ".damaged")) FUZZ_CHECK(FuzzReadFile(native + ".damaged") == file);
  FUZZ_CHECK(days >= 0 && days < kStatsMaxDays);
  FUZZ_CHECK(previous == (days > 0 ? days - 1 : 0));
  FUZZ_CHECK(StatsGetDayCount() == days);
  std::uint32_t played = 0, won = 0, dayPlayed = 0, dayWon = 0, seconds = 0;
  StatsGetTotalsForPrevDays(kGameKlondike, -1, &played, &won);
  FUZZ_CHECK(won <= played);
  std::uint32_t sum = 0;
  for (int day = 0; day < StatsGetDayCount(); ++day) {
    StatsGetDayStats(kGameKlondike, day, &dayPlayed, &dayWon, &seconds);
    FUZZ_CHECK(dayWon <= dayPlayed);
    sum += dayPlayed;
  }
  FUZZ_CHECK(sum == played);

  // A recording keeps the whole blocks of a good file, or starts afresh.
  const std::size_t before = StatsCheckFileOk() ? FuzzReadFile(native).size() : 0;
  g_GenLive.statsState = 0;
  g_GenLive.moves = 20;
  StatsAddCurrentGame(1, 0);
  FUZZ_CHECK(WholeBlocks(native));
  const std::size_t kept = before == 0 ? kStatsHeaderBlockSize
                                       : before - (before - kStatsHeaderBlockSize) % kStatsRecordBlockSize;
  FUZZ_CHECK(FuzzReadFile(native).size() == kept + kStatsRecordBlockSize);
  StatsResetThisGame();
  if (StatsCheckFileOk()) {
    FUZZ_CHECK(WholeBlocks(native));
    FUZZ_CHECK(StatsGetPrevDaysStatsForCurGame() == 0);
    FUZZ_CHECK(StatsGetDayCount() == 0);
  }
  StatsFreeDayStats();
  std::filesystem::remove(native);
  std::filesystem::remove(native + ".damaged");
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  return {
      {"history.bin", FuzzPlayerSeed('\0')},
      {"leap-day-record.bin", FuzzPlayerSeed('\0', FuzzEdit(kStatsHeaderSize + 5, "\x1e"))},
      {"torn-tail.bin", FuzzPlayerSeed('\1', FuzzCut(kStatsHeaderBlockSize + 3 * kStatsRecordBlockSize + 40))},
      {"damaged-header.bin", FuzzPlayerSeed('\1', FuzzEdit(17, "\x5a"))},
  };
}
