// CardGroup.cpp - a group's life: set-up, copying, adding and removing
// cards, reset and links. The layouts, fitting, hit test and dragging are in
// CardGroupLayout.cpp; the compact and image forms in CardGroupImage.cpp.
#include "Game/CardGroup.h"

#include <cstring>
#include <new>

#include "Engine/Debug.h"
#include "Game/CardsSettings.h"

namespace {

// The last change stamp handed out; stamps only grow, so two groups share a
// stamp only when one is a copy of the other.
uint32_t g_lastChangeStamp = 0;

}  // namespace

void CardGroup::MarkChanged() { changeStamp = ++g_lastChangeStamp; }

CardGroup::CardGroup() : writtenSlots(0) {
  groupMatrix.SetIdentity();
  Reset(false);
}

CardGroup::~CardGroup() = default;

CardGroup::CardGroup(const CardGroup& other) : writtenSlots(0) { *this = other; }

CardGroup& CardGroup::operator=(const CardGroup& other) {
  if (this == &other) return *this;
  // The group holds plain values and two links: the head and the slots the
  // other made are copied, then the copied cards point at this group.
  std::memcpy(static_cast<void*>(this), static_cast<const void*>(&other), offsetof(CardGroup, cards));
  if (other.writtenSlots > 0) {
    std::memcpy(static_cast<void*>(cards), static_cast<const void*>(other.cards),
                sizeof(Card) * static_cast<std::size_t>(other.writtenSlots));
  }
  RelinkOwners();
  return *this;
}

void CardGroup::MakeSlots(int n) {
  if (n > kCardGroupMaxCards) n = kCardGroupMaxCards;
  for (int i = writtenSlots; i < n; ++i) new (&cards[i]) Card();
  if (n > writtenSlots) writtenSlots = n;
}

const Card& CardGroup::SlotOrBlank(int i) const {
  static const Card blank;
  return i >= 0 && i < writtenSlots ? cards[i] : blank;
}

bool CardGroup::SetupCardGroup(const CardGroupSetup& setup) {
  const char* where_ = "CardGroup::SetupCardGroup";
  const float x = setup.x, y = setup.y, z = setup.z;
  // Everything is checked before anything changes.
  int finalMax = setup.maxCards > 0 ? setup.maxCards : maxCards;
  int finalCount = setup.numCards >= 0 ? setup.numCards : numCards;
  if (finalMax < 1 || finalMax > kCardGroupMaxCards) {
    DebugError(where_, "Invalid max cards num [%d]", finalMax);
    return false;
  }
  if (finalCount < 0 || finalCount > finalMax) {
    DebugError(where_, "Invalid num cards [%d]", finalCount);
    return false;
  }
  if (setup.fillAsDeck && finalCount != 52 && finalCount != 104) {
    DebugError(where_, "Invalid num cards to fill for deck");
    return false;
  }

  maxCards = finalMax;
  numCards = finalCount;
  if (setup.setAlignment) alignType = setup.alignType;
  swing = 0;
  if (setup.setPosition) {
    pos[0] = x;
    pos[1] = y;
    pos[2] = z;
  }
  MakeSlots(kCardGroupMaxCards);
  if (setup.fillAsDeck) {
    int slot = 0;
    int runs = numCards / 52 * 4;
    for (int run = 0; run < runs; ++run) {
      for (int rank = 1; rank <= 13; ++rank) {
        CardsSetupCard(&cards[slot++], setup.faceUp, run % 4, rank, x, y, z);
      }
    }
    if (slot != numCards) {
      DebugError(where_, "Internal Error");
      return false;
    }
    for (int i = slot; i < kCardGroupMaxCards; ++i) CardsSetupCard(&cards[i], setup.faceUp, -1, -1, x, y, z);
  } else {
    for (Card& card : cards) CardsSetupCard(&card, setup.faceUp, -1, -1, x, y, z);
  }
  if (setup.where >= 0) where = setup.where;
  if (setup.secondCode >= 0) secondCode = setup.secondCode;
  defaultRelFaceUpGap = setup.relFaceUpGap;
  defaultRelFaceDownGap = setup.relFaceDownGap;
  active = 1;
  bool ok = true;
  if (setup.setAlignment) {
    ok = UpdateGroupAlignment(setup.cardsForSpacing, setup.relFaceUpGap, setup.absFaceUpGap,
                              setup.relFaceDownGap, setup.absFaceDownGap);
  }
  if (setup.maxCards > 0 && setup.setPosition) {
    for (int i = 0; i < maxCards; ++i) {
      std::memcpy(cards[i].restPos, cards[i].pos, sizeof cards[i].pos);
      std::memcpy(cards[i].restRot, cards[i].rot, sizeof cards[i].rot);
    }
  }
  RelinkOwners();
  Refresh(true);
  UpdateGroupMatrix();
  if (CardsGetSettings().groupSetupCB) CardsGetSettings().groupSetupCB(this);
  return ok;
}

bool CardGroup::Realign(int newCardsForSpacing) {
  return UpdateGroupAlignment(newCardsForSpacing, 0, 0, 0, 0);
}

bool CardGroup::Refresh(bool relayout) {
  pileHeight = static_cast<float>(numCards) * CardsGetSettings().depth;
  bool ok = true;
  if (relayout) ok = Realign(0);
  UpdateGroupMatrix();
  return ok;
}

bool CardGroup::AddCardToGroup(const Card* card, bool copyPlacement, bool copyRotations,
                               bool relayout) {
  const char* where_ = "CardGroup::AddCardToGroup";
  if (!active || !card) {
    DebugError(where_, card ? "Group not set up" : "No card");
    return false;
  }
  if (numCards >= maxCards || numCards >= kCardGroupMaxCards) {
    DebugError(where_, "Too many cards in group");
    return false;
  }
  MakeSlots(numCards + 1);
  Card* slot = &cards[numCards];
  CardsCopyCard(slot, card, copyPlacement, copyRotations);
  slot->owner = this;
  ++numCards;
  MarkChanged();
  Refresh(relayout);
  return true;
}

bool CardGroup::RemoveCardFromEnd() {
  if (!active) return false;
  if (numCards < 1) {
    DebugError("CardGroup::RemoveCardFromEnd", "No cards in group");
    return false;
  }
  Card& last = cards[numCards - 1];
  last.owner = nullptr;
  last.bothSides = 0;
  --numCards;
  MarkChanged();
  Refresh(true);
  return true;
}

void CardGroup::SetPositionAndSwing(const float* position, float newSwing) {
  if (position) {
    std::memcpy(pos, position, sizeof pos);
  } else {
    pos[0] = pos[1] = pos[2] = 0;
  }
  swing = newSwing;
  UpdateGroupMatrix();
}

void CardGroup::ClearHighlights() {
  int n = maxCards < writtenSlots ? maxCards : writtenSlots;
  bool pastTop = false;
  for (int i = 0; i < n; ++i) {
    if (cards[i].highlighted && i >= numCards) pastTop = true;
    cards[i].highlighted = 0;
  }
  if (pastTop) MarkChanged();
}

void CardGroup::SetOwnBottom(bool on, float y) {
  ownBottomOn = on ? 1 : 0;
  if (on) ownBottomY = y;
}

Card* CardGroup::GetTopCard() { return numCards > 0 ? &cards[numCards - 1] : nullptr; }

float CardGroup::GetTopCardX() const {
  return numCards > 0 ? pos[0] + cards[numCards - 1].pos[0] : pos[0];
}

float CardGroup::GetTopCardY() const {
  return numCards > 0 ? pos[1] + cards[numCards - 1].pos[1] : pos[1];
}

void CardGroup::Reset(bool keepCodes) {
  active = 0;
  moved = 0;
  numCards = 0;
  maxCards = 0;
  pos[0] = pos[1] = pos[2] = 0;
  pileHeight = 0;
  alignType = 0;
  swing = 0;
  fanSpread = 1;
  fanRadius = 1;
  faceUpGap = 0;
  faceDownGap = 0;
  cardsForSpacing = 0;
  drawEmptySpace = 0;
  if (!keepCodes) {
    where = 0;
    secondCode = 0;
    gameWordB = 0;
  }
  turnDirection = 0;
  defaultRelFaceUpGap = 0;
  defaultRelFaceDownGap = 0;
  hasRightLimit = 0;
  rightLimitX = 0;
  hasBottomLimit = 0;
  bottomLimitY = 0;
  ownBottomOn = 0;
  ownBottomY = 0;
  bottomDepth = 0;
  ownRightOn = 0;
  ownRightX = 0;
  rightLength = 0;
  writtenSlots = 0;
  ResetLinks();
  UpdateGroupMatrix();
  MarkChanged();
}

void CardGroup::ResetLinks() {
  markerModel = -1;
  emptyTexture = nullptr;
  RelinkOwners();
}

void CardGroup::RelinkOwners() {
  for (int i = 0; i < writtenSlots; ++i) cards[i].owner = i < numCards ? this : nullptr;
}

void CardGroup::UpdateGroupMatrix() {
  groupMatrix.SetTranslation(pos[0], pos[1], pos[2]);
  if (swing != 0) {
    EngMatrix turn;
    groupMatrix.PreMultiply(turn.SetRotationZ(swing));
  }
}

bool CardGroup::IsHorizontalAlignment() const { return alignType >= 3 && alignType <= 7; }

bool CardGroup::IsVerticalAlignment() const {
  return alignType == 2 || alignType == 8 || alignType == 9;
}
