// WindowSdl.cpp - the SDL back end of the window layer: windows with an
// OpenGL 2.1 visual (8-bit red, green, blue, no alpha, 24-bit depth, 8-bit
// stencil, the requested multisample count), full screen, cursor, mouse and
// key state, the display's work area.
//
// Full screen: a WS_POPUP window takes the display mode of its size when the
// display offers it (a real mode change), else covers the desktop.
#include <SDL.h>

#include <cstdlib>

#include "Platform/Cp1252.h"
#include "Platform/DisplayLoss.h"
#include "Platform/WindowLocal.h"

namespace {
bool g_videoReady = false;
SdlWindowDestroyHook g_destroyHook = nullptr;
// The frame the window manager put around the last window (0 without one).
int g_frameLeft = 0, g_frameTop = 0, g_frameRight = 0, g_frameBottom = 0;

// True when display 0 offers exactly width x height.
bool DisplayHasMode(int width, int height, SDL_DisplayMode* found) {
  const int n = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < n; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) {
      if (found) *found = mode;
      return true;
    }
  }
  return false;
}

Uint32 FullScreenFlag(HWND window, int width, int height) {
  SDL_DisplayMode desktop;
  SDL_DisplayMode mode;
  const bool desktopSized =
      SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w == width && desktop.h == height;
  if (!desktopSized && DisplayHasMode(width, height, &mode)) {
    if (window && window->sdl) SDL_SetWindowDisplayMode(window->sdl, &mode);
    return SDL_WINDOW_FULLSCREEN;
  }
  return SDL_WINDOW_FULLSCREEN_DESKTOP;
}
}  // namespace

bool SdlVideoInit() {
  if (g_videoReady) return true;
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
  // A close box is its window's WM_CLOSE; SDL_QUIT is kept for requests from
  // outside (CloseRequest.h), which wait for a window.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  // SDL's video puts an IO error handler of its own in Xlib's slot.
  PlatformWatchDisplayLoss();
  g_videoReady = true;
  return true;
}

void SdlHoldToVisibleDrivers() {
  // Where no display answers SDL goes on to drivers that show nothing
  // (offscreen, dummy): a program would run unseen. SDL_VIDEODRIVER, the
  // player's own choice, still comes first; set but empty it names none.
  // Wayland only where WAYLAND_DISPLAY names a display: without one the
  // Wayland library's probe writes its own complaint to stderr.
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, wayland && *wayland ? "x11,wayland" : "x11",
                          chosen && *chosen ? SDL_HINT_DEFAULT : SDL_HINT_OVERRIDE);
}

std::string SdlNoDisplayReason() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : std::string();
  };
  const std::string driver = set("SDL_VIDEODRIVER");
  if (!driver.empty()) {
    return "SDL's video driver \"" + driver + "\" (SDL_VIDEODRIVER) did not start: " + SDL_GetError();
  }
  const std::string x11 = set("DISPLAY"), wayland = set("WAYLAND_DISPLAY");
  if (x11.empty() && wayland.empty()) return "DISPLAY and WAYLAND_DISPLAY are not set";
  std::string why;
  if (!x11.empty()) why = "the X display \"" + x11 + "\" (DISPLAY) cannot be opened";
  if (!wayland.empty()) {
    why += (why.empty() ? "" : " and ") + std::string("the Wayland display \"") + wayland +
           "\" (WAYLAND_DISPLAY) cannot be opened";
  }
  return why;
}

void SdlRequestGLPixelFormat(int samples) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
}

bool SdlCreateWindow(HWND window, int x, int y, int width, int height) {
  if (!SdlVideoInit()) return false;
  SdlRequestGLPixelFormat(window->samples);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);

  Uint32 flags = SDL_WINDOW_OPENGL | ((window->style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN);
  int clientW = width, clientH = height, posX, posY;
  if (window->style & WS_POPUP) {
    flags |= FullScreenFlag(nullptr, width, height);
    posX = posY = static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
  } else {
    flags |= SDL_WINDOW_RESIZABLE;
    clientW = width - g_frameLeft - g_frameRight;
    clientH = height - g_frameTop - g_frameBottom;
    posX = (x == CW_USEDEFAULT) ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : x + g_frameLeft;
    posY = (y == CW_USEDEFAULT) ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : y + g_frameTop;
  }
  if (clientW < 1) clientW = 1;
  if (clientH < 1) clientH = 1;
  const std::string title = Cp1252ToUtf8(window->title.c_str());
  SDL_Window* sdl = SDL_CreateWindow(title.c_str(), posX, posY, clientW, clientH, flags);
  if (!sdl) return false;
  window->sdl = sdl;
  window->sdlId = SDL_GetWindowID(sdl);
  if (flags & SDL_WINDOW_FULLSCREEN) FullScreenFlag(window, width, height);
  int top = 0, left = 0, bottom = 0, right = 0;
  if (!(window->style & WS_POPUP) && SDL_GetWindowBordersSize(sdl, &top, &left, &bottom, &right) == 0) {
    g_frameLeft = left;
    g_frameTop = top;
    g_frameRight = right;
    g_frameBottom = bottom;
  }
  return true;
}

void SdlSetWindowDestroyHook(SdlWindowDestroyHook hook) { g_destroyHook = hook; }

void SdlDestroyWindow(HWND window) {
  if (!window->sdl) return;
  if (g_destroyHook) g_destroyHook(window->sdl);
  SDL_DestroyWindow(window->sdl);
  window->sdl = nullptr;
  window->sdlId = 0;
}

void SdlApplyStyle(HWND window) {
  if (window->style & WS_POPUP) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window->sdl, &w, &h);
    SDL_SetWindowFullscreen(window->sdl, FullScreenFlag(window, w, h));
  } else {
    SDL_SetWindowFullscreen(window->sdl, 0);
  }
}

void SdlShowWindow(HWND window, int command) {
  switch (command) {
    case SW_MINIMIZE: SDL_MinimizeWindow(window->sdl); break;
    case SW_RESTORE: SDL_RestoreWindow(window->sdl); break;
    case SW_HIDE: SDL_HideWindow(window->sdl); break;
    default: SDL_ShowWindow(window->sdl); break;
  }
}

void SdlSetTitle(HWND window) { SDL_SetWindowTitle(window->sdl, Cp1252ToUtf8(window->title.c_str()).c_str()); }

void SdlClientRect(HWND window, int* x, int* y, int* width, int* height) {
  *x = *y = *width = *height = 0;
  if (!window->sdl) return;
  SDL_GetWindowPosition(window->sdl, x, y);
  SDL_GL_GetDrawableSize(window->sdl, width, height);
}

void SdlFrameSize(int* left, int* top, int* right, int* bottom) {
  *left = g_frameLeft;
  *top = g_frameTop;
  *right = g_frameRight;
  *bottom = g_frameBottom;
}

bool SdlSetCursorPos(int x, int y) { return SdlVideoInit() && SDL_WarpMouseGlobal(x, y) == 0; }

bool SdlGetCursorPos(int* x, int* y) {
  if (!SdlVideoInit()) return false;
  SDL_GetGlobalMouseState(x, y);
  return true;
}

void SdlShowCursor(bool show) {
  if (SdlVideoInit()) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool SdlMouseButtonDown(int virtualKey) {
  if (!SdlVideoInit()) return false;
  const Uint32 buttons = SDL_GetGlobalMouseState(nullptr, nullptr);
  switch (virtualKey) {
    case VK_LBUTTON: return (buttons & SDL_BUTTON_LMASK) != 0;
    case VK_RBUTTON: return (buttons & SDL_BUTTON_RMASK) != 0;
    case VK_MBUTTON: return (buttons & SDL_BUTTON_MMASK) != 0;
    default: return false;
  }
}

bool SdlKeyDown(int virtualKey) {
  if (!g_videoReady) return false;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  switch (virtualKey) {
    case VK_SHIFT: return keys[SDL_SCANCODE_LSHIFT] || keys[SDL_SCANCODE_RSHIFT];
    case VK_CONTROL: return keys[SDL_SCANCODE_LCTRL] || keys[SDL_SCANCODE_RCTRL];
    case VK_MENU: return keys[SDL_SCANCODE_LALT] || keys[SDL_SCANCODE_RALT];
    default: {
      const int scancode = InputSdlScancodeOf(virtualKey);
      return scancode > 0 && scancode < count && keys[scancode];
    }
  }
}

bool SdlWorkArea(RECT* rect) {
  if (!SdlVideoInit()) return false;
  SDL_Rect r;
  if (SDL_GetDisplayUsableBounds(0, &r) != 0 && SDL_GetDisplayBounds(0, &r) != 0) return false;
  *rect = {r.x, r.y, r.x + r.w, r.y + r.h};
  return true;
}

bool SdlScreenSize(int* width, int* height) {
  if (!SdlVideoInit()) return false;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
  *width = mode.w;
  *height = mode.h;
  return true;
}

SDL_Window* PlatformSdlWindow(HWND window) { return window ? window->sdl : nullptr; }
