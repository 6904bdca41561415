// DirList.cpp - the two folder listings over the platform's folder reader.
//
// State: gFirst and gSecond, one record per listing, alive for the whole run
// (a listing's folder handle stays open only between prepare and the end of
// its entries or its clean-up).
#include "App/DirList.h"

#include "Engine/EngUtils.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Platform/DirEntries.h"

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
  PlatformDirReader reader;
  bool haveHandle = false;    // an entry has been read ahead
  std::string ahead;          // the name read ahead
  char result[1024] = {};     // the last answered name
  char joined[kDirListMaxPath + 1024 + 2] = {};
};

Listing gFirst{"DirListOpenDir", "DirListPrepareToGetFilenamesInDir",
               "Directory not opened - call DirListOpenDir() first.",
               "Call DirListPrepareToGetFilenamesInDir() first.",
               "DirListCleanupAfterGettingFilenamesInDir", false};
Listing gSecond{"DirListUnicodeOpenDir", "DirListUnicodePrepareToGetFilenamesInDir",
                "Directory not opened - call DirListUnicodeOpenDir() first.",
                "Call DirListUnicodePrepareToGetFilenamesInDir() first.",
                "DirListUnicodeCleanupAfterGettingFilenamesInDir", true};

void EndSearch(Listing& l) {
  l.reader.Close();
  l.haveHandle = false;
  l.ahead.clear();
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
  if (l.reader.Open(l.folder) && l.reader.Next(&l.ahead)) {
    l.haveHandle = true;
  } else {
    EndSearch(l);
  }
  l.state = kListing;
  return true;
}

void FillRecord(const Listing& l, const char* name, DirListFindRecord* record) {
  std::memset(record, 0, sizeof(*record));
  EngSafeStrcpy(record->fileName, name, static_cast<int>(sizeof(record->fileName)));
  PlatformDirEntryInfo info;
  if (!PlatformDirEntryStat(l.folder, name, &info)) return;
  record->attributes = info.isDirectory ? kDirListAttributeDirectory : kDirListAttributeNormal;
  auto split = [](long long value, std::uint32_t* out) {
    const auto v = static_cast<unsigned long long>(value < 0 ? 0 : value);
    out[0] = static_cast<std::uint32_t>(v & 0xFFFFFFFFULL);
    out[1] = static_cast<std::uint32_t>(v >> 32);
  };
  split(info.changeTime, record->creationTime);
  split(info.accessTime, record->lastAccessTime);
  split(info.writeTime, record->lastWriteTime);
  record->sizeLow = static_cast<std::uint32_t>(info.size & 0xFFFFFFFFULL);
  record->sizeHigh = static_cast<std::uint32_t>(info.size >> 32);
}

const char* Next(Listing& l, DirListFindRecord* record) {
  if (record) std::memset(record, 0, sizeof(*record));
  if (l.state != kListing) {
    // Both listings name the prepare step as the reporter here.
    DebugError(l.prepareName, "%s", l.notPreparedText);
    return "";
  }
  if (!l.haveHandle) return "";
  bool accepted = false;
  bool readOk = false;
  for (;;) {
    const std::string& name = l.ahead;
    const bool skip = name == "." || (name == ".." && (l.second || !l.showParent));
    if (!skip && (!l.filter || l.filter(l.count, name.c_str(), l.folder))) {
      std::snprintf(l.result, sizeof(l.result), "%s", name.c_str());
      if (record) FillRecord(l, l.result, record);
      accepted = true;
    }
    std::string following;
    readOk = l.reader.Next(&following);
    if (readOk) l.ahead = following;
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

bool DirListOpenDir(const char* path, DirListFilterCB filter) { return Open(gFirst, path, filter); }
bool DirListPrepareToGetFilenamesInDir() { return Prepare(gFirst); }
const char* DirListGetNextFilenameInDir() { return Next(gFirst, nullptr); }

const char* DirListGetFilenameWithPath(const char* name) {
  const char* where = "DirListGetFilenameWithPath";
  if (gFirst.state == kClosed) {
    DebugError(where, "Not setup");
    return "";
  }
  if (!name || !*name) {
    DebugError(where, "No filename");
    return "";
  }
  if (std::strcmp(gFirst.folder, "\\") == 0) {
    std::snprintf(gFirst.joined, sizeof(gFirst.joined), "%s%s", gFirst.folder, name);
  } else {
    std::snprintf(gFirst.joined, sizeof(gFirst.joined), "%s\\%s", gFirst.folder, name);
  }
  return gFirst.joined;
}

void DirListCleanupAfterGettingFilenamesInDir() { Cleanup(gFirst); }
void DirListCloseDir() { Close(gFirst); }
void DirListSetShowParentDir(bool show) { gFirst.showParent = show; }

bool DirListUnicodeOpenDir(const char* path, DirListFilterCB filter) {
  return Open(gSecond, path, filter);
}
bool DirListUnicodePrepareToGetFilenamesInDir() { return Prepare(gSecond); }
const char* DirListUnicodeGetNextFilenameInDir(DirListFindRecord* record) {
  return Next(gSecond, record);
}
void DirListUnicodeCleanupAfterGettingFilenamesInDir() { Cleanup(gSecond); }
void DirListUnicodeCloseDir() { Close(gSecond); }
