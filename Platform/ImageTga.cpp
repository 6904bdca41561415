// ImageTga.cpp - our reader of uncompressed true-colour TGA pictures (image
// type 2), 24- or 32-bit, with the rows bottom-up (the usual origin) or
// top-down (descriptor bit 5) and the columns right-to-left when bit 4 says
// so. 32-bit pictures keep their fourth byte as alpha, whatever the
// descriptor's alpha-bit count says: the engine writes its own 32-bit
// pictures with a descriptor of 0.
#include "Platform/ImageLocal.h"

namespace {

constexpr std::size_t kHeaderSize = 18;

}  // namespace

bool ImageDecodeTga(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                    std::string* error) {
  if (size < kHeaderSize) return ImageFail(error, "TGA header is cut short");
  const std::size_t idLength = bytes[0];
  const int colourMapType = bytes[1];
  const int imageType = bytes[2];
  const long long width = ImageRead16(bytes + 12);
  const long long height = ImageRead16(bytes + 14);
  const int bits = bytes[16];
  const int descriptor = bytes[17];
  if (colourMapType != 0 || imageType != 2) {
    return ImageFail(error, "TGA kind not supported (only uncompressed true colour)");
  }
  if (bits != 24 && bits != 32) return ImageFail(error, "TGA bit depth not supported");
  if (!ImageSidesOk(width, height, "TGA", error)) return false;
  const std::size_t bytesPerPixel = static_cast<std::size_t>(bits / 8);
  const std::size_t start = kHeaderSize + idLength;
  const std::size_t pixelBytes = static_cast<std::size_t>(width * height) * bytesPerPixel;
  if (start > size || pixelBytes > size - start) return ImageFail(error, "TGA pixels are cut short");

  const bool topDown = (descriptor & 0x20) != 0;
  const bool rightToLeft = (descriptor & 0x10) != 0;
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  image->hasAlpha = bits == 32;
  ImageAllocatePixels(image, static_cast<std::size_t>(width * height));
  for (long long y = 0; y < height; ++y) {
    const long long fileRow = topDown ? y : height - 1 - y;
    const std::uint8_t* row = bytes + start + static_cast<std::size_t>(fileRow * width) * bytesPerPixel;
    std::uint32_t* out = image->pixels.data() + static_cast<std::size_t>(y * width);
    for (long long x = 0; x < width; ++x) {
      const std::uint8_t* p = row + static_cast<std::size_t>(rightToLeft ? width - 1 - x : x) * bytesPerPixel;
      const std::uint32_t a = bits == 32 ? p[3] : 255;
      out[x] = (a << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
  }
  return true;
}
