// DirList.cpp - the two folder listings over the directory search
// (FindFirstFileA, FindNextFileA, FindClose).
//
// State: g_first and g_second, one record per listing, alive for the whole run
// (a listing's search handle stays open only between prepare and the end of
// its entries or its clean-up).
#include "App/DirList.h"

#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"

namespace {

enum ListingState { kClosed = 0, kOpen = 1, kListing = 2 };

struct Listing {
  // Reporter names and texts that differ between the two listings.
  const char* openName;
  const char* prepareName;
  const char* notOpenedText;
  const char* notPreparedText;
  const char* cleanupName;
  bool second;

  char folder[kDirListMaxPath + 1] = {};
  int state = kClosed;
  bool showParent = false;
  DirListFilterCB filter = nullptr;
  int count = 0;
  HANDLE search = INVALID_HANDLE_VALUE;  // none when the search ended or found nothing
  WIN32_FIND_DATAA ahead = {};            // the entry read ahead
  char result[1024] = {};     // the last answered name
  char joined[kDirListMaxPath + 1024 + 2] = {};
};

Listing g_first{"DirListOpenDir", "DirListPrepareToGetFilenamesInDir",
               "Directory not opened - call DirListOpenDir() first.",
               "Call DirListPrepareToGetFilenamesInDir() first.",
               "DirListCleanupAfterGettingFilenamesInDir", false};
Listing g_second{"DirListUnicodeOpenDir", "DirListUnicodePrepareToGetFilenamesInDir",
                "Directory not opened - call DirListUnicodeOpenDir() first.",
                "Call DirListUnicodePrepareToGetFilenamesInDir() first.",
                "DirListUnicodeCleanupAfterGettingFilenamesInDir", true};

void EndSearch(Listing& l) {
  if (l.search != INVALID_HANDLE_VALUE) FindClose(l.search);
  l.search = INVALID_HANDLE_VALUE;
}

void Close(Listing& l) {
  EndSearch(l);
  l.state = kClosed;
  l.filter = nullptr;
  l.count = 0;
}

bool Open(Listing& l, const char* path, DirListFilterCB filter) {
  Close(l);
  const std::size_t length = path ? std::strlen(path) : 0;
  if (length == 0 || length > static_cast<std::size_t>(kDirListMaxPath)) {
    DebugError(l.openName, "Invalid Path Passed In");
    return false;
  }
  char folder[kDirListMaxPath + 1];
  std::memcpy(folder, path, length + 1);
  if (l.second && length > 1 && folder[length - 1] == '\\') folder[length - 1] = '\0';
  if (!EngFileDirectoryExists(folder)) {
    if (l.second) {
      DebugError(l.openName, "Directory does not exist <%s>", folder);
    } else {
      DebugError(l.openName, "Directory does not exist");
    }
    return false;
  }
  std::memcpy(l.folder, folder, std::strlen(folder) + 1);
  l.filter = filter;
  l.count = 0;
  l.state = kOpen;
  return true;
}

bool Prepare(Listing& l) {
  if (l.state == kClosed) {
    DebugError(l.prepareName, "%s", l.notOpenedText);
    return false;
  }
  if (l.state == kListing) {
    DebugError(l.prepareName, "Error - get filenames in progress");
    return false;
  }
  l.count = 0;
  EndSearch(l);
  // Read the first entry ahead; after a failed search there is no handle.
  char pattern[kDirListMaxPath + 8];
  if (std::strcmp(l.folder, "\\") == 0) {
    std::snprintf(pattern, sizeof(pattern), "\\*.*");
  } else {
    std::snprintf(pattern, sizeof(pattern), l.second ? "%s/*.*" : "%s\\*.*", l.folder);
  }
  l.search = FindFirstFileA(pattern, &l.ahead);
  l.state = kListing;
  return true;
}

const char* Next(Listing& l, DirListFindRecord* record) {
  if (record) std::memset(record, 0, sizeof(*record));
  if (l.state != kListing) {
    // Both listings name the prepare step as the reporter here.
    DebugError(l.prepareName, "%s", l.notPreparedText);
    return "";
  }
  if (l.search == INVALID_HANDLE_VALUE) return "";
  bool accepted = false;
  bool readOk = false;
  for (;;) {
    const char* name = l.ahead.cFileName;
    const bool skip = std::strcmp(name, ".") == 0 ||
                      (std::strcmp(name, "..") == 0 && (l.second || !l.showParent));
    if (!skip && (!l.filter || l.filter(l.count, name, l.folder))) {
      std::snprintf(l.result, sizeof(l.result), "%s", name);
      if (record) *record = l.ahead;
      accepted = true;
    }
    readOk = FindNextFileA(l.search, &l.ahead) != FALSE;
    if (accepted || !readOk) break;
  }
  if (!readOk) EndSearch(l);  // the next call answers ""
  if (!accepted) return "";
  ++l.count;
  return l.result;
}

void Cleanup(Listing& l) {
  if (l.state != kListing) {
    DebugError(l.cleanupName, "Not getting files in dir");
    return;
  }
  EndSearch(l);
  l.state = kOpen;
}

}  // namespace

bool DirListOpenDir(const char* path, DirListFilterCB filter) { return Open(g_first, path, filter); }
bool DirListPrepareToGetFilenamesInDir() { return Prepare(g_first); }
const char* DirListGetNextFilenameInDir() { return Next(g_first, nullptr); }

const char* DirListGetFilenameWithPath(const char* name) {
  const char* where = "DirListGetFilenameWithPath";
  if (g_first.state == kClosed) {
    DebugError(where, "Not setup");
    return "";
  }
  if (!name || !*name) {
    DebugError(where, "No filename");
    return "";
  }
  if (std::strcmp(g_first.folder, "\\") == 0) {
    std::snprintf(g_first.joined, sizeof(g_first.joined), "%s%s", g_first.folder, name);
  } else {
    std::snprintf(g_first.joined, sizeof(g_first.joined), "%s\\%s", g_first.folder, name);
  }
  return g_first.joined;
}

void DirListCleanupAfterGettingFilenamesInDir() { Cleanup(g_first); }
void DirListCloseDir() { Close(g_first); }
void DirListSetShowParentDir(bool show) { g_first.showParent = show; }

bool DirListUnicodeOpenDir(const char* path, DirListFilterCB filter) {
  return Open(g_second, path, filter);
}
bool DirListUnicodePrepareToGetFilenamesInDir() { return Prepare(g_second); }
const char* DirListUnicodeGetNextFilenameInDir(DirListFindRecord* record) {
  return Next(g_second, record);
}
void DirListUnicodeCleanupAfterGettingFilenamesInDir() { Cleanup(g_second); }
void DirListUnicodeCloseDir() { Close(g_second); }
