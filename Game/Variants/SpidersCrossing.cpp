// SpidersCrossing.cpp - Spider's Crossing and its triple-deck form: Spider's
// building (runs lifted down in suit, dropped on any card one rank higher,
// any card or run into a space) with a row of cells, one per pile. The deal
// lays the cards face down on the piles (the autoplay turns the top cards
// over) and one card face up into each cell. A stock click first moves the
// cells' cards onto the piles below them, then deals one card into each
// cell. A cell's card may go onto a pile but nothing goes into a cell by
// hand. Complete suits leave for the foundations, which only store them.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles (the cells stand above them), x 1 the stock's x,
// x 2 the first foundation's x, x 3 the gap between foundations; y 0 how far
// the cell row lies below the top row, y 1 how far the tableau row lies
// below the cell row.
// y 2 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Game/AnimSetup.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Spider.h"

namespace {

constexpr float kCellsToTableauSpeed = 0.4f;
constexpr float kDealToCellsSpeed = 0.5f;

bool SpidersCrossingAutoplay(int a, int b);

// All but the last (the number of cells) cards of the deal go face down
// cyclically to the piles; the last ones face up into cells 1, 2, 3, ...
bool SpidersCrossingDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n <= g.numCells || n > g.deck.numCards) return false;
  const int toPiles = n - g.numCells;
  for (int k = 0; k < n; ++k) {
    const bool cell = k >= toPiles;
    g.dealPlan[k] = cell ? GenCellCode(k - toPiles + 1) : GenTableauCode(k % g.numTableaus + 1);
    g.dealGroup.cards[k].faceUp = cell ? 1 : 0;
  }
  return true;
}

// After a suit has gone: won once the last foundation holds cards.
bool SpidersCrossingFinish(int, int) {
  const Gen& g = g_GenLive;
  if (g.numFoundations > 0 && g.foundations[g.numFoundations - 1].numCards > 0) {
    GenGameWon();
    return true;
  }
  SpidersCrossingAutoplay(0, 0);
  return false;
}

// SpiderAutoplay's turn-over and suit search, with its own finish step.
bool SpidersCrossingAutoplay(int, int) {
  if (g_GenLive.gameOver || AnimIsAnimating()) return false;
  if (SpiderTurnOverTopCard(SpidersCrossingAutoplay)) return true;
  const int t = SpiderFindCompleteSuit();
  return t >= 0 && SpiderMoveSuitToFoundation(t, "SpidersCrossingAutoplay", SpidersCrossingFinish);
}

// One card from the stock into each cell, then the autoplay; with an empty
// stock the autoplay at once.
bool SpidersCrossingDealToCells(int, int) {
  Gen& g = g_GenLive;
  if (g.deck.numCards > 0) {
    return GenDealToPiles(kWhereCell, g.numCells, kDealToCellsSpeed, SpidersCrossingAutoplay);
  }
  return SpidersCrossingAutoplay(0, 0);
}

bool SpidersCrossingSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickup(0, down, kWhereCell)) return true;
  if (!GenIsStockClick(down)) return false;
  int held = 0, first = -1;
  for (int c = 0; c < g.numCells; ++c) {
    if (g.cells[c].numCards < 1) continue;
    held += g.cells[c].numCards;
    if (first < 0) first = c;
  }
  if (held > 0) {
    // Each cell's card onto the pile below it.
    if (!AnimSetupMoveNCardsFromCellsToTableau(held, first, first, true, kCellsToTableauSpeed, true,
                                               true)) {
      return false;
    }
    AnimSetFinishCB(SpidersCrossingDealToCells);
    return true;
  }
  if (g.deck.numCards < 1) return false;
  return SpidersCrossingDealToCells(0, 0);
}

// What tells the two games apart; the decks are the game row's.
struct SpidersCrossingMember {
  int game;
  int piles;    // tableau piles, each with its cell above
  int dealt;    // cards of the deal
};
constexpr SpidersCrossingMember kMembers[] = {
    {.game = kGameSpidersCrossing, .piles = 9, .dealt = 68},
    {.game = kGameSpidersCrossingTD, .piles = 11, .dealt = 79},
};

}  // namespace

void SpidersCrossingSetup() {
  const SpidersCrossingMember& m = GenFamilyMember(kMembers);
  const int decks = GenCurGameDef().decks;
  const int piles = m.piles;
  if (!GenBeginVariantSetup(decks * 52, m.dealt, 0, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleDownSameSuit},
                   {kRulePickupCell, kRuleSingleCard},
                   {kRulePickupFoundation, kRuleNone},
                   {kRuleDropTableau, kRuleDownAnySuit},
                   {kRuleDropCell, kRuleNone},
                   {kRuleDropFoundation, kRuleNone},
                   {kRuleDropEmptyTableau, kRuleAnything}});

  GenSetDealCB(SpidersCrossingDeal);
  GenSetSelectionCB(SpidersCrossingSelection);
  GenSetAutoplayCB(SpidersCrossingAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(2);
  const float cellY = top - GenLayoutYCards(0);
  GenStdSetNCellsPosition(piles, 0, cellY, GenLayoutXCards(0), 0, true);
  GenStdSetNTableausPosition(piles, 0, cellY - GenLayoutYCards(1), GenLayoutXCards(0), 1);
  GenStdSetNFoundationsPosition(decks * 4, 13, GenLayoutXCards(2), top,
                                GenLayoutXCards(3), 0, false, 1, 1);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetReady();
}
