// AnimGameOverEffects.cpp - celebration effects 0 (rings), 1 (lissajous
// chain), 2 (tunnel) and 3 (spiral). Each runs every tick of the custom
// animation and never ends it (see AnimGameOver.h).
#include <cmath>

#include "Engine/Debug.h"
#include "Engine/EngMisc.h"
#include "Engine/EngRand.h"
#include "Game/AnimGameOverLocal.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GenRecord.h"

namespace {

constexpr int kN = kAnimGameOverNumCards;

// ---- Effect 0 words ----
enum : int { kRadiusX = 0, kRadiusY, kOrbitAngle, kOrbitFactor, kSpinFactor };
constexpr float kRingsHomeZ = 3.48f;    // 0.4 x the unscaled card height
constexpr float kRingsRiseZ = 13.92f;

// ---- Effect 1 words ----
enum : int { kStamp = 0, kAngleA, kAngleB, kAngleC };

// ---- Effect 2 words ----
enum : int { kLowerBound = 0, kSpin };

void ScaleTowards(CardsAnimEntry* e, float target, float amount) {
  for (float& s : e->scaleNow) AnimGameOverStepTowards(&s, target, amount);
}

uint32_t WordU(const CardsAnimEntry* e, int i) { return static_cast<uint32_t>(e->customWords[i]); }

}  // namespace

// ---- Effect 0: rings --------------------------------------------------------------------

void AnimGameOverTick0(int i, CardsAnimEntry* e) {
  AnimGameOverState& s = AnimGameOverGetState();
  AnimGameOverEffectState& fx = s.fx;
  CardsAnimSlot* slot = AnimGameOverSlot();
  if (!slot || !e) return;
  const float f = AnimGameOverFrameTime();
  const float step = e->speed * f * 3;
  float* home = AnimGameOverHome(e);
  float* targetRot = AnimGameOverTargetRot(e);
  switch (e->state) {
    case 0: {
      const float share = static_cast<float>(i % 26) / kN;
      const bool outer = i >= 26;
      AnimGameOverSetWordF(e, kRadiusX, outer ? 16.0f : -24.0f);
      AnimGameOverSetWordF(e, kRadiusY, outer ? 16.0f : 24.0f);
      AnimGameOverSetWordF(e, kOrbitAngle, 2 * kAnimGameOverTwoPi * share);
      AnimGameOverSetWordF(e, kOrbitFactor, outer ? 0.8f : 0.5f);
      AnimGameOverSetWordF(e, kSpinFactor, outer ? 1.2f : 2.5f);
      targetRot[0] = 0;
      targetRot[1] = outer ? 0 : kAnimGameOverPi;
      targetRot[2] = 2 * kAnimGameOverTwoPi * share;
      if (i <= 12) {
        targetRot[2] += kAnimGameOverPi;
        if (targetRot[2] > kAnimGameOverTwoPi) targetRot[2] -= kAnimGameOverTwoPi;
      }
      home[2] = kRingsHomeZ;
      e->state = 1;
      break;
    }
    case 1:
      // The cards leave in entry order, each once the one before it rose.
      if (i == 0) {
        e->t = 1;
        e->state = 2;
      } else if (slot->entries[i - 1].state >= 2) {
        e->t += 3 * step;
        if (e->t >= 1) {
          e->t = 1;
          e->state = 2;
        }
      }
      break;
    case 2:
      home[2] += (e->t - 1) * (kRingsRiseZ - home[2]);
      e->posNow[2] = home[2];
      e->t += 4 * step;
      if (e->t >= 2) {
        home[2] = kRingsHomeZ;
        e->state = 3;
      }
      break;
    case 3: {
      for (int axis = 0; axis < 3; ++axis) {
        if (std::fabs(e->rotNow[axis] - kAnimGameOverTwoPi - targetRot[axis]) <
            std::fabs(e->rotNow[axis] - targetRot[axis])) {
          e->rotNow[axis] -= kAnimGameOverTwoPi;
        }
      }
      const float b = e->t - 2;
      for (int axis = 0; axis < 3; ++axis) {
        e->posNow[axis] += (home[axis] - e->posNow[axis]) * b;
        e->rotNow[axis] += (targetRot[axis] - e->rotNow[axis]) * b;
      }
      e->t += 0.01f * step;
      if (e->t >= 3) e->state = 4;
      ScaleTowards(e, 0.8f, 1.1f * step);
      break;
    }
    default:
      ScaleTowards(e, 0.8f, 1.1f * step);
      for (int axis = 0; axis < 3; ++axis) {
        e->posNow[axis] = home[axis];
        e->rotNow[axis] = targetRot[axis];
      }
      break;
  }
  // Every state: the home point follows the orbit, and the two drives the
  // cards share advance (once per card, so 52 times a frame).
  const float a = AnimGameOverWordF(e, kOrbitAngle);
  home[0] = std::sin(a) * AnimGameOverWordF(e, kRadiusX);
  home[1] = std::cos(a) * AnimGameOverWordF(e, kRadiusY);
  if ((fx.orbitDriveRate > 0 && fx.orbitDrive > 10) ||
      (fx.orbitDriveRate < 0 && fx.orbitDrive < -10)) {
    fx.orbitDriveRate = -fx.orbitDriveRate;
  }
  fx.orbitDrive += fx.orbitDriveRate * 0.02f * f;
  if ((fx.spinDriveRate > 0 && fx.spinDrive > 2) || (fx.spinDriveRate < 0 && fx.spinDrive < 0.1f)) {
    fx.spinDriveRate = -fx.spinDriveRate;
  }
  fx.spinDrive += fx.spinDriveRate * 0.007f * f;
  AnimGameOverSetWordF(
      e, kOrbitAngle,
      AnimGameOverWrap2Pi(a + fx.orbitDrive * step * AnimGameOverWordF(e, kOrbitFactor) * 0.2f));
  targetRot[1] = AnimGameOverWrap2Pi(targetRot[1] + fx.spinDrive * AnimGameOverWordF(e, kSpinFactor) *
                                                        15 * step * kAnimGameOverDegrees);
}

// ---- Effect 1: lissajous chain ----------------------------------------------------------------

void AnimGameOverTick1() {
  AnimGameOverState& s = AnimGameOverGetState();
  AnimGameOverEffectState& fx = s.fx;
  CardsAnimSlot* slot = AnimGameOverSlot();
  if (!slot) return;
  const float f = AnimGameOverFrameTime();
  const uint32_t now = AnimGameOverNow();
  const CardsSettingsRecord& cards = CardsGetSettings();
  const CardGroup& deck = g_GenLive.deck;
  const int decks = g_GenLive.deckSize / 52 > 1 ? g_GenLive.deckSize / 52 : 1;
  if (s.phase == 0) {
    fx.a = AnimGameOverRir(0.2f, 2, true);
    fx.b = AnimGameOverRir(0.2f, 2, true);
    fx.c = AnimGameOverRir(2.5f, 4, true);
    fx.da = AnimGameOverRir(0.03f, 0.2f, true);
    fx.db = AnimGameOverRir(0.03f, 0.2f, true);
    fx.dc = AnimGameOverRir(0.03f, 0.2f, true);
    fx.ra = AnimGameOverRir(30, 70, true) * kAnimGameOverDegrees;
    fx.rb = AnimGameOverRir(90, 160, true) * kAnimGameOverDegrees;
    for (int i = 0; i < kN; ++i) {
      CardsAnimEntry& e = slot->entries[i];
      e.customWords[kStamp] = static_cast<int32_t>(now);
      e.posNow[0] = deck.pos[0];
      e.posNow[1] = deck.pos[1];
      e.posNow[2] = deck.pos[2] + static_cast<float>(g_GenLive.deckSize) * cards.depth;
    }
    s.phase = 1;
    return;
  }
  if (s.phase == 1) {
    // One tick: the scale drops to exactly 0.
    for (int i = 0; i < kN; ++i) {
      CardsAnimEntry& e = slot->entries[i];
      for (float& scale : e.scaleNow) {
        scale -= 1000 * f;
        if (scale < 0) {
          scale = 0;
          s.phase = 2;
        }
      }
    }
    return;
  }
  if (s.phase == 2) {
    for (int i = 0; i < kN; ++i) {
      CardsAnimEntry& e = slot->entries[i];
      for (int axis = 0; axis < 3; ++axis) {
        e.scaleNow[axis] += 0.1f * f;
        if (e.scaleNow[axis] > 1) {
          e.scaleNow[axis] = 1;
          if (axis == 0) s.phase = 3;
        }
      }
      e.posNow[0] = 0;
      e.posNow[1] = 0;
      e.posNow[2] = cards.halfHeight;
    }
  }
  AnimSetCameraOverride(true);
  for (int i = 0; i < kN; ++i) {
    CardsAnimEntry& e = slot->entries[i];
    float* target = AnimGameOverTarget(&e);
    float* centre = AnimGameOverHome(&e);
    switch (e.state) {
      case 0:
        // The cards leave from the last to the first, one every 90 ms.
        if (now - WordU(&e, kStamp) > static_cast<uint32_t>(kN - i) * 90) {
          e.customWords[kStamp] = static_cast<int32_t>(now);
          e.state = 1;
          for (int j = 0; j < i; ++j) {
            slot->entries[j].posNow[2] = deck.pos[2] + static_cast<float>(i) * cards.depth * decks;
          }
        }
        break;
      case 1:
        target[0] = 0;
        target[1] = 0;
        target[2] = cards.halfHeight;
        e.state = 2;
        break;
      case 2: {
        float moved[3];
        for (int axis = 0; axis < 3; ++axis) {
          moved[axis] = (target[axis] - e.posNow[axis]) / 10;
          e.posNow[axis] += moved[axis];
        }
        if (std::fabs(moved[0]) < 0.2f && std::fabs(moved[1]) < 0.2f) e.state = 3;
        break;
      }
      case 3:
        AnimGameOverSetWordF(&e, kAngleA, 0);
        AnimGameOverSetWordF(&e, kAngleB, 0);
        AnimGameOverSetWordF(&e, kAngleC, 3 * kAnimGameOverPi / 2);
        for (int axis = 0; axis < 3; ++axis) centre[axis] = e.posNow[axis];
        e.state = 4;
        break;
      default: {
        const float a = AnimGameOverWordF(&e, kAngleA) + fx.a * f;
        const float b = AnimGameOverWordF(&e, kAngleB) + fx.b * f;
        const float c = AnimGameOverWordF(&e, kAngleC) + fx.c * f;
        AnimGameOverSetWordF(&e, kAngleA, a);
        AnimGameOverSetWordF(&e, kAngleB, b);
        AnimGameOverSetWordF(&e, kAngleC, c);
        e.posNow[0] = centre[0] + 15 * std::sin(a);
        e.posNow[1] = centre[1] + 15.75f * std::sin(b);
        e.posNow[2] = centre[2] + 16 + 16 * std::sin(c);
        e.rotNow[1] += fx.ra * f;
        e.rotNow[2] += fx.rb * f;
        break;
      }
    }
  }
  fx.a += fx.da * f;
  fx.b += fx.db * f;
  fx.c += fx.dc * f;
  if ((fx.da > 0 && fx.a > 1.5f) || (fx.da < 0 && fx.a < -1.5f)) fx.da = -fx.da;
  if ((fx.db > 0 && fx.b > 1.5f) || (fx.db < 0 && fx.b < -1.5f)) fx.db = -fx.db;
  if ((fx.dc > 0 && fx.c > 2) || (fx.dc < 0 && fx.c < -2)) fx.dc = -fx.dc;
}

// ---- Effect 2: tunnel ---------------------------------------------------------------------------

void AnimGameOver3TickAllCB() {
  CardsAnimSlot* slot = AnimGameOverSlot();
  if (!slot) return;
  const float f = AnimGameOverFrameTime();
  const int n = slot->numCards;
  int restarts = 0;
  for (int i = 0; i < n; ++i) {
    CardsAnimEntry& e = slot->entries[i];
    switch (e.state) {
      case 0:
        e.posNow[2] = 300.0f / kN * static_cast<float>(i) + 150;
        AnimGameOverSetWordF(&e, kLowerBound, 0);
        e.state = 1;
        break;
      case 1:
        e.posNow[0] = AnimGameOverRir(0.02f * 60, 0.03f * 60, true);
        e.posNow[1] = AnimGameOverRir(0.02f * 60, 0.03f * 60, true);
        AnimGameOverSetWordF(&e, kSpin, AnimGameOverRir(0, 30, true) * kAnimGameOverDegrees);
        e.rotNow[2] = EngMiscRandFloat(360, false) * kAnimGameOverDegrees;
        e.state = 2;
        break;
      default: {
        const float depth = e.posNow[2];
        for (float& scale : e.scaleNow) scale = depth * 0.9f / 300;
        e.posNow[2] -= 10 * f;
        e.rotNow[2] += AnimGameOverWordF(&e, kSpin) * f;
        if (e.posNow[2] <= AnimGameOverWordF(&e, kLowerBound)) {
          e.posNow[2] += 300;
          if (i != 0) {
            DebugError("AnimGameOver3TickAllCB", "internal error");
            break;
          }
          // The nearest card goes to the back, keeping the entries sorted
          // by depth, and the pass starts again with the new first entry.
          e.state = 1;
          const CardsAnimEntry front = e;
          for (int j = 0; j + 1 < n; ++j) slot->entries[j] = slot->entries[j + 1];
          slot->entries[n - 1] = front;
          if (++restarts <= n) i = -1;
        }
        break;
      }
    }
  }
}

// ---- Effect 3: spiral ----------------------------------------------------------------------------

namespace {

// Deals the 52 cards anew: by rank (each rank of the four suits in turn)
// or by suit as at set-up.
void DealSpiralCards(CardsAnimSlot* slot) {
  static constexpr int kRankSuits[4] = {2, 3, 0, 1};
  static constexpr int kSetupSuits[4] = {0, 3, 2, 1};
  const bool byRank = EngRandCrtNext() % 2 == 0;
  for (int i = 0; i < kN; ++i) {
    Card& card = slot->entries[i].drawnCard;
    if (byRank) {
      card.SetSuitAndRank(kRankSuits[i % 4], 13 - i / 4);
    } else {
      card.SetSuitAndRank(kSetupSuits[i / 13], 13 - i % 13);
    }
  }
}

}  // namespace

void AnimGameOverTick3() {
  AnimGameOverState& s = AnimGameOverGetState();
  AnimGameOverEffectState& fx = s.fx;
  CardsAnimSlot* slot = AnimGameOverSlot();
  if (!slot) return;
  const float f = AnimGameOverFrameTime();
  const CardsSettingsRecord& cards = CardsGetSettings();
  const bool first = s.phase == 0;
  if (first) {
    fx.turn = fx.turnRate = fx.flipAngle = fx.pulsePhase = fx.pulseSpeed = fx.pulseSize = 0;
    fx.spiralSize = 0;
    fx.flipDirection = 0;
    for (int i = 0; i < kN; ++i) {
      CardsAnimEntry& e = slot->entries[i];
      e.posNow[0] = e.posNow[1] = e.posNow[2] = 0;
      e.rotNow[0] = 0;
    }
    AnimSetCameraOverride(true);
  }
  fx.turn += fx.turnRate * f;
  fx.spiralSize = EngMiscPulse(&fx.pulsePhase, fx.pulseSpeed * f) * fx.pulseSize;
  if (first || fx.pulsePhase >= kAnimGameOverTwoPi) {
    DealSpiralCards(slot);
    if (fx.pulsePhase >= kAnimGameOverTwoPi) fx.pulsePhase -= kAnimGameOverTwoPi;
    fx.pulseSpeed = AnimGameOverRir(0.1f, 0.2f);
    fx.pulseSize = AnimGameOverRir(3, 9);
    fx.spiralSize = EngMiscPulse(&fx.pulsePhase, fx.pulseSpeed * f) * fx.pulseSize;
    fx.turnRate = AnimGameOverRir(0, 2, true) * kAnimGameOverDegrees;
    fx.flipDirection = first ? 0 : (EngMiscRandBool(2) ? 0 : 1);
    s.phase = 1;
  }
  if (fx.flipDirection == 1) {
    fx.flipAngle = std::fmin(kAnimGameOverPi, fx.flipAngle + 20 * kAnimGameOverDegrees * f);
  } else {
    fx.flipAngle = std::fmax(0.0f, fx.flipAngle - 20 * kAnimGameOverDegrees * f);
  }
  const float p = fx.spiralSize;
  for (int i = 0; i < kN; ++i) {
    CardsAnimEntry& e = slot->entries[i];
    const float k = static_cast<float>(i + 1) / (kN + 2);
    const float angle = kAnimGameOverTwoPi * k * p;
    e.posNow[0] = std::sin(angle + fx.turn) * (kAnimGameOverTableHalf - cards.width) * p * 0.1f *
                  (k + 0.5f);
    e.posNow[1] = std::cos(angle + fx.turn) * (kAnimGameOverTableHalf - cards.height) * p * 0.1f *
                  (k + 0.5f);
    e.posNow[2] = 0;
    e.rotNow[2] = fx.flipDirection == 0 ? -angle : angle;
    e.rotNow[0] = fx.flipAngle;
  }
}
