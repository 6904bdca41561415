// Tests of JPEG writing: the file decodes back to the image, top row first,
// with the density asked for.
#include <cstdio>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>
#include <jpeglib.h>

#include "Engine/EngJpeg.h"
#include "Engine/EngTga.h"
#include "tests/Support/TestSupport.h"

namespace {

class EngJpegTest : public TempDirTest {};

struct DecodedJpeg {
  int width = 0, height = 0, components = 0;
  int densityUnit = -1, xDensity = 0, yDensity = 0;
  std::vector<unsigned char> rgb;
};

// Reads a JPEG file back with libjpeg (the default error handler is fine in a test).
DecodedJpeg ReadJpeg(const char* name) {
  DecodedJpeg result;
  std::FILE* file = std::fopen(name, "rb");
  if (!file) return result;
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  result.densityUnit = info.density_unit;
  result.xDensity = info.X_density;
  result.yDensity = info.Y_density;
  jpeg_start_decompress(&info);
  result.width = static_cast<int>(info.output_width);
  result.height = static_cast<int>(info.output_height);
  result.components = info.output_components;
  result.rgb.resize(static_cast<std::size_t>(result.width) * result.height * result.components);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = result.rgb.data() + info.output_scanline * result.width * result.components;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return result;
}

TEST_F(EngJpegTest, ImageIsWrittenTopRowFirstWithItsDensity) {
  // A 3 x 2 sheet: light grey on top, dark grey below. Greys carry no chroma,
  // so subsampling cannot blur the rows into each other.
  EngTga sheet;
  ASSERT_TRUE(sheet.Create(3, 2, 32));
  for (int x = 0; x < 3; ++x) {
    sheet.SetPixelFromTop(x, 0, 0xFFD0D0D0);
    sheet.SetPixelFromTop(x, 1, 0xFF303030);
  }
  ASSERT_TRUE(EngJpegSaveToFileFromTga("Sheet.jpg", &sheet, 100, 300));
  const DecodedJpeg jpeg = ReadJpeg("Sheet.jpg");
  ASSERT_EQ(jpeg.width, 3);
  ASSERT_EQ(jpeg.height, 2);
  ASSERT_EQ(jpeg.components, 3);
  EXPECT_EQ(jpeg.densityUnit, 1);
  EXPECT_EQ(jpeg.xDensity, 300);
  EXPECT_EQ(jpeg.yDensity, 300);
  EXPECT_NEAR(jpeg.rgb[0], 0xD0, 12);
  EXPECT_NEAR(jpeg.rgb[3 * 3], 0x30, 12);

  // Channel order on a flat picture: pure red stays red.
  EngTga red;
  ASSERT_TRUE(red.CreateWithColour(16, 16, 32, 1, 0, 0, 1));
  ASSERT_TRUE(EngJpegSaveToFileFromTga("Red.jpg", &red, 90, 0));
  const DecodedJpeg redJpeg = ReadJpeg("Red.jpg");
  ASSERT_EQ(redJpeg.rgb.size(), 16u * 16u * 3u);
  EXPECT_GT(redJpeg.rgb[0], 230);
  EXPECT_LT(redJpeg.rgb[1], 25);
  EXPECT_LT(redJpeg.rgb[2], 25);
  EXPECT_NE(redJpeg.densityUnit, 1);  // no density asked: the library's default aspect ratio
}

TEST_F(EngJpegTest, BadArgumentsAndUnwritableFilesAreReported) {
  EngTga empty;
  EXPECT_FALSE(EngJpegSaveToFileFromTga("x.jpg", &empty, 90, 300));
  EXPECT_TRUE(LogContains("( EngJpegSaveToFileFromTga )    Invalid Parameters"));
  EXPECT_FALSE(EngJpegSaveToFileFromTga("x.jpg", nullptr, 90, 300));

  EngTga image;
  ASSERT_TRUE(image.CreateWithColour(2, 2, 32, 0, 0, 0, 1));
  EXPECT_FALSE(EngJpegSaveToFileFromTga("no/such/folder/x.jpg", &image, 90, 300));
  EXPECT_TRUE(LogContains("( EngJpegWriteFileFromBuffer )    Cannot open file no/such/folder/x.jpg"));

  const unsigned char rgb[3] = {1, 2, 3};
  EXPECT_FALSE(EngJpegWriteFileFromBuffer("x.jpg", 90, 0, 0, 1, rgb));
  EXPECT_TRUE(LogContains("( EngJpegWriteFileFromBuffer )    Invalid Parameters"));
}

}  // namespace
