// EngFont.h - outline fonts turned into glyph sheets, and single-byte text
// drawn, measured and wrapped with them.
//
// At creation every wanted character of a range is rendered once through
// FreeType at 150 dpi, optionally given a border, a drop shadow and a blur,
// packed into square 512 x 512 glyph sheets in shelf order, and (with
// Direct3D 9 as the main device) uploaded to sheet textures; each character
// then owns one textured quad and a placement (offsets, advance). Without a
// graphics device type the font still measures: advance widths and height
// are known, nothing is drawn.
//
// Text is CP1252: every byte indexes the glyph tables as an unsigned char.
//
// Files: EngFont.cpp (creation, measuring), EngFontSheet.cpp (glyph images,
// shelf packing, blur, sheet texels), EngFontWrap.cpp (line wrapping),
// EngFontDraw.cpp (text render state and drawing); the Direct3D 9 parts are
// in Engine/DX9/EngFontDX9.cpp.
//
// Failures are reported under the function's name; Create returns false and
// leaves what it built for Release. A character that fails to render has no
// glyph; the font is still created. Nothing is fatal.
#pragma once

#include <cstdint>

#include "Platform/D3D9Types.h"

class IDirect3DTexture9;
class EngVertexBufferDX9;
struct FT_FaceRec_;
struct D3DXMATRIX;
struct EngColour;

constexpr int kEngFontSheetSize = 512;
constexpr int kEngFontMaxGlyphs = 256;

// The 16 words of glyph effects, copied whole by SetGlyphEffectSettings.
struct EngFontGlyphEffectSettings {
  std::int32_t border;             // empty pixels kept around each glyph image
  std::int32_t shadowX;            // shadow offset in pixels (0 or more)
  std::int32_t shadowY;
  float shadowIntensity;           // luminance of the shadow, or its alpha with one channel
  float shadowAlpha;               // alpha of the shadow (two channels)
  std::int32_t blurPassesFirst;    // blur passes over the first channel of each sheet
  std::int32_t blurPassesSecond;   // blur passes over the second channel (two channels)
  std::int32_t reserved[9];
};
static_assert(sizeof(EngFontGlyphEffectSettings) == 64, "glyph effect settings are 16 words");

// Where a glyph quad sits relative to the pen.
struct EngFontGlyph {
  float xOffset;
  float yOffset;
  float advance;
};

// Shelf packing state: sheets used so far and the pen in the newest one.
struct EngFontShelf {
  int sheetCount = 0;
  int penX = 0;
  int penY = 0;
  int rowHeight = 0;
};

// Places a w x h glyph image on the shelves of square sheets of sheetSize
// with a spacing of border + 2 between images and from the sheet's edges.
// Gives its position and whether it opened a new sheet (sheetCount grew).
// False, with nothing changed, when the image cannot fit even an empty sheet.
bool EngFontShelfPlace(EngFontShelf* shelf, int sheetSize, int border, int w, int h, int* x,
                       int* y, bool* newSheet);

// Blurs the channels of a sheet in place with the 3 x 3 binomial kernel
// (1 2 1 / 2 4 2 / 1 2 1) / 16, passesFirst times over byte 0 of each pixel
// and passesSecond times over byte 1 (two channels only); the outer rows and
// columns copy their inner neighbours after each pass. size is the data's
// length in bytes (width x height x channels). "No memory (1)" / "(2)".
void BinomColor(int channels, int passesSecond, int passesFirst, int width, int height,
                std::uint8_t* data, int size);

// Writes one sheet pixel (luminance l, alpha a; one channel: a only) as a
// texel of the sheet texture's format: A8R8G8B8 (4 bytes), A1R5G5B5 or
// A4R4G4B4 (2 bytes, low byte first). False for any other format.
bool EngFontEncodeSheetTexel(D3DFORMAT format, bool twoChannels, std::uint8_t l, std::uint8_t a,
                             std::uint8_t* texel);

// The result of laying out text in a box (EngFont::DrawMultilineText).
struct EngFontWrapResult {
  int lineCount = 0;
  float widest = 0.0f;      // the widest running width of any line
  float usedHeight = 0.0f;  // from the box top to below the last shown line
  bool finished = true;     // the whole text fitted
};

// Receives each shown line: its text (a leading new line dropped, at most
// 255 characters) and its y.
using EngFontLineSink = void (*)(void* context, const char* line, float y);

// Lays text out in a box of boxWidth x boxHeight at y, line by line: a line
// ends at a new line or when the next character (with one of look-ahead)
// would reach the box width; it then breaks at its last blank or tab, or,
// in a word longer than the box, at the box edge. Blanks, tabs and new lines
// take no room in the fit test. advances holds the 256 advance widths
// (multiplied by ratioX); lines step by lineSpacing, or lineHeight when it is
// 0; lines before firstLine are skipped without taking room. The walk stops
// when the next line would start below the box. sink may be null.
EngFontWrapResult EngFontWrapText(const float* advances, float ratioX, float lineHeight,
                                  float lineSpacing, float y, float boxWidth, float boxHeight,
                                  const char* text, int firstLine, EngFontLineSink sink,
                                  void* context);

// True for a blank or a tab.
inline bool EngFontIsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

// True when the Direct3D 9 device exists (fonts need it to make sheets).
bool EngFontDeviceExists();

// Switches the notes about characters missing from a font (on at start).
// Each character missing from a font is noted once a run.
void EngFontSetReportMissingChars(bool on);
// Forgets the missing characters noted, as at a fresh start.
void EngFontResetNotesForTests();

// Returns the tracked x position the last DrawString left and tracks
// character index from now on (-1: none).
float EngFontTrackCharPos(int index);

// ---- Text render state (nothing without a graphics device) ----------------
// Modes: 0 screen pixels, 1 the virtual 640 x 480 space, 2 3D.
void EngFontDoPrepareForDrawing(int orientation, int mode);
void EngFontPrepareForDrawing(int mode);
void EngFontPrepareForDrawingInOrientation(int mode);
void EngFontPrepareForDrawingIn3D();
// True when the state was already prepared in a compatible mode (both 0, or
// both not 0); otherwise prepares (after "Ratio mix problem" and a restore
// when the other kind was prepared), sets preparedHere and gives false.
bool EngFontPrepareForDrawingIfNeeded(int mode, bool* preparedHere);
bool EngFontPrepareForDrawingInOrientationIfNeeded(int mode, bool* preparedHere);
// Undoes the preparation ("Not setup" when not prepared).
void EngFontRestoreAfterDrawing();
// save: remembers the state and unprepares it; restore: prepares it again.
void EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(bool save);
bool EngFontIsPreparedForDrawing();
// Back to the start state (tests; a fresh run).
void EngFontResetTextStateForTests();

class EngFont {
 public:
  EngFont() { ResetFields(); }
  ~EngFont() { Release(); }
  EngFont(const EngFont&) = delete;
  EngFont& operator=(const EngFont&) = delete;

  // Copies the glyph effects (null zeroes them). Call before Create.
  void SetGlyphEffectSettings(const EngFontGlyphEffectSettings* settings);

  // Renders characters firstChar..lastChar of a font file (a game path) at
  // size points, 150 dpi. wanted (optional, wantedLength entries): character
  // c is rendered when there is no table, c >= wantedLength or wanted[c] != 0.
  // Height = size x scaleY + heightOffset. With quadsFinished the glyph quads
  // get their final rectangles and texture coordinates. Refuses a missing
  // file, a valid font, bad ranges, sizes and channel counts, negative
  // border or shadow offsets, and a missing device when Direct3D 9 is the
  // main device.
  bool Create(const char* fileName, int twoChannels, int size, int firstChar, int lastChar,
              const std::uint8_t* wanted, int wantedLength, float scaleX, float scaleY,
              float offsetY, float heightOffset, bool quadsFinished);
  // Frees everything, also what a failed Create left behind; the font is
  // invalid afterwards. The glyph effects are kept for the next Create (the
  // fonts are made again after every device re-creation).
  void Release();

  // Sum of the advance widths of every byte, times ratio x when in use.
  float GetStringWidth(const char* text) const;
  // The line height, times ratio y when asked and in use.
  float GetHeight(bool applyRatio) const;
  // The ratio is in use unless both are exactly 1 or either is exactly 0.
  void SetRatio(float x, float y);
  void GetRatio(float* x, float* y) const;
  // A component below 0 keeps its value; the colour counts as set.
  void SetColour(float red, float green, float blue, float alpha);
  void SetColourFromRecord(const EngColour* colour);  // null: ignored

  // Draws text with its top-left at (x, y) in the prepared mode's space (y
  // downward). mostChars <= 0: all; maxWidth <= 0: no limit, else drawing
  // stops at the first character whose pen position reaches it.
  void DrawString(float x, float y, const char* text, int mostChars, float maxWidth);
  // Alignments: horizontal 0 left, 1 centre, 2 right; vertical 0 top,
  // 1 centre, 2 bottom. With prepare the mode-1 state is prepared around it.
  void DrawStringAlignedEx(float x, float y, int hAlign, int vAlign, const char* text,
                           int mostChars, float maxWidth, bool prepare);
  void DrawStringAligned(float x, float y, int hAlign, int vAlign, const char* text, bool prepare);
  void DrawStringAlignedInt(int x, int y, int hAlign, int vAlign, const char* text, bool prepare);
  // Wraps text into the box and (with draw) draws it; see EngFontWrapText.
  void DrawMultilineText(float x, float y, float width, float height, int hAlign, int vAlign,
                         const char* text, bool draw, int firstLine, float* widest,
                         float* usedHeight, int* lineCount, bool* finished);

  bool IsValid() const { return valid_ != 0; }
  float GetAdvance(unsigned char c) const { return advances_[c]; }
  const float* GetAdvanceTable() const { return advances_; }
  int GetGlyphCount() const { return glyphCount_; }
  int GetSheetCount() const { return sheetCount_; }
  int GetSheetOfChar(unsigned char c) const {
    return sheetOfChar_ && c < glyphCount_ ? sheetOfChar_[c] : -1;
  }
  const EngFontGlyph* GetGlyph(unsigned char c) const {
    return glyphs_ && c < glyphCount_ ? &glyphs_[c] : nullptr;
  }
  D3DFORMAT GetSheetFormat() const { return sheetFormat_; }
  IDirect3DTexture9* GetSheetTexture(int sheet) const {
    return sheetTextures_ && sheet >= 0 && sheet < sheetCount_ ? sheetTextures_[sheet] : nullptr;
  }
  int GetFaceHeight() const { return faceHeight_; }
  float GetLineSpacing() const { return lineSpacing_; }
  void SetLineSpacing(float spacing) { lineSpacing_ = spacing; }

  // The glyph image of a FreeType bitmap with this font's effects: see
  // EngFontSheet.cpp. Public for the tests of the effects.
  struct GlyphImage {
    int width = 0;
    int height = 0;
    bool hasPixels = false;
  };
  GlyphImage GetGlyphImageSize(int bitmapWidth, int bitmapRows) const;
  // Renders a coverage bitmap (rows x width bytes, pitch bytes a row) into
  // image (width x height x channels bytes, zeroed by the caller).
  void RenderGlyphImage(const std::uint8_t* coverage, int bitmapWidth, int bitmapRows, int pitch,
                        const GlyphImage& size, std::uint8_t* image) const;

 private:
  friend struct EngFontBuilder;
  void ResetFields();
  // Places an image in counting mode (only sizes) or for real (uploading the
  // finished sheet when a new one starts). False when it cannot be placed.
  bool AllocSheetPart(int w, int h, bool counting, int* x, int* y);
  // Renders one character: 1 done, 0 no glyph in the face, -1 failure.
  int ParseLetter(FT_FaceRec_* face, int code, float scaleX, float scaleY, float offsetY,
                  bool quadsFinished, bool direct3d);
  // The Direct3D 9 parts (Engine/DX9/EngFontDX9.cpp).
  bool CreateListsDX9();
  void ReleaseDX9();
  // Gives the glyph placed at (x, y) of the newest sheet its quad and
  // placement, creating the sheet's texture when it does not exist yet.
  bool CreateTextureFromData_DX9(int code, int x, int y, const GlyphImage& image,
                                 float bitmapLeft, float bitmapTop, float pixelAdvance,
                                 float scaleX, float scaleY, float offsetY, bool quadsFinished);
  bool CopySheetDataToTexture(int sheet);
  void ReleaseGlyphQuad(int code);
  bool GlyphHasQuad(int code) const;
  // Draws a glyph's quad with world = glyphWorld x the device's world matrix.
  void DrawGlyph_DX9(int code, const D3DXMATRIX& glyphWorld);

  std::uint8_t valid_;
  float height_;
  EngFontGlyphEffectSettings effects_;
  int* sheetOfChar_;
  int glyphCount_;
  int sheetSize_;
  int sheetCount_;
  float ratioX_, ratioY_;
  std::uint8_t ratioInUse_;
  float colour_[4];
  std::uint8_t colourSet_;
  float lineSpacing_;
  float advances_[kEngFontMaxGlyphs];
  int faceHeight_;
  IDirect3DTexture9** sheetTextures_;
  EngVertexBufferDX9* glyphQuads_;
  EngFontGlyph* glyphs_;
  D3DFORMAT sheetFormat_;
  std::uint8_t twoChannels_;
  std::uint8_t* sheetData_;
  EngFontShelf shelf_;  // placement during creation
};
