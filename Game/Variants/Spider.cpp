// Spider.cpp - the Spider family: Spider, Spider 3 Suits, Spider 2 Suits,
// Spider 1 Suit, Spider Triple Deck, Spiderette and its 3, 2 and 1 suit
// forms (one set-up routine, told apart by their rows below), and the selection
// handler and autoplay that Scorpion and Rouge et Noir share with them.
//
// Runs are lifted only when built down in one suit and dropped on any card
// one rank higher; a space takes any card or run. The stock deals one card
// face up to every pile, but only while no pile is empty (as the rules text
// says). A complete suit from king to ace on top of a pile leaves for the
// foundations, which only store the finished suits: nothing is built or
// lifted there by hand. The two-, three- and one-suit decks are filled by
// GenSetupDeck.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 the
// gap between tableau piles, x 1 the stock's x, x 2 the first foundation's
// x, x 3 the gap between foundations; y 0 how far the tableau row lies below
// the top row.
// y 1 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include "Game/Variants/Spider.h"

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
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

namespace {

constexpr float kStockSpeed = 0.3f;
constexpr float kTurnOverSpeed = 0.5f;
constexpr float kSuitSpeed = 0.6f;
constexpr int kSuitCards = 13;

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

// What tells the games of the shared handlers apart: the Spider and
// Spiderette forms (SpiderSetup; their decks and foundations are the game
// row's), and Scorpion and Rouge et Noir, which only share the handlers.
struct SpiderMember {
  int game;
  bool spacesStopTheDeal;   // the stock deals nothing while a pile is empty
  int dealtPiles;           // piles a stock click deals to; 0: every pile
  bool foundationDrops;     // cards are dropped on the foundations, won when all are full
  int tableaus;             // SpiderSetup's piles,
  int dealt;                // the cards of its deal
  int faceMode;             // and the deal's face mode
};
constexpr SpiderMember kMembers[] = {
    {.game = kGameSpider, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 10, .dealt = 54, .faceMode = 2},
    {.game = kGameSpider3Suits, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 10, .dealt = 54, .faceMode = 2},
    {.game = kGameSpider2Suits, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 10, .dealt = 54, .faceMode = 2},
    {.game = kGameSpider1Suit, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 10, .dealt = 54, .faceMode = 2},
    {.game = kGameSpiderTripleDeck, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 12, .dealt = 54, .faceMode = 2},
    {.game = kGameSpiderette, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 7, .dealt = 28, .faceMode = 3},
    {.game = kGameSpiderette3Suits, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 7, .dealt = 28, .faceMode = 3},
    {.game = kGameSpiderette2Suits, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 7, .dealt = 28, .faceMode = 3},
    {.game = kGameSpiderette1Suit, .spacesStopTheDeal = true, .dealtPiles = 0, .foundationDrops = false,
     .tableaus = 7, .dealt = 28, .faceMode = 3},
    {.game = kGameScorpion, .spacesStopTheDeal = false, .dealtPiles = 3, .foundationDrops = false},
    {.game = kGameRougeEtNoir, .spacesStopTheDeal = false, .dealtPiles = 0, .foundationDrops = true},
};

bool AnyTableauEmpty() {
  const Gen& g = g_GenLive;
  for (int t = 0; t < g.numTableaus; ++t) {
    if (g.tableaus[t].numCards == 0) return true;
  }
  return false;
}

}  // namespace

// ---- Shared steps -------------------------------------------------------------------

int SpiderFindCompleteSuit() {
  const Gen& g = g_GenLive;
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& pile = g.tableaus[t];
    if (pile.numCards < kSuitCards) continue;
    const int first = pile.numCards - kSuitCards;
    bool complete = true;
    for (int k = 0; k < kSuitCards && complete; ++k) {
      const Card& c = pile.cards[first + k];
      complete = c.faceUp && c.rank == kSuitCards - k && c.suit == pile.cards[first].suit;
    }
    if (complete) return t;
  }
  return -1;
}

bool SpiderMoveSuitToFoundation(int tableau, const char* where, bool (*finish)(int, int)) {
  const Gen& g = g_GenLive;
  for (int f = 0; f < g.numFoundations; ++f) {
    if (g.foundations[f].numCards > 0) continue;
    if (!AnimSetupMoveNCardsFromTableauToFoundation(kSuitCards, tableau, f, kSuitSpeed)) return false;
    AnimSetFinishCB(finish);
    return true;
  }
  DebugError(where, "Internal Error");
  return false;
}

bool SpiderTurnOverTopCard(bool (*finish)(int, int)) {
  const Gen& g = g_GenLive;
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& pile = g.tableaus[t];
    if (pile.numCards < 1 || pile.cards[pile.numCards - 1].faceUp) continue;
    if (!AnimSetupTurnOverCardInTableau(t, kTurnOverSpeed, false)) return false;
    AnimSetFinishCB(finish);
    return true;
  }
  return false;
}

// ---- Callbacks ------------------------------------------------------------------------

bool SpiderSelection(int, int down) {
  Gen& g = g_GenLive;
  const SpiderMember& m = GenFamilyMember(kMembers);
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  if (m.foundationDrops && GenStdDrop(0, down, kWhereFoundation)) return true;
  // "No column may be empty": the rules text of the Spider games.
  if (m.spacesStopTheDeal && AnyTableauEmpty()) return false;
  const int cards = m.dealtPiles > 0 ? m.dealtPiles : g.numTableaus;
  return GenStockClick(down, {.to = kWhereTableau, .cards = cards, .speed = kStockSpeed, .finish = SpiderAutoplay});
}

bool SpiderAutoplay(int, int) {
  Gen& g = g_GenLive;
  // A running move's end runs the autoplay again (its finish or the
  // after-move step), so nothing is lost by waiting for it.
  if (g.gameOver || AnimIsAnimating()) return false;
  if (SpiderTurnOverTopCard(SpiderAutoplay)) return true;
  if (GenFamilyMember(kMembers).foundationDrops) {
    for (int f = 0; f < g.numFoundations; ++f) {
      if (g.foundations[f].numCards < kSuitCards) return false;
    }
    GenGameWon();
    return true;
  }
  const int t = SpiderFindCompleteSuit();
  return t >= 0 && SpiderMoveSuitToFoundation(t, "SpiderAutoplay", SpiderAutoplayFinishCB);
}

bool SpiderAutoplayFinishCB(int, int) {
  const Gen& g = g_GenLive;
  if (g.numFoundations > 0 && g.foundations[g.numFoundations - 1].numCards > 0) {
    GenGameWon();
    return true;
  }
  SpiderAutoplay(0, 0);
  return false;
}

void SpiderSetup() {
  const SpiderMember& m = GenFamilyMember(kMembers);
  const int decks = GenCurGameDef().decks;
  if (!GenBeginVariantSetup(decks * 52, m.dealt, m.faceMode, 1.0f)) return;
  // The foundations only store finished suits.
  GenSetRuleBytes({{kRulePickupTableau, kRuleDownSameSuit},
                   {kRulePickupFoundation, kRuleNone},
                   {kRuleDropTableau, kRuleDownAnySuit},
                   {kRuleDropFoundation, kRuleNone},
                   {kRuleDropEmptyTableau, kRuleAnything}});

  GenSetDealCB(PlanForward);
  GenSetSelectionCB(SpiderSelection);
  GenSetAutoplayCB(SpiderAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(1);
  const int foundations = decks * 4;
  GenStdSetNTableausPosition(m.tableaus, 0, top - GenLayoutYCards(0), GenLayoutXCards(0), 1);
  GenStdSetNFoundationsPosition(foundations, kSuitCards, GenLayoutXCards(2), top,
                                GenLayoutXCards(3), 0, false, 1, 1);
  GenSetDeckPosition(GenLayoutXCards(1), top, 1, 0);
  GenSetReady();
}
