// CardsAnim.cpp - the animation slots: setting up moves and custom
// animations, sounds, hooks and the end of a slot. The flight itself (tick,
// forced landing, drawing) is in CardsAnimTick.cpp.
#include "Game/CardsAnim.h"

#include <cmath>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngProgram.h"
#include "Game/CardsAnimLocal.h"
#include "Game/CardsSettings.h"

namespace {

CardsAnimSlot g_slots[kCardsAnimSlots];
CardsAnimEndCB g_hooks[kCardsAnimSlots];

constexpr float kPi = 3.14159265f;

void Copy3(float* to, const float* from) { std::memcpy(to, from, 3 * sizeof(float)); }

// Fills entry k of a slot for one card.
void FillEntry(CardsAnimSlot& s, int k, CardGroup* source, int sourceIndex, CardGroup* target,
               int targetIndex, int faceUp) {
  CardsAnimEntry& e = s.entries[k];
  e.source = source;
  e.target = target;
  e.sourceIndex = sourceIndex;
  e.targetIndex = targetIndex;
  e.sourceCard = source->cards[sourceIndex];
  e.targetCard = target->cards[targetIndex];
  e.targetCard.faceUp = faceUp >= 0 ? (faceUp ? 1 : 0) : e.sourceCard.faceUp;
  e.drawnCard = e.sourceCard;
  e.speed = s.speed;
}

// A timed move's landing places: each card is added to its target to read
// its slot's place, then all are taken off again.
bool ComputeTimedLandings(CardsAnimSlot& s) {
  const char* where = "CardsAnimMoveCardsFromGroupToGroupEnd";
  if (s.cardsTogether > 1) {
    DebugError(where, "Only one card at a time supported");
    return false;
  }
  int added = 0;
  bool ok = true;
  for (int k = 0; k < s.numCards && ok; ++k) {
    CardsAnimEntry& e = s.entries[k];
    if (!e.target || e.target == e.source) {
      DebugError(where, "Same from and to groups not supported");
      ok = false;
    } else if (e.target->numCards != e.targetIndex) {
      DebugError(where, "Unmatched to cards");
      ok = false;
    } else if (e.target->numCards >= e.target->maxCards) {
      DebugError(where, "Too many cards in to group");
      ok = false;
    } else {
      Card card = e.sourceCard;
      card.faceUp = e.targetCard.faceUp;
      e.target->AddCardToGroup(&card, false, false, true);
      ++added;
      Copy3(e.endPos, e.target->cards[e.targetIndex].pos);
      Copy3(e.endRot, e.targetCard.rot);
    }
  }
  // Off again, newest first, so every target is as it was.
  for (int k = added - 1; k >= 0; --k) s.entries[k].target->RemoveCardFromEnd();
  for (int k = 1; k < s.numCards; ++k) s.entries[k].speed = s.entries[0].speed;
  return ok;
}

bool ValidSlot(int slot) { return slot >= 0 && slot < kCardsAnimSlots; }

// The first checks of every move set-up on slot 0: no flight under way, a
// count of 1-156 and a speed above 0. False: reported under where.
bool MayStartMove(const char* where, int numCards, float speed) {
  if (g_slots[0].active) {
    DebugError(where, "Animation already on");
    return false;
  }
  if (numCards < 1 || numCards > kCardGroupMaxCards || !(speed > 0)) {
    DebugError(where, "Invalid num cards or speed");
    return false;
  }
  return true;
}

}  // namespace

CardsAnimSlot& CardsAnimSlotRef(int slot) { return g_slots[slot]; }

void CardsAnimZeroSlot(int slot) {
  std::memset(static_cast<void*>(&g_slots[slot]), 0, sizeof(CardsAnimSlot));
}

bool CardsAnimStartFlight(int slot, CardsAnimEndCB endCallback, float speed) {
  CardsAnimSlot& s = g_slots[slot];
  if (endCallback) s.endCB1 = endCallback;
  if (speed > 0) s.speed = speed;
  s.timedClock = 0;
  s.cardsAdded = 0;
  if (s.timed && !ComputeTimedLandings(s)) {
    CardsAnimZeroSlot(slot);
    return false;
  }
  for (int k = 0; k < s.numCards; ++k) {
    CardsAnimEntry& e = s.entries[k];
    if (e.source) {
      Copy3(e.sourceGroupPos, e.source->pos);
      e.sourceSwing = e.source->swing;
    }
    if (e.target) {
      Copy3(e.targetGroupPos, e.target->pos);
      e.targetSwing = e.target->swing;
    } else {
      Copy3(e.targetGroupPos, e.sourceGroupPos);
      e.targetSwing = e.sourceSwing;
    }
    for (int i = 0; i < 3; ++i) e.groupPosDelta[i] = e.targetGroupPos[i] - e.sourceGroupPos[i];
    float delta = e.targetSwing - e.sourceSwing;
    if (delta > kPi) delta -= 2 * kPi;
    if (delta < -kPi) delta += 2 * kPi;
    e.swingDelta = delta;
    e.state = 0;
    e.t = 0;
    e.landed = 0;
    e.drawnCard.bothSides = 1;
  }
  s.active = 1;
  return true;
}

bool CardsAnimMoveCardsBetweenGroupsBegin(int numCards, int cardsTogether, float speed,
                                          CardsAnimEndCB endCallback) {
  const char* where = "CardsAnimMoveCardsBetweenGroupsBegin";
  CardsAnimSlot& s = g_slots[0];
  if (!MayStartMove(where, numCards, speed)) return false;
  if (cardsTogether > 1 && cardsTogether != numCards) {
    DebugError(where, "Moving subset of cards not supported");
    return false;
  }
  CardsAnimZeroSlot(0);
  s.type = kCardsAnimTypeMove;
  s.numCards = numCards;
  s.cardsTogether = cardsTogether > 1 ? cardsTogether : 1;
  s.wholeGroup = cardsTogether > 1 ? 1 : 0;
  s.speed = speed;
  s.endCB1 = endCallback;
  return true;
}

bool CardsAnimMoveCardsBetweenGroupsAddCard(CardGroup* source, int sourceIndex, CardGroup* target,
                                            int targetIndex, int faceUp, int /*hookFlag*/) {
  const char* where = "CardsAnimMoveCardsBetweenGroupsAddCard";
  CardsAnimSlot& s = g_slots[0];
  if (s.type != kCardsAnimTypeMove || s.active) {
    DebugError(where, "Not prepared");
    return false;
  }
  if (!source || sourceIndex < 0 || sourceIndex >= source->numCards) {
    DebugError(where, "Invalid from card");
    return false;
  }
  if (!target || targetIndex < 0 || targetIndex >= target->maxCards) {
    DebugError(where, "Invalid \"to\" card");
    return false;
  }
  if (s.cardsAdded >= s.numCards) {
    DebugError(where, "Too many cards being added (%d)", s.cardsAdded + 1);
    return false;
  }
  FillEntry(s, s.cardsAdded, source, sourceIndex, target, targetIndex, faceUp);
  ++s.cardsAdded;
  return true;
}

bool CardsAnimMoveCardsFromGroupToGroupEnd(bool timed) {
  const char* where = "CardsAnimMoveCardsFromGroupToGroupEnd";
  CardsAnimSlot& s = g_slots[0];
  if (s.type != kCardsAnimTypeMove || s.active) {
    DebugError(where, "Not prepared");
    return false;
  }
  if (s.cardsAdded != s.numCards) {
    DebugError(where, "Incorrect number of cards added");
    return false;
  }
  if (timed) s.timed = 1;
  s.turnDirection = 0;
  return CardsAnimStartFlight(0, nullptr, 0);
}

bool CardsAnimMoveCardsFromGroupToGroup(int n, int cardsTogether, bool timed, int order,
                                        CardGroup* source, CardGroup* target, int sourceIndex,
                                        int faceUp, float speed, CardsAnimEndCB endCallback,
                                        int /*hookFlag*/) {
  const char* where = "CardsAnimMoveCardsFromGroupToGroup";
  CardsAnimSlot& s = g_slots[0];
  if (!MayStartMove(where, n, speed)) return false;
  if (!source || source->numCards < n) {
    DebugError(where, "Invalid from cards");
    return false;
  }
  if (!target) {
    DebugError(where, "Invalid \"to\" cards (1)");
    return false;
  }
  if (target != source && target->numCards + n > target->maxCards) {
    DebugError(where, "Invalid \"to\" cards (2)");
    return false;
  }
  if (!timed && cardsTogether > 1 && cardsTogether != n) {
    DebugError(where, "Moving subset of cards not supported");
    return false;
  }
  if (timed) {
    EngProgram* program = EngProgramGetCurrent();
    if (program && program->GetLoopType() != kEngLoopConstantFrameRate &&
        program->GetLoopType() != kEngLoopFixedStep) {
      DebugError(where, "Timed moves need a constant frame rate.");
    }
  } else if (cardsTogether > 1 && sourceIndex >= 0 && sourceIndex + n != source->numCards) {
    DebugError(where, "Can only move a bunch of cards together from the end of a group");
  }
  CardsAnimZeroSlot(0);
  s.type = kCardsAnimTypeMove;
  s.numCards = n;
  s.speed = speed;
  s.wholeGroupOrder = order == 1 ? 1 : 0;
  bool isTimed = timed && source != target;
  for (int k = 0; k < n; ++k) {
    int from = sourceIndex >= 0 ? sourceIndex + k : source->numCards - 1 - k;
    int to;
    if (source == target) {
      to = target->numCards - 1 - k;
    } else if (timed && order == 1) {
      from = sourceIndex >= 0 ? sourceIndex + n - 1 - k : source->numCards - n + k;
      to = target->numCards + k;
    } else if (order == 2) {
      to = target->numCards + n - 1 - k;
    } else {
      to = target->numCards + k;
    }
    if (from < 0 || from >= source->numCards || to < 0 || to >= kCardGroupMaxCards ||
        to >= target->maxCards) {
      DebugError(where, "Internal Error");
      CardsAnimZeroSlot(0);
      return false;
    }
    FillEntry(s, k, source, from, target, to, faceUp);
  }
  s.cardsTogether = 1;
  if (!timed && cardsTogether > 1) {
    s.cardsTogether = n;
    s.wholeGroup = 1;
  }
  s.timed = isTimed ? 1 : 0;
  s.turnDirection = source->turnDirection;
  return CardsAnimStartFlight(0, endCallback, speed);
}

bool CardsAnimMoveCards(int numCards, int cardsTogether, int order, CardGroup* source,
                        CardGroup* target, int faceUp, float speed, CardsAnimEndCB endCallback,
                        int hookFlag) {
  return CardsAnimMoveCardsFromGroupToGroup(numCards, cardsTogether, false, order, source, target,
                                            -1, faceUp, speed, endCallback, hookFlag);
}

bool CardsAnimMoveOneCard(CardGroup* source, CardGroup* target, int sourceIndex, int faceUp,
                          float speed, CardsAnimEndCB endCallback, int hookFlag) {
  return CardsAnimMoveCardsFromGroupToGroup(1, 1, false, 0, source, target, sourceIndex, faceUp,
                                            speed, endCallback, hookFlag);
}

bool CardsAnimMoveTopCard(CardGroup* source, CardGroup* target, int faceUp, float speed,
                          CardsAnimEndCB endCallback, int hookFlag) {
  return CardsAnimMoveOneCard(source, target, -1, faceUp, speed, endCallback, hookFlag);
}

bool CardsSetupCustomAnimation(int numCards, float speed, CardsAnimStartCB start,
                               CardsAnimTickCB tick, CardsAnimCardCB cardSetup,
                               CardsAnimCardCB cardTick, CardsAnimEndCB endCallback) {
  const char* where = "CardsSetupCustomAnimation";
  CardsAnimSlot& s = g_slots[0];
  if (s.active) {
    DebugError(where, "Animation already on");
    return false;
  }
  if (!(speed > 0)) {
    DebugError(where, "Invalid speed");
    return false;
  }
  if (numCards < 1 || numCards > kCardGroupMaxCards) {
    DebugError(where, "Invalid num cards %d", numCards);
    return false;
  }
  CardsAnimZeroSlot(0);
  s.type = kCardsAnimTypeCustom;
  s.numCards = numCards;
  s.speed = speed;
  s.customTick = tick;
  s.customCard = cardTick;
  CardsAnimStartFlight(0, endCallback, speed);
  if (start) start(0);
  if (cardSetup) {
    for (int k = 0; k < numCards; ++k) cardSetup(k, &s.entries[k]);
  }
  return true;
}

bool CardsAnimSetSoundsForAllCardsCB(CardsAnimSoundFn startSound, CardsAnimSoundFn endSound) {
  CardsAnimSlot& s = g_slots[0];
  if (!s.active) {
    DebugError("CardsAnimSetSoundsForAllCardsCB", "Animation not on");
    return false;
  }
  for (int k = 0; k < s.numCards; ++k) {
    CardsAnimEntry& e = s.entries[k];
    e.startSound = startSound ? startSound(&e, k) + 1 : 0;
    e.endSound = endSound ? endSound(&e, k) + 1 : 0;
  }
  return true;
}

void CardsRegisterOnEndOrCancelCB(int slot, CardsAnimEndCB callback) {
  if (slot < 0 || slot >= kCardsAnimSlots) {
    DebugError("CardsRegisterOnEndOrCancelCB", "Bad animation number %d", slot);
    return;
  }
  g_hooks[slot] = callback;
}

CardsAnimEndCB CardsAnimGetOnEndOrCancelCB(int slot) { return ValidSlot(slot) ? g_hooks[slot] : nullptr; }

bool CardsAnimIsAnimating() {
  for (const CardsAnimSlot& s : g_slots) {
    if (s.active) return true;
  }
  return false;
}

bool CardsAnimIsSlotActive(int slot) { return ValidSlot(slot) && g_slots[slot].active; }
bool CardsAnimHasEndCallback(int slot) { return ValidSlot(slot) && g_slots[slot].endCB1; }
bool CardsAnimHasSecondEndCallback(int slot) { return ValidSlot(slot) && g_slots[slot].endCB2; }

void CardsAnimSetEndCallback(int slot, CardsAnimEndCB callback) {
  if (ValidSlot(slot)) g_slots[slot].endCB1 = callback;
}

void CardsAnimSetSecondEndCallback(int slot, CardsAnimEndCB callback) {
  if (ValidSlot(slot)) g_slots[slot].endCB2 = callback;
}

void CardsAnimSetDealFlag(int slot, int flag) {
  if (ValidSlot(slot)) g_slots[slot].dealFlag = flag;
}

int CardsAnimGetDealFlag(int slot) { return ValidSlot(slot) ? g_slots[slot].dealFlag : 0; }

const CardsAnimSlot* CardsAnimGetSlot(int slot) { return ValidSlot(slot) ? &g_slots[slot] : nullptr; }
CardsAnimSlot* CardsAnimGetSlotToEdit(int slot) {
  return ValidSlot(slot) ? &g_slots[slot] : nullptr;
}

void CardsAnimFinish(int slot, bool callCallbacks) {
  if (!ValidSlot(slot)) return;
  CardsAnimLandNow(slot);
  CardsAnimEndCB first = g_slots[slot].endCB1;
  CardsAnimEndCB second = g_slots[slot].endCB2;
  CardsAnimZeroSlot(slot);
  if (callCallbacks) {
    if (first) first(slot);
    if (second) second(slot);
  }
  if (g_hooks[slot]) g_hooks[slot](slot);
}

void CardsAnimCancel(int slot) {
  if (!ValidSlot(slot)) return;
  CardsAnimZeroSlot(slot);
  if (g_hooks[slot]) g_hooks[slot](slot);
}

void CardsAnimCancelAll() {
  for (int slot = 0; slot < kCardsAnimSlots; ++slot) CardsAnimZeroSlot(slot);
}

void CardsAnimTakeFromSource(CardsAnimEntry& e) {
  CardGroup* source = e.source;
  if (e.sourceIndex == source->numCards - 1) {
    source->RemoveCardFromEnd();
  } else {
    source->cards[e.sourceIndex].hidden = 1;
  }
}

void CardsAnimPlaySound(CardsAnimEntry& e, bool start) {
  int sound = start ? e.startSound : e.endSound;
  CardsCardSoundCB hook = CardsGetSettings().cardSoundCB;
  if (sound < 1 || !hook) return;
  Card* targetCard = nullptr;
  if (e.target) {
    if (start) {
      targetCard = &e.target->cards[e.targetIndex];
    } else {
      targetCard = e.target->GetTopCard();
    }
  }
  Card* sourceCard = e.source ? &e.source->cards[e.sourceIndex] : nullptr;
  hook(sound - 1, e.source, sourceCard, e.target, targetCard, start);
}
