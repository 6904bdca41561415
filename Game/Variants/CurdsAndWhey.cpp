// CurdsAndWhey.cpp - Curds and Whey: all 52 cards dealt face up to 13
// piles. A card goes onto the next higher card of its suit or onto a card of
// its own rank; a run built down in suit, or a set of one rank, moves
// together; a space takes a king or a run headed by one. There are no
// foundations: the game is won when every pile is empty or holds one whole
// suit from the king down to the ace.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between piles; y 0 how far the tableau row lies below the top row.
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"

namespace {

constexpr int kPiles = 13;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

// A pile of 13 that is one suit from the king (bottom) down to the ace.
bool IsWholeSuit(const CardGroup& pile) {
  if (pile.numCards != 13) return false;
  for (int k = 0; k < 13; ++k) {
    const Card& c = pile.cards[k];
    if (c.rank != 13 - k || c.suit != pile.cards[0].suit) return false;
  }
  return true;
}

// Won when every pile is empty or a whole suit. (Thirteen cards alone are
// not enough: a pile may hold 13 cards with leftovers of the deal under a
// shorter run.)
bool CurdsAndWheyAutoplay(int, int) {
  const Gen& g = g_GenLive;
  if (g.gameOver) return false;
  for (int t = 0; t < g.numTableaus; ++t) {
    if (g.tableaus[t].numCards != 0 && !IsWholeSuit(g.tableaus[t])) return false;
  }
  GenGameWon();
  return true;
}

bool CurdsAndWheySelection(int, int down) { return GenStdPickupOrDrop(0, down, kWhereTableau); }

}  // namespace

void CurdsAndWheySetup() {
  if (!GenBeginVariantSetup(52, 52, 1, 1.5f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSuitRunOrSameRank},
                   {kRuleDropTableau, kRuleSuitRunOrSameRank},
                   {kRuleDropEmptyTableau, kRuleKingOnly}});
  GenSetLowestRank(1);
  SolCardsSetSpaceRankOptions(13, 0);

  GenSetDealCB(PlanForward);
  GenSetSelectionCB(CurdsAndWheySelection);
  GenSetAutoplayCB(CurdsAndWheyAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  GenStdSetNTableausPosition(kPiles, 0, c.topRowY - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenSetReady();
}
