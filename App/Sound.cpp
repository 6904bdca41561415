// Sound.cpp - stand-in: no sound layer yet, so nothing plays; the calls are
// counted (see Sound.h).
#include "App/Sound.h"

namespace {

SoundCallsForTests g_calls;  // reset by SoundResetForTests

}  // namespace

void SoundPlaySample(int sample) {
  ++g_calls.samples;
  g_calls.lastSample = sample;
}

void SoundPlayFoundationSound(int rank) {
  ++g_calls.foundationSounds;
  g_calls.lastRank = rank;
}

void SoundStartMusic() {}

const SoundCallsForTests& SoundGetCallsForTests() { return g_calls; }
void SoundResetForTests() { g_calls = SoundCallsForTests(); }
