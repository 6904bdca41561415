// DisplayLoss.cpp - the program's last step when the display is lost (see
// DisplayLoss.h).
#include "Platform/DisplayLoss.h"

#include <X11/Xlib.h>
#include <unistd.h>

namespace {

PlatformDisplayLostStep g_step = nullptr;
bool g_handling = false;

[[noreturn]] int OnDisplayLost(Display*) {
  // A step that reached the display after all meets the loss again: the
  // process ends there.
  if (!g_handling) {
    g_handling = true;
    if (g_step) g_step();
  }
  // Nothing that runs at a normal exit may run now: it would reach for the
  // display again.
  _exit(1);
}

}  // namespace

void PlatformSetDisplayLostStep(PlatformDisplayLostStep step) {
  g_step = step;
  PlatformWatchDisplayLoss();
}

void PlatformWatchDisplayLoss() { XSetIOErrorHandler(OnDisplayLost); }
