// VariantBench.cpp - random play over every real game (part of GameBench):
// per game the deals played a second, the moves made a second and the quick
// moves' times (the press of the right button: the whole search and the
// move's set-up; each timed three times on the same table, the least
// counting), which must stay below 2 ms.
//
//   GameBench --benchmark_filter=VariantRandomPlay [CARDOLIA_BENCH_DEALS=n]
//
// Each iteration is one deal of 200 random steps (VariantPlay.h); a game
// whose set-up is not written is skipped.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "Game/GameImports.h"
#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenGameTable.h"
#include "Game/GenSelection.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Game/Variants/VariantPlay.h"

namespace {

constexpr int kStepsPerDeal = 200;

int DealsPerGame() {
  const char* text = std::getenv("CARDOLIA_BENCH_DEALS");
  const int deals = text ? std::atoi(text) : 2000;
  return deals > 0 ? deals : 2000;
}

void Prepare(int game) {
  static bool folder = false;
  if (!folder) {
    folder = true;
    const std::string dir = (std::filesystem::temp_directory_path() / "cardolia-bench").string();
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
  }
  CardsResetSettingsForTests();
  CardsAnimCancelAll();
  GameTimeResetForTests();
  g_UserRecord = UserRecord();
  g_UserOptions = UserOptions();
  EngProgramSetCurrentTimeForTests(0);
  GenSetSetupOverrideForTests(nullptr);
  GenSetCurGame(game);
  GenReset();
  AnimReset();
  AnimInit();
  GenSetPickRayCB(nullptr);
  VariantUseGameSettings();
}

void RandomPlay(benchmark::State& state, int game) {
  Prepare(game);
  GenSetCurGame(game);
  if (!GenInit()) {
    state.SkipWithError("set-up not written");
    return;
  }
  VariantPlayStats stats;
  stats.quickMoveTimings = 3;
  unsigned deal = 1;
  timespec start{}, end{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
  for (auto _ : state) {
    const std::string failure = VariantRandomPlay(game, deal++, kStepsPerDeal, &stats);
    if (!failure.empty()) {
      state.SkipWithError(failure.c_str());
      return;
    }
  }
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
  // Play's own time: the repeated quick-move timings left out.
  const double seconds = static_cast<double>(end.tv_sec - start.tv_sec) +
                         static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e9 - stats.timingMs / 1000;
  state.counters["deals/s"] = static_cast<double>(stats.deals) / seconds;
  state.counters["moves/s"] = static_cast<double>(stats.moves) / seconds;
  state.counters["worst_quick_ms"] = stats.worstQuickMoveMs;
  state.counters["quick_moves"] = static_cast<double>(stats.quickMoves);
  state.counters["quick_p99_ms"] = stats.QuickMovePercentileMs(0.99);
  state.counters["quick_p999_ms"] = stats.QuickMovePercentileMs(0.999);
  state.counters["quick_over_2ms"] = static_cast<double>(stats.quickMovesOver2Ms);
  state.counters["wins"] = static_cast<double>(stats.wins);
}

const bool kRegistered = [] {
  for (int game = 0; game < kGenNumGames; ++game) {
    benchmark::RegisterBenchmark(
        (std::string("VariantRandomPlay/") + GenGameTable[game].name).c_str(),
        [game](benchmark::State& state) { RandomPlay(state, game); })
        ->Iterations(DealsPerGame())
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
