// DisplayLoss.h - the end of the connection to the display (the X server
// gone, as at a logout). Xlib meets the broken connection inside whatever
// call it was making, calls its IO error handler and ends the process after
// it: no window message comes first, so the program's ordered shutdown
// cannot run. The handler put in place here runs the program's own last
// step for that case (its saves; nothing may draw or reach the display any
// more), then ends the process with status 1, as Xlib's own handler does.
//
// A request the display refuses (an X protocol error: a size or a window
// it no longer has) is no loss: the connection goes on. Xlib's own handler
// for it ends the process all the same; the one put in place here hands the
// error's words to the program's report and the run goes on. GTK's
// connection keeps GTK's handler, which its error traps stand on.
//
// State: the program's step and report (set once at start) and whether the
// loss is being handled; GTK's connection and handler; the handlers in
// Xlib's process-wide slots, put back each time a library that sets its own
// there has started (SDL's video, GTK).
#pragma once

using PlatformDisplayLostStep = void (*)();
using PlatformDisplayErrorReport = void (*)(const char* text);

// The step to run when the display is lost (null: none); puts the handlers
// in place.
void PlatformSetDisplayLostStep(PlatformDisplayLostStep step);
// Where a refused request is told (null: nowhere; the run goes on either
// way).
void PlatformSetDisplayErrorReport(PlatformDisplayErrorReport report);
// Puts the handlers in Xlib's slots (again).
void PlatformWatchDisplayLoss();
// Called right after GTK has started on its connection (an Xlib Display*),
// while GTK's handler is in the slot: that connection's errors go on to it.
// Puts the handlers in place.
void PlatformLeaveDisplayErrorsToGtk(void* display);
