// EngVertexBufferDX9.h - the engine's one drawable primitive: a quad of four
// vertices in a vertex buffer, drawn as a two-triangle strip, in one of the
// nine layouts of EngVertexBufferType. Every setter writes straight into the
// buffer and remembers what it wrote, so repeating a value costs nothing.
//
// Vertex order (strip): 0 left-bottom, 1 left-top, 2 right-bottom, 3
// right-top. Corners of SetVertexColour run clockwise from the top left:
// corner 0 = vertex 1, 1 = vertex 3, 2 = vertex 2, 3 = vertex 0.
//
// 2D quads (types 7-9) are moved half a pixel outward on every side, so a
// rectangle (x, y, w, h) covers the pixel centres x .. x + w and y .. y + h,
// as the same quad does under Direct3D 9.
//
// State: the record's fields; the buffer belongs to the device and must be
// destroyed with the other graphics objects before the device goes.
#pragma once

#include "Engine/EngVertexBuffer.h"
#include "Platform/D3D9.h"

// Where the parts of one vertex lie in a layout: the stride, the FVF code
// and the byte offsets of normal, colour and texture coordinates (-1: the
// layout has none). The position is always at offset 0. The quads and the
// triangle lists each keep a table of these.
struct EngVertexLayoutDX9 {
  UINT stride;
  DWORD fvf;
  int normal;
  int colour;
  int uv;
};

class EngVertexBufferDX9 {
 public:
  EngVertexBufferDX9() = default;
  ~EngVertexBufferDX9() { Destroy(); }
  EngVertexBufferDX9(const EngVertexBufferDX9&) = delete;
  EngVertexBufferDX9& operator=(const EngVertexBufferDX9&) = delete;

  // False without a device, for a type outside 1-9 ("Invalid Type: %d") or
  // when the buffer cannot be made ("CreateVertexBuffer"). A created record
  // is destroyed first ("Warning - Already created"). The texture is bound
  // while drawing and not owned. Defaults: coordinates (0, 0, 1, 1), white
  // for coloured types, normal (0, 0, -1) for types with a normal.
  bool Create(int type, IDirect3DTexture9* texture);
  // Releases the buffer and clears every field (remembered values -1).
  void Destroy();

  // Pixels; skipped when unchanged.
  void SetPositionRect(float x, float y, float width, float height);
  // Virtual 640 x 480 space (scaled by the screen mode).
  void SetPositionRatioed(float x, float y, float width, float height);
  // 3D types: plane 0 (z = A.z), 1 (y = A.y), 2 (x = A.x) through corners A
  // and B; other selectors write nothing. 2D types report and write nothing.
  void SetPositions3D(int plane, const float* pointA, const float* pointB);
  void SetTextureCoordinates(float leftU, float topV, float rightU, float bottomV);
  void SetDefaultTextureCoordinates() { SetTextureCoordinates(0.0f, 0.0f, 1.0f, 1.0f); }
  // Channels 0..1 (clamped). A negative red, green or blue keeps the
  // remembered colour (white when none); alpha is always the given one.
  void SetColour(float red, float green, float blue, float alpha);
  // Corner 0-3; nothing for a corner above 3 or any negative component.
  void SetVertexColour(int corner, float red, float green, float blue, float alpha);
  void SetNormal(float x, float y, float z);
  // Binds the texture (when given), draws, unbinds. "Not setup" for type 0.
  void Draw();

  bool IsCreated() const { return created_; }
  int GetType() const { return type_; }
  UINT GetStride() const { return stride_; }
  DWORD GetFvf() const { return fvf_; }
  IDirect3DVertexBuffer9* GetBuffer() const { return buffer_; }
  IDirect3DTexture9* GetTexture() const { return texture_; }
  void SetTexture(IDirect3DTexture9* texture) { texture_ = texture; }

 private:
  void ForgetValues();
  // Locks the whole buffer; false (reported with the call name) on failure.
  bool LockAll(const char* caller, const char* call, BYTE** data);

  int type_ = 0;
  IDirect3DVertexBuffer9* buffer_ = nullptr;
  IDirect3DTexture9* texture_ = nullptr;
  UINT stride_ = 0;
  DWORD fvf_ = 0;
  float rect_[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
  float uv_[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
  float colour_[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
  float pointA_[3] = {-1.0f, -1.0f, -1.0f};
  float pointB_[3] = {-1.0f, -1.0f, -1.0f};
  int plane_ = -1;
  float normal_[3] = {-1.0f, -1.0f, -1.0f};
  bool created_ = false;
};

// A colour channel as a D3DCOLOR byte: clamped to 0..1 (NaN as 0), times 255,
// truncated.
DWORD EngVertexBufferDX9_ChannelByte(float value);
// 0xAARRGGBB of four channels made as above.
D3DCOLOR EngVertexBufferDX9_MakeColour(float red, float green, float blue, float alpha);
