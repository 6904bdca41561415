// Tests of the DirectSound-shaped sounds: what the object and its buffers
// refuse, what releasing the object frees, and the sound itself, mixed
// without a device and captured from SDL's disk audio driver.
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/AudioDevice.h"
#include "Platform/DSound.h"
#include "Platform/Time.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

WAVEFORMATEX Pcm(int channels, int bits, DWORD rate) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.wBitsPerSample = static_cast<WORD>(bits);
  format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
  format.nSamplesPerSec = rate;
  format.nAvgBytesPerSec = rate * format.nBlockAlign;
  return format;
}

// A secondary buffer holding a 16-bit mono sine.
IDirectSoundBuffer* SineBuffer(IDirectSound8* ds, double hertz, double seconds, std::int16_t amplitude,
                               DWORD flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY) {
  WAVEFORMATEX format = Pcm(1, 16, 44100);
  const auto frames = static_cast<DWORD>(seconds * 44100);
  DSBUFFERDESC description{36, DSBCAPS_STATIC | flags, frames * 2, 0, &format};
  IDirectSoundBuffer* buffer = nullptr;
  if (FAILED(ds->CreateSoundBuffer(&description, &buffer, nullptr))) return nullptr;
  void* part1 = nullptr;
  DWORD bytes1 = 0;
  buffer->Lock(0, 0, &part1, &bytes1, nullptr, nullptr, DSBLOCK_ENTIREBUFFER);
  auto* samples = static_cast<std::int16_t*>(part1);
  for (DWORD i = 0; i < frames; ++i) {
    samples[i] = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2.0 * kPi * hertz * i / 44100.0)));
  }
  buffer->Unlock(part1, bytes1, nullptr, 0);
  return buffer;
}

struct Segment {
  int peak = 0;
  int crossings = 0;  // sign changes of the left channel
};

Segment Measure(const std::vector<std::int16_t>& stereo, std::size_t firstFrame, std::size_t frames) {
  Segment segment;
  int previous = 0;
  for (std::size_t i = firstFrame; i < firstFrame + frames && 2 * i < stereo.size(); ++i) {
    const int left = stereo[2 * i];
    segment.peak = std::max(segment.peak, std::abs(left));
    if ((left > 0 && previous < 0) || (left < 0 && previous > 0)) ++segment.crossings;
    if (left != 0) previous = left;
  }
  return segment;
}

class DSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AudioDeviceUseManualOutputForTests(true);
    ASSERT_EQ(DirectSoundCreate8(nullptr, &ds_, nullptr), DS_OK);
  }
  void TearDown() override {
    if (ds_) ds_->Release();
    AudioDeviceUseManualOutputForTests(false);
  }
  IDirectSound8* ds_ = nullptr;
};

}  // namespace

TEST_F(DSoundTest, TheObjectAndItsBuffersRefuseWhatTheyCannotPlay) {
  WAVEFORMATEX good = Pcm(1, 16, 44100);
  DSBUFFERDESC description{36, DSBCAPS_STATIC, 400, 0, &good};
  IDirectSoundBuffer* buffer = nullptr;
  EXPECT_EQ(ds_->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_PRIOLEVELNEEDED);
  ASSERT_EQ(ds_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);

  WAVEFORMATEX wrongAlign = Pcm(2, 16, 44100);
  wrongAlign.nBlockAlign = 2;
  WAVEFORMATEX notPcm = good;
  notPcm.wFormatTag = 3;
  const struct {
    WAVEFORMATEX format;
    DWORD bytes;
    HRESULT expected;
  } cases[] = {
      {Pcm(1, 24, 44100), 402, DSERR_BADFORMAT}, {Pcm(3, 16, 44100), 402, DSERR_BADFORMAT},
      {Pcm(1, 16, 50), 400, DSERR_BADFORMAT},    {wrongAlign, 400, DSERR_BADFORMAT},
      {notPcm, 400, DSERR_BADFORMAT},            {good, 401, DSERR_INVALIDPARAM},
      {good, 2, DSERR_INVALIDPARAM},             {Pcm(2, 8, 22050), 400, DS_OK},
  };
  for (const auto& c : cases) {
    WAVEFORMATEX format = c.format;
    DSBUFFERDESC asked{36, DSBCAPS_STATIC, c.bytes, 0, &format};
    EXPECT_EQ(ds_->CreateSoundBuffer(&asked, &buffer, nullptr), c.expected)
        << format.nChannels << " x " << format.wBitsPerSample << " @ " << format.nSamplesPerSec << ", " << c.bytes;
    if (buffer) buffer->Release();
    buffer = nullptr;
  }
  IDirectSound8* second = nullptr;
  EXPECT_EQ(DirectSoundCreate8(nullptr, &second, nullptr), DSERR_ALLOCATED);
}

TEST_F(DSoundTest, ControlsNeedTheirCapabilityAndStayInRange) {
  ASSERT_EQ(ds_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  IDirectSoundBuffer* plain = SineBuffer(ds_, 1000, 0.01, 1000, 0);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->SetFrequency(22050), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plain->SetVolume(-600), DSERR_CONTROLUNAVAIL);
  void* object = nullptr;
  EXPECT_EQ(plain->QueryInterface(IID_IDirectSound3DBuffer, &object), E_NOINTERFACE);
  plain->Release();

  IDirectSoundBuffer* controlled = SineBuffer(ds_, 1000, 0.01, 1000);
  ASSERT_NE(controlled, nullptr);
  const struct {
    DWORD asked;
    HRESULT result;
    DWORD after;
  } frequencies[] = {{99, DSERR_INVALIDPARAM, 44100}, {100, DS_OK, 100}, {200000, DS_OK, 200000},
                     {200001, DSERR_INVALIDPARAM, 200000}, {DSBFREQUENCY_ORIGINAL, DS_OK, 44100}};
  for (const auto& f : frequencies) {
    EXPECT_EQ(controlled->SetFrequency(f.asked), f.result) << f.asked;
    DWORD now = 0;
    controlled->GetFrequency(&now);
    EXPECT_EQ(now, f.after) << f.asked;
  }
  EXPECT_EQ(controlled->SetVolume(-10001), DSERR_INVALIDPARAM);
  EXPECT_EQ(controlled->SetVolume(1), DSERR_INVALIDPARAM);
  EXPECT_EQ(controlled->SetVolume(-602), DS_OK);
  controlled->Release();
}

TEST_F(DSoundTest, TheThreeDInterfaceIsTheSameBufferAndKeepsItAlive) {
  ASSERT_EQ(ds_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  IDirectSoundBuffer* buffer = SineBuffer(ds_, 1000, 0.01, 1000, DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME);
  ASSERT_NE(buffer, nullptr);
  void* object = nullptr;
  ASSERT_EQ(buffer->QueryInterface(IID_IDirectSound3DBuffer, &object), DS_OK);
  auto* buffer3D = static_cast<IDirectSound3DBuffer*>(object);
  EXPECT_EQ(buffer->Release(), 1u);  // the 3D interface still holds it
  EXPECT_EQ(buffer3D->SetMinDistance(1.0f, DS3D_IMMEDIATE), DS_OK);
  EXPECT_EQ(buffer3D->SetMaxDistance(10000.0f, DS3D_IMMEDIATE), DS_OK);
  float distance = 0;
  buffer3D->GetMaxDistance(&distance);
  EXPECT_EQ(distance, 10000.0f);
  EXPECT_EQ(buffer3D->Release(), 0u);
}

TEST_F(DSoundTest, ReleasingTheObjectFreesItsBuffersAndTheDevice) {
  ASSERT_EQ(ds_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  ASSERT_NE(SineBuffer(ds_, 1000, 0.1, 1000), nullptr);
  IDirectSoundBuffer* playing = SineBuffer(ds_, 1000, 0.1, 1000);
  ASSERT_NE(playing, nullptr);
  playing->Play(0, 0, DSBPLAY_LOOPING);
  EXPECT_TRUE(AudioDeviceIsOpen());
  EXPECT_EQ(ds_->Release(), 0u);  // both buffers go with it (the leak checker watches)
  ds_ = nullptr;
  EXPECT_FALSE(AudioDeviceIsOpen());
  std::int16_t out[64];
  AudioDeviceRender(out, 32);  // no voice is left to read freed memory
  for (std::int16_t sample : out) EXPECT_EQ(sample, 0);
}

TEST_F(DSoundTest, APlayedBufferIsMixedOnceFromItsStart) {
  ASSERT_EQ(ds_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  IDirectSoundBuffer* buffer = SineBuffer(ds_, 1000, 0.05, 16000);
  ASSERT_NE(buffer, nullptr);
  std::vector<std::int16_t> out(2 * 4410);
  buffer->SetCurrentPosition(0);
  buffer->Play(0, 0, 0);
  DWORD status = 0;
  buffer->GetStatus(&status);
  EXPECT_EQ(status, DSBSTATUS_PLAYING);
  AudioDeviceRender(out.data(), 4410);
  EXPECT_GT(Measure(out, 0, 2205).peak, 15900);
  EXPECT_EQ(Measure(out, 2205, 2205).peak, 0);  // 0.05 s played, then silence
  buffer->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  buffer->Release();
}

// The plays in a capture: runs of sound between silences of 200 frames or
// more, each measured over its first 40 ms (runs shorter than that are left
// out); the frames of silence after the last run come back in *quietAfter.
constexpr std::size_t kWindow = 1764;
std::vector<Segment> Plays(const std::vector<std::int16_t>& stereo, std::size_t* quietAfter) {
  std::vector<Segment> plays;
  std::size_t frame = 0, lastEnd = 0;
  const std::size_t frames = stereo.size() / 2;
  while (frame < frames) {
    while (frame < frames && stereo[2 * frame] == 0) ++frame;
    if (frame == frames) break;
    std::size_t end = frame, quiet = 0;
    while (end < frames && quiet < 200) {
      quiet = stereo[2 * end] == 0 ? quiet + 1 : 0;
      ++end;
    }
    if (end > frame + kWindow) {
      plays.push_back(Measure(stereo, frame, kWindow));
      lastEnd = end - quiet;
    }
    frame = end;
  }
  *quietAfter = frames > lastEnd ? frames - lastEnd : 0;
  return plays;
}

std::vector<std::int16_t> ReadCapture(const std::filesystem::path& capture) {
  std::ifstream in(capture, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> stereo(bytes.size() / 2);
  if (!stereo.empty()) std::memcpy(stereo.data(), bytes.data(), stereo.size() * 2);
  return stereo;
}

// The real output path: SDL's disk driver writes what the callback mixed.
// A 1 kHz sine plays at full volume, at -6.02 dB, then at twice its rate;
// each play waits for the one before to be in the capture with a silence
// after it, so a busy machine only takes longer.
TEST(DSoundCaptureTest, VolumeHalvesTheAmplitudeAndTwiceTheRateDoublesTheCrossings) {
  const std::filesystem::path capture =
      std::filesystem::temp_directory_path() / ("cardolia-capture-" + std::to_string(::getpid()) + ".raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
  IDirectSound8* ds = nullptr;
  const HRESULT made = DirectSoundCreate8(nullptr, &ds, nullptr);
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
  if (made == DSERR_NODRIVER) GTEST_SKIP() << "SDL's disk audio driver is not available";
  ASSERT_EQ(made, DS_OK);
  ASSERT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  IDirectSoundBuffer* sine = SineBuffer(ds, 1000, 0.1, 16000);
  ASSERT_NE(sine, nullptr);
  const LONG volumes[] = {0, -602, 0};
  const DWORD rates[] = {44100, 44100, 88200};
  for (int i = 0; i < 3; ++i) {
    sine->SetVolume(volumes[i]);
    sine->SetFrequency(rates[i]);
    sine->SetCurrentPosition(0);
    sine->Play(0, 0, 0);
    // Waits (bounded) until this play is in the capture, with 2,000 frames
    // of silence after it (the file is written in blocks of some 2,000).
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::size_t quiet = 0;
    while (Plays(ReadCapture(capture), &quiet).size() < static_cast<std::size_t>(i + 1) || quiet < 2000) {
      ASSERT_LT(std::chrono::steady_clock::now(), until) << "play " << i << " in the capture";
      Sleep(10);
    }
  }
  sine->Release();
  ds->Release();  // closes the device: the file is complete

  const std::vector<std::int16_t> stereo = ReadCapture(capture);
  std::filesystem::remove(capture);
  std::size_t quiet = 0;
  const std::vector<Segment> plays = Plays(stereo, &quiet);
  ASSERT_EQ(plays.size(), 3u) << "captured " << stereo.size() / 2 << " frames";
  EXPECT_NEAR(plays[0].peak, 16000, 40);
  EXPECT_NEAR(static_cast<double>(plays[1].peak) / plays[0].peak, 0.5, 0.01);
  // 40 ms of 1 kHz changes sign 80 times; at twice the rate, 160 times.
  EXPECT_NEAR(plays[0].crossings, 80, 2);
  EXPECT_NEAR(plays[2].crossings, 160, 2);
}
