// EngJpeg.cpp - JPEG writing over libjpeg. A fatal library error jumps back
// to the writer (Platform/JpegErrors.h), which then cleans up and reports.
// The writer keeps only plain C locals between setjmp and the library calls
// so that the jump skips no destructor.
#include "Engine/EngJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <memory>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngTga.h"
#include "Platform/Files.h"
#include "Platform/JpegErrors.h"

bool EngJpegWriteFileFromBuffer(const char* name, int quality, int dotsPerInch, int width,
                                int height, const unsigned char* rgbRows) {
  static const char* const kWhere = "EngJpegWriteFileFromBuffer";
  if (!name || !*name || !rgbRows || width < 1 || height < 1 || width > JPEG_MAX_DIMENSION ||
      height > JPEG_MAX_DIMENSION) {
    DebugError(kWhere, "Invalid Parameters");
    return false;
  }
  jpeg_compress_struct info;
  JpegErrorManager error;
  info.err = JpegUseErrorManager(&error);
  std::FILE* volatile stream = nullptr;
  // A file begun and not finished (a full disk) is removed: half a picture
  // would pass for a whole one.
  if (setjmp(error.jump) != 0) {
    jpeg_destroy_compress(&info);
    if (stream) {
      std::fclose(stream);
      EngFileDelete(name);
    }
    DebugError(kWhere, "libjpeg: %s (file %s)", error.message, name);
    return false;
  }
  jpeg_create_compress(&info);
  stream = PlatformFileOpen(name, "wb");
  if (!stream) {
    jpeg_destroy_compress(&info);
    DebugError(kWhere, "Cannot open file %s", name);
    return false;
  }
  jpeg_stdio_dest(&info, stream);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  if (dotsPerInch > 0) {
    info.density_unit = 1;  // dots per inch
    info.X_density = static_cast<UINT16>(dotsPerInch);
    info.Y_density = static_cast<UINT16>(dotsPerInch);
  }
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgbRows + info.next_scanline * rowBytes);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  const bool closed = std::fclose(stream) == 0;
  stream = nullptr;
  jpeg_destroy_compress(&info);
  if (!closed) {
    EngFileDelete(name);
    DebugError(kWhere, "Could not write file %s", name);
    return false;
  }
  return true;
}

bool EngJpegSaveToFileFromTga(const char* name, const EngTga* image, int quality,
                              int dotsPerInch) {
  static const char* const kWhere = "EngJpegSaveToFileFromTga";
  if (!name || !*name || !image || !image->HasData()) {
    DebugError(kWhere, "Invalid Parameters");
    return false;
  }
  if (image->GetBitsPerPixel() != 32) {
    DebugError(kWhere, "Invalid data Bpp (%d)", image->GetBitsPerPixel());
    return false;
  }
  const int width = image->GetWidth();
  const int height = image->GetHeight();
  std::unique_ptr<unsigned char[]> rows(
      new (std::nothrow) unsigned char[static_cast<std::size_t>(width) * height * 3]);
  if (!rows) {
    DebugError(kWhere, "No memory");
    return false;
  }
  unsigned char* out = rows.get();
  for (int y = 0; y < height; ++y) {  // top row first
    const std::uint32_t* row = image->RowFromTop(y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = row[x];
      *out++ = static_cast<unsigned char>(pixel >> 16);
      *out++ = static_cast<unsigned char>(pixel >> 8);
      *out++ = static_cast<unsigned char>(pixel);
    }
  }
  return EngJpegWriteFileFromBuffer(name, quality, dotsPerInch, width, height, rows.get());
}
