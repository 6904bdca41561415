// Tests of EngMisc: the random grid, motion helpers, dates, the per-user
// folders (on a temporary home) and the message box in headless mode.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"
#include "Engine/EngRand.h"
#include "Platform/Dialogs.h"
#include "Platform/Time.h"
#include "Platform/Window.h"
#include "tests/Support/TestSupport.h"

namespace {

struct Box {
  std::string text, caption;
  UINT type;
};

void RecordBox(const char* text, const char* caption, UINT type, void* context) {
  static_cast<std::vector<Box>*>(context)->push_back({text, caption, type});
}

}  // namespace

TEST(EngMiscRandom, FloatGridFollowsTheSize) {
  EngRandCrtSeed(7);
  const struct {
    float maximum;
    double step;
  } cases[] = {{5.0f, 0.001}, {250.0f, 1.0}, {0.5f, 0.0001}, {0.05f, 0.00001}, {50.0f, 0.01}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.maximum);
    float highest = 0;
    for (int i = 0; i < 20000; ++i) {
      const float value = EngMiscRandFloat(c.maximum, false);
      ASSERT_GE(value, 0.0f);
      ASSERT_LT(value, c.maximum);
      const double steps = value / c.step;
      ASSERT_NEAR(steps, std::round(steps), 1e-3);
      highest = std::max(highest, value);
    }
    EXPECT_GE(highest, c.maximum * 0.99f);
  }
  // 5.0 reaches 4.999 exactly: 5000 grid points.
  bool sawTop = false;
  for (int i = 0; i < 200000 && !sawTop; ++i) sawTop = std::fabs(EngMiscRandFloat(5.0f, false) - 4.999f) < 1e-6f;
  EXPECT_TRUE(sawTop);
}

TEST(EngMiscRandom, TinyMaximaGiveZeroInsteadOfDividingByZero) {
  EngRandCrtSeed(3);
  for (float tiny : {1e-7f, -5e-7f, 0.0f}) {
    EXPECT_EQ(EngMiscRandFloat(tiny, false), 0.0f) << tiny;
    EXPECT_EQ(EngMiscRandFloat(tiny, true), 0.0f) << tiny;
  }
}

TEST(EngMiscRandom, NegationAndBooleans) {
  EngRandCrtSeed(11);
  int negative = 0, trues = 0;
  for (int i = 0; i < 4000; ++i) {
    const float value = EngMiscRandFloat(-3.0f, true);  // the magnitude counts
    EXPECT_LT(std::fabs(value), 3.0f);
    if (value < 0) ++negative;
    if (EngMiscRandBool(1)) ++trues;
    EXPECT_FALSE(EngMiscRandBool(0));
    EXPECT_FALSE(EngMiscRandBool(-4));
  }
  EXPECT_GT(negative, 1600);
  EXPECT_LT(negative, 2400);
  EXPECT_GT(trues, 1600);
  EXPECT_LT(trues, 2400);
  for (int i = 0; i < 200; ++i) {
    const float value = EngMiscRandFloatInRange(2.0f, 3.0f, false);
    EXPECT_GE(value, 2.0f);
    EXPECT_LT(value, 3.0f);
  }
  EXPECT_EQ(EngMiscRandFloatInRange(4.0f, 1.0f, false), 4.0f);
}

TEST(EngMiscMotion, FloatsNearlyEqualUsesTheMagnitude) {
  EXPECT_TRUE(EngMiscFloatsNearlyEqual(1000.0f, 1000.5f));
  EXPECT_FALSE(EngMiscFloatsNearlyEqual(1.0f, 1.1f));
  EXPECT_FALSE(EngMiscFloatsNearlyEqual(5.0f, -3.0f));  // a signed divisor said "equal"
  EXPECT_FALSE(EngMiscFloatsNearlyEqual(-1.0f, -2.0f));
  EXPECT_TRUE(EngMiscFloatsNearlyEqual(-1000.0f, -1000.5f));
  EXPECT_FALSE(EngMiscFloatsNearlyEqual(0.5f, 0.0f));
  EXPECT_TRUE(EngMiscFloatsNearlyEqual(0.0f, 0.0f));
}

TEST(EngMiscMotion, MovePointTowards) {
  float x = 0, y = 0, z = 0;
  EXPECT_FALSE(EngMiscMovePointTowards(&x, &y, &z, 10, 5, 0, 2));
  EXPECT_FLOAT_EQ(x, 2);
  EXPECT_FLOAT_EQ(y, 1);
  EXPECT_FLOAT_EQ(z, 0);
  EXPECT_TRUE(EngMiscMovePointTowards(&x, &y, &z, 10, 5, 0, 100));
  EXPECT_FLOAT_EQ(x, 10);
  EXPECT_FLOAT_EQ(y, 5);
  EXPECT_TRUE(EngMiscMovePointTowards(&x, &y, &z, 10, 5, 0, 1));
}

TEST(EngMiscMotion, ClampPulseAndHsl) {
  float v = 5;
  EngMiscClamp(&v, 0, 1);
  EXPECT_EQ(v, 1);
  v = -5;
  EngMiscClamp(&v, 0, 1);
  EXPECT_EQ(v, 0);

  float phase = 0;
  EXPECT_NEAR(EngMiscPulse(&phase, 0), 0.0f, 1e-6);  // starts dark
  for (int i = 0; i < 1000; ++i) {
    const float p = EngMiscPulse(&phase, 0.05f);
    EXPECT_GE(p, 0.0f);
    EXPECT_LE(p, 1.0f);
    EXPECT_GE(phase, -1.5707964f);
    EXPECT_LT(phase, 12.566371f);
  }

  const struct {
    float r, g, b, h, s, l;
  } cases[] = {{1, 0, 0, 0, 1, 0.5f},          {0, 1, 0, 1.0f / 3, 1, 0.5f},
               {0, 0, 1, 2.0f / 3, 1, 0.5f},   {0.5f, 0.5f, 0.5f, 0, 0, 0.5f},
               {1, 0, 1, 5.0f / 6, 1, 0.5f},   {0.75f, 0.25f, 0.25f, 0, 0.5f, 0.5f}};
  for (const auto& c : cases) {
    float h, s, l;
    EngMiscRgbToHsl(c.r, c.g, c.b, &h, &s, &l);
    EXPECT_NEAR(h, c.h, 1e-5) << c.r << " " << c.g << " " << c.b;
    EXPECT_NEAR(s, c.s, 1e-5);
    EXPECT_NEAR(l, c.l, 1e-5);
  }
  EngMiscRgbToHsl(1, 1, 1, nullptr, nullptr, nullptr);
}

class EngMiscDateTest : public TempDirTest {};

TEST_F(EngMiscDateTest, PreviousDayAcrossMonthsAndLeapYears) {
  const struct {
    EngMiscDate in, out;
  } cases[] = {
      {{2008, 3, 1}, {2008, 2, 29}}, {{2009, 3, 1}, {2009, 2, 28}},
      {{2100, 3, 1}, {2100, 2, 28}},  // Gregorian: 2100 is not a leap year
      {{2000, 3, 1}, {2000, 2, 29}}, {{2009, 1, 1}, {2008, 12, 31}},
      {{2009, 5, 1}, {2009, 4, 30}}, {{2009, 8, 1}, {2009, 7, 31}},
      {{2009, 12, 1}, {2009, 11, 30}}, {{2009, 2, 1}, {2009, 1, 31}},
      {{2009, 6, 15}, {2009, 6, 14}},
  };
  for (const auto& c : cases) {
    EngMiscDate d = c.in;
    EngMiscGetPreviousDay(&d);
    EXPECT_EQ(d.year, c.out.year) << c.in.year << "-" << int(c.in.month) << "-" << int(c.in.day);
    EXPECT_EQ(d.month, c.out.month);
    EXPECT_EQ(d.day, c.out.day);
  }
  EXPECT_TRUE(LogLines().empty());

  EngMiscDate bad = {2009, 13, 5};
  EngMiscGetPreviousDay(&bad);
  EXPECT_EQ(bad.month, 13);
  EXPECT_TRUE(LogContains("( EngMiscGetPreviousDay )    Invalid date 2009:13:05"));
}

TEST(EngMiscDate, IsDateAfterAndToday) {
  EXPECT_TRUE(EngMiscIsDateAfter({2009, 1, 1}, {2008, 12, 31}));
  EXPECT_TRUE(EngMiscIsDateAfter({2009, 2, 1}, {2009, 1, 31}));
  EXPECT_TRUE(EngMiscIsDateAfter({2009, 2, 2}, {2009, 2, 1}));
  EXPECT_FALSE(EngMiscIsDateAfter({2009, 2, 2}, {2009, 2, 2}));
  EXPECT_FALSE(EngMiscIsDateAfter({2008, 12, 31}, {2009, 1, 1}));

  EngMiscDate today{};
  EngMiscGetLocalDate(&today);
  EXPECT_GE(today.year, 2024);
  EXPECT_GE(today.month, 1);
  EXPECT_LE(today.month, 12);
  int hour = -1, minute = -1;
  EngMiscGetLocalTime(&hour, &minute, nullptr);
  EXPECT_GE(hour, 0);
  EXPECT_LE(minute, 59);
}

TEST(EngMiscDate, DayNumbersCountTheDaysThatSteppingBackCounts) {
  // Forty years of days stepped back one at a time, across leap days and
  // the century rule (2000 leap, 1900 and 2100 not).
  for (EngMiscDate start : {EngMiscDate{2024, 3, 1}, EngMiscDate{2101, 1, 3}, EngMiscDate{1901, 3, 2}}) {
    EngMiscDate d = start;
    const std::int64_t first = EngMiscDayNumber(start);
    for (int steps = 1; steps <= 14700; ++steps) {
      EngMiscGetPreviousDay(&d);
      ASSERT_TRUE(EngMiscIsCalendarDate(d));
      ASSERT_EQ(first - EngMiscDayNumber(d), steps)
          << d.year << "-" << int(d.month) << "-" << int(d.day);
    }
  }
  EXPECT_EQ(EngMiscDayNumber({0, 1, 1}), 0);
  EXPECT_EQ(EngMiscDayNumber({1, 1, 1}), 366);  // year 0 is a leap year

  const struct {
    EngMiscDate date;
    bool exists;
  } cases[] = {
      {{2024, 2, 29}, true}, {{2023, 2, 29}, false}, {{2100, 2, 29}, false}, {{2000, 2, 29}, true},
      {{2024, 4, 31}, false}, {{2024, 12, 31}, true}, {{2024, 13, 1}, false}, {{2024, 1, 0}, false},
      {{-1, 1, 1}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EngMiscIsCalendarDate(c.date), c.exists)
        << c.date.year << "-" << int(c.date.month) << "-" << int(c.date.day);
  }
}

TEST(EngMiscDate, APinnedDateIsTodayUntilReleased) {
  const EngMiscDate pinned = {2024, 2, 29};
  EngMiscSetLocalDateForTests(&pinned);
  EngMiscDate today{};
  EngMiscGetLocalDate(&today);
  EXPECT_EQ(today.year, 2024);
  EXPECT_EQ(today.month, 2);
  EXPECT_EQ(today.day, 29);
  EngMiscSetLocalDateForTests(nullptr);
  EngMiscGetLocalDate(&today);
  EXPECT_GE(today.year, 2025);
}

TEST(EngMiscTime, WaitAndSleepUseTheClock) {
  PlatformTimeUseFakeClock(true, 5.0);
  EngMiscWait(0.2f);
  const double afterWait = PlatformTimeNow();
  EngMiscSleep(1.5f);
  const double afterSleep = PlatformTimeNow();
  const long sleeps = PlatformTimeGetFakeSleepCount();
  PlatformTimeUseFakeClock(false);
  EXPECT_GE(afterWait, 5.2 - 1e-9);  // in 50 ms steps
  EXPECT_LE(afterWait, 5.25 + 1e-9);
  EXPECT_NEAR(afterSleep - afterWait, 1.5, 1e-9);
  EXPECT_LE(sleeps, 6);  // four or five steps of 50 ms, then one of 1.5 s
}

// The per-user folders on a temporary home with an XDG layout.
class EngMiscFolderTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    Save("HOME");
    Save("XDG_DATA_HOME");
    Save("XDG_CONFIG_HOME");
    setenv("HOME", dir_.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    TempDirTest::TearDown();
  }
  void Save(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(EngMiscFolderTest, SubFoldersAreCreatedUnderApplicationData) {
  // A fresh account has no ~/.local/share yet: it is made on the way.
  char path[512];
  ASSERT_TRUE(EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded("Quarnix", "Ann", path,
                                                                     sizeof(path)));
  EXPECT_EQ(std::string(path), dir_ + "/.local/share\\Quarnix\\Ann");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/.local/share/Quarnix/Ann"));

  setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
  ASSERT_TRUE(EngMiscCreateUserApplicationDataSubDirectoryIfNeeded("Quarnix", path, sizeof(path)));
  EXPECT_EQ(std::string(path), dir_ + "/data\\Quarnix");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/data/Quarnix"));
  EXPECT_TRUE(LogLines().empty());

  // Too small a buffer for the folder plus its parent: refused.
  char small[300];
  EXPECT_FALSE(EngMiscGetUserApplicationDataSubDirectory("Quarnix", small, 100));
  EXPECT_FALSE(EngMiscGetUserApplicationDataSubDirectory(nullptr, path, sizeof(path)));
}

TEST_F(EngMiscFolderTest, CreationFailureIsReported) {
  WriteFile("blocker", "x");
  setenv("XDG_DATA_HOME", (dir_ + "/blocker").c_str(), 1);
  char path[512];
  EXPECT_FALSE(EngMiscCreateUserApplicationDataSubDirectoryIfNeeded("Quarnix", path, sizeof(path)));
  EXPECT_TRUE(LogContains("Could not create dir <"));
}

TEST_F(EngMiscFolderTest, DesktopAndDocumentsFollowUserDirs) {
  char path[512];
  ASSERT_TRUE(EngMiscGetDesktopDirectory(path, sizeof(path)));
  EXPECT_EQ(std::string(path), dir_ + "/Desktop");
  std::filesystem::create_directories(dir_ + "/.config");
  WriteFile(".config/user-dirs.dirs",
            "# written by xdg-user-dirs-update\n"
            "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
            "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n");
  ASSERT_TRUE(EngMiscGetDesktopDirectory(path, sizeof(path)));
  EXPECT_EQ(std::string(path), dir_ + "/Schreibtisch");
  ASSERT_TRUE(EngMiscGetDocumentsDirectory(path, sizeof(path)));
  EXPECT_EQ(std::string(path), "/srv/docs");
  EXPECT_FALSE(EngMiscGetDocumentsDirectory(path, 255));  // too small a buffer
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(EngMiscFolderTest, FoldersGameTextCannotNameAreRefused) {
  // Accented Latin letters pass; Cyrillic has no CP1252 bytes.
  setenv("HOME", (dir_ + "/Jos\xc3\xa9").c_str(), 1);
  char path[512];
  ASSERT_TRUE(EngMiscGetDesktopDirectory(path, sizeof(path)));
  EXPECT_EQ(std::string(path), dir_ + "/Jos\xe9/Desktop");
  setenv("HOME", (dir_ + "/\xd0\x94\xd0\xbe\xd0\xbc").c_str(), 1);
  EXPECT_FALSE(EngMiscGetDesktopDirectory(path, sizeof(path)));
  EXPECT_TRUE(LogContains("( EngMiscGetDesktopDirectory_PC )    Could not get desktop path"));
}

class EngMiscBoxTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("CARDOLIA_HEADLESS", "1", 1);  // also when run outside CTest
    PlatformUseHeadlessWindows(true);      // no window system behind the queue
  }
  void TearDown() override {
    PlatformResetWindowsForTests();
    TempDirTest::TearDown();
  }
};

TEST_F(EngMiscBoxTest, HeadlessBoxesAnswerTheDefault) {
  std::vector<Box> boxes;
  PlatformDialogsSetListener(RecordBox, &boxes);
  const int answers[] = {EngMiscMessageBox(kEngMiscBoxError, "Title", "Text"),
                         EngMiscMessageBox(kEngMiscBoxWarning, "W", "w"),
                         EngMiscMessageBox(kEngMiscBoxPlain, "P", "p")};
  PlatformDialogsSetListener(nullptr, nullptr);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(answers[0], IDOK);
  EXPECT_EQ(boxes[0].caption, "Title");
  EXPECT_EQ(boxes[0].text, "Text");
  EXPECT_EQ(boxes[0].type, MB_ICONERROR);
  EXPECT_EQ(boxes[1].type, MB_ICONWARNING);
  EXPECT_EQ(boxes[2].type, MB_OK);
}

TEST_F(EngMiscBoxTest, PrematureTerminationOffersTheLog) {
  std::vector<Box> boxes;
  PlatformDialogsSetListener(RecordBox, &boxes);
  EngShowPrematureTerminationBox();  // no log written yet
  DebugError("Start", "could not start");
  EngShowPrematureTerminationBox();
  PlatformDialogsSetListener(nullptr, nullptr);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "Error Running Program");
  EXPECT_EQ(boxes[0].text,
            "The program had to terminate prematurely. No error logs were generated.");
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONERROR);
  EXPECT_EQ(boxes[1].text,
            "The program had to terminate prematurely.\n\nDo you wish to see the log file ?");
  EXPECT_EQ(boxes[1].type, MB_YESNO | MB_ICONERROR);
  EXPECT_TRUE(EngFileExists("ErrorLog.txt"));
}
