// EngProgram.h - the program object and its main loop.
#pragma once

// The fatal path's hand-over: when a program object exists, releases its
// device and window and shows the box (EngProgram::ExitWithMessage);
// otherwise does nothing. Called by DebugFatalErrorIf just before exit(-1).
void EngFatalExitViaProgram(const char* title, const char* text);
