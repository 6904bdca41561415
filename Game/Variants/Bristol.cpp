// Bristol.cpp - Bristol: eight fans of three cards; their top cards build
// down regardless of suit, one card at a time, and an empty fan stays
// empty. Four foundations build up from the ace regardless of suit. Each
// stock click deals one card onto each of three reserve piles, whose top
// cards are in play.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between foundations, x 1 a fan's length, x 2 the gap between fans,
// x 3 the step between a fan's cards, x 4 the gap between reserve piles,
// x 5 the stock's x; y 0 how far the first fan row lies below the top row,
// y 1 the gap between the fan rows, y 2 the reserve row's and the stock's y
// above the lower edge.
// y 3 how far the top row lies below the layout constants' top row (it
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

namespace {

constexpr int kFans = 8;
constexpr int kReserves = 3;
constexpr float kStockSpeed = 0.7f;

bool PlanToFans(int, int) { return GenPlanDealToFans() != 0; }

bool BristolSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereFan)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereReserve)) return true;
  return GenStockClick(down, {.to = kWhereReserve, .cards = kReserves, .speed = kStockSpeed,
                              .whenEmpty = kEmptyStockIdle});
}

}  // namespace

void BristolSetup() {
  if (!GenBeginVariantSetup(52, 3 * kFans, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFan, kRuleSingleCard},
                   {kRulePickupReserve, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpAnySuit},
                   {kRuleDropFan, kRuleDownAnySuit},
                   {kRuleDropReserve, kRuleNone},
                   {kRuleDropEmptyFan, kRuleNothingOnEmpty}});

  GenSetDealCB(PlanToFans);
  GenSetSelectionCB(BristolSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(3);
  const float lowY = c.lowerEdgeY + GenLayoutYCards(2);
  GenStdSetNFoundationsPosition(4, 13, 0, top, GenLayoutXCards(0), 0, true, 1, 1);
  GenStdSetFanRows(kFans, kFans / 2, 0, top - GenLayoutYCards(0), GenLayoutXCards(1),
                         GenLayoutXCards(2), GenLayoutYCards(1), GenLayoutXCards(3));
  GenSetReserveOptions(1, 0, 1, 1, 0);
  GenStdSetNReservesPosition(kReserves, 0, lowY, GenLayoutXCards(4), 0, true);
  GenSetDeckPosition(GenLayoutXCards(5), lowY, 1, 0);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
