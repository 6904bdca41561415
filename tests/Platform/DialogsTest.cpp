// Tests of the message box's headless answers and the headless switch.
#include <string>

#include <gtest/gtest.h>

#include "Platform/Dialogs.h"
#include "tests/Support/TestSupport.h"

TEST(PlatformDialogs, HeadlessSwitch) {
  {
    ScopedEnv headless("CARDOLIA_HEADLESS", "1");
    EXPECT_TRUE(PlatformIsHeadless());
  }
  {
    ScopedEnv headless("CARDOLIA_HEADLESS", "0");
    ScopedEnv display("DISPLAY", ":99");
    EXPECT_FALSE(PlatformIsHeadless());
  }
  {
    ScopedEnv headless("CARDOLIA_HEADLESS", nullptr);
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    EXPECT_TRUE(PlatformIsHeadless());  // no display to show a box on
  }
}

TEST(PlatformDialogs, HeadlessBoxesTakeTheAnswerThatDoesNothing) {
  ScopedEnv headless("CARDOLIA_HEADLESS", "1");
  EXPECT_EQ(MessageBoxA(nullptr, "Text", "Title", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "Text", "Title", MB_OK | MB_ICONERROR), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "Try again?", "Title", MB_YESNO | MB_ICONWARNING), IDNO);
  EXPECT_FALSE(PlatformOpenWithShell("ErrorLog.txt"));  // never runs anything headless
}
