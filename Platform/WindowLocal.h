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
bool SdlVideoInit();
bool SdlCreateWindow(HWND window, int x, int y, int width, int height);
void SdlDestroyWindow(HWND window);
void SdlApplyStyle(HWND window);
void SdlShowWindow(HWND window, int command);
void SdlSetTitle(HWND window);
void SdlClientRect(HWND window, int* x, int* y, int* width, int* height);
void SdlFrameSize(int* left, int* top, int* right, int* bottom);
bool SdlSetCursorPos(int x, int y);
bool SdlGetCursorPos(int* x, int* y);
void SdlShowCursor(bool show);
bool SdlMouseButtonDown(int virtualKey);
bool SdlKeyDown(int virtualKey);
bool SdlWorkArea(RECT* rect);
bool SdlScreenSize(int* width, int* height);
bool SdlChangedDisplayMode();
SDL_Window* PlatformSdlWindow(HWND window);
// Called just before an SDL window is destroyed (the GL device lets go of
// it). Null removes it.
using SdlWindowDestroyHook = void (*)(SDL_Window* window);
void SdlSetWindowDestroyHook(SdlWindowDestroyHook hook);

// ---- SDL input (InputSdl.cpp) -----------------------------------------------------------
// Turns every waiting SDL event into queued messages.
void InputSdlPump();
// The virtual key of an SDL scancode, 0 when it has none.
int InputSdlVirtualKey(int scancode);
// The scancode of a virtual key for key-state reads (first match), or 0.
int InputSdlScancodeOf(int virtualKey);
