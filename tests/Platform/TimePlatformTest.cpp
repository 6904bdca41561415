// Tests of the timer calls: the real clock moves forward and sleeps; the
// fake clock is exact and Sleep advances it.
#include <gtest/gtest.h>

#include "Platform/Time.h"

TEST(PlatformTime, RealClockIsMonotonicAndSleeps) {
  ASSERT_FALSE(PlatformTimeIsFakeClock());
  LARGE_INTEGER frequency{}, a{}, b{};
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1000000000LL);
  ASSERT_TRUE(QueryPerformanceCounter(&a));
  const double before = PlatformTimeNow();
  Sleep(2);
  ASSERT_TRUE(QueryPerformanceCounter(&b));
  EXPECT_GE(b.QuadPart - a.QuadPart, 2000000LL);
  EXPECT_GE(PlatformTimeNow() - before, 0.002);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));
}

TEST(PlatformTime, FakeClockIsExactAndSleepAdvancesIt) {
  PlatformTimeUseFakeClock(true, 1.5);
  EXPECT_EQ(timeGetTime(), 1500u);
  for (int i = 0; i < 17; ++i) Sleep(1);
  EXPECT_EQ(timeGetTime(), 1517u);
  LARGE_INTEGER count{};
  QueryPerformanceCounter(&count);
  EXPECT_EQ(count.QuadPart, 1517000000LL);
  PlatformTimeAdvanceFakeClock(0.0005);
  EXPECT_DOUBLE_EQ(PlatformTimeNow(), 1.5175);
  PlatformTimeAdvanceFakeClock(-3.0);  // never backwards
  EXPECT_DOUBLE_EQ(PlatformTimeNow(), 1.5175);
  EXPECT_EQ(PlatformTimeGetFakeSleepCount(), 17);
  PlatformTimeUseFakeClock(false);
  EXPECT_FALSE(PlatformTimeIsFakeClock());
}
