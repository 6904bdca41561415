// Tests of the screen table's toolkit hooks without a toolkit: where the
// table calls each hook, and a start that asks for a toolkit none installed.
#include <string>
#include <vector>

#include "Engine/EngScreen.h"
#include "tests/Support/TestSupport.h"

namespace {

std::vector<std::string> g_calls;
bool g_startupAnswer = true;

const EngScreenToolkit kRecordingToolkit = {
    [] { g_calls.push_back("toolkit.startup"); return g_startupAnswer; },
    [] { g_calls.push_back("toolkit.shutdown"); },
    [] { g_calls.push_back("toolkit.tick"); },
    [] { g_calls.push_back("toolkit.screenStarted"); },
};

class EngScreenHooksTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    g_calls.clear();
    g_startupAnswer = true;
    screen_ = EngScreenAdd();
    EngScreenSetCreateCallback(screen_, [] { g_calls.push_back("Create"); });
    EngScreenSetTickCallback(screen_, [] { g_calls.push_back("Tick"); });
    EngScreenSetCurrent(screen_);
  }
  void TearDown() override {
    EngScreenStop(0);
    EngScreenSetToolkit(nullptr);
    EngScreenRemoveAll();
    EngScreenClearCurrent();
    TempDirTest::TearDown();
  }
  int screen_ = -1;
};

TEST_F(EngScreenHooksTest, TheTableCallsTheInstalledToolkitAtEachStep) {
  EngScreenSetToolkit(&kRecordingToolkit);
  EngScreenStart(true);
  EXPECT_TRUE(EngScreenTick());
  EngScreenStop(0);  // the toolkit stays on
  EngScreenStart(false);
  EngScreenStop(1);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"toolkit.startup", "Create", "toolkit.screenStarted",
                                               "Tick", "toolkit.tick", "Create",
                                               "toolkit.screenStarted", "toolkit.shutdown"}));
}

// A screen's tick that stops the screens ends the tick: the toolkit is not
// ticked after it.
TEST_F(EngScreenHooksTest, AScreenStoppedByItsTickGetsNoToolkitTick) {
  EngScreenSetToolkit(&kRecordingToolkit);
  EngScreenSetTickCallback(screen_, [] {
    g_calls.push_back("Tick");
    EngScreenStop(0);
  });
  EngScreenStart(true);
  g_calls.clear();
  EXPECT_TRUE(EngScreenTick());
  EXPECT_FALSE(EngScreenIsStarted());
  EXPECT_EQ(g_calls, std::vector<std::string>{"Tick"});
}

TEST_F(EngScreenHooksTest, AToolkitThatCannotStartOrIsMissingStartsNothing) {
  struct Case {
    const EngScreenToolkit* toolkit;
    bool startupAnswer;
  } cases[] = {{&kRecordingToolkit, false}, {nullptr, true}};
  for (const Case& c : cases) {
    ClearLog();
    EngScreenSetToolkit(c.toolkit);
    g_startupAnswer = c.startupAnswer;
    EngScreenStart(true);
    EXPECT_FALSE(EngScreenIsStarted());
    EXPECT_TRUE(LogContains("Could not start the user interface"));
  }
  // Without a toolkit the screens still run when none is asked for.
  g_calls.clear();
  EngScreenStart(false);
  EXPECT_TRUE(EngScreenTick());
  EXPECT_EQ(g_calls, (std::vector<std::string>{"Create", "Tick"}));
}

}  // namespace
