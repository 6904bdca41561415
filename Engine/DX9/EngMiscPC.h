// EngMiscPC.h - the platform side of the engine's small services: the
// seconds clock, the message flush, the desktop work area, the user folders,
// the current directory and the system message box.
//
// State: the timer record (initialised flag, has-counter flag, counter
// frequency and start count), set by EngMiscInitTimer_PC; the message
// remover (replaceable by tests).
#pragma once

// Starts the timer: the counter's frequency and start count.
void EngMiscInitTimer_PC();
// Seconds since EngMiscInitTimer_PC on the monotonic counter (the timer is
// started on first use when nobody started it).
double EngMiscGetSeconds_PC();

// Removes waiting window messages without dispatching them until none waits
// or the given seconds have passed on the clock. A pending quit, close or
// destroy message is never dropped.
void EngMiscFlushWindowsMessages_PC(double seconds);
// Test seam: the call that removes one waiting message without dispatching
// it (false when none was waiting); null restores the platform's
// (PlatformRemoveOneDroppableMessage).
using EngMiscRemoveMessageFn = bool (*)();
void EngMiscSetMessageRemover_PC(EngMiscRemoveMessageFn removeOne);

// The usable desktop area (outputs optional).
void EngMiscGetDesktopWorkArea_PC(int* left, int* top, int* width, int* height);

// The user's folders (buffer of at least 256 bytes, else false without a
// message), as CP1252 game paths:
//   Desktop / Documents: ~/.config/user-dirs.dirs (XDG_DESKTOP_DIR,
//     XDG_DOCUMENTS_DIR), else ~/Desktop, ~/Documents
//   Applications: the folder of the running program
//   User application data: $XDG_DATA_HOME, else ~/.local/share
// A path that game text (CP1252) cannot hold counts as a failure. Failures
// report "Could not get desktop path" and the like.
bool EngMiscGetDesktopDirectory_PC(char* buffer, int size);
bool EngMiscGetDocumentsDirectory_PC(char* buffer, int size);
bool EngMiscGetApplicationsDirectory_PC(char* buffer, int size);
bool EngMiscGetUserApplicationDataDirectory_PC(char* buffer, int size);
// The current directory; false when it does not fit.
bool EngMiscGetCurrentDirectory_PC(char* buffer, int size);

// The system box: kind 2 error icon, 1 warning icon, else plain; an OK
// button. With a window, flushes messages for 2 s and shows the cursor
// first. Returns MessageBoxA's answer.
int EngMiscMessageBox_PC(int kind, const char* title, const char* text);
