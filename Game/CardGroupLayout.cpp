// CardGroupLayout.cpp - a group's alignment: the gap parameters, the ten
// layouts, the fitting to a bottom, right or left limit, the group hit test,
// and the dragging with its follow-up.
#include <cmath>

#include "Engine/Debug.h"
#include "Engine/EngProgram.h"
#include "Game/CardGroup.h"
#include "Game/CardsSettings.h"

namespace {

constexpr float kDegToRad = 0.017453292f;
constexpr float kMinFitFactor = 0.1f;  // a fitted pile never shrinks below this

float FactorOr1(float f) { return f == 0 ? 1.0f : f; }

float ClampFit(float factor) { return factor < kMinFitFactor ? kMinFitFactor : factor; }

}  // namespace

bool CardGroup::UpdateGroupAlignment(int newCardsForSpacing, float relFaceUp, float absFaceUp,
                                     float relFaceDown, float absFaceDown) {
  const char* where_ = "CardGroup::UpdateGroupAlignment";
  const CardsSettingsRecord& s = CardsGetSettings();
  const float rel[2] = {relFaceUp, relFaceDown};
  const float abs[2] = {absFaceUp, absFaceDown};
  float* gap[2] = {&faceUpGap, &faceDownGap};
  for (int pair = 0; pair < 2; ++pair) {
    if (rel[pair] > 0 && abs[pair] > 0) {
      DebugError(where_, "Specify only one gap parameter");
      return false;
    }
    if (rel[pair] > 0) {
      if (alignType == 2) {
        *gap[pair] = rel[pair] * s.height;
      } else if (alignType == 3 || alignType == 4 || alignType == 5 || alignType == 10) {
        *gap[pair] = rel[pair] * s.width;
      }
    } else if (abs[pair] > 0) {
      *gap[pair] = abs[pair];
    } else if (defaultRelFaceUpGap > 0 && defaultRelFaceDownGap > 0) {
      // Neither gap given: lay out with the defaults of the set-up.
      return UpdateGroupAlignment(newCardsForSpacing, defaultRelFaceUpGap, 0,
                                  defaultRelFaceDownGap, 0);
    }
  }
  if (newCardsForSpacing > 0) cardsForSpacing = newCardsForSpacing;
  return LayOut();
}

bool CardGroup::LayOut() {
  const char* where_ = "CardGroup::UpdateGroupAlignment";
  MarkChanged();  // every slot may move
  const CardsSettingsRecord& s = CardsGetSettings();
  if ((alignType >= 1 && alignType <= 7) || alignType == 10) MakeSlots(kCardGroupMaxCards);
  switch (alignType) {
    case 1:
      for (int i = 0; i < kCardGroupMaxCards; ++i) {
        cards[i].pos[0] = 0;
        cards[i].pos[1] = 0;
        cards[i].pos[2] = static_cast<float>(i) * s.depth;
      }
      break;
    case 2: {
      float y = 0;
      for (int i = 0; i < kCardGroupMaxCards; ++i) {
        Card& c = cards[i];
        c.pos[0] = 0;
        c.pos[1] = y;
        c.pos[2] = 0;
        y -= (c.faceUp ? faceUpGap : faceDownGap) * FactorOr1(c.vSpacing);
      }
      FitBottom();
      break;
    }
    case 3:
    case 4: {
      float x = 0;
      float sign = alignType == 3 ? 1.0f : -1.0f;
      for (int i = 0; i < kCardGroupMaxCards; ++i) {
        Card& c = cards[i];
        c.pos[0] = x;
        c.pos[1] = 0;
        c.pos[2] = 0;
        x += sign * (c.faceUp ? faceUpGap : faceDownGap) * FactorOr1(c.hSpacing);
      }
      if (alignType == 3) FitRight(); else FitLeft();
      break;
    }
    case 5: {
      int n = cardsForSpacing;
      if (n < 0) {
        DebugError(where_, "Invalid num cards for spacing");
        return false;
      }
      float w = n > 1 ? s.width + static_cast<float>(n - 1) * faceUpGap : s.width;
      float x0 = 0.5f * s.width - 0.5f * w;
      for (int i = 0; i < kCardGroupMaxCards; ++i) {
        cards[i].pos[0] = x0 + static_cast<float>(i) * faceUpGap;
        cards[i].pos[1] = 0;
        cards[i].pos[2] = 0;
      }
      break;
    }
    case 6:
    case 7: {
      int n = cardsForSpacing;
      if (n <= 0) {
        DebugError(where_, "Invalid num cards for spacing");
        return false;
      }
      for (int i = 0; i < kCardGroupMaxCards; ++i) {
        Card& c = cards[i];
        if (n == 1) {
          c.pos[0] = c.pos[1] = c.pos[2] = 0;
          c.rot[0] = c.rot[1] = c.rot[2] = 0;
          continue;
        }
        float ratio = (static_cast<float>(i) + 0.5f - static_cast<float>(n) / 2) /
                      (static_cast<float>(n - 1) / 2);
        float a = -ratio * static_cast<float>(n) * 6 * kDegToRad;
        c.rot[0] = 0;
        c.rot[1] = 0;
        c.rot[2] = alignType == 6 ? a : -a;
        float sn = std::sin(c.rot[2]) * s.width * 0.4f * static_cast<float>(n);
        float cs = (std::cos(c.rot[2]) - 1) * s.height * 0.3f * static_cast<float>(n);
        c.pos[0] = alignType == 6 ? -sn : sn;
        c.pos[1] = alignType == 6 ? cs : -cs;
        c.pos[2] = 0;
      }
      break;
    }
    case 10:
      return SetupHorzSpreadFanAlignment();
    case 8:
    case 9:
      return false;
    default:
      // An inactive group (type 0) has nothing to lay out.
      break;
  }
  for (int i = 0; i < writtenSlots; ++i) cards[i].UpdateMatrix();
  return true;
}

void CardGroup::FitBottom() {
  const CardsSettingsRecord& s = CardsGetSettings();
  hasBottomLimit = 0;
  float base;
  if (bottomDepth != 0) {
    base = pos[1] - bottomDepth;
  } else if (ownBottomOn) {
    base = ownBottomY;
  } else if (s.defaultColumnBottomOn) {
    base = s.defaultColumnBottomY;
  } else {
    return;
  }
  float limit = base + s.height;
  bottomLimitY = limit;
  hasBottomLimit = 1;
  if (numCards < 2) return;
  float lastY = cards[numCards - 1].pos[1];
  if (limit > pos[1] + lastY && lastY < 0) {
    float factor = ClampFit((limit - pos[1]) / lastY);
    for (Card& c : cards) c.pos[1] *= factor;
  }
}

void CardGroup::FitRight() {
  const CardsSettingsRecord& s = CardsGetSettings();
  hasRightLimit = 0;
  float base;
  if (rightLength != 0) {
    base = pos[0] + rightLength;
  } else if (ownRightOn) {
    base = ownRightX;
  } else {
    return;
  }
  float limit = base - s.width;
  rightLimitX = limit;
  hasRightLimit = 1;
  if (numCards < 2) return;
  float lastX = cards[numCards - 1].pos[0];
  if (limit < pos[0] + lastX && lastX > 0) {
    float factor = ClampFit((limit - pos[0]) / lastX);
    for (Card& c : cards) c.pos[0] *= factor;
  }
}

void CardGroup::FitLeft() {
  const CardsSettingsRecord& s = CardsGetSettings();
  if (numCards < 2) return;
  float base;
  if (rightLength != 0) {
    base = pos[0] - rightLength;
  } else if (ownRightOn) {
    base = ownRightX;
  } else {
    return;
  }
  float limit = base - s.width;
  float lastX = cards[numCards - 1].pos[0];
  if (limit > pos[0] + lastX && lastX < 0) {
    float factor = ClampFit((limit - pos[0]) / lastX);
    for (Card& c : cards) c.pos[0] *= factor;
  }
}

bool CardGroup::SetupHorzSpreadFanAlignment() {
  MakeSlots(kCardGroupMaxCards);
  if (cardsForSpacing < 0) {
    DebugError("CardGroup::SetupHorzSpreadFanAlignment", "Invalid num cards for aligning");
    return false;
  }
  const CardsSettingsRecord& s = CardsGetSettings();
  float n = static_cast<float>(cardsForSpacing == 0 ? kCardGroupMaxCards : cardsForSpacing);
  float step = fanSpread * 150 / n;
  if (step > fanSpread * 5) step = fanSpread * 5;
  float r = fanRadius * s.height;
  for (int i = 0; i < kCardGroupMaxCards; ++i) {
    Card& c = cards[i];
    float a = (static_cast<float>(i) - (n - 1) * 0.5f) * step * kDegToRad;
    c.pos[0] = 2 * r * std::sin(a);
    c.pos[1] = 1.5f * r * std::cos(a) - 1.5f * r;
    c.rot[0] = 0;
    c.rot[1] = 0;
    c.rot[2] = -a;
    c.bothSides = 0;
    c.UpdateMatrix();
  }
  return true;
}

bool CardGroup::IsScreenPointInsideGroupArea(float x, float y, float refX, float refY,
                                             float* snapX, float* snapY) {
  if (!active || maxCards < 1) return false;
  const CardsSettingsRecord& s = CardsGetSettings();
  float left = pos[0] - s.halfWidth, right = pos[0] + s.halfWidth;
  float bottom = pos[1] - s.halfHeight, top = pos[1] + s.halfHeight;
  float sx = 0, sy = 0;
  bool inside = false;
  switch (alignType) {
    case 1:
      inside = left < x && x < right && bottom < y && y <= top;
      sx = pos[0];
      sy = pos[1];
      break;
    case 2:
      inside = left < x && x < right && y <= top &&
               (!hasBottomLimit || y > bottomLimitY + s.halfHeight);
      sx = pos[0];
      sy = refY;
      break;
    case 3:
      inside = bottom < y && y < top && left < x &&
               (!hasRightLimit || x < rightLimitX - s.halfWidth);
      sx = refX;
      sy = pos[1];
      break;
    case 5:
      inside = bottom < y && y < top && numCards >= 1 &&
               pos[0] + cards[0].pos[0] - s.halfWidth <= x &&
               x <= pos[0] + cards[numCards - 1].pos[0] + s.halfWidth;
      sx = refX;
      sy = pos[1];
      break;
    case 10:
      return false;
    default:
      DebugError("CardGroup::IsScreenPointInsideGroupArea",
                 "Group alignment %d not implemented yet", alignType);
      return false;
  }
  if (inside) {
    if (snapX) *snapX = sx;
    if (snapY) *snapY = sy;
  }
  return inside;
}

void CardGroup::MoveGroupTo(float x, float y, float z) {
  for (int i = 0; i < numCards; ++i) {
    Card& c = cards[i];
    for (int k = 0; k < 3; ++k) c.shownPos[k] = c.pos[k] + pos[k];
  }
  float dx = x - pos[0];
  if (alignType == 2 && dx != 0) {
    if ((dx < 0 && swing < 0) || (dx > 0 && swing > 0)) swing = 0;
    float sign = dx > 0 ? 1.0f : -1.0f;
    swing -= sign * std::sqrt(std::fabs(dx)) * 1.5707964f * 0.5f * EngProgramGetFrameTime();
    if (swing < -1) swing = -1;
    if (swing > 1) swing = 1;
  }
  pos[0] = x;
  pos[1] = y;
  pos[2] = z;
  for (int i = 0; i < numCards; ++i) {
    Card& c = cards[i];
    for (int k = 0; k < 3; ++k) c.pos[k] = c.shownPos[k] - pos[k];
    c.UpdateMatrix();
  }
  UpdateGroupMatrix();
  moved = 1;
}

void CardGroup::TickFollow() {
  if (!active || !moved || numCards < 1 || maxCards < 1) return;
  if (alignType == 0 || alignType == 1) {
    UpdateGroupAlignment(0, 0, 0, 0, 0);
    moved = 0;
    return;
  }
  float frame = EngProgramGetFrameTime();
  for (int i = 0; i < numCards; ++i) {
    for (int k = 0; k < 3; ++k) cards[i].shownPos[k] = cards[i].pos[k];
  }
  Realign(0);  // the positions become the targets
  bool moving = false;
  for (int i = 0; i < numCards; ++i) {
    Card& c = cards[i];
    float targetX = c.pos[0], targetY = c.pos[1];
    float dx, dy;
    if (i == 0) {
      dx = targetX - c.shownPos[0];
      dy = targetY - c.shownPos[1];
    } else {
      const Card& prev = cards[i - 1];
      dx = targetX - ((c.shownPos[0] - prev.shownPos[0]) + prev.pos[0]);
      dy = targetY - ((c.shownPos[1] - prev.shownPos[1]) + prev.pos[1]);
    }
    if (std::fabs(dx) < 0.01f && std::fabs(dy) < 0.01f) {
      c.pos[0] = c.shownPos[0];
      c.pos[1] = c.shownPos[1];
    } else {
      moving = true;
      float k = (static_cast<float>(maxCards) / static_cast<float>(numCards)) *
                (static_cast<float>(maxCards - i) / static_cast<float>(maxCards) * 0.8f + 0.15f);
      if (i == 0) k *= 0.7f;
      if (i == numCards - 1) k *= 1.1f;
      // The share of the distance covered this frame; a long frame or a
      // nearly empty pile of a large maximum would otherwise overshoot.
      float share = k * frame * 30;
      if (share > 1) share = 1;
      c.pos[0] = c.shownPos[0] + share * dx;
      c.pos[1] = c.shownPos[1] + share * dy;
    }
    c.UpdateMatrix();
  }
  if (alignType == 2) {
    if (swing > 0) {
      swing -= 6 * swing * frame;
      if (swing < 0) swing = 0;
    } else if (swing < 0) {
      swing -= 6 * swing * frame;
      if (swing > 0) swing = 0;
    }
    if (swing != 0) moving = true;
    UpdateGroupMatrix();
  }
  if (!moving) moved = 0;
}
