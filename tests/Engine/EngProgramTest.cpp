// Tests of the program object: start-up results, the callback order of the
// device life and shutdown, the four main loops on the fake clock, and the
// fatal path.
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngRand.h"
#include "Platform/D3D9Recording.h"
#include "Platform/Dialogs.h"
#include "Platform/Time.h"
#include "Platform/Window.h"
#include "tests/Support/GraphicsTestSupport.h"
#include "tests/Support/TestSupport.h"

namespace {

// The recording program of the graphics tests, plus a scripted frame: each
// tick and render can take time on the fake clock, quit or shut down.
class RecordingProgram : public CallbackProgram {
 public:
  std::vector<double> tickTimes;
  int initResult = 1;
  double tickWork = 0.0;    // seconds each TickCB "takes"
  double renderWork = 0.0;  // seconds each RenderCB "takes"
  double quitAt = -1.0;     // TickCB sets the quit flag once the clock passes this
  int shutdownOnTick = -1;  // TickCB calls Shutdown on this tick
  bool tickResult = true;
  int ticks = 0, renders = 0;

  int InitCB(const char* commandLine) override {
    calls.push_back(std::string("Init:") + (commandLine ? commandLine : ""));
    return initResult;
  }

  bool TickCB() override {
    ++ticks;
    tickTimes.push_back(PlatformTimeNow());
    calls.push_back("Tick");
    PlatformTimeAdvanceFakeClock(tickWork);
    if (quitAt >= 0 && PlatformTimeNow() >= quitAt) SetQuitFlag();
    if (ticks == shutdownOnTick) Shutdown();
    return tickResult;
  }
  void RenderCB() override {
    ++renders;
    calls.push_back("Render");
    PlatformTimeAdvanceFakeClock(renderWork);
  }

  // Init, window and device, as the application's entry does.
  void StartUp() {
    ASSERT_EQ(Init(nullptr, ""), 1);
    std::int8_t result = 0;
    ASSERT_NE(CreateMainWindow("Test", EngWindowSettings{}, &result), nullptr);
    ASSERT_EQ(result, 1);
    ASSERT_TRUE(GetWindow()->CreateGraphicsDevice());
    calls.clear();
  }

  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& c : calls) n += c == name;
    return n;
  }
};

class EngProgramTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("CARDOLIA_HEADLESS", "1", 1);
    PlatformTimeUseFakeClock(true, 0.0);
    // Window records and a recording device: no display needed.
    PlatformUseHeadlessWindows(true);
    D3D9UseRecording();
  }
  void TearDown() override {
    PlatformResetWindowsForTests();
    PlatformTimeUseFakeClock(false);
    TempDirTest::TearDown();
  }
};

}  // namespace

TEST_F(EngProgramTest, ConstructionPublishesTheProgramAndDefaults) {
  RecordingProgram program;
  EXPECT_EQ(EngProgramGetCurrent(), &program);
  EXPECT_EQ(EngProgramGetMainDeviceType(), 1);
  EXPECT_EQ(EngProgramGetFramesPerSecond(), 60);
  EXPECT_FLOAT_EQ(EngProgramGetFrameTime(), 1.0f / 60.0f);
  EXPECT_EQ(program.GetLoopType(), kEngLoopConstantFrameRate);
  EXPECT_EQ(program.GetSyncWithGpuMethod(), -1);
  program.SetSyncWithGpuMethod(true, 1, true);
  EXPECT_EQ(program.GetSyncWithGpuMethod(), 1);
  program.SetSyncWithGpuMethod(false, 1, false);
  EXPECT_EQ(program.GetSyncWithGpuMethod(), -1);
}

// The C-style generator is seeded from the milliseconds since the system
// started, so card sounds, tilts and celebrations differ from run to run.
TEST_F(EngProgramTest, ConstructionSeedsTheCrtGeneratorFromTheClockSinceBoot) {
  PlatformTimeUseFakeClock(false);
  auto bootMs = [] {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<unsigned>(static_cast<unsigned long long>(now.tv_sec) * 1000u +
                                 static_cast<unsigned long long>(now.tv_nsec) / 1000000u);
  };
  const unsigned before = bootMs();
  int first = 0;
  {
    RecordingProgram program;
    first = EngRandCrtNext();
  }
  const unsigned after = bootMs();
  bool seededInWindow = false;
  for (unsigned seed = before; seed <= after && !seededInWindow; ++seed) {
    EngRandCrtSeed(seed);
    seededInWindow = EngRandCrtNext() == first;
  }
  EXPECT_TRUE(seededInWindow) << "first value " << first << ", boot clock " << before << "-" << after;
}

TEST_F(EngProgramTest, InitPassesTheCallbackResult) {
  const struct {
    int callback, expected;
  } cases[] = {{0, 0}, {5, 1}, {1, 1}, {-2, -2}};
  for (const auto& c : cases) {
    RecordingProgram program;
    program.initResult = c.callback;
    EXPECT_EQ(program.Init(nullptr, "CONFIGURATION"), c.expected) << c.callback;
    EXPECT_EQ(program.calls, CallNames({"Init:CONFIGURATION"}));
  }
}

TEST_F(EngProgramTest, OneWindowAndTheDeviceTypeBeforeIt) {
  RecordingProgram program;
  EXPECT_TRUE(program.SetMainDeviceType(1));
  std::int8_t result = 0;
  EngWindow* first = program.CreateMainWindow("One", EngWindowSettings{}, &result);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(EngProgramIsMainWindowCreated());
  EXPECT_EQ(program.CreateMainWindow("Two", EngWindowSettings{}, &result), nullptr);
  EXPECT_TRUE(LogContains("( EngProgram::CreateMainWindow )    Can only have one window at a time"));
  EXPECT_EQ(program.GetWindow(), first);
  EXPECT_STREQ(first->GetTitle(), "One");
  EXPECT_FALSE(program.SetMainDeviceType(2));
  EXPECT_TRUE(LogContains("Call this before creating a window or device."));
  EXPECT_EQ(EngProgramGetMainDeviceType(), 1);
  program.Shutdown();
}

TEST_F(EngProgramTest, FailedWindowGivesTheCallbackResult) {
  class Refusing : public RecordingProgram {
    int PreCreateWindowCB(EngWindowSettings*) override { return refuse; }

   public:
    int refuse = 0;
  };
  for (int refuse : {0, -3}) {
    ClearLog();
    Refusing program;
    program.refuse = refuse;
    std::int8_t result = 9;
    EXPECT_EQ(program.CreateMainWindow("X", EngWindowSettings{}, &result), nullptr);
    EXPECT_EQ(result, refuse);
    EXPECT_EQ(program.GetWindow(), nullptr);
    EXPECT_EQ(LogContains("PreCreateWindowCB() failed"), refuse == 0);
  }
}

TEST_F(EngProgramTest, DeviceLifeAndShutdownRunTheCallbacksInOrder) {
  static int exitCallbacks = 0;
  exitCallbacks = 0;
  RecordingProgram program;
  ASSERT_EQ(program.Init(nullptr, "x"), 1);
  std::int8_t result = 0;
  ASSERT_NE(program.CreateMainWindow("T", EngWindowSettings{}, &result), nullptr);
  ASSERT_TRUE(program.GetWindow()->CreateGraphicsDevice());
  EXPECT_TRUE(program.IsDeviceInitialised());
  program.SetExitCallback([] { ++exitCallbacks; });
  program.Shutdown();
  EXPECT_EQ(program.calls,
            CallNames({"Init:x", "PreCreateWindow", "PreDeviceInit", "PreCreateGraphics",
                   "CreateGraphics", "PostCreateGraphics", "PostDeviceInit", "PreShutdownDevice",
                   "PreDestroyGraphics", "DestroyGraphics", "PostDestroyGraphics",
                   "PostShutdownDevice", "Exit"}));
  EXPECT_EQ(exitCallbacks, 1);
  EXPECT_EQ(EngProgramGetCurrent(), nullptr);
  EXPECT_TRUE(program.GetQuitFlag());
  // A second shutdown changes nothing: ExitCB runs at most once.
  program.Shutdown();
  EXPECT_EQ(program.Count("Exit"), 1);
  EXPECT_EQ(exitCallbacks, 1);
}

TEST_F(EngProgramTest, ShutdownWithoutAWindowOnlySetsTheQuitFlag) {
  RecordingProgram program;
  program.Shutdown();
  EXPECT_TRUE(program.GetQuitFlag());
  EXPECT_TRUE(program.calls.empty());
  EXPECT_EQ(EngProgramGetCurrent(), &program);
}

TEST_F(EngProgramTest, ExitCbRunsOnlyAfterDeviceStartUp) {
  RecordingProgram program;
  std::int8_t result = 0;
  ASSERT_NE(program.CreateMainWindow("T", EngWindowSettings{}, &result), nullptr);
  program.Shutdown();
  EXPECT_EQ(program.Count("Exit"), 0);
  EXPECT_EQ(program.Count("PreShutdownDevice"), 0);  // there was no device to release
}

TEST_F(EngProgramTest, DestructorDoesNotStandInForShutdown) {
  // With the explicit shutdown the derived ExitCB runs and the destructor is quiet.
  {
    RecordingProgram program;
    program.StartUp();
    program.Shutdown();
    EXPECT_EQ(program.Count("Exit"), 1);
  }
  EXPECT_FALSE(LogContains("Shutdown() was not called"));
  // Without it the destructor still releases the window, and says so.
  {
    RecordingProgram program;
    program.StartUp();
  }
  EXPECT_TRUE(LogContains("EngProgram::~EngProgram - Shutdown() was not called"));
  EXPECT_EQ(EngProgramGetCurrent(), nullptr);
  EXPECT_EQ(EngWindowGetCurrent(), nullptr);
}

TEST_F(EngProgramTest, ConstantRateLoopRunsSixtyPassesASecond) {
  RecordingProgram program;
  program.StartUp();
  program.tickWork = 0.0007;  // each pass ends just after its deadline
  program.quitAt = 1.0;
  program.Run();
  // Tick then render, every pass.
  for (std::size_t i = 0; i + 1 < program.calls.size(); i += 2) {
    ASSERT_EQ(program.calls[i], "Tick");
    ASSERT_EQ(program.calls[i + 1], "Render");
  }
  EXPECT_GE(program.ticks, 59);
  EXPECT_LE(program.ticks, 61);
  EXPECT_NEAR(EngProgramGetFrameTime(), 0.0167, 0.0001);
  EXPECT_EQ(EngProgramGetFramesPerSecond(), 59);
  // Passes start every 1/60 s (in whole milliseconds of sleep).
  for (std::size_t i = 1; i < program.tickTimes.size(); ++i) {
    EXPECT_NEAR(program.tickTimes[i] - program.tickTimes[i - 1], 0.0167, 0.0011);
  }
  EXPECT_NEAR(EngProgramGetCurrentSeconds(), program.tickTimes.back(), 1e-9);
  program.Shutdown();
}

TEST_F(EngProgramTest, SelfAdjustingRateClimbsAndFalls) {
  RecordingProgram program;
  program.StartUp();
  program.SetSelfAdjustingFrameRateForTests(true);
  program.quitAt = 2.0;
  program.Run();
  // +3 while a pass needs 9 or more 1 ms sleeps: up to 126 (1000 / 126 < 9),
  // where passes need 8 sleeps and the rate is above 100.
  EXPECT_EQ(program.GetFrameRate(), 126);
  // Passes that overrun their deadline never sleep: back down to 60.
  program.ClearQuitFlag();
  program.quitAt = 4.0;
  program.tickWork = 0.05;
  program.Run();
  EXPECT_EQ(program.GetFrameRate(), 60);
  program.Shutdown();
}

class EngProgramLoopTypeTest : public EngProgramTest,
                               public ::testing::WithParamInterface<EngLoopType> {};

TEST_P(EngProgramLoopTypeTest, ShutdownInsideTickEndsTheLoopWithoutARender) {
  RecordingProgram program;
  program.StartUp();
  program.SetLoopType(GetParam());
  program.renderWork = 0.02;  // lets the fixed-step loop's clock move
  program.shutdownOnTick = 3;
  program.Run();
  EXPECT_EQ(program.ticks, 3);
  ASSERT_FALSE(program.calls.empty());
  EXPECT_EQ(program.calls.back(), "Exit");
  EXPECT_EQ(program.Count("Render"), 2);
  EXPECT_TRUE(program.GetQuitFlag());
  EXPECT_EQ(EngProgramGetCurrent(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(AllLoops, EngProgramLoopTypeTest,
                         ::testing::Values(kEngLoopConstantFrameRate, kEngLoopFixedStep,
                                           kEngLoopEventDriven, kEngLoopVariableRate));

TEST_F(EngProgramTest, FixedStepCatchesUpAtMostTenTicks) {
  RecordingProgram program;
  program.StartUp();
  program.SetLoopType(kEngLoopFixedStep);
  program.ConstantFrameRateLoopSetConstantFrameRate(100);  // 10 ms ticks
  program.renderWork = 0.05;                               // 5 ticks a render
  program.quitAt = 1.0;
  program.Run();
  // Count ticks between renders after the first few passes.
  std::vector<int> runs;
  int run = 0;
  for (const auto& c : program.calls) {
    if (c == "Tick") ++run;
    if (c == "Render") {
      runs.push_back(run);
      run = 0;
    }
  }
  ASSERT_GT(runs.size(), 5u);
  EXPECT_EQ(runs[0], 0);  // nothing is due at the very start
  EXPECT_EQ(runs[3], 5);
  program.ClearQuitFlag();
  program.calls.clear();
  program.renderWork = 0.5;  // 50 ticks due: only 10 run per pass
  program.quitAt = 3.0;
  program.Run();
  run = 0;
  int most = 0;
  for (const auto& c : program.calls) {
    if (c == "Tick") most = std::max(most, ++run);
    if (c == "Render") run = 0;
  }
  EXPECT_EQ(most, 10);
  program.Shutdown();
}

namespace {
RecordingProgram* g_idleProgram = nullptr;
int g_idlePasses = 0;
bool g_forced = false;
bool g_requestAfterForce = false;
double g_forcedAt = 0;
void IdleScript() {
  ++g_idlePasses;
  const double now = PlatformTimeNow();
  if (!g_forced && now >= 1.0) {
    g_forced = true;
    g_forcedAt = now;
    g_idleProgram->EventDrivenLoopForceRedraw();
    if (g_requestAfterForce) g_idleProgram->EventDrivenLoopRequestRedraw(false);
  }
  if (now >= 3.0) g_idleProgram->SetQuitFlag();
}
}  // namespace

TEST_F(EngProgramTest, EventDrivenLoopRedrawsOnRequestAndIdlesOtherwise) {
  RecordingProgram program;
  program.StartUp();
  program.SetLoopType(kEngLoopEventDriven);
  g_idleProgram = &program;
  g_idlePasses = 0;
  g_forced = false;
  g_requestAfterForce = false;
  program.SetIdleCallback(IdleScript);
  program.Run();
  // First burst: the start-up redraw keeps passes active for 0.5 s.
  std::vector<double> first, second;
  for (double t : program.tickTimes) (t < 1.0 ? first : second).push_back(t);
  ASSERT_FALSE(first.empty());
  EXPECT_LT(first.back(), 0.5);
  EXPECT_GT(first.back(), 0.45);
  // A forced redraw: two passes, then active until 0.5 s after the second.
  ASSERT_GE(second.size(), 2u);
  EXPECT_GE(second[0], g_forcedAt);
  EXPECT_LT(second.back(), second[1] + 0.5);
  EXPECT_GT(second.back(), second[1] + 0.45);
  EXPECT_EQ(program.ticks, program.renders);
  EXPECT_EQ(EngProgramGetFramesPerSecond(), 60);
  EXPECT_GT(g_idlePasses, 100);  // idle passes sleep 3 ms each
  program.Shutdown();
}

// A request sets the pending count to one redraw, also right after a forced
// redraw: the burst then ends 0.5 s after its first pass.
TEST_F(EngProgramTest, EventDrivenRequestAfterAForcedRedrawLeavesOneRedraw) {
  RecordingProgram program;
  program.StartUp();
  program.SetLoopType(kEngLoopEventDriven);
  g_idleProgram = &program;
  g_forced = false;
  g_requestAfterForce = true;
  program.SetIdleCallback(IdleScript);
  program.Run();
  g_requestAfterForce = false;
  std::vector<double> second;
  for (double t : program.tickTimes) {
    if (t >= 1.0) second.push_back(t);
  }
  ASSERT_GE(second.size(), 2u);
  EXPECT_LT(second.back(), second[0] + 0.5);
  EXPECT_GT(second.back(), second[0] + 0.45);
  program.Shutdown();
}

TEST_F(EngProgramTest, EventDrivenKeepAwakeRunsPassesForTenSeconds) {
  RecordingProgram program;
  program.StartUp();
  program.SetLoopType(kEngLoopEventDriven);
  g_idleProgram = &program;
  g_forced = true;  // no forced redraw in this script
  program.SetIdleCallback(IdleScript);
  program.tickWork = 0.01;  // kept awake, passes do not wait
  program.EventDrivenLoopKeepAwake();
  program.Run();
  EXPECT_GT(program.tickTimes.back(), 9.9);
  EXPECT_LT(program.tickTimes.back(), 10.1);
  EXPECT_NEAR(program.ticks, 1000, 5);
  program.Shutdown();
}

TEST_F(EngProgramTest, EventDrivenRequestsOnlyInThatLoop) {
  RecordingProgram program;
  program.EventDrivenLoopSetupDoingActionsOnKeyAndMouseEvents(false, true, false);
  EXPECT_TRUE(LogContains("do_tick must be specified also"));
  program.SetLoopType(kEngLoopEventDriven);
  program.ConstantFrameRateLoopSetConstantFrameRate(30);
  EXPECT_TRUE(
      LogContains("( EngProgram::ConstantFrameRateLoopSetConstantFrameRate )    Constant frame rates not setup"));
  EXPECT_EQ(program.GetFrameRate(), 60);
  program.SetLoopType(kEngLoopFixedStep);
  program.ConstantFrameRateLoopSetConstantFrameRate(30);
  EXPECT_FLOAT_EQ(EngProgramGetFrameTime(), 1.0f / 30.0f);
  program.SetLoopType(kEngLoopConstantFrameRate);  // re-applies 30
  EXPECT_EQ(EngProgramGetFramesPerSecond(), 30);
}

TEST_F(EngProgramTest, VariableRateMeasuresTheTimeBetweenPresents) {
  RecordingProgram program;
  program.StartUp();
  program.SetLoopType(kEngLoopVariableRate);
  program.tickWork = 0.02;
  program.quitAt = 0.5;
  program.Run();
  EXPECT_NEAR(EngProgramGetFrameTime(), 0.02, 1e-6);
  EXPECT_EQ(EngProgramGetFramesPerSecond(), 50);
  EXPECT_EQ(program.ticks, program.renders);
  // A tick that answers false skips the render, never the present.
  program.ClearQuitFlag();
  program.tickResult = false;
  program.renders = 0;
  program.quitAt = 1.0;
  program.Run();
  EXPECT_EQ(program.renders, 0);
  EXPECT_NEAR(EngProgramGetFrameTime(), 0.02, 1e-6);
  program.Shutdown();
}

TEST_F(EngProgramTest, NotificationsReachTheCallbacks) {
  RecordingProgram program;
  program.NotifyActiveChanged(false);
  program.NotifyModeChanged();
  EXPECT_EQ(program.calls, CallNames({"Inactive", "ModeChange"}));
}

namespace {
struct BoxLog {
  std::vector<std::string> captions, texts;
};
void RecordBox(const char* text, const char* caption, UINT, void* context) {
  static_cast<BoxLog*>(context)->captions.push_back(caption);
  static_cast<BoxLog*>(context)->texts.push_back(text);
}
}  // namespace

TEST_F(EngProgramTest, ExitWithMessageReleasesEverythingThenShowsTheBox) {
  BoxLog boxes;
  PlatformDialogsSetListener(RecordBox, &boxes);
  RecordingProgram program;
  program.StartUp();
  EngFatalExitViaProgram("INTERNAL PROGRAM ERROR ", "Reason:\n\nx");
  PlatformDialogsSetListener(nullptr, nullptr);
  EXPECT_EQ(program.calls,
            CallNames({"PreShutdownDevice", "PreDestroyGraphics", "DestroyGraphics",
                   "PostDestroyGraphics", "PostShutdownDevice"}));
  ASSERT_EQ(boxes.captions.size(), 1u);
  EXPECT_EQ(boxes.captions[0], "INTERNAL PROGRAM ERROR ");
  EXPECT_EQ(boxes.texts[0], "Reason:\n\nx");
  EXPECT_EQ(EngProgramGetCurrent(), nullptr);
  EXPECT_EQ(program.GetWindow(), nullptr);
  EXPECT_TRUE(program.GetQuitFlag());
  // With no program there is nothing to release and no box.
  EngFatalExitViaProgram("T", "t");
}

TEST_F(EngProgramTest, FatalErrorWithAProgramExitsWith255) {
  EXPECT_EXIT(
      {
        RecordingProgram program;
        program.StartUp();
        DebugFatalErrorIf(true, "Main", "device vanished");
      },
      ::testing::ExitedWithCode(255), "");
  const std::string log = ReadFile("ErrorLog.txt");
  EXPECT_NE(log.find("EXITING DUE TO FOLLOWING ERROR:"), std::string::npos);
  EXPECT_NE(log.find(" <ERROR>  ( Main )    device vanished"), std::string::npos);
}

TEST_F(EngProgramTest, CloseDownLogsAndShutsDown) {
  RecordingProgram program;
  program.StartUp();
  EngMiscCloseDown();
  EXPECT_TRUE(LogContains(" |  CLOSING DOWN"));
  EXPECT_EQ(program.Count("Exit"), 1);
  EXPECT_EQ(EngProgramGetCurrent(), nullptr);
  EngMiscCloseDown();  // no program: only the note
}
