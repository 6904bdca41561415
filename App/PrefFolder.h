// PrefFolder.h - the per-user folders: the program's folder under the
// user's application-data directory ("Quarnix" then the program's folder
// name) and its sub-folders ("Users", "Scores", "SavedGames", "Layouts").
//
// Stand-in until the application shell lands: the main folder and its
// sub-folders, as far as the card game core asks for them. Results are game
// paths ('\\' separators) in a static buffer that the next call overwrites.
// State: the program's folder name, set by PrefFolderSetup.
#pragma once

// Sets the program's folder name (1 to 127 characters, else "Invalid folder
// name" and no name) and gives the main folder. (The log file start of the
// full unit is not part of this stand-in; startLog is ignored.)
const char* PrefFolderSetup(const char* folderName, bool startLog, const char* logName);
// The main folder, created when missing; "." when there is no folder name
// ("Folder name is empty") or it cannot be had ("Could not create/get
// directory").
const char* PrefFolderGetMainFolder();
// The main folder, "\\" and the name, created when missing. A missing, empty
// or 128-character name reports "Invalid sub folder name" and gives the
// main folder; a folder that cannot be created reports "Could not create
// directory <%s>" and gives the main folder.
const char* PrefFolderGetSubFolder(const char* name);
