// D3D9GLCull.h - whether a draw can reach a rectangle of the back buffer.
// The GL device asks it for every draw while the scissor test is on: a
// frame that redraws only the area of what moved (the engine's frames on
// demand) then skips what lies wholly elsewhere, instead of transforming
// and setting it up only for the scissor to drop every pixel. Local to the
// GL device.
#pragma once

#include "Platform/D3D9Types.h"
#include "Platform/D3DXMath.h"

// The vertices of one draw: positions first in each vertex, three floats
// (transformed by transform and the viewport) or four (pre-transformed
// back-buffer pixels). With indices (2 or 4 bytes each), count of them
// pick among the vertices from base; without, the first count vertices
// are drawn.
struct D3D9GLDrawnVertices {
  const BYTE* base = nullptr;
  UINT stride = 0;
  UINT vertices = 0;  // in the buffer from base
  UINT count = 0;
  const BYTE* indices = nullptr;
  UINT indexSize = 0;
  bool pretransformed = false;
  D3DXMATRIX transform;  // world x view x projection
  D3DVIEWPORT9 viewport = {};
};

// True only when no pixel of rect (back-buffer pixels, right and bottom
// outside) can be drawn: the vertices' box on the back buffer, grown by
// margin pixels, misses it. A vertex at or behind the eye or outside the
// buffer, or more vertices than are cheap to look at, answer false (the
// draw is made).
bool D3D9GLDrawMisses(const D3D9GLDrawnVertices& draw, const RECT& rect, float margin);
