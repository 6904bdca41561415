// EngTexture.h - the engine's texture handle, the picture-file kinds, and
// alpha made from brightness.
//
// A handle holds one pointer to its back-end texture (Direct3D 9:
// Engine/DX9/EngTextureDX9.h), made at construction when the main device
// type is 1 and otherwise on the first call that needs it. Every operation
// forwards its arguments unchanged while the main device type is 1 and the
// back end exists; otherwise it does nothing and answers false or 0. A
// texture is both a picture and a ready-to-draw quad (3D, or 2D in screen
// pixels); its back end reports its own failures.
//
// State: each handle's back-end pointer; the report counters of
// EngTexture::GetPixelAlphaFromBrightness (at most 20 reports a run).
#pragma once

#include <cstdint>

class EngTextureDX9;
struct EngColour;
struct D3DXVECTOR3;

// A rectangle x, y, w, h (virtual 640 x 480 units where a caller says so).
struct EngFloatRect {
  float x;
  float y;
  float w;
  float h;
};

// Texture coordinates of a quad: left u, top v, right u, bottom v.
struct EngTextureCoords {
  float u0;
  float v0;
  float u1;
  float v1;
};

// The kind of a picture file by its extension: "bmp" 1, "tga" 2, "jpg" 3,
// "png" 4, "dat" datKind, anything else 0. The name must be longer than 3
// characters with a '.' fourth from the end; letter case does not matter.
int EngTextureGetFileType(const char* name, int datKind);

class EngTexture {
 public:
  // Makes the back end at once when the main device type is 1.
  EngTexture();
  // Destroys and frees the back end.
  ~EngTexture();
  EngTexture(const EngTexture&) = delete;
  EngTexture& operator=(const EngTexture&) = delete;

  // Makes the back end when the main device type is 1 and it does not exist
  // ("No memory (DX9)" when it cannot be made). True when it exists.
  bool CreateBackEndIfNeeded();
  EngTextureDX9* GetDX9() const { return dx9_; }

  // The alpha byte of a texel under an alpha kind, m the brightest channel:
  //   0, 7  255                 3  m
  //   1     0                   4  0 below 32, (m - 32) x 8 to 63, then 255
  //   2     0 (the file's own alpha is meant: "Alpha from file specified")
  //   5     m x 8 below 32, then 255     6  the darkest channel
  //   other 0 ("Unknown alpha type %d")
  // Each report is made at most 20 times a run.
  static std::uint8_t GetPixelAlphaFromBrightness(int kind, std::uint8_t red, std::uint8_t green,
                                                  std::uint8_t blue);
  static void ResetReportCountsForTests();

  bool IsLoaded();
  int GetWidth();
  int GetHeight();
  // Loads a picture (a game path); with alpha the texture is A8R8G8B8 and its
  // alpha is made by alphaKind (2 and 7: as the file has it), else X8R8G8B8.
  bool LoadFromFile(const char* name, int withAlpha, int alphaKind);
  // As LoadFromFile, but only for names whose extension is bmp, tga, jpg or
  // png, or dat when datKind is one of those kinds (1-4).
  bool LoadFromFileUsingExt(const char* name, int withAlpha, int alphaKind, int datKind);
  // Empty textures drawn as a 3D quad / a 2D quad; the sides become those
  // the texture really has.
  bool CreateEmptyTexture(int* width, int* height, int withAlpha);
  bool CreateEmptyTexture2D(int* width, int* height, int withAlpha);
  // Binds the texture to stage 0 of the device.
  bool SetAsDeviceTexture();
  void Set3dDrawDir(int direction);
  void Release();

  // ---- The quad: placing, colouring and drawing (each as the back end's
  // operation of the same name, Engine/DX9/EngTextureDX9.h) ----
  void PositionPure(float x, float y, float w, float h);
  void PositionRatioed(float x, float y, float w, float h);
  void PositionRatioedInt(int x, int y, int w, int h);
  void PositionRatioedFromRect(const EngFloatRect* rect);
  void DrawPositionRatioed(float x, float y, float w, float h);
  void SetPositions3D(int plane, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
  void SetTextureCoordinates(float u0, float v0, float u1, float v1);
  void SetColour(float red, float green, float blue, float alpha);
  void SetColourFromRecord(const EngColour* colour);
  void SetVertexColour(int corner, float red, float green, float blue, float alpha);
  void SetNormal(float x, float y, float z);
  void Draw();
  void DrawWithColour(float red, float green, float blue, float alpha);
  void DrawWithTextureRect(const EngTextureCoords* coords);
  void DrawWithTextureCoordinatesAndColour(float u0, float v0, float u1, float v1, float red,
                                           float green, float blue, float alpha);
  void DrawWithTextureCoordinatesAndColourRecord(float u0, float v0, float u1, float v1,
                                                 const EngColour* colour);
  void DrawWithTextureCoordinates(float u0, float v0, float u1, float v1);

  // Copies a rectangle of another texture (whole pixels, or with blend its
  // alpha-weighted colour) into this one; sizes below 0 mean whole textures.
  bool CopyAlphaChannelFromAnotherTexture(EngTexture* source, float sourceX, float sourceY,
                                          float sourceW, float sourceH, float destX, float destY,
                                          float destW, float destH, int blend, int second);
  bool CopyAlphaChannelFromAnotherTextureInt(EngTexture* source, int sourceX, int sourceY,
                                             int sourceW, int sourceH, int destX, int destY,
                                             int destW, int destH, int blend, int second);
  // Sets the channels of a rectangle of texels (components below 0 are kept;
  // w or h below 0 mean the whole side).
  bool ColourRect(int x, int y, int w, int h, float red, float green, float blue, float alpha);

 private:
  // The back end when the main device type is 1 and it exists (made on demand).
  EngTextureDX9* BackEnd();

  EngTextureDX9* dx9_ = nullptr;
};
