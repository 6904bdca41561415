// FoundationEffects.cpp - stand-in: no particle effects yet (see
// FoundationEffects.h).
#include "App/FoundationEffects.h"

void FoundationEffectsAdd(float, float, float, const float*) {}
