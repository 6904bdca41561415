// Tests of the jobs that carry network waits off the main thread: the work
// runs on a worker, its done callback on the main thread at the next
// delivery (the program's tick delivers), in start order; progress while it
// runs; a job started from a done callback; the cancel request as the work
// sees it; and the shutdown that joins without delivering.
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngJob.h"
#include "Engine/EngProgram.h"
#include "tests/Support/TestSupport.h"

namespace {

using namespace std::chrono_literals;

class EngJobTest : public TempDirTest {
 protected:
  void TearDown() override {
    EngJobCancelAllAndJoin();
    TempDirTest::TearDown();
  }
};

TEST_F(EngJobTest, WorkRunsOnAWorkerAndItsEndIsDeliveredOnTheMainThreadInOrder) {
  const std::thread::id main = std::this_thread::get_id();
  std::vector<std::string> order;
  std::thread::id workedOn;
  std::atomic<bool> release{false};
  const int slow = EngJobStart(
      "slow",
      [&] {
        workedOn = std::this_thread::get_id();
        while (!release) std::this_thread::sleep_for(1ms);
      },
      [&] {
        EXPECT_EQ(std::this_thread::get_id(), main);
        order.push_back("slow");
      });
  std::atomic<bool> quickWorked{false};
  const int quick = EngJobStart(
      "quick", [&] { quickWorked = true; },
      [&] {
        EXPECT_EQ(std::this_thread::get_id(), main);
        order.push_back("quick");
      });
  ASSERT_GT(slow, 0);
  ASSERT_GT(quick, slow);
  EXPECT_TRUE(EngJobIsRunning(slow));
  EXPECT_TRUE(EngJobAnyRunning());
  // The quick one's end waits for a delivery once its work is done; the
  // slow one keeps running.
  const auto until = std::chrono::steady_clock::now() + 5s;
  while (!quickWorked && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(1ms);
  EXPECT_TRUE(quickWorked) << "the quick job's work did not run within 5 s";
  EXPECT_TRUE(order.empty());
  EngJobDeliver();
  EXPECT_EQ(order, std::vector<std::string>{"quick"});
  EXPECT_FALSE(EngJobIsRunning(quick));
  EXPECT_TRUE(EngJobIsRunning(slow));
  release = true;
  ASSERT_TRUE(EngJobWaitAll(5));
  EXPECT_EQ(order, (std::vector<std::string>{"quick", "slow"}));
  EXPECT_NE(workedOn, main);
  EXPECT_FALSE(EngJobAnyRunning());
  EXPECT_FALSE(EngJobIsRunning(0));
}

TEST_F(EngJobTest, ProgressIsShownWhileItRunsAndADoneCallbackMayStartTheNextStep) {
  std::atomic<bool> release{false};
  int progress = 0;
  std::vector<int> steps;
  EngJobStart(
      "first",
      [&] {
        while (!release) std::this_thread::sleep_for(1ms);
      },
      [&] {
        steps.push_back(1);
        EngJobStart("second", [] {}, [&] { steps.push_back(2); });
      },
      [&] { ++progress; });
  for (int frame = 0; frame < 3; ++frame) EngJobDeliver();
  EXPECT_EQ(progress, 3);
  release = true;
  ASSERT_TRUE(EngJobWaitAll(5));
  EXPECT_EQ(steps, (std::vector<int>{1, 2}));
  const int shown = progress;
  EngJobDeliver();
  EXPECT_EQ(progress, shown);  // not after its end
}

TEST_F(EngJobTest, TheWorkSeesItsCancelAndAShutdownDeliversNothing) {
  std::atomic<bool> sawCancel{false};
  bool delivered = false;
  const int job = EngJobStart(
      "cancelled",
      [&] {
        const auto until = std::chrono::steady_clock::now() + 10s;
        while (!EngJobCancelRequested() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(1ms);
        sawCancel = EngJobCancelRequested();
      },
      [&] { delivered = true; });
  EXPECT_FALSE(EngJobCancelRequested());  // the main thread is no job
  EngJobCancel(job);
  ASSERT_TRUE(EngJobWaitAll(5));
  EXPECT_TRUE(sawCancel);
  EXPECT_TRUE(delivered);

  delivered = false;
  EngJobStart(
      "at shutdown",
      [] {
        while (!EngJobCancelRequested()) std::this_thread::sleep_for(1ms);
      },
      [&] { delivered = true; });
  const auto before = std::chrono::steady_clock::now();
  EngJobCancelAllAndJoin();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  EXPECT_FALSE(EngJobAnyRunning());
  EngJobDeliver();
  EXPECT_FALSE(delivered);
}

TEST_F(EngJobTest, WaitingGivesUpAfterItsTime) {
  std::atomic<bool> release{false};
  EngJobStart("held", [&] {
    while (!release) std::this_thread::sleep_for(1ms);
  }, nullptr);
  int passes = 0;
  EXPECT_FALSE(EngJobWaitAll(0.1, [&] { ++passes; }));
  EXPECT_GT(passes, 1);
  release = true;
  EXPECT_TRUE(EngJobWaitAll(5));
}

// The program's tick delivers before its own TickCB, so the game sees a
// finished wait's outcome in the same frame.
class TickingProgram : public EngProgram {
 public:
  bool TickCB() override {
    ++ticks;
    return true;
  }
  int ticks = 0;
};

TEST_F(EngJobTest, TheProgramsTickDeliversBeforeTheGameTicks) {
  TickingProgram program;
  int ticksAtDelivery = -1;
  EngJobStart("tick", [] {}, [&] { ticksAtDelivery = program.ticks; });
  const auto until = std::chrono::steady_clock::now() + 5s;
  while (ticksAtDelivery < 0 && std::chrono::steady_clock::now() < until) {
    program.DoTick();
    std::this_thread::sleep_for(1ms);
  }
  ASSERT_GE(ticksAtDelivery, 0);
  EXPECT_EQ(program.ticks, ticksAtDelivery + 1);
}

}  // namespace
