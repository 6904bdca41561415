// Keys.h - "Keys", the list of the keys and mouse controls that work in
// play: a screen of its own opened from play (K opens and closes it) and the
// Options screen's page 7. In "Aces Up" the foundation key does nothing, so
// its line is shown disabled.
//
// State: the screen's handles (one set of all rows).
#pragma once

class MWinCollection;
class MWinWindow;

constexpr int kKeysVirtualKeyK = 0x4B;

MWinCollection* KeysAddCollectionToDesktop();
void KeysCreateCB();
bool KeysAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void KeysClearButtonHandles();
bool KeysGetButtonHandlesNormal(const char* collection, const char* window);
bool KeysGetButtonHandles();

// Binds the rows of the screen, or of the Options page while Options is the
// current screen.
void KeysControlStartingCB();
// "Mouse": a popup describing the mouse controls (buttons swapped or not).
void KeysControlMouseCB();
// The own screen's tick: a K press returns to the game.
void KeysControlTickCB();
