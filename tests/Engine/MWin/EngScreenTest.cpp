// Tests of the screen table on the program's toolkit, wired as the program
// wires it (MWinInstallScreenHooks): adding, callbacks, the order of a
// change, going back, the tick and the start and stop of the toolkit.
#include <string>
#include <vector>

#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Support/TestSupport.h"

namespace {

std::vector<std::string> g_log;

template <int N>
struct Screen {
  static void Init() { g_log.push_back(std::to_string(N) + ".Init"); }
  static void Create() { g_log.push_back(std::to_string(N) + ".Create"); }
  static void Cleanup() { g_log.push_back(std::to_string(N) + ".Cleanup"); }
  static void Starting() { g_log.push_back(std::to_string(N) + ".Starting"); }
  static void Update() { g_log.push_back(std::to_string(N) + ".Update"); }
  static void Tick() { g_log.push_back(std::to_string(N) + ".Tick"); }
};
void Pre() { g_log.push_back("pre"); }
void Post() { g_log.push_back("post"); }

template <int N>
int AddScreen() {
  const int s = EngScreenAdd();
  EngScreenAddCallback(s, "Init", Screen<N>::Init);
  EngScreenSetCreateCallback(s, Screen<N>::Create);
  EngScreenAddCallback(s, "Cleanup", Screen<N>::Cleanup);
  EngScreenSetStartingCallback(s, Screen<N>::Starting);
  EngScreenSetUpdateCallback(s, Screen<N>::Update);
  EngScreenSetTickCallback(s, Screen<N>::Tick);
  return s;
}

class EngScreenTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    MWinInstallScreenHooks();
    Reset();
  }
  void TearDown() override {
    Reset();
    EngScreenSetToolkit(nullptr);
    TempDirTest::TearDown();
  }
  static void Reset() {
    EngScreenStop(2);
    EngScreenSetPreChangeCallback(nullptr);
    EngScreenSetPostChangeCallback(nullptr);
    EngScreenRemoveAll();
    EngScreenClearCurrent();
    if (g_MWin.IsOn()) g_MWin.Shutdown();
    g_log.clear();
  }
};

TEST_F(EngScreenTest, AChangeRunsTheCallbacksInOrder) {
  const int a = AddScreen<0>();
  const int b = AddScreen<1>();
  EngScreenSetPreChangeCallback(Pre);
  EngScreenSetPostChangeCallback(Post);
  EngScreenSetCurrent(a);
  EngScreenStart(true);
  EXPECT_TRUE(EngScreenIsStarted());
  EXPECT_TRUE(g_MWin.IsOn());
  EXPECT_EQ(g_log, (std::vector<std::string>{"pre", "0.Init", "0.Create", "0.Starting",
                                             "0.Update", "post"}));
  g_log.clear();
  EngScreenGoto(b);
  EXPECT_EQ(g_log, (std::vector<std::string>{"0.Cleanup", "pre", "1.Init", "1.Create",
                                             "1.Starting", "1.Update", "post"}));
  EXPECT_EQ(EngScreenGetCurrent(), b);
  EXPECT_EQ(EngScreenGetEntry(b)->previous, a);
}

TEST_F(EngScreenTest, GoingBackWalksThePreviousScreens) {
  const int a = AddScreen<0>();
  const int b = AddScreen<1>();
  const int c = AddScreen<2>();
  EngScreenSetCurrent(a);
  EngScreenStart(true);
  EngScreenGoto(b);
  EngScreenGoto(c);
  EngScreenGoBack();
  EXPECT_EQ(EngScreenGetCurrent(), b);
  EngScreenGoBack();
  EXPECT_EQ(EngScreenGetCurrent(), a);
  // The first screen was entered without a previous one.
  g_log.clear();
  EngScreenGoBack();
  EXPECT_EQ(EngScreenGetCurrent(), a);
  EXPECT_TRUE(g_log.empty());
  EXPECT_TRUE(LogContains("EngScreenGoBack2"));
  EXPECT_TRUE(LogContains("Invalid screen num: -1 (num screens = 3)"));
}

TEST_F(EngScreenTest, TickRunsTheScreenThenTheToolkitOnlyWhenStarted) {
  const int a = AddScreen<0>();
  EXPECT_FALSE(EngScreenTick());
  EXPECT_TRUE(g_log.empty());
  EngScreenSetCurrent(a);
  EngScreenStart(true);
  g_log.clear();
  EXPECT_TRUE(EngScreenTick());
  EXPECT_EQ(g_log, std::vector<std::string>{"0.Tick"});
  EngScreenStop(2);
  EXPECT_FALSE(EngScreenIsStarted());
  EXPECT_FALSE(g_MWin.IsOn());
  EXPECT_EQ(EngScreenGetCurrent(), -1);
}

// The table leaves the program's toolkit to the program's frame, which ticks
// it once before the screen's tick (GameTickCB): a press queued by then runs
// in the toolkit's tick, once, and the screen's tick runs none.
int g_pressesRun = 0;
void PressRun() { ++g_pressesRun; }
void TickSeesQueue() { g_log.push_back("queued " + std::to_string(g_MWin.GetQueueCount())); }

TEST_F(EngScreenTest, TheScreensTickLeavesTheToolkitToTheFramesOwnTick) {
  const int a = EngScreenAdd();
  EngScreenSetCreateCallback(a, Screen<0>::Create);
  EngScreenSetTickCallback(a, TickSeesQueue);
  EngScreenSetCurrent(a);
  EngScreenStart(true);
  MWinCollection* c = g_MWin.GetDesktop()->AddCollection("Q");
  ASSERT_NE(c, nullptr);
  MWinWindowSetup setup = {};
  setup.w = setup.h = 100;
  MWinWindow* w = c->AddWindow("W", &setup);
  MWinButton* b = w->AddButton("B", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "b", 10, 10, 50, 20);
  ASSERT_NE(b, nullptr);
  b->SetSimpleCallback(PressRun);
  g_pressesRun = 0;
  g_log.clear();
  ASSERT_TRUE(g_MWin.AddMessageToQueue("Q", "W", "B", 0));
  EXPECT_TRUE(EngScreenTick());
  EXPECT_EQ(g_log, std::vector<std::string>{"queued 1"});
  EXPECT_EQ(g_pressesRun, 0);
  g_MWin.Tick();
  EXPECT_EQ(g_pressesRun, 1);
  EXPECT_EQ(g_MWin.GetQueueCount(), 0);
}

int g_target = -1;
void TickGoes() { EngScreenGoto(g_target); }
void TickStops() { EngScreenStop(0); }

TEST_F(EngScreenTest, ATickCallbackMayChangeOrStopTheScreens) {
  const int a = EngScreenAdd();
  EngScreenSetCreateCallback(a, Screen<0>::Create);
  EngScreenSetTickCallback(a, TickGoes);
  const int b = AddScreen<1>();
  g_target = b;
  EngScreenSetCurrent(a);
  EngScreenStart(true);
  EXPECT_TRUE(EngScreenTick());
  EXPECT_EQ(EngScreenGetCurrent(), b);
  EngScreenSetTickCallback(b, TickStops);
  EXPECT_TRUE(EngScreenTick());
  EXPECT_FALSE(EngScreenIsStarted());
  EXPECT_TRUE(g_MWin.IsOn());  // mode 0 leaves the toolkit on
}

TEST_F(EngScreenTest, TableLimitsAndBadCallbacks) {
  for (int i = 0; i < kEngMaxScreens; ++i) ASSERT_EQ(EngScreenAdd(), i);
  EngScreenAddCallback(0, "Create", Screen<0>::Create);
  EXPECT_EQ(EngScreenAdd(), -1);
  EXPECT_TRUE(LogContains("Too many screens (100 created)"));
  // Screen 0 keeps its callbacks.
  EXPECT_EQ(EngScreenGetEntry(0)->Create, Screen<0>::Create);
  EngScreenAddCallback(0, "Draw", Screen<0>::Tick);
  EXPECT_EQ(EngScreenGetEntry(0)->Tick, nullptr);
  EXPECT_FALSE(EngScreenIsValidNum("Here", 100));
  EXPECT_TRUE(LogContains("Invalid screen num: 100 (num screens = 100)"));
}

TEST_F(EngScreenTest, AScreenWithoutCreateIsCleanedUpAndNotStarted) {
  const int s = EngScreenAdd();
  EngScreenAddCallback(s, "Cleanup", Screen<5>::Cleanup);
  EngScreenSetCurrent(s);
  EngScreenStart(true);
  EXPECT_FALSE(EngScreenIsStarted());
  EXPECT_TRUE(LogContains("Current Screen (0) has no creation callback"));
  EXPECT_EQ(g_log, std::vector<std::string>{"5.Cleanup"});
}

}  // namespace
