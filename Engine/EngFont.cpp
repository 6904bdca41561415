// EngFont.cpp - creating fonts through FreeType, releasing them, measuring.
//
// Creation runs FreeType twice over the wanted characters: a counting pass
// that only sizes and places every glyph image (so the number of sheets is
// known before any texture is made), and a rendering pass that draws each
// glyph into the sheet being filled and uploads a sheet when the next one
// starts. FreeType is loaded per font and released before Create returns.
//
// State: each font's tables (see EngFont.h); the process-wide switch for
// the notes about missing characters and the characters already noted.
#include "Engine/EngFont.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include "Engine/Debug.h"
#include "Engine/EngColour.h"
#include "Engine/EngFile.h"
#include "Engine/EngProgram.h"
#include "Platform/Cp1252.h"
#include "Platform/Files.h"

namespace {

constexpr int kDpi = 150;

// Process-wide: on at start, switched by EngFontSetReportMissingChars.
bool g_reportMissingChars = true;
// Process-wide: the characters noted missing, by font (family and style)
// and code. Once a run each: every device made anew (each step of a
// window-size drag) makes the fonts again. Reset by EngFontResetNotesForTests.
std::set<std::pair<std::string, int>> g_missingNoted;

// The FreeType library and face of one creation, released on every path.
struct FreeTypeSession {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeSession() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

// A rendered glyph, released on every path.
struct GlyphHolder {
  FT_Glyph glyph = nullptr;
  ~GlyphHolder() {
    if (glyph) FT_Done_Glyph(glyph);
  }
};

// Game text is CP1252; a face's default character map is Unicode. Bytes
// 128-159 are where the two differ (the euro sign, typographic quotes ...).
FT_ULong CharCodeFor(FT_Face face, int code) {
  if (!face->charmap || face->charmap->encoding != FT_ENCODING_UNICODE || code < 128) {
    return static_cast<FT_ULong>(code);
  }
  const char text[2] = {static_cast<char>(code), '\0'};
  const std::string utf8 = Cp1252ToUtf8(text);
  char32_t codePoint = 0;
  Utf8DecodeOne(utf8.c_str(), &codePoint);
  return static_cast<FT_ULong>(codePoint);
}

// Loads, gets and (for outlines) renders glyph index; the error text of a
// failed step in *failure. A failed conversion to a bitmap is reported
// (except for the blanks 32 and 160) and the glyph is still used.
bool LoadGlyph(FT_Face face, FT_UInt index, int code, const char* where, GlyphHolder* holder,
               const char** failure) {
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) {
    *failure = "FT_Load_Glyph failed";
    return false;
  }
  if (FT_Get_Glyph(face->glyph, &holder->glyph) != 0) {
    holder->glyph = nullptr;
    *failure = "FT_Get_Glyph failed";
    return false;
  }
  if (holder->glyph->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Glyph_To_Bitmap(&holder->glyph, FT_RENDER_MODE_NORMAL, nullptr, 1) != 0 && code != 32 &&
      code != 160) {
    DebugError(where, "FT_Glyph_To_Bitmap failed");
  }
  return true;
}

// The 8-bit coverage of a rendered glyph, rows top first, width bytes a row
// (grey and one-bit bitmaps; empty for anything else).
std::vector<std::uint8_t> CoverageOf(FT_Glyph glyph, int* width, int* rows) {
  *width = *rows = 0;
  std::vector<std::uint8_t> coverage;
  if (glyph->format != FT_GLYPH_FORMAT_BITMAP) return coverage;
  const FT_Bitmap& bitmap = reinterpret_cast<FT_BitmapGlyph>(glyph)->bitmap;
  if (!bitmap.buffer || (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY &&
                         bitmap.pixel_mode != FT_PIXEL_MODE_MONO)) {
    return coverage;
  }
  *width = static_cast<int>(bitmap.width);
  *rows = static_cast<int>(bitmap.rows);
  if (*width < 1 || *rows < 1 || *width > 5000 || *rows > 5000) return coverage;
  coverage.resize(static_cast<std::size_t>(*width) * *rows);
  const int pitch = bitmap.pitch;
  for (int row = 0; row < *rows; ++row) {
    // A negative pitch means the rows run bottom-up in memory.
    const unsigned char* source =
        pitch >= 0 ? bitmap.buffer + static_cast<std::ptrdiff_t>(row) * pitch
                   : bitmap.buffer + static_cast<std::ptrdiff_t>(*rows - 1 - row) * -pitch;
    for (int x = 0; x < *width; ++x) {
      coverage[static_cast<std::size_t>(row) * *width + x] =
          bitmap.pixel_mode == FT_PIXEL_MODE_GRAY
              ? source[x]
              : ((source[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0);
    }
  }
  return coverage;
}

}  // namespace

void EngFontSetReportMissingChars(bool on) { g_reportMissingChars = on; }

void EngFontResetNotesForTests() { g_missingNoted.clear(); }

// ---- Life cycle ---------------------------------------------------------------

void EngFont::ResetFields() {
  valid_ = 0;
  height_ = 0.0f;
  std::memset(&effects_, 0, sizeof(effects_));
  sheetOfChar_ = nullptr;
  glyphCount_ = 0;
  sheetSize_ = kEngFontSheetSize;
  sheetCount_ = 0;
  ratioX_ = ratioY_ = 1.0f;
  ratioInUse_ = 0;
  colour_[0] = colour_[1] = colour_[2] = colour_[3] = 1.0f;
  colourSet_ = 0;
  lineSpacing_ = 0.0f;
  std::fill(std::begin(advances_), std::end(advances_), 0.0f);
  faceHeight_ = 0;
  sheetTextures_ = nullptr;
  glyphQuads_ = nullptr;
  glyphs_ = nullptr;
  sheetFormat_ = D3DFMT_UNKNOWN;
  twoChannels_ = 0;
  sheetData_ = nullptr;
  shelf_ = EngFontShelf{};
}

void EngFont::SetGlyphEffectSettings(const EngFontGlyphEffectSettings* settings) {
  if (settings) {
    effects_ = *settings;
  } else {
    std::memset(&effects_, 0, sizeof(effects_));
  }
}

void EngFont::Release() {
  // A failed Create leaves its lists for this release, valid or not.
  delete[] sheetOfChar_;
  ReleaseDX9();
  delete[] glyphs_;
  delete[] sheetData_;
  const EngFontGlyphEffectSettings effects = effects_;
  ResetFields();
  effects_ = effects;  // the effects belong to the next Create as well
}

bool EngFont::AllocSheetPart(int w, int h, bool counting, int* x, int* y) {
  EngFontShelf next = shelf_;
  bool newSheet = false;
  if (!EngFontShelfPlace(&next, sheetSize_, effects_.border, w, h, x, y, &newSheet)) return false;
  if (newSheet && !counting) {
    if (next.sheetCount > 1 && !CopySheetDataToTexture(next.sheetCount - 2)) {
      // The finished sheet could not be uploaded; the next one starts anyway.
    }
    if (!sheetData_) {
      DebugError("EngFont::AllocSheetPart", "Sheet data not created (%d)", next.sheetCount - 1);
      return false;
    }
    std::memset(sheetData_, 0,
                static_cast<std::size_t>(sheetSize_) * sheetSize_ * (twoChannels_ ? 2 : 1));
  }
  shelf_ = next;
  return true;
}

bool EngFont::Create(const char* fileName, int twoChannels, int size, int firstChar,
                     int lastChar, const std::uint8_t* wanted, int wantedLength, float scaleX,
                     float scaleY, float offsetY, float heightOffset, bool quadsFinished) {
  static const char* const kWhere = "EngFont::Create";
  if (!fileName || !*fileName) {
    DebugError(kWhere, "No font file name specified");
    return false;
  }
  if (!EngFileExists(fileName)) {
    DebugError(kWhere, "Could not find file <%s>", fileName);
    return false;
  }
  if (valid_) {
    DebugError(kWhere, "FD already setup");
    return false;
  }
  if (firstChar < 0 || firstChar > lastChar) {
    DebugError(kWhere, "Bad min_char_needed [%d]", firstChar);
    return false;
  }
  if (lastChar < 32 || lastChar > 255) {
    DebugError(kWhere, "Bad max_char_needed [%d]", lastChar);
    return false;
  }
  if (size < 8 || size > sheetSize_) {
    DebugError(kWhere, "Bad max bitmap size [%d]", size);
    return false;
  }
  if (twoChannels != 0 && twoChannels != 1) {
    DebugError(kWhere, "Bad has_two_channels [%d]", twoChannels);
    return false;
  }
  // Negative offsets would write glyph images before their buffers.
  if (effects_.border < 0 || effects_.shadowX < 0 || effects_.shadowY < 0) {
    DebugError(kWhere, "Bad glyph effect settings [border %d, shadow %d, %d]", effects_.border,
               effects_.shadowX, effects_.shadowY);
    return false;
  }
  const bool direct3d = EngProgramGetMainDeviceType() == 1;
  if (direct3d && !EngFontDeviceExists()) {
    DebugError(kWhere, "No directx9 device");
    return false;
  }
  Release();  // what an earlier failed Create left behind
  glyphCount_ = lastChar + 1;
  twoChannels_ = static_cast<std::uint8_t>(twoChannels);

  FreeTypeSession freeType;
  if (FT_Init_FreeType(&freeType.library) != 0) {
    freeType.library = nullptr;
    DebugError(kWhere, "FT_Init_FreeType Failed");
    return false;
  }
  const std::string nativeName = PlatformNativePath(fileName);
  if (FT_New_Face(freeType.library, nativeName.c_str(), 0, &freeType.face) != 0) {
    freeType.face = nullptr;
    DebugError(kWhere, "Problem loading font <%s>", fileName);
    return false;
  }
  FT_Face face = freeType.face;
  height_ = static_cast<float>(size) * scaleY + heightOffset;
  faceHeight_ = face->height;
  FT_Set_Char_Size(face, size * 64, size * 64, kDpi, kDpi);

  sheetOfChar_ = new (std::nothrow) int[glyphCount_];
  if (!sheetOfChar_) {
    DebugError(kWhere, "No memory for sheet number list");
    return false;
  }
  std::fill_n(sheetOfChar_, glyphCount_, -1);
  auto isWanted = [&](int c) { return !wanted || c >= wantedLength || wanted[c] != 0; };

  // Counting pass: the sizes of every glyph image decide the sheets.
  shelf_ = EngFontShelf{};
  for (int c = firstChar; c <= lastChar; ++c) {
    if (!isWanted(c)) continue;
    const FT_UInt index = FT_Get_Char_Index(face, CharCodeFor(face, c));
    if (index == 0) continue;
    GlyphHolder holder;
    const char* failure = nullptr;
    if (!LoadGlyph(face, index, c, kWhere, &holder, &failure)) {
      DebugError(kWhere, "%s", failure);
      return false;
    }
    int width = 0, rows = 0;
    CoverageOf(holder.glyph, &width, &rows);
    const GlyphImage image = GetGlyphImageSize(width, rows);
    int x = 0, y = 0;
    if (!AllocSheetPart(image.width, image.height, true, &x, &y)) {
      DebugError(kWhere, "Glyph too large for a sheet <%d> (%d x %d)", c, image.width, image.height);
    }
  }
  sheetCount_ = shelf_.sheetCount;
  if (sheetCount_ == 0) {
    DebugError(kWhere, "No sheets");
    return false;
  }

  if (direct3d) {
    if (!CreateListsDX9()) return false;
    glyphs_ = new (std::nothrow) EngFontGlyph[glyphCount_]();
    if (!glyphs_) {
      DebugError(kWhere, "No memory for trans list");
      return false;
    }
    sheetData_ = new (std::nothrow)
        std::uint8_t[static_cast<std::size_t>(sheetSize_) * sheetSize_ * (twoChannels_ ? 2 : 1)];
    if (!sheetData_) {
      DebugError(kWhere, "Could not create sheet data");
      return false;
    }
  }

  // Rendering pass, placement restarted.
  shelf_ = EngFontShelf{};
  for (int c = firstChar; c <= lastChar; ++c) {
    if (!isWanted(c)) {
      sheetOfChar_[c] = -1;
      ReleaseGlyphQuad(c);
      continue;
    }
    const int result = ParseLetter(face, c, scaleX, scaleY, offsetY, quadsFinished, direct3d);
    if (result < 0) {
      DebugError(kWhere, "EngFont::ParseLetter Failed <%d - %c>", c, static_cast<char>(c));
      sheetOfChar_[c] = -1;
      advances_[c] = 0.0f;
      ReleaseGlyphQuad(c);
    } else if (result == 0) {
      ReleaseGlyphQuad(c);
    }
  }
  if (direct3d && shelf_.sheetCount > 0) CopySheetDataToTexture(shelf_.sheetCount - 1);
  delete[] sheetData_;
  sheetData_ = nullptr;

  ratioX_ = ratioY_ = 1.0f;
  ratioInUse_ = 0;
  colour_[0] = colour_[1] = colour_[2] = colour_[3] = 1.0f;
  colourSet_ = 0;
  valid_ = 1;
  return true;
}

int EngFont::ParseLetter(FT_FaceRec_* face, int code, float scaleX, float scaleY, float offsetY,
                         bool quadsFinished, bool direct3d) {
  static const char* const kWhere = "EngFont::ParseLetter";
  const FT_UInt index = FT_Get_Char_Index(face, CharCodeFor(face, code));
  if (index == 0) {
    const std::string font = std::string(face->family_name ? face->family_name : "") + " " +
                             (face->style_name ? face->style_name : "");
    if (g_reportMissingChars && g_missingNoted.insert({font, code}).second) {
      DebugNote("EngFont::ParseLetter - No char at %d", code);
    }
    return 0;
  }
  GlyphHolder holder;
  const char* failure = nullptr;
  if (!LoadGlyph(face, index, code, kWhere, &holder, &failure)) {
    DebugError(kWhere, "%s", failure);
    return -1;
  }
  int width = 0, rows = 0;
  const std::vector<std::uint8_t> coverage = CoverageOf(holder.glyph, &width, &rows);
  const GlyphImage size = GetGlyphImageSize(width, rows);
  const int channels = twoChannels_ ? 2 : 1;
  const std::size_t imageBytes = static_cast<std::size_t>(size.width) * size.height * channels;
  std::unique_ptr<std::uint8_t[]> image(new (std::nothrow) std::uint8_t[imageBytes]());
  if (!image) {
    DebugError(kWhere, "no memory");
    return -1;
  }
  RenderGlyphImage(coverage.data(), width, rows, width, size, image.get());
  // Whole pixels of advance, as the pen moves on the screen.
  const float pixelAdvance = static_cast<float>(face->glyph->advance.x / 64);
  advances_[code] = scaleX * pixelAdvance;
  if (!direct3d) return 1;

  int x = 0, y = 0;
  if (!AllocSheetPart(size.width, size.height, false, &x, &y)) return -1;
  // Into the sheet being filled at its place.
  for (int row = 0; row < size.height; ++row) {
    std::memcpy(sheetData_ + (static_cast<std::size_t>(y + row) * sheetSize_ + x) * channels,
                image.get() + static_cast<std::size_t>(row) * size.width * channels,
                static_cast<std::size_t>(size.width) * channels);
  }
  sheetOfChar_[code] = shelf_.sheetCount - 1;
  float bitmapLeft = 0.0f, bitmapTop = 0.0f;
  if (holder.glyph->format == FT_GLYPH_FORMAT_BITMAP) {
    bitmapLeft = static_cast<float>(reinterpret_cast<FT_BitmapGlyph>(holder.glyph)->left);
    bitmapTop = static_cast<float>(reinterpret_cast<FT_BitmapGlyph>(holder.glyph)->top);
  }
  if (!CreateTextureFromData_DX9(code, x, y, size, bitmapLeft, bitmapTop, pixelAdvance, scaleX,
                                 scaleY, offsetY, quadsFinished)) {
    return -1;
  }
  return 1;
}

// ---- Measuring --------------------------------------------------------------------

float EngFont::GetStringWidth(const char* text) const {
  if (!valid_ || !text) return 0.0f;
  float width = 0.0f;
  for (const char* p = text; *p; ++p) width += advances_[static_cast<unsigned char>(*p)];
  return ratioInUse_ ? width * ratioX_ : width;
}

float EngFont::GetHeight(bool applyRatio) const {
  if (!valid_) return 0.0f;
  return applyRatio && ratioInUse_ ? height_ * ratioY_ : height_;
}

void EngFont::SetRatio(float x, float y) {
  ratioX_ = x;
  ratioY_ = y;
  ratioInUse_ = !((x == 1.0f && y == 1.0f) || x == 0.0f || y == 0.0f);
}

void EngFont::GetRatio(float* x, float* y) const {
  if (x) *x = ratioX_;
  if (y) *y = ratioY_;
}

void EngFont::SetColour(float red, float green, float blue, float alpha) {
  const float values[4] = {red, green, blue, alpha};
  for (int i = 0; i < 4; ++i) {
    if (values[i] >= 0.0f) colour_[i] = values[i];
  }
  colourSet_ = 1;
}

void EngFont::SetColourFromRecord(const EngColour* colour) {
  if (colour) SetColour(colour->r, colour->g, colour->b, colour->a);
}
