// EngTriangleList.h - n independent triangles in one vertex buffer, drawn as
// one triangle list, optionally textured, with per-triangle setters and
// range drawing that binds the texture only once for a run of ranges.
//
// Vertex types (their own numbering, 2-7):
//   2 position, uv (20 bytes, FVF 0x102)   5 position, colour, uv (24, 0x142)
//   3 position, normal, uv (32, 0x112)     6 position, normal, colour, uv (36, 0x152)
//   4 position, normal, colour (28, 0x52)  7 position, colour (16, 0x42)
// Triangle t is vertices 3t, 3t + 1, 3t + 2 (corners 0, 1, 2).
//
// The front-end operations forward to the Direct3D 9 side (the *_DX9
// operations, Engine/DX9/EngTriangleListDX9.cpp) while the main device type
// is 1; the Direct3D fields live in the object itself. Setters taking a
// triangle number refuse one not below the count ("Invalid Triangle %u
// (num=%u)").
//
// State: the object's fields; the buffer belongs to the device (destroy the
// list with the other graphics objects).
#pragma once

#include <cstdint>

class EngTexture;
struct EngColour;
class IDirect3DBaseTexture9;
class IDirect3DTexture9;
class IDirect3DVertexBuffer9;

class EngTriangleList {
 public:
  EngTriangleList() = default;
  ~EngTriangleList() { Destroy(); }
  EngTriangleList(const EngTriangleList&) = delete;
  EngTriangleList& operator=(const EngTriangleList&) = delete;

  // ---- Front-end ----
  // Type 2-7, texture or null (not owned), count above 0.
  bool Create(int vertexType, EngTexture* texture, unsigned triangleCount);
  void SetPositions(unsigned triangle, float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2,
                    float z2);
  // Corners in the virtual 640 x 480 space: x / 320 - 1, 1 - y / 240.
  void SetPositionsRatioed(unsigned triangle, float x0, float y0, float z0, float x1, float y1, float z1, float x2,
                           float y2, float z2);
  void SetTextureCoordinates(unsigned triangle, float u0, float v0, float u1, float v1, float u2, float v2);
  // Channels 0..1; any negative one: "Invalid values", nothing changes.
  void SetColour(unsigned triangle, float red, float green, float blue, float alpha);
  void SetColourFromRecord(unsigned triangle, const EngColour* colour);  // null: white
  void SetVertexColour(unsigned triangle, int corner, const EngColour* colour);
  void Draw();
  // Before a run of DrawRange calls.
  void BindStream();
  // Triangles first .. first + count - 1; a range beyond the list is refused
  // ("Invalid Range %u+%u (num=%u)") and draws nothing.
  void DrawRange(unsigned first, unsigned count);
  // After a run of DrawRange calls.
  void UnbindTexture();
  void Destroy();

  bool IsCreated() const { return created_; }
  unsigned GetTriangleCount() const { return count_; }
  int GetVertexType() const { return vertexType_; }
  IDirect3DVertexBuffer9* GetBuffer() const { return buffer_; }

  // ---- Direct3D 9 side ----
  void Clear_DX9();
  bool Create_DX9(int vertexType, EngTexture* texture, unsigned triangleCount);
  void SetPositions_DX9(unsigned triangle, float x0, float y0, float z0, float x1, float y1, float z1, float x2,
                        float y2, float z2);
  // Three corner points of 3 floats each.
  void SetPositionsP_DX9(unsigned triangle, const float* p0, const float* p1, const float* p2);
  void SetPositionsRatioed_DX9(unsigned triangle, float x0, float y0, float z0, float x1, float y1, float z1, float x2,
                               float y2, float z2);
  void SetTextureCoordinates_DX9(unsigned triangle, float u0, float v0, float u1, float v1, float u2, float v2);
  void SetColour_DX9(unsigned triangle, float red, float green, float blue, float alpha);
  void SetColourFromRecord_DX9(unsigned triangle, const EngColour* colour);
  void SetVertexColour_DX9(unsigned triangle, int corner, const EngColour* colour);
  void Draw_DX9();
  void BindStream_DX9();
  void DrawRange_DX9(unsigned first, unsigned count);
  void UnbindTexture_DX9();
  void Destroy_DX9();

 private:
  // Locks the whole buffer after checking the triangle number.
  std::uint8_t* Lock(const char* where, unsigned triangle);
  // colour: 0xAARRGGBB
  void WriteColour(std::uint8_t* data, unsigned vertex, std::uint32_t colour);

  bool created_ = false;
  int vertexType_ = 0;
  EngTexture* texture_ = nullptr;
  unsigned count_ = 0;
  unsigned stride_ = 0;
  IDirect3DBaseTexture9* boundTexture_ = nullptr;
  IDirect3DVertexBuffer9* buffer_ = nullptr;
  IDirect3DTexture9* d3dTexture_ = nullptr;
  std::uint32_t fvf_ = 0;  // the vertex layout's FVF code
};
