// Popup.h - "Popup": the small message screen shown over play for one
// message, the notice that an undo reached the limit the player's undo
// level allows, with a check box "Show this message again" bound to the
// player's option. The game sets the message flag before it opens the
// screen; started without it the screen closes at once.
//
// State: the screen's handles and the message flag.
#pragma once

class MWinCollection;

MWinCollection* PopupAddCollectionToDesktop();
void PopupCreateCB();
void PopupClearButtonHandles();
bool PopupGetButtonHandles();
void PopupControlStartingCB();
void PopupControlOkCB();
// The message flag, set before the screen is opened for the undo-limit
// message.
void PopupControlSetUndoMessage();
