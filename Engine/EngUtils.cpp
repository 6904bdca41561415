// EngUtils.cpp - bounded string helpers. No state.
#include "Engine/EngUtils.h"

#include <cstring>

#include "Engine/Debug.h"

char* EngSafeStrcpy(char* destination, const char* source, int size) {
  if (!destination) {
    DebugError("EngSafeStrcpy", "No string");
    return nullptr;
  }
  if (!source || !*source || size < 1) return destination;
  const std::size_t room = static_cast<std::size_t>(size) - 1;
  std::size_t length = std::strlen(source);
  if (length > room) length = room;
  std::memmove(destination, source, length);
  destination[length] = '\0';
  return destination;
}

int EngUtilsStrnicmp(const char* a, const char* b, int n) {
  if (n == 0) return 0;
  if (!a || !b) return -1;
  for (int i = 0; n < 0 || i < n; ++i) {
    // Compared as signed characters, A-Z folded to a-z.
    signed char ca = static_cast<signed char>(a[i]);
    signed char cb = static_cast<signed char>(b[i]);
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<signed char>(ca - 'A' + 'a');
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<signed char>(cb - 'A' + 'a');
    if (ca < cb) return -1;
    if (ca > cb) return 1;
    if (ca == 0) return 0;
  }
  return 0;
}
