// Files.h - the file-system calls the engine's file layer stands on, over POSIX.
//
// Every name the engine passes here is a game path: CP1252, possibly with '\\'
// separators ("Data\\Main\\0100.dat"). PlatformNativePath is the one place
// where such a name becomes a native path (UTF-8, '/'); every call below goes
// through it. Nothing here reports errors: callers test the results and report
// in their own words.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "Win32Types.h"

// The native path of a game path: '\\' -> '/', CP1252 -> UTF-8.
std::string PlatformNativePath(const char* name);

// fopen with the C runtime's Windows mode letters: 't' is dropped, 'b' kept.
// A stream opened with 't' for reading should be read through
// PlatformTextRead/PlatformTextReadLine, which drop '\r' before '\n'.
// Null for a null or empty name.
std::FILE* PlatformFileOpen(const char* name, const char* mode);

// Reads up to size bytes in text mode: "\r\n" becomes "\n". Returns the bytes
// stored.
std::size_t PlatformTextRead(void* buffer, std::size_t size, std::FILE* stream);

// fgets that also turns a "\r\n" line end into "\n". Null at end of file.
char* PlatformTextReadLine(char* buffer, int size, std::FILE* stream);

// True when the name is an existing regular file (a folder is not a file).
bool PlatformFileIsRegular(const char* name);

// True when the name is an existing folder.
bool PlatformDirectoryExists(const char* name);

// True when the name is a program this user can start: an existing regular
// file whose mode lets the user execute it (what Windows calls an ".exe").
bool PlatformFileIsProgram(const char* name);

// Win32-shaped calls. TRUE on success.
BOOL DeleteFileA(const char* name);
BOOL CreateDirectoryA(const char* name, void* securityAttributes);  // one level
BOOL RemoveDirectoryA(const char* name);                            // empty folders only
// Copies through a temporary file beside the destination, then renames it into
// place, so a reader never sees half a copy.
BOOL CopyFileA(const char* source, const char* destination, BOOL failIfExists);
// rename(2); across file systems, copy then delete the source.
BOOL MoveFileA(const char* source, const char* destination);
// Without MOVEFILE_REPLACE_EXISTING an existing destination is never
// touched: the file system checks and moves in one step, and the move fails
// with the last error EEXIST. MOVEFILE_COPY_ALLOWED moves across file
// systems by copying into a new file (made only if the name is free) and
// deleting the source.
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x2;
BOOL MoveFileExA(const char* source, const char* destination, DWORD flags);

// Writes size bytes to a temporary file "<name>.tmp-<process id>" in the
// destination's folder, flushes it to disk, renames it over the destination
// and flushes the folder, so that neither a crash nor a power loss costs the
// old or the new contents. False (with errno set) on failure; the temporary
// file is gone. Leftover temporary files of the same name from writes that
// were killed before their rename are deleted first.
bool PlatformWriteFileReplacing(const char* name, const void* data, std::size_t size);
// The same, the new contents being the first keep bytes of the present file
// followed by data (a record appended behind whole records): the kept bytes
// are copied by the kernel where it can, never through the caller. False
// when the present file is missing or shorter than keep.
bool PlatformWriteFileReplacingKeeping(const char* name, std::size_t keep, const void* data, std::size_t size);

// What tells one version of a file's contents from another: its size,
// modification and change times (nanoseconds) and its place (device and
// inode; a replacing write makes a new one). False for a missing file or
// one that is not a regular file.
struct PlatformFileStamp {
  unsigned long long size = 0;
  unsigned long long inode = 0;
  unsigned long long device = 0;
  long long modified = 0;
  long long changed = 0;
  bool operator==(const PlatformFileStamp&) const = default;
};
bool PlatformGetFileStamp(const char* name, PlatformFileStamp* stamp);

// Deletes the leftover temporary files of killed writes in a folder (a game
// path): every "<name>.tmp-<process id>" whose process is gone. Another
// running copy's files are kept. The number deleted.
int PlatformRemoveLeftoverTemporaries(const char* folder);

// Test seam: the number of folder syncs made since the program started.
int PlatformFolderSyncsForTests();
// Test seam: false makes the replacing writes skip their flushes to disk
// (the rename stays): for fuzz targets, which run a reader's repair many
// thousand times and test its decisions, not the disk.
void PlatformSetSyncToDiskForTests(bool sync);

// The Win32 "last error" of the calling thread: errno here.
DWORD GetLastError();
void SetLastError(DWORD code);
