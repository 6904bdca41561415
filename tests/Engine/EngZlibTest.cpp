// Tests of the one-call deflate: the exact empty stream, the too-small
// buffer, a round trip through uncompress, the once-a-run version note and
// which library versions differ how.
#include <zlib.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngMenu.h"
#include "Engine/EngZlib.h"
#include "tests/Support/TestSupport.h"

class EngZlibTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    EngZlibResetForTests();
  }
};

TEST_F(EngZlibTest, EmptyInputGivesACompleteStream) {
  unsigned char out[64];
  unsigned long length = sizeof(out);
  ASSERT_TRUE(EngZlibDeflateData("", 0, out, &length, Z_DEFAULT_COMPRESSION));
  const std::vector<unsigned char> expected = {0x78, 0x9c, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
  EXPECT_EQ(std::vector<unsigned char>(out, out + length), expected);
}

TEST_F(EngZlibTest, RoundTripThroughUncompress) {
  std::string input;
  for (int i = 0; i < 5000; ++i) input += "card " + std::to_string(i % 52) + ";";
  std::vector<unsigned char> out(compressBound(input.size()));
  for (int level : {-1, 0, 1, 9}) {
    unsigned long length = out.size();
    ASSERT_TRUE(EngZlibDeflateData(input.data(), input.size(), out.data(), &length, level)) << level;
    std::string back(input.size(), '\0');
    uLongf backLength = back.size();
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(back.data()), &backLength, out.data(), length),
              Z_OK);
    EXPECT_EQ(back, input);
  }
}

TEST_F(EngZlibTest, TooSmallAnOutputFailsAndKeepsTheLength) {
  std::string input(4000, '\0');
  for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<char>((i * 7919) >> 3);
  std::vector<unsigned char> out(100);
  for (unsigned long capacity : {100UL, 0UL}) {
    ClearLog();
    unsigned long length = capacity;
    EXPECT_FALSE(EngZlibDeflateData(input.data(), input.size(), out.data(), &length, 6));
    EXPECT_EQ(length, capacity);
    EXPECT_TRUE(LogContains("( EngZlibDeflateData )    out buffer not big enough")) << capacity;
  }
  unsigned long length = 10;
  EXPECT_FALSE(EngZlibDeflateData(input.data(), input.size(), out.data(), &length, 42));
  EXPECT_TRUE(LogContains("deflateInit() error -2"));
}

TEST_F(EngZlibTest, VersionNoteOncePerRun) {
  unsigned char out[64];
  for (int i = 0; i < 3; ++i) {
    unsigned long length = sizeof(out);
    ASSERT_TRUE(EngZlibDeflateData("abc", 3, out, &length, 6));
  }
  int notes = 0;
  for (const auto& line : LogLines()) notes += line.find("different zlib version") != std::string::npos;
  EXPECT_EQ(notes, std::string(zlibVersion()) == ZLIB_VERSION ? 0 : 1);
  EXPECT_FALSE(LogContains("<ERROR>"));
}

// Only another major version breaks the deflate calls; a later or earlier
// release of the same one is another release, not an error.
TEST(EngZlibVersions, OnlyAnotherMajorVersionIsIncompatible) {
  struct Case {
    const char* library;
    const char* built;
    EngZlibVersionMatch match;
  } cases[] = {
      {"1.2.13", "1.2.13", EngZlibVersionMatch::kSame},
      {"1.2.13.1", "1.2.13", EngZlibVersionMatch::kOtherRelease},
      {"1.2.13", "1.2.13.1-motley", EngZlibVersionMatch::kOtherRelease},
      {"1.3", "1.2.3", EngZlibVersionMatch::kOtherRelease},
      {"1.2.3", "1.3.1", EngZlibVersionMatch::kOtherRelease},
      {"2.0.0", "1.2.13", EngZlibVersionMatch::kIncompatible},
      {"10.1", "1.10", EngZlibVersionMatch::kIncompatible},
      {"", "1.2.13", EngZlibVersionMatch::kIncompatible},
      {nullptr, "1.2.13", EngZlibVersionMatch::kIncompatible},
      {"x1.2", "1.2.13", EngZlibVersionMatch::kIncompatible},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EngZlibCompareVersions(c.library, c.built), c.match)
        << (c.library ? c.library : "(none)") << " vs " << c.built;
  }
}

TEST(EngMenu, NoMenuBarEverAnswersNo) {
  EXPECT_FALSE(EngMenuIsSetup());
  EXPECT_FALSE(EngMenuIsShown());
  EXPECT_FALSE(EngMenuShow());
  EXPECT_FALSE(EngMenuIsShown());
  EXPECT_FALSE(EngMenuMousePress(10, 5));
  EXPECT_FALSE(EngMenuMouseMove(10, 5));
  EXPECT_EQ(EngMenuGetVisibleHeight(), 0);
  EXPECT_EQ(EngMenuGetNumRowsInCol(0), 0);
}
