// DirEntries.cpp - folder reading over opendir/readdir and stat.
#include "DirEntries.h"

#include <dirent.h>
#include <sys/stat.h>

#include "Cp1252.h"
#include "Files.h"

PlatformDirReader::~PlatformDirReader() { Close(); }

bool PlatformDirReader::Open(const char* path) {
  Close();
  if (!path || !*path) return false;
  dir_ = opendir(PlatformNativePath(path).c_str());
  return dir_ != nullptr;
}

bool PlatformDirReader::Next(std::string* name) {
  if (!dir_) return false;
  const dirent* entry = readdir(static_cast<DIR*>(dir_));
  if (!entry) return false;
  if (name) *name = Utf8ToCp1252(entry->d_name);
  return true;
}

void PlatformDirReader::Close() {
  if (dir_) closedir(static_cast<DIR*>(dir_));
  dir_ = nullptr;
}

bool PlatformDirEntryStat(const char* folder, const char* name, PlatformDirEntryInfo* info) {
  if (!folder || !name || !info) return false;
  std::string path = PlatformNativePath(folder);
  if (path.empty() || path.back() != '/') path += '/';
  path += PlatformNativePath(name);
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  info->isDirectory = S_ISDIR(st.st_mode);
  info->size = static_cast<unsigned long long>(st.st_size);
  info->changeTime = st.st_ctime;
  info->accessTime = st.st_atime;
  info->writeTime = st.st_mtime;
  return true;
}
