// EngZlib.h - compressing one buffer into a zlib stream (RFC 1950 header,
// deflate data, Adler-32 trailer) in a single call.
// State: whether the library-version warning was logged in this run.
#pragma once

// On entry *outputLength is the output's capacity; on success it becomes the
// bytes written. level: 0-9, or -1 for the library default. Failures report
// under "EngZlibDeflateData" ("out buffer not big enough", "deflate() error
// %d", "Invalid parameters" for null pointers, ...) and leave *outputLength
// unchanged. A library version other than 1.2.3 is noted once per run.
bool EngZlibDeflateData(const void* input, unsigned long inputLength, void* output,
                        unsigned long* outputLength, int level);

// Test seam: the version warning may be logged again.
void EngZlibResetForTests();
