// SetsControl.cpp - the boards screen "Sets" (also the Options screen's
// page 3): its rows, the board list, the board texture quality, creating,
// opening for editing and deleting the player's boards (see SetsScreens.h).
#include <algorithm>
#include <cstring>
#include <iterator>

#include "App/Resolution.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/Sets.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/GenLights.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/DecksNeighbours.h"
#include "Screens/Decks/DecksScreens.h"
#include "Screens/Decks/SetsScreens.h"
#include "Screens/MainPages.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

constexpr const char* kName = "Sets";
constexpr int kRowsPerPage = 10;
constexpr int kNameBufferSize = 64;

#define SETS_ROW(id, kind, look, text, x, y, w, h, sx, sy, token) \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, 1, token, nullptr}

const ScreenRow kRows[] = {
    SETS_ROW("Bg", MWIN_BUT_PUSH, "Back1", "", 19, 93, 291, 294, 1.1f, 1.2f, nullptr),
    SETS_ROW("Set", MWIN_BUT_PANEL, "Panel", "", 59, 102, 211, 200, 0.8f, 0.9f, nullptr),
    SETS_ROW("TexQualText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Board Texture Quality", 59, 311, 211, 8, 1.1f,
             1.2f, "Boards_TexQualText"),
    SETS_ROW("TexQual", MWIN_BUT_CHOICE, "Main", "", 59, 326, 211, 22, 1.1f, 1.2f, nullptr),
    SETS_ROW("TexQualInfo", MWIN_BUT_PUSH, "Main", "?", 274, 328, 20, 18, 1.1f, 1.2f, nullptr),
    SETS_ROW("Create", MWIN_BUT_PUSH, "Main", "Create New Board", 38, 357, 129, 22, 1.1f, 1.2f, "Boards_Create"),
    SETS_ROW("Edit", MWIN_BUT_PUSH, "Main", "Edit", 188, 357, 50, 22, 1.1f, 1.2f, "Boards_Edit"),
    SETS_ROW("Delete", MWIN_BUT_PUSH, "Main", "Delete", 243, 357, 50, 22, 1.1f, 1.2f, "Boards_Delete"),
    SETS_ROW("Done", MWIN_BUT_PUSH, "Main", "Done", 109, 386, 112, 29, 1.1f, 1.2f, "Common_ButtonDone"),
    SETS_ROW("Title", MWIN_BUT_PUSH, "Back1", "Boards", 19, 57, 291, 36, 1.1f, 1.2f, "Boards_Title"),
    SETS_ROW("RenderBg", MWIN_BUT_PUSH, "Back1", "", 330, 110, 291, 294, 1.1f, 1.2f, nullptr),
};
#undef SETS_ROW

struct Handles {
  MWinButton* bg = nullptr;
  MWinButton* set = nullptr;
  MWinButton* texQual = nullptr;
  MWinButton* texQualInfo = nullptr;
  MWinButton* create = nullptr;
  MWinButton* edit = nullptr;
  MWinButton* remove = nullptr;
  MWinButton* done = nullptr;
  MWinButton* title = nullptr;
  MWinButton* renderBg = nullptr;
};

struct SetsScreenState {
  Handles h;
  bool settingUp = false;
  char newName[kNameBufferSize] = {};
};
SetsScreenState g_sets;

const char* Text(const char* token) { return EngLanguagesGetFirstString(token); }

bool IsPlayersBoard(int index) { return index >= kSetsNumBuiltIn && index < SetsGetNumBoards(); }

void Popup(const char* title, const char* text) {
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupOk(title, text);
}

// The window the page is shown in and the last of the host's own rows: the
// Options screen keeps its title, page choice and Back; the page's own
// screen keeps none.
MWinWindow* HostWindow(MWinButton** lastKept) {
  const char* collection = DecksScreensHostCollection(kName);
  MWinWindow* window = ScreenWindow(collection);
  const bool inOptions = g_ScreenOptions >= 0 && ScreensGetCurrent() == g_ScreenOptions;
  *lastKept = window && inOptions ? ScreenLookUp(collection).Optional("Back") : nullptr;
  return window;
}

}  // namespace

// ---- Layout -----------------------------------------------------------------------------------

bool SetsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows(kName, window, kRows, static_cast<int>(std::size(kRows)));
}

MWinCollection* SetsAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}

void SetsCreateCB() { SetsAddCollectionToDesktop(); }

void SetsClearButtonHandles() {
  g_sets.h = Handles{};
  SetsSetPreviewButtons(nullptr, nullptr);
}

bool SetsGetButtonHandles() {
  ScreenLookUp get(DecksScreensHostCollection(kName));
  Handles& h = g_sets.h;
  // The board list and Done are in every layout, the rest in Normal only.
  h.set = get("Set");
  h.done = get("Done");
  h.bg = get.Optional("Bg");
  h.texQual = get.Optional("TexQual");
  h.texQualInfo = get.Optional("TexQualInfo");
  h.create = get.Optional("Create");
  h.edit = get.Optional("Edit");
  h.remove = get.Optional("Delete");
  h.title = get.Optional("Title");
  h.renderBg = get.Optional("RenderBg");
  if (!get.AllFound()) {
    SetsClearButtonHandles();
    return false;
  }
  SetsSetPreviewButtons(h.renderBg, nullptr);
  return true;
}

// ---- Control ----------------------------------------------------------------------------------

void SetsControlStartingCB() {
  if (!SetsGetButtonHandles()) return;
  Handles& h = g_sets.h;
  h.set->SetSimpleCallback(SetsControlSelectCB);
  if (h.texQual) h.texQual->SetSimpleCallback(SetsControlTexQualCB);
  if (h.texQualInfo) h.texQualInfo->SetSimpleCallback(SetsControlTexQualInfoCB);
  if (h.create) h.create->SetSimpleCallback(SetsControlCreateCB);
  if (h.edit) h.edit->SetSimpleCallback(SetsControlEditCB);
  if (h.remove) h.remove->SetSimpleCallback(SetsControlDeleteCB);
  h.done->SetSimpleCallback(SetsControlDoneCB);
  h.done->SetEscapeButtonForParentWindow();

  g_sets.settingUp = true;
  SetsGetBoards();
  SetsControlUpdateButtons();
  const bool mainMenu = GameGetProgramMode() == kGameModeMainMenu;
  if (mainMenu) {
    GenApplyLights();
    GameCameraApplyPreset(kGameCameraMainMenu);
    GameApplyCameraAndRefreshScene();
    SetsControlUpdatePreviewViewport();
  }
  SetsControlFillList();
  if (h.texQual) {
    h.texQual->ChoiceSetStringsLanguageToken(3, "Decks_TeqQualList");
    h.texQual->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g_ResolutionSettings.tableQuality),
                                          false);
  }
  if (mainMenu) {
    SetsControlCreateGraphics();
    SetsControlUpdatePreviewPicture();
  } else if (h.renderBg && h.bg) {
    MWinArea bg;
    h.bg->GetArea(&bg, true);
    h.renderBg->SetPosArea(bg);
    h.renderBg->Hide();
  }
  if (g_ScreenOptions >= 0 && ScreensGetCurrent() == g_ScreenOptions) {
    OptionsControlMoveButtons(h.bg, h.title, h.done);
  }
  g_sets.settingUp = false;
}

const char* SetsBoardNameCB(int entry, int) { return SetsGetBoardName(entry); }

void SetsControlUpdateButtons() {
  int& index = g_UserRecord.currentBoard;
  if (index < 0 || index >= SetsGetNumBoards()) index = 0;
  SetsGetBoards();
  const Handles& h = g_sets.h;
  const bool own = IsPlayersBoard(index);
  if (h.edit) h.edit->SetEnabled(own);
  if (h.remove) h.remove->SetEnabled(own);
  if (h.create) h.create->SetEnabled(SetsGetNumBoards() < kSetsMaxBoards);
}

void SetsControlFillList() {
  MWinButton* set = g_sets.h.set;
  if (!set) return;
  const int count = SetsGetNumBoards();
  set->PanelSetStringsCallback(count, std::min(count, kRowsPerPage), SetsBoardNameCB);
  set->PanelRegisterIntVariable(&g_UserRecord.currentBoard, 0);
  set->PanelCentreOnPos();
}

void SetsControlSelectCB() {
  SetsControlUpdateButtons();
  SetsControlLoadBoard(g_UserRecord.currentBoard);
}

void SetsControlTexQualCB() {
  BoardSetupTextureQuality(g_ResolutionSettings.tableQuality);
  SetsControlLoadBoard(g_UserRecord.currentBoard);
}

void SetsControlTexQualInfoCB() { Popup(Text("Boards_TexQualText"), Text("Boards_TexQualTextMessage")); }

bool SetsIsValidNewBoardName(const char* name) {
  if (!name || !name[0] || name[0] == ' ' || name[0] == '\t') return false;
  return EngFileIsSafeName(name) && std::strlen(name) < 64;
}

void SetsControlCreateCB() {
  if (SetsGetBoards() >= kSetsMaxBoards) {
    Popup(Text("Boards_CreateNew"), Text("Boards_NoMoreBoards"));
    return;
  }
  g_sets.newName[0] = 0;
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupTextEdit(Text("Boards_CreateNew"), Text("Boards_EnterName"), g_sets.newName, kNameBufferSize,
                     SetsControlCreateNameCB);
}

void SetsControlCreateNameCB(int result) {
  if (result != 1) return;
  SetsGetBoards();
  const char* name = g_sets.newName;
  // A name becomes a file name: none that could leave the boards folder.
  if (!SetsIsValidNewBoardName(name)) {
    Popup("", "Invalid new board name");
    return;
  }
  switch (SetsCreateBoard(name)) {
    case -1:
      Popup("", "This board already exists.\n\nChoose another name.");
      return;
    case 1:
      break;
    default:
      Popup("", "Error creating new board.\n\nSee log file for more details.");
      return;
  }
  SetsGetBoards();
  const int index = SetsFindBoard(name);
  // A name equal to a built-in's finds the built-in: nothing to edit.
  if (!IsPlayersBoard(index)) return;
  g_UserRecord.currentBoard = index;
  SetsControlLoadBoard(index);
  g_UserRecord.boardEditPart = 1;
  SetsControlEditCB();
}

void SetsControlEditCB() {
  if (!IsPlayersBoard(g_UserRecord.currentBoard)) return;
  SetsControlResetPictureRect();
  if (GameGetProgramMode() == kGameModePlaying) {
    ScreensGoto(g_ScreenSetsEdit);
    return;
  }
  MWinButton* lastKept = nullptr;
  MWinWindow* window = HostWindow(&lastKept);
  if (!window) return;
  // The editor's rows take the place of the page's.
  SetsClearButtonHandles();
  if (lastKept) {
    while (lastKept->next_) window->RemoveButton(lastKept->next_);
  } else {
    window->RemoveAllButtons();
  }
  SetsEditAddMainWinWindowButtonsToWindowNormal(window);
  SetsEditOpenInPlace();
  SetsEditControlStartingCB();
}

void SetsControlDeleteCB() {
  SetsGetBoards();
  if (!IsPlayersBoard(g_UserRecord.currentBoard)) return;
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupOkCancel("", Text("Boards_DeleteThisBoardSet"), SetsControlDeleteResultCB);
}

void SetsControlDeleteResultCB(int result) {
  if (result != 1) return;
  SetsGetBoards();
  SetsDeleteCurrentBoard();
  SetsControlFillList();
  SetsControlUpdateButtons();
  SetsControlLoadBoard(g_UserRecord.currentBoard);
}

void SetsControlDoneCB() {
  SetsControlResetPictureRect();
  SetsClearButtonHandles();
  HelpControlDoneCB();
}
