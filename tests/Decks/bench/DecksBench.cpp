// DecksBench - the deck and board screens' costs on the GL device (Mesa
// under Xvfb here): a board made current at board quality 2 (its table top
// of 16 tiles and its background picture built), the deck generator's
// preview of edit set 4 (the thirteen rank cards) at card quality 3, and a
// whole print run (the deck at print size and the seven JPEG sheets).
// Needs an X display; meant for a Release build.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "Game/Decks/Board.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/Decks/Sets.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/DeckGen.h"
#include "Screens/Decks/Print.h"
#include "Screens/Decks/SetsScreens.h"
#include "tests/Support/GameHarness.h"

// The harness resets the application shell's stand-in imports; the real
// screens answer them here.
void AppImportsResetForTests() {}

namespace {

namespace fs = std::filesystem;

fs::path BenchRoot() { return fs::temp_directory_path() / ("cardolia-decks-bench-" + std::to_string(getpid())); }

// One program with a window for every benchmark: the player's deck made.
// Closed by main before the program's statics go.
std::unique_ptr<GameHarness> g_program;
bool g_programTried = false;

GameHarness* Program() {
  if (!g_programTried) {
    g_programTried = true;
    fs::create_directories(BenchRoot() / "run");
    auto started = std::make_unique<GameHarness>((BenchRoot() / "run").string());
    if (GameHarness::HaveDisplay() && started->Start(1024, 768)) g_program = std::move(started);
  }
  return g_program.get();
}

void BM_BoardAtQuality2(benchmark::State& state) {
  if (!Program()) {
    state.SkipWithError("no display");
    return;
  }
  BoardSetupTextureQuality(2);
  SetsGetBoards();
  // A built-in board with a picture background and a textured table top.
  int board = 0;
  for (int i = 0; i < kSetsNumBuiltIn; ++i) {
    g_UserRecord.currentBoard = i;
    SetsLoadCurrentBoard();
    if (SetsGetCurrentBoard().bgType != 0 && SetsGetCurrentBoard().tableType != 0) {
      board = i;
      break;
    }
  }
  for (auto _ : state) SetsControlLoadBoard(board);
}
BENCHMARK(BM_BoardAtQuality2)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DeckGenRanksPreviewAtQuality3(benchmark::State& state) {
  if (!Program()) {
    state.SkipWithError("no display");
    return;
  }
  if (DecksFindDeckByName("Bench") < 0) DecksCreateUserDeck("Bench");
  DecksRescan();
  g_UserRecord.currentDeck = DecksFindDeckByName("Bench");
  DeckGenLoadSettings();
  CardsDecksSetTextureSizeForQuality(3, 0);
  CardsDecksUpdateGeneratedPathForDeck(g_UserRecord.currentDeck);
  int count = 0;
  const char* const* cards = DeckGenGetPreviewCards(4, &count);
  for (auto _ : state) {
    DeckGenSetupElements(0);
    if (CardsGeneratePrepareForGenerating() != 1) {
      state.SkipWithError("generator not prepared");
      return;
    }
    for (int i = 0; i < count; ++i) {
      const char r = cards[i][0], s = cards[i][1];
      const int rank = r == 'a' ? 1 : r == 't' ? 10 : r == 'j' ? 11 : r == 'q' ? 12 : r == 'k' ? 13 : r - '0';
      const int suit = s == 'h' ? 0 : s == 's' ? 1 : s == 'd' ? 2 : 3;
      CardsGenerateASingleCard(suit, rank);
    }
    CardsGenerateFreeAll();
  }
}
BENCHMARK(BM_DeckGenRanksPreviewAtQuality3)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintRun(benchmark::State& state) {
  if (!Program()) {
    state.SkipWithError("no display");
    return;
  }
  g_UserRecord.currentDeck = 0;
  for (auto _ : state) {
    if (!PrintCreateFiles()) {
      state.SkipWithError("print run failed");
      return;
    }
  }
}
BENCHMARK(BM_PrintRun)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_program.reset();
  std::error_code ignored;
  fs::remove_all(BenchRoot(), ignored);
  return 0;
}
