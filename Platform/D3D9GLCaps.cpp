// D3D9GLCaps.cpp - what the GL back end offers, found once per process: the
// SDL displays as adapters with their modes and desktop mode, GL_RENDERER as
// the adapter description, GL_MAX_TEXTURE_SIZE, and the multisample counts
// (2, 4, 8, 16) for which a GL visual exists.
//
// The check is cheap because it loads the GL library once and keeps it (SDL
// would otherwise load and set it up again for every GL window and let it
// go with the window), makes one context only (on a hidden 16 x 16 window
// without multisampling, for the renderer's name and texture size) and
// tests the multisample counts by the visual alone: SDL makes a GL window
// only when the display has a visual with at least the samples asked for,
// and a context on such a window gets them. What the driver keeps of the
// context's set-up is given back to the system afterwards.
#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "Platform/D3D9GL.h"
#include "Platform/D3D9Local.h"
#include "Platform/Memory.h"
#include "Platform/WindowLocal.h"

namespace {

bool g_probed = false;
D3D9Caps g_caps;
std::string g_renderer;
int g_contextsMade = 0;

// A hidden 16 x 16 GL window with the pixel format of every window we make
// and the given samples; null when the display has no such visual.
SDL_Window* MakeHiddenGLWindow(int samples) {
  SdlRequestGLPixelFormat(samples);
  return SDL_CreateWindow("probe", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
}

// The renderer's name and texture size from one context; false when no
// context can be made.
bool ReadRenderer(std::string* renderer, DWORD* maxTexture) {
  SDL_Window* w = MakeHiddenGLWindow(0);
  if (!w) return false;
  bool ok = false;
  SDL_GLContext previous = SDL_GL_GetCurrentContext();
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  if (SDL_GLContext context = SDL_GL_CreateContext(w)) {
    ++g_contextsMade;
    const GLubyte* name = glGetString(GL_RENDERER);
    *renderer = name ? reinterpret_cast<const char*>(name) : "OpenGL";
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    if (size > 0) *maxTexture = static_cast<DWORD>(size);
    SDL_GL_DeleteContext(context);
    ok = true;
  }
  SDL_DestroyWindow(w);
  if (previous && previousWindow) SDL_GL_MakeCurrent(previousWindow, previous);
  return ok;
}

// True when a GL window with at least the samples can be made.
bool HasVisualWithSamples(int samples) {
  SDL_Window* w = MakeHiddenGLWindow(samples);
  if (!w) return false;
  SDL_DestroyWindow(w);
  return true;
}

D3DDISPLAYMODE ModeOf(const SDL_DisplayMode& m) {
  return {static_cast<UINT>(m.w), static_cast<UINT>(m.h), static_cast<UINT>(m.refresh_rate), D3DFMT_X8R8G8B8};
}

}  // namespace

D3D9Caps D3D9GLProbeCaps() {
  if (g_probed) return g_caps;
  g_probed = true;
  if (!SdlVideoInit()) return g_caps;
  // Held for the rest of the run: every GL window after this one shares the
  // loaded and set-up library.
  if (SDL_GL_LoadLibrary(nullptr) != 0) return g_caps;
  DWORD maxTexture = 4096;
  if (!ReadRenderer(&g_renderer, &maxTexture)) return g_caps;
  DWORD levels[17] = {1};
  for (int samples : {2, 4, 8, 16}) levels[samples] = HasVisualWithSamples(samples) ? 1 : 0;
  PlatformMemoryReturnFreePages();

  const int displays = SDL_GetNumVideoDisplays();
  for (int d = 0; d < displays; ++d) {
    D3D9AdapterCaps a;
    a.description = g_renderer;
    a.deviceName = "DISPLAY" + std::to_string(d + 1);
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(d, &desktop) != 0) continue;
    a.desktop = ModeOf(desktop);
    const int n = SDL_GetNumDisplayModes(d);
    for (int i = 0; i < n; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(d, i, &m) != 0) continue;
      const D3DDISPLAYMODE mode = ModeOf(m);
      const bool seen = std::any_of(a.modes.begin(), a.modes.end(), [&](const D3DDISPLAYMODE& o) {
        return o.Width == mode.Width && o.Height == mode.Height && o.RefreshRate == mode.RefreshRate;
      });
      if (!seen) a.modes.push_back(mode);
    }
    if (a.modes.empty()) a.modes.push_back(a.desktop);
    std::copy(std::begin(levels), std::end(levels), a.multisampleLevels);
    a.maxTextureSize = maxTexture;
    g_caps.adapters.push_back(a);
  }
  return g_caps;
}

const char* D3D9GLRendererName() { return g_renderer.c_str(); }

int D3D9GLProbeContextsForTests() { return g_contextsMade; }
