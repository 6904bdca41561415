// Tests of the four music slots: refusals and their order, files that cannot
// be played, play, stop and close, and the end-of-piece notification reaching
// the engine window. FluidSynth plays for real, rendered without a device.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/DX9/EngMidi.h"
#include "Platform/AudioDevice.h"
#include "Platform/Mci.h"
#include "tests/Support/GraphicsTestSupport.h"
#include "tests/Support/MidiFixtures.h"

namespace {

int RenderPeak(int frames) {
  std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames));
  AudioDeviceRender(out.data(), frames);
  int peak = 0;
  for (std::int16_t s : out) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

class EngMidiTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    AudioDeviceUseManualOutputForTests(true);
    EngMidiInit();
    WriteFile("tune.mid", midi_fixtures::OneNote(96));
  }
  void TearDown() override {
    EngMidiCloseAll();
    MciShutdown();
    AudioDeviceUseManualOutputForTests(false);
    GraphicsTest::TearDown();
  }
};

}  // namespace

TEST_F(EngMidiTest, SlotsOutsideZeroToThreeAreRefusedEverywhere) {
  for (int slot : {-1, 4}) {
    ClearLog();
    EXPECT_FALSE(EngMidiLoadFromFile(slot, "tune.mid", false));
    EXPECT_TRUE(LogContains("( EngMidiLoadFromFile )    Invalid midi num " + std::to_string(slot)));
    EXPECT_FALSE(EngMidiPlay(slot));
    EXPECT_TRUE(LogContains("( EngMidiPlay )    Invalid midi num"));
    EXPECT_NE(EngMidiStop(slot), 0u);
    EXPECT_TRUE(LogContains("( EngMidiStop )    Invalid midi num"));
    EXPECT_NE(EngMidiClose(slot), 0u);
    EXPECT_TRUE(LogContains("( EngMidiClose )    Invalid midi num"));
  }
  EXPECT_TRUE(EngMidiLoadFromFile(3, "tune.mid", false));
  EXPECT_STREQ(EngMidiGetPlayCommand(3), "play midi3 from 1");
}

TEST_F(EngMidiTest, AnEmptyNameIsReportedBeforeAMissingFile) {
  EXPECT_FALSE(EngMidiLoadFromFile(1, "", true));
  EXPECT_TRUE(LogContains("Empty filename for midi 1"));
  EXPECT_FALSE(LogContains("No file"));
  EXPECT_FALSE(EngMidiLoadFromFile(1, "gone.mid", true));
  EXPECT_TRUE(LogContains("( EngMidiLoadFromFile )    No file <gone.mid>"));
  EXPECT_STREQ(EngMidiGetPlayCommand(1), "");
}

TEST_F(EngMidiTest, AFileThatCannotBeOpenedLeavesTheSlotEmpty) {
  WriteFile("broken.mid", "MThd and not much else");
  EXPECT_FALSE(EngMidiLoadFromFile(0, "broken.mid", true));
  EXPECT_TRUE(LogContains("Could not open <broken.mid>"));
  EXPECT_STREQ(EngMidiGetPlayCommand(0), "");
  Start();
  ClearLog();
  EXPECT_FALSE(EngMidiPlay(0));
  EXPECT_TRUE(LogContains("No midi at 0"));
}

TEST_F(EngMidiTest, PlayNeedsTheWindowAndStopEmptiesTheSlot) {
  WriteFile("the end tune.mid", midi_fixtures::OneNote(96));
  ASSERT_TRUE(EngMidiLoadFromFile(0, "the end tune.mid", true));  // blanks in the name, sent unquoted
  EXPECT_STREQ(EngMidiGetPlayCommand(0), "play midi0 from 1 notify");
  EXPECT_FALSE(EngMidiPlay(0));  // no engine window yet: nothing is sent
  EXPECT_EQ(RenderPeak(4410), 0);
  Start();
  ASSERT_TRUE(EngMidiPlay(0));
  EXPECT_GT(RenderPeak(4410), 500);
  EXPECT_EQ(EngMidiStop(0), 0u);
  EXPECT_EQ(RenderPeak(kAudioDeviceBufferFrames), 0);
  ClearLog();
  EXPECT_FALSE(EngMidiPlay(0));
  EXPECT_TRUE(LogContains("( EngMidiPlay )    No midi at 0"));
  // Loading the slot again works although the stopped piece was never
  // closed.
  EXPECT_TRUE(EngMidiLoadFromFile(0, "tune.mid", false));
  EXPECT_TRUE(EngMidiPlay(0));
  EXPECT_GT(RenderPeak(4410), 500);
}

TEST_F(EngMidiTest, TheEndOfANotifiedPieceReachesTheEngineWindow) {
  Start();
  WriteFile("short.mid", midi_fixtures::OneNote(38));  // 0.2 s
  ASSERT_TRUE(EngMidiLoadFromFile(2, "short.mid", true));
  ASSERT_TRUE(EngMidiPlay(2));
  for (int i = 0; i < 8; ++i) RenderPeak(4410);
  int notifications = 0;
  WinMsg message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == MM_MCINOTIFY && message.hwnd == Handle()) ++notifications;
  }
  EXPECT_EQ(notifications, 1);
}

TEST_F(EngMidiTest, CloseAllEmptiesEverySlot) {
  std::filesystem::create_directory("Music");
  WriteFile("Music/tune.mid", midi_fixtures::OneNote(96));
  for (int slot = 0; slot < kEngMidiSlots; ++slot) {
    // Game paths with '\\' work as the data folder's names do.
    ASSERT_TRUE(EngMidiLoadFromFile(slot, slot % 2 ? "Music\\tune.mid" : "tune.mid", false)) << slot;
  }
  EXPECT_TRUE(AudioDeviceIsOpen());
  EngMidiCloseAll();
  for (int slot = 0; slot < kEngMidiSlots; ++slot) EXPECT_STREQ(EngMidiGetPlayCommand(slot), "") << slot;
  EXPECT_FALSE(AudioDeviceIsOpen());
}
