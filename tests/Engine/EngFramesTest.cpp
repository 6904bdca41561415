// Tests of the frames on demand: what a pass draws from the asks made
// before it and during its tick, and the constant-rate loop drawing only
// what was asked for, on the fake clock with headless windows and the
// recording device (which keeps its frame, so areas are drawn as areas).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngFrames.h"
#include "Engine/EngJob.h"
#include "Engine/EngProgram.h"
#include "Platform/D3D9Recording.h"
#include "Platform/Time.h"
#include "Platform/Window.h"
#include "tests/Support/GraphicsTestSupport.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr EngFramesArea kArea = {10, 20, 110, 70};

class EngFramesTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    EngFramesResetForTests();
  }
  void TearDown() override {
    EngFramesResetForTests();
    TempDirTest::TearDown();
  }
};

// What one pass draws, given the asks of the pass before it and those of
// its own tick.
TEST_F(EngFramesTest, APassDrawsWhatItsAsksAddUpTo) {
  struct Ask {
    bool whole = false, tick = false, input = false, mouseMove = false, window = false;
    EngFramesArea area;
    int rate = 0;
  };
  auto apply = [](const Ask& a) {
    if (a.whole) EngFramesRequestDraw();
    if (a.tick) EngFramesRequestTick(a.rate);
    if (a.input) EngFramesNoteInput(a.mouseMove);
    if (a.window) EngFramesNoteWindowEvent();
    EngFramesRequestDrawArea(a.area, a.rate);
  };
  const struct {
    const char* what;
    Ask before, during;
    bool mouseMovesDraw, keepsFrames, due, draws;
    EngFramesArea drawn;
    int nextRate;
  } cases[] = {
      {"nothing", {}, {}, true, true, false, false, {}, 60},
      {"an animation", {.whole = true}, {.whole = true}, true, true, true, true, {}, 60},
      {"its last step", {.whole = true}, {}, true, true, true, true, {}, 60},
      {"a key", {.input = true}, {}, true, true, true, true, {}, 60},
      {"a paint", {.window = true}, {}, true, true, true, true, {}, 60},
      {"a pointer over a screen", {.input = true, .mouseMove = true}, {}, true, true, true, true, {}, 60},
      {"a pointer over a still table", {.input = true, .mouseMove = true}, {}, false, true, true, false, {}, 60},
      {"a pointer carrying cards", {.input = true, .mouseMove = true}, {.area = kArea}, false, true, true, true,
       kArea, 1000},
      {"a wait", {.tick = true}, {}, true, true, true, false, {}, 60},
      {"a slow wait", {.tick = true, .rate = 10}, {.tick = true, .rate = 10}, true, true, true, false, {}, 10},
      {"a slow wait and an area", {.tick = true, .rate = 10}, {.tick = true, .area = kArea, .rate = 20}, true, true,
       true, true, kArea, 20},
      {"a slow wait and a whole frame", {.tick = true, .rate = 10}, {.whole = true, .tick = true, .rate = 10}, true,
       true, true, true, {}, 60},
      {"an area", {.area = kArea, .rate = 20}, {.area = kArea, .rate = 20}, true, true, true, true, kArea, 20},
      {"two areas", {.area = kArea, .rate = 20}, {.area = {100, 60, 200, 90}, .rate = 30}, true, true, true, true,
       {10, 20, 200, 90}, 30},
      {"an area and a whole frame", {.area = kArea, .rate = 20}, {.whole = true}, true, true, true, true, {}, 60},
      {"an area without a kept frame", {.area = kArea, .rate = 20}, {}, true, false, true, true, {}, 60},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EngFramesResetForTests();
    EngFramesSetMouseMovesDraw(c.mouseMovesDraw);
    apply(c.before);
    EXPECT_EQ(EngFramesIsPassDue(1.0), c.due);
    if (!c.due) continue;
    EngFramesStartPass(1.0);
    apply(c.during);
    EngFramesArea drawn;
    EXPECT_EQ(EngFramesPassDraws(c.keepsFrames, &drawn), c.draws);
    EXPECT_EQ(drawn.left, c.drawn.left);
    EXPECT_EQ(drawn.top, c.drawn.top);
    EXPECT_EQ(drawn.right, c.drawn.right);
    EXPECT_EQ(drawn.bottom, c.drawn.bottom);
    EXPECT_EQ(EngFramesNextRate(60), std::min(60, c.nextRate));
  }
}

// A wake time is kept until it is reached; the earliest one asked wins; a
// pass it wakes draws a whole frame unless something said what changed.
TEST_F(EngFramesTest, AWakeTimeStandsUntilItIsReached) {
  EngFramesWakeAt(5.0);
  EngFramesWakeAt(7.0);
  EngFramesRequestTick();
  ASSERT_TRUE(EngFramesIsPassDue(1.0));
  EngFramesStartPass(1.0);
  EXPECT_EQ(EngFramesWakeTime(), 5.0);
  EXPECT_FALSE(EngFramesIsPassDue(4.999));
  EXPECT_TRUE(EngFramesIsPassDue(5.0));
  EngFramesStartPass(5.0);
  EXPECT_EQ(EngFramesWakeTime(), 0.0);
  EngFramesArea drawn;
  EXPECT_TRUE(EngFramesPassDraws(true, &drawn));
  EXPECT_TRUE(drawn.IsEmpty());
  // Woken, with a corner that says it changed: only the corner.
  EngFramesWakeAt(6.0);
  EngFramesStartPass(5.5);
  EngFramesStartPass(6.0);
  EngFramesRequestDrawArea(kArea, 0);
  EXPECT_TRUE(EngFramesPassDraws(true, &drawn));
  EXPECT_EQ(drawn.right, kArea.right);
}

// What comes to rest in a tick draws that pass's frame whole, over an area
// asked beside it, and wants no pass after it; asked between passes, the
// next pass draws it.
TEST_F(EngFramesTest, ALastDrawIsTheAskingPassesOwn) {
  EngFramesArea drawn;
  EngFramesRequestTick();
  EngFramesStartPass(1.0);
  EngFramesRequestLastDraw();
  EngFramesRequestDrawArea(kArea, 0);
  EXPECT_TRUE(EngFramesPassDraws(true, &drawn));
  EXPECT_TRUE(drawn.IsEmpty());
  EXPECT_EQ(EngFramesNextRate(60), 60);
  EngFramesStartPass(1.1);
  EXPECT_TRUE(EngFramesPassDraws(true, &drawn));
  EXPECT_EQ(drawn.right, kArea.right) << "the area asked beside it, drawn once more as asked";
  EXPECT_FALSE(EngFramesIsPassDue(1.2));

  EngFramesRequestLastDraw();
  ASSERT_TRUE(EngFramesIsPassDue(2.0));
  EngFramesStartPass(2.0);
  EXPECT_TRUE(EngFramesPassDraws(true, &drawn));
  EXPECT_TRUE(drawn.IsEmpty());
  EXPECT_FALSE(EngFramesIsPassDue(2.1));
}

// A job's worker asks from its own thread: the next pass ticks and draws
// nothing for it.
TEST_F(EngFramesTest, AWorkerAsksForATickFromItsOwnThread) {
  std::thread([] { EngFramesRequestTickFromWorker(); }).join();
  ASSERT_TRUE(EngFramesIsPassDue(1.0));
  EngFramesStartPass(1.0);
  EngFramesArea drawn;
  EXPECT_FALSE(EngFramesPassDraws(true, &drawn));
  EXPECT_FALSE(EngFramesIsPassDue(1.0));
}

// The loop's side: a program whose tick follows a script on the fake clock.
//   0 - 1 s   an animation asks for a whole frame every tick
//   2 - 3 s   something moves in one area, 20 frames a second will do
//   5 s       the clock's next second
//   7 s       a key comes (posted by the pump hook when the clock is there)
class ScriptedProgram : public CallbackProgram {
 public:
  std::vector<double> ticks, renders;
  bool TickCB() override {
    const double now = EngProgramGetCurrentSeconds();
    ticks.push_back(now);
    if (now < 1.0) EngFramesRequestDraw();
    if (now < 2.0) EngFramesWakeAt(2.0);
    if (now >= 2.0 && now < 3.0) EngFramesRequestDrawArea(kArea, 20);
    if (now < 5.0) EngFramesWakeAt(5.0);
    if (now >= 7.0) SetQuitFlag();
    return true;
  }
  void RenderCB() override { renders.push_back(EngProgramGetCurrentSeconds()); }
  // The ticks in [from, to).
  std::vector<double> TicksIn(double from, double to) const {
    std::vector<double> in;
    for (double t : ticks) {
      if (t >= from && t < to) in.push_back(t);
    }
    return in;
  }
};

HWND g_window = nullptr;
bool g_keySent = false;
void SendKeyAtSeven() {
  if (g_keySent || PlatformTimeNow() < 7.0) return;
  g_keySent = true;
  PlatformInjectMessage(g_window, WM_KEYDOWN, 'A', 0);
}

class EngFramesLoopTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    PlatformTimeUseFakeClock(true, 0.0);
    EngFramesResetForTests();
  }
  // A program of the test's own type with its window and device, drawing
  // frames on demand; owned by the fixture.
  template <typename Program>
  Program* StartOnDemand() {
    auto* program = new Program;
    program_.reset(program);
    std::int8_t result = 0;
    if (program->Init(nullptr, "") != 1 || !program->CreateMainWindow("Frames", EngWindowSettings{}, &result) ||
        !program->GetWindow()->CreateGraphicsDevice()) {
      return nullptr;
    }
    program->SetFramesOnDemand(true);
    return program;
  }
  void TearDown() override {
    PlatformSetPumpHook(nullptr);
    if (program_) {
      program_->Shutdown();
      program_.reset();
    }
    EngFramesResetForTests();
    PlatformTimeUseFakeClock(false);
    GraphicsTest::TearDown();
  }
};

TEST_F(EngFramesLoopTest, TheLoopDrawsWhatIsAskedAndSleepsOtherwise) {
  auto* program = StartOnDemand<ScriptedProgram>();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(program->GetWindow()->DeviceKeepsFrames());
  g_window = Handle();
  g_keySent = false;
  PlatformSetPumpHook(SendKeyAtSeven);
  EngFramesRequestDraw();  // the first frame
  Rec().Clear();
  program->Run();

  // The animation keeps the frame rate.
  const std::vector<double> animation = program->TicksIn(0.0, 1.0);
  EXPECT_GE(animation.size(), 59u);
  EXPECT_LE(animation.size(), 61u);
  for (std::size_t i = 1; i < animation.size(); ++i) EXPECT_NEAR(animation[i] - animation[i - 1], 1.0 / 60, 0.002);
  // Its last step is drawn, then the loop sleeps until the area moves.
  EXPECT_LE(program->TicksIn(1.0, 2.0).size(), 1u);
  const std::vector<double> area = program->TicksIn(2.0, 3.0);
  ASSERT_FALSE(area.empty());
  EXPECT_NEAR(area.front(), 2.0, 0.002);
  EXPECT_GE(area.size(), 19u);
  EXPECT_LE(area.size(), 21u);
  for (std::size_t i = 1; i < area.size(); ++i) EXPECT_NEAR(area[i] - area[i - 1], 0.05, 0.002);
  EXPECT_GE(Rec().Count("SetScissorRect(10, 20, 110, 70)"), 19);
  EXPECT_GE(Rec().Count("Present(10, 20, 110, 70)"), 19);
  // The clock's next second wakes it once.
  EXPECT_LE(program->TicksIn(3.1, 5.0).size(), 0u);
  const std::vector<double> clock = program->TicksIn(5.0, 5.1);
  ASSERT_EQ(clock.size(), 1u);
  EXPECT_NEAR(clock[0], 5.0, 0.002);
  EXPECT_TRUE(program->TicksIn(5.1, 7.0).empty());
  // The key wakes it at once and draws a whole frame.
  const std::vector<double> key = program->TicksIn(7.0, 8.0);
  ASSERT_FALSE(key.empty());
  EXPECT_LT(key.front() - 7.0, 0.005);
  EXPECT_NEAR(program->renders.back(), key.front(), 1e-9);
  ASSERT_FALSE(program->events.empty());
  EXPECT_EQ(program->events.back().kind, 5);
  // Every pass that ran drew (none of them was a wait).
  EXPECT_EQ(program->renders.size(), program->ticks.size());
}

// A network wait on a still screen: while the job runs the loop ticks for
// it at the job's slow rate and draws nothing; its end is delivered without
// any input and drawn once. The work ends when the fake clock reaches 3 s;
// the fake clock then runs on while the worker ends in real time, so the
// test gives up after 10 s of the real clock.
std::mutex g_workLock;
std::condition_variable g_workReleased;
bool g_releaseWork = false;
std::chrono::steady_clock::time_point g_releasedAt;
EngProgram* g_jobProgram = nullptr;
void ReleaseWorkAtThree() {
  if (PlatformTimeNow() < 3.0) return;
  std::lock_guard<std::mutex> hold(g_workLock);
  if (!g_releaseWork) {
    g_releaseWork = true;
    g_releasedAt = std::chrono::steady_clock::now();
    g_workReleased.notify_all();
  } else if (std::chrono::steady_clock::now() - g_releasedAt > std::chrono::seconds(10)) {
    g_jobProgram->SetQuitFlag();  // never delivered: the loop would sleep for good
  }
}

class JobProgram : public CallbackProgram {
 public:
  std::vector<double> ticks, renders;
  double delivered = -1;
  bool TickCB() override {
    const double now = EngProgramGetCurrentSeconds();
    ticks.push_back(now);
    if (ticks.size() == 1) {
      EngJobStart(
          "wait",
          [] {
            std::unique_lock<std::mutex> hold(g_workLock);
            g_workReleased.wait_for(hold, std::chrono::seconds(30), [] { return g_releaseWork; });
          },
          [this] {
            delivered = EngProgramGetCurrentSeconds();
            SetQuitFlag();
          });
    }
    return true;
  }
  void RenderCB() override { renders.push_back(EngProgramGetCurrentSeconds()); }
};

TEST_F(EngFramesLoopTest, ARunningJobTicksWithoutDrawingAndItsEndIsDelivered) {
  auto* program = StartOnDemand<JobProgram>();
  ASSERT_NE(program, nullptr);
  g_releaseWork = false;
  g_jobProgram = program;
  PlatformSetPumpHook(ReleaseWorkAtThree);
  EngFramesRequestDraw();  // the first frame
  program->Run();

  ASSERT_GE(program->delivered, 3.0) << "the job's end was never delivered";
  // Waiting, the loop ticked at the job's rate and drew nothing after the
  // first frames (the window's own events); the end was drawn.
  std::size_t waiting = 0;
  for (double t : program->ticks) waiting += t > 0.5 && t < 3.0 ? 1 : 0;
  EXPECT_GE(waiting, static_cast<std::size_t>(kEngJobTicksPerSecond * 2.5 - 2));
  EXPECT_LE(waiting, static_cast<std::size_t>(kEngJobTicksPerSecond * 2.5 + 1));
  ASSERT_FALSE(program->renders.empty());
  EXPECT_EQ(program->renders.back(), program->delivered);
  for (double t : program->renders) {
    EXPECT_TRUE(t < 0.5 || t == program->delivered) << "a frame drawn while waiting, at " << t;
  }
}

// Work a tick leaves for the next pass without asking for it: the program
// says so when asked (the toolkit's queued press, cards about to fly), or
// the window holds a device re-creation put off to the next pass. The loop
// does that work at the frame rate and waits only once none is left.
//   1 s   the tick leaves three steps of work, each for one tick
//   2 s   the tick puts a device re-creation off to the next pass
//   4 s   the end
int g_workLeft = 0;
bool WorkLeft() { return g_workLeft > 0; }

class LeavingWorkProgram : public CallbackProgram {
 public:
  std::vector<double> ticks, recreated;
  LeavingWorkProgram() { SetWorkPendingQuery(WorkLeft); }
  bool TickCB() override {
    const double now = EngProgramGetCurrentSeconds();
    ticks.push_back(now);
    if (g_workLeft > 0) {
      --g_workLeft;
    } else if (now >= 1.0 && now < 1.5) {
      g_workLeft = 3;
    } else if (now >= 2.0 && now < 2.5) {
      GetWindow()->RecreateDeviceOnNextTick();
    }
    if (now >= 4.0) SetQuitFlag();
    for (double wake : {1.0, 2.0, 4.0}) {
      if (now < wake) {
        EngFramesWakeAt(wake);
        break;
      }
    }
    return true;
  }
  int CreateGraphicsObjectsCB() override {
    recreated.push_back(PlatformTimeNow());
    return 1;
  }
  std::size_t TicksIn(double from, double to) const {
    return static_cast<std::size_t>(std::count_if(ticks.begin(), ticks.end(), [&](double t) { return t >= from && t < to; }));
  }
};

TEST_F(EngFramesLoopTest, TheLoopWaitsForInputOnlyWithNoWorkPending) {
  auto* program = StartOnDemand<LeavingWorkProgram>();
  ASSERT_NE(program, nullptr);
  g_workLeft = 0;
  program->recreated.clear();
  EngFramesRequestDraw();
  program->Run();

  EXPECT_EQ(g_workLeft, 0) << "work left standing";
  // The three steps in the three passes after the one that left them, at
  // the frame rate; then the loop waited until its next wake.
  EXPECT_EQ(program->TicksIn(1.0, 1.1), 4u);
  EXPECT_EQ(program->TicksIn(1.1, 2.0), 0u);
  // The re-creation within a frame of the pass that put it off.
  ASSERT_EQ(program->recreated.size(), 1u) << "the device was not made again";
  EXPECT_GE(program->recreated[0], 2.0);
  EXPECT_LT(program->recreated[0], 2.0 + 2.0 / 60);
  EXPECT_EQ(program->TicksIn(2.1, 4.0), 0u);
}

// A pointer moving over a still table (mouse moves do not draw) runs the
// tick, which may still ask for what it moved.
TEST_F(EngFramesLoopTest, AMouseMoveDrawsOnlyWhatItMoved) {
  Start(640, 480);
  program_->SetFramesOnDemand(true);
  EngFramesSetMouseMovesDraw(false);
  PlatformInjectMessage(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  Rec().Clear();
  program_->GetWindow()->Tick();
  EXPECT_TRUE(program_->FramesOnDemandPass(0.5));
  EXPECT_EQ(Rec().CountPrefix("Present"), 0);
  PlatformInjectMessage(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
  program_->GetWindow()->Tick();
  EngFramesRequestDrawArea(kArea, 0);
  EXPECT_TRUE(program_->FramesOnDemandPass(0.6));
  EXPECT_EQ(Rec().Count("Present(10, 20, 110, 70)"), 1);
  // With moves drawing (a screen is up), a move draws the whole frame.
  EngFramesSetMouseMovesDraw(true);
  PlatformInjectMessage(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
  program_->GetWindow()->Tick();
  EXPECT_TRUE(program_->FramesOnDemandPass(0.7));
  EXPECT_EQ(Rec().Count("Present()"), 1);
  EXPECT_FALSE(program_->FramesOnDemandPass(0.8));
}

}  // namespace
