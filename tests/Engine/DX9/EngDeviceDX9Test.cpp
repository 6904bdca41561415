// Tests of the device back end on the recording device: creation and its
// failures, loss and re-creation, leak reports, render-state caching,
// blending, matrix stacks, the 2D bracket, camera refusals, picking and GPU
// sync.
#include <algorithm>
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "Engine/DX9/DxutEnumeration.h"
#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/EngColour.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

class EngDeviceDX9Test : public GraphicsTest {};

std::string RenderState(int state, int value) {
  return "SetRenderState(" + std::to_string(state) + ", " + std::to_string(value) + ")";
}

}  // namespace

TEST_F(EngDeviceDX9Test, CreationUsesTheWindowSizeAndAppliesTheDefaultState) {
  Start(800, 600);
  const D3DPRESENT_PARAMETERS& pp = Rec().presentParams;
  EXPECT_EQ(pp.BackBufferWidth, 800u);
  EXPECT_EQ(pp.BackBufferHeight, 600u);
  EXPECT_TRUE(pp.Windowed);
  EXPECT_EQ(pp.PresentationInterval, D3DPRESENT_INTERVAL_IMMEDIATE);
  EXPECT_EQ(pp.BackBufferFormat, D3DFMT_X8R8G8B8);
  EXPECT_TRUE(pp.EnableAutoDepthStencil);
  // Default state: blending off sent once, depth on, alpha modulation off.
  EXPECT_EQ(Rec().renderStates[D3DRS_ALPHABLENDENABLE], 0u);
  EXPECT_EQ(Rec().renderStates[D3DRS_ZENABLE], 1u);
  EXPECT_EQ(Rec().textureStageStates[D3DTSS_ALPHAOP], static_cast<DWORD>(D3DTOP_BLENDTEXTUREALPHA));
  EXPECT_EQ(Rec().renderStates[D3DRS_MULTISAMPLEANTIALIAS], 0u);
  EXPECT_EQ(EngWindowGetScreenMode().width, 800);
  EXPECT_EQ(EngWindowGetScreenMode().bitDepth, 32);
}

TEST_F(EngDeviceDX9Test, AntiAliasingForcesTheDiscardSwapEffect) {
  program_ = std::make_unique<CallbackProgram>();
  program_->Init(nullptr, "");
  EngWindowSettings settings;
  settings.multisampleType = 4;
  ASSERT_NE(program_->CreateMainWindow("AA", settings, nullptr), nullptr);
  ASSERT_TRUE(Window()->CreateGraphicsDevice());
  EXPECT_EQ(Rec().presentParams.MultiSampleType, D3DMULTISAMPLE_4_SAMPLES);
  EXPECT_EQ(Rec().presentParams.SwapEffect, D3DSWAPEFFECT_DISCARD);
  EXPECT_EQ(Rec().renderStates[D3DRS_MULTISAMPLEANTIALIAS], 1u);
}

TEST_F(EngDeviceDX9Test, FailedCreationLeavesNoDeviceAndTheRightAdvice) {
  struct Case {
    HRESULT hr;
    int multisample;
    const char* text;
  };
  const Case cases[] = {
      {D3DERR_OUTOFVIDEOMEMORY, 4, "Try turning off anti aliasing, or running in a lower resolution."},
      {D3DERR_OUTOFVIDEOMEMORY, 0, "Could not create the Direct3D device"},
      {D3DERR_NOTAVAILABLE, 0, "Error creating the Direct3D device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ClearLog();
    program_ = std::make_unique<CallbackProgram>();
    program_->Init(nullptr, "");
    EngWindowSettings settings;
    settings.multisampleType = c.multisample;
    ASSERT_NE(program_->CreateMainWindow("Fail", settings, nullptr), nullptr);
    Rec().FailCall("CreateDevice", c.hr);
    EXPECT_FALSE(Window()->CreateGraphicsDevice());
    EXPECT_TRUE(BoxShown(c.text));
    EXPECT_TRUE(BoxShown("EngDeviceDX9::Create: Could not change device"));
    EXPECT_EQ(EngDeviceGetCurrent(), nullptr);
    EXPECT_EQ(EngDeviceDX9GetD3DDevice(), nullptr);
    EXPECT_EQ(D3D9LiveDeviceCount(), 0);
    program_->Shutdown();
    program_.reset();
    PlatformResetWindowsForTests();
  }
}

TEST_F(EngDeviceDX9Test, AFailureAfterTheDeviceExistsReleasesItAndItsSettings) {
  Start();
  const DxutDeviceSettings settings = *Back()->GetSettings();
  // Without the adapter's enumeration record the change fails after
  // CreateDevice has made the new device.
  DxutEnumerationReset();
  const int created = Rec().devicesCreated;
  EXPECT_FALSE(Back()->DoChangeDevice(settings));
  EXPECT_EQ(Rec().devicesCreated, created + 1);
  EXPECT_TRUE(BoxShown("EngDeviceDX9::DoChangeDevice: DxutEnumerationGetAdapterInfoNew() failed"));
  EXPECT_EQ(EngDeviceDX9GetD3DDevice(), nullptr);
  EXPECT_EQ(D3D9LiveDeviceCount(), 0);
  EXPECT_EQ(Back()->GetSettings(), nullptr);
}

TEST_F(EngDeviceDX9Test, LostDeviceSkipsFramesThenAsksForOneRecreation) {
  Start();
  D3D9RecordingLoseDevice(2);
  Device()->SwapBuffers();  // Present reports the loss
  EXPECT_TRUE(Back()->IsDeviceLost());
  EXPECT_TRUE(LogContains("Warning: Device Lost..."));
  EXPECT_FALSE(Device()->BeginRendering());  // still lost
  EXPECT_FALSE(Window()->IsRecreatePending());
  EXPECT_FALSE(Device()->BeginRendering());  // can be reset now
  EXPECT_TRUE(Window()->IsRecreatePending());
  const int created = Rec().devicesCreated;
  Window()->Tick();
  EXPECT_EQ(Rec().devicesCreated, created + 1);
  EXPECT_FALSE(Window()->IsRecreatePending());
  EXPECT_EQ(program_->calls, CallNames({"PreDestroyGraphics", "DestroyGraphics", "PostDestroyGraphics",
                                        "PreCreateGraphics", "CreateGraphics", "PostCreateGraphics"}));
  EXPECT_TRUE(Device()->BeginRendering());
  Device()->EndRendering();
}

// Each step of a window-size drag makes the device anew: the log names the
// renderer at the first device only.
TEST_F(EngDeviceDX9Test, DevicesMadeAnewDoNotNameTheRendererAgain) {
  EngDeviceDX9ResetNotesForTests();
  Start();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(Window()->RecreateDevice());
  const auto named = std::count_if(LogLines().begin(), LogLines().end(), [](const std::string& line) {
    return line.find("[DxDevices] Renderer: ") != std::string::npos;
  });
  EXPECT_EQ(named, 1);
}

TEST_F(EngDeviceDX9Test, LeakedObjectsAreCountedOnceAndRefusedAfterwards) {
  Start();
  IDirect3DVertexBuffer9* leaked = nullptr;
  ASSERT_EQ(EngDeviceDX9GetD3DDevice()->CreateVertexBuffer(64, 0, D3DFVF_XYZ, D3DPOOL_MANAGED, &leaked, nullptr),
            D3D_OK);
  Back()->Cleanup3DEnvironment(false);
  EXPECT_TRUE(LogContains("Graphics objects not released [1]"));
  EXPECT_FALSE(LogContains(">> Graphics objects not released"));
  EXPECT_EQ(D3D9LiveDeviceCount(), 0);
  void* data = nullptr;
  EXPECT_EQ(leaked->Lock(0, 0, &data, 0), D3DERR_INVALIDCALL);  // stale handle
  EXPECT_EQ(leaked->Release(), 0u);
  EXPECT_EQ(D3D9LiveResourceCount(), 0);
}

TEST_F(EngDeviceDX9Test, BeginRenderingTwiceClosesTheOpenScene) {
  Start();
  EXPECT_TRUE(Device()->BeginRendering());
  EXPECT_TRUE(Device()->BeginRendering());
  EXPECT_TRUE(LogContains("Already rendering"));
  EXPECT_EQ(Rec().Count("EndScene()"), 1);
  EXPECT_FALSE(Device()->BeginRenderingIfNotRendering());
  Device()->EndRendering();
  Device()->EndRendering();
  EXPECT_TRUE(LogContains("Not rendering"));
}

TEST_F(EngDeviceDX9Test, BlendingTypesMapToTheirFactorsAndAreSentOnlyOnChange) {
  Start();
  const int expected[18][2] = {{5, 6}, {5, 5}, {5, 9}, {2, 5}, {3, 5},  {3, 4},  {4, 4}, {2, 6}, {5, 2},
                               {3, 6}, {2, 2}, {6, 2}, {4, 2}, {3, 2}, {1, 4}, {6, 5}, {3, 2}, {2, 4}};
  for (int type = 0; type < 18; ++type) {
    SCOPED_TRACE(type);
    Device()->EnableBlendingType(type);
    bool on = false;
    int source = 0, destination = 0;
    EXPECT_TRUE(Device()->GetBlendingState(&on, &source, &destination));
    EXPECT_EQ(source, expected[type][0]);
    EXPECT_EQ(destination, expected[type][1]);
    EXPECT_EQ(Rec().renderStates[D3DRS_SRCBLEND], static_cast<DWORD>(expected[type][0]));
    EXPECT_EQ(Rec().renderStates[D3DRS_DESTBLEND], static_cast<DWORD>(expected[type][1]));
  }
  Device()->DisableBlending();
  Rec().Clear();
  Device()->EnableBlendingType(0);
  Device()->EnableBlendingType(0);
  EXPECT_EQ(Rec().CountPrefix("SetRenderState(19,"), 1);
  EXPECT_EQ(Rec().CountPrefix("SetRenderState(20,"), 1);
  EXPECT_EQ(Rec().Count(RenderState(D3DRS_ALPHABLENDENABLE, 1)), 1);
  Rec().Clear();
  Device()->EnableBlendingType(16);  // 13 and 16 are the same pair
  Device()->EnableBlendingType(13);
  EXPECT_EQ(Rec().CountPrefix("SetRenderState("), 2);
  Device()->EnableBlendingType(18);
  EXPECT_TRUE(LogContains("Invalid Blending Type 18"));
}

TEST_F(EngDeviceDX9Test, BlendingStateSavesOnceAndRestores) {
  Start();
  Device()->EnableBlendingType(3);
  EXPECT_TRUE(Device()->SaveOrRestoreBlendingState(true));
  EXPECT_FALSE(Device()->SaveOrRestoreBlendingState(true));
  EXPECT_TRUE(LogContains("Already saved"));
  Device()->DisableBlending();
  EXPECT_TRUE(Device()->SaveOrRestoreBlendingState(false));
  int source = 0, destination = 0;
  EXPECT_TRUE(Device()->GetBlendingState(nullptr, &source, &destination));
  EXPECT_EQ(source, D3DBLEND_ONE);
  EXPECT_EQ(destination, D3DBLEND_SRCALPHA);
  EXPECT_FALSE(Device()->SaveOrRestoreBlendingState(false));
  EXPECT_TRUE(LogContains("Not saved"));
}

TEST_F(EngDeviceDX9Test, ClearColourClampsEachChannel) {
  Start();
  Back()->SetClearColour(1.0f, 0.5f, 0.0f);
  EXPECT_EQ(Back()->GetClearColour(), 0xFFFF7F00u);
  // Out-of-range channels clamp instead of wrapping (1.2 x 255 would be 50).
  Back()->SetClearColour(1.2f, -0.3f, 0.25f);
  EXPECT_EQ(Back()->GetClearColour(), 0xFFFF003Fu);
  Back()->SetClearColour(NAN, 1.0f, 0.0f);
  EXPECT_EQ(Back()->GetClearColour(), 0xFF00FF00u);
  Back()->SetClearColourFromRecord(nullptr);
  EXPECT_EQ(Back()->GetClearColour(), 0xFF000000u);
  const EngColour grey{0.2f, 0.4f, 0.3f, 1.0f};
  Device()->SetClearColourFromRecord(&grey);
  Device()->ClearScreenAndDepth();
  EXPECT_EQ(Rec().log.back(), "Clear(0, 3, 0xff33664c)");
}

TEST_F(EngDeviceDX9Test, LightingDepthAndCullingAreCachedFlags) {
  Start();
  Rec().Clear();
  EXPECT_TRUE(Device()->IsLightingOn());
  Device()->EnableLighting();  // already on: nothing sent
  EXPECT_TRUE(Rec().log.empty());
  EXPECT_TRUE(Device()->DisableLightingIfOn());
  EXPECT_FALSE(Device()->DisableLightingIfOn());
  EXPECT_EQ(Rec().Count(RenderState(D3DRS_LIGHTING, 0)), 1);

  EXPECT_TRUE(Device()->SuspendDepthTestIfOn());
  EXPECT_FALSE(Device()->SuspendDepthTestIfOn());
  Device()->ResumeDepthTest();
  Device()->ResumeDepthTest();
  EXPECT_EQ(Rec().Count(RenderState(D3DRS_ZENABLE, 0)), 1);
  EXPECT_EQ(Rec().Count(RenderState(D3DRS_ZENABLE, 1)), 1);

  Device()->ShowTwoSidedPolygons(true);
  EXPECT_EQ(Rec().renderStates[D3DRS_CULLMODE], static_cast<DWORD>(D3DCULL_NONE));
  Device()->ShowTwoSidedPolygons(true);
  EXPECT_TRUE(LogContains("Flag already set to 1"));
  Device()->ShowTwoSidedPolygons(false);
  EXPECT_EQ(Rec().renderStates[D3DRS_CULLMODE], static_cast<DWORD>(D3DCULL_CCW));
}

TEST_F(EngDeviceDX9Test, MatrixStacksHoldTenLevels) {
  Start();
  for (int i = 0; i < 10; ++i) {
    Device()->SetWorldTranslation(static_cast<float>(i), 0.0f, 0.0f);
    Back()->PushAllMatrices();
  }
  EXPECT_FALSE(LogContains("Too many pushes"));
  Back()->PushAllMatrices();
  EXPECT_TRUE(LogContains("Too many pushes"));
  for (int i = 9; i >= 0; --i) {
    Back()->PopAllMatrices();
    EXPECT_FLOAT_EQ(Back()->GetWorld()._41, static_cast<float>(i));
  }
  Back()->PopAllMatrices();
  EXPECT_TRUE(LogContains("Not pushed"));

  Device()->SetWorldTranslation(7.0f, 0.0f, 0.0f);
  Device()->PushTransformMatrix();
  Back()->PushAllMatrices();
  EXPECT_TRUE(LogContains("Transform matrix stack level not 0 (1)"));
  Back()->PopAllMatrices();
  Device()->SetWorldTranslation(1.0f, 0.0f, 0.0f);
  Device()->PopTransformMatrix();
  EXPECT_FLOAT_EQ(Rec().transforms[D3DTS_WORLD]._41, 7.0f);
  Device()->PopTransformMatrix();
  EXPECT_TRUE(LogContains("Not pushed"));
}

TEST_F(EngDeviceDX9Test, TheTwoDBracketIdentityMatricesNoLightNoDepth) {
  Start();
  Device()->SetWorldTranslation(3.0f, 2.0f, 1.0f);
  Device()->PrepareFor2D(true);
  EXPECT_TRUE(Device()->IsIn2DMode());
  EXPECT_FALSE(Device()->IsLightingOn());
  EXPECT_EQ(Rec().renderStates[D3DRS_ZENABLE], 0u);
  EXPECT_EQ(Rec().transforms[D3DTS_WORLD]._41, 0.0f);
  EXPECT_EQ(Rec().transforms[D3DTS_PROJECTION]._11, 1.0f);
  Device()->PrepareFor2D(true);
  EXPECT_TRUE(LogContains("Already Called"));
  EXPECT_FALSE(Device()->PrepareFor2DIfNotPrepared(true));
  Device()->RestoreAfter2D();
  EXPECT_FALSE(Device()->IsIn2DMode());
  EXPECT_TRUE(Device()->IsLightingOn());
  EXPECT_EQ(Rec().renderStates[D3DRS_ZENABLE], 1u);
  EXPECT_FLOAT_EQ(Rec().transforms[D3DTS_WORLD]._41, 3.0f);
  Device()->RestoreAfter2D();
  EXPECT_TRUE(LogContains("Not prepared"));
}

TEST_F(EngDeviceDX9Test, DegenerateCamerasAreRefusedAndTheOldOneKept) {
  Start();
  Device()->SetPerspectiveAspect(1.5f, true);
  const D3DMATRIX before = Rec().transforms[D3DTS_PROJECTION];
  Device()->SetPerspectiveAspect(0.0f, true);
  EXPECT_TRUE(LogContains("Bad Aspect [ 0.000]"));
  for (float fov : {0.0f, 180.0f, -10.0f, NAN}) Device()->SetPerspectiveFieldOfView(fov, true);
  Device()->SetPerspectiveNearFar(5.0f, 5.0f, true);
  EXPECT_TRUE(LogContains("Bad Near/Far"));
  const D3DMATRIX after = Rec().transforms[D3DTS_PROJECTION];
  EXPECT_EQ(std::memcmp(&before, &after, sizeof(before)), 0);
  int refusals = 0;
  for (const auto& line : LogLines()) refusals += line.find("Bad Field Of View") != std::string::npos;
  EXPECT_EQ(refusals, 4);
  // Nothing refused was kept: applying the projection again gives the old one.
  Device()->SetPerspectiveAspect(1.5f, true);
  EXPECT_EQ(std::memcmp(&before, &Rec().transforms[D3DTS_PROJECTION], sizeof(before)), 0);

  const float eye[3] = {0.0f, -10.0f, 10.0f}, target[3] = {0.0f, 0.0f, 0.0f};
  Device()->SetViewLookAt(eye, target);
  const D3DMATRIX view = Rec().transforms[D3DTS_VIEW];
  Device()->SetViewLookAt(target, target);
  EXPECT_TRUE(LogContains("Eye and target are the same point"));
  EXPECT_EQ(std::memcmp(&view, &Rec().transforms[D3DTS_VIEW], sizeof(view)), 0);
  for (int i = 0; i < 16; ++i) EXPECT_FALSE(std::isnan((&view._11)[i]));
}

TEST_F(EngDeviceDX9Test, PickingFindsTheWorldPointUnderItsPixel) {
  Start(800, 600);
  Device()->SetPerspectiveAspect(800.0f / 600.0f, false);
  Device()->SetPerspectiveNearFar(0.1f, 100.0f, true);
  const float eye[3] = {1.0f, -8.0f, 12.0f}, target[3] = {0.5f, 0.5f, 0.0f};
  Device()->SetViewLookAt(eye, target);
  // Project world points on the plane z = 0.25 to pixels, then pick them back.
  for (const D3DXVECTOR3& world : {D3DXVECTOR3(0.0f, 0.0f, 0.25f), D3DXVECTOR3(2.0f, -1.5f, 0.25f)}) {
    D3DXVECTOR3 clip;
    const D3DXMATRIX viewProjection = Back()->GetView() * Back()->GetProjection();
    D3DXVec3TransformCoord(&clip, &world, &viewProjection);
    const float px = (clip.x + 1.0f) * 0.5f * 800.0f, py = (1.0f - clip.y) * 0.5f * 600.0f;
    float sx = 0.0f, sy = 0.0f;
    ASSERT_TRUE(Device()->WorldPointToScreen(world.x, world.y, world.z, &sx, &sy));
    EXPECT_NEAR(sx, px, 1e-2);
    EXPECT_NEAR(sy, py, 1e-2);
    float x = 0.0f, y = 0.0f;
    ASSERT_TRUE(Device()->ScreenPointToPlaneZ(px, py, 0.25f, &x, &y));
    EXPECT_NEAR(x, world.x, 1e-3);
    EXPECT_NEAR(y, world.y, 1e-3);
  }
  // A point behind the eye is seen nowhere.
  float sx = 0.0f, sy = 0.0f;
  EXPECT_FALSE(Device()->WorldPointToScreen(1.5f, -17.0f, 24.0f, &sx, &sy));
  // Outside a given viewport: false and nothing written.
  const D3DVIEWPORT9 viewport{100, 100, 200, 200, 0.0f, 1.0f};
  float x = 42.0f, y = 42.0f;
  EXPECT_FALSE(Back()->ScreenPointToPlaneZInViewport(&viewport, 50.0f, 150.0f, 0.0f, &x, &y));
  EXPECT_EQ(x, 42.0f);
  EXPECT_EQ(y, 42.0f);
}

TEST_F(EngDeviceDX9Test, GpuSyncMethodsAndSwitchingOnFailure) {
  Start();
  program_->SetSyncWithGpuMethod(true, 0, true);
  Rec().Clear();
  Device()->SyncWithGPU();
  EXPECT_EQ(Rec().CountPrefix("CreateOffscreenPlainSurface(16, 16, 21)"), 2);
  EXPECT_EQ(Rec().Count("ColorFill(0x00000000)"), 1);
  Device()->SyncWithGPU();
  EXPECT_EQ(Rec().CountPrefix("CreateOffscreenPlainSurface"), 2);  // made once

  // Method 0 failing switches to method 1, which works.
  Back()->DoSyncGpuWithCpuUsingLockedSurfaces(true);
  Rec().FailCall("ColorFill", E_FAIL);
  Device()->SyncWithGPU();
  EXPECT_TRUE(LogContains("Sync method 0 failed"));
  EXPECT_TRUE(LogContains("EngDeviceDX9::SyncWithGPU - Trying method 1 ..."));
  EXPECT_EQ(program_->GetSyncWithGpuMethod(), 1);
  EXPECT_EQ(Rec().Count("CreateQuery(8)"), 1);
  // Without permission to switch a failure drops syncing.
  program_->SetSyncWithGpuMethod(true, 1, false);
  Back()->DoSyncGpuWithCpuUsingEvents(true);
  Rec().FailCall("CreateQuery", E_FAIL);
  Device()->SyncWithGPU();
  EXPECT_EQ(program_->GetSyncWithGpuMethod(), -1);
}

TEST_F(EngDeviceDX9Test, ResultCheckAndFormatTable) {
  EXPECT_TRUE(EngUtilsDX9_CheckResult("Caller", "Call", S_OK));
  EXPECT_FALSE(EngUtilsDX9_CheckResult("Caller", "Call", S_FALSE));
  EXPECT_TRUE(LogContains("( Caller )    Call: Unknown error <0x1>"));
  EXPECT_FALSE(EngUtilsDX9_CheckResult("Caller", "Present", D3DERR_DEVICELOST));
  EXPECT_TRUE(LogContains("Present: The device has been lost but cannot be reset at this time."));

  bool alpha = false;
  EXPECT_EQ(EngUtilsDX9_GetBitdepthFromFormat(D3DFMT_A8R8G8B8, &alpha, true), 32);
  EXPECT_TRUE(alpha);
  EXPECT_EQ(EngUtilsDX9_GetBitdepthFromFormat(D3DFMT_R5G6B5, &alpha, true), 16);
  EXPECT_FALSE(alpha);
  EXPECT_EQ(EngUtilsDX9_GetBitdepthFromFormat(D3DFMT_D16, nullptr, true), 0);
  EXPECT_TRUE(LogContains("Unrecognised format [80]"));

  IDirect3D9* first = EngUtilsDX9_CreateD3D(false);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(EngUtilsDX9_CreateD3D(false), first);
  EXPECT_TRUE(LogContains("Already called"));
  EngUtilsDX9_ReleaseD3D();
  EngUtilsDX9_ReleaseD3D();
  EXPECT_TRUE(LogContains("Not created"));
}
