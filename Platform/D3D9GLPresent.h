// D3D9GLPresent.h - presenting part of a GL window's back buffer while the
// back buffer keeps its pixels (GLX_MESA_copy_sub_buffer): what the GL
// device's D3DSWAPEFFECT_COPY stands on. Local to the GL device.
#pragma once

#include <SDL.h>

// The window system's copy of a back-buffer rectangle to the window; empty
// (copy null) where the window system has none (not X11, or a GLX without
// the extension).
struct D3D9GLSubBufferCopier {
  void* display = nullptr;
  unsigned long drawable = 0;
  void (*copy)(void* display, unsigned long drawable, int x, int y, int width, int height) = nullptr;
};

// Looks the copy up for the window; the window's GL context must be
// current. An empty copier when the window system lacks it.
D3D9GLSubBufferCopier D3D9GLFindSubBufferCopier(SDL_Window* window);
// True when the window has that size on the X server now and no other size
// of it waits unread in the queue. The driver sizes its back buffer from
// the server when a frame after a swap begins, while SDL learns of a resize
// only when it next reads its events: a copy is safe only while all three
// agree, or the driver would be asked for a rectangle its back buffer does
// not hold (Mesa's software driver then sends the X server an image
// request outside its memory, which the server refuses). One round trip.
bool D3D9GLWindowHasSize(const D3D9GLSubBufferCopier& copier, int width, int height);
// Copies the rectangle (GL window coordinates, from the bottom left) of the
// back buffer to the window; the back buffer is left as it was.
void D3D9GLCopySubBuffer(const D3D9GLSubBufferCopier& copier, int x, int y, int width, int height);
