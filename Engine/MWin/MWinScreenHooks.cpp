// MWinScreenHooks.cpp - the program's toolkit as the engine's screen table
// sees it (see MWinInstallScreenHooks): the program's screen set-up
// (ScreensSetup) installs these hooks, and the toolkit's own tests run the
// table on them too. The engine sits below the toolkit, so the table calls
// it only through these hooks.
//
// The table starts the toolkit for screens started with it and shuts it down
// (when it is on) with screens stopped with it. It does not tick it: the
// program's frame ticks the toolkit itself, once, before the screen's tick
// (GameTickCB). A started screen refreshes its buttons' highlight.
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinManager.h"

namespace {

bool Startup() { return g_MWin.Startup(); }
void Shutdown() {
  if (g_MWin.IsOn()) g_MWin.Shutdown();
}
// The new screen's buttons show the right highlight at once.
void ScreenStarted() { g_MWin.ButtonsChanged(); }

const EngScreenToolkit kProgramToolkit = {Startup, Shutdown, nullptr, ScreenStarted};

}  // namespace

void MWinInstallScreenHooks() { EngScreenSetToolkit(&kProgramToolkit); }
