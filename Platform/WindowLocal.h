// WindowLocal.h - the window record and the calls between the window layer's
// files: Window.cpp (classes, queue, dispatch, headless back end),
// WindowSdl.cpp (SDL windows, cursor, displays) and InputSdl.cpp (SDL events
// to messages). Platform/ only.
#pragma once

#include <string>

#include "Platform/Window.h"

struct SDL_Window;
union SDL_Event;

struct HWND__ {
  std::string className;
  WNDPROC proc = nullptr;
  UINT classStyle = 0;
  DWORD style = 0;
  std::string title;  // CP1252
  bool headless = false;
  // Headless geometry: client origin on the screen and client size.
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool minimized = false;
  SDL_Window* sdl = nullptr;
  unsigned sdlId = 0;
  int samples = 0;
};

// Queues a message; a mouse move replaces a mouse move at the queue's end.
void WindowQueueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The live window with this SDL window id, or null.
HWND WindowFromSdlId(unsigned id);
// The first live window (messages of SDL events without a window go there).
HWND WindowFirst();

// ---- SDL back end (WindowSdl.cpp) ---------------------------------------------------
// Starts SDL's video once; false when there is no display.
bool SdlVideoInit();
// Holds SDL's video from now on to the drivers of X and Wayland (Wayland
// only where WAYLAND_DISPLAY is set), unless SDL_VIDEODRIVER names others.
void SdlHoldToVisibleDrivers();
// Why SdlVideoInit failed: the display that could not be opened.
std::string SdlNoDisplayReason();
// Asks for the pixel format of every GL window we make (8-bit RGB without
// alpha, 24-bit depth, 8-bit stencil, double buffered) with the given
// multisample count (0: none), so that the capability probe tests what the
// real windows will get.
void SdlRequestGLPixelFormat(int samples);
// Makes the record's SDL window with a GL 2.1 visual. x, y, width and height
// are the outer rectangle: a window's frame is taken off (CW_USEDEFAULT
// centres it); a WS_POPUP style goes full screen, in the display mode of
// that size when the display has one, else over the desktop. False when SDL
// refuses.
bool SdlCreateWindow(HWND window, int x, int y, int width, int height);
// Runs the destroy hook, then destroys the SDL window; nothing without one.
void SdlDestroyWindow(HWND window);
// Applies the record's style: WS_POPUP full screen as at creation, else a window.
void SdlApplyStyle(HWND window);
// SW_MINIMIZE, SW_RESTORE or SW_HIDE; any other command shows the window.
void SdlShowWindow(HWND window, int command);
// Shows the record's CP1252 title.
void SdlSetTitle(HWND window);
// The client origin on the screen and the drawable size in pixels; all 0
// without an SDL window.
void SdlClientRect(HWND window, int* x, int* y, int* width, int* height);
// The frame the window manager put around the last window made (0 before).
void SdlFrameSize(int* left, int* top, int* right, int* bottom);
// The pointer in screen pixels; false without video.
bool SdlSetCursorPos(int x, int y);
bool SdlGetCursorPos(int* x, int* y);
void SdlShowCursor(bool show);
// VK_LBUTTON, VK_RBUTTON or VK_MBUTTON held (false for other codes).
bool SdlMouseButtonDown(int virtualKey);
// A keyboard key held, by virtual key; false before video has started.
bool SdlKeyDown(int virtualKey);
// Display 0's usable area (its whole area when unknown); false without video.
bool SdlWorkArea(RECT* rect);
// The size of display 0's desktop mode; false without video.
bool SdlScreenSize(int* width, int* height);
// The record's SDL window, or null.
SDL_Window* PlatformSdlWindow(HWND window);
// Called just before an SDL window is destroyed (the GL device lets go of
// it). Null removes it.
using SdlWindowDestroyHook = void (*)(SDL_Window* window);
void SdlSetWindowDestroyHook(SdlWindowDestroyHook hook);

// ---- SDL input (InputSdl.cpp) -----------------------------------------------------------
// Turns every waiting SDL event into queued messages.
void InputSdlPump();
// Waits for the next window-system event (left queued for InputSdlPump) for
// at most ms milliseconds (INFINITE: no limit); true when one came.
bool InputSdlWait(DWORD ms);
// From any thread: an event of no kind of ours, which ends a wait.
void InputSdlWake();
// The virtual key of an SDL scancode, 0 when it has none.
int InputSdlVirtualKey(int scancode);
// The scancode of a virtual key for key-state reads (first match), or 0.
int InputSdlScancodeOf(int virtualKey);
