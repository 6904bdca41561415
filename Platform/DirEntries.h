// DirEntries.h - reading the names in one folder (POSIX opendir/readdir).
// A reader owns its open folder; the engine's listing (App/DirList) keeps one
// per listing. Names are returned as CP1252 game text.
#pragma once

#include <string>

class PlatformDirReader {
 public:
  PlatformDirReader() = default;
  ~PlatformDirReader();
  PlatformDirReader(const PlatformDirReader&) = delete;
  PlatformDirReader& operator=(const PlatformDirReader&) = delete;

  // Opens a game path ('\\' allowed) for listing; closes a folder already
  // open first. False when it cannot be opened.
  bool Open(const char* path);
  // The next entry's name ("." and ".." included, in the file system's
  // order); false at the end or when not open.
  bool Next(std::string* name);
  void Close();
  bool IsOpen() const { return dir_ != nullptr; }

 private:
  void* dir_ = nullptr;  // DIR*
};

// What the listing reports of one entry.
struct PlatformDirEntryInfo {
  bool isDirectory = false;
  unsigned long long size = 0;
  long long changeTime = 0;  // seconds since 1970
  long long accessTime = 0;
  long long writeTime = 0;
};
// stat(2) of folder + '/' + name (game paths); false when it fails.
bool PlatformDirEntryStat(const char* folder, const char* name, PlatformDirEntryInfo* info);
