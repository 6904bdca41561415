// EngTexture.cpp - the texture handle's forwarding, file kinds and alpha
// from brightness.
#include "Engine/EngTexture.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

#include "Engine/DX9/EngTextureDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngProgram.h"

namespace {

// Reports of GetPixelAlphaFromBrightness: at most 20 of each kind a run.
constexpr int kMaxAlphaReports = 20;
int g_alphaFromFileReports = 0;
int g_unknownAlphaReports = 0;

bool Direct3D() { return EngProgramGetMainDeviceType() == 1; }

}  // namespace

int EngTextureGetFileType(const char* name, int datKind) {
  if (!name) return 0;
  const std::size_t length = std::strlen(name);
  if (length <= 3 || name[length - 4] != '.') return 0;
  char extension[4];
  for (int i = 0; i < 3; ++i) {
    extension[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[length - 3 + i])));
  }
  extension[3] = '\0';
  if (std::strcmp(extension, "bmp") == 0) return 1;
  if (std::strcmp(extension, "tga") == 0) return 2;
  if (std::strcmp(extension, "jpg") == 0) return 3;
  if (std::strcmp(extension, "png") == 0) return 4;
  if (std::strcmp(extension, "dat") == 0) return datKind;
  return 0;
}

std::uint8_t EngTexture::GetPixelAlphaFromBrightness(int kind, std::uint8_t red,
                                                     std::uint8_t green, std::uint8_t blue) {
  const int brightest = std::max({red, green, blue});
  switch (kind) {
    case 0:
    case 7:
      return 255;
    case 1:
      return 0;
    case 2:
      if (g_alphaFromFileReports < kMaxAlphaReports) {
        ++g_alphaFromFileReports;
        DebugError("EngTexture::GetPixelAlphaFromBrightness", "Alpha from file specified");
      }
      return 0;
    case 3:
      return static_cast<std::uint8_t>(brightest);
    case 4:
      if (brightest < 32) return 0;
      if (brightest < 64) return static_cast<std::uint8_t>((brightest - 32) * 8);
      return 255;
    case 5:
      return brightest < 32 ? static_cast<std::uint8_t>(brightest * 8) : 255;
    case 6:
      return std::min({red, green, blue});
    default:
      if (g_unknownAlphaReports < kMaxAlphaReports) {
        ++g_unknownAlphaReports;
        DebugError("EngTexture::GetPixelAlphaFromBrightness", "Unknown alpha type %d", kind);
      }
      return 0;
  }
}

void EngTexture::ResetReportCountsForTests() { g_alphaFromFileReports = g_unknownAlphaReports = 0; }

// ---- Life ----------------------------------------------------------------------

EngTexture::EngTexture() {
  if (Direct3D()) CreateBackEndIfNeeded();
}

EngTexture::~EngTexture() {
  if (dx9_) {
    dx9_->Destroy();
    delete dx9_;
    dx9_ = nullptr;
  }
}

bool EngTexture::CreateBackEndIfNeeded() {
  if (dx9_) return true;
  if (!Direct3D()) return false;
  dx9_ = new (std::nothrow) EngTextureDX9(this);
  if (!dx9_) {
    DebugError("EngTexture::CreateBackEndIfNeeded", "No memory (DX9)");
    return false;
  }
  return true;
}

EngTextureDX9* EngTexture::BackEnd() {
  if (!Direct3D()) return nullptr;
  CreateBackEndIfNeeded();
  return dx9_;
}

// ---- Forwarding ------------------------------------------------------------------

bool EngTexture::IsLoaded() {
  EngTextureDX9* t = BackEnd();
  return t && t->IsCreated();
}
int EngTexture::GetWidth() {
  EngTextureDX9* t = BackEnd();
  return t ? t->GetWidth() : 0;
}
int EngTexture::GetHeight() {
  EngTextureDX9* t = BackEnd();
  return t ? t->GetHeight() : 0;
}
bool EngTexture::LoadFromFile(const char* name, int withAlpha, int alphaKind) {
  EngTextureDX9* t = BackEnd();
  return t && t->LoadFromFile(name, withAlpha, alphaKind);
}
bool EngTexture::LoadFromFileUsingExt(const char* name, int withAlpha, int alphaKind,
                                      int datKind) {
  EngTextureDX9* t = BackEnd();
  return t && t->LoadFromFileUsingExt(name, withAlpha, alphaKind, datKind);
}
bool EngTexture::CreateEmptyTexture(int* width, int* height, int withAlpha) {
  EngTextureDX9* t = BackEnd();
  return t && t->CreateEmptyTexture(width, height, withAlpha);
}
bool EngTexture::CreateEmptyTexture2D(int* width, int* height, int withAlpha) {
  EngTextureDX9* t = BackEnd();
  return t && t->CreateEmptyTexture2D(width, height, withAlpha);
}
bool EngTexture::SetAsDeviceTexture() {
  EngTextureDX9* t = BackEnd();
  return t && t->SetDx9D3dDeviceTextureToTexture();
}
void EngTexture::Set3dDrawDir(int direction) {
  if (EngTextureDX9* t = BackEnd()) t->Set3dDrawDir(direction);
}
void EngTexture::Release() {
  if (EngTextureDX9* t = BackEnd()) t->Release();
}
void EngTexture::PositionPure(float x, float y, float w, float h) {
  if (EngTextureDX9* t = BackEnd()) t->PositionPure(x, y, w, h);
}
void EngTexture::PositionRatioed(float x, float y, float w, float h) {
  if (EngTextureDX9* t = BackEnd()) t->PositionRatioed(x, y, w, h);
}
void EngTexture::PositionRatioedInt(int x, int y, int w, int h) {
  if (EngTextureDX9* t = BackEnd()) t->PositionRatioedInt(x, y, w, h);
}
void EngTexture::PositionRatioedFromRect(const EngFloatRect* rect) {
  if (EngTextureDX9* t = BackEnd()) t->PositionRatioedFromRect(rect);
}
void EngTexture::DrawPositionRatioed(float x, float y, float w, float h) {
  if (EngTextureDX9* t = BackEnd()) t->DrawPositionRatioed(x, y, w, h);
}
void EngTexture::SetPositions3D(int plane, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  if (EngTextureDX9* t = BackEnd()) t->SetPositions3D(plane, a, b);
}
void EngTexture::SetTextureCoordinates(float u0, float v0, float u1, float v1) {
  if (EngTextureDX9* t = BackEnd()) t->SetTextureCoordinates(u0, v0, u1, v1);
}
void EngTexture::SetColour(float red, float green, float blue, float alpha) {
  if (EngTextureDX9* t = BackEnd()) t->SetColour(red, green, blue, alpha);
}
void EngTexture::SetColourFromRecord(const EngColour* colour) {
  if (EngTextureDX9* t = BackEnd()) t->SetColourFromRecord(colour);
}
void EngTexture::SetVertexColour(int corner, float red, float green, float blue, float alpha) {
  if (EngTextureDX9* t = BackEnd()) t->SetVertexColour(corner, red, green, blue, alpha);
}
void EngTexture::SetNormal(float x, float y, float z) {
  if (EngTextureDX9* t = BackEnd()) t->SetNormal(x, y, z);
}
void EngTexture::Draw() {
  if (EngTextureDX9* t = BackEnd()) t->Draw();
}
void EngTexture::DrawWithColour(float red, float green, float blue, float alpha) {
  if (EngTextureDX9* t = BackEnd()) t->DrawWithColour(red, green, blue, alpha);
}
void EngTexture::DrawWithTextureRect(const EngTextureCoords* coords) {
  if (EngTextureDX9* t = BackEnd()) t->DrawWithTextureRect(coords);
}
void EngTexture::DrawWithTextureCoordinatesAndColour(float u0, float v0, float u1, float v1,
                                                     float red, float green, float blue,
                                                     float alpha) {
  if (EngTextureDX9* t = BackEnd())
    t->DrawWithTextureCoordinatesAndColour(u0, v0, u1, v1, red, green, blue, alpha);
}
void EngTexture::DrawWithTextureCoordinatesAndColourRecord(float u0, float v0, float u1, float v1,
                                                           const EngColour* colour) {
  if (EngTextureDX9* t = BackEnd())
    t->DrawWithTextureCoordinatesAndColourRecord(u0, v0, u1, v1, colour);
}
void EngTexture::DrawWithTextureCoordinates(float u0, float v0, float u1, float v1) {
  if (EngTextureDX9* t = BackEnd()) t->DrawWithTextureCoordinates(u0, v0, u1, v1);
}
bool EngTexture::CopyAlphaChannelFromAnotherTexture(EngTexture* source, float sourceX,
                                                    float sourceY, float sourceW, float sourceH,
                                                    float destX, float destY, float destW,
                                                    float destH, int blend, int second) {
  EngTextureDX9* t = BackEnd();
  return t && t->CopyAlphaChannelFromAnotherTexture(source, sourceX, sourceY, sourceW, sourceH,
                                                    destX, destY, destW, destH, blend, second);
}
bool EngTexture::CopyAlphaChannelFromAnotherTextureInt(EngTexture* source, int sourceX,
                                                       int sourceY, int sourceW, int sourceH,
                                                       int destX, int destY, int destW, int destH,
                                                       int blend, int second) {
  return CopyAlphaChannelFromAnotherTexture(
      source, static_cast<float>(sourceX), static_cast<float>(sourceY),
      static_cast<float>(sourceW), static_cast<float>(sourceH), static_cast<float>(destX),
      static_cast<float>(destY), static_cast<float>(destW), static_cast<float>(destH), blend,
      second);
}
bool EngTexture::ColourRect(int x, int y, int w, int h, float red, float green, float blue,
                            float alpha) {
  EngTextureDX9* t = BackEnd();
  return t && t->ColourRect(x, y, w, h, red, green, blue, alpha);
}
