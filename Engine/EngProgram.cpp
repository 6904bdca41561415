// EngProgram.cpp - the program object and its main loop.
#include "Engine/EngProgram.h"

void EngFatalExitViaProgram(const char*, const char*) {}
