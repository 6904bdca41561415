// ImageBmp.cpp - our reader of Windows bitmaps: uncompressed 8-bit palette,
// 24- and 32-bit pictures (32-bit with or without bit-field masks), with the
// rows stored bottom-up (positive height) or top-down (negative height).
// Run-length and other compressed bitmaps are refused.
#include <cstring>

#include "Platform/ImageLocal.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

// One channel of a 32-bit texel under a bit mask, scaled to 0-255.
std::uint32_t MaskedChannel(std::uint32_t texel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  const std::uint32_t field = mask >> shift;
  const std::uint32_t value = (texel & mask) >> shift;
  return field == 0xFF ? value : static_cast<std::uint32_t>((value * 255u + field / 2) / field);
}

}  // namespace

bool ImageDecodeBmp(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                    std::string* error) {
  if (size < kFileHeaderSize + 12 || bytes[0] != 'B' || bytes[1] != 'M') {
    return ImageFail(error, "not a BMP file");
  }
  const std::uint32_t pixelOffset = ImageRead32(bytes + 10);
  const std::uint8_t* info = bytes + kFileHeaderSize;
  const std::uint32_t infoSize = ImageRead32(info);
  if (infoSize < 12 || kFileHeaderSize + infoSize > size) {
    return ImageFail(error, "BMP header is cut short");
  }

  long long width, height;
  int bits;
  std::uint32_t compression = kBiRgb;
  std::uint32_t coloursUsed = 0;
  std::size_t paletteEntrySize = 4;
  if (infoSize == 12) {  // the old core header: 16-bit sides, 3-byte palette entries
    width = ImageRead16(info + 4);
    height = static_cast<std::int16_t>(ImageRead16(info + 6));
    bits = ImageRead16(info + 10);
    paletteEntrySize = 3;
  } else {
    if (infoSize < 40) return ImageFail(error, "BMP header is cut short");
    width = static_cast<std::int32_t>(ImageRead32(info + 4));
    height = static_cast<std::int32_t>(ImageRead32(info + 8));
    bits = ImageRead16(info + 14);
    compression = ImageRead32(info + 16);
    coloursUsed = ImageRead32(info + 32);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (!ImageSidesOk(width, height, "BMP", error)) return false;
  if (bits != 8 && bits != 24 && bits != 32) return ImageFail(error, "BMP bit depth not supported");

  // Masks of 32-bit pictures: from a v4/v5 header, or three words after the
  // 40-byte header; plain 32-bit pictures are X8R8G8B8 (no alpha).
  std::uint32_t red = 0x00FF0000, green = 0x0000FF00, blue = 0x000000FF, alpha = 0;
  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    if (bits != 32) return ImageFail(error, "BMP compression not supported");
    const std::uint8_t* masks = info + 40;
    const std::size_t maskBytes = compression == kBiAlphaBitfields ? 16 : 12;
    if (kFileHeaderSize + 40 + maskBytes > size) {
      return ImageFail(error, "BMP header is cut short");
    }
    red = ImageRead32(masks);
    green = ImageRead32(masks + 4);
    blue = ImageRead32(masks + 8);
    if (infoSize >= 56 || compression == kBiAlphaBitfields) alpha = ImageRead32(masks + 12);
  } else if (compression != kBiRgb) {
    return ImageFail(error, "BMP compression not supported");
  }

  std::uint32_t palette[256] = {};
  if (bits == 8) {
    std::size_t entries = coloursUsed == 0 ? 256 : coloursUsed;
    if (entries > 256) return ImageFail(error, "BMP palette too large");
    const std::size_t paletteStart = kFileHeaderSize + infoSize;
    if (paletteStart + entries * paletteEntrySize > size) {
      return ImageFail(error, "BMP palette is cut short");
    }
    for (std::size_t i = 0; i < entries; ++i) {
      const std::uint8_t* e = bytes + paletteStart + i * paletteEntrySize;
      palette[i] = 0xFF000000u | (std::uint32_t{e[2]} << 16) | (std::uint32_t{e[1]} << 8) | e[0];
    }
  }

  const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (pixelOffset > size || stride * static_cast<std::size_t>(height) > size - pixelOffset) {
    return ImageFail(error, "BMP pixels are cut short");
  }
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  image->hasAlpha = bits == 32 && alpha != 0;
  ImageAllocatePixels(image, static_cast<std::size_t>(width) * height);
  for (long long y = 0; y < height; ++y) {
    const long long fileRow = topDown ? y : height - 1 - y;
    const std::uint8_t* row = bytes + pixelOffset + static_cast<std::size_t>(fileRow) * stride;
    std::uint32_t* out = image->pixels.data() + static_cast<std::size_t>(y) * width;
    for (long long x = 0; x < width; ++x) {
      if (bits == 8) {
        out[x] = palette[row[x]];
      } else if (bits == 24) {
        const std::uint8_t* p = row + x * 3;
        out[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
      } else {
        const std::uint32_t texel = ImageRead32(row + x * 4);
        const std::uint32_t a = alpha ? MaskedChannel(texel, alpha) : 255;
        out[x] = (a << 24) | (MaskedChannel(texel, red) << 16) |
                 (MaskedChannel(texel, green) << 8) | MaskedChannel(texel, blue);
      }
    }
  }
  return true;
}
