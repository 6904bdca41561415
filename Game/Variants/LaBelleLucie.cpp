// LaBelleLucie.cpp - La Belle Lucie, Fan, Intelligence and Shamrocks (one
// set-up routine, told apart by their rows below): the cards are dealt face up
// to 18 fans, whose top cards alone are in play, one at a time; foundations
// build up in suit from the ace.
//   La Belle Lucie: fans build down in suit, an empty fan stays empty; two
//     redeals gather the fans, shuffle them and deal them again.
//   Fan: as La Belle Lucie, but an empty fan takes a king, and no redeal.
//   Intelligence: two decks, eight foundations; the deal sends its aces to
//     the foundations and three cards to every fan; fans build up or down in
//     suit; an empty fan is refilled with three stock cards; two redeals.
//   Shamrocks: 17 fans of three and one of one; fans build up or down
//     regardless of suit but never hold more than three cards; empty fans
//     stay empty.
// A redeal shuffles with a number drawn from the deal number and the
// redeals left, so the same deal always redeals the same way, and the
// game keeps its deal number.
//
// Layout values (Data/Main/0110.dat, in card widths and heights): x 0 a
// fan's length, x 1 the gap between fans, x 2 the step between a fan's
// cards, x 3 the gap between foundations, x 4 the stock's x; y 0 how far the
// first fan row lies below the top row, y 1 the gap between fan rows.
// y 2 how far the top row lies below the layout constants' top row (it
// keeps the top row's cards inside the board's wooden frame).
#include <algorithm>

#include "Engine/EngRand.h"
#include "Game/AnimSetup.h"
#include "Game/Gen.h"
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

constexpr int kFans = 18;
constexpr int kFansPerRow = 6;
constexpr int kRedeals = 2;
constexpr float kGatherSpeed = 4.0f;
constexpr float kRefillSpeed = 0.5f;
// Intelligence deals until the 54th card other than an ace.
constexpr int kIntelligenceFanCards = 54;
constexpr int kShamrockFans = 17;
constexpr int kShamrockMost = 3;

// What tells the four games apart.
struct LucieMember {
  int game;
  bool twoDecks;          // 104 cards, eight foundations
  bool acesDealtHome;     // the deal stops after the 54th card other than an ace and
                          // sends its aces to the foundations
  bool emptyFansRefilled; // an empty fan gets three stock cards
  bool redeals;           // two redeals gather, shuffle and deal the fans again
  int build;              // the fans' drop rule
  bool kingSpaces;        // an empty fan takes a king (else it stays empty)
  bool threeCardFans;     // 17 fans of three and one of one, never more than three cards
};
constexpr LucieMember kMembers[] = {
    {.game = kGameFan, .twoDecks = false, .acesDealtHome = false, .emptyFansRefilled = false, .redeals = false,
     .build = kRuleDownSameSuit, .kingSpaces = true, .threeCardFans = false},
    {.game = kGameIntelligence, .twoDecks = true, .acesDealtHome = true, .emptyFansRefilled = true,
     .redeals = true, .build = kRuleUpOrDownSameSuit, .kingSpaces = false, .threeCardFans = false},
    {.game = kGameLaBelleLucie, .twoDecks = false, .acesDealtHome = false, .emptyFansRefilled = false,
     .redeals = true, .build = kRuleDownSameSuit, .kingSpaces = false, .threeCardFans = false},
    {.game = kGameShamrocks, .twoDecks = false, .acesDealtHome = false, .emptyFansRefilled = false,
     .redeals = false, .build = kRuleUpOrDownAnySuit, .kingSpaces = false, .threeCardFans = true},
};

// The deal's card k: the deck's top card at its turn.
const Card& DealCard(const Gen& g, int k) { return g.deck.cards[g.deck.numCards - 1 - k]; }

bool LaBelleLucieDeal(int, int) {
  Gen& g = g_GenLive;
  const LucieMember& m = GenFamilyMember(kMembers);
  int n = g.dealGroup.numCards;
  if (!g.ready || g.numFans < 1 || n < 1 || n > g.deck.numCards) return false;
  if (m.acesDealtHome) {
    // The cut: up to the 54th card other than an ace and the aces right
    // under it (the whole deck when it holds fewer).
    int others = 0, cut = 0;
    while (cut < g.deck.numCards && others < kIntelligenceFanCards) {
      if (DealCard(g, cut++).rank != 1) ++others;
    }
    while (cut < g.deck.numCards && DealCard(g, cut).rank == 1) ++cut;
    n = std::min(cut, kGenMaxDealPlan);
    g.dealGroup.numCards = n;
  }
  g.dealGroup.MarkChanged();  // the planned faces are written below
  // Intelligence's aces: the first to the first empty foundation, each
  // next one to the next foundation.
  int foundation = 0;
  while (foundation < g.numFoundations && g.foundations[foundation].numCards > 0) ++foundation;
  int fanCard = 0;
  for (int k = 0; k < n; ++k) {
    g.dealGroup.cards[k].faceUp = 1;
    if (m.acesDealtHome && DealCard(g, k).rank == 1 && foundation < g.numFoundations) {
      g.dealPlan[k] = GenFoundationCode(++foundation);
      continue;
    }
    int fan = fanCard % g.numFans + 1;
    if (m.threeCardFans) {
      fan = fanCard < 3 * kShamrockFans ? fanCard % kShamrockFans + 1 : g.numFans;
    }
    g.dealPlan[k] = GenFanCode(fan);
    ++fanCard;
  }
  return true;
}

// The end of a redeal's deal: nothing waits to be dealt any more; the
// autoplay goes on.
bool LucieRedealDealt(int, int) {
  g_GenLive.dealGroup.numCards = 0;
  g_GenLive.dealGroup.MarkChanged();
  const GenVariantCallbacks& cb = GenGetCallbacks();
  if (cb.autoplay) cb.autoplay(0, 0);
  return false;
}

// After the fans are gathered: the deck is shuffled with the redeal's own
// number and dealt again; one redeal fewer is left.
bool LucieRedeal(int, int) {
  Gen& g = g_GenLive;
  const int counter = GenGetRedealCounter();
  g.dealGroup.numCards = g.deck.numCards;
  EngRandSeed(g.dealNumber);
  uint32_t seed = 0;
  for (int draw = 0; draw < counter * 7 + 24; ++draw) seed = EngRandGetNext();
  GenShuffleDeckWithSeed(seed);
  GenSetRedealCounter(counter - 1);
  GenUpdateDeckMarker(false);
  if (LaBelleLucieDeal(0, 0) && AnimSetupFromDeal(0)) {
    AnimSetFinishCB(LucieRedealDealt);
  } else {
    g.dealGroup.numCards = 0;
    g.dealGroup.MarkChanged();
  }
  return false;
}

bool LaBelleLucieSelection(int, int down) {
  Gen& g = g_GenLive;
  const LucieMember& m = GenFamilyMember(kMembers);
  if (GenStdPickup(0, down, kWhereFan)) return true;
  const int hit = GenGetCurrentHitWhere();
  const bool roomy = !m.threeCardFans || (GenGetKindBase(hit) == kWhereFan &&
                                          GenGetGroup(g, hit)->numCards < kShamrockMost);
  if (roomy && GenStdDrop(0, down, kWhereFan)) return true;
  if (GenStdDrop(0, down, kWhereFoundation)) return true;
  if (!GenIsStockClick(down) || !m.redeals) return false;
  if (GenGetRedealCounter() < 1) return true;
  if (AnimSetupMoveAllCardsFromFansToDeck(kGatherSpeed)) AnimSetFinishCB(LucieRedeal);
  return false;
}

// The standard step; then an empty fan gets three stock cards.
bool IntelligenceAutoplay(int, int) {
  Gen& g = g_GenLive;
  GenStdAutoplay(0, 0);
  if (g.gameOver || AnimIsAnimating() || g.deck.numCards < 1) return false;
  for (int f = 0; f < g.numFans; ++f) {
    if (g.fans[f].numCards > 0) continue;
    if (!AnimSetupMoveNCardsFromDeckToFan(3, f, false, kRefillSpeed)) return false;
    AnimSetFinishCB(IntelligenceAutoplay);
    return true;
  }
  return false;
}

}  // namespace

void LaBelleLucieSetup() {
  const LucieMember& m = GenFamilyMember(kMembers);
  if (!GenBeginVariantSetup(m.twoDecks ? 104 : 52, m.twoDecks ? 62 : 52, 0, m.twoDecks ? 1.5f : 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFan, kRuleSingleCard},
                   {kRuleDropFoundation, kRuleUpSameSuit},
                   {kRuleDropFan, m.build},
                   {kRuleDropEmptyFan, m.kingSpaces ? kRuleKingOnly : kRuleNothingOnEmpty}});

  if (m.kingSpaces) SolCardsSetSpaceRankOptions(0, 13);

  GenSetDealCB(LaBelleLucieDeal);
  GenSetSelectionCB(LaBelleLucieSelection);
  if (m.emptyFansRefilled) GenSetAutoplayCB(IntelligenceAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float top = c.topRowY - GenLayoutYCards(2);
  GenStdSetNFoundationsPosition(m.twoDecks ? 8 : 4, 13, 0, top, GenLayoutXCards(3), 0, true,
                                1, 1);
  GenStdSetFanRows(kFans, kFansPerRow, 0, top - GenLayoutYCards(0), GenLayoutXCards(0),
                         GenLayoutXCards(1), GenLayoutYCards(1), GenLayoutXCards(2));
  GenSetDeckPosition(GenLayoutXCards(4), top, m.redeals ? 1 : 0, 0);
  if (m.redeals) {
    GenSetRedealCounter(kRedeals);
    GenUpdateDeckMarker(true);
  }
  GenSetReady();
}
