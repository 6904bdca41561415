// ScenePixelTest.h - a fixture for pixel tests of 3D scenes on the GL device
// (Mesa under Xvfb): a 640 x 480 window with its device, a table camera
// (eye above the table at +z, up (0, 0, 1)), where a world point lands on
// the screen, the pixel there, and pictures saved as PNG under the build
// folder's "screenshots". Skips the test without a display.
#pragma once

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngLightsDX9.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Platform/D3D9GL.h"
#include "Platform/D3DXMath.h"
#include "Platform/Window.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

constexpr int kSceneWidth = 640;
constexpr int kSceneHeight = 480;

class ScenePixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    PlatformUseHeadlessWindows(false);
    D3D9SetFactory(nullptr);
    EngLightsResetForTests_DX9();
    program_ = std::make_unique<EngProgram>();
    std::int8_t result = 0;
    EngWindowSettings settings;
    settings.width = kSceneWidth;
    settings.height = kSceneHeight;
    window_ = program_->CreateMainWindow("Scene pixel test", settings, &result);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(window_->CreateGraphicsDevice());
  }
  void TearDown() override {
    if (window_) window_->DestroyDeviceAndWindow();
    program_.reset();
    EngLightsResetForTests_DX9();
    PlatformResetWindowsForTests();
    TempDirTest::TearDown();
  }
  EngDeviceDX9* Device() { return EngDeviceDX9GetCurrent(); }

  // A table camera: eye at (0, eyeY, eyeZ) looking at the origin.
  void Camera(float eyeY, float eyeZ) {
    Device()->SetPerspectiveFieldOfView(40.0f, false);
    Device()->SetPerspectiveAspect(static_cast<float>(kSceneWidth) / kSceneHeight, false);
    Device()->SetPerspectiveNearFar(1.0f, 500.0f, true);
    const D3DXVECTOR3 eye(0, eyeY, eyeZ), target(0, 0, 0);
    Device()->SetViewLookAt(&eye, &target);
  }
  // The pixel a world point lands on.
  void Project(float x, float y, float z, int* px, int* py) {
    const D3DXMATRIX m = Device()->GetView() * Device()->GetProjection();
    D3DXVECTOR3 p(x, y, z);
    D3DXVec3TransformCoord(&p, &p, &m);
    *px = static_cast<int>(std::lround((p.x + 1) * 0.5f * kSceneWidth));
    *py = static_cast<int>(std::lround((1 - p.y) * 0.5f * kSceneHeight));
  }
  std::uint32_t PixelAt(float x, float y, float z) {
    int px = 0, py = 0;
    Project(x, y, z, &px, &py);
    std::vector<std::uint32_t> pixel;
    Device()->SyncWithGPU();
    EXPECT_TRUE(D3D9GLReadPixels(px, py, 1, 1, &pixel));
    return pixel.empty() ? 0 : pixel[0] & 0xFFFFFF;
  }
  void BeginFrame() {
    Device()->SetClearColour(0.0f, 0.0f, 0.0f);
    ASSERT_TRUE(Device()->BeginRendering());
    Device()->ClearScreenAndDepth();
  }
  void SavePicture(const std::string& name) {
    std::vector<std::uint32_t> pixels;
    Device()->SyncWithGPU();
    ASSERT_TRUE(D3D9GLReadPixels(0, 0, kSceneWidth, kSceneHeight, &pixels));
    const std::filesystem::path folder = CARDOLIA_BUILD_DIR "/screenshots";
    std::filesystem::create_directories(folder);
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = kSceneWidth;
    png.height = kSceneHeight;
    png.format = PNG_FORMAT_BGRA;
    EXPECT_TRUE(png_image_write_to_file(&png, (folder / name).c_str(), 0, pixels.data(), 0, nullptr));
  }

  std::unique_ptr<EngProgram> program_;
  EngWindow* window_ = nullptr;
};

