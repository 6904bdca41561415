// EngRand.h - the engine's random numbers.
//
// Two generators:
//   * MT19937 (the Mersenne Twister of Matsumoto and Nishimura, standard
//     constants and tempering). The deal seeds the process-wide generator with
//     the deal number and draws from it, so a deal number always gives the
//     same deal on every machine. Output equals std::mt19937 for every seed.
//   * The "C runtime" generator: a classic 15-bit linear congruential
//     generator (the one of the C standard's example rand()), owned by the
//     engine so that effects and shuffles behave alike on every libc and tests
//     can seed it. Everything that would call rand()/srand() calls
//     EngRandCrtNext()/EngRandCrtSeed() instead.
//
// State: the process-wide MT19937 state and the 32-bit LCG word (seed 1 at
// start, as the C runtime's). Neither is reset except by seeding.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kEngRandStateWords = 624;

// One MT19937 generator. index == 624 means "regenerate before the next draw".
struct EngRandState {
  std::uint32_t words[kEngRandStateWords];
  int index;
  std::uint32_t extra;  // set to 0 whenever the state is seeded
};

// Standard 32-bit initialisation (multiplier 1812433253); index 624.
// A null state does nothing.
void EngRandSeedState(std::uint32_t seed, EngRandState* state);
// The next tempered 32-bit value; regenerates the 624 words when needed.
// A null state gives 0.
std::uint32_t EngRandNextFromState(EngRandState* state);

// The same on the process-wide generator (seeded with 5489 until seeded).
void EngRandSeed(std::uint32_t seed);
std::uint32_t EngRandGetNext();

// Fills all 624 words from the system's cryptographic source and sets the
// top bit of word 0 (never an all-zero state); 0 on success. When the source
// fails, seeds from a hash of the processor clock and the wall clock; 1.
int EngRandSeedStateRandomly(EngRandState* state);
int EngRandSeedRandomly();

// Fills size bytes from the system's cryptographic source (getrandom).
// 0 on success, 1 on failure (buffer contents then unspecified).
int EngRandFillFromCrypto(void* buffer, std::size_t size);

// Thomas Wang's 32-bit integer hash.
std::uint32_t EngRandHashWord(std::uint32_t key);

// ---- The engine's "C runtime" generator ------------------------------------
constexpr int kEngRandCrtMax = 32767;  // RAND_MAX of the generator
// srand(): sets the LCG word.
void EngRandCrtSeed(unsigned seed);
// rand(): next = next * 1103515245 + 12345; returns (next / 65536) % 32768.
int EngRandCrtNext();
