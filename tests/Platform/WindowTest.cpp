// Tests of the window layer: the queue and dispatch on headless windows, and
// the SDL back end's event conversion under a display (skipped without one).
#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Window.h"
#include "Platform/WindowLocal.h"
#include "tests/Support/XServer.h"

namespace {

std::vector<WinMsg> g_seen;

LRESULT Collect(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_seen.push_back({window, message, wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(UINT classStyle = 0) {
  WNDCLASSA wc{};
  wc.style = classStyle;
  wc.lpfnWndProc = Collect;
  wc.lpszClassName = "WindowTest";
  RegisterClassA(&wc);
  return CreateWindowExA(0, "WindowTest", "T\xE9st", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 200, 150, nullptr,
                         nullptr, nullptr, nullptr);
}

std::vector<WinMsg> Drain() {
  std::vector<WinMsg> out;
  WinMsg msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) out.push_back(msg);
  return out;
}

class HeadlessWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformUseHeadlessWindows(true);
    g_seen.clear();
  }
  void TearDown() override { PlatformResetWindowsForTests(); }
};

}  // namespace

TEST_F(HeadlessWindowTest, MouseMovesCollapseAndOtherMessagesKeepTheirOrder) {
  HWND w = MakeWindow();
  ASSERT_NE(w, nullptr);
  PlatformInjectMessage(w, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  PlatformInjectMessage(w, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  PlatformInjectMessage(w, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
  PlatformInjectMessage(w, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  PlatformInjectMessage(w, WM_MOUSEMOVE, 0, MAKELPARAM(4, -4));
  const std::vector<WinMsg> messages = Drain();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(GET_X_LPARAM(messages[0].lParam), 2);
  EXPECT_EQ(messages[1].message, WM_LBUTTONDOWN);
  EXPECT_EQ(GET_Y_LPARAM(messages[2].lParam), -4);
}

TEST_F(HeadlessWindowTest, CloseDestroysAndQuitWaitsInTheQueue) {
  HWND w = MakeWindow();
  PostMessageA(w, WM_SYSKEYDOWN, VK_F4, 0);
  WinMsg msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageA(&msg);  // Alt+F4 -> WM_CLOSE queued
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_CLOSE);
  DispatchMessageA(&msg);  // destroys the window
  EXPECT_FALSE(IsWindow(w));
  ASSERT_FALSE(g_seen.empty());
  EXPECT_EQ(g_seen.back().message, WM_DESTROY);
  PostQuitMessage(3);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(HeadlessWindowTest, FlushingKeepsQuitAndClose) {
  HWND w = MakeWindow();
  PlatformInjectMessage(w, WM_KEYDOWN, 'A', 0);
  PlatformInjectMessage(w, WM_CLOSE, 0, 0);
  PlatformInjectMessage(w, WM_PAINT, 0, 0);
  PostQuitMessage(0);
  EXPECT_TRUE(PlatformRemoveOneDroppableMessage());
  EXPECT_EQ(PlatformFlushInputMessages(2.0), 1);
  EXPECT_FALSE(PlatformRemoveOneDroppableMessage());
  const std::vector<WinMsg> left = Drain();
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].message, WM_CLOSE);
  EXPECT_EQ(left[1].message, WM_QUIT);
}

// Work that ends on another thread wakes a loop waiting for input; the wake
// is no message.
TEST_F(HeadlessWindowTest, AWakeFromAnotherThreadEndsAMessageWait) {
  ASSERT_NE(MakeWindow(), nullptr);
  Drain();
  const auto start = std::chrono::steady_clock::now();
  std::thread worker([] { PlatformWakeMessageWait(); });
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 10000, QS_ALLINPUT), WAIT_OBJECT_0);
  worker.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT), WAIT_TIMEOUT);
}

TEST_F(HeadlessWindowTest, GeometryAndClasses) {
  HWND w = MakeWindow();
  RECT outer, client;
  ASSERT_TRUE(GetWindowRect(w, &outer));
  ASSERT_TRUE(GetClientRect(w, &client));
  EXPECT_EQ(outer.left, 100);
  EXPECT_EQ(outer.right - outer.left, 200);
  RECT grown{0, 0, client.right, client.bottom};
  AdjustWindowRect(&grown, WS_OVERLAPPEDWINDOW, FALSE);
  EXPECT_EQ(grown.right - grown.left, 200);
  POINT p{0, 0};
  ClientToScreen(w, &p);
  ScreenToClient(w, &p);
  EXPECT_EQ(p.x, 0);
  WNDCLASSA again{};
  again.lpfnWndProc = Collect;
  again.lpszClassName = "WindowTest";
  EXPECT_EQ(RegisterClassA(&again), 0);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 3u);
}

// ---- SDL events to messages (needs a display) ----------------------------------------

namespace {

class SdlInputDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    PlatformUseHeadlessWindows(false);
    window_ = MakeWindow(CS_DBLCLKS);
    if (!window_) {
      GTEST_SKIP() << "no SDL window";
    }
    Drain();  // window events of the creation
  }
  void TearDown() override { PlatformResetWindowsForTests(); }

  // The input messages that one pushed event gives. The X server's own
  // window notices (focus, exposure) arrive whenever it sends them, so they
  // are left out.
  std::vector<WinMsg> Push(SDL_Event e) {
    SDL_PushEvent(&e);
    std::vector<WinMsg> input;
    for (const WinMsg& m : Drain()) {
      const bool key = m.message >= WM_KEYDOWN && m.message <= WM_SYSKEYUP;
      const bool mouse = m.message >= WM_MOUSEMOVE && m.message <= WM_MOUSEWHEEL;
      if (key || mouse) input.push_back(m);
    }
    return input;
  }
  SDL_Event Key(Uint32 type, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod) {
    SDL_Event e{};
    e.type = type;
    e.key.windowID = window_->sdlId;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
  }
  HWND window_ = nullptr;
};

}  // namespace

TEST_F(SdlInputDisplayTest, KeysBecomeVirtualKeysAndSystemKeysWithAlt) {
  auto m = Push(Key(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, 0));
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].message, WM_KEYDOWN);
  EXPECT_EQ(m[0].wParam, static_cast<WPARAM>('A'));
  m = Push(Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT));
  ASSERT_EQ(m.size(), 1u);  // no character with Alt
  EXPECT_EQ(m[0].message, WM_SYSKEYDOWN);
  EXPECT_EQ(m[0].wParam, static_cast<WPARAM>(VK_RETURN));
  m = Push(Key(SDL_KEYDOWN, SDL_SCANCODE_F10, SDLK_F10, 0));
  EXPECT_EQ(m[0].message, WM_SYSKEYDOWN);
  m = Push(Key(SDL_KEYUP, SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, 0));
  EXPECT_EQ(m[0].message, WM_KEYUP);
  EXPECT_EQ(m[0].wParam, static_cast<WPARAM>(VK_SHIFT));
  m = Push(Key(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 0));
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[1].message, WM_CHAR);
  EXPECT_EQ(m[1].wParam, 8u);
}

TEST_F(SdlInputDisplayTest, AWakeFromAnotherThreadEndsTheWaitForEvents) {
  const auto start = std::chrono::steady_clock::now();
  std::thread worker([] { PlatformWakeMessageWait(); });
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 10000, QS_ALLINPUT), WAIT_OBJECT_0);
  worker.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// A character CP1252 lacks comes with its code point, for the text to
// refuse where the player sees it; a C1 control code is no character.
TEST_F(SdlInputDisplayTest, TextBecomesCp1252Characters) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = window_->sdlId;
  // a é € 中 U+0085 ÿ
  std::snprintf(e.text.text, sizeof(e.text.text), "%s", "a\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xC2\x85\xC3\xBF");
  const auto m = Push(e);
  ASSERT_EQ(m.size(), 5u);
  EXPECT_EQ(m[0].wParam, static_cast<WPARAM>('a'));
  EXPECT_EQ(m[1].wParam, 0xE9u);
  EXPECT_EQ(m[2].wParam, 0x80u);
  EXPECT_EQ(m[3].wParam, 0x4E2Du);
  EXPECT_EQ(m[4].wParam, 0xFFu);
}

TEST_F(SdlInputDisplayTest, WheelNotchesAndFractions) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = window_->sdlId;
  e.wheel.y = 1;
  e.wheel.preciseY = 1.0f;
  auto m = Push(e);
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(m[0].wParam), 120);
  e.wheel.y = 0;
  e.wheel.preciseY = -0.5f;
  EXPECT_TRUE(Push(e).empty());
  m = Push(e);
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(m[0].wParam), -120);
}

TEST_F(SdlInputDisplayTest, SecondClicksAreDoubleClicksAndMovesCollapse) {
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = window_->sdlId;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = 5;
  e.button.y = 6;
  e.button.clicks = 1;
  auto m = Push(e);
  EXPECT_EQ(m[0].message, WM_LBUTTONDOWN);
  e.button.clicks = 2;
  m = Push(e);
  EXPECT_EQ(m[0].message, WM_LBUTTONDBLCLK);
  e.button.button = SDL_BUTTON_RIGHT;
  m = Push(e);
  EXPECT_EQ(m[0].message, WM_RBUTTONDBLCLK);

  for (int i = 0; i < 5; ++i) {
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.windowID = window_->sdlId;
    move.motion.x = i;
    move.motion.y = 2 * i;
    SDL_PushEvent(&move);
  }
  m = Drain();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(m[0].lParam), 4);
  EXPECT_EQ(GET_Y_LPARAM(m[0].lParam), 8);
}
