// AnimGameOverLocal.h - the celebration's state and the helpers its effect
// files share (see AnimGameOver.h). Not for use outside the celebration.
#pragma once

#include <cstdint>
#include <cstring>

#include "Engine/EngTexture.h"
#include "Engine/EngTriangleList.h"
#include "Game/AnimGameOver.h"
#include "Game/CardsAnim.h"

constexpr float kAnimGameOverPi = 3.14159265358979f;
constexpr float kAnimGameOverTwoPi = 2 * kAnimGameOverPi;
constexpr float kAnimGameOverDegrees = kAnimGameOverPi / 180.0f;
constexpr float kAnimGameOverTableHalf = 30.0f;  // the table measures 60 x 60

// The effects' own values; each effect resets its part on its first tick.
struct AnimGameOverEffectState {
  // Effect 0: the shared drives (kept from one celebration to the next).
  float orbitDrive = 1, orbitDriveRate = 1, spinDrive = 1, spinDriveRate = 1;
  // Effect 1: path rates, their changes and the turn rates.
  float a = 0, b = 0, c = 0, da = 0, db = 0, dc = 0, ra = 0, rb = 0;
  // Effect 3.
  float turn = 0, turnRate = 0, flipAngle = 0, pulsePhase = 0, pulseSpeed = 0, pulseSize = 0,
        spiralSize = 0;
  int flipDirection = 0;
  // Effect 4: the phase timer.
  uint32_t phaseTimer = 0;
  // Effect 5.
  AnimGameOverTimer flipTimer, twistTimer;
  int driftMode = 0;
  float driftPhase = 0, driftSpeed = 0, driftSize = 0, driftStrength = 0;
  float twistPhase = 0, twistSpeed = 0, twistSize = 0, twistAmplitude = 0;
  float turnAngle = 0, turnRate5 = 0, turnTarget = 0;
  // Effect 7 (its phases kept from one celebration to the next).
  int pathMode = 0, count = 0, limit = 0;
  float xPhase = 0, yPhase = 0, previousXPhase = 0;
};

// One celebration (static). Start resets the fields marked "start"; the
// others carry over.
struct AnimGameOverState {
  int effect = -1;               // start; -1 none
  float speed = 0;               // start
  int phase = 0;                 // start: the running effect's phase
  float colourPhases[27] = {};   // start
  float colourSpeeds[27] = {};   // start
  int8_t lightsPhase = 0;        // start: 0 dimming, 1 brightening, 2-19 banner
  float fadeLevel = 1;           // start
  uint32_t stepTime = 0;         // engine ms of the last banner step
  float stepProgress = 0;        // start
  bool textShown = false;        // start
  bool lightsChanged = false;
  bool graphicsCreated = false;
  int titleToken = -1;
  char completionLine[128] = {};
  float scrollU = 0, scrollV = 0;
  float colours[9][4] = {};      // the background's vertex colours (alpha 1)
  float shade = 1, shadeRate = 1;
  int forcedEffect = -1;         // tests: the next effect
  EngTexture background;
  EngTriangleList mesh;
  AnimGameOverEffectState fx;
};

AnimGameOverState& AnimGameOverGetState();

// Per-card values in an entry's 12 custom words, as floats or integers.
inline float AnimGameOverWordF(const CardsAnimEntry* e, int i) {
  float value;
  std::memcpy(&value, &e->customWords[i], sizeof(value));
  return value;
}
inline void AnimGameOverSetWordF(CardsAnimEntry* e, int i, float value) {
  std::memcpy(&e->customWords[i], &value, sizeof(value));
}

// The entry's home point, target point and target rotations.
inline float* AnimGameOverHome(CardsAnimEntry* e) { return e->startPos; }
inline float* AnimGameOverTarget(CardsAnimEntry* e) { return e->endPos; }
inline float* AnimGameOverTargetRot(CardsAnimEntry* e) { return e->endRot; }

// The running celebration's slot (slot 0), or null when none is active.
CardsAnimSlot* AnimGameOverSlot();
// Frame time and engine clock.
float AnimGameOverFrameTime();
uint32_t AnimGameOverNow();
// RIR (a, b) and RIR (a, b, random sign).
float AnimGameOverRir(float a, float b, bool sign = false);
// The angle brought into 0 .. 2 pi by one subtraction or addition.
float AnimGameOverWrap2Pi(float angle);
