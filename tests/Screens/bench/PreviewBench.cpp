// PreviewBench - the cost of the Options screen's table preview on the GL
// device (Mesa under Xvfb here): a main-menu frame with the Cameras page
// (4) or the Lights page (5) open, which draws the table again into the
// page's frame every frame, beside a frame of the dealt Klondike table the
// preview shows. Each frame is a tick and a render, waited for until the
// GPU has drawn it (the present left out). Needs an X display; meant for a
// Release build.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinManager.h"
#include "Shell/Shell.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "Screens/Options.h"
#include "Screens/Screens.h"
#include "tests/Support/GameHarness.h"

// The harness resets the application shell's stand-in imports; the real
// screens answer them here.
void AppImportsResetForTests() {}

namespace {

namespace fs = std::filesystem;

fs::path BenchRoot() {
  return fs::temp_directory_path() / ("cardolia-preview-bench-" + std::to_string(getpid()));
}

// One program for the run, in the main menu with a saved Klondike game (so
// the preview has the player's table to show).
std::unique_ptr<GameHarness> g_program;
bool g_tried = false;

GameHarness* Program() {
  if (!g_tried) {
    g_tried = true;
    const fs::path folder = BenchRoot() / "program";
    fs::create_directories(folder);
    auto h = std::make_unique<GameHarness>(folder.string());
    if (GameHarness::HaveDisplay() && h->Start(1024, 768)) g_program = std::move(h);
  }
  return g_program.get();
}

void Frames(benchmark::State& state) {
  glFinish();
  for (auto _ : state) {
    GameTickCB();
    GameRenderCB();
    glFinish();
  }
}

void BM_OptionsPreviewFrame(benchmark::State& state) {
  GameHarness* h = Program();
  if (!h) {
    state.SkipWithError("no program (no X display?)");
    return;
  }
  if (g_MWin.IsOn()) ScreensStopCurrent(1);
  GameSetProgramMode(kGameModeMainMenu);
  g_UserRecord.optionsPage = static_cast<std::uint8_t>(state.range(0));
  ScreensStart(g_ScreenOptions);
  if (ScreensGetCurrent() != g_ScreenOptions) {
    state.SkipWithError("no Options screen");
    return;
  }
  h->Frame();
  Frames(state);
}
BENCHMARK(BM_OptionsPreviewFrame)->Arg(kOptionsCameras)->Arg(kOptionsLights)->Unit(benchmark::kMillisecond);

void BM_KlondikeTableFrame(benchmark::State& state) {
  GameHarness* h = Program();
  if (!h) {
    state.SkipWithError("no program (no X display?)");
    return;
  }
  if (g_MWin.IsOn()) ScreensStopCurrent(1);
  if (!h->Deal(kGameKlondike, 1234)) {
    state.SkipWithError("no deal");
    return;
  }
  Frames(state);
}
BENCHMARK(BM_KlondikeTableFrame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  g_program.reset();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::current_path(fs::temp_directory_path(), ignored);
  fs::remove_all(BenchRoot(), ignored);
  return 0;
}
