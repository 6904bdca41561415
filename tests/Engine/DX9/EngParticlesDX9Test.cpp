// Particle drawing on the recording device: corners, texture coordinates
// and colours per corner order and blending kind (colours clamped before
// they are packed), the render state set and restored around a system, the
// spin, the texture, and the shared buffer's life with the device.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngParticles.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

constexpr float kPi = 3.14159265f;

struct Vertex {
  float x, y, z;
  DWORD colour;
  float u, v;
};

class EngParticlesDX9Test : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Start();
    ASSERT_TRUE(EngParticleSystemCreateGraphics());
    ClearLog();
  }
  void TearDown() override {
    EngParticleSystemRelease(&system_);
    EngParticleSystemDestroyGraphics();
    GraphicsTest::TearDown();
  }

  // count particles at (1, 2, 3), size 2, alpha 0.5, colour (1, 0.5, 0).
  void MakeSystem(int count, EngParticleSystemParams p = {}) {
    p.emissionMode = kEngParticlesUpdateAndEmit;
    p.firstEmission = count;
    p.lifeMin = p.lifeMax = 100;
    p.spreadFactor = 1;
    p.shape = 99;
    p.emitter[0] = 1, p.emitter[1] = 2, p.emitter[2] = 3;
    ASSERT_TRUE(EngParticleSystemCreate(count, &p, true, &system_));
    EngParticleSystemUpdate(&system_, 0.1f, true);
    for (int i = 0; i < count; ++i) {
      EngParticle& q = system_.particles[i];
      q.size = 2;
      q.alpha = 0.5f;
      q.colour[0] = 1, q.colour[1] = 0.5f, q.colour[2] = 0;
    }
  }
  // The four vertices the last draw used.
  std::vector<Vertex> Drawn() {
    std::vector<Vertex> out(4);
    void* data = nullptr;
    if (!Rec().stream || Rec().stream->Lock(0, 0, &data, D3DLOCK_READONLY) != D3D_OK) return {};
    std::memcpy(out.data(), data, sizeof(Vertex) * 4);
    Rec().stream->Unlock();
    return out;
  }

  EngParticleSystem system_{};
};

TEST_F(EngParticlesDX9Test, CornersAndTextureCoordinatesFollowTheDepthFlag) {
  const struct {
    std::uint8_t depthTest;
    float corners[4][4];  // x, y, u, v in strip order
  } cases[] = {
      {1, {{0, 3, 1, 0}, {2, 3, 0, 0}, {0, 1, 1, 1}, {2, 1, 0, 1}}},
      {0, {{0, 3, 1, 0}, {0, 1, 1, 1}, {2, 3, 0, 0}, {2, 1, 0, 1}}},
  };
  for (const auto& c : cases) {
    EngParticleSystemParams p{};
    p.depthTest = c.depthTest;
    MakeSystem(1, p);
    Rec().Clear();
    EngParticleSystemRender(&system_);
    EXPECT_EQ(Rec().Count("SetFVF(0x142)"), 1);
    EXPECT_EQ(Rec().Count("SetStreamSource(0, vb, 0, 24)"), 1);
    EXPECT_EQ(Rec().Count("DrawPrimitive(5, 0, 2)"), 1);
    const std::vector<Vertex> v = Drawn();
    ASSERT_EQ(v.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      EXPECT_FLOAT_EQ(v[i].x, c.corners[i][0]) << int(c.depthTest) << " corner " << i;
      EXPECT_FLOAT_EQ(v[i].y, c.corners[i][1]) << int(c.depthTest) << " corner " << i;
      EXPECT_FLOAT_EQ(v[i].z, 3.0f);
      EXPECT_FLOAT_EQ(v[i].u, c.corners[i][2]) << int(c.depthTest) << " corner " << i;
      EXPECT_FLOAT_EQ(v[i].v, c.corners[i][3]) << int(c.depthTest) << " corner " << i;
    }
  }
}

TEST_F(EngParticlesDX9Test, ColoursByKindAreClampedBeforeTheyArePacked) {
  const struct {
    const char* what;
    std::uint8_t kind, colourMode;
    float alpha;
    bool fadingIn;
    DWORD colour;
  } cases[] = {
      {"white", 0, 0, 0.5f, false, 0x7FFFFFFFu},
      {"own colour", 4, 1, 0.5f, false, 0x7FFF7F00u},
      {"premultiplied", 1, 0, 0.5f, false, 0x7F7F3F00u},
      {"fade-in past 1", 0, 0, 1.5f, true, 0xFFFFFFFFu},
      {"alpha past 1", 4, 1, 1.5f, false, 0xFFFF7F00u},
      {"negative alpha", 4, 1, -0.25f, false, 0x00FF7F00u},
      {"premultiplied negative", 1, 0, -0.25f, false, 0x00000000u},
  };
  for (const auto& c : cases) {
    EngParticleSystemParams p{};
    p.blendingKind = c.kind;
    p.colourMode = c.colourMode;
    MakeSystem(1, p);
    EngParticle& q = system_.particles[0];
    q.fadingIn = c.fadingIn;
    (c.fadingIn ? q.fadeInTime : q.alpha) = c.alpha;
    EngParticleSystemRender(&system_);
    const std::vector<Vertex> v = Drawn();
    ASSERT_EQ(v.size(), 4u);
    for (const Vertex& corner : v) EXPECT_EQ(corner.colour, c.colour) << c.what << std::hex << " " << corner.colour;
    EXPECT_EQ(q.displayedAlpha, c.alpha);
  }
}

TEST_F(EngParticlesDX9Test, RenderStateIsSetByKindAndRestored) {
  const struct {
    std::uint8_t kind;
    DWORD source, destination;
  } kinds[] = {
      {0, D3DBLEND_SRCALPHA, D3DBLEND_ONE},         {1, D3DBLEND_DESTCOLOR, D3DBLEND_ONE},
      {2, D3DBLEND_INVDESTCOLOR, D3DBLEND_SRCCOLOR}, {3, D3DBLEND_ZERO, D3DBLEND_INVSRCCOLOR},
      {4, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA}, {5, D3DBLEND_SRCALPHASAT, D3DBLEND_INVSRCALPHA},
  };
  for (const auto& k : kinds) {
    EngParticleSystemParams p{};
    p.blendingKind = k.kind;
    p.twoSided = 1;
    MakeSystem(3, p);
    Rec().Clear();
    EngParticleSystemRender(&system_);
    const int draw = Rec().Find("DrawPrimitive(5, 0, 2)");
    ASSERT_GE(draw, 0);
    // Before the draws: blending on with the kind's factors, no depth test,
    // no lighting, both sides; one draw a particle.
    EXPECT_LT(Rec().Find("SetRenderState(" + std::to_string(D3DRS_SRCBLEND) + ", " + std::to_string(k.source) + ")"), draw);
    EXPECT_EQ(Rec().Count("DrawPrimitive(5, 0, 2)"), 3);
    EXPECT_LT(Rec().Find("SetRenderState(7, 0)"), draw);    // ZENABLE off
    EXPECT_LT(Rec().Find("SetRenderState(137, 0)"), draw);  // LIGHTING off
    EXPECT_LT(Rec().Find("SetRenderState(22, 1)"), draw);   // CULLMODE none
    // After: everything as it was.
    EXPECT_EQ(Rec().renderStates[D3DRS_DESTBLEND], k.destination);
    EXPECT_EQ(Rec().renderStates[D3DRS_ALPHABLENDENABLE], 0u);
    EXPECT_EQ(Rec().renderStates[D3DRS_ZENABLE], 1u);
    EXPECT_EQ(Rec().renderStates[D3DRS_LIGHTING], 1u);
    EXPECT_EQ(Rec().renderStates[D3DRS_CULLMODE], static_cast<DWORD>(D3DCULL_CCW));
  }
  // A kind outside the table is the device's to refuse.
  EngParticleSystemParams p{};
  p.blendingKind = 6;
  p.depthTest = 1;
  MakeSystem(1, p);
  Rec().Clear();
  EngParticleSystemRender(&system_);
  EXPECT_TRUE(LogContains("Invalid Blending Type 99"));
  EXPECT_EQ(Rec().Find("SetRenderState(7, 0)"), -1);  // the depth test stays on
}

TEST_F(EngParticlesDX9Test, SpinTurnsTheCornersAboutTheCentre) {
  EngParticleSystemParams p{};
  p.spin = {0, 0, 0, 0, kPi / 2, kPi / 2};  // roll a quarter turn a second
  p.depthTest = 1;
  MakeSystem(1, p);
  system_.particles[0].age = 1;
  EngParticleSystemRender(&system_);
  const std::vector<Vertex> v = Drawn();
  ASSERT_EQ(v.size(), 4u);
  // The left top corner (0, 3) turns a quarter about (1, 2) to (0, 1).
  EXPECT_NEAR(v[0].x, 0.0f, 1e-5f);
  EXPECT_NEAR(v[0].y, 1.0f, 1e-5f);
  EXPECT_FLOAT_EQ(v[0].u, 1.0f);  // coordinates stay with their corner
}

TEST_F(EngParticlesDX9Test, TextureIsBoundForTheSystemOnly) {
  EngTga picture;
  ASSERT_TRUE(picture.CreateWithColour(8, 8, 32, 1, 1, 1, 1));
  ASSERT_TRUE(picture.SaveToFile("star.tga"));
  EngTexture star;
  ASSERT_TRUE(star.LoadFromFile("star.tga", 1, 4));
  EngParticleSystemParams p{};
  p.texture = &star;
  MakeSystem(2, p);
  Rec().Clear();
  EngParticleSystemRender(&system_);
  const int bound = Rec().Find("SetTexture(0, tex)");
  ASSERT_GE(bound, 0);
  EXPECT_LT(bound, Rec().Find("DrawPrimitive(5, 0, 2)"));
  EXPECT_GT(Rec().Find("SetTexture(0, null)"), Rec().Find("DrawPrimitive(5, 0, 2)"));
  system_.params.texture = nullptr;
  EngParticleSystemRelease(&system_);
}

TEST_F(EngParticlesDX9Test, SharedBufferLivesAndDiesWithItsDevice) {
  MakeSystem(1);
  const int withBuffer = D3D9LiveResourceCount();
  EngParticleSystemDestroyGraphics();
  EXPECT_EQ(D3D9LiveResourceCount(), withBuffer - 1);
  Rec().Clear();
  EngParticleSystemRender(&system_);
  EXPECT_TRUE(LogContains("No vertex buffer - need to add EngParticleSystem[Create/Destroy]Graphics() calls."));
  EXPECT_EQ(Rec().CountPrefix("DrawPrimitive"), 0);

  // A device destroyed with the buffer still made takes the buffer with it.
  ASSERT_TRUE(EngParticleSystemCreateGraphics());
  ClearLog();
  Window()->DestroyGraphicsDevice();
  EXPECT_FALSE(LogContains("Graphics objects not released"));
  EXPECT_FALSE(EngParticleSystemCreateGraphics());  // no device
  ASSERT_TRUE(Window()->CreateGraphicsDevice());
  ASSERT_TRUE(EngParticleSystemCreateGraphics());
  Rec().Clear();
  EngParticleSystemRender(&system_);
  EXPECT_EQ(Rec().Count("DrawPrimitive(5, 0, 2)"), 1);
}

}  // namespace
