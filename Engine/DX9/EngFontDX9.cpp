// EngFontDX9.cpp - the Direct3D 9 side of fonts: sheet textures and glyph
// quads made at creation, sheets uploaded when they are full, glyphs drawn,
// and the device state around drawing text.
//
// Glyph quads are 3D quads (position, colour, texture coordinates) drawn
// under an orthographic projection; with lighting on and the material as the
// diffuse source, the material's emissive colour is the text colour and its
// diffuse alpha the text's opacity.
#include <algorithm>
#include <new>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngFont.h"
#include "Engine/EngFontLocal.h"
#include "Engine/EngWindow.h"
#include "Platform/D3DXMath.h"
#include "Platform/ImageD3DX.h"

namespace {

IDirect3DDevice9* Device() { return EngDeviceDX9GetD3DDevice(); }

}  // namespace

bool EngFontDeviceExists() { return Device() != nullptr; }

bool EngFontGraphicsDeviceExists_DX9() { return Device() != nullptr && EngDeviceDX9GetCurrent(); }

float EngFontScreenHeight() { return static_cast<float>(EngWindowGetScreenMode().height); }

// ---- Creation -------------------------------------------------------------------------

bool EngFont::CreateListsDX9() {
  sheetTextures_ = new (std::nothrow) IDirect3DTexture9*[sheetCount_]();
  if (!sheetTextures_) {
    DebugError("EngFont::Create", "No memory for texture list");
    return false;
  }
  glyphQuads_ = new (std::nothrow) EngVertexBufferDX9[glyphCount_];
  if (!glyphQuads_) {
    DebugError("EngFont::Create", "No memory for vertex buffer list");
    return false;
  }
  return true;
}

void EngFont::ReleaseDX9() {
  delete[] glyphQuads_;  // each quad releases its buffer
  glyphQuads_ = nullptr;
  if (sheetTextures_) {
    for (int i = 0; i < sheetCount_; ++i) {
      if (sheetTextures_[i]) sheetTextures_[i]->Release();
    }
    delete[] sheetTextures_;
    sheetTextures_ = nullptr;
  }
}

void EngFont::ReleaseGlyphQuad(int code) {
  if (glyphQuads_ && code >= 0 && code < glyphCount_) glyphQuads_[code].Destroy();
}

bool EngFont::GlyphHasQuad(int code) const {
  return glyphQuads_ && code >= 0 && code < glyphCount_ && glyphQuads_[code].IsCreated();
}

bool EngFont::CreateTextureFromData_DX9(int code, int x, int y, const GlyphImage& image,
                                        float bitmapLeft, float bitmapTop, float pixelAdvance,
                                        float scaleX, float scaleY, float offsetY,
                                        bool quadsFinished) {
  static const char* const kWhere = "EngFont::CreateTextureFromData_DX9";
  if (!sheetOfChar_) {
    DebugError(kWhere, "Internal Error (1)");
    return false;
  }
  if (!glyphQuads_ || !glyphs_ || !sheetTextures_) {
    DebugError(kWhere, "Internal Error (2)");
    return false;
  }
  const int sheet = shelf_.sheetCount - 1;
  if (sheet < 0 || sheet >= sheetCount_) {
    DebugError(kWhere, "Internal Error (2)");
    return false;
  }
  const float size = static_cast<float>(sheetSize_);
  const float inset = static_cast<float>(effects_.border) * 0.5f / size;
  const float u0 = static_cast<float>(x) / size - inset;
  const float v0 = static_cast<float>(y) / size - inset;
  const float u1 = static_cast<float>(x + image.width) / size + inset;
  const float v1 = static_cast<float>(y + image.height) / size + inset;

  if (!sheetTextures_[sheet]) {
    D3DFORMAT format = D3DFMT_A8R8G8B8;
    EngUtilsDX9_GetSupportedSurfaceFormat(&format, true);
    sheetFormat_ = format;
    const HRESULT hr = D3DXCreateTexture(Device(), static_cast<UINT>(sheetSize_), static_cast<UINT>(sheetSize_),
                                         D3DX_DEFAULT, 0, format, D3DPOOL_MANAGED, &sheetTextures_[sheet]);
    if (!EngUtilsDX9_CheckResult("EngFont::CopySheetDataToTexture", "D3DXCreateTexture", hr)) {
      sheetTextures_[sheet] = nullptr;
      return false;
    }
  }
  EngVertexBufferDX9& quad = glyphQuads_[code];
  if (!quad.Create(EVBT_POS_COL_TEX, sheetTextures_[sheet])) return false;
  EngFontGlyph& glyph = glyphs_[code];
  glyph.xOffset = bitmapLeft * scaleX;
  glyph.yOffset = bitmapTop * scaleY + offsetY - height_;
  glyph.advance = pixelAdvance * scaleX;
  if (quadsFinished) {
    // A 3D quad grows downward from its top edge.
    quad.SetPositionRect(0.0f, 0.0f, static_cast<float>(image.width) * scaleX,
                         static_cast<float>(image.height) * scaleY);
    quad.SetTextureCoordinates(u0, v0, u1, v1);
  } else {
    DebugError(kWhere, "normal polygon order not finished");
  }
  return true;
}

bool EngFont::CopySheetDataToTexture(int sheet) {
  static const char* const kWhere = "EngFont::CopySheetDataToTexture";
  if (!sheetData_) return false;
  if (sheet < 0 || sheet >= sheetCount_) {
    DebugError(kWhere, "Invalid sheet num %d (%d)", sheet, sheetCount_);
    return false;
  }
  const int channels = twoChannels_ ? 2 : 1;
  BinomColor(channels, effects_.blurPassesSecond, effects_.blurPassesFirst, sheetSize_, sheetSize_,
             sheetData_, sheetSize_ * sheetSize_ * channels);
  if (!sheetTextures_) {
    DebugError(kWhere, "m_sheet_texs_dx9 = NULL");
    return false;
  }
  IDirect3DTexture9* texture = sheetTextures_[sheet];
  if (!texture) {
    DebugError(kWhere, "Sheet tex [%d] not created", sheet);
    return false;
  }
  D3DSURFACE_DESC desc{};
  if (!EngUtilsDX9_CheckResult(kWhere, "GetLevelDesc", texture->GetLevelDesc(0, &desc))) return false;
  D3DLOCKED_RECT locked{};
  if (!EngUtilsDX9_CheckResult(kWhere, "LockRect", texture->LockRect(0, &locked, nullptr, 0))) return false;
  const int bytesPerTexel = desc.Format == D3DFMT_A8R8G8B8 ? 4 : 2;
  const int rows = std::min(static_cast<int>(desc.Height), sheetSize_);
  const int columns = std::min(static_cast<int>(desc.Width), sheetSize_);
  for (int row = 0; row < rows; ++row) {
    auto* texels = static_cast<std::uint8_t*>(locked.pBits) + static_cast<std::ptrdiff_t>(row) * locked.Pitch;
    const std::uint8_t* pixel = sheetData_ + static_cast<std::size_t>(row) * sheetSize_ * channels;
    for (int column = 0; column < columns; ++column, pixel += channels) {
      const std::uint8_t l = channels == 2 ? pixel[0] : 255;
      const std::uint8_t a = channels == 2 ? pixel[1] : pixel[0];
      if (!EngFontEncodeSheetTexel(desc.Format, twoChannels_ != 0, l, a, texels + column * bytesPerTexel)) {
        DebugError(kWhere, "Unsupported format %lu", static_cast<unsigned long>(desc.Format));
        texture->UnlockRect(0);
        return false;
      }
    }
  }
  texture->UnlockRect(0);
  return true;
}

// ---- Drawing --------------------------------------------------------------------------------

void EngFont::DrawGlyph_DX9(int code, const D3DXMATRIX& glyphWorld) {
  EngDeviceDX9* device = EngDeviceDX9GetCurrent();
  if (!device || !GlyphHasQuad(code)) return;
  const D3DXMATRIX saved = device->GetWorld();
  const D3DXMATRIX world = glyphWorld * saved;
  device->SetWorldMatrixToDxMatrix(&world);
  glyphQuads_[code].Draw();
  device->SetWorldMatrixToDxMatrix(&saved);
}

bool EngFontReadyToDraw_DX9(const EngFontTextState& state) {
  static const char* const kWhere = "EngFont::DrawString";
  EngDeviceDX9* device = EngDeviceDX9GetCurrent();
  if (!device || !Device()) return false;
  if (!device->IsRendering()) {
    DebugError(kWhere, "Scene not on");
    return false;
  }
  if (!(state.prepared && state.preparedMode == 2) && !device->IsIn2DMode()) {
    DebugError(kWhere, "2D Not setup");
    return false;
  }
  if (!state.prepared) {
    DebugError(kWhere, "Not ready for drawings");
    return false;
  }
  return true;
}

void EngFontSetTextMaterial_DX9(const float* rgba) {
  IDirect3DDevice9* device = Device();
  if (!device) return;
  D3DMATERIAL9 material{};
  material.Diffuse = {0.0f, 0.0f, 0.0f, rgba[3]};
  material.Ambient = {0.0f, 0.0f, 0.0f, rgba[3]};
  material.Specular = {0.0f, 0.0f, 0.0f, rgba[3]};
  material.Emissive = {rgba[0], rgba[1], rgba[2], rgba[3]};
  material.Power = 0.0f;
  EngUtilsDX9_CheckResult("EngFont::DrawString", "SetMaterial", device->SetMaterial(&material));
}

void EngFontSetDefaultMaterial_DX9() {
  if (EngDeviceDX9* device = EngDeviceDX9GetCurrent()) device->SetMaterialToDefault();
}

// ---- Text render state ----------------------------------------------------------------------

void EngFontPrepareDevice_DX9(int mode, EngFontTextState* state) {
  EngDeviceDX9* device = EngDeviceDX9GetCurrent();
  IDirect3DDevice9* d3d = Device();
  if (!device || !d3d) return;
  if (mode != 2) state->twoDEnteredHere = device->PrepareFor2DIfNotPrepared(false);
  d3d->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
  state->lightingSwitchedHere = false;
  if (!device->IsLightingOn()) {
    device->EnableLighting();
    state->lightingSwitchedHere = true;
  }
  bool wasOff = false;
  device->EnableDiffuseAlphaModulationIfOff(&wasOff);
  state->alphaModulationSwitchedHere = wasOff;
  device->SaveOrRestoreBlendingState(true);
  device->EnableBlendingType(0);
  if (mode != 2) {
    device->PushAllMatrices();
    const EngScreenMode& screen = EngWindowGetScreenMode();
    const float width = mode == 1 ? 640.0f : static_cast<float>(screen.width);
    const float height = mode == 1 ? 480.0f : static_cast<float>(screen.height);
    D3DXMATRIX projection;
    D3DXMatrixOrthoOffCenterLH(&projection, 0.0f, width, 0.0f, height, -1.0f, 1.0f);
    device->SetProjectionMatrixToDxMatrix(&projection);
  }
  state->prepared = true;
  state->preparedMode = mode;
}

void EngFontRestoreDevice_DX9(EngFontTextState* state) {
  EngDeviceDX9* device = EngDeviceDX9GetCurrent();
  IDirect3DDevice9* d3d = Device();
  if (device && d3d) {
    if (state->preparedMode != 2) device->PopAllMatrices();
    if (state->alphaModulationSwitchedHere) device->DisableDiffuseAlphaModulation();
    device->SaveOrRestoreBlendingState(false);
    if (state->twoDEnteredHere) device->RestoreAfter2D();
    d3d->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    device->SetMaterialToDefault();
    if (state->lightingSwitchedHere) device->DisableLighting();
  }
  state->alphaModulationSwitchedHere = false;
  state->lightingSwitchedHere = false;
  state->twoDEnteredHere = false;
  state->prepared = false;
}
