// CardoliaMain.cpp - the entry of the game program Cardolia_DX9: the
// command line is the arguments joined by blanks (as the system hands a
// program its command line); ProgramMain does the rest. Exit code 0 after a
// normal run or a quiet end, 255 after a failure. SIGINT, SIGTERM and SIGHUP
// (Ctrl+C, kill, a desktop logout, the terminal closed) close the game's
// window, so the game ends through its shutdown and its saves, at whatever
// moment they come. A display that goes away ends the run at once, with
// status 1, after the game in play is saved; a request the display refuses
// is logged and the run goes on. Without a display to show the window on,
// the run ends at once with status 1 and the reason on stderr, before any
// file is read or written. The layers' import tables are filled before
// anything else runs.
#include <cstdio>
#include <string>

#include "App/Program.h"
#include "Platform/CloseRequest.h"
#include "Platform/DisplayLoss.h"
#include "Platform/Window.h"
#include "Shell/Shell.h"
#include "Shell/ShellFills.h"

int main(int argc, char** argv) {
  std::string noDisplay;
  if (!PlatformUseVisibleDisplay(&noDisplay)) {
    std::fprintf(stderr, "Free Cardolia 3D needs a display for its window: %s.\n", noDisplay.c_str());
    return 1;
  }
  ShellFillAllImports();
  PlatformCatchCloseSignals();
  PlatformSetDisplayLostStep(GameSaveWhenDisplayLost);
  PlatformSetDisplayErrorReport(GameLogRefusedDisplayRequest);
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return ProgramMain(nullptr, commandLine.c_str());
}
