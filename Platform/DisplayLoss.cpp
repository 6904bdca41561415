// DisplayLoss.cpp - the program's last step when the display is lost, and
// requests the display refuses (see DisplayLoss.h).
#include "Platform/DisplayLoss.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

PlatformDisplayLostStep g_step = nullptr;
bool g_handling = false;
PlatformDisplayErrorReport g_report = nullptr;
Display* g_gtkDisplay = nullptr;
XErrorHandler g_gtkHandler = nullptr;

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

// Only Xlib's local tables are read here: a handler must not send the
// display a request.
int OnRequestRefused(Display* display, XErrorEvent* error) {
  if (display == g_gtkDisplay && g_gtkHandler) return g_gtkHandler(display, error);
  if (!g_report) return 0;
  char what[160] = "";
  XGetErrorText(display, error->error_code, what, sizeof what);
  // Core requests have names in Xlib's database; an extension's is known
  // by its number only.
  char request[80] = "";
  const std::string major = std::to_string(error->request_code);
  XGetErrorDatabaseText(display, "XRequest", major.c_str(), "", request, sizeof request);
  char text[400];
  std::snprintf(text, sizeof text, "The display refused request %s%s%s (minor %d) on 0x%lx: %s", major.c_str(),
                *request ? " " : "", request, error->minor_code, error->resourceid, what);
  g_report(text);
  return 0;
}

}  // namespace

void PlatformSetDisplayLostStep(PlatformDisplayLostStep step) {
  g_step = step;
  PlatformWatchDisplayLoss();
}

void PlatformSetDisplayErrorReport(PlatformDisplayErrorReport report) { g_report = report; }

void PlatformWatchDisplayLoss() {
  XSetIOErrorHandler(OnDisplayLost);
  XSetErrorHandler(OnRequestRefused);
}

void PlatformLeaveDisplayErrorsToGtk(void* display) {
  const XErrorHandler current = XSetErrorHandler(OnRequestRefused);
  if (current != OnRequestRefused) {
    g_gtkDisplay = static_cast<Display*>(display);
    g_gtkHandler = current;
  }
  PlatformWatchDisplayLoss();
}
