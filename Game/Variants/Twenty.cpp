// Twenty.cpp - Twenty: two decks; four foundations build up in suit from
// the aces, four down in suit from the kings (one ace and one king of each
// suit start them); twenty reserve piles are kept filled from the stock,
// and a click on the stock deals a card onto every one of them.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between foundations, x 1
// the gap between reserve piles, x 2 the stock's x, x 3 the x the
// foundation row is centred on, in card widths; y 0 how far the first
// reserve row lies below the top row, y 1 the step to the second reserve
// row, y 2 how far the top row lies below the layout constants' top row,
// in card heights.
#include "Game/Variants/Twenty.h"

#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kFoundations = 8;
constexpr int kReserves = 20;
constexpr int kReservesPerRow = 10;
constexpr int kBases = 8;  // an ace and a king of each suit
constexpr float kStockSpeed = 0.7f;
constexpr float kFillSpeed = 0.7f;

// The foundation number (from 1) an ace or a king of a suit starts.
int BaseFoundation(const Card& card) { return card.rank == 1 ? card.suit + 1 : card.suit + 5; }

}  // namespace

bool TwentySetupDeal(int, int) {
  Gen& g = g_GenLive;
  CardGroup& deck = g.deck;
  const int n = g.dealGroup.numCards;
  if (!g.ready || n < kBases || n > deck.numCards || g.numReserves < 1) return false;
  // Deal card k is deck slot top - k: bring one ace and one king of each
  // suit into the first eight of them, in the order they are found.
  const int top = deck.numCards - 1;
  bool placed[kBases + 1] = {};  // by base foundation number
  int next = 0;
  for (int slot = top; slot >= 0 && next < kBases; --slot) {
    const Card& card = deck.cards[slot];
    if (card.rank != 1 && card.rank != 13) continue;
    const int base = BaseFoundation(card);
    if (placed[base]) continue;
    placed[base] = true;
    CardsSwapCards(&deck.cards[slot], &deck.cards[top - next], false);
    ++next;
  }
  deck.MarkChanged();
  for (int k = 0; k < n; ++k) {
    g.dealPlan[k] = k < kBases ? GenFoundationCode(BaseFoundation(deck.cards[top - k]))
                               : GenReserveCode((k - kBases) % g.numReserves + 1);
    g.dealGroup.cards[k].faceUp = 1;
  }
  g.dealGroup.MarkChanged();
  return true;
}

bool TwentyDropVeto(int target) {
  if (GenGetKindBase(target) != kWhereReserve) return true;
  const CardGroup* pile = GenGetGroup(g_GenLive, target);
  return pile && pile->numCards == 0;
}

bool TwentySelection(int, int down) {
  if (GenStdPickup(0, down, kWhereReserve)) return true;
  if (GenStdDrop(0, down, kWhereReserve)) return true;
  if (GenStdDrop(0, down, kWhereFoundation)) return true;
  // A deal is left to its end: the click itself is not taken.
  return GenStockClick(down,
                       {.to = kWhereReserve, .cards = kReserves, .speed = kStockSpeed, .takenWhenMoving = false});
}

bool TwentyAutoplay(int, int) {
  Gen& g = g_GenLive;
  GenStdAutoplay(0, 0);
  if (g.gameOver || AnimIsAnimating()) return true;
  if (g.deck.numCards < 1) return false;
  for (int r = 0; r < g.numReserves; ++r) {
    if (g.reserves[r].numCards > 0) continue;
    if (AnimSetupMoveNCardsFromDeckToReserve(1, r, false, kFillSpeed)) {
      AnimSetFinishCB(TwentyAutoplay);
    }
    return false;
  }
  return false;
}

void TwentySetup() {
  if (!GenBeginVariantSetup(104, kBases + kReserves, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupReserve, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleFoundationPairs},
                   {kRuleDropReserve, kRuleAnything}});
  GenSetDealCB(TwentySetupDeal);
  GenSetDropRuleCB(TwentyDropVeto);
  GenSetSelectionCB(TwentySelection);
  GenSetAutoplayCB(TwentyAutoplay);

  const float top = GenGetLayoutConstants().topRowY - GenLayoutYCards(2);
  GenStdSetNFoundationsPosition(kFoundations, 13, GenLayoutXCards(3), top, GenLayoutXCards(0),
                                0, true, 1, 1);
  GenSetDeckPosition(GenLayoutXCards(2), top, 1, 0);
  GenSetReserveOptions(1, 0, 1, 1, 0);
  // Two rows of ten centred on x = 0: the positioner sets the piles up, then
  // each takes its place in its row.
  const float firstRowY = top - GenLayoutYCards(0);
  GenStdSetNReservesPosition(kReserves, 0, firstRowY, GenLayoutXCards(1), 0, true);
  const float step = CardsGetCardWidth() + GenLayoutXCards(1);
  for (int r = 0; r < kReserves; ++r) {
    const int row = r / kReservesPerRow, column = r % kReservesPerRow;
    const float x = (static_cast<float>(column) - (kReservesPerRow - 1) / 2.0f) * step;
    GenSetPilePosition(GenReserveCode(r + 1), x, firstRowY - static_cast<float>(row) * GenLayoutYCards(1));
  }
  GenSetReady();
}
