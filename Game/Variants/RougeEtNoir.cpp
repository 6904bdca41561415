// RougeEtNoir.cpp - Rouge et Noir: ten piles built down in alternating
// colours, a space taking a king or a group headed by one. Foundations 1
// and 2 build red cards up from the ace regardless of suit, 3 and 4 black
// cards; 5 and 6 each take one whole run of 13 cards headed by a red king,
// 7 and 8 by a black king. The stock deals one card face up to every pile
// (SpiderSelection); SpiderAutoplay turns covered cards over and tests the
// win.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles, x 1 the stock's x, x 2 the first foundation's
// x, x 3 the gap between foundations; y 0 how far the tableau row lies below
// the top row.
// y 1 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Engine/Debug.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"
#include "Game/Variants/Spider.h"

namespace {

constexpr int kRunCards = 13;
// Cards dealt in each row; every row starts again at pile 1.
constexpr int kRowLengths[] = {9, 7, 6, 5, 4, 3, 2, 1};

bool IsRed(int suit) { return suit == 0 || suit == 2; }

// Rows of 9, 7, 6, 5, 4, 3, 2 and 1 cards from pile 1; the last card each
// pile gets lies face up, the others face down.
bool RougeEtNoirDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 9 || n < 1 || n > g.deck.numCards) return false;
  int last[kGenMaxTableaus + 1] = {};  // pile number -> the deal index of its last card
  int k = 0;
  for (int length : kRowLengths) {
    for (int pile = 1; pile <= length && k < n; ++pile, ++k) {
      g.dealPlan[k] = GenTableauCode(pile);
      g.dealGroup.cards[k].faceUp = 0;
      last[pile] = k;
    }
  }
  for (; k < n; ++k) g.dealPlan[k] = 0;  // a longer deal than the rows hold plans nothing more
  for (int pile = 1; pile <= kRowLengths[0]; ++pile) g.dealGroup.cards[last[pile]].faceUp = 1;
  return true;
}

// Drops on the foundations (rule 14). The carried cards are the selection.
bool RougeEtNoirFoundationDropCustomCB(int target, int, int dropping, int suit, int rank) {
  const char* where = "RougeEtNoirFoundationDropCustomCB";
  const Gen& g = g_GenLive;
  if (!dropping || GenGetKindBase(target) != kWhereFoundation) {
    DebugError(where, "Internal Error");
    return false;
  }
  const int number = GenPileNumber(target);
  const CardGroup& pile = g.foundations[GenPileIndex(number)];
  const int carried = g.selection.numCards > 0 ? g.selection.numCards : 1;
  if (number <= 4) {
    // One card at a time, red on 1 and 2, black on 3 and 4, up from the ace.
    if (carried != 1 || IsRed(suit) != (number <= 2)) return false;
    if (pile.numCards == 0) return rank == 1;
    return pile.cards[pile.numCards - 1].rank + 1 == rank;
  }
  if (carried != kRunCards || pile.numCards != 0) return false;
  if (rank != 13) {
    DebugError(where, "13 card sel not headed by a king");
    return false;
  }
  return IsRed(suit) == (number <= 6);
}

}  // namespace

void RougeEtNoirSetup() {
  int dealt = 0;
  for (int length : kRowLengths) dealt += length;
  if (!GenBeginVariantSetup(104, dealt, 0, 1.5f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleDownOtherColour},
                   {kRuleDropTableau, kRuleDownOtherColour},
                   {kRuleDropFoundation, kRuleCustom},
                   {kRuleDropEmptyTableau, kRuleKingOnly}});
  SolCardsSetSpaceRankOptions(13, 0);

  GenSetDealCB(RougeEtNoirDeal);
  GenSetCustomRuleCB(RougeEtNoirFoundationDropCustomCB);
  GenSetSelectionCB(SpiderSelection);
  GenSetAutoplayCB(SpiderAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  GenStdSetNTableausPosition(10, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenStdSetNFoundationsPosition(8, kRunCards, GenLayoutXCards(2), top, GenLayoutXCards(3), 0,
                                false, 1, 1);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetReady();
}
