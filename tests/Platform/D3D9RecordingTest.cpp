// Tests of the shared Direct3D pieces on the recording back end: the fixed
// format and multisample checks, resource lifetime and stale handles, lock
// rules, vertex layouts, injected failures and device loss; and the D3DX
// maths the camera code relies on.
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "Platform/D3D9Recording.h"
#include "Platform/D3DXMath.h"
#include "Platform/Window.h"

namespace {

class RecordingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    D3D9UseRecording();
    d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d_, nullptr);
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = 320;
    pp.BackBufferHeight = 200;
    pp.Windowed = TRUE;
    ASSERT_EQ(d3d_->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(1), 0, &pp, &device_), D3D_OK);
  }
  void TearDown() override {
    if (device_) device_->Release();
    d3d_->Release();
    D3D9SetFactory(nullptr);
  }
  IDirect3D9* d3d_ = nullptr;
  IDirect3DDevice9* device_ = nullptr;
};

}  // namespace

TEST_F(RecordingTest, TheFormatTableAndMultisampleLevels) {
  EXPECT_EQ(d3d_->GetAdapterModeCount(0, D3DFMT_X8R8G8B8), 4u);
  EXPECT_EQ(d3d_->GetAdapterModeCount(0, D3DFMT_R5G6B5), 0u);
  EXPECT_EQ(d3d_->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, TRUE), D3D_OK);
  EXPECT_EQ(d3d_->CheckDeviceType(0, D3DDEVTYPE_REF, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, TRUE), D3DERR_NOTAVAILABLE);
  EXPECT_EQ(d3d_->CheckDeviceType(0, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, D3DFMT_R5G6B5, FALSE), D3DERR_NOTAVAILABLE);
  for (D3DFORMAT depth : {D3DFMT_D24S8, D3DFMT_D24X8, D3DFMT_D16})
    EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, depth),
              D3D_OK);
  EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE,
                                    D3DFMT_D32),
            D3DERR_NOTAVAILABLE);
  DWORD levels = 0;
  EXPECT_EQ(d3d_->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE, D3DMULTISAMPLE_4_SAMPLES, &levels),
            D3D_OK);
  EXPECT_EQ(levels, 1u);
  EXPECT_EQ(d3d_->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE, D3DMULTISAMPLE_8_SAMPLES, &levels),
            D3DERR_NOTAVAILABLE);
  EXPECT_EQ(d3d_->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE, D3DMULTISAMPLE_NONMASKABLE,
                                             &levels),
            D3D_OK);
  EXPECT_EQ(levels, 2u);  // one per maskable type on offer
}

TEST_F(RecordingTest, VertexLayoutsFollowTheFvfBits) {
  const struct {
    DWORD fvf;
    UINT stride;
    int normal, diffuse, tex;
  } table[] = {{0x102, 20, -1, -1, 12}, {0x112, 32, 12, -1, 24}, {0x142, 24, -1, 12, 16}, {0x152, 36, 12, 24, 28},
               {0x1D2, 40, 12, 24, 32}, {0x42, 16, -1, 12, -1},  {0x104, 24, -1, -1, 16}, {0x144, 28, -1, 16, 20},
               {0x44, 20, -1, 16, -1},  {0x52, 28, 12, 24, -1}};
  for (const auto& row : table) {
    const FvfLayout l = D3D9FvfLayout(row.fvf);
    EXPECT_EQ(l.stride, row.stride) << std::hex << row.fvf;
    EXPECT_EQ(l.normal, row.normal) << std::hex << row.fvf;
    EXPECT_EQ(l.diffuse, row.diffuse) << std::hex << row.fvf;
    EXPECT_EQ(l.texCoord, row.tex) << std::hex << row.fvf;
  }
}

TEST_F(RecordingTest, BuffersLockInsideTheirBytesAndDrawsStayInsideTheBuffer) {
  IDirect3DVertexBuffer9* vb = nullptr;
  ASSERT_EQ(device_->CreateVertexBuffer(4 * 20, D3DUSAGE_WRITEONLY, 0x102, D3DPOOL_MANAGED, &vb, nullptr), D3D_OK);
  void* data = nullptr;
  EXPECT_EQ(vb->Lock(0, 0, &data, 0), D3D_OK);
  EXPECT_EQ(static_cast<BYTE*>(data)[79], 0);  // zero-filled
  EXPECT_EQ(vb->Lock(60, 20, &data, 0), D3D_OK);
  EXPECT_EQ(vb->Lock(70, 20, &data, 0), D3DERR_INVALIDCALL);
  device_->SetStreamSource(0, vb, 0, 20);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3D9LiveResourceCount(), 1);
  EXPECT_EQ(vb->Release(), 0u);
  EXPECT_EQ(D3D9LiveResourceCount(), 0);
}

TEST_F(RecordingTest, TexturesKeepTheirTexelsAndReportTheChangedRows) {
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(4, 3, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
  D3DSURFACE_DESC desc;
  ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
  EXPECT_EQ(desc.Width, 4u);
  EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
  const RECT rect{1, 1, 3, 3};
  D3DLOCKED_RECT locked;
  ASSERT_EQ(texture->LockRect(0, &locked, &rect, 0), D3D_OK);
  EXPECT_EQ(locked.Pitch, 16);
  const D3DCOLOR colour = 0x80112233;
  std::memcpy(locked.pBits, &colour, 4);
  EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);  // already locked
  ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
  EXPECT_EQ(D3D9RecordingRecorder().log.back(), "TextureUpload(0, 1, 3)");
  // The texel lies at row 1, column 1 as B, G, R, A.
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  const BYTE* texel = static_cast<const BYTE*>(locked.pBits) + 16 + 4;
  EXPECT_EQ(texel[0], 0x33);
  EXPECT_EQ(texel[2], 0x11);
  EXPECT_EQ(texel[3], 0x80);
  D3D9RecordingRecorder().Clear();
  texture->UnlockRect(0);
  EXPECT_TRUE(D3D9RecordingRecorder().log.empty());  // read-only: no upload
  texture->Release();
  EXPECT_EQ(device_->CreateTexture(8, 8, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &texture, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(texture, nullptr);
}

TEST_F(RecordingTest, ReleasingTheDeviceCountsAndStalesItsResources) {
  IDirect3DTexture9* texture = nullptr;
  IDirect3DIndexBuffer9* ib = nullptr;
  ASSERT_EQ(device_->CreateTexture(2, 2, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
  ASSERT_EQ(device_->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib, nullptr), D3D_OK);
  EXPECT_EQ(device_->Release(), 2u);
  device_ = nullptr;
  EXPECT_EQ(D3D9LiveDeviceCount(), 0);
  D3DLOCKED_RECT locked;
  EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
  D3DSURFACE_DESC desc;
  EXPECT_EQ(texture->GetLevelDesc(0, &desc), D3DERR_INVALIDCALL);
  texture->Release();
  ib->Release();
  EXPECT_EQ(D3D9LiveResourceCount(), 0);
}

TEST_F(RecordingTest, InjectedFailuresAndDeviceLoss) {
  D3D9Recorder& rec = D3D9RecordingRecorder();
  rec.FailCall("SetTransform", E_FAIL, 1, 2);  // the 2nd and 3rd calls fail
  D3DMATRIX m{};
  EXPECT_EQ(device_->SetTransform(D3DTS_WORLD, &m), D3D_OK);
  EXPECT_EQ(device_->SetTransform(D3DTS_WORLD, &m), E_FAIL);
  EXPECT_EQ(device_->SetTransform(D3DTS_WORLD, &m), E_FAIL);
  EXPECT_EQ(device_->SetTransform(D3DTS_WORLD, &m), D3D_OK);

  D3D9RecordingLoseDevice(2);
  EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  EXPECT_EQ(rec.Count("TestCooperativeLevel()"), 3);
}

TEST(D3DXMathTest, CameraMatricesAndTheirInverse) {
  const D3DXVECTOR3 eye(3, -4, 5), at(0, 0, 0), up(0, 0, 1);
  D3DXMATRIX view, inverse;
  D3DXMatrixLookAtRH(&view, &eye, &at, &up);
  // The eye maps to the origin and the target lies straight ahead (-z).
  D3DXVECTOR3 p;
  D3DXVec3TransformCoord(&p, &eye, &view);
  EXPECT_NEAR(D3DXVec3Length(&p), 0.0f, 1e-5f);
  D3DXVec3TransformCoord(&p, &at, &view);
  EXPECT_NEAR(p.x, 0.0f, 1e-5f);
  EXPECT_NEAR(p.y, 0.0f, 1e-5f);
  EXPECT_NEAR(p.z, -D3DXVec3Length(&eye), 1e-5f);
  ASSERT_NE(D3DXMatrixInverse(&inverse, nullptr, &view), nullptr);
  const D3DXMATRIX product = view * inverse;
  EXPECT_TRUE(D3DXMatrixIsIdentity(&product) || std::fabs(product._11 - 1) < 1e-5f);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(product.m[r][c], r == c ? 1.0f : 0.0f, 1e-5f);
  D3DXMATRIX singular{};
  EXPECT_EQ(D3DXMatrixInverse(&inverse, nullptr, &singular), nullptr);

  // Perspective: depth 0 at the near plane, 1 at the far one.
  D3DXMATRIX projection;
  D3DXMatrixPerspectiveFovRH(&projection, 0.7853982f, 2.0f, 1.0f, 10.0f);
  D3DXVECTOR3 nearPoint(0, 0, -1), farPoint(0, 0, -10);
  D3DXVec3TransformCoord(&p, &nearPoint, &projection);
  EXPECT_NEAR(p.z, 0.0f, 1e-6f);
  D3DXVec3TransformCoord(&p, &farPoint, &projection);
  EXPECT_NEAR(p.z, 1.0f, 1e-6f);
  EXPECT_NEAR(projection._22 / projection._11, 2.0f, 1e-6f);
}

TEST(D3DXMathTest, YawPitchRollIsRollThenPitchThenYaw) {
  const float angles[][3] = {{0.3f, -1.1f, 2.0f}, {1.5707964f, 0, 0}, {0, 0.7f, 0}, {-2.5f, 0.4f, -0.9f}};
  for (const auto& a : angles) {
    D3DXMATRIX combined, roll, pitch, yaw;
    D3DXMatrixRotationYawPitchRoll(&combined, a[0], a[1], a[2]);
    D3DXMatrixRotationZ(&roll, a[2]);
    D3DXMatrixRotationX(&pitch, a[1]);
    D3DXMatrixRotationY(&yaw, a[0]);
    const D3DXMATRIX product = roll * pitch * yaw;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) EXPECT_NEAR(combined.m[r][c], product.m[r][c], 1e-6f) << r << c;
  }
  // A quarter yaw turns +x onto -z (about +y, row vectors).
  D3DXMATRIX yaw;
  D3DXMatrixRotationYawPitchRoll(&yaw, 1.5707964f, 0, 0);
  D3DXVECTOR3 p(1, 0, 0);
  D3DXVec3TransformCoord(&p, &p, &yaw);
  EXPECT_NEAR(p.z, -1.0f, 1e-6f);
}
