// Whether a draw can reach the scissor rectangle (D3D9GLDrawMisses): a
// draw is skipped only when no pixel of the rectangle could change, so a
// box touching its edge, a vertex behind the eye, an index beyond the
// buffer or a mesh too big to look at keep the draw.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/D3D9GLCull.h"

namespace {

struct Vertex {
  float x, y, z, rhw;
};

// Pixels 16..47 both ways, with the device's margin of two pixels.
constexpr RECT kRect = {16, 16, 48, 48};
constexpr float kMargin = 2.0f;

D3D9GLDrawnVertices Pretransformed(const std::vector<Vertex>& v) {
  D3D9GLDrawnVertices draw;
  draw.base = reinterpret_cast<const BYTE*>(v.data());
  draw.stride = sizeof(Vertex);
  draw.vertices = draw.count = static_cast<UINT>(v.size());
  draw.pretransformed = true;
  return draw;
}

std::vector<Vertex> Quad(float left, float top, float right, float bottom) {
  return {{left, bottom, 0, 1}, {left, top, 0, 1}, {right, bottom, 0, 1}, {right, top, 0, 1}};
}

TEST(D3D9GLCullTest, APretransformedQuadIsSkippedOnlyBeyondTheMargin) {
  const struct {
    const char* what;
    float left, top, right, bottom;
    bool misses;
  } cases[] = {
      {"inside", 20, 20, 30, 30, false},
      {"covering the whole rectangle", 0, 0, 64, 64, false},
      {"ending within the margin left of it", 4, 20, 14.5f, 30, false},
      {"starting within the margin right of it", 49, 20, 60, 30, false},
      {"ending within the margin above it", 20, 4, 30, 14.5f, false},
      {"left of it", 0, 20, 13.5f, 30, true},
      {"right of it", 50, 20, 60, 30, true},
      {"above it", 20, 0, 30, 13.5f, true},
      {"below it", 20, 50, 30, 60, true},
  };
  for (const auto& c : cases) {
    const std::vector<Vertex> v = Quad(c.left, c.top, c.right, c.bottom);
    EXPECT_EQ(D3D9GLDrawMisses(Pretransformed(v), kRect, kMargin), c.misses) << c.what;
  }
  const std::vector<Vertex> inside = Quad(20, 20, 30, 30);
  EXPECT_TRUE(D3D9GLDrawMisses(Pretransformed(inside), RECT{16, 16, 16, 48}, kMargin)) << "an empty rectangle";
}

// A camera of a 64 x 64 viewport on which x and y in -1..1 fill it (w = 1),
// and the same with w = -1: the points lie behind the eye.
TEST(D3D9GLCullTest, ThreeDVerticesAreProjectedAndBehindTheEyeAreDrawn) {
  struct Point {
    float x, y, z;
  };
  const Point farLeft[4] = {{-1, -1, 0}, {-1, 1, 0}, {-0.7f, -1, 0}, {-0.7f, 1, 0}};  // pixels 0..9.6
  const Point middle[4] = {{-0.1f, -0.1f, 0}, {-0.1f, 0.1f, 0}, {0.1f, -0.1f, 0}, {0.1f, 0.1f, 0}};
  D3D9GLDrawnVertices draw;
  draw.stride = sizeof(Point);
  draw.vertices = draw.count = 4;
  D3DXMatrixIdentity(&draw.transform);
  draw.viewport = D3DVIEWPORT9{0, 0, 64, 64, 0, 1};
  draw.base = reinterpret_cast<const BYTE*>(farLeft);
  EXPECT_TRUE(D3D9GLDrawMisses(draw, kRect, kMargin));
  draw.base = reinterpret_cast<const BYTE*>(middle);
  EXPECT_FALSE(D3D9GLDrawMisses(draw, kRect, kMargin));
  draw.base = reinterpret_cast<const BYTE*>(farLeft);
  draw.transform._44 = -1;
  EXPECT_FALSE(D3D9GLDrawMisses(draw, kRect, kMargin)) << "behind the eye";
}

TEST(D3D9GLCullTest, IndicesPickTheVerticesLookedAt) {
  // Vertex 0 lies inside, 1-3 far to the right.
  const std::vector<Vertex> v = {{30, 30, 0, 1}, {60, 20, 0, 1}, {62, 30, 0, 1}, {61, 25, 0, 1}};
  D3D9GLDrawnVertices draw = Pretransformed(v);
  const std::uint16_t outside[3] = {1, 2, 3};
  const std::uint16_t withInside[3] = {1, 0, 3};
  const std::uint32_t beyond[3] = {1, 2, 4};
  draw.count = 3;
  draw.indices = reinterpret_cast<const BYTE*>(outside);
  draw.indexSize = 2;
  EXPECT_TRUE(D3D9GLDrawMisses(draw, kRect, kMargin));
  draw.indices = reinterpret_cast<const BYTE*>(withInside);
  EXPECT_FALSE(D3D9GLDrawMisses(draw, kRect, kMargin));
  draw.indices = reinterpret_cast<const BYTE*>(beyond);
  draw.indexSize = 4;
  EXPECT_FALSE(D3D9GLDrawMisses(draw, kRect, kMargin)) << "an index beyond the buffer";
}

TEST(D3D9GLCullTest, AMeshTooBigToLookAtIsDrawn) {
  const std::vector<Vertex> v(5000, Vertex{0, 0, 0, 1});
  EXPECT_FALSE(D3D9GLDrawMisses(Pretransformed(v), kRect, kMargin));
}

}  // namespace
