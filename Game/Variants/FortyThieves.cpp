// FortyThieves.cpp - the Forty Thieves family: Forty Thieves, Forty Thieves
// (Easier), Number Ten and Streets; Waning Moon (WaningMoon.cpp) runs this
// set-up first.
//
// Two decks; forty cards (Waning Moon 39) dealt to the tableau, the rest
// turned from the stock one at a time with no redeal. The games differ in
// the tableau rule: Forty Thieves moves single cards and builds in suit,
// the Easier game moves any run, Number Ten and Streets build by alternate
// colour (Number Ten moving runs, Streets single cards).
//
// Layout values (Data/Main/0110.dat): x 0 the gap between tableau piles,
// x 1 the x of the stock and the waste below it, x 2 the first foundation's
// x, x 3 the gap between foundations, x 4 the middle of the tableau row, in
// card widths; y 0 how far the tableau row lies below the top row, y 1 how
// far the stock lies below the top row, y 2 how far the waste lies below
// the stock, y 4 how far the top row lies below the layout constants' top
// row, in card heights.
#include "Game/Variants/FortyThieves.h"

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

namespace {

constexpr float kStockSpeed = 0.7f;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

// What tells the family's games apart (Waning Moon's own rules follow in
// its file).
struct FortyThievesMember {
  int game;
  int tableaus;           // piles of the tableau
  int dealt;              // cards dealt to them
  bool halfFaceDown;      // the first half of the deal lies face down
  int pickup;             // the tableau's pick-up rule
  int build;              // the tableau's drop rule
};
constexpr FortyThievesMember kMembers[] = {
    {.game = kGameFortyThieves, .tableaus = 10, .dealt = 40, .halfFaceDown = false,
     .pickup = kRuleSingleCard, .build = kRuleDownSameSuit},
    {.game = kGameFortyThievesEasier, .tableaus = 10, .dealt = 40, .halfFaceDown = false,
     .pickup = kRuleAnything, .build = kRuleDownSameSuit},
    {.game = kGameNumberTen, .tableaus = 10, .dealt = 40, .halfFaceDown = true,
     .pickup = kRuleDownOtherColour, .build = kRuleDownOtherColour},
    {.game = kGameStreets, .tableaus = 10, .dealt = 40, .halfFaceDown = false,
     .pickup = kRuleSingleCard, .build = kRuleDownOtherColour},
    {.game = kGameWaningMoon, .tableaus = 13, .dealt = 39, .halfFaceDown = false,
     .pickup = kRuleSingleCard, .build = kRuleDownSameSuit},
};

}  // namespace

bool NumberTenDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  const int piles = g.numTableaus;
  if (!g.ready || piles < 1 || n < 1 || n > g.deck.numCards) return false;
  for (int k = 0; k < n; ++k) {
    g.dealPlan[k] = GenTableauCode(k % piles + 1);
    g.dealGroup.cards[k].faceUp = k < n / 2 ? 0 : 1;
  }
  return true;
}

bool FortyThievesSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  return GenStockClick(down, {.speed = kStockSpeed, .finish = GenStdAutoplay, .whenEmpty = kEmptyStockIdle});
}

void FortyThievesSetup() {
  const FortyThievesMember& m = GenFamilyMember(kMembers);
  if (!GenBeginVariantSetup(104, m.dealt, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleAnything},
                   {kRulePickupWaste, kRuleAnything},
                   {kRulePickupTableau, m.pickup},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, m.build},
                   {kRuleDropWaste, kRuleNone},
                   {kRuleDropEmptyTableau, kRuleAnything}});

  GenSetDealCB(m.halfFaceDown ? NumberTenDeal : PlanForward);
  GenSetSelectionCB(FortyThievesSelection);

  const float top = GenGetLayoutConstants().topRowY - GenLayoutYCards(4);
  GenStdSetNFoundationsPosition(8, 13, GenLayoutXCards(2), top, GenLayoutXCards(3), 0, false, 1, 1);
  GenStdSetNTableausPosition(m.tableaus, GenLayoutXCards(4), top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  const float stockY = top - GenLayoutYCards(1);
  GenSetDeckPosition(GenLayoutXCards(1), stockY, 1, 0);
  GenSetWastePosition(GenLayoutXCards(1), stockY - GenLayoutYCards(2), 1, 1);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
