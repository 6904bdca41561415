// GetFile.h - the program's own file chooser: a toolkit screen ("GetFile",
// registry screen 21) with a list of places (the desktop, the documents
// folder, the root "/" and each mounted volume), the current folder's
// sub-folders and files, the folder's path, a title and Cancel.
//
// A caller prepares it (GetFileSetDefaults, then title, start folder, up
// to ten extension filters or programs only, a finish callback), switches
// to the screen, and learns in the finish callback whether a file was
// chosen (1) or the player cancelled (0); GetFileGetChosenFilename then
// gives the path.
//
// Folders are absolute paths with '/' separators (the root is "/"), CP1252
// game text; names the directory search cannot give in CP1252 are not
// listed. The chooser never changes the process's working folder: every
// path it builds is absolute, so the game's relative loads (Data/,
// Languages/) work while it is up. Paths are bounded: a folder or chosen
// path longer than 512 characters is neither entered nor chosen.
//
// Keys: Backspace in the file list goes up one folder (through the parent
// entry "[ ^ ]"); a key no element takes goes to the file list.
//
// Files: GetFile.cpp (state, filters, listing, going into and out of
// folders, places), GetFileScreen.cpp (the screen's window, elements and
// callbacks).
//
// State (one chooser): title, folder, filters, callbacks, the entry list
// and the chosen entry, the history of the folders entered (the list
// index at each of the first 100 levels), the places, the screen's element
// handles and the panels' row heights. The entry list lives until the next
// refresh or GetFileSetDefaults.
#pragma once

#include <cstdint>

class MWinCollection;
class MWinDesktop;
class MWinWindow;
struct MWinCallbackRecord;

constexpr int kGetFileMaxTitle = 254;
constexpr int kGetFileMaxFolder = 512;
constexpr int kGetFileMaxFilters = 10;
constexpr int kGetFileMaxFilterLength = 9;
constexpr int kGetFileHistoryLevels = 100;
constexpr int kGetFileRowsPerPanel = 15;

enum GetFileEntryKind : std::uint8_t {
  kGetFileFile = 0,
  kGetFileFolder = 1,
  kGetFileParent = 2,  // ".."
};

struct GetFileEntry {
  char name[256];
  std::uint8_t kind;
};
static_assert(sizeof(GetFileEntry) == 257, "an entry is 257 bytes");

// The finish callback: 1 a file was chosen, 0 cancelled.
using GetFileChosenCB = void (*)(int result);
// After the folder changed: 0 a folder was entered or left, 1 a place was
// chosen, 2 going up selected the folder one came from.
using GetFileFolderChangedCB = void (*)(int reason);

// ---- Preparation ----------------------------------------------------------------------------

// Title "Select File", the default start folder, no filters, no callbacks,
// no element handles, no entries. Also run at shutdown.
void GetFileSetDefaults();
// Null gives "Select A File"; a text of up to 254 characters is copied; a
// longer one is ignored (the previous title stays).
void GetFileSetTitle(const char* title);
// The folder the chooser starts in. Null: the desktop. Over 512 characters
// ("dir too long") or not an existing folder ("directory does not exist
// <%s>"): the desktop. One trailing '/' is removed; "." and other relative
// paths are taken from the working folder. Without a desktop folder: the
// documents folder, else the home folder, else "/".
void GetFileSetStartDir(const char* path);
// Up to ten filters (extensions without the dot): the leading texts that
// are present and shorter than 10 characters; the first absent or longer
// one ends the list. None at all: every file is listed.
void GetFileSetExtensions(const char* const extensions[kGetFileMaxFilters]);
// Lists, besides the folders, only the files this user can run (their mode,
// PlatformFileIsProgram): the photo-editor chooser's "exe" filter on this
// system, whose programs carry no extension. Extension filters still apply
// when set. Off after GetFileSetDefaults.
void GetFileSetProgramsOnly(bool programsOnly);
void GetFileSetFileChosenCB(GetFileChosenCB callback);
void GetFileSetFolderChangedCB(GetFileFolderChangedCB callback);

// ---- Results ---------------------------------------------------------------------------------

// The current folder, '/' and the chosen entry's name; "" when no entry is
// chosen. The text lives until the next call.
const char* GetFileGetChosenFilename();
const char* GetFileGetCurrentDir();
const char* GetFileGetTitle();

// ---- The list --------------------------------------------------------------------------------

// True when a name passes the filters: no filters, or for some filter the
// name is longer than it, has '.' right before its last (filter length)
// characters, and those equal the filter ignoring case.
bool GetFileNameMatchesFilters(const char* name);
// Sort order: higher kind first (parent, folders, files), then names
// ignoring case, ascending (qsort-shaped).
int GetFileCompareEntries(const void* a, const void* b);
// Lists the current folder (an unreadable or missing folder falls back as
// the start folder does: "Cannot access start dir <%s>"), sorts it, and
// shows it in the Files panel and the folder in "Dir" when the screen's
// elements exist. The chosen entry is cleared.
void GetFileUpdateFiles();
int GetFileGetEntryCount();
// Null outside the list.
const GetFileEntry* GetFileGetEntry(int index);
// The text the Files panel shows for an entry: "[ ^ ]", "[ %s ]" or the
// name ("" outside the list).
const char* GetFileEntryText(int index, int maxChars);
// Opens an entry: a file is chosen and the chooser finishes with 1; the
// parent entry goes up; a folder is entered (unless the path would pass
// 512 characters, logged, or is not a folder that can be listed).
void GetFileOpenEntry(int index);
// Up one folder: to the one above (the folder one came from is selected
// again, reason 2, while the history knows it) or, from a folder just
// below the root, to the root "/" (reason 0).
void GetFileGoUp();
// The number of folders entered since the last place or start.
int GetFileGetDepth();

// ---- Places ------------------------------------------------------------------------------------

// Rebuilds the places: "Desktop", "Documents", "/", then each folder under
// /media/$USER and /run/media/$USER (their names).
void GetFileFindPlaces();
int GetFileGetPlaceCount();
const char* GetFileGetPlaceText(int place);
// Goes to the place's folder (depth 0, reason 1).
void GetFileChoosePlace(int place);

// Finishes: the finish callback gets the result.
void GetFileFinish(int result);

// ---- The screen (GetFileScreen.cpp) -------------------------------------------------------------

MWinCollection* GetFileAddCollectionToDesktop(MWinDesktop* desktop);
void GetFileCreateCB();
MWinWindow* GetFileAddGetFileWindowToCollectionNormal(MWinCollection* collection);
bool GetFileAddGetFileWindowButtonsToWindowNormal(MWinWindow* window);
void GetFileClearButtonHandles();
void GetFileControlStartingCB();
// The panels' callbacks and key hooks.
void GetFileFilesCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
void GetFileDriveChosen(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
bool GetFileWindowKeyHook(int key);
bool GetFileFilesKeyHook(int key);
