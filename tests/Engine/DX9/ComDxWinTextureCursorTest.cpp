// Tests of the texture cursor on the recording device and a headless window.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/DX9/ComDxWinTextureCursor.h"
#include "Engine/EngWindow.h"
#include "tests/Engine/DX9/TextureTestSupport.h"

namespace {

class ComDxWinTextureCursorTest : public RecordingDeviceTest {
 protected:
  void SetUp() override {
    RecordingDeviceTest::SetUp();
    ComDxWinResetTextureCursorForTests();
    std::filesystem::copy_file(CARDOLIA_BUILD_DIR "/Data/Main/0151.dat", "Cursor.dat");
  }
  void TearDown() override {
    ComDxWinReleaseTextureCursor();
    ComDxWinResetTextureCursorForTests();
    RecordingDeviceTest::TearDown();
  }
};

TEST_F(ComDxWinTextureCursorTest, NamesMustFitTheRecord) {
  // A name the record cannot hold whole is refused rather than cut to another file's name.
  const std::string tooLong(128, 'a');
  EXPECT_FALSE(ComDxWinSetupTextureCursor(window_, tooLong.c_str(), 2, 2, 14, 20, true, 0, 0));
  EXPECT_TRUE(LogContains("( ComDxWinSetupTextureCursor )    Invalid Filename"));
  EXPECT_FALSE(window_->Win().textureCursorInUse);
  EXPECT_FALSE(ComDxWinSetupTextureCursor(window_, "", 2, 2, 14, 20, true, 0, 0));
  EXPECT_FALSE(ComDxWinSetupTextureCursor(window_, nullptr, 2, 2, 14, 20, true, 0, 0));

  const std::string longest = std::string(123, 'b') + ".dat";
  ASSERT_TRUE(ComDxWinSetupTextureCursor(window_, longest.c_str(), 2, 2, 14, 20, true, 0, 0));
  EXPECT_EQ(std::string(ComDxWinGetTextureCursorName()), longest);
  EXPECT_TRUE(window_->Win().textureCursorInUse);
  EXPECT_TRUE(window_->Win().cursorVisible);  // the engine still means a cursor to be seen
}

TEST_F(ComDxWinTextureCursorTest, AMissingPictureGivesTheSystemCursorBack) {
  ASSERT_TRUE(ComDxWinSetupTextureCursor(window_, "Missing.dat", 2, 2, 14, 20, true, 0, 0));
  EXPECT_FALSE(ComDxWinCreateTextureCursor(window_));
  EXPECT_TRUE(LogContains("( EngDeviceDX9::Create )    Could not create texture cursor <Missing.dat>"));
  EXPECT_FALSE(window_->Win().textureCursorInUse);
  EXPECT_TRUE(window_->Win().cursorVisible);
}

TEST_F(ComDxWinTextureCursorTest, LoadsPlacesAndDrawsThePointer) {
  ASSERT_TRUE(ComDxWinSetupTextureCursor(window_, "Cursor.dat", 2, 2, 14, 20, true, 0, 0));
  ASSERT_TRUE(ComDxWinCreateTextureCursor(window_));
  EngTexture* texture = ComDxWinGetTextureCursorTexture();
  ASSERT_TRUE(texture->IsLoaded());
  EXPECT_EQ(texture->GetDX9()->GetFormat(), D3DFMT_A8R8G8B8);
  // The picture's own alpha, the ground's share: all of it at the bottom
  // right, none on the outline near the tip.
  EXPECT_EQ(TexelBytes(texture, texture->GetWidth() - 1, texture->GetHeight() - 1, 4),
            (std::vector<std::uint8_t>{0, 0, 0, 255}));
  EXPECT_EQ(TexelBytes(texture, 1, 8, 4)[3], 0);

  // A move to the middle of the 640 x 480 client area puts the tip there.
  ComDxWinPlaceTextureCursor(window_, 320, 240);
  float x, y, w, h;
  texture->GetDX9()->GetQuadRect(&x, &y, &w, &h);
  EXPECT_FLOAT_EQ(x, 0.0f);
  EXPECT_FLOAT_EQ(y, 0.0f);
  EXPECT_FLOAT_EQ(w, 14.0f / 320.0f);
  EXPECT_FLOAT_EQ(h, 20.0f / 240.0f);

  Recorder().Clear();
  ComDxWinDrawTextureCursorQuad(window_);
  EXPECT_EQ(Recorder().Count("DrawPrimitive(5, 0, 2)"), 1);
  EXPECT_EQ(Recorder().Count("BeginScene()"), 1);  // it opened its own scene ...
  EXPECT_EQ(Recorder().Count("EndScene()"), 1);    // ... and closed it
  EXPECT_FALSE(EngDeviceDX9GetCurrent()->IsIn2DMode());

  // Not drawn while the mouse is outside, nor while the cursor is hidden.
  Recorder().Clear();
  window_->Win().textureCursorHiddenOutside = true;
  ComDxWinDrawTextureCursorQuad(window_);
  window_->Win().textureCursorHiddenOutside = false;
  window_->Win().cursorVisible = false;
  ComDxWinDrawTextureCursorQuad(window_);
  EXPECT_EQ(Recorder().CountPrefix("DrawPrimitive"), 0);
  window_->Win().cursorVisible = true;

  ComDxWinReleaseTextureCursor();
  EXPECT_FALSE(texture->IsLoaded());
}

TEST_F(ComDxWinTextureCursorTest, SizesInPixelsBecomeVirtualUnits) {
  // The window is 640 x 480, so pixels and virtual units agree; a size not
  // marked virtual is scaled by the mode and truncated.
  ASSERT_TRUE(ComDxWinSetupTextureCursor(window_, "Cursor.dat", 2, 2, 15, 21, false, 3, 5));
  ASSERT_TRUE(ComDxWinCreateTextureCursor(window_));
  ComDxWinPlaceTextureCursor(window_, 100, 100);
  float x, y, w, h;
  ComDxWinGetTextureCursorTexture()->GetDX9()->GetQuadRect(&x, &y, &w, &h);
  EXPECT_FLOAT_EQ(x, 97.0f / 320.0f - 1.0f);
  EXPECT_FLOAT_EQ(y, 95.0f / 240.0f - 1.0f);
  EXPECT_FLOAT_EQ(w, 15.0f / 320.0f);
}

}  // namespace
