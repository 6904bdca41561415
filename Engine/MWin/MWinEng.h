// MWinEng.h - the toolkit's one door to the engine.
//
// Every call the toolkit makes into the engine's front-ends (graphics device,
// textures, triangle lists, fonts, the window, the clock, the menu bar and the
// language texts) goes through the back end installed here. The engine back
// end (the default) forwards to those front-ends; tests install a recording
// back end with a fixed-advance font, a fake clock and no GL, so the whole
// toolkit runs headless. Nothing in the toolkit names a front-end outside
// MWinEng.cpp.
//
// Handles: toolkit-made textures and triangle lists are objects of the back
// end (MWinEngTexture, MWinEngTriList); textures and fonts made by the game
// (EngTexture, EngFont) pass through as opaque pointers.
#pragma once

class EngTexture;
class EngFont;

// A texture the toolkit made and owns (background, registry, custom looks,
// colour picker). The back end that made it destroys it.
class MWinEngTexture {
 public:
  virtual ~MWinEngTexture() = default;
};

// A list of coloured, untextured 2D triangles in the virtual 640 x 480 space.
class MWinEngTriList {
 public:
  virtual ~MWinEngTriList() = default;
};

// The saved blending state of the device, restored as it was.
struct MWinEngBlendState {
  bool enabled = false;
  int source = 0;
  int destination = 0;
};

// The device viewport a collection may draw in (pixels, depth range).
struct MWinEngViewport {
  int x, y, width, height;
  float minZ, maxZ;
};

// One line of word-wrapped text measured or drawn in a box.
struct MWinEngMultilineResult {
  float widest = 0.0f;      // widest line drawn
  float usedHeight = 0.0f;  // height of the lines
  int lines = 0;            // number of lines
  bool finished = true;     // the whole text fitted
};

// Creation values of a font the toolkit's registry makes itself.
struct MWinEngFontParams {
  char fileName[256];
  int twoChannels;
  int charSize;
  int firstChar;
  int lastChar;
  float scaleX;
  float scaleY;
  float offsetY;
  float heightOffset;
  bool hasEffects;
  unsigned char effects[64];  // the 16 words of EngFontGlyphEffectSettings, copied whole
};

class MWinEngBackEnd {
 public:
  virtual ~MWinEngBackEnd() = default;

  // ---- Device -------------------------------------------------------------
  virtual bool HasDevice() = 0;
  virtual void ClearScreen() = 0;
  virtual void ClearScreenAndDepth() = 0;
  // Each returns true when this call started the state (so the caller ends it).
  virtual bool BeginRenderingIfNotRendering() = 0;
  virtual void EndRendering() = 0;
  virtual bool PrepareFor2DIfNotPrepared() = 0;
  virtual void RestoreAfter2D() = 0;
  virtual bool SuspendDepthTestIfOn() = 0;
  virtual void ResumeDepthTest() = 0;
  virtual void GetBlendingState(MWinEngBlendState* state) = 0;
  virtual void SetBlendingState(const MWinEngBlendState& state) = 0;
  virtual void EnableBlendingType(int type) = 0;
  virtual void Dim(float darkness) = 0;
  virtual void GetViewport(MWinEngViewport* viewport) = 0;
  virtual void SetViewport(const MWinEngViewport& viewport) = 0;

  // ---- Toolkit textures ---------------------------------------------------
  virtual MWinEngTexture* TextureNew() = 0;
  virtual void TextureDelete(MWinEngTexture* texture) = 0;
  // datKind < 0: load by content without the name test; else the kind given
  // to ".dat" names and the name must end in a known image extension.
  virtual bool TextureLoad(MWinEngTexture* texture, const char* fileName, int withAlpha,
                           int alphaKind, int datKind) = 0;
  // A texture of width x height texels from 0xAARRGGBB words (row by row).
  virtual bool TextureFromPixels(MWinEngTexture* texture, int width, int height,
                                 const unsigned* pixels) = 0;
  virtual bool TextureIsLoaded(MWinEngTexture* texture) = 0;
  virtual void TextureRelease(MWinEngTexture* texture) = 0;
  // One quad over (x, y, w, h) with the texture rectangle (u0, v0)-(u1, v1)
  // and a colour per corner (top left, top right, bottom left, bottom right;
  // RGBA floats).
  virtual void TextureDraw(MWinEngTexture* texture, float x, float y, float w, float h,
                           const float uv[4], const float colours[4][4]) = 0;

  // ---- Engine textures made by the game ------------------------------------
  virtual bool EngTextureIsLoaded(EngTexture* texture) = 0;
  virtual void EngTextureDraw(EngTexture* texture, float x, float y, float w, float h,
                              const float uv[4], const float colour[4]) = 0;

  // ---- Triangle lists -----------------------------------------------------
  virtual MWinEngTriList* TriListCreate(int triangles) = 0;
  virtual void TriListDestroy(MWinEngTriList* list) = 0;
  virtual void TriListSet(MWinEngTriList* list, int triangle, const float xy[6],
                          const float colour[4]) = 0;
  // Draws the list moved by (dx, dy).
  virtual void TriListDraw(MWinEngTriList* list, float dx, float dy) = 0;

  // ---- Fonts --------------------------------------------------------------
  virtual EngFont* FontCreate(const MWinEngFontParams& params) = 0;
  virtual void FontDestroy(EngFont* font) = 0;
  virtual float FontStringWidth(EngFont* font, const char* text) = 0;
  virtual float FontHeight(EngFont* font, bool applyRatio) = 0;
  virtual void FontGetRatio(EngFont* font, float* x, float* y) = 0;
  virtual void FontSetRatio(EngFont* font, float x, float y) = 0;
  virtual void FontSetColour(EngFont* font, float r, float g, float b, float a) = 0;
  // Aligned one-line draw; horizontal 0 left / 1 centre / 2 right, vertical
  // 0 top / 1 centre / 2 bottom.
  virtual void FontDrawAligned(EngFont* font, float x, float y, int hAlign, int vAlign,
                               const char* text, bool prepare) = 0;
  // Word wrap into a box; draws only with draw set. False when it failed.
  virtual bool FontDrawMultiline(EngFont* font, float x, float y, float w, float h, int hAlign,
                                 int vAlign, const char* text, bool draw, int firstLine,
                                 MWinEngMultilineResult* result) = 0;
  // Returns the x the last draw left for the tracked index; tracks index next.
  virtual float FontTrackCharPos(int index) = 0;
  // Prepares the 2D text state; true when this call prepared it.
  virtual bool FontPrepare2D() = 0;
  virtual void FontRestore() = 0;

  // ---- Window, clock, program --------------------------------------------------
  virtual bool HasWindow() = 0;
  virtual bool IsWindowed() = 0;
  // Cursor in window pixels.
  virtual bool GetCursorPixels(float* x, float* y) = 0;
  // Places the system cursor at a virtual 640 x 480 position.
  virtual void SetCursorVirtual(float x, float y) = 0;
  virtual bool PixelToVirtual(float x, float y, float* vx, float* vy) = 0;
  // True once after the left button was released outside the window.
  virtual bool ConsumeReleasedOutside() = 0;
  // The key-state table: true while a virtual key is held.
  virtual bool IsKeyDown(int virtualKey) = 0;
  virtual unsigned TimeMs() = 0;
  virtual void RequestRedraw() = 0;
  // The main loop's frames on demand (Engine/EngFrames.h): something of the
  // toolkit moves and wants the next frame drawn; something changes at a
  // time of the millisecond clock.
  virtual void RequestFrame() = 0;
  virtual void WakeAtMs(unsigned milliseconds) = 0;
  virtual void RenderFrameNow() = 0;
  virtual void WaitSeconds(float seconds) = 0;

  // ---- Menu bar -----------------------------------------------------------
  virtual bool MenuIsSetup() = 0;
  virtual bool MenuIsShown() = 0;
  virtual void MenuShow() = 0;
  virtual void MenuHide() = 0;
  virtual float MenuVisibleHeight() = 0;
  virtual bool MenuMouseMove(float x, float y) = 0;
  virtual bool MenuMousePress(float x, float y) = 0;

  // ---- Language texts -----------------------------------------------------------
  virtual bool LanguagesLoaded() = 0;
  // Token index or -1, with its number of sub-texts.
  virtual int LanguageTokenNum(const char* token, int* subTexts) = 0;
  // Sub-text of a token ("" when missing).
  virtual const char* LanguageString(const char* token, int subText) = 0;
};

// The back end in use: the engine's unless a test installed another.
MWinEngBackEnd* MWinEng();
// Installs a back end (null restores the engine's). The caller keeps it.
void MWinEngSetBackEnd(MWinEngBackEnd* backEnd);

// Nearest integer; an exact half rounds toward zero (2.5 -> 2, -2.5 -> -2).
int MWinEngRound(float value);
// RGB 0..1 to hue, saturation, lightness 0..1.
void MWinEngRgbToHsl(float r, float g, float b, float* h, float* s, float* l);
