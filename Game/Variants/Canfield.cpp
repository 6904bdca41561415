// Canfield.cpp - Canfield: the first card dealt starts foundation 1 and sets
// the base rank of the four foundations (up in suit from it, going on from
// king to ace); four piles built down in alternating colours, any card or
// run into a space; a reserve of 13 cards whose top card is in play and
// which fills every space by itself while it holds cards; a stock turned
// three cards at a time to the waste and turned back without limit.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between foundations and between tableau piles (the piles stand below
// the foundations), x 1 the first foundation's x, x 2 the stock's x, x 3 the
// waste's x, x 4 the reserve's x; y 0 how far the tableau row and the
// reserve lie below the top row.
// y 1 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Game/AnimSetup.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr float kStockSpeed = 0.6f;
constexpr float kFillSpeed = 0.2f;
constexpr int kTurned = 3;

// Card 0 to foundation 1, the next four to piles 1 to 4, the rest onto the
// reserve; all face up.
bool CanfieldDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 4 || g.numReserves < 1 || n < 1 || n > g.deck.numCards) {
    return false;
  }
  for (int k = 0; k < n; ++k) {
    g.dealPlan[k] = k == 0 ? GenFoundationCode(1) : k <= 4 ? GenTableauCode(k) : GenReserveCode(1);
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

// While the reserve holds cards, its top card fills the first space; then
// the standard step.
bool CanfieldAutoplay(int, int) {
  Gen& g = g_GenLive;
  if (g.gameOver) return false;
  if (g.reserves[GenPileIndex(1)].numCards > 0) {
    for (int t = 0; t < g.numTableaus; ++t) {
      if (g.tableaus[t].numCards > 0) continue;
      // A running move's end runs the autoplay again.
      if (AnimIsAnimating()) return false;
      if (!AnimSetupMoveNCardsFromReserveToTableau(1, GenPileIndex(1), t, kFillSpeed, false)) {
        return false;
      }
      AnimSetFinishCB(CanfieldAutoplay);
      return true;
    }
  }
  return GenStdAutoplay(0, 0);
}

bool CanfieldSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  if (GenStdPickup(0, down, kWhereReserve)) return true;
  return GenStockClick(down, {.cards = kTurned, .speed = kStockSpeed, .finish = GenStdAutoplay,
                              .whenEmpty = kEmptyStockWasteBack});
}

}  // namespace

void CanfieldSetup() {
  if (!GenBeginVariantSetup(52, 18, 0, 1.0f)) return;
  // Nothing is ever dropped on the waste or the reserve.
  GenSetRuleBytes({{kRulePickupTableau, kRuleDownOtherColour},
                   {kRulePickupReserve, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownOtherColour},
                   {kRuleDropWaste, kRuleNone},
                   {kRuleDropReserve, kRuleNone}});

  GenSetDealCB(CanfieldDeal);
  GenSetAfterDealCB(SetBaseRankFromFirstFoundation);
  GenSetSelectionCB(CanfieldSelection);
  GenSetAutoplayCB(CanfieldAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  const float rowY = top - GenLayoutYCards(0);
  GenStdSetNFoundationsPosition(4, 13, GenLayoutXCards(1), top, GenLayoutXCards(0), 0, false,
                                1, 1);
  GenStdSetNTableausPosition(4, GenLayoutXCards(1), rowY, GenLayoutXCards(0), 0);
  GenSetReserveOptions(1, 1, 1, 0, 0);
  // The reserve's thirteen cards lie closer than a column's.
  GenSetSingleReservePosition(GenLayoutXCards(4), rowY, c.shortGap);
  GenSetDeckPosition(GenLayoutXCards(2), top, 1, 0);
  GenSetWastePosition(GenLayoutXCards(3), top, 1, 1);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
