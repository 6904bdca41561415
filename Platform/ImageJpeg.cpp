// ImageJpeg.cpp - JPEG pictures through libjpeg's decompression interface.
// A fatal library error jumps back here (Platform/JpegErrors.h), where only
// plain locals live between setjmp and the library calls, and the decoder is
// destroyed before the reason is returned.
#include <csetjmp>
#include <cstdio>

#include "Platform/ImageLocal.h"
#include "Platform/JpegErrors.h"

namespace {

// Reads the picture into image; false with the library's message. Plain C
// state only, because of the jump.
bool Decode(const std::uint8_t* bytes, std::size_t size, PlatformImage* image, char* reason,
            std::size_t reasonSize) {
  jpeg_decompress_struct info;
  JpegErrorManager error;
  info.err = JpegUseErrorManager(&error);
  if (setjmp(error.jump) != 0) {
    jpeg_destroy_decompress(&info);
    std::snprintf(reason, reasonSize, "JPEG: %s", error.message);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (!ImageSidesOk(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    std::snprintf(reason, reasonSize, "JPEG size out of range");
    return false;
  }
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
    jpeg_destroy_decompress(&info);
    std::snprintf(reason, reasonSize, "JPEG colour space not supported (CMYK)");
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  image->width = width;
  image->height = height;
  image->hasAlpha = false;
  image->pixels.assign(static_cast<std::size_t>(width) * height, 0);
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             static_cast<JDIMENSION>(width) * 3, 1);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, row, 1);
    std::uint32_t* out = image->pixels.data() + static_cast<std::size_t>(y) * width;
    const JSAMPLE* p = row[0];
    for (int x = 0; x < width; ++x, p += 3) {
      out[x] = 0xFF000000u | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

bool ImageDecodeJpeg(const std::uint8_t* bytes, std::size_t size, PlatformImage* image,
                     std::string* error) {
  // The pixel vector lives in the caller's frame, so a jump out of the
  // library never skips its destructor.
  char reason[JMSG_LENGTH_MAX + 16];
  if (!Decode(bytes, size, image, reason, sizeof(reason))) {
    image->pixels.clear();
    return ImageFail(error, reason);
  }
  return true;
}
