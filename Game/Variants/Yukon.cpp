// Yukon.cpp - the Yukon family: Yukon, Double Yukon and Russian Cardolia.
//
// The whole deck is dealt to the tableau in a fixed pattern of face-down
// and face-up cards; any face-up card moves with every card above it onto
// a card one rank higher (other colour, or in suit in Russian Cardolia);
// spaces take kings.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between tableau piles,
// x 1 the first foundation's x, x 2 the gap between foundations, in card
// widths; y 0 how far the tableau row lies below the top row, in card
// heights;
// y 1 how far the top row lies below the layout constants' top row.
#include "Game/Variants/Yukon.h"

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

// Rows of the deal, piles from pile 1: u face up, d face down, x none.
constexpr const char* kYukonRows[] = {
    "udddddd", "xuddddd", "xuudddd", "xuuuddd", "xuuuudd", "xuuuuud",
    "xxuuuuu", "xxxuuuu", "xxxxuuu", "xxxxxuu", "xxxxxxu",
};
constexpr const char* kDoubleYukonRows[] = {
    "uddddddddd", "uudddddddd", "uuuddddddd", "uuuudddddd", "uuuuuddddd",
    "xuuuuudddd", "xuuuuuuddd", "xxuuuuuudd", "xxxuuuuuud", "xxxxuuuuuu",
    "xxxxxuuuuu", "xxxxxxuuuu", "xxxxxxxuuu", "xxxxxxxxuu", "xxxxxxxxxu",
};

// Plans the deal row by row over the tableau piles by the pattern.
template <int N>
bool PlanRows(const char* const (&rows)[N]) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || n < 1 || n > g.deck.numCards) return false;
  int k = 0;
  for (const char* row : rows) {
    for (int pile = 1; row[pile - 1] && pile <= g.numTableaus && k < n; ++pile) {
      if (row[pile - 1] == 'x') continue;
      g.dealPlan[k] = GenTableauCode(pile);
      g.dealGroup.cards[k].faceUp = row[pile - 1] == 'u' ? 1 : 0;
      ++k;
    }
  }
  return k == n;
}

}  // namespace

bool YukonDeal(int, int) { return PlanRows(kYukonRows); }
bool DoubleYukonDeal(int, int) { return PlanRows(kDoubleYukonRows); }

bool YukonSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  GenStdPickupOrDrop(0, down, kWhereFoundation);
  return true;
}

namespace {

// What tells the family's games apart.
struct YukonMember {
  int game;
  bool twoDecks;   // 104 cards, ten piles, eight foundations, the double pattern
  int build;       // the tableau's drop rule
};
constexpr YukonMember kMembers[] = {
    {.game = kGameDoubleYukon, .twoDecks = true, .build = kRuleDownOtherColour},
    {.game = kGameRussianCardolia, .twoDecks = false, .build = kRuleDownSameSuit},
    {.game = kGameYukon, .twoDecks = false, .build = kRuleDownOtherColour},
};

}  // namespace

void YukonSetup() {
  const YukonMember& m = GenFamilyMember(kMembers);
  const bool twoDecks = m.twoDecks;
  if (!GenBeginVariantSetup(twoDecks ? 104 : 52, twoDecks ? 104 : 52, 3, twoDecks ? 2.0f : 1.0f)) {
    return;
  }
  const int build = m.build;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleAnything},
                   {kRulePickupTableau, kRuleAnything},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropTableau, build},
                   {kRuleDropEmptyTableau, kRuleKingOnly}});
  SolCardsSetSpaceRankOptions(13, 0);

  GenSetDealCB(twoDecks ? DoubleYukonDeal : YukonDeal);
  GenSetSelectionCB(YukonSelection);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(twoDecks ? 8 : 4, 13, GenLayoutXCards(1), top,
                                GenLayoutXCards(2), 0, false, 1, 1);
  GenStdSetNTableausPosition(twoDecks ? 10 : 7, 0, top - GenLayoutYCards(0),
                             GenLayoutXCards(0), 1);
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
