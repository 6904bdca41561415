// The celebration on the test clock: its 52 cards, the fade and banner
// clock, the end that puts the table back, each effect's motion staying
// finite and near the table, the scatter's turn at the edge, and a start
// the animation engine refuses.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "Engine/EngProgram.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimGameOverLocal.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/GameCameras.h"
#include "Game/GenLights.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class AnimGameOverTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    StandInResetCalls();
    ASSERT_TRUE(FixtureTable(FixtureKlondikePlaySetup, "T0: Kh*"));
  }
  void TearDown() override {
    AnimGameOverEnd(0);
    AnimGameOverResetForTests();
    GameTest::TearDown();
  }
  void Start(int effect) {
    AnimGameOverForceEffectForTests(effect);
    AnimGameOverStart(0.5f);
    ASSERT_TRUE(AnimGameOverIsRunning());
  }
  // One frame of f seconds: the clock moves on and the animation ticks.
  void Tick(float f) {
    EngProgramSetFrameTimeForTests(f);
    AdvanceTime(f);
    AnimTick();
  }
  // Ticks until the lights phase reaches phase; the seconds it took.
  float Until(int phase, float f, float limit) {
    float seconds = 0;
    while (AnimGameOverGetLightsPhase() != phase && seconds < limit) {
      Tick(f);
      seconds += f;
    }
    return seconds;
  }
  const CardsAnimSlot& Slot() { return *CardsAnimGetSlot(0); }
};

TEST_F(AnimGameOverTest, TheCardsRunFromTheKingOfHeartsToTheAceOfSpades) {
  Start(3);
  ASSERT_EQ(Slot().numCards, 52);
  const Card& first = Slot().entries[0].drawnCard;
  const Card& last = Slot().entries[51].drawnCard;
  EXPECT_EQ(first.suit, 0);
  EXPECT_EQ(first.rank, 13);
  EXPECT_EQ(last.suit, 1);
  EXPECT_EQ(last.rank, 1);
  EXPECT_EQ(Slot().entries[13].drawnCard.suit, 3);  // clubs after hearts
  EXPECT_TRUE(first.bothSides);
  EXPECT_FALSE(first.faceUp);
  EXPECT_EQ(GameGetNearView(), 1);
}

TEST_F(AnimGameOverTest, TheTableDarkensBrightensAndTheBannerCycles) {
  g_UserRecord.congratulations = 2;
  const int lightsBefore = GenGetAppliedLightsForTests().count;
  Start(3);
  const float f = 1.0f / 60;
  EXPECT_NEAR(Until(1, f, 5), 1 / 0.6f, 2 * f);
  // In the dark: one point light above the table, the Menu button, size 1.
  EXPECT_EQ(GenGetAppliedLightsForTests().count, lightsBefore + 1);
  EXPECT_EQ(GenGetAppliedLightsForTests().vector[2], 150);
  EXPECT_TRUE(StandInCalled("MainMenuButtonShow"));
  EXPECT_NEAR(Until(2, f, 5), 1 / 0.3f, 2 * f);
  EXPECT_FALSE(AnimGameOverIsTextShown());
  // Steps of 4 s: phases 3, 4, 5; at the step into 6 the title has been shown.
  for (int phase = 3; phase <= 6; ++phase) {
    AdvanceTime(4.001);
    Tick(f);
    EXPECT_EQ(AnimGameOverGetLightsPhase(), phase);
  }
  EXPECT_TRUE(AnimGameOverIsTextShown());
  for (int phase = 7; phase <= 19; ++phase) {
    AdvanceTime(4.001);
    Tick(f);
  }
  EXPECT_EQ(AnimGameOverGetLightsPhase(), 19);
  AdvanceTime(4.001);
  Tick(f);
  EXPECT_EQ(AnimGameOverGetLightsPhase(), 2);  // 19 wraps to 2
}

TEST_F(AnimGameOverTest, TheEndPutsTheTableBack) {
  Start(5);
  for (int i = 0; i < 200; ++i) Tick(1.0f / 60);  // through the dark: lights changed
  const int lights = GenGetAppliedLightsForTests().count;
  AnimGameOverEnd(0);
  EXPECT_EQ(AnimGameOverGetEffect(), -1);
  EXPECT_FALSE(CardsAnimIsAnimating());
  EXPECT_FALSE(AnimGetCameraOverride());
  EXPECT_EQ(GameGetNearView(), 0);
  EXPECT_EQ(GenGetAppliedLightsForTests().count, lights + 1);
  EXPECT_EQ(GenGetAppliedLightsForTests().vector[2], GenGetLightSettings().height);
  EXPECT_TRUE(StandInCalled("SoundStopMusic"));
  EXPECT_FALSE(AnimGameOverLightsTick());  // no effect: nothing runs
}

// Every effect, at a steady and at a jittery frame time (with long frames
// among short ones), keeps its cards' numbers finite and near the table.
TEST_F(AnimGameOverTest, EveryEffectStaysFiniteAndNearTheTable) {
  for (int effect = 0; effect < kAnimGameOverNumEffects; ++effect) {
    for (bool jitter : {false, true}) {
      SCOPED_TRACE(effect * 10 + jitter);
      Start(effect);
      for (int tick = 0; tick < 600; ++tick) {
        const float f = jitter ? (tick % 7 == 0 ? 0.25f : 0.002f + 0.003f * (tick % 5)) : 1.0f / 60;
        Tick(f);
      }
      for (int i = 0; i < 52; ++i) {
        const CardsAnimEntry& e = Slot().entries[i];
        for (int axis = 0; axis < 3; ++axis) {
          ASSERT_TRUE(std::isfinite(e.posNow[axis])) << "card " << i;
          ASSERT_TRUE(std::isfinite(e.rotNow[axis])) << "card " << i;
          ASSERT_TRUE(std::isfinite(e.scaleNow[axis])) << "card " << i;
        }
        // Within the table's reach (60); the rings' cards fly in from their
        // start at (0, 80).
        EXPECT_LE(std::fabs(e.posNow[0]), 60) << "card " << i;
        EXPECT_LE(std::fabs(e.posNow[1]), effect == 0 ? 80 : 60) << "card " << i;
      }
      AnimGameOverEnd(0);
    }
  }
}

// Scatter: a card past the edge turns back once, whatever the frame time;
// one already on its way back keeps going.
TEST_F(AnimGameOverTest, AScatteredCardTurnsAtTheEdgeOnlyWhileMovingOut) {
  Start(4);
  Tick(1.0f / 60);                              // phase 0: velocities drawn
  AdvanceTime(1);
  Tick(1.0f / 60);                              // phase 1 -> 2
  ASSERT_EQ(AnimGameOverGetState().phase, 2);
  CardsAnimEntry& out = CardsAnimGetSlotToEdit(0)->entries[0];
  CardsAnimEntry& back = CardsAnimGetSlotToEdit(0)->entries[1];
  out.posNow[0] = 29;
  AnimGameOverSetWordF(&out, 0, -20);           // moves by -v: outwards
  back.posNow[0] = 35;
  AnimGameOverSetWordF(&back, 0, 20);           // already moving inwards
  Tick(0.5f);                                   // a long frame carries it to 39
  EXPECT_FLOAT_EQ(out.posNow[0], 39);
  EXPECT_GT(AnimGameOverWordF(&out, 0), 0);     // turned
  Tick(0.1f);
  EXPECT_LT(out.posNow[0], 39);                 // on its way back in
  EXPECT_GT(AnimGameOverWordF(&out, 0), 0);     // and not turned again
  EXPECT_GT(AnimGameOverWordF(&back, 0), 0);
  EXPECT_LT(back.posNow[0], 35);
}

// A start the animation engine refuses leaves no celebration behind: no
// effect, no camera override, no near view; the won table stays.
TEST_F(AnimGameOverTest, ARefusedStartLeavesTheTableAsItWas) {
  ASSERT_TRUE(CardsSetupCustomAnimation(3, 1.0f, nullptr, nullptr, nullptr, nullptr, nullptr));
  AnimGameOverForceEffectForTests(0);
  AnimGameOverStart(0.5f);
  EXPECT_EQ(AnimGameOverGetEffect(), -1);
  EXPECT_FALSE(AnimGameOverIsRunning());
  EXPECT_FALSE(AnimGetCameraOverride());
  EXPECT_EQ(GameGetNearView(), 0);
  EXPECT_TRUE(LogContains("Could not start the celebration"));
  for (int i = 0; i < 200; ++i) Tick(1.0f / 60);
  EXPECT_EQ(AnimGameOverGetLightsPhase(), 0);  // no clock runs
  CardsAnimCancelAll();
}

}  // namespace
