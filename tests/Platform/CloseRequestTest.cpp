// Tests of the close request: SIGINT, SIGTERM, SIGHUP and SDL_QUIT wait for a
// window and reach it as WM_CLOSE before anything queued; on headless
// windows, and through SDL's own event on an X server of its own.
#include <SDL.h>
#include <signal.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/CloseRequest.h"
#include "Platform/Window.h"
#include "Platform/WindowLocal.h"
#include "tests/Support/XServer.h"

namespace {

HWND MakeWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "CloseRequestTest";
  RegisterClassA(&wc);
  return CreateWindowExA(0, "CloseRequestTest", "Close", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 150,
                         nullptr, nullptr, nullptr, nullptr);
}

std::vector<WinMsg> Drain() {
  std::vector<WinMsg> out;
  WinMsg msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) out.push_back(msg);
  return out;
}

// The handlers of SIGINT, SIGTERM and SIGHUP are the test process's own
// again after each test.
class CloseRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformUseHeadlessWindows(true);
    sigaction(SIGINT, nullptr, &interrupt_);
    sigaction(SIGTERM, nullptr, &terminate_);
    sigaction(SIGHUP, nullptr, &hangUp_);
  }
  void TearDown() override {
    PlatformResetWindowsForTests();
    sigaction(SIGINT, &interrupt_, nullptr);
    sigaction(SIGTERM, &terminate_, nullptr);
    sigaction(SIGHUP, &hangUp_, nullptr);
  }
  struct sigaction interrupt_ {};
  struct sigaction terminate_ {};
  struct sigaction hangUp_ {};
};

}  // namespace

TEST_F(CloseRequestTest, ASignalWaitsForAWindowAndClosesItBeforeAnythingQueued) {
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signalNumber);
    ASSERT_TRUE(PlatformCatchCloseSignals());
    ASSERT_EQ(raise(signalNumber), 0);  // the process goes on
    EXPECT_TRUE(Drain().empty());       // no window yet: the request waits
    HWND w = MakeWindow();
    ASSERT_NE(w, nullptr);
    PlatformInjectMessage(w, WM_KEYDOWN, 'A', 0);
    WinMsg msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_CLOSE);  // a peek leaves it waiting
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, w);
    EXPECT_EQ(msg.message, WM_CLOSE);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_KEYDOWN);  // the request came once
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    PlatformResetWindowsForTests();
  }
}

TEST_F(CloseRequestTest, RequestsBeforeTheWindowAreOneAndAResetForgetsThem) {
  PlatformRequestClose();
  PlatformRequestClose();
  HWND w = MakeWindow();
  const std::vector<WinMsg> messages = Drain();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].message, WM_CLOSE);
  EXPECT_TRUE(IsWindow(w));  // taken, not yet dispatched
  PlatformRequestClose();
  PlatformResetWindowsForTests();
  EXPECT_FALSE(PlatformCloseRequested());
}

TEST_F(CloseRequestTest, ASignalTheProcessWasStartedToIgnoreStaysIgnored) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(sigaction(SIGINT, &ignore, nullptr), 0);
  ASSERT_TRUE(PlatformCatchCloseSignals());
  struct sigaction now {};
  sigaction(SIGINT, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_IGN);
  sigaction(SIGTERM, nullptr, &now);
  EXPECT_NE(now.sa_handler, SIG_DFL);
  raise(SIGINT);
  EXPECT_FALSE(PlatformCloseRequested());
}

namespace {

class SdlCloseRequestDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    PlatformUseHeadlessWindows(false);
    if (!SdlVideoInit()) GTEST_SKIP() << "no SDL video";
    Drain();
  }
  void TearDown() override { PlatformResetWindowsForTests(); }
};

}  // namespace

// SDL_QUIT (SDL's own signal handlers send it) pumped while no window exists
// is kept for the window that comes.
TEST_F(SdlCloseRequestDisplayTest, AQuitBeforeAnyWindowClosesTheFirstWindow) {
  ASSERT_EQ(WindowFirst(), nullptr);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  EXPECT_TRUE(Drain().empty());
  HWND w = MakeWindow();
  ASSERT_NE(w, nullptr);
  int closes = 0;
  for (const WinMsg& m : Drain()) closes += m.message == WM_CLOSE && m.hwnd == w ? 1 : 0;
  EXPECT_EQ(closes, 1);
}
