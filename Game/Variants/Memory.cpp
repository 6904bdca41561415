// Memory.cpp - the Memory games: Memory (13 pairs) and Memory 2 (26 pairs),
// one set-up routine told apart by their rows below.
//
// The pairs lie face down in a grid; the player turns two cards face up;
// a matching pair leaves the table, any other pair is turned back. Both
// wait a second on view first: a pause in the moves (AnimStartPause), so
// the table keeps drawing and nothing else can happen meanwhile.
//
// The two-deck stock keeps the cards this game does not use; it is not
// shown.
//
// Layout values (Data/Main/0110.dat, one entry per game): x 0 the gap
// between places, x 1 the x the grid is centred on, x 2 the x of the
// matched pairs, x 3 the places per row, in card widths (x 3 a count); y 0
// how far the first row lies below the top row, y 1 the gap between rows,
// y 2 how far the matched pairs lie below the top row, in card heights.
#include "Game/Variants/Memory.h"

#include <utility>
#include <vector>

#include "Engine/EngRand.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenQuickMove.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kMixSwaps = 104;
constexpr float kTurnSpeed = 0.3f;
constexpr float kRemoveSpeed = 0.3f;

// What tells the two games apart.
struct MemoryMember {
  int game;
  int places;        // cards in the grid (two of each)
  float dealSpeed;
};
constexpr MemoryMember kMembers[] = {
    {.game = kGameMemory, .places = 26, .dealSpeed = 1.0f},
    {.game = kGameMemory2, .places = 52, .dealSpeed = 1.5f},
};

struct Kind {
  int suit, rank;
};

// The places holding exactly one face-up card: how many, and the first.
int FaceUpPlaces(int* first) {
  const Gen& g = g_GenLive;
  int count = 0;
  *first = -1;
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& pile = g.tableaus[t];
    if (pile.numCards != 1 || !pile.cards[0].faceUp) continue;
    if (count++ == 0) *first = t;
  }
  return count;
}

bool AnyCardOnTheTable() {
  const Gen& g = g_GenLive;
  for (int t = 0; t < g.numTableaus; ++t) {
    if (g.tableaus[t].numCards > 0) return true;
  }
  return false;
}

bool RemoveFirst(int, int) {
  int first;
  if (FaceUpPlaces(&first) < 1) return MemoryRemovePair(0, 0);
  if (AnimSetupMoveNCardsFromTableauToReserve(1, first, 0, kRemoveSpeed, true)) {
    AnimSetFinishCB(MemoryRemovePair);
  }
  return true;
}

bool TurnBack(int a, int b);

// Turns the first face-up card down, then looks again.
bool TurnBackOne(int, int) {
  int first;
  if (FaceUpPlaces(&first) < 1) return false;
  if (AnimSetupTurnOverCardInTableau(first, kTurnSpeed, true)) AnimSetFinishCB(TurnBack);
  return true;
}

// Two face-up cards that differ: a look, then each is turned down.
bool TurnBack(int, int) {
  int first;
  const int up = FaceUpPlaces(&first);
  if (up < 1) return false;
  if (up >= 2) return AnimStartPause(kMemoryLookSeconds, TurnBackOne);
  return TurnBackOne(0, 0);
}

}  // namespace

bool MemoryDealFunc(int, int) {
  Gen& g = g_GenLive;
  CardGroup& deck = g.deck;
  const int n = g.dealGroup.numCards;
  if (!g.ready || n < 2 || n % 2 != 0 || n > deck.numCards || n > g.numTableaus) return false;
  // Deal card k is deck slot top - k. The first n / 2 kinds met from the
  // top, then their duplicates, then every other card in its order.
  const int top = deck.numCards - 1;
  std::vector<Kind> order;
  std::vector<bool> taken(static_cast<size_t>(deck.numCards), false);
  bool chosen[4][14] = {};
  for (int slot = top; slot >= 0 && static_cast<int>(order.size()) < n / 2; --slot) {
    const Card& c = deck.cards[slot];
    if (c.suit < 0 || c.suit > 3 || c.rank < 1 || c.rank > 13 || chosen[c.suit][c.rank]) continue;
    chosen[c.suit][c.rank] = true;
    taken[static_cast<size_t>(slot)] = true;
    order.push_back({c.suit, c.rank});
  }
  if (static_cast<int>(order.size()) < n / 2) return false;
  for (int i = 0; i < n / 2; ++i) {
    const Kind kind = order[static_cast<size_t>(i)];
    for (int slot = top; slot >= 0; --slot) {
      const Card& c = deck.cards[slot];
      if (taken[static_cast<size_t>(slot)] || c.suit != kind.suit || c.rank != kind.rank) continue;
      taken[static_cast<size_t>(slot)] = true;
      order.push_back(kind);
      break;
    }
  }
  if (static_cast<int>(order.size()) < n) return false;  // a deck without duplicates
  // Mix the n dealt cards among themselves: seeded by the deal number, so
  // the same number deals the same grid.
  EngRandSeed(g.dealNumber);
  for (int i = 0; i < kMixSwaps; ++i) {
    const int a = static_cast<int>(EngRandGetNext() % static_cast<uint32_t>(n));
    int b;
    do {
      b = static_cast<int>(EngRandGetNext() % static_cast<uint32_t>(n));
    } while (b == a);
    std::swap(order[static_cast<size_t>(a)], order[static_cast<size_t>(b)]);
  }
  for (int slot = top; slot >= 0; --slot) {
    if (!taken[static_cast<size_t>(slot)]) {
      order.push_back({deck.cards[slot].suit, deck.cards[slot].rank});
    }
  }
  for (int k = 0; k < deck.numCards; ++k) {
    deck.cards[top - k].SetSuitAndRank(order[static_cast<size_t>(k)].suit,
                                       order[static_cast<size_t>(k)].rank);
  }
  deck.MarkChanged();
  for (int k = 0; k < n; ++k) {
    g.dealPlan[k] = GenTableauCode(k + 1);
    g.dealGroup.cards[k].faceUp = 0;
  }
  g.dealGroup.MarkChanged();
  return true;
}

bool MemorySelection(int, int down) {
  Gen& g = g_GenLive;
  int first;
  if (!down || g.selection.numCards > 0 || GenIsQuickMoveSearching()) return false;
  if (FaceUpPlaces(&first) > 1) return false;
  const int hit = GenGetCurrentHitWhere();
  const int card = GenGetCurrentHitCard();
  if (GenGetKindBase(hit) != kWhereTableau) return false;
  const int place = hit - kWhereTableau;
  if (place >= g.numTableaus || g.tableaus[place].numCards != 1 || card != 0) return false;
  if (g.tableaus[place].cards[0].faceUp) return false;
  return AnimSetupTurnOverCardInTableau(place, kTurnSpeed, false);
}

bool MemoryAutoplay(int, int) {
  Gen& g = g_GenLive;
  // A turn still in the air: its end runs this step again.
  if (g.gameOver || AnimIsAnimating()) return false;
  int first;
  if (FaceUpPlaces(&first) != 2) return false;
  const Card& a = g.tableaus[first].cards[0];
  for (int t = first + 1; t < g.numTableaus; ++t) {
    const CardGroup& pile = g.tableaus[t];
    if (pile.numCards != 1 || !pile.cards[0].faceUp) continue;
    if (pile.cards[0].suit == a.suit && pile.cards[0].rank == a.rank) return MemoryRemovePair(0, 0);
    break;
  }
  return TurnBack(0, 0);
}

bool MemoryRemovePair(int, int) {
  if (!AnyCardOnTheTable()) {
    GenGameWon();
    return true;
  }
  int first;
  const int up = FaceUpPlaces(&first);
  if (up < 1) return false;
  if (up >= 2) return AnimStartPause(kMemoryLookSeconds, RemoveFirst);
  return RemoveFirst(0, 0);
}

void MemorySetup() {
  const MemoryMember& m = GenFamilyMember(kMembers);
  const int places = m.places;
  if (!GenBeginVariantSetup(104, places, 0, m.dealSpeed)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard}, {kRuleDropTableau, kRuleAnything}});
  GenSetLowestRank(1);
  GenSetDealCB(MemoryDealFunc);
  GenSetSelectionCB(MemorySelection);
  GenSetAutoplayCB(MemoryAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const int perRow = static_cast<int>(GenGameLayoutsGetCurGameXVar(3) + 0.5f);
  const int columns = perRow < 1 ? places : perRow;
  const float step = CardsGetCardWidth() + GenLayoutXCards(0);
  const float rowStep = CardsGetCardHeight() + GenLayoutYCards(1);
  const float firstRowY = c.topRowY - GenLayoutYCards(0);
  Gen& g = g_GenLive;
  g.numTableaus = places;
  for (int k = 0; k < places; ++k) {
    // The last row, when shorter, is centred too.
    const int row = k / columns;
    const int inRow = places - row * columns < columns ? places - row * columns : columns;
    const float x = GenLayoutXCards(1) +
                    (static_cast<float>(k % columns) - static_cast<float>(inRow - 1) / 2) * step;
    g.tableaus[k].SetupCardGroup({.x = x, .y = firstRowY - static_cast<float>(row) * rowStep,
                                  .z = GenGetTableHeight(), .where = GenTableauCode(k + 1)});
  }
  GenSetReserveOptions(1, 0, 1, 1, 0);
  GenSetSingleReservePosition(GenLayoutXCards(2), c.topRowY - GenLayoutYCards(2));
  GenSetDeckPosition(GenLayoutXCards(2), c.topRowY - GenLayoutYCards(2), 0, 0);
  GenSetReady();
}
