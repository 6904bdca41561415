// Pixel tests of the GL device: a real window and an OpenGL context (Mesa
// under Xvfb), pictures read back with glReadPixels. Runs on an X server of
// its own (tests/Support/XServer.h).
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/D3D9GL.h"
#include "Platform/D3DXMath.h"
#include "Platform/Window.h"
#include "tests/Support/XServer.h"

namespace {

constexpr int kSize = 64;

struct ColourVertex2D {
  float x, y, z, rhw;
  D3DCOLOR colour;
};
struct ColourVertex3D {
  float x, y, z;
  D3DCOLOR colour;
};
struct TexVertex2D {
  float x, y, z, rhw;
  float u, v;
};

LRESULT CALLBACK_Quiet(HWND, UINT, WPARAM, LPARAM) { return 0; }

class GLPixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    PlatformUseHeadlessWindows(false);
    D3D9SetFactory(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = CALLBACK_Quiet;
    wc.lpszClassName = "PixelTest";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, "PixelTest", "Pixel test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kSize, kSize,
                              nullptr, nullptr, nullptr, nullptr);
    if (!window_) {
      GTEST_SKIP() << "no display for GL windows";
    }
    d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d_, nullptr);
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = kSize;
    pp.BackBufferHeight = kSize;
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.Windowed = TRUE;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D24S8;
    pp.hDeviceWindow = window_;
    ASSERT_EQ(d3d_->CreateDevice(0, D3DDEVTYPE_HAL, window_, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device_),
              D3D_OK);
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    Clear(0xFF000000);
  }

  void TearDown() override {
    if (device_) {
      EXPECT_EQ(device_->Release(), 0u);
    }
    if (d3d_) d3d_->Release();
    PlatformResetWindowsForTests();
  }

  void Clear(D3DCOLOR colour) { device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0f, 0); }

  std::uint32_t Pixel(int x, int y) {
    std::vector<std::uint32_t> p;
    EXPECT_TRUE(D3D9GLReadPixels(x, y, 1, 1, &p));
    return p.empty() ? 0 : p[0] & 0xFFFFFF;
  }

  // A quad as the engine lays out a 2D rectangle (x, y, w, h), half a pixel outward.
  void DrawRect2D(float x, float y, float w, float h, D3DCOLOR colour, float z = 0.0f) {
    const ColourVertex2D v[4] = {{x - 0.5f, y + h + 0.5f, z, 1, colour},
                                 {x - 0.5f, y - 0.5f, z, 1, colour},
                                 {x + w + 0.5f, y + h + 0.5f, z, 1, colour},
                                 {x + w + 0.5f, y - 0.5f, z, 1, colour}};
    device_->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ColourVertex2D)), D3D_OK);
  }

  // A right-handed camera at the origin looking down -z (45 degrees, square).
  void LookDownMinusZ() {
    D3DXMATRIX projection, identity;
    D3DXMatrixPerspectiveFovRH(&projection, 0.7853982f, 1.0f, 0.1f, 100.0f);
    D3DXMatrixIdentity(&identity);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
    device_->SetTransform(D3DTS_VIEW, &identity);
    device_->SetTransform(D3DTS_WORLD, &identity);
  }

  // A 3D quad of the engine's vertex order (left-bottom, left-top,
  // right-bottom, right-top) at depth z, seen by a right-handed camera at the
  // origin looking down -z.
  void DrawQuad3D(float half, float z, D3DCOLOR colour) {
    LookDownMinusZ();
    const ColourVertex3D v[4] = {{-half, -half, z, colour}, {-half, half, z, colour}, {half, -half, z, colour},
                                 {half, half, z, colour}};
    device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ColourVertex3D)), D3D_OK);
  }

  HWND window_ = nullptr;
  IDirect3D9* d3d_ = nullptr;
  IDirect3DDevice9* device_ = nullptr;
};

}  // namespace

TEST_F(GLPixelTest, ClearingInsideAViewportLeavesTheRest) {
  Clear(0xFF0000FF);
  const D3DVIEWPORT9 vp{16, 8, 32, 24, 0.0f, 1.0f};
  ASSERT_EQ(device_->SetViewport(&vp), D3D_OK);
  Clear(0xFFFF0000);
  EXPECT_EQ(Pixel(16, 8), 0xFF0000u);
  EXPECT_EQ(Pixel(47, 31), 0xFF0000u);
  EXPECT_EQ(Pixel(15, 8), 0x0000FFu);
  EXPECT_EQ(Pixel(16, 7), 0x0000FFu);
  EXPECT_EQ(Pixel(48, 31), 0x0000FFu);
  EXPECT_EQ(Pixel(16, 32), 0x0000FFu);
}

TEST_F(GLPixelTest, ATwoDQuadCoversItsPixelCentres) {
  DrawRect2D(10, 20, 10, 5, 0xFF00FF00);
  // Outset by half a pixel, (10, 20, 10, 5) covers the centres 10..20 and 20..25.
  for (int x : {10, 15, 20}) EXPECT_EQ(Pixel(x, 22), 0x00FF00u) << x;
  for (int y : {20, 25}) EXPECT_EQ(Pixel(12, y), 0x00FF00u) << y;
  EXPECT_EQ(Pixel(9, 22), 0u);
  EXPECT_EQ(Pixel(21, 22), 0u);
  EXPECT_EQ(Pixel(12, 19), 0u);
  EXPECT_EQ(Pixel(12, 26), 0u);
}

TEST_F(GLPixelTest, TheDefaultCullingKeepsTwoDAndThreeDQuads) {
  DWORD cull = 0;
  device_->GetRenderState(D3DRS_CULLMODE, &cull);
  EXPECT_EQ(cull, static_cast<DWORD>(D3DCULL_CCW));
  DrawRect2D(2, 2, 10, 10, 0xFFFF0000);
  DrawQuad3D(0.5f, -3.0f, 0xFF00FF00);
  EXPECT_EQ(Pixel(6, 6), 0xFF0000u);
  EXPECT_EQ(Pixel(32, 32), 0x00FF00u);
  // Seen from behind (the order mirrored) a 3D quad is culled.
  Clear(0xFF000000);
  D3DXMATRIX mirror;
  D3DXMatrixScaling(&mirror, -1.0f, 1.0f, 1.0f);
  DrawQuad3D(0.5f, -3.0f, 0xFF00FF00);
  device_->SetTransform(D3DTS_WORLD, &mirror);
  const ColourVertex3D v[4] = {{-0.5f, -0.5f, -3, 0xFF0000FF}, {-0.5f, 0.5f, -3, 0xFF0000FF},
                               {0.5f, -0.5f, -3, 0xFF0000FF}, {0.5f, 0.5f, -3, 0xFF0000FF}};
  device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ColourVertex3D));
  EXPECT_EQ(Pixel(32, 32), 0x00FF00u);
}

// Under a scissor, quads whose edge pixels lie just inside it draw them
// (the device skips only draws that cannot reach it), 2D and 3D alike.
TEST_F(GLPixelTest, UnderAScissorAQuadReachingItDrawsItsEdge) {
  const RECT scissor = {16, 16, 48, 48};
  ASSERT_EQ(device_->SetScissorRect(&scissor), D3D_OK);
  device_->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE);
  DrawRect2D(4, 20, 12, 4, 0xFFFF0000);   // centres 4..16: the last one inside
  DrawRect2D(48, 30, 10, 4, 0xFF00FF00);  // centres 48..58: none inside
  EXPECT_EQ(Pixel(16, 22), 0xFF0000u);
  EXPECT_EQ(Pixel(15, 22), 0u);
  EXPECT_EQ(Pixel(47, 32), 0u);
  // A 3D quad whose right edge falls on the scissor's first column.
  Clear(0xFF000000);
  LookDownMinusZ();
  const float z = -3.0f, halfView = 3.0f * 0.41421356f;  // tan(22.5 degrees) at depth 3
  const float edge = (16.6f / 32.0f - 1.0f) * halfView;
  const ColourVertex3D v[4] = {{-halfView, -0.2f, z, 0xFF0000FF}, {-halfView, 0.2f, z, 0xFF0000FF},
                               {edge, -0.2f, z, 0xFF0000FF}, {edge, 0.2f, z, 0xFF0000FF}};
  device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ColourVertex3D)), D3D_OK);
  EXPECT_EQ(Pixel(16, 32), 0x0000FFu);
  EXPECT_EQ(Pixel(17, 32), 0u);
  device_->SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE);
}

TEST_F(GLPixelTest, DepthKeepsNearerQuadsAndACoplanarOverlayDrawnSecond) {
  DrawQuad3D(0.5f, -3.0f, 0xFF00FF00);
  DrawQuad3D(0.8f, -6.0f, 0xFFFF0000);  // behind: hidden where they overlap
  EXPECT_EQ(Pixel(32, 32), 0x00FF00u);
  DrawQuad3D(0.5f, -3.0f, 0xFF0000FF);  // same plane, drawn second: shows
  EXPECT_EQ(Pixel(32, 32), 0x0000FFu);
}

TEST_F(GLPixelTest, HalfTransparentWhiteOverBlackIsHalfGrey) {
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  DrawRect2D(0, 0, 63, 63, 0x80FFFFFF);
  const std::uint32_t p = Pixel(30, 30);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 128, 1);
  EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 128, 1);
  // The back buffer has no alpha: destination alpha reads 1.
  Clear(0xFF000000);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_DESTALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
  DrawRect2D(0, 0, 63, 63, 0x00FF0000);
  EXPECT_EQ(Pixel(30, 30), 0xFF0000u);
}

TEST_F(GLPixelTest, TexturesUploadAtUnlockAndIgnoreAlphaWhenX8) {
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(2, 2, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(locked.Pitch, 8);
  const std::uint32_t texels[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};  // alpha 0: ignored
  for (int row = 0; row < 2; ++row)
    std::memcpy(static_cast<BYTE*>(locked.pBits) + row * locked.Pitch, texels + row * 2, 8);
  ASSERT_EQ(texture->UnlockRect(0), D3D_OK);

  device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
  device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device_->SetTexture(0, texture);
  auto draw = [&] {
    const TexVertex2D v[4] = {{-0.5f, 63.5f, 0, 1, 0, 1}, {-0.5f, -0.5f, 0, 1, 0, 0}, {63.5f, 63.5f, 0, 1, 1, 1},
                              {63.5f, -0.5f, 0, 1, 1, 0}};
    device_->SetFVF(D3DFVF_XYZRHW | D3DFVF_TEX1);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(TexVertex2D)), D3D_OK);
  };
  draw();
  EXPECT_EQ(Pixel(10, 10), 0xFF0000u);
  EXPECT_EQ(Pixel(50, 10), 0x00FF00u);
  EXPECT_EQ(Pixel(10, 50), 0x0000FFu);
  EXPECT_EQ(Pixel(50, 50), 0xFFFFFFu);
  // A locked rectangle uploads its rows only; the rest stays.
  const RECT second{0, 1, 2, 2};
  ASSERT_EQ(texture->LockRect(0, &locked, &second, 0), D3D_OK);
  const std::uint32_t yellow[2] = {0xFFFFFF00, 0xFFFFFF00};
  std::memcpy(locked.pBits, yellow, 8);
  texture->UnlockRect(0);
  draw();
  EXPECT_EQ(Pixel(10, 10), 0xFF0000u);
  EXPECT_EQ(Pixel(10, 50), 0xFFFF00u);
  device_->SetTexture(0, nullptr);
  EXPECT_EQ(texture->Release(), 0u);
}

// Once loaded, a texture's texels live in the driver only; a lock reads them
// back exactly (every level, alpha included) and the texture keeps its copy.
TEST_F(GLPixelTest, ALoadedTextureLetsGoOfItsTexelsAndALockReadsThemBack) {
  const std::size_t before = D3D9TextureCopyBytes();
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(4, 2, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
  const std::size_t copyBytes = (4 * 2 + 2 * 1) * 4;
  EXPECT_EQ(D3D9TextureCopyBytes(), before + copyBytes);
  std::vector<std::uint32_t> written[2];
  for (UINT level = 0; level < 2; ++level) {
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
    const int width = level == 0 ? 4 : 2, height = level == 0 ? 2 : 1;
    for (int i = 0; i < width * height; ++i)
      written[level].push_back(0x01000000u * (17 * i + 3 + 100 * level) | 0x00102030u * (i + 1));
    for (int row = 0; row < height; ++row)
      std::memcpy(static_cast<BYTE*>(locked.pBits) + row * locked.Pitch, written[level].data() + row * width,
                  width * 4u);
    ASSERT_EQ(texture->UnlockRect(level), D3D_OK);
    // The smaller level is still to come after the first.
    EXPECT_EQ(D3D9TextureCopyBytes(), level == 0 ? before + copyBytes : before) << level;
  }

  device_->SetTexture(0, texture);
  const TexVertex2D v[4] = {{-0.5f, 63.5f, 0, 1, 0, 1}, {-0.5f, -0.5f, 0, 1, 0, 0}, {63.5f, 63.5f, 0, 1, 1, 1},
                            {63.5f, -0.5f, 0, 1, 1, 0}};
  device_->SetFVF(D3DFVF_XYZRHW | D3DFVF_TEX1);
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(TexVertex2D)), D3D_OK);

  for (UINT level = 0; level < 2; ++level) {
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const int width = level == 0 ? 4 : 2, height = level == 0 ? 2 : 1;
    for (int row = 0; row < height; ++row)
      for (int col = 0; col < width; ++col) {
        std::uint32_t texel = 0;
        std::memcpy(&texel, static_cast<BYTE*>(locked.pBits) + row * locked.Pitch + col * 4, 4);
        EXPECT_EQ(texel, written[level][row * width + col]) << "level " << level << " at " << col << "," << row;
      }
    texture->UnlockRect(level);
  }
  // Locked again after drawing: it keeps its copy, and a change shows.
  EXPECT_EQ(D3D9TextureCopyBytes(), before + copyBytes);
  device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 4; ++col) {
      const std::uint32_t green = 0xFF00FF00;
      std::memcpy(static_cast<BYTE*>(locked.pBits) + row * locked.Pitch + col * 4, &green, 4);
    }
  texture->UnlockRect(0);
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(TexVertex2D)), D3D_OK);
  EXPECT_EQ(Pixel(32, 32), 0x00FF00u);
  EXPECT_EQ(D3D9TextureCopyBytes(), before + copyBytes);
  device_->SetTexture(0, nullptr);
  EXPECT_EQ(texture->Release(), 0u);
  EXPECT_EQ(D3D9TextureCopyBytes(), before);

  // One whose smaller level is never written lets go when first drawn.
  ASSERT_EQ(device_->CreateTexture(4, 2, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
  EXPECT_EQ(D3D9TextureCopyBytes(), before + copyBytes);
  device_->SetTexture(0, texture);
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(TexVertex2D)), D3D_OK);
  EXPECT_EQ(D3D9TextureCopyBytes(), before);
  device_->SetTexture(0, nullptr);
  EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(GLPixelTest, ADirectionalLightLightsOnlyTheFacingSide) {
  device_->SetRenderState(D3DRS_LIGHTING, TRUE);
  D3DMATERIAL9 material{};
  material.Diffuse = {1, 1, 1, 1};
  device_->SetMaterial(&material);
  D3DLIGHT9 light{};
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse = {1, 0, 0, 1};
  light.Direction = {0, 0, -1};  // travelling away from the camera, onto the quad
  device_->SetLight(0, &light);
  device_->LightEnable(0, TRUE);
  struct NormalVertex {
    float x, y, z, nx, ny, nz;
  };
  LookDownMinusZ();
  const NormalVertex v[4] = {{-1, -1, -3, 0, 0, 1}, {-1, 1, -3, 0, 0, 1}, {1, -1, -3, 0, 0, 1}, {1, 1, -3, 0, 0, 1}};
  device_->SetFVF(D3DFVF_XYZ | D3DFVF_NORMAL);
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(NormalVertex)), D3D_OK);
  EXPECT_EQ(Pixel(32, 32), 0xFF0000u);
  // Turned away from the light (normal -z): dark.
  Clear(0xFF000000);
  const NormalVertex back[4] = {{-1, -1, -3, 0, 0, -1}, {-1, 1, -3, 0, 0, -1}, {1, -1, -3, 0, 0, -1}, {1, 1, -3, 0, 0, -1}};
  device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, back, sizeof(NormalVertex));
  EXPECT_EQ(Pixel(32, 32), 0u);
}

TEST_F(GLPixelTest, LossHookAndStaleResources) {
  IDirect3DVertexBuffer9* buffer = nullptr;
  ASSERT_EQ(device_->CreateVertexBuffer(64, 0, D3DFVF_XYZ, D3DPOOL_MANAGED, &buffer, nullptr), D3D_OK);
  device_->SetStreamSource(0, buffer, 0, 16);
  device_->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2), D3DERR_INVALIDCALL);  // vertices 1..4 of 4
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);

  D3D9GLLoseDevice(1);
  EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

  EXPECT_EQ(device_->Release(), 1u);  // one live resource at release
  device_ = nullptr;
  void* data = nullptr;
  EXPECT_EQ(buffer->Lock(0, 0, &data, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(buffer->Release(), 0u);
  EXPECT_EQ(D3D9LiveResourceCount(), 0);
}
