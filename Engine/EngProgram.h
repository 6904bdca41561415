// EngProgram.h - the program object and its main loop.
//
// The game derives its program class from EngProgram and overrides some of
// its 19 virtual operations; the engine calls them at fixed points of
// start-up, device life, every frame and shutdown. Exactly one program object
// exists per process; the constructor publishes it as the program pointer.
//
// The program owns the one main window (EngWindow), runs the main loop in
// one of four loop types, and keeps the process-wide values every unit reads:
// the per-pass engine clock, the frame time and frames per second, the main
// device type. All waiting goes through Sleep and the clock of
// Platform/Time.h, so tests run the loops on the fake clock.
//
// Shutdown: the entry calls Shutdown() explicitly, so that ExitCB runs the
// derived class's version; the destructor only cleans up what is left (and
// logs when it had to).
//
// Callback results: the signed ones succeed above 0; 0 is a failure that the
// caller reports ("PreDeviceInitCB() failed"); below 0 a failure already
// reported.
#pragma once

#include <cstdint>

#include "Engine/EngFrames.h"

// The program only holds the window by pointer; callers of CreateMainWindow
// and of the window's operations include Engine/EngWindow.h themselves.
class EngWindow;
struct EngWindowSettings;

enum EngLoopType : int {
  kEngLoopConstantFrameRate = 0,
  kEngLoopFixedStep = 1,
  kEngLoopEventDriven = 2,
  kEngLoopVariableRate = 3,
};

using EngProgramCallback = void (*)();

class EngProgram {
 public:
  // Defaults; main device type 1; frame rate 60 (frame time 1/60); clock 0;
  // seeds the engine's C runtime generator with timeGetTime(); becomes the
  // program pointer.
  EngProgram();
  virtual ~EngProgram();
  EngProgram(const EngProgram&) = delete;
  EngProgram& operator=(const EngProgram&) = delete;

  // ---- Virtual operations, in slot order ----------------------------------
  virtual int InitCB(const char* commandLine);                // 0  below 1 stops
  virtual int PreCreateWindowCB(EngWindowSettings* settings);  // 1
  virtual int ReservedCB();                                   // 2  never called
  virtual int PreDeviceInitCB();                              // 3
  virtual int PostDeviceInitCB();                             // 4
  virtual int PreCreateGraphicsObjectsCB();                   // 5
  virtual int CreateGraphicsObjectsCB();                      // 6
  virtual int PostCreateGraphicsObjectsCB();                  // 7
  virtual void PreDestroyGraphicsObjectsCB();                 // 8
  virtual void DestroyGraphicsObjectsCB();                    // 9
  virtual void PostDestroyGraphicsObjectsCB();                // 10
  virtual bool TickCB();                                      // 11 false: no render this pass
  virtual void RenderCB();                                    // 12 DefaultRenderCB
  // kind: an EngInputKind (Engine/EngInput.h). True when handled.
  virtual bool InputEventCB(int kind, int value1, int value2);  // 13
  virtual void ActiveChangedCB(bool active);                  // 14
  virtual void PostModeChangeCB();                            // 15
  virtual void PreShutdownDeviceCB();                         // 16
  virtual void PostShutdownDeviceCB();                        // 17
  virtual void ExitCB();                                      // 18 only after device start-up

  // With a device: clear to (0.2, 0.4, 0.3), then the texture cursor.
  void DefaultRenderCB();

  // ---- Start-up -------------------------------------------------------------
  // Stores the instance handle, starts the engine clock, calls InitCB: a
  // result below 1 is returned unchanged (negative failure, 0 quiet end),
  // anything else as 1.
  int Init(void* instance, const char* commandLine);
  // Only while neither window nor device exists ("Call this before creating a
  // window or device."), else false.
  bool SetMainDeviceType(int type);
  // Creates the one main window ("Can only have one window at a time"). On
  // success *result = 1 and the window is returned; otherwise the window is
  // freed, *result gets EngWindow::Create's result (0 or negative) and null
  // is returned. result may be null.
  EngWindow* CreateMainWindow(const char* title, EngWindowSettings settings,
                              std::int8_t* result);

  // ---- Loop set-up ------------------------------------------------------------
  // 0 constant frame rate, 1 fixed step, 2 event driven, 3 variable rate;
  // types 0 and 1 re-apply the frame rate.
  void SetLoopType(EngLoopType type);
  EngLoopType GetLoopType() const { return loopType_; }
  // Loop types 0 and 1 only ("Constant frame rates not setup"). A rate above
  // 0 becomes the frame rate (0 keeps it); frames per second = rate, frame
  // time = 1 / rate.
  void ConstantFrameRateLoopSetConstantFrameRate(int rate);
  int GetFrameRate() const { return frameRate_; }
  // Frames on demand (the constant-rate loop; off by default): a pass ticks
  // and draws only when something asked for it (Engine/EngFrames.h), at the
  // frame rate or the slower rate an area was asked at; between asks the
  // loop sleeps until input, a window event or the earliest wake time.
  void SetFramesOnDemand(bool on) { framesOnDemand_ = on; }
  bool GetFramesOnDemand() const { return framesOnDemand_; }
  // The program's work for its next pass that no frame was asked for (a
  // button's callback the toolkit queued, cards about to fly, a notice
  // waiting to be shown): the query answers whether there is any. Null:
  // none. See IsWorkPending.
  using EngProgramQuery = bool (*)();
  void SetWorkPendingQuery(EngProgramQuery query) { workPendingQuery_ = query; }
  // True when the next pass has work to do whether or not anything asked for
  // it: a device re-creation or resolution change put off to it, or the
  // program's query says so. The frames-on-demand loop waits for input only
  // while no pass is asked for and this is false, so that no producer of
  // work has to remember to ask for the pass that does it.
  bool IsWorkPending() const;
  // Render without tick reports "do_tick must be specified also" and turns
  // tick on.
  void EventDrivenLoopSetupDoingActionsOnKeyAndMouseEvents(bool doTick, bool doRender,
                                                           bool redrawOnMouseMoves);
  // Event-driven requests: nothing unless the loop type is 2.
  void EventDrivenLoopForceRedraw();                       // two redraws
  void EventDrivenLoopRequestRedraw(bool causedByMouseMove);  // one redraw
  void EventDrivenLoopRedrawOnPaint();                     // one redraw
  void EventDrivenLoopKeepAwake();                         // active passes for 10 s
  // Sleep for the idle sleep (event-driven idle passes) when not 0.
  void IdleSleep();
  void SetIdleSleep(int ms);  // negative stored as 0
  // Sleep for the per-pass sleep (fixed step, variable rate) when not 0.
  void SleepPerPass();
  // Stores may-switch; the method when use is set, else -1.
  void SetSyncWithGpuMethod(bool use, int method, bool maySwitch);
  int GetSyncWithGpuMethod() const { return gpuSyncMethod_; }
  bool GetSyncWithGpuMaySwitch() const { return gpuSyncMaySwitch_; }
  // Test seam: the self-adjusting rate of the constant-rate loop (no
  // operation of the engine turns it on).
  void SetSelfAdjustingFrameRateForTests(bool on) { selfAdjustingRate_ = on; }

  void SetExitCallback(EngProgramCallback callback) { exitCallback_ = callback; }
  // Called on each idle pass of the event-driven loop; null for none.
  void SetIdleCallback(EngProgramCallback callback) { idleCallback_ = callback; }
  void SetQuitFlag() { quit_ = true; }
  // The window layer clears it after re-creating the window for a mode
  // change (destroying the window may have set it).
  void ClearQuitFlag() { quit_ = false; }
  bool GetQuitFlag() const { return quit_; }
  // Sets the quit flag and calls the window's quit hook.
  void Quit();

  // ---- Notifications from the window layer ----------------------------------------
  void NotifyActiveChanged(bool active);  // ActiveChangedCB, keep awake
  void NotifyModeChanged();               // PostModeChangeCB, keep awake
  // Set by the window once the program's device start-up completed.
  void SetDeviceInitialised(bool on) { deviceInitialised_ = on; }
  bool IsDeviceInitialised() const { return deviceInitialised_; }

  // ---- Frame steps -------------------------------------------------------------
  // Both ticks first deliver the network waits that ended (Engine/EngJob.h).
  void DoTick();           // TickCB, then the mouse poll
  void DoRender();         // with a device: RenderCB, cursor, sync, present, frame time
  // DoRender kept to an area of the back buffer, which alone is presented
  // (null: the whole frame; the device must keep its frame for an area).
  void DoRenderArea(const EngFramesArea* area);
  void DoTickAndRender();  // see the loop type 3
  // Runs the loop of the loop type until the quit flag is set.
  void Run();
  // One pass of frames on demand at engine time now, after the pump: false
  // when nothing asked for it and no work is pending (nothing ran);
  // otherwise the tick and what it was asked to draw (a whole frame, an
  // area, or nothing). The loop's own pass; tests run it on their clock.
  // drew and area (each optional) tell what was drawn: an empty area for a
  // whole frame.
  bool FramesOnDemandPass(double now, bool* drew = nullptr, EngFramesArea* area = nullptr);
  // Loop type 3 only: the frame time from the time between presents.
  void UpdateFrameTime();

  // ---- Shutdown ---------------------------------------------------------------
  // Sets the quit flag and ends every running job (Engine/EngJob.h). With a
  // window: frees it (device first), ExitCB when
  // the device had been initialised, clears the program pointer, flushes
  // window messages for up to 1 s and calls the exit callback when one is set.
  // Without a window only the quit flag is set. Safe to call twice.
  void Shutdown();
  // The fatal path: quit flag, device and window released, an error box
  // when a title or text is given, program pointer cleared, log written.
  void ExitWithMessage(const char* title, const char* text);

  EngWindow* GetWindow() const { return window_; }

 private:
  void RunConstantFrameRate();
  void RunFramesOnDemand();
  void RunFixedStep();
  void RunEventDriven();
  void RunVariableRate();
  void ReadClock();
  void Pump();

  bool quit_ = false;
  EngWindow* window_ = nullptr;
  bool deviceInitialised_ = false;
  EngProgramCallback exitCallback_ = nullptr;
  int frameRate_ = 60;
  bool selfAdjustingRate_ = false;
  bool framesOnDemand_ = false;
  int sleepPerPassMs_ = 0;
  int idleSleepMs_ = 3;
  std::int8_t pendingRedraws_ = 1;
  double wakeUpUntil_ = 0.0;
  bool eventDoTick_ = true;
  bool eventDoRender_ = true;
  bool eventRedrawOnMouseMoves_ = true;
  int eventDrivenRate_ = 60;
  float redrawPeriod_ = 0.5f;
  EngProgramCallback idleCallback_ = nullptr;
  EngProgramQuery workPendingQuery_ = nullptr;
  int gpuSyncMethod_ = -1;
  bool gpuSyncMaySwitch_ = false;
  EngLoopType loopType_ = kEngLoopConstantFrameRate;
  // UpdateFrameTime's reference time (loop type 3).
  bool frameTimeStarted_ = false;
  double frameTimeRecorded_ = 0.0;
};

// ---- Process-wide values kept by the program object --------------------------
// The one program object, null before construction and after shutdown.
EngProgram* EngProgramGetCurrent();
// 1 = Direct3D 9 (the only type).
int EngProgramGetMainDeviceType();
// The engine clock as read at the top of the current loop pass.
double EngProgramGetCurrentSeconds();
unsigned EngProgramGetCurrentMilliseconds();
// Seconds of the last frame (1/60 at start) and its inverse, truncated.
float EngProgramGetFrameTime();
int EngProgramGetFramesPerSecond();
void* EngProgramGetInstanceHandle();
// True once CreateMainWindow succeeded.
bool EngProgramIsMainWindowCreated();

// Test seams: set the frame time / the per-pass clock directly.
void EngProgramSetFrameTimeForTests(float seconds);
void EngProgramSetCurrentTimeForTests(double seconds);

// The fatal path's hand-over: when a program object exists,
// EngProgram::ExitWithMessage (device and window released, box shown);
// otherwise nothing. Called by DebugFatalErrorIf just before exit(-1).
void EngFatalExitViaProgram(const char* title, const char* text);
