// EngProgram.cpp - the program object, its four main loops and shutdown.
//
// State: g_programValues, the process-wide values every unit reads (the
// program pointer, main device type, per-pass clock, frame time, frames per
// second, instance handle, window-created flag). They live for the whole
// run; the constructor sets the clock and frame values afresh.
//
// Every loop reads the clock at the top of each pass and does all of its
// waiting through Sleep on the platform clock, so tests can run it on the
// fake clock. A callback may shut the program down at any point (the program
// pointer becomes null): each loop tests for that after every callback and
// ends at once.
#include "Engine/EngProgram.h"

#include <algorithm>
#include <cmath>

#include "Engine/Debug.h"
#include "Engine/DX9/EngMiscPC.h"
#include "Engine/EngClock.h"
#include "Engine/EngJob.h"
#include "Engine/EngMisc.h"
#include "Engine/EngRand.h"
#include "Engine/EngWindow.h"
#include "Platform/Dialogs.h"
#include "Platform/Time.h"
#include "Platform/Window.h"

namespace {

struct ProgramValues {
  EngProgram* program = nullptr;
  int mainDeviceType = 0;
  double currentSeconds = 0.0;
  unsigned currentMilliseconds = 0;
  float frameTime = 1.0f / 60.0f;
  int framesPerSecond = 60;
  void* instance = nullptr;
  bool windowCreated = false;
};

ProgramValues g_programValues;

bool ProgramGone() { return g_programValues.program == nullptr; }

// A system box over the window has gone: the window shows what the box
// left until it is drawn again, and a box that follows at once, or a wait
// that draws nothing, would leave it there.
void RedrawAfterBox() {
  EngMiscRenderFrameNow(true, false);
  EngFramesNoteWindowEvent();  // and once more when the loop comes back
}

}  // namespace

// ---- Process-wide values ----------------------------------------------------------

EngProgram* EngProgramGetCurrent() { return g_programValues.program; }
int EngProgramGetMainDeviceType() { return g_programValues.mainDeviceType; }
double EngProgramGetCurrentSeconds() { return g_programValues.currentSeconds; }
unsigned EngProgramGetCurrentMilliseconds() { return g_programValues.currentMilliseconds; }
float EngProgramGetFrameTime() { return g_programValues.frameTime; }
int EngProgramGetFramesPerSecond() { return g_programValues.framesPerSecond; }
void* EngProgramGetInstanceHandle() { return g_programValues.instance; }
bool EngProgramIsMainWindowCreated() { return g_programValues.windowCreated; }
void EngProgramSetFrameTimeForTests(float seconds) { g_programValues.frameTime = seconds; }

void EngProgramSetCurrentTimeForTests(double seconds) {
  g_programValues.currentSeconds = seconds;
  g_programValues.currentMilliseconds =
      seconds <= 0 ? 0U : static_cast<unsigned>(std::llround(seconds * 1000.0));
}

void EngFatalExitViaProgram(const char* title, const char* text) {
  if (EngProgram* program = EngProgramGetCurrent()) program->ExitWithMessage(title, text);
}

// ---- Construction and start-up --------------------------------------------------------

EngProgram::EngProgram() {
  g_programValues.mainDeviceType = 1;
  g_programValues.framesPerSecond = 60;
  g_programValues.frameTime = 1.0f / 60.0f;
  g_programValues.currentSeconds = 0.0;
  g_programValues.currentMilliseconds = 0;
  EngRandCrtSeed(timeGetTime());
  g_programValues.program = this;
  PlatformDialogsSetBoxClosedHook(RedrawAfterBox);
}

EngProgram::~EngProgram() {
  // The entry shuts down explicitly, while the derived class still exists
  // and its ExitCB can run. Finishing the job here can only reach the base
  // class's callbacks, so say so in the log.
  if (window_) {
    DebugNote("EngProgram::~EngProgram - Shutdown() was not called; closing the window now");
    Shutdown();
  }
  DebugWriteFormattedMessagesToFile();
  if (g_programValues.program == this) {
    g_programValues.program = nullptr;
    PlatformDialogsSetBoxClosedHook(nullptr);
  }
}

int EngProgram::InitCB(const char*) { return 1; }
int EngProgram::PreCreateWindowCB(EngWindowSettings*) { return 1; }
int EngProgram::ReservedCB() { return 1; }
int EngProgram::PreDeviceInitCB() { return 1; }
int EngProgram::PostDeviceInitCB() { return 1; }
int EngProgram::PreCreateGraphicsObjectsCB() { return 1; }
int EngProgram::CreateGraphicsObjectsCB() { return 1; }
int EngProgram::PostCreateGraphicsObjectsCB() { return 1; }
void EngProgram::PreDestroyGraphicsObjectsCB() {}
void EngProgram::DestroyGraphicsObjectsCB() {}
void EngProgram::PostDestroyGraphicsObjectsCB() {}
bool EngProgram::TickCB() { return true; }
void EngProgram::RenderCB() { DefaultRenderCB(); }
bool EngProgram::InputEventCB(int, int, int) { return false; }
void EngProgram::ActiveChangedCB(bool) {}
void EngProgram::PostModeChangeCB() {}
void EngProgram::PreShutdownDeviceCB() {}
void EngProgram::PostShutdownDeviceCB() {}
void EngProgram::ExitCB() {}

void EngProgram::DefaultRenderCB() {
  if (!window_ || !EngWindowIsDeviceCurrent()) return;
  window_->DeviceClearScreenAndDepth(0.2f, 0.4f, 0.3f);
  window_->DrawTextureCursor();
}

int EngProgram::Init(void* instance, const char* commandLine) {
  window_ = nullptr;
  g_programValues.instance = instance;
  EngMiscInitTimer_PC();
  const int result = InitCB(commandLine);
  return result < 1 ? result : 1;
}

bool EngProgram::SetMainDeviceType(int type) {
  if (window_ || EngWindowIsDeviceCurrent()) {
    DebugError("EngProgram::SetMainDeviceType", "Call this before creating a window or device.");
    return false;
  }
  g_programValues.mainDeviceType = type;
  return true;
}

EngWindow* EngProgram::CreateMainWindow(const char* title, EngWindowSettings settings,
                                        std::int8_t* result) {
  if (window_) {
    DebugError("EngProgram::CreateMainWindow", "Can only have one window at a time");
    return nullptr;
  }
  window_ = new EngWindow(this, title);
  const int created = window_->Create(settings);
  if (created > 0) {
    if (result) *result = 1;
    g_programValues.windowCreated = true;
    return window_;
  }
  delete window_;
  window_ = nullptr;
  if (result) *result = static_cast<std::int8_t>(created < -128 ? -128 : created);
  return nullptr;
}

// ---- Loop set-up ----------------------------------------------------------------

void EngProgram::SetLoopType(EngLoopType type) {
  loopType_ = type;
  if (type == kEngLoopConstantFrameRate || type == kEngLoopFixedStep) {
    ConstantFrameRateLoopSetConstantFrameRate(0);
  }
}

void EngProgram::ConstantFrameRateLoopSetConstantFrameRate(int rate) {
  if (loopType_ != kEngLoopConstantFrameRate && loopType_ != kEngLoopFixedStep) {
    DebugError("EngProgram::ConstantFrameRateLoopSetConstantFrameRate",
               "Constant frame rates not setup");
    return;
  }
  if (rate > 0) frameRate_ = rate;
  g_programValues.framesPerSecond = frameRate_;
  g_programValues.frameTime = 1.0f / static_cast<float>(frameRate_);
}

void EngProgram::EventDrivenLoopSetupDoingActionsOnKeyAndMouseEvents(bool doTick, bool doRender,
                                                                     bool redrawOnMouseMoves) {
  if (doRender && !doTick) {
    DebugError("EngProgram::EventDrivenLoopSetupDoingActionsOnKeyAndMouseEvents",
               "do_tick must be specified also");
    doTick = true;
  }
  eventDoTick_ = doTick;
  eventDoRender_ = doRender;
  eventRedrawOnMouseMoves_ = redrawOnMouseMoves;
}

void EngProgram::EventDrivenLoopForceRedraw() {
  if (loopType_ == kEngLoopEventDriven) pendingRedraws_ = 2;
}

void EngProgram::EventDrivenLoopRequestRedraw(bool causedByMouseMove) {
  if (loopType_ != kEngLoopEventDriven) return;
  if (causedByMouseMove && !eventRedrawOnMouseMoves_) return;
  // One redraw, also after a forced one: the passes stay active for the
  // redraw period after it anyway.
  pendingRedraws_ = 1;
}

void EngProgram::EventDrivenLoopRedrawOnPaint() { EventDrivenLoopRequestRedraw(false); }

void EngProgram::EventDrivenLoopKeepAwake() {
  if (loopType_ == kEngLoopEventDriven) wakeUpUntil_ = g_programValues.currentSeconds + 10.0;
}

bool EngProgram::IsWorkPending() const {
  if (window_ && (window_->IsRecreatePending() || window_->IsResolutionChangePending())) return true;
  return workPendingQuery_ && workPendingQuery_();
}

void EngProgram::IdleSleep() {
  if (idleSleepMs_ != 0) Sleep(static_cast<DWORD>(idleSleepMs_));
}

void EngProgram::SetIdleSleep(int ms) { idleSleepMs_ = ms < 0 ? 0 : ms; }

void EngProgram::SleepPerPass() {
  if (sleepPerPassMs_ != 0) Sleep(static_cast<DWORD>(sleepPerPassMs_));
}

void EngProgram::SetSyncWithGpuMethod(bool use, int method, bool maySwitch) {
  gpuSyncMaySwitch_ = maySwitch;
  gpuSyncMethod_ = use ? method : -1;
}

void EngProgram::Quit() {
  quit_ = true;
  if (window_) window_->QuitHook();
}

// ---- Notifications ---------------------------------------------------------------

void EngProgram::NotifyActiveChanged(bool active) {
  ActiveChangedCB(active);
  EventDrivenLoopKeepAwake();
  EngFramesNoteWindowEvent();
}

void EngProgram::NotifyModeChanged() {
  PostModeChangeCB();
  EventDrivenLoopKeepAwake();
  EngFramesNoteWindowEvent();
}

// ---- Frame steps -----------------------------------------------------------------

void EngProgram::DoTick() {
  EngJobDeliver();  // finished network waits, before the game looks at anything
  TickCB();
  if (window_) window_->PollMouse();
}

void EngProgram::DoRender() { DoRenderArea(nullptr); }

void EngProgram::DoRenderArea(const EngFramesArea* area) {
  if (!window_ || !EngWindowIsDeviceCurrent()) return;
  if (area) window_->DeviceLimitDrawingTo(area);
  RenderCB();
  if (!window_) return;  // RenderCB shut the program down
  window_->DrawTextureCursor();
  if (area) window_->DeviceLimitDrawingTo(nullptr);
  // The wait for the GPU keeps the pointer's frames prompt; a frame of an
  // area follows no input.
  if (!area) window_->DeviceSyncWithGpu();
  window_->DeviceSwapBuffersArea(area);
  UpdateFrameTime();
}

void EngProgram::DoTickAndRender() {
  EngJobDeliver();
  const bool render = TickCB();
  if (ProgramGone()) return;  // shut down from inside the tick: no render
  if (render) {
    RenderCB();
    if (window_) {
      window_->DrawTextureCursor();
      window_->PollMouse();
    }
  }
  if (window_ && EngWindowIsDeviceCurrent()) {
    window_->DeviceSyncWithGpu();
    window_->DeviceSwapBuffers();
    UpdateFrameTime();
  }
}

void EngProgram::UpdateFrameTime() {
  if (loopType_ != kEngLoopVariableRate) return;
  const double now = EngGetSeconds();
  if (!frameTimeStarted_) {
    frameTimeStarted_ = true;
    frameTimeRecorded_ = now;
    return;
  }
  const double delta = now - frameTimeRecorded_;
  if (delta == 0) return;
  g_programValues.frameTime = static_cast<float>(delta);
  // A very short pass is added to the next one.
  if (delta > 0.0001) frameTimeRecorded_ = now;
  g_programValues.framesPerSecond = g_programValues.frameTime == 0
                                       ? 1000
                                       : static_cast<int>(1.0f / g_programValues.frameTime);
}

// ---- The loops --------------------------------------------------------------------

void EngProgram::ReadClock() {
  const double seconds = EngGetSeconds();
  g_programValues.currentSeconds = seconds;
  g_programValues.currentMilliseconds =
      seconds <= 0 ? 0U : static_cast<unsigned>(std::llround(seconds * 1000.0));
}

void EngProgram::Pump() {
  if (window_) window_->Tick();
}

void EngProgram::Run() {
  switch (loopType_) {
    case kEngLoopConstantFrameRate:
      RunConstantFrameRate();
      break;
    case kEngLoopFixedStep:
      RunFixedStep();
      break;
    case kEngLoopEventDriven:
      RunEventDriven();
      break;
    case kEngLoopVariableRate:
      RunVariableRate();
      break;
    default:
      DebugError("EngProgram::Run", "Unknown loop type %d", static_cast<int>(loopType_));
      quit_ = true;
      break;
  }
}

void EngProgram::RunConstantFrameRate() {
  if (framesOnDemand_) {
    RunFramesOnDemand();
    return;
  }
  do {
    ReadClock();
    const double start = g_programValues.currentSeconds;
    const double deadline = start + 1.0 / static_cast<double>(frameRate_ > 0 ? frameRate_ : 60);
    Pump();
    if (!quit_) {
      if (ProgramGone()) break;
      DoTick();
      if (ProgramGone()) break;
      DoRender();
    }
    int sleeps = 0;
    while (EngGetSeconds() < deadline) {
      Sleep(1);
      ++sleeps;
    }
    if (selfAdjustingRate_) {
      if (sleeps > 8 && frameRate_ < 200) {
        frameRate_ += 3;
      } else if (sleeps >= 5 && sleeps <= 8 && frameRate_ < 100) {
        frameRate_ += 3;
      } else if (sleeps == 0 && frameRate_ > 60) {
        frameRate_ -= 3;
      }
    }
    const double frameTime = EngGetSeconds() - start;
    if (frameTime > 0) {
      g_programValues.frameTime = static_cast<float>(frameTime);
      g_programValues.framesPerSecond = static_cast<int>(1.0 / frameTime);
    }
  } while (!quit_);
  if (ProgramGone()) quit_ = true;
}

bool EngProgram::FramesOnDemandPass(double now, bool* drew, EngFramesArea* drawn) {
  if (drew) *drew = false;
  if (drawn) *drawn = EngFramesArea();
  if (!EngFramesIsPassDue(now) && !IsWorkPending()) return false;
  EngFramesStartPass(now);
  DoTick();
  if (ProgramGone()) return true;
  EngFramesArea area;
  if (EngFramesPassDraws(window_ && window_->DeviceKeepsFrames(), &area)) {
    if (drew) *drew = true;
    if (drawn) *drawn = area;
    DoRenderArea(area.IsEmpty() ? nullptr : &area);
  }
  return true;
}

// The constant-rate loop drawing only what was asked for. A pass that
// nothing asked for and that finds no work pending (IsWorkPending) only
// pumps and then waits for a message, at most until the wake time (and
// never longer than kIdleWaitMs, so that the loop looks at its quit flag
// now and then). Any other pass ticks, draws what was asked and keeps at
// least one frame of the frame rate, more when only slower areas were asked
// for (a message ends that longer wait).
//
// Work pending is asked here, in one place, rather than trusted to every
// producer to ask for the pass that does it: on a busy machine a pass can
// take seconds, and work queued where nothing asked (a button's callback
// for the toolkit's next tick, a deal set up as a screen closed) would
// otherwise stand until the player's next input.
void EngProgram::RunFramesOnDemand() {
  constexpr double kIdleWaitMs = 1000.0;
  do {
    ReadClock();
    const double start = g_programValues.currentSeconds;
    Pump();
    if (quit_) break;
    if (ProgramGone()) break;
    if (!EngFramesIsPassDue(start) && !IsWorkPending()) {
      const double wake = EngFramesWakeTime();
      double ms = kIdleWaitMs;
      if (wake > 0) ms = std::min(ms, std::ceil((wake - start) * 1000.0));
      if (ms > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms), QS_ALLINPUT);
      continue;
    }
    FramesOnDemandPass(start);
    if (ProgramGone()) break;
    // One sleep to the end of the frame (not the 1 ms steps of the plain
    // loop: each step is a wake-up of the process), then the slower pace
    // asked for, which a message cuts short.
    const int rate = EngFramesNextRate(frameRate_ > 0 ? frameRate_ : 60);
    const double frameEnd = start + 1.0 / static_cast<double>(frameRate_ > 0 ? frameRate_ : 60);
    for (double now = EngGetSeconds(); now < frameEnd; now = EngGetSeconds()) {
      Sleep(static_cast<DWORD>(std::ceil((frameEnd - now) * 1000.0)));
    }
    const double paceEnd = start + 1.0 / static_cast<double>(rate);
    for (double now = EngGetSeconds(); now < paceEnd; now = EngGetSeconds()) {
      const double ms = std::ceil((paceEnd - now) * 1000.0);
      if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms), QS_ALLINPUT) == WAIT_OBJECT_0) break;
    }
    const double frameTime = EngGetSeconds() - start;
    if (frameTime > 0) {
      g_programValues.frameTime = static_cast<float>(frameTime);
      g_programValues.framesPerSecond = static_cast<int>(1.0 / frameTime);
    }
  } while (!quit_);
  if (ProgramGone()) quit_ = true;
}

void EngProgram::RunFixedStep() {
  ReadClock();
  float nextTickTime = static_cast<float>(g_programValues.currentSeconds);
  do {
    ReadClock();
    int ticks = 0;
    while (nextTickTime < g_programValues.currentSeconds && ticks < 10) {
      if (ProgramGone() || quit_) break;
      Pump();
      if (!quit_) DoTick();
      if (ProgramGone()) quit_ = true;
      nextTickTime += g_programValues.frameTime;
      ++ticks;
      ReadClock();
    }
    if (ProgramGone()) {
      quit_ = true;
      break;
    }
    DoRender();
    SleepPerPass();
  } while (!quit_);
}

void EngProgram::RunEventDriven() {
  double nextForcedRedraw = 0.0;
  do {
    ReadClock();
    const double now = g_programValues.currentSeconds;
    Pump();
    const bool active = pendingRedraws_ != 0 || now < nextForcedRedraw ||
                        (wakeUpUntil_ != 0 && now < wakeUpUntil_);
    if (!active) {
      if (ProgramGone()) break;
      IdleSleep();
      if (idleCallback_) idleCallback_();
      continue;
    }
    g_programValues.framesPerSecond = eventDrivenRate_;
    if (eventDrivenRate_ != 0) g_programValues.frameTime = 1.0f / static_cast<float>(eventDrivenRate_);
    const double deadline = now + g_programValues.frameTime;
    if (!quit_) {
      if (ProgramGone()) break;
      if (eventDoTick_) DoTick();
      if (eventDoRender_ && !ProgramGone()) DoRender();
    }
    if (ProgramGone()) break;
    if (wakeUpUntil_ == 0) {
      while (EngGetSeconds() < deadline) Sleep(1);
    }
    if (pendingRedraws_ != 0) nextForcedRedraw = now + redrawPeriod_;
    if (pendingRedraws_ > 0) --pendingRedraws_;
    if (wakeUpUntil_ != 0 && wakeUpUntil_ <= EngGetSeconds()) wakeUpUntil_ = 0;
  } while (!quit_);
  if (ProgramGone()) quit_ = true;
}

void EngProgram::RunVariableRate() {
  do {
    ReadClock();
    Pump();
    if (quit_) break;
    DoTickAndRender();
    if (ProgramGone()) {
      quit_ = true;
      break;
    }
    SleepPerPass();
  } while (!quit_);
}

// ---- Shutdown -------------------------------------------------------------------------

void EngProgram::Shutdown() {
  quit_ = true;
  EngJobCancelAllAndJoin();
  if (!window_) return;
  EngWindow* window = window_;
  delete window;  // releases device (callbacks 16, 8, 9, 10, 17) and window
  window_ = nullptr;
  if (deviceInitialised_) {
    deviceInitialised_ = false;  // ExitCB runs at most once
    ExitCB();
  }
  if (g_programValues.program == this) g_programValues.program = nullptr;
  if (exitCallback_) {
    EngMiscFlushWindowsMessages_PC(1.0);
    exitCallback_();
  }
}

void EngProgram::ExitWithMessage(const char* title, const char* text) {
  quit_ = true;
  EngJobCancelAllAndJoin();
  if (window_) {
    window_->DestroyGraphicsDevice();
    delete window_;
    window_ = nullptr;
  }
  if (title || text) EngMiscMessageBox(kEngMiscBoxError, title, text);
  if (g_programValues.program == this) g_programValues.program = nullptr;
  DebugWriteFormattedMessagesToFile();
}
