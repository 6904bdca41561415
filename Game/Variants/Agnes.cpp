// Agnes.cpp - Agnes Bernauer and Agnes Sorel (one set-up routine, told apart
// by their rows below). The first card dealt starts foundation 1 and sets the
// base rank of all four foundations, which build up in suit from it, going
// on from king to ace; the ranks wrap in the tableau too. Seven piles are
// dealt as a staircase (pile k holds k cards). Agnes Bernauer builds down in
// alternating colours, fills a space only with the rank below the base, and
// keeps seven reserve piles that the stock refills one card each; Agnes
// Sorel builds down in the same colour, never fills a space, and its stock
// deals one card to each pile.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles (and between reserve piles), x 1 the stock's x,
// x 2 the first foundation's x, x 3 the gap between foundations; y 0 how far
// the tableau row lies below the top row, y 1 the reserve row's y above the
// lower edge.
// y 2 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Game/CardsSettings.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
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
constexpr float kStockSpeed = 0.5f;
// The gap kept between the columns and the reserve row, in card heights.
constexpr float kClearance = 0.1f;

// What tells the two games apart.
struct AgnesMember {
  int game;
  int dealt;          // cards of the deal (foundation 1, the staircase, the reserves)
  bool reserveRow;    // seven reserve piles that the stock refills (else it deals to the piles)
  int build;          // the tableau's rule (pick-up and drop)
  int spaceRule;      // what goes into a space
};
constexpr AgnesMember kMembers[] = {
    {.game = kGameAgnesBernauer, .dealt = 36, .reserveRow = true, .build = kRuleDownOtherColour,
     .spaceRule = kRuleBelowLowest},
    {.game = kGameAgnesSorel, .dealt = 29, .reserveRow = false, .build = kRuleDownSameColour,
     .spaceRule = kRuleNothingOnEmpty},
};

// Card 0 to foundation 1; the next 28 as a staircase (passes over piles 1
// to 7, 2 to 7, ...); in Agnes Bernauer the cards from the 30th on to
// reserve piles 1 to 7. All face up.
bool AgnesDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < kPiles || n < 1 || n > g.deck.numCards) return false;
  int k = 0;
  g.dealPlan[k++] = GenFoundationCode(1);
  for (int start = 1; start <= kPiles; ++start) {
    for (int pile = start; pile <= kPiles && k < n; ++pile) g.dealPlan[k++] = GenTableauCode(pile);
  }
  for (int reserve = 1; k < n; ++k, ++reserve) {
    g.dealPlan[k] = reserve <= g.numReserves ? GenReserveCode(reserve) : 0;
  }
  for (k = 0; k < n; ++k) g.dealGroup.cards[k].faceUp = 1;
  return true;
}

bool AgnesSelection(int, int down) {
  const bool reserveRow = GenFamilyMember(kMembers).reserveRow;
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (reserveRow && GenStdPickup(0, down, kWhereReserve)) return true;
  return GenStockClick(down, {.to = reserveRow ? kWhereReserve : kWhereTableau, .cards = kPiles, .speed = kStockSpeed,
                              .whenEmpty = kEmptyStockIdle});
}

}  // namespace

void AgnesSetup() {
  const AgnesMember& m = GenFamilyMember(kMembers);
  if (!GenBeginVariantSetup(52, m.dealt, 0, 0.6f)) return;
  const int build = m.build;
  GenSetRuleBytes({{kRulePickupTableau, build},
                   {kRulePickupReserve, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, build},
                   {kRuleDropReserve, kRuleNone},
                   {kRuleDropEmptyTableau, m.spaceRule}});
  g_GenLive.rankWrap = 1;
  SolCardsSetSpaceRankOptions(-1, 0);

  GenSetDealCB(AgnesDeal);
  GenSetAfterDealCB(SetBaseRankFromFirstFoundation);
  GenSetSelectionCB(AgnesSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(2);
  GenStdSetNFoundationsPosition(4, 13, GenLayoutXCards(2), top, GenLayoutXCards(3), 0, false,
                                1, 1);
  GenStdSetNTableausPosition(kPiles, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  if (m.reserveRow) {
    const float reserveY = c.lowerEdgeY + GenLayoutYCards(1);
    GenSetReserveOptions(1, 0, 1, 1, 0);
    GenStdSetNReservesPosition(kPiles, 0, reserveY, GenLayoutXCards(0), 0, true);
    const float columnsEnd = reserveY + CardsGetCardHeight() * (0.5f + kClearance);
    for (int t = 1; t <= kPiles; ++t) GenSetPileBottomLimit(GenTableauCode(t), columnsEnd);
  }
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetReady();
}
