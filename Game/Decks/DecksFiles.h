// DecksFiles.h - small file helpers the deck library and the boards share:
// whole-file reading, folder listings sorted by byte order, and the CR/LF
// handling of their text files.
#pragma once

#include <string>
#include <vector>

// The whole file as bytes; false when it cannot be read.
bool DecksReadWholeFile(const char* path, std::string* out);
// The names of a folder's files (or, with folders, its sub-folders), sorted
// by byte order; false when the folder cannot be listed.
bool DecksListFolder(const char* path, bool folders, std::vector<std::string>* names);
// The lines of a text: split at LF, every trailing CR and LF removed (so
// CR LF, CR CR LF and LF read alike). A line longer than maxLength is cut
// there (its tail is not a line of its own).
std::vector<std::string> DecksSplitLines(const std::string& text, std::size_t maxLength);
// Copies a path the player chose (or a chooser's folder) into a field of
// size bytes. A path the field cannot hold whole (size characters or more)
// or none leaves the field as it was: false.
bool DecksCopyPath(char* field, std::size_t size, const char* path);
// True when text ends with suffix, letter case ignored.
bool DecksEndsWithNoCase(const std::string& text, const char* suffix);
bool DecksStartsWithNoCase(const std::string& text, const char* prefix);
// True when a folder path ends with the sub-folders asked for ("a/b" given
// with '/'; the path's '\\' count as '/'): the folder layer falls back to a
// parent folder when it cannot make one, and that parent is not the folder.
bool DecksIsFolderAskedFor(const std::string& path, const char* tail);
