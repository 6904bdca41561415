// Tests of the transfers between images and textures on the recording device.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/DX9/EngTgaDX9.h"
#include "Engine/EngTga.h"
#include "tests/Engine/DX9/TextureTestSupport.h"

namespace {

class EngTgaDX9Test : public RecordingDeviceTest {};

using Bytes = std::vector<std::uint8_t>;

// A 3 x 2 image, top row first.
void MakeImage(EngTga& image) {
  ASSERT_TRUE(image.Create(3, 2, 32));
  const std::uint32_t top[6] = {0xFF112233, 0x80445566, 0x00778899, 0x10AABBCC, 0xFFDDEEFF, 0x7F010203};
  for (int i = 0; i < 6; ++i) image.SetPixelFromTop(i % 3, i / 3, top[i]);
}

TEST_F(EngTgaDX9Test, ImageToTextureToBufferRoundTrip) {
  EngTga image;
  MakeImage(image);
  EngTexture texture;
  int width = 3, height = 2;
  ASSERT_TRUE(texture.CreateEmptyTexture(&width, &height, 1));
  ASSERT_TRUE(image.FillTexture(&texture));
  // Texture rows run top first: texel (0, 0) is the image's top-left pixel.
  EXPECT_EQ(TexelBytes(&texture, 0, 0, 4), (Bytes{0x33, 0x22, 0x11, 0xFF}));

  std::vector<std::uint32_t> buffer(6);
  ASSERT_TRUE(EngTgaUpdateTexCharBufferFromDxTexture_DX9(&texture, buffer.data(), 24));
  EXPECT_EQ(0, std::memcmp(buffer.data(), image.GetData(), 24));  // bottom row first, like the image

  EngTga back;
  ASSERT_TRUE(back.CreateWithColour(3, 2, 32, 0, 0, 0, 0));
  ASSERT_TRUE(back.FillFromTexture(0, 0, 3, 2, &texture, 0, 0, 3, 2, false, false, 2, 1.0f));
  EXPECT_EQ(0, std::memcmp(back.GetData(), image.GetData(), 24));

  // Saving a texture writes what it holds.
  EngTga saver;
  ASSERT_TRUE(saver.DoSaveToFile("Texture.tga", &texture));
  EngTga reloaded;
  ASSERT_TRUE(reloaded.LoadFromFile("Texture.tga"));
  EXPECT_EQ(0, std::memcmp(reloaded.GetData(), image.GetData(), 24));
  EXPECT_FALSE(image.DoSaveToFile("Both.tga", &texture));
  EXPECT_TRUE(LogContains("( EngTga::DoSaveToFile )    Invalid parameters"));
}

TEST_F(EngTgaDX9Test, ReadBackNeedsFourBytesAPixelWhateverTheRecordedDepth) {
  // A texture whose record says 16 bits while its level is A8R8G8B8: the copy
  // writes 4 bytes a texel, so a buffer sized by the record is refused.
  EngTexture texture;
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&texture, 4, 4, D3DFMT_A8R8G8B8, 16));
  std::vector<std::uint32_t> buffer(16, 0xDEADBEEF);
  EXPECT_FALSE(EngTgaUpdateTexCharBufferFromDxTexture_DX9(&texture, buffer.data(), 4 * 4 * 2));
  EXPECT_TRUE(LogContains("( EngTgaUpdateTexCharBufferFromDxTexture_DX9 )    Invalid data size"));
  EXPECT_EQ(buffer[8], 0xDEADBEEFu);
  ASSERT_TRUE(EngTgaUpdateTexCharBufferFromDxTexture_DX9(&texture, buffer.data(), 4 * 4 * 4));
  EXPECT_TRUE(LogContains("Format D3DFMT_A8R8G8B8 but bpp 16"));

  // 256 x 256 needs exactly 262144 bytes; 16-bit levels are not read.
  EngTexture big;
  int side = 256;
  ASSERT_TRUE(big.CreateEmptyTexture(&side, &side, 1));
  std::vector<std::uint32_t> large(256 * 256);
  EXPECT_FALSE(EngTgaUpdateTexCharBufferFromDxTexture_DX9(&big, large.data(), 262143));
  EXPECT_TRUE(EngTgaUpdateTexCharBufferFromDxTexture_DX9(&big, large.data(), 262144));
  EngTexture packed;
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&packed, 2, 2, D3DFMT_A4R4G4B4));
  EXPECT_FALSE(EngTgaUpdateTexCharBufferFromDxTexture_DX9(&packed, large.data(), 16));
  EXPECT_TRUE(LogContains("Unsupported format: 26"));
}

TEST_F(EngTgaDX9Test, FillFromTextureScalesAndMirrors) {
  EngTexture texture;
  ASSERT_NO_FATAL_FAILURE(MakeCoordinateTexture(&texture));
  EngTga image;
  ASSERT_TRUE(image.CreateWithColour(32, 32, 32, 0, 0, 0, 0));
  ASSERT_TRUE(image.FillFromTexture(0, 0, 64, 64, &texture, 0, 0, 32, 32, false, false, 2, 1.0f));
  EXPECT_EQ(image.GetPixelFromTop(5, 7), 0xFF000E0Au);  // column 10, row 14
  ASSERT_TRUE(image.FillFromTexture(0, 0, 64, 64, &texture, 0, 0, 32, 32, true, true, 2, 1.0f));
  EXPECT_EQ(image.GetPixelFromTop(0, 0), 0xFF003F3Fu);  // from the bottom-right corner

  EXPECT_FALSE(image.FillFromTexture(40, 0, 32, 8, &texture, 0, 0, 8, 8, false, false, 0, 1.0f));
  EXPECT_TRUE(LogContains("( EngTga::FillFromTexture_DX9 )    Invalid sizes"));
  EXPECT_FALSE(image.FillFromTexture(0, 0, 8, 8, nullptr, 0, 0, 8, 8, false, false, 0, 1.0f));
  EXPECT_TRUE(LogContains("Invalid parameters"));
}

// Composes one texel over one image pixel.
std::uint32_t Compose(D3DFORMAT format, const Bytes& texel, std::uint32_t pixel, int mode, float factor) {
  EngTexture texture;
  EXPECT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&texture, 1, 1, format));
  FillTexels(&texture, texel);
  EngTga image;
  image.Create(1, 1, 32);
  image.SetPixelFromTop(0, 0, pixel);
  EXPECT_TRUE(image.FillFromTexture(0, 0, 1, 1, &texture, 0, 0, 1, 1, false, false, mode, factor));
  return image.GetPixelFromTop(0, 0);
}

TEST_F(EngTgaDX9Test, CompositingModes) {
  const std::uint32_t dest = 0x80FFFFFF;  // white, alpha 128
  struct Case {
    const char* label;
    D3DFORMAT format;
    Bytes texel;
    int mode;
    float factor;
    std::uint32_t expected;
  } cases[] = {
      {"mode 2 copies alpha too", D3DFMT_A8R8G8B8, {0x10, 0x20, 0x30, 0x05}, 2, 1, 0x05302010},
      {"mode 0 ORs the alphas of 32-bit textures", D3DFMT_A8R8G8B8, {0x10, 0x20, 0x30, 0x05}, 0, 1, 0x85302010},
      {"mode 0 keeps the image alpha for 16 bits", D3DFMT_A4R4G4B4, {0x00, 0x0F}, 0, 1, 0x80FF0000},
      {"mode 9 with black leaves the image", D3DFMT_A8R8G8B8, {0, 0, 0, 255}, 9, 1, dest},
      {"mode 9 with white blends fully", D3DFMT_A8R8G8B8, {0, 0, 0xFF, 255}, 9, 1, 0xFFFF0000},
      {"mode 10 with white leaves the image", D3DFMT_A8R8G8B8, {0xFF, 0xFF, 0xFF, 255}, 10, 1, dest},
      {"other modes blend by the source alpha", D3DFMT_A8R8G8B8, {0, 0, 0, 255}, 3, 1, 0xFF000000},
      {"a factor between 0 and 1 scales it (127.5 rounds to 127)", D3DFMT_A8R8G8B8, {0, 0, 0, 255}, 3, 0.5f, 0xC0808080},
      {"a factor of -1 inverts it", D3DFMT_A8R8G8B8, {0, 0, 0, 200}, 3, -1, 0x9CC8C8C8},
      {"alpha 0 leaves the image", D3DFMT_A8R8G8B8, {0, 0, 0, 0}, 3, 1, dest},
      {"an X8R8G8B8 texel is opaque", D3DFMT_X8R8G8B8, {0, 0, 0, 0}, 3, 1, 0xFF000000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Compose(c.format, c.texel, dest, c.mode, c.factor), c.expected);
  }
}

TEST_F(EngTgaDX9Test, FillTextureNeedsAMatchingTexture) {
  EngTga image;
  MakeImage(image);
  EngTexture other;
  int width = 4, height = 2;
  ASSERT_TRUE(other.CreateEmptyTexture(&width, &height, 1));
  EXPECT_FALSE(image.FillTexture(&other));
  EXPECT_TRUE(LogContains("( EngTga::FillTexture_DX9 )    Incompatible texure and data"));
  EngTexture unloaded;
  EXPECT_FALSE(image.FillTexture(&unloaded));
  EXPECT_TRUE(LogContains("Invalid texure"));

  // A 16-bit texture takes a 32-bit image, packed.
  EngTexture packed;
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&packed, 3, 2, D3DFMT_A4R4G4B4));
  ASSERT_TRUE(image.FillTexture(&packed));
  EXPECT_EQ(TexelBytes(&packed, 0, 0, 2), (Bytes{0x23, 0xF1}));
}

}  // namespace
