// FoundationEffects.h - the particle bursts on the foundations.
//
// Minimal stand-in until the application shell's effects unit lands: the
// call exists and shows nothing yet; it only remembers what it was asked
// for, so that the game core's calls can be checked.
#pragma once

// Starts a foundation effect at a table position (x, y, z) with a scale
// (x, y, z; null for 1, 1, 1). Both arrays are read at once, not kept.
void FoundationEffectsAdd(const float* position, const float* scale);

// Stand-in record: the number of effects started since the last reset, and
// the position and scale of the last one (scale 1, 1, 1 when none was given).
int FoundationEffectsGetAddedForTests(float* position, float* scale);
void FoundationEffectsResetForTests();
