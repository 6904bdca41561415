// DecksPending.h - STAND-IN declarations of calls of work in flight
// elsewhere: the file chooser (App/GetFile.h) and the Options screen's
// layout of a page's bottom rows (Screens/Options.h). Their stand-in
// definitions are in DecksPending.cpp; both files go when those units land.
#pragma once

class MWinButton;

using GetFileChosenCB = void (*)(int result);
constexpr int kGetFileMaxFilters = 10;

void GetFileSetDefaults();
void GetFileSetTitle(const char* title);
void GetFileSetStartDir(const char* path);
void GetFileSetExtensions(const char* const extensions[kGetFileMaxFilters]);
void GetFileSetFileChosenCB(GetFileChosenCB callback);
const char* GetFileGetChosenFilename();
const char* GetFileGetCurrentDir();

void OptionsControlMoveButtons(MWinButton* frame, MWinButton* title, MWinButton* done);
