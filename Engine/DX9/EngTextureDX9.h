// EngTextureDX9.h - the Direct3D 9 back end of every texture: one
// IDirect3DTexture9 of one level together with its own quad, so a texture
// is both a picture and a ready-to-draw rectangle.
//
// Made by the handle EngTexture (Engine/EngTexture.h) on demand, which
// forwards every call here. A texture is requested as A8R8G8B8 with alpha or
// X8R8G8B8 without; the record keeps the format level 0 reports, and every
// texel operation works from that, so 16-bit formats are handled wherever a
// texture reports one.
//
// Life: constructed (not created) -> created by a load or an empty creation
// -> released -> created again as often as needed -> destroyed with its
// handle. Loading or creating over a created texture releases the old one
// first, with a report. Every drawing and texel operation does nothing (or
// answers false) unless the texture is created.
//
// The quad starts in its cheapest layout (position and texture
// coordinates); the first colour that is not opaque white, and the first
// normal, re-create it with a colour or normal layout, keeping its corners
// and coordinates. Colours and normals are ignored on 2D quads.
//
// Files: EngTextureDX9.cpp (life, quad, drawing), EngTextureDX9Pixels.cpp
// (alpha from colour, texel rectangles, copies between textures),
// EngTextureDX9Texels.h/.cpp (16-bit codecs, format names).
#pragma once

#include <cstdint>

#include "Engine/DX9/EngTextureDX9Texels.h"
#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Platform/D3D9.h"

class EngTexture;
struct EngColour;
struct EngFloatRect;
struct EngTextureCoords;
struct D3DXVECTOR3;

class EngTextureDX9 {
 public:
  // Stores the owner (null for textures of no handle); not created.
  explicit EngTextureDX9(EngTexture* owner);
  ~EngTextureDX9() { Destroy(); }
  EngTextureDX9(const EngTextureDX9&) = delete;
  EngTextureDX9& operator=(const EngTextureDX9&) = delete;

  // ---- Creation and release ------------------------------------------------
  // Loads a picture (a game path; its bytes choose the decoder). False and
  // not created on failure: no device (silent), "No file specified",
  // "File does not exist <%s>", "Could not load <%s>". With alpha the alpha
  // channel is made by alphaKind unless it is 2 or 7 (the file's own).
  bool LoadFromFile(const char* name, int withAlpha, int alphaKind);
  // Only names of kinds 1-4 (EngTextureGetFileType, datKind for ".dat") are
  // loaded; others "Unknown extension in file <%s>". False without an owner.
  bool LoadFromFileUsingExt(const char* name, int withAlpha, int alphaKind, int datKind);
  // Empty textures (3D / 2D quad). On success *width and *height are the
  // sides the texture really has. False without a device or for sides < 1.
  bool CreateEmptyTexture(int* width, int* height, int withAlpha);
  bool CreateEmptyTexture2D(int* width, int* height, int withAlpha);
  // Releases the quad and the texture; not created afterwards.
  void Release();
  // Release, then the quad record is cleared.
  void Destroy();

  // ---- Placing the quad (ignored unless created) ----------------------------
  // World units; w and h must be above 0 ("Invalid sizes").
  void PositionPure(float x, float y, float w, float h);
  // Virtual 640 x 480 units (y down): 3D quads map them to -1..1 around the
  // centre, 2D quads to screen pixels. Only a 0 side is refused.
  void PositionRatioed(float x, float y, float w, float h);
  void PositionRatioedInt(int x, int y, int w, int h);
  void PositionRatioedFromRect(const EngFloatRect* rect);
  // 3D quads only; both points required.
  void SetPositions3D(int plane, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
  void Set3dDrawDir(int direction) { drawDir3D_ = static_cast<std::uint8_t>(direction); }

  // ---- Texture coordinates ----------------------------------------------------
  // Explicit coordinates; the automatic ones are off from now on.
  void SetTextureCoordinates(float u0, float v0, float u1, float v1);
  // An inset of 1/1.2 of a texel on every side, applied at the next draw
  // (0, 0, 1, 1 without a size).
  void SetAutomaticTextureCoordinates();
  void ResetTextureCoordinates() { SetAutomaticTextureCoordinates(); }

  // ---- Colour and normal (3D quads only) ----------------------------------------
  void SetColour(float red, float green, float blue, float alpha);
  void SetColourFromRecord(const EngColour* colour);  // null: opaque white
  // Corner 0-3 clockwise from the top left; the first use colours the whole
  // quad black first.
  void SetVertexColour(int corner, float red, float green, float blue, float alpha);
  void SetNormal(float x, float y, float z);

  // ---- Drawing (nothing unless created) ----------------------------------------
  void Draw();
  void DrawWithColour(float red, float green, float blue, float alpha);
  void DrawWithTextureRect(const EngTextureCoords* coords);  // null: automatic
  void DrawWithTextureCoordinates(float u0, float v0, float u1, float v1);
  void DrawWithTextureCoordinatesAndColour(float u0, float v0, float u1, float v1, float red,
                                           float green, float blue, float alpha);
  void DrawWithTextureCoordinatesAndColourRecord(float u0, float v0, float u1, float v1,
                                                 const EngColour* colour);
  void DrawPositionRatioed(float x, float y, float w, float h);
  // Binds the texture to stage 0 ("SetTexture" through the result check).
  bool SetDx9D3dDeviceTextureToTexture();

  // ---- Texels (EngTextureDX9Pixels.cpp) ----------------------------------------------
  // Locks / unlocks level 0 whole ("LockRect" through the result check).
  bool LockDxSurface(D3DLOCKED_RECT* locked);
  void UnlockDxSurface();
  // Replaces every texel's alpha by EngTexture::GetPixelAlphaFromBrightness
  // of its colour. A8R8G8B8, A1R5G5B5 and A4R4G4B4 only.
  bool SetupAlphaChannel(int alphaKind);
  // Sets the channels of a rectangle (components below 0 are kept; w or h
  // below 0: the whole side). X8R8G8B8 never gets its fourth byte written.
  bool ColourRect(int x, int y, int w, int h, float red, float green, float blue, float alpha);
  // operation 0 = set (the only one).
  bool TransformPixels(int operation, int x, int y, int w, int h, float red, float green,
                       float blue, float alpha);
  // A non-zero second flag is "Cps not implemeted yet"; otherwise
  // CopyPartOfAnotherTexture.
  bool CopyAlphaChannelFromAnotherTexture(EngTexture* source, float sourceX, float sourceY,
                                          float sourceW, float sourceH, float destX, float destY,
                                          float destW, float destH, int blend, int second);
  // Nearest-neighbour copy of a rectangle of source into one of this
  // texture; with blend the source alpha weighs the colours (see the .cpp).
  // Sizes below 0 mean whole textures. Formats must match (X8R8G8B8 and
  // A8R8G8B8 mix).
  bool CopyPartOfAnotherTexture(EngTexture* source, float sourceX, float sourceY, float sourceW,
                                float sourceH, float destX, float destY, float destW, float destH,
                                bool blend);

  // Bits per texel of a format ("Unrecognised format [%d]" and 0 for others).
  static int GetBitdepthFromFormat(D3DFORMAT format, bool* hasAlpha) {
    return EngTextureDX9_GetBitdepthFromFormat(format, hasAlpha);
  }

  // ---- Record -----------------------------------------------------------------------
  bool IsCreated() const { return created_ != 0; }
  EngTexture* GetOwner() const { return owner_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetBitDepth() const { return bitDepth_; }
  D3DFORMAT GetFormat() const { return format_; }
  bool HasAlpha() const { return hasAlpha_ != 0; }
  bool Is2D() const { return is2D_ != 0; }
  bool IsColoured() const { return coloured_ != 0; }
  bool HasNormal() const { return withNormal_ != 0; }
  bool HasAutomaticCoordinates() const { return automaticCoords_ != 0; }
  IDirect3DTexture9* GetD3DTexture() const { return texture_; }
  EngVertexBufferDX9& GetQuad() { return quad_; }
  void GetTextureCoordinates(float* u0, float* v0, float* u1, float* v1) const {
    *u0 = u0_;
    *v0 = v0_;
    *u1 = u1_;
    *v1 = v1_;
  }
  void GetQuadRect(float* x, float* y, float* w, float* h) const {
    *x = quadX_;
    *y = quadY_;
    *w = quadW_;
    *h = quadH_;
  }

 private:
  friend struct EngTextureDX9TestAccess;  // tests make textures of any reported format
  bool DoLoadFromFile(const char* name, int withAlpha, int alphaKind);
  bool DoCreateEmptyTexture(int* width, int* height, int withAlpha, bool is2D);
  bool DoFinaliseTextureCreation(int width, int height, int bitDepth, D3DFORMAT format, bool is2D);
  bool TextureBufferCreate(bool is2D);
  void TextureBufferSetColour(float red, float green, float blue, float alpha);
  void TextureBufferSetNormal(float x, float y, float z);
  // Re-creates the quad in a new layout, keeping corners, coordinates,
  // colour and normal. False (quad released) when that fails.
  bool RecreateQuad(EngVertexBufferType type);
  void ClearRecord();

  EngTexture* owner_;
  std::uint8_t created_ = 0;
  // Cleared together by ClearRecord (from here to the end).
  float quadX_ = 0, quadY_ = 0, quadW_ = 0, quadH_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::uint8_t automaticCoords_ = 0;
  float u0_ = 0, v0_ = 0, u1_ = 1, v1_ = 1;
  int bitDepth_ = 0;
  std::uint8_t drawDir3D_ = 0;
  D3DFORMAT format_ = D3DFMT_UNKNOWN;
  std::uint8_t hasAlpha_ = 0;
  IDirect3DTexture9* texture_ = nullptr;
  std::uint8_t is2D_ = 0;
  std::uint8_t coloured_ = 0;
  std::uint8_t withNormal_ = 0;
  EngVertexBufferDX9 quad_;
  // What this texture last gave its quad, to give it again when the quad is
  // re-created in another layout.
  enum class Placement { kNone, kRect, kCorners };
  Placement placement_ = Placement::kNone;
  int plane_ = -1;
  float pointA_[3] = {0, 0, 0};
  float pointB_[3] = {0, 0, 0};
  float colour_[4] = {1, 1, 1, 1};
  float normal_[3] = {0, 0, -1};
};
