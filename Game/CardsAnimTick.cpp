// CardsAnimTick.cpp - the flight of the cards: one frame of a slot (one by
// one, whole group, timed, custom), the forced landing that ends a slot
// early without losing a card, the compaction of the sources and the drawing
// of the cards in flight.
#include <cmath>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngProgram.h"
#include "Game/CardsAnim.h"
#include "Game/CardsAnimLocal.h"
#include "Game/CardsRender.h"
#include "Game/CardsSettings.h"

namespace {

constexpr float kPi = 3.14159265f;
const char* const kTickWhere = "CardsAnimTick";

void Copy3(float* to, const float* from) { std::memcpy(to, from, 3 * sizeof(float)); }

// Start place of an entry: the card's current place in its source.
void SetStart(CardsAnimEntry& e) {
  const Card& c = e.source->cards[e.sourceIndex];
  Copy3(e.startPos, c.pos);
  Copy3(e.startRot, c.rot);
}

void SetDeltas(CardsAnimEntry& e) {
  for (int i = 0; i < 3; ++i) {
    e.posDelta[i] = e.endPos[i] - e.startPos[i];
    e.rotDelta[i] = e.endRot[i] - e.startRot[i];
  }
}

// The card an entry adds to its pile when it lands.
Card LandingCard(const CardsAnimEntry& e) {
  Card card = e.sourceCard;
  Copy3(card.rot, e.state != 0 ? e.endRot : e.targetCard.rot);
  Copy3(card.restRot, e.targetCard.restRot);
  card.faceUp = e.targetCard.faceUp;
  card.hidden = 0;
  card.flying = 0;
  return card;
}

// Landing checks of one card; false: reported.
bool CanLand(const CardsAnimEntry& e) {
  int n = e.target->numCards;
  if (!(n == e.targetIndex || n == e.targetIndex - 1 || e.target == e.source)) {
    DebugError(kTickWhere, "Unmatched to cards");
    return false;
  }
  if (n >= e.target->maxCards) {
    DebugError(kTickWhere, "Too many cards in to group");
    return false;
  }
  return true;
}

void Land(CardsAnimEntry& e) {
  e.visible = 0;
  Card card = LandingCard(e);
  e.target->AddCardToGroup(&card, false, true, true);
  e.landed = 1;
  CardsAnimPlaySound(e, false);
}

// Removes every hidden card of a group by shifting the cards above it down.
void Compact(CardGroup* group) {
  bool changed = false;
  for (int i = 0; i < group->numCards;) {
    if (!group->cards[i].hidden) {
      ++i;
      continue;
    }
    for (int j = i; j < group->numCards - 1; ++j) group->cards[j] = group->cards[j + 1];
    group->cards[group->numCards - 1].hidden = 0;
    --group->numCards;
    changed = true;
  }
  if (changed) {
    group->RelinkOwners();
    group->Refresh(true);
  }
}

void CompactSources(CardsAnimSlot& s) {
  for (int k = 0; k < s.numCards; ++k) {
    if (s.entries[k].source) Compact(s.entries[k].source);
  }
}

// Sends an entry on its way from its start to its end place: t 0, flying,
// drawn from this frame.
void Launch(int slot, CardsAnimEntry& e) {
  SetDeltas(e);
  e.t = 0;
  e.state = 1;
  e.visible = 1;
  CardsAnimTickGetCardRenderPosAndRots(slot, &e);
}

void Advance(CardsAnimEntry& e) {
  e.t += e.speed * CardsGetAnimSpeedScale() * EngProgramGetFrameTime();
}

// One frame of a one-by-one move; false on a tick error (reported).
bool TickOneByOne(int slot, CardsAnimSlot& s) {
  if (s.cardsAdded >= s.numCards) return true;
  CardsAnimEntry& e = s.entries[s.cardsAdded];
  if (!e.source || !e.target) {
    DebugError(kTickWhere, "Internal Error");
    return false;
  }
  if (e.state == 0) {
    if (e.sourceIndex >= e.source->numCards) {
      DebugError(kTickWhere, "Bad from card");
      return false;
    }
    SetStart(e);
    CardsAnimTakeFromSource(e);
    Copy3(e.endPos, e.target->cards[e.targetIndex].pos);
    Copy3(e.endRot, e.targetCard.rot);
    Launch(slot, e);
    CardsAnimPlaySound(e, true);
  }
  Advance(e);
  if (e.t < 1) {
    CardsAnimTickGetCardRenderPosAndRots(slot, &e);
    return true;
  }
  if (!CanLand(e)) return false;
  Land(e);
  ++s.cardsAdded;
  return true;
}

// One frame of a whole-group move.
bool TickWholeGroup(int slot, CardsAnimSlot& s) {
  int n = s.numCards;
  CardsAnimEntry& first = s.entries[0];
  if (!first.source || !first.target) {
    DebugError(kTickWhere, "Internal Error");
    return false;
  }
  CardGroup* source = first.source;
  CardGroup* target = first.target;
  bool inOrder = s.wholeGroupOrder == 1;
  if (first.state == 0) {
    if (source->numCards < n) {
      DebugError(kTickWhere, "Not enough cards");
      return false;
    }
    if (target != source && target->numCards + n > target->maxCards) {
      DebugError(kTickWhere, "Too many cards in to group");
      return false;
    }
    for (int k = 0; k < n; ++k) SetStart(s.entries[k]);
    source->numCards -= n;
    source->RelinkOwners();
    source->Refresh(true);
    // The landing places: the cards are added in landing order, the pile is
    // laid out, each entry reads the slot it will land in, then they go.
    int base = target->numCards;
    for (int j = 0; j < n; ++j) {
      CardsAnimEntry& e = s.entries[inOrder ? j : n - 1 - j];
      Card card = e.sourceCard;
      card.faceUp = e.targetCard.faceUp;
      target->AddCardToGroup(&card, false, true, false);
    }
    target->Refresh(true);
    for (int j = 0; j < n; ++j) {
      CardsAnimEntry& e = s.entries[inOrder ? j : n - 1 - j];
      Copy3(e.endPos, target->cards[base + j].pos);
      Copy3(e.endRot, target->cards[base + j].rot);
    }
    for (int j = 0; j < n; ++j) target->RemoveCardFromEnd();
    for (int k = 0; k < n; ++k) Launch(slot, s.entries[k]);
    CardsAnimPlaySound(first, true);
  }
  for (int k = 0; k < n; ++k) Advance(s.entries[k]);
  if (first.t < 1) {
    for (int k = 0; k < n; ++k) CardsAnimTickGetCardRenderPosAndRots(slot, &s.entries[k]);
    return true;
  }
  for (int j = 0; j < n; ++j) {
    CardsAnimEntry& e = s.entries[inOrder ? j : n - 1 - j];
    e.visible = 0;
    Card card = LandingCard(e);
    Copy3(card.pos, e.endPos);
    Copy3(card.restPos, e.endPos);
    Copy3(card.restRot, e.endRot);
    target->AddCardToGroup(&card, true, true, true);
    e.landed = 1;
  }
  s.cardsAdded = n;
  CardsAnimPlaySound(s.entries[n - 1], false);
  return true;
}

// One frame of a timed move.
bool TickTimed(int slot, CardsAnimSlot& s) {
  if (s.cardsTogether > 1) {
    DebugError(kTickWhere, "Only one card at a time supported");
    return false;
  }
  s.timedClock += CardsGetAnimSpeedScale() * CardsGetSettings().animTimedRate *
                  EngProgramGetFrameTime();
  while (s.cardsAdded < s.numCards && static_cast<float>(s.cardsAdded) < std::floor(s.timedClock)) {
    CardsAnimEntry& e = s.entries[s.cardsAdded];
    if (!e.source || !e.target) {
      DebugError(kTickWhere, "Internal Error");
      return false;
    }
    if (e.sourceIndex >= e.source->numCards) {
      DebugError(kTickWhere, "Bad from card");
      return false;
    }
    SetStart(e);
    CardsAnimTakeFromSource(e);
    Launch(slot, e);
    CardsAnimPlaySound(e, true);
    ++s.cardsAdded;
  }
  bool done = true;
  for (int k = 0; k < s.numCards; ++k) {
    CardsAnimEntry& e = s.entries[k];
    if (e.state == 1) {
      Advance(e);
      if (e.t < 1) {
        CardsAnimTickGetCardRenderPosAndRots(slot, &e);
      } else {
        if (e.target->numCards != e.targetIndex) {
          DebugError(kTickWhere, "Unmatched to cards");
          return false;
        }
        if (!CanLand(e)) return false;
        Land(e);
        e.state = 2;
      }
    }
    if (!e.landed) done = false;
  }
  if (done) s.timedDone = 1;
  return true;
}

}  // namespace

void CardsAnimTickGetCardRenderPosAndRots(int slot, CardsAnimEntry* entry) {
  const CardsAnimSlot* s = CardsAnimGetSlot(slot);
  if (!s || !entry) return;
  CardsAnimEntry& e = *entry;
  float t = e.t;
  for (int i = 0; i < 3; ++i) e.groupPosNow[i] = e.sourceGroupPos[i] + e.groupPosDelta[i] * t;
  e.swingNow = e.sourceSwing + e.swingDelta * t;
  e.posNow[0] = e.startPos[0] + e.posDelta[0] * t;
  e.posNow[1] = e.startPos[1] + e.posDelta[1] * t;
  e.rotNow[0] = e.startRot[0] + e.rotDelta[0] * t;
  e.rotNow[2] = e.startRot[2] + e.rotDelta[2] * t;
  e.rotNow[1] = e.startRot[1] + e.rotDelta[1] * t;
  bool fromUp = e.sourceCard.faceUp != 0, toUp = e.targetCard.faceUp != 0;
  bool other = s->turnDirection != 0;
  if (!fromUp && !toUp) {
    e.rotNow[1] += kPi;
  } else if (!fromUp && toUp) {
    e.rotNow[1] += other ? kPi - kPi * t : kPi + kPi * t;
  } else if (fromUp && !toUp) {
    e.rotNow[1] += other ? kPi * t : -kPi * t;
  }
  float dz = e.endPos[2] - e.startPos[2];
  e.posNow[2] = e.startPos[2] + dz * t + 2 * (dz + kCardsAnimLift) * std::sin(kPi * t);
  Copy3(e.drawnCard.pos, e.posNow);
  Copy3(e.drawnCard.rot, e.rotNow);
  e.drawnCard.flying = 1;
  e.drawnCard.UpdateMatrix();
}

void CardsAnimLandNow(int slot) {
  if (slot < 0 || slot >= kCardsAnimSlots) return;
  CardsAnimSlot& s = CardsAnimSlotRef(slot);
  if (s.type != kCardsAnimTypeMove) return;
  int n = s.numCards;
  bool reverse = s.wholeGroup && s.wholeGroupOrder != 1;
  for (int j = 0; j < n; ++j) {
    CardsAnimEntry& e = s.entries[reverse ? n - 1 - j : j];
    if (e.landed || !e.source || !e.target) continue;
    bool targetHasRoom = e.target->numCards < e.target->maxCards;
    bool stillInSlot = e.state == 0 || (e.sourceIndex < e.source->numCards &&
                                        e.source->cards[e.sourceIndex].hidden);
    if (s.wholeGroup && e.state != 0) stillInSlot = false;  // the group left together
    if (targetHasRoom) {
      if (e.state == 0) CardsAnimTakeFromSource(e);
      Card card = LandingCard(e);
      e.target->AddCardToGroup(&card, false, true, true);
    } else if (stillInSlot) {
      // No room on the target: the card stays where it was.
      if (e.sourceIndex < e.source->numCards) e.source->cards[e.sourceIndex].hidden = 0;
    } else {
      Card card = e.sourceCard;
      card.hidden = 0;
      card.flying = 0;
      e.source->AddCardToGroup(&card, false, true, true);
    }
    e.landed = 1;
    e.visible = 0;
  }
  CompactSources(s);
  s.cardsAdded = n;
  s.timedDone = 1;
}

bool CardsAnimTick(int slot) {
  if (slot < 0 || slot >= kCardsAnimSlots) return true;
  CardsAnimSlot& s = CardsAnimSlotRef(slot);
  if (!s.active) return true;
  bool ok = true;
  if (s.type == kCardsAnimTypeMove) {
    if (s.timed) ok = TickTimed(slot, s);
    else if (s.wholeGroup) ok = TickWholeGroup(slot, s);
    else ok = TickOneByOne(slot, s);
    if (ok && (s.timed ? s.timedDone != 0 : s.cardsAdded >= s.numCards)) {
      CompactSources(s);
      CardsAnimFinish(slot, true);
    }
  } else if (s.type == kCardsAnimTypeCustom) {
    if (s.numCards < 1) {
      DebugError(kTickWhere, "No Cards");
      ok = false;
    } else {
      if (s.customTick) s.customTick();
      if (s.customCard) {
        for (int k = 0; k < s.numCards; ++k) s.customCard(k, &s.entries[k]);
      }
    }
  } else {
    DebugError(kTickWhere, "Unknown anim type");
    ok = false;
  }
  // A tick error ends the slot; CardsAnimFinish lands what is left first.
  if (!ok) CardsAnimFinish(slot, true);
  return true;
}

void CardsAnimTickAll() {
  for (int slot = 0; slot < kCardsAnimSlots; ++slot) CardsAnimTick(slot);
}

void CardsAnimRenderAll() {
  if (!CardsGraphicsExist()) return;
  for (int slot = 0; slot < kCardsAnimSlots; ++slot) {
    CardsAnimSlot& s = CardsAnimSlotRef(slot);
    if (!s.active) continue;
    int first = 0, last = s.numCards - 1;
    if (s.type == kCardsAnimTypeMove && !s.timed && !s.wholeGroup) {
      first = s.cardsAdded;
      last = s.cardsAdded + s.cardsTogether - 1;
      if (last >= s.numCards) last = s.numCards - 1;
    }
    bool backwards = s.wholeGroup && s.wholeGroupOrder == 0;
    for (int j = first; j <= last; ++j) {
      int k = backwards ? last - (j - first) : j;
      CardsAnimEntry& e = s.entries[k];
      if (!e.visible && s.type == kCardsAnimTypeMove) continue;
      s.workGroup.SetPositionAndSwing(e.groupPosNow, e.swingNow);
      bool scaled = e.scaleNow[0] != 0 || e.scaleNow[1] != 0 || e.scaleNow[2] != 0;
      e.drawnCard.SetPositionRotationAndScale(e.posNow, e.rotNow, scaled ? e.scaleNow : nullptr);
      CardsRenderCard(&s.workGroup, k, &e.drawnCard);
    }
  }
}
