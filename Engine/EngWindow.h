// EngWindow.h - the engine's one main window seen from the platform-neutral
// side, the current screen mode and the key-state table.
//
// The window owns the front-end graphics device (EngDevice) and runs every
// transition of the device's life in a fixed order of program callbacks:
// first creation, loss and re-creation, resolution change, window/full-screen
// toggle, losing and regaining activation in full screen, resizing and final
// release. Every change takes the same road: the graphics objects and the
// device are destroyed (and for a mode change the window too) and made
// again; nothing is reset in place. Requests that arrive inside the window
// procedure (device lost, a resize, a resolution change) are only noted and
// run at the start of the next pass (EngWindow::Tick); a resize noted by the
// message a pass handles runs before that pass draws.
//
//   transition           callbacks (program slots), in order
//   first creation       PreDeviceInitCB, [device], PreCreateGraphicsObjectsCB,
//                        CreateGraphicsObjectsCB, PostCreateGraphicsObjectsCB,
//                        PostDeviceInitCB
//   re-create (lost,     PreDestroyGraphicsObjectsCB, DestroyGraphicsObjectsCB,
//   resize)              [device gone], PostDestroyGraphicsObjectsCB, [device],
//                        Pre/Create/PostCreateGraphicsObjectsCB (resize: then
//                        PostModeChangeCB)
//   resolution change,   Pre/Destroy/PostDestroyGraphicsObjectsCB, [window
//   toggle               gone], PreCreateWindowCB, [window], [device],
//                        Pre/Create/PostCreateGraphicsObjectsCB (toggle: then
//                        PostModeChangeCB)
//   shutdown             PreShutdownDeviceCB, Pre/Destroy/PostDestroyGraphics-
//                        ObjectsCB, [device gone], PostShutdownDeviceCB
//
// The Win32 side (class, styles, procedure, pump) is Engine/DX9/ComDxWin.h.
//
// State: the screen mode (windowed 640 x 480 at start, never reset), the
// last window (none at start), the key-state table (cleared by each
// window's constructor), the current window pointer (set by a successful
// Create, cleared when the window goes).
#pragma once

#include <cstdint>
#include <memory>

class EngProgram;
class EngDevice;
struct ComDxWinState;
struct EngFramesArea;

// The window settings given by value to EngProgram::CreateMainWindow
// (304 bytes, in record order).
struct EngWindowSettings {
  std::int32_t x = -1;  // below 0 (either): centred
  std::int32_t y = -1;
  std::int32_t width = 640;
  std::int32_t height = 480;
  std::int32_t bitDepth = 32;
  std::int32_t windowed = 1;  // low byte used
  std::int32_t aaEntry = 0;   // anti-aliasing entry
  std::int32_t refreshRate = 0;
  std::int32_t multisampleType = 0;     // of the chosen anti-aliasing entry
  std::int32_t multisampleQuality = 0;  // of the chosen anti-aliasing entry
  std::int32_t doubleClicks = 1;        // above 0: double clicks are their own event
  std::int32_t cursorResource = 0;      // below 1: the standard arrow
  char className[256] = "EngineClass";
};
static_assert(sizeof(EngWindowSettings) == 304, "window settings record is 304 bytes");

// A resolution change asked for by the display options (8 words).
struct EngResolutionRequest {
  std::uint8_t valid;  // must be non-zero
  std::uint8_t windowed;
  std::uint8_t reserved[2];
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitDepth;
  std::int32_t aaEntry;
  std::int32_t refreshRate;
  std::int32_t multisampleType;
  std::int32_t multisampleQuality;
};
static_assert(sizeof(EngResolutionRequest) == 32, "resolution request is 8 words");

// The current screen mode and the factors that map the virtual 640 x 480
// space onto it.
struct EngScreenMode {
  std::uint8_t windowed = 1;
  std::int32_t width = 640;   // never below 1
  std::int32_t height = 480;  // never below 1
  std::int32_t bitDepth = 32;
  std::int32_t aaEntry = 0;
  float xScale = 1.0f;     // width / 640
  float yScale = 1.0f;     // height / 480
  float xInvScale = 1.0f;  // 640 / width
  float yInvScale = 1.0f;  // 480 / height
};

const EngScreenMode& EngWindowGetScreenMode();
// A negative windowed value and values of 0 or less keep the current ones;
// width and height are at least 1; the scale factors are recomputed.
void EngWindowSetScreenMode(int windowed, int width, int height, int bitDepth, int aaEntry);
void EngWindowRecomputeScaleFactors();

// The window the player had last: its outer place and its client size. A
// switch from full screen to a window gives it again. The engine keeps the
// window it leaves for full screen; the program names the window its
// settings hold before a start in full screen. A width of 0: none known.
struct EngLastWindow {
  std::int32_t x = -1;  // below 0 (either): centred
  std::int32_t y = -1;
  std::int32_t width = 0;
  std::int32_t height = 0;
};
const EngLastWindow& EngWindowGetLastWindow();
void EngWindowSetLastWindow(int x, int y, int width, int height);

// The key-state table: 256 bytes by virtual-key code, 2 while down, 0 up;
// entries 1, 2 and 4 are the left, right and middle mouse buttons.
std::uint8_t* EngWindowGetKeyStates();

class EngWindow {
 public:
  // Flags clear except active; title copied (254 characters at most; null
  // or empty gives an empty title); key states zeroed; no device.
  EngWindow(EngProgram* program, const char* title);
  // The quit hook, then the device and the window are released.
  ~EngWindow();
  EngWindow(const EngWindow&) = delete;
  EngWindow& operator=(const EngWindow&) = delete;

  // PreCreateWindowCB (0 reports "PreCreateWindowCB() failed"; below 1 is
  // returned unchanged), then the system window (0 on failure); 1 on
  // success: the settings are kept and the window becomes the current one.
  int Create(const EngWindowSettings& settings);
  // PreDeviceInitCB, the device and its graphics objects, PostDeviceInitCB
  // (then the program's device-initialised flag is set); the device start-up
  // callbacks are skipped while changing mode. False on failure.
  bool CreateGraphicsDevice();
  // The device for the current screen mode, a first (black) frame presented
  // at once, then PreCreateGraphicsObjectsCB, CreateGraphicsObjectsCB and
  // PostCreateGraphicsObjectsCB. False on failure.
  bool DoCreateGraphicsDevice();
  // PreShutdownDeviceCB, DoDestroyGraphicsDevice, the device freed,
  // PostShutdownDeviceCB (start-up callbacks skipped while changing mode).
  void DestroyGraphicsDevice();
  // PreDestroyGraphicsObjectsCB, DestroyGraphicsObjectsCB, the device,
  // PostDestroyGraphicsObjectsCB.
  void DoDestroyGraphicsDevice();
  // DestroyGraphicsDevice, the system window, the current-window pointer.
  void DestroyDeviceAndWindow();
  void QuitHook() {}

  // Requests for the next pass.
  void RecreateDeviceOnNextTick() { recreateOnNextTick_ = true; }
  // A missing request or one whose valid byte is 0: "Invalid parameter".
  // The last request before the next pass wins.
  void ChangeDeviceResolutionOnNextTick(const EngResolutionRequest* request);
  bool RecreateDevice();

  // Once per pass of the main loop: a pending re-creation, else a pending
  // resolution change, then one step of the message pump and the
  // re-creation that step asked for (a new size).
  void Tick();

  bool ToggleFullscreenMode();
  bool DoChangeResolution();
  bool DoRecreateDevice(int deviceType);

  // From the window procedure.
  void GotActiveMsg(bool active);
  // Stores the new size and asks for a re-creation on the next pass (a drag
  // sends many sizes; only the last one makes a device).
  void GotSizeMsg(int width, int height);

  // Windowed only ("Not running in windowed mode", 0, 0, false otherwise).
  bool GetWindowPos(int* x, int* y);
  // Stores up to 254 characters (null or empty clears) and updates the
  // caption.
  void SetTitle(const char* text);
  // Virtual 640 x 480 position; needs a window.
  void SetCursorPos(float x, float y);
  // Client pixels (screen pixels in full screen); needs a window.
  void GetCursorPos(int* x, int* y);
  void ShowCursor();
  void HideCursor();
  // Negative values take the current mode. False on failure.
  bool SetWindowStyleForMode(int windowed, int width, int height, int bitDepth, int aaEntry, bool storeOnly);
  void MinimiseIfInactive(int windowed);

  // The per-pass mouse poll (after the tick).
  void PollMouse();
  // True while the player is in the middle of something: a message waits
  // to be handled, or a mouse button is held (a click under way).
  bool IsInputUnderWay();
  // True once after a left button held when the mouse left the window was
  // released outside it.
  bool TakeLeftReleasedOutside();
  // Draws the texture cursor at the end of a frame's rendering.
  void DrawTextureCursor();

  // True while the window's device exists and is created.
  bool IsDeviceCreated() const;
  EngDevice* GetDevice() const { return device_; }
  // Device calls of the frame (nothing without a created device).
  void DeviceClearScreenAndDepth(float red, float green, float blue);
  void DeviceSyncWithGpu();
  void DeviceSwapBuffers();
  // The device keeps its frame between presents (EngDevice::KeepsFrames).
  bool DeviceKeepsFrames() const;
  // Draws and clears keep to the area (null: no limit); presents the area.
  void DeviceLimitDrawingTo(const EngFramesArea* area);
  void DeviceSwapBuffersArea(const EngFramesArea* area);

  EngProgram* GetProgram() const { return program_; }
  const char* GetTitle() const { return title_; }
  bool IsActive() const { return active_; }
  bool IsChangingMode() const { return changingMode_; }
  bool IsRecreatingDevice() const { return recreating_; }
  bool IsRecreatePending() const { return recreateOnNextTick_; }
  bool IsResolutionChangePending() const { return requestPending_; }
  const EngWindowSettings& GetSettings() const { return settings_; }

  // The system side's fields (Engine/DX9/ComDxWin.h), held apart so that
  // this header names no system type.
  ComDxWinState& Win() { return *win_; }
  const ComDxWinState& Win() const { return *win_; }

 private:
  bool ChangeMode(const EngResolutionRequest& request, const char* where);

  EngProgram* program_ = nullptr;
  char title_[255] = {};
  bool active_ = true;
  bool recreating_ = false;
  bool recreateOnNextTick_ = false;
  bool changingMode_ = false;
  EngResolutionRequest request_{};
  bool requestPending_ = false;
  EngDevice* device_ = nullptr;
  EngWindowSettings settings_{};
  std::unique_ptr<ComDxWinState> win_;
};

// The current window (null before a successful Create and after destruction).
EngWindow* EngWindowGetCurrent();
// True while a created device exists (the current device pointer is set).
bool EngWindowIsDeviceCurrent();
