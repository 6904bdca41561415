// EngTriangleList.cpp - the triangle-list front-end: each operation forwards
// to its *_DX9 side while the main device type is 1 (see EngTriangleList.h).
#include "Engine/EngTriangleList.h"

#include "Engine/EngProgram.h"

namespace {
bool Dx9() { return EngProgramGetMainDeviceType() == 1; }
}  // namespace

bool EngTriangleList::Create(int vertexType, EngTexture* texture, unsigned triangleCount) {
  return Dx9() && Create_DX9(vertexType, texture, triangleCount);
}

void EngTriangleList::SetPositions(unsigned triangle, float x0, float y0, float z0, float x1, float y1, float z1,
                                   float x2, float y2, float z2) {
  if (Dx9()) SetPositions_DX9(triangle, x0, y0, z0, x1, y1, z1, x2, y2, z2);
}

void EngTriangleList::SetPositionsRatioed(unsigned triangle, float x0, float y0, float z0, float x1, float y1,
                                          float z1, float x2, float y2, float z2) {
  if (Dx9()) SetPositionsRatioed_DX9(triangle, x0, y0, z0, x1, y1, z1, x2, y2, z2);
}

void EngTriangleList::SetTextureCoordinates(unsigned triangle, float u0, float v0, float u1, float v1, float u2,
                                            float v2) {
  if (Dx9()) SetTextureCoordinates_DX9(triangle, u0, v0, u1, v1, u2, v2);
}

void EngTriangleList::SetColour(unsigned triangle, float red, float green, float blue, float alpha) {
  if (Dx9()) SetColour_DX9(triangle, red, green, blue, alpha);
}

void EngTriangleList::SetColourFromRecord(unsigned triangle, const EngColour* colour) {
  if (Dx9()) SetColourFromRecord_DX9(triangle, colour);
}

void EngTriangleList::SetVertexColour(unsigned triangle, int corner, const EngColour* colour) {
  if (Dx9()) SetVertexColour_DX9(triangle, corner, colour);
}

void EngTriangleList::Draw() {
  if (Dx9()) Draw_DX9();
}

void EngTriangleList::BindStream() {
  if (Dx9()) BindStream_DX9();
}

void EngTriangleList::DrawRange(unsigned first, unsigned count) {
  if (Dx9()) DrawRange_DX9(first, count);
}

void EngTriangleList::UnbindTexture() {
  if (Dx9()) UnbindTexture_DX9();
}

void EngTriangleList::Destroy() {
  // Always release: a list must not keep its buffer after a device change.
  Destroy_DX9();
}
