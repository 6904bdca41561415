// EngClock.h - the engine clock read live from the platform timer.
//
// The timer counts from its start (EngMiscInitTimer_PC, run by
// EngProgram::Init) on a monotonic clock; tests replace it with the fake
// clock of Platform/Time.h. The main loop keeps its own per-pass copy of the
// time (EngProgramGetCurrentSeconds in EngProgram.h); these read it now.
#pragma once

// Seconds on the engine clock.
double EngGetSeconds();
// Whole milliseconds on the engine clock (seconds x 1000, truncated).
unsigned EngGetMilliseconds();
