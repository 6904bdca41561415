// EngZlib.h - compressing one buffer into a zlib stream (RFC 1950 header,
// deflate data, Adler-32 trailer) in a single call.
// State: whether the library-version warning was logged in this run.
#pragma once

// On entry *outputLength is the output's capacity; on success it becomes the
// bytes written. level: 0-9, or -1 for the library default. Failures report
// under "EngZlibDeflateData" ("out buffer not big enough", "deflate() error
// %d", "Invalid parameters" for null pointers, ...) and leave *outputLength
// unchanged. A library of another major version than the headers built
// with is refused ("incopatible zlib versions (%s vs %s)"); another release
// of the same major version is noted once per run.
bool EngZlibDeflateData(const void* input, unsigned long inputLength, void* output,
                        unsigned long* outputLength, int level);

// How a zlib library version text stands to the one built with: the same,
// another release of the same major version, or another major version (or
// no version text).
enum class EngZlibVersionMatch { kSame, kOtherRelease, kIncompatible };
EngZlibVersionMatch EngZlibCompareVersions(const char* library, const char* built);

// Test seam: the version warning may be logged again.
void EngZlibResetForTests();
