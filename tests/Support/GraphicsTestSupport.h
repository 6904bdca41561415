// GraphicsTestSupport.h - a fixture for tests of the window and the graphics
// device without a display: headless window records and the recording
// device, a program object that records its callbacks, and helpers to start
// it with a window and a device.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngDevice.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Engine/DX9/ComDxWin.h"
#include "Engine/DX9/EngDeviceDX9.h"
#include "Platform/D3D9Recording.h"
#include "Platform/Dialogs.h"
#include "Platform/Window.h"
#include "tests/Support/TestSupport.h"

// A program that records its callbacks and the input events it receives.
class CallbackProgram : public EngProgram {
 public:
  std::vector<std::string> calls;
  struct Event {
    int kind, value1, value2;
  };
  std::vector<Event> events;

  int PreCreateWindowCB(EngWindowSettings*) override { return Record("PreCreateWindow"); }
  int PreDeviceInitCB() override { return Record("PreDeviceInit"); }
  int PostDeviceInitCB() override { return Record("PostDeviceInit"); }
  int PreCreateGraphicsObjectsCB() override { return Record("PreCreateGraphics"); }
  int CreateGraphicsObjectsCB() override { return Record("CreateGraphics"); }
  int PostCreateGraphicsObjectsCB() override { return Record("PostCreateGraphics"); }
  void PreDestroyGraphicsObjectsCB() override { Record("PreDestroyGraphics"); }
  void DestroyGraphicsObjectsCB() override { Record("DestroyGraphics"); }
  void PostDestroyGraphicsObjectsCB() override { Record("PostDestroyGraphics"); }
  void PreShutdownDeviceCB() override { Record("PreShutdownDevice"); }
  void PostShutdownDeviceCB() override { Record("PostShutdownDevice"); }
  void ExitCB() override { Record("Exit"); }
  void ActiveChangedCB(bool active) override { Record(active ? "Active" : "Inactive"); }
  void PostModeChangeCB() override { Record("ModeChange"); }
  bool InputEventCB(int kind, int value1, int value2) override {
    events.push_back({kind, value1, value2});
    return true;
  }

  int Record(const char* name) {
    calls.emplace_back(name);
    return 1;
  }
};

inline std::vector<std::string> CallNames(std::initializer_list<const char*> names) {
  return std::vector<std::string>(names.begin(), names.end());
}

class GraphicsTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    PlatformUseHeadlessWindows(true);
    D3D9UseRecording();
    EngWindowSetScreenMode(1, 640, 480, 32, -1);
    boxes_.clear();
    PlatformDialogsSetListener(
        [](const char* text, const char* caption, UINT, void* context) {
          static_cast<std::vector<std::string>*>(context)->push_back(std::string(caption) + ": " + text);
        },
        &boxes_);
  }

  void TearDown() override {
    if (program_) {
      program_->Shutdown();
      program_.reset();
    }
    PlatformResetWindowsForTests();
    D3D9SetFactory(nullptr);
    PlatformDialogsSetListener(nullptr, nullptr);
    TempDirTest::TearDown();
  }

  // True when a message box (caption: text) containing text was shown.
  bool BoxShown(const std::string& text) const {
    for (const auto& b : boxes_)
      if (b.find(text) != std::string::npos) return true;
    return false;
  }

  // Starts a program with a window of the given client size (windowed) or
  // mode (full screen) and creates its device; clears the callbacks seen.
  void Start(int width = 800, int height = 600, bool windowed = true) {
    program_ = std::make_unique<CallbackProgram>();
    ASSERT_EQ(program_->Init(nullptr, ""), 1);
    EngWindowSettings settings;
    settings.width = width;
    settings.height = height;
    settings.windowed = windowed ? 1 : 0;
    std::int8_t result = 0;
    ASSERT_NE(program_->CreateMainWindow("Test", settings, &result), nullptr);
    ASSERT_TRUE(EngResModesGetModesAvailable());
    ASSERT_TRUE(Window()->CreateGraphicsDevice());
    program_->calls.clear();
    program_->events.clear();
  }

  EngWindow* Window() const { return program_ ? program_->GetWindow() : nullptr; }
  EngDevice* Device() const { return EngDeviceGetCurrent(); }
  EngDeviceDX9* Back() const { return EngDeviceDX9GetCurrent(); }
  D3D9Recorder& Rec() const { return D3D9RecordingRecorder(); }
  HWND Handle() const { return Window() ? Window()->Win().handle : nullptr; }

  // Sends a message through the window procedure, as the pump would.
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(Handle(), message, wParam, lParam);
  }

  std::unique_ptr<CallbackProgram> program_;
  std::vector<std::string> boxes_;
};
