// FindFiles.h - the Win32 directory search (FindFirstFileA, FindNextFileA,
// FindClose) over POSIX opendir/readdir and stat.
//
// A search lists one folder, given as a pattern "<folder>\<name pattern>"
// ('\\' or '/' separators; "*.*" and "*" match every name, '?' one
// character). Unlike readdir, the entries come sorted by name ignoring
// letter case, as Windows lists them on its file systems: lists built from a
// search are alphabetical and the same on every run. "." and ".." are
// listed as Windows lists them (first, and never for the root folder "/").
//
// Names are CP1252 game text. A name that does not convert back to exactly
// the same native bytes (characters outside CP1252, broken UTF-8) is
// skipped: the game could never open such a file by that name.
//
// State: each search handle owns the sorted entries read at FindFirstFileA;
// FindClose frees it. Nothing is shared between searches.
#pragma once

#include <cstdint>

#include "Win32Types.h"

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

// The find record, 320 bytes as the system's.
struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;    // the status change time (Linux keeps no birth time here)
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  char cFileName[260];
  char cAlternateFileName[14];
};
static_assert(sizeof(WIN32_FIND_DATAA) == 320, "find record is 320 bytes");

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

#ifndef INVALID_HANDLE_VALUE
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))
#endif

// Win32 error codes the search sets (GetLastError).
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_NO_MORE_FILES = 18;

// Starts a search and fills the record with the first entry. INVALID_HANDLE_VALUE
// when the folder cannot be read (ERROR_PATH_NOT_FOUND) or nothing matches
// (ERROR_FILE_NOT_FOUND); a null pattern or record also fails.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
// The next entry; FALSE at the end (ERROR_NO_MORE_FILES) or for a bad handle.
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* data);
// Ends the search; FALSE for a bad handle.
BOOL FindClose(HANDLE search);

// Case-insensitive order of two CP1252 names as the search sorts them:
// letters compared without case (the CP1252 accented letters too), ties
// broken by the bytes so that the order is total. Negative, 0 or positive.
int PlatformCompareNamesIgnoringCase(const char* a, const char* b);
