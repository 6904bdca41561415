// Penguin.cpp - Penguin: the first card dealt goes to pile 1 and its rank is
// the base rank; the other three cards of that rank start the foundations as
// they come up in the deal (foundations 1 to 3 in turn), and each foundation
// builds up in suit from the base, going on from king to ace. Seven piles
// of seven cards, built down in suit (runs in suit move together), a space
// taking only the rank below the base; seven cells of one card each.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles (the cells stand above them), x 1 the gap
// between foundations (their row is centred); y 0 how far the cell row lies
// below the top row, y 1 how far the tableau row lies below the cell row.
// y 2 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"

namespace {

constexpr int kPiles = 7;

// Card 0 to pile 1; later cards of its rank to foundations 1, 2 and 3 in
// turn; every other card cyclically to the piles (card 0 counting as the
// first). All face up.
bool PenguinDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n < 1 || n > g.deck.numCards) return false;
  const int baseRank = g.deck.cards[g.deck.numCards - 1].rank;  // card 0 of the deal
  int foundation = 1, pile = 0;
  for (int k = 0; k < n; ++k) {
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];
    if (k > 0 && card.rank == baseRank && foundation <= g.numFoundations) {
      g.dealPlan[k] = GenFoundationCode(foundation++);
    } else {
      g.dealPlan[k] = GenTableauCode(pile++ % g.numTableaus + 1);
    }
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

bool PenguinSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereCell)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  return GenStdPickupOrDrop(0, down, kWhereTableau);
}

}  // namespace

void PenguinSetup() {
  if (!GenBeginVariantSetup(52, 52, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleSingleCard},
                   {kRulePickupTableau, kRuleDownSameSuit},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownSameSuit},
                   {kRuleDropEmptyTableau, kRuleBelowLowest}});
  SolCardsSetSpaceRankOptions(-1, 0);

  GenSetDealCB(PenguinDeal);
  GenSetAfterDealCB(SetBaseRankFromFirstFoundation);
  GenSetSelectionCB(PenguinSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(2);
  const float cellY = top - GenLayoutYCards(0);
  GenStdSetNFoundationsPosition(4, 13, 0, top, GenLayoutXCards(1), 0, true, 1, 1);
  GenStdSetNCellsPosition(kPiles, 0, cellY, GenLayoutXCards(0), 0, true);
  GenStdSetNTableausPosition(kPiles, 0, cellY - GenLayoutYCards(1), GenLayoutXCards(0), 1);
  GenSetReady();
}
