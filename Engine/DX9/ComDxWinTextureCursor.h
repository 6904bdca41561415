// ComDxWinTextureCursor.h - the mouse pointer drawn as a texture in place of
// the system cursor.
//
// The program names the picture once, before the device exists; device
// creation loads it and device destruction releases it; each mouse move
// places its quad; the end of each frame draws it above everything.
// While the texture cursor is in use the system cursor is hidden, and shown
// again while the mouse is outside the window (ComDxWinSetTextureCursorHidden
// in ComDxWin.cpp).
//
//   setup     name, load options, size (virtual 640 x 480 units or pixels),
//             hot spot; system cursor hidden; in use
//   create    (device made) picture loaded; drawing size and hot spot in
//             virtual units; a failed load gives the system cursor back
//   place     (mouse moved, client pixels) quad at the pointer minus the
//             hot spot
//   draw      (end of frame) 2D, no depth test, blending type 3 (ONE,
//             SRCALPHA): the picture holds its colour multiplied by its
//             coverage, and as alpha the share of the screen that shows
//             through (255 outside the pointer)
//   release   (device going) texture released
//
// State: one texture-cursor record for the one window (reset by
// ComDxWinResetTextureCursorForTests); the in-use, visible and
// hidden-outside flags live in the window's ComDxWinState.
#pragma once

class EngWindow;
class EngTexture;

// Names the picture (a game path shorter than 128 characters; "Invalid
// Filename" otherwise, false), stores the load options (A: the file kind of
// ".dat" names, B: the alpha kind), the size, whether the size is in virtual
// units, and the hot spot; hides the system cursor and marks the texture
// cursor in use. window null: the current window ("No window", false).
bool ComDxWinSetupTextureCursor(EngWindow* window, const char* name, int optionA, int optionB,
                                int width, int height, bool sizeIsVirtual, int hotX, int hotY);
// Device creation: loads the picture (with alpha). On failure reports
// "Could not create texture cursor <%s>" under "EngDeviceDX9::Create", marks
// the texture cursor not in use and leaves the system cursor visible when
// the cursor is meant to be visible. True when loaded or not in use.
bool ComDxWinCreateTextureCursor(EngWindow* window);
// Device destruction: releases the picture's texture.
void ComDxWinReleaseTextureCursor();
// A mouse move to client pixel (x, y): places the quad.
void ComDxWinPlaceTextureCursor(EngWindow* window, int x, int y);
// Draws the pointer when a device exists, the cursor is in use, loaded,
// meant to be visible and the mouse is not outside the window.
void ComDxWinDrawTextureCursorQuad(EngWindow* window);

// For tests: the cursor's texture (null before the first creation), and
// back to the start state (texture freed).
EngTexture* ComDxWinGetTextureCursorTexture();
const char* ComDxWinGetTextureCursorName();
void ComDxWinResetTextureCursorForTests();
