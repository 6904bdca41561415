// Tests of fonts without a graphics device: shelf packing, glyph images with
// their effects, the blur, sheet texels, line wrapping on a fixed-advance
// fake font, and a real font created from the game's data for measuring.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngFont.h"
#include "Engine/EngProgram.h"
#include "tests/Support/TestSupport.h"

namespace {

class EngFontTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    EngFontResetNotesForTests();
  }
};

const char* const kMainFont = CARDOLIA_BUILD_DIR "/Data/Main/0100.dat";

TEST_F(EngFontTest, ShelfPackingWrapsRowsAndStartsSheets) {
  // Sheets of 64, border 0: spacing 2 between images and from the edges.
  struct Step {
    int w, h;
    bool placed;
    int x, y, sheets;
    bool newSheet;
  } steps[] = {
      {20, 10, true, 2, 2, 1, true},     // first image opens a sheet
      {20, 12, true, 24, 2, 1, false},   // same row
      {20, 8, true, 2, 16, 1, false},    // row full: next row below the tallest (12)
      {30, 40, true, 24, 16, 1, false},  // same row, taller
      {10, 10, true, 2, 2, 2, true},     // no room below: a new sheet
      {70, 5, false, 0, 0, 2, false},    // wider than any sheet: refused, nothing changes
      {62, 5, true, 2, 14, 2, false},    // just fits a row's width (2 + 62 = 64)
  };
  EngFontShelf shelf;
  for (const auto& s : steps) {
    SCOPED_TRACE(testing::Message() << s.w << "x" << s.h);
    int x = 0, y = 0;
    bool newSheet = true;
    EXPECT_EQ(EngFontShelfPlace(&shelf, 64, 0, s.w, s.h, &x, &y, &newSheet), s.placed);
    EXPECT_EQ(shelf.sheetCount, s.sheets);
    if (!s.placed) continue;
    EXPECT_EQ(x, s.x);
    EXPECT_EQ(y, s.y);
    EXPECT_EQ(newSheet, s.newSheet);
  }
  // A border widens the spacing: border 3 gives 5.
  EngFontShelf bordered;
  int x = 0, y = 0;
  bool newSheet = false;
  ASSERT_TRUE(EngFontShelfPlace(&bordered, 64, 3, 10, 10, &x, &y, &newSheet));
  ASSERT_TRUE(EngFontShelfPlace(&bordered, 64, 3, 10, 10, &x, &y, &newSheet));
  EXPECT_EQ(x, 20);
  EXPECT_EQ(y, 5);
}

TEST_F(EngFontTest, GlyphImagesCarryBorderAndShadow) {
  EngFont font;
  EngFontGlyphEffectSettings effects{};
  effects.border = 1;
  effects.shadowX = 2;
  effects.shadowY = 2;
  effects.shadowIntensity = 0.5f;
  effects.shadowAlpha = 0.25f;
  font.SetGlyphEffectSettings(&effects);
  const EngFont::GlyphImage size = font.GetGlyphImageSize(3, 2);
  EXPECT_TRUE(size.hasPixels);
  EXPECT_EQ(size.width, 3 + 4);
  EXPECT_EQ(size.height, 2 + 4);
  const EngFont::GlyphImage blank = font.GetGlyphImageSize(0, 0);
  EXPECT_FALSE(blank.hasPixels);
  EXPECT_EQ(blank.width, 2);
  EXPECT_EQ(blank.height, 2);

  // One channel: the shadow at (2 + 1 + row, 1 + 2 + column) with half the
  // coverage, the solid glyph (coverage above 127) at (1 + row, 1 + column).
  const std::uint8_t coverage[1] = {200};
  const EngFont::GlyphImage one = font.GetGlyphImageSize(1, 1);
  std::vector<std::uint8_t> image(static_cast<std::size_t>(one.width) * one.height, 0);
  font.RenderGlyphImage(coverage, 1, 1, 1, one, image.data());
  EXPECT_EQ(image[3 * one.width + 3], 100);
  EXPECT_EQ(image[1 * one.width + 1], 200);
  int inked = 0;
  for (std::uint8_t v : image) inked += v != 0;
  EXPECT_EQ(inked, 2);
}

TEST_F(EngFontTest, BlurUsesTheBinomialKernelPerChannel) {
  // 5 x 5, two channels: a spike of 160 in the first byte, the second byte 7 everywhere.
  std::vector<std::uint8_t> sheet(5 * 5 * 2, 0);
  for (int i = 0; i < 25; ++i) sheet[i * 2 + 1] = 7;
  sheet[(2 * 5 + 2) * 2] = 160;
  BinomColor(2, 0, 1, 5, 5, sheet.data(), static_cast<int>(sheet.size()));
  auto first = [&](int x, int y) { return static_cast<int>(sheet[(y * 5 + x) * 2]); };
  EXPECT_EQ(first(2, 2), 40);  // 4 x 160 / 16
  EXPECT_EQ(first(2, 1), 20);  // 2 x 160 / 16
  EXPECT_EQ(first(1, 1), 10);  // a diagonal
  EXPECT_EQ(first(2, 0), 20);  // the outer row copies its inner neighbour
  EXPECT_EQ(first(0, 2), 20);
  EXPECT_EQ(first(0, 0), 10);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(sheet[i * 2 + 1], 7) << "second byte of pixel " << i;

  // The second channel takes its own passes.
  BinomColor(2, 1, 0, 5, 5, sheet.data(), static_cast<int>(sheet.size()));
  EXPECT_EQ(sheet[(2 * 5 + 2) * 2 + 1], 7);
  EXPECT_EQ(first(2, 2), 40);
}

TEST_F(EngFontTest, SheetTexelsByFormat) {
  struct Case {
    D3DFORMAT format;
    bool twoChannels;
    std::uint8_t l, a;
    std::vector<std::uint8_t> bytes;  // low byte first
  } cases[] = {
      {D3DFMT_A8R8G8B8, false, 0, 0x90, {0xFF, 0xFF, 0xFF, 0x90}},
      {D3DFMT_A8R8G8B8, true, 0x40, 0x90, {0x40, 0x40, 0x40, 0x90}},
      {D3DFMT_A1R5G5B5, false, 0, 0x80, {0xFF, 0xFF}},
      {D3DFMT_A1R5G5B5, false, 0, 0x7F, {0xFF, 0x7F}},
      {D3DFMT_A1R5G5B5, true, 0xFF, 0xFF, {0xFF, 0xFF}},
      {D3DFMT_A1R5G5B5, true, 0x80, 0x00, {0x10, 0x42}},
      {D3DFMT_A4R4G4B4, false, 0, 0xA0, {0xFF, 0xAF}},
      {D3DFMT_A4R4G4B4, true, 0x50, 0xA0, {0x55, 0xA5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.format << " two " << c.twoChannels);
    std::uint8_t texel[4] = {};
    ASSERT_TRUE(EngFontEncodeSheetTexel(c.format, c.twoChannels, c.l, c.a, texel));
    EXPECT_EQ(std::vector<std::uint8_t>(texel, texel + c.bytes.size()), c.bytes);
  }
  std::uint8_t texel[4];
  EXPECT_FALSE(EngFontEncodeSheetTexel(D3DFMT_X8R8G8B8, true, 1, 1, texel));
}

// A fixed-advance fake font: every character 10 wide, é (0xE9) 30.
struct FakeFont {
  float advances[256];
  FakeFont() {
    for (float& a : advances) a = 10.0f;
    advances[0] = 0.0f;
    advances[0xE9] = 30.0f;
  }
};

struct Lines {
  std::vector<std::string> texts;
  std::vector<float> ys;
  static void Sink(void* context, const char* line, float y) {
    auto* lines = static_cast<Lines*>(context);
    lines->texts.push_back(line);
    lines->ys.push_back(y);
  }
};

TEST_F(EngFontTest, WrappingBreaksAtBlanksAndCutsLongWords) {
  const FakeFont font;
  struct Case {
    const char* label;
    const char* text;
    float boxWidth, boxHeight;
    int firstLine;
    std::vector<std::string> lines;
    bool finished;
    float widest;
  } cases[] = {
      {"break at the last blank", "aaaa bbbb cccc", 100, 1000, 0, {"aaaa bbbb", " cccc"}, true, 90},
      {"a word longer than the box", "aa bbbbbbbbb", 60, 1000, 0, {"aa", " bbbb", "bbbbb"}, true, 50},
      {"new lines", "ab\ncd", 1000, 1000, 0, {"ab", "cd"}, true, 20},
      {"a leading new line counts", "\nab", 1000, 1000, 0, {"", "ab"}, true, 20},
      {"the box height stops the walk", "a\nb\nc\nd", 1000, 25, 0, {"a", "b"}, false, 10},
      {"lines before the first are skipped", "a\nb\nc", 1000, 1000, 1, {"b", "c"}, true, 10},
      {"characters wider than the box", "abc", 5, 1000, 0, {"a", "b", "c"}, true, 10},
      {"bytes above 127 index as unsigned", "\xE9\xE9", 50, 1000, 0, {"\xE9", "\xE9"}, true, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Lines lines;
    const EngFontWrapResult result = EngFontWrapText(font.advances, 1.0f, 10.0f, 0.0f, 5.0f, c.boxWidth,
                                                     c.boxHeight, c.text, c.firstLine, Lines::Sink, &lines);
    EXPECT_EQ(lines.texts, c.lines);
    EXPECT_EQ(result.lineCount, static_cast<int>(c.lines.size()));
    EXPECT_EQ(result.finished, c.finished);
    EXPECT_FLOAT_EQ(result.widest, c.widest);
    EXPECT_FLOAT_EQ(result.usedHeight, 10.0f * c.lines.size());
    for (std::size_t i = 0; i < lines.ys.size(); ++i) EXPECT_FLOAT_EQ(lines.ys[i], 5.0f + 10.0f * i);
  }
}

TEST_F(EngFontTest, WrappingEdgeCases) {
  const FakeFont font;
  Lines lines;
  // Empty text and a lone blank take one line and draw nothing; null none.
  EngFontWrapResult result = EngFontWrapText(font.advances, 1, 10, 0, 0, 100, 100, "", 0, Lines::Sink, &lines);
  EXPECT_EQ(result.lineCount, 1);
  EXPECT_FLOAT_EQ(result.usedHeight, 10.0f);
  result = EngFontWrapText(font.advances, 1, 10, 0, 0, 100, 100, "\t", 0, Lines::Sink, &lines);
  EXPECT_EQ(result.lineCount, 1);
  result = EngFontWrapText(font.advances, 1, 10, 0, 0, 100, 100, nullptr, 0, Lines::Sink, &lines);
  EXPECT_EQ(result.lineCount, 0);
  EXPECT_TRUE(lines.texts.empty());

  // The ratio scales advances; the line spacing replaces the line height as the step.
  result = EngFontWrapText(font.advances, 2.0f, 10, 15, 0, 100, 1000, "aaaa bbbb", 0, Lines::Sink, &lines);
  EXPECT_EQ(lines.texts, (std::vector<std::string>{"aaaa", " bbbb"}));
  EXPECT_FLOAT_EQ(lines.ys[1], 15.0f);
  EXPECT_FLOAT_EQ(result.widest, 80.0f);

  // A line longer than 255 characters is reported and cut.
  lines = Lines{};
  const std::string longLine(300, 'x');
  result = EngFontWrapText(font.advances, 1, 10, 0, 0, 1e6f, 1000, longLine.c_str(), 0, Lines::Sink, &lines);
  ASSERT_EQ(lines.texts.size(), 1u);
  EXPECT_EQ(lines.texts[0].size(), 255u);
  EXPECT_TRUE(LogContains("( EngFont::DrawMultilineText )    Line part too long"));
}

TEST_F(EngFontTest, RatioAndColourRules) {
  EngFont font;
  struct Case {
    float x, y;
    bool inUse;
  } cases[] = {{1, 1, false}, {2, 0, false}, {0, 3, false}, {-1, 1, true}, {2, 1, true}, {1, 0.5f, true}};
  for (const auto& c : cases) {
    font.SetRatio(c.x, c.y);
    float x = 0, y = 0;
    font.GetRatio(&x, &y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
  // An invalid font measures 0.
  EXPECT_EQ(font.GetStringWidth("abc"), 0.0f);
  EXPECT_EQ(font.GetHeight(true), 0.0f);
}

// Every device made anew makes its fonts again (each step of a window-size
// drag does): a character the font lacks is noted the first time only.
TEST_F(EngFontTest, AFontMadeAgainNotesEachMissingCharacterOnce) {
  EngFont font;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(font.Create(kMainFont, 1, 32, 32, 255, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true));
    font.Release();
  }
  std::map<std::string, int> notes;
  for (const std::string& line : LogLines()) {
    if (line.find("EngFont::ParseLetter - No char at ") != std::string::npos) ++notes[line];
  }
  EXPECT_NE(notes.size(), 0u);  // 0x81 has no character in CP1252
  for (const auto& [line, count] : notes) EXPECT_EQ(count, 1) << line;
}

TEST_F(EngFontTest, RealFontMeasuresWithoutADevice) {
  EngFont font;
  ASSERT_TRUE(font.Create(kMainFont, 1, 32, 32, 245, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true));
  EXPECT_TRUE(font.IsValid());
  EXPECT_FLOAT_EQ(font.GetHeight(false), 32 * 0.16f + 6.747f);
  EXPECT_GT(font.GetFaceHeight(), 0);
  const float a = font.GetAdvance('A');
  const float space = font.GetAdvance(' ');
  EXPECT_GT(a, 0.0f);
  EXPECT_GT(space, 0.0f);  // a blank has no pixels but moves the pen
  EXPECT_FLOAT_EQ(font.GetStringWidth("A A"), 2 * a + space);
  // Advances are whole pixels times the horizontal scale.
  EXPECT_FLOAT_EQ(a / 0.2f, static_cast<float>(static_cast<int>(a / 0.2f + 0.5f)));
  // CP1252: 0x80 is the euro sign and 0xE9 e-acute; 0x81 has no character.
  EXPECT_GT(font.GetAdvance(0x80), 0.0f);
  EXPECT_GT(font.GetStringWidth("\xE9"), 0.0f);
  EXPECT_EQ(font.GetAdvance(0x81), 0.0f);
  EXPECT_TRUE(LogContains("EngFont::ParseLetter - No char at 129"));
  EXPECT_EQ(font.GetAdvance(246), 0.0f);  // outside the created range

  font.SetRatio(2, 1);
  EXPECT_FLOAT_EQ(font.GetStringWidth("A"), 2 * a);
  font.SetRatio(1, 0.5f);
  EXPECT_FLOAT_EQ(font.GetHeight(true), 0.5f * font.GetHeight(false));

  EXPECT_FALSE(font.Create(kMainFont, 1, 32, 32, 245, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true));
  EXPECT_TRUE(LogContains("FD already setup"));
  font.Release();
  EXPECT_FALSE(font.IsValid());
  EXPECT_EQ(font.GetStringWidth("A"), 0.0f);

  // Only the wanted characters are made.
  std::uint8_t wanted[100] = {};
  wanted[static_cast<unsigned char>('B')] = 1;
  ASSERT_TRUE(font.Create(kMainFont, 0, 16, 65, 110, wanted, 100, 1, 1, 0, 0, true));
  EXPECT_EQ(font.GetAdvance('A'), 0.0f);
  EXPECT_GT(font.GetAdvance('B'), 0.0f);
  EXPECT_GT(font.GetAdvance('n'), 0.0f);  // beyond the table: wanted
}

TEST_F(EngFontTest, CreateRefusals) {
  struct Case {
    const char* file;
    int two, size, first, last;
    const char* message;
  } cases[] = {
      {"", 0, 32, 32, 126, "No font file name specified"},
      {"missing.ttf", 0, 32, 32, 126, "Could not find file <missing.ttf>"},
      {kMainFont, 0, 32, -1, 126, "Bad min_char_needed [-1]"},
      {kMainFont, 0, 32, 127, 126, "Bad min_char_needed [127]"},
      {kMainFont, 0, 32, 0, 31, "Bad max_char_needed [31]"},
      {kMainFont, 0, 32, 32, 256, "Bad max_char_needed [256]"},
      {kMainFont, 0, 7, 32, 126, "Bad max bitmap size [7]"},
      {kMainFont, 0, 513, 32, 126, "Bad max bitmap size [513]"},
      {kMainFont, 2, 32, 32, 126, "Bad has_two_channels [2]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ClearLog();
    EngFont font;
    EXPECT_FALSE(font.Create(c.file, c.two, c.size, c.first, c.last, nullptr, 0, 1, 1, 0, 0, true));
    EXPECT_TRUE(LogContains(std::string("( EngFont::Create )    ") + c.message));
  }
  WriteFile("NotAFont.dat", "this is not a font");
  EngFont font;
  EXPECT_FALSE(font.Create("NotAFont.dat", 0, 32, 32, 126, nullptr, 0, 1, 1, 0, 0, true));
  EXPECT_TRUE(LogContains("Problem loading font <NotAFont.dat>"));
  // A range without a single glyph makes no sheet; the font can be made again after.
  std::uint8_t none[256] = {};
  EXPECT_FALSE(font.Create(kMainFont, 0, 32, 32, 126, none, 256, 1, 1, 0, 0, true));
  EXPECT_TRUE(LogContains("( EngFont::Create )    No sheets"));
  EXPECT_TRUE(font.Create(kMainFont, 0, 32, 32, 126, nullptr, 0, 1, 1, 0, 0, true));
  font.Release();

  // With Direct3D 9 as the main device, sheets need the device.
  EngProgram program;
  EXPECT_FALSE(font.Create(kMainFont, 0, 32, 32, 126, nullptr, 0, 1, 1, 0, 0, true));
  EXPECT_TRUE(LogContains("( EngFont::Create )    No directx9 device"));
  program.SetMainDeviceType(0);  // the type outlives the program object: leave none behind
}

TEST_F(EngFontTest, UnsafeEffectsAndOversizedGlyphsAreRefused) {
  // Negative shadow offsets would write before the glyph image.
  EngFont shadowed;
  EngFontGlyphEffectSettings effects{};
  effects.shadowX = -2;
  shadowed.SetGlyphEffectSettings(&effects);
  EXPECT_FALSE(shadowed.Create(kMainFont, 0, 32, 32, 126, nullptr, 0, 1, 1, 0, 0, true));
  EXPECT_TRUE(LogContains("Bad glyph effect settings"));

  // At 512 points a visible glyph is larger than a 512 sheet: it is skipped
  // with a report; the blank still makes the font.
  EngFont huge;
  ASSERT_TRUE(huge.Create(kMainFont, 0, 512, 32, 33, nullptr, 0, 1, 1, 0, 0, true));
  EXPECT_TRUE(LogContains("Glyph too large for a sheet <33>"));
  EXPECT_EQ(huge.GetSheetCount(), 1);
}

}  // namespace
