// EngTextureDX9.cpp - the texture back end's life, its quad and drawing.
//
// The quad's own record remembers what it was given; the texture keeps a
// copy of the corners, coordinates, colour and normal it gave, so that a
// quad re-created in a richer layout gets them back.
#include "Engine/DX9/EngTextureDX9.h"

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngColour.h"
#include "Engine/EngFile.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Platform/D3DXMath.h"
#include "Platform/ImageD3DX.h"

namespace {

IDirect3DDevice9* Device() { return EngDeviceDX9GetD3DDevice(); }

bool TypeHasColour(int type) {
  return type == EVBT_POS_COL_TEX || type == EVBT_POS_NORM_COL_TEX;
}
bool TypeHasNormal(int type) {
  return type == EVBT_POS_NORM_TEX || type == EVBT_POS_NORM_COL_TEX;
}

}  // namespace

EngTextureDX9::EngTextureDX9(EngTexture* owner) : owner_(owner) { ClearRecord(); }

void EngTextureDX9::ClearRecord() {
  texture_ = nullptr;
  is2D_ = coloured_ = withNormal_ = 0;
  quad_.Destroy();
  quadX_ = quadY_ = quadW_ = quadH_ = 0.0f;
  width_ = height_ = 0;
  automaticCoords_ = 0;
  u0_ = v0_ = 0.0f;
  u1_ = v1_ = 1.0f;
  bitDepth_ = 0;
  drawDir3D_ = 0;
  format_ = D3DFMT_UNKNOWN;
  hasAlpha_ = 0;
  placement_ = Placement::kNone;
  plane_ = -1;
  colour_[0] = colour_[1] = colour_[2] = colour_[3] = 1.0f;
  normal_[0] = normal_[1] = 0.0f;
  normal_[2] = -1.0f;
}

// ---- Creation ------------------------------------------------------------------------

bool EngTextureDX9::LoadFromFile(const char* name, int withAlpha, int alphaKind) {
  return DoLoadFromFile(name, withAlpha, alphaKind);
}

bool EngTextureDX9::LoadFromFileUsingExt(const char* name, int withAlpha, int alphaKind,
                                         int datKind) {
  if (!owner_) return false;
  const int kind = EngTextureGetFileType(name, datKind);
  if (kind < 1 || kind > 4) {
    DebugError("EngTextureDX9::LoadFromFileUsingExt", "Unknown extension in file <%s>",
               name ? name : "");
    return false;
  }
  return LoadFromFile(name, withAlpha, alphaKind);
}

bool EngTextureDX9::DoLoadFromFile(const char* name, int withAlpha, int alphaKind) {
  static const char* const kWhere = "EngTextureDX9::DoLoadFromFile";
  IDirect3DDevice9* device = Device();
  if (!device) return false;
  if (!name || !*name) {
    DebugError(kWhere, "No file specified");
    return false;
  }
  if (!EngFileExists(name)) {
    DebugError(kWhere, "File does not exist <%s>", name);
    return false;
  }
  if (created_) {
    DebugError(kWhere, "Texture already exists <%s>", name);
    Release();
  }
  ClearRecord();
  D3DFORMAT format = D3DFMT_UNKNOWN;
  EngUtilsDX9_GetSupportedSurfaceFormat(&format, withAlpha != 0);
  const HRESULT hr = D3DXCreateTextureFromFileExA(
      device, name, D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, format, D3DPOOL_MANAGED, D3DX_DEFAULT,
      D3DX_DEFAULT, 0, nullptr, nullptr, &texture_);
  if (!EngUtilsDX9_CheckResult(kWhere, "D3DXCreateTextureFromFileExA", hr)) {
    if (!D3DXGetLastImageError().empty()) {
      DebugError(kWhere, "%s: %s", name, D3DXGetLastImageError().c_str());
    }
    DebugError(kWhere, "Could not load <%s>", name);
    texture_ = nullptr;
    created_ = 0;
    return false;
  }
  D3DSURFACE_DESC desc{};
  const bool described = texture_->GetLevelDesc(0, &desc) == D3D_OK;
  const bool finalised =
      described ? DoFinaliseTextureCreation(static_cast<int>(desc.Width), static_cast<int>(desc.Height), 0,
                                            desc.Format, false)
                : DoFinaliseTextureCreation(0, 0, 0, D3DFMT_UNKNOWN, false);
  if (!finalised) return false;
  if (withAlpha && alphaKind != 2 && alphaKind != 7 && !SetupAlphaChannel(alphaKind)) {
    DebugError(kWhere, "Warning - could not setup alpha channel");
  }
  SetAutomaticTextureCoordinates();
  return true;
}

bool EngTextureDX9::CreateEmptyTexture(int* width, int* height, int withAlpha) {
  return DoCreateEmptyTexture(width, height, withAlpha, false);
}

bool EngTextureDX9::CreateEmptyTexture2D(int* width, int* height, int withAlpha) {
  return DoCreateEmptyTexture(width, height, withAlpha, true);
}

bool EngTextureDX9::DoCreateEmptyTexture(int* width, int* height, int withAlpha, bool is2D) {
  static const char* const kWhere = "EngTextureDX9::DoCreateEmptyTexture";
  IDirect3DDevice9* device = Device();
  if (!device || !width || !height || *width < 1 || *height < 1) return false;
  if (created_) {
    DebugError(kWhere, "Texture already exists");
    Release();
  }
  ClearRecord();
  D3DFORMAT format = D3DFMT_UNKNOWN;
  EngUtilsDX9_GetSupportedSurfaceFormat(&format, withAlpha != 0);
  const HRESULT hr = D3DXCreateTexture(device, static_cast<UINT>(*width), static_cast<UINT>(*height), 1, 0,
                                       format, D3DPOOL_MANAGED, &texture_);
  if (!EngUtilsDX9_CheckResult(kWhere, "D3DXCreateTexture", hr)) {
    DebugError(kWhere, "Could not create texture");
    texture_ = nullptr;
    created_ = 0;
    return false;
  }
  D3DSURFACE_DESC desc{};
  if (texture_->GetLevelDesc(0, &desc) == D3D_OK) {
    *width = static_cast<int>(desc.Width);
    *height = static_cast<int>(desc.Height);
    format = desc.Format;
  } else {
    format = D3DFMT_UNKNOWN;
  }
  if (!DoFinaliseTextureCreation(*width, *height, 0, format, is2D)) return false;
  SetAutomaticTextureCoordinates();
  return true;
}

bool EngTextureDX9::DoFinaliseTextureCreation(int width, int height, int bitDepth,
                                              D3DFORMAT format, bool is2D) {
  static const char* const kWhere = "EngTextureDX9::DoFinaliseTextureCreation";
  if (!texture_) {
    DebugError(kWhere, "Invalid texture passed in");
    created_ = 0;
    return false;
  }
  if (!TextureBufferCreate(is2D)) {
    DebugError(kWhere, is2D ? "Could not create vertex buffers [2d]" : "Could not create vertex buffers");
    texture_->Release();
    texture_ = nullptr;
    created_ = 0;
    return false;
  }
  width_ = width;
  height_ = height;
  bitDepth_ = bitDepth;
  format_ = format;
  if (bitDepth_ == 0 && format_ != D3DFMT_UNKNOWN) {
    bool alpha = false;
    bitDepth_ = GetBitdepthFromFormat(format_, &alpha);
    hasAlpha_ = alpha;
  }
  created_ = 1;
  SetAutomaticTextureCoordinates();
  return true;
}

void EngTextureDX9::Release() {
  if (created_) {
    quad_.Destroy();
    is2D_ = coloured_ = withNormal_ = 0;
    // Our resources outlive their device safely, so the texture is released
    // whether or not a device exists: nothing is left behind.
    if (texture_) texture_->Release();
    texture_ = nullptr;
    created_ = 0;
  } else {
    created_ = 0;
    if (texture_) texture_->Release();
    ClearRecord();
  }
}

void EngTextureDX9::Destroy() {
  Release();
  quad_.Destroy();
}

// ---- The quad ------------------------------------------------------------------------------

bool EngTextureDX9::TextureBufferCreate(bool is2D) {
  if (quad_.IsCreated()) {
    DebugError("EngTextureDX9::TextureBufferCreate", "Buffer already created");
    return false;
  }
  is2D_ = is2D;
  coloured_ = 0;
  withNormal_ = 0;
  return quad_.Create(is2D ? EVBT_POS_TEX_2D : EVBT_POS_TEX, texture_);
}

bool EngTextureDX9::RecreateQuad(EngVertexBufferType type) {
  quad_.Destroy();
  if (!quad_.Create(type, texture_)) return false;
  if (placement_ == Placement::kRect) {
    quad_.SetPositionRect(quadX_, quadY_, quadW_, quadH_);
  } else if (placement_ == Placement::kCorners) {
    quad_.SetPositions3D(plane_, pointA_, pointB_);
  }
  if (!automaticCoords_) quad_.SetTextureCoordinates(u0_, v0_, u1_, v1_);
  if (TypeHasNormal(type) && withNormal_) quad_.SetNormal(normal_[0], normal_[1], normal_[2]);
  if (TypeHasColour(type) && coloured_) quad_.SetColour(colour_[0], colour_[1], colour_[2], colour_[3]);
  return true;
}

void EngTextureDX9::TextureBufferSetColour(float red, float green, float blue, float alpha) {
  const int type = quad_.GetType();
  if (type == EVBT_POS_TEX || type == EVBT_POS_NORM_TEX) {
    // Opaque white is what an uncoloured quad draws: no upgrade for it.
    if (red == 1.0f && green == 1.0f && blue == 1.0f && alpha == 1.0f) return;
    if (!RecreateQuad(type == EVBT_POS_TEX ? EVBT_POS_COL_TEX : EVBT_POS_NORM_COL_TEX)) return;
    coloured_ = 1;
  } else if (!TypeHasColour(type)) {
    DebugError("EngTextureDX9::TextureBufferSetColour", "Internal Error");
    return;
  }
  if (red >= 0.0f && green >= 0.0f && blue >= 0.0f) {
    colour_[0] = red;
    colour_[1] = green;
    colour_[2] = blue;
  }
  colour_[3] = alpha;
  quad_.SetColour(red, green, blue, alpha);
}

void EngTextureDX9::TextureBufferSetNormal(float x, float y, float z) {
  const int type = quad_.GetType();
  if (type == EVBT_POS_TEX || type == EVBT_POS_COL_TEX) {
    normal_[0] = x;
    normal_[1] = y;
    normal_[2] = z;
    withNormal_ = 1;
    if (!RecreateQuad(type == EVBT_POS_TEX ? EVBT_POS_NORM_TEX : EVBT_POS_NORM_COL_TEX)) {
      withNormal_ = 0;
      return;
    }
  } else if (!TypeHasNormal(type)) {
    DebugError("EngTextureDX9::TextureBufferSetNormal", "Internal Error");
    return;
  }
  normal_[0] = x;
  normal_[1] = y;
  normal_[2] = z;
  quad_.SetNormal(x, y, z);
}

// ---- Placing ---------------------------------------------------------------------------------

void EngTextureDX9::PositionPure(float x, float y, float w, float h) {
  if (!created_) return;
  if (!(w > 0.0f) || !(h > 0.0f)) {
    DebugError("EngTextureDX9::PositionPure", "Invalid sizes");
    return;
  }
  quadX_ = x;
  quadY_ = y;
  quadW_ = w;
  quadH_ = h;
  placement_ = Placement::kRect;
  quad_.SetPositionRect(x, y, w, h);
}

void EngTextureDX9::PositionRatioed(float x, float y, float w, float h) {
  if (!created_) return;
  if (w == 0.0f || h == 0.0f) {
    DebugError("EngTextureDX9::PositionRatioed", "Invalid sizes");
    return;
  }
  if (is2D_) {
    const EngScreenMode& mode = EngWindowGetScreenMode();
    quadX_ = x * mode.xScale;
    quadY_ = y * mode.yScale;
    quadW_ = w * mode.xScale;
    quadH_ = h * mode.yScale;
  } else {
    quadX_ = x / 320.0f - 1.0f;
    quadY_ = y / 240.0f - 1.0f;
    quadW_ = w / 320.0f;
    quadH_ = h / 240.0f;
  }
  placement_ = Placement::kRect;
  quad_.SetPositionRect(quadX_, quadY_, quadW_, quadH_);
}

void EngTextureDX9::PositionRatioedInt(int x, int y, int w, int h) {
  PositionRatioed(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                  static_cast<float>(h));
}

void EngTextureDX9::PositionRatioedFromRect(const EngFloatRect* rect) {
  if (rect) PositionRatioed(rect->x, rect->y, rect->w, rect->h);
}

void EngTextureDX9::SetPositions3D(int plane, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  if (!created_ || is2D_ || !a || !b) return;
  plane_ = plane;
  pointA_[0] = a->x;
  pointA_[1] = a->y;
  pointA_[2] = a->z;
  pointB_[0] = b->x;
  pointB_[1] = b->y;
  pointB_[2] = b->z;
  placement_ = Placement::kCorners;
  quad_.SetPositions3D(plane, pointA_, pointB_);
}

// ---- Texture coordinates -------------------------------------------------------------------

void EngTextureDX9::SetTextureCoordinates(float u0, float v0, float u1, float v1) {
  quad_.SetTextureCoordinates(u0, v0, u1, v1);
  u0_ = u0;
  v0_ = v0;
  u1_ = u1;
  v1_ = v1;
  automaticCoords_ = 0;
}

void EngTextureDX9::SetAutomaticTextureCoordinates() {
  if (width_ > 0 && height_ > 0) {
    u0_ = (1.0f / static_cast<float>(width_)) / 1.2f;
    v0_ = (1.0f / static_cast<float>(height_)) / 1.2f;
    u1_ = 1.0f - u0_;
    v1_ = 1.0f - v0_;
    automaticCoords_ = 1;
  } else {
    u0_ = v0_ = 0.0f;
    u1_ = v1_ = 1.0f;
    automaticCoords_ = 0;
  }
}

// ---- Colour and normal --------------------------------------------------------------------

void EngTextureDX9::SetColour(float red, float green, float blue, float alpha) {
  if (!created_ || is2D_ || !quad_.IsCreated()) return;
  TextureBufferSetColour(red, green, blue, alpha);
}

void EngTextureDX9::SetColourFromRecord(const EngColour* colour) {
  if (colour) {
    SetColour(colour->r, colour->g, colour->b, colour->a);
  } else {
    SetColour(1.0f, 1.0f, 1.0f, 1.0f);
  }
}

void EngTextureDX9::SetVertexColour(int corner, float red, float green, float blue, float alpha) {
  if (!created_ || is2D_ || !quad_.IsCreated()) return;
  if (!coloured_) {
    TextureBufferSetColour(0.0f, 0.0f, 0.0f, 1.0f);
    if (!coloured_) return;
  }
  quad_.SetVertexColour(corner, red, green, blue, alpha);
}

void EngTextureDX9::SetNormal(float x, float y, float z) {
  if (!created_ || is2D_ || !quad_.IsCreated()) return;
  TextureBufferSetNormal(x, y, z);
}

// ---- Drawing --------------------------------------------------------------------------------

void EngTextureDX9::Draw() {
  if (!created_) return;
  if (automaticCoords_) {
    quad_.SetTextureCoordinates(u0_, v0_, u1_, v1_);
    automaticCoords_ = 0;
  }
  if (texture_ && Device()) quad_.Draw();
}

void EngTextureDX9::DrawWithColour(float red, float green, float blue, float alpha) {
  if (!created_) return;
  SetColour(red, green, blue, alpha);
  Draw();
}

void EngTextureDX9::DrawWithTextureRect(const EngTextureCoords* coords) {
  if (!created_) return;
  if (coords) {
    SetTextureCoordinates(coords->u0, coords->v0, coords->u1, coords->v1);
  } else {
    ResetTextureCoordinates();
  }
  Draw();
}

void EngTextureDX9::DrawWithTextureCoordinates(float u0, float v0, float u1, float v1) {
  if (!created_) return;
  SetTextureCoordinates(u0, v0, u1, v1);
  Draw();
}

void EngTextureDX9::DrawWithTextureCoordinatesAndColour(float u0, float v0, float u1, float v1,
                                                        float red, float green, float blue,
                                                        float alpha) {
  if (!created_) return;
  SetTextureCoordinates(u0, v0, u1, v1);
  SetColour(red, green, blue, alpha);
  Draw();
}

void EngTextureDX9::DrawWithTextureCoordinatesAndColourRecord(float u0, float v0, float u1,
                                                              float v1, const EngColour* colour) {
  if (!created_) return;
  SetTextureCoordinates(u0, v0, u1, v1);
  SetColourFromRecord(colour);
  Draw();
}

void EngTextureDX9::DrawPositionRatioed(float x, float y, float w, float h) {
  if (!created_) return;
  PositionRatioed(x, y, w, h);
  Draw();
}

bool EngTextureDX9::SetDx9D3dDeviceTextureToTexture() {
  IDirect3DDevice9* device = Device();
  if (!created_ || !texture_ || !device) return false;
  return EngUtilsDX9_CheckResult("EngTextureDX9::SetDx9D3dDeviceTextureToTexture", "SetTexture",
                                 device->SetTexture(0, texture_));
}
