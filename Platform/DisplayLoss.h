// DisplayLoss.h - the end of the connection to the display (the X server
// gone, as at a logout). Xlib meets the broken connection inside whatever
// call it was making, calls its IO error handler and ends the process after
// it: no window message comes first, so the program's ordered shutdown
// cannot run. The handler put in place here runs the program's own last
// step for that case (its saves; nothing may draw or reach the display any
// more), then ends the process with status 1, as Xlib's own handler does.
//
// State: the program's step (set once at start) and whether the loss is
// being handled; the handler in Xlib's process-wide slot, put back each time
// a library that sets its own there has started (SDL's video, GTK).
#pragma once

using PlatformDisplayLostStep = void (*)();

// The step to run when the display is lost (null: none); puts the handler
// in place.
void PlatformSetDisplayLostStep(PlatformDisplayLostStep step);
// Puts the handler in Xlib's slot (again).
void PlatformWatchDisplayLoss();
