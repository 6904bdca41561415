// MonteCarlo.cpp - Monte Carlo: 25 cards in a 5 x 5 square; two cards of
// the same rank that touch (across, up or down, or diagonally) leave the
// table together, to reserve pile 1. A click on the stock closes up the
// gaps, keeping the cards' order, and fills the places left from the
// stock. Every card removed wins.
//
// A drop veto keeps the drop list to the places that make a pair, so that
// highlights and the pile a release picks show real pairs. A right click
// (the quick move) sends the card onto the first place it pairs with; the
// autoplay step that ends that move takes the pair off the table.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between places, x 1 the
// x the square is centred on, x 2 the stock's x, x 3 the x of the removed
// cards, in card widths; y 0 how far the first row lies below the top row,
// y 1 the gap between rows, in card heights.
#include "Game/Variants/MonteCarlo.h"

#include <cstdlib>

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
#include "Game/GenScores.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kSide = 5;
constexpr int kPlaces = kSide * kSide;
constexpr float kPairSpeed = 0.5f;
constexpr float kCloseSpeed = 1.5f;
constexpr float kFillSpeed = 0.5f;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

// The counter shows whether a click on the stock still has cards to give.
void SetCounterByStock() {
  GenSetRedealCounter(g_GenLive.deck.numCards > 0 ? 1 : 0);
  GenUpdateDeckMarker(true);
}

// The pair lying on place p leaves the table, one card after the other, to
// reserve pile 1; the win test follows.
bool RemovePair(int place) {
  GenSetRedealCounter(1);
  GenUpdateDeckMarker(true);
  if (!AnimSetupMoveNCardsFromTableauToReserve(2, place, 0, kPairSpeed, false)) return false;
  AnimSetFinishCB(MonteCarloAutoplay);
  return true;
}

}  // namespace

bool MonteCarloAreNeighbours(int k, int j) {
  if (k < 0 || j < 0 || k >= kPlaces || j >= kPlaces || k == j) return false;
  return std::abs(k % kSide - j % kSide) <= 1 && std::abs(k / kSide - j / kSide) <= 1;
}

bool MonteCarloAutoplay(int, int) {
  Gen& g = g_GenLive;
  if (g.gameOver || AnimIsAnimating()) return false;
  // A quick move leaves its card on the card it pairs with.
  for (int p = 0; p < kPlaces && p < g.numTableaus; ++p) {
    if (g.tableaus[p].numCards == 2) return RemovePair(p);
  }
  if (g.numReserves < 1 || g.reserves[0].numCards < g.deckSize) return false;
  GenGameWon();
  return true;
}

bool MonteCarloConsolidate(int, int) {
  Gen& g = g_GenLive;
  if (g.numTableaus < kPlaces) return false;  // not a Monte Carlo table
  int gap = -1;
  for (int p = 0; p < kPlaces && gap < 0; ++p) {
    if (g.tableaus[p].numCards == 0) gap = p;
  }
  if (gap >= 0) {
    for (int p = gap + 1; p < kPlaces; ++p) {
      if (g.tableaus[p].numCards == 0) continue;
      if (AnimSetupMoveNCardsFromTableauToTableau(1, p, gap, kCloseSpeed)) {
        AnimSetFinishCB(MonteCarloConsolidate);
        return true;
      }
      return false;
    }
    if (g.deck.numCards > 0 && AnimSetupMoveNCardsFromDeckToTableau(1, gap, false, kFillSpeed)) {
      AnimSetFinishCB(MonteCarloConsolidate);
      return true;
    }
  }
  SetCounterByStock();
  return MonteCarloAutoplay(0, 0);
}

bool MonteCarloDropVeto(int target) {
  const Gen& g = g_GenLive;
  const int place = target - kWhereTableau;
  const int from = g.selectionSource - kWhereTableau;
  if (GenGetKindBase(target) != kWhereTableau || place >= g.numTableaus || g.selection.numCards != 1 ||
      GenGetKindBase(g.selectionSource) != kWhereTableau) {
    return false;
  }
  const CardGroup& pile = g.tableaus[place];
  return pile.numCards == 1 && pile.cards[0].rank == g.selection.cards[0].rank &&
         MonteCarloAreNeighbours(place, from);
}

bool MonteCarloSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickup(0, down, kWhereTableau)) return true;
  if (GenIsStockClick(down)) return MonteCarloConsolidate(0, 0);
  if (down || g.selection.numCards != 1) return false;
  const int target = GenGetCurrentHitWhere();
  const int source = g.selectionSource;
  if (GenGetKindBase(target) != kWhereTableau || GenGetKindBase(source) != kWhereTableau) {
    return false;
  }
  const int place = target - kWhereTableau;
  if (place >= g.numTableaus || g.tableaus[place].numCards < 1) return false;
  const Card& top = g.tableaus[place].cards[g.tableaus[place].numCards - 1];
  if (top.rank != g.selection.cards[0].rank ||
      !MonteCarloAreNeighbours(place, source - kWhereTableau)) {
    return false;
  }
  if (!GenStdDrop(0, down, kWhereTableau) || g.tableaus[place].numCards < 2) return true;
  // A quick-move search only tries the drop: the move it finds brings the
  // pair together, and the autoplay step ending it takes the pair off.
  if (!GenIsQuickMoveSearching()) RemovePair(place);
  return true;
}

void MonteCarloSetup() {
  if (!GenBeginVariantSetup(52, kPlaces, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard}, {kRuleDropTableau, kRuleAnything}});
  GenSetLowestRank(1);
  GenSetDealCB(PlanForward);
  GenSetSelectionCB(MonteCarloSelection);
  GenSetAutoplayCB(MonteCarloAutoplay);
  GenSetDropRuleCB(MonteCarloDropVeto);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float step = CardsGetCardWidth() + GenLayoutXCards(0);
  const float rowStep = CardsGetCardHeight() + GenLayoutYCards(1);
  const float firstRowY = c.topRowY - GenLayoutYCards(0);
  // The places are stacks, not columns: a card dropped near a place goes
  // to the nearest one, whatever its column.
  Gen& g = g_GenLive;
  g.numTableaus = kPlaces;
  for (int k = 0; k < kPlaces; ++k) {
    const float x = GenLayoutXCards(1) + (static_cast<float>(k % kSide) - (kSide - 1) / 2.0f) * step;
    const float y = firstRowY - static_cast<float>(k / kSide) * rowStep;
    g.tableaus[k].SetupCardGroup({.x = x, .y = y, .z = GenGetTableHeight(), .where = GenTableauCode(k + 1)});
    g.tableaus[k].drawEmptySpace = 1;  // a gap shows where the next card closes up
  }
  GenSetReserveOptions(1, 0, 1, 1, 0);
  GenSetSingleReservePosition(GenLayoutXCards(3), firstRowY);
  GenSetDeckPosition(GenLayoutXCards(2), firstRowY, 1, 0);
  GenSetRedealCounter(1);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
