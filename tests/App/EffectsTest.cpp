// Tests of the foundation bursts (slots, reuse when all are busy, lifetime
// at twice real time, a missing texture, a created burst replaced only when
// allowed) and of the splash panel (set-up checks, the fade timing, the end
// callback, starting twice, a cancelled panel started again).
#include <string>

#include "App/FoundationEffects.h"
#include "App/Splash.h"
#include "Engine/EngParticles.h"
#include "Engine/EngTexture.h"
#include "Game/GameImports.h"
#include "tests/App/PlayFixture.h"

namespace {

class FoundationEffectsTest : public PlayFixture {
 protected:
  void SetUp() override {
    PlayFixture::SetUp();
    EffectsInit();
    FoundationEffectsClear();
  }
  void TearDown() override {
    FoundationEffectsClear();
    EffectsFreeGraphics();
    PlayFixture::TearDown();
  }
  static void Add(float x, float y) {
    const float position[3] = {x, y, 0.5f};
    const float scale[3] = {8, 12, 1};
    FoundationEffectsAdd(position, scale);
  }
  static bool Running(int slot) { return FoundationEffectsGetSlot(slot, nullptr, nullptr)->created; }
};

TEST_F(FoundationEffectsTest, BurstsTakeFreeSlotsThenTheSlotAfterTheLastUsed) {
  EffectsCreateGraphics();
  for (int i = 0; i < kFoundationEffectSlots; ++i) Add(static_cast<float>(i), 1);
  for (int i = 0; i < kFoundationEffectSlots; ++i) EXPECT_TRUE(Running(i)) << i;
  EXPECT_EQ(FoundationEffectsGetLastSlot(), 12);
  // All 13 are busy: the 14th and 15th take the slots after the last used,
  // rebuilt with their own place.
  Add(100, 7);
  EXPECT_EQ(FoundationEffectsGetLastSlot(), 0);
  Add(200, 8);
  EXPECT_EQ(FoundationEffectsGetLastSlot(), 1);
  float position[3], scale[3];
  const EngParticleSystem* reused = FoundationEffectsGetSlot(0, position, scale);
  EXPECT_TRUE(reused->created);
  EXPECT_FLOAT_EQ(position[0], 100);
  EXPECT_FLOAT_EQ(position[1], -7);  // kept with y negated
  EXPECT_FLOAT_EQ(scale[0], 8);
  EXPECT_EQ(reused->liveCount, kFoundationEffectMaxParticles);
  EXPECT_EQ(reused->params.texture, FoundationEffectsGetTexture());
  // Once they have all died the first free slot is taken again.
  Run(1.0, 1.0f / 60.0f, [] { FoundationEffectsTick(); });
  for (int i = 0; i < kFoundationEffectSlots; ++i) EXPECT_FALSE(Running(i)) << i;
  Add(1, 1);
  EXPECT_EQ(FoundationEffectsGetLastSlot(), 0);
}

TEST_F(FoundationEffectsTest, ABurstLivesAboutSevenTenthsOfASecond) {
  Add(0, 0);
  Run(0.65, 1.0f / 60.0f, [] { FoundationEffectsTick(); });
  EXPECT_TRUE(Running(0));
  Run(0.1, 1.0f / 60.0f, [] { FoundationEffectsTick(); });
  EXPECT_FALSE(Running(0));
}

TEST_F(FoundationEffectsTest, WithoutTheirTextureBurstsStillRunAndDraw) {
  const std::filesystem::path build = std::filesystem::current_path();
  std::filesystem::current_path(dir_);  // no data here
  EffectsCreateGraphics();
  EXPECT_TRUE(LogContains("Could not load normal effect texture"));
  Add(0, 0);
  EXPECT_TRUE(Running(0));
  EXPECT_EQ(FoundationEffectsGetSlot(0, nullptr, nullptr)->params.texture, nullptr);
  FoundationEffectsRenderAll();
  std::filesystem::current_path(build);
}

TEST_F(FoundationEffectsTest, ACreatedBurstIsRebuiltOnlyWhenItMayBeReplaced) {
  EngParticleSystemParams params;
  ASSERT_TRUE(FoundationEffectsSetupParameters(100, 1.0f, nullptr, &params));
  EngParticleSystem system{};
  ASSERT_TRUE(FoundationEffectsCreate(false, false, &params, &system));
  ASSERT_EQ(EngParticleSystemUpdate(&system, 0.1f, true), 1);
  ASSERT_EQ(EngParticleSystemUpdate(&system, 0.4f, false), 1);
  EXPECT_FALSE(FoundationEffectsCreate(false, false, &params, &system));
  EXPECT_TRUE(LogContains("System already created"));
  EXPECT_TRUE(system.created);
  EXPECT_FLOAT_EQ(system.lastUpdateTime, 0.4f);  // the running burst is left as it was
  EXPECT_TRUE(FoundationEffectsCreate(false, true, &params, &system));
  EXPECT_FLOAT_EQ(system.lastUpdateTime, 0.0f);  // built anew
  EngParticleSystemRelease(&system);
}

TEST_F(FoundationEffectsTest, ClearingReleasesEveryBurstAndResetsItsPlace) {
  Add(3, 4);
  FoundationEffectsClear();
  float position[3], scale[3];
  EXPECT_FALSE(FoundationEffectsGetSlot(0, position, scale)->created);
  EXPECT_FLOAT_EQ(position[0], 0);
  EXPECT_FLOAT_EQ(scale[1], 1);
}

class SplashTest : public PlayFixture {
 protected:
  void SetUp() override {
    PlayFixture::SetUp();
    SplashResetForTests();
    stops_ = 0;
  }
  void TearDown() override {
    SplashResetForTests();
    PlayFixture::TearDown();
  }
  static bool SetUpPanel(SplashEndCB end) {
    return SplashSetup("Data\\Main\\0130.dat", "Data\\Main\\0131.dat", "Data\\Main\\0132.dat",
                       "Data\\Main\\0133.dat", "Data\\Main\\0134.dat", nullptr, nullptr, nullptr, 0,
                       0, nullptr, end, [] { ++stops_; });
  }
  // Ticks until ms milliseconds have passed since now.
  void TickFor(double ms) {
    Run(ms / 1000.0, 0.01f, [] { SplashTick(); });
  }
  static int stops_;
};
int SplashTest::stops_ = 0;

TEST_F(SplashTest, TheSetUpChecksEveryName) {
  const std::string longName(130, 'a');
  struct Case {
    const char* picture1;
    const char* picture2;
    const char* effect;
    const char* sound;
    const char* message;
  } cases[] = {
      {nullptr, nullptr, nullptr, nullptr, "Parameter error"},
      {longName.c_str(), nullptr, nullptr, nullptr, "Tex 1 filename too long"},
      {"Data\\Main\\0130.dat", "Data\\Main\\nothing.dat", nullptr, nullptr,
       "Tex 2 does not exist (Data\\Main\\nothing.dat)"},
      {"Data\\Main\\0130.dat", nullptr, "Data\\Main\\none.dat", nullptr, "Effect Tex does not exist"},
      {"Data\\Main\\0130.dat", nullptr, nullptr, "Data\\Main\\none.wav", "Sound file does not exist"},
  };
  for (const Case& c : cases) {
    ClearLog();
    EXPECT_FALSE(SplashSetup(c.picture1, c.picture2, nullptr, nullptr, c.effect, nullptr, c.sound,
                             nullptr, 0, 0, nullptr, nullptr, nullptr))
        << c.message;
    EXPECT_TRUE(LogContains(c.message)) << c.message;
  }
  EXPECT_FALSE(SplashStart());
  EXPECT_TRUE(LogContains("Splash not setup"));
}

TEST_F(SplashTest, WithoutAnEndCallbackItFadesInStaysTwoSecondsAndFadesOut) {
  ASSERT_TRUE(SetUpPanel(nullptr));
  ASSERT_TRUE(SplashStart());
  SplashTick();  // the first tick takes the time stamp
  struct Step {
    double ms;  // since the previous row
    int state;
    float minAlpha, maxAlpha;
  } steps[] = {
      {790, 1, 0, 0},            // nothing shows for the first 800 ms
      {410, 1, 0.2f, 0.3f},      // 1,200 ms: a quarter in
      {1000, 1, 0.8f, 0.9f},     // 2,200 ms
      {210, 2, 1, 1},            // past 2,400 ms: fully shown
      {1950, 2, 1, 1},           // shown for 2,000 ms
      {100, 3, 0.9f, 1},         // then fading
      {1300, 3, 0.0f, 0.1f},     // 1,400 ms into the fade
      {200, 4, 0, 0},            // gone after 1,500 ms
  };
  for (const Step& s : steps) {
    TickFor(s.ms);
    const SplashStateForTests now = SplashGetStateForTests();
    if (s.state != 4) {
      EXPECT_EQ(now.state, s.state) << s.ms;
      EXPECT_GE(now.alpha, s.minAlpha) << s.ms;
      EXPECT_LE(now.alpha, s.maxAlpha) << s.ms;
    }
  }
  TickFor(50);
  EXPECT_FALSE(SplashIsOn());
  EXPECT_EQ(stops_, 1);
  EXPECT_FALSE(SplashGetEffectForTests()->created);
}

TEST_F(SplashTest, TheEndCallbackHearsTheShownTimeAndEndsTheShownState) {
  ASSERT_TRUE(SetUpPanel([](unsigned shown) { return shown >= 500; }));
  ASSERT_TRUE(SplashStart());
  SplashSkipFadeIn();
  TickFor(450);
  EXPECT_EQ(SplashGetStateForTests().state, 2);
  TickFor(100);
  EXPECT_EQ(SplashGetStateForTests().state, 3);
}

TEST_F(SplashTest, StartingTwiceChangesNothing) {
  ASSERT_TRUE(SetUpPanel(nullptr));
  ASSERT_TRUE(SplashStart());
  TickFor(1000);
  const float alpha = SplashGetStateForTests().alpha;
  EXPECT_FALSE(SplashStart());
  EXPECT_TRUE(LogContains("Splash is already on"));
  EXPECT_FLOAT_EQ(SplashGetStateForTests().alpha, alpha);
}

TEST_F(SplashTest, APanelCancelledAndStartedAgainHasOneEffect) {
  // A game started from the menu cancels the panel quietly; the menu starts
  // it again when play ends. The sparkles left by the cancel go then.
  ASSERT_TRUE(SetUpPanel([](unsigned) { return false; }));
  ASSERT_TRUE(SplashStart());
  TickFor(300);
  SplashCancel();
  EXPECT_FALSE(SplashIsOn());
  EXPECT_TRUE(SplashGetEffectForTests()->created);
  ASSERT_TRUE(SplashStart());
  EXPECT_TRUE(SplashGetEffectForTests()->created);
  EXPECT_EQ(SplashGetEffectForTests()->liveCount, 1);  // a fresh system: one particle so far
  TickFor(2000);
  EXPECT_TRUE(SplashGetEffectForTests()->created);  // re-made whenever its particles die
  SplashStop();
  EXPECT_FALSE(SplashGetEffectForTests()->created);
  EXPECT_EQ(stops_, 1);
}

TEST_F(SplashTest, TheRectangleKeepsItsDefaultForAWidthOfZero) {
  SplashSetRect(10, 20, 100, 110);
  EXPECT_FLOAT_EQ(SplashGetStateForTests().rect[2], 100);
  SplashSetRect(10, 20, 0, 110);
  const SplashStateForTests s = SplashGetStateForTests();
  EXPECT_FLOAT_EQ(s.rect[0], 200);
  EXPECT_FLOAT_EQ(s.rect[1], 115);
  EXPECT_FLOAT_EQ(s.rect[2], 240);
  EXPECT_FLOAT_EQ(s.rect[3], 250);
}

}  // namespace
