// Calculation.cpp - the Calculation family: Calculation, Sir Tommy and
// Strategy (one set-up routine, told apart by their rows below).
//
// The whole stock lies face up in the waste from the start; its top card
// goes onto one of four columns (or a foundation) and only the columns' top
// cards move on to the foundations. Calculation's foundations start with
// A, 2, 3 and 4 and build by ones, twos, threes and fours; Sir Tommy's and
// Strategy's build up from the ace (any suit in Sir Tommy, in suit in
// Strategy, where the foundations take the columns' cards only once the
// stock is used up).
//
// Layout values (Data/Main/0110.dat, one entry per game): x 0 the gap
// between piles, x 1 the waste's x, x 2 the x the foundations and columns
// are centred on, in card widths; y 0 how far the columns lie below the top
// row, y 1 how far the waste lies below the top row, y 2 how far the top
// row lies below the layout constants' top row, in card heights.
#include "Game/Variants/Calculation.h"

#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GameState.h"
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

namespace {

constexpr int kPiles = 4;
constexpr float kPlaceSpeed = 0.8f;
constexpr float kAceSpeed = 0.8f;
constexpr float kToFoundationSpeed = 1.0f;
constexpr float kMessageSeconds = 1.5f;
constexpr const char* kStockMessage = "Game_ClickOnTableausToMoveStockCards";

// Calculation's foundation i (1-4) starts with rank i of suit kBaseSuit[i].
constexpr int kBaseSuit[kPiles] = {0, 1, 2, 3};

// What tells the family's games apart.
struct CalculationMember {
  int game;
  bool basesDealt;          // the deal puts A, 2, 3, 4 on the foundations, which build by
                            // ones to fours (the custom and pair rules)
  int foundationDrop;
  int tableauDrop;
  bool homeOnceStockIsOut;  // the columns' cards go home only once the stock is used up
};
constexpr CalculationMember kMembers[] = {
    {.game = kGameCalculation, .basesDealt = true, .foundationDrop = kRuleCustom,
     .tableauDrop = kRulePairCallback, .homeOnceStockIsOut = false},
    {.game = kGameSirTommy, .basesDealt = false, .foundationDrop = kRuleUpAnySuit, .tableauDrop = kRuleAnything,
     .homeOnceStockIsOut = false},
    {.game = kGameStrategy, .basesDealt = false, .foundationDrop = kRuleUpSameSuit, .tableauDrop = kRuleNone,
     .homeOnceStockIsOut = true},
};

// Removes waste card `index`, the waste's top card taking its place.
void TakeFromWaste(CardGroup& waste, int index, CardGroup& to) {
  to.AddCardToGroup(&waste.cards[index], false, false, true);
  const int top = waste.numCards - 1;
  if (index != top) CardsCopyCard(&waste.cards[index], &waste.cards[top], false, false);
  waste.RemoveCardFromEnd();
  waste.RelinkOwners();
  waste.MarkChanged();
  waste.Refresh(true);
}

void OnMessageClosed(int) { g_MWin.Shutdown(); }

}  // namespace

bool CalculationDealAnimation(int, int) {
  Gen& g = g_GenLive;
  if (!g.ready || g.deck.numCards < 1) return false;
  for (int i = 0; i < g.deck.numCards; ++i) {
    Card card = g.deck.cards[i];
    card.faceUp = 1;
    g.waste.AddCardToGroup(&card, false, false, false);
  }
  g.deck.numCards = 0;
  g.deck.RelinkOwners();
  g.deck.MarkChanged();
  g.deck.Refresh(true);
  g.waste.Refresh(true);
  if (GenFamilyMember(kMembers).basesDealt) {
    for (int i = 0; i < g.waste.numCards;) {
      const Card& card = g.waste.cards[i];
      int f = card.rank - 1;
      if (f >= 0 && f < kPiles && f < g.numFoundations && card.suit == kBaseSuit[f] &&
          g.foundations[f].numCards == 0) {
        TakeFromWaste(g.waste, i, g.foundations[f]);
        continue;  // the card now at i is the former top card
      }
      ++i;
    }
  }
  // The deal is over: nothing waits in the deal group.
  g.dealGroup.numCards = 0;
  g.dealGroup.RelinkOwners();
  g.dealGroup.MarkChanged();
  const GenVariantCallbacks& cb = GenGetCallbacks();
  if (cb.autoplay) cb.autoplay(0, 0);
  return false;
}

bool CalculationCustomRule(int target, int source, int dropping, int suit, int rank) {
  const Gen& g = g_GenLive;
  const int f = target - kWhereFoundation;
  if (!dropping || GenGetKindBase(target) != kWhereFoundation || f >= kPiles ||
      f >= g.numFoundations) {
    DebugError("CalculationCustomRule", "Bad Call (%d,%d,[%d,%d])", target, source, suit, rank);
    return false;
  }
  const CardGroup& pile = g.foundations[f];
  if (pile.numCards < 1) {
    DebugError("CalculationCustomRule", "Empty Foundation [%d]", f);
    return false;
  }
  int next = pile.cards[pile.numCards - 1].rank + f + 1;
  while (next > 13) next -= 13;
  return rank == next;
}

bool CalculationTableauPairRule(int, int, int dropping, int, int, int, int) {
  if (!dropping) return true;
  const Gen& g = g_GenLive;
  return g.selection.numCards == 1 && g.selectionSource == kWhereWaste;
}

bool CalculationSelection(int, int down) {
  Gen& g = g_GenLive;
  if (GenStdPickup(0, down, kWhereWaste)) return true;
  if (GenStdDrop(0, down, kWhereFoundation)) return true;
  if (GenStdPickup(0, down, kWhereTableau)) return true;
  if (g.selection.numCards > 0 && g.selectionSource == kWhereWaste) {
    return GenStdDrop(0, down, kWhereTableau);
  }
  return false;
}

void StrategyShowStockMessage() {
  const char* text = EngLanguagesGetFirstString(kStockMessage);
  if (!g_MWin.IsOn()) {
    g_MWin.Startup();
    if (!g_MWin.PopupOkWithCallback(nullptr, text, OnMessageClosed)) g_MWin.Shutdown();
    return;
  }
  if (!g_MWin.IsPopupOpen() && GameGetProgramMode() == kGameModePlaying) {
    g_MWin.PopupMessageForTime(nullptr, text, kMessageSeconds);
  }
}

bool StrategySelection(int, int down) {
  Gen& g = g_GenLive;
  if (g.waste.numCards < 1) {
    if (GenStdPickup(0, down, kWhereTableau)) return true;
    return GenStdDrop(0, down, kWhereFoundation);
  }
  // While the stock lasts only presses count, and none inside a quick-move
  // search: a search only asks, it must not place cards.
  if (!down || GenIsQuickMoveSearching() || g.selection.numCards > 0) return false;
  const int hit = GenGetCurrentHitWhere();
  if (hit == kWhereWaste) {
    StrategyShowStockMessage();
  } else if (GenGetKindBase(hit) == kWhereTableau) {
    if (AnimSetupMoveNCardsFromWasteToTableau(1, hit - kWhereTableau, kPlaceSpeed)) {
      AnimSetFinishCB(StrategyAutoplay);
    }
  }
  return false;
}

bool StrategyAutoplay(int, int) {
  Gen& g = g_GenLive;
  if (g.gameOver) return false;
  if (g.waste.numCards > 0) {
    if (g.waste.cards[g.waste.numCards - 1].rank != 1) return false;
    for (int f = 0; f < g.numFoundations; ++f) {
      if (g.foundations[f].numCards > 0) continue;
      if (AnimSetupMoveNCardsFromWasteToFoundation(1, f, kAceSpeed)) AnimSetFinishCB(StrategyAutoplay);
      return false;
    }
    return false;
  }
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& pile = g.tableaus[t];
    if (pile.numCards < 1) continue;
    const Card& card = pile.cards[pile.numCards - 1];
    for (int f = 0; f < g.numFoundations; ++f) {
      const CardGroup& foundation = g.foundations[f];
      if (foundation.numCards < 1 || foundation.numCards > 12) continue;
      const Card& top = foundation.cards[foundation.numCards - 1];
      if (top.suit != card.suit || card.rank != top.rank + 1) continue;
      if (AnimSetupMoveNCardsFromTableauToFoundation(1, t, f, kToFoundationSpeed)) {
        AnimSetFinishCB(StrategyAutoplay);
      }
      return false;
    }
  }
  GenCheckWonByFoundationCount();
  return false;
}

void CalculationSetup() {
  const CalculationMember& m = GenFamilyMember(kMembers);
  if (!GenBeginVariantSetup(52, m.basesDealt ? kPiles : 0, 1, 1.0f)) return;
  GenSetRuleBytes({{kRulePickupFoundation, kRuleNone},
                   {kRulePickupTableau, kRuleSingleCard},
                   {kRuleDropFoundation, m.foundationDrop},
                   {kRuleDropTableau, m.tableauDrop},
                   {kRuleDropWaste, kRuleNone}});
  GenSetDealWithAnimationCB(CalculationDealAnimation);
  if (m.basesDealt) {
    GenSetCustomRuleCB(CalculationCustomRule);
    GenSetPickupDropRuleCB(CalculationTableauPairRule);
  }
  GenSetSelectionCB(m.homeOnceStockIsOut ? StrategySelection : CalculationSelection);
  if (m.homeOnceStockIsOut) GenSetAutoplayCB(StrategyAutoplay);

  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float centre = GenLayoutXCards(2);
  const float gap = GenLayoutXCards(0);
  const float top = c.topRowY - GenLayoutYCards(2);
  GenStdSetNFoundationsPosition(kPiles, 13, centre, top, gap, 0, true, 1, 1);
  g_GenLive.tableauEmptySpace = 1;  // empty columns show where cards may go
  GenStdSetNTableausPosition(kPiles, centre, top - GenLayoutYCards(0), gap, 1);
  // A long column closes up rather than run off the board: it ends as far
  // below the table's middle as the top row's upper edge lies above it.
  const float columnsEnd = -(top + CardsGetCardHeight() / 2);
  for (int t = 1; t <= kPiles; ++t) GenSetPileBottomLimit(GenTableauCode(t), columnsEnd);
  const float wasteX = GenLayoutXCards(1), wasteY = top - GenLayoutYCards(1);
  GenSetWastePosition(wasteX, wasteY, 1, 1);
  GenSetDeckPosition(wasteX, wasteY, 0, 0);  // empty once dealt: not shown
  GenSetReady();
}
