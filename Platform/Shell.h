// Shell.h - ShellExecuteA: hands a web address or a document to the
// desktop's opener (xdg-open), or starts a program, without waiting for it
// and without a command shell in between.
//
// What is opened:
//   - an address ("scheme://...", "mailto:...") goes to xdg-open exactly as
//     given;
//   - a program (PlatformFileIsProgram) is started itself, with the
//     parameters (when not empty) as its one argument, surrounding double
//     quotes removed and converted to UTF-8, in the given folder when that
//     folder exists;
//   - any other file goes to xdg-open by its native path.
// The child is started by a double fork, so it outlives the game and is
// never left as a zombie of ours. Headless (Platform/Dialogs.h) nothing is
// started: the request is logged to stderr and answered as done.
//
// State: the tests' listener only.
#pragma once

#include "Win32Types.h"
#include "WinMsg.h"

// Show commands (Win32 values; SW_SHOWNORMAL is WinMsg.h's): a new process
// chooses its own window.
constexpr int SW_SHOWDEFAULT = 10;
// Results (Win32 values): above 32 means done.
constexpr int SE_ERR_FNF = 2;           // no file or address given
constexpr int SE_ERR_OOM = 8;           // the process could not be started
constexpr int SE_ERR_NOASSOC = 31;      // a verb other than "open"
constexpr int kShellExecuteDone = 42;

// verb: null or "open" (any case). owner and show are accepted and unused.
// The result is an integer in a handle, as Win32 gives it: compare
// reinterpret_cast<std::intptr_t>(result) > 32.
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show);

// Starts argv[0] (searched on PATH) with argv (null-terminated) in the
// folder (null or missing: the current one), detached by a double fork.
// False when the fork failed.
bool PlatformSpawnDetached(const char* const* argv, const char* directory);

// ---- Test seam ----------------------------------------------------------------
// Sees every request before anything is decided (also when headless); null
// removes.
using PlatformShellListener = void (*)(const char* verb, const char* file, const char* parameters,
                                       void* context);
void PlatformShellSetListener(PlatformShellListener listener, void* context);
