// Alternations.cpp - the Alternations family: Alternations, Interchange and
// Unlimited, two-deck games whose seven tableau piles are dealt in rows
// alternately face up and face down.
//
// The stock turns one card at a time; only Unlimited turns the waste back,
// as often as the player likes. Interchange and Unlimited build and move
// runs in suit, Alternations by alternate colour; spaces take any card.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between tableau piles,
// x 1 the stock's x, x 2 the waste's x, x 3 the first foundation's x, x 4
// the gap between foundations, in card widths; y 0 how far the tableau row
// lies below the top row, in card heights;
// y 1 how far the top row lies below the layout constants' top row.
#include "Game/Variants/Alternations.h"

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

namespace {

constexpr float kStockSpeed = 0.6f;

// What tells the family's games apart.
struct AlternationsMember {
  int game;
  int build;        // the tableau's rule (pick-up and drop)
  bool wasteBack;   // the empty stock turns the waste back, without limit
};
constexpr AlternationsMember kMembers[] = {
    {.game = kGameAlternations, .build = kRuleDownOtherColour, .wasteBack = false},
    {.game = kGameInterchange, .build = kRuleDownSameSuit, .wasteBack = false},
    {.game = kGameUnlimited, .build = kRuleDownSameSuit, .wasteBack = true},
};

}  // namespace

bool AlternationsDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  const int piles = g.numTableaus;
  if (!g.ready || piles < 1 || n < 1 || n > g.deck.numCards) return false;
  for (int k = 0; k < n; ++k) {
    const int row = k / piles + 1;
    g.dealPlan[k] = GenTableauCode(k % piles + 1);
    g.dealGroup.cards[k].faceUp = row % 2 == 1 ? 1 : 0;
  }
  return true;
}

bool AlternationsSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  const bool wasteBack = GenFamilyMember(kMembers).wasteBack;
  return GenStockClick(down, {.speed = kStockSpeed, .finish = GenStdAutoplay,
                              .whenEmpty = wasteBack ? kEmptyStockWasteBack : kEmptyStockIgnored});
}

void AlternationsSetup() {
  if (!GenBeginVariantSetup(104, 49, 0, 1.0f)) return;
  const int build = GenFamilyMember(kMembers).build;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleAnything},
                   {kRulePickupWaste, kRuleAnything},
                   {kRulePickupTableau, build},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, build},
                   {kRuleDropWaste, kRuleNone},
                   {kRuleDropEmptyTableau, kRuleAnything}});

  GenSetDealCB(AlternationsDeal);
  GenSetSelectionCB(AlternationsSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(8, 13, GenLayoutXCards(3), top, GenLayoutXCards(4), 0, false,
                                1, 1);
  GenStdSetNTableausPosition(7, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetWastePosition(GenLayoutXCards(2), top, 1, 1);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
