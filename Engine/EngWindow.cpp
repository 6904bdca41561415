// EngWindow.cpp - the window and device life cycle (see EngWindow.h for the
// callback order of each transition).
//
// State: g_screenMode (windowed 640 x 480 at start, never reset),
// g_lastWindow (none at start, kept as windows are left), g_keyStates
// (cleared by each window's constructor), g_currentWindow (set by Create,
// cleared when the window goes).
#include "Engine/EngWindow.h"

#include <cstdlib>
#include <cstring>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"

namespace {

EngScreenMode g_screenMode;
EngLastWindow g_lastWindow;
std::uint8_t g_keyStates[256];
EngWindow* g_currentWindow = nullptr;

// Reports a callback result: 0 is a failure to report, below 0 one already
// reported. True when it passed.
bool Passed(int result, const char* where, const char* text) {
  if (result == 0) DebugError(where, "%s", text);
  return result >= 1;
}

}  // namespace

const EngScreenMode& EngWindowGetScreenMode() { return g_screenMode; }

void EngWindowSetScreenMode(int windowed, int width, int height, int bitDepth, int aaEntry) {
  if (windowed >= 0) g_screenMode.windowed = windowed ? 1 : 0;
  if (width > 0) g_screenMode.width = width;
  if (height > 0) g_screenMode.height = height;
  if (bitDepth > 0) g_screenMode.bitDepth = bitDepth;
  if (aaEntry > 0) g_screenMode.aaEntry = aaEntry;
  EngWindowRecomputeScaleFactors();
}

void EngWindowRecomputeScaleFactors() {
  if (g_screenMode.width < 1) g_screenMode.width = 1;
  if (g_screenMode.height < 1) g_screenMode.height = 1;
  g_screenMode.xScale = static_cast<float>(g_screenMode.width) / 640.0f;
  g_screenMode.yScale = static_cast<float>(g_screenMode.height) / 480.0f;
  g_screenMode.xInvScale = 640.0f / static_cast<float>(g_screenMode.width);
  g_screenMode.yInvScale = 480.0f / static_cast<float>(g_screenMode.height);
}

const EngLastWindow& EngWindowGetLastWindow() { return g_lastWindow; }

void EngWindowSetLastWindow(int x, int y, int width, int height) {
  g_lastWindow = EngLastWindow{x, y, width > 0 ? width : 0, height > 0 ? height : 0};
}

std::uint8_t* EngWindowGetKeyStates() { return g_keyStates; }
EngWindow* EngWindowGetCurrent() { return g_currentWindow; }
bool EngWindowIsDeviceCurrent() { return EngDeviceGetCurrent() != nullptr; }

// ---- Construction ---------------------------------------------------------------------

EngWindow::EngWindow(EngProgram* program, const char* title)
    : program_(program), win_(std::make_unique<ComDxWinState>()) {
  std::memset(g_keyStates, 0, sizeof(g_keyStates));
  if (title) {
    std::strncpy(title_, title, sizeof(title_) - 1);
    title_[sizeof(title_) - 1] = '\0';
  }
  ComDxWinResetWindowState(this);
}

EngWindow::~EngWindow() {
  QuitHook();
  DestroyDeviceAndWindow();
}

int EngWindow::Create(const EngWindowSettings& settings) {
  if (!program_) return 0;
  EngWindowSettings copy = settings;
  const int result = program_->PreCreateWindowCB(&copy);
  if (result == 0) DebugError("EngWindow::Create", "PreCreateWindowCB() failed");
  if (result < 1) return result;
  if (!ComDxWinCreateWindow(this, copy)) return 0;
  settings_ = copy;
  g_currentWindow = this;
  return 1;
}

// ---- Device life ------------------------------------------------------------------------

bool EngWindow::CreateGraphicsDevice() {
  const char* where = "EngWindow::CreateGraphicsDevice";
  if (!program_) return false;
  if (!changingMode_ && !Passed(program_->PreDeviceInitCB(), where, "PreDeviceInitCB() failed")) return false;
  if (!device_) device_ = new EngDevice(this);
  if (!DoCreateGraphicsDevice()) return false;
  if (!changingMode_) {
    if (!Passed(program_->PostDeviceInitCB(), where, "PostDeviceInitCB() failed")) return false;
    program_->SetDeviceInitialised(true);
  }
  return true;
}

bool EngWindow::DoCreateGraphicsDevice() {
  const char* where = "EngWindow::DoCreateGraphicsDevice";
  if (!program_) return false;
  if (!device_) {
    DebugError(where, "No device");
    return false;
  }
  if (device_->IsCreated()) {
    DebugError(where, "Device already created");
    return true;
  }
  if (!device_->Create(g_screenMode.windowed, g_screenMode.width, g_screenMode.height, g_screenMode.bitDepth,
                       g_screenMode.aaEntry))
    return false;
  // The window shows a frame at once (a new device clears to black), not
  // whatever lay under it while the graphics objects load.
  device_->ClearScreenAndDepth();
  device_->SwapBuffers();
  if (!Passed(program_->PreCreateGraphicsObjectsCB(), where, "PreCreateGraphicsObjectsCB() failed")) return false;
  if (program_->CreateGraphicsObjectsCB() == 0) {
    DebugError(where, "CreateGraphicsObjectsCB() failed");
    return false;
  }
  return Passed(program_->PostCreateGraphicsObjectsCB(), where, "PostCreateGraphicsObjectsCB() failed");
}

void EngWindow::DestroyGraphicsDevice() {
  // Without a device object there is no device to shut down.
  if (!program_ || !device_) return;
  if (!changingMode_) program_->PreShutdownDeviceCB();
  DoDestroyGraphicsDevice();
  delete device_;
  device_ = nullptr;
  if (!changingMode_) program_->PostShutdownDeviceCB();
}

void EngWindow::DoDestroyGraphicsDevice() {
  if (!program_) return;
  program_->PreDestroyGraphicsObjectsCB();
  program_->DestroyGraphicsObjectsCB();
  if (device_) device_->Destroy();
  program_->PostDestroyGraphicsObjectsCB();
}

void EngWindow::DestroyDeviceAndWindow() {
  DestroyGraphicsDevice();
  ComDxWinDestroyWindow(this);
  if (g_currentWindow == this) g_currentWindow = nullptr;
}

bool EngWindow::IsDeviceCreated() const { return device_ && device_->IsCreated(); }

void EngWindow::DeviceClearScreenAndDepth(float red, float green, float blue) {
  if (!IsDeviceCreated()) return;
  device_->SetClearColour(red, green, blue);
  device_->ClearScreenAndDepth();
}

void EngWindow::DeviceSyncWithGpu() {
  if (IsDeviceCreated()) device_->SyncWithGPU();
}

void EngWindow::DeviceSwapBuffers() {
  if (IsDeviceCreated()) device_->SwapBuffers();
}

bool EngWindow::DeviceKeepsFrames() const { return IsDeviceCreated() && device_->KeepsFrames(); }

void EngWindow::DeviceLimitDrawingTo(const EngFramesArea* area) {
  if (IsDeviceCreated()) device_->LimitDrawingTo(area);
}

void EngWindow::DeviceSwapBuffersArea(const EngFramesArea* area) {
  if (IsDeviceCreated()) device_->SwapBuffersArea(area);
}

// ---- Requests for the next pass ---------------------------------------------------------

void EngWindow::ChangeDeviceResolutionOnNextTick(const EngResolutionRequest* request) {
  if (!request || !request->valid) {
    DebugError("EngWindow::ChangeDeviceResolutionOnNextTick", "Invalid parameter");
    return;
  }
  request_ = *request;
  requestPending_ = true;
}

bool EngWindow::RecreateDevice() { return DoRecreateDevice(EngProgramGetMainDeviceType()); }

void EngWindow::Tick() {
  if (recreateOnNextTick_) {
    recreateOnNextTick_ = false;
    DoRecreateDevice(EngProgramGetMainDeviceType());
  } else if (requestPending_) {
    requestPending_ = false;
    DoChangeResolution();
  }
  if (ComDxWinProcessMessage() == 0 && program_) program_->SetQuitFlag();
  // The message may have ended the program and with it this window.
  if (g_currentWindow != this) return;
  // A new size from this message: the device takes it before the pass
  // draws, or the pass would lay a viewport of the new size on the old,
  // smaller back buffer.
  if (recreateOnNextTick_ && IsDeviceCreated()) {
    recreateOnNextTick_ = false;
    DoRecreateDevice(EngProgramGetMainDeviceType());
  }
}

// ---- Transitions --------------------------------------------------------------------------

bool EngWindow::DoRecreateDevice(int deviceType) {
  const char* where = "EngWindow::DoRecreateDevice";
  if (!IsDeviceCreated()) {
    DebugError(where, "Device not created");
    return false;
  }
  recreating_ = true;
  DoDestroyGraphicsDevice();
  MinimiseIfInactive(-1);
  if (deviceType != EngProgramGetMainDeviceType()) program_->SetMainDeviceType(deviceType);
  EngResModesGetModesAvailable();
  const char* failure = nullptr;
  if (!SetWindowStyleForMode(-1, -1, -1, -1, -1, false))
    failure = "Could not prepare mode";
  else if (!DoCreateGraphicsDevice())
    failure = "Could not re-create graphics device and/or objects";
  recreating_ = false;
  if (failure) {
    DebugError(where, "%s", failure);
    return false;
  }
  EngWindowRecomputeScaleFactors();
  return true;
}

bool EngWindow::ChangeMode(const EngResolutionRequest& request, const char* where) {
  if (!IsDeviceCreated()) {
    DebugError(where, "Device not created");
    return false;
  }
  if (!request.valid) {
    DebugError(where, "Internal Error");
    return false;
  }
  DebugNote("%s - Destroying device", where);
  if (g_screenMode.windowed) {
    int x = -1, y = -1;
    GetWindowPos(&x, &y);
    g_lastWindow = EngLastWindow{x, y, g_screenMode.width, g_screenMode.height};
  }
  changingMode_ = true;
  DestroyDeviceAndWindow();
  program_->ClearQuitFlag();

  DebugNote("%s - Restoring", where);
  EngWindowSettings settings = settings_;
  settings.width = request.width;
  settings.height = request.height;
  settings.bitDepth = request.bitDepth;
  settings.aaEntry = request.aaEntry;
  settings.refreshRate = request.refreshRate;
  settings.multisampleType = request.multisampleType;
  settings.multisampleQuality = request.multisampleQuality;
  settings.windowed = request.windowed ? 1 : 0;
  // A window comes back where the player had it.
  if (request.windowed && g_lastWindow.width > 0) {
    settings.x = g_lastWindow.x;
    settings.y = g_lastWindow.y;
  }
  if (!request.windowed) {
    int width = settings.width, height = settings.height, bitDepth = settings.bitDepth, aaEntry = settings.aaEntry;
    if (EngResModesGetClosestFullScreenModeToMode(&width, &height, &bitDepth, &aaEntry)) {
      settings.width = width;
      settings.height = height;
      settings.bitDepth = bitDepth;
    }
  } else {
    int bitDepth = settings.bitDepth, aaEntry = settings.aaEntry;
    if (EngResModesGetWindowedModeDetails(nullptr, nullptr, &bitDepth, &aaEntry)) {
      settings.bitDepth = bitDepth;
      settings.aaEntry = aaEntry;
    }
  }
  // The new window starts from the settings' size and mode.
  EngWindowSetScreenMode(settings.windowed, settings.width, settings.height, settings.bitDepth, -1);

  const char* failure = nullptr;
  DebugNote("%s - Creating window", where);
  if (Create(settings) < 1) {
    failure = "Could not re-create window";
  } else {
    DebugNote("%s - Creating device", where);
    if (!CreateGraphicsDevice()) failure = "Could not re-create graphics device and/or objects";
  }
  changingMode_ = false;
  if (failure) {
    DebugError(where, "%s", failure);
    return false;
  }
  DebugNote("%s - Done", where);
  EngWindowRecomputeScaleFactors();
  return true;
}

bool EngWindow::DoChangeResolution() {
  const bool ok = ChangeMode(request_, "EngWindow::DoChangeResolution");
  if (ok) request_ = EngResolutionRequest{};
  return ok;
}

bool EngWindow::ToggleFullscreenMode() {
  EngResolutionRequest target{};
  target.valid = 1;
  target.windowed = g_screenMode.windowed ? 0 : 1;
  target.width = g_screenMode.width;
  target.height = g_screenMode.height;
  // Back to the window the player had, not one of the full screen's size.
  if (target.windowed && g_lastWindow.width > 0 && g_lastWindow.height > 0) {
    target.width = g_lastWindow.width;
    target.height = g_lastWindow.height;
  }
  target.bitDepth = g_screenMode.bitDepth;
  target.aaEntry = g_screenMode.aaEntry;
  target.refreshRate = settings_.refreshRate;
  target.multisampleType = settings_.multisampleType;
  target.multisampleQuality = settings_.multisampleQuality;
  if (!ChangeMode(target, "EngWindow::ToggleFullscreenMode")) return false;
  program_->PostModeChangeCB();
  return true;
}

// ---- From the window procedure -----------------------------------------------------------

void EngWindow::GotActiveMsg(bool active) {
  if (!program_ || program_->GetQuitFlag() || recreating_ || changingMode_ || active == active_) return;
  active_ = active;
  if (!g_screenMode.windowed) {
    if (!active && IsDeviceCreated()) {
      DebugNote("EngWindow::GotActiveMsg - Destroying as full screen not active");
      DoDestroyGraphicsDevice();
      MinimiseIfInactive(-1);
    } else if (active && device_ && !device_->IsCreated()) {
      DebugNote("EngWindow::GotActiveMsg - Creating as full screen active");
      if (!SetWindowStyleForMode(-1, -1, -1, -1, -1, false)) {
        program_->ExitWithMessage("ERROR", "Could not prepare for fullscreen mode");
        std::exit(-1);
      }
      if (!DoCreateGraphicsDevice()) {
        program_->ExitWithMessage("ERROR", "Could not re-create graphics device and/or objects");
        std::exit(-1);
      }
      // Its end, as a mode change logs its own.
      DebugNote("EngWindow::GotActiveMsg - Done");
    }
  }
  program_->NotifyActiveChanged(active);
}

void EngWindow::GotSizeMsg(int width, int height) {
  EngWindowSetScreenMode(-1, width, height, 0, 0);
  // A drag sends many sizes: the device is made once, on the next pass (its
  // default state then takes the new full-screen viewport; until then the
  // old device keeps the old one, which still fits its back buffer).
  if (IsDeviceCreated()) RecreateDeviceOnNextTick();
  if (program_) program_->NotifyModeChanged();
}

// ---- Forwarders to the system side --------------------------------------------------------

bool EngWindow::GetWindowPos(int* x, int* y) {
  if (!g_screenMode.windowed) {
    DebugError("EngWindow::GetWindowPos", "Not running in windowed mode");
    if (x) *x = 0;
    if (y) *y = 0;
    return false;
  }
  return ComDxWinGetWindowPos(this, x, y);
}

void EngWindow::SetTitle(const char* text) {
  title_[0] = '\0';
  if (text) {
    std::strncpy(title_, text, sizeof(title_) - 1);
    title_[sizeof(title_) - 1] = '\0';
  }
  ComDxWinSetWindowTitle(this);
}

void EngWindow::SetCursorPos(float x, float y) {
  if (Win().handle) ComDxWinSetCursorPos(this, x, y);
}

void EngWindow::GetCursorPos(int* x, int* y) {
  if (Win().handle) {
    ComDxWinGetCursorPos(this, x, y);
    return;
  }
  if (x) *x = 0;
  if (y) *y = 0;
}

void EngWindow::ShowCursor() {
  if (Win().handle) ComDxWinShowCursor(this);
}

void EngWindow::HideCursor() {
  if (Win().handle) ComDxWinHideCursor(this);
}

bool EngWindow::SetWindowStyleForMode(int windowed, int width, int height, int bitDepth, int aaEntry,
                                      bool storeOnly) {
  if (windowed < 0) windowed = g_screenMode.windowed;
  if (width < 0) width = g_screenMode.width;
  if (height < 0) height = g_screenMode.height;
  if (bitDepth < 0) bitDepth = g_screenMode.bitDepth;
  if (aaEntry < 0) aaEntry = g_screenMode.aaEntry;
  return ComDxWinSetWindowStyleForMode(this, windowed, width, height, bitDepth, aaEntry, storeOnly);
}

void EngWindow::MinimiseIfInactive(int windowed) {
  if (windowed < 0) windowed = g_screenMode.windowed;
  if (!active_) ComDxWinMinimiseIfInactive(this, windowed);
}

void EngWindow::PollMouse() { ComDxWinPollMouse(this); }
bool EngWindow::IsInputUnderWay() { return ComDxWinIsInputUnderWay(); }
bool EngWindow::TakeLeftReleasedOutside() { return ComDxWinTakeLeftReleasedOutside(this); }

void EngWindow::DrawTextureCursor() { ComDxWinDrawTextureCursor(this); }
