// CloseRequest.h - a request from outside the window to close the program:
// SIGINT, SIGTERM and SIGHUP (Ctrl+C, kill, a desktop logout, the terminal
// it was started from closed) and SDL_QUIT.
//
// The request is a flag that waits for a window: PeekMessageA hands it to
// the first window as WM_CLOSE, so the program closes as through its close
// box, in order. While no window exists (start-up, a display change) or the
// program is inside a loop of its own (a dialog, a message box, a network
// wait), nothing pumps the window's messages and the request waits; it is
// honoured at the next pump that has a window. Several requests before then
// are one.
//
// State: the flag (set from signal handlers: lock-free, nothing else is
// touched there). The process's handlers of SIGINT, SIGTERM and SIGHUP once
// PlatformCatchCloseSignals has run.
#pragma once

// Makes SIGINT, SIGTERM and SIGHUP close requests instead of ending the
// process at once. A signal the process was started with ignored (SIGINT in
// a shell's background job, SIGHUP under nohup) stays ignored. False when
// a handler cannot be set.
bool PlatformCatchCloseSignals();
// Asks for the close (what the signal handlers do).
void PlatformRequestClose();
// True while a request waits.
bool PlatformCloseRequested();
// True once per request: the request is taken and no longer waits.
bool PlatformTakeCloseRequest();
