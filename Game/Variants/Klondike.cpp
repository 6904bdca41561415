// Klondike.cpp - the Klondike family: Klondike, Klondike (Easier), Double
// Klondike, Las Vegas Cardolia, Las Vegas Cardolia 2 and Thumb and Pouch.
//
// Seven (Double Klondike: nine) tableau piles dealt as a staircase with the
// top card of each face up; the rest is the stock, turned to the waste one
// or three cards at a time and, where the game allows it, turned back over
// without limit.
//
// Layout values (Data/Main/0110.dat; the Klondike entry also serves Klondike
// (Easier) and both Las Vegas games): x 0 the gap between tableau piles, x 1
// the stock's x, x 2 the waste's x, x 3 the first foundation's x, x 4 the
// gap between foundations, all in card widths; y 0 how far the tableau row
// lies below the top row, in card heights;
// y 1 how far the top row lies below the layout constants' top row.
#include "Game/Variants/Klondike.h"

#include "Game/GenAutoplay.h"
#include "Game/GenDeal.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"

namespace {

constexpr float kStockSpeed = 0.6f;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

}  // namespace

int KlondikeTurnCount(int game) {
  return game == kGameDoubleKlondike || game == kGameKlondike || game == kGameKlondike2 ? 3 : 1;
}

bool KlondikeTurnsWasteBack(int game) {
  return game != kGameLasVegas && game != kGameThumbAndPouch;
}

bool KlondikeSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  const int game = GenGetCurGame();
  return GenStockClick(down, {.cards = KlondikeTurnCount(game), .speed = kStockSpeed, .finish = GenStdAutoplay,
                              .whenEmpty = KlondikeTurnsWasteBack(game) ? kEmptyStockWasteBack : kEmptyStockIgnored});
}

void KlondikeSetup() {
  const int game = GenGetCurGame();
  const bool twoDecks = game == kGameDoubleKlondike;
  if (!GenBeginVariantSetup(twoDecks ? 104 : 52, twoDecks ? 45 : 28, 3, 1.0f)) return;
  const int build = game == kGameThumbAndPouch ? kRuleDownOtherSuit : kRuleDownOtherColour;
  const bool kingSpaces = game != kGameKlondike2 && game != kGameThumbAndPouch;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleAnything},
                   {kRulePickupWaste, kRuleAnything},
                   {kRulePickupTableau, build},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, build},
                   {kRuleDropWaste, kRuleNone},
                   {kRuleDropEmptyTableau, kingSpaces ? kRuleKingOnly : kRuleAnything}});
  if (kingSpaces) SolCardsSetSpaceRankOptions(13, 0);

  GenSetDealCB(PlanForward);
  GenSetSelectionCB(KlondikeSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(twoDecks ? 8 : 4, 13, GenLayoutXCards(3), top,
                                GenLayoutXCards(4), 0, false, 1, 1);
  GenStdSetNTableausPosition(twoDecks ? 9 : 7, 0, top - GenLayoutYCards(0),
                             GenLayoutXCards(0), 1);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetWastePosition(GenLayoutXCards(2), top, 1, 1);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
