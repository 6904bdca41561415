// PictureDecoderFuzz.cpp - the picture decoders behind every texture made
// from a file (decks, boards, card backs, elements the player adds): any
// bytes as a picture file. Built once per format (FUZZ_PICTURE_FORMAT is
// Bmp, Tga, Png or Jpeg): an input of another format is passed over, so
// each program spends its time on its own decoder.
#include <string>
#include <vector>

#include <png.h>

#include "Engine/EngJpeg.h"
#include "Platform/Image.h"
#include "tests/Fuzz/FuzzSupport.h"

#define FUZZ_JOIN(a, b) a##b
#define FUZZ_FORMAT(name) FUZZ_JOIN(PlatformImageFormat::k, name)

namespace {

constexpr PlatformImageFormat kFormat = FUZZ_FORMAT(FUZZ_PICTURE_FORMAT);

// A small picture with a gradient and a transparent corner, top row first.
std::vector<std::uint32_t> Pixels(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t alpha = (x == 0 && y == 0) ? 0x40 : 0xFF;
      pixels.push_back((alpha << 24) | ((x * 40u & 0xFF) << 16) | ((y * 60u & 0xFF) << 8) | 0x80);
    }
  }
  return pixels;
}

void Put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, unsigned long v) {
  Put16(s, static_cast<unsigned>(v & 0xFFFF));
  Put16(s, static_cast<unsigned>((v >> 16) & 0xFFFF));
}

// A Windows bitmap with the 40-byte header, 24- or 32-bit, bottom-up.
std::string Bmp(int width, int height, int bits) {
  const std::vector<std::uint32_t> pixels = Pixels(width, height);
  const int stride = ((width * bits + 31) / 32) * 4;
  std::string s = "BM";
  Put32(s, 54u + stride * height);
  Put32(s, 0);
  Put32(s, 54);
  Put32(s, 40);
  Put32(s, static_cast<unsigned long>(width));
  Put32(s, static_cast<unsigned long>(height));
  Put16(s, 1);
  Put16(s, static_cast<unsigned>(bits));
  for (int i = 0; i < 6; ++i) Put32(s, 0);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      for (int i = 0; i < bits / 8; ++i) row += static_cast<char>(pixels[y * width + x] >> (8 * i));
    }
    row.resize(static_cast<std::size_t>(stride), '\0');
    s += row;
  }
  return s;
}

// An uncompressed true-colour TGA, bottom-up, 24- or 32-bit.
std::string Tga(int width, int height, int bits) {
  const std::vector<std::uint32_t> pixels = Pixels(width, height);
  std::string s(18, '\0');
  s[2] = 2;
  s[12] = static_cast<char>(width);
  s[14] = static_cast<char>(height);
  s[16] = static_cast<char>(bits);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      for (int i = 0; i < bits / 8; ++i) s += static_cast<char>(pixels[y * width + x] >> (8 * i));
    }
  }
  return s;
}

std::string Png(int width, int height, bool alpha) {
  const std::vector<std::uint32_t> pixels = Pixels(width, height);
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGRA & ~PNG_FORMAT_FLAG_ALPHA;
  std::vector<std::uint8_t> source;
  for (std::uint32_t p : pixels) {
    source.push_back(static_cast<std::uint8_t>(p));
    source.push_back(static_cast<std::uint8_t>(p >> 8));
    source.push_back(static_cast<std::uint8_t>(p >> 16));
    if (alpha) source.push_back(static_cast<std::uint8_t>(p >> 24));
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, source.data(), 0, nullptr)) return "";
  std::string bytes(size, '\0');
  png_image_write_to_memory(&png, bytes.data(), &size, 0, source.data(), 0, nullptr);
  bytes.resize(size);
  return bytes;
}

std::string Jpeg(int width, int height, int quality) {
  std::vector<unsigned char> rgb;
  for (std::uint32_t p : Pixels(width, height)) {
    rgb.push_back(static_cast<unsigned char>(p >> 16));
    rgb.push_back(static_cast<unsigned char>(p >> 8));
    rgb.push_back(static_cast<unsigned char>(p));
  }
  if (!EngJpegWriteFileFromBuffer("seed.jpg", quality, 0, width, height, rgb.data())) return "";
  return FuzzReadFile("seed.jpg");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  if (PlatformImageDetectFormat(data, size) != kFormat) return 0;
  PlatformImage image;
  std::string error;
  if (!PlatformImageDecode(data, size, &image, &error)) {
    FUZZ_CHECK(!error.empty() && image.pixels.empty() && image.width == 0);
    return 0;
  }
  FUZZ_CHECK(image.width >= 1 && image.height >= 1);
  FUZZ_CHECK(image.width <= kPlatformImageMaxSide && image.height <= kPlatformImageMaxSide);
  FUZZ_CHECK(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height);
  // As the texture loader does with a small picture: up to powers of two.
  if (image.pixels.size() <= 4096) {
    const PlatformImage scaled =
        PlatformImageResize(image, PlatformImageNextPowerOfTwo(image.width),
                            PlatformImageNextPowerOfTwo(image.height));
    FUZZ_CHECK(scaled.pixels.size() == static_cast<std::size_t>(scaled.width) * scaled.height);
  }
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  FuzzBeginInput();  // the JPEG writer writes a file
  switch (kFormat) {
    case PlatformImageFormat::kBmp:
      return {{"seed-24.bmp", Bmp(5, 3, 24)}, {"seed-32.bmp", Bmp(4, 4, 32)}};
    case PlatformImageFormat::kTga:
      return {{"seed-24.tga", Tga(5, 3, 24)}, {"seed-32.tga", Tga(4, 4, 32)}};
    case PlatformImageFormat::kPng:
      return {{"seed-rgb.png", Png(5, 3, false)}, {"seed-rgba.png", Png(8, 8, true)}};
    case PlatformImageFormat::kJpeg:
      return {{"seed-q90.jpg", Jpeg(16, 16, 90)}, {"seed-q50.jpg", Jpeg(9, 7, 50)}};
    default:
      return {};
  }
}
