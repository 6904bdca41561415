// BakersDozen.cpp - the Baker's Dozen family: Baker's Dozen and Castles in
// Spain, the whole deck dealt face up to thirteen tableau piles.
//
// Single cards move; Baker's Dozen builds down in any suit on piles that are
// never refilled, its aces going straight to the foundations and its kings
// to the bottom of their piles after the deal; Castles in Spain builds by
// alternate colour and refills spaces with any card.
//
// Layout values (Data/Main/0110.dat), Baker's Dozen (two rows of seven and
// six piles, the foundations in a column on the right): x 0 the gap between
// piles, x 1 the middle of the rows, x 2 the foundation column's x, in card
// widths; y 0 how far the first row lies below the top row, y 1 how far the
// second row lies below the first, y 2 the gap between foundations, in card
// heights. Castles in Spain (one row of 13, the foundations in the top
// row): x 0 the gap between piles, x 1 the middle of the row, x 2 the first
// foundation's x, x 3 the gap between foundations; y 0 how far the row lies
// below the top row, y 1 how far the top row lies below the layout
// constants' top row.
#include "Game/Variants/BakersDozen.h"

#include <utility>

#include "Game/CardsSettings.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kPiles = 13;
constexpr int kKingPlaces = 3;

void LayOutBakersDozen() {
  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float step = CardsGetCardWidth() + GenLayoutXCards(0);
  const float middle = GenLayoutXCards(1);
  const float firstRowY = c.topRowY - GenLayoutYCards(0);
  const float secondRowY = firstRowY - GenLayoutYCards(1);
  GenStdSetNTableausPosition(kPiles, middle, firstRowY, GenLayoutXCards(0), 1);
  for (int pile = 1; pile <= 7; ++pile) {
    const int code = GenTableauCode(pile);
    GenSetPilePosition(code, middle + (static_cast<float>(pile) - 4.0f) * step, firstRowY);
    GenSetPileBottomLimit(code, secondRowY + CardsGetCardHeight() / 2 + c.smallOffset3);
  }
  for (int pile = 8; pile <= kPiles; ++pile) {
    GenSetPilePosition(GenTableauCode(pile), middle + (static_cast<float>(pile) - 10.5f) * step,
                       secondRowY);
  }
  GenStdSetNFoundationsPosition(4, 13, GenLayoutXCards(2), firstRowY, 0, GenLayoutYCards(2), false,
                                1, 1);
}

void LayOutCastlesInSpain() {
  const float top = GenGetLayoutConstants().topRowY - GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(4, 13, GenLayoutXCards(2), top, GenLayoutXCards(3), 0, false, 1, 1);
  GenStdSetNTableausPosition(kPiles, GenLayoutXCards(1), top - GenLayoutYCards(0),
                             GenLayoutXCards(0), 1);
}

// What tells the two games apart.
struct BakersDozenMember {
  int game;
  bool acesHomeKingsDown;  // the deal sends the aces home and then the kings to the bottom
  int build;               // the tableau's drop rule
  int spaceRule;           // what goes into a space
  void (*layOut)();
};
constexpr BakersDozenMember kMembers[] = {
    {.game = kGameBakersDozen, .acesHomeKingsDown = true, .build = kRuleDownAnySuit,
     .spaceRule = kRuleNothingOnEmpty, .layOut = LayOutBakersDozen},
    {.game = kGameCastlesInSpain, .acesHomeKingsDown = false, .build = kRuleDownOtherColour,
     .spaceRule = kRuleAnything, .layOut = LayOutCastlesInSpain},
};

}  // namespace

bool BakersDozenDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n < 1 || n > g.deck.numCards) return false;
  const bool acesOut = GenFamilyMember(kMembers).acesHomeKingsDown;
  for (int k = 0; k < n; ++k) {
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];
    g.dealPlan[k] = acesOut && card.rank == 1 ? GenFoundationCode(card.suit + 1)
                                              : GenTableauCode(k % g.numTableaus + 1);
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

bool BakersDozenDealAnimation(int, int) {
  Gen& g = g_GenLive;
  if (GenFamilyMember(kMembers).acesHomeKingsDown) {
    for (int t = 0; t < g.numTableaus; ++t) {
      CardGroup& pile = g.tableaus[t];
      for (int place = 0; place < kKingPlaces && place < pile.numCards; ++place) {
        if (pile.cards[place].rank == 13) continue;
        for (int above = place + 1; above < pile.numCards; ++above) {
          if (pile.cards[above].rank != 13) continue;
          Card& low = pile.cards[place];
          Card& king = pile.cards[above];
          const int suit = low.suit, rank = low.rank;
          low.SetSuitAndRank(king.suit, king.rank);
          king.SetSuitAndRank(suit, rank);
          break;
        }
      }
      pile.MarkChanged();
      pile.Refresh(true);
    }
  }
  GenStdAutoplay(0, 0);
  return false;
}

void BakersDozenSetup() {
  const BakersDozenMember& m = GenFamilyMember(kMembers);
  if (!GenBeginVariantSetup(52, 52, 0, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, m.build},
                   {kRuleDropEmptyTableau, m.spaceRule}});

  GenSetDealCB(BakersDozenDeal);
  GenSetDealWithAnimationCB(BakersDozenDealAnimation);
  GenSetSelectionCB(StdTableauFoundationSelection);

  m.layOut();
  GenSetDeckPosition(0, GenGetLayoutConstants().lowerEdgeY, 0, 0);
  GenSetReady();
}
