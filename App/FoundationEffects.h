// FoundationEffects.h - the particle bursts on the foundations.
//
// Minimal stand-in until the application shell's effects unit lands: the
// call exists and shows nothing yet.
#pragma once

// Starts a foundation effect at a table position (colour: three floats, or
// null for the default).
void FoundationEffectsAdd(float x, float y, float z, const float* colour);
