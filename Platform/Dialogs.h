// Dialogs.h - the system message box and the desktop's file opener.
//
// MessageBoxA shows an SDL message box when a display can be used, or a GTK
// one once GTK runs (a plain window or dialog was shown) and the game's
// window does not exist yet, or SDL cannot show its box; whenever
// CARDOLIA_HEADLESS is set (every automated run), or no display exists, it
// only logs the box to stderr and answers the default: IDOK for an OK box,
// IDNO for a Yes/No box (the answer that ends a dialog without acting), so
// nothing ever waits for a person who is not there.
//
// SDL's box is given its text broken into rows that fit the screen
// (Platform/BoxText.h). It runs in a child process SDL forks (zenity's, on
// Wayland, too), which ends when the game ends, however that ends.
#pragma once

#include "Win32Types.h"

// Button sets and icons (Win32 values).
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONWARNING = 0x30;
// Answers.
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows the box (owner ignored; text and caption are CP1252) and returns the
// answer. 0 only when the box could not be shown at all.
int MessageBoxA(void* owner, const char* text, const char* caption, UINT type);

// True when boxes must not wait: CARDOLIA_HEADLESS set to anything but ""
// or "0", or no display ($DISPLAY and $WAYLAND_DISPLAY unset).
bool PlatformIsHeadless();

// Opens a file with the desktop's default program (xdg-open, not waited
// for). Never runs anything when headless; false then or on failure.
bool PlatformOpenWithShell(const char* path);

// A box of another window system: IDOK, IDYES or IDNO; 0 when it could not
// be shown. Texts are UTF-8.
using PlatformWindowBox = int (*)(const char* utf8Text, const char* utf8Caption, UINT type);
// Set by the plain windows' GTK back end once GTK runs, so that this file
// needs no GTK of its own (programs that never show a plain window do not
// load it).
void PlatformDialogsUseWindowBox(PlatformWindowBox box);

// Called once a box shown over the game's window has gone, so that what
// the box covered is drawn again before whatever follows it (the next box,
// a wait that draws nothing); null removes. The engine sets it.
using PlatformBoxClosedHook = void (*)();
void PlatformDialogsSetBoxClosedHook(PlatformBoxClosedHook hook);

// ---- Test seam ----------------------------------------------------------------
// Sees every box as it is asked for (after the headless decision); null removes.
using PlatformDialogListener = void (*)(const char* text, const char* caption, UINT type,
                                        void* context);
void PlatformDialogsSetListener(PlatformDialogListener listener, void* context);
// The tests' answers to the next Yes/No boxes asked headless (IDYES or
// IDNO), in order; once they are used up the boxes take their default again.
// OK boxes are not affected.
void PlatformDialogsAnswerNextYesNo(int answer);
void PlatformDialogsClearAnswers();
