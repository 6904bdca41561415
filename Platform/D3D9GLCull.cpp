// D3D9GLCull.cpp - whether a draw can reach a rectangle of the back buffer
// (see D3D9GLCull.h).
#include "Platform/D3D9GLCull.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Enough for the toolkit's quads, glyphs, cards and particles; a bigger
// mesh is drawn without looking.
constexpr UINT kMostVerticesLooked = 4096;
// w at or below this: the vertex lies at or behind the eye, and clipping
// decides what shows.
constexpr float kNearestW = 1e-6f;

UINT VertexIndex(const D3D9GLDrawnVertices& draw, UINT i) {
  if (!draw.indices) return i;
  if (draw.indexSize == 4) {
    std::uint32_t index = 0;
    std::memcpy(&index, draw.indices + static_cast<std::size_t>(i) * 4, 4);
    return index;
  }
  std::uint16_t index = 0;
  std::memcpy(&index, draw.indices + static_cast<std::size_t>(i) * 2, 2);
  return index;
}

// The vertex's place in back-buffer pixels; false at or behind the eye.
bool PixelOf(const D3D9GLDrawnVertices& draw, UINT vertex, float* x, float* y) {
  float p[3];
  std::memcpy(p, draw.base + static_cast<std::size_t>(vertex) * draw.stride, sizeof p);
  if (draw.pretransformed) {
    *x = p[0];
    *y = p[1];
    return true;
  }
  const D3DXMATRIX& m = draw.transform;
  const float cx = p[0] * m._11 + p[1] * m._21 + p[2] * m._31 + m._41;
  const float cy = p[0] * m._12 + p[1] * m._22 + p[2] * m._32 + m._42;
  const float cw = p[0] * m._14 + p[1] * m._24 + p[2] * m._34 + m._44;
  if (!(cw > kNearestW)) return false;
  const D3DVIEWPORT9& v = draw.viewport;
  *x = static_cast<float>(v.X) + (cx / cw + 1.0f) * 0.5f * static_cast<float>(v.Width);
  *y = static_cast<float>(v.Y) + (1.0f - cy / cw) * 0.5f * static_cast<float>(v.Height);
  return true;
}

}  // namespace

bool D3D9GLDrawMisses(const D3D9GLDrawnVertices& draw, const RECT& rect, float margin) {
  if (!draw.base || draw.stride < 3 * sizeof(float) || draw.count == 0 || draw.count > kMostVerticesLooked) {
    return false;
  }
  if (rect.right <= rect.left || rect.bottom <= rect.top) return true;
  float left = 0, top = 0, right = 0, bottom = 0;
  for (UINT i = 0; i < draw.count; ++i) {
    const UINT vertex = VertexIndex(draw, i);
    float x = 0, y = 0;
    if (vertex >= draw.vertices || !PixelOf(draw, vertex, &x, &y) || std::isnan(x) || std::isnan(y)) return false;
    left = i == 0 ? x : std::min(left, x);
    right = i == 0 ? x : std::max(right, x);
    top = i == 0 ? y : std::min(top, y);
    bottom = i == 0 ? y : std::max(bottom, y);
  }
  return right + margin < static_cast<float>(rect.left) || left - margin >= static_cast<float>(rect.right) ||
         bottom + margin < static_cast<float>(rect.top) || top - margin >= static_cast<float>(rect.bottom);
}
