// DecksPending.h - STAND-IN declarations of calls of work in flight
// elsewhere: the file chooser (App/GetFile.h), the Options screen's
// layout of a page's bottom rows (Screens/Options.h) and starting a program
// (Platform/Shell.h). Their stand-in
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

// Starts the photo editor on a picture (the parameter in double quotes) in
// the folder, not waited for; nothing when headless. Stands in for the
// shell opener's program case (Platform/Shell.h ShellExecuteA).
bool DecksStartPhotoEditor(const char* editor, const char* quotedPicture, const char* folder);
