// Tests of fonts on the recording device: glyph sheets and quads, the text
// render state, and what drawing a string sends to the device.
#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Engine/EngFont.h"
#include "tests/Engine/DX9/TextureTestSupport.h"

namespace {

const char* const kMainFont = CARDOLIA_BUILD_DIR "/Data/Main/0100.dat";

class EngFontDX9Test : public RecordingDeviceTest {
 protected:
  void SetUp() override {
    RecordingDeviceTest::SetUp();
    EngFontResetTextStateForTests();
  }
  void TearDown() override {
    EngFontResetTextStateForTests();
    RecordingDeviceTest::TearDown();
  }
  bool CreateMainFont(EngFont& font) {
    return font.Create(kMainFont, 1, 32, 32, 245, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true);
  }
  EngDeviceDX9* Device() { return EngDeviceDX9GetCurrent(); }
};

// Sums the alpha bytes of an A8R8G8B8 sheet inside a rectangle.
long InkIn(IDirect3DTexture9* sheet, int x0, int y0, int x1, int y1) {
  D3DLOCKED_RECT locked{};
  if (sheet->LockRect(0, &locked, nullptr, D3DLOCK_READONLY) != D3D_OK) return -1;
  long sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) sum += static_cast<const std::uint8_t*>(locked.pBits)[y * locked.Pitch + x * 4 + 3];
  sheet->UnlockRect(0);
  return sum;
}

TEST_F(EngFontDX9Test, MainFontFillsSheetsAndGivesEveryGlyphAQuad) {
  const int resourcesBefore = D3D9LiveResourceCount();
  EngFont font;
  ASSERT_TRUE(CreateMainFont(font));
  EXPECT_GE(font.GetSheetCount(), 1);
  EXPECT_EQ(font.GetSheetFormat(), D3DFMT_A8R8G8B8);
  for (int sheet = 0; sheet < font.GetSheetCount(); ++sheet) {
    IDirect3DTexture9* texture = font.GetSheetTexture(sheet);
    ASSERT_NE(texture, nullptr);
    EXPECT_GT(InkIn(texture, 0, 0, 512, 512), 0) << "sheet " << sheet;
  }
  for (int c = 33; c < 127; ++c) {
    EXPECT_GE(font.GetSheetOfChar(static_cast<unsigned char>(c)), 0) << c;
    ASSERT_NE(font.GetGlyph(static_cast<unsigned char>(c)), nullptr);
    EXPECT_FLOAT_EQ(font.GetGlyph(static_cast<unsigned char>(c))->advance, font.GetAdvance(static_cast<unsigned char>(c)));
  }
  EXPECT_EQ(font.GetSheetOfChar(0x81), -1);  // no character in CP1252
  EXPECT_GE(font.GetSheetOfChar(' '), 0);    // a blank still has a quad
  // Two channels without effects: luminance and alpha are both the coverage.
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(font.GetSheetTexture(0)->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  int mismatches = 0;
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 512; ++x) {
      const auto* p = static_cast<const std::uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4;
      mismatches += !(p[0] == p[3] && p[1] == p[3] && p[2] == p[3]);
    }
  font.GetSheetTexture(0)->UnlockRect(0);
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(D3D9LiveResourceCount(), resourcesBefore);
  font.Release();
  EXPECT_EQ(D3D9LiveResourceCount(), resourcesBefore);
}

TEST_F(EngFontDX9Test, OversizedGlyphsAreSkippedWithoutWritingOutsideTheSheet) {
  EngFont font;
  ASSERT_TRUE(font.Create(kMainFont, 0, 512, 32, 34, nullptr, 0, 1, 1, 0, 0, true));
  EXPECT_TRUE(LogContains("Glyph too large for a sheet <33>"));
  EXPECT_TRUE(LogContains("EngFont::ParseLetter Failed <33 - !>"));
  EXPECT_EQ(font.GetSheetOfChar('!'), -1);
  EXPECT_EQ(font.GetAdvance('!'), 0.0f);
  EXPECT_EQ(font.GetSheetOfChar(' '), 0);
}

TEST_F(EngFontDX9Test, DrawingNeedsASceneAndAPreparedState) {
  EngFont font;
  ASSERT_TRUE(CreateMainFont(font));
  font.DrawString(10, 10, "Hi", 0, 0);
  EXPECT_TRUE(LogContains("( EngFont::DrawString )    Scene not on"));
  ASSERT_TRUE(Device()->BeginRendering());
  font.DrawString(10, 10, "Hi", 0, 0);
  EXPECT_TRUE(LogContains("2D Not setup"));
  Device()->PrepareFor2D(false);
  font.DrawString(10, 10, "Hi", 0, 0);
  EXPECT_TRUE(LogContains("Not ready for drawings"));
  Device()->RestoreAfter2D();
  EXPECT_EQ(Recorder().CountPrefix("DrawPrimitive"), 0);
  EngFontRestoreAfterDrawing();
  EXPECT_TRUE(LogContains("( EngFontRestoreAfterDrawing )    Not setup"));
  Device()->EndRendering();
}

TEST_F(EngFontDX9Test, PreparingSetsTheStateAndRestoringUndoesIt) {
  ASSERT_TRUE(Device()->BeginRendering());
  Device()->DisableLighting();
  const bool lightingBefore = Device()->IsLightingOn();
  EngFontPrepareForDrawing(1);
  EXPECT_TRUE(EngFontIsPreparedForDrawing());
  EXPECT_TRUE(Device()->IsIn2DMode());
  EXPECT_TRUE(Device()->IsLightingOn());
  EXPECT_EQ(Recorder().renderStates[D3DRS_DIFFUSEMATERIALSOURCE], static_cast<DWORD>(D3DMCS_MATERIAL));
  EXPECT_FLOAT_EQ(Device()->GetProjection()._11, 2.0f / 640.0f);

  bool preparedHere = true;
  EXPECT_TRUE(EngFontPrepareForDrawingIfNeeded(1, &preparedHere));  // compatible: nothing to do
  EXPECT_FALSE(preparedHere);
  EXPECT_FALSE(EngFontPrepareForDrawingIfNeeded(0, &preparedHere));  // the other kind: anew
  EXPECT_TRUE(LogContains("Ratio mix problem"));
  EXPECT_TRUE(preparedHere);
  EXPECT_FLOAT_EQ(Device()->GetProjection()._11, 2.0f / 640.0f);  // the screen is 640 wide too

  EngFontRestoreAfterDrawing();
  EXPECT_FALSE(EngFontIsPreparedForDrawing());
  EXPECT_FALSE(Device()->IsIn2DMode());
  EXPECT_EQ(Device()->IsLightingOn(), lightingBefore);
  EXPECT_EQ(Recorder().renderStates[D3DRS_DIFFUSEMATERIALSOURCE], static_cast<DWORD>(D3DMCS_COLOR1));

  // Save and restore around other drawing (the texture cursor does this).
  EngFontPrepareForDrawing(1);
  EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(true);
  EXPECT_FALSE(EngFontIsPreparedForDrawing());
  EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(true);
  EXPECT_TRUE(LogContains("Already saved"));
  EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(false);
  EXPECT_TRUE(EngFontIsPreparedForDrawing());
  EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(false);
  EXPECT_TRUE(LogContains("Not saved"));
  EngFontRestoreAfterDrawing();
  Device()->EndRendering();
}

TEST_F(EngFontDX9Test, DrawStringDrawsEachGlyphAndTracksThePen) {
  EngFont font;
  ASSERT_TRUE(CreateMainFont(font));
  ASSERT_TRUE(Device()->BeginRendering());
  EngFontPrepareForDrawing(1);
  Recorder().Clear();

  const char* text = "Hi \x81you";  // 0x81 has no glyph: skipped, no room taken
  EngFontTrackCharPos(static_cast<int>(std::strlen(text)));
  font.DrawString(100, 50, text, 0, 0);
  EXPECT_EQ(Recorder().Count("DrawPrimitive(5, 0, 2)"), 6);
  const float end = EngFontTrackCharPos(-1);
  EXPECT_FLOAT_EQ(end, 100 + font.GetStringWidth(text));
  EXPECT_EQ(Recorder().Count("SetMaterial()"), 0);  // no colour set

  // At most 2 characters; a maximum width stops at the first pen beyond it.
  Recorder().Clear();
  font.DrawString(100, 50, "Hello", 2, 0);
  EXPECT_EQ(Recorder().Count("DrawPrimitive(5, 0, 2)"), 2);
  Recorder().Clear();
  font.DrawString(100, 50, "Hello", 0, font.GetAdvance('H') + 0.01f);
  EXPECT_EQ(Recorder().Count("DrawPrimitive(5, 0, 2)"), 2);

  // A colour becomes the emissive material for the string, then the default comes back.
  Recorder().Clear();
  font.SetColour(1, 0, 0, 0.5f);
  font.DrawString(100, 50, "A", 0, 0);
  EXPECT_EQ(Recorder().Count("SetMaterial()"), 2);
  EXPECT_FLOAT_EQ(Recorder().material.Diffuse.a, 1.0f);  // the default again

  // Wrapped text draws its lines, a left-aligned break blank not drawn.
  Recorder().Clear();
  float widest = 0, used = 0;
  int lines = 0;
  bool finished = false;
  font.DrawMultilineText(0, 0, font.GetStringWidth("aaaa bb"), 100, 0, 0, "aaaa bbbb", true, 0, &widest, &used,
                         &lines, &finished);
  EXPECT_EQ(lines, 2);
  EXPECT_TRUE(finished);
  EXPECT_EQ(Recorder().Count("DrawPrimitive(5, 0, 2)"), 8);

  EngFontRestoreAfterDrawing();
  Device()->EndRendering();
}

}  // namespace
