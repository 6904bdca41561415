// Sound.h - the game's sounds as the card game core calls them.
//
// Minimal stand-in until the application shell's sound unit lands: the
// calls exist and do nothing (no sound layer yet).
#pragma once

// Samples the move handler plays when cards are lifted or put down.
constexpr int kSoundPickup = 5;   // card pick-up 1 (5-9)
constexpr int kSoundDrop = 0;     // card drop 1 (0-4)

// Plays sample 0-27 when sound is on.
void SoundPlaySample(int sample);
// Plays the foundation sound of a rank (1-13).
void SoundPlayFoundationSound(int rank);
// Starts the music when sound and music are on and it is not playing (a won
// game).
void SoundStartMusic();
