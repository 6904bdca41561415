// InputSdl.cpp - SDL events become the window messages a Win32 program sees.
//
//   SDL event                         message(s)
//   key down / up                     WM_KEYDOWN / WM_KEYUP; WM_SYSKEYDOWN /
//                                     WM_SYSKEYUP while the left Alt is held,
//                                     for Alt itself and for F10
//   Enter, Backspace, Tab, Escape     also WM_CHAR 13, 8, 9, 27 (not with Alt)
//   text input (UTF-8)                WM_CHAR per character in CP1252;
//                                     dropped while the left Alt is held;
//                                     a character CP1252 lacks comes as
//                                     WM_CHAR with its code point (above
//                                     255), for the text to refuse it
//                                     visibly; C1 control codes are dropped
//   mouse motion                      WM_MOUSEMOVE (client x, y); queued moves
//                                     collapse into the latest
//   button down                       WM_xBUTTONDOWN, or WM_xBUTTONDBLCLK for
//                                     the second click of a pair when the
//                                     window class has CS_DBLCLKS
//   button up                         WM_xBUTTONUP
//   wheel                             WM_MOUSEWHEEL, 120 per notch; fractions
//                                     of precise wheels add up to whole notches
//   window size changed               WM_SIZE (SIZE_RESTORED) + WM_EXITSIZEMOVE
//   minimised / maximised / restored  WM_SIZE SIZE_MINIMIZED / MAXIMIZED /
//                                     RESTORED
//   focus gained / lost               WM_ACTIVATE WA_ACTIVE / WA_INACTIVE
//   exposed                           WM_PAINT
//   close request                     WM_CLOSE
//   SDL_QUIT                          the close request of CloseRequest.h:
//                                     WM_CLOSE to the first window, once
//                                     one exists
//   mouse left the window             WM_MOUSELEAVE
// Keys map by position (scancode), letters and digits by the layout's symbol,
// so 'A' is the key that types a; both Shifts are VK_SHIFT, both Controls
// VK_CONTROL, both Alts VK_MENU, as Win32 reports them in WM_KEYDOWN.
#include <SDL.h>

#include <cmath>

#include "Platform/CloseRequest.h"
#include "Platform/Cp1252.h"
#include "Platform/WindowLocal.h"

namespace {

struct ScanVk {
  int scancode;
  int vk;
};

constexpr ScanVk kScanTable[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, VK_BACK},
    {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_SPACE, VK_SPACE},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
    {SDL_SCANCODE_GRAVE, VK_OEM_3},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    {SDL_SCANCODE_SLASH, VK_OEM_2},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL},
    {SDL_SCANCODE_PAUSE, VK_PAUSE},
    {SDL_SCANCODE_INSERT, VK_INSERT},
    {SDL_SCANCODE_HOME, VK_HOME},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR},
    {SDL_SCANCODE_DELETE, VK_DELETE},
    {SDL_SCANCODE_END, VK_END},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
    {SDL_SCANCODE_RIGHT, VK_RIGHT},
    {SDL_SCANCODE_LEFT, VK_LEFT},
    {SDL_SCANCODE_DOWN, VK_DOWN},
    {SDL_SCANCODE_UP, VK_UP},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},
    {SDL_SCANCODE_KP_PLUS, VK_ADD},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
    {SDL_SCANCODE_APPLICATION, VK_APPS},
    {SDL_SCANCODE_LCTRL, VK_CONTROL},
    {SDL_SCANCODE_RCTRL, VK_CONTROL},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT},
    {SDL_SCANCODE_LALT, VK_MENU},
    {SDL_SCANCODE_RALT, VK_MENU},
    {SDL_SCANCODE_LGUI, VK_LWIN},
    {SDL_SCANCODE_RGUI, VK_RWIN},
};

// Fractional wheel turns not yet sent, in 1/120 notches.
double g_wheelRest = 0.0;

int VirtualKeyOf(const SDL_Keysym& key) {
  const SDL_Keycode sym = key.sym;
  if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
  if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
  return InputSdlVirtualKey(key.scancode);
}

WPARAM MouseKeyFlags() {
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  const SDL_Keymod mod = SDL_GetModState();
  WPARAM flags = 0;
  if (buttons & SDL_BUTTON_LMASK) flags |= MK_LBUTTON;
  if (buttons & SDL_BUTTON_RMASK) flags |= MK_RBUTTON;
  if (buttons & SDL_BUTTON_MMASK) flags |= MK_MBUTTON;
  if (mod & KMOD_SHIFT) flags |= MK_SHIFT;
  if (mod & KMOD_CTRL) flags |= MK_CONTROL;
  return flags;
}

HWND TargetOf(Uint32 windowId) {
  HWND w = WindowFromSdlId(windowId);
  return w ? w : WindowFirst();
}

void KeyEvent(const SDL_KeyboardEvent& e) {
  HWND window = TargetOf(e.windowID);
  if (!window) return;
  const int vk = VirtualKeyOf(e.keysym);
  if (vk == 0) return;
  const bool down = e.type == SDL_KEYDOWN;
  const bool leftAlt = (e.keysym.mod & KMOD_LALT) != 0 || e.keysym.scancode == SDL_SCANCODE_LALT;
  const bool system = leftAlt || vk == VK_F10;
  LPARAM lParam = 1 | (static_cast<LPARAM>(e.keysym.scancode & 0xFF) << 16);
  if (leftAlt) lParam |= 1 << 29;
  if (e.repeat) lParam |= 1 << 30;
  if (!down) lParam |= static_cast<LPARAM>(3) << 30;
  const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  WindowQueueMessage(window, message, static_cast<WPARAM>(vk), lParam);
  if (down && !system) {
    int ch = 0;
    if (vk == VK_RETURN) ch = 13;
    if (vk == VK_BACK) ch = 8;
    if (vk == VK_TAB) ch = 9;
    if (vk == VK_ESCAPE) ch = 27;
    if (ch) WindowQueueMessage(window, WM_CHAR, static_cast<WPARAM>(ch), lParam);
  }
}

void TextEvent(const SDL_TextInputEvent& e) {
  HWND window = TargetOf(e.windowID);
  if (!window || (SDL_GetModState() & KMOD_LALT)) return;
  const char* p = e.text;
  while (*p) {
    char32_t codePoint = 0;
    const std::size_t used = Utf8DecodeOne(p, &codePoint);
    if (used == 0) break;
    p += used;
    const int byte = Cp1252FromCodePoint(codePoint);
    if (byte > 0) {
      WindowQueueMessage(window, WM_CHAR, static_cast<WPARAM>(byte), 1);
    } else if (codePoint > 0xFF) {
      WindowQueueMessage(window, WM_CHAR, static_cast<WPARAM>(codePoint), 1);
    }
  }
}

void ButtonEvent(const SDL_MouseButtonEvent& e) {
  HWND window = TargetOf(e.windowID);
  if (!window || e.which == SDL_TOUCH_MOUSEID) return;
  UINT down, up, dbl;
  switch (e.button) {
    case SDL_BUTTON_LEFT: down = WM_LBUTTONDOWN, up = WM_LBUTTONUP, dbl = WM_LBUTTONDBLCLK; break;
    case SDL_BUTTON_RIGHT: down = WM_RBUTTONDOWN, up = WM_RBUTTONUP, dbl = WM_RBUTTONDBLCLK; break;
    case SDL_BUTTON_MIDDLE: down = WM_MBUTTONDOWN, up = WM_MBUTTONUP, dbl = WM_MBUTTONDBLCLK; break;
    default: return;
  }
  UINT message = up;
  if (e.type == SDL_MOUSEBUTTONDOWN)
    message = ((window->classStyle & CS_DBLCLKS) && e.clicks >= 2 && e.clicks % 2 == 0) ? dbl : down;
  WindowQueueMessage(window, message, MouseKeyFlags(), MAKELPARAM(e.x, e.y));
}

void WheelEvent(const SDL_MouseWheelEvent& e) {
  HWND window = TargetOf(e.windowID);
  if (!window) return;
  double notches = e.preciseY;
  if (e.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
  // Whole notches only: the window procedure divides by 120, so a partial
  // turn would be lost; it waits here until it adds up.
  g_wheelRest += notches * WHEEL_DELTA;
  const int delta = static_cast<int>(std::trunc(g_wheelRest / WHEEL_DELTA)) * WHEEL_DELTA;
  if (delta == 0) return;
  g_wheelRest -= delta;
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  WindowQueueMessage(window, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(MouseKeyFlags()), delta), MAKELPARAM(x, y));
}

void WindowEvent(const SDL_WindowEvent& e) {
  HWND window = WindowFromSdlId(e.windowID);
  if (!window) return;
  int w = 0, h = 0;
  if (window->sdl) SDL_GL_GetDrawableSize(window->sdl, &w, &h);
  switch (e.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      WindowQueueMessage(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w, h));
      WindowQueueMessage(window, WM_EXITSIZEMOVE, 0, 0);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      window->minimized = true;
      WindowQueueMessage(window, WM_SIZE, SIZE_MINIMIZED, 0);
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      WindowQueueMessage(window, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(w, h));
      break;
    case SDL_WINDOWEVENT_RESTORED:
      window->minimized = false;
      WindowQueueMessage(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w, h));
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      WindowQueueMessage(window, WM_ACTIVATE, WA_ACTIVE, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      WindowQueueMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      WindowQueueMessage(window, WM_PAINT, 0, 0);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      WindowQueueMessage(window, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_LEAVE:
      WindowQueueMessage(window, WM_MOUSELEAVE, 0, 0);
      break;
    default:
      break;
  }
}

}  // namespace

int InputSdlVirtualKey(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) return VK_F1 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) return VK_F1 + 12 + (scancode - SDL_SCANCODE_F13);
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) return VK_NUMPAD0 + 1 + (scancode - SDL_SCANCODE_KP_1);
  if (scancode == SDL_SCANCODE_KP_0) return VK_NUMPAD0;
  for (const ScanVk& e : kScanTable)
    if (e.scancode == scancode) return e.vk;
  return 0;
}

int InputSdlScancodeOf(int virtualKey) {
  for (int scancode = 1; scancode < SDL_NUM_SCANCODES; ++scancode)
    if (InputSdlVirtualKey(scancode) == virtualKey) return scancode;
  return 0;
}

bool InputSdlWait(DWORD ms) {
  if (!SdlVideoInit()) return false;
  const int timeout = ms == INFINITE ? -1 : static_cast<int>(ms > 0x7FFFFFFF ? 0x7FFFFFFF : ms);
  return SDL_WaitEventTimeout(nullptr, timeout) == 1;
}

void InputSdlWake() {
  // SDL's queue takes events from any thread; without SDL's events nobody
  // waits in SDL, and the push fails harmlessly.
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
  SDL_Event e{};
  e.type = SDL_USEREVENT;
  SDL_PushEvent(&e);
}

void InputSdlPump() {
  if (!SdlVideoInit()) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        KeyEvent(e.key);
        break;
      case SDL_TEXTINPUT:
        TextEvent(e.text);
        break;
      case SDL_MOUSEMOTION: {
        HWND window = TargetOf(e.motion.windowID);
        if (window && e.motion.which != SDL_TOUCH_MOUSEID)
          WindowQueueMessage(window, WM_MOUSEMOVE, MouseKeyFlags(), MAKELPARAM(e.motion.x, e.motion.y));
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        ButtonEvent(e.button);
        break;
      case SDL_MOUSEWHEEL:
        WheelEvent(e.wheel);
        break;
      case SDL_WINDOWEVENT:
        WindowEvent(e.window);
        break;
      case SDL_QUIT:
        PlatformRequestClose();
        break;
      default:
        break;
    }
  }
}
