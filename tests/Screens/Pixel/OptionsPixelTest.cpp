// The Options screen, the Keys screen and the file chooser on a real window
// (Mesa under Xvfb) through the test harness with the real screens: Options
// opened from the main menu and from a dealt game, each page chosen by a
// click on the page choice and saved as a screenshot (<build>/screenshots);
// the preview drawn into its frame; K and Escape back to the game; a
// display change through the System page; options kept for the next start;
// a popup over the Game page's picture and the Boards page's preview.
// Runs on an X server of its own.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/Battery.h"
#include "App/GetFile.h"
#include "Engine/EngDevice.h"
#include "Engine/EngScreen.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinManager.h"
#include "Shell/Shell.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "Platform/D3D9.h"
#include "Platform/D3D9GL.h"
#include "Screens/Cameras.h"
#include "Screens/Options.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

// The harness resets the application shell's stand-in imports; here the
// real screens answer them, so there is nothing to reset.
void AppImportsResetForTests() {}

namespace {

constexpr int kEscapeKey = 0x1B;
constexpr int kKeyDownEvent = 5;

const char* const kTitles[9] = {"MAIN OPTIONS", "DISPLAY OPTIONS", "CARD DECKS", "TABLE BOARDS", "CAMERAS",
                                "LIGHTING",     "STARTUP OPTIONS", "KEYS & MOUSE CONTROLS", "SYSTEM SETTINGS"};

struct Rgb {
  int r = 0, g = 0, b = 0;
};

int Difference(const Rgb& a, const Rgb& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

class OptionsPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
  }

  // A click at a point of the virtual 640 x 480 screen, then frames for
  // the toolkit to run what it queued.
  static void Click(GameHarness& h, float x, float y) {
    h.MouseMove(static_cast<int>(x * h.Width() / 640), static_cast<int>(y * h.Height() / 480));
    h.MouseButton(0, true);
    h.MouseButton(0, false);
    h.Frame();
    h.Frame();
  }

  static void PressKey(GameHarness& h, int key) {
    h.Key(key, true);
    h.Frame();
    h.Key(key, false);
    h.Frame();
  }

  // The mean colour of a square of 9 x 9 pixels around a point of the
  // virtual screen.
  static Rgb At(GameHarness& h, const std::vector<std::uint32_t>& pixels, float x, float y) {
    const int cx = static_cast<int>(x * h.Width() / 640), cy = static_cast<int>(y * h.Height() / 480);
    Rgb sum;
    int n = 0;
    for (int py = cy - 4; py <= cy + 4; ++py) {
      for (int px = cx - 4; px <= cx + 4; ++px) {
        const std::uint32_t p = pixels[static_cast<std::size_t>(py) * h.Width() + px];
        sum.r += (p >> 16) & 0xFF;
        sum.g += (p >> 8) & 0xFF;
        sum.b += p & 0xFF;
        ++n;
      }
    }
    return {sum.r / n, sum.g / n, sum.b / n};
  }

  static std::vector<std::uint32_t> Shot(GameHarness& h, const std::string& name) {
    const std::vector<std::uint32_t> pixels = h.Pixels();
    EXPECT_TRUE(HarnessWritePng(HarnessScreenshotFolder() + "/" + name + ".png", h.Width(), h.Height(), pixels));
    return pixels;
  }

  static MWinButton* OptionsButton(const char* id) { return ScreenLookUp("Options")(id); }

  // From the main menu to a dealt Klondike table, as the player's New Game
  // does (the menu closes), then play in progress.
  static void Play(GameHarness& h) {
    Click(h, 307 + 36, 415 + 28);
    ASSERT_FALSE(g_MWin.IsOn());
    ASSERT_TRUE(h.Deal(kGameKlondike, 1234));
  }
};

TEST_F(OptionsPixelTest, EveryPageFromTheMenuAndFromPlay) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  h.Frame();
  Click(h, 205 + 46, 415 + 13);  // "Options" of the main menu
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenOptions);
  for (int page = 0; page < 9; ++page) {
    Click(h, 19 + (page + 0.5f) * 609 / 9, 66 + 16);
    EXPECT_EQ(g_UserRecord.optionsPage, page);
    EXPECT_STREQ(OptionsButton("OptionsTitle")->GetTextP(), kTitles[page]);
    const std::vector<std::uint32_t> pixels = Shot(h, "OptionsMenuPage" + std::to_string(page));
    // The page choice is drawn.
    EXPECT_GT(Difference(At(h, pixels, 320, 82), Rgb{}), 60) << page;
    if (page == kOptionsCameras || page == kOptionsLights) {
      // The table is drawn into the preview frame: not the frame's plain
      // inside, not black.
      const Rgb preview = At(h, pixels, 475, 245);
      EXPECT_GT(Difference(preview, At(h, pixels, 164, 360)), 40) << page;
      EXPECT_GT(Difference(preview, Rgb{}), 60) << page;
    }
  }
  Click(h, 264 + 56, 424 + 21);  // Back
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenMain);

  Play(h);
  PressKey(h, 'O');
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenOptions);
  ASSERT_TRUE(g_MWin.IsOn());
  for (int page = 0; page < 9; ++page) {
    Click(h, 60 + (page + 0.5f) * 520 / 9, 66 + 16);
    EXPECT_EQ(g_UserRecord.optionsPage, page);
    EXPECT_FALSE(OptionsButton("OptionsTitle")->IsVisible());
    const std::vector<std::uint32_t> pixels = Shot(h, "OptionsPlayPage" + std::to_string(page));
    // The table shows beside the page.
    EXPECT_GT(Difference(At(h, pixels, 30, 300), Rgb{}), 60) << page;
  }
  // On the Keys page K does nothing: it belongs to the Keys screen.
  Click(h, 60 + 7.5f * 520 / 9, 66 + 16);
  PressKey(h, 'K');
  EXPECT_EQ(ScreensGetCurrent(), g_ScreenOptions);
  EXPECT_TRUE(g_MWin.IsOn());
  // Escape presses the page's Done: back to the game.
  GameInputEventCB(kKeyDownEvent, kEscapeKey, 0);
  h.Frame();
  h.Frame();
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_EQ(GameGetProgramMode(), kGameModePlaying);

  // K shows the Keys screen over the game and hides it again.
  PressKey(h, 'K');
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenKeys);
  ASSERT_TRUE(g_MWin.IsOn());
  Shot(h, "KeysScreen");
  EXPECT_STREQ(ScreenLookUp("Keys")("Title")->GetTextP(), "KEYS & MOUSE CONTROLS");
  PressKey(h, 'K');
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_EQ(GameGetProgramMode(), kGameModePlaying);
}

TEST_F(OptionsPixelTest, TheSystemPageChangesTheDisplayOnTheNextPass) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  h.Frame();
  const int resources = D3D9LiveResourceCount();
  Click(h, 205 + 46, 415 + 13);
  Click(h, 19 + 8.5f * 609 / 9, 66 + 16);  // System
  ASSERT_EQ(g_UserRecord.optionsPage, kOptionsSystem);
  // The window at 1024 x 768: full screen, at the display's one mode.
  MWinButton* mode = OptionsButton("Mode");
  const MWinArea m = mode->GetAreaRelative();
  Click(h, m.x + m.w / 4, m.y + m.h / 2);
  ASSERT_TRUE(OptionsButton("Change")->IsEnabled());
  const MWinArea c = OptionsButton("Change")->GetAreaRelative();
  Click(h, c.x + c.w / 2, c.y + c.h / 2);
  h.Frame();
  h.Frame();
  EXPECT_FALSE(EngWindowGetScreenMode().windowed);
  // Nothing leaks into the new device; what only the start-up's splash
  // used may stay behind with the old one.
  EXPECT_LE(D3D9LiveResourceCount(), resources);
  Shot(h, "SystemFullScreen");
}

TEST_F(OptionsPixelTest, ChangedOptionsAreKeptForTheNextStart) {
  {
    GameHarness h(dir_ + "/run");
    ASSERT_TRUE(h.Start(1024, 768));
    h.Frame();
    Click(h, 205 + 46, 415 + 13);
    Click(h, 19 + 4.5f * 609 / 9, 66 + 16);  // Cameras
    const MWinArea current = OptionsButton("Current")->GetAreaRelative();
    Click(h, current.x + current.w * 4.5f / 10, current.y + current.h / 2);  // camera 5
    ASSERT_EQ(g_UserRecord.currentCamera, 4);
    Click(h, 19 + 5.5f * 609 / 9, 66 + 16);  // Lights
    const MWinArea colours = OptionsButton("ColourSet")->GetAreaRelative();
    Click(h, colours.x + colours.w * 2.5f / 5, colours.y + colours.h / 2);  // "Cool"
    ASSERT_EQ(g_UserRecord.lights.colourSet, 2);
    Shot(h, "OptionsLightsCool");
    Click(h, 264 + 56, 424 + 21);  // Back
  }
  g_UserRecord = UserRecord{};
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  EXPECT_EQ(g_UserRecord.currentCamera, 4);
  EXPECT_EQ(g_UserRecord.lights.colourSet, 2);
  EXPECT_EQ(g_UserRecord.optionsPage, kOptionsLights);
}

// A popup dims what lies behind it, the 3D pictures of the pages with the
// rest: the Game page's table picture under the autoplay levels' "?" and
// the Boards page's preview under its texture quality's "?" stay in sight,
// dimmed, beside the popup.
TEST_F(OptionsPixelTest, APopupDimsThePictureBehindItInsteadOfBlackingItOut) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  h.Frame();
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenMain);
  const struct {
    const char* picture;
    const char* collection;
    const char* info;  // the "?" that opens a popup
  } pages[] = {
      {"the Game page's table", "Main", "AutoplayInfo"},
      {"the Boards page's preview", "Options", "TexQualInfo"},
  };
  for (const auto& page : pages) {
    SCOPED_TRACE(page.picture);
    if (std::string(page.collection) == "Options") {
      Click(h, 205 + 46, 415 + 13);             // "Options" of the main menu
      Click(h, 19 + 3.5f * 609 / 9, 66 + 16);  // Boards
      ASSERT_EQ(g_UserRecord.optionsPage, kOptionsSets);
    }
    const std::string name = std::string("PopupOver") + page.collection;
    const std::vector<std::uint32_t> before = Shot(h, name + "Before");
    MWinArea info;
    ScreenLookUp(page.collection)(page.info)->GetArea(&info, false);
    Click(h, info.x + info.w / 2, info.y + info.h / 2);
    ASSERT_TRUE(g_MWin.IsPopupOpen());
    h.Frame();
    const std::vector<std::uint32_t> under = Shot(h, name + "Popup");
    // A point of the picture ("RenderBg" holds it, in a rim of its own)
    // that shows the table, right of the popup in the middle of the screen.
    MWinArea frame;
    ScreenLookUp(page.collection)("RenderBg")->GetArea(&frame, false);
    const MWinArea popup = g_MWin.GetPopupWindow()->GetArea();
    float x = -1, y = -1;
    for (float py = frame.y + 20; py < frame.y + frame.h - 20 && x < 0; py += 4) {
      for (float px = frame.x + frame.w - 20; px > popup.x + popup.w + 10 && x < 0; px -= 4) {
        if (Difference(At(h, before, px, py), Rgb{}) > 150) {
          x = px;
          y = py;
        }
      }
    }
    ASSERT_GE(x, 0) << "no picture right of the popup; see " << name << "Before.png and " << name << "Popup.png";
    const Rgb shown = At(h, before, x, y), dimmed = At(h, under, x, y);
    // Dimmed by half, as the windows around it.
    EXPECT_NEAR(dimmed.r, shown.r / 2, 12) << "at " << x << ", " << y << "; see " << name << "Popup.png";
    EXPECT_NEAR(dimmed.g, shown.g / 2, 12);
    EXPECT_NEAR(dimmed.b, shown.b / 2, 12);
    g_MWin.PopupCloseIfOpen();
    h.Frame();
  }
}

TEST_F(OptionsPixelTest, TheFileChooserListsAFolder) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  h.Frame();
  const std::string folder = dir_ + "/Pictures";
  std::filesystem::create_directories(folder + "/Holiday");
  for (const char* name : {"board.jpg", "back.bmp", "notes.txt", "Table.TGA"}) TempDirTest::WriteFile(folder + "/" + name, "x");
  GetFileSetDefaults();
  GetFileSetTitle("Choose A Picture");
  GetFileSetStartDir(folder.c_str());
  const char* pictures[kGetFileMaxFilters] = {"bmp", "jpg", "tga"};
  GetFileSetExtensions(pictures);
  static int result = -1;
  GetFileSetFileChosenCB([](int r) { result = r; });
  ScreensGoto(g_ScreenGetFile);
  ASSERT_EQ(ScreensGetCurrent(), g_ScreenGetFile);
  h.Frame();
  EXPECT_EQ(GetFileGetEntryCount(), 5);  // up, Holiday, and the three pictures
  const std::vector<std::uint32_t> pixels = Shot(h, "FileChooser");
  EXPECT_GT(Difference(At(h, pixels, 320, 240), Rgb{}), 30);
  Click(h, 283 + 37, 401 + 12);  // Cancel
  EXPECT_EQ(result, 0);
  GetFileSetDefaults();
}

// The gauge over the dealt table, drawn as the status drawing draws it:
// half charged it is half green; with no full capacity (an unknown
// charge) it is drawn empty and nothing of it shows left of its frame.
TEST_F(OptionsPixelTest, TheBatteryGaugeShowsTheChargeInsideItsFrame) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  Play(h);
  const std::string supplies = dir_ + "/power_supply";
  std::filesystem::create_directories(supplies + "/BAT0");
  auto battery = [&](const char* energyFull) {
    TempDirTest::WriteFile(supplies + "/BAT0/type", "Battery\n");
    TempDirTest::WriteFile(supplies + "/BAT0/status", "Discharging\n");
    TempDirTest::WriteFile(supplies + "/BAT0/energy_now", "25000000\n");
    TempDirTest::WriteFile(supplies + "/BAT0/energy_full", std::string(energyFull) + "\n");
    BatteryUpdate(false);
  };
  BatterySetPowerSupplyRoot(supplies.c_str());
  BatterySetAlpha(1.0f);
  // A large gauge over the table so that each part spans many pixels.
  constexpr float kX = 220, kY = 200, kW = 200, kH = 56;
  auto draw = [&](const std::string& name, bool gauge) {
    EngDevice* device = EngDeviceGetCurrent();
    std::vector<std::uint32_t> pixels;
    if (!device || !device->BeginRendering()) return pixels;
    GameRenderGame();
    if (gauge) BatteryRender();
    device->EndRendering();
    D3D9GLReadPixels(0, 0, h.Width(), h.Height(), &pixels);
    EXPECT_TRUE(HarnessWritePng(HarnessScreenshotFolder() + "/" + name + ".png", h.Width(), h.Height(), pixels));
    return pixels;
  };
  auto greenness = [](const Rgb& c) { return c.g - std::max(c.r, c.b); };

  BatterySetPlacement(false, kX, kY, kW, kH);
  battery("50000000");
  ASSERT_EQ(BatteryGetCurrentInfo().chargePercent, 50);
  const std::vector<std::uint32_t> table = draw("BatteryHalf", true);
  ASSERT_FALSE(table.empty());
  const Rgb filled = At(h, table, kX + 0.2f * kW, kY + kH / 2);
  const Rgb empty = At(h, table, kX + 0.7f * kW, kY + kH / 2);
  EXPECT_GT(greenness(filled), 60);
  EXPECT_LT(greenness(empty), 30);
  EXPECT_LT(empty.r + empty.g + empty.b, filled.r + filled.g + filled.b);

  battery("0");
  ASSERT_EQ(BatteryGetCurrentInfo().chargePercent, -1);
  const std::vector<std::uint32_t> unknown = draw("BatteryUnknown", true);
  ASSERT_FALSE(unknown.empty());
  // No charge shows anywhere, its left end included.
  for (float along : {0.0125f, 0.2f, 0.5f}) {
    EXPECT_LT(greenness(At(h, unknown, kX + along * kW, kY + kH / 2)), 30) << "at " << along << " of the gauge";
  }
  // Just left of the frame the table shows as it does without a gauge.
  const std::vector<std::uint32_t> bare = draw("BatteryNone", false);
  ASSERT_EQ(bare.size(), unknown.size());
  const int row = static_cast<int>((kY + kH / 2) * h.Height() / 480);
  const int edge = static_cast<int>(kX * h.Width() / 640);
  for (int x = edge - 6; x < edge; ++x) {
    const std::size_t i = static_cast<std::size_t>(row) * h.Width() + x;
    EXPECT_EQ(unknown[i], bare[i]) << "pixel " << x << " left of the gauge at " << edge;
  }
  BatterySetPowerSupplyRoot(nullptr);
  BatteryUpdate(false);
}

}  // namespace
