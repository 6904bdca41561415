// MWinEngDevice.cpp - the toolkit's graphics through the engine front-ends:
// the current device, EngTexture, EngTriangleList and EngFont. Everything
// does nothing (or answers false) while no device exists.
#include "Engine/MWin/MWinEngDevice.h"

#include <cstring>

#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTriangleList.h"
#include "Engine/EngWindow.h"

namespace {

class DeviceTexture : public MWinEngTexture {
 public:
  EngTexture texture;
};

class DeviceTriList : public MWinEngTriList {
 public:
  EngTriangleList list;
  int triangles = 0;
};

EngDevice* Device() { return EngDeviceGetCurrent(); }
EngTexture* Tex(MWinEngTexture* t) { return &static_cast<DeviceTexture*>(t)->texture; }
EngFont* Font(EngFont* f) { return f; }

// Corner order of the toolkit (top left, top right, bottom left, bottom
// right) to the texture's clockwise corners from the top left.
constexpr int kCorner[4] = {0, 1, 3, 2};

void DrawQuad(EngTexture* t, float x, float y, float w, float h, const float uv[4],
              const float colours[4][4]) {
  t->PositionRatioed(x, y, w, h);
  t->SetTextureCoordinates(uv[0], uv[1], uv[2], uv[3]);
  for (int i = 0; i < 4; ++i)
    t->SetVertexColour(kCorner[i], colours[i][0], colours[i][1], colours[i][2], colours[i][3]);
  t->Draw();
}

}  // namespace

bool MWinEngDeviceBackEnd::HasDevice() { return Device() != nullptr; }

void MWinEngDeviceBackEnd::ClearScreen() {
  if (EngDevice* d = Device()) d->ClearScreen();
}
void MWinEngDeviceBackEnd::ClearScreenAndDepth() {
  if (EngDevice* d = Device()) d->ClearScreenAndDepth();
}
bool MWinEngDeviceBackEnd::BeginRenderingIfNotRendering() {
  EngDevice* d = Device();
  return d && d->BeginRenderingIfNotRendering();
}
void MWinEngDeviceBackEnd::EndRendering() {
  if (EngDevice* d = Device()) d->EndRendering();
}
bool MWinEngDeviceBackEnd::PrepareFor2DIfNotPrepared() {
  EngDevice* d = Device();
  return d && d->PrepareFor2DIfNotPrepared(true);
}
void MWinEngDeviceBackEnd::RestoreAfter2D() {
  if (EngDevice* d = Device()) d->RestoreAfter2D();
}
bool MWinEngDeviceBackEnd::SuspendDepthTestIfOn() {
  EngDevice* d = Device();
  return d && d->SuspendDepthTestIfOn();
}
void MWinEngDeviceBackEnd::ResumeDepthTest() {
  if (EngDevice* d = Device()) d->ResumeDepthTest();
}
void MWinEngDeviceBackEnd::GetBlendingState(MWinEngBlendState* state) {
  *state = {};
  if (EngDevice* d = Device()) d->GetBlendingState(&state->enabled, &state->source, &state->destination);
}
void MWinEngDeviceBackEnd::SetBlendingState(const MWinEngBlendState& state) {
  if (EngDevice* d = Device()) d->SetBlendingState(state.enabled, state.source, state.destination);
}
void MWinEngDeviceBackEnd::EnableBlendingType(int type) {
  if (EngDevice* d = Device()) d->EnableBlendingType(type);
}
void MWinEngDeviceBackEnd::Dim(float darkness) {
  if (Device()) EngDimDraw(darkness);
}
void MWinEngDeviceBackEnd::GetViewport(MWinEngViewport* viewport) {
  *viewport = {};
  EngDevice* d = Device();
  if (!d) return;
  D3DVIEWPORT9 v = {};
  d->GetViewport(&v);
  *viewport = MWinEngViewport{static_cast<int>(v.X), static_cast<int>(v.Y),
                              static_cast<int>(v.Width), static_cast<int>(v.Height), v.MinZ,
                              v.MaxZ};
}
void MWinEngDeviceBackEnd::SetViewport(const MWinEngViewport& viewport) {
  EngDevice* d = Device();
  if (!d) return;
  D3DVIEWPORT9 v = {};
  v.X = static_cast<DWORD>(viewport.x);
  v.Y = static_cast<DWORD>(viewport.y);
  v.Width = static_cast<DWORD>(viewport.width);
  v.Height = static_cast<DWORD>(viewport.height);
  v.MinZ = viewport.minZ;
  v.MaxZ = viewport.maxZ;
  d->SetViewportToViewportStruct(&v);
}

// ---- Toolkit textures ----------------------------------------------------------------

MWinEngTexture* MWinEngDeviceBackEnd::TextureNew() { return new DeviceTexture; }
void MWinEngDeviceBackEnd::TextureDelete(MWinEngTexture* texture) { delete texture; }

bool MWinEngDeviceBackEnd::TextureLoad(MWinEngTexture* texture, const char* fileName, int withAlpha,
                                       int alphaKind, int datKind) {
  if (!Device() || !fileName) return false;
  EngTexture* t = Tex(texture);
  if (datKind < 0) return t->LoadFromFile(fileName, withAlpha, alphaKind);
  return t->LoadFromFileUsingExt(fileName, withAlpha, alphaKind, datKind);
}

// Writes the picture as rectangles of one colour: equal neighbouring rows
// are one band, each band a run of equal texels (the picker's square is
// five rectangles, its strip three a row).
bool MWinEngDeviceBackEnd::TextureFromPixels(MWinEngTexture* texture, int width, int height,
                                             const unsigned* pixels) {
  if (!Device()) return false;
  EngTexture* t = Tex(texture);
  int w = width, h = height;
  // A 3D quad: only those take vertex colours (the picker's square is a
  // gradient of its corner colours); in 2D mode it lands on the same pixels.
  if (!t->CreateEmptyTexture(&w, &h, 1)) return false;
  auto channel = [](unsigned p, int shift) { return ((p >> shift) & 0xFF) / 255.0f; };
  for (int row = 0; row < height;) {
    int rows = 1;
    while (row + rows < height &&
           std::memcmp(pixels + row * width, pixels + (row + rows) * width, width * sizeof(unsigned)) == 0)
      ++rows;
    const unsigned* line = pixels + row * width;
    for (int col = 0; col < width;) {
      int run = 1;
      while (col + run < width && line[col + run] == line[col]) ++run;
      const unsigned p = line[col];
      t->ColourRect(col, row, run, rows, channel(p, 16), channel(p, 8), channel(p, 0), channel(p, 24));
      col += run;
    }
    row += rows;
  }
  return true;
}

bool MWinEngDeviceBackEnd::TextureIsLoaded(MWinEngTexture* texture) {
  return Tex(texture)->IsLoaded();
}
void MWinEngDeviceBackEnd::TextureRelease(MWinEngTexture* texture) { Tex(texture)->Release(); }

void MWinEngDeviceBackEnd::TextureDraw(MWinEngTexture* texture, float x, float y, float w, float h,
                                       const float uv[4], const float colours[4][4]) {
  if (!Device() || !Tex(texture)->IsLoaded()) return;
  DrawQuad(Tex(texture), x, y, w, h, uv, colours);
}

bool MWinEngDeviceBackEnd::EngTextureIsLoaded(EngTexture* texture) {
  return texture && texture->IsLoaded();
}

void MWinEngDeviceBackEnd::EngTextureDraw(EngTexture* texture, float x, float y, float w, float h,
                                          const float uv[4], const float colour[4]) {
  if (!Device() || !texture || !texture->IsLoaded()) return;
  const float colours[4][4] = {{colour[0], colour[1], colour[2], colour[3]},
                               {colour[0], colour[1], colour[2], colour[3]},
                               {colour[0], colour[1], colour[2], colour[3]},
                               {colour[0], colour[1], colour[2], colour[3]}};
  DrawQuad(texture, x, y, w, h, uv, colours);
}

// ---- Triangle lists ---------------------------------------------------------------------

MWinEngTriList* MWinEngDeviceBackEnd::TriListCreate(int triangles) {
  if (!Device() || triangles < 1) return nullptr;
  auto* l = new DeviceTriList;
  if (!l->list.Create(7, nullptr, static_cast<unsigned>(triangles))) {
    delete l;
    return nullptr;
  }
  l->triangles = triangles;
  return l;
}

void MWinEngDeviceBackEnd::TriListDestroy(MWinEngTriList* list) { delete list; }

void MWinEngDeviceBackEnd::TriListSet(MWinEngTriList* list, int triangle, const float xy[6],
                                      const float colour[4]) {
  auto* l = static_cast<DeviceTriList*>(list);
  if (triangle < 0 || triangle >= l->triangles) return;
  const unsigned t = static_cast<unsigned>(triangle);
  l->list.SetPositionsRatioed(t, xy[0], xy[1], 0, xy[2], xy[3], 0, xy[4], xy[5], 0);
  l->list.SetColour(t, colour[0], colour[1], colour[2], colour[3]);
}

void MWinEngDeviceBackEnd::TriListDraw(MWinEngTriList* list, float dx, float dy) {
  EngDevice* d = Device();
  if (!d) return;
  auto* l = static_cast<DeviceTriList*>(list);
  const bool moved = dx != 0 || dy != 0;
  if (moved) {
    // The lists lie in the -1..1 space of the virtual screen.
    d->PushTransformMatrix();
    d->SetWorldTranslation(dx / 320.0f, -dy / 240.0f, 0);
  }
  l->list.Draw();
  if (moved) d->PopTransformMatrix();
}

// ---- Fonts --------------------------------------------------------------------------

EngFont* MWinEngDeviceBackEnd::FontCreate(const MWinEngFontParams& p) {
  auto* font = new EngFont;
  if (p.hasEffects) {
    EngFontGlyphEffectSettings settings;
    static_assert(sizeof(settings) == sizeof(p.effects), "effect settings are 16 words");
    std::memcpy(&settings, p.effects, sizeof(settings));
    font->SetGlyphEffectSettings(&settings);
  } else {
    font->SetGlyphEffectSettings(nullptr);
  }
  if (!font->Create(p.fileName, p.twoChannels, p.charSize, p.firstChar, p.lastChar, nullptr, 0,
                    p.scaleX, p.scaleY, p.offsetY, p.heightOffset, true)) {
    delete font;
    return nullptr;
  }
  return font;
}

void MWinEngDeviceBackEnd::FontDestroy(EngFont* font) { delete font; }
float MWinEngDeviceBackEnd::FontStringWidth(EngFont* font, const char* text) {
  return Font(font)->GetStringWidth(text);
}
float MWinEngDeviceBackEnd::FontHeight(EngFont* font, bool applyRatio) {
  return Font(font)->GetHeight(applyRatio);
}
void MWinEngDeviceBackEnd::FontGetRatio(EngFont* font, float* x, float* y) {
  Font(font)->GetRatio(x, y);
}
void MWinEngDeviceBackEnd::FontSetRatio(EngFont* font, float x, float y) {
  Font(font)->SetRatio(x, y);
}
void MWinEngDeviceBackEnd::FontSetColour(EngFont* font, float r, float g, float b, float a) {
  Font(font)->SetColour(r, g, b, a);
}
void MWinEngDeviceBackEnd::FontDrawAligned(EngFont* font, float x, float y, int hAlign, int vAlign,
                                           const char* text, bool prepare) {
  if (!Device()) return;
  Font(font)->DrawStringAligned(x, y, hAlign, vAlign, text, prepare);
}
bool MWinEngDeviceBackEnd::FontDrawMultiline(EngFont* font, float x, float y, float w, float h,
                                             int hAlign, int vAlign, const char* text, bool draw,
                                             int firstLine, MWinEngMultilineResult* result) {
  *result = {};
  float widest = 0, used = 0;
  int lines = 0;
  bool finished = true;
  Font(font)->DrawMultilineText(x, y, w, h, hAlign, vAlign, text, draw && Device() != nullptr,
                                firstLine, &widest, &used, &lines, &finished);
  result->widest = widest;
  result->usedHeight = used;
  result->lines = lines;
  result->finished = finished;
  return true;
}
float MWinEngDeviceBackEnd::FontTrackCharPos(int index) { return EngFontTrackCharPos(index); }
bool MWinEngDeviceBackEnd::FontPrepare2D() {
  if (!Device()) return false;
  bool here = false;
  EngFontPrepareForDrawingIfNeeded(1, &here);
  return here;
}
void MWinEngDeviceBackEnd::FontRestore() {
  if (Device()) EngFontRestoreAfterDrawing();
}

bool MWinEngConsumeReleasedOutside() {
  EngWindow* w = EngWindowGetCurrent();
  return w && w->TakeLeftReleasedOutside();
}
