// Tests of the Options screen and its pages on the real toolkit and the
// recording device: the page switcher (applying the page left, rebuilding,
// the bottom buttons' place from the menu and from play, forgetting removed
// buttons), the Keys screen and page, and the General, Startup, Display,
// Cameras, Lights and System pages' rules.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "App/Battery.h"
#include "App/Sound.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Game/CardsSettings.h"
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Shell/Shell.h"
#include "Game/GenGameTable.h"
#include "Game/GenLights.h"
#include "Game/UserRecord.h"
#include "Screens/Cameras.h"
#include "Screens/Display.h"
#include "Screens/General.h"
#include "Screens/Keys.h"
#include "Screens/Lights.h"
#include "Screens/Options.h"
#include "Screens/System.h"
#include "tests/Screens/ScreensFixture.h"

namespace {

class OptionsTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    DisplayResetForTests();
    BatteryResetForTests();
  }
  void TearDown() override {
    GameSetProgramMode(kGameModeBeforeDevice);
    ScreensTest::TearDown();
  }

  // The Options screen on a page, from the main menu (mode 2) or from play
  // (mode 3), for a fresh player.
  void Enter(int mode, int page) {
    StartScreens();
    g_UserRecord = UserRecord{};
    GameCamerasSetDefaults(-1);
    g_UserRecord.optionsPage = static_cast<std::uint8_t>(page);
    GenSetLightSettings(&g_UserRecord.lights);
    GameSetProgramMode(mode);
    ScreensGoto(g_ScreenOptions);
    ASSERT_EQ(ScreensGetCurrent(), g_ScreenOptions);
  }

  static MWinButton* B(const char* id) { return ScreenLookUp("Options")(id); }
  static MWinHorzScrollbar* Bar(const char* id) { return ScreenLookUp("Options").Scrollbar(id); }
  static MWinArea Area(const char* id) { return B(id)->GetAreaRelative(); }
  // A button's text; "" for none.
  static std::string Text(const char* id) { return B(id)->GetTextP() ? B(id)->GetTextP() : ""; }
  // A click on the page choice.
  static void ChoosePage(int page) { B("Type")->ChoiceSetSel(page, true); }
  static void Choose(const char* id, int entry) { B(id)->ChoiceSetSel(entry, true); }
  // A list's entry chosen as the player chooses it: opened, hovered, closed.
  static void Pick(const char* id, int entry) {
    MWinButton* list = B(id);
    list->ListOpen();
    list->ListSetHovered(entry);
    list->ListClose(true, true);
  }

  // The first button of the ID in the window's list (the screen's own rows
  // come before the page's).
  static MWinButton* FirstOf(const char* id) {
    for (MWinButton* b = ScreenWindow("Options")->GetFirstButton(); b; b = b->next_) {
      if (std::strcmp(b->GetID(), id) == 0) return b;
    }
    return nullptr;
  }
  static int CountOf(const char* id) {
    int n = 0;
    for (MWinButton* b = ScreenWindow("Options")->GetFirstButton(); b; b = b->next_) n += std::strcmp(b->GetID(), id) == 0;
    return n;
  }
  static int ButtonCount() {
    int n = 0;
    for (MWinButton* b = ScreenWindow("Options")->GetFirstButton(); b; b = b->next_) ++n;
    return n;
  }

  // A text on the open popup's buttons.
  static bool PopupShows(const char* text) {
    MWinWindow* w = g_MWin.IsPopupOpen() ? g_MWin.GetPopupWindow() : nullptr;
    for (MWinButton* b = w ? w->GetFirstButton() : nullptr; b; b = b->next_) {
      if (b->GetTextP() && std::strstr(b->GetTextP(), text)) return true;
    }
    return false;
  }

  std::string SettingsPath() const { return dir_ + "/Quarnix/Free Cardolia 3D/Resolution.dat"; }
};

// ---- The page switcher ---------------------------------------------------------------------

TEST_F(OptionsTest, FromTheMenuEachPageStandsTenBelowTheChoiceUnderItsTitle) {
  struct Case {
    int page;
    const char* frame;
    const char* title;
  } cases[] = {
      {0, "TypeBg", "MAIN OPTIONS"},      {1, "Bg", "DISPLAY OPTIONS"}, {4, "Bg", "CAMERAS"},
      {5, "Bg", "LIGHTING"},             {6, "TypeBg", "STARTUP OPTIONS"},
      {7, "Bg", "KEYS & MOUSE CONTROLS"}, {8, "Bg", "SYSTEM SETTINGS"},
  };
  Enter(kGameModeMainMenu, 0);
  for (const Case& c : cases) {
    ChoosePage(c.page);
    EXPECT_EQ(g_UserRecord.optionsPage, c.page);
    // Type's bottom is 66 + 33; the frame 10 below it (General 25, Keys 22).
    EXPECT_FLOAT_EQ(Area(c.frame).y, 109) << c.page;
    EXPECT_FALSE(B("Done")->IsVisible()) << c.page;
    EXPECT_FALSE(B("Title")->IsVisible()) << c.page;
    EXPECT_STREQ(B("OptionsTitle")->GetTextP(), c.title) << c.page;
    EXPECT_EQ(ScreenWindow("Options")->GetEscapeButton(), B("Back")) << c.page;
  }
}

TEST_F(OptionsTest, TheMenuShiftMovesTheFrameThroughDoneAlike) {
  struct Case {
    int page;
    const char* frame;
    float frameY, doneY;
  } cases[] = {{0, "TypeBg", 84, 396}, {7, "Bg", 87, 387}, {1, "Bg", 94, 386}, {8, "Bg", 130, 349.86f}};
  for (const Case& c : cases) {
    Enter(kGameModeMainMenu, c.page);
    const float shift = 66 + 33 - c.frameY + 10;
    EXPECT_FLOAT_EQ(Area(c.frame).y, c.frameY + shift) << c.page;
    EXPECT_NEAR(Area("Done").y, c.doneY + shift, 1e-3) << c.page;
    ScreensGoto(g_ScreenUsers);
  }
}

TEST_F(OptionsTest, FromPlayTheChoiceNarrowsAndDoneAnswersEscape) {
  Enter(kGameModePlaying, 0);
  EXPECT_FALSE(B("OptionsTitle")->IsVisible());
  EXPECT_FALSE(B("Back")->IsVisible());
  EXPECT_FALSE(FirstOf("TypeBg")->IsVisible());  // the screen's own, not the page's
  const MWinArea type = Area("Type");
  EXPECT_FLOAT_EQ(type.x, 60);
  EXPECT_FLOAT_EQ(type.w, 520);
  EXPECT_FLOAT_EQ(type.y, 66);
  EXPECT_TRUE(B("Type")->IsVisible());
  // The page's frame 5 below, its rows centred on x 320.
  const MWinArea frame = Area("TypeBg");
  EXPECT_FLOAT_EQ(frame.y, 66 + 33 + 5);
  EXPECT_FLOAT_EQ(frame.x + frame.w / 2, 320);
  EXPECT_TRUE(B("Done")->IsVisible());
  EXPECT_EQ(ScreenWindow("Options")->GetEscapeButton(), B("Done"));
  // The Cameras page from play has no preview frame.
  ChoosePage(kOptionsCameras);
  EXPECT_FALSE(B("RenderBg")->IsVisible());
  EXPECT_FLOAT_EQ(Area("Bg").y, 104);
  EXPECT_EQ(ScreenWindow("Options")->GetEscapeButton(), B("Done"));
}

TEST_F(OptionsTest, ChangingPageAppliesThePageLeftBeforeItsRowsGo) {
  Enter(kGameModeMainMenu, 0);
  GameSetCardSoundCB();
  ASSERT_NE(CardsGetSettings().cardSoundCB, nullptr);
  Choose("CardSounds", 0);
  EXPECT_EQ(g_UserRecord.playMovesSound, 0);
  EXPECT_NE(CardsGetSettings().cardSoundCB, nullptr);  // taken over when the page is left
  std::filesystem::remove(SettingsPath());
  ChoosePage(kOptionsDisplay);
  EXPECT_EQ(CardsGetSettings().cardSoundCB, nullptr);
  EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
  EXPECT_EQ(CountOf("CardSounds"), 0);
  EXPECT_EQ(CountOf("ShowBattery"), 1);
}

TEST_F(OptionsTest, TheSamePageTwiceIsBuiltAfreshWithItsHandles) {
  Enter(kGameModeMainMenu, kOptionsLights);
  const int buttons = ButtonCount();
  ChoosePage(kOptionsLights);
  EXPECT_EQ(ButtonCount(), buttons);
  EXPECT_EQ(CountOf("AmbientLevel"), 1);
  // The new rows are bound: the page's update reaches them.
  Choose("System", 0);
  EXPECT_FALSE(B("Height")->IsEnabled());
  EXPECT_FLOAT_EQ(Area("Bg").y, 109);
}

TEST_F(OptionsTest, BottomButtonsAreForgottenWithTheirRows) {
  Enter(kGameModeMainMenu, 0);
  const float frameY = Area("TypeBg").y;
  // Within one page a call without buttons lays out the ones it was given.
  ClearLog();
  OptionsControlMoveButtons(nullptr, nullptr, nullptr);
  EXPECT_FALSE(LogContains("Internal Error"));
  EXPECT_FLOAT_EQ(Area("TypeBg").y, frameY);
  // A page that brings its own bottom buttons replaces the remembered ones.
  ChoosePage(kOptionsDecks);
  EXPECT_EQ(CountOf("Undo"), 0);
  ClearLog();
  OptionsControlMoveButtons(nullptr, nullptr, nullptr);
  EXPECT_FALSE(LogContains("Internal Error"));
  // A screen change forgets them: nothing freed is moved later.
  ChoosePage(kOptionsGeneral);
  ScreensGoto(g_ScreenUsers);
  ClearLog();
  OptionsControlMoveButtons(nullptr, nullptr, nullptr);
  EXPECT_TRUE(LogContains("Internal Error"));
}

TEST_F(OptionsTest, BackLeavesAlsoWhenTheSettingsCannotBeWritten) {
  Enter(kGameModeMainMenu, kOptionsStartup);
  const std::string blocker = SettingsPath() + ".tmp-" + std::to_string(getpid());
  std::filesystem::create_directories(blocker);
  B("Back")->CallCallback(nullptr);
  std::filesystem::remove(blocker);
  EXPECT_TRUE(LogContains("Could not write"));
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenUsers);
  EXPECT_FALSE(program_->GetQuitFlag());
}

// ---- Keys ------------------------------------------------------------------------------------

// Key F discards in Aces Up as it sends a card home elsewhere: its line is
// shown as usable there too.
TEST_F(OptionsTest, TheFoundationKeyIsShownInAcesUpToo) {
  struct Case {
    int game;
    bool ownScreen;
    bool enabled;
  } cases[] = {{kGameAcesUp, true, true}, {kGameAcesUp, false, true}, {kGameKlondike, true, true},
               {kGameKlondike, false, true}};
  for (const Case& c : cases) {
    GenSetCurGame(c.game);
    const char* collection = c.ownScreen ? "Keys" : "Options";
    if (c.ownScreen) {
      StartScreens();
      GameSetProgramMode(kGameModePlaying);
      ScreensGoto(g_ScreenKeys);
    } else {
      Enter(kGameModePlaying, kOptionsKeys);
    }
    for (const char* id : {"FoundationKeyText", "FoundationKey"}) {
      MWinButton* b = ScreenLookUp(collection)(id);
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->IsEnabled(), c.enabled) << c.game << " " << collection << " " << id;
      EXPECT_TRUE(b->IsVisible());
    }
    EXPECT_TRUE(ScreenLookUp(collection)("Undo")->IsEnabled());
    ScreensStopCurrent(1);
  }
}

TEST_F(OptionsTest, KClosesTheKeysScreenButNotTheOptionsPage) {
  Enter(kGameModePlaying, kOptionsKeys);
  std::uint8_t* keys = EngWindowGetKeyStates();
  keys[kKeysVirtualKeyK] = 2;
  ScreensTick();
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenOptions);
  EXPECT_TRUE(EngScreenIsStarted());

  ScreensGoto(g_ScreenKeys);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenKeys);
  keys[kKeysVirtualKeyK] = 2;
  ScreensTick();
  EXPECT_EQ(keys[kKeysVirtualKeyK], 0);
  EXPECT_FALSE(EngScreenIsStarted());  // back in the game
  EXPECT_EQ(GameGetProgramMode(), kGameModePlaying);
}

TEST_F(OptionsTest, TheMouseNoteFollowsTheSwappedButtons) {
  Enter(kGameModeMainMenu, kOptionsKeys);
  for (int swapped : {0, 1}) {
    g_UserRecord.swapMouseButtons = static_cast<std::uint8_t>(swapped);
    KeysControlMouseCB();
    EXPECT_TRUE(PopupShows("pick up a card"));
    EXPECT_EQ(PopupShows("swapped"), swapped == 1);
    g_MWin.PopupCloseIfOpen();
  }
}

// ---- General ---------------------------------------------------------------------------------

TEST_F(OptionsTest, GeneralEnablesWhatCanTakeEffect) {
  struct Case {
    int soundOn, cardSounds, afterWin;
    bool sounds, volume, music, congrats;
  } cases[] = {
      {1, 1, 0, true, true, true, true},     {1, 0, 0, true, false, true, true},
      {1, 1, 1, true, true, false, false},   {1, 1, 2, true, true, false, false},
      {0, 1, 0, false, false, false, true},  {0, 0, 1, false, false, false, false},
  };
  for (const Case& c : cases) {
    g_ResolutionSettings.soundOn = static_cast<std::uint8_t>(c.soundOn);
    Enter(kGameModeMainMenu, kOptionsStartup);
    g_UserRecord.playMovesSound = static_cast<std::uint8_t>(c.cardSounds);
    g_UserRecord.afterWin = static_cast<std::uint8_t>(c.afterWin);
    ChoosePage(kOptionsGeneral);
    EXPECT_EQ(B("CardSounds")->IsEnabled(), c.sounds) << c.soundOn << c.cardSounds << c.afterWin;
    EXPECT_EQ(B("CardSoundsVol")->IsEnabled(), c.volume) << c.soundOn << c.cardSounds << c.afterWin;
    EXPECT_EQ(B("EndGameMusic")->IsEnabled(), c.music) << c.soundOn << c.cardSounds << c.afterWin;
    EXPECT_EQ(B("EndGameCongrats")->IsEnabled(), c.congrats) << c.soundOn << c.cardSounds << c.afterWin;
    // The language list never shows on the page.
    EXPECT_FALSE(B("Lang")->IsVisible());
    EXPECT_FALSE(B("LangText")->IsVisible());
    ScreensGoto(g_ScreenUsers);
  }
  // With sound on, the controls follow the choices at once.
  g_ResolutionSettings.soundOn = 1;
  Enter(kGameModeMainMenu, kOptionsGeneral);
  Choose("CardSounds", 0);
  EXPECT_FALSE(B("CardSoundsVol")->IsEnabled());
  Choose("CardSounds", 1);
  EXPECT_TRUE(B("CardSoundsVol")->IsEnabled());
  Pick("EndGameSeq", 2);
  EXPECT_EQ(g_UserRecord.afterWin, 2);
  EXPECT_FALSE(B("EndGameMusic")->IsEnabled());
  EXPECT_FALSE(B("EndGameCongrats")->IsEnabled());
  Pick("EndGameSeq", 0);
  EXPECT_TRUE(B("EndGameMusic")->IsEnabled());
}

std::vector<std::string> g_music;
const SoundBackEnd kMusicRecorder = {
    [](const char*) { return true; },
    [](int, const char*) { return true; },
    [](int) { return 0.5f; },
    [](int, float) {},
    [](int, float) {},
    [](int) { return true; },
    [](int) {},
    [] {},
    [] {},
    [](int, const char*, bool) { return true; },
    [](int) { g_music.push_back("play"); return true; },
    [](int) { g_music.push_back("stop"); },
    [](int) {},
    [] {},
};

TEST_F(OptionsTest, SwitchingTheMusicOffStopsIt) {
  SoundSetBackEnd(&kMusicRecorder);
  g_music.clear();
  g_ResolutionSettings.soundOn = 1;
  Enter(kGameModeMainMenu, kOptionsGeneral);
  ASSERT_TRUE(SoundInit());
  SoundStartMusic();
  ASSERT_TRUE(SoundIsMusicPlaying());
  Choose("EndGameMusic", 0);
  EXPECT_EQ(g_UserRecord.playMusic, 0);
  EXPECT_FALSE(SoundIsMusicPlaying());
  EXPECT_EQ(g_music, (std::vector<std::string>{"play", "stop"}));
  SoundShutdown();
  SoundSetBackEnd(nullptr);
}

TEST_F(OptionsTest, ThePlayersLanguageIsMadeCurrentWhenPlayStarts) {
  const std::string folder = dir_ + "/langs";
  std::filesystem::create_directories(folder);
  WriteFile(folder + "/English.txt", "Word=Hello\n");
  WriteFile(folder + "/Deutsch.txt", "Word=Hallo\n");
  struct Case {
    const char* stored;
    int chosenInSettings;
    const char* current;   // after
    const char* player;    // the player's language after
    const char* settings;  // the settings' language after
  } cases[] = {
      {"Deutsch", 0, "Deutsch", "Deutsch", "Deutsch"},
      {"Deutsch", 1, "English", "English", "English"},
      {"Klingon", 0, "English", "Klingon", "English"},
      {"", 0, "English", "", "English"},
      {"English", 0, "English", "English", "English"},
  };
  for (const Case& c : cases) {
    EngLanguagesRelease();
    ASSERT_TRUE(EngLanguagesInit(folder.c_str(), "English"));
    std::snprintf(g_UserRecord.language, sizeof g_UserRecord.language, "%s", c.stored);
    std::snprintf(g_ResolutionSettings.language, sizeof g_ResolutionSettings.language, "English");
    g_ResolutionSettings.languageChosen = static_cast<std::uint8_t>(c.chosenInSettings);
    GeneralControlApplyLanguage();
    EXPECT_STREQ(EngLanguagesGetCurrentLanguageName(), c.current) << c.stored << c.chosenInSettings;
    EXPECT_STREQ(g_UserRecord.language, c.player) << c.stored << c.chosenInSettings;
    EXPECT_STREQ(g_ResolutionSettings.language, c.settings) << c.stored << c.chosenInSettings;
    EXPECT_EQ(g_ResolutionSettings.languageChosen, 0);
  }
}

// ---- Startup -----------------------------------------------------------------------------------

TEST_F(OptionsTest, TheStartupWindowSwitchWritesTheSettingsAndExplainsTheWayBack) {
  Enter(kGameModeMainMenu, kOptionsStartup);
  for (int on : {0, 1}) {
    std::filesystem::remove(SettingsPath());
    Choose("ShowResWin", on);
    EXPECT_EQ(g_ResolutionSettings.showDialog, on);
    EXPECT_TRUE(std::filesystem::exists(SettingsPath())) << on;
    EXPECT_EQ(PopupShows("CONFIGURATION"), on == 0) << on;
    g_MWin.PopupCloseIfOpen();
  }
  Choose("AlwaysStart", 1);
  EXPECT_EQ(g_UserRecord.alwaysStartWithPlayer, 1);
  Pick("AfterPlayerLoad", 2);
  EXPECT_EQ(g_UserRecord.afterLoadAction, 2);
}

// ---- Display -----------------------------------------------------------------------------------

TEST_F(OptionsTest, TransparencyAndTimeFormatFollowWhatIsShown) {
  struct Case {
    int time, score, clock;
    bool blend, format;
  } cases[] = {{0, 0, 0, false, false}, {1, 0, 0, true, true}, {0, 1, 0, true, false},
               {0, 0, 1, true, false},  {1, 1, 1, true, true}};
  Enter(kGameModeMainMenu, kOptionsDisplay);
  for (const Case& c : cases) {
    Choose("ShowScores", c.score);
    Choose("ShowClock", c.clock);
    Choose("ShowTime", c.time);
    EXPECT_EQ(B("ScoresTimeBlend")->IsEnabled(), c.blend) << c.time << c.score << c.clock;
    EXPECT_EQ(B("TimeFormat")->IsEnabled(), c.format) << c.time << c.score << c.clock;
  }
  EXPECT_STREQ(B("FlashBattery")->GetTextP(), "15 %");
  Bar("FlashBattery")->SetPosInt(40, true);
  EXPECT_EQ(g_UserRecord.batteryFlash, 40);
  EXPECT_STREQ(B("FlashBattery")->GetTextP(), "40 %");
}

TEST_F(OptionsTest, TheGaugeIsPlacedByItsPositionAndThePollNoticeShowsOnce) {
  struct Case {
    int position;
    bool vertical;
    float x, y, w, h;
  } cases[] = {{0, false, 300, 463, 40, 14}, {1, false, 300, 2, 40, 14}, {2, true, 4, 220, 14, 40},
               {3, true, 622, 220, 14, 40}};
  Enter(kGameModeMainMenu, kOptionsDisplay);
  for (const Case& c : cases) {
    Choose("BatteryPos", c.position);
    bool vertical = false;
    float x = 0, y = 0, w = 0, h = 0;
    BatteryGetPlacement(&vertical, &x, &y, &w, &h);
    EXPECT_EQ(vertical, c.vertical) << c.position;
    EXPECT_FLOAT_EQ(x, c.x) << c.position;
    EXPECT_FLOAT_EQ(y, c.y) << c.position;
    EXPECT_FLOAT_EQ(w, c.w) << c.position;
    EXPECT_FLOAT_EQ(h, c.h) << c.position;
  }
  Bar("BatteryTrans")->SetPosInt(60, true);
  EXPECT_FLOAT_EQ(BatteryGetAlpha(), 0.6f);
  // The player started "not polled" (5): the first polled mode explains
  // the poll, once in the run.
  ASSERT_EQ(g_UserRecord.batteryMode, kDisplayBatteryNotPolled);
  BatteryPollDue(1000);
  Pick("ShowBattery", 2);
  EXPECT_EQ(g_UserRecord.batteryMode, 2);
  EXPECT_TRUE(PopupShows("15 seconds"));
  EXPECT_TRUE(BatteryPollDue(1001));  // the countdown starts again
  g_MWin.PopupCloseIfOpen();
  Pick("ShowBattery", 5);
  Pick("ShowBattery", 0);
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  ChoosePage(kOptionsDisplay);
  Pick("ShowBattery", 3);
  EXPECT_FALSE(g_MWin.IsPopupOpen());
}

// ---- Cameras -----------------------------------------------------------------------------------

TEST_F(OptionsTest, AnotherCameraBindsTheScrollbarsToItsValues) {
  Enter(kGameModeMainMenu, kOptionsCameras);
  CameraPreset& p = g_UserRecord.cameras[6];
  p.lookY = 12.5f;
  p.lookZ = -40;
  p.eyeOffsetY = 33;
  p.distance = 150;
  p.fieldOfView = 70;
  p.aspect = 2;
  Choose("Current", 6);
  EXPECT_EQ(g_UserRecord.currentCamera, 6);
  const struct {
    const char* bar;
    float value;
  } bound[] = {{"FromY", 12.5f}, {"FromZ", -40}, {"Distance", 33}, {"Height", 150}, {"Fov", 70}, {"Aspect", 2}};
  for (const auto& b : bound) EXPECT_NEAR(Bar(b.bar)->GetPosFloat(), b.value, 1e-3) << b.bar;
  // A scrollbar edits the current preset only.
  Bar("Fov")->SetPosFloat(80, true);
  EXPECT_FLOAT_EQ(g_UserRecord.cameras[6].fieldOfView, 80);
  EXPECT_NE(g_UserRecord.cameras[5].fieldOfView, 80);
  EXPECT_NEAR(Bar("Distance")->GetMinimum(), 0.0001, 1e-7);
  EXPECT_STREQ(CamerasControlGetCameraText(9), "10");
  EXPECT_STREQ(CamerasControlGetCameraText(10), "-");
}

TEST_F(OptionsTest, DefaultRestoresTheCurrentCameraAlone) {
  Enter(kGameModeMainMenu, kOptionsCameras);
  for (int n : {1, 2, 3}) g_UserRecord.cameras[n].distance = 99;
  Choose("Current", 2);  // camera "3"
  B("Restore")->CallCallback(nullptr);
  EXPECT_FLOAT_EQ(g_UserRecord.cameras[2].distance, GameCamerasGetDefault(2)->distance);
  EXPECT_FLOAT_EQ(g_UserRecord.cameras[1].distance, 99);
  EXPECT_FLOAT_EQ(g_UserRecord.cameras[3].distance, 99);
  EXPECT_NEAR(Bar("Height")->GetPosFloat(), GameCamerasGetDefault(2)->distance, 1e-3);
  B("FovDefault")->CallCallback(nullptr);
  B("AspectDefault")->CallCallback(nullptr);
  EXPECT_FLOAT_EQ(g_UserRecord.cameras[2].fieldOfView, 45);
  EXPECT_FLOAT_EQ(g_UserRecord.cameras[2].aspect, 1.4f);
  EXPECT_NEAR(Bar("Fov")->GetPosFloat(), 45, 1e-3);
}

TEST_F(OptionsTest, ThePreviewFillsTheFrameInWindowPixels) {
  for (int page : {kOptionsCameras, kOptionsLights}) {
    Enter(kGameModeMainMenu, page);
    const CamerasViewport v = CamerasGetPreviewViewport();
    EXPECT_EQ(v.x, 534) << page;
    EXPECT_EQ(v.y, 180) << page;
    EXPECT_EQ(v.w, 452) << page;
    EXPECT_EQ(v.h, 417) << page;
    EXPECT_TRUE(B("RenderBg")->IsVisible());
    // Drawn there, and the whole window given back.
    CamerasControlRenderPreview();
    D3DVIEWPORT9 viewport;
    Device()->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 1024u);
    ScreensGoto(g_ScreenUsers);
  }
  const CamerasViewport odd = CamerasPreviewViewportFor(330.9f, 109.5f, 291, 269, 800, 600);
  EXPECT_EQ(odd.x, 334 * 800 / 640);
  EXPECT_EQ(odd.y, 113 * 600 / 480);
  EXPECT_EQ(odd.w, 283 * 800 / 640);
  EXPECT_EQ(odd.h, 261 * 600 / 480);
}

// ---- Lights ------------------------------------------------------------------------------------

TEST_F(OptionsTest, LightsColoursSystemAndRelighting) {
  Enter(kGameModeMainMenu, kOptionsLights);
  LightSettings& s = *LightsGetSettings();
  // A preset overwrites the colour.
  Choose("ColourSet", 2);
  EXPECT_FLOAT_EQ(s.colour[0], 0.7f);
  EXPECT_FLOAT_EQ(s.colour[1], 0.8f);
  EXPECT_FLOAT_EQ(s.colour[2], 1.0f);
  // A custom colour selects set 4.
  B("CustomColour")->ColourSetFloat(0.2f, 0.4f, 0.6f, true);
  EXPECT_EQ(s.colourSet, kLightsCustomColourSet);
  EXPECT_EQ(B("ColourSet")->ChoiceGetSel(), kLightsCustomColourSet);
  EXPECT_NEAR(s.colour[1], 0.4f, 0.02f);
  // The directional light has no place: disabled, values kept.
  s.positionSet = 7;
  s.height = 30;
  Choose("PosSet", 7);
  Choose("System", 0);
  for (const char* id : {"PosSetText", "PosSet", "HeightText", "Height"}) EXPECT_FALSE(B(id)->IsEnabled()) << id;
  EXPECT_EQ(s.positionSet, 7);
  EXPECT_FLOAT_EQ(s.height, 30);
  Choose("System", 1);
  EXPECT_TRUE(B("Height")->IsEnabled());
  // The ambient level relights at once.
  const int before = GenGetAppliedLightsForTests().count;
  Bar("AmbientLevel")->SetPosFloat(0.45f, true);
  EXPECT_EQ(GenGetAppliedLightsForTests().count, before + 1);
  EXPECT_NEAR(GenGetAppliedLightsForTests().ambient, 0.45f, 1e-3);
  EXPECT_STREQ(LightsControlGetPositionText(8), "I");
}

// ---- System ------------------------------------------------------------------------------------

class SystemPageTest : public OptionsTest {
 protected:
  // Two full-screen modes and a window, with their anti-aliasing choices.
  static void FakeModes(int count, bool windowAa = true) {
    EngResModesData& d = EngResModesGetData();
    d.count = count;
    d.modes[0] = {800, 600, 32, 22, 3, {{0, 0}, {2, 0}, {4, 0}}};
    d.modes[1] = {1024, 768, 32, 22, 2, {{0, 0}, {2, 0}}};
    d.windowed = {1280, 1024, 32, 22, windowAa ? 4 : 0, {{0, 0}, {2, 0}, {4, 0}, {8, 0}}};
    d.setUp = true;
  }
  void EnterSystem(int count, bool windowAa = true) {
    FakeModes(count, windowAa);
    Enter(kGameModeMainMenu, kOptionsSystem);
  }
};

TEST_F(SystemPageTest, OnlyAChangeEnablesChange) {
  EnterSystem(2);
  EXPECT_FALSE(B("Change")->IsEnabled());
  EXPECT_EQ(B("Mode")->ChoiceGetSel(), 1);   // running in a window
  EXPECT_FALSE(B("Res")->IsEnabled());
  EXPECT_EQ(B("Res")->ListGetPos(), 1);      // the mode closest to the 1024 x 768 window
  EXPECT_STREQ(B("Res")->GetTextP(), "1024 x 768 x 32");
  // The display's refresh rate is not offered: no empty list in sight.
  EXPECT_FALSE(B("Freq")->IsVisible());
  EXPECT_FALSE(B("FreqText")->IsVisible());
  Choose("Mode", 0);
  EXPECT_TRUE(B("Change")->IsEnabled());
  EXPECT_TRUE(B("Res")->IsEnabled());
  B("Res")->ListSetPos(0, true);
  Choose("Mode", 1);
  EXPECT_FALSE(B("Res")->IsEnabled());
  EXPECT_FALSE(B("Change")->IsEnabled());
  Choose("Mode", 0);
  EXPECT_EQ(B("Res")->ListGetPos(), 0);      // where it was
  EXPECT_STREQ(B("Aa")->GetTextP(), "Off");
}

TEST_F(SystemPageTest, AntiAliasingIsClampedToTheModeAndRequested) {
  EnterSystem(2);
  Pick("Aa", 3);
  EXPECT_EQ(SystemGetPageState().chosenAa, 3);
  EXPECT_TRUE(B("Change")->IsEnabled());
  EngResolutionRequest r;
  ASSERT_TRUE(SystemControlBuildRequest(&r));
  EXPECT_EQ(r.valid, 1);
  EXPECT_EQ(r.windowed, 1);
  EXPECT_EQ(r.width, 1024);  // the window the player has
  EXPECT_EQ(r.height, 768);
  EXPECT_EQ(r.bitDepth, 32);
  EXPECT_EQ(r.multisampleType, 8);
  EXPECT_EQ(r.multisampleQuality, 0);
  EXPECT_EQ(r.aaEntry, 0);
  EXPECT_EQ(r.refreshRate, 0);
  // The 1024 x 768 full-screen mode has two entries: the choice comes down
  // to its last.
  Choose("Mode", 0);
  EXPECT_EQ(SystemGetPageState().chosenAa, 1);
  EXPECT_EQ(B("Aa")->ListGetPos(), 1);
  ASSERT_TRUE(SystemControlBuildRequest(&r));
  EXPECT_EQ(r.windowed, 0);
  EXPECT_EQ(r.multisampleType, 2);
  // Change hands the request to the window and returns.
  B("Change")->CallCallback(nullptr);
  EXPECT_TRUE(Window()->IsResolutionChangePending());
}

TEST_F(SystemPageTest, AModeWithoutAntiAliasingShowsAnEmptyDisabledList) {
  EnterSystem(2, false);
  EXPECT_FALSE(B("Aa")->IsEnabled());
  EXPECT_EQ(Text("Aa"), "");
  Choose("Mode", 0);
  EXPECT_TRUE(B("Aa")->IsEnabled());
  Choose("Mode", 1);
  EngResolutionRequest r;
  B("Res")->ListSetPos(0, true);
  Choose("Mode", 0);
  Choose("Mode", 1);
  EXPECT_FALSE(SystemControlBuildRequest(&r));  // nothing changed
}

TEST_F(SystemPageTest, WithoutFullScreenModesOnlyTheWindowIsOffered) {
  EnterSystem(0);
  EXPECT_FALSE(B("Mode")->IsEnabled());
  EXPECT_FALSE(B("Res")->IsEnabled());
  EXPECT_EQ(Text("Res"), "");
  Choose("Mode", 0);
  EXPECT_EQ(B("Mode")->ChoiceGetSel(), 1);
  EXPECT_FALSE(B("Change")->IsEnabled());
  Pick("Aa", 1);
  EngResolutionRequest r;
  ASSERT_TRUE(SystemControlBuildRequest(&r));
  EXPECT_EQ(r.windowed, 1);
  EXPECT_EQ(r.width, 1024);  // the window the player has, not the desktop's size
  EXPECT_EQ(r.height, 768);
  EXPECT_EQ(r.multisampleType, 2);
}

// From full screen the way back is the window the settings hold, not a
// window of the full-screen size; leaving a window stores it there first.
TEST_F(SystemPageTest, AWindowComesBackAtTheSizeTheSettingsHold) {
  g_ResolutionSettings.windowWidth = 900;
  g_ResolutionSettings.windowHeight = 700;
  EngWindowSetScreenMode(0, 1024, 768, 32, -1);
  EnterSystem(2);
  EXPECT_EQ(B("Mode")->ChoiceGetSel(), 0);
  EXPECT_EQ(B("Res")->ListGetPos(), 1);
  Choose("Mode", 1);
  EngResolutionRequest r;
  ASSERT_TRUE(SystemControlBuildRequest(&r));
  EXPECT_EQ(r.windowed, 1);
  EXPECT_EQ(r.width, 900);
  EXPECT_EQ(r.height, 700);
  EXPECT_EQ(r.bitDepth, 32);
  // Full screen at another mode keeps that mode's size.
  Choose("Mode", 0);
  B("Res")->ListSetPos(0, true);
  ASSERT_TRUE(SystemControlBuildRequest(&r));
  EXPECT_EQ(r.windowed, 0);
  EXPECT_EQ(r.width, 800);
  EXPECT_EQ(r.height, 600);

  // The page shown again in an 850 x 650 window: going full screen keeps
  // that window in the settings for the way back.
  EngWindowSetScreenMode(1, 850, 650, 32, -1);
  SystemControlStartingCB();
  Choose("Mode", 0);
  B("Change")->CallCallback(nullptr);
  EXPECT_TRUE(Window()->IsResolutionChangePending());
  EXPECT_EQ(g_ResolutionSettings.windowWidth, 850);
  EXPECT_EQ(g_ResolutionSettings.windowHeight, 650);
}

}  // namespace
