// BeleagueredCastle.cpp - Beleaguered Castle: the four aces start the
// foundations, a column in the middle of the table; the other 48 cards lie
// in eight rows, four to each side, built down in any suit one card at a
// time.
//
// Layout values (Data/Main/0110.dat): x 0 the foundation column's x, x 1
// the x of the first card of the left rows, x 2 that of the right rows, x 3
// the gap kept between a row's last card and what lies beyond it, in card
// widths, x 4 the x no right row reaches past (in card widths); y 0 how far
// the first row lies below the top row, y 1 the gap between rows, in card
// heights.
#include "Game/Variants/BeleagueredCastle.h"

#include "Game/CardsSettings.h"
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

constexpr int kRows = 8;

}  // namespace

bool BeleagueredCastleDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numFans < 1 || n < 1 || n > g.deck.numCards) return false;
  int fan = 1;
  for (int k = 0; k < n; ++k) {
    // Card k of the deal is the deck's top card at its turn.
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];
    if (card.rank == 1) {
      g.dealPlan[k] = GenFoundationCode(card.suit + 1);
    } else {
      g.dealPlan[k] = GenFanCode(fan);
      fan = fan == g.numFans ? 1 : fan + 1;
    }
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

bool BeleagueredCastleSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereFan)) return true;
  GenStdPickupOrDrop(0, down, kWhereFoundation);
  return true;
}

void BeleagueredCastleSetup() {
  if (!GenBeginVariantSetup(52, 52, 0, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleAnything},
                   {kRulePickupFan, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropFan, kRuleDownAnySuit},
                   {kRuleDropEmptyFan, kRuleAnything}});

  GenSetDealCB(BeleagueredCastleDeal);
  GenSetSelectionCB(BeleagueredCastleSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float cw = CardsGetCardWidth();
  const float top = c.topRowY - GenLayoutYCards(0);
  const float rowGap = GenLayoutYCards(1);
  const float foundationX = GenLayoutXCards(0);
  GenStdSetNFoundationsPosition(4, 13, foundationX, top, 0, rowGap, false, 1, 1);
  // Fans 1-4 to the left of the foundations, 5-8 to the right, each row
  // growing to the right up to what lies beyond it.
  GenStdSetNFansPosition(kRows, 0, 0, 0, 0, false, 3);
  const float keep = GenLayoutXCards(3);
  for (int row = 0; row < kRows; ++row) {
    const bool left = row < kRows / 2;
    const int code = GenFanCode(row + 1);
    const float y = top - static_cast<float>(row % (kRows / 2)) * (CardsGetCardHeight() + rowGap);
    GenSetPilePosition(code, left ? GenLayoutXCards(1) : GenLayoutXCards(2), y);
    GenSetPileRightLimit(code, left ? foundationX - cw / 2 - keep : GenLayoutXCards(4));
  }
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
