// StarterBox.cpp - the starter's message box over SDL 2 or GTK 3, both
// reached through the dynamic loader (see StarterBox.h). Nothing of either
// is linked: SDL's header gives the box's record types, and GTK's few calls
// are declared here on opaque pointers.
#include "Starter/StarterBox.h"

#include <SDL_messagebox.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Starter/SdlBox.h"
#include "Starter/StarterFit.h"

namespace {

constexpr const char* kSdlLibrary = "libSDL2-2.0.so.0";
constexpr const char* kGtkLibrary = "libgtk-3.so.0";
constexpr const char* kXlibLibrary = "libX11.so.6";

// GTK's values (gtkdialog.h, gtkmessagedialog.h).
constexpr int kGtkDialogModal = 1;
constexpr int kGtkMessageError = 3;
constexpr int kGtkButtonsNone = 0;
constexpr int kGtkWinPosCenter = 1;

struct SdlKit {
  void* library = nullptr;
  int (*show)(const SDL_MessageBoxData*, int*) = nullptr;
};

struct GtkKit {
  void* library = nullptr;
  int (*initCheck)(int*, char***) = nullptr;
  void* (*messageDialogNew)(void*, int, int, int, const char*, ...) = nullptr;
  void (*setTitle)(void*, const char*) = nullptr;
  void (*setPosition)(void*, int) = nullptr;
  void* (*addButton)(void*, const char*, int) = nullptr;
  void (*setDefaultResponse)(void*, int) = nullptr;
  int (*run)(void*) = nullptr;
  void (*destroy)(void*) = nullptr;
  int (*eventsPending)() = nullptr;
  int (*mainIteration)() = nullptr;
  bool initialised = false;
};

// Measures the text of SDL's box in the font it draws with.
struct XlibKit {
  void* library = nullptr;
  Display* (*openDisplay)(const char*) = nullptr;
  int (*closeDisplay)(Display*) = nullptr;
  int (*defaultScreen)(Display*) = nullptr;
  int (*displayWidth)(Display*, int) = nullptr;
  XFontSet (*createFontSet)(Display*, const char*, char***, int*, char**) = nullptr;
  void (*freeFontSet)(Display*, XFontSet) = nullptr;
  void (*freeStringList)(char**) = nullptr;
  XFontSetExtents* (*extentsOfFontSet)(XFontSet) = nullptr;
  int (*textExtents)(XFontSet, const char*, int, XRectangle*, XRectangle*) = nullptr;
};

// Loaded on the first question, kept until StarterBoxClose (Xlib for good).
SdlKit g_sdl;
GtkKit g_gtk;
XlibKit g_xlib;
std::string g_sdlName = kSdlLibrary;
std::string g_gtkName = kGtkLibrary;

template <typename Function>
bool Find(void* library, const char* name, Function* function) {
  *function = reinterpret_cast<Function>(dlsym(library, name));
  return *function != nullptr;
}

bool LoadSdl() {
  if (g_sdl.show) return true;
  if (!g_sdl.library) g_sdl.library = dlopen(g_sdlName.c_str(), RTLD_NOW | RTLD_LOCAL);
  return g_sdl.library && Find(g_sdl.library, "SDL_ShowMessageBox", &g_sdl.show);
}

bool LoadGtk() {
  if (g_gtk.mainIteration) return true;
  // GTK registers its types with GLib for the whole process: once it ran it
  // must stay in memory.
  if (!g_gtk.library) g_gtk.library = dlopen(g_gtkName.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  void* l = g_gtk.library;
  return l && Find(l, "gtk_init_check", &g_gtk.initCheck) &&
         Find(l, "gtk_message_dialog_new", &g_gtk.messageDialogNew) &&
         Find(l, "gtk_window_set_title", &g_gtk.setTitle) && Find(l, "gtk_window_set_position", &g_gtk.setPosition) &&
         Find(l, "gtk_dialog_add_button", &g_gtk.addButton) &&
         Find(l, "gtk_dialog_set_default_response", &g_gtk.setDefaultResponse) &&
         Find(l, "gtk_dialog_run", &g_gtk.run) && Find(l, "gtk_widget_destroy", &g_gtk.destroy) &&
         Find(l, "gtk_events_pending", &g_gtk.eventsPending) &&
         Find(l, "gtk_main_iteration", &g_gtk.mainIteration);
}

bool LoadXlib() {
  if (g_xlib.textExtents) return true;
  // Xlib keeps the locale modules it loads for a font set: it stays.
  if (!g_xlib.library) g_xlib.library = dlopen(kXlibLibrary, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  void* l = g_xlib.library;
  return l && Find(l, "XOpenDisplay", &g_xlib.openDisplay) && Find(l, "XCloseDisplay", &g_xlib.closeDisplay) &&
         Find(l, "XDefaultScreen", &g_xlib.defaultScreen) && Find(l, "XDisplayWidth", &g_xlib.displayWidth) &&
         Find(l, "XCreateFontSet", &g_xlib.createFontSet) && Find(l, "XFreeFontSet", &g_xlib.freeFontSet) &&
         Find(l, "XFreeStringList", &g_xlib.freeStringList) &&
         Find(l, "XExtentsOfFontSet", &g_xlib.extentsOfFontSet) &&
         Find(l, "Xutf8TextExtents", &g_xlib.textExtents);
}

// The question fitted to the X screen in SDL's font (StarterFit.h); as it
// is without Xlib, the display or the font.
void FitForSdl(StarterMessage* message) {
  Display* display = LoadXlib() ? g_xlib.openDisplay(nullptr) : nullptr;
  if (!display) return;
  char** missing = nullptr;
  int missingCount = 0;
  XFontSet fonts = g_xlib.createFontSet(display, kSdlBoxFont, &missing, &missingCount, nullptr);
  if (missing) g_xlib.freeStringList(missing);
  if (fonts) {
    const SdlBoxMeasure measure = [fonts](const char* text, int length) {
      XRectangle ink{}, logical{};
      g_xlib.textExtents(fonts, text, length, &ink, &logical);
      return static_cast<int>(logical.width);
    };
    const XFontSetExtents* extents = g_xlib.extentsOfFontSet(fonts);
    const int lineHeight = extents ? extents->max_logical_extent.height : 0;
    StarterFitMessage(message, g_xlib.displayWidth(display, g_xlib.defaultScreen(display)), lineHeight, measure);
    g_xlib.freeFontSet(display, fonts);
  }
  g_xlib.closeDisplay(display);
}

std::string Joined(const StarterMessage& message, const char* between) {
  std::string text;
  for (const std::string& line : message.lines) {
    if (!text.empty()) text += between;
    text += line;
  }
  return text;
}

int ShowWithSdl(StarterMessage message) {
  // SDL's box neither wraps its lines nor narrows its buttons.
  FitForSdl(&message);
  std::vector<SDL_MessageBoxButtonData> buttons;
  for (std::size_t i = 0; i < message.buttons.size(); ++i) {
    SDL_MessageBoxButtonData button{};
    // SDL's box answers Escape only through a button of its own.
    button.flags = i == 0 ? SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT : 0;
    button.buttonid = message.buttons[i].id;
    button.text = message.buttons[i].text.c_str();
    buttons.push_back(button);
  }
  const std::string text = Joined(message, "\n\n");
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_ERROR | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.title = message.title.c_str();
  box.message = text.c_str();
  box.numbuttons = static_cast<int>(buttons.size());
  box.buttons = buttons.data();
  int answer = -1;
  int shown = 0;
  {
    const SdlBoxAsking asking;  // SDL's child that shows it ends with the starter
    shown = g_sdl.show(&box, &answer);
  }
  if (shown != 0) return -1;
  return answer < 0 ? kStarterClosed : answer;  // the close box presses no button
}

// A button's text without GTK's mnemonic meaning of '_'.
std::string GtkLabel(const std::string& text) {
  std::string label;
  for (char c : text) {
    label += c;
    if (c == '_') label += '_';
  }
  return label;
}

int ShowWithGtk(const StarterMessage& message) {
  if (!g_gtk.initialised) g_gtk.initialised = g_gtk.initCheck(nullptr, nullptr) != 0;
  if (!g_gtk.initialised) return -1;
  const std::string text = Joined(message, "\n\n");
  void* dialog = g_gtk.messageDialogNew(nullptr, kGtkDialogModal, kGtkMessageError, kGtkButtonsNone, "%s",
                                        text.c_str());
  if (!dialog) return -1;
  g_gtk.setTitle(dialog, message.title.c_str());
  g_gtk.setPosition(dialog, kGtkWinPosCenter);
  for (const StarterButton& button : message.buttons) {
    g_gtk.addButton(dialog, GtkLabel(button.text).c_str(), button.id);
  }
  if (!message.buttons.empty()) g_gtk.setDefaultResponse(dialog, message.buttons[0].id);
  const int answer = g_gtk.run(dialog);
  g_gtk.destroy(dialog);
  // Let the window go from the screen before the starter goes on.
  while (g_gtk.eventsPending()) g_gtk.mainIteration();
  // Escape and the close box give GTK's own (negative) responses.
  return answer > 0 ? answer : kStarterClosed;
}

// Headless: the box as it would be shown, answered by its first button.
int LogBox(const char* kit, const StarterMessage& message) {
  std::string buttons;
  for (const StarterButton& button : message.buttons) {
    if (!buttons.empty()) buttons += " | ";
    buttons += button.text;
  }
  const int answer = message.buttons.empty() ? kStarterClosed : message.buttons[0].id;
  std::fprintf(stderr, "[message box, %s] %s: %s [%s] -> %s\n", kit, message.title.c_str(),
               Joined(message, " ").c_str(), buttons.c_str(),
               message.buttons.empty() ? "closed" : message.buttons[0].text.c_str());
  return answer;
}

}  // namespace

bool StarterIsHeadless() {
  const char* headless = std::getenv("CARDOLIA_HEADLESS");
  return headless && *headless && std::strcmp(headless, "0") != 0;
}

bool StarterHasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

int StarterAskWithBox(const StarterMessage& message) {
  if (!StarterHasDisplay()) return -1;
  const bool headless = StarterIsHeadless();
  if (LoadSdl()) {
    if (headless) return LogBox("SDL", message);
    const int answer = ShowWithSdl(message);
    if (answer >= 0) return answer;
  }
  if (LoadGtk()) {
    if (headless) return LogBox("GTK", message);
    return ShowWithGtk(message);
  }
  return -1;
}

void StarterBoxClose() {
  if (g_sdl.library) dlclose(g_sdl.library);
  g_sdl = SdlKit{};
  // GTK stays (RTLD_NODELETE); its functions stay usable for a later box.
}

void StarterBoxSetLibrariesForTests(const char* sdl, const char* gtk) {
  StarterBoxClose();
  g_gtk = GtkKit{};
  g_sdlName = sdl ? sdl : kSdlLibrary;
  g_gtkName = gtk ? gtk : kGtkLibrary;
}
