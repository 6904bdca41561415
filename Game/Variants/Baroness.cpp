// Baroness.cpp - Baroness: five piles dealt a card each per click of the
// stock; the top cards of two piles whose ranks add up to 13 leave together,
// a king alone, for reserve pile 1. The last two cards of the stock make
// two more piles under the first two.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between piles, x 1 the
// stock's x, x 2 the removed cards' x, in card widths; y 0 how far the top
// row lies below the layout constants' top row, in card heights.
#include "Game/Variants/Baroness.h"

#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenQuickMove.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Giza.h"

namespace {

constexpr int kPiles = 5;
constexpr int kMostPiles = 7;
constexpr int kLastCards = kMostPiles - kPiles;  // the stock's last two make two piles
constexpr float kDealSpeed = 0.8f;
constexpr float kRemoveSpeed = 0.5f;
constexpr float kLastDealSpeed = 0.5f;
// Piles 6 and 7 lie this many card heights below piles 1 and 2.
constexpr float kExtraPilesBelow = 3.0f;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

// Piles 6 and 7 (indexes 5, 6) under piles 1 and 2, set up like them.
void SetUpExtraPiles() {
  Gen& g = g_GenLive;
  const float below = kExtraPilesBelow * CardsGetCardHeight();
  for (int i = kPiles; i < kMostPiles; ++i) {
    const CardGroup& above = g.tableaus[i - kPiles];
    CardGroup& pile = g.tableaus[i];
    pile.SetupCardGroup({.x = above.pos[0], .y = above.pos[1] - below, .z = above.pos[2],
                         .alignType = above.alignType, .absFaceUpGap = above.faceUpGap,
                         .absFaceDownGap = above.faceDownGap, .where = GenTableauCode(i + 1)});
    pile.drawEmptySpace = above.drawEmptySpace;
  }
}

}  // namespace

bool PairsWonCheck(int, int) {
  Gen& g = g_GenLive;
  if (g.numReserves < 1 || g.reserves[0].numCards < 52) return false;
  GenGameWon();
  return true;
}

bool BaronessRemoveKing(int, int) {
  Gen& g = g_GenLive;
  const int source = g.selectionSource;
  if (g.selection.numCards != 1 || g.selection.cards[0].rank != 13 ||
      GenGetKindBase(source) != kWhereTableau || GenIsQuickMoveSearching()) {
    return true;
  }
  GenCancelSelection();
  if (AnimSetupMoveNCardsFromTableauToReserve(1, source - kWhereTableau, 0, kRemoveSpeed, false)) {
    AnimSetFinishCB(BaronessAutoplay);
  }
  return true;
}

bool BaronessSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickup(0, down, kWhereTableau)) return BaronessRemoveKing(0, 0);
  // The stock's last two cards are not dealt by a click: they make two piles.
  if (GenStockClick(down, {.to = kWhereTableau, .cards = kPiles, .speed = kDealSpeed, .finish = BaronessAutoplay,
                           .leastCards = kMostPiles})) {
    return true;
  }
  if (down || g.selection.numCards != 1) return false;
  const int target = GenGetCurrentHitWhere();
  if (GenGetKindBase(target) != kWhereTableau || target == g.selectionSource) return false;
  const int pile = target - kWhereTableau;
  if (pile >= g.numTableaus || g.tableaus[pile].numCards < 1) return false;
  const CardGroup& on = g.tableaus[pile];
  if (on.cards[on.numCards - 1].rank + g.selection.cards[0].rank != 13) return false;
  // A quick-move search only asks where the card may go: a pair leaves only
  // by a drag.
  if (GenIsQuickMoveSearching()) return false;
  if (!GenStdDrop(0, down, kWhereTableau) || g.tableaus[pile].numCards < 2) return false;
  if (AnimSetupMoveNCardsFromTableauToReserve(2, pile, 0, kRemoveSpeed, false)) {
    AnimSetFinishCB(BaronessAutoplay);
  }
  return false;
}

bool BaronessAutoplay(int, int) {
  Gen& g = g_GenLive;
  if (g.gameOver || AnimIsAnimating()) return false;
  if (g.deck.numCards == kLastCards && g.numTableaus == kPiles) {
    g.numTableaus = kMostPiles;
    SetUpExtraPiles();
    AnimSetupMoveNCardsFromDeckToTableau(kLastCards, kPiles, true, kLastDealSpeed);
    return false;
  }
  return PairsWonCheck(0, 0);
}

void BaronessSetup() {
  if (!GenBeginVariantSetup(52, kPiles, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRulePickupReserve, kRuleNone},
                   {kRuleDropTableau, kRulePairCallback},
                   {kRuleDropReserve, kRuleNone}});
  GenSetDealCB(PlanForward);
  GenSetPickupDropRuleCB(PyramidPairRule);
  GenSetSelectionCB(BaronessSelection);
  GenSetAutoplayCB(BaronessAutoplay);

  const float top = GenGetLayoutConstants().topRowY - GenLayoutYCards(0);
  Gen& g = g_GenLive;
  g.tableauEmptySpace = 1;
  GenStdSetNTableausPosition(kPiles, 0, top, GenLayoutXCards(0), 1);
  // Piles 6 and 7 are set up now, counted once the stock's last two cards
  // reach them; piles 1 and 2 stop short of them.
  SetUpExtraPiles();
  GenSetPileCountRange(kWhereTableau, kPiles, kMostPiles);
  for (int i = 0; i < kLastCards; ++i) {
    const CardGroup& below = g.tableaus[kPiles + i];
    GenSetPileBottomLimit(GenTableauCode(i + 1), below.pos[1] + CardsGetCardHeight() / 2);
  }
  GenSetReserveOptions(1, 0, 1, 1, 0);
  GenSetSingleReservePosition(GenLayoutXCards(2), top);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetLowestRank(1);
  GenSetReady();
}
