// AnimGlue.cpp - the game's glue around the animation engine: finish
// callbacks, the start delay, the per-frame tick and render, the
// end-or-cancel hook and the card sounds.
#include "Engine/Debug.h"
#include "Engine/EngFrames.h"
#include "Engine/EngProgram.h"
#include "Engine/EngRand.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenAutoplay.h"
#include "Game/GenPiles.h"
#include "Game/GenSelection.h"
#include "Game/UserRecord.h"

namespace {

// Reset by AnimReset (every GenInit).
struct AnimState {
  GenStepCB finish = nullptr;      // called with (0, 0) when a move has finished
  GenStepCB postFinish = nullptr;  // called after it
  int skipFrames = 0;              // frames to hold back before the next tick
  double resumeTime = 0;           // program seconds before which ticks wait; 0 none
  bool cameraOverride = false;     // cards in flight drawn with camera preset 11
  float pauseLeft = 0;             // seconds a pause (AnimStartPause) still waits
};

AnimState g_anim;

int DealLaunchSound(CardsAnimEntry*, int) { return EngRandCrtNext() % 5 + 10; }
int MoveLaunchSound(CardsAnimEntry*, int) { return EngRandCrtNext() % 5 + 5; }
int LandingSound(CardsAnimEntry*, int) { return EngRandCrtNext() % 5; }

// The pause's one entry draws nothing; its tick counts the frames' time
// down and ends the slot, which runs the finish step.
void PauseEntry(int, CardsAnimEntry* entry) {
  entry->visible = 0;
  entry->drawnCard.hidden = 1;
}

void PauseTick() {
  g_anim.pauseLeft -= EngProgramGetFrameTime();
  if (g_anim.pauseLeft <= 0) CardsAnimFinish(0, true);
}

bool IsFoundation(const CardGroup* group) {
  return group && group->where >= kWhereFoundation &&
         group->where < kWhereFoundation + kGenMaxFoundations;
}

}  // namespace

void AnimInit() {
  CardsSetAnimSpeedScalePtr(&g_UserRecord.animSpeed);
  CardsRegisterOnEndOrCancelCB(0, AnimEndOrCancelCB);
  CardsAnimCancelAll();
}

void AnimReset() { g_anim = AnimState(); }

void AnimSetFinishCB(GenStepCB callback) {
  if (callback && g_anim.finish) {
    DebugError("AnimSetFinishCB", "Callback already specified - overwriting");
  }
  g_anim.finish = callback;
  CardsAnimSetEndCallback(0, AnimFinishCB);
}

void AnimSetPostFinishCB(GenStepCB callback) {
  if (callback && g_anim.postFinish) {
    DebugError("AnimSetPostFinishCB", "Callback already specified - overwriting");
  }
  g_anim.postFinish = callback;
  CardsAnimSetSecondEndCallback(0, callback ? AnimPostFinishCB : nullptr);
}

void AnimFinishCB(int) {
  g_GameImports.ScoreUpdateCurrentScore();
  if (g_anim.finish) {
    // One-shot: taken off before it runs, so a step it starts may set the
    // next one.
    GenStepCB finish = g_anim.finish;
    g_anim.finish = nullptr;
    finish(0, 0);
    g_GameImports.ScoreUpdateCurrentScore();
  }
}

void AnimPostFinishCB(int) {
  if (g_anim.postFinish) {
    GenStepCB postFinish = g_anim.postFinish;
    g_anim.postFinish = nullptr;
    postFinish(0, 0);
  }
}

void AnimEndOrCancelCB(int) {
  if (CardsAnimIsAnimating()) return;
  g_anim.finish = nullptr;
  g_anim.postFinish = nullptr;
  GenAfterMove();
  g_anim.cameraOverride = false;
  g_GameImports.ScoreUpdateCurrentScore();
  GenBuildPickupCandidates();
}

void AnimStopNow(bool quiet) {
  CardsAnimLandNow(0);
  GenCheckOk();
  CardsAnimFinish(0, !quiet);
  g_GameImports.ScoreUpdateCurrentScore();
  GenBuildPickupCandidates();
}

void AnimCancelAll() { CardsAnimCancelAll(); }

void AnimSetStartDelay() { g_anim.skipFrames = 3; }

void AnimTick() {
  double now = EngProgramGetCurrentSeconds();
  if (g_anim.skipFrames > 0) {
    // The held-back frames are counted in passes: they must come.
    --g_anim.skipFrames;
    g_anim.resumeTime = now + 0.2;
    EngFramesRequestTick();
    return;
  }
  if (g_anim.resumeTime != 0 && now < g_anim.resumeTime) {
    EngFramesWakeAt(g_anim.resumeTime);
    return;
  }
  g_anim.resumeTime = 0;
  const bool moving = CardsAnimIsAnimating() || AnimGameOverIsRunning();
  CardsAnimTickAll();
  AnimGameOverLightsTick();
  if (CardsAnimIsAnimating() || AnimGameOverIsRunning()) {
    EngFramesRequestDraw();
  } else if (moving) {
    // Come to rest in this tick: its frame shows where the cards landed. A
    // slow frame (a busy machine) may run a whole move in one tick, the
    // deal after its start delay among them, with no frame asked before.
    EngFramesRequestLastDraw();
  }
}

bool AnimHasWorkForTick() {
  return g_anim.skipFrames > 0 || g_anim.resumeTime != 0 || CardsAnimIsAnimating() || AnimGameOverIsRunning();
}

void AnimRender() {
  if (!g_anim.cameraOverride) {
    CardsAnimRenderAll();
    return;
  }
  GameCameraApplyPreset(kGameCameraFlyingCards);
  CardsAnimRenderAll();
  GameCameraApplyPreset(-1);
}

bool AnimIsAnimating() { return CardsAnimIsAnimating(); }
bool AnimIsDealAnimating() { return CardsAnimIsAnimating() && CardsAnimGetDealFlag(0) != 0; }
bool AnimHasFinishCB() { return CardsAnimHasEndCallback(0); }
bool AnimHasPostFinishCB() { return CardsAnimHasSecondEndCallback(0); }
bool AnimIsFinishCBSet() { return g_anim.finish != nullptr; }
bool AnimIsPostFinishCBSet() { return g_anim.postFinish != nullptr; }
void AnimClearStartDelay() {
  g_anim.skipFrames = 0;
  g_anim.resumeTime = 0;
}
bool AnimStartPause(float seconds, GenStepCB then) {
  if (!(seconds > 0)) {
    if (then) then(0, 0);
    return true;
  }
  g_anim.pauseLeft = seconds;
  if (!CardsSetupCustomAnimation(1, 1.0f, nullptr, PauseTick, PauseEntry, nullptr, nullptr)) {
    return false;
  }
  AnimSetFinishCB(then);
  return true;
}
void AnimSetCameraOverride(bool on) { g_anim.cameraOverride = on; }
bool AnimGetCameraOverride() { return g_anim.cameraOverride; }

void AnimSetSounds(bool deal) {
  CardsAnimSetSoundsForAllCardsCB(deal ? DealLaunchSound : MoveLaunchSound, LandingSound);
}

void AnimSetSoundsChoice(bool launch, bool landing) {
  CardsAnimSetSoundsForAllCardsCB(launch ? MoveLaunchSound : nullptr,
                                  landing ? LandingSound : nullptr);
}

void AnimCardSoundCB(int sound, CardGroup* source, Card*, CardGroup* target, Card* targetCard,
                     bool start) {
  if (start || !source || !target) {
    g_GameImports.SoundPlaySample(sound);
    return;
  }
  if (!GenCurGameDef().foundationLandingEffects || !IsFoundation(target)) {
    g_GameImports.SoundPlaySample(sound);
    return;
  }
  int option = g_UserRecord.foundationSoundEffect;
  if (option == 2 || option == 3) {
    g_GameImports.SoundPlayFoundationSound(targetCard ? targetCard->rank : 1);
  } else {
    g_GameImports.SoundPlaySample(sound);
  }
  if ((option == 1 || option == 3) && targetCard) {
    // At the landing card, a burst a little larger than a card.
    const float position[3] = {targetCard->pos[0] + target->pos[0],
                               targetCard->pos[1] + target->pos[1],
                               targetCard->pos[2] + target->pos[2]};
    const float scale[3] = {1.4f * CardsGetCardWidth(), 1.4f * CardsGetCardHeight(), 1};
    g_GameImports.FoundationEffectsAdd(position, scale);
  }
}
