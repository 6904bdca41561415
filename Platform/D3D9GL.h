// D3D9GL.h - the GL graphics back end: the Direct3D object over the SDL
// displays and a device over an OpenGL 2.1 compatibility context (fixed
// function; Mesa's llvmpipe under Xvfb in tests).
//
// Implements (how the Direct3D model maps onto GL):
//   - D3D row-vector matrices load as GL column-major ones: MODELVIEW =
//     world x view, PROJECTION = proj x Zfix (D3D clip z [0, w] -> GL [-w, w]).
//   - Pre-transformed (XYZRHW) layouts draw through a pixel ortho that keeps
//     D3D9's pixel centres; lighting off; rhw ignored.
//   - Viewports from the top (flipped to GL), Clear only inside the viewport
//     (scissor), back buffer without alpha, cull CCW = glFrontFace(GL_CW) and
//     cull back, depth test LEQUAL.
//   - D3DCOLOR arrays as GL_BGRA bytes; specular words are not sent.
//   - Stage 0 only: colour MODULATE / SELECTARG1 / SELECTARG2, alpha
//     MODULATE / SELECTARG1 / SELECTARG2 / BLENDTEXTUREALPHA through
//     GL_COMBINE; sampler filters applied at each bind without mipmaps.
//   - Lights kept in the device in world space and re-specified whenever a
//     light or the view changes; range ignored.
//   - Textures: CPU copies uploaded with glTexSubImage2D(GL_BGRA) at unlock;
//     X8R8G8B8 as GL_RGB8 (fourth byte ignored), A8R8G8B8 as GL_RGBA8. The
//     CPU copy goes once its smallest level is uploaded or it is drawn; a
//     later lock reads it back with
//     glGetTexImage (an X8 texture's fourth byte then reads 0xFF) and the
//     texture keeps its copy from then on.
//   - Queries and both GPU syncs wait with glFinish.
// Not implemented: stages above 0, fog, stencil operations, point sprites,
// indexed draws with 32-bit indices beyond the GL limits, Reset (the engine
// re-creates devices instead).
#pragma once

#include <cstdint>
#include <vector>

#include "Platform/D3D9.h"

// A GL Direct3D object (the default factory).
IDirect3D9* D3D9GLCreate(UINT sdkVersion);

// Test hook: the live GL device answers D3DERR_DEVICELOST from Present and
// TestCooperativeLevel for the next frames calls each, then
// D3DERR_DEVICENOTRESET until it is released.
void D3D9GLLoseDevice(int frames);

// Reads a rectangle of the live GL device's back buffer (D3D pixel
// coordinates, y from the top) as 0xAARRGGBB words, rows top first. False
// without a live device or for a rectangle outside the back buffer.
bool D3D9GLReadPixels(int x, int y, int width, int height, std::vector<std::uint32_t>* pixels);

// GL_RENDERER of the probe context ("" before the first probe or without a
// display).
const char* D3D9GLRendererName();

// Test hook: the GL contexts the capability check has made in this process
// (it makes one, whatever the multisample counts on offer).
int D3D9GLProbeContextsForTests();
