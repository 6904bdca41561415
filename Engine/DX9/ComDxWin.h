// ComDxWin.h - the system side of the engine's one window: the window class
// and the single top-level window made from the engine's window settings,
// the window procedure that turns messages into the engine's seven input
// event kinds and its key-state table, one step of the message pump per pass
// of the main loop, the per-pass mouse poll, and the system cursor.
//
// Every call takes the engine window record (Engine/EngWindow.h), whose
// ComDxWinState block this unit owns. There is never more than one window.
//
// Input events sent to EngProgram::InputEventCB are the EngInputKind kinds
// of Engine/EngInput.h; a wheel turn counts whole notches (delta / 120,
// toward zero).
//
// The texture cursor's record, loading and drawing are in
// ComDxWinTextureCursor.h; this unit calls it on mouse moves and at the end
// of each frame.
#pragma once

#include <cstdint>

#include "Platform/WinMsg.h"

class EngWindow;
struct EngWindowSettings;

// The Win32 fields of the engine window record.
struct ComDxWinState {
  HICON icon = nullptr;
  DWORD style = 0;
  HWND handle = nullptr;
  bool maximised = false;
  bool minimised = false;
  bool mouseOutside = true;
  int lastPolledX = 0;
  int lastPolledY = 0;
  bool leftHeldOnLeave = false;
  // One-shot: a left button that was held when the mouse left the window was
  // released outside it (a release event (0, 0) was sent). Read and cleared
  // by ComDxWinTakeLeftReleasedOutside.
  bool leftReleasedOutside = false;
  bool positionRecorded = false;
  int recordedLeft = 0;
  int recordedTop = 0;
  bool windowCreated = false;
  bool cursorVisible = true;
  bool textureCursorInUse = false;
  bool textureCursorHiddenOutside = false;
};

// Registers the class and creates the window (see the file head of
// ComDxWin.cpp). False: no program ("" no message), a second window ("More
// than one window not supported"), "Register Class Failed" or
// "CreateWindow() Failed" (error boxes titled "CreateWindow").
bool ComDxWinCreateWindow(EngWindow* window, EngWindowSettings settings);
// DestroyWindow when a handle exists; clears icon, style, handle and the
// recorded-position flag.
void ComDxWinDestroyWindow(EngWindow* window);
// Clears the block to its start values (mouse outside set).
void ComDxWinResetWindowState(EngWindow* window);
// The class's window procedure.
LRESULT ComDxWinWndProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
// The message handling of the engine window (returns 1 when handled).
LRESULT ComDxWinHandleMessage(EngWindow* window, HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
// One step of the pump: 1 no message, 0 WM_QUIT, 2 a message dispatched.
int ComDxWinProcessMessage();
// Once per pass while the mouse is outside an active window: a left button
// held on leaving and now up sends the release (0, 0) and sets the one-shot
// flag; a moved cursor sends event 1.
void ComDxWinPollMouse(EngWindow* window);
// A message waits in the queue, or a mouse button is held.
bool ComDxWinIsInputUnderWay();
// True once after a left button held on leaving was released outside.
bool ComDxWinTakeLeftReleasedOutside(EngWindow* window);
void ComDxWinSetWindowTitle(EngWindow* window);
// Stores (and unless storeOnly applies) the style for the mode; true.
bool ComDxWinSetWindowStyleForMode(EngWindow* window, int windowed, int width, int height, int bitDepth,
                                   int aaEntry, bool storeOnly);
void ComDxWinMinimiseIfInactive(EngWindow* window, int windowed);
// Windowed: the outer rectangle's left and top, or the position recorded at
// close when no window exists. Otherwise -1, -1 and false. Outputs optional.
bool ComDxWinGetWindowPos(EngWindow* window, int* x, int* y);
// Virtual 640 x 480 position; windowed over the client area.
void ComDxWinSetCursorPos(EngWindow* window, float x, float y);
// Client pixels in windowed mode, screen pixels in full screen. Optional.
void ComDxWinGetCursorPos(EngWindow* window, int* x, int* y);
void ComDxWinShowCursor(EngWindow* window);
void ComDxWinHideCursor(EngWindow* window);
void ComDxWinSetTextureCursorHidden(EngWindow* window, bool hidden);
void ComDxWinDrawTextureCursor(EngWindow* window);
// A client size of at least 1 x 1 that differs from the screen mode goes to
// EngWindow::GotSizeMsg.
void ComDxWinCheckClientSize(EngWindow* window);

// Window styles of the two modes.
constexpr DWORD kComDxWinWindowedStyle = 0x10CF0000;    // WS_OVERLAPPEDWINDOW | WS_VISIBLE
constexpr DWORD kComDxWinFullScreenStyle = 0x90000000;  // WS_POPUP | WS_VISIBLE
