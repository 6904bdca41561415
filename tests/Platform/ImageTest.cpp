// Tests of the picture decoders: the bytes choose the decoder, every format
// gives the top-left pixel first, and broken files are refused.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include "Engine/EngJpeg.h"
#include "Platform/Image.h"
#include "tests/Support/TestSupport.h"

namespace {

class ImageTest : public TempDirTest {};

// The 2 x 2 test picture, top row first: red, green / blue, white (half transparent).
const std::uint32_t kPicture[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF};

void Put16(std::string& s, int v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, long long v) {
  Put16(s, static_cast<int>(v & 0xFFFF));
  Put16(s, static_cast<int>((v >> 16) & 0xFFFF));
}

// A BMP with a 40-byte header. pixels are words top row first; bits 8 (then
// the pixels are palette indexes into palette), 24 or 32.
std::string Bmp(int width, int height, int bits, bool topDown, const std::vector<std::uint32_t>& pixels,
                const std::vector<std::uint32_t>& palette = {}) {
  const int stride = ((width * bits + 31) / 32) * 4;
  const int paletteBytes = static_cast<int>(palette.size()) * 4;
  const int offset = 14 + 40 + paletteBytes;
  std::string s = "BM";
  Put32(s, offset + stride * height);
  Put32(s, 0);
  Put32(s, offset);
  Put32(s, 40);
  Put32(s, width);
  Put32(s, topDown ? -height : height);
  Put16(s, 1);
  Put16(s, bits);
  Put32(s, 0);  // BI_RGB
  Put32(s, stride * height);
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, static_cast<long long>(palette.size()));
  Put32(s, 0);
  for (std::uint32_t c : palette) Put32(s, c & 0x00FFFFFF);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    std::string line;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[y * width + x];
      if (bits == 8) {
        line.push_back(static_cast<char>(p));
      } else {
        for (int i = 0; i < bits / 8; ++i) line.push_back(static_cast<char>(p >> (8 * i)));
      }
    }
    line.resize(stride, '\0');
    s += line;
  }
  return s;
}

std::string Tga(int width, int height, int bits, bool topDown, const std::vector<std::uint32_t>& pixels) {
  std::string s(18, '\0');
  s[2] = 2;
  s[12] = static_cast<char>(width);
  s[13] = static_cast<char>(width >> 8);
  s[14] = static_cast<char>(height);
  s[15] = static_cast<char>(height >> 8);
  s[16] = static_cast<char>(bits);
  s[17] = static_cast<char>(topDown ? 0x28 : 0x08);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    for (int x = 0; x < width; ++x)
      for (int i = 0; i < bits / 8; ++i) s.push_back(static_cast<char>(pixels[y * width + x] >> (8 * i)));
  }
  return s;
}

std::string Png(int width, int height, const std::vector<std::uint32_t>& pixels) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = width;
  png.height = height;
  png.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&png, nullptr, &size, 0, pixels.data(), 0, nullptr));
  std::string bytes(size, '\0');
  EXPECT_TRUE(png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels.data(), 0, nullptr));
  bytes.resize(size);
  return bytes;
}

std::string Jpeg(int width, int height, const std::vector<std::uint32_t>& pixels) {
  std::vector<unsigned char> rgb;
  for (std::uint32_t p : pixels) {
    rgb.push_back(static_cast<unsigned char>(p >> 16));
    rgb.push_back(static_cast<unsigned char>(p >> 8));
    rgb.push_back(static_cast<unsigned char>(p));
  }
  EXPECT_TRUE(EngJpegWriteFileFromBuffer("tmp.jpg", 100, 0, width, height, rgb.data()));
  std::ifstream in("tmp.jpg", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Decode(const std::string& bytes, PlatformImage* image, std::string* error = nullptr) {
  return PlatformImageDecode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), image,
                             error);
}

TEST_F(ImageTest, EveryFormatGivesTheTopLeftPixelFirst) {
  const std::vector<std::uint32_t> picture(kPicture, kPicture + 4);
  std::vector<std::uint32_t> opaque = picture;
  for (auto& p : opaque) p |= 0xFF000000u;
  struct Case {
    const char* label;
    std::string bytes;
    PlatformImageFormat format;
    bool hasAlpha;
  } cases[] = {
      {"BMP 24-bit bottom-up", Bmp(2, 2, 24, false, picture), PlatformImageFormat::kBmp, false},
      {"BMP 24-bit top-down", Bmp(2, 2, 24, true, picture), PlatformImageFormat::kBmp, false},
      {"BMP 32-bit bottom-up", Bmp(2, 2, 32, false, picture), PlatformImageFormat::kBmp, false},
      {"BMP 8-bit palette", Bmp(2, 2, 8, false, {0, 1, 2, 3}, opaque), PlatformImageFormat::kBmp, false},
      {"TGA bottom-up", Tga(2, 2, 32, false, picture), PlatformImageFormat::kTga, true},
      {"TGA top-down", Tga(2, 2, 32, true, picture), PlatformImageFormat::kTga, true},
      {"TGA 24-bit", Tga(2, 2, 24, false, picture), PlatformImageFormat::kTga, false},
      {"PNG", Png(2, 2, picture), PlatformImageFormat::kPng, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    WriteFile("Picture.dat", c.bytes);
    const auto* raw = reinterpret_cast<const std::uint8_t*>(c.bytes.data());
    EXPECT_EQ(PlatformImageDetectFormat(raw, c.bytes.size()), c.format);
    PlatformImage image;
    std::string error;
    ASSERT_TRUE(PlatformImageLoadFile("Picture.dat", &image, &error)) << error;
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.format, c.format);
    EXPECT_EQ(image.hasAlpha, c.hasAlpha);
    for (int i = 0; i < 4; ++i) {
      const std::uint32_t expected = c.hasAlpha ? kPicture[i] : (kPicture[i] | 0xFF000000u);
      EXPECT_EQ(image.pixels[i], expected) << "pixel " << i;
    }
  }
}

TEST_F(ImageTest, JpegKeepsRowOrderAndColours) {
  // Quadrants of 16 x 16: red, green / blue, white. JPEG is lossy: compare
  // the middle of each quadrant within a margin.
  std::vector<std::uint32_t> pixels(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) pixels[y * 32 + x] = kPicture[(y / 16) * 2 + x / 16] | 0xFF000000u;
  WriteFile("Sheet.dat", Jpeg(32, 32, pixels));
  PlatformImage image;
  std::string error;
  ASSERT_TRUE(PlatformImageLoadFile("Sheet.dat", &image, &error)) << error;
  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 32);
  EXPECT_FALSE(image.hasAlpha);
  for (int q = 0; q < 4; ++q) {
    const std::uint32_t got = image.At((q % 2) * 16 + 8, (q / 2) * 16 + 8);
    const std::uint32_t want = kPicture[q] | 0xFF000000u;
    for (int shift = 0; shift < 32; shift += 8) {
      EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF), 24)
          << "quadrant " << q << " shift " << shift;
    }
  }
}

TEST_F(ImageTest, BmpRowsArePaddedToFourBytes) {
  std::vector<std::uint32_t> pixels = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C, 0xFF0D0E0F, 0xFF101112};
  PlatformImage image;
  ASSERT_TRUE(Decode(Bmp(3, 2, 24, false, pixels), &image));
  EXPECT_EQ(image.pixels, pixels);
}

TEST_F(ImageTest, BrokenFilesAreRefused) {
  const std::vector<std::uint32_t> picture(kPicture, kPicture + 4);
  std::string bmp = Bmp(2, 2, 24, false, picture);
  std::string hugeBmp = Bmp(2, 2, 24, false, picture);
  hugeBmp[18] = static_cast<char>(0xA0);  // width 0x186A0 = 100000
  hugeBmp[19] = static_cast<char>(0x86);
  hugeBmp[20] = 0x01;
  std::string rle = Bmp(2, 2, 24, false, picture);
  rle[30] = 1;  // BI_RLE8
  std::string tga = Tga(2, 2, 32, false, picture);
  std::string tgaRle = tga;
  tgaRle[2] = 10;
  std::string png = Png(2, 2, picture);
  std::string jpeg = Jpeg(16, 16, std::vector<std::uint32_t>(256, 0xFF808080));
  struct Case {
    const char* label;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"text", "hello, this is not a picture at all"},
      {"BMP cut short", bmp.substr(0, bmp.size() - 1)},
      {"BMP too wide", hugeBmp},
      {"BMP run-length", rle},
      {"TGA cut short", tga.substr(0, tga.size() - 1)},
      {"TGA run-length", tgaRle},
      {"TGA 16384 x 16384 without pixels", Tga(0, 0, 32, false, {}).replace(12, 4, std::string("\x00\x40\x00\x40", 4))},
      {"PNG cut short", png.substr(0, png.size() / 2)},
      {"JPEG header only", jpeg.substr(0, 20)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    PlatformImage image;
    image.width = 7;
    std::string error;
    EXPECT_FALSE(Decode(c.bytes, &image, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(image.width, 0);
    EXPECT_TRUE(image.pixels.empty());
  }
  PlatformImage image;
  std::string error;
  EXPECT_FALSE(PlatformImageLoadFile("missing.dat", &image, &error));
  EXPECT_EQ(error, "cannot open the file");
}

// A PNG whose header claims other sides than its pixels hold (the header's
// checksum made to match), as a hostile file would.
std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
  std::string png = Png(1, 1, {0xFF000000u});
  // Signature (8), then the IHDR chunk: length (4), "IHDR", 13 data bytes, CRC.
  auto putBig = [&png](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) png[at + i] = static_cast<char>(v >> (24 - 8 * i));
  };
  putBig(16, width);
  putBig(20, height);
  const auto* chunk = reinterpret_cast<const Bytef*>(png.data() + 12);
  putBig(29, static_cast<std::uint32_t>(crc32(0, chunk, 4 + 13)));
  return png;
}

TEST_F(ImageTest, PicturesLargerThanTheLargestTextureAreRefusedBeforeDecoding) {
  const std::vector<std::uint32_t> row4096(4096, 0xFF102030u), row4097(4097, 0xFF102030u);
  struct Case {
    const char* label;
    std::string bytes;
    bool accepted;
  } cases[] = {
      {"PNG 4096 x 1", Png(4096, 1, row4096), true},
      {"PNG 4097 x 1", Png(4097, 1, row4097), false},
      {"PNG 1 x 4097", Png(1, 4097, row4097), false},
      {"PNG header claiming 16384 x 16384", PngClaiming(16384, 16384), false},
      {"PNG header claiming 4096 x 65536", PngClaiming(4096, 65536), false},
      {"BMP 4096 x 1", Bmp(4096, 1, 24, false, row4096), true},
      {"BMP 4097 x 1", Bmp(4097, 1, 24, false, row4097), false},
      {"BMP 1 x 4097 top-down", Bmp(1, 4097, 32, true, row4097), false},
      {"TGA 4096 x 1", Tga(4096, 1, 32, false, row4096), true},
      {"TGA 4097 x 1", Tga(4097, 1, 24, false, row4097), false},
      {"JPEG 4096 x 8", Jpeg(4096, 8, std::vector<std::uint32_t>(4096 * 8, 0xFF808080u)), true},
      {"JPEG 4097 x 8", Jpeg(4097, 8, std::vector<std::uint32_t>(4097 * 8, 0xFF808080u)), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    PlatformImage image;
    std::string error;
    EXPECT_EQ(Decode(c.bytes, &image, &error), c.accepted) << error;
    if (!c.accepted) {
      EXPECT_NE(error.find("too large"), std::string::npos) << error;
      EXPECT_NE(error.find("at most 4096 x 4096"), std::string::npos) << error;
      EXPECT_TRUE(image.pixels.empty());
    }
  }
}

TEST_F(ImageTest, MemoryThatIsNotFreeFailsTheLoadWithoutEndingTheProgram) {
  const std::vector<std::uint32_t> pixels(32 * 32, 0xFF336699u);
  const std::string files[] = {Png(32, 32, pixels), Bmp(32, 32, 32, false, pixels),
                               Tga(32, 32, 24, false, pixels), Jpeg(32, 32, pixels)};
  PlatformImageLimitPixelMemoryForTests(1024);
  for (const std::string& bytes : files) {
    PlatformImage image;
    std::string error;
    EXPECT_FALSE(Decode(bytes, &image, &error));
    EXPECT_EQ(error, "not enough memory for the picture");
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_EQ(image.width, 0);
  }
  PlatformImageLimitPixelMemoryForTests(0);
  for (const std::string& bytes : files) {
    PlatformImage image;
    EXPECT_TRUE(Decode(bytes, &image));
  }
}

TEST_F(ImageTest, ResizeToPowersOfTwo) {
  EXPECT_EQ(PlatformImageNextPowerOfTwo(1), 1);
  EXPECT_EQ(PlatformImageNextPowerOfTwo(14), 16);
  EXPECT_EQ(PlatformImageNextPowerOfTwo(64), 64);
  EXPECT_EQ(PlatformImageNextPowerOfTwo(65), 128);

  PlatformImage flat;
  flat.width = 3;
  flat.height = 5;
  flat.pixels.assign(15, 0x80402010);
  PlatformImage scaled = PlatformImageResize(flat, 4, 8);
  ASSERT_EQ(scaled.pixels.size(), 32u);
  for (std::uint32_t p : scaled.pixels) EXPECT_EQ(p, 0x80402010u);

  // A left-black, right-white picture stays dark on the left, light on the right.
  PlatformImage edge;
  edge.width = 2;
  edge.height = 1;
  edge.pixels = {0xFF000000, 0xFFFFFFFF};
  PlatformImage wide = PlatformImageResize(edge, 4, 1);
  EXPECT_EQ(wide.pixels[0], 0xFF000000u);
  EXPECT_EQ(wide.pixels[3], 0xFFFFFFFFu);
  EXPECT_LT(wide.pixels[1] & 0xFF, wide.pixels[2] & 0xFF);
}

}  // namespace
