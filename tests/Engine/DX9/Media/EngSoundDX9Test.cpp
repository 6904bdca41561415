// Tests of the sound front-end and its DirectSound back end: the settings
// and the sound system's start, WAV files that are refused or accepted,
// volume and frequency, the sound-on flag, sounds outliving the system, and
// the game's own sound files. Mixed without a sound device.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/DX9/EngSoundDX9.h"
#include "Engine/EngSound.h"
#include "Platform/AudioDevice.h"
#include "Platform/DSound.h"
#include "tests/Support/TestSupport.h"

namespace {

std::string LittleEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

// An id, the data's size (or `claimed`), the data, a pad byte when odd.
std::string Chunk(const std::string& id, const std::string& data, std::uint32_t claimed = 0xFFFFFFFF) {
  std::string out = id + LittleEndian(claimed == 0xFFFFFFFF ? static_cast<std::uint32_t>(data.size()) : claimed, 4);
  out += data;
  if (data.size() % 2) out.push_back('\0');
  return out;
}

// The "fmt " chunk's contents: 16 bytes, or 18 with the extra-size word.
std::string Format(int tag, int channels, int rate, int bits, int blockAlign = -1, bool extraWord = false) {
  if (blockAlign < 0) blockAlign = channels * bits / 8;
  std::string out = LittleEndian(tag, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4) +
                    LittleEndian(rate * blockAlign, 4) + LittleEndian(blockAlign, 2) + LittleEndian(bits, 2);
  if (extraWord) out += LittleEndian(0, 2);
  return out;
}

// claimed: a size to write instead of the true one.
std::string Riff(const std::string& chunks, std::uint32_t claimed = 0xFFFFFFFF) {
  return Chunk("RIFF", "WAVE" + chunks, claimed);
}

std::string Ramp(int frames) {
  std::string out;
  for (int i = 0; i < frames; ++i) out += LittleEndian(static_cast<std::uint16_t>(i * 100), 2);
  return out;
}

int RenderPeak(int frames) {
  std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames));
  AudioDeviceRender(out.data(), frames);
  int peak = 0;
  for (std::int16_t s : out) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

LONG BufferVolume(EngSound& sound) {
  LONG volume = 1;
  sound.buffer->GetVolume(&volume);
  return volume;
}

class EngSoundTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    AudioDeviceUseManualOutputForTests(true);
  }
  void TearDown() override {
    EngSoundShutdown();
    EngSoundResetSettingsForTests();
    AudioDeviceUseManualOutputForTests(false);
    TempDirTest::TearDown();
  }
  // Starts DirectSound with frequency control, the format taken from a
  // 44.1 kHz sample file.
  void Start() {
    WriteFile("sample.wav", Riff(Chunk("fmt ", Format(1, 1, 44100, 16)) + Chunk("data", Ramp(10))));
    ASSERT_TRUE(EngSoundInit(1, true, true, false, "sample.wav"));
  }
};

}  // namespace

TEST_F(EngSoundTest, SettingsAreCheckedBeforeTheSystemStarts) {
  EXPECT_FALSE(EngSoundInit(0, false, false, false, nullptr));
  EXPECT_TRUE(LogContains("( EngSoundInit )    Sound parameters not setup"));
  EXPECT_FALSE(EngSoundInit(1, false, false, false, std::string(512, 'n').c_str()));
  EXPECT_TRUE(LogContains("Sample sound filename too long"));
  EXPECT_FALSE(EngSoundInit(2, false, false, false, nullptr));
  EXPECT_TRUE(LogContains("Unknown sound system 2"));
  EXPECT_FALSE(EngSoundGetSettings().soundOn);
  // Without a sample file DirectSound starts with the device's own format.
  EXPECT_TRUE(EngSoundInit(1, false, false, false, nullptr));
  EXPECT_TRUE(EngSoundGetSettings().soundOn);
}

TEST_F(EngSoundTest, TheSampleFileSetsTheOutputRate) {
  WriteFile("slow.wav", Riff(Chunk("fmt ", Format(1, 1, 22050, 16)) + Chunk("data", Ramp(10))));
  ASSERT_TRUE(EngSoundInit(1, false, false, false, "slow.wav"));
  EXPECT_EQ(AudioDeviceGetRate(), 22050);
  EngSoundShutdown();
  AudioDeviceSetRate(kAudioDeviceDefaultRate);
  // A sample that cannot be read stops the start.
  EngSoundResetSettingsForTests();
  EXPECT_FALSE(EngSoundInit(1, false, false, false, "missing.wav"));
  EXPECT_TRUE(LogContains("(primary)SetFormat"));
}

TEST_F(EngSoundTest, WaveFilesAreTrustedOnlyAsFarAsTheyProve) {
  Start();
  const std::string pcm16 = Format(1, 1, 44100, 16);
  const std::string data = Chunk("data", Ramp(50));
  const struct {
    const char* what;
    std::string file;
    int loadedBytes;  // -1: refused
  } cases[] = {
      {"16-byte fmt", Riff(Chunk("fmt ", pcm16) + data), 100},
      {"18-byte fmt", Riff(Chunk("fmt ", Format(1, 1, 44100, 16, -1, true)) + data), 100},
      {"8-bit stereo", Riff(Chunk("fmt ", Format(1, 2, 22050, 8)) + data), 100},
      {"an odd chunk before the data", Riff(Chunk("fmt ", pcm16) + Chunk("LIST", "abc") + data), 100},
      {"half a frame at the end", Riff(Chunk("fmt ", pcm16) + Chunk("data", Ramp(50) + "x")), 100},
      {"not PCM", Riff(Chunk("fmt ", Format(3, 1, 44100, 32)) + data), -1},
      {"24-bit", Riff(Chunk("fmt ", Format(1, 1, 44100, 24)) + data), -1},
      {"three channels", Riff(Chunk("fmt ", Format(1, 3, 44100, 16)) + data), -1},
      {"a wrong block align", Riff(Chunk("fmt ", Format(1, 2, 44100, 16, 2)) + data), -1},
      {"a rate of 50 Hz", Riff(Chunk("fmt ", Format(1, 1, 50, 16)) + data), -1},
      {"a 14-byte fmt", Riff(Chunk("fmt ", pcm16.substr(0, 14)) + data), -1},
      {"no data", Riff(Chunk("fmt ", pcm16)), -1},
      {"empty data", Riff(Chunk("fmt ", pcm16) + Chunk("data", "")), -1},
      {"one frame, smaller than any buffer", Riff(Chunk("fmt ", pcm16) + Chunk("data", Ramp(1))), -1},
      {"data past the end of the file", Riff(Chunk("fmt ", pcm16) + Chunk("data", Ramp(50), 100000)), -1},
      {"data past the end of the RIFF chunk", Riff(Chunk("fmt ", pcm16) + data, 4 + 24) + "trailing bytes", -1},
      {"a RIFF chunk past the end of the file", Riff(Chunk("fmt ", pcm16) + data, 5000), -1},
      {"fmt past the end of the RIFF chunk", Riff(Chunk("fmt ", pcm16, 400) + data), -1},
      {"not a RIFF file", "just some text, nothing like a wave", -1},
  };
  for (const auto& c : cases) {
    WriteFile("case.wav", c.file);
    ClearLog();
    EngSound sound;
    const bool loaded = sound.LoadFromFile("case.wav", false);
    EXPECT_EQ(loaded, c.loadedBytes >= 0) << c.what;
    if (loaded) {
      void* part1 = nullptr;
      DWORD bytes1 = 0;
      ASSERT_EQ(sound.buffer->Lock(0, 0, &part1, &bytes1, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
      EXPECT_EQ(static_cast<int>(bytes1), c.loadedBytes) << c.what;
      EXPECT_TRUE(sound.IsLoaded());
    } else {
      EXPECT_TRUE(LogContains("( LoadSoundFromFileDX )    Invalid format in case.wav")) << c.what;
      EXPECT_FALSE(sound.IsLoaded());
      EXPECT_FALSE(sound.Play());  // a failed load plays nothing
    }
  }
  EngSound missing;
  EXPECT_FALSE(missing.LoadFromFile("missing.wav", false));
  EXPECT_TRUE(LogContains("Can not open wafefile missing.wav"));
}

TEST_F(EngSoundTest, VolumeAndFrequencyFollowTheirScales) {
  Start();
  WriteFile("s.wav", Riff(Chunk("fmt ", Format(1, 1, 44100, 16)) + Chunk("data", Ramp(100))));
  EngSound sound("s.wav", false);
  ASSERT_TRUE(sound.IsLoaded());
  const struct {
    float volume;
    LONG hundredths;
  } volumes[] = {{1.0f, 0}, {0.5f, -602}, {0.25f, -1204}, {0.0f, -10000}, {2.0f, 0}, {-1.0f, -10000}};
  for (const auto& v : volumes) {
    EXPECT_TRUE(sound.SetVolume(v.volume));
    EXPECT_EQ(BufferVolume(sound), v.hundredths) << v.volume;
  }
  EXPECT_TRUE(sound.SetFrequencyFloat(0.5f));
  DWORD hertz = 0;
  sound.buffer->GetFrequency(&hertz);
  EXPECT_EQ(hertz, 100050u);
  EXPECT_FLOAT_EQ(sound.GetFrequencyFloat(), 0.5f);
  EXPECT_TRUE(sound.SetFrequencyFloat(0.0f));
  EXPECT_FLOAT_EQ(sound.GetFrequencyFloat(), 0.0f);
  EXPECT_TRUE(sound.SetFrequencyFloat(1.0f));
  sound.buffer->GetFrequency(&hertz);
  EXPECT_EQ(hertz, 200000u);
}

TEST_F(EngSoundTest, StartingTheSystemTurnsSoundOnAndPlayPlays) {
  WriteFile("s.wav", Riff(Chunk("fmt ", Format(1, 1, 44100, 16)) + Chunk("data", Ramp(100))));
  EngSound early("s.wav", false);  // no system yet: nothing loads, nothing plays
  EXPECT_FALSE(early.Play());
  Start();
  EXPECT_TRUE(EngSoundGetSettings().soundOn);
  EngSound sound("s.wav", false);
  ASSERT_TRUE(sound.IsLoaded());
  sound.SetVolume(1.0f);
  EXPECT_TRUE(sound.Play());
  EXPECT_GT(RenderPeak(200), 9000);
  // Asking for the same system again keeps it: the sound stays playable.
  EXPECT_TRUE(EngSoundUpdate());
  EXPECT_TRUE(sound.Play());
  EXPECT_GT(RenderPeak(200), 9000);
  sound.Destroy();
  EngSoundShutdown();
  EXPECT_FALSE(EngSoundGetSettings().soundOn);
  EXPECT_FALSE(sound.Play());
}

TEST_F(EngSoundTest, ASoundThatOutlivesTheSystemOnlyForgetsItsBuffers) {
  Start();
  WriteFile("s.wav", Riff(Chunk("fmt ", Format(1, 1, 44100, 16)) + Chunk("data", Ramp(100))));
  EngSound sound("s.wav", true);
  ASSERT_NE(sound.buffer3D, nullptr);
  EngSoundShutdown();
  // A new system must not take the old buffers for its own.
  ASSERT_TRUE(EngSoundUpdate());
  ClearLog();
  EXPECT_FALSE(sound.Play());
  EXPECT_FALSE(sound.SetVolume(0.5f));
  sound.Destroy();
  EXPECT_TRUE(LogContains("( EngSound::DestroyDX )    Sound was not released"));
  EXPECT_EQ(sound.buffer, nullptr);
  EXPECT_EQ(sound.buffer3D, nullptr);
}

TEST_F(EngSoundTest, TheConstructorReportsWhatItCouldNotLoad) {
  Start();
  { EngSound noName("", false); }
  EXPECT_TRUE(LogContains("( EngSound::EngSound )    No filename"));
  { EngSound missing("gone.wav", false); }
  EXPECT_TRUE(LogContains("Filename does not exist <gone.wav>"));
  WriteFile("bad.wav", "not a wave");
  { EngSound bad("bad.wav", false); }
  EXPECT_TRUE(LogContains("( EngSound::EngSound )    Could not load sound"));
}

TEST_F(EngSoundTest, ResultsAreDescribedByName) {
  EXPECT_NE(std::string(EngSoundDescribeResult(DSERR_CONTROLUNAVAIL)).find("DSERR_CONTROLUNAVAIL"),
            std::string::npos);
  EXPECT_STREQ(EngSoundDescribeResult(0x1234), "Unknown Error (4660) (0x1234)");
  EngSoundReportError("SetVolume", DSERR_INVALIDPARAM, "Here");
  EXPECT_TRUE(LogContains("( Here )    SetVolume - DSERR_INVALIDPARAM"));
}

// The generated sound files: every one loads as mono 16-bit 44.1 kHz PCM,
// and the bell keeps its energy below 6 kHz so that copies played up to 1.9
// times faster stay below the output's limit.
TEST_F(EngSoundTest, TheGamesSoundFilesLoadAndTheBellStaysLow) {
  Start();
  const std::string folder = CARDOLIA_BUILD_DIR "/Data/Main/";
  for (const char* name : {"0210", "0211", "0212", "0213", "0214", "0220", "0221", "0222", "0223", "0224", "0230",
                           "0231", "0232", "0233", "0234", "0240"}) {
    EngSound sound;
    ASSERT_TRUE(sound.LoadFromFile((folder + name + ".dat").c_str(), false)) << name;
    EXPECT_EQ(sound.format.channels, 1) << name;
    EXPECT_EQ(sound.format.bitsPerSample, 16) << name;
    EXPECT_EQ(sound.format.samplesPerSecond, 44100u) << name;
    EXPECT_GT(sound.lengthSeconds, 0.05f) << name;
    EXPECT_LT(sound.lengthSeconds, 2.0f) << name;
  }
  EngSoundWaveData bell;
  ASSERT_TRUE(EngSoundReadWaveFile((folder + "0240.dat").c_str(), false, &bell));
  const auto* samples = reinterpret_cast<const std::int16_t*>(bell.samples.data());
  constexpr int kWindow = 4096;
  auto magnitude = [&](double hertz) {
    double re = 0, im = 0;
    for (int i = 0; i < kWindow; ++i) {
      const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / (kWindow - 1));
      re += hann * samples[i] * std::cos(2.0 * std::numbers::pi * hertz * i / 44100.0);
      im += hann * samples[i] * std::sin(2.0 * std::numbers::pi * hertz * i / 44100.0);
    }
    return std::hypot(re, im);
  };
  double low = 0, high = 0;
  for (double f = 200; f < 6000; f += 50) low = std::max(low, magnitude(f));
  for (double f = 6500; f < 20000; f += 250) high = std::max(high, magnitude(f));
  EXPECT_LT(high, low * 0.01);
}
