// VariantPlay.cpp - the game settings of the variant tests and random play
// on a real game (see VariantPlay.h).
#include "tests/Game/Variants/VariantPlay.h"

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "Game/GameImports.h"
#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenCopy.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"

namespace {

// The shell's table (half width and height 30, top y 35) and the column
// bottom the card module sets (20.5 below the middle, less a table card).
constexpr float kTableHalf = 30.0f;
constexpr float kTableTopY = 35.0f;
constexpr float kColumnBottomY = -20.5f - 8.7f;

// Every pile a player can click, by code.
std::vector<int> ClickablePiles() {
  const Gen& g = g_GenLive;
  std::vector<int> piles;
  for (int i = 0; i < g.numTableaus; ++i) piles.push_back(kWhereTableau + i);
  for (int i = 0; i < g.numFoundations; ++i) piles.push_back(kWhereFoundation + i);
  for (int i = 0; i < g.numCells; ++i) piles.push_back(kWhereCell + i);
  for (int i = 0; i < g.numFans; ++i) piles.push_back(kWhereFan + i);
  for (int i = 0; i < g.numReserves; ++i) piles.push_back(kWhereReserve + i);
  if (g.wasteInUse) piles.push_back(kWhereWaste);
  if (g.deckInUse) piles.push_back(kWhereDeck);
  return piles;
}

// A cheap fingerprint of every pile's cards and faces.
uint64_t TableHash() {
  Gen& g = g_GenLive;
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
  GenForEachPileInUse(g, [&mix](CardGroup& pile, int kind) {
    mix(static_cast<uint64_t>(kind) << 32 | static_cast<uint32_t>(pile.numCards));
    for (int i = 0; i < pile.numCards; ++i) {
      const Card& c = pile.cards[i];
      mix(static_cast<uint64_t>(c.suit * 64 + c.rank * 2 + (c.faceUp ? 1 : 0)));
    }
  });
  return h;
}

// The calling thread's processor time in milliseconds: a quick move's cost
// without the time other processes took the processor away.
double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

// One quick-move click (the press runs the search and sets the move up);
// its thread time.
double QuickMoveMs(int where, int index) {
  const double start = ThreadMs();
  FixtureClick(where, index, 1);
  return ThreadMs() - start;
}

std::string Failure(int step, const std::string& what) {
  return "step " + std::to_string(step) + ": " + what + "\n" + FixtureDescribeGame();
}

}  // namespace

double VariantPlayStats::QuickMovePercentileMs(double share) const {
  long long seen = 0;
  for (int b = 0; b < kQuickBuckets; ++b) {
    seen += quickMoveBuckets[b];
    if (static_cast<double>(seen) >= share * static_cast<double>(quickMoves)) return (b + 1) * 0.05;
  }
  return kQuickBuckets * 0.05;
}

void VariantUseGameSettings() {
  GenSetTableValues(kTableHalf, kTableHalf, 0, kTableTopY);
  CardsSetDefaultColumnBottom(true, kColumnBottomY);
  FixtureUseRealLayouts();
  g_UserRecord.cardAnimationOn = 0;
  g_UserRecord.gatherCards = 0;
  EngProgramSetFrameTimeForTests(0.5f);
}

void VariantSettle() {
  for (int f = 0; f < 100000 && CardsAnimIsAnimating(); ++f) AnimTick();
}

void VariantDeal(int game, unsigned number) {
  GenSetCurGame(game);
  GenNewGameWithNumber(number, true);
  VariantSettle();
}

void VariantCountKinds(int counts[4][14]) {
  for (int s = 0; s < 4; ++s) {
    for (int r = 0; r < 14; ++r) counts[s][r] = 0;
  }
  Gen& g = g_GenLive;
  auto count = [counts](const CardGroup& pile) {
    for (int i = 0; i < pile.numCards; ++i) {
      const Card& c = pile.cards[i];
      const int rank = c.rank == 14 ? 1 : c.rank;
      if (c.suit >= 0 && c.suit < 4 && rank >= 1 && rank <= 13) ++counts[c.suit][rank];
    }
  };
  GenForEachPileInUse(g, [&count](CardGroup& pile, int) { count(pile); });
  count(g.selection);
}

int VariantAutoplayModeFor(int game, unsigned deal) {
  const GameDef& def = GenGameTable[game];
  if (!def.autoplay) return 0;
  const bool offered[4] = {true, def.autoplayLevel1 != 0, def.autoplayLevel2 != 0,
                           def.autoplayLevel3 != 0};
  for (int mode = static_cast<int>(deal % 4), tries = 0; tries < 4; ++tries, mode = (mode + 1) % 4) {
    if (offered[mode]) return mode;
  }
  return 0;
}

std::string VariantRandomPlay(int game, unsigned deal, int steps, VariantPlayStats* stats) {
  g_UserOptions.autoplayMode[game] = VariantAutoplayModeFor(game, deal);
  VariantDeal(game, deal);
  ++stats->deals;
  if (FixtureCountAllCards() != g_GenLive.deckSize) {
    return Failure(0, "dealt " + std::to_string(FixtureCountAllCards()) + " cards");
  }
  return VariantPlayOn(game, deal, steps, stats);
}

std::string VariantPlayOn(int game, unsigned seed, int steps, VariantPlayStats* stats) {
  Gen& g = g_GenLive;
  int dealt[4][14];
  VariantCountKinds(dealt);
  const int total = FixtureCountAllCards();
  std::mt19937 rng(seed * 2654435761u + static_cast<unsigned>(game));
  auto pick = [&rng](int n) { return n < 1 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n)); };
  uint64_t hash = TableHash();
  for (int step = 1; step <= steps && !g.gameOver; ++step) {
    // Some games add or close up piles in play: the piles of this step.
    const std::vector<int> piles = ClickablePiles();
    const int from = piles[static_cast<size_t>(pick(static_cast<int>(piles.size())))];
    CardGroup* pile = GenGetGroup(g, from);
    // Mostly a face-up card, now and then any card or the pile's own place.
    int firstUp = 0;
    while (firstUp < pile->numCards - 1 && !pile->cards[firstUp].faceUp) ++firstUp;
    int index = -1;
    if (pile->numCards > 0 && pick(8) != 0) {
      index = pick(4) == 0 ? pick(pile->numCards) : firstUp + pick(pile->numCards - firstUp);
    }
    switch (pick(12)) {
      case 0:
        FixtureClick(kWhereDeck, -1, 0);
        break;
      case 1:
      case 2:
      case 3: {
        // The same click again on the same table, with the working copies
        // as they were (their refresh is part of the cost): the least time
        // is the click's own, without what the machine's other work added.
        static Gen before[4];  // 4 MB each: kept for the run
        Gen* const records[4] = {&g, &GenQuickMoveCopy(), &GenPickupCopy(), &GenTrialScratch()};
        const double extraStart = ThreadMs();
        if (stats->quickMoveTimings > 1) {
          for (int r = 0; r < 4; ++r) GenCopyRecord(before[r], *records[r]);
        }
        double extra = ThreadMs() - extraStart;
        double ms = QuickMoveMs(from, index);
        const double againStart = ThreadMs();
        for (int again = 1; again < stats->quickMoveTimings; ++again) {
          CardsAnimCancelAll();
          AnimReset();
          for (int r = 0; r < 4; ++r) GenCopyRecord(*records[r], before[r]);
          ms = std::min(ms, QuickMoveMs(from, index));
        }
        stats->timingMs += extra + ThreadMs() - againStart;
        ++stats->quickMoves;
        if (ms > stats->worstQuickMoveMs) stats->worstQuickMoveMs = ms;
        if (ms > 2.0) ++stats->quickMovesOver2Ms;
        const int bucket = static_cast<int>(ms / 0.05);
        ++stats->quickMoveBuckets[bucket < VariantPlayStats::kQuickBuckets ? bucket : VariantPlayStats::kQuickBuckets - 1];
        break;
      }
      case 4:
        FixtureDrag(from, index, piles[static_cast<size_t>(pick(static_cast<int>(piles.size())))]);
        break;
      case 5:
      case 6:
      case 7: {
        // A legal drag: lift, then release over a pile of the drop list.
        FixtureClick(from, index, -1);
        if (g.selection.numCards > 0 && GenGetDropCandidateCount() > 0) {
          const GenCandidate* target = GenGetDropCandidate(pick(GenGetDropCandidateCount()));
          float x, y;
          FixtureCardPlace(target->kindBase + target->index, target->empty ? -1 : target->topIndex,
                           &x, &y);
          GenSetPointerTablePoint(x, y);
        }
        GenHandleSelection(0, 0, 0);
        break;
      }
      case 8:
        GenUndo();
        break;
      case 9:
        GenRedo();
        break;
      case 10: {
        float x, y;
        FixtureCardPlace(from, index, &x, &y);
        GenSetPointerTablePoint(x, y);
        GenSendClickedCardToFoundation();
        break;
      }
      default:
        FixtureClick(from, index, 0);
        break;
    }
    VariantSettle();
    ++stats->steps;
    if (FixtureCountAllCards() != total) {
      return Failure(step, "card count " + std::to_string(FixtureCountAllCards()));
    }
    if (g.selection.numCards != 0) return Failure(step, "cards left carried");
    if (!GenCheckOk()) return Failure(step, "GenCheckOk failed");
    int now[4][14];
    VariantCountKinds(now);
    for (int s = 0; s < 4; ++s) {
      for (int r = 1; r < 14; ++r) {
        if (now[s][r] != dealt[s][r]) return Failure(step, "card kinds changed");
      }
    }
    const uint64_t after = TableHash();
    if (after != hash) ++stats->moves;
    hash = after;
  }
  if (g.gameOver) ++stats->wins;
  return "";
}
