// AudioMixer.h - the sample mixer under the DirectSound-shaped sounds
// (Platform/DSound.h): voices that read PCM sample memory at their own rate
// and are summed into one interleaved S16 stereo stream.
//
// A voice reads 8-bit unsigned or 16-bit signed samples, mono or stereo. Its
// playback rate is stepped to the output rate with linear interpolation
// (32.32 fixed-point positions, so a rate never drifts); its gain scales it;
// mono voices play centred (the same signal on both sides). Voices are added
// into a float accumulator in S16 units, so any number of them (and the
// music, Platform/Mci.h) can be summed before one saturating conversion: a
// loud sum clips instead of wrapping round.
//
// No state of its own and no locking: the audio device (Platform/AudioDevice.h)
// calls these from its callback under its lock.
#pragma once

#include <cstdint>

// One voice: where its samples are and how it plays them.
struct AudioVoice {
  const std::uint8_t* data = nullptr;  // frames of `channels` x `bitsPerSample`
  std::uint32_t frames = 0;
  int channels = 1;        // 1 or 2
  int bitsPerSample = 16;  // 8 (unsigned) or 16 (signed, little-endian)
  std::uint32_t frequency = 44100;  // playback rate in frames per second
  float gain = 1.0f;                // linear
  std::uint64_t position = 0;       // 32.32 fixed point, in frames
  bool playing = false;
  bool looping = false;
};

// The linear gain of a DirectSound volume in hundredths of a decibel
// (-10000 .. 0): 10^(hundredths / 2000); -10000 and below are silence.
float AudioMixerGainFromHundredths(long hundredths);

// Adds the voice's next `frames` output frames at `outputRate` into the
// stereo accumulator (2 x frames floats, S16 units) and advances it. A voice
// that reaches its end stops (playing cleared, position back to 0) unless it
// loops. Nothing happens for a voice that is not playing or has no frames.
void AudioMixerAddVoice(AudioVoice* voice, int outputRate, float* accumulator, int frames);

// Converts `samples` accumulated values to S16, clipping at the limits.
void AudioMixerSaturate(const float* accumulator, std::int16_t* out, int samples);
