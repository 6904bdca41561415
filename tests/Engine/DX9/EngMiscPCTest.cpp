// Tests of the platform side of EngMisc: the timer, the message flush's time
// limit (with a stand-in queue whose messages take 100 ms each), the work
// area and the folder buffers.
#include <gtest/gtest.h>

#include "Engine/DX9/EngMiscPC.h"
#include "Platform/Time.h"
#include "Platform/Window.h"
#include "tests/Support/TestSupport.h"

namespace {
int g_waiting = 0;
bool RemoveOne() {
  if (g_waiting <= 0) return false;
  --g_waiting;
  Sleep(100);  // each message takes a while on the fake clock
  return true;
}
}  // namespace

TEST(EngMiscPC, TimerCountsFromItsStart) {
  PlatformTimeUseFakeClock(true, 100.0);
  EngMiscInitTimer_PC();
  EXPECT_DOUBLE_EQ(EngMiscGetSeconds_PC(), 0.0);
  PlatformTimeAdvanceFakeClock(1.25);
  EXPECT_DOUBLE_EQ(EngMiscGetSeconds_PC(), 1.25);
  PlatformTimeUseFakeClock(false);
  EngMiscInitTimer_PC();
}

TEST(EngMiscPC, FlushStopsWhenEmptyOrOutOfTime) {
  PlatformTimeUseFakeClock(true, 0.0);
  EngMiscInitTimer_PC();
  EngMiscSetMessageRemover_PC(RemoveOne);
  g_waiting = 3;
  EngMiscFlushWindowsMessages_PC(2.0);
  EXPECT_EQ(g_waiting, 0);
  EXPECT_NEAR(EngMiscGetSeconds_PC(), 0.3, 1e-9);
  g_waiting = 50;
  EngMiscFlushWindowsMessages_PC(1.0);
  EXPECT_EQ(g_waiting, 40);  // 1 s of 100 ms messages
  EngMiscSetMessageRemover_PC(nullptr);
  PlatformTimeUseFakeClock(false);
  EngMiscInitTimer_PC();
}

TEST(EngMiscPC, WorkAreaHasASize) {
  PlatformUseHeadlessWindows(true);
  int left = -1, top = -1, width = 0, height = 0;
  EngMiscGetDesktopWorkArea_PC(&left, &top, &width, &height);
  EXPECT_GE(left, 0);
  EXPECT_GE(top, 0);
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);
  EngMiscGetDesktopWorkArea_PC(nullptr, nullptr, nullptr, nullptr);
  PlatformResetWindowsForTests();
}

class EngMiscPCFolderTest : public TempDirTest {};

TEST_F(EngMiscPCFolderTest, SmallBuffersAreRefusedSilently) {
  char buffer[512];
  EXPECT_FALSE(EngMiscGetDesktopDirectory_PC(buffer, 255));
  EXPECT_FALSE(EngMiscGetDocumentsDirectory_PC(buffer, 255));
  EXPECT_FALSE(EngMiscGetUserApplicationDataDirectory_PC(nullptr, 512));
  EXPECT_TRUE(LogLines().empty());
  ASSERT_TRUE(EngMiscGetCurrentDirectory_PC(buffer, sizeof(buffer)));
  EXPECT_EQ(std::string(buffer), dir_);
  EXPECT_TRUE(EngMiscGetApplicationsDirectory_PC(buffer, sizeof(buffer)));
  EXPECT_STREQ(buffer, "/usr/bin");
  EXPECT_FALSE(EngMiscGetCurrentDirectory_PC(buffer, 3));
}
