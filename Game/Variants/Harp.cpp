// Harp.cpp - the Harp family: Harp, Gargantua and Steps, two-deck games in
// the manner of Klondike.
//
// The tableau is dealt as a staircase with the top cards face up; the
// stock turns one card at a time. Harp may turn the waste back once (its
// redeal counter starts at 1) and moves runs of two or more cards only when
// a king heads them; Gargantua and Steps never turn the waste back. The
// deck's empty marker shows whether a redeal is left.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between tableau piles,
// x 1 the stock's x, x 2 the waste's x, x 3 the first foundation's x, x 4
// the gap between foundations, in card widths; y 0 how far the tableau row
// lies below the top row, in card heights;
// y 1 how far the top row lies below the layout constants' top row.
#include "Game/Variants/Harp.h"

#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
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

constexpr float kStockSpeed = 0.6f;

// What tells the family's games apart.
struct HarpMember {
  int game;
  int tableaus;          // piles, dealt as a staircase
  bool anyCardSpaces;    // any card goes into a space (else only a king)
  bool kingHeadsRuns;    // a run of two or more cards moves only under a king
  int redeals;           // the redeal counter's start: waste turns back left
};
constexpr HarpMember kMembers[] = {
    {.game = kGameGargantua, .tableaus = 9, .anyCardSpaces = false, .kingHeadsRuns = false, .redeals = 0},
    {.game = kGameHarp, .tableaus = 9, .anyCardSpaces = false, .kingHeadsRuns = true, .redeals = 1},
    {.game = kGameSteps, .tableaus = 7, .anyCardSpaces = true, .kingHeadsRuns = false, .redeals = 0},
};

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

}  // namespace

bool HarpSelection(int, int down) {
  Gen& g = g_GenLive;
  const int carried = g.selection.numCards;
  if (GenStdPickup(0, down, kWhereTableau)) {
    const bool run = carried == 0 && g.selection.numCards > 1;
    if (GenFamilyMember(kMembers).kingHeadsRuns && run && g.selection.cards[0].rank != 13) {
      GenCancelSelection();
    }
    return true;
  }
  if (GenStdDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  return GenStockClick(down, {.speed = kStockSpeed, .finish = GenStdAutoplay, .whenEmpty = kEmptyStockRedeal});
}

void HarpSetup() {
  const HarpMember& m = GenFamilyMember(kMembers);
  const int staircase = m.tableaus * (m.tableaus + 1) / 2;
  if (!GenBeginVariantSetup(104, staircase, 3, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleAnything},
                   {kRulePickupWaste, kRuleAnything},
                   {kRulePickupTableau, kRuleDownOtherColour},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, kRuleDownOtherColour},
                   {kRuleDropWaste, kRuleNone},
                   {kRuleDropEmptyTableau, m.anyCardSpaces ? kRuleAnything : kRuleKingOnly}});
  if (!m.anyCardSpaces) SolCardsSetSpaceRankOptions(13, 0);

  GenSetDealCB(PlanForward);
  GenSetSelectionCB(HarpSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(8, 13, GenLayoutXCards(3), top, GenLayoutXCards(4), 0, false,
                                1, 1);
  GenStdSetNTableausPosition(m.tableaus, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetWastePosition(GenLayoutXCards(2), top, 1, 1);
  GenSetRedealCounter(m.redeals);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
