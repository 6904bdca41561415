// GetFile.cpp - the file chooser.
//
// Stand-in until the chooser is built: it has no state to reset.
#include "Game/GameImports.h"

void GetFileSetDefaults() {}
