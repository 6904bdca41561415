// MWinScreenHooks.cpp - the program's toolkit as the engine's screen table
// sees it (see MWinInstallScreenHooks). The engine sits below the toolkit,
// so the table calls it only through these hooks.
#include "Engine/Debug.h"
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinManager.h"

namespace {

bool Startup() { return mwin.Startup(); }
void Shutdown() { mwin.Shutdown(); }
void Tick() { mwin.Tick(); }

// The new screen's buttons show the right highlight at once.
void ScreenStarted() {
  if (!DebugAssert(mwin.GetDesktop() != nullptr, "MWin::ButtonsChanged", "No desktop")) return;
  mwin.ButtonsChanged();
}

const EngScreenToolkit kProgramToolkit = {Startup, Shutdown, Tick, ScreenStarted};

}  // namespace

void MWinInstallScreenHooks() { EngScreenSetToolkit(&kProgramToolkit); }
