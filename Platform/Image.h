// Image.h - decoding picture files into plain pixel buffers.
//
// The texture loader hands any picture to these decoders; the file's bytes,
// never its name, decide the decoder:
//   PNG    by its 8-byte signature                 libpng
//   JPEG   by its start-of-image marker FF D8 FF   libjpeg
//   BMP    by "BM" and a known header size         our own reader: 8-bit
//          palette, 24- and 32-bit, bottom-up and top-down rows
//   TGA    by a plausible header (it has no magic)  our own reader:
//          uncompressed true colour, 24- and 32-bit, both row origins
// Anything else is refused. Nothing here reports through the engine's log:
// every failure returns false with a short reason for the caller to report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The largest side a decoded picture may have: the largest texture the game
// makes. A header that promises more is refused before anything is
// allocated, so a small hostile file cannot ask for gigabytes.
constexpr int kPlatformImageMaxSide = 4096;
// The largest picture file read: room for a 4096 x 4096 picture in the
// least compact format the decoders take (32-bit BMP), with its headers.
constexpr long long kPlatformImageMaxFileBytes = 80ll * 1024 * 1024;

enum class PlatformImageFormat { kUnknown, kBmp, kTga, kJpeg, kPng };

// A decoded picture: width x height words 0xAARRGGBB, top row first. hasAlpha
// says the file carried an alpha channel; pictures without one are opaque
// (alpha 255).
struct PlatformImage {
  PlatformImageFormat format = PlatformImageFormat::kUnknown;  // the file's
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
  }
};

// The format the bytes look like (kUnknown when none).
PlatformImageFormat PlatformImageDetectFormat(const std::uint8_t* bytes, std::size_t size);

// Decodes a whole file held in memory. On failure image is emptied and
// error (when given) holds the reason; running out of memory is such a
// failure ("not enough memory for the picture"), never an exception.
bool PlatformImageDecode(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                         std::string* error);

// Reads a game path (PlatformNativePath) and decodes it. A file larger than
// kPlatformImageMaxFileBytes is refused unread.
bool PlatformImageLoadFile(const char* name, PlatformImage* image, std::string* error);

// Scales a picture to a new size with a tent (bilinear) filter, as the texture
// loader does when it rounds sizes up to powers of two. Same size: a copy.
// Allocates the result: may throw std::bad_alloc (callers that load catch it).
PlatformImage PlatformImageResize(const PlatformImage& image, int width, int height);

// The smallest power of two that is at least value (value >= 1).
int PlatformImageNextPowerOfTwo(int value);

// Test seam: pixel buffers of more than bytes fail as if the memory were
// not free (0: no limit).
void PlatformImageLimitPixelMemoryForTests(std::size_t bytes);
