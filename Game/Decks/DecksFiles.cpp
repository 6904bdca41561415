// DecksFiles.cpp - the deck library's and the boards' file helpers (see
// DecksFiles.h).
#include "Game/Decks/DecksFiles.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "Engine/EngFile.h"
#include "Game/GameImports.h"

bool DecksReadWholeFile(const char* path, std::string* out) {
  out->clear();
  if (!path || !EngFileExists(path)) return false;
  const long size = EngFileGetFileSize(path, false);
  if (size < 0) return false;
  out->resize(static_cast<std::size_t>(size));
  if (size == 0) return true;
  return EngFileOpenReadAndClose(path, false, out->data(), out->size());
}

bool DecksListFolder(const char* path, bool folders, std::vector<std::string>* names) {
  names->clear();
  if (!path || !EngFileDirectoryExists(path)) return false;
  if (!g_GameImports.DirListOpenDir(path, nullptr) ||
      !g_GameImports.DirListPrepareToGetFilenamesInDir()) {
    g_GameImports.DirListCloseDir();
    return false;
  }
  for (const char* name = g_GameImports.DirListGetNextFilenameInDir(); name && name[0];
       name = g_GameImports.DirListGetNextFilenameInDir()) {
    if (std::strcmp(name, "..") == 0) continue;
    const char* full = g_GameImports.DirListGetFilenameWithPath(name);
    const bool isFolder = EngFileDirectoryExists(full);
    const bool isFile = !isFolder && EngFileExists(full);
    if (folders ? isFolder : isFile) names->emplace_back(name);
  }
  g_GameImports.DirListCleanupAfterGettingFilenamesInDir();
  g_GameImports.DirListCloseDir();
  // Byte order, not the listing's: a stored index then names the same entry
  // on every run and every system.
  std::sort(names->begin(), names->end());
  return true;
}

std::vector<std::string> DecksSplitLines(const std::string& text, std::size_t maxLength) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.size() > maxLength) line.resize(maxLength);
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool DecksEndsWithNoCase(const std::string& text, const char* suffix) {
  const std::size_t n = std::strlen(suffix);
  return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, suffix) == 0;
}

bool DecksStartsWithNoCase(const std::string& text, const char* prefix) {
  return strncasecmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

bool DecksIsFolderAskedFor(const std::string& path, const char* tail) {
  std::string normal = path;
  for (char& c : normal) {
    if (c == '\\') c = '/';
  }
  const std::string wanted = std::string("/") + tail;
  return normal.size() >= wanted.size() &&
         normal.compare(normal.size() - wanted.size(), wanted.size(), wanted) == 0;
}

bool DecksCopyPath(char* field, std::size_t size, const char* path) {
  if (!field || size == 0 || !path) return false;
  const std::size_t length = strnlen(path, size);
  if (length >= size) return false;
  std::memcpy(field, path, length + 1);
  return true;
}
