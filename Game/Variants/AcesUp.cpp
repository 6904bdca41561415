// AcesUp.cpp - Aces Up: four columns dealt a card each per click of the
// stock; a column's top card is discarded when a higher card of its suit
// tops another column, until only the four aces are left.
//
// A discard is a click on the card, a drag onto the discard pile (the
// foundation, its place marked), a right click (the quick move tries the
// discard pile first) or key F; the foundation's custom rule decides all
// but the click, which the handler starts itself. The autoplay step is the
// discards' finish step: after the 48th discard the aces follow, and 52
// discarded cards win.
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

// The top card of a column other than `from` has the suit and outranks the
// rank (1-13, an ace above the king).
bool OutrankedElsewhere(int from, int suit, int rank) {
  const Gen& g = g_GenLive;
  const int high = rank == 1 ? 14 : rank;
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& other = g.tableaus[t];
    if (t == from || other.numCards < 1) continue;
    const Card& top = other.cards[other.numCards - 1];
    if (top.suit == suit && HighRank(top) > high) return true;
  }
  return false;
}

// Column `from`'s top card may be discarded.
bool CanDiscard(int from) {
  const CardGroup& pile = g_GenLive.tableaus[from];
  if (pile.numCards < 1) return false;
  const Card& card = pile.cards[pile.numCards - 1];
  return OutrankedElsewhere(from, card.suit, card.rank);
}

// The foundation's drop rule: one card lifted from a column, outranked in
// its suit by another column's top card.
bool DiscardRule(int target, int source, int dropping, int suit, int rank) {
  if (!dropping || GenGetKindBase(target) != kWhereFoundation || GenGetKindBase(source) != kWhereTableau ||
      g_GenLive.selection.numCards != 1) {
    return false;
  }
  return OutrankedElsewhere(source - kWhereTableau, suit, rank > 13 ? 1 : rank);
}

}  // namespace

bool AcesUpFinish(int, int) {
  Gen& g = g_GenLive;
  // Run again when the move under way ends.
  if (AnimIsAnimating()) return false;
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
  if (GenGetKindBase(target) == kWhereFoundation) return GenStdDrop(0, down, kWhereFoundation);
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
                   {kRuleDropFoundation, kRuleCustom}});
  GenSetDealCB(PlanForward);
  GenSetSelectionCB(AcesUpSelection);
  GenSetCustomRuleCB(DiscardRule);
  GenSetAutoplayCB(AcesUpFinish);
  g_GenLive.foundationsFirst = 1;  // a right click discards before it fills a space

  const float top = GenGetLayoutConstants().topRowY - GenLayoutYCards(0);
  // The discard pile shows where discards go; it builds nothing, so its
  // place shows no rank (a lowest rank of 0 draws the marker blank).
  GenStdSetNFoundationsPosition(1, 52, GenLayoutXCards(2), top, 0, 0, false, 1, 0);
  g_GenLive.tableauEmptySpace = 1;  // empty columns show where cards may go
  GenStdSetNTableausPosition(kColumns, 0, top, GenLayoutXCards(0), 1);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetReady();
}
