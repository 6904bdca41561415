// MWinEngDevice.h - the graphics half of the toolkit's engine back end:
// device state, toolkit textures, triangle lists and fonts through the
// engine's front-ends. Local to the toolkit (MWinEng.cpp derives from it).
#pragma once

#include "Engine/MWin/MWinEng.h"

class MWinEngDeviceBackEnd : public MWinEngBackEnd {
 public:
  bool HasDevice() override;
  void ClearScreen() override;
  void ClearScreenAndDepth() override;
  bool BeginRenderingIfNotRendering() override;
  void EndRendering() override;
  bool PrepareFor2DIfNotPrepared() override;
  void RestoreAfter2D() override;
  bool SuspendDepthTestIfOn() override;
  void ResumeDepthTest() override;
  void GetBlendingState(MWinEngBlendState* state) override;
  void SetBlendingState(const MWinEngBlendState& state) override;
  void EnableBlendingType(int type) override;
  void Dim(float darkness) override;
  void GetViewport(MWinEngViewport* viewport) override;
  void SetViewport(const MWinEngViewport& viewport) override;

  MWinEngTexture* TextureNew() override;
  void TextureDelete(MWinEngTexture* texture) override;
  bool TextureLoad(MWinEngTexture* texture, const char* fileName, int withAlpha, int alphaKind,
                   int datKind) override;
  bool TextureFromPixels(MWinEngTexture* texture, int width, int height,
                         const unsigned* pixels) override;
  bool TextureIsLoaded(MWinEngTexture* texture) override;
  void TextureRelease(MWinEngTexture* texture) override;
  void TextureDraw(MWinEngTexture* texture, float x, float y, float w, float h, const float uv[4],
                   const float colours[4][4]) override;
  bool EngTextureIsLoaded(EngTexture* texture) override;
  void EngTextureDraw(EngTexture* texture, float x, float y, float w, float h, const float uv[4],
                      const float colour[4]) override;

  MWinEngTriList* TriListCreate(int triangles) override;
  void TriListDestroy(MWinEngTriList* list) override;
  void TriListSet(MWinEngTriList* list, int triangle, const float xy[6],
                  const float colour[4]) override;
  void TriListDraw(MWinEngTriList* list, float dx, float dy) override;

  EngFont* FontCreate(const MWinEngFontParams& params) override;
  void FontDestroy(EngFont* font) override;
  float FontStringWidth(EngFont* font, const char* text) override;
  float FontHeight(EngFont* font, bool applyRatio) override;
  void FontGetRatio(EngFont* font, float* x, float* y) override;
  void FontSetRatio(EngFont* font, float x, float y) override;
  void FontSetColour(EngFont* font, float r, float g, float b, float a) override;
  void FontDrawAligned(EngFont* font, float x, float y, int hAlign, int vAlign, const char* text,
                       bool prepare) override;
  bool FontDrawMultiline(EngFont* font, float x, float y, float w, float h, int hAlign, int vAlign,
                         const char* text, bool draw, int firstLine,
                         MWinEngMultilineResult* result) override;
  float FontTrackCharPos(int index) override;
  bool FontPrepare2D() override;
  void FontRestore() override;
};

// The window's one-shot "left button released outside" report.
bool MWinEngConsumeReleasedOutside();
