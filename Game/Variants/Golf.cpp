// Golf.cpp - Golf: seven columns of five face-up cards; a column's top card
// goes onto the single foundation when it is one rank above or below the
// foundation's top card (a king takes nothing), and a click on the stock
// turns its next card onto the foundation.
//
// A press of the left button on a column is a quick move (the move
// handler's), so one click plays a card.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between columns, x 1 the
// stock's x, x 2 the foundation's x, in card widths; y 0 how far the stock
// and the foundation lie below the top row, y 1 how far the top row lies
// below the layout constants' top row, in card heights.
#include "Game/Variants/Golf.h"

#include "Game/AnimSetup.h"
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
constexpr int kColumns = 7;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

bool WonByCount(int, int) { return GenCheckWonByFoundationCount(); }

}  // namespace

bool GolfAfterDeal(int, int) {
  Gen& g = g_GenLive;
  const int last = g.dealGroup.numCards - 1;
  if (last >= 0 && last < kGenMaxDealPlan) g.dealPlan[last] = GenFoundationCode(1);
  return false;
}

bool GolfSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickup(0, down, kWhereTableau)) return true;
  if (GenStdDrop(0, down, kWhereFoundation)) return true;
  if (!GenIsStockClick(down)) return false;
  if (g.deck.numCards > 0 &&
      AnimSetupMoveNCardsFromDeckToFoundation(1, GenPileIndex(1), kStockSpeed)) {
    AnimSetFinishCB(WonByCount);
  }
  return true;
}

bool GolfAutoplay(int, int) { return GenCheckWonByFoundationCount(); }

void GolfSetup() {
  if (!GenBeginVariantSetup(52, 36, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpOrDownAnySuit}});
  GenSetDealCB(PlanForward);
  GenSetAfterDealCB(GolfAfterDeal);
  GenSetSelectionCB(GolfSelection);
  GenSetAutoplayCB(GolfAutoplay);

  const float top = GenGetLayoutConstants().topRowY - GenLayoutYCards(1);
  const float lowY = top - GenLayoutYCards(0);
  GenStdSetNTableausPosition(kColumns, 0, top, GenLayoutXCards(0), 1);
  GenStdSetNFoundationsPosition(1, 52, GenLayoutXCards(2), lowY, 0, 0, false, 1, 1);
  GenSetDeckPosition(GenLayoutXCards(1), lowY, 1, 0);
  GenSetReady();
}
