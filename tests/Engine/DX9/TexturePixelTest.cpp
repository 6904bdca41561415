// Pixel tests on the GL device (a real window; Mesa under Xvfb): textured
// quads from every picture format, text inside its measured box, and the
// texture cursor at the pointer. Runs on an X server of its own.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/DX9/ComDxWinTextureCursor.h"
#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/EngFont.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "Engine/EngWindow.h"
#include "Platform/D3D9.h"
#include "Platform/D3D9GL.h"
#include "Platform/Window.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

const char* const kMainFont = CARDOLIA_BUILD_DIR "/Data/Main/0100.dat";

// A program with a 640 x 480 window and a GL device; the virtual 640 x 480
// space is the window's pixels.
class TexturePixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    PlatformUseHeadlessWindows(false);
    D3D9SetFactory(nullptr);
    EngFontResetTextStateForTests();
    program_ = std::make_unique<EngProgram>();
  }
  void TearDown() override {
    if (window_) window_->DestroyDeviceAndWindow();
    program_.reset();
    ComDxWinResetTextureCursorForTests();
    EngFontResetTextStateForTests();
    PlatformResetWindowsForTests();
    TempDirTest::TearDown();
  }
  bool OpenWindow() {
    std::int8_t result = 0;
    window_ = program_->CreateMainWindow("Pixel test", EngWindowSettings{}, &result);
    return window_ && window_->CreateGraphicsDevice();
  }
  EngDeviceDX9* Device() { return EngDeviceDX9GetCurrent(); }
  // Starts a frame cleared to dark grey.
  void BeginFrame() {
    Device()->SetClearColour(0.1f, 0.1f, 0.1f);
    ASSERT_TRUE(Device()->BeginRendering());
    Device()->ClearScreenAndDepth();
  }
  std::vector<std::uint32_t> Read(int x, int y, int w, int h) {
    Device()->SyncWithGPU();
    std::vector<std::uint32_t> pixels;
    EXPECT_TRUE(D3D9GLReadPixels(x, y, w, h, &pixels));
    return pixels;
  }
  std::uint32_t At(int x, int y) {
    const std::vector<std::uint32_t> pixel = Read(x, y, 1, 1);
    return pixel.empty() ? 0 : pixel[0] & 0x00FFFFFFu;
  }

  std::unique_ptr<EngProgram> program_;
  EngWindow* window_ = nullptr;
};

bool Near(std::uint32_t got, std::uint32_t want, int margin) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((got >> shift) & 0xFF), b = static_cast<int>((want >> shift) & 0xFF);
    if (a - b > margin || b - a > margin) return false;
  }
  return true;
}

// 32 x 32 pictures of quadrants red, green / blue, white in every format.
const std::uint32_t kQuadrants[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};

std::uint32_t QuadrantPixel(int x, int y) { return kQuadrants[(y / 16) * 2 + x / 16]; }

void WritePictures() {
  EngTga tga;
  ASSERT_TRUE(tga.Create(32, 32, 32));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) tga.SetPixelFromTop(x, y, QuadrantPixel(x, y));
  ASSERT_TRUE(tga.SaveToFile("Tga.dat"));
  ASSERT_TRUE(EngJpegSaveToFileFromTga("Jpeg.dat", &tga, 95, 0));

  std::vector<std::uint32_t> top(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) top[y * 32 + x] = QuadrantPixel(x, y);
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = 32;
  png.height = 32;
  png.format = PNG_FORMAT_BGRA;
  ASSERT_TRUE(png_image_write_to_file(&png, "Png.dat", 0, top.data(), 0, nullptr));

  // 24-bit BMP, bottom row first.
  std::string bmp = "BM";
  auto le32 = [&bmp](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>(v >> (8 * i)));
  };
  le32(54 + 32 * 32 * 3);
  le32(0);
  le32(54);
  le32(40);
  le32(32);
  le32(32);
  le32(1 | (24 << 16));
  for (int i = 0; i < 6; ++i) le32(0);
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t p = QuadrantPixel(x, y);
      bmp.push_back(static_cast<char>(p));
      bmp.push_back(static_cast<char>(p >> 8));
      bmp.push_back(static_cast<char>(p >> 16));
    }
  std::FILE* file = std::fopen("Bmp.dat", "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bmp.data(), 1, bmp.size(), file);
  std::fclose(file);
}

TEST_F(TexturePixelTest, QuadsShowPicturesOfEveryFormatTheRightWayUp) {
  WritePictures();
  ASSERT_TRUE(OpenWindow());
  const char* names[4] = {"Bmp.dat", "Tga.dat", "Png.dat", "Jpeg.dat"};
  EngTexture textures[4];
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(textures[i].LoadFromFileUsingExt(names[i], 0, 0, 2)) << names[i];
  BeginFrame();
  Device()->PrepareFor2DIfNotPrepared(true);
  for (int i = 0; i < 4; ++i) textures[i].DrawPositionRatioed(20.0f + 150.0f * i, 100, 128, 128);
  Device()->RestoreAfter2D();
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(names[i]);
    const int left = 20 + 150 * i;
    for (int q = 0; q < 4; ++q) {
      const std::uint32_t got = At(left + 32 + (q % 2) * 64, 100 + 32 + (q / 2) * 64);
      EXPECT_TRUE(Near(got, kQuadrants[q] & 0x00FFFFFF, 30)) << "quadrant " << q << " got " << std::hex << got;
    }
    EXPECT_TRUE(Near(At(left + 64, 240), 0x1A1A1A, 4));  // below the quad: the cleared ground
  }
  Device()->EndRendering();
}

// The box around every pixel that differs from the ground colour.
struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

InkBox FindInk(const std::vector<std::uint32_t>& pixels, int width, int height, int originX, int originY) {
  InkBox box;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (Near(pixels[y * width + x] & 0x00FFFFFF, 0x1A1A1A, 24)) continue;
      box.left = std::min(box.left, originX + x);
      box.right = std::max(box.right, originX + x);
      box.top = std::min(box.top, originY + y);
      box.bottom = std::max(box.bottom, originY + y);
    }
  return box;
}

TEST_F(TexturePixelTest, TextInkFallsInsideItsMeasuredBox) {
  ASSERT_TRUE(OpenWindow());
  EngFont font;
  ASSERT_TRUE(font.Create(kMainFont, 1, 32, 32, 245, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true));
  font.SetRatio(3, 3);  // big enough for llvmpipe's pixels to tell
  font.SetColour(1, 1, 1, 1);
  const char* text = "Hello, Wj\xE9!";
  const float width = font.GetStringWidth(text);
  const float height = font.GetHeight(true);
  BeginFrame();
  EngFontPrepareForDrawing(1);
  font.DrawString(100, 100, text, 0, 0);
  EngFontRestoreAfterDrawing();
  const std::vector<std::uint32_t> pixels = Read(0, 0, 640, 480);
  Device()->EndRendering();
  const InkBox ink = FindInk(pixels, 640, 480, 0, 0);
  ASSERT_FALSE(ink.Empty());
  // Glyphs may overhang their advance by a pixel or two at the ends.
  EXPECT_GE(ink.left, 100 - 2);
  EXPECT_LE(ink.right, 100 + width + 2);
  EXPECT_GE(ink.top, 100 - 2);
  EXPECT_LE(ink.bottom, 100 + height + 2);
  EXPECT_GT(ink.right - ink.left, width * 0.8f);  // the whole string was drawn
}

TEST_F(TexturePixelTest, WrappedTextStaysInItsBox) {
  ASSERT_TRUE(OpenWindow());
  EngFont font;
  ASSERT_TRUE(font.Create(kMainFont, 1, 32, 32, 245, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true));
  font.SetRatio(2, 2);
  font.SetColour(1, 1, 0.5f, 1);
  const char* text = "The quick brown fox jumps over the lazy dog";
  const float boxWidth = 200;
  BeginFrame();
  EngFontPrepareForDrawing(1);
  float widest = 0, used = 0;
  int lines = 0;
  bool finished = false;
  font.DrawMultilineText(50, 60, boxWidth, 400, 0, 0, text, true, 0, &widest, &used, &lines, &finished);
  EngFontRestoreAfterDrawing();
  const std::vector<std::uint32_t> pixels = Read(0, 0, 640, 480);
  Device()->EndRendering();
  EXPECT_TRUE(finished);
  EXPECT_GE(lines, 3);
  EXPECT_LE(widest, boxWidth);
  EXPECT_FLOAT_EQ(used, lines * font.GetHeight(true));
  const InkBox ink = FindInk(pixels, 640, 480, 0, 0);
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 50 - 2);
  EXPECT_LE(ink.right, 50 + boxWidth + 2);
  EXPECT_GE(ink.top, 60 - 2);
  EXPECT_LE(ink.bottom, 60 + used + 2);
  EXPECT_GT(ink.bottom - ink.top, used - font.GetHeight(true));  // more than one line of ink
}

TEST_F(TexturePixelTest, TheTextureCursorFollowsThePointer) {
  std::filesystem::copy_file(CARDOLIA_BUILD_DIR "/Data/Main/0151.dat", "Cursor.dat");
  std::int8_t result = 0;
  window_ = program_->CreateMainWindow("Pixel test", EngWindowSettings{}, &result);
  ASSERT_NE(window_, nullptr);
  // Named before the device exists; device creation loads it.
  ASSERT_TRUE(ComDxWinSetupTextureCursor(window_, "Cursor.dat", 2, 2, 14, 20, true, 0, 0));
  ASSERT_TRUE(window_->CreateGraphicsDevice());
  ASSERT_TRUE(ComDxWinGetTextureCursorTexture()->IsLoaded());
  const int spots[2][2] = {{200, 150}, {420, 330}};
  for (const auto& spot : spots) {
    SCOPED_TRACE(testing::Message() << spot[0] << ", " << spot[1]);
    // The pointer moves as the window system says: a mouse-move message
    // through the window procedure (after whatever the display sent first).
    for (int i = 0; i < 100 && ComDxWinProcessMessage() == 2; ++i) {
    }
    PlatformInjectMessage(window_->Win().handle, WM_MOUSEMOVE, 0, MAKELPARAM(spot[0], spot[1]));
    for (int i = 0; i < 100 && ComDxWinProcessMessage() == 2; ++i) {
    }
    // Other tests' windows on the shared display may make the real pointer
    // leave this one; the injected move is inside.
    window_->Win().textureCursorHiddenOutside = false;
    BeginFrame();
    Device()->EndRendering();
    window_->DrawTextureCursor();  // opens its own scene
    ASSERT_TRUE(Device()->BeginRendering());
    const std::vector<std::uint32_t> pixels = Read(0, 0, 640, 480);
    Device()->EndRendering();
    const InkBox ink = FindInk(pixels, 640, 480, 0, 0);
    ASSERT_FALSE(ink.Empty());
    EXPECT_LE(std::abs(ink.left - spot[0]), 1);  // the tip is the hot spot
    EXPECT_LE(std::abs(ink.top - spot[1]), 1);
    EXPECT_LE(ink.right, spot[0] + 14);
    EXPECT_LE(ink.bottom, spot[1] + 20);
    EXPECT_GE(ink.bottom - ink.top, 15);
  }
}

}  // namespace
