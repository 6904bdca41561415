// AnimGameOver.h - the end-of-game celebration.
//
// A won game (after-win choice 0) starts a celebration: the table fades to
// black; in the dark the scene switches to a single point light, the Menu
// button appears and the card size factors become 1; the view fades back in
// on a scrolling, colour-cycling background over which 52 fresh cards move
// by one of eight effects picked at random, while a banner shows a
// congratulation title and a line naming the game. The cards run as a
// custom animation in card-animation slot 0 with the animation layer's
// camera override (preset 11) and the shell's near view. No effect ends by
// itself: the celebration lasts until the player deals again or leaves.
//
// Per frame: the card animations tick (which runs the effect), then
// AnimGameOverLightsTick (the fade, lights and banner clock); the game's
// render draws AnimGameOverRender instead of the table while it runs.
//
//   none (effect -1) -> running (AnimGameOverStart) -> none (AnimGameOverEnd)
//   lights phase: 0 dimming -> 1 brightening -> 2 .. 19 banner cycle -> 2 ...
//
// A start the animation engine refuses (an animation already on) is
// reported and leaves no celebration: the won table stays and a click
// leads to the main menu.
//
// State (AnimGameOverState in AnimGameOverLocal.h): one celebration record,
// static; a few of its fields carry over from one celebration to the next
// (banner shade, effect 0's drives, effect 7's phases, the scroll offsets).
// Files: AnimGameOver.cpp (start, lights, render, end, timers),
// AnimGameOverEffects.cpp (effects 0-3), AnimGameOverEffects2.cpp (4-7).
#pragma once

#include <cstdint>

struct CardsAnimEntry;

constexpr int kAnimGameOverNumCards = 52;
constexpr int kAnimGameOverNumEffects = 8;

// The timer-and-ramp record of effect 5.
struct AnimGameOverTimer {
  uint8_t ramping = 0;
  float value = 0;
  float rate = 0;           // per second
  uint32_t endTime = 0;     // engine milliseconds; 0 = never expires
  int32_t userWord = 0;
};

// ---- The celebration ----------------------------------------------------------------
void AnimGameOverStart(float speed);
// The custom animation's card set-up callback.
void AnimGameOverSetupCard(int index, CardsAnimEntry* entry);
// Fade, lights and banner clock; false when no effect is set.
bool AnimGameOverLightsTick();
// Draws the celebration; nothing when no effect is set.
void AnimGameOverRender();
// The background picture and its mesh, while a celebration runs.
void AnimGameOverCreateGraphics();
void AnimGameOverFreeGraphics();
// A card animation runs and an effect is set.
bool AnimGameOverIsRunning();
// Ends the celebration (the custom animation's end callback; also New and
// Exit): the slot finished, camera override off, lights back, music
// stopped, graphics freed, the near view off.
void AnimGameOverEnd(int slot);
// The effect number (-1 none), the lights phase and related read-outs.
int AnimGameOverGetEffect();
int AnimGameOverGetLightsPhase();
bool AnimGameOverIsTextShown();
// Starts the next celebration with this effect (-1: at random).
void AnimGameOverForceEffectForTests(int effect);
void AnimGameOverResetForTests();

// ---- The effects' routines ----------------------------------------------------------
void AnimGameOverTick0(int index, CardsAnimEntry* entry);
void AnimGameOverTick1();
void AnimGameOver3TickAllCB();
void AnimGameOverTick3();
void AnimGameOverTick4();
void AnimGameOverTick5();
void AnimGameOverTick6();
void AnimGameOverTick7();

// ---- Timers and blends ----------------------------------------------------------------
void AnimGameOverTimerStart(AnimGameOverTimer* timer, uint32_t durationMs, int32_t userWord);
bool AnimGameOverTimerExpired(const AnimGameOverTimer* timer);
bool AnimGameOverTimerIsRamping(const AnimGameOverTimer* timer);
void AnimGameOverRampStart(AnimGameOverTimer* timer, float value, float rate);
void AnimGameOverRampTick(AnimGameOverTimer* timer);
// While ramping: value - x clamped to -1 .. 1; -1 when not ramping.
float AnimGameOverRampOffset(const AnimGameOverTimer* timer, float x);
// value += (target - value) x factor (a factor above 1 counts as 1).
void AnimGameOverBlend(float* value, float target, float factor);
// Moves towards target by amount, stopping exactly at it.
void AnimGameOverStepTowards(float* value, float target, float amount);
void AnimGameOverBlendPoint(float* point, const float* target, float factor);
