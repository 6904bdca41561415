// DirList.h - listing the entries of one folder at a time, by name, with an
// optional filter.
//
// Two independent listings with the same life cycle: the first (DirList*)
// for the file chooser, decks, boards and players; the second
// (DirListUnicode*) for the engine's language scan, so both can run at once.
// Each lists one folder at a time:
//   open (state 1) -> prepare (state 2) -> next ... next ("") -> clean up
//   (state 1) -> prepare again, or close (state 0).
// Entries come in the file system's order, files and folders alike; "." is
// never returned, ".." only by the first listing with show-parent set.
// Names and paths are CP1252 game paths ('\\' separators).
//
// State: one static record per listing (folder, state, filter, count, the
// open folder and the entry read ahead, result texts).
#pragma once

#include <cstdint>

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
// What the second listing hands back beside a name: the entry's find record
// (320 bytes, as the system's record).
struct DirListFindRecord {
  std::uint32_t attributes;  // 0x10 folder, 0x80 normal file
  // Times as seconds since 1970 split into low and high words.
  std::uint32_t creationTime[2];    // the status change time
  std::uint32_t lastAccessTime[2];
  std::uint32_t lastWriteTime[2];
  std::uint32_t sizeHigh;
  std::uint32_t sizeLow;
  std::uint32_t reserved0;
  std::uint32_t reserved1;
  char fileName[260];
  char alternateFileName[14];
};
static_assert(sizeof(DirListFindRecord) == 320, "find record is 320 bytes");
constexpr std::uint32_t kDirListAttributeDirectory = 0x10;
constexpr std::uint32_t kDirListAttributeNormal = 0x80;

// One trailing '\\' is removed; a missing folder logs "Directory does not
// exist" with the path.
bool DirListUnicodeOpenDir(const char* path, DirListFilterCB filter);
bool DirListUnicodePrepareToGetFilenamesInDir();
// record (optional, 320 bytes) receives the accepted entry's find record; at
// the end, or outside a listing, it is zero-filled and "" is returned.
const char* DirListUnicodeGetNextFilenameInDir(DirListFindRecord* record);
void DirListUnicodeCleanupAfterGettingFilenamesInDir();
void DirListUnicodeCloseDir();
