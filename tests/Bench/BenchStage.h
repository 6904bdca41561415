// BenchStage.h - what the graphics benchmarks share: a program object with
// a 1024 x 768 window and its GL device for the whole run, the frame around
// a benchmark's drawing, and the refusal when there is no display.
#pragma once

#include <benchmark/benchmark.h>

#include "Engine/EngDevice.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"

class BenchProgram : public EngProgram {};

// Init, a 1024 x 768 window with the given title, and its device. False
// when any step fails (no X display, no GL).
inline bool BenchOpenWindow(BenchProgram* program, const char* title) {
  program->Init(nullptr, "");
  EngResModesGetModesAvailable();
  EngWindowSettings settings;
  settings.width = 1024;
  settings.height = 768;
  return program->CreateMainWindow(title, settings, nullptr) && program->GetWindow()->CreateGraphicsDevice();
}

// One frame: clear to the table's green, draw(device) inside a scene,
// present.
template <class Draw>
void BenchFrame(Draw draw) {
  EngDevice* device = EngDeviceGetCurrent();
  device->SetClearColour(0.2f, 0.4f, 0.3f);
  device->ClearScreenAndDepth();
  if (device->BeginRendering()) {
    draw(device);
    device->EndRendering();
  }
  device->SwapBuffers();
}

// False, with the benchmark skipped, when the stage could not be set up.
inline bool BenchStageReady(benchmark::State& state, bool ok) {
  if (!ok) state.SkipWithError("no window or device (is there an X display?)");
  return ok;
}

// Frames a second over the loop just run (one frame an iteration).
inline void BenchCountFrames(benchmark::State& state) {
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
