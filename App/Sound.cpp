// Sound.cpp - stand-in: no sound layer yet, so nothing plays (see Sound.h).
#include "App/Sound.h"

void SoundPlaySample(int) {}
void SoundPlayFoundationSound(int) {}
void SoundStartMusic() {}
