// GetFileLocal.h - the file chooser's state, shared by its two files
// (GetFile.cpp, GetFileScreen.cpp). Nothing outside the chooser includes it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "App/GetFile.h"

class MWinButton;
class MWinWindow;

struct GetFilePlace {
  std::string text;  // shown in the Drives panel
  std::string path;  // the folder it opens
};

// The screen's elements: set by the Starting callback, cleared by
// GetFileClearButtonHandles (every screen change) and GetFileSetDefaults.
struct GetFileHandles {
  MWinWindow* window = nullptr;
  MWinButton* title = nullptr;
  MWinButton* dir = nullptr;
  MWinButton* drives = nullptr;
  MWinButton* files = nullptr;
  MWinButton* cancel = nullptr;
  MWinButton* ok = nullptr;
};

// One chooser for the run; GetFileSetDefaults resets everything but the
// places.
struct GetFileState {
  char title[kGetFileMaxTitle + 1] = "Select File";
  char folder[kGetFileMaxFolder + 1] = {};
  char filters[kGetFileMaxFilters][kGetFileMaxFilterLength + 1] = {};
  int filterCount = 0;
  bool programsOnly = false;
  GetFileChosenCB chosenCB = nullptr;
  GetFileFolderChangedCB folderChangedCB = nullptr;
  std::unique_ptr<GetFileEntry[]> entries;
  int entryCount = 0;
  int chosen = -1;
  int depth = 0;
  int history[kGetFileHistoryLevels] = {};
  std::vector<GetFilePlace> places;
  GetFileHandles h;
  float fileRowHeight = 1;
  float driveRowHeight = 1;
};

GetFileState& GetFileGetState();
