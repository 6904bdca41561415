// VariantBench.cpp - random play over every real game (part of GameBench):
// per game the deals played a second, the moves made a second and the worst
// quick move seen (the press of the right button: the whole search and the
// move's set-up), which must stay below 2 ms.
//
//   GameBench --benchmark_filter=VariantRandomPlay [CARDOLIA_BENCH_DEALS=n]
//
// Each iteration is one deal of 200 random steps (VariantPlay.h); a game
// whose set-up is not written is skipped.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Game/GameImports.h"
#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GameTime.h"
#include "Game/GenGameTable.h"
#include "Game/GenSelection.h"
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
  unsigned deal = 1;
  for (auto _ : state) {
    const std::string failure = VariantRandomPlay(game, deal++, kStepsPerDeal, &stats);
    if (!failure.empty()) {
      state.SkipWithError(failure.c_str());
      return;
    }
  }
  state.counters["deals/s"] = benchmark::Counter(static_cast<double>(stats.deals), benchmark::Counter::kIsRate);
  state.counters["moves/s"] = benchmark::Counter(static_cast<double>(stats.moves), benchmark::Counter::kIsRate);
  state.counters["worst_quick_ms"] = stats.worstQuickMoveMs;
  state.counters["quick_moves"] = static_cast<double>(stats.quickMoves);
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
