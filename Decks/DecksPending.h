// DecksPending.h - STAND-IN declarations of calls of work in flight
// elsewhere: starting a program (Platform/Shell.h), whose stand-in
// definition is in DecksPending.cpp and goes when that unit lands. It also
// names the file chooser (App/GetFile.h) and the Options screen's layout of
// a page's bottom rows, which the screens define (Screens/Options.h is
// beside the decks, not below them).
#pragma once

#include "App/GetFile.h"

class MWinButton;

void OptionsControlMoveButtons(MWinButton* frame, MWinButton* title, MWinButton* done);

// Starts the photo editor on a picture (the parameter in double quotes) in
// the folder, not waited for; nothing when headless. Stands in for the
// shell opener's program case (Platform/Shell.h ShellExecuteA).
bool DecksStartPhotoEditor(const char* editor, const char* quotedPicture, const char* folder);
