// Tests of the card sounds and the music on a recording back end: loading
// the 28 samples and the foundation scale, the gates (sound switch, mute,
// music option), the foundation cycle, the music started once, a sound
// system that cannot start.
#include <string>
#include <vector>

#include "App/Resolution.h"
#include "App/Sound.h"
#include "Game/UserRecord.h"
#include "tests/Support/TestSupport.h"

namespace {

struct Recorder {
  bool startOk = true;
  std::vector<std::string> missing;  // files that do not load
  std::vector<std::string> calls;
  float frequency[kSoundNumSamples] = {};
  float volume[kSoundNumSamples] = {};
  std::vector<int> played;
};
Recorder g_rec;

const SoundBackEnd kRecording = {
    [](const char* f) { g_rec.calls.push_back(std::string("start ") + f); return g_rec.startOk; },
    [](int i, const char* f) {
      for (const std::string& m : g_rec.missing) {
        if (m == f) return false;
      }
      g_rec.frequency[i] = 0.5f;
      return true;
    },
    [](int i) { return g_rec.frequency[i]; },
    [](int i, float f) { g_rec.frequency[i] = f; },
    [](int i, float v) { g_rec.volume[i] = v; },
    [](int i) { g_rec.played.push_back(i); return true; },
    [](int) {},
    [] { g_rec.calls.push_back("stop"); },
    [] { g_rec.calls.push_back("midi init"); },
    [](int slot, const char* f, bool notify) {
      g_rec.calls.push_back("midi load " + std::to_string(slot) + " " + f + (notify ? " notify" : ""));
      return true;
    },
    [](int slot) { g_rec.calls.push_back("midi play " + std::to_string(slot)); return true; },
    [](int slot) { g_rec.calls.push_back("midi stop " + std::to_string(slot)); },
    [](int slot) { g_rec.calls.push_back("midi close " + std::to_string(slot)); },
    [] { g_rec.calls.push_back("midi close all"); },
};

class SoundTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    g_rec = Recorder();
    SoundSetBackEnd(&kRecording);
    ResolutionSetDefaults();
    g_UserRecord = UserRecord{};
  }
  void TearDown() override {
    SoundSetBackEnd(nullptr);
    TempDirTest::TearDown();
  }
};

TEST_F(SoundTest, SamplesLoadAsAScaleWithThePlayersVolume) {
  g_UserRecord.soundVolume = 0.6f;
  ASSERT_TRUE(SoundInit());
  EXPECT_EQ(g_rec.calls.front(), "start Data\\Main\\0210.dat");
  EXPECT_FLOAT_EQ(g_rec.frequency[0], 0.5f);
  for (int k = 0; k < 13; ++k) {
    EXPECT_FLOAT_EQ(g_rec.frequency[15 + k], 0.5f - 0.01f + k * 0.016f) << k;
  }
  for (float v : g_rec.volume) EXPECT_FLOAT_EQ(v, 0.6f);
  EXPECT_TRUE(SoundIsLoaded());
  // A second start loads nothing again.
  g_rec.frequency[20] = 0.9f;
  ASSERT_TRUE(SoundInit());
  EXPECT_FLOAT_EQ(g_rec.frequency[20], 0.9f);
}

TEST_F(SoundTest, TheFoundationCycleWrapsAfterThirteen) {
  ASSERT_TRUE(SoundInit());
  for (int i = 0; i < 14; ++i) SoundPlaySample(15);
  const std::vector<int> expected = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 15, 16};
  EXPECT_EQ(g_rec.played, expected);
  g_rec.played.clear();
  SoundPlayFoundationSound(1);
  SoundPlayFoundationSound(13);
  SoundPlayFoundationSound(14);
  SoundPlaySample(3);
  EXPECT_EQ(g_rec.played, (std::vector<int>{15, 27, 15, 3}));
}

TEST_F(SoundTest, GatesSilenceSamplesAndMusic) {
  ASSERT_TRUE(SoundInit());
  SoundStartMusic();
  SoundSetMute(true);  // samples only
  SoundPlaySample(2);
  SoundPlayFoundationSound(4);
  EXPECT_TRUE(g_rec.played.empty());
  EXPECT_TRUE(SoundIsMusicPlaying());
  SoundSetMute(false);
  g_ResolutionSettings.soundOn = 0;  // everything
  SoundPlaySample(2);
  EXPECT_TRUE(g_rec.played.empty());
}

TEST_F(SoundTest, MusicStartsOnceAndStopsWithTheOption) {
  ASSERT_TRUE(SoundInit());
  g_rec.calls.clear();
  SoundStartMusic();
  SoundStartMusic();
  EXPECT_EQ(g_rec.calls, (std::vector<std::string>{"midi load 0 Data\\Main\\0200.dat notify", "midi play 0"}));
  SoundStopMusic();
  EXPECT_FALSE(SoundIsMusicPlaying());
  g_rec.calls.clear();
  g_UserRecord.playMusic = 0;
  SoundStartMusic();
  EXPECT_TRUE(g_rec.calls.empty());
  SoundShutdown();
  EXPECT_EQ(g_rec.calls, (std::vector<std::string>{"midi close all", "stop"}));
  EXPECT_FALSE(SoundIsLoaded());
}

TEST_F(SoundTest, FailuresTurnSoundOffOrLeaveSilentSamples) {
  g_rec.missing = {"Data\\Main\\0222.dat", "Data\\Main\\0240.dat"};
  ASSERT_TRUE(SoundInit());
  EXPECT_TRUE(LogContains("Could not load card pickup sound 3"));
  EXPECT_TRUE(LogContains("Could not load foundation sound"));
  EXPECT_EQ(g_ResolutionSettings.soundOn, 1);

  SoundSetBackEnd(&kRecording);
  g_rec = Recorder();
  g_rec.startOk = false;
  EXPECT_FALSE(SoundInit());
  EXPECT_TRUE(LogContains("EngSoundInit() Failed - turning off sound"));
  EXPECT_EQ(g_ResolutionSettings.soundOn, 0);
}

}  // namespace
