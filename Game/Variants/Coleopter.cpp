// Coleopter.cpp - Coleopter: two decks; the eight aces start the eight
// foundations, one above each of eight piles, and each foundation takes
// cards only from the pile beneath it, up in suit. The piles build down
// regardless of suit, but only a run in one suit moves together; a space
// takes any card or run. The stock turns one card at a time to the waste,
// once through; the waste's top card may be played onto the piles.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between piles (the foundations stand above them), x 1 the x of the
// middle of the row of piles, x 2 the x of the stock and the waste; y 0 how
// far the tableau row lies below the top row, y 1 the stock's y above the
// lower edge, y 2 how far the waste lies above the stock.
// y 3 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Engine/Debug.h"
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

constexpr int kPiles = 8;
constexpr float kStockSpeed = 0.6f;

// The eight cards dealt first become aces of suits 0, 1, 2, 3, 0, 1, 2, 3
// (each found further down the deck and swapped up); they go to the
// foundations, the next eight cards to the piles.
bool ColeopterDeal(int, int) {
  Gen& g = g_GenLive;
  CardGroup& deck = g.deck;
  const int n = g.dealGroup.numCards;
  if (!g.ready || n < 2 * kPiles || n > deck.numCards) return false;
  for (int k = 0; k < kPiles; ++k) {
    const int slot = deck.numCards - 1 - k;  // card k of the deal
    for (int p = slot; p >= 0; --p) {
      const Card& c = deck.cards[p];
      if (c.rank != 1 || c.suit != k % 4) continue;
      const int suit = deck.cards[slot].suit, rank = deck.cards[slot].rank;
      deck.cards[slot].SetSuitAndRank(c.suit, c.rank);
      deck.cards[p].SetSuitAndRank(suit, rank);
      break;
    }
  }
  deck.MarkChanged();
  for (int k = 0; k < n; ++k) {
    g.dealPlan[k] = k < kPiles ? GenFoundationCode(k + 1) : GenTableauCode((k - kPiles) % kPiles + 1);
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

// Drops on foundation i: one card from tableau pile i, of the foundation's
// suit and one rank higher.
bool ColeopterCustomRule(int target, int source, int dropping, int suit, int rank) {
  const char* where = "ColeopterCustomRule";
  const Gen& g = g_GenLive;
  if (!dropping || GenGetKindBase(target) != kWhereFoundation) {
    DebugError(where, "Bad Call (%d,%d,[%d,%d])", target, source, suit, rank);
    return false;
  }
  const int number = GenPileNumber(target);
  const CardGroup& pile = g.foundations[GenPileIndex(number)];
  if (pile.numCards < 1) {
    DebugError(where, "Empty Foundation [%d]", GenPileIndex(number));
    return false;
  }
  if (g.selection.numCards > 1 || source != GenTableauCode(number)) return false;
  const Card& top = pile.cards[pile.numCards - 1];
  return top.suit == suit && top.rank + 1 == rank;
}

bool ColeopterSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  return GenStockClick(down, {.speed = kStockSpeed, .finish = GenStdAutoplay, .whenEmpty = kEmptyStockFinishNow});
}

}  // namespace

void ColeopterSetup() {
  if (!GenBeginVariantSetup(104, 2 * kPiles, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleDownSameSuit},
                   {kRulePickupFoundation, kRuleNone},
                   {kRulePickupWaste, kRuleAnything},
                   {kRuleDropTableau, kRuleDownAnySuit},
                   {kRuleDropFoundation, kRuleCustom},
                   {kRuleDropWaste, kRuleNone}});

  GenSetDealCB(ColeopterDeal);
  GenSetCustomRuleCB(ColeopterCustomRule);
  GenSetSelectionCB(ColeopterSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(3);
  GenStdSetNFoundationsPosition(kPiles, 13, GenLayoutXCards(1), top, GenLayoutXCards(0), 0,
                                true, 1, 1);
  GenStdSetNTableausPosition(kPiles, GenLayoutXCards(1), top - GenLayoutYCards(0),
                             GenLayoutXCards(0), 1);
  const float stockY = c.lowerEdgeY + GenLayoutYCards(1);
  GenSetDeckPosition(GenLayoutXCards(2), stockY, 1, 0);
  GenSetWastePosition(GenLayoutXCards(2), stockY + GenLayoutYCards(2), 1, 1);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
