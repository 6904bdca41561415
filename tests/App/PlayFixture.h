// PlayFixture.h - the extras of play (effects, splash, main module,
// tutorial) on a headless window with the recording device at 1024 x 768,
// the build's data and English texts, and the engine's clock and frame time
// driven by the test.
#pragma once

#include <filesystem>

#include "Engine/EngLanguages.h"
#include "Engine/EngProgram.h"
#include "Shell/Shell.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Support/GraphicsTestSupport.h"

class PlayFixture : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Start(1024, 768);
    // The data and texts are the build's.
    std::filesystem::current_path(CARDOLIA_BUILD_DIR);
    ASSERT_TRUE(EngLanguagesInit("./Languages", "English"));
    g_UserRecord = UserRecord{};
    g_UserOptions = UserOptions{};
    GameShellResetForTests();
    SetTime(100.0);
    EngProgramSetFrameTimeForTests(1.0f / 60.0f);
    ClearLog();
  }
  void TearDown() override {
    EngLanguagesRelease();
    GameShellResetForTests();
    GraphicsTest::TearDown();
  }

  void SetTime(double seconds) {
    now_ = seconds;
    EngProgramSetCurrentTimeForTests(now_);
  }
  // Moves the clock on by seconds in frames of frame seconds, calling step
  // after each frame.
  template <typename Step>
  void Run(double seconds, float frame, Step step) {
    EngProgramSetFrameTimeForTests(frame);
    for (double t = 0; t < seconds - 1e-9; t += frame) {
      SetTime(now_ + frame);
      step();
    }
  }

  double now_ = 0;
};
