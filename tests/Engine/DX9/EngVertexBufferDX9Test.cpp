// Tests of the quad and the triangle list on the recording device: layouts,
// geometry, colour packing, the setters' caching and refusals, and draws.
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/EngColour.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTriangleList.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

class QuadTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Start(640, 480);
  }

  // The bytes of vertex v of a quad.
  static const BYTE* Vertex(EngVertexBufferDX9& quad, int v) {
    void* data = nullptr;
    quad.GetBuffer()->Lock(0, 0, &data, 0);
    quad.GetBuffer()->Unlock();
    return static_cast<const BYTE*>(data) + v * quad.GetStride();
  }
  static float Float(const BYTE* at, int offset) {
    float f;
    std::memcpy(&f, at + offset, 4);
    return f;
  }
  static DWORD Word(const BYTE* at, int offset) {
    DWORD w;
    std::memcpy(&w, at + offset, 4);
    return w;
  }
};

}  // namespace

TEST_F(QuadTest, EveryLayoutHasItsStrideAndFormat) {
  const struct {
    int type;
    UINT stride;
    DWORD fvf;
  } table[] = {{1, 20, 0x102}, {2, 32, 0x112}, {3, 24, 0x142}, {4, 36, 0x152}, {5, 40, 0x1D2},
               {6, 16, 0x42},  {7, 24, 0x104}, {8, 28, 0x144}, {9, 20, 0x44}};
  for (const auto& row : table) {
    SCOPED_TRACE(row.type);
    EngVertexBufferDX9 quad;
    ASSERT_TRUE(quad.Create(row.type, nullptr));
    EXPECT_EQ(quad.GetStride(), row.stride);
    EXPECT_EQ(quad.GetFvf(), row.fvf);
    D3DVERTEXBUFFER_DESC desc;
    quad.GetBuffer()->GetDesc(&desc);
    EXPECT_EQ(desc.Size, 4 * row.stride);
    EXPECT_EQ(desc.FVF, row.fvf);
  }
  EngVertexBufferDX9 bad;
  EXPECT_FALSE(bad.Create(10, nullptr));
  EXPECT_TRUE(LogContains("Invalid Type: 10"));
  EXPECT_EQ(D3D9LiveResourceCount(), 0);
}

TEST_F(QuadTest, CreationDefaultsAndRecreation) {
  EngVertexBufferDX9 quad;
  ASSERT_TRUE(quad.Create(EVBT_POS_NORM_COL_TEX, nullptr));
  const BYTE* v1 = Vertex(quad, 1);
  EXPECT_EQ(Float(v1, 12 + 8), -1.0f);      // normal (0, 0, -1)
  EXPECT_EQ(Word(v1, 24), 0xFFFFFFFFu);    // white
  EXPECT_EQ(Float(v1, 28), 0.0f);          // u of the left-top vertex
  EXPECT_EQ(Float(v1, 32), 0.0f);          // v
  EXPECT_EQ(Float(Vertex(quad, 2), 28), 1.0f);
  ASSERT_TRUE(quad.Create(EVBT_POS_TEX, nullptr));
  EXPECT_TRUE(LogContains("Warning - Already created"));
  EXPECT_EQ(D3D9LiveResourceCount(), 1);
}

TEST_F(QuadTest, TwoDQuadsAreOutsetHalfAPixelAndThreeDQuadsGrowUp) {
  EngVertexBufferDX9 flat, solid;
  ASSERT_TRUE(flat.Create(EVBT_POS_COL_2D, nullptr));
  ASSERT_TRUE(solid.Create(EVBT_POS_TEX, nullptr));
  flat.SetPositionRect(0.0f, 0.0f, 640.0f, 480.0f);
  solid.SetPositionRect(10.0f, 20.0f, 30.0f, 40.0f);
  const float flatCorners[4][4] = {{-0.5f, 480.5f, 0, 1}, {-0.5f, -0.5f, 0, 1}, {640.5f, 480.5f, 0, 1}, {640.5f, -0.5f, 0, 1}};
  const float solidCorners[4][3] = {{10, -60, 0}, {10, -20, 0}, {40, -60, 0}, {40, -20, 0}};
  for (int v = 0; v < 4; ++v) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Float(Vertex(flat, v), i * 4), flatCorners[v][i]) << v << "," << i;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Float(Vertex(solid, v), i * 4), solidCorners[v][i]) << v << "," << i;
  }
  // The same rectangle again writes nothing: scribble and check it stays.
  void* data = nullptr;
  flat.GetBuffer()->Lock(0, 0, &data, 0);
  static_cast<float*>(data)[0] = 99.0f;
  flat.GetBuffer()->Unlock();
  flat.SetPositionRect(0.0f, 0.0f, 640.0f, 480.0f);
  EXPECT_EQ(Float(Vertex(flat, 0), 0), 99.0f);
  // Ratioed positions follow the screen scale.
  EngWindowSetScreenMode(-1, 1280, 960, 0, 0);
  flat.SetPositionRatioed(10.0f, 10.0f, 20.0f, 20.0f);
  EXPECT_EQ(Float(Vertex(flat, 1), 0), 19.5f);
  EXPECT_EQ(Float(Vertex(flat, 2), 0), 60.5f);
}

TEST_F(QuadTest, ColoursPackClampedAndKeepTheRememberedColour) {
  struct Case {
    float r, g, b, a;
    DWORD word;
  };
  const Case cases[] = {
      {1.0f, 0.5f, 0.0f, 1.0f, 0xFFFF7F00u},
      {0.999f, 0.999f, 0.999f, 0.999f, 0xFEFEFEFEu},
      {1.2f, 1.0f, 1.0f, 1.0f, 0xFFFFFFFFu},  // not (1.2 x 255) & 0xFF = 50
      {0.2f, 0.4f, 0.6f, 2.0f, 0xFF336699u},
      {0.0f, 0.5f, 0.0f, NAN, 0x00007F00u},  // a NaN channel is 0, not an undefined conversion
  };
  EngVertexBufferDX9 quad;
  ASSERT_TRUE(quad.Create(EVBT_POS_COL_TEX_2D, nullptr));
  for (const Case& c : cases) {
    quad.SetColour(c.r, c.g, c.b, c.a);
    for (int v = 0; v < 4; ++v) EXPECT_EQ(Word(Vertex(quad, v), 16), c.word) << c.r;
  }
  // A negative channel keeps the remembered colour; alpha is the given one.
  EngVertexBufferDX9 fresh;
  ASSERT_TRUE(fresh.Create(EVBT_POS_COL_2D, nullptr));
  fresh.SetColour(-1.0f, -1.0f, -1.0f, 0.5f);
  EXPECT_EQ(Word(Vertex(fresh, 0), 16), 0x7FFFFFFFu);
  fresh.SetColour(0.0f, 1.0f, 0.0f, 1.0f);
  fresh.SetColour(-1.0f, 0.0f, 0.0f, 0.2f);
  EXPECT_EQ(Word(Vertex(fresh, 3), 16), 0x3300FF00u);
  // Corner 2 is the bottom-right vertex (2); bad corners change nothing.
  fresh.SetVertexColour(2, 1.0f, 0.0f, 0.0f, 1.0f);
  EXPECT_EQ(Word(Vertex(fresh, 2), 16), 0xFFFF0000u);
  EXPECT_EQ(Word(Vertex(fresh, 0), 16), 0x3300FF00u);
  fresh.SetVertexColour(4, 1.0f, 1.0f, 1.0f, 1.0f);
  fresh.SetVertexColour(0, 1.0f, -0.1f, 1.0f, 1.0f);
  EXPECT_EQ(Word(Vertex(fresh, 1), 16), 0x3300FF00u);
}

TEST_F(QuadTest, ThreeDCornersByPlaneAndTheirRefusalOnTwoDQuads) {
  EngVertexBufferDX9 quad;
  ASSERT_TRUE(quad.Create(EVBT_POS_TEX, nullptr));
  const float a[3] = {1, 2, 3}, b[3] = {4, 5, 6};
  const float expected[3][4][3] = {
      {{4, 2, 3}, {4, 5, 3}, {1, 2, 3}, {1, 5, 3}},
      {{4, 2, 3}, {4, 2, 6}, {1, 2, 3}, {1, 2, 6}},
      {{1, 5, 3}, {1, 5, 6}, {1, 2, 3}, {1, 2, 6}},
  };
  for (int plane = 0; plane < 3; ++plane) {
    quad.SetPositions3D(plane, a, b);
    for (int v = 0; v < 4; ++v)
      for (int i = 0; i < 3; ++i) EXPECT_EQ(Float(Vertex(quad, v), i * 4), expected[plane][v][i]) << plane;
  }
  EngVertexBufferDX9 flat;
  ASSERT_TRUE(flat.Create(EVBT_POS_COL_TEX_2D, nullptr));
  flat.SetPositionRect(1, 1, 2, 2);
  flat.SetPositions3D(0, a, b);
  EXPECT_TRUE(LogContains("Not supported for 2D Textures (2) (could be upgraded if needed)"));
  EXPECT_EQ(Float(Vertex(flat, 1), 0), 0.5f);
}

TEST_F(QuadTest, DrawBindsDrawsAStripAndUnbinds) {
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(EngDeviceDX9GetD3DDevice()->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
            D3D_OK);
  EngVertexBufferDX9 quad;
  ASSERT_TRUE(quad.Create(EVBT_POS_TEX_2D, texture));
  Rec().Clear();
  quad.Draw();
  EXPECT_EQ(Rec().log, CallNames({"SetTexture(0, tex)", "SetFVF(0x104)", "SetStreamSource(0, vb, 0, 24)",
                                  "DrawPrimitive(5, 0, 2)", "SetTexture(0, null)"}));
  quad.Destroy();
  texture->Release();
  EngVertexBufferDX9 none;
  none.Draw();
  EXPECT_TRUE(LogContains("Not setup"));
}

// ---- Triangle lists ------------------------------------------------------------------

TEST_F(QuadTest, TriangleListsCreateWithDefaultsAndRefuseBadInput) {
  EngTriangleList list;
  EXPECT_FALSE(list.Create(8, nullptr, 4));
  EXPECT_TRUE(LogContains("Invalid Type: 8"));
  EXPECT_FALSE(list.Create(7, nullptr, 0));
  EXPECT_TRUE(LogContains("Invalid num triangles"));
  ASSERT_TRUE(list.Create(6, nullptr, 5));
  D3DVERTEXBUFFER_DESC desc;
  list.GetBuffer()->GetDesc(&desc);
  EXPECT_EQ(desc.Size, 36u * 15u);
  EXPECT_EQ(desc.FVF, 0x152u);

  list.SetPositionsRatioed(1, 320, 240, 0.5f, 0, 0, 0, 640, 480, 0);
  void* data = nullptr;
  list.GetBuffer()->Lock(0, 0, &data, 0);
  const float* v3 = reinterpret_cast<const float*>(static_cast<BYTE*>(data) + 3 * 36);
  EXPECT_EQ(v3[0], 0.0f);
  EXPECT_EQ(v3[1], 0.0f);
  EXPECT_EQ(v3[2], 0.5f);
  EXPECT_EQ(v3[9], -1.0f);  // corner 1 x: (0, 0) -> (-1, 1)
  EXPECT_EQ(v3[10], 1.0f);
  const float* uv = reinterpret_cast<const float*>(static_cast<BYTE*>(data) + 4 * 36 + 28);
  EXPECT_EQ(uv[0], 0.5f);  // corner 1 of triangle 1: (0.5, 1)
  EXPECT_EQ(uv[1], 1.0f);
  list.GetBuffer()->Unlock();

  list.SetColour(0, 0.5f, 0.5f, 0.5f, -0.1f);
  EXPECT_TRUE(LogContains("Invalid values"));
  list.SetColour(5, 1, 1, 1, 1);
  EXPECT_TRUE(LogContains("Invalid Triangle 5 (num=5)"));
  const EngColour red{1, 0, 0, 1};
  list.SetVertexColour(2, 1, &red);
  list.GetBuffer()->Lock(0, 0, &data, 0);
  DWORD word;
  std::memcpy(&word, static_cast<BYTE*>(data) + 7 * 36 + 24, 4);
  list.GetBuffer()->Unlock();
  EXPECT_EQ(word, 0xFFFF0000u);
}

TEST_F(QuadTest, RangeDrawsStartAtTheirVertexAndBindOnce) {
  EngTexture texture;
  int width = 8, height = 8;
  ASSERT_TRUE(texture.CreateEmptyTexture(&width, &height, 0));
  EngTriangleList list;
  ASSERT_TRUE(list.Create(5, &texture, 6));
  Rec().Clear();
  list.BindStream();
  list.DrawRange(2, 3);
  list.DrawRange(0, 1);
  list.UnbindTexture();
  EXPECT_EQ(Rec().log, CallNames({"SetFVF(0x142)", "SetStreamSource(0, vb, 0, 24)", "SetTexture(0, tex)",
                                  "DrawPrimitive(4, 6, 3)", "DrawPrimitive(4, 0, 1)", "SetTexture(0, null)"}));
  // Ranges past the end are refused instead of reading beyond the buffer.
  Rec().Clear();
  list.DrawRange(4, 3);
  list.DrawRange(6, 1);
  EXPECT_TRUE(LogContains("Invalid Range 4+3 (num=6)"));
  EXPECT_EQ(Rec().CountPrefix("DrawPrimitive"), 0);
  list.Draw();
  EXPECT_EQ(Rec().log, CallNames({"SetTexture(0, tex)", "SetFVF(0x142)", "SetStreamSource(0, vb, 0, 24)",
                                  "DrawPrimitive(4, 0, 6)", "SetTexture(0, null)"}));
  list.Destroy();
}

TEST_F(QuadTest, GraphicsObjectsLeftAtTeardownAreReportedAndNotTouched) {
  EngVertexBufferDX9 quad;
  EngTriangleList list;
  ASSERT_TRUE(quad.Create(EVBT_POS_TEX, nullptr));
  ASSERT_TRUE(list.Create(2, nullptr, 1));
  Window()->DestroyGraphicsDevice();
  EXPECT_TRUE(LogContains("Graphics objects not released [2]"));
  quad.SetPositionRect(1, 2, 3, 4);  // stale: refused by the buffer, reported, no crash
  quad.Destroy();
  list.Destroy();
  EXPECT_EQ(D3D9LiveResourceCount(), 0);
}
