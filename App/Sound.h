// Sound.h - the game's sounds as the card game core calls them.
//
// Minimal stand-in until the application shell's sound unit lands: the
// calls exist and do nothing (no sound layer yet).
#pragma once

// Plays sample 0-27 when sound is on.
void SoundPlaySample(int sample);
// Plays the foundation sound of a rank (1-13).
void SoundPlayFoundationSound(int rank);
