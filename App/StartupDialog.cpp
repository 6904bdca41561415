// StartupDialog.cpp - stand-in start-up dialog (see StartupDialog.h).
#include "App/StartupDialog.h"

#include "App/Resolution.h"
#include "Engine/Debug.h"
#include "Engine/EngProgram.h"

int StartupDialogRun() {
  if (!EngProgramGetCurrent()) return 0;
  DebugNote("Start-up configuration: the settings are applied as they stand");
  ResolutionSetSettings();
  ResolutionWriteFile();
  return 1;
}
