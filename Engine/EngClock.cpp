// EngClock.cpp - the engine clock read live from the platform timer.
#include "Engine/EngClock.h"

#include "Engine/DX9/EngMiscPC.h"

double EngGetSeconds() { return EngMiscGetSeconds_PC(); }

unsigned EngGetMilliseconds() {
  const double seconds = EngMiscGetSeconds_PC();
  return seconds <= 0 ? 0U : static_cast<unsigned>(seconds * 1000.0);
}
