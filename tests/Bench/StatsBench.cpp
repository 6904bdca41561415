// StatsBench - the statistics of a player who played a lot: a ".sta" file of
// 40,000 records (20,000 games of one variant over ten years and as many of
// another beside them) and one of 365,000. Measured as a player meets them:
// the Statistics page shown again and again, a game's end (one record added
// to the file), a game's end followed by the page, the first read of the
// file (the page after the file was written by someone else) and the check
// of the file when the player is loaded; and, for
// comparison, finding each record's day by stepping back from today one
// day at a time.
//
//   <build>/tests/Bench/StatsBench [--benchmark_filter=...]
//
// Only the unit's public calls are used, so the same file measures an older
// statistics unit too.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "App/PrefFolder.h"
#include "App/Stats.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMisc.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"

namespace {

constexpr EngMiscDate kToday = {2024, 3, 1};
constexpr int kDays = 3650;

std::string Block(const std::uint8_t* plain, std::size_t size) {
  unsigned char* block = EngEncryptionEncrypt(plain, size);
  std::string bytes(reinterpret_cast<char*>(block), size + 16);
  std::free(block);
  return bytes;
}

void SetUpOnce() {
  static const bool done = [] {
    const auto folder = std::filesystem::temp_directory_path() / "cardolia-stats-bench";
    std::filesystem::create_directories(folder);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    PrefFolderSetup("Bench", false, nullptr);
    EngEncryptionInit("bench phrase");
    EngMiscSetLocalDateForTests(&kToday);
    UserSetLoadedForTests(true);
    GenSetCurGame(kGameKlondike);
    return true;
  }();
  (void)done;
}

// A player whose file holds the given number of records, oldest first, as
// the games ended; every other record another game's.
struct Stage {
  std::string player;
  std::string file;
  std::string native;

  explicit Stage(int records) : player("Bench" + std::to_string(records)) {
    SetUpOnce();
    Use();
    native = StatsGetFilename();
    for (char& c : native) {
      if (c == '\\') c = '/';
    }
    std::vector<EngMiscDate> dates(kDays);
    EngMiscDate d = kToday;
    for (int i = 0; i < kDays; ++i) {
      dates[static_cast<std::size_t>(i)] = d;
      EngMiscGetPreviousDay(&d);
    }
    std::uint8_t header[kStatsHeaderSize] = {};
    GenPutF32(header, 0, kStatsFileVersion);
    file = Block(header, sizeof header);
    for (int i = 0; i < records; ++i) {
      const EngMiscDate& day = dates[static_cast<std::size_t>(kDays - 1 - static_cast<long long>(i) * kDays / records)];
      StatsRecord r;
      r.year = day.year;
      r.month = day.month;
      r.day = day.day;
      r.won = i % 3 != 0;
      r.playSeconds = 60 + static_cast<std::uint32_t>(i % 500);
      std::snprintf(r.tag, sizeof r.tag, i % 2 == 0 ? "_Klondike_" : "_Yukon_");
      std::uint8_t plain[kStatsRecordSize];
      StatsRecordToBytes(r, plain);
      file += Block(plain, sizeof plain);
    }
    Restore();
  }
  void Use() const { std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "%s", player.c_str()); }
  // The file as it was made, written by someone else (the unit's kept
  // history no longer describes it).
  void Restore() const {
    std::ofstream out(native, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
  }
};

Stage& TheStage(int records) {
  static std::map<int, std::unique_ptr<Stage>> stages;
  std::unique_ptr<Stage>& stage = stages[records];
  if (!stage) stage = std::make_unique<Stage>(records);
  stage->Use();
  return *stage;
}

void EndAGame() {
  g_GenLive.statsState = 0;
  g_GenLive.moves = 20;
  StatsAddCurrentGame(1, 0);
}

// The page shown again and again on an unchanged file.
void BM_StatisticsPage(benchmark::State& state) {
  Stage& stage = TheStage(static_cast<int>(state.range(0)));
  stage.Restore();
  for (auto _ : state) benchmark::DoNotOptimize(StatsGetPrevDaysStatsForCurGame());
  state.counters["days"] = StatsGetDayCount();
}
BENCHMARK(BM_StatisticsPage)->Arg(40000)->Arg(365000)->Unit(benchmark::kMillisecond);

// Games ending one after another (the file grows by one record each).
void BM_GameEnd(benchmark::State& state) {
  Stage& stage = TheStage(static_cast<int>(state.range(0)));
  stage.Restore();
  StatsGetPrevDaysStatsForCurGame();  // the menu was shown before the game
  for (auto _ : state) EndAGame();
}
BENCHMARK(BM_GameEnd)->Arg(40000)->Arg(365000)->Unit(benchmark::kMillisecond);

// A game's end, then the menu's Statistics page.
void BM_GameEndThenPage(benchmark::State& state) {
  Stage& stage = TheStage(static_cast<int>(state.range(0)));
  stage.Restore();
  StatsGetPrevDaysStatsForCurGame();
  for (auto _ : state) {
    EndAGame();
    benchmark::DoNotOptimize(StatsGetPrevDaysStatsForCurGame());
  }
}
BENCHMARK(BM_GameEndThenPage)->Arg(40000)->Arg(365000)->Unit(benchmark::kMillisecond);

// The page on a file written by someone else: the whole file read once.
void BM_PageAfterTheFileChanged(benchmark::State& state) {
  Stage& stage = TheStage(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    stage.Restore();
    state.ResumeTiming();
    benchmark::DoNotOptimize(StatsGetPrevDaysStatsForCurGame());
  }
}
BENCHMARK(BM_PageAfterTheFileChanged)->Arg(40000)->Arg(365000)->Iterations(10)->Unit(benchmark::kMillisecond);

// A player loaded: the file checked, as written by someone else since.
void BM_PlayerLoadCheck(benchmark::State& state) {
  Stage& stage = TheStage(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    stage.Restore();
    state.ResumeTiming();
    benchmark::DoNotOptimize(StatsCheckFileOk());
  }
}
BENCHMARK(BM_PlayerLoadCheck)->Arg(40000)->Arg(365000)->Iterations(20)->Unit(benchmark::kMillisecond);

// The day of each record found by stepping back from today, as a day table
// was once built: tens of millions of steps for 20,000 games.
void BM_SteppingBackPerRecordForComparison(benchmark::State& state) {
  constexpr int kGames = 20000;
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
