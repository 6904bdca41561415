// Tests of the texture back end on the recording device: creation and
// loading, automatic coordinates, quad upgrades, texel rectangles, copies
// between textures and alpha from colour.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>

#include "Engine/DX9/EngTextureDX9.h"
#include "Engine/EngColour.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "tests/Engine/DX9/TextureTestSupport.h"

namespace {

class EngTextureDX9Test : public RecordingDeviceTest {};

using Bytes = std::vector<std::uint8_t>;

TEST_F(EngTextureDX9Test, EmptyTexturesByAlphaAndKind) {
  struct Case {
    int withAlpha;
    bool twoD;
    D3DFORMAT format;
    bool hasAlpha;
    int quadType;
  } cases[] = {
      {1, false, D3DFMT_A8R8G8B8, true, EVBT_POS_TEX},
      {0, false, D3DFMT_X8R8G8B8, false, EVBT_POS_TEX},
      {1, true, D3DFMT_A8R8G8B8, true, EVBT_POS_TEX_2D},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "alpha " << c.withAlpha << " 2D " << c.twoD);
    EngTexture texture;
    int width = 48, height = 20;
    ASSERT_TRUE(c.twoD ? texture.CreateEmptyTexture2D(&width, &height, c.withAlpha)
                       : texture.CreateEmptyTexture(&width, &height, c.withAlpha));
    EngTextureDX9* t = texture.GetDX9();
    EXPECT_TRUE(texture.IsLoaded());
    EXPECT_EQ(width, 48);
    EXPECT_EQ(texture.GetWidth(), 48);
    EXPECT_EQ(texture.GetHeight(), 20);
    EXPECT_EQ(t->GetFormat(), c.format);
    EXPECT_EQ(t->GetBitDepth(), 32);
    EXPECT_EQ(t->HasAlpha(), c.hasAlpha);
    EXPECT_EQ(t->Is2D(), c.twoD);
    EXPECT_EQ(t->GetQuad().GetType(), c.quadType);
    texture.Release();
    EXPECT_FALSE(texture.IsLoaded());
  }
  EngTexture texture;
  int width = 0, height = 4;
  EXPECT_FALSE(texture.CreateEmptyTexture(&width, &height, 1));
  EXPECT_FALSE(texture.IsLoaded());
}

TEST_F(EngTextureDX9Test, AutomaticCoordinatesApplyAtTheFirstDraw) {
  EngTexture texture;
  int width = 64, height = 64;
  ASSERT_TRUE(texture.CreateEmptyTexture(&width, &height, 1));
  EngTextureDX9* t = texture.GetDX9();
  float u0, v0, u1, v1;
  t->GetTextureCoordinates(&u0, &v0, &u1, &v1);
  EXPECT_NEAR(u0, 0.0130208f, 1e-6);
  EXPECT_NEAR(v0, 0.0130208f, 1e-6);
  EXPECT_NEAR(u1, 0.9869792f, 1e-6);
  EXPECT_NEAR(v1, 0.9869792f, 1e-6);
  EXPECT_TRUE(t->HasAutomaticCoordinates());
  // Stored only: the quad still has its defaults (vertex 0 is left-bottom: u0, v1).
  EXPECT_EQ(VertexFloats(&texture, 0, 12, 2), (std::vector<float>{0.0f, 1.0f}));
  texture.PositionPure(0, 0, 1, 1);
  texture.Draw();
  EXPECT_FALSE(t->HasAutomaticCoordinates());
  const std::vector<float> uv = VertexFloats(&texture, 0, 12, 2);
  EXPECT_NEAR(uv[0], 0.0130208f, 1e-6);
  EXPECT_NEAR(uv[1], 0.9869792f, 1e-6);
  EXPECT_EQ(Recorder().CountPrefix("DrawPrimitive(5, 0, 2)"), 1);

  // Explicit coordinates set before the first draw win.
  EngTexture other;
  ASSERT_TRUE(other.CreateEmptyTexture(&width, &height, 1));
  other.SetTextureCoordinates(0.25f, 0.5f, 0.75f, 1.0f);
  other.Draw();
  EXPECT_EQ(VertexFloats(&other, 1, 12, 2), (std::vector<float>{0.25f, 0.5f}));
}

// Picture files for the loader, all of the 2 x 2 picture red, green / blue, white.
void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary);
  out << bytes;
}

std::string Le32(std::uint32_t v) {
  return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
}

std::string Bmp2x2() {
  std::string s = "BM" + Le32(14 + 40 + 16) + Le32(0) + Le32(54) + Le32(40) + Le32(2) + Le32(2);
  s += std::string("\x01\x00\x18\x00", 4) + Le32(0) + Le32(16) + Le32(0) + Le32(0) + Le32(0) + Le32(0);
  // Bottom row first: blue, white; then red, green. Rows padded to 8 bytes.
  s += std::string("\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 8);
  s += std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);
  return s;
}

std::string TgaTopLeft2x2() {
  std::string s(18, '\0');
  s[2] = 2;
  s[12] = 2;
  s[14] = 2;
  s[16] = 32;
  s[17] = 0x28;
  s += std::string("\x00\x00\xFF\xFF\x00\xFF\x00\xFF\xFF\x00\x00\xFF\xFF\xFF\xFF\xFF", 16);
  return s;
}

std::string Png2x2() {
  const std::uint32_t pixels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = 2;
  png.height = 2;
  png.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 1024;
  std::string bytes(size, '\0');
  png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels, 0, nullptr);
  bytes.resize(size);
  return bytes;
}

TEST_F(EngTextureDX9Test, PicturesLoadByContentWithTheTopLeftTexelFirst) {
  WriteBytes("Bmp.dat", Bmp2x2());
  WriteBytes("Tga.dat", TgaTopLeft2x2());
  WriteBytes("Png.dat", Png2x2());
  EngTga quadrants;  // JPEG: 16 x 16 quadrants of the same colours
  ASSERT_TRUE(quadrants.Create(16, 16, 32));
  const std::uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) quadrants.SetPixelFromTop(x, y, colours[(y / 8) * 2 + x / 8]);
  ASSERT_TRUE(EngJpegSaveToFileFromTga("Jpeg.dat", &quadrants, 100, 0));
  for (const char* name : {"Bmp.dat", "Tga.dat", "Png.dat", "Jpeg.dat"}) {
    SCOPED_TRACE(name);
    EngTexture texture;
    ASSERT_TRUE(texture.LoadFromFileUsingExt(name, 1, 2, 2));
    const Bytes topLeft = TexelBytes(&texture, 0, 0, 4);  // B, G, R, A
    EXPECT_LT(topLeft[0], 40);
    EXPECT_LT(topLeft[1], 40);
    EXPECT_GT(topLeft[2], 215);
    EXPECT_EQ(topLeft[3], 255);
    const int last = texture.GetWidth() - 1;
    const Bytes bottomRight = TexelBytes(&texture, last, texture.GetHeight() - 1, 4);
    EXPECT_GT(bottomRight[0], 215);
    EXPECT_GT(bottomRight[1], 215);
  }
  // The extension only admits the file: ".dat" needs a kind.
  EngTexture refused;
  EXPECT_FALSE(refused.LoadFromFileUsingExt("Bmp.dat", 1, 2, 0));
  EXPECT_TRUE(LogContains("( EngTextureDX9::LoadFromFileUsingExt )    Unknown extension in file <Bmp.dat>"));
}

TEST_F(EngTextureDX9Test, LoadingRoundsSidesUpAndMakesAlpha) {
  // A 3 x 1 picture becomes a 4 x 1 texture; alpha kind 3 takes the brightest channel.
  EngTga picture;
  ASSERT_TRUE(picture.Create(3, 1, 32));
  picture.SetPixelFromTop(0, 0, 0xFF102030);
  picture.SetPixelFromTop(1, 0, 0xFF102030);
  picture.SetPixelFromTop(2, 0, 0xFF102030);
  ASSERT_TRUE(picture.SaveToFile("Three.tga"));
  EngTexture texture;
  ASSERT_TRUE(texture.LoadFromFile("Three.tga", 1, 3));
  EXPECT_EQ(texture.GetWidth(), 4);
  EXPECT_EQ(texture.GetHeight(), 1);
  EXPECT_EQ(TexelBytes(&texture, 0, 0, 4), (Bytes{0x30, 0x20, 0x10, 0x30}));

  // Without alpha the texture is X8R8G8B8.
  EngTexture opaque;
  ASSERT_TRUE(opaque.LoadFromFile("Three.tga", 0, 0));
  EXPECT_EQ(opaque.GetDX9()->GetFormat(), D3DFMT_X8R8G8B8);

  // Loading over a loaded texture reports and replaces it.
  ASSERT_TRUE(texture.LoadFromFile("Three.tga", 1, 2));
  EXPECT_TRUE(LogContains("Texture already exists <Three.tga>"));
  EXPECT_EQ(TexelBytes(&texture, 0, 0, 4)[3], 255);
}

TEST_F(EngTextureDX9Test, BrokenAndMissingPicturesLeaveNoTexture) {
  WriteBytes("Broken.dat", "BM this is not a bitmap at all");
  EngTexture texture;
  EXPECT_FALSE(texture.LoadFromFile("Broken.dat", 1, 2));
  EXPECT_TRUE(LogContains("( EngTextureDX9::DoLoadFromFile )    Could not load <Broken.dat>"));
  EXPECT_FALSE(texture.IsLoaded());
  EXPECT_EQ(texture.GetDX9()->GetD3DTexture(), nullptr);
  EXPECT_FALSE(texture.LoadFromFile("Missing.tga", 1, 2));
  EXPECT_TRUE(LogContains("File does not exist <Missing.tga>"));
  EXPECT_FALSE(texture.LoadFromFile("", 1, 2));
  EXPECT_TRUE(LogContains("No file specified"));
}

TEST_F(EngTextureDX9Test, ColourAndNormalUpgradeTheQuadKeepingItsCorners) {
  EngTexture texture;
  int width = 16, height = 16;
  ASSERT_TRUE(texture.CreateEmptyTexture(&width, &height, 1));
  texture.PositionPure(1, 2, 3, 4);
  texture.SetTextureCoordinates(0.1f, 0.2f, 0.3f, 0.4f);
  EngVertexBufferDX9& quad = texture.GetDX9()->GetQuad();
  const std::vector<float> position = VertexFloats(&texture, 3, 0, 3);

  texture.SetColour(1, 1, 1, 1);  // opaque white: nothing to upgrade
  EXPECT_EQ(quad.GetType(), EVBT_POS_TEX);
  texture.SetColour(1, 1, 1, 0.5f);
  ASSERT_EQ(quad.GetType(), EVBT_POS_COL_TEX);
  EXPECT_EQ(VertexFloats(&texture, 3, 0, 3), position);
  EXPECT_EQ(VertexFloats(&texture, 3, 16, 2), (std::vector<float>{0.3f, 0.2f}));
  std::uint32_t colour = 0;
  std::vector<float> word = VertexFloats(&texture, 0, 12, 1);
  std::memcpy(&colour, word.data(), 4);
  EXPECT_EQ(colour, 0x7FFFFFFFu);

  texture.SetNormal(0, 0, 1);
  ASSERT_EQ(quad.GetType(), EVBT_POS_NORM_COL_TEX);
  EXPECT_EQ(VertexFloats(&texture, 3, 0, 3), position);
  EXPECT_EQ(VertexFloats(&texture, 2, 12, 3), (std::vector<float>{0, 0, 1}));
  word = VertexFloats(&texture, 1, 24, 1);
  std::memcpy(&colour, word.data(), 4);
  EXPECT_EQ(colour, 0x7FFFFFFFu);

  // A 2D quad takes no colour or normal.
  EngTexture flat;
  ASSERT_TRUE(flat.CreateEmptyTexture2D(&width, &height, 1));
  flat.SetColour(1, 0, 0, 0.5f);
  flat.SetNormal(0, 0, 1);
  EXPECT_EQ(flat.GetDX9()->GetQuad().GetType(), EVBT_POS_TEX_2D);

  // A first corner colour paints the whole quad black first.
  EngTexture corners;
  ASSERT_TRUE(corners.CreateEmptyTexture(&width, &height, 1));
  corners.SetVertexColour(2, 1, 1, 1, 1);  // corner 2 is vertex 2, the bottom right
  ASSERT_EQ(corners.GetDX9()->GetQuad().GetType(), EVBT_POS_COL_TEX);
  word = VertexFloats(&corners, 2, 12, 1);
  std::memcpy(&colour, word.data(), 4);
  EXPECT_EQ(colour, 0xFFFFFFFFu);
  word = VertexFloats(&corners, 0, 12, 1);
  std::memcpy(&colour, word.data(), 4);
  EXPECT_EQ(colour, 0xFF000000u);
}

TEST_F(EngTextureDX9Test, PositionSizeRules) {
  EngTexture texture;
  int width = 16, height = 16;
  ASSERT_TRUE(texture.CreateEmptyTexture(&width, &height, 1));
  float x, y, w, h;
  texture.PositionPure(0, 0, 0, 1);
  texture.PositionPure(0, 0, -1, 1);
  EXPECT_TRUE(LogContains("( EngTextureDX9::PositionPure )    Invalid sizes"));
  texture.GetDX9()->GetQuadRect(&x, &y, &w, &h);
  EXPECT_EQ(w, 0.0f);
  ClearLog();
  texture.PositionRatioed(320, 240, -64, 48);  // negative passes, 0 does not
  EXPECT_FALSE(LogContains("Invalid sizes"));
  texture.GetDX9()->GetQuadRect(&x, &y, &w, &h);
  EXPECT_FLOAT_EQ(x, 0.0f);
  EXPECT_FLOAT_EQ(y, 0.0f);
  EXPECT_FLOAT_EQ(w, -0.2f);
  EXPECT_FLOAT_EQ(h, 0.2f);
  texture.PositionRatioed(0, 0, 10, 0);
  EXPECT_TRUE(LogContains("( EngTextureDX9::PositionRatioed )    Invalid sizes"));
}

TEST_F(EngTextureDX9Test, ColourRectWritesOnlyTheChannelsAsked) {
  struct Case {
    const char* label;
    D3DFORMAT format;
    Bytes start;
    float r, g, b, a;
    Bytes expected;
  } cases[] = {
      {"A8R8G8B8 red on, green off", D3DFMT_A8R8G8B8, {0x11, 0x22, 0x33, 0x44}, 1, 0, -1, -1, {0x11, 0x00, 0xFF, 0x44}},
      {"X8R8G8B8 keeps its fourth byte", D3DFMT_X8R8G8B8, {0x11, 0x22, 0x33, 0x44}, 0, 0, 0, 1, {0, 0, 0, 0x44}},
      {"X1R5G5B5 writes bit 15", D3DFMT_X1R5G5B5, {0x00, 0x00}, -1, -1, -1, 1, {0x00, 0x80}},
      {"A1R5G5B5 blue only", D3DFMT_A1R5G5B5, {0x00, 0xFC}, -1, -1, 1, -1, {0x1F, 0xFC}},
      {"A4R4G4B4 green and alpha", D3DFMT_A4R4G4B4, {0x0F, 0x0F}, -1, 0.5f, -1, 0, {0x7F, 0x0F}},
      {"components above 1 are clamped", D3DFMT_A8R8G8B8, {0, 0, 0, 0}, 1.5f, -1, -1, -1, {0, 0, 0xFF, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EngTexture texture;
    ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&texture, 4, 2, c.format));
    FillTexels(&texture, c.start);
    ASSERT_TRUE(texture.ColourRect(0, 0, -1, -1, c.r, c.g, c.b, c.a));
    EXPECT_EQ(TexelBytes(&texture, 3, 1, static_cast<int>(c.expected.size())), c.expected);
  }
  EngTexture texture;
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&texture, 4, 2, D3DFMT_A8R8G8B8));
  FillTexels(&texture, {1, 2, 3, 4});
  ASSERT_TRUE(texture.ColourRect(1, 1, 2, 1, 0, 0, 0, 0));
  EXPECT_EQ(TexelBytes(&texture, 0, 1, 12), (Bytes{1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(TexelBytes(&texture, 1, 0, 4), (Bytes{1, 2, 3, 4}));
  EXPECT_FALSE(texture.ColourRect(3, 0, 2, 1, 0, 0, 0, 0));
  EXPECT_TRUE(LogContains("( EngTextureDX9::TransformPixels )    Invalid sizes"));
  EngTexture packed;
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&packed, 2, 2, D3DFMT_R5G6B5));
  EXPECT_FALSE(packed.ColourRect(0, 0, -1, -1, 1, 1, 1, 1));
  EXPECT_TRUE(LogContains("Unsupported format [23]"));
}

TEST_F(EngTextureDX9Test, CopiesScaleAndBlend) {
  // 64 x 64 into 32 x 32 takes every second texel.
  EngTexture big, small;
  ASSERT_NO_FATAL_FAILURE(MakeCoordinateTexture(&big));
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&small, 32, 32, D3DFMT_A8R8G8B8));
  ASSERT_TRUE(small.CopyAlphaChannelFromAnotherTextureInt(&big, 0, 0, -1, -1, 0, 0, -1, -1, 0, 0));
  EXPECT_EQ(TexelBytes(&small, 5, 7, 4), (Bytes{10, 14, 0, 255}));

  // Blend: alpha 128 mixes the colour and keeps the higher destination alpha.
  struct Case {
    Bytes source, dest, expected;
  } cases[] = {
      {{200, 0, 0, 128}, {0, 100, 0, 200}, {100, 49, 0, 200}},
      {{200, 0, 0, 0}, {0, 100, 0, 200}, {0, 100, 0, 200}},
      {{200, 0, 0, 255}, {0, 100, 0, 200}, {200, 0, 0, 255}},
      {{200, 0, 0, 128}, {0, 100, 0, 10}, {100, 49, 0, 128}},
  };
  for (const auto& c : cases) {
    EngTexture from, to;
    ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&from, 2, 2, D3DFMT_A8R8G8B8));
    ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&to, 2, 2, D3DFMT_A8R8G8B8));
    FillTexels(&from, c.source);
    FillTexels(&to, c.dest);
    ASSERT_TRUE(to.CopyAlphaChannelFromAnotherTexture(&from, 0, 0, -1, -1, 0, 0, -1, -1, 1, 0));
    EXPECT_EQ(TexelBytes(&to, 1, 1, 4), c.expected);
  }

  // 16-bit with blend: the destination keeps its colour and takes the higher alpha.
  EngTexture from16, to16;
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&from16, 1, 1, D3DFMT_A4R4G4B4));
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&to16, 1, 1, D3DFMT_A4R4G4B4));
  FillTexels(&from16, {0x00, 0x8F});  // red, alpha 8
  FillTexels(&to16, {0xF0, 0x20});    // green, alpha 2
  ASSERT_TRUE(to16.CopyAlphaChannelFromAnotherTexture(&from16, 0, 0, -1, -1, 0, 0, -1, -1, 1, 0));
  EXPECT_EQ(TexelBytes(&to16, 0, 0, 2), (Bytes{0xF0, 0x80}));

  EXPECT_FALSE(to16.CopyAlphaChannelFromAnotherTexture(&big, 0, 0, -1, -1, 0, 0, -1, -1, 1, 0));
  EXPECT_TRUE(LogContains("Formats are not the same [21,26]"));
  EXPECT_FALSE(small.CopyAlphaChannelFromAnotherTexture(&big, 0, 0, -1, -1, 0, 0, -1, -1, 1, 1));
  EXPECT_TRUE(LogContains("Cps not implemeted yet"));
  EngTexture empty;
  EXPECT_FALSE(small.CopyAlphaChannelFromAnotherTexture(&empty, 0, 0, -1, -1, 0, 0, -1, -1, 1, 0));
  EXPECT_TRUE(LogContains("From texture not ok (2)"));
}

TEST_F(EngTextureDX9Test, AlphaFromColourByFormat) {
  struct Case {
    D3DFORMAT format;
    Bytes texel;
    int kind;
    Bytes expected;
  } cases[] = {
      {D3DFMT_A8R8G8B8, {0x10, 0x80, 0x40, 0x00}, 3, {0x10, 0x80, 0x40, 0x80}},
      {D3DFMT_A8R8G8B8, {0x10, 0x80, 0x40, 0x00}, 6, {0x10, 0x80, 0x40, 0x10}},
      {D3DFMT_A1R5G5B5, {0x00, 0x7C}, 3, {0x00, 0xFC}},  // bright red: the alpha bit set
      {D3DFMT_A1R5G5B5, {0x00, 0xFC}, 1, {0x00, 0x7C}},
      {D3DFMT_A4R4G4B4, {0x00, 0x0F}, 3, {0x00, 0xFF}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.format << " kind " << c.kind);
    EngTexture texture;
    ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&texture, 2, 2, c.format));
    FillTexels(&texture, c.texel);
    ASSERT_TRUE(texture.GetDX9()->SetupAlphaChannel(c.kind));
    EXPECT_EQ(TexelBytes(&texture, 1, 1, static_cast<int>(c.expected.size())), c.expected);
  }
  EngTexture opaque;
  ASSERT_TRUE(EngTextureDX9TestAccess::CreateWithFormat(&opaque, 2, 2, D3DFMT_X8R8G8B8));
  EXPECT_FALSE(opaque.GetDX9()->SetupAlphaChannel(3));
  EXPECT_TRUE(LogContains("Format does not have alpha channel [22]"));
}

TEST_F(EngTextureDX9Test, AlphaKindsAndFileKinds) {
  EngTexture::ResetReportCountsForTests();
  struct Case {
    int kind;
    std::uint8_t r, g, b, alpha;
  } cases[] = {
      {0, 1, 2, 3, 255}, {7, 1, 2, 3, 255}, {1, 200, 200, 200, 0}, {3, 10, 90, 30, 90},
      {4, 40, 10, 10, 64}, {4, 31, 0, 0, 0},  {4, 64, 0, 0, 255},  {5, 20, 30, 5, 240},
      {5, 32, 0, 0, 255},  {6, 10, 90, 30, 10},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EngTexture::GetPixelAlphaFromBrightness(c.kind, c.r, c.g, c.b), c.alpha) << "kind " << c.kind;
  }
  for (int i = 0; i < 25; ++i) EXPECT_EQ(EngTexture::GetPixelAlphaFromBrightness(9, 1, 1, 1), 0);
  int reports = 0;
  for (const auto& line : LogLines()) reports += line.find("Unknown alpha type 9") != std::string::npos;
  EXPECT_EQ(reports, 20);

  struct FileCase {
    const char* name;
    int kind;
  } files[] = {{"Deck.TGA", 2}, {"a.jpeg", 0}, {"x.dat", 5}, {"bmp", 0}, {"c.Bmp", 1}, {"p.png", 4}, {"x.jpg", 3}};
  for (const auto& f : files) EXPECT_EQ(EngTextureGetFileType(f.name, 5), f.kind) << f.name;
  EXPECT_EQ(EngTextureGetFileType(nullptr, 5), 0);
}

}  // namespace
