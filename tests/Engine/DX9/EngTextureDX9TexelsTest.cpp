// Tests of the texel codecs: 16-bit encoders and decoders, format names and
// bit depths.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "Engine/DX9/EngTextureDX9Texels.h"
#include "tests/Support/TestSupport.h"

namespace {

class EngTextureDX9TexelsTest : public TempDirTest {};

struct Rgba {
  std::uint8_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

TEST_F(EngTextureDX9TexelsTest, SixteenBitCodecs) {
  struct Case {
    D3DFORMAT format;
    Rgba in;
    std::uint8_t low, high;  // the encoded texel
    Rgba decoded;
  } cases[] = {
      // R5G6B5: no alpha; 5-6-5 bits kept from the top of each channel.
      {D3DFMT_R5G6B5, {255, 255, 255, 0}, 0xFF, 0xFF, {0xF8, 0xFC, 0xF8, 255}},
      {D3DFMT_R5G6B5, {0x80, 0x40, 0x20, 0}, 0x04, 0x82, {0x80, 0x40, 0x20, 255}},
      // 1-5-5-5: alpha is bit 15; X1R5G5B5 writes it too.
      {D3DFMT_A1R5G5B5, {255, 0, 0, 0x80}, 0x00, 0xFC, {0xF8, 0, 0, 255}},
      {D3DFMT_A1R5G5B5, {0, 255, 0, 0x7F}, 0xE0, 0x03, {0, 0xF8, 0, 0}},
      {D3DFMT_X1R5G5B5, {0, 0, 255, 255}, 0x1F, 0x80, {0, 0, 0xF8, 255}},
      // 4-4-4-4: a full nibble reads 255, an empty one 0.
      {D3DFMT_A4R4G4B4, {255, 0, 255, 255}, 0x0F, 0xFF, {255, 0, 255, 255}},
      {D3DFMT_A4R4G4B4, {0x10, 0x20, 0x30, 0x40}, 0x23, 0x41, {0x1F, 0x2F, 0x3F, 0x4F}},
      {D3DFMT_X4R4G4B4, {0, 0, 0, 0}, 0x00, 0x00, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << EngTextureDX9_GetFormatName(c.format) << " " << c.in);
    std::uint8_t texel[2] = {};
    ASSERT_TRUE(EngTextureDX9_SetBit16FromColParts(c.in.r, c.in.g, c.in.b, c.in.a, c.format, texel));
    EXPECT_EQ(texel[0], c.low);
    EXPECT_EQ(texel[1], c.high);
    Rgba out{};
    ASSERT_TRUE(EngTextureDX9_GetColPartsFromBit16(texel, c.format, &out.r, &out.g, &out.b, &out.a));
    EXPECT_EQ(out, c.decoded);
  }
  std::uint8_t texel[2] = {};
  Rgba out{};
  EXPECT_FALSE(EngTextureDX9_SetBit16FromColParts(1, 2, 3, 4, D3DFMT_A8R8G8B8, texel));
  EXPECT_FALSE(EngTextureDX9_GetColPartsFromBit16(texel, D3DFMT_R8G8B8, &out.r, &out.g, &out.b, &out.a));
  EXPECT_TRUE(LogContains("( EngTextureDX9_SetBit16FromColParts )    Format not supported: 21"));
  EXPECT_TRUE(LogContains("( EngTextureDX9_GetColPartsFromBit16 )    Format not supported: 20"));
}

TEST_F(EngTextureDX9TexelsTest, FormatNamesAndDepths) {
  EXPECT_STREQ(EngTextureDX9_GetFormatName(D3DFMT_A8R8G8B8), "D3DFMT_A8R8G8B8");
  EXPECT_STREQ(EngTextureDX9_GetFormatName(D3DFMT_UNKNOWN), "D3DFMT_UNKNOWN");
  EXPECT_STREQ(EngTextureDX9_GetFormatName(D3DFMT_DXT5), "D3DFMT_DXT5");
  EXPECT_STREQ(EngTextureDX9_GetFormatName(D3DFMT_R8G8_B8G8), "D3DFMT_R8G8_B8G8");
  EXPECT_STREQ(EngTextureDX9_GetFormatName(D3DFMT_MULTI2_ARGB8), "D3DFMT_MULTI2_ARGB8");
  EXPECT_STREQ(EngTextureDX9_GetFormatName(static_cast<D3DFORMAT>(999)), "???");

  struct Case {
    D3DFORMAT format;
    int bits;
    bool alpha;
  } cases[] = {
      {D3DFMT_R8G8B8, 24, false},   {D3DFMT_A8R8G8B8, 32, true},  {D3DFMT_X8R8G8B8, 32, false},
      {D3DFMT_R5G6B5, 16, false},   {D3DFMT_X1R5G5B5, 16, false}, {D3DFMT_A1R5G5B5, 16, true},
      {D3DFMT_A4R4G4B4, 16, true},  {D3DFMT_X4R4G4B4, 16, false},
  };
  for (const auto& c : cases) {
    bool alpha = !c.alpha;
    EXPECT_EQ(EngTextureDX9_GetBitdepthFromFormat(c.format, &alpha), c.bits);
    EXPECT_EQ(alpha, c.alpha);
  }
  bool alpha = true;
  EXPECT_EQ(EngTextureDX9_GetBitdepthFromFormat(D3DFMT_DXT1, &alpha), 0);
  EXPECT_TRUE(alpha);  // unchanged
  EXPECT_TRUE(LogContains("Unrecognised format [827611204]"));
}

}  // namespace
