// Giant.cpp - Giant: two decks; one card dealt face up to each of eight
// piles, and eight more at every stock click. Piles build down in
// alternating colours (runs move together), any card or run into a space;
// eight foundations build up in suit from the ace, and once the stock is
// empty their top cards may be taken back onto the piles.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between piles (the foundations stand above them), x 1 the x of the
// middle of the tableau row, x 2 the stock's x; y 0 how far the tableau row
// lies below the top row.
// y 1 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Engine/Debug.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kPiles = 8;
constexpr float kStockSpeed = 0.7f;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

// Lifting from a foundation (rule 14): only once the stock is empty.
bool GiantFoundationPickupCustomCB(int target, int, int dropping, int, int) {
  if (dropping || GenGetKindBase(target) != kWhereFoundation) {
    DebugError("GiantFoundationPickupCustomCB", "Internal Error");
    return false;
  }
  return g_GenLive.deck.numCards == 0;
}

bool GiantSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  // A deal is left to its end: the click itself is not taken.
  return GenStockClick(down, {.to = kWhereTableau, .cards = kPiles, .speed = kStockSpeed, .finish = GenStdAutoplay,
                              .takenWhenMoving = false});
}

}  // namespace

void GiantSetup() {
  if (!GenBeginVariantSetup(104, kPiles, 1, 0.7f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleCustom},
                   {kRulePickupTableau, kRuleDownOtherColour},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownOtherColour}});

  GenSetDealCB(PlanForward);
  GenSetCustomRuleCB(GiantFoundationPickupCustomCB);
  GenSetSelectionCB(GiantSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(kPiles, 13, GenLayoutXCards(1), top, GenLayoutXCards(0), 0,
                                true, 1, 1);
  GenStdSetNTableausPosition(kPiles, GenLayoutXCards(1), top - GenLayoutYCards(0),
                             GenLayoutXCards(0), 1);
  GenSetDeckPosition(GenLayoutXCards(2), top, 1, 0);
  GenSetReady();
}
