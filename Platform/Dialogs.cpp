// Dialogs.cpp - the message box over SDL (or the window system's box the
// plain windows set) and the file opener over xdg-open (started by
// Shell.cpp's detached spawn).
// State: the tests' listener and Yes/No answers, the window-system box, the
// hook after a box.
#include "Dialogs.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "BoxPlacer.h"
#include "BoxText.h"
#include "Cp1252.h"
#include "Files.h"
#include "Shell.h"
#include "Starter/SdlBox.h"

namespace {

PlatformDialogListener g_listener = nullptr;
void* g_listenerContext = nullptr;
std::deque<int> g_yesNoAnswers;
PlatformWindowBox g_windowBox = nullptr;
PlatformBoxClosedHook g_boxClosed = nullptr;

int DefaultAnswer(UINT type) { return (type & 0xF) == MB_YESNO ? IDNO : IDOK; }

// Headless: the tests' next answer to a Yes/No box, else the default.
int HeadlessAnswer(UINT type) {
  if ((type & 0xF) != MB_YESNO || g_yesNoAnswers.empty()) return DefaultAnswer(type);
  const int answer = g_yesNoAnswers.front();
  g_yesNoAnswers.pop_front();
  return answer;
}

// The X window of an SDL window; 0 for none or on another display system.
std::uint32_t XWindowOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return static_cast<std::uint32_t>(info.info.x11.window);
}

// SDL's box (GTK's where SDL cannot show one, once GTK runs), over the
// game's window when there is one.
int ShowWithSdl(const std::string& utf8Text, const std::string& utf8Caption, UINT type) {
  const bool yesNo = (type & 0xF) == MB_YESNO;

  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  if ((type & 0xF0) == MB_ICONERROR) flags = SDL_MESSAGEBOX_ERROR;
  if ((type & 0xF0) == MB_ICONWARNING) flags = SDL_MESSAGEBOX_WARNING;

  SDL_MessageBoxButtonData buttons[2] = {};
  int buttonCount = 1;
  if (yesNo) {
    buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"};
    buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"};
    buttonCount = 2;
  } else {
    buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                  IDOK, "OK"};
  }
  SDL_MessageBoxData box = {};
  box.flags = flags;
  // Over the game's window the box is its dialog: kept above it, also in
  // full screen, and centred on it.
  box.window = SDL_GL_GetCurrentWindow();
  int windowWidth = 0;
  if (box.window) SDL_GetWindowSize(box.window, &windowWidth, nullptr);
  // SDL's box does not wrap its lines.
  const std::string fitted = BoxTextFitScreen(utf8Text, windowWidth);
  box.title = utf8Caption.c_str();
  box.message = fitted.c_str();
  box.numbuttons = buttonCount;
  box.buttons = buttons;
  int pressed = -1;
  int shown = 0;
  {
    const SdlBoxAsking asking;  // SDL's child that shows it ends with the game
    // SDL misplaces its box where no window manager places it.
    const BoxPlacer placer(XWindowOf(box.window));
    shown = SDL_ShowMessageBox(&box, &pressed);
  }
  if (shown != 0) {
    if (g_windowBox) {
      const int answer = g_windowBox(utf8Text.c_str(), utf8Caption.c_str(), type);
      if (answer != 0) return answer;
    }
    std::fprintf(stderr, "[message box] %s: %s (could not show: %s)\n", utf8Caption.c_str(),
                 utf8Text.c_str(), SDL_GetError());
    return DefaultAnswer(type);
  }
  // Closing the box without a button counts as the escape answer.
  if (pressed < 0) return DefaultAnswer(type);
  return pressed;
}

}  // namespace

bool PlatformIsHeadless() {
  const char* headless = std::getenv("CARDOLIA_HEADLESS");
  if (headless && *headless && std::strcmp(headless, "0") != 0) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return !(x11 && *x11) && !(wayland && *wayland);
}

int MessageBoxA(void*, const char* text, const char* caption, UINT type) {
  if (g_listener) g_listener(text ? text : "", caption ? caption : "", type, g_listenerContext);
  const std::string utf8Text = Cp1252ToUtf8(text ? text : "");
  const std::string utf8Caption = Cp1252ToUtf8(caption ? caption : "");

  if (PlatformIsHeadless()) {
    const int answer = HeadlessAnswer(type);
    std::fprintf(stderr, "[message box] %s: %s -> %s\n", utf8Caption.c_str(), utf8Text.c_str(),
                 answer == IDYES ? "Yes" : answer == IDNO ? "No" : "OK");
    return answer;
  }

  // Before the game's window, at start-up, the boxes follow GTK windows.
  if (g_windowBox && !SDL_GL_GetCurrentWindow()) {
    const int answer = g_windowBox(utf8Text.c_str(), utf8Caption.c_str(), type);
    if (answer != 0) return answer;
  }
  const int answer = ShowWithSdl(utf8Text, utf8Caption, type);
  // The box's place on the game's window is drawn again at once.
  if (g_boxClosed && SDL_GL_GetCurrentWindow()) g_boxClosed();
  return answer;
}

bool PlatformOpenWithShell(const char* path) {
  if (!path || !*path || PlatformIsHeadless()) return false;
  const std::string native = PlatformNativePath(path);
  const char* argv[] = {"xdg-open", native.c_str(), nullptr};
  return PlatformSpawnDetached(argv, nullptr);
}

void PlatformDialogsSetListener(PlatformDialogListener listener, void* context) {
  g_listener = listener;
  g_listenerContext = context;
}

void PlatformDialogsUseWindowBox(PlatformWindowBox box) { g_windowBox = box; }

void PlatformDialogsSetBoxClosedHook(PlatformBoxClosedHook hook) { g_boxClosed = hook; }

void PlatformDialogsAnswerNextYesNo(int answer) { g_yesNoAnswers.push_back(answer); }
void PlatformDialogsClearAnswers() { g_yesNoAnswers.clear(); }
