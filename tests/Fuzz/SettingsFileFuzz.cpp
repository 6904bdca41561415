// SettingsFileFuzz.cpp - the settings file ("Resolution.dat"): any bytes as
// the file, read on a display that offers a few modes, then written and read
// again. The input is a mode byte and the rest: with an even mode, edits of
// a valid file (FuzzApplyEdits); with an odd one, the file's bytes as they
// are. A file is accepted only when it is the record's size and starts with
// the version 4.8, else the defaults hold; reading never changes the file;
// what is accepted is held to what the display offers, its texts
// terminated; a write and a second read give the same settings.
#include <cstring>
#include <string>

#include "App/Resolution.h"
#include "Engine/EngResModes.h"
#include "Game/GenBytes.h"
#include "tests/Fuzz/FuzzPlayer.h"

namespace {

std::string ValidImage() {
  ResolutionSetDefaults();
  g_ResolutionSettings.windowed = 1;
  g_ResolutionSettings.fullWidth = 1280;
  g_ResolutionSettings.fullHeight = 1024;
  g_ResolutionSettings.fullMsType = 4;
  std::snprintf(g_ResolutionSettings.lastPlayer, sizeof g_ResolutionSettings.lastPlayer, "Fuzz");
  std::uint8_t bytes[kResolutionFileSize];
  ResolutionToBytes(g_ResolutionSettings, bytes);
  return std::string(reinterpret_cast<char*>(bytes), sizeof bytes);
}

// The display the settings are held to: a window of 32 bits and two
// full-screen modes, each with its anti-aliasing list.
void OfferModes() {
  EngResModesData& data = EngResModesGetData();
  data.setUp = true;
  data.windowed = EngResModesMode{1024, 768, 32, 0, 3, {{0, 0}, {2, 0}, {4, 0}}};
  data.modes[0] = EngResModesMode{800, 600, 32, 0, 2, {{0, 0}, {2, 0}}};
  data.modes[1] = EngResModesMode{1280, 1024, 32, 0, 3, {{0, 0}, {4, 0}, {8, 1}}};
  data.count = 2;
}

bool IsEntry(const EngResModesMode& mode, int type, int quality) {
  for (int i = 0; i < mode.numAAEntries; ++i) {
    if (mode.aaEntries[i].type == type && mode.aaEntries[i].quality == quality) return true;
  }
  return false;
}

void CheckHeldToDisplay(const ResolutionSettings& s) {
  const EngResModesData& data = EngResModesGetData();
  const EngResModesMode* full = nullptr;
  for (int i = 0; i < data.count; ++i) {
    const EngResModesMode& m = data.modes[i];
    if (m.width == s.fullWidth && m.height == s.fullHeight && m.bitDepth == s.fullBitDepth) full = &m;
  }
  FUZZ_CHECK(full != nullptr);
  FUZZ_CHECK(IsEntry(*full, s.fullMsType, s.fullMsQuality));
  FUZZ_CHECK(IsEntry(data.windowed, s.windowMsType, s.windowMsQuality));
  FUZZ_CHECK(s.windowWidth >= kResolutionMinWindowWidth && s.windowHeight >= kResolutionMinWindowHeight);
  FUZZ_CHECK(s.windowBitDepth == 32);
  FUZZ_CHECK(strnlen(s.lastPlayer, sizeof s.lastPlayer) <= 32);
  FUZZ_CHECK(strnlen(s.language, sizeof s.language) < sizeof s.language);
  FUZZ_CHECK(s.windowed <= 1 && s.showDialog <= 1 && s.tableQuality <= 2 && s.cardQuality <= 3);
  FUZZ_CHECK(s.mouseSync >= 0 && s.mouseSync <= 2);
}

std::string Image(const ResolutionSettings& s) {
  std::uint8_t bytes[kResolutionFileSize];
  ResolutionToBytes(s, bytes);
  return std::string(reinterpret_cast<char*>(bytes), sizeof bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  FuzzUsePlayer();
  OfferModes();
  std::string file = ValidImage();
  if (size > 0 && data[0] % 2 == 0) {
    FuzzApplyEdits(data + 1, size - 1, &file);
  } else if (size > 0) {
    file.assign(reinterpret_cast<const char*>(data + 1), size - 1);
  }
  const std::string native = FuzzNativePath(ResolutionGetPath());
  FuzzWriteFile(native, file);

  const bool accepted = ResolutionReadFile();
  FUZZ_CHECK(accepted == (file.size() == kResolutionFileSize &&
                          GenGetF32(reinterpret_cast<const std::uint8_t*>(file.data()), 0) == kResolutionFileVersion));
  FUZZ_CHECK(FuzzReadFile(native) == file);
  if (!accepted) {
    const std::string read = Image(g_ResolutionSettings);
    ResolutionSetDefaults();
    FUZZ_CHECK(read == Image(g_ResolutionSettings));
    return 0;
  }
  CheckHeldToDisplay(g_ResolutionSettings);
  const std::string held = Image(g_ResolutionSettings);
  ResolutionWriteFile();
  FUZZ_CHECK(ResolutionReadFile());
  std::string again = Image(g_ResolutionSettings);
  // The writer stores its own game version.
  FUZZ_CHECK(again.substr(8) == held.substr(8) && again.substr(0, 4) == held.substr(0, 4));
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  const std::string valid = ValidImage();
  return {
      {"settings.bin", std::string(1, '\0')},
      {"full-screen-not-offered.bin", std::string(1, '\0') + FuzzEdit(44, FuzzLe32(1366) + FuzzLe32(700))},
      {"window-too-small.bin", std::string(1, '\0') + FuzzEdit(24, FuzzLe32(320) + FuzzLe32(0xFFFFFFFFu))},
      {"last-player-unterminated.bin", std::string(1, '\0') + FuzzEdit(316, std::string(36, 'P'))},
      {"version-4.3.bin", std::string(1, '\0') + FuzzEdit(0, FuzzLeFloat(4.3f))},
      {"one-byte-short.bin", std::string(1, '\1') + valid.substr(0, kResolutionFileSize - 1)},
  };
}
