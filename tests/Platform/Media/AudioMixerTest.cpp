// Tests of the sample mixer: formats, gain, rate stepping with
// interpolation, saturation, the end of a voice and looping.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/AudioMixer.h"

namespace {

// Mixes one voice for `frames` output frames at 44100 Hz.
std::vector<std::int16_t> Mix(AudioVoice* voice, int frames, int rate = 44100) {
  std::vector<float> accumulator(2 * static_cast<std::size_t>(frames), 0.0f);
  AudioMixerAddVoice(voice, rate, accumulator.data(), frames);
  std::vector<std::int16_t> out(accumulator.size());
  AudioMixerSaturate(accumulator.data(), out.data(), static_cast<int>(out.size()));
  return out;
}

std::vector<std::uint8_t> Bytes16(const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> bytes(samples.size() * 2);
  std::memcpy(bytes.data(), samples.data(), bytes.size());
  return bytes;
}

AudioVoice Voice(const std::vector<std::uint8_t>& data, int channels, int bits, std::uint32_t frequency = 44100) {
  AudioVoice voice;
  voice.data = data.data();
  voice.frames = static_cast<std::uint32_t>(data.size() / static_cast<std::size_t>(channels * bits / 8));
  voice.channels = channels;
  voice.bitsPerSample = bits;
  voice.frequency = frequency;
  voice.playing = true;
  return voice;
}

}  // namespace

TEST(AudioMixerTest, GainFollowsHundredthsOfADecibel) {
  const struct {
    long hundredths;
    float gain;
  } cases[] = {{0, 1.0f}, {-602, 0.5f}, {-2000, 0.1f}, {-10000, 0.0f}, {-12000, 0.0f}, {300, 1.0f}};
  for (const auto& c : cases) {
    EXPECT_NEAR(AudioMixerGainFromHundredths(c.hundredths), c.gain, 0.001f) << c.hundredths;
  }
}

TEST(AudioMixerTest, EachSampleFormatReachesBothSidesAtItsLevel) {
  // One frame held for the whole mix: 8-bit unsigned around 128, 16-bit
  // signed; mono plays the same on both sides.
  const struct {
    std::vector<std::uint8_t> frame;
    int channels, bits;
    std::int16_t left, right;
  } cases[] = {
      {{192}, 1, 8, 64 * 256, 64 * 256},
      {{64, 160}, 2, 8, -64 * 256, 32 * 256},
      {Bytes16({-12000}), 1, 16, -12000, -12000},
      {Bytes16({1000, -3000}), 2, 16, 1000, -3000},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> data;
    for (int i = 0; i < 64; ++i) data.insert(data.end(), c.frame.begin(), c.frame.end());
    AudioVoice voice = Voice(data, c.channels, c.bits);
    const std::vector<std::int16_t> out = Mix(&voice, 32);
    EXPECT_EQ(out[20], c.left) << c.channels << " x " << c.bits;
    EXPECT_EQ(out[21], c.right) << c.channels << " x " << c.bits;
  }
}

TEST(AudioMixerTest, HalfRateInterpolatesAndDoubleRateSkips) {
  const std::vector<std::uint8_t> ramp = Bytes16({0, 1000, 2000, 3000, 4000, 5000, 6000, 7000});
  AudioVoice slow = Voice(ramp, 1, 16, 22050);
  const std::vector<std::int16_t> halfRate = Mix(&slow, 6);
  const std::int16_t expectedSlow[] = {0, 500, 1000, 1500, 2000, 2500};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(halfRate[2 * i], expectedSlow[i]) << i;

  AudioVoice fast = Voice(ramp, 1, 16, 88200);
  const std::vector<std::int16_t> doubleRate = Mix(&fast, 4);
  const std::int16_t expectedFast[] = {0, 2000, 4000, 6000};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(doubleRate[2 * i], expectedFast[i]) << i;
}

TEST(AudioMixerTest, LoudVoicesClipInsteadOfWrappingRound) {
  const std::vector<std::uint8_t> high = Bytes16({30000, 30000, 30000, 30000});
  const std::vector<std::uint8_t> low = Bytes16({-30000, -30000, -30000, -30000});
  AudioVoice a = Voice(high, 1, 16), b = Voice(high, 1, 16), c = Voice(low, 1, 16), d = Voice(low, 1, 16);
  std::vector<float> accumulator(8, 0.0f);
  AudioMixerAddVoice(&a, 44100, accumulator.data(), 2);
  AudioMixerAddVoice(&b, 44100, accumulator.data(), 2);
  AudioMixerAddVoice(&c, 44100, accumulator.data() + 4, 2);
  AudioMixerAddVoice(&d, 44100, accumulator.data() + 4, 2);
  std::int16_t out[8];
  AudioMixerSaturate(accumulator.data(), out, 8);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[4], -32768);
}

TEST(AudioMixerTest, GainScalesTheVoice) {
  const std::vector<std::uint8_t> level = Bytes16({20000, 20000, 20000, 20000});
  AudioVoice voice = Voice(level, 1, 16);
  voice.gain = AudioMixerGainFromHundredths(-602);
  EXPECT_NEAR(Mix(&voice, 2)[0], 10000, 10);
}

TEST(AudioMixerTest, AVoiceStopsAtItsEndUnlessItLoops) {
  const std::vector<std::uint8_t> three = Bytes16({100, 200, 300});
  AudioVoice once = Voice(three, 1, 16);
  const std::vector<std::int16_t> out = Mix(&once, 5);
  EXPECT_EQ(out[4], 300);
  EXPECT_EQ(out[6], 0);
  EXPECT_EQ(out[8], 0);
  EXPECT_FALSE(once.playing);
  EXPECT_EQ(once.position, 0u);

  AudioVoice looped = Voice(three, 1, 16);
  looped.looping = true;
  const std::vector<std::int16_t> again = Mix(&looped, 7);
  const std::int16_t expected[] = {100, 200, 300, 100, 200, 300, 100};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(again[2 * i], expected[i]) << i;
  EXPECT_TRUE(looped.playing);
}

TEST(AudioMixerTest, AStoppedOrEmptyVoiceAddsNothing) {
  const std::vector<std::uint8_t> level = Bytes16({5000, 5000});
  AudioVoice stopped = Voice(level, 1, 16);
  stopped.playing = false;
  AudioVoice empty = Voice(level, 1, 16);
  empty.frames = 0;
  for (AudioVoice* voice : {&stopped, &empty}) {
    const std::vector<std::int16_t> out = Mix(voice, 2);
    EXPECT_EQ(out[0], 0);
  }
}
