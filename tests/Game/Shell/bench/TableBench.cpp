// TableBench - the drawn table's costs on the GL device (Mesa under Xvfb
// here): one frame of a full Spider table (104 cards), the CPU's share
// (tick and drawing calls) and with the wait until the GPU has drawn it
// (the present left out); the program's start to a dealt Klondike table
// with the deck generated already (the volume pulse, 0.3 s of waiting, left
// out); a cold generation of the standard deck at qualities 1 and 3 (CPU
// only). Needs an X display; meant for a Release build.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "App/PrefFolder.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksBacks.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"
#include "Shell/Shell.h"
#include "Game/GenGameTable.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameHarness.h"

namespace {

namespace fs = std::filesystem;

// The run's own folder, removed at the end.
fs::path BenchRoot() {
  return fs::temp_directory_path() / ("cardolia-table-bench-" + std::to_string(getpid()));
}

std::string BenchFolder(const char* name) {
  const fs::path folder = BenchRoot() / name;
  fs::create_directories(folder);
  return folder.string();
}

// A dealt Spider table kept for the frame benchmarks (one program runs at a
// time: the other benchmarks close it first).
std::unique_ptr<GameHarness> g_spider;
bool g_spiderTried = false;

GameHarness* SpiderTable() {
  if (!g_spiderTried) {
    g_spiderTried = true;
    auto h = std::make_unique<GameHarness>(BenchFolder("spider"));
    if (GameHarness::HaveDisplay() && h->Start(1024, 768) && h->Deal(kGameSpider, 7, FixtureSpiderPlaySetup)) {
      g_spider = std::move(h);
    }
  }
  return g_spider.get();
}

void CloseSpiderTable() { g_spider.reset(); }

void BM_SpiderTableFrameCpu(benchmark::State& state) {
  GameHarness* h = SpiderTable();
  if (!h) {
    state.SkipWithError("no table (no X display?)");
    return;
  }
  glFinish();
  for (auto _ : state) {
    GameTickCB();
    GameRenderCB();
  }
  glFinish();
}
BENCHMARK(BM_SpiderTableFrameCpu)->Unit(benchmark::kMillisecond);

void BM_SpiderTableFrameDrawn(benchmark::State& state) {
  GameHarness* h = SpiderTable();
  if (!h) {
    state.SkipWithError("no table (no X display?)");
    return;
  }
  for (auto _ : state) {
    GameTickCB();
    GameRenderCB();
    glFinish();
  }
}
BENCHMARK(BM_SpiderTableFrameDrawn)->Unit(benchmark::kMillisecond);

// Program start (window, device, shell, the player's graphics from the
// generated deck) to a dealt table drawn once. A deal whose first table
// starts autoplay flights would add their frames (the harness plays them
// out), so deal 1, which has none, is dealt every time.
void BM_StartToDealtTable(benchmark::State& state) {
  if (!GameHarness::HaveDisplay()) {
    state.SkipWithError("no X display");
    return;
  }
  CloseSpiderTable();
  const std::string folder = BenchFolder("start");
  {
    // The first start makes the player and its generated deck.
    GameHarness first(folder);
    if (!first.Start(1024, 768) || !first.Deal(kGameKlondike, 1)) {
      state.SkipWithError("the first start failed");
      return;
    }
  }
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    GameHarness h(folder);
    h.UseDeckCache(false);
    h.UseVolumePulse(false);
    if (!h.Start(1024, 768) || !h.Deal(kGameKlondike, 1)) {
      state.SkipWithError("a start failed");
      return;
    }
    h.Frame();
    glFinish();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    h.Stop();
  }
}
BENCHMARK(BM_StartToDealtTable)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// A new player's deck generated from nothing at a card quality.
void BM_ColdDeckGeneration(benchmark::State& state) {
  CloseSpiderTable();
  const std::string folder = BenchFolder("generate");
  setenv("HOME", folder.c_str(), 1);
  setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
  fs::create_directories(folder + "/Documents");
  std::error_code ignored;
  fs::create_directory_symlink(std::string(CARDOLIA_BUILD_DIR) + "/Data", folder + "/Data", ignored);
  fs::create_directories(folder + "/DeckGen");
  fs::current_path(folder);
  PrefFolderSetup("Free Cardolia 3D", false, nullptr);
  CardsDecksResetForTests();
  CardsGenerateResetForTests();
  if (!CardsDecksSetPaths("Data\\DeckSettings", "Data\\Elements", nullptr, "DeckGen") ||
      CardsDecksGetNumStandardDecks() < 1) {
    state.SkipWithError("no decks");
    return;
  }
  DecksControlSetBackElements(false);
  // A new player's deck (the profile's default) in two colours.
  const int deck = UserRecord().currentDeck;
  const std::string pictures = folder + "/DeckGen/2Cols/" + CardsDecksGetDeckName(deck);
  const int quality = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(pictures);
    CardsDecksSetTextureSizeForQuality(quality, 0);
    state.ResumeTiming();
    if (!CardsDecksGenerateDeckIfNeeded(deck, 0, false)) {
      state.SkipWithError("generation failed");
      return;
    }
  }
}
BENCHMARK(BM_ColdDeckGeneration)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  CloseSpiderTable();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::current_path(fs::temp_directory_path(), ignored);
  fs::remove_all(BenchRoot(), ignored);
  return 0;
}
