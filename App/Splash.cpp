// Splash.cpp - the splash panel (see Splash.h).
//
// The sparkles: one particle system of at most 50 particles that emits one
// particle at least 0.02767 s apart on a circle about the panel's centre,
// each growing brighter over its life of about 1.5 s while the ring turns
// slowly; re-created whenever its last particle has died. It is drawn in
// the 2D pass through a world matrix that maps its own units onto the panel
// (the ring's radius, about 2 units, reaches the panel's edge).
#include "App/Splash.h"

#include <cstdio>
#include <cstring>

#include "App/FoundationEffects.h"
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngFont.h"
#include "Engine/EngFrames.h"
#include "Engine/EngParticles.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"

namespace {

constexpr int kNameSize = 128;
constexpr float kDefaultRect[4] = {200, 115, 240, 250};
constexpr float kFadeInMs = 1600.0f;
constexpr unsigned kShownMs = 2000;
constexpr float kFadeOutMs = 1500.0f;
constexpr float kFirstUpdateSeconds = 0.1f;
// One unit of the sparkles' system is a quarter of the panel's width.
constexpr float kEffectUnitsAcross = 4.0f;
// The frames a second the shown panel is drawn at: its sparkles drift a few
// pixels a frame at this rate and twinkle over a second and a half.
constexpr int kShownFramesPerSecond = 20;

enum SplashPhase { kFadingIn = 1, kShown = 2, kFadingOut = 3, kEnding = 4 };

struct SplashPanel {
  bool setUp = false;
  bool on = false;
  int state = kFadingIn;
  float alpha = 0;
  char pictures[4][kNameSize] = {};
  int pictureCount = 0;
  char effectFile[kNameSize] = {};
  char extraFile[kNameSize] = {};
  char soundFile[kNameSize] = {};
  EngTexture pictureTextures[4];
  EngTexture effectTexture;
  EngTexture extraTexture;
  EngFont* font = nullptr;
  float textScale[2] = {1.3f, 1.2f};
  SplashTextCB textCallback = nullptr;
  SplashEndCB endCallback = nullptr;
  SplashStopCB stopCallback = nullptr;
  float rect[4] = {kDefaultRect[0], kDefaultRect[1], kDefaultRect[2], kDefaultRect[3]};
  int highlightPhase = 0;  // 0 off, 1 growing, 2 done
  float highlightScale = 0, highlightAlpha = 0;
  EngParticleSystem effect = {};
  EngParticleSystemParams effectParams = {};
  float effectAge = 0;
  bool stampTaken = false;
  unsigned stateSince = 0;  // engine milliseconds
  EngFramesArea sparklesDrawn;  // where the sparkles were last drawn
};

SplashPanel& Panel() {
  static SplashPanel panel;
  return panel;
}

unsigned NowMs() { return EngProgramGetCurrentMilliseconds(); }

// A new time stamp for the state now starting.
void StampState() {
  Panel().stateSince = NowMs();
  Panel().stampTaken = true;
}

// Unsigned difference: correct across the clock's wrap.
unsigned ElapsedMs() { return NowMs() - Panel().stateSince; }

// Checks one file name of the set-up: under 128 characters and existing.
bool NameOk(const char* name, const char* what) {
  const char* where = "Spash Setup";
  if (std::strlen(name) >= static_cast<std::size_t>(kNameSize)) {
    DebugError(where, "%s filename too long (%s)", what, name);
    return false;
  }
  if (!EngFileExists(name)) {
    DebugError(where, "%s does not exist (%s)", what, name);
    return false;
  }
  return true;
}

// The sparkles' values: the foundation burst's set-up with the splash's own.
bool SetupEffectParameters(EngParticleSystemParams* record, EngTexture* texture) {
  if (!FoundationEffectsSetupParameters(100, 1.0f, texture, record)) return false;
  record->firstEmission = 1;
  record->laterEmission = 1;
  record->emissionMode = kEngParticlesUpdateAndEmit;
  record->emissionRate = 0;
  record->minEmissionInterval = 0.02767f;
  record->lifeMin = record->lifeMax = 1.51335f;
  record->spreadFactor = 0.73801f;
  record->shapeMin = -0.88835f;
  record->shapeMax = 0.56796f;
  record->shape = 2;
  record->startSize = 1.0f;
  record->endSize = 1.0f;
  record->startAlpha = 0.29126f;
  record->endAlpha = 1.45631f;
  record->startColour[0] = 0.85f, record->startColour[1] = 0.92f, record->startColour[2] = 1.0f;
  record->endColour[0] = 1.0f, record->endColour[1] = 1.0f, record->endColour[2] = 1.0f;
  record->speed = 0.05f;
  // The ring turns slowly about the panel's centre.
  record->orbit = EngMathRange{0, 0, 0, 0, 0.35f, 0.35f};
  return true;
}

void ReleaseEffect() { EngParticleSystemRelease(&Panel().effect); }

bool CreateEffect() {
  SplashPanel& p = Panel();
  if (!SetupEffectParameters(&p.effectParams, &p.effectTexture)) return false;
  if (!FoundationEffectsCreate(true, true, &p.effectParams, &p.effect)) return false;
  p.effectAge = kFirstUpdateSeconds;
  return true;
}

void TickEffect() {
  SplashPanel& p = Panel();
  if (!p.effect.created) return;
  p.effectAge += EngProgramGetFrameTime();
  if (EngParticleSystemUpdate(&p.effect, p.effectAge, false) == 0) CreateEffect();
}

// Where the sparkles are drawn now: their system's square mapped onto the
// panel as DrawEffect maps it (y up in the system, down on the screen).
EngFramesArea SparklesArea() {
  const SplashPanel& p = Panel();
  float left = 0, bottom = 0, right = 0, top = 0;
  if (!p.effect.created || !EngParticleSystemBounds(&p.effect, &left, &bottom, &right, &top)) return EngFramesArea();
  const float cx = p.rect[0] + p.rect[2] / 2, cy = p.rect[1] + p.rect[3] / 2;
  const float unit = p.rect[2] / kEffectUnitsAcross;
  return EngFramesAreaOfVirtual(cx + left * unit, cy - top * unit, (right - left) * unit, (top - bottom) * unit);
}

// Where the shown panel changes on the screen: the sparkles where they were
// drawn and where they are, the growing highlight, the text line when there
// is one.
EngFramesArea ChangingArea() {
  const SplashPanel& p = Panel();
  EngFramesArea area = EngFramesUnion(p.sparklesDrawn, SparklesArea());
  if (p.highlightPhase == 1) {
    area = EngFramesUnion(area, EngFramesAreaOfVirtual(p.rect[0], p.rect[1], p.rect[2], p.rect[3] / 2));
  }
  if (p.textCallback) area = EngFramesUnion(area, EngFramesAreaOfVirtual(0, 420, 640, 60));
  return area;
}

// The picture cells: one picture fills the panel; more share it as a 2 x 2
// grid of half-size cells.
void CellOf(int index, float* cell) {
  const SplashPanel& p = Panel();
  if (p.pictureCount <= 1) {
    for (int k = 0; k < 4; ++k) cell[k] = p.rect[k];
    return;
  }
  const float w = p.rect[2] / 2, h = p.rect[3] / 2;
  cell[0] = p.rect[0] + static_cast<float>(index % 2) * w;
  cell[1] = p.rect[1] + static_cast<float>(index / 2) * h;
  cell[2] = w;
  cell[3] = h;
}

void DrawPictures() {
  SplashPanel& p = Panel();
  for (int i = 0; i < p.pictureCount; ++i) {
    EngTexture& t = p.pictureTextures[i];
    if (!t.IsLoaded()) continue;
    float cell[4];
    CellOf(i, cell);
    t.DrawPositionRatioed(cell[0], cell[1], cell[2], cell[3]);
  }
}

void DrawText() {
  SplashPanel& p = Panel();
  if (!p.textCallback || !p.font || !p.font->IsValid()) return;
  const char* text = p.textCallback();
  if (!text || !*text) return;
  float ratioX = 1, ratioY = 1;
  p.font->GetRatio(&ratioX, &ratioY);
  p.font->SetRatio(p.textScale[0], p.textScale[1]);
  p.font->SetColour(1, 1, 1, 1);
  p.font->DrawStringAligned(320, 450, 1, 0, text, true);
  p.font->SetRatio(ratioX, ratioY);
}

// The sparkles in the 2D pass: the system's units mapped onto the panel in
// the device's clip space (x and y from -1 to 1, y up).
void DrawEffect(EngDevice* device) {
  SplashPanel& p = Panel();
  if (!p.effect.created) return;
  const float cx = p.rect[0] + p.rect[2] / 2, cy = p.rect[1] + p.rect[3] / 2;
  const float unit = p.rect[2] / kEffectUnitsAcross;
  device->PushTransformMatrix();
  device->SetWorldTranslationAndScale(cx / 320.0f - 1.0f, 1.0f - cy / 240.0f, 0, unit / 320.0f,
                                      unit / 240.0f, 1);
  FoundationEffectsRender(&p.effect);
  device->PopTransformMatrix();
}

// The highlight band across the upper part of the panel, one cell wide and
// three eighths of a cell tall at full scale; only with its picture.
void DrawHighlight() {
  SplashPanel& p = Panel();
  if (p.highlightPhase == 0 || !p.extraTexture.IsLoaded()) return;
  float cell[4];
  CellOf(0, cell);
  const float w = cell[2] * p.highlightScale, h = cell[3] * 0.375f * p.highlightScale;
  const float cx = p.rect[0] + p.rect[2] / 2, cy = p.rect[1] + cell[3] * 0.25f;
  p.extraTexture.SetColour(1, 1, 1, p.highlightAlpha);
  p.extraTexture.DrawPositionRatioed(cx - w / 2, cy - h / 2, w, h);
}

}  // namespace

bool SplashSetup(const char* picture1, const char* picture2, const char* picture3,
                 const char* picture4, const char* effectTexture, const char* extraPicture,
                 const char* soundFile, EngFont* font, float textScaleX, float textScaleY,
                 SplashTextCB textCallback, SplashEndCB endCallback, SplashStopCB stopCallback) {
  if (!picture1) {
    DebugError("Spash Setup", "Parameter error");
    return false;
  }
  const char* pictures[4] = {picture1, picture2, picture3, picture4};
  static const char* const kWhat[4] = {"Tex 1", "Tex 2", "Tex 3", "Tex 4"};
  for (int i = 0; i < 4; ++i) {
    if (pictures[i] && !NameOk(pictures[i], kWhat[i])) return false;
  }
  if (effectTexture && !NameOk(effectTexture, "Effect Tex")) return false;
  if (soundFile) {
    if (std::strlen(soundFile) >= static_cast<std::size_t>(kNameSize)) {
      DebugError("Spash Setup", "Sound Tex filename too long (%s)", soundFile);
      return false;
    }
    if (!EngFileExists(soundFile)) {
      DebugError("Spash Setup", "Sound file does not exist (%s)", soundFile);
      return false;
    }
  }
  SplashPanel& p = Panel();
  p.pictureCount = 0;
  for (int i = 0; i < 4; ++i) {
    p.pictures[i][0] = '\0';
    if (!pictures[i]) continue;
    std::snprintf(p.pictures[p.pictureCount++], kNameSize, "%s", pictures[i]);
  }
  std::snprintf(p.effectFile, kNameSize, "%s", effectTexture ? effectTexture : "");
  std::snprintf(p.extraFile, kNameSize, "%s", extraPicture ? extraPicture : "");
  std::snprintf(p.soundFile, kNameSize, "%s", soundFile ? soundFile : "");
  p.font = font;
  if (textScaleX > 0) p.textScale[0] = textScaleX;
  if (textScaleY > 0) p.textScale[1] = textScaleY;
  p.textCallback = textCallback;
  p.endCallback = endCallback;
  p.stopCallback = stopCallback;
  p.setUp = true;
  return true;
}

void SplashSetRect(float x, float y, float w, float h) {
  SplashPanel& p = Panel();
  if (w <= 0) {
    for (int k = 0; k < 4; ++k) p.rect[k] = kDefaultRect[k];
    return;
  }
  p.rect[0] = x;
  p.rect[1] = y;
  p.rect[2] = w;
  p.rect[3] = h;
}

bool SplashStart() {
  const char* where = "SplashStart";
  SplashPanel& p = Panel();
  if (!p.setUp) {
    DebugError(where, "Splash not setup");
    return false;
  }
  if (p.on) {
    DebugError(where, "Splash is already on");
    return false;
  }
  if (!EngDeviceGetCurrent()) {
    DebugError(where, "No device");
    return false;
  }
  p.on = true;
  p.state = kFadingIn;
  p.alpha = 0;
  p.highlightPhase = 0;
  p.highlightScale = p.highlightAlpha = 0;
  p.stampTaken = false;
  if (!SplashCreateGraphics()) {
    DebugError(where, "Could not load textures");
    p.on = false;
    return false;
  }
  // A panel cancelled earlier may still hold its sparkles: they go before
  // the record is made afresh.
  ReleaseEffect();
  if (p.effectFile[0]) {
    std::memset(&p.effectParams, 0, sizeof p.effectParams);
    if (!CreateEffect()) p.effectTexture.Release();
  }
  return true;
}

bool SplashTick() {
  SplashPanel& p = Panel();
  if (!p.on || !EngDeviceGetCurrent()) return false;
  if (!p.stampTaken) StampState();
  TickEffect();
  switch (p.state) {
    case kFadingIn: {
      float alpha = static_cast<float>(ElapsedMs()) / kFadeInMs - 0.5f;
      if (alpha < 0) alpha = 0;
      if (alpha > 1) {
        p.state = kShown;
        p.alpha = 1;
        StampState();
      } else {
        p.alpha = alpha;
      }
      if (p.highlightPhase == 0 && p.alpha > 0.2f) {
        p.highlightPhase = 1;
        p.highlightScale = 0.3f;
        p.highlightAlpha = 0;
      }
      break;
    }
    case kShown: {
      const unsigned shown = ElapsedMs();
      if (p.endCallback ? p.endCallback(shown) : shown > kShownMs) {
        p.state = kFadingOut;
        StampState();
      }
      break;
    }
    case kFadingOut: {
      p.alpha = 1.0f - static_cast<float>(ElapsedMs()) / kFadeOutMs;
      if (p.alpha <= 0) {
        p.alpha = 0;
        p.state = kEnding;
      }
      break;
    }
    case kEnding:
      SplashStop();
      EngFramesRequestDraw();
      return false;
    default:
      break;
  }
  // The fades dim the whole screen; the shown panel changes in its square.
  if (p.state == kShown) {
    EngFramesRequestDrawArea(ChangingArea(), kShownFramesPerSecond);
  } else {
    EngFramesRequestDraw();
  }
  if (p.highlightPhase == 1) {
    const float frame = EngProgramGetFrameTime();
    p.highlightAlpha += 2 * frame;
    if (p.highlightAlpha > 1) p.highlightAlpha = 1;
    if (p.highlightScale + frame >= 0.9f) {
      p.highlightScale = 0.9f;
      p.highlightPhase = 2;
    } else {
      p.highlightScale += frame;
    }
  }
  return p.on;
}

bool SplashRender(int) {
  SplashPanel& p = Panel();
  EngDevice* device = EngDeviceGetCurrent();
  if (!p.on || !device) return false;
  device->PrepareFor2D(true);
  device->SaveOrRestoreBlendingState(true);
  device->EnableBlendingType(0);
  DrawPictures();
  DrawHighlight();
  device->SaveOrRestoreBlendingState(false);
  DrawEffect(device);  // with its own blending
  p.sparklesDrawn = SparklesArea();
  device->RestoreAfter2D();
  DrawText();
  if (p.alpha < 1) EngDimDraw(1.0f - p.alpha);
  return true;
}

bool SplashIsOn() { return Panel().on; }

void SplashSkipFadeIn() {
  SplashPanel& p = Panel();
  p.state = kShown;
  p.alpha = 1;
  StampState();
}

void SplashStop() {
  SplashPanel& p = Panel();
  ReleaseEffect();
  SplashFreeGraphics();
  p.on = false;
  if (p.stopCallback) p.stopCallback();
}

void SplashCancel() {
  SplashFreeGraphics();
  Panel().on = false;
}

bool SplashCreateGraphics() {
  SplashPanel& p = Panel();
  if (!p.on) return true;
  bool ok = true;
  for (int i = 0; i < p.pictureCount; ++i) {
    if (!p.pictureTextures[i].IsLoaded() && !p.pictureTextures[i].LoadFromFile(p.pictures[i], 1, 2)) {
      ok = false;
    }
  }
  if (p.extraFile[0] && !p.extraTexture.IsLoaded()) p.extraTexture.LoadFromFile(p.extraFile, 1, 2);
  if (p.effectFile[0] && !p.effectTexture.IsLoaded() && !p.effectTexture.LoadFromFile(p.effectFile, 1, 2)) {
    ok = false;
  }
  // The running sparkles draw with the texture as it is now.
  if (p.effect.created) p.effect.params.texture = p.effectTexture.IsLoaded() ? &p.effectTexture : nullptr;
  return ok;
}

void SplashFreeGraphics() {
  SplashPanel& p = Panel();
  for (EngTexture& t : p.pictureTextures) t.Release();
  p.extraTexture.Release();
  p.effectTexture.Release();
  if (p.effect.created) p.effect.params.texture = nullptr;
}

SplashStateForTests SplashGetStateForTests() {
  const SplashPanel& p = Panel();
  return SplashStateForTests{p.on, p.state, p.alpha, p.highlightPhase, p.highlightScale,
                             p.highlightAlpha, {p.rect[0], p.rect[1], p.rect[2], p.rect[3]}};
}

const EngParticleSystem* SplashGetEffectForTests() { return &Panel().effect; }

void SplashResetForTests() {
  SplashPanel& p = Panel();
  ReleaseEffect();
  SplashFreeGraphics();
  p.setUp = false;
  p.on = false;
  p.state = kFadingIn;
  p.alpha = 0;
  p.pictureCount = 0;
  p.highlightPhase = 0;
  p.textScale[0] = 1.3f;
  p.textScale[1] = 1.2f;
  for (int k = 0; k < 4; ++k) p.rect[k] = kDefaultRect[k];
}
