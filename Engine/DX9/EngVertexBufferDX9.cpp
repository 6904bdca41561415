// EngVertexBufferDX9.cpp - the quad (see EngVertexBufferDX9.h).
//
//   type  stride  FVF    normal  colour  uv   (byte offsets; position at 0)
//   1     20      0x102  -       -       12
//   2     32      0x112  12      -       24
//   3     24      0x142  -       12      16
//   4     36      0x152  12      24      28
//   5     40      0x1D2  12      24      32   (specular word at 28, never written)
//   6     16      0x42   -       12      -
//   7     24      0x104  -       -       16   (x, y, z, rhw)
//   8     28      0x144  -       16      20
//   9     20      0x44   -       16      -
#include "Engine/DX9/EngVertexBufferDX9.h"

#include <algorithm>
#include <cstring>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngWindow.h"

namespace {

constexpr EngVertexLayoutDX9 kLayouts[10] = {
    {0, 0, -1, -1, -1},        {20, 0x102, -1, -1, 12}, {32, 0x112, 12, -1, 24}, {24, 0x142, -1, 12, 16},
    {36, 0x152, 12, 24, 28},   {40, 0x1D2, 12, 24, 32}, {16, 0x42, -1, 12, -1},  {24, 0x104, -1, -1, 16},
    {28, 0x144, -1, 16, 20},   {20, 0x44, -1, 16, -1},
};

// Lock names of the texture-coordinate setter, by type.
constexpr const char* kUvLockNames[10] = {
    "",    "Lock[EVBT_POS_TEX]", "Lock[EVBT_POS_NORM_TEX]", "Lock[EVBT_POS_COL_TEX]", "Lock[EVBT_POS_NORM_COL_TEX]",
    "Lock[EVBT_POS_NORM_COL_SPEC_TEX]", "", "Lock[EVBT_POS_TEX_2D]", "Lock[EVBT_POS_COL_TEX_2D]", ""};
constexpr const char* kNormalLockNames[10] = {
    "", "", "Lock[EVBT_POS_NORM_TEX]", "", "Lock[EVBT_POS_NORM_COL_TEX]", "Lock[EVBT_POS_NORM_COL_SPEC_TEX]", "", "", "",
    ""};

bool Is2D(int type) { return type >= 7 && type <= 9; }

void PutFloats(BYTE* at, const float* values, int count) { std::memcpy(at, values, sizeof(float) * count); }

}  // namespace

DWORD EngVertexBufferDX9_ChannelByte(float value) {
  if (!(value > 0.0f)) return 0;  // also NaN, which no clamp catches
  return static_cast<DWORD>(std::min(value, 1.0f) * 255.0f);
}

D3DCOLOR EngVertexBufferDX9_MakeColour(float red, float green, float blue, float alpha) {
  return (EngVertexBufferDX9_ChannelByte(alpha) << 24) | (EngVertexBufferDX9_ChannelByte(red) << 16) |
         (EngVertexBufferDX9_ChannelByte(green) << 8) | EngVertexBufferDX9_ChannelByte(blue);
}

void EngVertexBufferDX9::ForgetValues() {
  std::fill(std::begin(rect_), std::end(rect_), -1.0f);
  std::fill(std::begin(uv_), std::end(uv_), -1.0f);
  std::fill(std::begin(colour_), std::end(colour_), -1.0f);
  std::fill(std::begin(pointA_), std::end(pointA_), -1.0f);
  std::fill(std::begin(pointB_), std::end(pointB_), -1.0f);
  std::fill(std::begin(normal_), std::end(normal_), -1.0f);
  plane_ = -1;
}

bool EngVertexBufferDX9::LockAll(const char* caller, const char* call, BYTE** data) {
  void* p = nullptr;
  if (!EngUtilsDX9_CheckResult(caller, call, buffer_->Lock(0, 0, &p, 0))) return false;
  *data = static_cast<BYTE*>(p);
  return true;
}

bool EngVertexBufferDX9::Create(int type, IDirect3DTexture9* texture) {
  const char* where = "EngVertexBufferDX9::Create";
  IDirect3DDevice9* device = EngDeviceDX9GetD3DDevice();
  if (!device) return false;
  if (created_) {
    DebugError(where, "Warning - Already created");
    Destroy();
  }
  if (type < 1 || type > 9) {
    DebugError(where, "Invalid Type: %d", type);
    return false;
  }
  stride_ = kLayouts[type].stride;
  fvf_ = kLayouts[type].fvf;
  IDirect3DVertexBuffer9* buffer = nullptr;
  if (!EngUtilsDX9_CheckResult(where, "CreateVertexBuffer",
                               device->CreateVertexBuffer(4 * stride_, D3DUSAGE_WRITEONLY, fvf_, D3DPOOL_MANAGED,
                                                          &buffer, nullptr)) ||
      !buffer) {
    stride_ = 0;
    fvf_ = 0;
    return false;
  }
  type_ = type;
  buffer_ = buffer;
  created_ = true;
  ForgetValues();
  SetTextureCoordinates(0.0f, 0.0f, 1.0f, 1.0f);
  if (kLayouts[type].colour >= 0) SetColour(1.0f, 1.0f, 1.0f, 1.0f);
  if (kLayouts[type].normal >= 0) SetNormal(0.0f, 0.0f, -1.0f);
  plane_ = -1;
  texture_ = texture;
  return true;
}

void EngVertexBufferDX9::Destroy() {
  // A buffer whose device is gone only frees its memory, so it is always
  // released here.
  if (buffer_) buffer_->Release();
  buffer_ = nullptr;
  texture_ = nullptr;
  type_ = 0;
  stride_ = 0;
  fvf_ = 0;
  ForgetValues();
  created_ = false;
}

void EngVertexBufferDX9::SetPositionRect(float x, float y, float width, float height) {
  if (!created_ || !buffer_) return;
  if (rect_[0] == x && rect_[1] == y && rect_[2] == width && rect_[3] == height) return;
  BYTE* data = nullptr;
  if (!LockAll("EngVertexBufferDX9::SetPositionRect", "Lock", &data)) return;
  if (Is2D(type_)) {
    const float left = x - 0.5f, top = y - 0.5f, right = x + width + 0.5f, bottom = y + height + 0.5f;
    const float corners[4][4] = {{left, bottom, 0.0f, 1.0f}, {left, top, 0.0f, 1.0f},
                                 {right, bottom, 0.0f, 1.0f}, {right, top, 0.0f, 1.0f}};
    for (int v = 0; v < 4; ++v) PutFloats(data + v * stride_, corners[v], 4);
  } else {
    const float corners[4][3] = {{x, -(y + height), 0.0f}, {x, -y, 0.0f}, {x + width, -(y + height), 0.0f},
                                 {x + width, -y, 0.0f}};
    for (int v = 0; v < 4; ++v) PutFloats(data + v * stride_, corners[v], 3);
  }
  buffer_->Unlock();
  rect_[0] = x;
  rect_[1] = y;
  rect_[2] = width;
  rect_[3] = height;
  plane_ = -1;
}

void EngVertexBufferDX9::SetPositionRatioed(float x, float y, float width, float height) {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  SetPositionRect(x * mode.xScale, y * mode.yScale, width * mode.xScale, height * mode.yScale);
}

void EngVertexBufferDX9::SetPositions3D(int plane, const float* a, const float* b) {
  const char* where = "EngVertexBufferDX9::SetPositions3D";
  if (!created_ || !buffer_ || !a || !b) return;
  if (Is2D(type_)) {
    DebugError(where, "Not supported for 2D Textures (%d) (could be upgraded if needed)", type_ - 6);
    return;
  }
  if (plane == plane_ && std::equal(a, a + 3, pointA_) && std::equal(b, b + 3, pointB_)) return;
  float corners[4][3];
  bool write = true;
  switch (plane) {
    case 0: {
      const float c[4][3] = {{b[0], a[1], a[2]}, {b[0], b[1], a[2]}, {a[0], a[1], a[2]}, {a[0], b[1], a[2]}};
      std::memcpy(corners, c, sizeof(c));
      break;
    }
    case 1: {
      const float c[4][3] = {{b[0], a[1], a[2]}, {b[0], a[1], b[2]}, {a[0], a[1], a[2]}, {a[0], a[1], b[2]}};
      std::memcpy(corners, c, sizeof(c));
      break;
    }
    case 2: {
      const float c[4][3] = {{a[0], b[1], a[2]}, {a[0], b[1], b[2]}, {a[0], a[1], a[2]}, {a[0], a[1], b[2]}};
      std::memcpy(corners, c, sizeof(c));
      break;
    }
    default:
      write = false;
      break;
  }
  if (write) {
    BYTE* data = nullptr;
    if (!LockAll(where, "Lock", &data)) return;
    for (int v = 0; v < 4; ++v) PutFloats(data + v * stride_, corners[v], 3);
    buffer_->Unlock();
  }
  std::copy(a, a + 3, pointA_);
  std::copy(b, b + 3, pointB_);
  plane_ = plane;
  std::fill(std::begin(rect_), std::end(rect_), -1.0f);
}

void EngVertexBufferDX9::SetTextureCoordinates(float leftU, float topV, float rightU, float bottomV) {
  if (!created_ || !buffer_) return;
  if (uv_[0] == leftU && uv_[1] == topV && uv_[2] == rightU && uv_[3] == bottomV) return;
  const int offset = kLayouts[type_].uv;
  if (offset >= 0) {
    BYTE* data = nullptr;
    if (!LockAll("EngVertexBufferDX9::SetTextureCoordinates", kUvLockNames[type_], &data)) return;
    const float uv[4][2] = {{leftU, bottomV}, {leftU, topV}, {rightU, bottomV}, {rightU, topV}};
    for (int v = 0; v < 4; ++v) PutFloats(data + v * stride_ + offset, uv[v], 2);
    buffer_->Unlock();
  }
  uv_[0] = leftU;
  uv_[1] = topV;
  uv_[2] = rightU;
  uv_[3] = bottomV;
}

void EngVertexBufferDX9::SetColour(float red, float green, float blue, float alpha) {
  if (!created_ || !buffer_) return;
  const int offset = kLayouts[type_].colour;
  if (offset < 0) return;
  const bool given = red >= 0.0f && green >= 0.0f && blue >= 0.0f;
  if (!given) {
    red = colour_[0] < 0.0f ? 1.0f : colour_[0];
    green = colour_[1] < 0.0f ? 1.0f : colour_[1];
    blue = colour_[2] < 0.0f ? 1.0f : colour_[2];
  }
  const D3DCOLOR word = EngVertexBufferDX9_MakeColour(red, green, blue, alpha);
  BYTE* data = nullptr;
  if (!LockAll("EngVertexBufferDX9::SetColour", "Lock", &data)) return;
  for (int v = 0; v < 4; ++v) std::memcpy(data + v * stride_ + offset, &word, 4);
  buffer_->Unlock();
  if (given) {
    colour_[0] = red;
    colour_[1] = green;
    colour_[2] = blue;
  }
  colour_[3] = alpha;
}

void EngVertexBufferDX9::SetVertexColour(int corner, float red, float green, float blue, float alpha) {
  if (!created_ || !buffer_) return;
  if (corner < 0 || corner > 3 || red < 0.0f || green < 0.0f || blue < 0.0f || alpha < 0.0f) return;
  const int offset = kLayouts[type_].colour;
  if (offset < 0) return;
  constexpr int kVertexOfCorner[4] = {1, 3, 2, 0};
  const D3DCOLOR word = EngVertexBufferDX9_MakeColour(red, green, blue, alpha);
  BYTE* data = nullptr;
  if (!LockAll("EngVertexBufferDX9::SetVertexColour", "Lock", &data)) return;
  std::memcpy(data + kVertexOfCorner[corner] * stride_ + offset, &word, 4);
  buffer_->Unlock();
}

void EngVertexBufferDX9::SetNormal(float x, float y, float z) {
  if (!created_ || !buffer_) return;
  if (normal_[0] == x && normal_[1] == y && normal_[2] == z) return;
  const int offset = kLayouts[type_].normal;
  if (offset < 0) return;
  BYTE* data = nullptr;
  if (!LockAll("EngVertexBufferDX9::SetNormal", kNormalLockNames[type_], &data)) return;
  const float n[3] = {x, y, z};
  for (int v = 0; v < 4; ++v) PutFloats(data + v * stride_ + offset, n, 3);
  buffer_->Unlock();
  normal_[0] = x;
  normal_[1] = y;
  normal_[2] = z;
}

void EngVertexBufferDX9::Draw() {
  IDirect3DDevice9* device = EngDeviceDX9GetD3DDevice();
  if (!device) return;
  if (type_ == 0) {
    DebugError("EngVertexBufferDX9::Draw", "Not setup");
    return;
  }
  if (!created_ || !buffer_) return;
  if (texture_) device->SetTexture(0, texture_);
  device->SetFVF(fvf_);
  device->SetStreamSource(0, buffer_, 0, stride_);
  device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
  if (texture_) device->SetTexture(0, nullptr);
}
