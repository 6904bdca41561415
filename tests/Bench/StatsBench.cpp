// StatsBench - the statistics of a player who played a lot: 20,000 games of
// one variant over ten years (and as many of others beside them) in one
// ".sta" file. Measured: building the Statistics page's day table, one game
// recorded into that file, and, for comparison, finding each record's day
// by stepping back from today one day at a time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "App/PrefFolder.h"
#include "App/Stats.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMisc.h"
#include "Game/Gen.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"

namespace {

constexpr EngMiscDate kToday = {2024, 3, 1};
constexpr int kGames = 20000;
constexpr int kDays = 3650;

std::string Block(const std::uint8_t* plain, std::size_t size) {
  unsigned char* block = EngEncryptionEncrypt(plain, size);
  std::string bytes(reinterpret_cast<char*>(block), size + 16);
  std::free(block);
  return bytes;
}

struct Stage {
  std::string path;
  std::string file;
  Stage() {
    const auto folder = std::filesystem::temp_directory_path() / "cardolia-stats-bench";
    std::filesystem::create_directories(folder);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    PrefFolderSetup("Bench", false, nullptr);
    EngEncryptionInit("bench phrase");
    EngMiscSetLocalDateForTests(&kToday);
    std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "Bench");
    UserSetLoadedForTests(true);
    GenSetCurGame(kGameKlondike);
    path = StatsGetFilename();

    std::uint8_t header[kStatsHeaderSize] = {};
    GenPutF32(header, 0, kStatsFileVersion);
    file = Block(header, sizeof header);
    // Oldest first, as the games ended; every other record another game's.
    for (int i = 0; i < 2 * kGames; ++i) {
      EngMiscDate d = kToday;
      const int daysAgo = kDays - 1 - (i / 2) * kDays / kGames;
      for (int k = 0; k < daysAgo; ++k) EngMiscGetPreviousDay(&d);
      StatsRecord r;
      r.year = d.year;
      r.month = d.month;
      r.day = d.day;
      r.won = i % 3 != 0;
      r.playSeconds = 60 + i % 500;
      std::snprintf(r.tag, sizeof r.tag, i % 2 == 0 ? "_Klondike_" : "_Yukon_");
      std::uint8_t plain[kStatsRecordSize];
      StatsRecordToBytes(r, plain);
      file += Block(plain, sizeof plain);
    }
    Restore();
  }
  void Restore() const {
    std::ofstream out(FileName(), std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
  }
  std::string FileName() const {
    std::string native = path;
    for (char& c : native) {
      if (c == '\\') c = '/';
    }
    return native;
  }
};

Stage& TheStage() {
  static Stage stage;
  return stage;
}

void BM_DayTableOfTenYears(benchmark::State& state) {
  TheStage();
  for (auto _ : state) benchmark::DoNotOptimize(StatsGetPrevDaysStatsForCurGame());
  state.counters["days"] = StatsGetDayCount();
}
BENCHMARK(BM_DayTableOfTenYears)->Unit(benchmark::kMillisecond);

void BM_RecordOneGame(benchmark::State& state) {
  Stage& stage = TheStage();
  for (auto _ : state) {
    state.PauseTiming();
    stage.Restore();
    g_GenLive.statsState = 0;
    g_GenLive.moves = 20;
    state.ResumeTiming();
    StatsAddCurrentGame(1, 0);
  }
}
BENCHMARK(BM_RecordOneGame)->Unit(benchmark::kMillisecond);

// The day of each record found by stepping back from today, as a day table
// was once built: tens of millions of steps for this history.
void BM_SteppingBackPerRecordForComparison(benchmark::State& state) {
  TheStage();
  for (auto _ : state) {
    long long steps = 0;
    for (int i = 0; i < kGames; ++i) {
      const int daysAgo = kDays - 1 - i * kDays / kGames;
      EngMiscDate d = kToday;
      for (int k = 0; k < daysAgo; ++k, ++steps) EngMiscGetPreviousDay(&d);
    }
    benchmark::DoNotOptimize(steps);
  }
}
BENCHMARK(BM_SteppingBackPerRecordForComparison)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
