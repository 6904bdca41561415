// NewYork.cpp - New York: two decks. The first card dealt starts foundation
// 1 and sets the base rank of all eight foundations (up in suit from it,
// going on from king to ace; the ranks wrap in the tableau too); one card
// each goes to the eight piles, from the last. The stock lies face up: its
// top card may be played onto a pile, a foundation, or one of three reserve
// piles, whose top cards are in play again later. Piles build down in
// alternating colours, one card at a time; a space takes a single card
// from the stock or a reserve pile only.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between piles, x 1 the x of the stock and of the first reserve pile
// (the reserves stand in a row below the stock), x 2 the x of the middle of
// the tableau row (the foundations stand above it); y 0 how far the tableau
// row and the reserves lie below the top row.
// y 1 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Engine/Debug.h"
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
constexpr int kReserves = 3;

bool PlanBackward(int, int) { return GenPlanDealBackward() != 0; }

// A space takes a single card from the stock or a reserve pile.
bool NewYorkTableauSpaceCustomCB(int target, int source, int dropping, int, int) {
  if (!dropping || GenGetKindBase(target) != kWhereTableau) {
    DebugError("NewYorkTableauSpaceCustomCB", "Internal Error");
    return false;
  }
  const int from = GenGetKindBase(source);
  return (from == kWhereDeck || from == kWhereReserve) && g_GenLive.selection.numCards == 1;
}

// A reserve pile takes only a single card from the stock; anything may be
// lifted.
bool NewYorkReservePairRule(int, int, int dropping, int, int, int, int) {
  const Gen& g = g_GenLive;
  if (!dropping) return true;
  return g.selection.numCards == 1 && g.selectionSource == kWhereDeck;
}

bool NewYorkSelection(int quick, int down) {
  const Gen& g = g_GenLive;
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereDeck)) return true;
  if (GenStdPickup(0, down, kWhereReserve)) return true;
  if (!down && !quick && g.selection.numCards > 0 && g.selectionSource == kWhereDeck) {
    return GenStdDrop(0, down, kWhereReserve);
  }
  return false;
}

}  // namespace

void NewYorkSetup() {
  if (!GenBeginVariantSetup(104, 1 + kPiles, 1, 0.5f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRulePickupReserve, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownOtherColour},
                   {kRuleDropReserve, kRulePairCallback},
                   {kRuleDropEmptyTableau, kRuleTableauSpace}});
  Gen& g = g_GenLive;
  g.rankWrap = 1;
  // The deal's first card goes to foundation 1 (the planner reads this).
  g.dealFirstToFoundation = 1;

  GenSetDealCB(PlanBackward);
  GenSetAfterDealCB(SetBaseRankFromFirstFoundation);
  GenSetSelectionCB(NewYorkSelection);
  GenSetTableauSpaceCB(NewYorkTableauSpaceCustomCB);
  GenSetPickupDropRuleCB(NewYorkReservePairRule);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  const float rowY = top - GenLayoutYCards(0);
  GenStdSetNFoundationsPosition(kPiles, 13, GenLayoutXCards(2), top, GenLayoutXCards(0), 0,
                                true, 1, 1);
  GenStdSetNTableausPosition(kPiles, GenLayoutXCards(2), rowY, GenLayoutXCards(0), 1);
  GenSetReserveOptions(1, 1, 1, 0, 0);
  GenStdSetNReservesPosition(kReserves, GenLayoutXCards(1), rowY, GenLayoutXCards(0), 0, false);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 1);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
