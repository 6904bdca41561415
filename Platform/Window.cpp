// Window.cpp - window classes, the window table, the message queue and its
// dispatch, and the headless back end (see Window.h). The SDL back end is in
// WindowSdl.cpp and InputSdl.cpp.
//
// State: the class table, the live windows, the queue, the last error, the
// cursor display counter and the headless cursor and keys; all live for the
// process and are emptied by PlatformResetWindowsForTests.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "Platform/CloseRequest.h"
#include "Platform/Files.h"
#include "Platform/Time.h"
#include "Platform/WindowLocal.h"

namespace {

PlatformPumpHook g_pumpHook = nullptr;  // see PlatformSetPumpHook
std::atomic<bool> g_waitWoken{false};   // see PlatformWakeMessageWait

struct WindowState {
  std::map<std::string, WNDCLASSA> classes;
  std::map<std::string, std::string> classNames;  // keeps lpszClassName alive
  std::vector<std::unique_ptr<HWND__>> windows;
  std::deque<WinMsg> queue;
  int cursorCounter = 0;
  bool headless = false;
  int headlessCursorX = 0;
  int headlessCursorY = 0;
  bool headlessKeys[256] = {};
  int samples = 0;
};

WindowState& S() {
  static WindowState state;
  return state;
}

bool Live(HWND window) {
  if (!window) return false;
  for (const auto& w : S().windows)
    if (w.get() == window) return true;
  return false;
}

constexpr int kHeadlessScreenWidth = 1280;
constexpr int kHeadlessScreenHeight = 1024;
// The frame a headless window pretends to have (title bar and borders).
constexpr int kHeadlessFrameSide = 4;
constexpr int kHeadlessFrameTop = 24;

void FrameOf(HWND window, int* left, int* top, int* right, int* bottom) {
  *left = *top = *right = *bottom = 0;
  if (window->style & WS_POPUP) return;
  if (window->headless) {
    *left = *right = *bottom = kHeadlessFrameSide;
    *top = kHeadlessFrameTop;
  } else {
    SdlFrameSize(left, top, right, bottom);
  }
}

void ClientGeometry(HWND window, int* x, int* y, int* width, int* height) {
  if (window->headless) {
    *x = window->x;
    *y = window->y;
    *width = window->width;
    *height = window->height;
  } else {
    SdlClientRect(window, x, y, width, height);
  }
}

}  // namespace

// ---- Queue ---------------------------------------------------------------------------

void WindowQueueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& q = S().queue;
  if (message == WM_MOUSEMOVE && !q.empty() && q.back().message == WM_MOUSEMOVE && q.back().hwnd == window) {
    q.back().wParam = wParam;
    q.back().lParam = lParam;
    return;
  }
  q.push_back({window, message, wParam, lParam});
}

HWND WindowFromSdlId(unsigned id) {
  for (const auto& w : S().windows)
    if (w->sdl && w->sdlId == id) return w.get();
  return nullptr;
}

HWND WindowFirst() { return S().windows.empty() ? nullptr : S().windows.front().get(); }

// ---- Classes --------------------------------------------------------------------------

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
    SetLastError(87);  // ERROR_INVALID_PARAMETER
    return 0;
  }
  const std::string name = windowClass->lpszClassName;
  if (S().classes.count(name)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  S().classNames[name] = name;
  WNDCLASSA copy = *windowClass;
  copy.lpszClassName = S().classNames[name].c_str();
  copy.lpszMenuName = nullptr;
  S().classes[name] = copy;
  return static_cast<ATOM>(S().classes.size());
}

// ---- Windows ---------------------------------------------------------------------------

HWND CreateWindowExA(DWORD, const char* className, const char* title, DWORD style, int x, int y, int width,
                     int height, HWND, void*, HINSTANCE, void*) {
  if (!className) return nullptr;
  auto cls = S().classes.find(className);
  if (cls == S().classes.end()) {
    SetLastError(1407);  // ERROR_CANNOT_FIND_WND_CLASS
    return nullptr;
  }
  auto window = std::make_unique<HWND__>();
  window->className = className;
  window->proc = cls->second.lpfnWndProc;
  window->classStyle = cls->second.style;
  window->style = style;
  window->title = title ? title : "";
  window->headless = S().headless;
  window->samples = S().samples;
  HWND w = window.get();
  if (w->headless) {
    int fl, ft, fr, fb;
    FrameOf(w, &fl, &ft, &fr, &fb);
    if (style & WS_POPUP) {
      w->x = 0;
      w->y = 0;
      w->width = width > 0 ? width : kHeadlessScreenWidth;
      w->height = height > 0 ? height : kHeadlessScreenHeight;
    } else {
      w->width = width - fl - fr;
      w->height = height - ft - fb;
      if (w->width < 1) w->width = 1;
      if (w->height < 1) w->height = 1;
      w->x = (x == CW_USEDEFAULT) ? (kHeadlessScreenWidth - width) / 2 + fl : x + fl;
      w->y = (y == CW_USEDEFAULT) ? (kHeadlessScreenHeight - height) / 2 + ft : y + ft;
    }
  } else if (!SdlCreateWindow(w, x, y, width, height)) {
    SetLastError(1400);  // the window system refused
    return nullptr;
  }
  // A quit posted when an earlier window went belongs to that window's run.
  auto& q = S().queue;
  for (auto it = q.begin(); it != q.end();) it = it->message == WM_QUIT ? q.erase(it) : it + 1;
  S().windows.push_back(std::move(window));
  return w;
}

BOOL DestroyWindow(HWND window) {
  if (!Live(window)) return FALSE;
  if (window->proc) window->proc(window, WM_DESTROY, 0, 0);
  if (!Live(window)) return TRUE;  // destroyed again from inside WM_DESTROY
  if (window->sdl) SdlDestroyWindow(window);
  auto& q = S().queue;
  for (auto it = q.begin(); it != q.end();) {
    if (it->hwnd == window && it->message != WM_QUIT)
      it = q.erase(it);
    else
      ++it;
  }
  auto& ws = S().windows;
  for (auto it = ws.begin(); it != ws.end(); ++it) {
    if (it->get() == window) {
      ws.erase(it);
      break;
    }
  }
  return TRUE;
}

BOOL IsWindow(HWND window) { return Live(window) ? TRUE : FALSE; }

LONG SetWindowLongA(HWND window, int index, LONG value) {
  if (!Live(window) || index != GWL_STYLE) return 0;
  const LONG old = static_cast<LONG>(window->style);
  window->style = static_cast<DWORD>(value);
  if (window->sdl) SdlApplyStyle(window);
  return old;
}

LONG GetWindowLongA(HWND window, int index) {
  if (!Live(window) || index != GWL_STYLE) return 0;
  return static_cast<LONG>(window->style);
}

BOOL ShowWindow(HWND window, int command) {
  if (!Live(window)) return FALSE;
  const bool wasVisible = (window->style & WS_VISIBLE) != 0;
  if (command == SW_MINIMIZE) window->minimized = true;
  if (command == SW_RESTORE || command == SW_SHOWNORMAL) window->minimized = false;
  if (command == SW_HIDE)
    window->style &= ~WS_VISIBLE;
  else
    window->style |= WS_VISIBLE;
  if (window->sdl) SdlShowWindow(window, command);
  return wasVisible ? TRUE : FALSE;
}

BOOL SetWindowTextA(HWND window, const char* text) {
  if (!Live(window)) return FALSE;
  window->title = text ? text : "";
  if (window->sdl) SdlSetTitle(window);
  return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  if (!Live(window) || !rect) return FALSE;
  int x, y, w, h, fl, ft, fr, fb;
  ClientGeometry(window, &x, &y, &w, &h);
  FrameOf(window, &fl, &ft, &fr, &fb);
  *rect = {x - fl, y - ft, x + w + fr, y + h + fb};
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  if (!Live(window) || !rect) return FALSE;
  int x, y, w, h;
  ClientGeometry(window, &x, &y, &w, &h);
  *rect = {0, 0, w, h};
  return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
  if (!Live(window) || !point) return FALSE;
  int x, y, w, h;
  ClientGeometry(window, &x, &y, &w, &h);
  point->x -= x;
  point->y -= y;
  return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point) {
  if (!Live(window) || !point) return FALSE;
  int x, y, w, h;
  ClientGeometry(window, &x, &y, &w, &h);
  point->x += x;
  point->y += y;
  return TRUE;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL) {
  if (!rect) return FALSE;
  if (style & WS_POPUP) return TRUE;
  int fl = kHeadlessFrameSide, ft = kHeadlessFrameTop, fr = kHeadlessFrameSide, fb = kHeadlessFrameSide;
  if (!S().headless) SdlFrameSize(&fl, &ft, &fr, &fb);
  rect->left -= fl;
  rect->top -= ft;
  rect->right += fr;
  rect->bottom += fb;
  return TRUE;
}

// ---- Messages ----------------------------------------------------------------------------

BOOL PeekMessageA(WinMsg* msg, HWND, UINT, UINT, UINT removeFlags) {
  if (!msg) return FALSE;
  if (g_pumpHook) g_pumpHook();
  if (S().queue.empty() && !S().headless) InputSdlPump();
  // A close request (a signal, SDL_QUIT) goes to the first window before
  // anything queued; without a window it waits for one.
  if (HWND first = WindowFirst(); first && PlatformCloseRequested()) {
    *msg = {first, WM_CLOSE, 0, 0};
    if (removeFlags & PM_REMOVE) PlatformTakeCloseRequest();
    return TRUE;
  }
  if (S().queue.empty()) return FALSE;
  *msg = S().queue.front();
  if (removeFlags & PM_REMOVE) S().queue.pop_front();
  return TRUE;
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE*, BOOL, DWORD ms, DWORD) {
  if (count != 0) return WAIT_TIMEOUT;
  auto waiting = [] {
    if (g_pumpHook) g_pumpHook();
    if (S().queue.empty() && !S().headless) InputSdlPump();
    return !S().queue.empty() || g_waitWoken.exchange(false);
  };
  if (waiting()) return WAIT_OBJECT_0;
  if (S().headless) {
    for (DWORD waited = 0; ms == INFINITE || waited < ms; ++waited) {
      Sleep(1);
      if (waiting()) return WAIT_OBJECT_0;
    }
    return WAIT_TIMEOUT;
  }
  // An event that makes no message (or a message of the hook's) ends the
  // wait too; the caller looks again.
  return InputSdlWait(ms) || waiting() ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

void PlatformSetPumpHook(PlatformPumpHook hook) { g_pumpHook = hook; }

void PlatformWakeMessageWait() {
  g_waitWoken = true;
  InputSdlWake();
}

BOOL TranslateMessage(const WinMsg*) { return FALSE; }

LRESULT DispatchMessageA(const WinMsg* msg) {
  if (!msg || !Live(msg->hwnd) || !msg->hwnd->proc) return 0;
  return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Live(window) || !window->proc) return 0;
  return window->proc(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window && !Live(window)) return FALSE;
  WindowQueueMessage(window, message, wParam, lParam);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  S().queue.push_back({nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == static_cast<WPARAM>(VK_F4)) PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    default:
      return 0;
  }
}

BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track) {
  if (!track || !Live(track->hwndTrack)) return FALSE;
  return TRUE;
}

int PlatformFlushInputMessages(double seconds) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + std::chrono::duration<double>(seconds > 0 ? seconds : 0);
  int dropped = 0;
  if (!S().headless) InputSdlPump();
  auto& q = S().queue;
  for (auto it = q.begin(); it != q.end() && Clock::now() <= end;) {
    if (it->message == WM_QUIT || it->message == WM_CLOSE || it->message == WM_DESTROY) {
      ++it;
    } else {
      it = q.erase(it);
      ++dropped;
    }
  }
  return dropped;
}

bool PlatformRemoveOneDroppableMessage() {
  if (S().queue.empty() && !S().headless) InputSdlPump();
  auto& q = S().queue;
  for (auto it = q.begin(); it != q.end(); ++it) {
    if (it->message == WM_QUIT || it->message == WM_CLOSE || it->message == WM_DESTROY) continue;
    q.erase(it);
    return true;
  }
  return false;
}

// ---- Cursor and keys -----------------------------------------------------------------------

BOOL SetCursorPos(int x, int y) {
  if (S().headless) {
    S().headlessCursorX = x;
    S().headlessCursorY = y;
    return TRUE;
  }
  return SdlSetCursorPos(x, y) ? TRUE : FALSE;
}

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  if (S().headless) {
    *point = {S().headlessCursorX, S().headlessCursorY};
    return TRUE;
  }
  int x = 0, y = 0;
  if (!SdlGetCursorPos(&x, &y)) return FALSE;
  *point = {x, y};
  return TRUE;
}

int ShowCursor(BOOL show) {
  S().cursorCounter += show ? 1 : -1;
  if (!S().headless) SdlShowCursor(S().cursorCounter >= 0);
  return S().cursorCounter;
}

short GetAsyncKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  bool down;
  if (S().headless)
    down = S().headlessKeys[virtualKey];
  else if (virtualKey == VK_LBUTTON || virtualKey == VK_RBUTTON || virtualKey == VK_MBUTTON)
    down = SdlMouseButtonDown(virtualKey);
  else
    down = SdlKeyDown(virtualKey);
  return down ? KEY_DOWN_BIT : 0;
}

// ---- System values ---------------------------------------------------------------------------

BOOL SystemParametersInfoA(UINT action, UINT, void* value, UINT) {
  if (!value) return FALSE;
  if (action == SPI_GETWHEELSCROLLLINES) {
    *static_cast<UINT*>(value) = 3;
    return TRUE;
  }
  if (action == SPI_GETWORKAREA) {
    RECT* r = static_cast<RECT*>(value);
    if (S().headless) {
      *r = {0, 0, kHeadlessScreenWidth, kHeadlessScreenHeight};
      return TRUE;
    }
    return SdlWorkArea(r) ? TRUE : FALSE;
  }
  return FALSE;
}

int GetSystemMetrics(int index) {
  int w = kHeadlessScreenWidth, h = kHeadlessScreenHeight;
  if (!S().headless && !SdlScreenSize(&w, &h)) return 0;
  if (index == SM_CXSCREEN) return w;
  if (index == SM_CYSCREEN) return h;
  return 0;
}

HINSTANCE GetModuleHandleA(const char*) { return reinterpret_cast<HINSTANCE>(1); }

DWORD GetModuleFileNameA(HINSTANCE, char* fileName, DWORD size) {
  if (!fileName || size == 0) return 0;
  const ssize_t n = readlink("/proc/self/exe", fileName, size - 1);
  if (n < 0) {
    fileName[0] = '\0';
    return 0;
  }
  fileName[n] = '\0';
  return static_cast<DWORD>(n);
}

HICON ExtractIconA(HINSTANCE, const char*, UINT) { return reinterpret_cast<HICON>(1); }
HCURSOR LoadCursorA(HINSTANCE, const char*) { return reinterpret_cast<HCURSOR>(1); }
HBRUSH GetStockObject(int) { return reinterpret_cast<HBRUSH>(1); }

// ---- Platform extras and test seams -------------------------------------------------------------

void PlatformSetWindowSamples(int samples) { S().samples = samples > 0 ? samples : 0; }

bool PlatformUseVisibleDisplay(std::string* why) {
  if (S().headless) return true;
  SdlHoldToVisibleDrivers();
  if (SdlVideoInit()) return true;
  if (why) *why = SdlNoDisplayReason();
  return false;
}

void PlatformUseHeadlessWindows(bool headless) { S().headless = headless; }

void PlatformInjectMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowQueueMessage(window, message, wParam, lParam);
}

void PlatformHeadlessSetCursor(int x, int y) {
  S().headlessCursorX = x;
  S().headlessCursorY = y;
}

void PlatformHeadlessSetKey(int virtualKey, bool down) {
  if (virtualKey >= 0 && virtualKey < 256) S().headlessKeys[virtualKey] = down;
}

void PlatformResetWindowsForTests() {
  auto& s = S();
  while (!s.windows.empty()) {
    HWND w = s.windows.back().get();
    w->proc = nullptr;  // no WM_DESTROY into a test's stale procedure
    DestroyWindow(w);
  }
  s.classes.clear();
  s.queue.clear();
  PlatformTakeCloseRequest();
  s.cursorCounter = 0;
  std::memset(s.headlessKeys, 0, sizeof(s.headlessKeys));
  s.headlessCursorX = s.headlessCursorY = 0;
}

int PlatformQueuedMessageCount() { return static_cast<int>(S().queue.size()); }
