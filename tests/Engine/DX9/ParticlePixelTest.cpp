// Particles on the GL device (Mesa under Xvfb) under a table camera: which
// corner orders survive the default culling, and a burst of the foundation
// effect's picture over the lit deck-side box on a table, saved as a
// picture. Runs on an X server of its own.
#include <cstring>

#include <gtest/gtest.h>

#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/EngLights.h"
#include "Engine/EngParticles.h"
#include "Engine/EngRand.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "Engine/EngXfile.h"
#include "tests/Engine/DX9/ScenePixelTest.h"

namespace {

const char* const kDeckSide = CARDOLIA_BUILD_DIR "/Data/Deck/0180.dat";
const char* const kStar = CARDOLIA_BUILD_DIR "/Data/Main/0153.dat";

class ParticlePixelTest : public ScenePixelTest {
 protected:
  void SetUp() override {
    ScenePixelTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(EngParticleSystemCreateGraphics());
    EngRandCrtSeed(2024);
  }
  void TearDown() override {
    EngParticleSystemRelease(&system_);
    EngParticleSystemDestroyGraphics();
    ScenePixelTest::TearDown();
  }
  EngParticleSystem system_{};
};

int Brightness(std::uint32_t rgb) { return static_cast<int>(((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF)); }

TEST_F(ParticlePixelTest, CornerOrdersUnderTheTableCamera) {
  // One big white particle at the origin, seen from above the table.
  const struct {
    std::uint8_t depthTest, twoSided;
    bool visible;
  } cases[] = {{1, 0, true}, {0, 0, false}, {0, 1, true}, {1, 1, true}};
  Camera(-1, 120);
  for (const auto& c : cases) {
    EngParticleSystemParams p{};
    p.emissionMode = kEngParticlesFirstEmission;
    p.firstEmission = 1;
    p.lifeMin = p.lifeMax = 10;
    p.startAlpha = p.endAlpha = 1;
    p.startSize = p.endSize = 40;
    p.spreadFactor = 1;
    p.shape = 99;
    p.blendingKind = 4;
    p.depthTest = c.depthTest;
    p.twoSided = c.twoSided;
    ASSERT_TRUE(EngParticleSystemCreate(1, &p, true, &system_));
    EngParticleSystemUpdate(&system_, 0.1f, true);
    BeginFrame();
    Device()->SetWorldMatrixToIdentity();
    EngParticleSystemRender(&system_);
    Device()->EndRendering();
    const int brightness = Brightness(PixelAt(0, 0, 0));
    EXPECT_EQ(brightness > 600, c.visible) << "depth " << int(c.depthTest) << " two-sided " << int(c.twoSided);
  }
}

// A table, a pile drawn as the lit deck-side box, and a burst above it.
class TableScene {
 public:
  bool Make() {
    // The side picture: the edges of stacked cards; the top: a blank card.
    EngTga side, top;
    if (!side.CreateWithColour(16, 64, 32, 0.93f, 0.91f, 0.86f, 1) || !top.CreateWithColour(32, 32, 32, 0.97f, 0.97f, 0.95f, 1))
      return false;
    for (int y = 0; y < 64; y += 3) side.SetDataPartColour(0, y, 16, 1, 0.55f, 0.53f, 0.5f, 1);
    if (!side.SaveToFile("side.tga") || !top.SaveToFile("top.tga")) return false;
    if (!box_.LoadFromFile(nullptr, kDeckSide, 0.029f, 0.0435f, 0.01f, nullptr, 0, 0, Pictures)) return false;
    if (!felt_.Create(EVBT_POS_NORM_COL_TEX, nullptr)) return false;
    const float a[3] = {-40, 30, 0}, b[3] = {40, -30, 0};
    felt_.SetPositions3D(0, a, b);
    felt_.SetColour(0.12f, 0.42f, 0.2f, 1);
    return star_.LoadFromFile(kStar, 1, 4);
  }
  // The pile is 52 cards of depth 0.05.
  static constexpr float kPileHeight = 2.6f;

  void Draw(EngParticleSystem* burst) {
    EngDeviceDX9* device = EngDeviceDX9GetCurrent();
    device->SetWorldMatrixToIdentity();
    felt_.Draw();
    // The box is stretched to the pile's height: its normals need making
    // whole again, or the stretch darkens its top.
    D3DXMATRIX pile;
    D3DXMatrixScaling(&pile, 1, 1, kPileHeight);
    device->SetWorldMatrixToDxMatrix(&pile);
    EngDeviceDX9GetD3DDevice()->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    box_.Draw();
    EngDeviceDX9GetD3DDevice()->SetRenderState(D3DRS_NORMALIZENORMALS, FALSE);
    if (!burst) return;
    // As the foundation effects draw a burst: at the pile, scaled to 1.4
    // card widths and heights.
    device->SetWorldTranslationAndScale(0, 0, kPileHeight + 0.05f, 5.8f * 1.4f, 8.7f * 1.4f, 1);
    EngParticleSystemRender(burst);
    device->SetWorldMatrixToIdentity();
  }
  EngTexture* Star() { return &star_; }

 private:
  static const char* Pictures(EngXfile*, int, const char*, const char* textureFile) {
    if (std::strcmp(textureFile, "DeckSide.bmp") == 0) return "side.tga";
    return "top.tga";
  }
  EngXfile box_;
  EngVertexBufferDX9 felt_;
  EngTexture star_;
};

TEST_F(ParticlePixelTest, BurstOverTheLitDeckSide) {
  TableScene scene;
  ASSERT_TRUE(scene.Make());
  Camera(-15, 22);
  EngLightsSetAmbient(0.12f, 0.12f, 0.12f);
  EngLightsUsePointLightSystem();
  EngLightsSetPointLightAttributes(0, 1, 1, 0.95f, 0, 0, 0, 0, 0, 0, 6, -10, 60, 1, 0, 0, 400);

  BeginFrame();
  scene.Draw(nullptr);
  Device()->EndRendering();
  const std::uint32_t topWithout = PixelAt(0, 0, TableScene::kPileHeight);
  EXPECT_GT(Brightness(topWithout), 500) << std::hex << topWithout;  // a lit, near-white top
  EXPECT_GT((PixelAt(-12, 8, 0) >> 8) & 0xFF, 60u);                  // green felt

  // A burst as the foundation effect makes one: 50 stars from the card's
  // outline flying out in every direction, fading as they go.
  EngParticleSystemParams p{};
  p.emissionMode = kEngParticlesFirstEmission;
  p.firstEmission = 50;
  p.emissionRate = 16;
  p.texture = scene.Star();
  p.blendingKind = 0;
  p.lifeMin = p.lifeMax = 1.414844f;
  p.startAlpha = 1;
  p.endAlpha = 0;
  p.startSize = 0.28f;
  p.endSize = 0.1f;
  p.spreadFactor = 1.2871f;
  p.shapeMin = -0.5f;
  p.shapeMax = 0.5f;
  p.shape = 3;
  p.speed = 0.5f;
  p.directionCone = 180;
  p.speedScale = {-1, 1, -1, 1, 0, 0};
  p.depthTest = 1;
  ASSERT_TRUE(EngParticleSystemCreate(50, &p, false, &system_));
  EngParticleSystemUpdate(&system_, 0.1f, true);
  EngParticleSystemUpdate(&system_, 0.35f, false);
  BeginFrame();
  scene.Draw(&system_);
  Device()->EndRendering();
  SavePicture("deck-side-burst.png");
  // The stars brighten the scene around the pile's edge.
  int brighter = 0;
  for (int i = 0; i < 50; ++i) {
    const float* q = system_.particles[i].position;
    const std::uint32_t at = PixelAt(q[0] * 5.8f * 1.4f, q[1] * 8.7f * 1.4f, TableScene::kPileHeight);
    brighter += Brightness(at) > 600 ? 1 : 0;
  }
  EXPECT_GE(brighter, 25);
}

}  // namespace
