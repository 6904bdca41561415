// D3D9GLPresent.cpp - the back buffer's part copied to an X11 window through
// GLX_MESA_copy_sub_buffer (see D3D9GLPresent.h). The GLX entry points are
// asked of SDL's GL loader, so nothing here links GLX itself; the window's
// size is asked of Xlib.
#include "Platform/D3D9GLPresent.h"

#include <SDL_syswm.h>

#include <cstring>

namespace {

using QueryExtensionsFn = const char* (*)(Display*, int);
using CopySubBufferFn = void (*)(Display*, ::Window, int, int, int, int);

// True when the space-separated list holds the name as a whole word.
bool ListHas(const char* list, const char* name) {
  const std::size_t n = std::strlen(name);
  for (const char* p = list; p && *p;) {
    const char* end = std::strchr(p, ' ');
    const std::size_t length = end ? static_cast<std::size_t>(end - p) : std::strlen(p);
    if (length == n && std::strncmp(p, name, n) == 0) return true;
    p = end ? end + 1 : nullptr;
  }
  return false;
}

// What a look through the event queue found: a size of the window other
// than the one asked about.
struct OtherSize {
  ::Window window;
  int width, height;
  bool found;
};

Bool NoteOtherSize(Display*, XEvent* event, XPointer arg) {
  auto* look = reinterpret_cast<OtherSize*>(arg);
  const XConfigureEvent& e = event->xconfigure;
  if (event->type == ConfigureNotify && e.window == look->window && (e.width != look->width || e.height != look->height))
    look->found = true;
  return False;  // takes nothing out of the queue
}

}  // namespace

D3D9GLSubBufferCopier D3D9GLFindSubBufferCopier(SDL_Window* window) {
  D3D9GLSubBufferCopier copier;
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return copier;
  Display* display = info.info.x11.display;
  auto query = reinterpret_cast<QueryExtensionsFn>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
  if (!display || !query || !ListHas(query(display, DefaultScreen(display)), "GLX_MESA_copy_sub_buffer"))
    return copier;
  if (!SDL_GL_GetProcAddress("glXCopySubBufferMESA")) return copier;
  copier.display = display;
  copier.drawable = info.info.x11.window;
  copier.copy = [](void* d, unsigned long drawable, int x, int y, int width, int height) {
    static auto copySubBuffer = reinterpret_cast<CopySubBufferFn>(SDL_GL_GetProcAddress("glXCopySubBufferMESA"));
    copySubBuffer(static_cast<Display*>(d), static_cast<::Window>(drawable), x, y, width, height);
  };
#else
  (void)window;
#endif
  return copier;
}

bool D3D9GLWindowHasSize(const D3D9GLSubBufferCopier& copier, int width, int height) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (!copier.copy) return false;
  auto* display = static_cast<Display*>(copier.display);
  const auto window = static_cast<::Window>(copier.drawable);
  ::Window root = 0;
  int x = 0, y = 0;
  unsigned w = 0, h = 0, border = 0, depth = 0;
  if (!XGetGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth)) return false;
  if (static_cast<int>(w) != width || static_cast<int>(h) != height) return false;
  // The reply came after every event the server sent before it, so a
  // resize SDL has not read yet is in the queue by now.
  OtherSize look{window, width, height, false};
  XEvent event;
  XCheckIfEvent(display, &event, NoteOtherSize, reinterpret_cast<XPointer>(&look));
  return !look.found;
#else
  (void)copier;
  (void)width;
  (void)height;
  return false;
#endif
}

void D3D9GLCopySubBuffer(const D3D9GLSubBufferCopier& copier, int x, int y, int width, int height) {
  if (copier.copy && width > 0 && height > 0) copier.copy(copier.display, copier.drawable, x, y, width, height);
}
