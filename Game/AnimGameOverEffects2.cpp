// AnimGameOverEffects2.cpp - celebration effects 4 (scatter), 5 (drift and
// waves), 6 (two leaders) and 7 (snake) (see AnimGameOver.h).
#include <cmath>
#include <initializer_list>

#include "Engine/EngMath.h"
#include "Engine/EngMisc.h"
#include "Engine/EngRand.h"
#include "Game/AnimGameOverLocal.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"

namespace {

constexpr int kN = kAnimGameOverNumCards;
constexpr float kHalf = kAnimGameOverTableHalf;

// ---- Effect 4 words ----
enum : int { kVelocityX = 0, kVelocityY, kTurnZ, kTurnY };
// ---- Effect 6 words ----
enum : int { kLeaderVX = 0, kLeaderVY, kWeight };
constexpr int kLeaderA = 12, kLeaderB = 51;
// ---- Effect 7 words ----
enum : int { kDirX = 0, kDirY, kTurnDirX, kTurnDirZ, kSpeedX, kSpeedY, kPulseX, kPulseY, kFollow };

int Rand() { return EngRandCrtNext(); }

bool Reached(int32_t now, uint32_t timer) { return static_cast<int32_t>(now - timer) >= 0; }

}  // namespace

// ---- Effect 4: scatter --------------------------------------------------------------------------

void AnimGameOverTick4() {
  AnimGameOverState& s = AnimGameOverGetState();
  AnimGameOverEffectState& fx = s.fx;
  CardsAnimSlot* slot = AnimGameOverSlot();
  if (!slot) return;
  const float f = AnimGameOverFrameTime();
  const uint32_t now = AnimGameOverNow();
  switch (s.phase) {
    case 0:
      for (int i = 0; i < kN; ++i) {
        CardsAnimEntry& e = slot->entries[i];
        e.posNow[0] = e.posNow[1] = e.posNow[2] = 0;
        AnimGameOverSetWordF(&e, kVelocityX, AnimGameOverRir(2, 10, true));
        AnimGameOverSetWordF(&e, kVelocityY, AnimGameOverRir(2, 10, true));
        AnimGameOverSetWordF(&e, kTurnZ, AnimGameOverRir(10, 100, true) * kAnimGameOverDegrees);
        AnimGameOverSetWordF(&e, kTurnY, AnimGameOverRir(10, 100, true) * kAnimGameOverDegrees);
      }
      AnimSetCameraOverride(true);
      fx.phaseTimer = now;
      s.phase = 1;
      break;
    case 1:
      if (Reached(static_cast<int32_t>(now), fx.phaseTimer)) {
        s.phase = 2;
        fx.phaseTimer = now + 15000 + static_cast<uint32_t>(Rand() % 30000);
      }
      break;
    case 2:
      for (int i = 0; i < kN; ++i) {
        CardsAnimEntry& e = slot->entries[i];
        float vx = AnimGameOverWordF(&e, kVelocityX);
        float vy = AnimGameOverWordF(&e, kVelocityY);
        e.posNow[0] -= vx * f;
        e.posNow[1] -= vy * f;
        // A card past an edge turns back once: only while it still moves
        // outwards, so a long frame cannot flip it back and forth outside.
        // (The card moves by -v.)
        if ((e.posNow[0] >= kHalf && vx < 0) || (e.posNow[0] <= -kHalf && vx > 0)) vx = -vx;
        if ((e.posNow[1] >= kHalf && vy < 0) || (e.posNow[1] <= -kHalf && vy > 0)) vy = -vy;
        AnimGameOverSetWordF(&e, kVelocityX, vx);
        AnimGameOverSetWordF(&e, kVelocityY, vy);
        e.rotNow[2] += AnimGameOverWordF(&e, kTurnZ) * f;
        e.rotNow[1] += AnimGameOverWordF(&e, kTurnY) * f;
        EngMathWrapAngle(&e.rotNow[2]);
        EngMathWrapAngle(&e.rotNow[1]);
      }
      if (Reached(static_cast<int32_t>(now), fx.phaseTimer)) s.phase = 3;
      break;
    default: {
      bool allHome = true;
      for (int i = 0; i < kN; ++i) {
        CardsAnimEntry& e = slot->entries[i];
        const bool placed =
            EngMiscMovePointTowards(&e.posNow[0], &e.posNow[1], &e.posNow[2], 0, 0, 0, 15 * f);
        const bool turned = EngMiscMovePointTowards(&e.rotNow[0], &e.rotNow[1], &e.rotNow[2], 0, 0,
                                                    0, kAnimGameOverPi / 2 * f);
        allHome = allHome && placed && turned;
      }
      if (allHome) s.phase = 0;
      break;
    }
  }
}

// ---- Effect 5: drift and waves -------------------------------------------------------------------

void AnimGameOverTick5() {
  AnimGameOverState& s = AnimGameOverGetState();
  AnimGameOverEffectState& fx = s.fx;
  CardsAnimSlot* slot = AnimGameOverSlot();
  if (!slot) return;
  const float f = AnimGameOverFrameTime();
  const CardsSettingsRecord& cards = CardsGetSettings();
  const bool first = s.phase == 0;
  auto k = [](int i) { return static_cast<float>(kN - 1 - i) / kN; };
  if (first) {
    fx.flipTimer = AnimGameOverTimer();
    fx.twistTimer = AnimGameOverTimer();
    fx.driftMode = 0;
    fx.driftPhase = fx.driftSpeed = fx.driftSize = fx.driftStrength = 0;
    fx.twistPhase = fx.twistSpeed = fx.twistSize = fx.twistAmplitude = 0;
    fx.turnAngle = fx.turnRate5 = fx.turnTarget = 0;
    for (int i = 0; i < kN; ++i) {
      CardsAnimEntry& e = slot->entries[i];
      float* target = AnimGameOverTarget(&e);
      float* targetRot = AnimGameOverTargetRot(&e);
      for (int axis = 0; axis < 3; ++axis) {
        e.posNow[axis] = target[axis] = 0;
        e.rotNow[axis] = targetRot[axis] = axis == 0 ? kAnimGameOverPi : 0;
      }
    }
    AnimGameOverTimerStart(&fx.flipTimer, static_cast<uint32_t>(Rand() % 2500), 0);
    AnimGameOverTimerStart(&fx.twistTimer, static_cast<uint32_t>(Rand() % 5000), 0);
    AnimSetCameraOverride(true);
  }
  if (first || fx.driftPhase >= kAnimGameOverPi) {
    if (fx.driftPhase >= kAnimGameOverPi) fx.driftPhase -= kAnimGameOverPi;
    fx.driftSpeed = AnimGameOverRir(0.2f, 0.5f);
    fx.turnTarget = AnimGameOverRir(0.1f, 1, true) * kAnimGameOverDegrees;
    fx.driftMode = Rand() % 4;
    const float* head = AnimGameOverTarget(&slot->entries[0]);
    const float* tail = AnimGameOverTarget(&slot->entries[kN - 1]);
    const bool outside = std::fabs(head[0]) > kHalf || std::fabs(head[1]) > kHalf ||
                         std::fabs(tail[0]) > kHalf || std::fabs(tail[1]) > kHalf;
    if (outside || !EngMiscRandBool(8)) {
      fx.driftMode = 4;
      fx.driftSpeed = 0.4f;
    }
    fx.driftSize = AnimGameOverRir(0.003f, 0.006f, true);
  }
  if (first || fx.twistPhase >= kAnimGameOverPi) {
    if (fx.twistPhase >= kAnimGameOverPi) fx.twistPhase -= kAnimGameOverPi;
    fx.twistSpeed = AnimGameOverRir(0.03f, 0.5f);
    fx.twistSize = AnimGameOverRir(100, 1000);
  }
  // The flip wave turns every card half a turn, one after another: two
  // waves about X, then two about Y.
  AnimGameOverTimer& flip = fx.flipTimer;
  if (AnimGameOverTimerIsRamping(&flip)) {
    AnimGameOverRampTick(&flip);
    for (int i = 0; i < kN; ++i) {
      float* targetRot = AnimGameOverTargetRot(&slot->entries[i]);
      const float d = AnimGameOverRampOffset(&flip, k(i));
      switch (flip.userWord) {
        case 0:
          targetRot[0] = (270 + 90 * d) * kAnimGameOverDegrees;
          break;
        case 1:
          targetRot[0] = (90 + 90 * d) * kAnimGameOverDegrees;
          break;
        case 2:
          targetRot[1] = (90 + 90 * d) * kAnimGameOverDegrees;
          break;
        default:
          targetRot[1] = (270 + 90 * d) * kAnimGameOverDegrees;
          break;
      }
    }
    if (flip.value > 2.1f) {
      AnimGameOverTimerStart(&flip, static_cast<uint32_t>(Rand() % 25000), (flip.userWord + 1) % 4);
    }
  } else if (AnimGameOverTimerExpired(&flip)) {
    AnimGameOverRampStart(&flip, -2.1f, AnimGameOverRir(0.02f, 0.3f));
  }
  AnimGameOverTimer& twist = fx.twistTimer;
  if (AnimGameOverTimerIsRamping(&twist)) {
    AnimGameOverRampTick(&twist);
    if (twist.value > 2) AnimGameOverTimerStart(&twist, static_cast<uint32_t>(Rand() % 1000), 0);
  } else if (AnimGameOverTimerExpired(&twist)) {
    AnimGameOverRampStart(&twist, -2, AnimGameOverRir(0.1f, 0.3f));
  }
  for (int i = 0; i < kN; ++i) {
    const float d = AnimGameOverRampOffset(&twist, k(i));
    AnimGameOverTargetRot(&slot->entries[i])[2] =
        -std::cos(d * kAnimGameOverPi) * fx.twistAmplitude * kAnimGameOverDegrees;
  }
  s.phase = 1;
  const float driftValue = EngMiscPulse(&fx.driftPhase, fx.driftSpeed * f) * fx.driftSize;
  const float twistValue = EngMiscPulse(&fx.twistPhase, fx.twistSpeed * f) * fx.twistSize;
  AnimGameOverBlend(&fx.turnRate5, fx.turnTarget, 0.17453292f * f);
  AnimGameOverBlend(&fx.driftStrength, driftValue, 0.17453292f * f);
  AnimGameOverStepTowards(&fx.twistAmplitude, twistValue, 30 * f);
  fx.turnAngle = std::fmod(fx.turnAngle + fx.turnRate5 * f, kAnimGameOverTwoPi);
  if (fx.turnAngle < 0) fx.turnAngle += kAnimGameOverTwoPi;
  const float w = cards.width, h = cards.height, v = 100 * f;
  for (int i = 0; i < kN; ++i) {
    CardsAnimEntry& e = slot->entries[i];
    float* target = AnimGameOverTarget(&e);
    const float angle = k(i) * kAnimGameOverPi + fx.turnAngle;
    const float sn = fx.driftStrength * std::sin(angle);
    const float cs = fx.driftStrength * std::cos(angle);
    switch (fx.driftMode) {
      case 0:
        target[0] += v * w * sn;
        target[1] += v * h * cs;
        break;
      case 1:
        target[0] += v * w * cs;
        target[1] += v * h * sn;
        break;
      case 2:
        target[0] += 1000 * v * w * sn * cs;
        target[1] += v * h * cs;
        break;
      case 3:
        target[0] += v * w * (sn + cs) / 2;
        target[1] += v * h * cs;
        break;
      default:
        AnimGameOverStepTowards(&target[0], 0, std::fabs(target[0]) * f);
        AnimGameOverStepTowards(&target[1], 0, std::fabs(target[1]) * f);
        break;
    }
    AnimGameOverBlendPoint(e.posNow, target, 0.3f);
    const float* targetRot = AnimGameOverTargetRot(&e);
    for (int axis = 0; axis < 3; ++axis) e.rotNow[axis] = targetRot[axis];
  }
}

// ---- Effect 6: two leaders ---------------------------------------------------------------------

void AnimGameOverTick6() {
  AnimGameOverState& s = AnimGameOverGetState();
  CardsAnimSlot* slot = AnimGameOverSlot();
  if (!slot) return;
  const float f = AnimGameOverFrameTime();
  if (s.phase == 0) {
    for (int i = 0; i < kN; ++i) {
      CardsAnimEntry& e = slot->entries[i];
      float* target = AnimGameOverTarget(&e);
      float* targetRot = AnimGameOverTargetRot(&e);
      for (int axis = 0; axis < 3; ++axis) {
        e.posNow[axis] = target[axis] = e.rotNow[axis] = targetRot[axis] = 0;
      }
      AnimGameOverSetWordF(&e, kLeaderVX, AnimGameOverRir(4, 10, true));
      AnimGameOverSetWordF(&e, kLeaderVY, AnimGameOverRir(4, 10, true));
      AnimGameOverSetWordF(&e, kWeight, static_cast<float>(i % 13) / 13 +
                                            0.2f * static_cast<float>(std::abs(i - 26)) + 0.2f);
    }
    AnimSetCameraOverride(true);
    s.phase = 1;
  } else {
    for (int i = 0; i < kN; ++i) {
      CardsAnimEntry& e = slot->entries[i];
      float* target = AnimGameOverTarget(&e);
      float* targetRot = AnimGameOverTargetRot(&e);
      const bool leader = i == kLeaderA || i == kLeaderB;
      const bool groupA = (i / 13) % 2 == 0;
      const float w = AnimGameOverWordF(&e, kWeight);
      if (leader) {
        float vx = AnimGameOverWordF(&e, kLeaderVX), vy = AnimGameOverWordF(&e, kLeaderVY);
        target[0] += vx * f;
        target[1] += vy * f;
        if (vx > 0 && target[0] > kHalf) vx = -AnimGameOverRir(4, 10);
        else if (vx < 0 && target[0] < -kHalf) vx = AnimGameOverRir(4, 10);
        if (vy > 0 && target[1] > kHalf) vy = -AnimGameOverRir(4, 10);
        else if (vy < 0 && target[1] < -kHalf) vy = AnimGameOverRir(4, 10);
        AnimGameOverSetWordF(&e, kLeaderVX, vx);
        AnimGameOverSetWordF(&e, kLeaderVY, vy);
      }
      // Each leader pushes the cards near it away (its own group gently);
      // every card is pulled back towards the centre.
      float push[2] = {0, 0};
      for (int which = 0; which < 2; ++which) {
        const int l = which == 0 ? kLeaderA : kLeaderB;
        const float* lp = slot->entries[l].posNow;
        const float d[2] = {target[0] - lp[0], target[1] - lp[1]};
        const float force = std::fmax(0.0f, kHalf - std::sqrt(d[0] * d[0] + d[1] * d[1]));
        push[which] = force;
        float g = leader ? 0.0f : 0.03f * w;
        if ((l == kLeaderA && groupA) || (l == kLeaderB && !groupA)) g *= 0.01f;
        for (int axis = 0; axis < 2; ++axis) {
          if (d[axis] != 0) target[axis] += g * force * 22 * f * d[axis];
        }
      }
      const float d[2] = {e.posNow[0], e.posNow[1]};
      const float pull = std::sqrt(d[0] * d[0] + d[1] * d[1]);
      const float g = leader ? 0.0f : -0.0004f * w;
      for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] != 0) target[axis] += g * pull * 22 * f * d[axis];
      }
      if (!leader) {
        const float m = std::fmax(push[0], push[1]);
        if (m <= 10) {
          AnimGameOverStepTowards(&targetRot[2], 0, 1.7453293f * f);
        } else if (push[1] >= push[0]) {
          targetRot[2] += 0.1f * m * 57.29578f * f;
        } else {
          targetRot[2] -= 0.1f * m * 57.29578f * f;
        }
      }
      target[2] = 0;
    }
  }
  for (int i = 0; i < kN; ++i) {
    CardsAnimEntry& e = slot->entries[i];
    AnimGameOverBlendPoint(e.posNow, AnimGameOverTarget(&e), f);
    AnimGameOverBlendPoint(e.rotNow, AnimGameOverTargetRot(&e), 0.0034906585f * f);
  }
}

// ---- Effect 7: snake ------------------------------------------------------------------------------

namespace {

void NewTurnDirections(CardsAnimEntry* e) {
  e->customWords[kTurnDirX] = Rand() % 2 - 1;
  e->customWords[kTurnDirZ] = Rand() % 3 - 1;
}

}  // namespace

void AnimGameOverTick7() {
  AnimGameOverState& s = AnimGameOverGetState();
  AnimGameOverEffectState& fx = s.fx;
  CardsAnimSlot* slot = AnimGameOverSlot();
  if (!slot) return;
  const float f = AnimGameOverFrameTime();
  if (s.phase == 0 || s.phase == 2) {
    fx.pathMode = Rand() % 2;
    fx.count = 0;
    fx.limit = Rand() % 30 + 10;
    for (int i = 0; i < kN; ++i) {
      CardsAnimEntry& e = slot->entries[i];
      if (s.phase == 0) {
        float* target = AnimGameOverTarget(&e);
        float* targetRot = AnimGameOverTargetRot(&e);
        for (int axis = 0; axis < 3; ++axis) {
          e.posNow[axis] = target[axis] = e.rotNow[axis] = targetRot[axis] = 0;
        }
        e.customWords[kDirX] = (Rand() % 2) * 2 - 1;
        e.customWords[kDirY] = (Rand() % 2) * 2 - 1;
        NewTurnDirections(&e);
      }
      AnimGameOverSetWordF(&e, kSpeedX, AnimGameOverRir(12, 30));
      AnimGameOverSetWordF(&e, kSpeedY, AnimGameOverRir(10, 20));
      AnimGameOverSetWordF(&e, kPulseX, AnimGameOverRir(0.05f, 0.8f));
      AnimGameOverSetWordF(&e, kPulseY, AnimGameOverRir(0.02f, 0.5f));
      AnimGameOverSetWordF(&e, kFollow, 0.9f);
    }
    AnimSetCameraOverride(true);
    s.phase = 1;
  }
  // The last card leads; every other card follows the card after it.
  CardsAnimEntry& lead = slot->entries[kN - 1];
  float* leadTarget = AnimGameOverTarget(&lead);
  if (fx.pathMode == 0) {
    for (int axis = 0; axis < 2; ++axis) {
      int32_t& dir = lead.customWords[axis == 0 ? kDirX : kDirY];
      const float speed = AnimGameOverWordF(&lead, axis == 0 ? kSpeedX : kSpeedY);
      leadTarget[axis] += static_cast<float>(dir) * speed * f;
      if ((dir > 0 && lead.posNow[axis] > kHalf) || (dir < 0 && lead.posNow[axis] < -kHalf)) {
        dir = -dir;
        lead.customWords[kTurnDirX] = Rand() % 2 - 1;
        ++fx.count;
        lead.customWords[kTurnDirZ] = Rand() % 3 - 1;
      }
    }
  } else {
    const float x = 60 * EngMiscPulse(&fx.xPhase, AnimGameOverWordF(&lead, kPulseX) * f) - kHalf;
    const float y = 60 * EngMiscPulse(&fx.yPhase, AnimGameOverWordF(&lead, kPulseY) * f) - kHalf;
    leadTarget[0] = lead.posNow[0] = x;
    leadTarget[1] = lead.posNow[1] = y;
    if (fx.xPhase < fx.previousXPhase) {
      NewTurnDirections(&lead);
      fx.count += 4;
    }
    fx.previousXPhase = fx.xPhase;
  }
  if (fx.count > fx.limit) s.phase = 2;
  lead.rotNow[0] = AnimGameOverWrap2Pi(
      lead.rotNow[0] + static_cast<float>(lead.customWords[kTurnDirX]) * 30 * kAnimGameOverDegrees * f);
  lead.rotNow[2] = AnimGameOverWrap2Pi(
      lead.rotNow[2] + static_cast<float>(lead.customWords[kTurnDirZ]) * 30 * kAnimGameOverDegrees * f);
  for (int i = 0; i < kN - 1; ++i) {
    CardsAnimEntry& e = slot->entries[i];
    const CardsAnimEntry& next = slot->entries[i + 1];
    const float follow = AnimGameOverWordF(&e, kFollow) * f * 0.1f;
    float* target = AnimGameOverTarget(&e);
    float* targetRot = AnimGameOverTargetRot(&e);
    for (int axis = 0; axis < 2; ++axis) {
      target[axis] = next.posNow[axis] - (next.posNow[axis] - e.posNow[axis]) * follow;
    }
    for (int axis : {0, 2}) {
      targetRot[axis] = next.rotNow[axis] - (next.rotNow[axis] - e.rotNow[axis]) * follow;
    }
  }
  for (int i = 0; i < kN; ++i) {
    CardsAnimEntry& e = slot->entries[i];
    AnimGameOverBlendPoint(e.posNow, AnimGameOverTarget(&e), 10 * f);
    if (i != kN - 1) AnimGameOverBlendPoint(e.rotNow, AnimGameOverTargetRot(&e), 5 * f);
  }
}
