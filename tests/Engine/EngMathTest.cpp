// Tests of rounding, angles, the matrix, the string helpers and the
// pixel-to-virtual mapping.
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "Engine/EngMath.h"
#include "Engine/EngPixelPos.h"
#include "Engine/EngUtils.h"
#include "Engine/EngWindow.h"
#include "tests/Support/TestSupport.h"

TEST(EngMath, RoundingHalvesGoTowardZero) {
  const struct {
    float value;
    int expected;
  } cases[] = {{2.5f, 2}, {-2.5f, -2}, {2.6f, 3}, {-2.6f, -3}, {0.5f, 0}, {-0.5f, 0},
               {1.5f, 1}, {1.4999f, 1}, {-1.5f, -1}, {0.0f, 0}, {7.0f, 7}, {3e10f, 2147483647}};
  for (const auto& c : cases) {
    EXPECT_EQ(EngMathRound(c.value), c.expected) << c.value;
    EXPECT_EQ(EngMathRoundDouble(c.value), c.expected) << c.value;
  }
  EXPECT_EQ(EngMathRoundDouble(std::nan("")), 0);
}

class EngMathLogTest : public TempDirTest {};

TEST_F(EngMathLogTest, TruncateFloatOnlyKnowsThreePlaces) {
  EXPECT_FLOAT_EQ(EngMathTruncateFloat(1.23456f, 3), 1.235f);
  EXPECT_TRUE(LogLines().empty());
  EXPECT_FLOAT_EQ(EngMathTruncateFloat(1.23456f, 2), 1.23456f);
  EXPECT_TRUE(LogContains("( EngMathTruncateFloat )    Num decimal places = 2 not implemented yet"));
}

TEST(EngMath, WrapAngleBringsIntoHalfTurns) {
  const float pi = 3.14159265f;
  const struct {
    float in, out;
  } cases[] = {{0, 0}, {pi / 2, pi / 2}, {3 * pi, pi}, {-3 * pi, -pi}, {7.5f * pi, -0.5f * pi}};
  for (const auto& c : cases) {
    float a = c.in;
    EngMathWrapAngle(&a);
    EXPECT_NEAR(a, c.out, 1e-4f) << c.in;
  }
  float infinite = INFINITY;
  EngMathWrapAngle(&infinite);  // must not loop forever
  EngMathWrapAngle(nullptr);
}

TEST(EngMath, NormaliseAndRange) {
  float v[3] = {3, 0, 4};
  EngMathNormaliseVector(v);
  EXPECT_FLOAT_EQ(v[0], 0.6f);
  EXPECT_FLOAT_EQ(v[2], 0.8f);
  float zero[3] = {0, 0, 0};
  EngMathNormaliseVector(zero);
  EXPECT_EQ(zero[0], 0.0f);

  EngMathRange none = {0, 0, 0, 0, 0, 0};
  EngMathRange inverted = {1, 0, 0, 0, 0, 0};
  EngMathRange zOnly = {0, 0, 0, 0, -1, 2};
  EXPECT_FALSE(EngMathIsRangeSet(nullptr));
  EXPECT_FALSE(EngMathIsRangeSet(&none));
  EXPECT_FALSE(EngMathIsRangeSet(&inverted));
  EXPECT_TRUE(EngMathIsRangeSet(&zOnly));

  float out[3];
  for (int i = 0; i < 200; ++i) {
    EngMathRandVectorInRange(out, &zOnly);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_GE(out[2], -1.0f);
    EXPECT_LT(out[2], 2.0f);
  }
}

TEST(EngMatrix, BuildersAndProducts) {
  EngMatrix t, s, r, m;
  t.SetTranslation(1, 2, 3);
  s.SetScale(2, 3, 4);
  // Row vectors: scaling first, then the translation.
  m.CopyFrom(&s)->Multiply(&t);
  EXPECT_FLOAT_EQ(m.m[0], 2);
  EXPECT_FLOAT_EQ(m.m[5], 3);
  EXPECT_FLOAT_EQ(m.m[10], 4);
  EXPECT_FLOAT_EQ(m.m[12], 1);
  EXPECT_FLOAT_EQ(m.m[13], 2);
  EXPECT_FLOAT_EQ(m.m[14], 3);
  // The other order scales the translation too.
  EngMatrix pre;
  pre.CopyFrom(&s)->PreMultiply(&t);
  EXPECT_FLOAT_EQ(pre.m[12], 2);
  EXPECT_FLOAT_EQ(pre.m[14], 12);

  const float half = 3.14159265f / 2;
  r.SetRotationZ(half);  // x axis turns onto y
  EXPECT_NEAR(r.m[1], 1, 1e-6);
  EXPECT_NEAR(r.m[4], -1, 1e-6);
  r.SetRotationX(half);
  EXPECT_NEAR(r.m[6], 1, 1e-6);
  EXPECT_NEAR(r.m[9], -1, 1e-6);
  r.SetRotationY(half);
  EXPECT_NEAR(r.m[2], -1, 1e-6);
  EXPECT_NEAR(r.m[8], 1, 1e-6);

  EngMatrix id;
  id.SetTranslationFromVector(nullptr);
  float floats[16];
  id.GetFloats(floats);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(floats[i], (i % 5 == 0) ? 1.0f : 0.0f);
  id.Multiply(nullptr);
  id.CopyFrom(&id);
  EXPECT_EQ(id.m[0], 1.0f);
}

class EngUtilsTest : public TempDirTest {};

TEST_F(EngUtilsTest, SafeStrcpy) {
  char buffer[8] = "zzzzzzz";
  EXPECT_EQ(EngSafeStrcpy(buffer, "abcdef", 4), buffer);
  EXPECT_STREQ(buffer, "abc");
  EngSafeStrcpy(buffer, "", 8);
  EXPECT_STREQ(buffer, "abc");
  EngSafeStrcpy(buffer, nullptr, 8);
  EngSafeStrcpy(buffer, "x", 0);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_TRUE(LogLines().empty());
  EXPECT_EQ(EngSafeStrcpy(nullptr, "x", 4), nullptr);
  EXPECT_TRUE(LogContains("( EngSafeStrcpy )    No string"));
}

TEST(EngUtils, StrnicmpTable) {
  const struct {
    const char* a;
    const char* b;
    int n;
    int expected;
  } cases[] = {
      {"Hello", "hELLo", 10, 0}, {"abc", "abd", 2, 0},   {"abc", "abd", 3, -1},
      {"abd", "abc", 3, 1},      {"abc", "abcd", 10, -1}, {"x", "y", 0, 0},
      {nullptr, "a", 3, -1},     {"a", nullptr, 3, -1},   {"\xe9", "a", 1, -1},  // signed bytes
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EngUtilsStrnicmp(c.a, c.b, c.n), c.expected)
        << (c.a ? c.a : "null") << " / " << (c.b ? c.b : "null") << " / " << c.n;
  }
}

TEST(EngPixelPos, MapsThroughTheScreenMode) {
  EngWindowSetScreenMode(-1, 1280, 960, 0, 0);
  const EngScreenMode& mode = EngWindowGetScreenMode();
  EXPECT_FLOAT_EQ(mode.xScale, 2.0f);
  EXPECT_FLOAT_EQ(mode.yInvScale, 0.5f);
  float x = 0, y = 0;
  EXPECT_TRUE(EngPixelPosToVirtualPos(640, 480, &x, &y));
  EXPECT_FLOAT_EQ(x, 320);
  EXPECT_FLOAT_EQ(y, 240);
  EXPECT_TRUE(EngPixelPosToVirtualPos(10, 10, nullptr, nullptr));
  EXPECT_TRUE(EngPixelPosToOrientedPixelPos(7, 9, &x, &y));
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 9);
  // A width of 0 keeps the old width.
  EngWindowSetScreenMode(-1, 0, 480, 0, 0);
  EXPECT_EQ(EngWindowGetScreenMode().width, 1280);
  EngWindowSetScreenMode(-1, 640, 480, 0, 0);
}
