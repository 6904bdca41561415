// GraphicsBench - frames per second of the graphics layer at 1024 x 768 on
// the GL device: an empty frame (clear, scene, present) and a frame of 1,000
// textured 2D quads, each drawn with its own bind as the engine's textures
// draw themselves. Needs an X display; meant for a Release build.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/EngDevice.h"
#include "tests/Bench/BenchStage.h"

namespace {

// One program, window and device for the whole run.
struct Stage {
  BenchProgram program;
  IDirect3DTexture9* texture = nullptr;
  std::vector<std::unique_ptr<EngVertexBufferDX9>> quads;
  bool ok = false;

  Stage() {
    if (!BenchOpenWindow(&program, "Graphics benchmark")) return;
    IDirect3DDevice9* device = EngDeviceDX9GetD3DDevice();
    if (device->CreateTexture(64, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr) != D3D_OK) return;
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const D3DCOLOR c = ((x / 8 + y / 8) % 2) ? 0xFFE0E0E0 : 0xC0304080;
        std::memcpy(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch + x * 4, &c, 4);
      }
    texture->UnlockRect(0);
    for (int i = 0; i < 1000; ++i) {
      auto quad = std::make_unique<EngVertexBufferDX9>();
      if (!quad->Create(EVBT_POS_TEX_2D, texture)) return;
      quad->SetPositionRect(static_cast<float>((i % 40) * 25), static_cast<float>((i / 40) * 30), 48.0f, 48.0f);
      quads.push_back(std::move(quad));
    }
    ok = true;
  }

  ~Stage() {
    quads.clear();
    if (texture) texture->Release();
    program.Shutdown();
  }

  void Frame(bool drawQuads) {
    BenchFrame([this, drawQuads](EngDevice* device) {
      if (!drawQuads) return;
      device->PrepareFor2D(true);
      device->EnableBlendingType(0);
      for (auto& quad : quads) quad->Draw();
      device->DisableBlending();
      device->RestoreAfter2D();
    });
  }
};

Stage* TheStage() {
  static Stage stage;
  return &stage;
}

void Run(benchmark::State& state, bool drawQuads) {
  Stage* stage = TheStage();
  if (!BenchStageReady(state, stage->ok)) return;
  for (auto _ : state) stage->Frame(drawQuads);
  BenchCountFrames(state);
}

void BM_EmptyFrame(benchmark::State& state) { Run(state, false); }
void BM_ThousandTexturedQuads(benchmark::State& state) { Run(state, true); }

BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ThousandTexturedQuads)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
