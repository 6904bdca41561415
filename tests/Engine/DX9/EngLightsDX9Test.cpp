// The lights on the recording device: the ambient word, the three light
// systems, the one place a point light's height becomes device z, the lights
// a re-created device gets back, and the refusals of bad light numbers.
#include <cfloat>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "Engine/DX9/EngLightsDX9.h"
#include "Engine/EngColour.h"
#include "Engine/EngLights.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

class EngLightsTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    EngLightsResetForTests_DX9();
    Start();
  }
  void TearDown() override {
    GraphicsTest::TearDown();
    EngLightsResetForTests_DX9();
  }
  // A white point light n at (x, y, height), range 400.
  static void PointLight(int n, float x, float y, float height) {
    EngLightsSetPointLightAttributes(n, 1, 1, 1, 0, 0, 0, 1, 1, 1, x, y, height, 1, 0, 0, 400);
  }
  DWORD Ambient() { return Rec().renderStates[D3DRS_AMBIENT]; }
};

TEST_F(EngLightsTest, AmbientWordClampsAndTruncatesEachChannel) {
  const struct {
    float r, g, b;
    DWORD word;
  } cases[] = {
      {1.0f, 0.5f, 0.0f, 0x00FF7F00u},
      {0.2f, 0.2f, 0.2f, 0x00333333u},
      // Out of range and not a number: clamped first, never wrapped.
      {2.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(), 0x00FF0000u},
      {1.5f, 1.0f, 3.0f, 0x00FFFFFFu},
  };
  for (const auto& c : cases) {
    EngLightsSetAmbient(c.r, c.g, c.b);
    EXPECT_EQ(Ambient(), c.word) << c.r << " " << c.g << " " << c.b;
    EXPECT_EQ(EngLightsGetAmbient_DX9(), c.word);
  }
}

TEST_F(EngLightsTest, PointLightHeightBecomesNegativeZOnEveryPath) {
  EngLightsUsePointLightSystem();
  PointLight(0, 3, -4, 150);
  // Sent by the update path ...
  ASSERT_TRUE(Rec().lights.count(0));
  EXPECT_EQ(Rec().lights[0].Type, D3DLIGHT_POINT);
  EXPECT_FLOAT_EQ(Rec().lights[0].Position.x, 3.0f);
  EXPECT_FLOAT_EQ(Rec().lights[0].Position.y, -4.0f);
  EXPECT_FLOAT_EQ(Rec().lights[0].Position.z, -150.0f);
  // ... and by the set-up path the same way.
  Rec().lights.clear();
  EngLightsUsePointLightSystem();
  ASSERT_TRUE(Rec().lights.count(0));
  EXPECT_FLOAT_EQ(Rec().lights[0].Position.z, -150.0f);
  EXPECT_TRUE(Rec().lightEnabled[0]);
  EXPECT_FALSE(Rec().lightEnabled[1]);
  EXPECT_FLOAT_EQ(Rec().lights[0].Range, 400.0f);
  EXPECT_FLOAT_EQ(Rec().lights[0].Diffuse.r, 1.0f);
  EXPECT_FLOAT_EQ(Rec().lights[0].Diffuse.a, 0.0f);
}

TEST_F(EngLightsTest, RangeMinusOneIsTheLargestRange) {
  EngLightsUsePointLightSystem();
  EngLightsSetPointLightAttributes(0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 10, 1, 0, 0, -1);
  EXPECT_FLOAT_EQ(Rec().lights[0].Range, std::sqrt(FLT_MAX));
}

TEST_F(EngLightsTest, ReCreatedDeviceGetsTheChosenLightsBack) {
  EngLightsSetAmbient(0.25f, 0.25f, 0.25f);
  EngLightsUsePointLightSystem();
  PointLight(0, 0, 0, 150);
  Window()->DestroyGraphicsDevice();
  ASSERT_TRUE(Window()->CreateGraphicsDevice());
  EXPECT_EQ(Rec().devicesCreated, 2);
  ASSERT_TRUE(Rec().lights.count(0));
  EXPECT_TRUE(Rec().lightEnabled[0]);
  EXPECT_FLOAT_EQ(Rec().lights[0].Position.z, -150.0f);
  EXPECT_EQ(Ambient(), 0x003F3F3Fu);
}

TEST_F(EngLightsTest, NewDeviceWithoutChosenSystemGetsNoLight) {
  EXPECT_TRUE(Rec().lights.empty());
  EXPECT_EQ(Rec().Count("LightEnable(0, 1)"), 0);
  EXPECT_EQ(EngLightsGetLightSystem_DX9(), -1);
}

TEST_F(EngLightsTest, DirectionalSystemNormalisesAndSwitchesLightOneOff) {
  EngLightsSetLightSystem_DX9(2);
  EngLightsUseDirectionalLightSystem();
  EngLightsSetDirectionalLightDirection(0, 3, 4);
  const EngColour colour{0.5f, 0.25f, 1.0f, 1.0f};
  EngLightsSetDirectionalLightColour(&colour);
  EXPECT_EQ(Rec().lights[0].Type, D3DLIGHT_DIRECTIONAL);
  EXPECT_FLOAT_EQ(Rec().lights[0].Direction.y, 0.6f);
  EXPECT_FLOAT_EQ(Rec().lights[0].Direction.z, 0.8f);
  EXPECT_FLOAT_EQ(Rec().lights[0].Diffuse.g, 0.25f);
  EXPECT_FLOAT_EQ(Rec().lights[0].Diffuse.a, 0.0f);
  EXPECT_TRUE(Rec().lightEnabled[0]);
  EXPECT_FALSE(Rec().lightEnabled[1]);
  EXPECT_EQ(EngLightsGetLightSystemState_DX9(), 0);
}

TEST_F(EngLightsTest, TwoPointLightsAreSentTogether) {
  EngLightsSetLightSystem_DX9(2);
  PointLight(0, -20, 0, 100);
  PointLight(1, 20, 0, 50);
  Rec().lights.clear();
  EngLightsUpdatePointLight_DX9(-1);
  ASSERT_EQ(Rec().lights.size(), 2u);
  EXPECT_FLOAT_EQ(Rec().lights[0].Position.z, -100.0f);
  EXPECT_FLOAT_EQ(Rec().lights[1].Position.z, -50.0f);
  EXPECT_EQ(EngLightsGetLightSystemState_DX9(), 2);
}

TEST_F(EngLightsTest, BadRequestsAreRefusedAndChangeNothing) {
  EngLightsUsePointLightSystem();
  PointLight(0, 0, 0, 150);
  D3DLIGHT9 before{};
  ASSERT_TRUE(EngLightsGetPointLightRecord_DX9(0, &before));
  const struct {
    const char* what;
    void (*call)();
    const char* message;
  } cases[] = {
      {"light -1", [] { PointLight(-1, 9, 9, 9); }, "Invalid parameter"},
      {"light -2", [] { PointLight(-2, 9, 9, 9); }, "Invalid parameter"},
      {"light 2", [] { PointLight(2, 9, 9, 9); }, "Invalid parameter"},
      {"update -2", [] { EngLightsUpdatePointLight_DX9(-2); }, "Bad Point light <-2>"},
      {"update 1 of one", [] { EngLightsUpdatePointLight_DX9(1); }, "Dual Point Light System not setup"},
      {"directional", [] { EngLightsUpdateDirectionalLight_DX9(); }, "Directional Light System not setup"},
      {"system 3", [] { EngLightsSetLightSystem_DX9(3); }, "Unknown light sytem (3)"},
      {"system -1", [] { EngLightsSetLightSystem_DX9(-1); }, "Unknown light sytem (-1)"},
  };
  for (const auto& c : cases) {
    ClearLog();
    Rec().Clear();
    c.call();
    EXPECT_TRUE(LogContains(c.message)) << c.what;
    EXPECT_EQ(Rec().CountPrefix("SetLight"), 0) << c.what;
  }
  D3DLIGHT9 after{};
  ASSERT_TRUE(EngLightsGetPointLightRecord_DX9(0, &after));
  EXPECT_FLOAT_EQ(after.Position.z, before.Position.z);
  EXPECT_EQ(EngLightsGetLightSystem_DX9(), 1);
}

TEST_F(EngLightsTest, PointLightBeforeAnyPointSystemIsReported) {
  EngLightsUseDirectionalLightSystem();
  PointLight(0, 0, 0, 150);
  EXPECT_TRUE(LogContains("Point Light System not setup"));
}

TEST_F(EngLightsTest, FailedDeviceCallsAreReportedUnderTheSetUp) {
  Rec().FailCall("SetLight", D3DERR_INVALIDCALL);
  EngLightsUseDirectionalLightSystem();
  EXPECT_TRUE(LogContains("EngLightsSetupDirectionalLight_DX9"));
  EXPECT_TRUE(LogContains("SetLight"));
}

}  // namespace
