// FoundationEffects.cpp - the particle bursts on the foundations.
//
// Stand-in until the effects unit is built: nothing is shown.
#include "Game/GameImports.h"

void EffectsCreateGraphics() {}
void EffectsFreeGraphics() {}
void FoundationEffectsAdd(const float*, const float*) {}
void FoundationEffectsTick() {}
void FoundationEffectsRenderAll() {}
void EffectsInit() {}
