// EngTriangleListDX9.cpp - the Direct3D 9 side of EngTriangleList (see
// Engine/EngTriangleList.h).
//
//   type  stride  FVF    normal  colour  uv   (byte offsets; position at 0)
//   2     20      0x102  -       -       12
//   3     32      0x112  12      -       24
//   4     28      0x52   12      24      -
//   5     24      0x142  -       12      16
//   6     36      0x152  12      24      28
//   7     16      0x42   -       12      -
#include <cstring>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngTextureDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngColour.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTriangleList.h"

namespace {

constexpr EngVertexLayoutDX9 kLayouts[8] = {
    {0, 0, -1, -1, -1},     {0, 0, -1, -1, -1},      {20, 0x102, -1, -1, 12}, {32, 0x112, 12, -1, 24},
    {28, 0x52, 12, 24, -1}, {24, 0x142, -1, 12, 16}, {36, 0x152, 12, 24, 28}, {16, 0x42, -1, 12, -1},
};

IDirect3DDevice9* Dev() { return EngDeviceDX9GetD3DDevice(); }

}  // namespace

void EngTriangleList::Clear_DX9() {
  buffer_ = nullptr;
  boundTexture_ = nullptr;
}

bool EngTriangleList::Create_DX9(int vertexType, EngTexture* texture, unsigned triangleCount) {
  const char* where = "EngTriangleList::Create_DX9";
  if (!Dev()) return false;
  if (created_) {
    DebugError(where, "Warning - Already created");
    Destroy_DX9();
  }
  if (triangleCount == 0) {
    DebugError(where, "Invalid num triangles");
    return false;
  }
  if (vertexType < 2 || vertexType > 7) {
    DebugError(where, "Invalid Type: %d", vertexType);
    return false;
  }
  if (buffer_) {
    buffer_->Release();
    buffer_ = nullptr;
  }
  stride_ = kLayouts[vertexType].stride;
  fvf_ = kLayouts[vertexType].fvf;
  IDirect3DVertexBuffer9* buffer = nullptr;
  if (!EngUtilsDX9_CheckResult(where, "CreateVertexBuffer",
                               Dev()->CreateVertexBuffer(stride_ * triangleCount * 3, D3DUSAGE_WRITEONLY, fvf_,
                                                         D3DPOOL_MANAGED, &buffer, nullptr)) ||
      !buffer)
    return false;
  buffer_ = buffer;
  vertexType_ = vertexType;
  count_ = triangleCount;
  created_ = true;
  boundTexture_ = nullptr;
  for (unsigned t = 0; t < count_; ++t) {
    SetTextureCoordinates_DX9(t, 0.0f, 0.0f, 0.5f, 1.0f, 1.0f, 0.0f);
    if (vertexType >= 4) SetColour_DX9(t, 1.0f, 1.0f, 1.0f, 1.0f);
  }
  texture_ = texture;
  d3dTexture_ = nullptr;
  if (texture && texture->GetDX9()) d3dTexture_ = texture->GetDX9()->GetD3DTexture();
  return true;
}

std::uint8_t* EngTriangleList::Lock(const char* where, unsigned triangle) {
  if (!created_ || !buffer_) return nullptr;
  if (triangle >= count_) {
    DebugError(where, "Invalid Triangle %u (num=%u)", triangle, count_);
    return nullptr;
  }
  void* data = nullptr;
  if (!EngUtilsDX9_CheckResult(where, "Lock", buffer_->Lock(0, 0, &data, 0))) return nullptr;
  return static_cast<std::uint8_t*>(data);
}

void EngTriangleList::WriteColour(std::uint8_t* data, unsigned vertex, std::uint32_t colour) {
  std::memcpy(data + static_cast<std::size_t>(vertex) * stride_ + kLayouts[vertexType_].colour, &colour, 4);
}

void EngTriangleList::SetPositionsP_DX9(unsigned triangle, const float* p0, const float* p1, const float* p2) {
  if (!p0 || !p1 || !p2) return;
  BYTE* data = Lock("EngTriangleList::SetPositions_DX9", triangle);
  if (!data) return;
  const float* corners[3] = {p0, p1, p2};
  for (unsigned c = 0; c < 3; ++c)
    std::memcpy(data + static_cast<std::size_t>(triangle * 3 + c) * stride_, corners[c], 3 * sizeof(float));
  buffer_->Unlock();
}

void EngTriangleList::SetPositions_DX9(unsigned triangle, float x0, float y0, float z0, float x1, float y1, float z1,
                                       float x2, float y2, float z2) {
  const float p0[3] = {x0, y0, z0}, p1[3] = {x1, y1, z1}, p2[3] = {x2, y2, z2};
  SetPositionsP_DX9(triangle, p0, p1, p2);
}

void EngTriangleList::SetPositionsRatioed_DX9(unsigned triangle, float x0, float y0, float z0, float x1, float y1,
                                              float z1, float x2, float y2, float z2) {
  SetPositions_DX9(triangle, x0 / 320.0f - 1.0f, 1.0f - y0 / 240.0f, z0, x1 / 320.0f - 1.0f, 1.0f - y1 / 240.0f, z1,
                   x2 / 320.0f - 1.0f, 1.0f - y2 / 240.0f, z2);
}

void EngTriangleList::SetTextureCoordinates_DX9(unsigned triangle, float u0, float v0, float u1, float v1, float u2,
                                                float v2) {
  if (!created_ || kLayouts[vertexType_].uv < 0) return;
  BYTE* data = Lock("EngTriangleList::SetTextureCoordinates_DX9", triangle);
  if (!data) return;
  const float uv[3][2] = {{u0, v0}, {u1, v1}, {u2, v2}};
  for (unsigned c = 0; c < 3; ++c)
    std::memcpy(data + static_cast<std::size_t>(triangle * 3 + c) * stride_ + kLayouts[vertexType_].uv, uv[c],
                2 * sizeof(float));
  buffer_->Unlock();
}

void EngTriangleList::SetColour_DX9(unsigned triangle, float red, float green, float blue, float alpha) {
  const char* where = "EngTriangleList::SetColour_DX9";
  if (!created_ || kLayouts[vertexType_].colour < 0) return;
  if (red < 0.0f || green < 0.0f || blue < 0.0f || alpha < 0.0f) {
    DebugError(where, "Invalid values");
    return;
  }
  BYTE* data = Lock(where, triangle);
  if (!data) return;
  const D3DCOLOR colour = EngVertexBufferDX9_MakeColour(red, green, blue, alpha);
  for (unsigned c = 0; c < 3; ++c) WriteColour(data, triangle * 3 + c, colour);
  buffer_->Unlock();
}

void EngTriangleList::SetColourFromRecord_DX9(unsigned triangle, const EngColour* colour) {
  if (!colour) {
    SetColour_DX9(triangle, 1.0f, 1.0f, 1.0f, 1.0f);
    return;
  }
  SetColour_DX9(triangle, colour->r, colour->g, colour->b, colour->a);
}

void EngTriangleList::SetVertexColour_DX9(unsigned triangle, int corner, const EngColour* colour) {
  const char* where = "EngTriangleList::SetVertexColour_DX9";
  if (!created_ || kLayouts[vertexType_].colour < 0 || corner < 0 || corner > 2 || !colour) return;
  BYTE* data = Lock(where, triangle);
  if (!data) return;
  WriteColour(data, triangle * 3 + static_cast<unsigned>(corner),
              EngVertexBufferDX9_MakeColour(colour->r, colour->g, colour->b, colour->a));
  buffer_->Unlock();
}

void EngTriangleList::Draw_DX9() {
  if (!created_ || !buffer_ || !Dev()) return;
  if (d3dTexture_) Dev()->SetTexture(0, d3dTexture_);
  Dev()->SetFVF(fvf_);
  Dev()->SetStreamSource(0, buffer_, 0, stride_);
  Dev()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, count_);
  if (d3dTexture_) Dev()->SetTexture(0, nullptr);
}

void EngTriangleList::BindStream_DX9() {
  if (!created_ || !buffer_ || !Dev()) return;
  Dev()->SetFVF(fvf_);
  Dev()->SetStreamSource(0, buffer_, 0, stride_);
  boundTexture_ = nullptr;
}

void EngTriangleList::DrawRange_DX9(unsigned first, unsigned count) {
  if (!created_ || !buffer_ || !Dev()) return;
  if (count == 0 || first >= count_ || count > count_ - first) {
    DebugError("EngTriangleList::DrawRange_DX9", "Invalid Range %u+%u (num=%u)", first, count, count_);
    return;
  }
  if (d3dTexture_) {
    if (boundTexture_ != d3dTexture_) {
      Dev()->SetTexture(0, d3dTexture_);
      boundTexture_ = d3dTexture_;
    }
  } else if (boundTexture_) {
    Dev()->SetTexture(0, nullptr);
    boundTexture_ = nullptr;
  }
  Dev()->DrawPrimitive(D3DPT_TRIANGLELIST, first * 3, count);
}

void EngTriangleList::UnbindTexture_DX9() {
  if (d3dTexture_ && Dev()) Dev()->SetTexture(0, nullptr);
  boundTexture_ = nullptr;
}

void EngTriangleList::Destroy_DX9() {
  if (created_ && buffer_) buffer_->Release();
  buffer_ = nullptr;
  created_ = false;
}
