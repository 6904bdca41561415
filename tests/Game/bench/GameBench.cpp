// GameBench.cpp - how long a quick move takes to decide, and an autoplay
// chain to play out, on busy fixture tables (a two-deck Spider-like table,
// a Klondike-like table).
//
//   GameBench [--benchmark_filter=...]
//
// A quick move must decide well within one frame (16.7 ms at 60 frames a
// second); the worst case is a run that fits nowhere, for which every pile
// is tried.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCopy.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

// A scratch folder with the layouts file, made once.
void PrepareOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  std::string dir = (std::filesystem::temp_directory_path() / "cardolia-bench").string();
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  FixtureUseRealLayouts();
}

void Reset(int game) {
  PrepareOnce();
  CardsResetSettingsForTests();
  CardsAnimCancelAll();
  GameTimeResetForTests();
  g_UserRecord = UserRecord();
  g_UserRecord.cardAnimationOn = 0;
  g_UserOptions = UserOptions();
  EngProgramSetFrameTimeForTests(0.5f);
  EngProgramSetCurrentTimeForTests(0);
  GenSetCurGame(game);
  GenReset();
  AnimReset();
  AnimInit();
}

void Settle() {
  for (int f = 0; f < 100000 && CardsAnimIsAnimating(); ++f) AnimTick();
}

// A dealt table played on a little (every face-up top card quick-moved
// once), so that the columns are long.
void BusyTable(void (*setup)(), int game, unsigned deal) {
  Reset(game);
  GenSetSetupOverrideForTests(setup);
  GenNewGameWithNumber(deal, true);
  Settle();
  Gen& g = g_GenLive;
  for (int round = 0; round < 3; ++round) {
    for (int t = 0; t < g.numTableaus; ++t) {
      if (g.tableaus[t].numCards > 0) FixtureClick(kWhereTableau + t, g.tableaus[t].numCards - 1, 1);
      Settle();
    }
    if (g.deckInUse && g.deck.numCards > 0) {
      FixtureClick(kWhereDeck, -1, 0);
      Settle();
    }
  }
}

// The tableau whose top card no other pile takes (every target is tried),
// or -1.
int TableauThatFitsNowhere() {
  Gen& g = g_GenLive;
  for (int t = 0; t < g.numTableaus; ++t) {
    CardGroup& pile = g.tableaus[t];
    if (pile.numCards < 1) continue;
    const std::string before = FixtureDescribeGame();
    FixtureClick(kWhereTableau + t, pile.numCards - 1, 1);
    const bool moved = CardsAnimIsAnimating();
    CardsAnimCancelAll();
    AnimReset();
    if (!moved && FixtureDescribeGame() == before) return t;
    GenCopyRecord(g_GenLive, GenQuickMoveCopy());
  }
  return -1;
}

void QuickMove(benchmark::State& state, void (*setup)(), int game, unsigned deal) {
  BusyTable(setup, game, deal);
  const int t = TableauThatFitsNowhere();
  if (t < 0) {
    state.SkipWithError("no tableau without a target");
    return;
  }
  Gen& g = g_GenLive;
  const Gen start = g;
  float x, y;
  FixtureCardPlace(kWhereTableau + t, g.tableaus[t].numCards - 1, &x, &y);
  GenSetPointerTablePoint(x, y);
  for (auto _ : state) {
    GenHandleSelection(1, 1, 0);  // the quick move's press: the whole search
    state.PauseTiming();
    CardsAnimCancelAll();
    AnimReset();
    GenCopyRecord(g, start);
    state.ResumeTiming();
  }
}

// Every card in suit runs from the king down to the ace, one run per
// tableau: autoplay (mode 3) plays them all to the foundations, one
// animated move after the other.
void AutoplayChain(benchmark::State& state, void (*setup)(), int game, int runs) {
  Reset(game);
  GenSetSetupOverrideForTests(setup);
  GenInit();
  g_UserOptions.autoplayMode[game] = 3;
  std::string text;
  const char* suits = "hsdc";
  for (int r = 0; r < runs; ++r) {
    text += 'T';
    text += std::to_string(r);
    text += ':';
    for (const char* rank = "KQJT98765432A"; *rank; ++rank) {
      text += " ";
      text += *rank;
      text += suits[r % 4];
      text += "*";
    }
    text += ";";
  }
  const Gen empty = g_GenLive;
  int moves = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CardsAnimCancelAll();
    AnimReset();
    g_GenLive = empty;
    FixtureBuild(text);
    state.ResumeTiming();
    GenStdAutoplay(0, 0);
    Settle();
    state.PauseTiming();
    moves = 0;
    for (int f = 0; f < g_GenLive.numFoundations; ++f) moves += g_GenLive.foundations[f].numCards;
    state.ResumeTiming();
  }
  state.counters["cards"] = moves;
}

void BM_QuickMoveSpider(benchmark::State& state) {
  QuickMove(state, FixtureSpiderPlaySetup, kGameSpider, 8);
}
void BM_QuickMoveKlondike(benchmark::State& state) {
  QuickMove(state, FixtureKlondikePlaySetup, kGameKlondike, 3);
}
void BM_AutoplayChainSpider(benchmark::State& state) {
  AutoplayChain(state, FixtureSpiderPlaySetup, kGameSpider, 8);
}
void BM_AutoplayChainKlondike(benchmark::State& state) {
  AutoplayChain(state, FixtureKlondikePlaySetup, kGameKlondike, 4);
}

BENCHMARK(BM_QuickMoveSpider)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuickMoveKlondike)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AutoplayChainSpider)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoplayChainKlondike)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
