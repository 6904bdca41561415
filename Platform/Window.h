// Window.h - top-level windows, the message pump, the cursor and the mouse
// and key state, in the shape of the Win32 calls the engine's window code
// makes. Our own declarations; two back ends:
//   SDL       (default) real windows with an OpenGL-capable visual; SDL events
//             become WinMsg records (InputSdl.cpp has the conversion).
//   headless  windows are records only; tests post messages, move the cursor
//             and press keys through the seams at the end of this file.
//
// Implemented: one window class table, any number of windows (the engine
// makes one), WS_POPUP windows are full screen, WM_DESTROY sent
// synchronously by DestroyWindow, WM_QUIT posted by PostQuitMessage,
// DefWindowProcA's defaults for WM_CLOSE (destroys the window) and Alt+F4
// (WM_CLOSE). Consecutive mouse moves waiting in the queue collapse into the
// latest, so input never lags behind at one message per pass.
// Not implemented: child windows, menus, icons and cursor resources (handles
// are accepted and ignored), window extra bytes, WM_CREATE.
#pragma once

#include <string>

#include "Platform/WinMsg.h"

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using ATOM = WORD;

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  const char* lpszMenuName;
  const char* lpszClassName;
};

// ---- Classes and windows ----------------------------------------------------------

// Registers a class by name. 0 when the name is missing or taken (then
// GetLastError() of Platform/Files.h gives ERROR_CLASS_ALREADY_EXISTS).
ATOM RegisterClassA(const WNDCLASSA* windowClass);

// Creates a top-level window of a registered class. x, y, width, height are
// the outer rectangle (CW_USEDEFAULT for x and y centres it); for WS_POPUP the
// window covers the display in full screen at width x height when the
// display offers that mode, else at the desktop size. The title is CP1252.
// Null when the class is unknown or the window system refuses. A WM_QUIT
// still queued from an earlier window's end is dropped.
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);
// Sends WM_DESTROY to the window's procedure, then frees the window.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
// GWL_STYLE only. Setting WS_POPUP on a window makes it full screen,
// clearing it makes it a window again. Returns the previous style.
LONG SetWindowLongA(HWND window, int index, LONG value);
LONG GetWindowLongA(HWND window, int index);
// SW_MINIMIZE, SW_RESTORE, SW_HIDE, SW_SHOWNORMAL.
BOOL ShowWindow(HWND window, int command);
BOOL SetWindowTextA(HWND window, const char* text);

// Outer rectangle in screen pixels (frame included).
BOOL GetWindowRect(HWND window, RECT* rect);
// (0, 0, client width, client height).
BOOL GetClientRect(HWND window, RECT* rect);
BOOL ScreenToClient(HWND window, POINT* point);
BOOL ClientToScreen(HWND window, POINT* point);
// Grows a client rectangle to the outer rectangle of a window of that style
// (the frame the window manager adds; 0 for WS_POPUP).
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);

// ---- Messages ------------------------------------------------------------------------

// Takes the next message (any window) into msg: TRUE when there was one.
// Pumps the window system first when the queue is empty. A waiting close
// request (CloseRequest.h) comes first, as WM_CLOSE to the first window,
// and waits while no window exists. PM_NOREMOVE leaves it queued.
BOOL PeekMessageA(WinMsg* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits until a message is there to take or ms milliseconds have passed
// (INFINITE: no limit). WAIT_OBJECT_0 + count when a message waits, else
// WAIT_TIMEOUT. Only the message queue is waited on here: count must be 0.
// Headless, the wait goes in steps of 1 ms (the fake clock's Sleep), asking
// the pump hook each step, so a test's hook can post what arrives meanwhile.
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD QS_ALLINPUT = 0x04FF;
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms, DWORD wakeMask);
// Nothing to do here (character messages come from the pump itself).
BOOL TranslateMessage(const WinMsg* msg);
// Calls the procedure of the message's window; 0 for a message without one.
LRESULT DispatchMessageA(const WinMsg* msg);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Posts WM_QUIT with the exit code.
void PostQuitMessage(int exitCode);
// WM_CLOSE destroys the window; WM_SYSKEYDOWN of VK_F4 posts WM_CLOSE;
// everything else 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks for WM_MOUSELEAVE when the mouse leaves the window (always on here).
constexpr DWORD TME_LEAVE = 0x00000002;
struct TRACKMOUSEEVENT {
  DWORD cbSize;
  DWORD dwFlags;
  HWND hwndTrack;
  DWORD dwHoverTime;
};
BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track);

// ---- Cursor, mouse and keys -----------------------------------------------------------

BOOL SetCursorPos(int x, int y);  // screen pixels
BOOL GetCursorPos(POINT* point);  // screen pixels
// Display counter: TRUE adds one, FALSE takes one; the cursor shows while the
// counter is 0 or more. Returns the new counter.
int ShowCursor(BOOL show);
// KEY_DOWN_BIT set while the key (or VK_LBUTTON/RBUTTON/MBUTTON) is down.
short GetAsyncKeyState(int virtualKey);

// ---- System values ----------------------------------------------------------------------

// SPI_GETWORKAREA (a RECT of the primary display's usable area) and
// SPI_GETWHEELSCROLLLINES (a UINT: 3).
BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni);
// Display size in pixels: SM_CXSCREEN, SM_CYSCREEN.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
int GetSystemMetrics(int index);

// Module, icon, cursor and brush handles: placeholders that the window calls
// accept. GetModuleFileNameA gives the running program's path.
HINSTANCE GetModuleHandleA(const char* moduleName);
DWORD GetModuleFileNameA(HINSTANCE module, char* fileName, DWORD size);
HICON ExtractIconA(HINSTANCE instance, const char* fileName, UINT index);
inline const char* const IDC_ARROW = reinterpret_cast<const char*>(32512);
HCURSOR LoadCursorA(HINSTANCE instance, const char* cursorName);
constexpr int GRAY_BRUSH = 2;
HBRUSH GetStockObject(int object);

// ---- Platform extras ----------------------------------------------------------------------

// Multisample count (0 = none) of the GL visual of windows created from now
// on; the device's anti-aliasing needs it before the window exists.
void PlatformSetWindowSamples(int samples);

// For a program the player is to see, before anything else starts SDL's
// video: windows go on an X or Wayland display only from now on (Wayland
// only where WAYLAND_DISPLAY is set; another of SDL's drivers only when
// SDL_VIDEODRIVER names it), never on a driver that shows nothing. True when such a display is open (or the headless
// back end is on); else false, and why says which display could not be
// opened.
bool PlatformUseVisibleDisplay(std::string* why);

// Drops waiting input and paint messages for at most seconds, keeping
// WM_QUIT, WM_CLOSE and WM_DESTROY queued. Returns the number dropped.
int PlatformFlushInputMessages(double seconds);
// Drops the first waiting message that is not WM_QUIT, WM_CLOSE or
// WM_DESTROY; false when none waits.
bool PlatformRemoveOneDroppableMessage();

// Called by PeekMessageA before it looks at the queue, so that a unit whose
// work ends on another thread (the music's end, Platform/Mci.h) can post its
// message from the pumping thread. One hook; null removes it.
using PlatformPumpHook = void (*)();
void PlatformSetPumpHook(PlatformPumpHook hook);

// From any thread: a MsgWaitForMultipleObjects waiting now or next ends at
// once (WAIT_OBJECT_0, with or without a message), so that work ended on
// another thread is looked at without waiting for input.
void PlatformWakeMessageWait();

// ---- Test seams ----------------------------------------------------------------------------

// Headless back end on or off (windows made before keep their back end).
void PlatformUseHeadlessWindows(bool headless);
// Queues a message as if the window system had sent it (mouse moves
// collapse as real ones do).
void PlatformInjectMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Headless cursor position (screen pixels) and key/button state.
void PlatformHeadlessSetCursor(int x, int y);
void PlatformHeadlessSetKey(int virtualKey, bool down);
// Drops every queued message and a waiting close request, and forgets every
// window and class.
void PlatformResetWindowsForTests();
// Messages waiting in the queue.
int PlatformQueuedMessageCount();
