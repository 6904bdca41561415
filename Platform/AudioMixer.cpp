// AudioMixer.cpp - voices stepped, interpolated, scaled and summed (see
// AudioMixer.h).
#include "Platform/AudioMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float kFractionScale = 1.0f / 4294967296.0f;  // 2^-32

// One channel's sample of a frame in S16 units.
template <int kBits>
float Sample(const std::uint8_t* frame, int channel) {
  if constexpr (kBits == 8) {
    return static_cast<float>((static_cast<int>(frame[channel]) - 128) * 256);
  } else {
    std::int16_t value;
    std::memcpy(&value, frame + channel * 2, sizeof value);
    return static_cast<float>(value);
  }
}

// Adds up to `frames` output frames, stopping early at the voice's end;
// returns the frames written.
template <int kChannels, int kBits>
int AddRun(AudioVoice* voice, std::uint64_t step, float* accumulator, int frames) {
  constexpr int kFrameBytes = kChannels * kBits / 8;
  const std::uint64_t end = static_cast<std::uint64_t>(voice->frames) << 32;
  if (voice->position >= end) return 0;
  // Frames until the position passes the end: the loop below needs no test.
  const std::uint64_t left = (end - voice->position + step - 1) / step;
  const int run = static_cast<int>(std::min<std::uint64_t>(left, static_cast<std::uint64_t>(frames)));
  const std::uint32_t last = voice->frames - 1;
  const std::uint32_t wrapTo = voice->looping ? 0 : last;  // what follows the last frame
  const float gain = voice->gain;
  std::uint64_t position = voice->position;
  for (int i = 0; i < run; ++i) {
    const auto index = static_cast<std::uint32_t>(position >> 32);
    const std::uint32_t next = index < last ? index + 1 : wrapTo;
    const float fraction = static_cast<float>(position & 0xFFFFFFFFu) * kFractionScale;
    const std::uint8_t* a = voice->data + static_cast<std::size_t>(index) * kFrameBytes;
    const std::uint8_t* b = voice->data + static_cast<std::size_t>(next) * kFrameBytes;
    const float leftA = Sample<kBits>(a, 0), leftB = Sample<kBits>(b, 0);
    const float left = (leftA + (leftB - leftA) * fraction) * gain;
    float right = left;
    if constexpr (kChannels == 2) {
      const float rightA = Sample<kBits>(a, 1), rightB = Sample<kBits>(b, 1);
      right = (rightA + (rightB - rightA) * fraction) * gain;
    }
    accumulator[2 * i] += left;
    accumulator[2 * i + 1] += right;
    position += step;
  }
  voice->position = position;
  return run;
}

template <int kChannels, int kBits>
void AddVoiceTyped(AudioVoice* voice, std::uint64_t step, float* accumulator, int frames) {
  const std::uint64_t end = static_cast<std::uint64_t>(voice->frames) << 32;
  while (frames > 0) {
    const int written = AddRun<kChannels, kBits>(voice, step, accumulator, frames);
    accumulator += 2 * written;
    frames -= written;
    if (voice->position < end) continue;
    if (!voice->looping) {
      voice->playing = false;
      voice->position = 0;
      return;
    }
    voice->position %= end;
  }
}

}  // namespace

float AudioMixerGainFromHundredths(long hundredths) {
  if (hundredths <= -10000) return 0.0f;
  if (hundredths >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, static_cast<double>(hundredths) / 2000.0));
}

void AudioMixerAddVoice(AudioVoice* voice, int outputRate, float* accumulator, int frames) {
  if (!voice || !voice->playing || !voice->data || voice->frames == 0 || outputRate <= 0 || frames <= 0) {
    return;
  }
  const std::uint64_t step = (static_cast<std::uint64_t>(voice->frequency) << 32) / static_cast<std::uint64_t>(outputRate);
  if (step == 0) return;
  const bool stereo = voice->channels == 2;
  const bool eightBit = voice->bitsPerSample == 8;
  if (stereo) {
    if (eightBit) {
      AddVoiceTyped<2, 8>(voice, step, accumulator, frames);
    } else {
      AddVoiceTyped<2, 16>(voice, step, accumulator, frames);
    }
  } else if (eightBit) {
    AddVoiceTyped<1, 8>(voice, step, accumulator, frames);
  } else {
    AddVoiceTyped<1, 16>(voice, step, accumulator, frames);
  }
}

void AudioMixerSaturate(const float* accumulator, std::int16_t* out, int samples) {
  for (int i = 0; i < samples; ++i) {
    const float value = std::clamp(accumulator[i], -32768.0f, 32767.0f);
    out[i] = static_cast<std::int16_t>(std::lrint(value));
  }
}
