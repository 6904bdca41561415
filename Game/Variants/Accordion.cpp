// Accordion.cpp - the Accordion games: Accordion (the 52 piles in rows,
// read like a line of text) and Spiral (the line wound inwards), one set-up
// routine told apart by their rows below.
//
// Every card is dealt face up into its own pile along the line. A pile
// moves as a whole onto the pile one or three places before it when their
// top cards share suit or rank; the gap it leaves closes up. One pile left
// wins.
//
// Layout values (Data/Main/0110.dat, one entry per game): x 0 the gap
// between piles, in card widths, x 1 the piles per row (Accordion) or the
// columns of the spiral's grid, x 2 the rows of the spiral's grid; y 0 how
// far the first row lies below the top row, y 1 the gap between rows, in
// card heights.
#include "Game/Variants/Accordion.h"

#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenScores.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kPiles = 52;

// What tells the two games apart.
struct AccordionMember {
  int game;
  bool spiral;   // the line is wound inwards on a grid (else read in rows)
};
constexpr AccordionMember kMembers[] = {
    {.game = kGameAccordion, .spiral = false},
    {.game = kGameSpiral, .spiral = true},
};

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

int LayoutCount(int n, int fallback) {
  const int value = static_cast<int>(GenGameLayoutsGetCurGameXVar(n) + 0.5f);
  return value > 0 ? value : fallback;
}

// Pile `to` takes the cards of pile `from` (to below from, both emptied of
// their own first).
void MovePileCards(CardGroup& to, CardGroup& from) {
  to.numCards = 0;
  for (int i = 0; i < from.numCards; ++i) to.AddCardToGroup(&from.cards[i], false, true, false);
  from.numCards = 0;
  from.RelinkOwners();
  from.MarkChanged();
  to.RelinkOwners();
  to.MarkChanged();
  to.Refresh(true);
  from.Refresh(true);
}

}  // namespace

bool AccordionSpiralCell(int k, int columns, int rows, int* column, int* row) {
  if (k < 0 || columns < 1 || rows < 1 || k >= columns * rows) return false;
  // Walk the rings: right along the top, down the right side, left along
  // the bottom, up the left side, then the next ring in.
  int left = 0, top = 0, right = columns - 1, bottom = rows - 1;
  while (left <= right && top <= bottom) {
    const int width = right - left + 1, height = bottom - top + 1;
    const int ring = height == 1 ? width : width == 1 ? height : 2 * (width + height) - 4;
    if (k < ring) {
      if (k < width) {
        *column = left + k;
        *row = top;
      } else if (k < width + height - 1) {
        *column = right;
        *row = top + (k - width + 1);
      } else if (k < 2 * width + height - 2) {
        *column = right - (k - (width + height - 1)) - 1;
        *row = bottom;
      } else {
        *column = left;
        *row = bottom - (k - (2 * width + height - 2)) - 1;
      }
      return true;
    }
    k -= ring;
    ++left;
    ++top;
    --right;
    --bottom;
  }
  return false;
}

bool AccordionDropVeto(int target) {
  const Gen& g = g_GenLive;
  const int to = target - kWhereTableau;
  const int from = g.selectionSource - kWhereTableau;
  if (GenGetKindBase(target) != kWhereTableau || to < 0 || to >= g.numTableaus ||
      GenGetKindBase(g.selectionSource) != kWhereTableau || g.selection.numCards < 1) {
    return false;
  }
  if (from - to != 1 && from - to != 3) return false;
  const CardGroup& pile = g.tableaus[to];
  if (pile.numCards < 1) return false;
  const Card& onto = pile.cards[pile.numCards - 1];
  const Card& carried = g.selection.cards[g.selection.numCards - 1];
  return onto.suit == carried.suit || onto.rank == carried.rank;
}

bool AccordionSelection(int, int down) {
  GenStdPickup(0, down, kWhereDeck);
  GenStdPickupOrDrop(0, down, kWhereTableau);
  return true;
}

bool AccordionAutoplay(int, int) {
  Gen& g = g_GenLive;
  // Piles are not moved under cards in the air: the move's end runs this
  // again.
  if (g.gameOver || AnimIsAnimating()) return false;
  for (int t = 0; t < g.numTableaus;) {
    if (g.tableaus[t].numCards > 0) {
      ++t;
      continue;
    }
    for (int later = t + 1; later < g.numTableaus; ++later) {
      MovePileCards(g.tableaus[later - 1], g.tableaus[later]);
    }
    --g.numTableaus;
  }
  if (g.numTableaus != 1) return false;
  GenGameWon();
  return true;
}

int AccordionGetScore() {
  const Gen& g = g_GenLive;
  if (g.numTableaus < 1 || g.numTableaus > kPiles) return 0;
  return (kPiles - g.numTableaus) * 5;
}

void AccordionSetup() {
  const bool spiral = GenFamilyMember(kMembers).spiral;
  if (!GenBeginVariantSetup(52, kPiles, 1, 1.5f)) return;
  GenSetLowestRank(1);
  GenSetDealCB(PlanForward);
  GenSetSelectionCB(AccordionSelection);
  GenSetAutoplayCB(AccordionAutoplay);
  GenSetDropRuleCB(AccordionDropVeto);

  Gen& g = g_GenLive;
  g.selectionKeepsAlignment = 1;  // a pile moves as a whole, as a stack
  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float step = CardsGetCardWidth() + GenLayoutXCards(0);
  const float rowStep = CardsGetCardHeight() + GenLayoutYCards(1);
  const float firstRowY = c.topRowY - GenLayoutYCards(0);
  const int columns = LayoutCount(1, 13);
  const int rows = spiral ? LayoutCount(2, 7) : (kPiles + columns - 1) / columns;
  g.numTableaus = kPiles;
  for (int k = 0; k < kPiles; ++k) {
    int column = k % columns, row = k / columns;
    if (spiral) AccordionSpiralCell(k, columns, rows, &column, &row);
    const float x = (static_cast<float>(column) - static_cast<float>(columns - 1) / 2) * step;
    const float y = firstRowY - static_cast<float>(row) * rowStep;
    g.tableaus[k].SetupCardGroup({.x = x, .y = y, .z = GenGetTableHeight(), .where = GenTableauCode(k + 1)});
  }
  GenSetPileCountRange(kWhereTableau, 1, kPiles);
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
