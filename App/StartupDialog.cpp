// StartupDialog.cpp - stand-in start-up dialog (see StartupDialog.h).
#include "App/StartupDialog.h"

#include "App/Resolution.h"
#include "Engine/EngProgram.h"

int StartupDialogRun() {
  if (!EngProgramGetCurrent()) return 0;
  ResolutionSetSettings();
  ResolutionWriteFile();
  return 1;
}
