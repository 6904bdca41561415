// D3D9GLPresent.cpp - the back buffer's part copied to an X11 window through
// GLX_MESA_copy_sub_buffer (see D3D9GLPresent.h). The GLX entry points are
// asked of SDL's GL loader, so nothing here links X11 or GLX itself.
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

void D3D9GLCopySubBuffer(const D3D9GLSubBufferCopier& copier, int x, int y, int width, int height) {
  if (copier.copy && width > 0 && height > 0) copier.copy(copier.display, copier.drawable, x, y, width, height);
}
