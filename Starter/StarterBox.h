// StarterBox.h - the starter's message box, for its explanations.
//
// Two kits can show it, tried in this order: SDL 2's message box, then a
// GTK 3 dialog. Each is opened with the dynamic loader by its own library
// name when a question is asked, whatever the renderer probe found or has
// already closed: the box of a missing OpenGL is SDL's, the box of a
// missing SDL is GTK's, and the box of a game that could not be started
// comes after the probe closed everything. A kit stays loaded until
// StarterBoxClose, so one run's questions share it.
//
// The box holds the message's lines, one paragraph each, and its buttons in
// order, left to right; the first is the default (Return). Escape and the
// close box answer kStarterClosed (SDL's box answers Escape with the first
// button, which ends the explanation the same way). It is centred on the
// screen and fits it: SDL's is given lines and captions that fit
// (StarterFit.h), GTK's wraps its lines itself. SDL shows its box from a
// child process it forks, which ends with the starter however that ends.
//
// Headless (CARDOLIA_HEADLESS set to anything but "" or "0") with a display:
// the kit is loaded but its box is not shown; the box is logged on stderr
// ("[message box, SDL] title: text [buttons] -> Ok") and the first button
// answers. Without a display no box can be shown.
//
// State: the kits' library handles (and Xlib's, which measures the text of
// SDL's box) and the tests' library names.
#pragma once

#include "Starter/Starter.h"

// The answer of the box (a button's id or kStarterClosed), or -1 when no
// box can be shown: no display, or neither kit loads or shows its box.
int StarterAskWithBox(const StarterMessage& message);
// Unloads the kits (SDL only: GTK cannot be unloaded once it ran).
void StarterBoxClose();
// True when CARDOLIA_HEADLESS asks for no waiting; true when a display is
// named ($DISPLAY or $WAYLAND_DISPLAY).
bool StarterIsHeadless();
bool StarterHasDisplay();

// ---- Test seam ----------------------------------------------------------------
// The kits' library names (null restores SDL 2's and GTK 3's).
void StarterBoxSetLibrariesForTests(const char* sdl, const char* gtk);
