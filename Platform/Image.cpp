// Image.cpp - picking the decoder by content, reading files, scaling.
#include "Platform/Image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "Platform/Files.h"
#include "Platform/ImageLocal.h"

namespace {

// Test seam: pixel buffers above this many bytes fail (0: no limit).
std::size_t g_pixelMemoryLimitForTests = 0;

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool LooksLikeBmp(const std::uint8_t* b, std::size_t size) {
  if (size < 26 || b[0] != 'B' || b[1] != 'M') return false;
  const std::uint32_t infoSize = ImageRead32(b + 14);
  return infoSize == 12 || infoSize == 40 || infoSize == 52 || infoSize == 56 ||
         infoSize == 64 || infoSize == 108 || infoSize == 124;
}

// TGA has no signature: a header whose fields all hold known values.
bool LooksLikeTga(const std::uint8_t* b, std::size_t size) {
  if (size < 18) return false;
  const int colourMapType = b[1];
  const int imageType = b[2];
  const int bits = b[16];
  const bool knownType = imageType == 1 || imageType == 2 || imageType == 3 || imageType == 9 ||
                         imageType == 10 || imageType == 11;
  const bool knownBits = bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
  return colourMapType <= 1 && knownType && knownBits && ImageRead16(b + 12) > 0 &&
         ImageRead16(b + 14) > 0 && (b[17] & 0xC0) == 0;
}

}  // namespace

void ImageAllocatePixels(PlatformImage* image, std::size_t count) {
  if (g_pixelMemoryLimitForTests != 0 && count * sizeof(std::uint32_t) > g_pixelMemoryLimitForTests) {
    throw std::bad_alloc();
  }
  image->pixels.assign(count, 0);
}

void PlatformImageLimitPixelMemoryForTests(std::size_t bytes) { g_pixelMemoryLimitForTests = bytes; }

const char* ImageSidesProblem(long long width, long long height, const char* format, char* buffer,
                              std::size_t bufferSize) {
  if (width >= 1 && height >= 1 && width <= kPlatformImageMaxSide &&
      height <= kPlatformImageMaxSide) {
    return nullptr;
  }
  if (width < 1 || height < 1) {
    std::snprintf(buffer, bufferSize, "%s picture has no size (%lld x %lld)", format, width, height);
  } else {
    std::snprintf(buffer, bufferSize, "%s picture too large (%lld x %lld; at most %d x %d)", format,
                  width, height, kPlatformImageMaxSide, kPlatformImageMaxSide);
  }
  return buffer;
}

bool ImageSidesOk(long long width, long long height, const char* format, std::string* error) {
  char reason[128];
  const char* problem = ImageSidesProblem(width, height, format, reason, sizeof reason);
  return problem ? ImageFail(error, problem) : true;
}

PlatformImageFormat PlatformImageDetectFormat(const std::uint8_t* bytes, std::size_t size) {
  if (!bytes) return PlatformImageFormat::kUnknown;
  if (size >= 8 && std::memcmp(bytes, kPngSignature, 8) == 0) return PlatformImageFormat::kPng;
  if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    return PlatformImageFormat::kJpeg;
  }
  if (LooksLikeBmp(bytes, size)) return PlatformImageFormat::kBmp;
  if (LooksLikeTga(bytes, size)) return PlatformImageFormat::kTga;
  return PlatformImageFormat::kUnknown;
}

bool PlatformImageDecode(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                         std::string* error) {
  if (!image) return ImageFail(error, "no image");
  *image = PlatformImage{};
  bool decoded = false;
  const PlatformImageFormat format = PlatformImageDetectFormat(bytes, size);
  try {
    switch (format) {
      case PlatformImageFormat::kPng: decoded = ImageDecodePng(bytes, size, image, error); break;
      case PlatformImageFormat::kJpeg: decoded = ImageDecodeJpeg(bytes, size, image, error); break;
      case PlatformImageFormat::kBmp: decoded = ImageDecodeBmp(bytes, size, image, error); break;
      case PlatformImageFormat::kTga: decoded = ImageDecodeTga(bytes, size, image, error); break;
      default: return ImageFail(error, "unknown picture format");
    }
  } catch (const std::bad_alloc&) {
    // Within the size limit, but the memory is not free now: a failed load,
    // not the end of the program.
    decoded = ImageFail(error, "not enough memory for the picture");
  }
  if (!decoded) {
    *image = PlatformImage{};
    return false;
  }
  image->format = format;
  return true;
}

bool PlatformImageLoadFile(const char* name, PlatformImage* image, std::string* error) {
  if (image) *image = PlatformImage{};
  std::FILE* stream = PlatformFileOpen(name, "rb");
  if (!stream) return ImageFail(error, "cannot open the file");
  std::vector<std::uint8_t> bytes;
  bool readError = false;
  bool tooLarge = false;
  try {
    std::uint8_t chunk[65536];
    std::size_t got;
    while (!tooLarge && (got = std::fread(chunk, 1, sizeof(chunk), stream)) > 0) {
      bytes.insert(bytes.end(), chunk, chunk + got);
      tooLarge = static_cast<long long>(bytes.size()) > kPlatformImageMaxFileBytes;
    }
    readError = std::ferror(stream) != 0;
  } catch (const std::bad_alloc&) {
    std::fclose(stream);
    return ImageFail(error, "not enough memory for the picture");
  }
  std::fclose(stream);
  if (tooLarge) return ImageFail(error, "picture file too large");
  if (readError) return ImageFail(error, "cannot read the file");
  return PlatformImageDecode(bytes.data(), bytes.size(), image, error);
}

int PlatformImageNextPowerOfTwo(int value) {
  int power = 1;
  while (power < value && power < (1 << 30)) power <<= 1;
  return power;
}

PlatformImage PlatformImageResize(const PlatformImage& image, int width, int height) {
  if (width == image.width && height == image.height) return image;
  PlatformImage result;
  result.width = width;
  result.height = height;
  result.hasAlpha = image.hasAlpha;
  ImageAllocatePixels(&result, static_cast<std::size_t>(width) * height);
  if (image.width < 1 || image.height < 1) return result;
  const float scaleX = static_cast<float>(image.width) / width;
  const float scaleY = static_cast<float>(image.height) / height;
  // Rows and pixels through pointers, so that unoptimised builds scale
  // pictures quickly.
  const std::uint32_t* const source = image.pixels.data();
  std::uint32_t* const target = result.pixels.data();
  for (int y = 0; y < height; ++y) {
    // Sample at pixel centres, clamped to the picture's edge.
    const float sy = std::clamp((y + 0.5f) * scaleY - 0.5f, 0.0f, image.height - 1.0f);
    const int y0 = static_cast<int>(sy);
    const int y1 = std::min(y0 + 1, image.height - 1);
    const float fy = sy - y0;
    const std::uint32_t* const upper = source + static_cast<std::size_t>(y0) * image.width;
    const std::uint32_t* const lower = source + static_cast<std::size_t>(y1) * image.width;
    for (int x = 0; x < width; ++x) {
      const float sx = std::clamp((x + 0.5f) * scaleX - 0.5f, 0.0f, image.width - 1.0f);
      const int x0 = static_cast<int>(sx);
      const int x1 = std::min(x0 + 1, image.width - 1);
      const float fx = sx - x0;
      const std::uint32_t corners[4] = {upper[x0], upper[x1], lower[x0], lower[x1]};
      std::uint32_t out = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        float c[4];
        for (int k = 0; k < 4; ++k) c[k] = static_cast<float>((corners[k] >> shift) & 0xFF);
        const float top = c[0] + (c[1] - c[0]) * fx;
        const float bottom = c[2] + (c[3] - c[2]) * fx;
        const float value = top + (bottom - top) * fy;
        out |= static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 255.0f))) << shift;
      }
      target[static_cast<std::size_t>(y) * width + x] = out;
    }
  }
  return result;
}
