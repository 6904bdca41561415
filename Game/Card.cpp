// Card.cpp - the card record: set-up, placement, matrix, hit test, copies
// and its compact and image forms.
#include "Game/Card.h"

#include <cmath>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngMisc.h"
#include "Game/CardGroup.h"
#include "Game/CardsSettings.h"
#include "Game/GenBytes.h"

namespace {

void Zero3(float* v) { v[0] = v[1] = v[2] = 0; }
void Copy3(float* to, const float* from) { std::memcpy(to, from, 3 * sizeof(float)); }

// A spacing factor for variation v (0 = off): 1 - r or 1 / (1 - r), r in [0, v).
float PickSpacingFactor(float v) {
  if (!(v > 0 && v < 1)) return 0;
  float factor = 1.0f - EngMiscRandFloatInRange(0.0f, v, false);
  if (EngMiscRandBool(1)) factor = 1.0f / factor;
  return factor;
}

// The turns and spacing factors: the part of a placement that travels with
// the card when a copy asks for its rotations.
void CopyTurnsAndSpacing(Card* target, const Card* source) {
  Copy3(target->restRot, source->restRot);
  Copy3(target->rot, source->rot);
  target->hSpacing = source->hSpacing;
  target->vSpacing = source->vSpacing;
}

int NumberOf(int suit, int rank) {
  if (rank < 1) return -1;
  return CardsGetNumberFromSuitAndRank(suit, rank);
}

// The number of a card read from a file: derived from its suit and rank,
// never taken from the file (it picks the card's face), -1 for a slot that
// holds no real card. Quiet: the file's checks report what is wrong.
int NumberRead(int suit, int rank) {
  if (suit < 0 || suit > 3 || rank < 1 || rank > 14) return -1;
  return suit * 14 + (rank == 14 ? 1 : rank);
}

}  // namespace

Card::Card() { Reset(); }

// Field by field without calls: every slot a pile makes is reset, and
// unoptimised builds deal thousands of times in the tests.
void Card::Reset() {
  owner = nullptr;
  suit = -1;
  rank = -1;
  number = -1;
  faceUp = 0;
  bothSides = 0;
  restPos[0] = restPos[1] = restPos[2] = 0;
  pos[0] = pos[1] = pos[2] = 0;
  shownPos[0] = shownPos[1] = shownPos[2] = 0;
  restRot[0] = restRot[1] = restRot[2] = 0;
  rot[0] = rot[1] = rot[2] = 0;
  hasScale = 0;
  scale[0] = scale[1] = scale[2] = 1;
  hSpacing = 0;
  vSpacing = 0;
  hidden = 0;
  highlighted = 0;
  flying = 0;
  gameWords[0] = gameWords[1] = 0;
  // UpdateMatrix's result at the origin, unturned and unscaled.
  matrix.SetIdentity();
}

bool Card::SetSuitAndRank(int newSuit, int newRank) {
  if (newSuit >= 0) suit = newSuit;
  if (newRank >= 1) rank = newRank;
  number = NumberOf(suit, rank);
  return true;
}

void Card::SetPositionAndRotation(const float* position, const float* rotations) {
  if (position) Copy3(pos, position); else Zero3(pos);
  if (rotations) Copy3(rot, rotations); else Zero3(rot);
  hasScale = 0;
  UpdateMatrix();
}

void Card::SetPositionRotationAndScale(const float* position, const float* rotations,
                                       const float* newScale) {
  if (position) Copy3(pos, position); else Zero3(pos);
  if (rotations) Copy3(rot, rotations); else Zero3(rot);
  if (!newScale || (newScale[0] == 1 && newScale[1] == 1 && newScale[2] == 1)) {
    hasScale = 0;
    scale[0] = scale[1] = scale[2] = 1;
  } else {
    hasScale = 1;
    Copy3(scale, newScale);
  }
  UpdateMatrix();
}

void Card::UpdateMatrix() {
  matrix.SetTranslation(pos[0], pos[1], pos[2]);
  EngMatrix turn;
  if (rot[0] != 0) matrix.PreMultiply(turn.SetRotationX(rot[0]));
  if (rot[2] != 0) matrix.PreMultiply(turn.SetRotationZ(rot[2]));
  if (rot[1] != 0) matrix.PreMultiply(turn.SetRotationY(rot[1]));
  if (hasScale) matrix.PreMultiply(turn.SetScale(scale[0], scale[1], scale[2]));
}

bool Card::IsScreenPointInside(float x, float y) const {
  const CardsSettingsRecord& s = CardsGetSettings();
  float cx = pos[0], cy = pos[1];
  if (owner) {
    cx += owner->pos[0];
    cy += owner->pos[1];
  }
  float hw = s.halfWidth, hh = s.halfHeight;
  float rz = rot[2];
  if (rz == 0) return cx - hw < x && x < cx + hw && cy - hh < y && y < cy + hh;
  // Turned rectangle: corners A and B on one long side, C opposite A.
  float r = std::sqrt(hw * hw + hh * hh);
  float b = hw == 0 ? 0.0f : std::atan(hh / hw);
  float ax = cx + r * std::cos(rz + b), ay = cy + r * std::sin(rz + b);
  float bx = cx + r * std::cos(rz - b), by = cy + r * std::sin(rz - b);
  float qx = cx - r * std::cos(rz - b), qy = cy - r * std::sin(rz - b);
  float abx = bx - ax, aby = by - ay;
  float acx = qx - ax, acy = qy - ay;
  return (x - ax) * abx + (y - ay) * aby > 0 && (x - bx) * abx + (y - by) * aby < 0 &&
         (x - ax) * acx + (y - ay) * acy >= 0 && (x - qx) * acx + (y - qy) * acy <= 0;
}

bool Card::FillCompactCard(CardCompact* compact) const {
  if (!compact) return false;
  uint8_t* b = compact->bytes;
  std::memset(b, 0, kCardCompactSize);
  GenPutI8(b, 0, suit);
  GenPutI8(b, 1, rank);
  GenPutU8(b, 2, faceUp);
  GenPutU8(b, 3, bothSides);
  GenPutF32s(b, 4, restPos, 3);
  GenPutF32s(b, 16, pos, 3);
  GenPutF32s(b, 28, shownPos, 3);
  GenPutF32s(b, 40, restRot, 3);
  GenPutF32s(b, 52, rot, 3);
  GenPutU8(b, 64, hasScale);
  GenPutF32s(b, 68, scale, 3);
  GenPutF32(b, 80, hSpacing);
  GenPutF32(b, 84, vSpacing);
  GenPutI16(b, 88, number);
  GenPutU8(b, 90, hidden);
  GenPutU8(b, 91, highlighted);
  GenPutU8(b, 92, flying);
  GenPutI32(b, 96, gameWords[0]);
  GenPutI32(b, 100, gameWords[1]);
  return true;
}

bool Card::SetupFromCompactCard(const CardCompact* compact) {
  if (!compact) return false;
  const uint8_t* b = compact->bytes;
  suit = GenGetI8(b, 0);
  rank = GenGetI8(b, 1);
  faceUp = GenGetU8(b, 2);
  bothSides = GenGetU8(b, 3);
  GenGetF32s(b, 4, restPos, 3);
  GenGetF32s(b, 16, pos, 3);
  GenGetF32s(b, 28, shownPos, 3);
  GenGetF32s(b, 40, restRot, 3);
  GenGetF32s(b, 52, rot, 3);
  hasScale = GenGetU8(b, 64);
  GenGetF32s(b, 68, scale, 3);
  hSpacing = GenGetF32(b, 80);
  vSpacing = GenGetF32(b, 84);
  number = NumberRead(suit, rank);  // the stored number (offset 88) is not trusted
  hidden = GenGetU8(b, 90);
  highlighted = GenGetU8(b, 91);
  flying = GenGetU8(b, 92);
  gameWords[0] = GenGetI32(b, 96);
  gameWords[1] = GenGetI32(b, 100);
  UpdateMatrix();
  return true;
}

bool CardsSetupCard(Card* card, int faceUp, int suit, int rank, float x, float y, float z) {
  if (!card) return false;
  card->faceUp = faceUp ? 1 : 0;
  card->suit = suit;
  card->rank = rank;
  card->number = NumberOf(suit, rank);
  card->restPos[0] = card->pos[0] = x;
  card->restPos[1] = card->pos[1] = y;
  card->restPos[2] = card->pos[2] = z;
  card->flying = 0;
  Zero3(card->restRot);
  Zero3(card->rot);
  CardsPickSpacingFactors(card);
  card->UpdateMatrix();
  return true;
}

void CardsPickSpacingFactors(Card* card) {
  if (!card) return;
  const CardsSettingsRecord& s = CardsGetSettings();
  card->hSpacing = PickSpacingFactor(s.horizontalVariation);
  card->vSpacing = PickSpacingFactor(s.verticalVariation);
}

int CardsGetNumberFromSuitAndRank(int suit, int rank) {
  if (suit < 0 || suit > 3 || rank < 1 || rank > 14) {
    DebugError("CardsGetNumberFromSuitAndRank", "Invalid suit/rank [%d/%d]", suit, rank);
    return -1;
  }
  return suit * 14 + (rank == 14 ? 1 : rank);
}

bool CardsCopyPlacement(Card* target, const Card* source) {
  if (!target || !source) return false;
  Copy3(target->restPos, source->restPos);
  Copy3(target->pos, source->pos);
  CopyTurnsAndSpacing(target, source);
  target->UpdateMatrix();
  return true;
}

bool CardsCopyCard(Card* target, const Card* source, bool copyPlacement, bool copyRotations) {
  if (!target || !source) return false;
  if (target == source) return true;
  Card former = *target;
  *target = *source;
  target->owner = former.owner;  // the owner belongs to the slot
  if (!copyPlacement) CardsCopyPlacement(target, &former);
  if (copyRotations) CopyTurnsAndSpacing(target, source);
  target->UpdateMatrix();
  return true;
}

bool CardsSwapCards(Card* a, Card* b, bool swapPlacement) {
  if (!a || !b) return false;
  if (a == b) return true;
  Card oldA = *a;
  Card oldB = *b;
  *a = oldB;
  *b = oldA;
  // The owner belongs to the slot, not to the card.
  a->owner = oldA.owner;
  b->owner = oldB.owner;
  if (!swapPlacement) {
    CardsCopyPlacement(a, &oldA);
    CardsCopyPlacement(b, &oldB);
  }
  a->UpdateMatrix();
  b->UpdateMatrix();
  return true;
}

bool CardsAreSameCard(const Card* a, const Card* b) {
  return a && b && a->suit == b->suit && a->rank == b->rank;
}

void CardWriteImage(const Card& card, uint8_t* out) {
  std::memset(out, 0, kCardImageSize);
  // Offset 0 is the owner link: written as zero.
  GenPutI32(out, 4, card.suit);
  GenPutI32(out, 8, card.rank);
  GenPutU8(out, 12, card.faceUp);
  GenPutU8(out, 13, card.bothSides);
  GenPutF32s(out, 16, card.restPos, 3);
  GenPutF32s(out, 28, card.pos, 3);
  GenPutF32s(out, 40, card.shownPos, 3);
  GenPutF32s(out, 52, card.restRot, 3);
  GenPutF32s(out, 64, card.rot, 3);
  GenPutU8(out, 76, card.hasScale);
  GenPutF32s(out, 80, card.scale, 3);
  GenPutF32(out, 92, card.hSpacing);
  GenPutF32(out, 96, card.vSpacing);
  GenPutI32(out, 100, card.number);
  GenPutU8(out, 104, card.hidden);
  GenPutU8(out, 105, card.highlighted);
  GenPutU8(out, 106, card.flying);
  GenPutI32(out, 108, card.gameWords[0]);
  GenPutI32(out, 112, card.gameWords[1]);
  GenPutF32s(out, 128, card.matrix.m, 16);
}

void CardReadImage(Card& card, const uint8_t* in) {
  card.suit = GenGetI32(in, 4);
  card.rank = GenGetI32(in, 8);
  card.faceUp = GenGetU8(in, 12);
  card.bothSides = GenGetU8(in, 13);
  GenGetF32s(in, 16, card.restPos, 3);
  GenGetF32s(in, 28, card.pos, 3);
  GenGetF32s(in, 40, card.shownPos, 3);
  GenGetF32s(in, 52, card.restRot, 3);
  GenGetF32s(in, 64, card.rot, 3);
  card.hasScale = GenGetU8(in, 76);
  GenGetF32s(in, 80, card.scale, 3);
  card.hSpacing = GenGetF32(in, 92);
  card.vSpacing = GenGetF32(in, 96);
  card.number = NumberRead(card.suit, card.rank);  // the stored one (offset 100) is not trusted
  card.hidden = GenGetU8(in, 104);
  card.highlighted = GenGetU8(in, 105);
  card.flying = GenGetU8(in, 106);
  card.gameWords[0] = GenGetI32(in, 108);
  card.gameWords[1] = GenGetI32(in, 112);
  // The matrix is derived from the fields rather than trusted.
  card.UpdateMatrix();
}
