// MediaBench - the meshes and particles at 1024 x 768 on the GL device:
// loading the deck-side model (the mesh alone, and through EngXfile with
// three small pictures for its materials), and a frame with 13 foundation
// bursts of 50 particles each updated and drawn, beside an empty frame.
// Needs an X display; meant for a Release build.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/EngParticles.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "Engine/EngXfile.h"
#include "Platform/D3DXMesh.h"
#include "tests/Bench/BenchStage.h"

namespace {

const char* const kDeckSide = CARDOLIA_BUILD_DIR "/Data/Deck/0180.dat";
const char* const kStar = CARDOLIA_BUILD_DIR "/Data/Main/0153.dat";
constexpr int kBursts = 13;
constexpr int kParticles = 50;

const char* SmallPicture(EngXfile*, int, const char*, const char*) { return "bench-picture.tga"; }

struct Stage {
  BenchProgram program;
  EngTexture star;
  EngParticleSystem bursts[kBursts]{};
  float age = 0.1f;
  bool ok = false;

  Stage() {
    if (!BenchOpenWindow(&program, "Media benchmark")) return;
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    EngTga picture;
    if (!picture.CreateWithColour(16, 16, 32, 0.9f, 0.9f, 0.9f, 1) || !picture.SaveToFile("bench-picture.tga")) return;
    if (!star.LoadFromFile(kStar, 1, 4) || !EngParticleSystemCreateGraphics()) return;
    EngDevice* device = EngDeviceGetCurrent();
    device->SetPerspectiveFieldOfView(30.0f, false);
    device->SetPerspectiveAspect(1024.0f / 768.0f, true);
    const float eye[3] = {0, -27, 107}, target[3] = {0, 0, 6};
    device->SetViewLookAt(eye, target);
    // Thirteen bursts as the foundation effect makes them, living on.
    EngParticleSystemParams p{};
    p.emissionMode = kEngParticlesFirstEmission;
    p.firstEmission = kParticles;
    p.emissionRate = 16;
    p.texture = &star;
    p.lifeMin = p.lifeMax = 1000.0f;
    p.startAlpha = 1;
    p.endAlpha = 0.5f;
    p.startSize = 0.28f;
    p.endSize = 0.1f;
    p.spreadFactor = 1.2871f;
    p.shapeMin = -0.5f;
    p.shapeMax = 0.5f;
    p.shape = 3;
    p.speed = 0.05f;
    p.directionCone = 180;
    p.speedScale = {-1, 1, -1, 1, 0, 0};
    p.depthTest = 1;
    for (EngParticleSystem& burst : bursts) {
      if (!EngParticleSystemCreate(kParticles, &p, false, &burst)) return;
      EngParticleSystemUpdate(&burst, age, true);
    }
    ok = true;
  }

  ~Stage() {
    for (EngParticleSystem& burst : bursts) EngParticleSystemRelease(&burst);
    EngParticleSystemDestroyGraphics();
    star.Release();
    std::filesystem::remove("bench-picture.tga");
    program.Shutdown();
  }

  void Frame(bool withBursts) {
    BenchFrame([this, withBursts](EngDevice* device) {
      if (!withBursts) return;
      age += 2.0f / 60.0f;  // the foundation effects run at twice real time
      for (int i = 0; i < kBursts; ++i) {
        EngParticleSystemUpdate(&bursts[i], age, false);
        device->PushTransformMatrix();
        device->SetWorldTranslationAndScale(static_cast<float>(i % 7) * 9.0f - 27.0f, i < 7 ? 10.0f : -10.0f, 0.5f,
                                            8.12f, 12.18f, 1);
        EngParticleSystemRender(&bursts[i]);
        device->PopTransformMatrix();
      }
    });
  }
};

Stage* TheStage() {
  static Stage stage;
  return &stage;
}

void BM_EmptyFrame(benchmark::State& state) {
  Stage* stage = TheStage();
  if (!BenchStageReady(state, stage->ok)) return;
  for (auto _ : state) stage->Frame(false);
  BenchCountFrames(state);
}

void BM_ThirteenBurstsOfFifty(benchmark::State& state) {
  Stage* stage = TheStage();
  if (!BenchStageReady(state, stage->ok)) return;
  for (auto _ : state) stage->Frame(true);
  BenchCountFrames(state);
}

void BM_LoadDeckSideMesh(benchmark::State& state) {
  Stage* stage = TheStage();
  if (!BenchStageReady(state, stage->ok)) return;
  IDirect3DDevice9* device = EngDeviceDX9GetD3DDevice();
  for (auto _ : state) {
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    ID3DXBuffer* adjacency = nullptr;
    DWORD count = 0;
    if (D3DXLoadMeshFromX(kDeckSide, D3DXMESH_SYSTEMMEM, device, &adjacency, &materials, nullptr, &count, &mesh) != D3D_OK) {
      state.SkipWithError("the deck-side model did not load");
      return;
    }
    mesh->Release();
    materials->Release();
    adjacency->Release();
  }
}

void BM_LoadDeckSideModel(benchmark::State& state) {
  Stage* stage = TheStage();
  if (!BenchStageReady(state, stage->ok)) return;
  for (auto _ : state) {
    EngXfile model;
    if (!model.LoadFromFile(nullptr, kDeckSide, 0.028f, 0.043f, 0.01f, nullptr, 0, 0, SmallPicture)) {
      state.SkipWithError("the deck-side model did not load");
      return;
    }
  }
}

BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ThirteenBurstsOfFifty)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_LoadDeckSideMesh)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_LoadDeckSideModel)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
