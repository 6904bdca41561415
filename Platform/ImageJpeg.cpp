// ImageJpeg.cpp - JPEG pictures through libjpeg's decompression interface.
// A fatal library error jumps back here (Platform/JpegErrors.h), where only
// plain locals live between setjmp and the library calls, and the decoder is
// destroyed before the reason is returned.
//
// A hostile file must not make the decoder run away: the picture's sides
// are checked before decoding starts, the library's own working memory is
// capped (a progressive picture keeps all its coefficients), and a file
// with an absurd number of progressive scans is refused, as each scan is a
// pass over the whole picture.
#include <csetjmp>
#include <cstdio>
#include <new>

#include "Platform/ImageLocal.h"
#include "Platform/JpegErrors.h"

namespace {

// Far more than any encoder writes (a progressive picture has about ten).
constexpr int kMaxScans = 1000;
// The library's working memory: the coefficients of a 4096 x 4096 colour
// picture with room to spare.
constexpr long kMaxLibraryMemory = 256l * 1024 * 1024;

// The decompressor with the progress hook that counts its scans; the hook
// finds the error manager (and its jump) through the decompressor.
void RefuseEndlessScans(j_common_ptr common) {
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  if (info->input_scan_number <= kMaxScans) return;
  auto* errors = reinterpret_cast<JpegErrorManager*>(common->err);
  std::snprintf(errors->message, sizeof errors->message, "too many scans");
  std::longjmp(errors->jump, 1);
}

// Reads the picture into image; false with the reason. Plain C state only,
// because of the jump.
bool Decode(const std::uint8_t* bytes, std::size_t size, PlatformImage* image, char* reason,
            std::size_t reasonSize) {
  jpeg_decompress_struct info;
  JpegErrorManager error;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = RefuseEndlessScans;
  info.err = JpegUseErrorManager(&error);
  if (setjmp(error.jump) != 0) {
    jpeg_destroy_decompress(&info);
    std::snprintf(reason, reasonSize, "JPEG: %s", error.message);
    return false;
  }
  jpeg_create_decompress(&info);
  info.progress = &progress;
  info.mem->max_memory_to_use = kMaxLibraryMemory;
  jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (ImageSidesProblem(info.image_width, info.image_height, "JPEG", reason, reasonSize)) {
    jpeg_destroy_decompress(&info);
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
  try {
    ImageAllocatePixels(image, static_cast<std::size_t>(width) * height);
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&info);
    std::snprintf(reason, reasonSize, "not enough memory for the picture");
    return false;
  }
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
  char reason[JMSG_LENGTH_MAX + 80];
  if (!Decode(bytes, size, image, reason, sizeof(reason))) {
    image->pixels.clear();
    return ImageFail(error, reason);
  }
  return true;
}
