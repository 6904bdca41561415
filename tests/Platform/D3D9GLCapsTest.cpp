// The GL back end's capability check on an X server of its own (Mesa under
// Xvfb): it makes one GL context whatever it finds, keeps the
// GL library loaded for the windows after it, and offers only multisample
// types that a real window and context then get.
#include <SDL.h>

#include <string>

#include <gtest/gtest.h>

#include "Platform/D3D9GL.h"
#include "Platform/Window.h"
#include "tests/Support/XServer.h"

namespace {

LRESULT Quiet(HWND, UINT, WPARAM, LPARAM) { return 0; }

class GLCapsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    PlatformUseHeadlessWindows(false);
    D3D9SetFactory(nullptr);
    d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
    if (!d3d_) GTEST_SKIP() << "no GL on this display";
  }
  void TearDown() override {
    if (d3d_) d3d_->Release();
    PlatformSetWindowSamples(0);
    PlatformResetWindowsForTests();
  }
  IDirect3D9* d3d_ = nullptr;
};

TEST_F(GLCapsTest, TheCheckMakesOneContextAndKeepsTheLibraryLoaded) {
  EXPECT_EQ(D3D9GLProbeContextsForTests(), 1);
  // No GL window is left, yet GL entry points still resolve: the windows
  // to come do not load and set the library up again.
  EXPECT_NE(SDL_GL_GetProcAddress("glGetString"), nullptr) << SDL_GetError();
  D3DADAPTER_IDENTIFIER9 id{};
  ASSERT_EQ(d3d_->GetAdapterIdentifier(0, 0, &id), D3D_OK);
  EXPECT_STRNE(id.Description, "");
  EXPECT_STREQ(id.Description, D3D9GLRendererName());
}

TEST_F(GLCapsTest, EveryOfferedMultisampleTypeIsWhatAWindowGets) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Quiet;
  wc.lpszClassName = "CapsTest";
  RegisterClassA(&wc);
  for (int samples : {2, 4, 8, 16}) {
    SCOPED_TRACE(samples);
    DWORD levels = 0;
    const bool offered = d3d_->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE,
                                                          static_cast<D3DMULTISAMPLE_TYPE>(samples),
                                                          &levels) == D3D_OK;
    if (!offered) continue;
    PlatformSetWindowSamples(samples);
    HWND window = CreateWindowExA(0, "CapsTest", "caps", WS_OVERLAPPEDWINDOW, 0, 0, 32, 32, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = 32;
    pp.BackBufferHeight = 32;
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.Windowed = TRUE;
    pp.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(samples);
    pp.hDeviceWindow = window;
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(d3d_->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device),
              D3D_OK);
    int got = 0;
    SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &got);
    EXPECT_GE(got, samples);
    device->Release();
    DestroyWindow(window);
  }
}

}  // namespace
