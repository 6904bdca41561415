// Tests of the window and device life cycle on the recording device: the
// callback order of every transition, the requests for the next pass, the
// screen mode and its scale factors, leak-free changes, and the message box.
#include <algorithm>

#include <gtest/gtest.h>

#include "Engine/EngMisc.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

class EngWindowLifeTest : public GraphicsTest {};

EngResolutionRequest Request(bool windowed, int width, int height) {
  EngResolutionRequest r{};
  r.valid = 1;
  r.windowed = windowed ? 1 : 0;
  r.width = width;
  r.height = height;
  r.bitDepth = 32;
  return r;
}

const std::vector<std::string> kRecreateObjects = {"PreDestroyGraphics", "DestroyGraphics", "PostDestroyGraphics",
                                                   "PreCreateGraphics",  "CreateGraphics",  "PostCreateGraphics"};

}  // namespace

TEST_F(EngWindowLifeTest, CreationAndShutdownRunTheirCallbacksInOrder) {
  program_ = std::make_unique<CallbackProgram>();
  ASSERT_EQ(program_->Init(nullptr, ""), 1);
  std::int8_t result = 0;
  ASSERT_NE(program_->CreateMainWindow("Life", EngWindowSettings{}, &result), nullptr);
  ASSERT_TRUE(Window()->CreateGraphicsDevice());
  EXPECT_EQ(program_->calls, CallNames({"PreCreateWindow", "PreDeviceInit", "PreCreateGraphics", "CreateGraphics",
                                        "PostCreateGraphics", "PostDeviceInit"}));
  EXPECT_TRUE(program_->IsDeviceInitialised());
  program_->calls.clear();
  program_->Shutdown();
  EXPECT_EQ(program_->calls, CallNames({"PreShutdownDevice", "PreDestroyGraphics", "DestroyGraphics",
                                        "PostDestroyGraphics", "PostShutdownDevice", "Exit"}));
  EXPECT_EQ(D3D9LiveDeviceCount(), 0);
  EXPECT_EQ(EngWindowGetCurrent(), nullptr);
}

TEST_F(EngWindowLifeTest, ResolutionChangeAndToggleSkipTheDeviceStartUp) {
  Start(800, 600);
  Window()->ChangeDeviceResolutionOnNextTick(nullptr);
  EXPECT_TRUE(LogContains("Invalid parameter"));
  EngResolutionRequest bad = Request(true, 1024, 768);
  bad.valid = 0;
  Window()->ChangeDeviceResolutionOnNextTick(&bad);
  EXPECT_FALSE(Window()->IsResolutionChangePending());

  // Two requests before the pass: the last one is applied.
  const EngResolutionRequest first = Request(true, 640, 480), second = Request(true, 1024, 768);
  Window()->ChangeDeviceResolutionOnNextTick(&first);
  Window()->ChangeDeviceResolutionOnNextTick(&second);
  Window()->Tick();
  EXPECT_EQ(program_->calls, CallNames({"PreDestroyGraphics", "DestroyGraphics", "PostDestroyGraphics",
                                        "PreCreateWindow", "PreCreateGraphics", "CreateGraphics",
                                        "PostCreateGraphics"}));
  EXPECT_EQ(EngWindowGetScreenMode().width, 1024);
  EXPECT_EQ(Rec().presentParams.BackBufferWidth, 1024u);
  EXPECT_FLOAT_EQ(EngWindowGetScreenMode().xScale, 1.6f);
  EXPECT_TRUE(LogContains("EngWindow::DoChangeResolution - Done"));
  EXPECT_FALSE(program_->GetQuitFlag());  // the old window's end did not quit

  // The toggle goes to the full-screen mode closest to the window's size.
  program_->calls.clear();
  ASSERT_TRUE(Window()->ToggleFullscreenMode());
  EXPECT_EQ(program_->calls.back(), "ModeChange");
  EXPECT_EQ(std::count(program_->calls.begin(), program_->calls.end(), "PreDeviceInit"), 0);
  EXPECT_FALSE(EngWindowGetScreenMode().windowed);
  EXPECT_EQ(EngWindowGetScreenMode().width, 1024);
  EXPECT_EQ(EngWindowGetScreenMode().height, 768);
  ASSERT_TRUE(Window()->ToggleFullscreenMode());
  EXPECT_TRUE(EngWindowGetScreenMode().windowed);
  EXPECT_EQ(EngWindowGetScreenMode().width, 1024);  // back as a window of that size
  EXPECT_EQ(D3D9LiveDeviceCount(), 1);
  EXPECT_EQ(D3D9LiveResourceCount(), 0);
}

TEST_F(EngWindowLifeTest, ARecreationWinsOverAResolutionChangeInTheSamePass) {
  Start(800, 600);
  const EngResolutionRequest r = Request(true, 1024, 768);
  Window()->ChangeDeviceResolutionOnNextTick(&r);
  Window()->RecreateDeviceOnNextTick();
  Window()->Tick();
  EXPECT_EQ(program_->calls, kRecreateObjects);
  EXPECT_TRUE(Window()->IsResolutionChangePending());
  Window()->Tick();
  EXPECT_EQ(EngWindowGetScreenMode().width, 1024);
}

TEST_F(EngWindowLifeTest, FullScreenDeactivationDropsTheDeviceUntilReactivation) {
  Start(1024, 768, false);
  ASSERT_FALSE(EngWindowGetScreenMode().windowed);
  Send(WM_ACTIVATE, WA_INACTIVE);
  EXPECT_FALSE(Window()->IsDeviceCreated());
  EXPECT_TRUE(LogContains("EngWindow::GotActiveMsg - Destroying as full screen not active"));
  EXPECT_EQ(D3D9LiveDeviceCount(), 0);
  Send(WM_ACTIVATE, WA_ACTIVE);
  EXPECT_TRUE(Window()->IsDeviceCreated());
  EXPECT_EQ(program_->calls, CallNames({"PreDestroyGraphics", "DestroyGraphics", "PostDestroyGraphics", "Inactive",
                                        "PreCreateGraphics", "CreateGraphics", "PostCreateGraphics", "Active"}));
}

TEST_F(EngWindowLifeTest, ScreenModeKeepsValuesAndScales) {
  EngWindowSetScreenMode(1, 1280, 960, 32, 0);
  EXPECT_FLOAT_EQ(EngWindowGetScreenMode().xScale, 2.0f);
  EXPECT_FLOAT_EQ(EngWindowGetScreenMode().yScale, 2.0f);
  EXPECT_FLOAT_EQ(EngWindowGetScreenMode().xInvScale, 0.5f);
  EngWindowSetScreenMode(-1, 0, 480, -5, 0);
  EXPECT_EQ(EngWindowGetScreenMode().width, 1280);
  EXPECT_EQ(EngWindowGetScreenMode().height, 480);
  EXPECT_EQ(EngWindowGetScreenMode().bitDepth, 32);
  EXPECT_TRUE(EngWindowGetScreenMode().windowed);
}

TEST_F(EngWindowLifeTest, MessageBoxesKeepAWindowedDeviceButReleaseAFullScreenOne) {
  Start(800, 600);
  EngMiscMessageBox(1, "Warning", "In a window");
  EXPECT_TRUE(BoxShown("Warning: In a window"));
  EXPECT_TRUE(Window()->IsDeviceCreated());
  EXPECT_FALSE(program_->GetQuitFlag());
  ASSERT_TRUE(Window()->ToggleFullscreenMode());
  EngMiscMessageBox(2, "Error", "In full screen");
  EXPECT_TRUE(BoxShown("Error: In full screen"));
  EXPECT_EQ(EngDeviceGetCurrent(), nullptr);
  EXPECT_TRUE(program_->GetQuitFlag());
  EXPECT_TRUE(LogContains("EngMiscExitDeviceIfCreated - Destroying the device"));
}

TEST_F(EngWindowLifeTest, TheBoxFlushKeepsAPendingClose) {
  Start(800, 600);
  PlatformInjectMessage(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  PlatformInjectMessage(Handle(), WM_CLOSE, 0, 0);
  PlatformInjectMessage(Handle(), WM_KEYDOWN, 'A', 0);
  EngMiscMessageBox(0, "Note", "Flush");
  EXPECT_EQ(PlatformQueuedMessageCount(), 1);
  EXPECT_EQ(ComDxWinProcessMessage(), 2);
  EXPECT_TRUE(program_->GetQuitFlag());
}

TEST_F(EngWindowLifeTest, RenderFrameNowDrawsAndPresentsOnce) {
  Start(800, 600);
  const int presents = Rec().presents;
  EngMiscRenderFrameNow(true, false);
  EXPECT_EQ(Rec().presents, presents + 1);
  EXPECT_EQ(Rec().CountPrefix("Clear(0, 3, 0xff33664c)"), 1);
}

namespace {

// Notes what the device had presented when the program was asked for its
// graphics objects.
class PresentWatchingProgram : public CallbackProgram {
 public:
  std::vector<int> presentsAtCreate;
  std::vector<std::string> linesBefore;
  int CreateGraphicsObjectsCB() override {
    presentsAtCreate.push_back(D3D9RecordingRecorder().presents);
    linesBefore = D3D9RecordingRecorder().log;
    return CallbackProgram::CreateGraphicsObjectsCB();
  }
};

}  // namespace

TEST_F(EngWindowLifeTest, ANewDeviceShowsABlackFrameBeforeTheGraphicsObjectsLoad) {
  auto* program = new PresentWatchingProgram;
  program_.reset(program);
  ASSERT_EQ(program_->Init(nullptr, ""), 1);
  std::int8_t result = 0;
  ASSERT_NE(program_->CreateMainWindow("Black", EngWindowSettings{}, &result), nullptr);
  ASSERT_TRUE(EngResModesGetModesAvailable());
  Rec().Clear();
  const int presents = Rec().presents;
  ASSERT_TRUE(Window()->CreateGraphicsDevice());
  ASSERT_EQ(program->presentsAtCreate.size(), 1u);
  EXPECT_EQ(program->presentsAtCreate[0], presents + 1);
  // Cleared to black, then presented, before any texture or buffer exists.
  const std::vector<std::string>& log = program->linesBefore;
  const auto present = std::find(log.begin(), log.end(), "Present()");
  ASSERT_NE(present, log.end());
  EXPECT_NE(std::find(log.begin(), present, "Clear(0, 3, 0x00000000)"), present);
  EXPECT_EQ(std::count_if(log.begin(), present, [](const std::string& line) {
              return line.rfind("CreateTexture", 0) == 0 || line.rfind("CreateVertexBuffer", 0) == 0;
            }),
            0);

  // A device made again for another mode does the same.
  const EngResolutionRequest bigger = Request(true, 1024, 768);
  Window()->ChangeDeviceResolutionOnNextTick(&bigger);
  const int before = Rec().presents;
  Window()->Tick();
  ASSERT_EQ(program->presentsAtCreate.size(), 2u);
  EXPECT_EQ(program->presentsAtCreate[1], before + 1);
}
