// GrandfathersClock.cpp - Grandfather's Clock: twelve foundations form a
// clock face, each built up in suit (round past the king) until its top card
// shows its hour; the other cards lie in eight columns, four on each side,
// built down in any suit one card at a time.
//
// Every foundation holds exactly the cards from its start card to its hour
// (52 in all), so the game is won when each is full; a full foundation takes
// no further card.
//
// Layout values (Data/Main/0110.dat): x 0 the clock's middle, x 1 its
// radius across, x 2 the first left column's x, x 3 the first right
// column's x, x 4 the gap between columns, in card widths; y 0 how far the
// clock's middle lies below the top row, y 1 its radius up and down, y 2
// how far the columns lie below the top row, in card heights.
#include "Game/Variants/GrandfathersClock.h"

#include <cmath>

#include "Game/CardsSettings.h"
#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Kings.h"

namespace {

constexpr int kClock = 12;
constexpr int kColumnsPerSide = 4;
constexpr int kStartRanks[kClock] = {9, 10, 11, 12, 13, 2, 3, 4, 5, 6, 7, 8};
constexpr float kPi = 3.14159265f;

// The hour foundation n shows when complete (1 at twelve o'clock).
int HourOf(int foundation) { return foundation == 1 ? 12 : foundation - 1; }

}  // namespace

void GrandfathersClockStartCard(int foundation, int* suit, int* rank) {
  *suit = (foundation - 1) % 4;
  *rank = kStartRanks[GenPileIndex(foundation)];
}

int GrandfathersClockFoundationSize(int foundation) {
  int suit, rank;
  GrandfathersClockStartCard(foundation, &suit, &rank);
  return (HourOf(foundation) - rank + 13) % 13 + 1;
}

bool GrandfathersClockDeal(int, int) {
  Gen& g = g_GenLive;
  g.rankWrap = 1;
  g.foundationsFirst = 1;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n < 1 || n > g.deck.numCards) return false;
  int column = 1;
  for (int k = 0; k < n; ++k) {
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];
    int code = 0;
    for (int f = 1; f <= kClock && code == 0; ++f) {
      int suit, rank;
      GrandfathersClockStartCard(f, &suit, &rank);
      if (card.suit == suit && card.rank == rank) code = GenFoundationCode(f);
    }
    if (code == 0) {
      code = GenTableauCode(column);
      column = column == g.numTableaus ? 1 : column + 1;
    }
    g.dealPlan[k] = code;
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

void GrandfathersClockSetup() {
  if (!GenBeginVariantSetup(52, 52, 1, 1.2f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownAnySuit},
                   {kRuleDropEmptyTableau, kRuleAnything}});

  GenSetDealCB(GrandfathersClockDeal);
  GenSetSelectionCB(KingsSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float middleX = GenLayoutXCards(0), middleY = c.topRowY - GenLayoutYCards(0);
  const float radiusX = GenLayoutXCards(1), radiusY = GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(kClock, 13, middleX, middleY, 0, 0, false, 1, 1);
  for (int f = 1; f <= kClock; ++f) {
    const float angle = static_cast<float>(HourOf(f)) * 2 * kPi / kClock;
    const int code = GenFoundationCode(f);
    GenSetPilePosition(code, middleX + radiusX * std::sin(angle), middleY + radiusY * std::cos(angle));
    g_GenLive.foundations[GenPileIndex(f)].maxCards = GrandfathersClockFoundationSize(f);
  }
  const float step = CardsGetCardWidth() + GenLayoutXCards(4);
  const float columnsY = c.topRowY - GenLayoutYCards(2);
  GenStdSetNTableausPosition(2 * kColumnsPerSide, 0, columnsY, 0, 0);
  for (int i = 0; i < 2 * kColumnsPerSide; ++i) {
    const bool left = i < kColumnsPerSide;
    const float x = (left ? GenLayoutXCards(2) : GenLayoutXCards(3)) +
                    static_cast<float>(i % kColumnsPerSide) * step;
    GenSetPilePosition(GenTableauCode(i + 1), x, columnsY);
  }
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
