// AnimSetupDeal.cpp - the deal animation: the live record's deal plan played
// back as one timed move from the deck.
#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/AnimSetupLocal.h"
#include "Game/CardsAnim.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"

namespace {

constexpr float kDealSpeed = 0.35f;
constexpr float kLastCardSpeed = 0.5f;

// The pile a deal place names, when it is a pile in use that cards may be
// dealt to; null otherwise.
CardGroup* DealTarget(Gen& g, int code) {
  int base = GenGetKindBase(code);
  switch (base) {
    case kWhereFoundation:
    case kWhereCell:
    case kWhereTableau:
    case kWhereFan:
    case kWhereReserve:
      if (code - base >= GenGetKindCount(g, base)) return nullptr;
      return GenGetGroup(g, code);
    case kWhereWaste:
      return &g.waste;
    default:
      return nullptr;
  }
}

}  // namespace

bool AnimSetupFromDeal(int dealFlag) {
  Gen& g = g_GenLive;
  int toDeal = g.dealGroup.numCards;
  if (toDeal < 1) return false;
  if (toDeal > kGenMaxDealPlan) toDeal = kGenMaxDealPlan;
  float speed = g.dealSpeed != 0 ? kDealSpeed * g.dealSpeed : kDealSpeed;

  AnimPlannedCard planned[kGenMaxDealPlan];
  AnimPlannedCounts counts;
  int used = 0;
  for (int k = 0; k < toDeal; ++k) {
    int deckTop = counts.Get(&g.deck) - 1;
    if (deckTop < 0) break;  // the deck is used up: the rest of the plan waits
    int code = g.dealPlan[k];
    CardGroup* target = DealTarget(g, code);
    if (!target || counts.Get(target) >= target->maxCards) {
      DebugError("AnimSetupFromDeal", "Unknown deal place [%d] %d", k, code);
      continue;
    }
    planned[used++] = {&g.deck, deckTop, target, counts.Get(target), g.dealGroup.cards[k].faceUp};
    counts.Add(&g.deck, -1);
    counts.Add(target, 1);
  }
  // Modes 2 and 3: the last card dealt to each tableau lands face up.
  bool lastUp = g.dealFaceMode == 2 || g.dealFaceMode == 3;
  bool lastFast = g.dealFaceMode == 2;
  bool isLast[kGenMaxDealPlan] = {};
  if (lastUp) {
    for (int i = 0; i < used; ++i) {
      if (GenGetKindBase(planned[i].target->where) != kWhereTableau) continue;
      bool later = false;
      for (int j = i + 1; j < used && !later; ++j) later = planned[j].target == planned[i].target;
      if (!later) {
        planned[i].faceUp = 1;
        isLast[i] = true;
      }
    }
  }
  if (!AnimStartPlannedMove(planned, used, speed)) return false;
  if (lastFast) {
    CardsAnimSlot* slot = CardsAnimGetSlotToEdit(0);
    for (int i = 0; i < used; ++i) {
      if (isLast[i]) slot->entries[i].speed = kLastCardSpeed;
    }
  }
  AnimSetSounds(true);
  CardsAnimSetDealFlag(0, dealFlag);
  return true;
}
