// SpiderTrap.cpp - Spider Trap: five piles dealt face down with the top card
// of each face up, built as in Spider (runs lifted down in suit, dropped on
// any card one rank higher, any card or run into a space); one cell; a
// reserve that keeps up to three cards built down in suit; four foundations
// built up in suit from the ace. The stock deals one card to every pile.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles, x 1 the x of the cell and the reserve, x 2 the
// stock's x, x 3 the first foundation's x, x 4 the gap between foundations;
// y 0 how far the tableau row lies below the top row, y 1 how far the
// reserve lies below the cell.
// y 2 how far the top row lies below the layout constants' top row (it
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

constexpr float kStockSpeed = 0.5f;
// The reserve holds at most this many cards.
constexpr int kReserveMost = 3;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

bool SpiderTrapSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereCell)) return true;
  if (GenStdPickup(0, down, kWhereReserve)) return true;
  const int reserve = g.reserves[GenPileIndex(1)].numCards;
  if (reserve + g.selection.numCards <= kReserveMost && GenStdDrop(0, down, kWhereReserve)) {
    return true;
  }
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  return GenStockClick(down,
                       {.to = kWhereTableau, .cards = g.numTableaus, .speed = kStockSpeed, .finish = GenStdAutoplay});
}

}  // namespace

void SpiderTrapSetup() {
  if (!GenBeginVariantSetup(52, 25, 2, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleDownSameSuit},
                   {kRulePickupReserve, kRuleDownSameSuit},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownAnySuit},
                   {kRuleDropReserve, kRuleDownSameSuit},
                   {kRuleDropEmptyTableau, kRuleAnything}});

  GenSetDealCB(PlanForward);
  GenSetSelectionCB(SpiderTrapSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(2);
  GenStdSetNTableausPosition(5, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenStdSetNFoundationsPosition(4, 13, GenLayoutXCards(3), top, GenLayoutXCards(4), 0, false,
                                1, 1);
  GenStdSetNCellsPosition(1, GenLayoutXCards(1), top, 0, 0, false);
  GenSetReserveOptions(1, 1, 1, 0, 0);
  GenSetSingleReservePosition(GenLayoutXCards(1), top - GenLayoutYCards(1));
  GenSetDeckPosition(GenLayoutXCards(2), top, 1, 0);
  GenSetReady();
}
