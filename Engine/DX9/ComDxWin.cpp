// ComDxWin.cpp - the engine window's system side (see ComDxWin.h).
//
// Messages of the window procedure (handled = 1; the rest go on to
// DefWindowProcA):
//   WM_DESTROY       unless changing mode: quit flag, WM_QUIT, program quit;
//                    the handle is forgotten
//   WM_SIZE          activation; maximised/minimised/restored transitions
//                    check the client size
//   WM_ACTIVATE      activation (low byte of wParam)
//   WM_PAINT         redraw request of the event-driven loop
//   WM_CLOSE         records the window position, logs "CLOSING DOWN", sets
//                    the quit flag
//   WM_KEYDOWN/UP    key state 2/0, events 5/6
//   WM_CHAR          event 7
//   WM_SYSKEYDOWN    Alt: key state; Alt+Enter: full-screen toggle (fatal
//                    when it fails); F10-F12: key state, no event
//   WM_SYSKEYUP      Alt, F10-F12: key state 0
//   WM_MOUSEMOVE     event 1; coming back in re-reads the buttons
//   WM_xBUTTON*      key states 1/2/4, event 2; WM_LBUTTONDBLCLK event 3
//   WM_MOUSEWHEEL    event 4: (delta / 120) x scroll lines
//   WM_EXITSIZEMOVE  checks the client size
//   WM_MOUSELEAVE    remembers the cursor and whether the left button is held
// Every input event is followed by a redraw request of the event-driven loop
// (caused by the mouse only for moves) and is noted for the frames on demand
// (Engine/EngFrames.h), as are paints and the drawn pointer leaving.
#include "Engine/DX9/ComDxWin.h"

#include <cstring>

#include "Engine/DX9/ComDxWinTextureCursor.h"
#include "Engine/DX9/EngMiscPC.h"
#include "Engine/Debug.h"
#include "Engine/EngFrames.h"
#include "Engine/EngInput.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Platform/Files.h"
#include "Platform/Window.h"

namespace {

bool KeyDown(int vk) { return (GetAsyncKeyState(vk) & KEY_DOWN_BIT) != 0; }

void SetKey(int vk, std::uint8_t state) { EngWindowGetKeyStates()[vk & 0xFF] = state; }

void SendEvent(EngWindow* window, EngInputKind kind, int value1, int value2) {
  EngProgram* program = window->GetProgram();
  if (!program) return;
  program->InputEventCB(kind, value1, value2);
  program->EventDrivenLoopRequestRedraw(kind == kEngInputMouseMove);
  EngFramesNoteInput(kind == kEngInputMouseMove);
}

}  // namespace

// ---- Window life -------------------------------------------------------------------

void ComDxWinResetWindowState(EngWindow* window) { window->Win() = ComDxWinState(); }

bool ComDxWinCreateWindow(EngWindow* window, EngWindowSettings settings) {
  if (!window || !window->GetProgram()) return false;
  if (EngWindowGetCurrent()) {
    EngMiscMessageBox(2, "CreateWindow", "More than one window not supported");
    return false;
  }
  ComDxWinState& win = window->Win();
  HINSTANCE instance = static_cast<HINSTANCE>(EngProgramGetInstanceHandle());
  if (!instance) instance = GetModuleHandleA(nullptr);
  char path[260];
  GetModuleFileNameA(nullptr, path, sizeof(path));
  if (!win.icon) win.icon = ExtractIconA(instance, path, 0);

  settings.className[sizeof(settings.className) - 1] = '\0';
  WNDCLASSA wc{};
  wc.style = settings.doubleClicks > 0 ? CS_DBLCLKS : 0;
  wc.lpfnWndProc = ComDxWinWndProc;
  wc.hInstance = instance;
  wc.hIcon = win.icon;
  wc.hCursor = settings.cursorResource < 1
                   ? LoadCursorA(nullptr, IDC_ARROW)
                   : LoadCursorA(instance, reinterpret_cast<const char*>(static_cast<std::intptr_t>(settings.cursorResource)));
  wc.hbrBackground = GetStockObject(GRAY_BRUSH);
  wc.lpszClassName = settings.className;
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    EngMiscMessageBox(2, "CreateWindow", "Register Class Failed");
    return false;
  }

  const bool windowed = (settings.windowed & 0xFF) != 0;
  if (!window->SetWindowStyleForMode(windowed ? 1 : 0, settings.width, settings.height, settings.bitDepth,
                                     settings.aaEntry, true))
    return false;

  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = settings.width, height = settings.height;
  if (windowed) {
    int workLeft = 0, workTop = 0, workWidth = 0, workHeight = 0;
    EngMiscGetDesktopWorkArea_PC(&workLeft, &workTop, &workWidth, &workHeight);
    if (workWidth > 0 && width > workWidth) width = workWidth;
    if (workHeight > 0 && height > workHeight) height = workHeight;
    RECT rect{0, 0, width, height};
    AdjustWindowRect(&rect, win.style, FALSE);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    if (workWidth > 0 && width > workWidth) width = workWidth;
    if (workHeight > 0 && height > workHeight) height = workHeight;
    if (settings.x >= 0 && settings.y >= 0) {
      x = settings.x;
      y = settings.y;
    } else {
      x = workLeft + workWidth / 2 - width / 2;
      y = workTop + workHeight / 2 - height / 2;
    }
  }

  PlatformSetWindowSamples(settings.multisampleType > 1 ? settings.multisampleType : 0);
  HWND handle = CreateWindowExA(0, settings.className, window->GetTitle(), win.style, x, y, width, height, nullptr,
                                nullptr, instance, nullptr);
  if (!handle) {
    EngMiscMessageBox(2, "CreateWindow", "CreateWindow() Failed");
    return false;
  }
  win.handle = handle;
  int realWidth = settings.width, realHeight = settings.height;
  if (windowed) {
    RECT client{};
    if (GetClientRect(handle, &client)) {
      realWidth = client.right - client.left;
      realHeight = client.bottom - client.top;
    }
  }
  EngWindowSetScreenMode(windowed ? 1 : 0, realWidth, realHeight, settings.bitDepth, settings.aaEntry);
  win.windowCreated = true;
  return true;
}

void ComDxWinDestroyWindow(EngWindow* window) {
  ComDxWinState& win = window->Win();
  if (win.handle) DestroyWindow(win.handle);
  win.icon = nullptr;
  win.style = 0;
  win.handle = nullptr;
  win.positionRecorded = false;
  win.windowCreated = false;
}

// ---- Messages -----------------------------------------------------------------------

LRESULT ComDxWinWndProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  EngWindow* window = EngWindowGetCurrent();
  if (window && window->Win().handle == handle)
    return ComDxWinHandleMessage(window, handle, message, wParam, lParam);
  return DefWindowProcA(handle, message, wParam, lParam);
}

LRESULT ComDxWinHandleMessage(EngWindow* window, HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  ComDxWinState& win = window->Win();
  EngProgram* owner = window->GetProgram();
  switch (message) {
    case WM_DESTROY:
      if (!window->IsChangingMode()) {
        if (owner) owner->SetQuitFlag();
        PostQuitMessage(0);
        if (EngProgram* current = EngProgramGetCurrent()) current->Quit();
      }
      win.handle = nullptr;
      return 1;

    case WM_SIZE:
      window->GotActiveMsg(!(wParam == SIZE_MINIMIZED || wParam == SIZE_MAXHIDE));
      if (wParam == SIZE_MAXIMIZED) {
        win.maximised = true;
        ComDxWinCheckClientSize(window);
      } else if (wParam == SIZE_MINIMIZED) {
        win.minimised = true;
        ComDxWinCheckClientSize(window);
      } else if (wParam == SIZE_RESTORED) {
        if (win.maximised) {
          win.maximised = false;
          ComDxWinCheckClientSize(window);
        } else if (win.minimised) {
          win.minimised = false;
          ComDxWinCheckClientSize(window);
        }
      }
      return DefWindowProcA(handle, message, wParam, lParam);

    case WM_ACTIVATE:
      window->GotActiveMsg(LOBYTE(wParam) != 0);
      return 0;

    case WM_PAINT:
      if (EngProgram* current = EngProgramGetCurrent()) current->EventDrivenLoopRedrawOnPaint();
      EngFramesNoteWindowEvent();
      return DefWindowProcA(handle, message, wParam, lParam);

    case WM_CLOSE: {
      RECT rect;
      if (win.handle && GetWindowRect(win.handle, &rect)) {
        win.recordedLeft = rect.left;
        win.recordedTop = rect.top;
        win.positionRecorded = true;
      }
      // The close box, Alt+F4 and the close requests of signals end the run
      // as Exit does: the shutdown saves after the loop.
      DebugNote("CLOSING DOWN");
      if (owner) owner->SetQuitFlag();
      return DefWindowProcA(handle, message, wParam, lParam);
    }

    case WM_KEYDOWN:
      SetKey(static_cast<int>(wParam), 2);
      SendEvent(window, kEngInputKeyDown, static_cast<int>(wParam), 0);
      return 1;

    case WM_KEYUP:
      SetKey(static_cast<int>(wParam), 0);
      SendEvent(window, kEngInputKeyUp, static_cast<int>(wParam), 0);
      return 1;

    case WM_CHAR:
      SendEvent(window, kEngInputChar, static_cast<int>(wParam), 0);
      return 1;

    case WM_SYSKEYDOWN:
      switch (static_cast<int>(wParam)) {
        case VK_MENU:
          SetKey(VK_MENU, 2);
          return 1;
        case VK_RETURN:
          if (!window->ToggleFullscreenMode()) DebugFatalErrorIf(true, "", "Toggle fullscreen/window mode failed");
          return 1;
        case VK_F10:
        case VK_F11:
        case VK_F12:
          SetKey(static_cast<int>(wParam), 2);
          return 1;
        default:
          return DefWindowProcA(handle, message, wParam, lParam);
      }

    case WM_SYSKEYUP:
      switch (static_cast<int>(wParam)) {
        case VK_MENU:
        case VK_F10:
        case VK_F11:
        case VK_F12:
          SetKey(static_cast<int>(wParam), 0);
          return 1;
        default:
          return DefWindowProcA(handle, message, wParam, lParam);
      }

    case WM_MOUSEMOVE: {
      SendEvent(window, kEngInputMouseMove, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      if (handle == win.handle && win.mouseOutside) {
        win.mouseOutside = false;
        SetKey(VK_LBUTTON, KeyDown(VK_LBUTTON) ? 2 : 0);
        SetKey(VK_RBUTTON, KeyDown(VK_RBUTTON) ? 2 : 0);
        SetKey(VK_MBUTTON, KeyDown(VK_MBUTTON) ? 2 : 0);
        if (win.textureCursorInUse) ComDxWinSetTextureCursorHidden(window, false);
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle, 0};
        if (!_TrackMouseEvent(&track)) DebugReportLastError("TrackMouseEvent");
      }
      if (win.textureCursorInUse) ComDxWinPlaceTextureCursor(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 1;
    }

    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      SetKey(VK_LBUTTON, message == WM_LBUTTONDOWN ? 2 : 0);
      SendEvent(window, kEngInputMouseButton, 0, message == WM_LBUTTONDOWN ? 1 : 0);
      return 1;

    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      SetKey(VK_RBUTTON, message == WM_RBUTTONDOWN ? 2 : 0);
      SendEvent(window, kEngInputMouseButton, 1, message == WM_RBUTTONDOWN ? 1 : 0);
      return 1;

    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      SetKey(VK_MBUTTON, message == WM_MBUTTONDOWN ? 2 : 0);
      SendEvent(window, kEngInputMouseButton, 2, message == WM_MBUTTONDOWN ? 1 : 0);
      return 1;

    case WM_LBUTTONDBLCLK:
      SendEvent(window, kEngInputDoubleClick, 0, 0);
      return 1;

    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      SendEvent(window, kEngInputWheel, (GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA) * static_cast<int>(lines), 2);
      return 1;
    }

    case WM_EXITSIZEMOVE:
      ComDxWinCheckClientSize(window);
      return DefWindowProcA(handle, message, wParam, lParam);

    case WM_MOUSELEAVE:
      if (!win.mouseOutside) {
        int x = 0, y = 0;
        window->GetCursorPos(&x, &y);
        win.lastPolledX = x;
        win.lastPolledY = y;
        win.mouseOutside = true;
        win.leftHeldOnLeave = KeyDown(VK_LBUTTON);
        if (win.textureCursorInUse) {
          ComDxWinSetTextureCursorHidden(window, true);
          EngFramesNoteWindowEvent();  // the drawn pointer goes
        }
      }
      return DefWindowProcA(handle, message, wParam, lParam);

    default:
      return DefWindowProcA(handle, message, wParam, lParam);
  }
}

int ComDxWinProcessMessage() {
  WinMsg msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return 1;
  if (msg.message == WM_QUIT) return 0;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return 2;
}

void ComDxWinPollMouse(EngWindow* window) {
  ComDxWinState& win = window->Win();
  if (!win.mouseOutside || !window->IsActive()) return;
  // Queued input comes first: the button state and the cursor read now may
  // already be past a press and release still waiting (a quick click moved
  // away at once), and a move or release made from them would take that
  // click off its button.
  WinMsg waiting;
  if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE)) return;
  if (win.leftHeldOnLeave && !KeyDown(VK_LBUTTON)) {
    // The drag ended outside the window: end it here too.
    win.leftHeldOnLeave = false;
    SetKey(VK_LBUTTON, 0);
    win.leftReleasedOutside = true;
    SendEvent(window, kEngInputMouseButton, 0, 0);
  }
  int x = 0, y = 0;
  window->GetCursorPos(&x, &y);
  if (x != win.lastPolledX || y != win.lastPolledY) {
    win.lastPolledX = x;
    win.lastPolledY = y;
    SendEvent(window, kEngInputMouseMove, x, y);
  }
}

bool ComDxWinIsInputUnderWay() {
  WinMsg waiting;
  return PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE) || KeyDown(VK_LBUTTON) || KeyDown(VK_RBUTTON) ||
         KeyDown(VK_MBUTTON);
}

bool ComDxWinTakeLeftReleasedOutside(EngWindow* window) {
  const bool released = window->Win().leftReleasedOutside;
  window->Win().leftReleasedOutside = false;
  return released;
}

// ---- Title, style, position -----------------------------------------------------------

void ComDxWinSetWindowTitle(EngWindow* window) {
  if (window->Win().handle) SetWindowTextA(window->Win().handle, window->GetTitle());
}

bool ComDxWinSetWindowStyleForMode(EngWindow* window, int windowed, int, int, int, int, bool storeOnly) {
  ComDxWinState& win = window->Win();
  if (windowed) {
    win.style = kComDxWinWindowedStyle;
    if (!storeOnly && win.handle) SetWindowLongA(win.handle, GWL_STYLE, static_cast<LONG>(win.style));
  } else {
    win.style = kComDxWinFullScreenStyle;
    if (EngProgramGetMainDeviceType() == 1 && !storeOnly && win.handle) {
      ShowWindow(win.handle, SW_RESTORE);
      SetWindowLongA(win.handle, GWL_STYLE, static_cast<LONG>(win.style));
    }
  }
  return true;
}

void ComDxWinMinimiseIfInactive(EngWindow* window, int windowed) {
  if (!windowed && EngProgramGetMainDeviceType() == 1 && window->Win().handle) ShowWindow(window->Win().handle, SW_MINIMIZE);
}

bool ComDxWinGetWindowPos(EngWindow* window, int* x, int* y) {
  ComDxWinState& win = window->Win();
  const bool windowed = EngWindowGetScreenMode().windowed != 0;
  int outX = -1, outY = -1;
  bool ok = false;
  if (win.handle && windowed) {
    RECT rect;
    if (GetWindowRect(win.handle, &rect)) {
      outX = rect.left;
      outY = rect.top;
      ok = true;
    }
  } else if (!win.handle && windowed && win.positionRecorded) {
    outX = win.recordedLeft;
    outY = win.recordedTop;
    ok = true;
  }
  if (x) *x = outX;
  if (y) *y = outY;
  return ok;
}

// ---- Cursor -----------------------------------------------------------------------------

void ComDxWinSetCursorPos(EngWindow* window, float x, float y) {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  if (!mode.windowed) {
    SetCursorPos(static_cast<int>(static_cast<float>(mode.width) * x / 640.0f),
                 static_cast<int>(static_cast<float>(mode.height) * y / 480.0f));
    return;
  }
  // Windowed: over the client area, the space GetCursorPos reports in.
  RECT client;
  POINT origin{0, 0};
  if (!window->Win().handle || !GetClientRect(window->Win().handle, &client) || !ClientToScreen(window->Win().handle, &origin))
    return;
  SetCursorPos(origin.x + static_cast<int>(static_cast<float>(client.right - client.left) * x / 640.0f),
               origin.y + static_cast<int>(static_cast<float>(client.bottom - client.top) * y / 480.0f));
}

void ComDxWinGetCursorPos(EngWindow* window, int* x, int* y) {
  POINT p{0, 0};
  GetCursorPos(&p);
  if (EngWindowGetScreenMode().windowed && window->Win().handle) ScreenToClient(window->Win().handle, &p);
  if (x) *x = p.x;
  if (y) *y = p.y;
}

void ComDxWinShowCursor(EngWindow* window) {
  window->Win().cursorVisible = true;
  if (window->Win().textureCursorInUse) return;
  for (int i = 0; i < 100 && ShowCursor(TRUE) <= 0; ++i) {
  }
}

void ComDxWinHideCursor(EngWindow* window) {
  window->Win().cursorVisible = false;
  if (window->Win().textureCursorInUse) return;
  for (int i = 0; i < 100 && ShowCursor(FALSE) >= 0; ++i) {
  }
}

void ComDxWinSetTextureCursorHidden(EngWindow* window, bool hidden) {
  ComDxWinState& win = window->Win();
  win.textureCursorHiddenOutside = hidden;
  if (!win.textureCursorInUse || !win.cursorVisible) return;
  win.textureCursorInUse = false;
  if (hidden)
    ComDxWinShowCursor(window);
  else
    ComDxWinHideCursor(window);
  win.textureCursorInUse = true;
  win.cursorVisible = true;
}

void ComDxWinDrawTextureCursor(EngWindow* window) { ComDxWinDrawTextureCursorQuad(window); }

void ComDxWinCheckClientSize(EngWindow* window) {
  RECT client;
  if (!window->Win().handle || !GetClientRect(window->Win().handle, &client)) return;
  const int width = client.right - client.left, height = client.bottom - client.top;
  const EngScreenMode& mode = EngWindowGetScreenMode();
  if (width >= 1 && height >= 1 && (width != mode.width || height != mode.height)) window->GotSizeMsg(width, height);
}
