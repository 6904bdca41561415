// Particle systems without a device, seeded: creation and its refusals, the
// emission arithmetic of the three modes (binary-exact steps), lives, the
// fade-in, emission shapes, velocity, attraction, orbit and wobble.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngParticles.h"
#include "Engine/EngRand.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr float kPi = 3.14159265f;

class EngParticlesTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    EngRandCrtSeed(1234);
    EngParticlesResetReportsForTests();
  }
  void TearDown() override {
    EngParticleSystemRelease(&system_);
    TempDirTest::TearDown();
  }

  // A still emitter at the origin: long lives, no offset, no motion.
  static EngParticleSystemParams Still() {
    EngParticleSystemParams p{};
    p.emissionMode = kEngParticlesUpdateAndEmit;
    p.lifeMin = p.lifeMax = 100.0f;
    p.startAlpha = p.endAlpha = 1.0f;
    p.startSize = p.endSize = 1.0f;
    p.spreadFactor = 1.0f;
    p.shape = 99;  // no offset
    return p;
  }
  int Live() const {
    int n = 0;
    for (int i = 0; i < system_.maxParticles; ++i) n += system_.particles[i].age > -1.0f ? 1 : 0;
    return n;
  }
  EngParticle& First() { return system_.particles[0]; }

  EngParticleSystem system_{};
};

TEST_F(EngParticlesTest, CreationRefusesBadRequestsAndComputesTheInUseFlags) {
  EngParticleSystemParams p = Still();
  EXPECT_FALSE(EngParticleSystemCreate(10, nullptr, false, &system_));
  EXPECT_TRUE(LogContains("No system or no parameters"));
  EXPECT_FALSE(EngParticleSystemCreate(10, &p, false, nullptr));
  EXPECT_FALSE(EngParticleSystemCreate(0, &p, false, &system_));
  EXPECT_TRUE(LogContains("Bad num max particles [0]"));

  p.acceleration = {0, 0, -1, 1, 0, 0};  // y pair in use
  p.spin = {1, 0, 0, 0, 0, 0};           // maximum below minimum: not in use
  p.wobbleFunction[2] = kEngWobbleCos;
  ASSERT_TRUE(EngParticleSystemCreate(10, &p, false, &system_));
  EXPECT_EQ(system_.params.accelerationOn, 1);
  EXPECT_EQ(system_.params.spinOn, 0);
  EXPECT_EQ(system_.params.wobbleOn, 1);
  EXPECT_EQ(Live(), 0);
  EXPECT_FALSE(EngParticleSystemCreate(5, &p, false, &system_));
  EXPECT_TRUE(LogContains("System already created"));
  EXPECT_EQ(system_.maxParticles, 10);
  ASSERT_TRUE(EngParticleSystemCreate(5, &p, true, &system_));
  EXPECT_EQ(system_.maxParticles, 5);

  EXPECT_EQ(EngParticleSystemUpdate(nullptr, 1.0f, false), -1);
  EngParticleSystem never{};
  EXPECT_EQ(EngParticleSystemUpdate(&never, 1.0f, false), -1);
}

TEST_F(EngParticlesTest, RateEightEveryEighthSecondEmitsOneAnUpdate) {
  EngParticleSystemParams p = Still();
  p.emissionRate = 8;
  ASSERT_TRUE(EngParticleSystemCreate(50, &p, false, &system_));
  // The first update leaves the update clock at 0, so the second one covers
  // two eighths; from then on one particle an update, nothing left over.
  for (int step = 1; step <= 12; ++step) {
    EXPECT_EQ(EngParticleSystemUpdate(&system_, 0.125f * static_cast<float>(step), step == 1), 1);
    EXPECT_EQ(Live(), step == 1 ? 1 : step + 1) << step;
    EXPECT_EQ(system_.emissionRemainder, 0.0f);
  }
}

TEST_F(EngParticlesTest, FractionsCarryOverToTheNextEmission) {
  EngParticleSystemParams p = Still();
  p.emissionRate = 10;
  p.firstEmission = 1;  // an empty system that updates emits no more
  ASSERT_TRUE(EngParticleSystemCreate(50, &p, false, &system_));
  // 0.5 of a particle an update: 0 and 1 by turns, give or take rounding
  // of the times. 11 due in all (1 + 10 a second for 1 s).
  int previous = 0;
  for (int step = 1; step <= 20; ++step) {
    EngParticleSystemUpdate(&system_, 0.05f * static_cast<float>(step), step == 1);
    if (step > 2) {
      EXPECT_LE(Live() - previous, 1) << step;
    }
    previous = Live();
  }
  EXPECT_GE(Live(), 10);
  EXPECT_LE(Live(), 11);
}

TEST_F(EngParticlesTest, ModesDecideWhoAgesAndWhoEmits) {
  // Mode 0 emits at every update and never ages its particles.
  EngParticleSystemParams p = Still();
  p.emissionMode = kEngParticlesEmitOnly;
  p.laterEmission = 1;
  p.lifeMin = p.lifeMax = 0.5f;
  ASSERT_TRUE(EngParticleSystemCreate(10, &p, false, &system_));
  EXPECT_EQ(EngParticleSystemUpdate(&system_, 0.1f, false), 1);
  EXPECT_EQ(EngParticleSystemUpdate(&system_, 5.0f, false), 1);
  EXPECT_EQ(Live(), 2);
  EXPECT_EQ(First().age, 0.0f);

  // Mode 1: one emission at the first update; 0 once the last one died.
  p.emissionMode = kEngParticlesFirstEmission;
  p.firstEmission = 5;
  p.laterEmission = 7;
  p.emissionRate = 100;
  ASSERT_TRUE(EngParticleSystemCreate(10, &p, true, &system_));
  EXPECT_EQ(EngParticleSystemUpdate(&system_, 0.01f, true), 1);
  EXPECT_EQ(Live(), 6);  // 5 + 100 x 0.01
  EXPECT_EQ(EngParticleSystemUpdate(&system_, 0.3f, false), 1);
  EXPECT_EQ(Live(), 6);
  EXPECT_EQ(system_.liveCount, 6);
  EXPECT_EQ(EngParticleSystemUpdate(&system_, 0.7f, false), 0);
  EXPECT_EQ(Live(), 0);
}

TEST_F(EngParticlesTest, FullArrayKeepsNoDebtBeyondTheFraction) {
  EngParticleSystemParams p = Still();
  p.firstEmission = 5;
  p.emissionRate = 4;
  ASSERT_TRUE(EngParticleSystemCreate(3, &p, false, &system_));
  EngParticleSystemUpdate(&system_, 0.5f, true);  // 5 + 2 due, at most 3
  EXPECT_EQ(Live(), 3);
  EXPECT_EQ(system_.emissionRemainder, 0.0f);
  EngParticleSystemUpdate(&system_, 1.0f, false);  // 4 due, no free slot
  EXPECT_EQ(Live(), 3);
  EXPECT_EQ(system_.emissionRemainder, 0.0f);
  system_.particles[1].age = -1.0f;  // a slot frees up
  EngParticleSystemUpdate(&system_, 1.25f, false);  // 1 due
  EXPECT_EQ(Live(), 3);
  EXPECT_EQ(system_.particles[1].age, 0.0f);
  // Suspended emission keeps the whole amount due.
  system_.emissionSuspended = true;
  EngParticleSystemUpdate(&system_, 1.5f, false);
  EXPECT_EQ(system_.emissionRemainder, 1.0f);
  // A system whose particles all died answers 0 and emits no more.
  p.lifeMin = p.lifeMax = 1.0f;
  ASSERT_TRUE(EngParticleSystemCreate(3, &p, true, &system_));
  EngParticleSystemUpdate(&system_, 0.5f, true);
  EXPECT_EQ(EngParticleSystemUpdate(&system_, 1.25f, false), 0);
  EXPECT_EQ(Live(), 0);
}

TEST_F(EngParticlesTest, LivesAreClampedAndNeverZero) {
  const struct {
    float min, max, life;
  } cases[] = {{-1, -1, 0.01f}, {0, 0, 0.01f}, {0.0005f, 0.0005f, 0.001f}, {20000, 20000, 10000}};
  for (const auto& c : cases) {
    EngParticleSystemParams p = Still();
    p.lifeMin = c.min;
    p.lifeMax = c.max;
    p.firstEmission = 1;
    ASSERT_TRUE(EngParticleSystemCreate(1, &p, true, &system_));
    EngParticleSystemUpdate(&system_, 0.1f, true);
    EXPECT_FLOAT_EQ(First().life, c.life) << c.min;
    EXPECT_FLOAT_EQ(system_.params.lastBaseLife, c.min);
  }
}

TEST_F(EngParticlesTest, FadeInClimbsToTheStartAlphaThenRunsToTheEnd) {
  EngParticleSystemParams p = Still();
  p.fadeIn = 1;
  p.startAlpha = 0.625f;  // reached after five steps of 0.125 s
  p.endAlpha = 0.0f;
  p.lifeMin = p.lifeMax = 2.0f;
  p.firstEmission = 1;
  ASSERT_TRUE(EngParticleSystemCreate(1, &p, false, &system_));
  EngParticleSystemUpdate(&system_, 0.125f, true);
  EXPECT_EQ(First().fadingIn, 1);
  EXPECT_EQ(First().fadeInTime, 0.0f);
  // lastUpdateTime stays 0 at the first update, so the next one ages the
  // particle by 0.25 s; three more steps of 0.125 s reach 0.625 exactly.
  for (float now : {0.25f, 0.375f, 0.5f}) {
    EngParticleSystemUpdate(&system_, now, false);
    EXPECT_EQ(First().fadingIn, 1);
    EXPECT_EQ(First().displayedAlpha, First().fadeInTime);
  }
  EngParticleSystemUpdate(&system_, 0.625f, false);
  EXPECT_EQ(First().fadingIn, 0);
  EXPECT_EQ(First().alpha, 0.625f);
  // Then linearly to the end alpha (0) at the end of the life (2 s).
  EngParticleSystemUpdate(&system_, 1.125f, false);
  EXPECT_NEAR(First().alpha, 0.625f * (1.0f - 0.5f / (2.0f - 0.625f)), 1e-5f);
  EXPECT_FLOAT_EQ(First().white[3], First().alpha);
}

TEST_F(EngParticlesTest, EmissionShapesPlaceParticlesWhereTheySay) {
  const std::int32_t entries[] = {10, 20, 30, 40};
  const struct {
    std::uint8_t shape;
    bool (*check)(const float* p);  // offset of a particle (shape min 1, max 3, factor 2)
  } cases[] = {
      {0, [](const float* p) { return p[0] >= 0.5f && p[0] <= 1.5f && p[2] >= 0.5f && p[2] <= 1.5f; }},
      {1, [](const float* p) { return std::hypot(p[0], p[1]) <= 1.0f + 1e-5f && p[2] == 0; }},
      {2, [](const float* p) { return std::fabs(std::hypot(p[0], p[1]) - 1.0f) < 1e-5f && p[2] == 0; }},
      {3, [](const float* p) {
         const bool onX = p[0] == 0.5f || p[0] == 1.5f, onY = p[1] == 0.5f || p[1] == 1.5f;
         return (onX || onY) && std::fabs(p[0]) <= 1.5f && std::fabs(p[1]) <= 1.5f;
       }},
      {4, [](const float* p) { return std::fabs(p[0]) >= 0.5f && std::fabs(p[0]) <= 1.5f && p[1] == 0 && p[2] == 0; }},
      {5, [](const float* p) { return p[0] == 0 && std::fabs(p[1]) >= 0.5f && std::fabs(p[1]) <= 1.5f; }},
      {6, [](const float* p) { return p[0] == p[2] && p[1] == 0 && std::fabs(p[0]) >= 0.5f; }},
      {7, [](const float* p) { return p[1] == p[2] && p[0] == 0 && std::fabs(p[1]) >= 0.5f; }},
      // Entries (10, 20) and (30, 40) over origin (10, 20), extent 20: the
      // corners of the [1, 3] box, halved.
      {8, [](const float* p) {
         return (p[0] == 0.5f && p[1] == 0.5f) || (p[0] == 1.5f && p[1] == 1.5f);
       }},
  };
  for (const auto& c : cases) {
    EngParticleSystemParams p = Still();
    p.shape = c.shape;
    p.shapeMin = 1;
    p.shapeMax = 3;
    p.spreadFactor = 2;
    p.firstEmission = 40;
    p.spreadEntryCount = 2;
    p.spreadEntries = entries;
    p.spreadOriginX = 10;
    p.spreadExtentX = 20;
    p.spreadOriginY = 20;
    p.spreadExtentY = 20;
    ASSERT_TRUE(EngParticleSystemCreate(40, &p, true, &system_));
    EngParticleSystemUpdate(&system_, 0.1f, true);
    for (int i = 0; i < 40; ++i) EXPECT_TRUE(c.check(system_.particles[i].position)) << "shape " << int(c.shape) << " #" << i;
  }
  // Shape 8 without entries: no offset, reported three times at most.
  EngParticleSystemParams p = Still();
  p.shape = 8;
  p.firstEmission = 5;
  ASSERT_TRUE(EngParticleSystemCreate(5, &p, true, &system_));
  EngParticleSystemUpdate(&system_, 0.1f, true);
  int reports = 0;
  for (const std::string& line : LogLines()) reports += line.find("No spread entries") != std::string::npos;
  EXPECT_EQ(reports, 3);
  EXPECT_EQ(First().position[0], 0.0f);
}

TEST_F(EngParticlesTest, RefusedParticleStarts) {
  EngParticleSystemParams p = Still();
  ASSERT_TRUE(EngParticleSystemCreate(2, &p, false, &system_));
  const struct {
    float dt;
    float spread;
    bool nullParticle;
    const char* message;
  } cases[] = {
      {0.1f, 1, true, "No EngParticle"},
      {0.1f, 0, false, "Parent spread factor <= 0"},
      {0.0f, 1, false, "time counter<= 0"},
      {-1.0f, 1, false, "time counter<= 0"},
  };
  for (const auto& c : cases) {
    system_.params.spreadFactor = c.spread;
    EXPECT_FALSE(EngParticlesCreate(&system_, c.dt, c.nullParticle ? nullptr : &First())) << c.message;
    EXPECT_TRUE(LogContains(c.message)) << c.message;
  }
  EngParticleSystem never{};
  EXPECT_FALSE(EngParticlesCreate(&never, 0.1f, &First()));
  EXPECT_TRUE(LogContains("Bad Parent"));
}

TEST_F(EngParticlesTest, VelocityFollowsTheConeAndTheSpeedScale) {
  EngParticleSystemParams p = Still();
  p.speed = 4;
  p.firstEmission = 20;
  // Without a speed scale particles do not move by themselves.
  ASSERT_TRUE(EngParticleSystemCreate(20, &p, false, &system_));
  EngParticleSystemUpdate(&system_, 0.1f, true);
  EXPECT_EQ(First().velocity[0], 0.0f);
  // Cone 0: straight along x at speed x scale.
  p.speedScale = {2, 2, 1, 1, 1, 1};
  ASSERT_TRUE(EngParticleSystemCreate(20, &p, true, &system_));
  EngParticleSystemUpdate(&system_, 0.1f, true);
  EXPECT_FLOAT_EQ(First().velocity[0], 8.0f);
  EXPECT_FLOAT_EQ(First().velocity[1], 0.0f);
  // A cone of 30 degrees: every direction within it.
  p.directionCone = 30;
  p.speedScale = {1, 1, 1, 1, 1, 1};
  ASSERT_TRUE(EngParticleSystemCreate(20, &p, true, &system_));
  EngParticleSystemUpdate(&system_, 0.1f, true);
  for (int i = 0; i < 20; ++i) {
    const float* v = system_.particles[i].velocity;
    EXPECT_NEAR(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 4.0f, 1e-4f);
    EXPECT_GE(v[0], 4.0f * std::cos(30.0f * kPi / 180.0f) - 1e-4f);
  }
}

TEST_F(EngParticlesTest, MotionAttractionOrbitAndWobble) {
  // Attraction on x only pulls a particle back toward the emitter.
  EngParticleSystemParams p = Still();
  p.firstEmission = 1;
  p.attractionOn = 1;
  p.attractAxis[0] = 1;
  p.attractionMin = p.attractionMax = 2;
  p.emitter[0] = 10;
  ASSERT_TRUE(EngParticleSystemCreate(1, &p, false, &system_));
  EngParticleSystemUpdate(&system_, 0.5f, true);
  First().position[0] = 0;
  First().position[1] = 5;
  EngParticleSystemUpdate(&system_, 1.0f, false);
  EXPECT_FLOAT_EQ(First().velocity[0], 2.0f * 1.0f);  // unit pull x strength x dt
  EXPECT_EQ(First().velocity[1], 0.0f);

  // Orbit: a quarter yaw a second turns (1, 0, 0) onto (0, 0, -1) in 1 s.
  p = Still();
  p.firstEmission = 1;
  p.orbit = {kPi / 2, kPi / 2, 0, 0, 0, 0};
  ASSERT_TRUE(EngParticleSystemCreate(1, &p, true, &system_));
  EngParticleSystemUpdate(&system_, 0.5f, true);
  First().position[0] = 1;
  EngParticleSystemUpdate(&system_, 1.0f, false);
  EXPECT_NEAR(First().position[0], 0.0f, 1e-6f);
  EXPECT_NEAR(First().position[2], -1.0f, 1e-6f);

  // Wobble: sin at a quarter turn moves a new particle by the amplitude;
  // the angle turns with the updates, a turn taken off past 2 pi.
  p = Still();
  p.firstEmission = 1;
  p.wobbleFunction[1] = kEngWobbleSin;
  p.wobbleAmplitude[1] = 2;
  p.wobbleAngle[1] = 0;
  p.wobbleSpeed[1] = kPi;  // half a turn a second
  ASSERT_TRUE(EngParticleSystemCreate(1, &p, true, &system_));
  EngParticleSystemUpdate(&system_, 0.5f, true);
  EXPECT_NEAR(First().position[1], 2.0f, 1e-5f);
  EngParticleSystemUpdate(&system_, 2.5f, false);  // + 2.5 pi: one turn off
  EXPECT_NEAR(system_.params.wobbleAngle[1], kPi, 1e-5f);
}

TEST_F(EngParticlesTest, ReleaseZeroesAndReportsAnOrphanedArray) {
  EngParticleSystemParams p = Still();
  ASSERT_TRUE(EngParticleSystemCreate(4, &p, false, &system_));
  system_.created = false;  // as a damaged record would have it
  EngParticleSystemRelease(&system_);
  EXPECT_TRUE(LogContains("EngParticles exist, but not created"));
  EXPECT_EQ(system_.particles, nullptr);
  EXPECT_EQ(system_.maxParticles, 0);
  EngParticlesInit(&system_);
  EXPECT_TRUE(LogContains("System not ok"));
}

}  // namespace
