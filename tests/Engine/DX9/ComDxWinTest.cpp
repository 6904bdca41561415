// Tests of the window procedure, the pump and the mouse poll on headless
// windows: input events and key states, system keys, the wheel, leaving the
// window during a drag, cursor placement, and size messages.
#include <gtest/gtest.h>

#include "Engine/DX9/ComDxWin.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

class ComDxWinTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Start(800, 600);
  }
  const std::vector<CallbackProgram::Event>& Events() const { return program_->events; }
  std::uint8_t Key(int vk) const { return EngWindowGetKeyStates()[vk]; }
};

bool operator==(const CallbackProgram::Event& a, const CallbackProgram::Event& b) {
  return a.kind == b.kind && a.value1 == b.value1 && a.value2 == b.value2;
}

}  // namespace

TEST_F(ComDxWinTest, InputMessagesBecomeEventsAndKeyStates) {
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CallbackProgram::Event event;
    int key;      // key-state index written, -1 none
    int keyState;
  };
  const Case cases[] = {
      {WM_KEYDOWN, 'A', 0, {5, 'A', 0}, 'A', 2},
      {WM_KEYUP, 'A', 0, {6, 'A', 0}, 'A', 0},
      {WM_CHAR, 0xE9, 0, {7, 0xE9, 0}, -1, 0},
      {WM_MOUSEMOVE, 0, MAKELPARAM(-5, 30), {1, -5, 30}, -1, 0},
      {WM_LBUTTONDOWN, 0, 0, {2, 0, 1}, VK_LBUTTON, 2},
      {WM_LBUTTONUP, 0, 0, {2, 0, 0}, VK_LBUTTON, 0},
      {WM_RBUTTONDOWN, 0, 0, {2, 1, 1}, VK_RBUTTON, 2},
      {WM_MBUTTONDOWN, 0, 0, {2, 2, 1}, VK_MBUTTON, 2},
      {WM_MBUTTONUP, 0, 0, {2, 2, 0}, VK_MBUTTON, 0},
      {WM_LBUTTONDBLCLK, 0, 0, {3, 0, 0}, -1, 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0, {4, 6, 2}, -1, 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0, {4, -3, 2}, -1, 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0, {4, 0, 2}, -1, 0},  // less than a notch
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    program_->events.clear();
    EXPECT_EQ(Send(c.message, c.wParam, c.lParam), 1);
    ASSERT_EQ(Events().size(), 1u);
    EXPECT_TRUE(Events()[0] == c.event) << Events()[0].kind << " " << Events()[0].value1 << " " << Events()[0].value2;
    if (c.key >= 0) {
      EXPECT_EQ(Key(c.key), c.keyState);
    }
  }
}

TEST_F(ComDxWinTest, SystemKeysSetStatesWithoutEvents) {
  Send(WM_SYSKEYDOWN, VK_MENU);
  EXPECT_EQ(Key(VK_MENU), 2);
  Send(WM_SYSKEYDOWN, VK_F10);
  EXPECT_EQ(Key(121), 2);
  Send(WM_SYSKEYUP, VK_F10);
  Send(WM_SYSKEYUP, VK_MENU);
  EXPECT_EQ(Key(VK_F10), 0);
  EXPECT_EQ(Key(VK_MENU), 0);
  EXPECT_TRUE(Events().empty());
  // Alt+F4 closes the window: the quit flag is set and the pump ends.
  Send(WM_SYSKEYDOWN, VK_F4);
  EXPECT_EQ(ComDxWinProcessMessage(), 2);  // the WM_CLOSE
  EXPECT_TRUE(program_->GetQuitFlag());
  EXPECT_EQ(Handle(), nullptr);
  EXPECT_EQ(ComDxWinProcessMessage(), 0);  // WM_QUIT
  EXPECT_EQ(ComDxWinProcessMessage(), 1);  // nothing waits
}

TEST_F(ComDxWinTest, AltEnterTogglesFullScreenAndBack) {
  Send(WM_SYSKEYDOWN, VK_RETURN);
  EXPECT_FALSE(EngWindowGetScreenMode().windowed);
  EXPECT_EQ(GetWindowLongA(Handle(), GWL_STYLE), static_cast<LONG>(kComDxWinFullScreenStyle));
  EXPECT_TRUE(Window()->IsDeviceCreated());
  EXPECT_FALSE(Rec().presentParams.Windowed);
  Send(WM_SYSKEYDOWN, VK_RETURN);
  EXPECT_TRUE(EngWindowGetScreenMode().windowed);
  EXPECT_EQ(program_->events.size(), 0u);
  EXPECT_EQ(D3D9LiveDeviceCount(), 1);
}

TEST_F(ComDxWinTest, ADragReleasedOutsideTheWindowEndsWithARelease) {
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));  // the mouse comes in
  Send(WM_LBUTTONDOWN);
  PlatformHeadlessSetKey(VK_LBUTTON, true);
  Send(WM_MOUSELEAVE);
  EXPECT_TRUE(Window()->Win().leftHeldOnLeave);
  program_->events.clear();
  Window()->PollMouse();  // still held: nothing
  EXPECT_TRUE(Events().empty());
  PlatformHeadlessSetKey(VK_LBUTTON, false);
  Window()->PollMouse();
  ASSERT_FALSE(Events().empty());
  EXPECT_TRUE(Events()[0] == (CallbackProgram::Event{2, 0, 0}));
  EXPECT_EQ(Key(VK_LBUTTON), 0);
  EXPECT_TRUE(ComDxWinTakeLeftReleasedOutside(Window()));
  EXPECT_FALSE(ComDxWinTakeLeftReleasedOutside(Window()));  // one shot
  // The cursor moving outside keeps reporting moves, in client pixels.
  program_->events.clear();
  RECT client;
  GetClientRect(Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(Handle(), &origin);
  PlatformHeadlessSetCursor(origin.x - 20, origin.y + 10);
  Window()->PollMouse();
  Window()->PollMouse();
  ASSERT_EQ(Events().size(), 1u);
  EXPECT_TRUE(Events()[0] == (CallbackProgram::Event{1, -20, 10}));
}

// While the window's input waits in the queue, a poll of the pointer
// outside leaves it to that input: the cursor read now may already be past
// a press and release still queued (a quick click moved away at once), and
// a move there first would take the click off its button.
TEST_F(ComDxWinTest, APollWaitsForTheQueuedInput) {
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  Send(WM_MOUSELEAVE);
  PlatformHeadlessSetCursor(-500, -500);  // the live pointer, far away
  PostMessageA(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 30));
  PostMessageA(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 30));
  PostMessageA(Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 30));
  program_->events.clear();
  Window()->PollMouse();
  EXPECT_TRUE(Events().empty());
  while (ComDxWinProcessMessage() == 2) Window()->PollMouse();
  const CallbackProgram::Event inOrder[] = {{1, 40, 30}, {2, 0, 1}, {2, 0, 0}};
  ASSERT_EQ(Events().size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Events()[i] == inOrder[i]) << i << ": " << Events()[i].kind;
}

TEST_F(ComDxWinTest, CursorPlacementUsesTheClientArea) {
  POINT origin{0, 0};
  ClientToScreen(Handle(), &origin);
  Window()->SetCursorPos(320.0f, 240.0f);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, origin.x + 400);
  EXPECT_EQ(p.y, origin.y + 300);
  int x = 0, y = 0;
  Window()->GetCursorPos(&x, &y);
  EXPECT_EQ(x, 400);  // what SetCursorPos put is what GetCursorPos reads
  EXPECT_EQ(y, 300);
}

TEST_F(ComDxWinTest, ResizeMessagesRecreateTheDeviceOnceOnTheNextPass) {
  const int created = Rec().devicesCreated;
  for (int w = 700; w < 720; ++w) {
    // What a drag looks like: the client changes, then the size messages.
    Window()->GotSizeMsg(w, 500);
  }
  EXPECT_EQ(Rec().devicesCreated, created);
  EXPECT_TRUE(Window()->IsRecreatePending());
  EXPECT_EQ(program_->calls.back(), "ModeChange");
  Window()->Tick();
  EXPECT_EQ(Rec().devicesCreated, created + 1);
  EXPECT_EQ(Rec().presentParams.BackBufferWidth, 719u);
  EXPECT_EQ(Rec().presentParams.BackBufferHeight, 500u);
  // A client size equal to the screen mode does nothing.
  EngWindowSetScreenMode(-1, 800, 600, 0, 0);
  program_->calls.clear();
  ComDxWinCheckClientSize(Window());
  EXPECT_TRUE(program_->calls.empty());
}

TEST_F(ComDxWinTest, MessagesWithoutTheEngineWindowGoToTheDefault) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ComDxWinWndProc;
  wc.lpszClassName = "Other";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND other = CreateWindowExA(0, "Other", "", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(SendMessageA(other, WM_KEYDOWN, 'A', 0), 0);
  EXPECT_TRUE(Events().empty());
  DestroyWindow(other);
  // A second engine window is refused.
  EngWindow second(program_.get(), "Second");
  EXPECT_EQ(second.Create(EngWindowSettings{}), 0);
  EXPECT_TRUE(BoxShown("CreateWindow: More than one window not supported"));
}
