// AudioDevice.cpp - the SDL audio device, its reference count, the voice
// list and the callback that mixes them (see AudioDevice.h).
#include "Platform/AudioDevice.h"

#include <SDL.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "Platform/AudioMixer.h"

namespace {

// The device's state for the process's life. `lock` guards the voice list,
// the voices' playing state and the render source; the callback takes it.
struct AudioDeviceState {
  std::recursive_mutex lock;
  SDL_AudioDeviceID device = 0;
  int references = 0;
  bool manual = false;  // no SDL device (AudioDeviceUseManualOutputForTests)
  int rate = kAudioDeviceDefaultRate;
  std::vector<AudioVoice*> voices;
  AudioRenderSource source = nullptr;
  void* sourceContext = nullptr;
  float accumulator[2 * kAudioDeviceBufferFrames] = {};
};

AudioDeviceState& S() {
  // Never destroyed: an audio thread still running at exit must not find
  // its lock gone.
  static AudioDeviceState& state = *new AudioDeviceState;
  return state;
}

// One chunk of at most kAudioDeviceBufferFrames frames; the lock is held.
void RenderChunk(std::int16_t* out, int frames) {
  AudioDeviceState& s = S();
  std::fill(s.accumulator, s.accumulator + 2 * frames, 0.0f);
  for (AudioVoice* voice : s.voices) AudioMixerAddVoice(voice, s.rate, s.accumulator, frames);
  if (s.source) s.source(s.accumulator, frames, s.rate, s.sourceContext);
  AudioMixerSaturate(s.accumulator, out, 2 * frames);
}

void SDLCALL Callback(void*, Uint8* stream, int bytes) {
  AudioDeviceRender(reinterpret_cast<std::int16_t*>(stream), bytes / 4);
}

bool OpenDevice() {
  AudioDeviceState& s = S();
  if (s.manual) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = s.rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kAudioDeviceBufferFrames;
  want.callback = Callback;
  SDL_AudioSpec have{};
  // No allowed changes: SDL converts if the hardware wants something else,
  // so the callback always writes S16 stereo at our rate.
  s.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (s.device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(s.device, 0);
  return true;
}

void CloseDevice() {
  AudioDeviceState& s = S();
  if (s.device == 0) return;
  // Never under our lock: closing waits for a callback that may be waiting
  // for it.
  SDL_CloseAudioDevice(s.device);
  s.device = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace

bool AudioDeviceAcquire() {
  AudioDeviceState& s = S();
  if (s.references == 0 && !OpenDevice()) return false;
  ++s.references;
  return true;
}

void AudioDeviceRelease() {
  AudioDeviceState& s = S();
  if (s.references == 0) return;
  if (--s.references == 0) CloseDevice();
}

bool AudioDeviceIsOpen() { return S().device != 0 || (S().manual && S().references > 0); }

void AudioDeviceUseManualOutputForTests(bool manual) {
  if (S().references == 0) S().manual = manual;
}

int AudioDeviceGetRate() { return S().rate; }

bool AudioDeviceSetRate(int rate) {
  AudioDeviceState& s = S();
  if (rate < 8000 || rate > 192000) return false;
  if (rate == s.rate) return s.references == 0 || AudioDeviceIsOpen();
  s.rate = rate;
  if (s.references == 0) return true;
  CloseDevice();
  return OpenDevice();
}

void AudioDeviceLock() { S().lock.lock(); }
void AudioDeviceUnlock() { S().lock.unlock(); }

void AudioDeviceAddVoice(AudioVoice* voice) {
  AudioDeviceLockGuard hold;
  auto& voices = S().voices;
  if (voice && std::find(voices.begin(), voices.end(), voice) == voices.end()) voices.push_back(voice);
}

void AudioDeviceRemoveVoice(AudioVoice* voice) {
  AudioDeviceLockGuard hold;
  auto& voices = S().voices;
  voices.erase(std::remove(voices.begin(), voices.end(), voice), voices.end());
}

void AudioDeviceSetRenderSource(AudioRenderSource source, void* context) {
  AudioDeviceLockGuard hold;
  S().source = source;
  S().sourceContext = context;
}

void AudioDeviceRender(std::int16_t* out, int frames) {
  AudioDeviceLockGuard hold;
  while (frames > 0) {
    const int chunk = std::min(frames, kAudioDeviceBufferFrames);
    RenderChunk(out, chunk);
    out += 2 * chunk;
    frames -= chunk;
  }
}
