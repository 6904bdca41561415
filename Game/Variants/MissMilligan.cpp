// MissMilligan.cpp - Miss Milligan: two decks; one card dealt to each of
// eight piles and one card more to each at every stock click. Piles build
// down in alternating colours (runs move together), a space takes a king or
// a run headed by one; eight foundations build up in suit from the ace.
// Once the stock is empty a card or run may be put aside in the reserve
// column (built down in alternating colours too) and brought back later.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between piles (the foundations stand above them), x 1 the x of the
// middle of the tableau row, x 2 the stock's x, x 3 the reserve column's x;
// y 0 how far the tableau row and the reserve lie below the top row.
// y 1 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
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
#include "Game/SolCards.h"

namespace {

constexpr int kPiles = 8;
constexpr float kStockSpeed = 0.5f;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

bool MissMilliganAutoplay(int a, int b) { return GenStdAutoplay(a, b); }

bool MissMilliganSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdDrop(0, down, kWhereFoundation)) return true;
  // The reserve is open only once the stock is used up.
  if (g.deck.numCards == 0 && GenStdPickupOrDrop(0, down, kWhereReserve)) return true;
  return GenStockClick(down, {.to = kWhereTableau, .cards = g.numTableaus, .speed = kStockSpeed,
                              .finish = GenStdAutoplay, .whenEmpty = kEmptyStockIdle});
}

}  // namespace

void MissMilliganSetup() {
  if (!GenBeginVariantSetup(104, kPiles, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleDownOtherColour},
                   {kRulePickupReserve, kRuleDownOtherColour},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownOtherColour},
                   {kRuleDropReserve, kRuleDownOtherColour},
                   {kRuleDropEmptyTableau, kRuleKingOnly}});
  SolCardsSetSpaceRankOptions(13, 0);

  GenSetDealCB(PlanForward);
  GenSetSelectionCB(MissMilliganSelection);
  GenSetAutoplayCB(MissMilliganAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  const float rowY = top - GenLayoutYCards(0);
  GenStdSetNFoundationsPosition(kPiles, 13, GenLayoutXCards(1), top, GenLayoutXCards(0), 0,
                                true, 1, 1);
  GenStdSetNTableausPosition(kPiles, GenLayoutXCards(1), rowY, GenLayoutXCards(0), 1);
  GenSetReserveOptions(1, 1, 1, 0, 0);
  GenSetSingleReservePosition(GenLayoutXCards(3), rowY);
  GenSetDeckPosition(GenLayoutXCards(2), top, 1, 0);
  GenSetReady();
}
