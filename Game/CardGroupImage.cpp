// CardGroupImage.cpp - a group's two stored forms: the compact group of the
// saved pictures (16,324 bytes) and the group inside the game record image
// (30,148 bytes). Both are little-endian and zero-filled before writing; the
// links (owners, texture) are never written and never read.
#include <array>
#include <cstring>

#include "Engine/Debug.h"
#include "Game/CardGroup.h"
#include "Game/GenBytes.h"

namespace {

// The stored forms of a blank card (as Card() makes it).
const uint8_t* BlankCardImage() {
  static const auto image = [] {
    std::array<uint8_t, kCardImageSize> bytes{};
    CardWriteImage(Card(), bytes.data());
    return bytes;
  }();
  return image.data();
}

const uint8_t* BlankCompactCard() {
  static const auto compact = [] {
    CardCompact card{};
    Card().FillCompactCard(&card);
    return card;
  }();
  return compact.bytes;
}

// The slots of a stored group up to its last one that is not blank.
int UsedSlots(const uint8_t* slots, int slotSize, const uint8_t* blank) {
  int used = kCardGroupMaxCards;
  while (used > 0 &&
         std::memcmp(slots + (used - 1) * slotSize, blank, static_cast<std::size_t>(slotSize)) == 0) {
    --used;
  }
  return used;
}

}  // namespace

bool CardGroup::FillCompactCardGroup(CardGroupCompact* compact) const {
  if (!compact) return false;
  uint8_t* b = compact->bytes;
  std::memset(b, 0, kCardGroupCompactSize);
  GenPutU8(b, 0, active);
  GenPutU8(b, 1, ownBottomOn);
  GenPutF32(b, 4, ownBottomY);
  GenPutF32(b, 8, bottomDepth);
  GenPutU8(b, 12, ownRightOn);
  GenPutF32(b, 16, ownRightX);
  GenPutF32(b, 20, rightLength);
  GenPutI16(b, 24, numCards);
  GenPutI16(b, 26, maxCards);
  GenPutF32s(b, 28, pos, 3);
  GenPutF32(b, 40, pileHeight);
  GenPutI32(b, 44, alignType);
  GenPutF32(b, 48, swing);
  GenPutF32(b, 52, fanSpread);
  GenPutF32(b, 56, fanRadius);
  GenPutF32(b, 60, faceUpGap);
  GenPutF32(b, 64, faceDownGap);
  GenPutI16(b, 68, cardsForSpacing);
  GenPutU8(b, 70, drawEmptySpace);
  GenPutI32(b, 72, where);
  GenPutI32(b, 76, secondCode);
  GenPutI32(b, 80, gameWordB);
  GenPutI16(b, 84, markerModel);
  GenPutU8(b, 86, turnDirection);
  GenPutU8(b, 87, hasRightLimit);
  GenPutF32(b, 88, rightLimitX);
  GenPutU8(b, 92, hasBottomLimit);
  GenPutF32(b, 96, bottomLimitY);
  for (int i = 0; i < kCardGroupMaxCards; ++i) {
    CardCompact card;
    SlotOrBlank(i).FillCompactCard(&card);
    std::memcpy(b + kCardGroupCompactHeadSize + i * kCardCompactSize, card.bytes, kCardCompactSize);
  }
  return true;
}

bool CardGroup::SetupFromCompactCardGroup(const CardGroupCompact* compact) {
  const char* where_ = "CardGroup::SetupFromCompactCardGroup";
  if (!compact) return false;
  const uint8_t* b = compact->bytes;
  int count = GenGetI16(b, 24);
  int max = GenGetI16(b, 26);
  if (count < 0 || count > kCardGroupMaxCards) {
    DebugError(where_, "Invalid num cards in compact card group");
    return false;
  }
  if (max < 0 || max > kCardGroupMaxCards) {
    DebugError(where_, "Invalid max cards in compact card group");
    return false;
  }
  if (count > max) {  // a pile never holds more than its room
    DebugError(where_, "Invalid num cards in compact card group");
    return false;
  }
  active = GenGetU8(b, 0);
  ownBottomOn = GenGetU8(b, 1);
  ownBottomY = GenGetF32(b, 4);
  bottomDepth = GenGetF32(b, 8);
  ownRightOn = GenGetU8(b, 12);
  ownRightX = GenGetF32(b, 16);
  rightLength = GenGetF32(b, 20);
  numCards = count;
  maxCards = max;
  GenGetF32s(b, 28, pos, 3);
  pileHeight = GenGetF32(b, 40);
  alignType = GenGetI32(b, 44);
  swing = GenGetF32(b, 48);
  fanSpread = GenGetF32(b, 52);
  fanRadius = GenGetF32(b, 56);
  faceUpGap = GenGetF32(b, 60);
  faceDownGap = GenGetF32(b, 64);
  cardsForSpacing = GenGetI16(b, 68);
  drawEmptySpace = GenGetU8(b, 70);
  where = GenGetI32(b, 72);
  secondCode = GenGetI32(b, 76);
  gameWordB = GenGetI32(b, 80);
  markerModel = GenGetI16(b, 84);
  turnDirection = GenGetU8(b, 86);
  hasRightLimit = GenGetU8(b, 87);
  rightLimitX = GenGetF32(b, 88);
  hasBottomLimit = GenGetU8(b, 92);
  bottomLimitY = GenGetF32(b, 96);
  // Trailing blank slots stay unmade.
  const int used = UsedSlots(b + kCardGroupCompactHeadSize, kCardCompactSize, BlankCompactCard());
  writtenSlots = 0;
  MakeSlots(used);
  for (int i = 0; i < used; ++i) {
    CardCompact card;
    std::memcpy(card.bytes, b + kCardGroupCompactHeadSize + i * kCardCompactSize, kCardCompactSize);
    cards[i].SetupFromCompactCard(&card);
  }
  ResetLinks();
  UpdateGroupMatrix();
  MarkChanged();
  return true;
}

void CardGroupWriteImage(const CardGroup& g, uint8_t* out) {
  std::memset(out, 0, kCardGroupImageHeadSize);
  GenPutU8(out, 0, g.active);
  GenPutU8(out, 1, g.moved);
  GenPutI32(out, 4, g.numCards);
  GenPutI32(out, 8, g.maxCards);
  GenPutF32s(out, 12, g.pos, 3);
  GenPutF32(out, 24, g.pileHeight);
  GenPutI32(out, 28, g.alignType);
  GenPutF32(out, 32, g.swing);
  GenPutF32(out, 36, g.fanSpread);
  GenPutF32(out, 40, g.fanRadius);
  GenPutF32(out, 44, g.faceUpGap);
  GenPutF32(out, 48, g.faceDownGap);
  GenPutI32(out, 52, g.cardsForSpacing);
  GenPutU8(out, 56, g.drawEmptySpace);
  GenPutI32(out, 60, g.where);
  GenPutI32(out, 64, g.secondCode);
  GenPutI32(out, 68, g.gameWordB);
  GenPutI32(out, 72, g.markerModel);
  GenPutU8(out, 76, g.turnDirection);
  GenPutF32(out, 80, g.defaultRelFaceUpGap);
  GenPutF32(out, 84, g.defaultRelFaceDownGap);
  GenPutU8(out, 88, g.hasRightLimit);
  GenPutF32(out, 92, g.rightLimitX);
  GenPutU8(out, 96, g.hasBottomLimit);
  GenPutF32(out, 100, g.bottomLimitY);
  GenPutU8(out, 104, g.ownBottomOn);
  GenPutF32(out, 108, g.ownBottomY);
  GenPutF32(out, 112, g.bottomDepth);
  GenPutU8(out, 116, g.ownRightOn);
  GenPutF32(out, 120, g.ownRightX);
  GenPutF32(out, 124, g.rightLength);
  GenPutF32s(out, 128, g.groupMatrix.m, 16);
  // Offset 192: the empty-space texture link, written as zero.
  for (int i = 0; i < kCardGroupMaxCards; ++i) {
    uint8_t* card = out + kCardGroupImageHeadSize + i * kCardImageSize;
    if (i < g.writtenSlots) {
      CardWriteImage(g.cards[i], card);
    } else {
      std::memcpy(card, BlankCardImage(), kCardImageSize);
    }
  }
}

bool CardGroupReadImage(CardGroup& g, const uint8_t* in) {
  int count = GenGetI32(in, 4);
  int max = GenGetI32(in, 8);
  if (count < 0 || count > kCardGroupMaxCards || max < 0 || max > kCardGroupMaxCards ||
      count > max) {
    DebugError("CardGroupReadImage", "Invalid group image [%d/%d]", count, max);
    return false;
  }
  g.active = GenGetU8(in, 0);
  g.moved = GenGetU8(in, 1);
  g.numCards = count;
  g.maxCards = max;
  GenGetF32s(in, 12, g.pos, 3);
  g.pileHeight = GenGetF32(in, 24);
  g.alignType = GenGetI32(in, 28);
  g.swing = GenGetF32(in, 32);
  g.fanSpread = GenGetF32(in, 36);
  g.fanRadius = GenGetF32(in, 40);
  g.faceUpGap = GenGetF32(in, 44);
  g.faceDownGap = GenGetF32(in, 48);
  g.cardsForSpacing = GenGetI32(in, 52);
  g.drawEmptySpace = GenGetU8(in, 56);
  g.where = GenGetI32(in, 60);
  g.secondCode = GenGetI32(in, 64);
  g.gameWordB = GenGetI32(in, 68);
  g.markerModel = GenGetI32(in, 72);
  g.turnDirection = GenGetU8(in, 76);
  g.defaultRelFaceUpGap = GenGetF32(in, 80);
  g.defaultRelFaceDownGap = GenGetF32(in, 84);
  g.hasRightLimit = GenGetU8(in, 88);
  g.rightLimitX = GenGetF32(in, 92);
  g.hasBottomLimit = GenGetU8(in, 96);
  g.bottomLimitY = GenGetF32(in, 100);
  g.ownBottomOn = GenGetU8(in, 104);
  g.ownBottomY = GenGetF32(in, 108);
  g.bottomDepth = GenGetF32(in, 112);
  g.ownRightOn = GenGetU8(in, 116);
  g.ownRightX = GenGetF32(in, 120);
  g.rightLength = GenGetF32(in, 124);
  // Trailing blank slots stay unmade.
  const int used = UsedSlots(in + kCardGroupImageHeadSize, kCardImageSize, BlankCardImage());
  g.writtenSlots = 0;
  g.MakeSlots(used);
  for (int i = 0; i < used; ++i) {
    CardReadImage(g.cards[i], in + kCardGroupImageHeadSize + i * kCardImageSize);
  }
  g.emptyTexture = nullptr;
  g.RelinkOwners();
  g.UpdateGroupMatrix();  // derived from the position and swing, not trusted
  g.MarkChanged();
  return true;
}
