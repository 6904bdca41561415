// AnimGameOver.cpp - the celebration: start, the fade-lights-banner clock,
// the render, the background graphics, the end, and the timer and blend
// helpers of the effects (see AnimGameOver.h).
#include "Game/AnimGameOver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Engine/Debug.h"
#include "Engine/EngColour.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngRand.h"
#include "Game/AnimGameOverLocal.h"
#include "Game/AnimSetup.h"
#include "Game/CardsRender.h"
#include "Game/CardsSettings.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/LoadCards.h"
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Game/GameState.h"
#include "Game/GenLights.h"
#include "Game/GenRender.h"
#include "Game/GenText.h"
#include "Game/SolCards.h"
#include "Game/UserRecord.h"

namespace {

constexpr char kBackgroundFile[] = "Data\\Main\\0150.dat";
constexpr uint32_t kBannerStepMs = 4000;
constexpr int kFirstBannerPhase = 2;
constexpr int kLastBannerPhase = 19;

AnimGameOverState g_over;

// The background mesh: grid points in the -1 .. 1 square, and the corner
// points of the eight triangles.
constexpr float kGridPoints[9][2] = {{-1, 1}, {0, 1}, {1, 1},  {1, 0}, {1, -1},
                                     {0, -1}, {-1, -1}, {-1, 0}, {0, 0}};
constexpr int kTriangles[8][3] = {{7, 0, 1}, {7, 1, 8}, {8, 1, 2}, {8, 2, 3},
                                  {6, 7, 8}, {6, 8, 5}, {5, 8, 3}, {5, 3, 4}};

// The effect's tick and card routines.
struct EffectRoutines {
  CardsAnimTickCB tick;
  CardsAnimCardCB card;
};
constexpr EffectRoutines kEffects[kAnimGameOverNumEffects] = {
    {nullptr, AnimGameOverTick0}, {AnimGameOverTick1, nullptr},
    {AnimGameOver3TickAllCB, nullptr}, {AnimGameOverTick3, nullptr},
    {AnimGameOverTick4, nullptr}, {AnimGameOverTick5, nullptr},
    {AnimGameOverTick6, nullptr}, {AnimGameOverTick7, nullptr}};

void EndCallback(int slot) { AnimGameOverEnd(slot); }

// The scene in the dark: card size factors 1, the Menu button, one point
// light above the table.
void SwitchSceneInTheDark() {
  SolCardsSetCardSize(1, 1, true);
  g_GameImports.MainMenuButtonShow(true);
  GenUseCelebrationLight();
  g_over.lightsChanged = true;
}

void DrawBanner() {
  AnimGameOverState& s = g_over;
  const int option = g_UserRecord.congratulations;
  if (!(option == 1 || (option == 2 && !s.textShown))) return;
  if (s.lightsPhase < 2 || s.lightsPhase > 9) return;
  const float f = AnimGameOverFrameTime();
  s.shade += 0.15f * s.shadeRate * f;
  if ((s.shadeRate > 0 && s.shade >= 0.9f) || (s.shadeRate < 0 && s.shade <= 0.8f)) {
    s.shadeRate = -s.shadeRate;
  }
  const int k = s.lightsPhase > 5 ? s.lightsPhase - 4 : s.lightsPhase;
  const float alpha = k == 2 ? s.stepProgress : k == 3 ? 1.0f : k == 4 ? 1 - s.stepProgress : 0.0f;
  EngDevice* device = EngDeviceGetCurrent();
  EngFont* font = GameGetFont();
  if (!device || !font) return;
  const char* text = s.lightsPhase <= 5 ? EngLanguagesGetFirstStringFromTokenNum(s.titleToken)
                                        : s.completionLine;
  if (!text) return;
  device->PrepareFor2D(true);
  EngFontPrepareForDrawingInOrientation(1);
  float ratioX = 1, ratioY = 1;
  font->GetRatio(&ratioX, &ratioY);
  font->SetRatio(2, 4);
  font->SetColour(0, 0, 0, alpha);
  font->DrawStringAligned(322, 34, 1, 1, text, false);
  font->SetColour(1, s.shade, s.shade, alpha);
  font->DrawStringAligned(320, 30, 1, 1, text, false);
  font->SetRatio(ratioX, ratioY);
  EngFontRestoreAfterDrawing();
  device->RestoreAfter2D();
}

void DrawBackground() {
  AnimGameOverState& s = g_over;
  EngDevice* device = EngDeviceGetCurrent();
  if (!device || !s.graphicsCreated) return;
  device->PrepareFor2D(true);
  const float u = s.scrollU, v = s.scrollV;
  for (int t = 0; t < 8; ++t) {
    if (t % 2 == 0) {
      s.mesh.SetTextureCoordinates(t, u, v, u, v + 3, u + 3, v + 3);
    } else {
      s.mesh.SetTextureCoordinates(t, u, v, u + 3, v + 3, u + 3, v);
    }
    for (int corner = 0; corner < 3; ++corner) {
      const float* c = s.colours[kTriangles[t][corner]];
      const EngColour colour = {c[0], c[1], c[2], c[3]};
      s.mesh.SetVertexColour(t, corner, &colour);
    }
  }
  s.mesh.Draw();
  device->RestoreAfter2D();
}

}  // namespace

AnimGameOverState& AnimGameOverGetState() { return g_over; }

CardsAnimSlot* AnimGameOverSlot() {
  CardsAnimSlot* slot = CardsAnimGetSlotToEdit(0);
  return slot && slot->active && slot->type == kCardsAnimTypeCustom ? slot : nullptr;
}

float AnimGameOverFrameTime() { return EngProgramGetFrameTime(); }
uint32_t AnimGameOverNow() { return EngProgramGetCurrentMilliseconds(); }

float AnimGameOverRir(float a, float b, bool sign) { return EngMiscRandFloatInRange(a, b, sign); }

float AnimGameOverWrap2Pi(float angle) {
  if (angle > kAnimGameOverTwoPi) return angle - kAnimGameOverTwoPi;
  if (angle < 0) return angle + kAnimGameOverTwoPi;
  return angle;
}

// ---- Start and end -------------------------------------------------------------------------

void AnimGameOverStart(float speed) {
  AnimGameOverState& s = g_over;
  for (int k = 0; k < 27; ++k) {
    s.colourPhases[k] = EngMiscRandFloat(kAnimGameOverTwoPi, false);
    s.colourSpeeds[k] = EngMiscRandFloatInRange(0.1f, 0.3f, true);
  }
  s.lightsPhase = 0;
  s.fadeLevel = 1;
  s.textShown = false;
  s.stepProgress = 0;
  const int effect = s.forcedEffect >= 0 ? s.forcedEffect % kAnimGameOverNumEffects
                                         : EngRandCrtNext() % kAnimGameOverNumEffects;
  s.speed = speed;
  if (!CardsSetupCustomAnimation(kAnimGameOverNumCards, speed, nullptr, kEffects[effect].tick,
                                 AnimGameOverSetupCard, kEffects[effect].card, EndCallback)) {
    // Without its cards a celebration would only dim the table and switch
    // its lights: the won table stays, and a click leads to the main menu.
    DebugError("AnimGameOverStart", "Could not start the celebration");
    s.effect = -1;
    return;
  }
  s.effect = effect;
  if (effect != 1) AnimSetCameraOverride(true);
  s.phase = 0;
  AnimGameOverCreateGraphics();
  GameSetNearView(1);
  s.titleToken = EngLanguagesGetTokenNum("Game_Congratulations");
  char line[sizeof(s.completionLine)];
  if (EngLanguagesGetStringWithParam("Game_GameCompleted", GenGetGameString(1, -1), line,
                                     sizeof(line))) {
    std::snprintf(s.completionLine, sizeof(s.completionLine), "%s", line);
  }
}

void AnimGameOverSetupCard(int index, CardsAnimEntry* entry) {
  if (!entry) return;
  std::memset(static_cast<void*>(entry), 0, sizeof(*entry));
  entry->posNow[0] = 0;
  entry->posNow[1] = 80;
  entry->posNow[2] = -100;
  entry->visible = 1;
  entry->speed = g_over.speed;
  float width = 1, height = 1, mean = 1;
  LoadCardsGetCardSizeFactors(&width, &height, &mean);
  entry->scaleNow[0] = width;
  entry->scaleNow[1] = height;
  entry->scaleNow[2] = mean;
  // Hearts, clubs, diamonds, spades, each from the king down to the ace.
  static constexpr int kSuits[4] = {0, 3, 2, 1};
  entry->drawnCard.Reset();
  entry->drawnCard.SetSuitAndRank(kSuits[(index / 13) % 4], 13 - index % 13);
  entry->drawnCard.faceUp = 0;
  entry->drawnCard.bothSides = 1;
}

void AnimGameOverEnd(int) {
  AnimGameOverState& s = g_over;
  if (CardsAnimIsAnimating()) CardsAnimFinish(0, false);
  AnimSetCameraOverride(false);
  if (s.lightsChanged) {
    GenApplyLights();
    s.lightsChanged = false;
  }
  s.effect = -1;
  g_GameImports.SoundStopMusic();
  AnimGameOverFreeGraphics();
  GameSetNearView(0);
}

bool AnimGameOverIsRunning() { return CardsAnimIsAnimating() && g_over.effect >= 0; }
int AnimGameOverGetEffect() { return g_over.effect; }
int AnimGameOverGetLightsPhase() { return g_over.lightsPhase; }
bool AnimGameOverIsTextShown() { return g_over.textShown; }
void AnimGameOverForceEffectForTests(int effect) { g_over.forcedEffect = effect; }

void AnimGameOverResetForTests() {
  AnimGameOverFreeGraphics();
  g_over.effect = -1;
  g_over.forcedEffect = -1;
  g_over.lightsChanged = false;
  g_over.shade = 1;
  g_over.shadeRate = 1;
  g_over.scrollU = g_over.scrollV = 0;
  g_over.fx = AnimGameOverEffectState();
}

// ---- The clock ---------------------------------------------------------------------------

bool AnimGameOverLightsTick() {
  AnimGameOverState& s = g_over;
  if (s.effect < 0) return false;
  const float f = AnimGameOverFrameTime();
  const uint32_t now = AnimGameOverNow();
  if (s.lightsPhase == 0) {
    s.fadeLevel -= 0.6f * f;
    if (s.fadeLevel <= 0) {
      s.fadeLevel = 0;
      s.lightsPhase = 1;
      SwitchSceneInTheDark();
    }
  } else if (s.lightsPhase == 1) {
    s.fadeLevel += 0.3f * f;
    if (s.fadeLevel >= 1) {
      s.fadeLevel = 1;
      s.stepTime = now;
      s.lightsPhase = kFirstBannerPhase;
    }
  } else {
    if (now - s.stepTime > kBannerStepMs) {
      s.lightsPhase = static_cast<int8_t>(s.lightsPhase >= kLastBannerPhase ? kFirstBannerPhase
                                                                            : s.lightsPhase + 1);
      s.stepTime = now;
    }
    // Clock times compare by unsigned difference, so a wrap of the clock
    // never makes the progress negative.
    s.stepProgress = std::min(1.0f, static_cast<float>(now - s.stepTime) / kBannerStepMs);
    if (s.stepProgress <= 0) {
      s.stepProgress = 0;
      if (s.lightsPhase > 5) s.textShown = true;
    }
  }
  return true;
}

// ---- Drawing --------------------------------------------------------------------------------

void AnimGameOverRender() {
  AnimGameOverState& s = g_over;
  if (s.effect < 0) return;
  const float f = AnimGameOverFrameTime();
  s.scrollU += 0.06f * f;
  s.scrollV += 0.07f * f;
  if (s.scrollU > 1) s.scrollU -= 1;
  if (s.scrollV > 1) s.scrollV -= 1;
  for (int k = 0; k < 27; ++k) {
    s.colours[k / 3][k % 3] = EngMiscPulse(&s.colourPhases[k], s.colourSpeeds[k] * f) * 0.5f + 0.2f;
    s.colours[k / 3][3] = 1;
  }
  if (s.lightsPhase >= 1) DrawBackground();
  // Cards are drawn in entry order, back to front (the tunnel keeps its
  // entries sorted by depth for this).
  EngDevice* device = EngDeviceGetCurrent();
  if (device) device->SuspendDepthTest();
  CardsBeginBlending();
  if (s.lightsPhase == 0) {
    MainRenderTableBoard();
    GenRenderPiles();
  } else {
    AnimRender();
  }
  CardsEndBlending();
  if (device) device->ResumeDepthTest();
  DrawBanner();
  g_GameImports.MainDrawMenuButton();
  if (s.lightsPhase <= 1) EngDimDraw(1 - s.fadeLevel);
}

void AnimGameOverCreateGraphics() {
  AnimGameOverState& s = g_over;
  if (s.graphicsCreated || !AnimGameOverIsRunning()) return;
  if (!s.background.LoadFromFile(kBackgroundFile, 0, 0)) {
    DebugError("AnimGameOverCreateGraphics", "Could not load <%s>", kBackgroundFile);
    return;
  }
  s.background.PositionRatioedInt(0, 0, 640, 480);
  if (!s.mesh.Create(5, &s.background, 8)) {
    DebugError("AnimGameOverCreateGraphics", "Could not create triangle list");
    s.background.Release();
    return;
  }
  for (int t = 0; t < 8; ++t) {
    const float* p0 = kGridPoints[kTriangles[t][0]];
    const float* p1 = kGridPoints[kTriangles[t][1]];
    const float* p2 = kGridPoints[kTriangles[t][2]];
    s.mesh.SetPositions(t, p0[0], p0[1], 0, p1[0], p1[1], 0, p2[0], p2[1], 0);
    if (t % 2 == 0) {
      s.mesh.SetTextureCoordinates(t, 0, 0, 0, 1, 1, 1);
    } else {
      s.mesh.SetTextureCoordinates(t, 0, 0, 1, 1, 1, 0);
    }
  }
  s.graphicsCreated = true;
}

void AnimGameOverFreeGraphics() {
  AnimGameOverState& s = g_over;
  if (!s.graphicsCreated) return;
  s.mesh.Destroy();
  s.background.Release();
  s.graphicsCreated = false;
}

// ---- Timers and blends ------------------------------------------------------------------

void AnimGameOverTimerStart(AnimGameOverTimer* timer, uint32_t durationMs, int32_t userWord) {
  timer->ramping = 0;
  timer->value = 0;
  timer->rate = 0;
  timer->userWord = userWord;
  timer->endTime = durationMs == 0 ? 0 : AnimGameOverNow() + durationMs;
}

bool AnimGameOverTimerExpired(const AnimGameOverTimer* timer) {
  if (timer->endTime == 0) return false;
  if (timer->ramping) return true;
  return static_cast<int32_t>(AnimGameOverNow() - timer->endTime) > 0;
}

bool AnimGameOverTimerIsRamping(const AnimGameOverTimer* timer) { return timer->ramping != 0; }

void AnimGameOverRampStart(AnimGameOverTimer* timer, float value, float rate) {
  timer->ramping = 1;
  timer->value = value;
  timer->rate = rate;
}

void AnimGameOverRampTick(AnimGameOverTimer* timer) {
  if (timer->ramping) timer->value += timer->rate * AnimGameOverFrameTime();
}

float AnimGameOverRampOffset(const AnimGameOverTimer* timer, float x) {
  if (!timer->ramping) return -1;
  return std::clamp(timer->value - x, -1.0f, 1.0f);
}

void AnimGameOverBlend(float* value, float target, float factor) {
  // A factor above 1 (a long frame times a fast rate) would overshoot the
  // target and swing further out each frame: it lands on the target.
  *value += (target - *value) * std::min(factor, 1.0f);
}

void AnimGameOverStepTowards(float* value, float target, float amount) {
  if (*value < target) {
    *value = std::min(target, *value + amount);
  } else if (*value > target) {
    *value = std::max(target, *value - amount);
  }
}

void AnimGameOverBlendPoint(float* point, const float* target, float factor) {
  for (int i = 0; i < 3; ++i) AnimGameOverBlend(&point[i], target[i], factor);
}
