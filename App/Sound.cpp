// Sound.cpp - STAND-IN until the sound unit is built on the engine's sound
// and MIDI front-ends: nothing plays.
#include "Game/GameImports.h"

void SoundInit() {}
void SoundSetVolume() {}
void SoundShutdown() {}
void SoundPlaySample(int) {}
void SoundPlayFoundationSound(int) {}
void SoundStartMusic() {}
void SoundStopMusic() {}
