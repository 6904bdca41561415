// Tests of the in-memory image: TGA files, composing, blending, halving.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngTga.h"
#include "tests/Support/TestSupport.h"

namespace {

class EngTgaTest : public TempDirTest {};

// A TGA file: the 18-byte header and the given pixel words as B, G, R, A.
std::string TgaBytes(int imageType, int width, int height, int bits, int descriptor,
                     const std::vector<std::uint32_t>& pixels, int bytesPerPixel = 4) {
  std::string bytes(18, '\0');
  bytes[2] = static_cast<char>(imageType);
  bytes[12] = static_cast<char>(width & 0xFF);
  bytes[13] = static_cast<char>(width >> 8);
  bytes[14] = static_cast<char>(height & 0xFF);
  bytes[15] = static_cast<char>(height >> 8);
  bytes[16] = static_cast<char>(bits);
  bytes[17] = static_cast<char>(descriptor);
  for (std::uint32_t p : pixels) {
    for (int i = 0; i < bytesPerPixel; ++i) bytes.push_back(static_cast<char>(p >> (8 * i)));
  }
  return bytes;
}

// Fills an image from words given top row first.
void FillFromTop(EngTga& image, int width, int height, const std::vector<std::uint32_t>& top) {
  ASSERT_TRUE(image.Create(width, height, 32));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixelFromTop(x, y, top[y * width + x]);
}

TEST_F(EngTgaTest, SaveWritesHeaderAndBottomRowFirstAndReloadsEqual) {
  EngTga image;
  FillFromTop(image, 2, 2, {0x11223344, 0x55667788, 0x99AABBCC, 0xDDEEFF00});
  ASSERT_TRUE(image.SaveToFile("Two.tga"));
  const std::string bytes = ReadFile("Two.tga");
  ASSERT_EQ(bytes.size(), 34u);
  const std::string expected = TgaBytes(2, 2, 2, 32, 0, {0x99AABBCC, 0xDDEEFF00, 0x11223344, 0x55667788});
  EXPECT_EQ(bytes, expected);

  EngTga reloaded;
  ASSERT_TRUE(reloaded.LoadFromFile("Two.tga"));
  ASSERT_EQ(reloaded.GetWidth(), 2);
  ASSERT_EQ(reloaded.GetHeight(), 2);
  EXPECT_EQ(reloaded.GetBitsPerPixel(), 32);
  EXPECT_EQ(reloaded.GetDataSize(), 16u);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(reloaded.GetPixelFromTop(x, y), image.GetPixelFromTop(x, y));
}

TEST_F(EngTgaTest, TopLeftOriginFilesAreTurnedOver) {
  // Descriptor 0x28: top-left origin, 8 alpha bits. The first row in the file is the top.
  WriteFile("TopLeft.tga", TgaBytes(2, 1, 2, 32, 0x28, {0xFF0000FF, 0xFFFF0000}));
  EngTga image;
  ASSERT_TRUE(image.LoadFromFile("TopLeft.tga"));
  EXPECT_EQ(image.GetPixelFromTop(0, 0), 0xFF0000FFu);
  EXPECT_EQ(image.GetPixelFromTop(0, 1), 0xFFFF0000u);
}

struct BadTgaCase {
  const char* label;
  std::string bytes;
  const char* message;
};

TEST_F(EngTgaTest, BadFilesAreRefusedWithTheirReason) {
  std::string shortPixels = TgaBytes(2, 4, 4, 32, 0, std::vector<std::uint32_t>(3, 0));
  std::string hugeHeader = TgaBytes(2, 65535, 65535, 32, 0, {});
  const BadTgaCase cases[] = {
      {"24-bit", TgaBytes(2, 2, 2, 24, 0, {1, 2, 3, 4}, 3), "Invalid Data [2]"},
      {"16-bit", TgaBytes(2, 2, 2, 16, 0, {1, 2, 3, 4}, 2), "Invalid Data [2]"},
      {"run-length", TgaBytes(10, 2, 2, 32, 0, {1, 2, 3, 4}), "Problems [0] loading file <bad.tga>"},
      {"colour-mapped", TgaBytes(1, 2, 2, 32, 0, {1, 2, 3, 4}), "Problems [0] loading file <bad.tga>"},
      {"too short for a head", std::string(10, '\0'), "Problems [0] loading file <bad.tga>"},
      {"zero width", TgaBytes(2, 0, 2, 32, 0, {}), "Bad Format in file: <bad.tga>"},
      {"8 bits", TgaBytes(2, 2, 2, 8, 0, {1}), "Bad Format in file: <bad.tga>"},
      {"header only", TgaBytes(2, 2, 2, 32, 0, {}).substr(0, 15), "Bad Format in file: <bad.tga>"},
      {"fewer pixels than the header says", shortPixels, "Problems reading m_data [2] in file <bad.tga>"},
      {"huge header, no pixels", hugeHeader, "Problems reading m_data [2] in file <bad.tga>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ClearLog();
    WriteFile("bad.tga", c.bytes);
    EngTga image;
    EXPECT_FALSE(image.LoadFromFile("bad.tga"));
    EXPECT_TRUE(LogContains(std::string("( EngTga::LoadFromFile )    ") + c.message));
    EXPECT_FALSE(image.HasData());
    EXPECT_EQ(image.GetWidth(), 0);
  }
  ClearLog();
  EngTga image;
  EXPECT_FALSE(image.LoadFromFile("missing.tga"));
  EXPECT_TRUE(LogContains("Could not open file <missing.tga>"));
}

TEST_F(EngTgaTest, LoadingIntoAnExistingImageNeedsTheSameSize) {
  WriteFile("One.tga", TgaBytes(2, 1, 1, 32, 0, {0x80402010}));
  EngTga empty;
  EXPECT_FALSE(empty.LoadFromFile("One.tga", false));
  EXPECT_TRUE(LogContains("Invalid Data [1]"));

  EngTga wrongSize;
  ASSERT_TRUE(wrongSize.CreateWithColour(2, 1, 32, 1, 1, 1, 1));
  EXPECT_FALSE(wrongSize.LoadFromFile("One.tga", false));
  EXPECT_TRUE(LogContains("Invalid Data [2]"));
  EXPECT_EQ(wrongSize.GetPixelFromTop(0, 0), 0xFFFFFFFFu);  // untouched

  EngTga created;
  ASSERT_TRUE(created.Create(1, 1, 32));
  ClearLog();
  EXPECT_FALSE(created.LoadFromFile("One.tga", true));
  EXPECT_TRUE(LogContains("Invalid Data [1]"));
  EXPECT_TRUE(created.LoadFromFile("One.tga", false));
  EXPECT_EQ(created.GetPixelFromTop(0, 0), 0x80402010u);
}

TEST_F(EngTgaTest, CreationChecksItsArgumentsAndFillsTheColour) {
  EngTga image;
  EXPECT_FALSE(image.CreateWithColour(0, 4, 32, 1, 1, 1, 1));
  EXPECT_FALSE(image.CreateWithColour(4, 4, 24, 1, 1, 1, 1));
  EXPECT_TRUE(LogContains("( EngTga::CreateWithColour )    Invalid parameters"));
  ASSERT_TRUE(image.CreateWithColour(3, 2, 32, 1.0f, 0.5f, 0.0f, 0.25f));
  EXPECT_EQ(image.GetPixelFromTop(2, 1), EngTgaMakePixel(255, 127, 0, 63));
  EXPECT_FALSE(image.Create(1, 1, 32));
  EXPECT_TRUE(LogContains("( EngTga::Create )    Data already created"));

  EngTga unfilled;
  ASSERT_TRUE(unfilled.CreateWithColour(2, 2, 32, -1, 1, 1, 1));
  EXPECT_EQ(unfilled.GetPixelFromTop(0, 0), 0u);
  EXPECT_EQ(EngTgaColourByte(1.2f), 255);
  EXPECT_EQ(EngTgaColourByte(-0.5f), 0);
}

TEST_F(EngTgaTest, SaveRefusesEmptyImagesAndNames) {
  EngTga empty;
  EXPECT_FALSE(empty.SaveToFile("x.tga"));
  EXPECT_TRUE(LogContains("( EngTga::DoSaveToFile )    Invalid m_data passed in (filename=x.tga)"));
  EXPECT_FALSE(empty.SaveToFile(""));
  EXPECT_TRUE(LogContains("No filename"));
  EngTga image;
  ASSERT_TRUE(image.Create(1, 1, 32));
  EXPECT_FALSE(image.SaveToFile("no/such/folder/x.tga"));
  EXPECT_TRUE(LogContains("Could not create file <no/such/folder/x.tga>"));
}

TEST_F(EngTgaTest, ComposingScalesMirrorsAndCountsFromTheTop) {
  // 64 x 64 into 32 x 32: every second pixel of every second row.
  EngTga big, small;
  ASSERT_TRUE(big.Create(64, 64, 32));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) big.SetPixelFromTop(x, y, static_cast<std::uint32_t>(y * 64 + x));
  ASSERT_TRUE(small.Create(32, 32, 32));
  ASSERT_TRUE(small.FillFromOtherTga(0, 0, -1, -1, &big, 0, 0, -1, -1, false, false, 0, false));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(small.GetPixelFromTop(x, y), static_cast<std::uint32_t>(2 * y * 64 + 2 * x));

  // A 2 x 2 rectangle of a 3 x 3 source into the bottom-right of a 3 x 3 image.
  EngTga source, dest;
  FillFromTop(source, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  struct Case {
    bool mirrorX, mirrorY;
    std::vector<std::uint32_t> expected;  // the destination's four pixels, top row first
  } cases[] = {
      {false, false, {1, 2, 4, 5}},
      {true, false, {3, 2, 6, 5}},
      {false, true, {7, 8, 4, 5}},
      {true, true, {9, 8, 6, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mirrorX << c.mirrorY);
    dest.Release();
    ASSERT_TRUE(dest.CreateWithColour(3, 3, 32, 0, 0, 0, 0));
    ASSERT_TRUE(dest.FillFromOtherTga(0, 0, 2, 2, &source, 1, 1, 2, 2, c.mirrorX, c.mirrorY, 0, false));
    EXPECT_EQ(dest.GetPixelFromTop(0, 0), 0u);
    EXPECT_EQ(dest.GetPixelFromTop(1, 1), c.expected[0]);
    EXPECT_EQ(dest.GetPixelFromTop(2, 1), c.expected[1]);
    EXPECT_EQ(dest.GetPixelFromTop(1, 2), c.expected[2]);
    EXPECT_EQ(dest.GetPixelFromTop(2, 2), c.expected[3]);
  }
}

// Whole rows, scaled rows and blended rows take their pixels from the same
// places: a blend scaled up and mirrored across, and a copy inside one image.
TEST_F(EngTgaTest, ComposingBlendsScaledRowsAndCopiesWithinOneImage) {
  EngTga source, dest;
  FillFromTop(source, 2, 2, {0x00000001, 0x00000002, 0x00000003, 0x00000004});
  ASSERT_TRUE(dest.CreateWithColour(4, 4, 32, 0, 0, 0, 1));
  // Mode 1: the source colour under the destination's alpha.
  ASSERT_TRUE(dest.FillFromOtherTga(0, 0, -1, -1, &source, 0, 0, -1, -1, true, false, 1, false));
  const std::uint32_t mirrored[4][4] = {{2, 2, 1, 1}, {2, 2, 1, 1}, {4, 4, 3, 3}, {4, 4, 3, 3}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dest.GetPixelFromTop(x, y), 0xFF000000u | mirrored[y][x]) << x << "," << y;
  }

  EngTga one;
  FillFromTop(one, 4, 4, {1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  ASSERT_TRUE(one.FillFromOtherTga(0, 0, 2, 2, &one, 2, 2, 2, 2, false, false, 0, false));
  EXPECT_EQ(one.GetPixelFromTop(2, 2), 1u);
  EXPECT_EQ(one.GetPixelFromTop(3, 2), 2u);
  EXPECT_EQ(one.GetPixelFromTop(2, 3), 3u);
  EXPECT_EQ(one.GetPixelFromTop(3, 3), 4u);
  EXPECT_EQ(one.GetPixelFromTop(0, 0), 1u);
}

TEST_F(EngTgaTest, ComposingRefusesBadRectangles) {
  EngTga source, dest;
  ASSERT_TRUE(source.Create(4, 4, 32));
  ASSERT_TRUE(dest.Create(4, 4, 32));
  EngTga empty;
  struct Case {
    const EngTga* other;
    EngTga* target;
    int sx, sy, sw, sh, dx, dy, dw, dh;
    const char* message;
  } cases[] = {
      {nullptr, &dest, 0, 0, 1, 1, 0, 0, 1, 1, "No other tga"},
      {&source, &dest, 0, 0, 0, 1, 0, 0, 1, 1, "Invalid parameters"},
      {&empty, &dest, 0, 0, 1, 1, 0, 0, 1, 1, "Invalid source"},
      {&source, &empty, 0, 0, 1, 1, 0, 0, 1, 1, "Invalid dest"},
      {&source, &dest, 3, 0, 2, 1, 0, 0, 1, 1, "Invalid sizes"},
      {&source, &dest, 0, 0, 1, 1, -1, 0, 1, 1, "Invalid sizes"},
      {&source, &dest, 0, 0, 1, 1, 0, 2, 1, 3, "Invalid sizes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ClearLog();
    EXPECT_FALSE(c.target->FillFromOtherTga(c.sx, c.sy, c.sw, c.sh, c.other, c.dx, c.dy, c.dw, c.dh,
                                            false, false, 0, false));
    EXPECT_TRUE(LogContains(std::string("( EngTga::FillFromOtherTga )    ") + c.message));
  }
}

// Composes one source pixel over one destination pixel.
std::uint32_t Blend(int mode, std::uint32_t s, std::uint32_t d, bool alphaOnly = false) {
  EngTga source, dest;
  source.Create(1, 1, 32);
  dest.Create(1, 1, 32);
  source.SetPixelFromTop(0, 0, s);
  dest.SetPixelFromTop(0, 0, d);
  EXPECT_TRUE(dest.FillFromOtherTga(0, 0, 1, 1, &source, 0, 0, 1, 1, false, false, mode, alphaOnly));
  return dest.GetPixelFromTop(0, 0);
}

TEST_F(EngTgaTest, BlendModes) {
  const std::uint32_t white = 0x40FFFFFF;  // alpha 0x40
  struct Case {
    int mode;
    std::uint32_t source, dest, expected;
  } cases[] = {
      {0, 0x12345678, white, 0x12345678},
      {2, 0x12345678, white, 0x12345678},
      {9, 0x12345678, white, 0x12345678},
      {-1, 0x12345678, white, 0x12345678},
      {1, 0x12345678, white, 0x40345678},
      // 3: s x a / 255 + d x (255 - a) / 255 per channel, destination alpha kept.
      {3, 0x80000000, white, 0x407F7F7F},
      {3, 0xFF102030, white, 0x40102030},
      // 4: weight = darkest source channel, 0 below 191.
      {4, 0xFF000000 | 0xBEBEBE, 0x40000000, 0x40000000},
      {4, 0xFFC8C8C8, 0x40000000, 0x409C9C9C},  // 200 x 200 / 255 = 156
      // 5: weight 255 - darkest, 255 when the darkest exceeds 64.
      {5, 0xFF404040, 0x40FFFFFF, 0x406F6F6F},  // w = 191: (191 x 64 + 64 x 255) / 255 = 111
      {5, 0xFF414141, 0x40FFFFFF, 0x40414141},
      // 6: weight = darkest; 7: weight = 255 - darkest.
      {6, 0xFF808080, 0x40000000, 0x40404040},
      {7, 0xFF808080, 0x40000000, 0x403F3F3F},
      // 8: alpha 0 leaves, 255 copies the colour, between blends; alpha kept.
      {8, 0x00123456, white, white},
      {8, 0xFF123456, white, 0x40123456},
      {8, 0x80000000, white, 0x407F7F7F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " source " << std::hex << c.source);
    EXPECT_EQ(Blend(c.mode, c.source, c.dest), c.expected);
  }
  EXPECT_EQ(Blend(0, 0x7F112233, 0x40FFFFFF, true), 0x7FFFFFFFu);
}

TEST_F(EngTgaTest, HalvingAveragesPairwise) {
  EngTga source, half;
  // Red channel of the 2 x 2 block 1, 2 / 2, 3: (1+2)/2 = 1, (2+3)/2 = 2, (1+2)/2 = 1.
  FillFromTop(source, 4, 2,
              {EngTgaMakePixel(1, 0, 0, 255), EngTgaMakePixel(2, 0, 0, 255), 0xFFFFFFFF, 0xFFFFFFFF,
               EngTgaMakePixel(2, 0, 0, 255), EngTgaMakePixel(3, 0, 0, 255), 0xFFFFFFFF, 0xFFFFFFFF});
  ASSERT_TRUE(half.CreateFromTwiceSizeData(&source, true));
  ASSERT_EQ(half.GetWidth(), 2);
  ASSERT_EQ(half.GetHeight(), 1);
  EXPECT_EQ(half.GetPixelFromTop(0, 0), EngTgaMakePixel(1, 0, 0, 255));
  EXPECT_EQ(half.GetPixelFromTop(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(EngTgaAveragePixels(0xFF00FF01, 0x01FF0002), 0x807F7F01u);

  EngTga wrong;
  ASSERT_TRUE(wrong.Create(3, 1, 32));
  EXPECT_FALSE(wrong.CreateFromTwiceSizeData(&source, false));
  EXPECT_TRUE(LogContains("Invalid parameters [2]"));
  EngTga empty;
  EXPECT_FALSE(wrong.CreateFromTwiceSizeData(&empty, false));
  EXPECT_TRUE(LogContains("Invalid parameters [1]"));
}

TEST_F(EngTgaTest, PartColourCountsFromTheBottomAndInvertAlpha) {
  EngTga image;
  ASSERT_TRUE(image.CreateWithColour(3, 3, 32, 0, 0, 0, 0));
  ASSERT_TRUE(image.SetDataPartColour(1, 0, -1, 1, 1, 0, 0, 1));
  EXPECT_EQ(image.GetPixelFromTop(0, 2), 0u);
  EXPECT_EQ(image.GetPixelFromTop(1, 2), 0xFFFF0000u);
  EXPECT_EQ(image.GetPixelFromTop(2, 2), 0xFFFF0000u);
  EXPECT_EQ(image.GetPixelFromTop(1, 1), 0u);
  EXPECT_FALSE(image.SetDataPartColour(2, 0, 2, 1, 1, 1, 1, 1));
  EXPECT_TRUE(LogContains("( EngTga::SetDataPartColour )    Invalid parameters"));

  ASSERT_TRUE(image.InvertAlpha());
  EXPECT_EQ(image.GetPixelFromTop(0, 0), 0xFF000000u);
  EXPECT_EQ(image.GetPixelFromTop(1, 2), 0x00FF0000u);
  EngTga empty;
  EXPECT_FALSE(empty.InvertAlpha());
  EXPECT_TRUE(LogContains("( EngTga::InvertAlpha )    Invalid parameter"));
}

}  // namespace
