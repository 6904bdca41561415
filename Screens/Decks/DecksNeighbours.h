// DecksNeighbours.h - what the deck screens call in the screens beside them:
// the file chooser (App/GetFile.h) and the Options screen's layout of a
// page's bottom rows (Screens/Options.cpp).
#pragma once

#include "App/GetFile.h"

class MWinButton;

void OptionsControlMoveButtons(MWinButton* frame, MWinButton* title, MWinButton* done);
