// Sound.h - the game's sounds as the card game core calls them.
//
// Minimal stand-in until the application shell's sound unit lands: nothing
// plays (no sound layer yet); the calls are only counted, so that the game
// core's choice of sounds can be checked.
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

// Stand-in record of the calls since the last reset: how many samples and
// foundation sounds were asked for, and the last of each (-1 for none).
struct SoundCallsForTests {
  int samples = 0;
  int lastSample = -1;
  int foundationSounds = 0;
  int lastRank = -1;
};
const SoundCallsForTests& SoundGetCallsForTests();
void SoundResetForTests();
