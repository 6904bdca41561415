// FoundationEffects.cpp - the foundation bursts (see FoundationEffects.h).
//
// A burst is one emission of 50 particles from the outline of a card-sized
// rectangle (spread shape 3, the rectangle's edges) at the landing card,
// drawn under the cards in the table's plane: the particles drift outward,
// grow from nothing and vanish after their life. Its system is scaled to
// the card (1.4 x the card's width and height), so the values below are in
// card-sized units.
#include "App/FoundationEffects.h"

#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFrames.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"

namespace {

constexpr char kEffectTexture[] = "Data\\Main\\0153.dat";
constexpr float kFirstUpdateSeconds = 0.1f;
// The bursts run at twice real time.
constexpr float kEffectTimeRate = 2.0f;

struct EffectSlot {
  EngParticleSystem system;
  EngParticleSystemParams params;
  float position[3];
  float scale[3];
  float age;
};

struct EffectsState {
  EffectSlot slots[kFoundationEffectSlots];
  int lastSlot = -1;
  int amount = 100;
  EngTexture texture;
};

EffectsState& State() {
  static EffectsState state;
  return state;
}

void ResetSlotPlace(EffectSlot& slot) {
  slot.position[0] = slot.position[1] = slot.position[2] = 0;
  slot.scale[0] = slot.scale[1] = slot.scale[2] = 1;
}

int ParticlesFor(int amount) {
  const int count = amount * kFoundationEffectMaxParticles / 100;
  return count < 1 ? 1 : count;
}

// The slot for a new burst: the first free one, else the one after the
// slot used last.
int PickSlot() {
  EffectsState& s = State();
  for (int i = 0; i < kFoundationEffectSlots; ++i) {
    if (!s.slots[i].system.created) return i;
  }
  return (s.lastSlot + 1) % kFoundationEffectSlots;
}

}  // namespace

bool FoundationEffectsSetupParameters(int amount, float sizeFactor, EngTexture* texture,
                                      EngParticleSystemParams* record) {
  if (!record) {
    DebugError("FoundationEffectsSetupParameters", "No parameters");
    return false;
  }
  if (amount <= 0) amount = 100;
  if (sizeFactor <= 0) sizeFactor = 1.0f;
  State().amount = amount;
  std::memset(record, 0, sizeof *record);
  record->texture = texture && texture->IsLoaded() ? texture : nullptr;
  record->firstEmission = ParticlesFor(amount);
  record->laterEmission = 0;
  record->emissionMode = kEngParticlesFirstEmission;
  record->emissionRate = 16;
  record->minEmissionInterval = 0;
  record->lifeMin = record->lifeMax = 1.414844f * sizeFactor;
  record->spreadFactor = 1.2871f;
  record->shape = 3;
  record->shapeMin = -0.5f;
  record->shapeMax = 0.5f;
  // Size grows from nothing to a fifth of the card; the alpha stays near a
  // third, so overlapping particles of the additive blend still glow.
  record->startSize = 0.0f;
  record->endSize = 0.21458f;
  record->startAlpha = 0.34375f;
  record->endAlpha = 0.33854f;
  // Warm white, drifting outward in every direction of the table's plane.
  record->colourMode = 1;
  record->startColour[0] = 1.0f, record->startColour[1] = 0.95f, record->startColour[2] = 0.75f;
  record->endColour[0] = 1.0f, record->endColour[1] = 0.7f, record->endColour[2] = 0.35f;
  record->speed = 0.12f;
  record->directionCone = 180.0f;
  record->speedScale = EngMathRange{1, 1, 1, 1, 0, 0};
  record->blendingKind = 0;
  // Drawn flat under the cameras that look down on the table: no depth
  // test, and both sides, since the quads' corner order faces away there.
  record->depthTest = 0;
  record->twoSided = 1;
  return true;
}

bool FoundationEffectsCreate(bool startNow, bool replace, EngParticleSystemParams* record,
                             EngParticleSystem* system) {
  const char* where = "FoundationEffectsCreate";
  if (!record || !system) {
    DebugError(where, "No system pointer or no parameters");
    return false;
  }
  // The engine refuses a created system unless it may replace it.
  if (!EngParticleSystemCreate(ParticlesFor(State().amount), record, replace, system)) return false;
  if (startNow) EngParticleSystemUpdate(system, kFirstUpdateSeconds, true);
  return true;
}

void FoundationEffectsRender(EngParticleSystem* system) {
  if (!system || !system->created) {
    DebugError("FoundationEffectsRender", "No system");
    return;
  }
  EngDevice* device = EngDeviceGetCurrent();
  if (!device) return;
  device->SaveOrRestoreBlendingState(true);
  EngParticleSystemRender(system);
  device->SaveOrRestoreBlendingState(false);
}

void FoundationEffectsClear() {
  for (EffectSlot& slot : State().slots) {
    ResetSlotPlace(slot);
    EngParticleSystemRelease(&slot.system);
  }
}

void EffectsInit() {
  EffectsState& s = State();
  std::memset(&s.slots[0].system, 0, sizeof s.slots[0].system);
  for (EffectSlot& slot : s.slots) ResetSlotPlace(slot);
}

void EffectsCreateGraphics() {
  EffectsState& s = State();
  EngParticleSystemCreateGraphics();
  if (!s.texture.LoadFromFile(kEffectTexture, 1, 4)) {
    DebugError("EffectsCreateGraphics", "Could not load normal effect texture");
    return;
  }
  for (EffectSlot& slot : s.slots) {
    if (slot.system.created) slot.system.params.texture = &s.texture;
  }
}

void EffectsFreeGraphics() {
  EffectsState& s = State();
  for (EffectSlot& slot : s.slots) {
    slot.params.texture = nullptr;
    if (slot.system.created) slot.system.params.texture = nullptr;
  }
  s.texture.Release();
  EngParticleSystemDestroyGraphics();
}

void FoundationEffectsAdd(const float* position, const float* scale) {
  EffectsState& s = State();
  const int index = PickSlot();
  EffectSlot& slot = s.slots[index];
  s.lastSlot = index;
  slot.position[0] = position ? position[0] : 0;
  slot.position[1] = position ? -position[1] : 0;
  slot.position[2] = position ? position[2] : 0;
  for (int k = 0; k < 3; ++k) slot.scale[k] = scale ? scale[k] : 1.0f;
  if (!FoundationEffectsSetupParameters(100, 1.0f, &s.texture, &slot.params)) return;
  if (!FoundationEffectsCreate(true, true, &slot.params, &slot.system)) return;
  slot.age = kFirstUpdateSeconds;
}

void FoundationEffectsTick() {
  const float step = kEffectTimeRate * EngProgramGetFrameTime();
  for (EffectSlot& slot : State().slots) {
    if (!slot.system.created) continue;
    slot.age += step;
    if (EngParticleSystemUpdate(&slot.system, slot.age, false) == 0) {
      EngParticleSystemRelease(&slot.system);
    }
    // Burning, or just burnt out (the last frame shows it gone).
    EngFramesRequestDraw();
  }
}

void FoundationEffectsRenderAll() {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device) return;
  for (EffectSlot& slot : State().slots) {
    if (!slot.system.created) continue;
    device->PushTransformMatrix();
    device->SetWorldTranslationAndScale(slot.position[0], -slot.position[1], 0, slot.scale[0],
                                        slot.scale[1], 1);
    FoundationEffectsRender(&slot.system);
    device->PopTransformMatrix();
  }
}

const EngParticleSystem* FoundationEffectsGetSlot(int slot, float* position, float* scale) {
  if (slot < 0 || slot >= kFoundationEffectSlots) return nullptr;
  const EffectSlot& s = State().slots[slot];
  for (int k = 0; k < 3; ++k) {
    if (position) position[k] = s.position[k];
    if (scale) scale[k] = s.scale[k];
  }
  return &s.system;
}

int FoundationEffectsGetLastSlot() { return State().lastSlot; }

EngTexture* FoundationEffectsGetTexture() { return &State().texture; }
