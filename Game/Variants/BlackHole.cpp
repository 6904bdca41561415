// BlackHole.cpp - Black Hole: 17 fans of three cards around one foundation,
// the black hole, which starts with the ace of spades; a fan's top card goes
// into the hole when it is one rank above or below the hole's top card.
// Every card in the hole wins (the standard autoplay step's full-foundation
// test, which this game keeps in its autoplay slot).
//
// A press of the left button is a quick move (the move handler's), so one
// click plays a card.
//
// Layout values (Data/Main/0110.dat): x 0 the step from one card of a fan to
// the next, x 1 the gap between fans, in card widths; y 0 the gap between
// the three rows, y 1 how far the middle row lies below the top row, in
// card heights. The rows hold 6 fans, 3 + the hole + 3, and 5 fans.
#include "Game/Variants/BlackHole.h"

#include "Game/CardsSettings.h"
#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kFans = 17;
constexpr int kCardsPerFan = 3;
constexpr int kHoleSuit = 1;  // spades
constexpr int kHoleRank = 1;
// Slots of the three rows: row 2's middle slot is the hole.
constexpr int kRowSlots[3] = {6, 7, 5};

// Fan i at (x, y): a row of cards stepping `step` to the right.
void PlaceFan(int i, float x, float y, float step) {
  CardGroup& fan = g_GenLive.fans[i];
  fan.SetupCardGroup({.maxCards = kCardsPerFan, .x = x, .y = y, .z = GenGetTableHeight(), .alignType = 3,
                      .cardsForSpacing = kCardsPerFan, .absFaceUpGap = step, .absFaceDownGap = step,
                      .where = GenFanCode(i + 1)});
  fan.drawEmptySpace = 1;
}

}  // namespace

bool BlackHoleDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || n < 1 || n > g.deck.numCards || g.numFans < 1) return false;
  int toFans = 0;
  for (int k = 0; k < n; ++k) {
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];  // the deck's top at its turn
    if (card.suit == kHoleSuit && card.rank == kHoleRank) {
      g.dealPlan[k] = GenFoundationCode(1);
    } else {
      g.dealPlan[k] = GenFanCode(toFans / kCardsPerFan % g.numFans + 1);
      ++toFans;
    }
    g.dealGroup.cards[k].faceUp = 1;
  }
  g.dealGroup.MarkChanged();
  return true;
}

bool BlackHoleSelection(int, int down) {
  if (GenStdDrop(0, down, kWhereFoundation)) return true;
  return GenStdPickup(0, down, kWhereFan) != 0;
}

void BlackHoleSetup() {
  if (!GenBeginVariantSetup(52, 52, 1, 1.5f)) return;
  GenSetRuleBytes({{kRulePickupFan, kRuleSingleCard}, {kRuleDropFoundation, kRuleUpOrDownAnySuit}});
  GenSetDealCB(BlackHoleDeal);
  GenSetSelectionCB(BlackHoleSelection);

  // Three rows of equal slots, centred on x = 0 and on the middle row.
  const float cw = CardsGetCardWidth();
  const float step = GenLayoutXCards(0);
  const float slot = cw + (kCardsPerFan - 1) * step + GenLayoutXCards(1);
  const float rowStep = CardsGetCardHeight() + GenLayoutYCards(0);
  const float middleY = GenGetLayoutConstants().topRowY - GenLayoutYCards(1);
  g_GenLive.numFans = kFans;
  int fan = 0;
  for (int row = 0; row < 3; ++row) {
    const int slots = kRowSlots[row];
    const float y = middleY + static_cast<float>(1 - row) * rowStep;
    for (int s = 0; s < slots; ++s) {
      // Slot centre, then the fan's first card half a fan to the left of it.
      const float centre = (static_cast<float>(s) - static_cast<float>(slots - 1) / 2) * slot;
      const float x = centre - static_cast<float>(kCardsPerFan - 1) * step / 2;
      if (row == 1 && s == slots / 2) {
        GenStdSetNFoundationsPosition(1, 52, centre, y, 0, 0, false, 1, kHoleRank);
        continue;
      }
      PlaceFan(fan++, x, y, step);
    }
  }
  GenSetDeckPosition(0, GenGetLayoutConstants().lowerEdgeY, 0, 0);
  GenSetReady();
}
