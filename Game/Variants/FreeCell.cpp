// FreeCell.cpp - the FreeCell family: FreeCell, Baker's Game, Eight Off,
// SeaTowers and ThreeCell (one set-up routine, told apart by their rows
// below).
//
// Every card is dealt face up to the tableau; free cells hold one card each;
// foundations build up in suit from the ace. Runs move as a whole only as
// far as the free cells and empty piles would allow card by card.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles, x 1 the first cell's x, x 2 the gap between
// cells and between foundations, x 3 the first foundation's x, x 4 the x of
// SeaTowers' third cell (its cells stand two at each end of the top row);
// y 0 how far the tableau row lies below the top row, y 1 how far the top
// row lies below the layout's top row (c.topRowY).
#include "Game/Variants/FreeCell.h"

#include "Engine/Debug.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
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

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

// What tells the family's games apart.
struct FreeCellMember {
  int game;
  int build;              // the tableau's rule (pick-up and drop)
  bool kingSpaces;        // only a king goes into a space
  int cells;
  int tableaus;
  GenStepCB deal;         // the deal plan
  bool cellsAtBothEnds;   // cells 3 and 4 stand at the right end of the top row
};
constexpr FreeCellMember kMembers[] = {
    {.game = kGameBakersGame, .build = kRuleDownSameSuit, .kingSpaces = false, .cells = 4, .tableaus = 8,
     .deal = PlanForward, .cellsAtBothEnds = false},
    {.game = kGameEightOff, .build = kRuleDownSameSuit, .kingSpaces = true, .cells = 8, .tableaus = 8,
     .deal = EightOffDeal, .cellsAtBothEnds = false},
    {.game = kGameFreeCell, .build = kRuleDownOtherColour, .kingSpaces = false, .cells = 4, .tableaus = 8,
     .deal = PlanForward, .cellsAtBothEnds = false},
    {.game = kGameSeaTowers, .build = kRuleDownSameSuit, .kingSpaces = true, .cells = 4, .tableaus = 10,
     .deal = SeaTowersDeal, .cellsAtBothEnds = true},
    {.game = kGameThreeCell, .build = kRuleDownOtherColour, .kingSpaces = false, .cells = 3, .tableaus = 8,
     .deal = PlanForward, .cellsAtBothEnds = false},
};

// Plans the deal cyclically over the tableau piles, except the cards that
// cellOf (deal index) sends to a cell (a cell number, or 0 for none).
template <typename CellOf>
bool PlanWithCells(CellOf cellOf) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n < 1 || n > g.deck.numCards) return false;
  int pile = 1;
  for (int k = 0; k < n; ++k) {
    const int cell = cellOf(k, n);
    if (cell > 0) {
      g.dealPlan[k] = GenCellCode(cell);
    } else {
      g.dealPlan[k] = GenTableauCode(pile);
      pile = pile == g.numTableaus ? 1 : pile + 1;
    }
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

// The number of empty piles of a kind in a record, leaving one pile out.
int EmptyPiles(const CardGroup* piles, int count, int except) {
  int empty = 0;
  for (int i = 0; i < count; ++i) {
    if (i != except && piles[i].numCards == 0) ++empty;
  }
  return empty;
}

}  // namespace

bool EightOffDeal(int, int) {
  // The last four cards of the deal go to cells 1 to 4 in order.
  return PlanWithCells([](int k, int n) { return k >= n - 4 ? k - (n - 4) + 1 : 0; });
}

bool SeaTowersDeal(int, int) {
  // The 51st card to the first cell, the 52nd to the fourth.
  return PlanWithCells([](int k, int) { return k == 50 ? 1 : k == 51 ? 4 : 0; });
}

int FreeCellLargestRun(int target) {
  const Gen& g = g_GenLive;
  const Gen& atLift = GenPickupCopy();
  int run = EmptyPiles(g.cells, g.numCells, -1) + 1;
  const int spaces = EmptyPiles(atLift.tableaus, atLift.numTableaus, target - kWhereTableau);
  for (int i = 0; i < spaces && run < kCardGroupMaxCards; ++i) run *= 2;
  return run;
}

bool FreeCellSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickupOrDrop(0, down, kWhereCell)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereTableau)) return true;
  const int target = GenGetCurrentHitWhere();
  if (g.selection.numCards < 1 || GenGetKindBase(target) != kWhereTableau) return false;
  if (!GenIsPickupCopyPending()) {
    DebugError("FreeCellSelection", "PreSel not setup ok");
    return false;
  }
  if (g.selection.numCards > FreeCellLargestRun(target)) return false;
  return GenStdDrop(0, down, kWhereTableau);
}

void FreeCellSetup() {
  const FreeCellMember& m = GenFamilyMember(kMembers);
  if (!GenBeginVariantSetup(52, 52, 1, 1.0f)) return;
  const int build = m.build;
  GenSetRuleBytes({{kRulePickupCell, kRuleAnything},
                   {kRulePickupFoundation, kRuleAnything},
                   {kRulePickupTableau, build},
                   {kRuleDropCell, kRuleAnything},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, build},
                   {kRuleDropEmptyTableau, m.kingSpaces ? kRuleKingOnly : kRuleAnything}});
  if (m.kingSpaces) SolCardsSetSpaceRankOptions(13, 0);

  GenSetDealCB(m.deal);
  GenSetSelectionCB(FreeCellSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  const float cellGap = GenLayoutXCards(2);
  GenStdSetNFoundationsPosition(4, 13, GenLayoutXCards(3), top, cellGap, 0, false, 1, 1);
  GenStdSetNCellsPosition(m.cells, GenLayoutXCards(1), top, cellGap, 0, false);
  if (m.cellsAtBothEnds) {
    // Cells 3 and 4 stand at the right end of the foundation row.
    const float step = CardsGetCardWidth() + cellGap;
    GenSetPilePosition(GenCellCode(3), GenLayoutXCards(4), top);
    GenSetPilePosition(GenCellCode(4), GenLayoutXCards(4) + step, top);
  }
  GenStdSetNTableausPosition(m.tableaus, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
