// Gaps.cpp - Gaps: the 52 cards dealt into four rows of 13, the aces taken
// out to leave four gaps. A gap takes the card one rank above its left
// neighbour in the same suit, a row's first place a 2; a king's right
// neighbour stays a gap. Three times the cards outside the rows' finished
// runs may be gathered and dealt again. Each row 2 to king in one suit
// wins.
//
// A card is dragged into a gap that takes it (the gaps' rule decides the
// drop, so only those are highlighted); a click on it, or a drag back onto
// its own place, moves it into the first gap that takes it.
//
// Layout values (Data/Main/0110.dat): x 0 the gap between places, x 1 the
// stock's x, x 2 the aces' x, in card widths; y 0 how far the first row
// lies below the top row, y 1 the gap between rows, y 2 how far the stock
// and the aces lie below the top row, in card heights.
#include "Game/Variants/Gaps.h"

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
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

constexpr int kRedeals = 3;
constexpr int kAces = 4;
constexpr float kMoveSpeed = 1.0f;
constexpr float kGatherSpeed = 3.5f;
// How often the deal passes over cards already in place before it plans
// the next card.
constexpr int kSkipPasses = 5;

bool IsGapsTable() {
  const Gen& g = g_GenLive;
  return g.numTableaus >= kGapsPlaces && g.numReserves >= 1;
}

bool Holds(int place) { return g_GenLive.tableaus[place].numCards > 0; }

int NextPlace(int place) { return (place + 1) % kGapsPlaces; }

// Does the gap at place take a card of suit and rank?
bool GapTakes(int place, int suit, int rank) {
  const Gen& g = g_GenLive;
  if (place % kGapsPerRow == 0) return rank == 2;  // only a 2 starts a row
  const CardGroup& left = g.tableaus[place - 1];
  if (left.numCards != 1) return false;
  return left.cards[0].suit == suit && left.cards[0].rank == rank - 1;
}

// The gaps' drop rule: an empty place takes a single card it fits.
bool GapRule(int target, int, int dropping, int suit, int rank) {
  const int place = target - kWhereTableau;
  if (!dropping || GenGetKindBase(target) != kWhereTableau || place < 0 || place >= kGapsPlaces ||
      g_GenLive.selection.numCards != 1) {
    return false;
  }
  return GapTakes(place, suit, rank > 13 ? 1 : rank);
}

// Moves the lone card of place `from` into the first gap that takes it.
bool MoveToFirstGap(int from) {
  Gen& g = g_GenLive;
  if (from < 0 || from >= kGapsPlaces || g.tableaus[from].numCards != 1) return false;
  const Card& card = g.tableaus[from].cards[0];
  for (int place = 0; place < kGapsPlaces; ++place) {
    if (Holds(place) || !GapTakes(place, card.suit, card.rank)) continue;
    if (AnimSetupMoveNCardsFromTableauToTableau(1, from, place, kMoveSpeed)) {
      AnimSetFinishCB(GapsAutoplay);
      return true;
    }
    return false;
  }
  return false;
}

}  // namespace

int GapsFinishedRun(int row) {
  const Gen& g = g_GenLive;
  if (!IsGapsTable() || row < 0 || row >= kGapsRows) return 0;
  const int first = row * kGapsPerRow;
  if (g.tableaus[first].numCards != 1) return 0;
  const int suit = g.tableaus[first].cards[0].suit;
  int run = 0;
  for (int i = 0; i < kGapsPerRow; ++i) {
    const CardGroup& place = g.tableaus[first + i];
    if (place.numCards != 1 || place.cards[0].suit != suit || place.cards[0].rank != i + 2) break;
    ++run;
  }
  return run;
}

bool GapsDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || !IsGapsTable() || n < 1 || n > g.deck.numCards || n > kGenMaxDealPlan) return false;
  const bool skipRowStarts = GenGetRedealCounter() < 2;
  int index = 0;
  for (int k = 0; k < n; ++k) {
    for (int pass = 0; pass < kSkipPasses; ++pass) {
      if (!Holds(index)) break;
      // Past the cards in place to the next gap, and leave that gap.
      int tries = 0;
      while (Holds(index) && tries++ < kGapsPlaces) index = NextPlace(index);
      index = NextPlace(index);
    }
    if (skipRowStarts && index % kGapsPerRow == 0 && !Holds(index)) index = NextPlace(index);
    const Card& card = g.deck.cards[g.deck.numCards - 1 - k];
    g.dealPlan[k] = card.rank == 1 ? GenReserveCode(1) : GenTableauCode(index + 1);
    g.dealGroup.cards[k].faceUp = 1;
    index = NextPlace(index);
  }
  g.dealGroup.MarkChanged();
  return true;
}

bool GapsAutoplay(int, int) {
  Gen& g = g_GenLive;
  if (g.gameOver || !IsGapsTable()) return false;
  for (int row = 0; row < kGapsRows; ++row) {
    if (GapsFinishedRun(row) < kGapsPerRow - 1) return false;
  }
  GenGameWon();
  return true;
}

bool GapsReshuffle(int, int) {
  Gen& g = g_GenLive;
  if (!IsGapsTable() || g.deck.numCards > kGapsPlaces - kAces || g.reserves[0].numCards != kAces) {
    DebugError("GapsReshuffle", "Internal Error");
    return false;
  }
  GenShuffleDeck();
  if (GenGetRedealCounter() > 0) GenSetRedealCounter(GenGetRedealCounter() - 1);
  GenUpdateDeckMarker(true);
  g.dealGroup.numCards = g.deck.numCards;
  g.dealGroup.MarkChanged();
  GapsDeal(0, 0);
  AnimSetupFromDeal(0);
  // The animation has taken the plan: nothing waits in the deal group.
  g.dealGroup.numCards = 0;
  g.dealGroup.RelinkOwners();
  g.dealGroup.MarkChanged();
  return true;
}

bool GapsSelection(int, int down) {
  Gen& g = g_GenLive;
  if (!IsGapsTable()) return false;
  if (GenStdPickup(0, down, kWhereTableau)) return true;
  if (down) return false;
  const int hit = GenGetCurrentHitWhere();
  if (g.selection.numCards > 0) {
    if (g.selection.numCards != 1 || GenGetKindBase(hit) != kWhereTableau) return false;
    if (hit != g.selectionSource) return GenStdDrop(0, down, kWhereTableau);
    // Released where it was lifted: a click on the card.
    GenCancelSelection();
    return MoveToFirstGap(hit - kWhereTableau);
  }
  if (hit == kWhereDeck) {
    if (GenGetRedealCounter() < 1) return true;
    int gather[kGapsPlaces];
    int count = 0;
    for (int row = 0; row < kGapsRows; ++row) {
      const int run = GapsFinishedRun(row);
      for (int i = run; i < kGapsPerRow; ++i) {
        const int place = row * kGapsPerRow + i;
        if (Holds(place)) gather[count++] = place;
      }
    }
    if (count > 0 && AnimSetupMoveTopCardsFromTableausToDeck(gather, count, kGatherSpeed)) {
      AnimSetFinishCB(GapsReshuffle);
    } else if (count == 0) {
      GapsReshuffle(0, 0);
    }
    return false;
  }
  return false;
}

void GapsSetup() {
  if (!GenBeginVariantSetup(52, 52, 1, 3.5f)) return;
  // A place holding a card takes none; a gap asks the gaps' rule.
  GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard},
                   {kRuleDropTableau, kRuleCellAnyCard},
                   {kRuleDropEmptyTableau, kRuleTableauSpace}});
  GenSetLowestRank(1);
  GenSetDealCB(GapsDeal);
  GenSetSelectionCB(GapsSelection);
  GenSetTableauSpaceCB(GapRule);
  GenSetAutoplayCB(GapsAutoplay);

  Gen& g = g_GenLive;
  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float step = CardsGetCardWidth() + GenLayoutXCards(0);
  const float rowStep = CardsGetCardHeight() + GenLayoutYCards(1);
  const float firstRowY = c.topRowY - GenLayoutYCards(0);
  // The places are stacks of one card in four rows, centred on x = 0.
  g.numTableaus = kGapsPlaces;
  for (int k = 0; k < kGapsPlaces; ++k) {
    const float x = (static_cast<float>(k % kGapsPerRow) - (kGapsPerRow - 1) / 2.0f) * step;
    const float y = firstRowY - static_cast<float>(k / kGapsPerRow) * rowStep;
    g.tableaus[k].SetupCardGroup({.x = x, .y = y, .z = GenGetTableHeight(), .where = GenTableauCode(k + 1)});
    g.tableaus[k].drawEmptySpace = 1;  // the gaps show
  }
  const float lowY = c.topRowY - GenLayoutYCards(2);
  GenSetReserveOptions(1, 0, 1, 1, 0);
  GenSetSingleReservePosition(GenLayoutXCards(2), lowY);
  GenSetDeckPosition(GenLayoutXCards(1), lowY, 1, 0);
  GenSetRedealCounter(kRedeals);
  GenUpdateDeckMarker(true);
  GenSetReady();
}
