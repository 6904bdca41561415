// Random.cpp - getrandom(2), retried on interruption and short reads.
#include "Random.h"

#include <cerrno>
#include <sys/random.h>

namespace {
bool g_forceFailure = false;
}

bool PlatformRandomFill(void* buffer, std::size_t size) {
  if (g_forceFailure || (!buffer && size > 0)) return false;
  auto* out = static_cast<unsigned char*>(buffer);
  while (size > 0) {
    const ssize_t got = getrandom(out, size, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    out += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

void PlatformRandomForceFailureForTests(bool fail) { g_forceFailure = fail; }
