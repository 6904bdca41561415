// Martha.cpp - Martha: the aces start the foundations; the other 48 cards
// lie in twelve piles of four, alternately face down and face up, built
// down by alternate colour; a space takes one card.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between tableau piles,
// x 1 the middle of the tableau row, x 2 the first foundation's x, x 3 the
// gap between foundations, in card widths; y 0 how far the tableau row lies
// below the top row, in card heights;
// y 1 how far the top row lies below the layout constants' top row.
#include "Game/Variants/Martha.h"

#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

bool MarthaDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  const int piles = g.numTableaus;
  if (!g.ready || piles < 1 || n < 1 || n > g.deck.numCards) return false;
  int dealt = 0;  // cards dealt to the tableau so far
  for (int k = 0; k < n; ++k) {
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];
    if (card.rank == 1) {
      g.dealPlan[k] = GenFoundationCode(card.suit + 1);
      g.dealGroup.cards[k].faceUp = 1;
      continue;
    }
    const int row = dealt / piles + 1;
    g.dealPlan[k] = GenTableauCode(dealt % piles + 1);
    g.dealGroup.cards[k].faceUp = row % 2 == 0 ? 1 : 0;
    ++dealt;
  }
  return true;
}

void MarthaSetup() {
  if (!GenBeginVariantSetup(52, 52, 0, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleAnything},
                   {kRulePickupTableau, kRuleDownOtherColour},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownOtherColour},
                   {kRuleDropEmptyTableau, kRuleSingleCard}});

  GenSetDealCB(MarthaDeal);
  GenSetSelectionCB(StdTableauFoundationSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(4, 13, GenLayoutXCards(2), top, GenLayoutXCards(3), 0, false,
                                1, 1);
  GenStdSetNTableausPosition(12, GenLayoutXCards(1), top - GenLayoutYCards(0),
                             GenLayoutXCards(0), 1);
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
