// FoundationEffects.h - the short particle bursts at a foundation when a
// card lands on it, and the effect texture they share.
//
// Up to 13 bursts live at once, each a particle system in a slot with its
// position on the table and its scale; a 14th burst takes the slot after the
// one used last. The game tick ages them at twice real time; a burst whose
// last particle has died frees its slot. The calls the game shell makes
// (EffectsInit, EffectsCreateGraphics, FoundationEffectsAdd, ...Tick,
// ...RenderAll) are declared at the end of this header.
//
// The splash panel builds its effect with the same set-up and creation.
//
// State (FoundationEffects.cpp): the 13 slots, the slot used last, the
// effect texture (device life cycle), the last set-up's amount.
#pragma once

#include "Engine/EngParticles.h"

class EngTexture;

constexpr int kFoundationEffectSlots = 13;
constexpr int kFoundationEffectMaxParticles = 50;

// Fills record with the burst's values for amount percent of the particles
// (0 counts as 100) and a size factor (0 counts as 1); the texture is used
// only when it is loaded. False ("No parameters") without a record.
bool FoundationEffectsSetupParameters(int amount, float sizeFactor, EngTexture* texture,
                                      EngParticleSystemParams* record);
// Creates system from record with at most 50 x the last set-up's amount /
// 100 particles (at least 1); replace releases a created system first (else
// "System already created"); startNow updates it once at 0.1 s. False
// ("No system pointer or no parameters") without either.
bool FoundationEffectsCreate(bool startNow, bool replace, EngParticleSystemParams* record,
                             EngParticleSystem* system);
// Draws a system with the render state set up and restored around it ("No
// system" for one that is not created).
void FoundationEffectsRender(EngParticleSystem* system);
// Every slot released, its position 0 and its scale 1, 1, 1 (a game starts).
void FoundationEffectsClear();

// What a slot holds (tests): its system (null outside 0-12), position (y
// as stored: negated) and scale; and the slot used last (-1 none yet).
const EngParticleSystem* FoundationEffectsGetSlot(int slot, float* position, float* scale);
int FoundationEffectsGetLastSlot();
// The effect texture (tests).
EngTexture* FoundationEffectsGetTexture();

// ---- What the shell and the card core call ---------------------------------------
void EffectsInit();
void EffectsCreateGraphics();
void EffectsFreeGraphics();
// Starts a burst at a table position (x, y, z) with a scale (x, y, z; null
// for 1, 1, 1). Both arrays are read at once, not kept.
void FoundationEffectsAdd(const float* position, const float* scale);
void FoundationEffectsTick();
void FoundationEffectsRenderAll();
