// GetFileScreen.cpp - the file chooser's screen: its window "GetFile" with
// the title, folder, places, files and Cancel, and their callbacks (see
// GetFile.h).
#include <cstring>
#include <iterator>

#include "App/GetFile.h"
#include "App/GetFileLocal.h"
#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"

namespace {

constexpr const char* kName = "GetFile";
constexpr int kBackspace = 8;

struct Row {
  const char* id;
  int kind;
  const char* look;
  const char* text;
  float x, y, w, h;
  float scaleX, scaleY;
  int align;
};

// Font "Main", text colour (1, 1, 1, 0.7) for every element.
const Row kRows[] = {
    {"Frame1", MWIN_BUT_PUSH, "Back1", "", 117, 43, 406, 395, 1.0f, 1.2f, 1},
    {"Title", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Choose File", 198.79f, 49, 242.43f, 24, 1.3f, 1.3f, 1},
    {"Drives", MWIN_BUT_PANEL, "Panel", "", 131, 115, 80, 275, 1.0f, 1.2f, 0},
    {"Files", MWIN_BUT_PANEL, "Panel", "", 216, 115, 293, 275, 1.0f, 1.2f, 0},
    {"Cancel", MWIN_BUT_PUSH, "Main", "Cancel", 283, 401, 74, 25, 1.0f, 1.2f, 1},
    {"Dir", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "unset", 131, 81, 378, 24, 1.0f, 1.2f, 1},
};

const char* PlaceText(int entry, int) { return GetFileGetPlaceText(entry); }

void CancelCB() { GetFileFinish(0); }

float RowHeight(const MWinButton* panel) {
  const float h = panel->Height() / kGetFileRowsPerPanel;
  return h < 1 ? 1 : h;
}

}  // namespace

MWinCollection* GetFileAddCollectionToDesktop(MWinDesktop* desktop) {
  const char* where = "GetFileAddCollectionToDesktop";
  if (!desktop) desktop = g_MWin.GetDesktop();
  if (!desktop) {
    DebugError(where, "Could not get default desktop");
    return nullptr;
  }
  MWinCollection* collection = desktop->AddCollection(kName);
  if (!collection) {
    DebugError(where, "Could not create collection <%s>", kName);
    return nullptr;
  }
  // One window whatever the layout.
  GetFileAddGetFileWindowToCollectionNormal(collection);
  return collection;
}

void GetFileCreateCB() { GetFileAddCollectionToDesktop(nullptr); }

MWinWindow* GetFileAddGetFileWindowToCollectionNormal(MWinCollection* collection) {
  const char* where = "GetFileAddGetFileWindowToCollectionNormal";
  if (!collection) return nullptr;
  collection->SetScreenLayout(0);
  MWinWindowSetup setup = {};
  setup.w = 640;
  setup.h = 480;
  std::strcpy(setup.titleTexBut, "MWIN_TEXBUT_NONE");
  std::strcpy(setup.windowTexBut, "MWIN_TEXBUT_NONE");
  std::strcpy(setup.titleFont, "MWIN_FONT_DEFAULT");
  MWinWindow* window = collection->AddWindow(kName, &setup);
  if (!window) {
    DebugError(where, "Could not add window");
    return nullptr;
  }
  if (!GetFileAddGetFileWindowButtonsToWindowNormal(window)) DebugError(where, "Could not add buttons to window");
  return window;
}

bool GetFileAddGetFileWindowButtonsToWindowNormal(MWinWindow* window) {
  const char* where = "GetFileAddGetFileWindowButtonsToWindowNormal";
  if (!window) {
    DebugError(where, "No window");
    return false;
  }
  bool ok = true;
  for (const Row& r : kRows) {
    MWinButton* b = window->AddButton(r.id, r.kind, r.look, r.text, r.x, r.y, r.w, r.h);
    if (!b) {
      ok = false;
      continue;
    }
    b->SetFont("Main");
    b->SetTextColour(1, 1, 1, 0.7f);
    b->SetTextScale(r.scaleX, r.scaleY);
    b->SetTextAlign(r.align);
  }
  if (!ok) DebugError(where, "Could not add button(s) to window");
  return ok;
}

void GetFileClearButtonHandles() { GetFileGetState().h = GetFileHandles{}; }

void GetFileControlStartingCB() {
  GetFileState& s = GetFileGetState();
  GetFileHandles& h = s.h;
  h = GetFileHandles{};
  s.depth = 0;
  h.window = g_MWin.GetWindowFromIDs(kName, kName);
  if (h.window) {
    h.window->SetKeyHook(GetFileWindowKeyHook);
    h.title = h.window->GetButtonFromID("Title", false);
    h.dir = h.window->GetButtonFromID("Dir", false);
    h.drives = h.window->GetButtonFromID("Drives", false);
    h.files = h.window->GetButtonFromID("Files", false);
    h.cancel = h.window->GetButtonFromID("Cancel", false);
    h.ok = h.window->GetButtonFromID("Ok", false);
  }
  if (!h.title || !h.files || !h.cancel) {
    DebugError("GetFileControlStartingCB", "Could not find the chooser's elements");
    return;
  }
  if (h.ok) h.ok->Hide();
  h.files->SetKeyHook(GetFileFilesKeyHook);
  h.files->SetCallback(GetFileFilesCB, 0, 0);
  h.files->PanelSetMaxChars(0);
  h.files->PanelAllowNoSelection();
  if (h.drives) h.drives->SetCallback(GetFileDriveChosen, 0, 0);
  h.cancel->SetSimpleCallback(CancelCB);
  s.fileRowHeight = RowHeight(h.files);
  if (h.drives) s.driveRowHeight = RowHeight(h.drives);
  h.title->SetText(s.title);

  GetFileFindPlaces();
  if (h.drives) {
    int rows = GetFileGetPlaceCount();
    if (rows < 2) rows = 2;
    if (rows > kGetFileRowsPerPanel) rows = kGetFileRowsPerPanel;
    MWinArea area;
    h.drives->GetArea(&area, true);
    h.drives->SetPos(area.x, area.y, area.w, rows * s.driveRowHeight);
    h.drives->PanelSetStringsCallback(GetFileGetPlaceCount(), rows, PlaceText);
  }
  // Without a start folder the chooser opens in the working folder.
  if (!s.folder[0]) GetFileSetStartDir(".");
  GetFileUpdateFiles();
}

void GetFileFilesCB(MWinCallbackRecord*, std::uint32_t, std::uint32_t) {
  const GetFileState& s = GetFileGetState();
  if (!s.h.files) return;
  GetFileOpenEntry(s.h.files->PanelGetPos());
}

void GetFileDriveChosen(MWinCallbackRecord*, std::uint32_t, std::uint32_t) {
  const GetFileState& s = GetFileGetState();
  if (!s.h.drives) return;
  GetFileChoosePlace(s.h.drives->PanelGetPos());
}

bool GetFileWindowKeyHook(int key) {
  const GetFileState& s = GetFileGetState();
  if (!s.h.window || !s.h.files || s.h.window->GetHighlightedButton()) return false;
  s.h.files->Activate();
  return s.h.files->KeyDown(key);
}

bool GetFileFilesKeyHook(int key) {
  if (key != kBackspace) return false;
  const GetFileEntry* first = GetFileGetEntry(0);
  const GetFileState& s = GetFileGetState();
  if (first && first->kind == kGetFileParent && s.h.files) s.h.files->PanelSetPos(0, 1, 0);
  return true;
}
