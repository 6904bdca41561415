// MWinFake.h - a recording back end for the toolkit's tests: no GL, a
// fixed-advance font, a fake clock, textures that "load" when their file
// exists and has an image name, and logs of every quad, triangle list and
// text drawn.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"
#include "tests/Engine/MWin/MWinTestSetup.h"
#include "tests/Support/TestSupport.h"

struct FakeTexture : MWinEngTexture {
  std::string file;
  bool loaded = false;
  int width = 0, height = 0;
  std::vector<unsigned> pixels;
};

struct FakeTriList : MWinEngTriList {
  int triangles = 0;
  std::vector<std::array<float, 6>> xy;
  std::vector<std::array<float, 4>> colour;
  int draws = 0;
};

// Every character advances `advance` units (times the x ratio); lines are
// `height` high (times the y ratio).
struct FakeFont {
  float advance = 10;
  float height = 20;
  float rx = 1, ry = 1;
  float colour[4] = {1, 1, 1, 1};
  bool created = false;  // made by the registry
};

class FakeBackEnd : public MWinEngBackEnd {
 public:
  struct Quad {
    MWinEngTexture* texture;
    EngTexture* engTexture;
    float x, y, w, h;
    float uv[4];
    float colour[4][4];
  };
  struct Text {
    FakeFont* font;
    float x, y;  // the anchor given
    int hAlign, vAlign;
    std::string text;
    float rx, ry;
    float colour[4];
  };
  struct TriDraw {
    FakeTriList* list;
    float dx, dy;
  };

  bool device = true;
  bool window = false;
  bool windowed = true;
  bool releasedOutside = false;
  unsigned timeMs = 0;
  float cursorX = 0, cursorY = 0;  // window pixels (= virtual units here)
  bool keys[256] = {};
  bool menuShown = false;
  std::map<std::string, std::vector<std::string>> language;
  std::map<EngTexture*, bool> engTextures;  // loaded flags of game textures

  std::vector<Quad> quads;
  std::vector<Text> texts;
  std::vector<TriDraw> triDraws;
  std::vector<float> dims;
  std::vector<std::array<float, 2>> cursorMoves;
  int redraws = 0, framesRendered = 0, frames = 0;
  std::vector<unsigned> wakes;
  float waited = 0;
  int liveTextures = 0, liveLists = 0;
  // Tracking for the text cursor.
  int trackIndex = -1;
  float trackedX = 0;

  void ClearDrawn() {
    quads.clear();
    texts.clear();
    triDraws.clear();
    dims.clear();
  }
  static FakeFont* F(EngFont* f) { return reinterpret_cast<FakeFont*>(f); }
  static EngFont* AsEng(FakeFont* f) { return reinterpret_cast<EngFont*>(f); }

  bool HasDevice() override { return device; }
  void ClearScreen() override {}
  void ClearScreenAndDepth() override {}
  bool BeginRenderingIfNotRendering() override { return true; }
  void EndRendering() override {}
  bool PrepareFor2DIfNotPrepared() override { return true; }
  void RestoreAfter2D() override {}
  bool SuspendDepthTestIfOn() override { return true; }
  void ResumeDepthTest() override {}
  void GetBlendingState(MWinEngBlendState* state) override { *state = blend; }
  void SetBlendingState(const MWinEngBlendState& state) override { blend = state; }
  void EnableBlendingType(int type) override {
    blend.enabled = true;
    blend.source = type;
  }
  void Dim(float darkness) override { dims.push_back(darkness); }
  void GetViewport(MWinEngViewport* viewport) override { *viewport = {}; }
  void SetViewport(const MWinEngViewport&) override {}

  MWinEngTexture* TextureNew() override {
    ++liveTextures;
    return new FakeTexture;
  }
  void TextureDelete(MWinEngTexture* texture) override {
    --liveTextures;
    delete texture;
  }
  bool TextureLoad(MWinEngTexture* texture, const char* fileName, int, int, int datKind) override;
  bool TextureFromPixels(MWinEngTexture* texture, int width, int height,
                         const unsigned* pixels) override {
    auto* t = static_cast<FakeTexture*>(texture);
    t->width = width;
    t->height = height;
    t->pixels.assign(pixels, pixels + width * height);
    t->loaded = true;
    return true;
  }
  bool TextureIsLoaded(MWinEngTexture* texture) override {
    return static_cast<FakeTexture*>(texture)->loaded;
  }
  void TextureRelease(MWinEngTexture* texture) override {
    static_cast<FakeTexture*>(texture)->loaded = false;
  }
  void TextureDraw(MWinEngTexture* texture, float x, float y, float w, float h, const float uv[4],
                   const float colours[4][4]) override;
  bool EngTextureIsLoaded(EngTexture* texture) override {
    auto it = engTextures.find(texture);
    return it != engTextures.end() && it->second;
  }
  void EngTextureDraw(EngTexture* texture, float x, float y, float w, float h, const float uv[4],
                      const float colour[4]) override;

  MWinEngTriList* TriListCreate(int triangles) override {
    auto* l = new FakeTriList;
    l->triangles = triangles;
    l->xy.resize(triangles);
    l->colour.resize(triangles);
    ++liveLists;
    return l;
  }
  void TriListDestroy(MWinEngTriList* list) override {
    --liveLists;
    delete list;
  }
  void TriListSet(MWinEngTriList* list, int triangle, const float xy[6],
                  const float colour[4]) override;
  void TriListDraw(MWinEngTriList* list, float dx, float dy) override {
    auto* l = static_cast<FakeTriList*>(list);
    ++l->draws;
    triDraws.push_back({l, dx, dy});
  }

  EngFont* FontCreate(const MWinEngFontParams&) override {
    auto* f = new FakeFont;
    f->created = true;
    return AsEng(f);
  }
  void FontDestroy(EngFont* font) override { delete F(font); }
  float FontStringWidth(EngFont* font, const char* text) override;
  float FontHeight(EngFont* font, bool applyRatio) override {
    return F(font)->height * (applyRatio ? F(font)->ry : 1.0f);
  }
  void FontGetRatio(EngFont* font, float* x, float* y) override {
    if (x) *x = F(font)->rx;
    if (y) *y = F(font)->ry;
  }
  void FontSetRatio(EngFont* font, float x, float y) override {
    F(font)->rx = x;
    F(font)->ry = y;
  }
  void FontSetColour(EngFont* font, float r, float g, float b, float a) override {
    const float c[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i)
      if (c[i] >= 0) F(font)->colour[i] = c[i];
  }
  void FontDrawAligned(EngFont* font, float x, float y, int hAlign, int vAlign, const char* text,
                       bool prepare) override;
  bool FontDrawMultiline(EngFont* font, float x, float y, float w, float h, int hAlign, int vAlign,
                         const char* text, bool draw, int firstLine,
                         MWinEngMultilineResult* result) override;
  float FontTrackCharPos(int index) override {
    const float x = trackedX;
    trackIndex = index;
    return x;
  }
  bool FontPrepare2D() override { return true; }
  void FontRestore() override {}

  bool HasWindow() override { return window; }
  bool IsWindowed() override { return windowed; }
  bool GetCursorPixels(float* x, float* y) override {
    *x = cursorX;
    *y = cursorY;
    return window;
  }
  void SetCursorVirtual(float x, float y) override { cursorMoves.push_back({x, y}); }
  bool PixelToVirtual(float x, float y, float* vx, float* vy) override {
    *vx = x;
    *vy = y;
    return true;
  }
  bool ConsumeReleasedOutside() override {
    const bool r = releasedOutside;
    releasedOutside = false;
    return r;
  }
  bool IsKeyDown(int key) override { return key >= 0 && key < 256 && keys[key]; }
  unsigned TimeMs() override { return timeMs; }
  void RequestRedraw() override { ++redraws; }
  void RequestFrame() override { ++frames; }
  void WakeAtMs(unsigned milliseconds) override { wakes.push_back(milliseconds); }
  void RenderFrameNow() override { ++framesRendered; }
  void WaitSeconds(float seconds) override { waited += seconds; }

  bool MenuIsSetup() override { return false; }
  bool MenuIsShown() override { return menuShown; }
  void MenuShow() override { menuShown = true; }
  void MenuHide() override { menuShown = false; }
  float MenuVisibleHeight() override { return 0; }
  bool MenuMouseMove(float, float) override { return false; }
  bool MenuMousePress(float, float) override { return false; }

  bool LanguagesLoaded() override { return !language.empty(); }
  int LanguageTokenNum(const char* token, int* subTexts) override;
  const char* LanguageString(const char* token, int subText) override;

  // Texts drawn so far, in order.
  std::vector<std::string> DrawnTexts() const;
  bool Drew(const std::string& text) const;

 private:
  static Quad PlacedQuad(float x, float y, float w, float h, const float uv[4]);
  MWinEngBlendState blend;
};

// A fresh manager on the fake back end, with a fixed-advance standard font.
class MWinTest : public TempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A collection with one window covering the screen (no title bar).
  MWinWindow* AddScreen(const char* collection = "Screen", float x = 0, float y = 0,
                        float w = 640, float h = 480);
  // Input through the manager.
  bool Move(float x, float y) { return mw->HandleInputEvent(1, static_cast<int>(x), static_cast<int>(y)); }
  bool Press(int button = 0) { return mw->HandleInputEvent(2, button, 1); }
  bool Release(int button = 0) { return mw->HandleInputEvent(2, button, 0); }
  bool Click(float x, float y) {
    Move(x, y);
    Press();
    return Release();
  }
  bool Key(int vk) { return mw->HandleInputEvent(5, vk, 0); }
  bool Char(int c) { return mw->HandleInputEvent(7, c, 0); }
  bool Wheel(int n) { return mw->HandleInputEvent(4, n, 0); }
  // Registers a look "Look" over a texture file in the temp folder and puts
  // it into every standard slot, then loads the graphics.
  void InstallTestLook();

  FakeBackEnd eng;
  FakeFont font;
  std::unique_ptr<MWin> mw;
};
