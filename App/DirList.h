// DirList.h - listing the entries of one folder at a time, by name, with an
// optional filter.
//
// Two independent listings with the same life cycle: the first (DirList*)
// for the file chooser, decks, boards and players; the second
// (DirListUnicode*) for the engine's language scan, so both can run at once.
// Each lists one folder at a time:
//   open (state 1) -> prepare (state 2) -> next ... next ("") -> clean up
//   (state 1) -> prepare again, or close (state 0).
// Entries come in the directory search's order (names sorted ignoring case,
// Platform/FindFiles.h), files and folders alike; "." is never returned, ".."
// only by the first listing with show-parent set.
// Names and paths are CP1252 game paths ('\\' separators).
//
// State: one static record per listing (folder, state, filter, count, the
// search handle and the find record read ahead, result texts).
#pragma once

#include <cstdint>

#include "Platform/FindFiles.h"

// (entries accepted so far, entry name, folder) -> true accepts the entry.
using DirListFilterCB = bool (*)(int acceptedSoFar, const char* name, const char* folder);

constexpr int kDirListMaxPath = 1024;

// ---- First listing ----------------------------------------------------------
// The path must be 1 to 1024 characters ("Invalid Path Passed In") and an
// existing folder ("Directory does not exist"). Opening again starts over.
bool DirListOpenDir(const char* path, DirListFilterCB filter);
// Refused unless open and not already listing.
bool DirListPrepareToGetFilenamesInDir();
// The next accepted name, or "" when there are no more (outside a listing:
// logged, "").
const char* DirListGetNextFilenameInDir();
// "<folder>\<name>" ("\<name>" for the root folder "\"); "" when not open or
// for an empty name.
const char* DirListGetFilenameWithPath(const char* name);
void DirListCleanupAfterGettingFilenamesInDir();
// Allowed in any state.
void DirListCloseDir();
void DirListSetShowParentDir(bool show);

// ---- Second listing ------------------------------------------------------------
// What the second listing hands back beside a name: the entry's whole find
// record (320 bytes).
using DirListFindRecord = WIN32_FIND_DATAA;

// One trailing '\\' is removed; a missing folder logs "Directory does not
// exist" with the path.
bool DirListUnicodeOpenDir(const char* path, DirListFilterCB filter);
bool DirListUnicodePrepareToGetFilenamesInDir();
// record (optional, 320 bytes) receives the accepted entry's find record; at
// the end, or outside a listing, it is zero-filled and "" is returned.
const char* DirListUnicodeGetNextFilenameInDir(DirListFindRecord* record);
void DirListUnicodeCleanupAfterGettingFilenamesInDir();
void DirListUnicodeCloseDir();
