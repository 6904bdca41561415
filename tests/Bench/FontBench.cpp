// FontBench - the cost of the main font on the GL device at 1024 x 768:
// creating it (characters 32-245, two channels, size 32: FreeType renders
// every glyph, the sheets are packed and uploaded) and drawing 2,000
// characters a frame (40 lines of 50, each character one quad draw). Needs
// an X display; meant for a Release build:
//   xvfb-run -a -s "-screen 0 1280x1024x24" <build>/tests/Bench/FontBench
#include <benchmark/benchmark.h>

#include <string>

#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "tests/Bench/BenchStage.h"

namespace {

// The game's main font and its creation parameters.
const char* const kMainFont = CARDOLIA_BUILD_DIR "/Data/Main/0100.dat";

bool CreateMainFont(EngFont* font) {
  return font->Create(kMainFont, 1, 32, 32, 245, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true);
}

// One program, window and device for the whole run.
struct Stage {
  BenchProgram program;
  EngFont font;
  std::string lines[40];
  bool ok = false;

  Stage() {
    if (!BenchOpenWindow(&program, "Font benchmark")) return;
    if (!CreateMainFont(&font)) return;
    font.SetColour(1, 1, 1, 1);
    // 50 characters a line from the whole created range.
    for (int line = 0; line < 40; ++line) {
      for (int i = 0; i < 50; ++i) lines[line].push_back(static_cast<char>(33 + (line * 50 + i) % 213));
    }
    ok = true;
  }

  ~Stage() {
    font.Release();
    program.Shutdown();
  }

  void Frame() {
    BenchFrame([this](EngDevice*) {
      EngFontPrepareForDrawing(1);
      for (int line = 0; line < 40; ++line) {
        font.DrawString(4.0f, 4.0f + 11.5f * static_cast<float>(line), lines[line].c_str(), 0, 0);
      }
      EngFontRestoreAfterDrawing();
    });
  }
};

Stage* TheStage() {
  static Stage stage;
  return &stage;
}

void BM_CreateMainFont(benchmark::State& state) {
  if (!BenchStageReady(state, TheStage()->ok)) return;
  for (auto _ : state) {
    EngFont font;
    if (!CreateMainFont(&font)) {
      state.SkipWithError("the main font could not be created");
      return;
    }
    font.Release();
  }
}

void BM_Draw2000Characters(benchmark::State& state) {
  Stage* stage = TheStage();
  if (!BenchStageReady(state, stage->ok)) return;
  for (auto _ : state) stage->Frame();
  BenchCountFrames(state);
  state.counters["chars/s"] =
      benchmark::Counter(2000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_CreateMainFont)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_Draw2000Characters)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
