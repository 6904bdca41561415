// EngRand.cpp - MT19937, the seeding from the system's random source, and
// the engine's 15-bit "C runtime" generator.
// State: g_rand (the process-wide MT19937, seeded with 5489 until seeded) and
// g_crtNext (the LCG word, 1 at start as the C runtime's).
#include "Engine/EngRand.h"

#include <chrono>
#include <ctime>

#include "Platform/Random.h"

namespace {

constexpr int kN = kEngRandStateWords;
constexpr int kM = 397;
constexpr std::uint32_t kMatrixA = 0x9908b0dfU;
constexpr std::uint32_t kUpperMask = 0x80000000U;
constexpr std::uint32_t kLowerMask = 0x7fffffffU;

EngRandState MakeDefaultState() {
  EngRandState state;
  EngRandSeedState(5489U, &state);
  return state;
}

EngRandState g_rand = MakeDefaultState();
std::uint32_t g_crtNext = 1;

// Word i from words i, i + 1 and i + 397, all taken modulo 624; the loop is
// split where those wrap, so that no word needs a division or a call (a
// deal draws some 140,000 numbers, and unoptimised builds deal often in the
// tests).
void Regenerate(EngRandState* state) {
  std::uint32_t* mt = state->words;
  std::uint32_t y = 0;
  int i = 0;
  for (; i < kN - kM; ++i) {
    y = (mt[i] & kUpperMask) | (mt[i + 1] & kLowerMask);
    mt[i] = mt[i + kM] ^ (y >> 1) ^ ((y & 1U) ? kMatrixA : 0U);
  }
  for (; i < kN - 1; ++i) {
    y = (mt[i] & kUpperMask) | (mt[i + 1] & kLowerMask);
    mt[i] = mt[i + kM - kN] ^ (y >> 1) ^ ((y & 1U) ? kMatrixA : 0U);
  }
  y = (mt[kN - 1] & kUpperMask) | (mt[0] & kLowerMask);
  mt[kN - 1] = mt[kM - 1] ^ (y >> 1) ^ ((y & 1U) ? kMatrixA : 0U);
  state->index = 0;
}

}  // namespace

void EngRandSeedState(std::uint32_t seed, EngRandState* state) {
  if (!state) return;
  state->words[0] = seed;
  for (int i = 1; i < kN; ++i) {
    const std::uint32_t previous = state->words[i - 1];
    state->words[i] = 1812433253U * (previous ^ (previous >> 30)) + static_cast<std::uint32_t>(i);
  }
  state->index = kN;
  state->extra = 0;
}

std::uint32_t EngRandNextFromState(EngRandState* state) {
  if (!state) return 0;
  // An index outside 0..624 (a damaged state) regenerates as 624 does.
  if (state->index < 0 || state->index >= kN) Regenerate(state);
  std::uint32_t y = state->words[state->index++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9d2c5680U;
  y ^= (y << 15) & 0xefc60000U;
  y ^= y >> 18;
  return y;
}

void EngRandSeed(std::uint32_t seed) { EngRandSeedState(seed, &g_rand); }
std::uint32_t EngRandGetNext() { return EngRandNextFromState(&g_rand); }

int EngRandSeedStateRandomly(EngRandState* state) {
  if (!state) return 1;
  if (EngRandFillFromCrypto(state->words, sizeof(state->words)) == 0) {
    state->words[0] |= kUpperMask;
    state->index = kN;
    state->extra = 0;
    return 0;
  }
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now).count();
  const std::uint32_t seed = EngRandHashWord(static_cast<std::uint32_t>(std::clock())) ^
                             EngRandHashWord(static_cast<std::uint32_t>(ms % 1000)) ^
                             EngRandHashWord(static_cast<std::uint32_t>(seconds));
  EngRandSeedState(seed, state);
  return 1;
}

int EngRandSeedRandomly() { return EngRandSeedStateRandomly(&g_rand); }

int EngRandFillFromCrypto(void* buffer, std::size_t size) {
  return PlatformRandomFill(buffer, size) ? 0 : 1;
}

std::uint32_t EngRandHashWord(std::uint32_t key) {
  key += ~(key << 15);
  key ^= key >> 10;
  key += key << 3;
  key ^= key >> 6;
  key += ~(key << 11);
  key ^= key >> 16;
  return key;
}

void EngRandCrtSeed(unsigned seed) { g_crtNext = seed; }

int EngRandCrtNext() {
  g_crtNext = g_crtNext * 1103515245U + 12345U;
  return static_cast<int>((g_crtNext / 65536U) % 32768U);
}
