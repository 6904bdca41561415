// ImageLocal.h - the per-format decoders behind PlatformImageDecode. Each
// takes the whole file in memory, checks every size against it before
// reading, and fills image (top row first) or gives a reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "Platform/Image.h"

bool ImageDecodeBmp(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                    std::string* error);
bool ImageDecodeTga(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                    std::string* error);
bool ImageDecodeJpeg(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                     std::string* error);
bool ImageDecodePng(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                    std::string* error);

// Null when a header's sides may be decoded (1 .. kPlatformImageMaxSide);
// otherwise the reason, naming the format ("PNG"), written into buffer.
const char* ImageSidesProblem(long long width, long long height, const char* format, char* buffer,
                              std::size_t bufferSize);
// The same as a result: false with the reason in error.
bool ImageSidesOk(long long width, long long height, const char* format, std::string* error);

// Gives image count zeroed pixels. Throws std::bad_alloc when the memory is
// not free (PlatformImageDecode turns that into a refusal).
void ImageAllocatePixels(PlatformImage* image, std::size_t count);

inline std::uint16_t ImageRead16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t ImageRead32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}

inline bool ImageFail(std::string* error, const char* reason) {
  if (error) *error = reason;
  return false;
}
