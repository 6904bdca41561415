// WaveFileFuzz.cpp - the sound samples' WAV reader: any bytes as a WAV file,
// read for its format only, read whole, and loaded into a DirectSound buffer
// (mixed without a device).
#include <string>

#include "Engine/DX9/EngSoundDX9.h"
#include "Engine/EngSound.h"
#include "Platform/AudioDevice.h"
#include "Platform/DSound.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

void StartSoundOnce() {
  static bool started = false;
  if (started) return;
  AudioDeviceUseManualOutputForTests(true);
  started = EngSoundInit(1, true, true, false, nullptr);
}

std::string LittleEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

std::string Wave(int channels, int bits, int rate, const std::string& samples, const std::string& before = "") {
  const int align = channels * bits / 8;
  const std::string format = LittleEndian(1, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4) +
                             LittleEndian(rate * align, 4) + LittleEndian(align, 2) + LittleEndian(bits, 2);
  std::string body = "WAVE" + before + "fmt " + LittleEndian(16, 4) + format + "data" +
                     LittleEndian(static_cast<std::uint32_t>(samples.size()), 4) + samples;
  if (samples.size() % 2) body.push_back('\0');
  return "RIFF" + LittleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  StartSoundOnce();
  FuzzWriteFile("sound.wav", data, size);

  EngSoundWaveData format;
  const bool formatRead = EngSoundReadWaveFile("sound.wav", true, &format);
  EngSoundWaveData wave;
  const bool read = EngSoundReadWaveFile("sound.wav", false, &wave);
  FUZZ_CHECK(!read || formatRead);
  if (read) {
    const EngSoundWaveFormat& f = wave.format;
    FUZZ_CHECK(f.formatTag == 1 && (f.channels == 1 || f.channels == 2));
    FUZZ_CHECK(f.bitsPerSample == 8 || f.bitsPerSample == 16);
    FUZZ_CHECK(f.blockAlign == f.channels * f.bitsPerSample / 8);
    FUZZ_CHECK(!wave.samples.empty() && wave.samples.size() % f.blockAlign == 0);
    FUZZ_CHECK(wave.samples.size() + 44 <= size);
  }

  EngSound sound;
  const bool loaded = sound.LoadFromFile("sound.wav", false);
  FUZZ_CHECK(loaded == read);
  if (loaded) {
    sound.SetVolume(1.0f);
    sound.SetFrequencyFloat(0.5f);
    sound.Play();
    std::int16_t out[2 * 256];
    AudioDeviceRender(out, 256);
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  std::string ramp;
  for (int i = 0; i < 64; ++i) ramp += LittleEndian(static_cast<std::uint32_t>(i * 512), 2);
  return {
      {"mono16.wav", Wave(1, 16, 44100, ramp)},
      {"stereo8.wav", Wave(2, 8, 22050, ramp.substr(0, 40))},
      {"list-first.wav", Wave(1, 16, 11025, ramp.substr(0, 20), "LIST" + LittleEndian(3, 4) + "abc" + '\0')},
  };
}
