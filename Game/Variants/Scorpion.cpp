// Scorpion.cpp - Scorpion: seven piles built down in suit, where any face-up
// group may be moved as long as its first card fits (a space takes only a
// king or a group headed by one). The three cards left over lie in the
// stock and are dealt to the first three piles when it is clicked. Complete
// suits leave for the four foundations as in Spider (SpiderAutoplay), which
// only store them.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles, x 1 the stock's x, x 2 the first foundation's
// x, x 3 the gap between foundations; y 0 how far the tableau row lies below
// the top row, y 1 the stock's y above the lower edge.
// y 2 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"
#include "Game/Variants/Spider.h"

namespace {

constexpr int kRows = 7;
constexpr int kFaceDownRows = 3;
constexpr int kFaceDownPiles = 4;

// Seven rows of seven; the first three rows lie face down on piles 1 to 4.
bool ScorpionDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n < 1 || n > g.deck.numCards) return false;
  for (int k = 0; k < n; ++k) {
    const int row = k / g.numTableaus;
    const int pile = k % g.numTableaus + 1;
    g.dealPlan[k] = GenTableauCode(pile);
    g.dealGroup.cards[k].faceUp = row < kFaceDownRows && pile <= kFaceDownPiles ? 0 : 1;
  }
  return true;
}

}  // namespace

void ScorpionSetup() {
  if (!GenBeginVariantSetup(52, kRows * kRows, 0, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleNone},
                   {kRuleDropTableau, kRuleDownSameSuit},
                   {kRuleDropFoundation, kRuleNone},
                   {kRuleDropEmptyTableau, kRuleKingOnly}});
  SolCardsSetSpaceRankOptions(13, 0);

  GenSetDealCB(ScorpionDeal);
  GenSetSelectionCB(SpiderSelection);
  GenSetAutoplayCB(SpiderAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(2);
  GenStdSetNTableausPosition(kRows, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenStdSetNFoundationsPosition(4, 13, GenLayoutXCards(2), top, GenLayoutXCards(3), 0, false,
                                1, 1);
  GenSetDeckPosition(GenLayoutXCards(1), c.lowerEdgeY + GenLayoutYCards(1), 1, 0);
  GenSetReady();
}
