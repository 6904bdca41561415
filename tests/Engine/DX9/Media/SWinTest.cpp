// Tests of the plain window's logic on the platform's fake window: limits,
// placement, alignment, the user's actions and their callbacks, closing, and
// an updater-shaped loop that ends by itself when nobody answers.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Engine/DX9/SWin.h"
#include "Engine/EngMisc.h"
#include "Platform/PlainWindow.h"
#include "Platform/Time.h"
#include "tests/Support/TestSupport.h"

namespace {

SWinSettings Settings(int width, int height, int x = -1, int y = -1) {
  SWinSettings settings{};
  std::strcpy(settings.title, "Updating");
  settings.x = x;
  settings.y = y;
  settings.width = width;
  settings.height = height;
  settings.red = settings.green = settings.blue = 0.94f;
  return settings;
}

int gClicks = 0;
int gLastSelection = -2;
void CountClick(SWin*) { ++gClicks; }
void EndLoop(SWin* window) { window->QuitWindowLoop(); }
void NoteSelection(SWin*, int selection) { gLastSelection = selection; }

class SWinTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    PlainWindowUseBackEnd(kPlainWindowFake);
    gClicks = 0;
    gLastSelection = -2;
  }
  void TearDown() override {
    if (window_.IsCreated()) window_.DestroyMainWindow();
    PlainWindowUseBackEnd(kPlainWindowAuto);
    TempDirTest::TearDown();
  }
  // Runs the loop until it has nothing to do (1) or ends (0).
  int Pump() {
    int result;
    while ((result = window_.ProcessAnyWindowsMessages()) == 2) {
    }
    return result;
  }
  SWin window_;
};

}  // namespace

TEST_F(SWinTest, TheWindowStaysInsideTheWorkArea) {
  int left = 0, top = 0, width = 0, height = 0;
  EngMiscGetDesktopWorkArea(&left, &top, &width, &height);
  if (width <= 0 || height <= 0) {
    left = top = 0;
    width = 1280;
    height = 1024;
  }
  ASSERT_TRUE(window_.CreateMainWindow(nullptr) == false);
  EXPECT_TRUE(LogContains("( SWin::CreateMainWindow )    No info specified"));
  const SWinSettings big = Settings(width + 500, 400, 50, -1);
  ASSERT_TRUE(window_.CreateMainWindow(&big));
  EXPECT_EQ(window_.GetWidth(), width);
  EXPECT_EQ(window_.GetX(), left);
  EXPECT_EQ(window_.GetY(), top + (height - 400) / 2);
  EXPECT_FALSE(window_.CreateMainWindow(&big));
  EXPECT_TRUE(LogContains("Window already created"));
}

TEST_F(SWinTest, ControlsAreLimitedPlacedAndCounted) {
  const SWinSettings settings = Settings(400, 300);
  ASSERT_TRUE(window_.CreateMainWindow(&settings));
  const struct {
    int x, y, width, height;
    int placedX, placedY, placedWidth, placedHeight;
  } cases[] = {
      {-1, 10, 500, 20, 0, 10, 400, 20},     // too wide: as wide as the window, centred
      {-1, -1, 100, 50, 150, 125, 100, 50},  // centred both ways
      {350, 290, 100, 20, 300, 280, 100, 20},  // sticking out: moved back inside
  };
  for (const auto& c : cases) {
    const int index = window_.AddButtonToWindow(kSWinStaticText, c.x, c.y, c.width, c.height, "text");
    ASSERT_GE(index, 0);
    const SWinControl* control = window_.GetControl(index);
    EXPECT_EQ(control->x, c.placedX);
    EXPECT_EQ(control->y, c.placedY);
    EXPECT_EQ(control->width, c.placedWidth);
    EXPECT_EQ(control->height, c.placedHeight);
  }
  EXPECT_EQ(window_.AddButtonToWindow(5, 0, 0, 10, 10, "?"), -1);
  EXPECT_TRUE(LogContains("Unknown button type 5"));
  while (window_.GetControlCount() < kSWinMaxControls) {
    ASSERT_GE(window_.AddButtonToWindow(kSWinGroupBox, 0, 0, 10, 10, "g"), 0);
  }
  EXPECT_EQ(window_.AddButtonToWindow(kSWinStaticText, 0, 0, 10, 10, "25th"), -1);
  EXPECT_TRUE(LogContains("( SWin::AddButtonToWindow )    Too many buttons"));
}

TEST_F(SWinTest, TextsAlignmentAndBadIndexes) {
  const SWinSettings settings = Settings(400, 90);
  ASSERT_TRUE(window_.CreateMainWindow(&settings));
  const int text = window_.AddButtonToWindow(kSWinStaticText, 0, 22, 400, 20, "Updating");
  const int group = window_.AddButtonToWindow(kSWinRadioGroup, 0, 0, 10, 10, nullptr);
  const std::string longText(600, 'w');
  ASSERT_TRUE(window_.SetButtonText(text, longText.c_str()));

  // Each alignment replaces the one before; the whole text is applied again.
  ASSERT_TRUE(window_.SetButtonTextAlign(text, 1));
  ASSERT_TRUE(window_.SetButtonTextAlign(text, 2));
  EXPECT_EQ(PlainWindowGetAlignment(window_.GetPlainWindow(), window_.GetControl(text)->handle), 2);
  ASSERT_TRUE(window_.SetButtonTextAlign(text, 0));
  EXPECT_EQ(PlainWindowGetAlignment(window_.GetPlainWindow(), window_.GetControl(text)->handle), 0);
  char back[1024];
  ASSERT_TRUE(window_.GetButtonText(text, back, sizeof back));
  EXPECT_EQ(std::string(back), longText);

  const struct {
    const char* what;
    bool result;
  } refusals[] = {
      {"negative index", window_.SetButtonText(-1, "x")},
      {"index past the count", window_.GetButtonText(5, back, sizeof back)},
      {"negative alignment index", window_.SetButtonTextAlign(-3, 1)},
      {"unknown alignment", window_.SetButtonTextAlign(text, 3)},
      {"a radio group has no text", window_.SetButtonText(group, "x")},
      {"callback on a static text", window_.PushButtonSetCallback(text, CountClick)},
  };
  for (const auto& r : refusals) EXPECT_FALSE(r.result) << r.what;
  EXPECT_TRUE(LogContains("( SWin::SetButtonText )    Bad index -1"));
  EXPECT_TRUE(LogContains("Not a push button"));
}

TEST_F(SWinTest, TheUsersActionsReachTheirCallbacks) {
  const SWinSettings settings = Settings(640, 420);
  ASSERT_TRUE(window_.CreateMainWindow(&settings));
  PlainWindow* plain = window_.GetPlainWindow();
  const int button = window_.AddPushButton(20, 360, 140, 20, "Download", CountClick);
  std::int32_t chosen = -1;
  std::uint8_t chosenByte = 0xFF;
  const int list = window_.AddButtonToWindow(kSWinDropDown, 20, 20, 200, 20, nullptr, NoteSelection, &chosen, &chosenByte);
  ASSERT_TRUE(window_.AddDropDownItem(list, "One"));
  ASSERT_TRUE(window_.AddDropDownItem(list, "Two"));
  std::int32_t radioChoice = -1;
  const int group = window_.AddButtonToWindow(kSWinRadioGroup, 0, 0, 1, 1, nullptr, NoteSelection, &radioChoice);
  ASSERT_EQ(window_.AddRadioButton(group, 300, 20, 100, 20, "Low"), 0);
  ASSERT_EQ(window_.AddRadioButton(group, 300, 50, 100, 20, "High"), 1);
  const SWinControl* radio = window_.GetControl(group);

  PlainWindowFakeClick(plain, window_.GetControl(button)->handle);
  EXPECT_EQ(Pump(), 1);
  EXPECT_EQ(gClicks, 1);

  PlainWindowFakeSelect(plain, window_.GetControl(list)->handle, 1);
  Pump();
  EXPECT_EQ(gLastSelection, 1);
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(chosenByte, 1);

  gLastSelection = -2;
  PlainWindowFakeClick(plain, radio->members[0]);  // already the choice: nothing happens
  Pump();
  EXPECT_EQ(gLastSelection, -2);
  EXPECT_TRUE(PlainWindowIsChecked(plain, radio->members[0]));
  PlainWindowFakeClick(plain, radio->members[1]);
  Pump();
  EXPECT_EQ(gLastSelection, 1);
  EXPECT_EQ(radioChoice, 1);
  EXPECT_FALSE(PlainWindowIsChecked(plain, radio->members[0]));
  EXPECT_TRUE(PlainWindowIsChecked(plain, radio->members[1]));
}

TEST_F(SWinTest, EscapeClosesTheWindowOnceAndEndsTheLoop) {
  const SWinSettings settings = Settings(400, 90);
  ASSERT_TRUE(window_.CreateMainWindow(&settings));
  PlainWindowFakeReleaseKey(window_.GetPlainWindow(), 'A');
  EXPECT_EQ(window_.ProcessAnyWindowsMessages(), 2);
  EXPECT_TRUE(window_.IsCreated());
  PlainWindowFakeReleaseKey(window_.GetPlainWindow(), 27);
  EXPECT_EQ(window_.ProcessAnyWindowsMessages(), 2);
  EXPECT_FALSE(window_.IsCreated());
  EXPECT_EQ(window_.ProcessAnyWindowsMessages(), 0);
  // The window and its background are gone already: destroying again only
  // reports (the leak checker and the address checker watch the rest).
  EXPECT_FALSE(window_.DestroyMainWindow());
  EXPECT_TRUE(LogContains("( SWin::DestroyMainWindow )    No window"));
  // A new window starts with an empty control table and a fresh loop.
  ASSERT_TRUE(window_.CreateMainWindow(&settings));
  EXPECT_EQ(window_.GetControlCount(), 0);
  EXPECT_EQ(window_.ProcessAnyWindowsMessages(), 1);
  PlainWindowFakeAskClose(window_.GetPlainWindow());
  window_.ProcessAnyWindowsMessages();
  EXPECT_FALSE(window_.IsCreated());
}

// The updater's result window, with nobody at the screen: the loop runs
// (pump, sleep) until the platform answers Escape after a second.
TEST_F(SWinTest, AnUpdaterShapedLoopEndsByItself) {
  bool downloadPressed = false;
  static bool* pressed = &downloadPressed;
  const SWinSettings settings = Settings(640, 420);
  ASSERT_TRUE(window_.CreateMainWindow(&settings));
  ASSERT_GE(window_.AddButtonToWindow(kSWinEdit, 20, 20, 600, 320, "A new version exists.\r\nIt is out of date."), 0);
  ASSERT_GE(window_.AddPushButton(480, 360, 140, 20, "Close", EndLoop), 0);
  ASSERT_GE(window_.AddPushButton(20, 360, 140, 20, "Download",
                                  [](SWin* w) {
                                    *pressed = true;
                                    w->QuitWindowLoop();
                                  }),
            0);
  const double start = PlatformTimeNow();
  while (window_.ProcessAnyWindowsMessages() != 0) EngMiscSleep(0.00001f);
  EXPECT_LT(PlatformTimeNow() - start, 3.0);
  EXPECT_FALSE(downloadPressed);
  EXPECT_FALSE(window_.IsCreated());
}
