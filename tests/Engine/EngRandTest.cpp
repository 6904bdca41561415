// Tests of the engine's random numbers: MT19937 pins every deal of the game,
// the 15-bit generator pins every effect and the seeding fallbacks.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "Engine/EngRand.h"
#include "Platform/Random.h"

TEST(EngRand, ReferenceSequenceForSeed5489) {
  EngRandSeed(5489);
  EXPECT_EQ(EngRandGetNext(), 3499211612u);
  EXPECT_EQ(EngRandGetNext(), 581869302u);
  EXPECT_EQ(EngRandGetNext(), 3890346734u);
}

TEST(EngRand, EqualsStdMt19937ForManyDraws) {
  for (std::uint32_t seed : {0u, 1u, 0xFFFFFFFFu, 20091209u}) {
    SCOPED_TRACE(seed);
    std::mt19937 reference(seed);
    EngRandState state;
    EngRandSeedState(seed, &state);
    EXPECT_EQ(state.index, 624);
    EXPECT_EQ(state.extra, 0u);
    for (int i = 0; i < 10000; ++i) {
      ASSERT_EQ(EngRandNextFromState(&state), reference()) << "draw " << i;
    }
  }
}

TEST(EngRand, ReseedingRestartsTheSequence) {
  EngRandSeed(42);
  const std::uint32_t first = EngRandGetNext();
  EngRandGetNext();
  EngRandSeed(42);
  EXPECT_EQ(EngRandGetNext(), first);
}

TEST(EngRand, NullStateIsHarmless) {
  EngRandSeedState(1, nullptr);
  EXPECT_EQ(EngRandNextFromState(nullptr), 0u);
  EXPECT_EQ(EngRandSeedStateRandomly(nullptr), 1);
}

TEST(EngRand, RandomSeedingFromTheSystemSource) {
  EngRandState a, b;
  ASSERT_EQ(EngRandSeedStateRandomly(&a), 0);
  ASSERT_EQ(EngRandSeedStateRandomly(&b), 0);
  EXPECT_NE(a.words[0] & 0x80000000u, 0u);  // never an all-zero state
  EXPECT_EQ(a.index, 624);
  EXPECT_NE(EngRandNextFromState(&a), EngRandNextFromState(&b));
}

TEST(EngRand, RandomSeedingFallsBackWhenTheSourceFails) {
  PlatformRandomForceFailureForTests(true);
  EngRandState state;
  state.index = 3;
  const int result = EngRandSeedStateRandomly(&state);
  unsigned char buffer[4];
  const int fill = EngRandFillFromCrypto(buffer, sizeof(buffer));
  PlatformRandomForceFailureForTests(false);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(fill, 1);
  EXPECT_EQ(state.index, 624);  // seeded by the hash of the clocks
}

TEST(EngRand, WangHashKnownValues) {
  EXPECT_EQ(EngRandHashWord(0), 0x4636B9C9u);
  EXPECT_EQ(EngRandHashWord(1), 0x62BAF5A0u);
  EXPECT_EQ(EngRandHashWord(12345), 0x744B8103u);
}

TEST(EngRandCrt, ClassicLcgSequence) {
  // The C standard's example generator: seed 1 gives 16838, 5758, 10113.
  EngRandCrtSeed(1);
  EXPECT_EQ(EngRandCrtNext(), 16838);
  EXPECT_EQ(EngRandCrtNext(), 5758);
  EXPECT_EQ(EngRandCrtNext(), 10113);
  EngRandCrtSeed(1);
  EXPECT_EQ(EngRandCrtNext(), 16838);
}

TEST(EngRandCrt, StaysWithinFifteenBits) {
  EngRandCrtSeed(0xDEADBEEF);
  int lowest = kEngRandCrtMax, highest = 0;
  for (int i = 0; i < 100000; ++i) {
    const int value = EngRandCrtNext();
    lowest = std::min(lowest, value);
    highest = std::max(highest, value);
  }
  EXPECT_GE(lowest, 0);
  EXPECT_LE(highest, kEngRandCrtMax);
  EXPECT_GT(highest, 32000);
}
