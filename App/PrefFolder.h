// PrefFolder.h - the per-user folders. Every file the program writes for
// the user lives in its main folder (the user's application-data directory,
// "Quarnix", then the program's folder name) or its sub-folders ("Users",
// "Scores", "SavedGames", "Layouts"), or in a named folder under the user's
// documents or desktop folder. Callers never build these paths themselves.
// The unit also starts the log file in the main folder.
//
// Results are game paths ('\\' separators) in three static buffers the unit
// owns, so a caller copies a path it wants to keep; each call overwrites the
// last result held in its buffer:
//   base buffer  PrefFolderGetMainFolder, PrefFolderGetDesktopFolder (and the
//                scratch of the documents and desktop operations)
//   path buffer  PrefFolderGetMainFolderFile, PrefFolderGetSubFolder,
//                PrefFolderGetMyDocsSubFolder, PrefFolderGetDesktopSubFolder
//   own buffer   PrefFolderGetMyDocsSubSubFolder
// No operation fails outright: each reports and falls back to its base
// folder, or to "." for the main and desktop folders. A documents or desktop
// folder that is missing is created; one that cannot be had gives ".".
//
// State: the program's folder name (set by PrefFolderSetup) and the buffers.
#pragma once

// Sets the program's folder name (1 to 127 characters, else "Invalid folder
// name" and no name); with startLog (the start of a run) the log file
// logName (or "LogFile.txt") in the main folder is started afresh and the
// temporary files that killed writes of earlier runs left in the main folder
// and its sub-folders are deleted. Returns the main folder.
const char* PrefFolderSetup(const char* folderName, bool startLog, const char* logName);
// The main folder, created when missing; "." when there is no folder name
// ("Folder name is empty") or it cannot be had ("Could not create/get
// directory").
const char* PrefFolderGetMainFolder();
// The main folder, "\\" and the file name; a missing or empty name ("No
// file specified") or one of 128 characters or more ("Filename too long")
// gives the main folder.
const char* PrefFolderGetMainFolderFile(const char* fileName);
// The main folder, "\\" and the name, created when missing. A missing, empty
// or 128-character name reports "Invalid sub folder name" and gives the
// main folder; a folder that cannot be created reports "Could not create
// directory <%s>" and gives the main folder.
const char* PrefFolderGetSubFolder(const char* name);
// The documents folder, "\\" and the name, created when create is set (the
// same rules as PrefFolderGetSubFolder, on the documents folder).
const char* PrefFolderGetMyDocsSubFolder(const char* name, bool create);
// The documents folder, the sub-folder and the sub-sub-folder, both created
// when create is set. An invalid sub-sub name ("Invalid sub sub folder
// name") gives the documents sub-folder; a folder that cannot be created
// gives the documents folder.
const char* PrefFolderGetMyDocsSubSubFolder(const char* subFolder, const char* subSubFolder,
                                            bool create);
// The user's desktop folder; "." when it cannot be had ("Could not get
// directory").
const char* PrefFolderGetDesktopFolder();
// The desktop folder, "\\" and the name, created when missing.
const char* PrefFolderGetDesktopSubFolder(const char* name);
