// The game's sound path end to end, through SDL's disk audio driver: a deal
// sound, then the end-of-game tune, as the game starts them (sample file
// 0210 setting the format, the tune in slot 0 with notification). The
// capture is saved as a WAV file a person can play:
// screenshots/deal-then-tune.wav in the build folder.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/DX9/EngMidi.h"
#include "Engine/EngSound.h"
#include "Platform/Mci.h"
#include "Platform/Time.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

void PutLittleEndian(std::string* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// 16-bit stereo PCM at 44.1 kHz around the raw samples.
std::string StereoWave(const std::string& samples) {
  std::string file = "RIFF";
  PutLittleEndian(&file, static_cast<std::uint32_t>(36 + samples.size()), 4);
  file += "WAVEfmt ";
  PutLittleEndian(&file, 16, 4);
  PutLittleEndian(&file, 1, 2);
  PutLittleEndian(&file, 2, 2);
  PutLittleEndian(&file, 44100, 4);
  PutLittleEndian(&file, 44100 * 4, 4);
  PutLittleEndian(&file, 4, 2);
  PutLittleEndian(&file, 16, 2);
  file += "data";
  PutLittleEndian(&file, static_cast<std::uint32_t>(samples.size()), 4);
  return file + samples;
}

// Loudest left sample between two times of the capture.
int Peak(const std::vector<std::int16_t>& stereo, double from, double to) {
  int peak = 0;
  for (auto i = static_cast<std::size_t>(from * 44100); i < static_cast<std::size_t>(to * 44100) && 2 * i < stereo.size(); ++i) {
    peak = std::max(peak, std::abs(static_cast<int>(stereo[2 * i])));
  }
  return peak;
}

// Time of the first left sample louder than the level after a given time,
// or -1 when there is none.
double FirstLouderThan(const std::vector<std::int16_t>& stereo, double from, int level) {
  for (auto i = static_cast<std::size_t>(from * 44100); 2 * i < stereo.size(); ++i) {
    if (std::abs(static_cast<int>(stereo[2 * i])) > level) return static_cast<double>(i) / 44100.0;
  }
  return -1.0;
}

class SoundCaptureTest : public GraphicsTest {
 protected:
  void TearDown() override {
    EngMidiCloseAll();
    MciShutdown();
    EngSoundShutdown();
    EngSoundResetSettingsForTests();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    GraphicsTest::TearDown();
  }
};

// The capture so far: 16-bit stereo frames as SDL's disk driver has
// written them (in blocks, so it trails the sound by up to a block).
std::vector<std::int16_t> ReadCapture(const std::string& capture) {
  std::ifstream in(capture, std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> stereo(raw.size() / 2);
  if (!stereo.empty()) std::memcpy(stereo.data(), raw.data(), stereo.size() * 2);
  return stereo;
}

double Seconds(const std::vector<std::int16_t>& stereo) { return static_cast<double>(stereo.size() / 2) / 44100.0; }

// Waits (bounded) until the capture so far passes the test.
template <typename Test>
bool WaitForCapture(const std::string& capture, Test test, double seconds = 30) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!test(ReadCapture(capture))) {
    if (std::chrono::steady_clock::now() >= until) return false;
    Sleep(10);
  }
  return true;
}

}  // namespace

// Times are the capture's own (the sound's time, as the driver writes it in
// step with the clock): on a busy machine each step waits for the capture to
// get there rather than for the clock.
TEST_F(SoundCaptureTest, ADealSoundThenTheTuneReachTheOutput) {
  Start();
  const std::string data = CARDOLIA_BUILD_DIR "/Data/Main/";
  const std::string capture = dir_ + "/capture.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
  if (!EngSoundInit(1, true, true, false, (data + "0210.dat").c_str())) {
    GTEST_SKIP() << "SDL's disk audio driver is not available";
  }
  EngSound deal;
  ASSERT_TRUE(deal.LoadFromFile((data + "0210.dat").c_str(), false));
  deal.SetVolume(1.0f);
  EngMidiInit();
  // Asked for no earlier than the capture's end now.
  const double dealAt = Seconds(ReadCapture(capture));
  ASSERT_TRUE(deal.Play());
  // The flick, and 0.4 s after its start.
  double flick = -1;
  ASSERT_TRUE(WaitForCapture(capture, [&flick](const std::vector<std::int16_t>& stereo) {
    flick = FirstLouderThan(stereo, 0, 8000);
    return flick >= 0 && Seconds(stereo) >= flick + 0.4;
  })) << "the deal sound in the capture";
  ASSERT_TRUE(EngMidiLoadFromFile(0, (data + "0200.dat").c_str(), true));
  // Asked for no earlier than the capture's end now.
  const double playAt = Seconds(ReadCapture(capture));
  ASSERT_TRUE(EngMidiPlay(0));
  // The tune's first note, and 1.3 s past it.
  double onset = -1;
  EXPECT_TRUE(WaitForCapture(capture, [&](const std::vector<std::int16_t>& stereo) {
    onset = FirstLouderThan(stereo, flick + 0.38, 2000);
    return onset > 0 && Seconds(stereo) >= onset + 1.3;
  })) << "the tune in the capture";
  EngMidiStop(0);
  EngMidiClose(0);
  deal.Destroy();
  EngSoundShutdown();  // the last holder closes the device: the file is complete

  std::ifstream in(capture, std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::vector<std::int16_t> stereo = ReadCapture(capture);
  const double seconds = Seconds(stereo);

  // The flick (louder than 8,000 from its start) sounds as soon as it is
  // asked for and is over well before the music starts.
  EXPECT_GE(flick, dealAt);
  EXPECT_LT(flick, dealAt + 0.2) << "the deal sound started late";
  EXPECT_EQ(Peak(stereo, flick + 0.2, flick + 0.38), 0);
  onset = FirstLouderThan(stereo, flick + 0.38, 2000);
  ASSERT_GT(onset, 0.0) << "the tune never sounded in " << seconds << " s";
  EXPECT_GE(onset, playAt - 0.1) << "the tune sounded before it was asked for at " << playAt << " s";
  EXPECT_LT(onset, playAt + 1.0) << "the tune started more than a second after it was asked for at " << playAt << " s";
  EXPECT_GT(Peak(stereo, onset + 0.25, std::min(onset + 1.25, seconds)), 2000) << "the tune stopped after its first note";

  const std::filesystem::path folder = CARDOLIA_BUILD_DIR "/screenshots";
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / "deal-then-tune.wav", std::ios::binary | std::ios::trunc);
  const std::string wave = StereoWave(raw.substr(0, stereo.size() * 2));
  out.write(wave.data(), static_cast<std::streamsize>(wave.size()));
  EXPECT_TRUE(out.good());
}
