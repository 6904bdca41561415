// AcesUp.cpp - Aces Up: four columns dealt a card each per click of the
// stock; a column's top card is discarded when a higher card of its suit
// tops another column, until only the four aces are left.
//
// Nothing reaches the foundation through the standard drop (its codes
// refuse): a discard is a move the handler starts itself. There is no
// autoplay: the game is won through the finish step of the discards.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between columns, x 1 the
// stock's x, x 2 the foundation's x, in card widths; y 0 how far the row
// lies below the layout constants' top row, in card heights.
#include "Game/Variants/AcesUp.h"

#include "Game/AnimSetup.h"
#include "Game/Gen.h"
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

constexpr float kDealSpeed = 0.5f;
constexpr float kDiscardSpeed = 0.5f;
constexpr float kAceSpeed = 0.1f;
constexpr int kColumns = 4;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

// Aces rank above kings here.
int HighRank(const Card& card) { return card.rank == 1 ? 14 : card.rank; }

// Another column's top card has the suit of the top card of column `from`
// and outranks it.
bool CanDiscard(int from) {
  const Gen& g = g_GenLive;
  const CardGroup& pile = g.tableaus[from];
  if (pile.numCards < 1) return false;
  const Card& card = pile.cards[pile.numCards - 1];
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& other = g.tableaus[t];
    if (t == from || other.numCards < 1) continue;
    const Card& top = other.cards[other.numCards - 1];
    if (top.suit == card.suit && HighRank(top) > HighRank(card)) return true;
  }
  return false;
}

}  // namespace

bool AcesUpFinish(int, int) {
  Gen& g = g_GenLive;
  const int discarded = g.foundations[0].numCards;
  if (discarded >= 52) {
    GenGameWon();
    return true;
  }
  if (discarded < 48) return false;
  for (int t = 0; t < g.numTableaus; ++t) {
    if (g.tableaus[t].numCards < 1) continue;
    if (!AnimSetupMoveNCardsFromTableauToFoundation(1, t, 0, kAceSpeed)) return false;
    AnimSetFinishCB(AcesUpFinish);
    return true;
  }
  return false;
}

bool AcesUpSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickup(0, down, kWhereTableau)) return true;
  if (GenStockClick(down, {.to = kWhereTableau, .cards = kColumns, .speed = kDealSpeed})) return true;
  if (down || g.selection.numCards != 1) return false;
  const int target = GenGetCurrentHitWhere();
  if (GenGetKindBase(target) != kWhereTableau) return false;
  if (target != g.selectionSource) return GenStdDrop(0, down, kWhereTableau);
  // Released where it was lifted: a click on the card asks for a discard.
  const int column = target - kWhereTableau;
  GenCancelSelection();
  if (!CanDiscard(column)) return false;
  if (!AnimSetupMoveNCardsFromTableauToFoundation(1, column, 0, kDiscardSpeed)) return false;
  AnimSetFinishCB(AcesUpFinish);
  return true;
}

void AcesUpSetup() {
  if (!GenBeginVariantSetup(52, kColumns, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRulePickupFoundation, kRuleNone},
                   {kRuleDropTableau, kRuleCellAnyCard},
                   {kRuleDropFoundation, kRuleNone}});
  GenSetDealCB(PlanForward);
  GenSetSelectionCB(AcesUpSelection);
  GenSetAutoplayCB(nullptr);  // won through the discards' finish step

  const float top = GenGetLayoutConstants().topRowY - GenLayoutYCards(0);
  // The discards build nothing: their place shows no rank.
  GenStdSetNFoundationsPosition(1, 52, GenLayoutXCards(2), top, 0, 0, false, 0, 1);
  g_GenLive.tableauEmptySpace = 1;  // empty columns show where cards may go
  GenStdSetNTableausPosition(kColumns, 0, top, GenLayoutXCards(0), 1);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetReady();
}
