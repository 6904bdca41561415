// The GL device's present of a kept back buffer (D3DSWAPEFFECT_COPY: a
// rectangle copied through GLX_MESA_copy_sub_buffer) while the X server has
// given the window a size SDL has not read yet, as a player's drag does
// while a frame is drawn. Mesa's software driver sizes its back buffer from
// the server at the first draw after a swap: a copy at the old size would
// ask it for rows it does not hold, and the X server refuses the image
// request (BadValue, which Xlib's default handler answers by ending the
// process). The present swaps instead, the display refuses nothing, and
// the window shows the frame whole at its new size. Runs on an X server of
// its own (tests/Support/XServer.h).
// gtest first: Xlib's None (through SDL_syswm.h) would stand for a name of
// its own.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "Platform/D3D9GL.h"
#include "Platform/WindowLocal.h"
#include "tests/Support/XServer.h"

namespace {

constexpr int kWide = 240, kHigh = 180;
constexpr int kSmallWide = 120, kSmallHigh = 90;
constexpr D3DCOLOR kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

std::vector<std::string> g_refused;

int RecordRefusal(Display* display, XErrorEvent* error) {
  char text[160] = "";
  XGetErrorText(display, error->error_code, text, sizeof text);
  g_refused.push_back(std::string(text) + " of request " + std::to_string(error->request_code) + "." +
                      std::to_string(error->minor_code));
  return 0;
}

LRESULT CALLBACK_Quiet(HWND, UINT, WPARAM, LPARAM) { return 0; }

class GLPresentPixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    PlatformUseHeadlessWindows(false);
    D3D9SetFactory(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = CALLBACK_Quiet;
    wc.lpszClassName = "PresentTest";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, "PresentTest", "Present test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kWide, kHigh,
                              nullptr, nullptr, nullptr, nullptr);
    if (!window_ || !window_->sdl) GTEST_SKIP() << "no display for GL windows";
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window_->sdl, &info) || info.subsystem != SDL_SYSWM_X11) GTEST_SKIP() << "not X11";
    sdlDisplay_ = info.info.x11.display;
    xWindow_ = info.info.x11.window;
    own_ = XOpenDisplay(nullptr);
    ASSERT_NE(own_, nullptr);
    d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d_, nullptr);
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferFormat = D3DFMT_X8R8G8B8;
    pp.SwapEffect = D3DSWAPEFFECT_COPY;
    pp.Windowed = TRUE;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D24S8;
    pp.hDeviceWindow = window_;
    ASSERT_EQ(d3d_->CreateDevice(0, D3DDEVTYPE_HAL, window_, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device_),
              D3D_OK);
    g_refused.clear();
    previous_ = XSetErrorHandler(RecordRefusal);
  }

  void TearDown() override {
    if (previous_) XSetErrorHandler(previous_);
    if (device_) {
      EXPECT_EQ(device_->Release(), 0u);
    }
    if (d3d_) d3d_->Release();
    if (own_) XCloseDisplay(own_);
    PlatformResetWindowsForTests();
  }

  // The X server gives the window the size; SDL hears of it only when it
  // next reads its events.
  void ResizeOnTheServer(int width, int height) {
    XResizeWindow(own_, xWindow_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(own_, False);
  }

  // SDL reads its events until it knows the size; false after 10 s.
  bool SdlLearns(int width, int height) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    do {
      SDL_PumpEvents();
      int w = 0, h = 0;
      SDL_GL_GetDrawableSize(window_->sdl, &w, &h);
      if (w == width && h == height) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < end);
    return false;
  }

  HRESULT WholeFrame(D3DCOLOR colour) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0f, 0);
    return device_->Present(nullptr, nullptr, nullptr, nullptr);
  }

  // The window's colour (0xRRGGBB) at a pixel, as the X server shows it.
  unsigned long Shown(int x, int y) {
    XImage* image = XGetImage(own_, xWindow_, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0xFFFFFFFFul;
    const unsigned long colour = XGetPixel(image, 0, 0) & 0xFFFFFFul;
    XDestroyImage(image);
    return colour;
  }

  HWND window_ = nullptr;
  Display* sdlDisplay_ = nullptr;
  Display* own_ = nullptr;
  unsigned long xWindow_ = 0;
  XErrorHandler previous_ = nullptr;
  IDirect3D9* d3d_ = nullptr;
  IDirect3DDevice9* device_ = nullptr;
};

}  // namespace

TEST_F(GLPresentPixelTest, AWindowTheServerShrankUnreadTakesAWholeSwap) {
  // A whole frame copied: the device keeps its back buffer from now on.
  ASSERT_EQ(WholeFrame(kRed), D3D_OK);
  D3DPRESENT_PARAMETERS kept{};
  ASSERT_EQ(device_->GetPresentParameters(&kept), D3D_OK);
  if (kept.SwapEffect != D3DSWAPEFFECT_COPY) GTEST_SKIP() << "the GL driver copies no part of a back buffer";
  // A swap, while SDL knows the smaller size: the driver takes the server's
  // size at its next draw. Then SDL knows the back buffer's size again.
  ResizeOnTheServer(kSmallWide, kSmallHigh);
  ASSERT_TRUE(SdlLearns(kSmallWide, kSmallHigh));
  ASSERT_EQ(WholeFrame(kRed), D3D_OK);
  ResizeOnTheServer(kWide, kHigh);
  ASSERT_TRUE(SdlLearns(kWide, kHigh));

  // Smaller on the server alone: the frame's clear sizes the driver's back
  // buffer so, while SDL still has the back buffer's size.
  ResizeOnTheServer(kSmallWide, kSmallHigh);
  EXPECT_EQ(WholeFrame(kGreen), D3D_OK);
  XSync(sdlDisplay_, False);
  EXPECT_TRUE(g_refused.empty()) << "the display refused " << g_refused.front();
  for (const auto& [x, y] : {std::pair{1, 1}, std::pair{kSmallWide / 2, kSmallHigh / 2},
                             std::pair{kSmallWide - 2, kSmallHigh - 2}})
    EXPECT_EQ(Shown(x, y), 0x00FF00ul) << "at " << x << ", " << y;
}
