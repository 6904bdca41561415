// MidiFileFuzz.cpp - the music's MIDI file check and the player behind it:
// any bytes as a MIDI file; what the check lets through must open, play and
// be rendered by the synthesiser (the General MIDI soundfont, no device).
#include <string>

#include "Platform/AudioDevice.h"
#include "Platform/Mci.h"
#include "tests/Fuzz/FuzzSupport.h"
#include "tests/Support/MidiFixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  AudioDeviceUseManualOutputForTests(true);
  const bool valid = MciIsValidMidiFile(data, size);
  FuzzWriteFile("tune.mid", data, size);
  const MCIERROR opened = mciSendStringA("open tune.mid type sequencer alias midi0", nullptr, 0, nullptr);
  FUZZ_CHECK((opened == 0) == valid || opened == MCIERR_CANNOT_LOAD_DRIVER);
  if (opened == 0) {
    FUZZ_CHECK(mciSendStringA("play midi0 from 1", nullptr, 0, nullptr) == 0);
    std::int16_t out[2 * 1024];
    for (int i = 0; i < 4; ++i) AudioDeviceRender(out, 1024);
    FUZZ_CHECK(mciSendStringA("close midi0", nullptr, 0, nullptr) == 0);
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  using namespace midi_fixtures;
  const std::string tempo = Bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x58, 0x04, 4, 2, 24, 8});
  const std::string chord = Bytes({0x00, 0xC1, 48, 0x00, 0x91, 60, 80, 0x00, 64, 80, 0x00, 67, 80, 0x60, 0x81, 60, 0,
                                   0x00, 64, 0, 0x00, 67, 0});
  return {
      {"one-note.mid", OneNote(48)},
      {"two-tracks.mid", Header(1, 2, 96) + Track(tempo + EndOfTrack()) + Track(chord + EndOfTrack())},
  };
}
