// QueenOfItaly.cpp - Queen of Italy and Blondes and Brunettes (one set-up
// routine, told apart by their rows below): two decks; eight foundations build
// up in alternating colours from a base card; nine piles build down in
// alternating colours, one card at a time; spaces are filled by the
// autoplay. A reserve's top card goes to the foundations; the stock turns
// one card at a time to the waste, once through.
//   Queen of Italy: the reserve holds 11 cards and the piles one each.
//     After the deal the player chooses the base card from piles 1 to 4; it
//     goes to foundation 1 and the piles left empty are dealt again. Spaces
//     are filled from the waste, or from the stock while the waste is empty.
//   Blondes and Brunettes: the reserve holds 10 cards; piles 1 to 4 get one
//     card each and the last card of the deal starts foundation 1 and sets
//     the base. Spaces are filled from the stock, or from the waste once
//     the stock is empty.
// The redeal counter keeps the phase: 0 choosing the base, 1 dealing the
// spaces after the choice, 2 in play.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles, x 1 the gap between foundations, x 2 the
// stock's x, x 3 the waste's x, x 4 the reserve's x; y 0 how far the tableau
// row lies below the top row, y 1 the y of the stock, the waste and the
// reserve above the lower edge.
// y 2 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GameImports.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenQuickMove.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"
#include "Game/UserOptions.h"

namespace {

constexpr int kPiles = 9;
constexpr int kChoicePiles = 4;
constexpr float kStockSpeed = 0.6f;
constexpr float kFillSpeed = 0.3f;
constexpr float kChoiceSpeed = 0.5f;
// The phases kept in the redeal counter.
constexpr int kChoosing = 0;
constexpr int kDealingSpaces = 1;
constexpr int kInPlay = 2;
// The gap kept between the columns and the bottom row, in card heights.
constexpr float kClearance = 0.1f;

// What tells the two games apart.
struct QueenOfItalyMember {
  int game;
  int dealt;                  // cards of the deal
  int reserveCards;           // of them to the reserve, the rest to the piles
  bool playerChoosesBase;     // the player chooses the base from piles 1 to 4 (else the deal's
                              // last card starts foundation 1)
  bool spacesFromWasteFirst;  // spaces are filled from the waste, else from the stock first
  bool reserveOffPiles;       // the reserve's card may not go onto a pile
};
constexpr QueenOfItalyMember kMembers[] = {
    {.game = kGameBlondesAndBrunettes, .dealt = 15, .reserveCards = 10, .playerChoosesBase = false,
     .spacesFromWasteFirst = false, .reserveOffPiles = false},
    {.game = kGameQueenOfItaly, .dealt = 20, .reserveCards = 11, .playerChoosesBase = true,
     .spacesFromWasteFirst = true, .reserveOffPiles = true},
};

const QueenOfItalyMember& Member() { return GenFamilyMember(kMembers); }

bool QueenOfItalyAutoplay(int a, int b);

// Queen of Italy: 11 cards to the reserve, the rest to piles 1, 2, ...
// Blondes and Brunettes: 10 to the reserve, the rest to piles 1, 2, ...,
// the last card to foundation 1. All face up.
bool QueenOfItalyDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || g.numTableaus < 1 || n < 1 || n > g.deck.numCards) return false;
  const QueenOfItalyMember& m = Member();
  for (int k = 0; k < n; ++k) {
    if (k < m.reserveCards) {
      g.dealPlan[k] = GenReserveCode(1);
    } else if (!m.playerChoosesBase && k == n - 1) {
      g.dealPlan[k] = GenFoundationCode(1);
    } else {
      g.dealPlan[k] = GenTableauCode((k - m.reserveCards) % g.numTableaus + 1);
    }
    g.dealGroup.cards[k].faceUp = 1;
  }
  return true;
}

// Blondes and Brunettes, at the end of the deal: the base is foundation 1's
// card; play starts. Queen of Italy, once the base is chosen: every empty
// pile is dealt one card from the stock; play starts.
bool QueenOfItalyDealAnimation(int, int) {
  Gen& g = g_GenLive;
  if (!Member().playerChoosesBase) {
    const CardGroup& first = g.foundations[GenPileIndex(1)];
    if (first.numCards > 0) GenSetLowestRank(first.cards[0].rank);
    GenSetRedealCounter(kInPlay);
    QueenOfItalyAutoplay(0, 0);
    return false;
  }
  // Right after the deal the player has yet to choose.
  if (GenGetRedealCounter() != kDealingSpaces) return false;
  int spaces = 0;
  for (int t = 0; t < g.numTableaus && spaces < g.deck.numCards; ++t) {
    if (g.tableaus[t].numCards > 0) continue;
    g.dealPlan[spaces] = GenTableauCode(t + 1);
    g.dealGroup.cards[spaces].faceUp = 1;
    ++spaces;
  }
  g.dealGroup.numCards = spaces;
  if (spaces > 0) AnimSetupFromDeal(0);
  // The planned cards are on their way: nothing waits to be dealt.
  g.dealGroup.numCards = 0;
  g.dealGroup.MarkChanged();
  GenSetRedealCounter(kInPlay);
  return false;
}

// Fills the first empty pile with one card (Queen of Italy: the waste's, or
// the stock's while the waste is empty; Blondes and Brunettes: the stock's,
// or the waste's once the stock is empty). False when there is no card to
// fill it with.
bool FillFirstSpace() {
  Gen& g = g_GenLive;
  for (int t = 0; t < g.numTableaus; ++t) {
    if (g.tableaus[t].numCards > 0) continue;
    const bool fromWaste = Member().spacesFromWasteFirst ? g.waste.numCards > 0 : g.deck.numCards < 1;
    bool started;
    if (fromWaste) {
      started = g.waste.numCards > 0 && AnimSetupMoveNCardsFromWasteToTableau(1, t, kFillSpeed);
    } else {
      started = g.deck.numCards > 0 && AnimSetupMoveNCardsFromDeckToTableau(1, t, false, kFillSpeed);
    }
    if (started) AnimSetFinishCB(QueenOfItalyAutoplay);
    return started;
  }
  return false;
}

bool QueenOfItalyAutoplay(int, int) {
  Gen& g = g_GenLive;
  if (GenGetRedealCounter() < kInPlay || g.gameOver || AnimIsAnimating()) return false;
  // With the stock and the waste used up the spaces stay empty and the win
  // test follows.
  if (FillFirstSpace()) return false;
  if (GenAllFoundationsFull()) {
    GenGameWon();
    return true;
  }
  if (g_UserOptions.autoplayMode[GenGetCurGame()] == 0) return false;
  const CardGroup& reserve = g.reserves[GenPileIndex(1)];
  if (reserve.numCards > 0) {
    const Card& top = reserve.cards[reserve.numCards - 1];
    if (GenStdAutoplayCheckMove(kWhereReserve, top.suit, GenRulesRank(top), -2, GenPileIndex(1),
                                true, QueenOfItalyAutoplay)) {
      return false;
    }
  }
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& pile = g.tableaus[t];
    if (pile.numCards < 1) continue;
    const Card& top = pile.cards[pile.numCards - 1];
    if (GenStdAutoplayCheckMove(kWhereTableau, top.suit, GenRulesRank(top), -2, t, false,
                                QueenOfItalyAutoplay)) {
      return false;
    }
  }
  return false;
}

// Queen of Italy's drop veto: the reserve's card goes to the foundations
// only, never onto a pile.
bool QueenOfItalyDropVeto(int target) {
  return !(g_GenLive.selectionSource == GenReserveCode(1) && GenGetKindBase(target) == kWhereTableau);
}

// Queen of Italy's choice of the base card: a press on one of piles 1 to 4
// that holds its one card.
bool ChooseBase(int down) {
  Gen& g = g_GenLive;
  const int hit = GenGetCurrentHitWhere();
  const int number = GenGetKindBase(hit) == kWhereTableau ? GenPileNumber(hit) : 0;
  if (!down || g.selection.numCards > 0 || number < 1 || number > kChoicePiles) return false;
  const CardGroup& pile = g.tableaus[GenPileIndex(number)];
  if (pile.numCards != 1) {
    DebugError("QueenOfItalySelection", "Should only be one card in tableau");
    return false;
  }
  GenSetLowestRank(pile.cards[0].rank);
  if (!AnimSetupMoveNCardsFromTableauToFoundation(1, GenPileIndex(number), GenPileIndex(1),
                                                  kChoiceSpeed)) {
    return false;
  }
  AnimSetFinishCB(QueenOfItalyDealAnimation);
  GenSetRedealCounter(kDealingSpaces);
  return true;
}

bool QueenOfItalySelection(int, int down) {
  if (Member().playerChoosesBase && GenGetRedealCounter() == kChoosing) {
    // A quick-move search only asks; the choice is the player's click.
    return !GenIsQuickMoveSearching() && ChooseBase(down);
  }
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (GenStdPickupOrDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  if (GenStdPickup(0, down, kWhereReserve)) return true;
  return GenStockClick(down,
                       {.speed = kStockSpeed, .finish = QueenOfItalyAutoplay, .whenEmpty = kEmptyStockFinishNow});
}

}  // namespace

void QueenOfItalySetup() {
  const QueenOfItalyMember& m = Member();
  if (!GenBeginVariantSetup(104, m.dealt, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRulePickupReserve, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpOtherColour},
                   {kRuleDropTableau, kRuleDownOtherColour},
                   {kRuleDropReserve, kRuleNone},
                   {kRuleDropWaste, kRuleNone},
                   {kRuleDropEmptyTableau, kRuleNothingOnEmpty}});

  GenSetDealCB(QueenOfItalyDeal);
  GenSetDealWithAnimationCB(QueenOfItalyDealAnimation);
  GenSetSelectionCB(QueenOfItalySelection);
  GenSetAutoplayCB(QueenOfItalyAutoplay);
  if (m.reserveOffPiles) GenSetDropRuleCB(QueenOfItalyDropVeto);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(2);
  const float lowY = c.lowerEdgeY + GenLayoutYCards(1);
  GenStdSetNFoundationsPosition(8, 13, 0, top, GenLayoutXCards(1), 0, true, 1, 1);
  GenStdSetNTableausPosition(kPiles, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  const float columnsEnd = lowY + CardsGetCardHeight() * (0.5f + kClearance);
  for (int t = 1; t <= kPiles; ++t) GenSetPileBottomLimit(GenTableauCode(t), columnsEnd);
  GenSetReserveOptions(1, 0, 1, 1, 0);
  GenSetSingleReservePosition(GenLayoutXCards(4), lowY);
  GenSetDeckPosition(GenLayoutXCards(2), lowY, 1, 0);
  GenSetWastePosition(GenLayoutXCards(3), lowY, 1, 1);
  GenSetRedealCounter(kChoosing);
  GenSetReady();
}
