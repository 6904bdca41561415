// FlowerGarden.cpp - Flower Garden, Brigade and Stonewall (one set-up
// routine, told apart by their rows below). Six piles ("the garden"; Brigade:
// seven) and a bouquet of 16 single cards (Brigade: 13) in a row of reserve
// piles, every one of them in play; when a bouquet card leaves, the row
// closes up. Four foundations build up in suit from the ace (Brigade's aces
// go there in the deal). Flower Garden and Brigade build down regardless of
// suit, one card at a time, any card into a space; Stonewall deals the
// first, third and fifth rows face down and builds down in alternating
// colours, runs moving together.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles, x 1 the gap between foundations, x 2 the gap
// between bouquet cards; y 0 how far the tableau row lies below the top
// row, y 1 the upper bouquet row's y above the lower edge, y 2 the gap
// between the bouquet's two rows.
// y 3 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include <algorithm>

#include "Engine/Debug.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
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

constexpr int kGardenCards = 36;       // Flower Garden and Stonewall: six rows of six
constexpr int kBrigadeTableauCards = 35;  // Brigade: five rows of seven
// The gap kept between the columns and the bouquet, in card heights.
constexpr float kClearance = 0.1f;

// What tells the three games apart.
struct FlowerGardenMember {
  int game;
  int tableaus;           // piles of the garden
  int bouquet;            // cards of the bouquet
  bool acesDealtHome;     // the deal sends the aces to the foundations
  bool faceDownRows;      // rows 1, 3 and 5 are dealt face down
  int pickup;             // the garden's pick-up rule
  int build;              // the garden's drop rule
};
constexpr FlowerGardenMember kMembers[] = {
    {.game = kGameBrigade, .tableaus = 7, .bouquet = 13, .acesDealtHome = true, .faceDownRows = false,
     .pickup = kRuleSingleCard, .build = kRuleDownAnySuit},
    {.game = kGameFlowerGarden, .tableaus = 6, .bouquet = 16, .acesDealtHome = false, .faceDownRows = false,
     .pickup = kRuleSingleCard, .build = kRuleDownAnySuit},
    {.game = kGameStonewall, .tableaus = 6, .bouquet = 16, .acesDealtHome = false, .faceDownRows = true,
     .pickup = kRuleDownOtherColour, .build = kRuleDownOtherColour},
};

// The first 36 cards cyclically to the six piles (Stonewall: rows 1, 3 and
// 5 face down), the rest to reserve piles 1, 2, 3, ... face up.
bool FlowerGardenDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n < 1 || n > g.deck.numCards) return false;
  const bool faceDownRows = GenFamilyMember(kMembers).faceDownRows;
  for (int k = 0; k < n; ++k) {
    const bool tableau = k < kGardenCards;
    const int row = k / g.numTableaus;
    g.dealPlan[k] = tableau ? GenTableauCode(k % g.numTableaus + 1) : GenReserveCode(k - kGardenCards + 1);
    g.dealGroup.cards[k].faceUp = faceDownRows && tableau && row % 2 == 0 ? 0 : 1;
  }
  return true;
}

// Aces to foundations 1, 2, 3, 4 as they come; of the other cards the first
// 35 cyclically to the seven piles, the rest to reserve piles 1, 2, 3, ...
bool BrigadeDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n < 1 || n > g.deck.numCards) return false;
  int aces = 0, others = 0;
  for (int k = 0; k < n; ++k) {
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];
    if (card.rank == 1 && aces < g.numFoundations) {
      g.dealPlan[k] = GenFoundationCode(++aces);
    } else if (others < kBrigadeTableauCards) {
      g.dealPlan[k] = GenTableauCode(others++ % g.numTableaus + 1);
    } else {
      g.dealPlan[k] = GenReserveCode(others++ - kBrigadeTableauCards + 1);
    }
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

// Moves reserve pile `from`'s cards into the pile before it.
void MoveReserveDown(int from) {
  Gen& g = g_GenLive;
  CardGroup& dst = g.reserves[from - 1];
  CardGroup& src = g.reserves[from];
  for (int k = 0; k < src.numCards; ++k) dst.AddCardToGroup(&src.cards[k], false, false, false);
  while (src.numCards > 0) src.RemoveCardFromEnd();
  dst.Refresh(true);
  src.Refresh(true);
}

// Closes the gaps of the bouquet, then the standard step.
bool FlowerGardenAutoplay(int, int) {
  Gen& g = g_GenLive;
  for (;;) {
    int filled = 0, lastEmpty = -1;
    for (int r = 0; r < g.numReserves; ++r) {
      if (g.reserves[r].numCards > 0) {
        ++filled;
      } else {
        lastEmpty = r;
      }
    }
    if (filled >= g.numReserves) break;
    if (lastEmpty < 0) {
      DebugError("FlowerGardenAutoplay", "Interal error (no gap)");
      break;
    }
    for (int r = lastEmpty + 1; r < g.numReserves; ++r) MoveReserveDown(r);
    --g.numReserves;
  }
  return GenStdAutoplay(0, 0);
}

bool FlowerGardenSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  return GenStdPickup(0, down, kWhereReserve) != 0;
}

// The bouquet in rows of perRow cards, each row centred, the first at y and
// the next ones lower by a card height and the row gap.
void PlaceBouquet(int n, int perRow, float y, float gap, float rowGap) {
  const float cw = CardsGetCardWidth(), ch = CardsGetCardHeight();
  GenSetReserveOptions(1, 0, 0, 1, 0);
  GenStdSetNReservesPosition(n, 0, y, gap, 0, true);
  for (int i = 0; i < n; ++i) {
    const int row = i / perRow, inRow = std::min(perRow, n - row * perRow);
    const float width = static_cast<float>(inRow) * cw + static_cast<float>(inRow - 1) * gap;
    const float x = -width / 2 + cw / 2 + static_cast<float>(i % perRow) * (cw + gap);
    GenSetPilePosition(GenReserveCode(i + 1), x, y - static_cast<float>(row) * (ch + rowGap));
  }
}

}  // namespace

void FlowerGardenSetup() {
  const FlowerGardenMember& m = GenFamilyMember(kMembers);
  const int tableaus = m.tableaus;
  const int bouquet = m.bouquet;
  if (!GenBeginVariantSetup(52, 52, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleSingleCard},
                   {kRulePickupTableau, m.pickup},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, m.build},
                   {kRuleDropReserve, kRuleNone}});

  GenSetDealCB(m.acesDealtHome ? BrigadeDeal : FlowerGardenDeal);
  GenSetSelectionCB(FlowerGardenSelection);
  GenSetAutoplayCB(FlowerGardenAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(3);
  const float ch = CardsGetCardHeight();
  const float bouquetY = c.lowerEdgeY + GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(4, 13, 0, top, GenLayoutXCards(1), 0, true, 1, 1);
  GenStdSetNTableausPosition(tableaus, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  PlaceBouquet(bouquet, (bouquet + 1) / 2, bouquetY, GenLayoutXCards(2), GenLayoutYCards(2));
  const float columnsEnd = bouquetY + ch * (0.5f + kClearance);
  for (int t = 1; t <= tableaus; ++t) GenSetPileBottomLimit(GenTableauCode(t), columnsEnd);
  // The bouquet closes up as its cards leave.
  GenSetPileCountRange(kWhereReserve, 0, bouquet);
  GenSetReady();
}
