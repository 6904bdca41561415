// GetFile.cpp - the file chooser's state, filters, listing, folders and
// places (see GetFile.h).
#include "App/GetFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>

#include "App/DirList.h"
#include "App/GetFileLocal.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngMisc.h"
#include "Engine/MWin/MWinButton.h"
#include "Platform/Cp1252.h"
#include "Platform/Files.h"
#include "Platform/FindFiles.h"
#include "Platform/Folders.h"

namespace {

constexpr const char* kRoot = "/";
constexpr const char* kDefaultTitle = "Select File";
constexpr const char* kUnnamedTitle = "Select A File";

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool FitsFolder(const std::string& path) {
  return !path.empty() && path.size() <= static_cast<std::size_t>(kGetFileMaxFolder);
}

void StoreFolder(const std::string& path) {
  GetFileState& s = GetFileGetState();
  std::snprintf(s.folder, sizeof s.folder, "%s", path.c_str());
}

// A folder path as the chooser keeps it: absolute, one trailing separator
// removed (the root "/" stays).
std::string Normalised(const char* path) {
  std::string folder = path ? path : "";
  if (folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();
  if (!folder.empty() && !IsSeparator(folder[0])) {
    char cwd[kGetFileMaxFolder + 1] = {};
    if (EngMiscGetCurrentDirectory(cwd, sizeof cwd)) {
      folder = folder == "." ? std::string(cwd) : std::string(cwd) + "/" + folder;
    }
  }
  return folder;
}

bool IsUsableFolder(const std::string& path) {
  return FitsFolder(path) && EngFileDirectoryExists(path.c_str());
}

// The home folder as game text; empty when it cannot be held in CP1252.
std::string HomeFolder() {
  const std::string native = PlatformHomeFolder();
  const std::string text = Utf8ToCp1252(native.c_str());
  return Cp1252ToUtf8(text.c_str()) == native ? text : std::string();
}

std::string DesktopFolder() {
  char buffer[kGetFileMaxFolder + 1] = {};
  return EngMiscGetDesktopDirectory(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string DocumentsFolder() {
  char buffer[kGetFileMaxFolder + 1] = {};
  return EngMiscGetDocumentsDirectory(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

// The documents folder, else the home folder, else the root.
std::string FallbackFolder() {
  for (const std::string& folder : {DocumentsFolder(), HomeFolder()}) {
    if (IsUsableFolder(folder)) return Normalised(folder.c_str());
  }
  return kRoot;
}

std::string DefaultFolder() {
  const std::string desktop = DesktopFolder();
  return IsUsableFolder(desktop) ? Normalised(desktop.c_str()) : FallbackFolder();
}

// folder + '/' + name ("/name" in the root).
std::string Joined(const char* folder, const char* name) {
  std::string path = folder;
  if (path.empty() || !IsSeparator(path.back())) path += '/';
  return path + name;
}

// Lists a folder into a new entry array, twice: the first pass counts, the
// second fills. False (reported under GetFileUpdateFiles) when the folder
// cannot be listed, memory runs out or the folder changed between passes.
bool ReadEntries(const char* folder, std::unique_ptr<GetFileEntry[]>* entries, int* count) {
  const char* where = "GetFileUpdateFiles";
  DirListSetShowParentDir(true);
  int total = 0;
  bool ok = DirListOpenDir(folder, nullptr) && DirListPrepareToGetFilenamesInDir();
  if (ok) {
    while (*DirListGetNextFilenameInDir()) ++total;
    DirListCleanupAfterGettingFilenamesInDir();
  }
  std::unique_ptr<GetFileEntry[]> list;
  if (ok) {
    list.reset(new (std::nothrow) GetFileEntry[static_cast<std::size_t>(std::max(total, 1))]);
    if (!list) {
      DebugError(where, "No memory");
      ok = false;
    }
  }
  int filled = 0;
  if (ok && !DirListPrepareToGetFilenamesInDir()) ok = false;
  if (!ok) {
    DebugError(where, "Could not open directory");
  } else {
    const bool root = std::strcmp(folder, kRoot) == 0;
    for (const char* name = DirListGetNextFilenameInDir(); *name; name = DirListGetNextFilenameInDir()) {
      const std::string path = std::string(folder) + "/" + name;
      const bool isFolder = PlatformDirectoryExists(path.c_str());
      if (!isFolder && !PlatformFileIsRegular(path.c_str()) && !std::strstr(name, ".sys")) {
        DebugNote("%s: Could not get attribs for file <%s>", where, name);
      }
      std::uint8_t kind = kGetFileFile;
      if (isFolder) {
        if (std::strcmp(name, "..") == 0) {
          if (root) continue;
          kind = kGetFileParent;
        } else {
          kind = kGetFileFolder;
        }
      } else if (!GetFileNameMatchesFilters(name) ||
                 (GetFileGetState().programsOnly && !PlatformFileIsProgram(path.c_str()))) {
        continue;
      }
      if (filled >= total) {
        DebugError(where, "Interal Error");
        ok = false;
        break;
      }
      GetFileEntry& e = list[filled++];
      std::snprintf(e.name, sizeof e.name, "%s", name);
      e.kind = kind;
    }
    DirListCleanupAfterGettingFilenamesInDir();
  }
  DirListSetShowParentDir(false);
  DirListCloseDir();
  if (!ok) return false;
  std::qsort(list.get(), static_cast<std::size_t>(filled), sizeof(GetFileEntry), GetFileCompareEntries);
  *entries = std::move(list);
  *count = filled;
  return true;
}

void FolderChanged(int reason) {
  if (GetFileFolderChangedCB cb = GetFileGetState().folderChangedCB) cb(reason);
}

// The place whose folder holds the current one: the desktop or documents
// folder itself, else the volume whose path begins it (the longest), else
// the root.
int PlaceOfFolder(const char* folder) {
  const GetFileState& s = GetFileGetState();
  int best = -1;
  std::size_t bestLength = 0;
  for (int i = 0; i < static_cast<int>(s.places.size()); ++i) {
    const std::string& path = s.places[i].path;
    if (i < 2) {
      if (path == folder) return i;
      continue;
    }
    const std::size_t n = path.size();
    const bool holds = std::strncmp(folder, path.c_str(), n) == 0 &&
                       (folder[n] == '\0' || IsSeparator(folder[n]) || path == kRoot);
    if (holds && n >= bestLength) {
      best = i;
      bestLength = n;
    }
  }
  return best;
}

}  // namespace

GetFileState& GetFileGetState() {
  static GetFileState state;
  return state;
}

// ---- Preparation --------------------------------------------------------------------------------

void GetFileSetDefaults() {
  GetFileState& s = GetFileGetState();
  std::snprintf(s.title, sizeof s.title, "%s", kDefaultTitle);
  s.folder[0] = '\0';
  s.filterCount = 0;
  s.programsOnly = false;
  s.chosenCB = nullptr;
  s.folderChangedCB = nullptr;
  s.h = GetFileHandles{};
  s.entries.reset();
  s.entryCount = 0;
  s.chosen = -1;
  s.depth = 0;
}

void GetFileSetTitle(const char* title) {
  GetFileState& s = GetFileGetState();
  if (!title) {
    std::snprintf(s.title, sizeof s.title, "%s", kUnnamedTitle);
    return;
  }
  if (std::strlen(title) > static_cast<std::size_t>(kGetFileMaxTitle)) return;
  std::snprintf(s.title, sizeof s.title, "%s", title);
}

void GetFileSetStartDir(const char* path) {
  const char* where = "GetFileSetStartDir";
  if (!path) {
    StoreFolder(DefaultFolder());
    return;
  }
  if (std::strlen(path) > static_cast<std::size_t>(kGetFileMaxFolder)) {
    DebugError(where, "dir too long");
    StoreFolder(DefaultFolder());
    return;
  }
  const std::string folder = Normalised(path);
  if (!IsUsableFolder(folder)) {
    DebugError(where, "directory does not exist <%s>", path);
    StoreFolder(DefaultFolder());
    return;
  }
  StoreFolder(folder);
}

void GetFileSetExtensions(const char* const extensions[kGetFileMaxFilters]) {
  GetFileState& s = GetFileGetState();
  s.filterCount = 0;
  if (!extensions) return;
  for (int i = 0; i < kGetFileMaxFilters; ++i) {
    const char* e = extensions[i];
    if (!e || std::strlen(e) > static_cast<std::size_t>(kGetFileMaxFilterLength)) break;
    std::snprintf(s.filters[s.filterCount++], sizeof s.filters[0], "%s", e);
  }
}

void GetFileSetProgramsOnly(bool programsOnly) { GetFileGetState().programsOnly = programsOnly; }

void GetFileSetFileChosenCB(GetFileChosenCB callback) { GetFileGetState().chosenCB = callback; }
void GetFileSetFolderChangedCB(GetFileFolderChangedCB callback) {
  GetFileGetState().folderChangedCB = callback;
}

// ---- Results -------------------------------------------------------------------------------------

const char* GetFileGetChosenFilename() {
  static char path[kGetFileMaxFolder + 1];
  const GetFileState& s = GetFileGetState();
  path[0] = '\0';
  const GetFileEntry* e = GetFileGetEntry(s.chosen);
  if (!e) return path;
  const std::string joined = Joined(s.folder, e->name);
  // A longer path is never chosen (GetFileOpenEntry refuses it).
  if (FitsFolder(joined)) std::snprintf(path, sizeof path, "%s", joined.c_str());
  return path;
}

const char* GetFileGetCurrentDir() { return GetFileGetState().folder; }
const char* GetFileGetTitle() { return GetFileGetState().title; }

// ---- The list --------------------------------------------------------------------------------------

bool GetFileNameMatchesFilters(const char* name) {
  const GetFileState& s = GetFileGetState();
  if (s.filterCount == 0) return true;
  const std::size_t length = std::strlen(name);
  for (int i = 0; i < s.filterCount; ++i) {
    const std::size_t n = std::strlen(s.filters[i]);
    if (n == 0 || length <= n) continue;
    const char* tail = name + length - n;
    if (tail[-1] == '.' && strcasecmp(tail, s.filters[i]) == 0) return true;
  }
  return false;
}

int GetFileCompareEntries(const void* a, const void* b) {
  const GetFileEntry* x = static_cast<const GetFileEntry*>(a);
  const GetFileEntry* y = static_cast<const GetFileEntry*>(b);
  if (x->kind != y->kind) return x->kind > y->kind ? -1 : 1;
  return PlatformCompareNamesIgnoringCase(x->name, y->name);
}

void GetFileUpdateFiles() {
  GetFileState& s = GetFileGetState();
  s.entries.reset();
  s.entryCount = 0;
  s.chosen = -1;
  if (!s.folder[0] || !EngFileDirectoryExists(s.folder)) {
    DebugError("GetFileUpdateFiles", "Cannot access start dir <%s>", s.folder);
    StoreFolder(FallbackFolder());
  }
  if (s.h.drives) {
    const int place = PlaceOfFolder(s.folder);
    if (place >= 0) s.h.drives->PanelSetPos(place, 0, 0);
  }
  if (s.h.dir) s.h.dir->SetText(s.folder);
  ReadEntries(s.folder, &s.entries, &s.entryCount);
  if (s.h.files) {
    s.h.files->PanelSetStringsCallback(s.entryCount, kGetFileRowsPerPanel, GetFileEntryText);
    s.h.files->PanelSetPos(-1, 0, 0);
  }
}

int GetFileGetEntryCount() { return GetFileGetState().entryCount; }

const GetFileEntry* GetFileGetEntry(int index) {
  const GetFileState& s = GetFileGetState();
  if (!s.entries || index < 0 || index >= s.entryCount) return nullptr;
  return &s.entries[index];
}

const char* GetFileEntryText(int index, int) {
  static char text[sizeof(GetFileEntry::name) + 8];
  const GetFileEntry* e = GetFileGetEntry(index);
  if (!e) return "";
  switch (e->kind) {
    case kGetFileParent: return "[ ^ ]";
    case kGetFileFolder: std::snprintf(text, sizeof text, "[ %s ]", e->name); return text;
    default: return e->name;
  }
}

void GetFileOpenEntry(int index) {
  const char* where = "GetFileOpenEntry";
  GetFileState& s = GetFileGetState();
  const GetFileEntry* e = GetFileGetEntry(index);
  if (!e) return;
  if (e->kind == kGetFileParent) {
    GetFileGoUp();
    return;
  }
  const std::string path = Joined(s.folder, e->name);
  if (!FitsFolder(path)) {
    DebugError(where, "Path too long <%s>", e->name);
    return;
  }
  if (e->kind == kGetFileFile) {
    s.chosen = index;
    GetFileFinish(1);
    return;
  }
  if (!EngFileDirectoryExists(path.c_str())) return;
  // The folder is listed before it is entered: one that cannot be listed
  // leaves the chooser where it was, with its list.
  std::unique_ptr<GetFileEntry[]> entries;
  int count = 0;
  if (!ReadEntries(path.c_str(), &entries, &count)) return;
  if (s.depth < kGetFileHistoryLevels) s.history[s.depth] = index;
  ++s.depth;
  StoreFolder(path);
  GetFileUpdateFiles();
  FolderChanged(0);
}

void GetFileGoUp() {
  GetFileState& s = GetFileGetState();
  const std::string folder = s.folder;
  const std::size_t last = folder.find_last_of("/\\");
  if (folder.size() > 1 && last != std::string::npos && last > 0) {
    const bool recorded = s.depth > 0;
    if (recorded) --s.depth;
    StoreFolder(folder.substr(0, last));
    GetFileUpdateFiles();
    // Only the first levels are recorded; a deeper one (a folder that links
    // back into itself goes on for ever) selects nothing.
    const int index = recorded && s.depth < kGetFileHistoryLevels ? s.history[s.depth] : -1;
    const GetFileEntry* back = GetFileGetEntry(index);
    if (back && back->kind != kGetFileFile) {
      if (s.h.files) s.h.files->PanelSetPos(index, 0, 0);
      FolderChanged(2);
    } else {
      FolderChanged(0);
    }
    return;
  }
  s.depth = 0;
  StoreFolder(kRoot);
  GetFileUpdateFiles();
  FolderChanged(0);
}

int GetFileGetDepth() { return GetFileGetState().depth; }

// ---- Places ----------------------------------------------------------------------------------------

void GetFileFindPlaces() {
  GetFileState& s = GetFileGetState();
  s.places.clear();
  s.places.push_back({"Desktop", DesktopFolder()});
  s.places.push_back({"Documents", DocumentsFolder()});
  s.places.push_back({kRoot, kRoot});
  const char* user = std::getenv("USER");
  if (!user || !*user) return;
  for (const std::string& base : {std::string("/media/") + user, std::string("/run/media/") + user}) {
    std::error_code error;
    std::vector<std::string> volumes;
    for (std::filesystem::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
      if (!it->is_directory(error)) continue;
      const std::string native = it->path().string();
      const std::string text = Utf8ToCp1252(native.c_str());
      if (Cp1252ToUtf8(text.c_str()) != native || !FitsFolder(text)) continue;
      volumes.push_back(text);
    }
    std::sort(volumes.begin(), volumes.end());
    for (const std::string& v : volumes) {
      if (s.places.size() >= 2 + 26) break;  // as many as a panel of drive letters held
      s.places.push_back({v.substr(v.find_last_of('/') + 1), v});
    }
  }
}

int GetFileGetPlaceCount() { return static_cast<int>(GetFileGetState().places.size()); }

const char* GetFileGetPlaceText(int place) {
  const GetFileState& s = GetFileGetState();
  if (place < 0 || place >= static_cast<int>(s.places.size())) return "";
  return s.places[place].text.c_str();
}

void GetFileChoosePlace(int place) {
  GetFileState& s = GetFileGetState();
  if (place < 0 || place >= static_cast<int>(s.places.size())) return;
  const std::string path = Normalised(s.places[place].path.c_str());
  StoreFolder(IsUsableFolder(path) ? path : FallbackFolder());
  GetFileUpdateFiles();
  s.depth = 0;
  FolderChanged(1);
}

void GetFileFinish(int result) {
  if (GetFileChosenCB cb = GetFileGetState().chosenCB) cb(result);
}
