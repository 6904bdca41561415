// AudioBench.cpp - the sound and music paths, mixed without a device:
//   Mix28Voices      one second of output with all 28 card sounds playing
//                    (the 13 foundation copies at their rising rates)
//   RenderTuneSecond one second of the end-of-game tune from the synthesiser
//   FirstMidiOpen    opening the tune when nothing is loaded yet (the
//                    soundfont is read then)
// Run from a Release build: <build>/tests/Bench/AudioBench
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "Platform/AudioDevice.h"
#include "Platform/AudioMixer.h"
#include "Platform/Mci.h"

namespace {

constexpr int kRate = 44100;
const std::string kTune = CARDOLIA_BUILD_DIR "/Data/Main/0200.dat";

void Mix28Voices(benchmark::State& state) {
  AudioDeviceUseManualOutputForTests(true);
  AudioDeviceAcquire();
  // One second of a 16-bit mono tone per voice, looping so that every voice
  // plays for the whole second.
  std::vector<std::vector<std::uint8_t>> samples(28);
  std::vector<AudioVoice> voices(28);
  for (int v = 0; v < 28; ++v) {
    samples[v].resize(2 * kRate);
    for (int i = 0; i < kRate; ++i) {
      const auto value = static_cast<std::int16_t>(3000 * std::sin(0.05 * (v + 1) * i));
      std::memcpy(&samples[v][2 * static_cast<std::size_t>(i)], &value, 2);
    }
    AudioVoice& voice = voices[v];
    voice.data = samples[v].data();
    voice.frames = kRate;
    voice.frequency = v >= 15 ? static_cast<std::uint32_t>(100 + 199900 * (0.2101 + 0.016 * (v - 15))) : kRate;
    voice.gain = 0.25f;
    voice.looping = true;
    voice.playing = true;
    AudioDeviceAddVoice(&voice);
  }
  std::vector<std::int16_t> out(2 * kRate);
  for (auto _ : state) {
    AudioDeviceRender(out.data(), kRate);
    benchmark::DoNotOptimize(out.data());
  }
  for (AudioVoice& voice : voices) AudioDeviceRemoveVoice(&voice);
  AudioDeviceRelease();
}
BENCHMARK(Mix28Voices)->Unit(benchmark::kMillisecond);

void RenderTuneSecond(benchmark::State& state) {
  AudioDeviceUseManualOutputForTests(true);
  const std::string open = "open " + kTune + " type sequencer alias tune";
  if (mciSendStringA(open.c_str(), nullptr, 0, nullptr) != 0) {
    state.SkipWithError("the tune does not open");
    return;
  }
  std::vector<std::int16_t> out(2 * kRate);
  int second = 0;
  for (auto _ : state) {
    if (second++ % 20 == 0) {
      state.PauseTiming();
      mciSendStringA("play tune from 1", nullptr, 0, nullptr);
      state.ResumeTiming();
    }
    AudioDeviceRender(out.data(), kRate);
    benchmark::DoNotOptimize(out.data());
  }
  mciSendStringA("close tune", nullptr, 0, nullptr);
}
BENCHMARK(RenderTuneSecond)->Unit(benchmark::kMillisecond);

void FirstMidiOpen(benchmark::State& state) {
  AudioDeviceUseManualOutputForTests(true);
  const std::string open = "open " + kTune + " type sequencer alias first";
  for (auto _ : state) {
    state.PauseTiming();
    MciShutdown();  // nothing loaded: the next open reads the soundfont
    state.ResumeTiming();
    if (mciSendStringA(open.c_str(), nullptr, 0, nullptr) != 0) state.SkipWithError("the tune does not open");
    state.PauseTiming();
    mciSendStringA("close first", nullptr, 0, nullptr);
    state.ResumeTiming();
  }
  MciShutdown();
}
BENCHMARK(FirstMidiOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
