// SetsEdit.cpp - the board editor "SetsEdit": the part edited (background
// or table top), its kind, standard texture or own picture, gradient and
// colours, tiling and the table's shape; each change rebuilds the part's
// texture at once, Done and a chosen picture write the board file (see
// SetsScreens.h).
#include <cstring>
#include <iterator>
#include <string>

#include "App/GetFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/DecksFiles.h"
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

constexpr const char* kName = "SetsEdit";
constexpr int kShortNameLength = 14;

#define EDIT_ROW(id, kind, look, text, x, y, w, h, sx, sy, align, token) \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, align, token, nullptr}

const ScreenRow kRows[] = {
    EDIT_ROW("Bg", MWIN_BUT_PUSH, "Back1", "", 19, 93, 291, 294, 1.0f, 1.2f, 1, nullptr),
    EDIT_ROW("Title", MWIN_BUT_PUSH, "Back1", "Edit Board", 19, 57, 291, 36, 1.3f, 1.3f, 1, "EditBoard_Title"),
    EDIT_ROW("WhichText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Edit Part", 113, 102, 103, 11, 1.0f, 1.2f, 1,
             "EditBoard_WhichText"),
    EDIT_ROW("Which", MWIN_BUT_CHOICE, "Main", "BACKGROUND", 27, 116, 275, 20, 1.0f, 1.2f, 1, nullptr),
    EDIT_ROW("TypeText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Type", 43, 159, 54, 17, 1.0f, 1.2f, 2,
             "EditBoard_TypeText"),
    EDIT_ROW("Type", MWIN_BUT_CHOICE, "Main", "", 99, 159, 185, 17, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("ShapeText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Shape", 43, 182, 54, 17, 1.0f, 1.2f, 2,
             "EditBoard_ShapeText"),
    EDIT_ROW("Shape", MWIN_BUT_CHOICE, "Main", "", 99, 182, 185, 17, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("FileText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "File", 43, 205, 54, 17, 1.0f, 1.2f, 2,
             "EditBoard_FileText"),
    EDIT_ROW("Filename", MWIN_BUT_PUSH, "Back3", "", 99, 205, 131, 17, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("Textures", MWIN_BUT_LIST, "Main", "First Panel Entry 1", 99, 205, 185, 17, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("GradientText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Gradient", 43, 228, 54, 17, 1.0f, 1.2f, 2,
             "EditBoard_GradientText"),
    EDIT_ROW("Gradient", MWIN_BUT_CHOICE, "Main", "", 99, 228, 185, 17, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("Browse", MWIN_BUT_PUSH, "Main", "Browse...", 231, 205, 52, 17, 0.8f, 0.9f, 1, "EditBoard_Browse"),
    EDIT_ROW("Colour1Text", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Colour 1", 43, 251, 54, 31, 1.0f, 1.2f, 2,
             "EditBoard_Colour1Text"),
    EDIT_ROW("Colour1", MWIN_BUT_COLOUR, "Main", " ", 97, 251, 189, 31, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("Colour2Text", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Colour 2", 43, 288, 54, 31, 1.0f, 1.2f, 2,
             "EditBoard_Colour2Text"),
    EDIT_ROW("Colour2", MWIN_BUT_COLOUR, "Main", " ", 97, 288, 189, 31, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("XTilingText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Horz. Tiling", 28, 325, 69, 17, 1.0f, 1.2f, 2,
             "EditBoard_XTilingText"),
    EDIT_ROW("XTiling", MWIN_BUT_CHOICE, "Main", "", 99, 325, 185, 17, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("YTilingText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Vert. Tiling", 28, 348, 69, 17, 1.0f, 1.2f, 2,
             "EditBoard_YTilingText"),
    EDIT_ROW("YTiling", MWIN_BUT_CHOICE, "Main", "", 99, 348, 185, 17, 0.8f, 0.9f, 1, nullptr),
    EDIT_ROW("Done", MWIN_BUT_PUSH, "Main", "Done", 109, 386, 112, 29, 1.0f, 1.2f, 1, "Common_ButtonDone"),
    EDIT_ROW("RenderBg", MWIN_BUT_PUSH, "Back1", "", 330, 110, 291, 294, 1.0f, 1.2f, 1, nullptr),
};
#undef EDIT_ROW

const char* const kShapeNames[kSetsNumShapes] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};

struct Handles {
  MWinButton* bg = nullptr;
  MWinButton* title = nullptr;
  MWinButton* which = nullptr;
  MWinButton* type = nullptr;
  MWinButton* shape = nullptr;
  MWinButton* fileText = nullptr;
  MWinButton* filename = nullptr;
  MWinButton* textures = nullptr;
  MWinButton* gradient = nullptr;
  MWinButton* browse = nullptr;
  MWinButton* colour1 = nullptr;
  MWinButton* colour2 = nullptr;
  MWinButton* xTiling = nullptr;
  MWinButton* yTiling = nullptr;
  MWinButton* done = nullptr;
  MWinButton* renderBg = nullptr;
};

struct EditorState {
  Handles h;
  bool settingUp = false;
  bool choosingBackground = false;
  bool choosingTable = false;
  bool openInPlace = false;
};
EditorState g_edit;

bool EditingTable() { return g_UserRecord.boardEditPart == 1; }

// Rebuilds the texture of the part being edited.
void RebuildEditedPart() {
  if (EditingTable()) {
    BoardLoadTable();
  } else {
    SetsControlReloadBackground();
  }
}

void Show(MWinButton* button, bool shown) {
  if (!button) return;
  if (shown) {
    button->Show();
  } else {
    button->Hide();
  }
}

// The controls bound to one surface of the board.
struct Surface {
  int32_t* type;
  char* filename;
  const char* stdTex;
  float* col1;
  float* col2;
  int32_t* gradient;
};

Surface EditedSurface(BoardSet& b) {
  if (EditingTable()) return {&b.tableType, b.tableFilename, b.tableStdTex, b.tableCol1, b.tableCol2, &b.tableGradientType};
  return {&b.bgType, b.bgFilename, b.bgStdTex, b.bgCol1, b.bgCol2, &b.bgGradientType};
}

}  // namespace

// ---- Layout -----------------------------------------------------------------------------------

bool SetsEditAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows(kName, window, kRows, static_cast<int>(std::size(kRows)));
}

MWinCollection* SetsEditAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}

void SetsEditCreateCB() { SetsEditAddCollectionToDesktop(); }

void SetsEditClearButtonHandles() {
  g_edit.h = Handles{};
  SetsSetPreviewButtons(nullptr, nullptr);
}

bool SetsEditGetButtonHandles() {
  const char* collection = DecksScreensHostCollection(kName);
  Handles& h = g_edit.h;
  ScreenLookUp get(collection);
  h.bg = get("Bg");
  h.title = get("Title");
  h.which = get("Which");
  h.type = get("Type");
  h.shape = get("Shape");
  h.fileText = get("FileText");
  h.filename = get("Filename");
  h.textures = get("Textures");
  h.gradient = get("Gradient");
  h.browse = get("Browse");
  h.colour1 = get("Colour1");
  h.colour2 = get("Colour2");
  h.xTiling = get("XTiling");
  h.yTiling = get("YTiling");
  h.done = get("Done");
  h.renderBg = get("RenderBg");
  const bool ok = get.AllFound();
  if (!ok) SetsEditClearButtonHandles();
  return ok;
}

// ---- Control ----------------------------------------------------------------------------------

void SetsEditOpenInPlace() { g_edit.openInPlace = true; }
bool SetsEditControlIsOpen() { return g_edit.openInPlace; }

void SetsEditControlStartingCB() {
  if (!SetsEditGetButtonHandles()) return;
  Handles& h = g_edit.h;
  h.which->SetSimpleCallback(SetsEditWhichCB);
  h.type->SetSimpleCallback(SetsEditTypeCB);
  h.shape->SetSimpleCallback(SetsEditShapeCB);
  h.textures->SetCallback(SetsEditTexturesCB, 0, 0);
  h.gradient->SetSimpleCallback(SetsEditGradientCB);
  h.colour1->SetCallback(SetsEditColour1CB, 0, 0);
  h.colour2->SetCallback(SetsEditColour2CB, 0, 0);
  h.xTiling->SetSimpleCallback(SetsEditTilingCB);
  h.yTiling->SetSimpleCallback(SetsEditTilingCB);
  h.browse->SetSimpleCallback(SetsEditBrowseCB);
  h.done->SetCallback(SetsEditControlDoneCB, 0, 0);
  h.done->SetEscapeButtonForParentWindow();

  g_edit.settingUp = true;
  SetsGetBoards();
  SetsEditControlUpdateControls();
  // The editor's own picture button shows the preview now.
  SetsSetPreviewButtons(nullptr, h.renderBg);
  if (GameGetProgramMode() == kGameModeMainMenu) {
    GenApplyLights();
    GameCameraApplyPreset(kGameCameraMainMenu);
    GameApplyCameraAndRefreshScene();
    SetsControlUpdatePreviewViewport();
    SetsControlCreateGraphics();
    SetsControlUpdatePreviewPicture();
    OptionsControlMoveButtons(h.bg, h.title, h.done);
  } else {
    MWinArea bg;
    h.bg->GetArea(&bg, true);
    h.renderBg->SetPosArea(bg);
    h.renderBg->Hide();
  }
  g_edit.settingUp = false;
}

void SetsEditControlUpdateControls() {
  Handles& h = g_edit.h;
  if (!h.type) return;
  int& index = g_UserRecord.currentBoard;
  if (index < 0 || index >= SetsGetNumBoards()) index = 0;
  BoardSet& board = SetsGetCurrentBoard();
  const bool table = EditingTable();

  h.which->ChoiceSetStringsLanguageToken(2, "EditBoard_WhichList");
  h.which->ChoiceRegisterIntVariable(&g_UserRecord.boardEditPart, false);
  h.type->ChoiceSetStringsLanguageToken(3, table ? "EditBoard_TableTypeList" : "EditBoard_BgTypeList");
  h.shape->ChoiceSetStrings(kSetsNumShapes, kShapeNames);
  h.shape->ChoiceRegisterIntVariable(&board.tableShape, false);
  h.gradient->ChoiceSetStringsLanguageToken(8, "EditBoard_GradientList");
  h.textures->ListSetStringsCallback(kSetsNumStdTextures, SetsEditTextureNameCB);
  h.xTiling->ChoiceSetStringsLanguageToken(5, "EditBoard_TilingList");
  h.yTiling->ChoiceSetStringsLanguageToken(5, "EditBoard_TilingList");
  for (MWinButton* b : {h.textures, h.gradient, h.colour1, h.colour2}) b->SetEnabled(true);
  MWinArea shape, file;
  h.shape->GetArea(&shape, true);
  h.filename->GetArea(&file, true);
  h.textures->SetPos(shape.x, file.y, shape.w, file.h);

  const Surface s = EditedSurface(board);
  h.type->ChoiceRegisterIntVariable(s.type, false);
  h.textures->ListSetPosNoCallback(SetsGetStandardTextureNum(s.stdTex));
  SetsEditShowFileName(h.filename, s.filename);
  h.colour1->ColourRegisterVariable(s.col1);
  h.colour2->ColourRegisterVariable(s.col2);
  h.gradient->ChoiceRegisterIntVariable(s.gradient, false);
  const int kind = *s.type;
  const int gradient = *s.gradient;
  if (table) {
    h.colour1->SetEnabled(gradient != 0);
    h.colour2->SetEnabled(gradient >= 2);
    h.shape->SetEnabled(kind != 0);
    h.fileText->SetTextLanguageToken(kind == 2 ? "EditBoard_File" : "EditBoard_Texture");
    if (kind == 0) {
      for (MWinButton* b : {h.gradient, h.colour1, h.colour2, h.textures}) b->SetEnabled(false);
    }
    h.xTiling->ChoiceRegisterIntVariable(&board.tableTiling[0], false);
    h.yTiling->ChoiceRegisterIntVariable(&board.tableTiling[1], false);
    h.xTiling->SetEnabled(kind > 0);
    h.yTiling->SetEnabled(kind > 0);
  } else {
    h.shape->SetEnabled(false);
    h.fileText->SetTextLanguageToken("EditBoard_File");
    if (kind == 0) {
      for (MWinButton* b : {h.textures, h.gradient, h.colour2}) b->SetEnabled(false);
    } else {
      h.colour1->SetEnabled(gradient != 0);
      h.colour2->SetEnabled(gradient >= 2);
    }
    h.xTiling->RegisterIntVariable(nullptr, 1);
    h.yTiling->RegisterIntVariable(nullptr, 1);
    h.xTiling->SetEnabled(false);
    h.yTiling->SetEnabled(false);
  }
  Show(h.browse, kind == 2);
  Show(h.filename, kind == 2);
  Show(h.textures, kind != 2);
}

void SetsEditWhichCB() { SetsEditControlUpdateControls(); }

void SetsEditTypeCB() {
  SetsEditControlUpdateControls();
  GameUpdateBackgroundColour();
  RebuildEditedPart();
}

void SetsEditShapeCB() { BoardLoadTable(); }

void SetsEditTexturesCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (!record || record->listEvent != 1) return;
  BoardSet& board = SetsGetCurrentBoard();
  const char* name = SetsEditTextureNameCB(record->listEntry);
  if (EditingTable()) {
    std::snprintf(board.tableStdTex, sizeof board.tableStdTex, "%s", name);
  } else {
    std::snprintf(board.bgStdTex, sizeof board.bgStdTex, "%s", name);
  }
  RebuildEditedPart();
}

void SetsEditGradientCB() {
  SetsEditControlUpdateControls();
  RebuildEditedPart();
}

void SetsEditColour1CB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (g_edit.settingUp) return;
  GameUpdateBackgroundColour();
  // While the marker is dragged only the clear colour follows; the texture
  // is built once the colour is let go.
  if (!record || record->colourDragging == 0) RebuildEditedPart();
}

void SetsEditColour2CB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (g_edit.settingUp) return;
  if (!record || record->colourDragging == 0) RebuildEditedPart();
}

void SetsEditTilingCB() {
  if (g_edit.settingUp) return;
  SetsEditControlUpdateControls();
  if (EditingTable()) BoardLoadTable();
}

void SetsEditBrowseCB() {
  const char* title;
  if (EditingTable()) {
    g_edit.choosingTable = true;
    title = "EditBoard_ChooseTex";
  } else {
    g_edit.choosingBackground = true;
    title = "EditBoard_ChooseBg";
  }
  SetsEditOpenFileChooser(EngLanguagesGetFirstString(title), g_UserRecord.pictureFolder);
}

void SetsEditOpenFileChooser(const char* title, const char* startFolder) {
  char folder[kUserPathSize] = {};
  if (startFolder && startFolder[0]) {
    DecksCopyPath(folder, sizeof folder, startFolder);
  } else {
    EngMiscGetDesktopDirectory(folder, sizeof folder);
  }
  static const char* const kExtensions[kGetFileMaxFilters] = {"bmp", "jpg", "tga"};
  GetFileSetExtensions(kExtensions);
  GetFileSetStartDir(folder);
  GetFileSetTitle(title);
  GetFileSetFileChosenCB(SetsEditFileChosenCB);
  ScreensGoto(g_ScreenGetFile);
}

void SetsEditFileChosenCB(int result) {
  const bool background = g_edit.choosingBackground, table = g_edit.choosingTable;
  const bool inPlay = GameGetProgramMode() == kGameModePlaying;
  if (result != 1) {
    g_edit.choosingBackground = g_edit.choosingTable = false;
    GetFileSetDefaults();
    ScreensGoBack();
    if (!inPlay) SetsControlEditCB();
    return;
  }
  BoardSet& board = SetsGetCurrentBoard();
  const char* chosen = GetFileGetChosenFilename();
  // A path the board's field cannot hold whole leaves the field as it was.
  if (background) DecksCopyPath(board.bgFilename, sizeof board.bgFilename, chosen);
  if (table) DecksCopyPath(board.tableFilename, sizeof board.tableFilename, chosen);
  DecksCopyPath(g_UserRecord.pictureFolder, sizeof g_UserRecord.pictureFolder, GetFileGetCurrentDir());
  SetsSaveCurrentBoard();
  GetFileSetDefaults();
  ScreensGoBack();
  if (!inPlay) SetsControlEditCB();
  if (background) {
    SetsEditShowFileName(g_edit.h.filename, board.bgFilename);
    SetsControlReloadBackground();
  }
  if (table) {
    SetsEditShowFileName(g_edit.h.filename, board.tableFilename);
    BoardLoadTable();
  }
  g_edit.choosingBackground = g_edit.choosingTable = false;
}

std::string SetsEditShortFileName(const char* path) {
  const std::string s = path ? path : "";
  if (s.size() <= static_cast<std::size_t>(kShortNameLength)) return s;
  const std::size_t slash = s.find_last_of("\\/");
  const std::size_t p = slash == std::string::npos ? 0 : slash;
  if (s.size() - p - 1 <= static_cast<std::size_t>(kShortNameLength)) return s.substr(p + 1);
  return "..." + s.substr(s.size() - (kShortNameLength - 3));
}

void SetsEditShowFileName(MWinButton* button, const char* path) {
  if (button) button->SetText(SetsEditShortFileName(path).c_str());
}

const char* SetsEditTextureNameCB(int entry) {
  return entry >= 0 && entry < kSetsNumStdTextures ? SetsGetStandardTextureName(entry) : "";
}

void SetsEditControlDoneCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  SetsSaveCurrentBoard();
  SetsSetPreviewButtons(nullptr, nullptr);
  SetsControlResetPictureRect();
  g_edit.openInPlace = false;
  if (record) HelpControlDoneCB();
}
