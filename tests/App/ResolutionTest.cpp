// Tests of the settings file: which files are accepted, what a write
// stores, what reading protects against, and how the record is applied to
// the engine (window size clamped to the work area, GPU sync), and how a
// file's display values are held to the modes the display offers.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Game/GenBytes.h"
#include "Platform/Dialogs.h"
#include "tests/Support/TestSupport.h"

namespace {

class ResolutionTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    PrefFolderSetup("Free Cardolia 3D", false, nullptr);
    path_ = Native(ResolutionGetPath());
    g_ResolutionSettings = ResolutionSettings{};
    ResolutionSetRunInProgress(false);
    EngWindowSetScreenMode(1, 640, 480, 32, -1);
    EngResModesGetData().setUp = false;  // no display known unless a test offers one
    boxes_.clear();
    PlatformDialogsSetListener(
        [](const char* text, const char* caption, UINT, void* context) {
          static_cast<std::vector<std::string>*>(context)->push_back(std::string(caption) + ": " + text);
        },
        &boxes_);
  }
  void TearDown() override {
    EngResModesGetData().setUp = false;
    PlatformDialogsSetListener(nullptr, nullptr);
    ResolutionSetRunInProgress(false);
    TempDirTest::TearDown();
  }
  static std::string Native(std::string path) {
    for (char& c : path) {
      if (c == '\\') c = '/';
    }
    return path;
  }
  // A valid file image of the defaults with one change applied.
  template <typename Change>
  std::string Image(Change change) {
    ResolutionSetDefaults();
    change(g_ResolutionSettings);
    std::uint8_t bytes[kResolutionFileSize];
    ResolutionToBytes(g_ResolutionSettings, bytes);
    g_ResolutionSettings = ResolutionSettings{};
    return std::string(reinterpret_cast<char*>(bytes), sizeof(bytes));
  }
  void Write(const std::string& bytes) { WriteFile(path_, bytes); }
  std::string path_;
  std::vector<std::string> boxes_;
};

TEST_F(ResolutionTest, OnlyA360ByteFileOfVersion4Point8IsAccepted) {
  const std::string good = Image([](ResolutionSettings& s) { s.windowWidth = 900; });
  struct Case {
    const char* what;
    std::string bytes;
    bool accepted;
  } cases[] = {
      {"good", good, true},
      {"359 bytes", good.substr(0, 359), false},
      {"361 bytes", good + '\0', false},
      {"version 4.3", Image([](ResolutionSettings& s) { s.fileVersion = 4.3f; }), false},
      {"version 4.80001", Image([](ResolutionSettings& s) { s.fileVersion = 4.80001f; }), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_ResolutionSettings = ResolutionSettings{};
    Write(c.bytes);
    EXPECT_EQ(ResolutionReadFile(), c.accepted);
    // Accepted: the file's values; rejected: the defaults.
    EXPECT_EQ(g_ResolutionSettings.windowWidth, c.accepted ? 900 : 1024);
    EXPECT_EQ(g_ResolutionSettings.fileVersion, 4.8f);
  }
  // 4.8 as written by the game is the float 4.80000019...
  std::uint8_t bytes[kResolutionFileSize];
  std::memcpy(bytes, good.data(), sizeof(bytes));
  EXPECT_EQ(GenGetU32(bytes, 0), 0x4099999Au);
  std::filesystem::remove(path_);
  EXPECT_FALSE(ResolutionReadFile());
  EXPECT_EQ(g_ResolutionSettings.showDialog, 1);  // a first run shows the dialog
}

TEST_F(ResolutionTest, WriteStoresTheGameVersionAndTheShowDialogFlagOfTheRun) {
  ResolutionSetDefaults();
  g_ResolutionSettings.gameVersion = 1.0f;
  g_ResolutionSettings.showDialog = 0;
  std::strcpy(g_ResolutionSettings.lastPlayer, "Ann");
  ResolutionSetRunInProgress(true);
  ResolutionWriteFile();
  std::string bytes = ReadFile(path_);
  ASSERT_EQ(bytes.size(), kResolutionFileSize);
  const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
  EXPECT_EQ(GenGetF32(b, 4), 4.82f);
  EXPECT_EQ(b[8], 1);  // while running, the disk asks for the dialog
  EXPECT_STREQ(reinterpret_cast<const char*>(b + 316), "Ann");
  EXPECT_EQ(g_ResolutionSettings.showDialog, 0);  // memory keeps the real value

  ResolutionSetRunInProgress(false);  // the end of the run
  ResolutionWriteFile();
  bytes = ReadFile(path_);
  EXPECT_EQ(bytes[8], 0);
  EXPECT_TRUE(ResolutionReadFile());
  EXPECT_STREQ(g_ResolutionSettings.lastPlayer, "Ann");
}

TEST_F(ResolutionTest, ReadingTerminatesTextsAndClampsChoices) {
  std::string bytes = Image([](ResolutionSettings&) {});
  std::memset(&bytes[78], 'L', 64);    // language without terminator
  std::memset(&bytes[316], 'P', 36);   // last player without terminator
  bytes[76] = 9;                       // table quality 0-2
  bytes[77] = 9;                       // card quality 0-3
  bytes[144] = 7;                      // mouse sync 0-2
  bytes[148] = 5;                      // cursor type 0-1
  bytes[149] = static_cast<char>(200);  // sound 0-1
  Write(bytes);
  ASSERT_TRUE(ResolutionReadFile());
  const ResolutionSettings& s = g_ResolutionSettings;
  EXPECT_EQ(std::strlen(s.language), 63u);
  EXPECT_EQ(std::strlen(s.lastPlayer), 32u);
  EXPECT_EQ(s.tableQuality, 2);
  EXPECT_EQ(s.cardQuality, 3);
  EXPECT_EQ(s.mouseSync, 2);
  EXPECT_EQ(s.cursorType, 1);
  EXPECT_EQ(s.soundOn, 1);
}

// A display of two full-screen modes and a window, each with its own
// anti-aliasing entries (type, quality).
void OfferModes() {
  EngResModesData& data = EngResModesGetData();
  data.windowed = EngResModesMode{1024, 768, 32, 0, 3, {{0, 0}, {2, 0}, {4, 0}}};
  data.modes[0] = EngResModesMode{800, 600, 32, 0, 2, {{0, 0}, {2, 0}}};
  data.modes[1] = EngResModesMode{1280, 1024, 32, 0, 3, {{0, 0}, {4, 0}, {8, 1}}};
  data.count = 2;
  data.setUp = true;
}

TEST_F(ResolutionTest, AFilesDisplayValuesAreHeldToWhatTheDisplayOffers) {
  struct Case {
    const char* what;
    void (*change)(ResolutionSettings&);
    void (*expect)(const ResolutionSettings&);
    bool reported;
  } cases[] = {
      {"offered values stay",
       [](ResolutionSettings& s) { s.fullWidth = 1280, s.fullHeight = 1024, s.fullMsType = 8, s.fullMsQuality = 1; },
       [](const ResolutionSettings& s) {
         EXPECT_EQ(s.fullWidth, 1280);
         EXPECT_EQ(s.fullMsType, 8);
         EXPECT_EQ(s.fullMsQuality, 1);
       },
       false},
      {"a full screen of 1 x 1 takes the nearest mode", [](ResolutionSettings& s) { s.fullWidth = s.fullHeight = 1; },
       [](const ResolutionSettings& s) {
         EXPECT_EQ(s.fullWidth, 800);
         EXPECT_EQ(s.fullHeight, 600);
       },
       true},
      {"a mode between two takes the nearer, depth counting tenfold",
       [](ResolutionSettings& s) { s.fullWidth = 1200, s.fullHeight = 1000, s.fullBitDepth = 16; },
       [](const ResolutionSettings& s) {
         EXPECT_EQ(s.fullWidth, 1280);
         EXPECT_EQ(s.fullHeight, 1024);
         EXPECT_EQ(s.fullBitDepth, 32);
       },
       true},
      {"negative and extreme sizes", [](ResolutionSettings& s) { s.fullWidth = -2147483647 - 1, s.fullHeight = 2147483647; },
       [](const ResolutionSettings& s) { EXPECT_EQ(s.fullWidth, 800); }, true},
      {"window anti-aliasing 99 takes the nearest entry", [](ResolutionSettings& s) { s.windowMsType = 99; },
       [](const ResolutionSettings& s) {
         EXPECT_EQ(s.windowMsType, 4);
         EXPECT_EQ(s.windowMsQuality, 0);
       },
       true},
      {"negative anti-aliasing is off", [](ResolutionSettings& s) { s.windowMsType = -3, s.windowMsQuality = -3; },
       [](const ResolutionSettings& s) { EXPECT_EQ(s.windowMsType, 0); }, true},
      {"full-screen anti-aliasing from the chosen mode's list",
       [](ResolutionSettings& s) { s.fullWidth = 800, s.fullHeight = 600, s.fullMsType = 8, s.fullMsQuality = 1; },
       [](const ResolutionSettings& s) {
         EXPECT_EQ(s.fullMsType, 2);
         EXPECT_EQ(s.fullMsQuality, 0);
       },
       true},
      {"a window of 1 x 1 grows to the virtual screen", [](ResolutionSettings& s) { s.windowWidth = s.windowHeight = 1; },
       [](const ResolutionSettings& s) {
         EXPECT_EQ(s.windowWidth, 640);
         EXPECT_EQ(s.windowHeight, 480);
       },
       true},
      {"a window of 0 x -1", [](ResolutionSettings& s) { s.windowWidth = 0, s.windowHeight = -1; },
       [](const ResolutionSettings& s) {
         EXPECT_EQ(s.windowWidth, 640);
         EXPECT_EQ(s.windowHeight, 480);
       },
       true},
      {"a window's depth no mode has", [](ResolutionSettings& s) { s.windowBitDepth = 99; },
       [](const ResolutionSettings& s) { EXPECT_EQ(s.windowBitDepth, 32); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OfferModes();
    Write(Image([&](ResolutionSettings& s) {
      s.windowed = 1;
      s.fullWidth = 800, s.fullHeight = 600, s.fullBitDepth = 32;
      c.change(s);
    }));
    ClearLog();
    ASSERT_TRUE(ResolutionReadFile());
    c.expect(g_ResolutionSettings);
    EXPECT_EQ(LogContains("( ResolutionReadFile )"), c.reported);
  }

  // Without any full-screen mode a full screen cannot be had: a window, and
  // no full-screen anti-aliasing.
  OfferModes();
  EngResModesGetData().count = 0;
  Write(Image([](ResolutionSettings& s) { s.windowed = 0, s.fullMsType = 2; }));
  ASSERT_TRUE(ResolutionReadFile());
  EXPECT_EQ(g_ResolutionSettings.windowed, 1);
  EXPECT_EQ(g_ResolutionSettings.fullMsType, 0);

  // Before the display is known nothing is judged.
  EngResModesGetData().setUp = false;
  Write(Image([](ResolutionSettings& s) { s.windowMsType = 99; }));
  ASSERT_TRUE(ResolutionReadFile());
  EXPECT_EQ(g_ResolutionSettings.windowMsType, 99);
}

TEST_F(ResolutionTest, AppliedWindowIsClampedToTheWorkArea) {
  int left = 0, top = 0, width = 0, height = 0;
  EngMiscGetDesktopWorkArea(&left, &top, &width, &height);
  ASSERT_GT(width, 0);
  ResolutionSetDefaults();
  g_ResolutionSettings.windowed = 1;
  g_ResolutionSettings.windowWidth = 3000;
  g_ResolutionSettings.windowHeight = 2000;
  g_ResolutionSettings.windowX = left + width - 10;  // would hang off the right edge
  g_ResolutionSettings.windowY = top;
  ResolutionSetSettings();
  EXPECT_EQ(EngWindowGetScreenMode().width, std::min(3000, width));
  EXPECT_EQ(EngWindowGetScreenMode().height, std::min(2000, height));
  EXPECT_EQ(g_WindowSettings.width, EngWindowGetScreenMode().width);
  EXPECT_EQ(g_WindowSettings.x, -1);
  EXPECT_EQ(g_WindowSettings.y, -1);
  EXPECT_EQ(g_WindowSettings.windowed, 1);

  // A window that fits keeps its place.
  g_ResolutionSettings.windowWidth = 400;
  g_ResolutionSettings.windowHeight = 300;
  g_ResolutionSettings.windowX = left + 5;
  g_ResolutionSettings.windowY = top + 5;
  ResolutionSetSettings();
  EXPECT_EQ(g_WindowSettings.x, left + 5);
  EXPECT_EQ(EngWindowGetScreenMode().width, 400);

  // A place near the largest position a file can hold is off the area, not
  // wrapped round into it.
  for (const auto& [x, y] : {std::pair{INT32_MAX - 252, top}, std::pair{left, INT32_MAX - 100}}) {
    g_ResolutionSettings.windowX = x;
    g_ResolutionSettings.windowY = y;
    ResolutionSetSettings();
    EXPECT_EQ(g_WindowSettings.x, -1) << x << ", " << y;
    EXPECT_EQ(g_WindowSettings.y, -1) << x << ", " << y;
  }

  g_ResolutionSettings.windowWidth = 0;
  ResolutionSetSettings();
  EXPECT_TRUE(LogContains("Bad resolution values"));
  EXPECT_EQ(EngWindowGetScreenMode().width, 400);  // unchanged
}

TEST_F(ResolutionTest, MouseSyncRoundTripsThroughTheProgram) {
  EngProgram program;
  ResolutionSetDefaults();
  for (int sync : {0, 1, 2}) {
    g_ResolutionSettings.mouseSync = sync;
    ResolutionSetSettings();
    EXPECT_EQ(program.GetSyncWithGpuMethod(), sync - 1);
    g_ResolutionSettings.mouseSync = 99;
    ResolutionUpdateSettingsFromCurrent();
    EXPECT_EQ(g_ResolutionSettings.mouseSync, sync);
  }
  program.Shutdown();
}

TEST_F(ResolutionTest, FailedWriteKeepsTheOldFile) {
  ResolutionSetDefaults();
  std::strcpy(g_ResolutionSettings.lastPlayer, "Old");
  ResolutionWriteFile();
  const std::string before = ReadFile(path_);
  // A folder where the write's temporary file would go makes it fail (also
  // for root, who writes into read-only folders).
  const std::string blocker = path_ + ".tmp-" + std::to_string(getpid());
  std::filesystem::create_directory(blocker);
  std::strcpy(g_ResolutionSettings.lastPlayer, "New");
  ResolutionWriteFile();
  std::filesystem::remove(blocker);
  EXPECT_EQ(ReadFile(path_), before);
  EXPECT_TRUE(LogContains("Could not write"));
  ASSERT_EQ(boxes_.size(), 1u);  // no device yet: the warning box
  EXPECT_EQ(boxes_[0].rfind("Problem Creating to Resolution File: Could not create file  ", 0), 0u);
}

}  // namespace
