// InGame.h - "InGame": the in-game menu, a column of buttons at the right
// edge that opens over the table when the pointer rests on the Menu button:
// Undo, Redo, Autoplay, New, Rules, Options, Main, Exit. Each button closes
// the menu (back to play) and then carries out its in-game action. The menu
// also closes, with no action, on Escape, when the pointer leaves both the
// menu and the Menu button's corner, and on a press beside it (the game
// sees that press, GameHandleMouseButton).
//
// State: the screen's handles.
#pragma once

class MWinCollection;

MWinCollection* InGameAddCollectionToDesktop();
void InGameCreateCB();
void InGameClearButtonHandles();
// Looks the buttons up in the collection and window given.
bool InGameGetButtonHandlesInCollection(const char* collection, const char* window);
bool InGameGetButtonHandles();

// Binds the buttons; the collection takes the mouse only over the menu's
// frame, so presses beside it reach the game.
void InGameControlStartingCB();
// Every frame while the menu is the current screen: Escape, or the pointer
// away from the menu and the Menu corner, closes it.
void InGameControlTickCB();
// "Undo" enabled when an undo is possible, or when it is refused at a
// marked state while the undo level is 1 and the notice is still wanted;
// "Redo" when a redo is possible. Nothing while cards move.
void InGameControlUpdateUndoRedoButtons();
// Closes the menu and returns to play.
void InGameControlClose();
void InGameControlMainCB();
void InGameControlUndoCB();
void InGameControlRedoCB();
void InGameControlAutoplayCB();
void InGameControlNewCB();
void InGameControlRulesCB();
void InGameControlOptionsCB();
void InGameControlPauseCB();
void InGameControlExitCB();
