// BuffaloBill.cpp - Buffalo Bill: two decks dealt in full to 26 fans of four
// cards; nothing is built on the fans. Their top cards go to eight cells (one
// card each, playable only onto the foundations) or to the foundations:
// foundations 1 to 4 build up in suit from the ace, 5 to 8 down in suit from
// the king, each half holding each suit once.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between foundations and between cells, x 1 a fan's length, x 2 the
// gap between fans, x 3 the step between a fan's cards; y 0 how far the
// first fan row lies below the top row, y 1 the gap between fan rows, y 2
// the cell row's y above the lower edge.
// y 3 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kFans = 26;
constexpr int kCells = 8;
constexpr int kFansPerRow = 7;

bool PlanToFans(int, int) { return GenPlanDealToFans() != 0; }

bool BuffaloBillSelection(int, int down) {
  if (GenStdPickup(0, down, kWhereFan)) return true;
  if (GenStdPickup(0, down, kWhereCell)) return true;
  if (GenStdDrop(0, down, kWhereFoundation)) return true;
  return GenStdDrop(0, down, kWhereCell);
}

}  // namespace

void BuffaloBillSetup() {
  if (!GenBeginVariantSetup(104, 104, 1, 1.5f)) return;
  GenSetRuleBytes({{kRulePickupFan, kRuleSingleCard},
                   {kRulePickupCell, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleFoundationPairs},
                   {kRuleDropCell, kRuleSingleCard},
                   {kRuleDropFan, kRuleNone}});

  GenSetDealCB(PlanToFans);
  GenSetSelectionCB(BuffaloBillSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(3);
  GenStdSetNFoundationsPosition(8, 13, 0, top, GenLayoutXCards(0), 0, true, 1, 1);
  GenStdSetFanRows(kFans, kFansPerRow, 0,
                         top - GenLayoutYCards(0), GenLayoutXCards(1), GenLayoutXCards(2),
                         GenLayoutYCards(1), GenLayoutXCards(3));
  GenStdSetNCellsPosition(kCells, 0, c.lowerEdgeY + GenLayoutYCards(2), GenLayoutXCards(0), 0, true);
  GenSetReady();
}
