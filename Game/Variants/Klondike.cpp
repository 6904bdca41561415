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
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"

namespace {

constexpr float kStockSpeed = 0.6f;

// What tells the family's games apart.
struct KlondikeMember {
  int game;
  bool twoDecks;      // 104 cards, nine piles, eight foundations
  int turned;         // cards a stock click turns to the waste
  bool wasteBack;     // the empty stock turns the waste back, without limit
  int build;          // the tableau's build rule (pick-up and drop)
  bool kingSpaces;    // only a king goes into a space
};
constexpr KlondikeMember kMembers[] = {
    {.game = kGameDoubleKlondike, .twoDecks = true, .turned = 3, .wasteBack = true,
     .build = kRuleDownOtherColour, .kingSpaces = true},
    {.game = kGameKlondike, .twoDecks = false, .turned = 3, .wasteBack = true, .build = kRuleDownOtherColour,
     .kingSpaces = true},
    {.game = kGameKlondike2, .twoDecks = false, .turned = 3, .wasteBack = true, .build = kRuleDownOtherColour,
     .kingSpaces = false},
    {.game = kGameLasVegas, .twoDecks = false, .turned = 1, .wasteBack = false, .build = kRuleDownOtherColour,
     .kingSpaces = true},
    {.game = kGameLasVegas2, .twoDecks = false, .turned = 1, .wasteBack = true, .build = kRuleDownOtherColour,
     .kingSpaces = true},
    {.game = kGameThumbAndPouch, .twoDecks = false, .turned = 1, .wasteBack = false,
     .build = kRuleDownOtherSuit, .kingSpaces = false},
};

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

}  // namespace

bool KlondikeSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  const KlondikeMember& m = GenFamilyMember(kMembers);
  return GenStockClick(down, {.cards = m.turned, .speed = kStockSpeed, .finish = GenStdAutoplay,
                              .whenEmpty = m.wasteBack ? kEmptyStockWasteBack : kEmptyStockIgnored});
}

void KlondikeSetup() {
  const KlondikeMember& m = GenFamilyMember(kMembers);
  const bool twoDecks = m.twoDecks;
  if (!GenBeginVariantSetup(twoDecks ? 104 : 52, twoDecks ? 45 : 28, 3, 1.0f)) return;
  const int build = m.build;
  const bool kingSpaces = m.kingSpaces;
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
