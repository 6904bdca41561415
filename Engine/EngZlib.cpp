// EngZlib.cpp - one-call deflate into a zlib stream.
// State: g_versionNoted, so that the library-version note appears once a run.
#include "Engine/EngZlib.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

#include "Engine/Debug.h"

namespace {
bool g_versionNoted = false;

// The leading number of a version text ("1" of "1.2.13"); -1 without one.
long MajorOf(const char* version) {
  if (!version || *version < '0' || *version > '9') return -1;
  return std::strtol(version, nullptr, 10);
}
}  // namespace

EngZlibVersionMatch EngZlibCompareVersions(const char* library, const char* built) {
  const long major = MajorOf(library);
  if (major < 0 || major != MajorOf(built)) return EngZlibVersionMatch::kIncompatible;
  return std::strcmp(library, built) == 0 ? EngZlibVersionMatch::kSame : EngZlibVersionMatch::kOtherRelease;
}

bool EngZlibDeflateData(const void* input, unsigned long inputLength, void* output,
                        unsigned long* outputLength, int level) {
  const char* where = "EngZlibDeflateData";
  if (!outputLength || !output || (!input && inputLength > 0)) {
    DebugError(where, "Invalid parameters");
    return false;
  }
  // The library found at run time against the headers built with: another
  // release of the same major version deflates alike and is only noted.
  const char* version = zlibVersion();
  const EngZlibVersionMatch match = EngZlibCompareVersions(version, ZLIB_VERSION);
  if (match == EngZlibVersionMatch::kIncompatible) {
    DebugError(where, "incopatible zlib versions (%s vs %s)", version ? version : "", ZLIB_VERSION);
    return false;
  }
  if (match == EngZlibVersionMatch::kOtherRelease && !g_versionNoted) {
    g_versionNoted = true;
    DebugNote("different zlib version (%s vs %s)", version, ZLIB_VERSION);
  }
  z_stream stream;
  std::memset(&stream, 0, sizeof(stream));
  // Initialised against the headers we compile with: the stream record's
  // size must be the library's own.
  int result = deflateInit_(&stream, level, ZLIB_VERSION, static_cast<int>(sizeof(z_stream)));
  if (result != Z_OK) {
    DebugError(where, "deflateInit() error %d", result);
    return false;
  }
  stream.next_in = static_cast<Bytef*>(const_cast<void*>(input));
  stream.avail_in = static_cast<uInt>(inputLength);
  stream.next_out = static_cast<Bytef*>(output);
  stream.avail_out = static_cast<uInt>(*outputLength);
  result = deflate(&stream, Z_FINISH);
  if (result != Z_STREAM_END) {
    // The stream is ended on every path, also after a failed deflate.
    deflateEnd(&stream);
    if (result == Z_OK || result == Z_BUF_ERROR) {
      DebugError(where, "out buffer not big enough");
    } else {
      DebugError(where, "deflate() error %d", result);
    }
    return false;
  }
  if (stream.avail_in != 0) {
    deflateEnd(&stream);
    DebugError(where, "deflate() internal error 1");
    return false;
  }
  const unsigned long total = stream.total_out;
  result = deflateEnd(&stream);
  if (result != Z_OK) {
    DebugError(where, "deflateEnd() error: %d", result);
    return false;
  }
  if (total > *outputLength) {
    DebugError(where, "deflate() internal error 2");
    return false;
  }
  *outputLength = total;
  return true;
}

void EngZlibResetForTests() { g_versionNoted = false; }
