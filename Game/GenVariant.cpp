// GenVariant.cpp - the steps the variant set-ups share (see GenVariant.h).
#include "Game/GenVariant.h"

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/SolCards.h"

namespace {

constexpr float kWasteBackSpeed = 0.3f;

}  // namespace

void GenReportNotAFamilyMember(int game) {
  DebugError("GenFamilyMember", "Game %d is not one of the family", game);
}

int GenPileNumber(int code) {
  const int kind = GenGetKindBase(code);
  return kind == 0 ? 0 : code - kind + 1;
}

bool GenBeginVariantSetup(int deckSize, int dealCards, int faceMode, float speed) {
  GenSetCardScale(GenGameLayoutsGetCurGameCardScaleX(), GenGameLayoutsGetCurGameCardScaleY());
  GenReset();
  SolCardsSetSpaceRankOptions(0, 0);
  if (!GenSetDeckAndDealGroup(deckSize, dealCards, faceMode, speed)) return false;
  GenSetAutoplayCB(GenStdAutoplay);
  return true;
}

void GenSetRuleBytes(std::initializer_list<GenRuleSetting> rules) {
  for (const GenRuleSetting& rule : rules) {
    if (rule.byte >= 0 && rule.byte < kGenNumRules) {
      g_GenLive.rules[rule.byte] = static_cast<uint8_t>(rule.code);
    }
  }
}

float GenLayoutXCards(int n) { return GenGameLayoutsGetCurGameXVar(n) * CardsGetCardWidth(); }
float GenLayoutYCards(int n) { return GenGameLayoutsGetCurGameYVar(n) * CardsGetCardHeight(); }

bool StdTableauFoundationSelection(int, int down) {
  if (GenStdPickupOrDrop(0, down, kWhereTableau)) return true;
  return GenStdPickupOrDrop(0, down, kWhereFoundation);
}

bool SetBaseRankFromFirstFoundation(int, int) {
  Gen& g = g_GenLive;
  // Card k of the deal is the deck's top card at its turn.
  for (int k = 0; k < g.dealGroup.numCards && k < g.deck.numCards; ++k) {
    if (g.dealPlan[k] != GenFoundationCode(1)) continue;
    GenSetLowestRank(g.deck.cards[g.deck.numCards - 1 - k].rank);
    break;
  }
  return false;
}

bool GenIsStockClick(int down) {
  return !down && g_GenLive.selection.numCards == 0 && GenGetCurrentHitWhere() == kWhereDeck;
}

bool GenStockClick(int down, const GenStockStep& step) {
  if (!GenIsStockClick(down)) return false;
  if (g_GenLive.deck.numCards >= step.leastCards) {
    if (step.to == kWhereWaste) {
      GenStockTurn(step.cards, step.finish, step.speed);
    } else {
      GenDealToPiles(step.to, step.cards, step.speed, step.finish);
    }
    return step.takenWhenMoving;
  }
  switch (step.whenEmpty) {
    case kEmptyStockIdle:
      return true;
    case kEmptyStockFinishNow:
      if (step.finish) step.finish(0, 0);
      return true;
    case kEmptyStockWasteBack:
      GenTurnWasteBack();
      return true;
    case kEmptyStockRedeal:
      if (GenGetRedealCounter() >= 1) {
        GenSetRedealCounter(GenGetRedealCounter() - 1);
        GenUpdateDeckMarker(true);
        GenTurnWasteBack();
      }
      return true;
    default:
      return false;
  }
}

bool GenStockTurn(int n, GenStepCB finish, float speed) {
  Gen& g = g_GenLive;
  if (g.deck.numCards < 1) {
    if (finish) finish(0, 0);
    return false;
  }
  if (n > g.deck.numCards) n = g.deck.numCards;
  if (!AnimSetupMoveNCardsFromDeckToWaste(n, speed)) return false;
  if (finish) AnimSetFinishCB(finish);
  return true;
}

bool GenTurnWasteBack() {
  Gen& g = g_GenLive;
  if (g.waste.numCards < 1) return false;
  return AnimSetupMoveNCardsFromWasteToDeck(g.waste.numCards, true, kWasteBackSpeed);
}

bool GenDealToPiles(int kindBase, int n, float speed, GenStepCB finish) {
  // Only the piles: the deck's turn to the waste is GenStockTurn.
  const bool piles = kindBase == kWhereTableau || kindBase == kWhereFan || kindBase == kWhereReserve ||
                     kindBase == kWhereCell;
  if (!piles) return false;
  const bool started = AnimSetupMove(
      {.n = n, .fromKind = kWhereDeck, .toKind = kindBase, .to = GenPileIndex(1), .speed = speed, .cycle = true});
  if (started && finish) AnimSetFinishCB(finish);
  return started;
}

int GenGetRedealCounter() { return g_GenLive.variantState; }
void GenSetRedealCounter(int counter) { g_GenLive.variantState = static_cast<int8_t>(counter); }

int GenDeckMarkerKindFor(int game, int counter) {
  constexpr int kRedeal = 1, kNoMore = 2;
  if (game < 0 || game >= kGenNumGames) return 0;
  switch (GenGameTable[game].deckMarker) {
    case kDeckMarkerRedeal: return kRedeal;
    case kDeckMarkerNoMore: return kNoMore;
    case kDeckMarkerByCounter: return counter >= 1 ? kRedeal : kNoMore;
    default: return 0;
  }
}

void GenUpdateDeckMarker(bool forced) {
  Gen& g = g_GenLive;
  const int game = GenGetCurGame();
  const int counter = GenGetRedealCounter();
  const int kind = GenDeckMarkerKindFor(game, counter);
  if (kind == 0) return;
  // A counter-driven marker waits for a counter unless the caller insists.
  const bool followsCounter = GenGameTable[game].deckMarker == kDeckMarkerByCounter;
  if (followsCounter && counter == -1 && !forced) return;
  g.emptySpacePicture = static_cast<uint8_t>(kind);
  SolCardsSetSpaceCustomPic(kind);
}
