// Memory.cpp - the allocator's thresholds and trimming (see Memory.h).
#include "Platform/Memory.h"

#include <malloc.h>

namespace {
constexpr int kLargeBlockBytes = 128 * 1024;
}  // namespace

void PlatformMemoryKeepLargeBlocksApart() {
  // Fixed thresholds also stop the allocator from raising them by itself.
  mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
  mallopt(M_TRIM_THRESHOLD, kLargeBlockBytes);
}

void PlatformMemoryReturnFreePages() { malloc_trim(0); }
