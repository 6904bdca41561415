// FindFiles.cpp - the directory search over opendir/readdir and stat (see
// FindFiles.h). A search reads the whole folder at FindFirstFileA, keeps the
// matching entries sorted, and hands them out one by one.
#include "FindFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "Cp1252.h"
#include "Files.h"

namespace {

// The CP1252 upper-case letter of a byte (Windows orders names by upper
// case, so '_' sorts after the letters).
unsigned char UpperCp1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return c;
  }
}

// Windows wildcard match: '*' any run, '?' one character, letters without
// case. "*.*" matches every name, also names without a dot.
bool WildcardMatch(const char* pattern, const char* name) {
  if (std::strcmp(pattern, "*.*") == 0 || std::strcmp(pattern, "*") == 0) return true;
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' ||
               UpperCp1252(static_cast<unsigned char>(*pattern)) ==
                   UpperCp1252(static_cast<unsigned char>(*name))) {
      ++pattern;
      ++name;
    } else if (star) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

// Seconds since 1970 as a FILETIME: 100-ns steps since 1601.
FILETIME ToFileTime(long long seconds) {
  constexpr unsigned long long kEpochDifference = 11644473600ULL;  // 1601 to 1970
  const unsigned long long s = seconds < 0 ? 0ULL : static_cast<unsigned long long>(seconds);
  const unsigned long long t = (s + kEpochDifference) * 10000000ULL;
  return FILETIME{static_cast<DWORD>(t & 0xFFFFFFFFULL), static_cast<DWORD>(t >> 32)};
}

// 0 for ".", 1 for "..", 2 for every other name.
int DotRank(const char* name) {
  if (std::strcmp(name, ".") == 0) return 0;
  if (std::strcmp(name, "..") == 0) return 1;
  return 2;
}

struct Search {
  std::vector<WIN32_FIND_DATAA> entries;
  std::size_t next = 0;
};

bool FillRecord(const std::string& nativeFolder, const std::string& nativeName,
                const std::string& gameName, WIN32_FIND_DATAA* record) {
  if (gameName.size() >= sizeof(record->cFileName)) return false;
  std::memset(record, 0, sizeof(*record));
  std::memcpy(record->cFileName, gameName.c_str(), gameName.size() + 1);
  struct stat st {};
  const std::string path = nativeFolder + "/" + nativeName;
  if (stat(path.c_str(), &st) != 0) return false;  // a dangling link: not listed
  if (S_ISDIR(st.st_mode)) {
    record->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
  } else {
    record->dwFileAttributes = (st.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
  }
  record->ftCreationTime = ToFileTime(st.st_ctime);
  record->ftLastAccessTime = ToFileTime(st.st_atime);
  record->ftLastWriteTime = ToFileTime(st.st_mtime);
  const auto size = static_cast<unsigned long long>(st.st_size);
  record->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFULL);
  record->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  return true;
}

}  // namespace

int PlatformCompareNamesIgnoringCase(const char* a, const char* b) {
  const auto* p = reinterpret_cast<const unsigned char*>(a ? a : "");
  const auto* q = reinterpret_cast<const unsigned char*>(b ? b : "");
  for (; *p || *q; ++p, ++q) {
    const unsigned char x = UpperCp1252(*p), y = UpperCp1252(*q);
    if (x != y) return x < y ? -1 : 1;
  }
  return std::strcmp(a ? a : "", b ? b : "");
}

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  if (!pattern || !*pattern || !data) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  // Split "<folder>\<name pattern>" at the last separator.
  std::string whole(pattern);
  const std::size_t cut = whole.find_last_of("\\/");
  std::string folder = cut == std::string::npos ? std::string(".") : whole.substr(0, cut);
  const std::string namePattern = cut == std::string::npos ? whole : whole.substr(cut + 1);
  const bool root = cut == 0;
  if (root) folder.assign(1, '/');
  const std::string nativeFolder = PlatformNativePath(folder.c_str());

  DIR* dir = opendir(nativeFolder.c_str());
  if (!dir) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  auto* search = new Search;
  while (const dirent* entry = readdir(dir)) {
    const std::string nativeName(entry->d_name);
    if (root && (nativeName == "." || nativeName == "..")) continue;
    const std::string gameName = Utf8ToCp1252(nativeName.c_str());
    if (Cp1252ToUtf8(gameName.c_str()) != nativeName) continue;  // not a game name
    if (!WildcardMatch(namePattern.c_str(), gameName.c_str())) continue;
    WIN32_FIND_DATAA record;
    if (FillRecord(nativeFolder, nativeName, gameName, &record)) search->entries.push_back(record);
  }
  closedir(dir);
  std::sort(search->entries.begin(), search->entries.end(),
            [](const WIN32_FIND_DATAA& x, const WIN32_FIND_DATAA& y) {
              // "." and ".." come first, as the system lists them.
              const int dotsX = DotRank(x.cFileName), dotsY = DotRank(y.cFileName);
              if (dotsX != dotsY) return dotsX < dotsY;
              return PlatformCompareNamesIgnoringCase(x.cFileName, y.cFileName) < 0;
            });
  if (search->entries.empty()) {
    delete search;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *data = search->entries[0];
  search->next = 1;
  return search;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data) {
  if (!handle || handle == INVALID_HANDLE_VALUE || !data) return FALSE;
  auto* search = static_cast<Search*>(handle);
  if (search->next >= search->entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *data = search->entries[search->next++];
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  if (!handle || handle == INVALID_HANDLE_VALUE) return FALSE;
  delete static_cast<Search*>(handle);
  return TRUE;
}
