// EngFontDraw.cpp - the text render state and drawing strings: single
// strings, aligned strings and wrapped text. The device work is in
// Engine/DX9/EngFontDX9.cpp; this file decides what to draw where.
//
// Coordinates: the text's y runs downward from the top of its line; the
// orthographic projection's y runs upward, so a string at y is placed at
// 480 - y (mode 1), screen height - y (mode 0) or y (mode 2, 3D).
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFont.h"
#include "Engine/EngFontLocal.h"
#include "Engine/EngProgram.h"
#include "Platform/D3DXMath.h"

namespace {

EngFontTextState g_textState;

bool Direct3D() { return EngProgramGetMainDeviceType() == 1; }

bool DeviceExists() { return Direct3D() && EngFontGraphicsDeviceExists_DX9(); }

}  // namespace

void EngFontResetTextStateForTests() { g_textState = EngFontTextState{}; }

float EngFontTrackCharPos(int index) {
  const float tracked = g_textState.trackedX;
  g_textState.trackIndex = index;
  return tracked;
}

// ---- Text render state ------------------------------------------------------------

void EngFontDoPrepareForDrawing(int orientation, int mode) {
  (void)orientation;  // one orientation only
  if (!DeviceExists()) return;
  if (mode == 2) {
    EngFontPrepareForDrawingIn3D();
    return;
  }
  EngFontPrepareDevice_DX9(mode, &g_textState);
}

void EngFontPrepareForDrawing(int mode) { EngFontDoPrepareForDrawing(0, mode); }

void EngFontPrepareForDrawingInOrientation(int mode) { EngFontDoPrepareForDrawing(0, mode); }

void EngFontPrepareForDrawingIn3D() {
  if (!DeviceExists()) return;
  EngFontPrepareDevice_DX9(2, &g_textState);
}

bool EngFontPrepareForDrawingIfNeeded(int mode, bool* preparedHere) {
  if (preparedHere) *preparedHere = false;
  if (!DeviceExists()) return false;
  if (g_textState.prepared) {
    const bool compatible = (g_textState.preparedMode == 0) == (mode == 0);
    if (compatible) return true;
    DebugError("EngFontPrepareForDrawingIfNeeded", "Ratio mix problem");
    EngFontRestoreAfterDrawing();
  }
  EngFontPrepareForDrawing(mode);
  if (preparedHere) *preparedHere = true;
  return false;
}

bool EngFontPrepareForDrawingInOrientationIfNeeded(int mode, bool* preparedHere) {
  return EngFontPrepareForDrawingIfNeeded(mode, preparedHere);
}

void EngFontRestoreAfterDrawing() {
  if (!DeviceExists()) return;
  if (!g_textState.prepared) {
    DebugError("EngFontRestoreAfterDrawing", "Not setup");
    return;
  }
  EngFontRestoreDevice_DX9(&g_textState);
}

void EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState(bool save) {
  static const char* const kWhere = "EngFontSaveAndUnPrepareStateOrRestoreAndPrepareState";
  if (!DeviceExists()) return;
  if (save) {
    if (g_textState.saved) {
      DebugError(kWhere, "Already saved");
      return;
    }
    g_textState.saved = true;
    g_textState.savedPrepared = g_textState.prepared;
    g_textState.savedMode = g_textState.preparedMode;
    if (g_textState.prepared) EngFontRestoreAfterDrawing();
    return;
  }
  if (!g_textState.saved) {
    DebugError(kWhere, "Not saved");
    return;
  }
  g_textState.saved = false;
  if (g_textState.savedPrepared) EngFontPrepareForDrawing(g_textState.savedMode);
}

bool EngFontIsPreparedForDrawing() { return g_textState.prepared; }

// ---- Drawing ----------------------------------------------------------------------------

void EngFont::DrawString(float x, float y, const char* text, int mostChars, float maxWidth) {
  if (!DeviceExists() || !valid_ || !text) return;
  if (!glyphs_ || !glyphQuads_) return;
  if (!EngFontReadyToDraw_DX9(g_textState)) return;

  int length = static_cast<int>(std::strlen(text));
  if (mostChars > 0 && mostChars < length) length = mostChars;

  float baseY = y;
  if (g_textState.preparedMode == 1) {
    baseY = 480.0f - y;
  } else if (g_textState.preparedMode == 0) {
    baseY = EngFontScreenHeight() - y;
  }
  D3DXMATRIX base;
  D3DXMatrixTranslation(&base, x, baseY, 0.0f);
  if (ratioInUse_) {
    D3DXMATRIX scaling;
    D3DXMatrixScaling(&scaling, ratioX_, ratioY_, 1.0f);
    base = scaling * base;
  }
  if (colourSet_) EngFontSetTextMaterial_DX9(colour_);

  float pen = 0.0f;
  for (int i = 0; i < length; ++i) {
    const float scaledPen = ratioX_ * pen;
    const auto code = static_cast<unsigned char>(text[i]);
    if (code != 0 && code < glyphCount_ && GlyphHasQuad(code) &&
        (maxWidth <= 0.0f || scaledPen < maxWidth)) {
      const EngFontGlyph& glyph = glyphs_[code];
      D3DXMATRIX world;
      D3DXMatrixTranslation(&world, pen + glyph.xOffset, glyph.yOffset, 0.0f);
      DrawGlyph_DX9(code, world * base);
      pen += glyph.advance;
    }
    if (g_textState.trackIndex == i) g_textState.trackedX = x + scaledPen;
  }
  if (g_textState.trackIndex == length) g_textState.trackedX = x + pen * ratioX_;
  if (colourSet_) EngFontSetDefaultMaterial_DX9();
}

void EngFont::DrawStringAlignedEx(float x, float y, int hAlign, int vAlign, const char* text,
                                  int mostChars, float maxWidth, bool prepare) {
  if (!valid_ || !text) return;
  if (hAlign == 1) {
    x -= GetStringWidth(text) * 0.5f;
  } else if (hAlign == 2) {
    x -= GetStringWidth(text);
  }
  if (vAlign == 1) {
    y -= GetHeight(true) * 0.5f;
  } else if (vAlign == 2) {
    y -= GetHeight(true);
  }
  bool preparedHere = false;
  if (prepare) EngFontPrepareForDrawingIfNeeded(1, &preparedHere);
  DrawString(x, y, text, mostChars, maxWidth);
  if (preparedHere) EngFontRestoreAfterDrawing();
}

void EngFont::DrawStringAligned(float x, float y, int hAlign, int vAlign, const char* text,
                                bool prepare) {
  DrawStringAlignedEx(x, y, hAlign, vAlign, text, 0, 0.0f, prepare);
}

void EngFont::DrawStringAlignedInt(int x, int y, int hAlign, int vAlign, const char* text,
                                   bool prepare) {
  DrawStringAlignedEx(static_cast<float>(x), static_cast<float>(y), hAlign, vAlign, text, 0, 0.0f,
                      prepare);
}

namespace {

struct MultilineDraw {
  EngFont* font;
  float x;
  int hAlign;
  int vAlign;
  bool draw;
};

void DrawWrappedLine(void* context, const char* line, float y) {
  const auto* job = static_cast<const MultilineDraw*>(context);
  if (!job->draw || !*line) return;
  // A left-aligned line does not start with the blank it broke at.
  if (job->hAlign == 0 && EngFontIsSpaceOrTab(*line)) ++line;
  job->font->DrawStringAligned(job->x, y, job->hAlign, job->vAlign, line, false);
}

}  // namespace

void EngFont::DrawMultilineText(float x, float y, float width, float height, int hAlign,
                                int vAlign, const char* text, bool draw, int firstLine,
                                float* widest, float* usedHeight, int* lineCount,
                                bool* finished) {
  EngFontWrapResult result;
  if (valid_ && text) {
    MultilineDraw job{this, x, hAlign, vAlign, draw};
    // The ratio scales the measure only while it is in use, as it does the drawing.
    result = EngFontWrapText(advances_, ratioInUse_ ? ratioX_ : 1.0f, GetHeight(true), lineSpacing_,
                             y, width, height, text, firstLine, DrawWrappedLine, &job);
  }
  if (widest) *widest = result.widest;
  if (usedHeight) *usedHeight = result.usedHeight;
  if (lineCount) *lineCount = result.lineCount;
  if (finished) *finished = result.finished;
}
