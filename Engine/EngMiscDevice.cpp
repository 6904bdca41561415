// EngMiscDevice.cpp - the device helpers of EngMisc: drawing one frame
// outside the main loop, and releasing a full-screen device before a system
// box (which a full-screen device would hide).
//
// A box in a window leaves the device and the program running; only the
// full-screen and fatal paths tear down. No state of its own.
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

void EngMiscRenderFrameNow(bool render, bool updateFrameTime) {
  EngProgram* program = EngProgramGetCurrent();
  if (!program) return;
  if (render) {
    program->RenderCB();
    if (EngWindow* window = program->GetWindow()) {
      window->DrawTextureCursor();
      if (window->IsDeviceCreated()) window->DeviceSwapBuffers();
    }
  }
  if (updateFrameTime) program->UpdateFrameTime();
}

bool EngMiscExitDeviceIfCreated() {
  if (!EngDeviceGetCurrent()) return true;
  DebugNote("EngMiscExitDeviceIfCreated - Destroying the device");
  EngProgram* program = EngProgramGetCurrent();
  EngWindow* window = program ? program->GetWindow() : EngWindowGetCurrent();
  if (window)
    window->DestroyDeviceAndWindow();
  else
    DebugError("EngMiscExitDeviceIfCreated", "Device created but no window created");
  if (program) program->Shutdown();
  return !EngDeviceGetCurrent() || EngWindowGetScreenMode().windowed;
}

bool EngMiscPrepareDeviceForMessageBox() {
  // A window's device does not hide a box: nothing to release.
  if (EngWindowGetScreenMode().windowed) return true;
  return EngMiscExitDeviceIfCreated();
}
