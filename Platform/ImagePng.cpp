// ImagePng.cpp - PNG pictures through libpng's simplified reading interface,
// which reports errors in the image record instead of jumping. Every PNG
// kind (palette, grey, 16-bit, with or without alpha) is converted by the
// library to 8-bit B, G, R, A, which is our pixel word in memory order.
#include <png.h>

#include <new>

#include "Platform/ImageLocal.h"

bool ImageDecodePng(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                    std::string* error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes, size)) {
    std::string reason = std::string("PNG: ") + png.message;
    png_image_free(&png);
    return ImageFail(error, reason.c_str());
  }
  if (!ImageSidesOk(png.width, png.height, "PNG", error)) {
    png_image_free(&png);
    return false;
  }
  const bool fileHasAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  png.format = PNG_FORMAT_BGRA;
  image->width = static_cast<int>(png.width);
  image->height = static_cast<int>(png.height);
  try {
    ImageAllocatePixels(image, static_cast<std::size_t>(png.width) * png.height);
  } catch (const std::bad_alloc&) {
    png_image_free(&png);
    return ImageFail(error, "not enough memory for the picture");
  }
  // Words are written through their bytes: B, G, R, A is 0xAARRGGBB only on
  // a little-endian machine, which is every machine we build for.
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixel words assume little endian");
  if (!png_image_finish_read(&png, nullptr, image->pixels.data(),
                             static_cast<png_int_32>(png.width * 4), nullptr)) {
    std::string reason = std::string("PNG: ") + png.message;
    png_image_free(&png);
    image->pixels.clear();
    return ImageFail(error, reason.c_str());
  }
  image->hasAlpha = fileHasAlpha;
  return true;
}
