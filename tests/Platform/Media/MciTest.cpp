// Tests of the music player behind the multimedia command strings: the MIDI
// file check, the command grammar and FluidSynth for real (with the General
// MIDI soundfont), rendered without a sound device.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/AudioDevice.h"
#include "Platform/Mci.h"
#include "Platform/Window.h"
#include "tests/Support/MidiFixtures.h"
#include "tests/Support/TestSupport.h"

using namespace midi_fixtures;

namespace {

bool Valid(const std::string& bytes) {
  return MciIsValidMidiFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// Loudest sample of `frames` frames rendered now.
int RenderPeak(int frames) {
  std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames));
  AudioDeviceRender(out.data(), frames);
  int peak = 0;
  for (std::int16_t sample : out) peak = std::max(peak, std::abs(static_cast<int>(sample)));
  return peak;
}

class MciTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    AudioDeviceUseManualOutputForTests(true);
  }
  void TearDown() override {
    MciShutdown();
    MciSetSoundFontPathForTests(nullptr);
    AudioDeviceUseManualOutputForTests(false);
    PlatformResetWindowsForTests();
    TempDirTest::TearDown();
  }
};

}  // namespace

TEST(MciMidiFileTest, OnlyWholeWellFormedFilesPass) {
  const std::string note = Bytes({0x00, 0x90, 60, 100, 0x10, 0x80, 60, 0});
  const std::string good = Header(0, 1, 96) + Track(note + EndOfTrack());
  const std::string withTrailer = Header(0, 1, 96) + Track(note + EndOfTrack() + Bytes({0x00, 0x90, 60, 1}));
  std::string cutShort = good;
  cutShort.resize(good.size() - 2);
  const struct {
    const char* what;
    std::string bytes;
    bool valid;
  } cases[] = {
      {"one note", good, true},
      {"format 1 with a tempo track", Header(1, 2, 480) + Track(Bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}) + EndOfTrack()) + Track(note + EndOfTrack()), true},
      {"running status", Header(0, 1, 96) + Track(Bytes({0x00, 0x90, 60, 100, 0x10, 60, 0}) + EndOfTrack()), true},
      {"an unknown chunk before the track", Header(0, 1, 96) + "XTRA" + BigEndian(3, 4) + "abc" + Track(note + EndOfTrack()), true},
      {"empty", "", false},
      {"not a MIDI file", "RIFF\x10\x00\x00\x00WAVEfmt ", false},
      {"format 2", Header(2, 1, 96) + Track(note + EndOfTrack()), false},
      {"time-code division", Header(0, 1, 0xE728) + Track(note + EndOfTrack()), false},
      {"no tracks", Header(0, 0, 96), false},
      {"fewer tracks than announced", Header(1, 2, 96) + Track(note + EndOfTrack()), false},
      {"a track longer than the file", cutShort, false},
      {"no end of track", Header(0, 1, 96) + Track(note), false},
      {"events after the end of track", withTrailer, false},
      {"running status with nothing before", Header(0, 1, 96) + Track(Bytes({0x00, 60, 100}) + EndOfTrack()), false},
      {"a data byte above 127", Header(0, 1, 96) + Track(Bytes({0x00, 0x90, 200, 100}) + EndOfTrack()), false},
      {"a tempo of two bytes", Header(0, 1, 96) + Track(Bytes({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}) + EndOfTrack()), false},
      {"a meta event past the track", Header(0, 1, 96) + Track(Bytes({0x00, 0xFF, 0x01, 0x40, 'a'}) + EndOfTrack()), false},
      {"a delta time of five bytes", Header(0, 1, 96) + Track(Bytes({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1}) + EndOfTrack()), false},
      {"a real-time message", Header(0, 1, 96) + Track(Bytes({0x00, 0xF8}) + EndOfTrack()), false},
  };
  for (const auto& c : cases) EXPECT_EQ(Valid(c.bytes), c.valid) << c.what;
}

TEST_F(MciTest, CommandsOutsideTheGrammarAreRefused) {
  WriteFile("tune.mid", OneNote(48));
  const struct {
    const char* command;
    MCIERROR expected;
  } cases[] = {
      {"", MCIERR_MISSING_COMMAND_STRING},
      {"pause midi0", MCIERR_UNRECOGNIZED_COMMAND},
      {"play", MCIERR_MISSING_PARAMETER},
      {"play midi7", MCIERR_INVALID_DEVICE_NAME},
      {"open tune.mid type sequencer", MCIERR_MISSING_PARAMETER},
      {"open missing.mid type sequencer alias midi0", MCIERR_FILE_NOT_FOUND},
      {"open tune.mid type sequencer alias midi0", 0},
      {"open tune.mid type sequencer alias midi0", MCIERR_DUPLICATE_ALIAS},
      {"play midi0 sideways", MCIERR_UNRECOGNIZED_COMMAND},
      {"play midi0 from 1 notify", 0},
      {"stop midi0", 0},
      {"close midi0", 0},
      {"close midi0", MCIERR_INVALID_DEVICE_NAME},
  };
  for (const auto& c : cases) EXPECT_EQ(mciSendStringA(c.command, nullptr, 0, nullptr), c.expected) << c.command;
  EXPECT_FALSE(AudioDeviceIsOpen());  // the last alias closed gives the device back
}

TEST_F(MciTest, AFileNameWithBlanksIsTakenWhole) {
  WriteFile("my end tune.mid", OneNote(48));
  EXPECT_EQ(mciSendStringA("open my end tune.mid type sequencer alias midi2", nullptr, 0, nullptr), 0u);
  EXPECT_EQ(mciSendStringA("play midi2 from 1", nullptr, 0, nullptr), 0u);
  EXPECT_GT(RenderPeak(4410), 100);
}

TEST_F(MciTest, FilesAndSoundfontsThatCannotPlayAreRefusedAtOpen) {
  WriteFile("noise.mid", "MThd but then nothing sensible");
  EXPECT_EQ(mciSendStringA("open noise.mid type sequencer alias midi0", nullptr, 0, nullptr), MCIERR_INVALID_FILE);
  WriteFile("tune.mid", OneNote(48));
  MciSetSoundFontPathForTests("missing.sf2");
  EXPECT_EQ(mciSendStringA("open tune.mid type sequencer alias midi0", nullptr, 0, nullptr),
            MCIERR_CANNOT_LOAD_DRIVER);
  EXPECT_FALSE(AudioDeviceIsOpen());
}

TEST_F(MciTest, TheTuneSoundsAtOnceAndStopSilencesWithinOneBuffer) {
  const std::string tune = CARDOLIA_BUILD_DIR "/Data/Main/0200.dat";
  const std::string open = "open " + tune + " type sequencer alias midi0";
  ASSERT_EQ(mciSendStringA(open.c_str(), nullptr, 0, nullptr), 0u);
  ASSERT_EQ(mciSendStringA("play midi0 from 1", nullptr, 0, nullptr), 0u);
  EXPECT_TRUE(MciIsPlaying());
  EXPECT_GT(RenderPeak(44100), 1000);  // within the first second
  ASSERT_EQ(mciSendStringA("stop midi0", nullptr, 0, nullptr), 0u);
  EXPECT_EQ(RenderPeak(kAudioDeviceBufferFrames), 0);
  EXPECT_FALSE(MciIsPlaying());
  // Played again, it starts from the beginning.
  ASSERT_EQ(mciSendStringA("play midi0 from 1", nullptr, 0, nullptr), 0u);
  EXPECT_GT(RenderPeak(22050), 1000);
}

TEST_F(MciTest, TheEndOfAPieceIsNotifiedOnceToTheWindow) {
  PlatformUseHeadlessWindows(true);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "MciTest";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "MciTest", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  WriteFile("short.mid", OneNote(38));  // 0.2 s
  ASSERT_EQ(mciSendStringA("open short.mid type sequencer alias midi1", nullptr, 0, nullptr), 0u);
  ASSERT_EQ(mciSendStringA("play midi1 from 1 notify", nullptr, 0, window), 0u);

  auto takeNotifications = [] {
    std::vector<WinMsg> found;
    WinMsg message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == MM_MCINOTIFY) found.push_back(message);
    }
    return found;
  };
  RenderPeak(4410);
  EXPECT_TRUE(takeNotifications().empty());  // 0.1 s: still playing
  for (int i = 0; i < 10; ++i) RenderPeak(4410);
  const std::vector<WinMsg> ended = takeNotifications();
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0].hwnd, window);
  EXPECT_EQ(ended[0].wParam, MCI_NOTIFY_SUCCESSFUL);
  for (int i = 0; i < 10; ++i) RenderPeak(4410);
  EXPECT_TRUE(takeNotifications().empty());
  EXPECT_FALSE(MciIsPlaying());
}

TEST_F(MciTest, AStoppedPieceIsNotNotified) {
  PlatformUseHeadlessWindows(true);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "MciTest";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "MciTest", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  WriteFile("short.mid", OneNote(38));
  ASSERT_EQ(mciSendStringA("open short.mid type sequencer alias midi1", nullptr, 0, nullptr), 0u);
  ASSERT_EQ(mciSendStringA("play midi1 from 1 notify", nullptr, 0, window), 0u);
  RenderPeak(2205);
  ASSERT_EQ(mciSendStringA("stop midi1", nullptr, 0, nullptr), 0u);
  for (int i = 0; i < 10; ++i) RenderPeak(4410);
  WinMsg message;
  int notifications = 0;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) notifications += message.message == MM_MCINOTIFY;
  EXPECT_EQ(notifications, 0);
}
