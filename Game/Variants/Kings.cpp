// Kings.cpp - Kings: two decks dealt in full over eight columns, playable
// cards going straight up to the foundations as they come; single cards
// move, building up or down in any suit; the foundations build up in any
// suit from the ace.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between tableau piles,
// x 1 the first foundation's x, x 2 the gap between foundations, in card
// widths; y 0 how far the tableau row lies below the top row, in card
// heights;
// y 1 how far the top row lies below the layout constants' top row.
#include "Game/Variants/Kings.h"

#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

bool KingsDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  const int columns = g.numTableaus;
  if (!g.ready || columns < 1 || n < 1 || n > g.deck.numCards) return false;
  // The rank on top of each foundation as the plan leaves it (0: not started).
  int top[kGenMaxFoundations] = {};
  for (int k = 0; k < n; ++k) {
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];
    const int column = k % columns + 1;
    int code = GenTableauCode(column);
    if (card.rank == 1) {
      for (int f = 1; f <= g.numFoundations; ++f) {
        if (top[GenPileIndex(f)] == 0) {
          code = GenFoundationCode(f);
          break;
        }
      }
    } else if (column <= g.numFoundations && top[GenPileIndex(column)] != 0 &&
               top[GenPileIndex(column)] == card.rank - 1) {
      code = GenFoundationCode(column);
    }
    if (GenGetKindBase(code) == kWhereFoundation) top[code - kWhereFoundation] = card.rank;
    g.dealPlan[k] = code;
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

bool KingsSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  return GenStdDrop(0, down, kWhereFoundation);
}

void KingsSetup() {
  if (!GenBeginVariantSetup(104, 104, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpAnySuit},
                   {kRuleDropTableau, kRuleUpOrDownAnySuit},
                   {kRuleDropEmptyTableau, kRuleAnything}});

  GenSetDealCB(KingsDeal);
  GenSetSelectionCB(KingsSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(8, 13, GenLayoutXCards(1), top, GenLayoutXCards(2), 0, false,
                                1, 1);
  GenStdSetNTableausPosition(8, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
