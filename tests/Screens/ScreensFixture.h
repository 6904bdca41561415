// ScreensFixture.h - the screens on the real toolkit over a headless window
// and the recording device: the game's look and font, the English texts,
// the module set-up and the registry, in a temporary home with real files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/UserRecord.h"
#include "Shell/Shell.h"
#include "Screens/Modules.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/SolMWin.h"
#include "Screens/UserNew.h"
#include "tests/Support/GraphicsTestSupport.h"

class ScreensTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    setenv("HOME", dir_.c_str(), 1);
    setenv("LANG", "en_GB.UTF-8", 1);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    // The game's data and texts are the build's: run from the build folder
    // (the player's files go to the temporary home).
    std::filesystem::current_path(CARDOLIA_BUILD_DIR);
    ASSERT_TRUE(EngLanguagesInit("./Languages", "English"));
    // The toolkit keeps its looks for the process: made once.
    static bool looksMade = false;
    if (!looksMade) {
      looksMade = true;
      SolMWinSetupTexturesAndTexButs();
    }
    SolMWinSetupStyleOf(&g_MWin, &Font());
    PrefFolderSetup("Free Cardolia 3D", false, nullptr);
    EngEncryptionInit("Mplx4QoragZn_265");
    ResolutionSetDefaults();
    UserNewStartAfresh();
    Start(1024, 768);
    // The font is made again with each device, as the game does.
    Font().Release();
    ASSERT_TRUE(SolMWinCreateFontApart(0, "Data\\Main\\0100.dat", &Font()));
    ClearLog();
  }
  void TearDown() override {
    g_MWin.PopupCloseIfOpen();
    EngScreenStop(2);
    if (g_MWin.IsOn()) g_MWin.Shutdown();
    EngScreenRemoveAll();
    if (UserIsLoaded()) UserDeleteFiles(g_UserRecord.name);
    EngLanguagesRelease();
    Font().Release();
    GraphicsTest::TearDown();
  }

  // The game font the toolkit knows as "Main", one for the process as the
  // toolkit keeps its registration.
  static EngFont& Font() {
    static EngFont font;
    return font;
  }

  // Writes a player's profile as the game does (without starting play).
  void WriteProfile(const char* name, const char* country) {
    const std::string users = std::string(dir_) + "/Quarnix/Free Cardolia 3D/Users";
    std::filesystem::create_directories(users);
    UserRecord r;
    std::snprintf(r.name, sizeof r.name, "%s", name);
    std::snprintf(r.country, sizeof r.country, "%s", country);
    std::uint8_t bytes[kUserRecordFileSize];
    UserRecordToBytes(r, bytes);
    ASSERT_TRUE(EngEncryptionEncryptAndWriteToFile((users + "/" + name + ".usr").c_str(), bytes, sizeof bytes));
  }

  // The registry with the player screens' modules, the toolkit started on
  // Users.
  void StartScreens() {
    std::int32_t config[10] = {0x00000101, 0, 0, 0, 0x00000001, 0, 0, 0, 0, 0};
    ModulesSetup(config, [](int item) -> const char* {
      return item == 0 ? "Data\\Main\\0160.dat" : "Data\\Main\\0157.dat";
    });
    ASSERT_TRUE(ScreensSetup());
    ASSERT_TRUE(ScreensStart(g_ScreenUsers));
  }

};
