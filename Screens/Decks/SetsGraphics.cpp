// SetsGraphics.cpp - the board screens' textures and drawing: making a
// board current and rebuilding its background and table top, the preview
// picture and the preview of the table on the Options boards page (see
// SetsScreens.h). The game's loading, render and key steps call these; they
// reach no other screen code.
#include <cstdint>

#include "Engine/EngDevice.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinButton.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/Sets.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/UserRecord.h"
#include "Platform/D3D9Types.h"
#include "Screens/Decks/SetsScreens.h"
#include "Screens/Screens.h"

namespace {

constexpr int kPreviewSide = 256;
constexpr int kOptionsBoardsPage = 3;

// The preview lives from SetsControlCreateGraphics until released; the
// buttons while their screens are shown.
struct SetsGraphicsState {
  EngTexture preview;
  bool previewMade = false;
  MWinButton* pageButton = nullptr;
  MWinButton* editorButton = nullptr;
  D3DVIEWPORT9 viewport{0, 0, 1, 1, 0, 1};
};

SetsGraphicsState& State() {
  static SetsGraphicsState state;
  return state;
}

bool MakePreview() {
  SetsGraphicsState& s = State();
  if (s.previewMade && s.preview.IsLoaded()) return true;
  int w = kPreviewSide, h = kPreviewSide;
  s.previewMade = s.preview.CreateEmptyTexture2D(&w, &h, 1) && s.preview.ColourRect(0, 0, -1, -1, 0, 0, 0, 1);
  return s.previewMade;
}

MWinButton* PictureButton() {
  SetsGraphicsState& s = State();
  return s.pageButton ? s.pageButton : s.editorButton;
}

}  // namespace

bool SetsIsOptionsBoardsPage() {
  const int options = ScreensGetScreenId("Options");
  return options >= 0 && ScreensGetCurrent() == options && g_UserRecord.optionsPage == kOptionsBoardsPage;
}

void SetsSetPreviewButtons(MWinButton* page, MWinButton* editor) {
  State().pageButton = page;
  State().editorButton = editor;
}

void SetsControlLoadBoard(int board) {
  g_UserRecord.currentBoard = board;
  SetsLoadCurrentBoard();
  GameUpdateBackgroundColour();
  SetsControlReloadBackground();
  BoardLoadTable();
}

void SetsControlReloadBackground() {
  BoardLoadBackgroundTexture();
  SetsControlUpdatePreviewPicture();
}

void SetsControlCreateGraphics() {
  if (!SetsIsOptionsBoardsPage()) return;
  SetsGetBoards();
  if (SetsGetCurrentBoard().bgType == 0) MakePreview();
}

void SetsControlReleaseGraphics() {
  SetsGraphicsState& s = State();
  s.preview.Release();
  s.previewMade = false;
}

void SetsControlUpdatePreviewPicture() {
  MWinButton* button = PictureButton();
  if (!button || !SetsIsOptionsBoardsPage()) return;
  const BoardSet& board = SetsGetCurrentBoard();
  if (board.bgType == 0) {
    if (!MakePreview()) return;
    State().preview.ColourRect(0, 0, -1, -1, board.bgCol1[0], board.bgCol1[1], board.bgCol1[2], -1);
    button->SetCustomTexBut(0, &State().preview);
    return;
  }
  EngTexture* background = BoardGetBackgroundTexture();
  if (background && background->IsLoaded()) button->SetCustomTexBut(0, background);
}

void SetsControlResetPictureRect() {
  EngTexture* background = BoardGetBackgroundTexture();
  if (background && background->IsLoaded()) background->PositionRatioedInt(0, 0, 640, 480);
}

void SetsControlUpdatePreviewViewport() {
  MWinButton* button = PictureButton();
  if (!button || !SetsIsOptionsBoardsPage()) return;
  MWinArea area;
  button->GetArea(&area, false);
  const EngScreenMode& mode = EngWindowGetScreenMode();
  const float sx = static_cast<float>(mode.width) / 640.0f, sy = static_cast<float>(mode.height) / 480.0f;
  const int x = static_cast<int>(area.x + 4), y = static_cast<int>(area.y + 4);
  const int w = static_cast<int>(area.w - 8), h = static_cast<int>(area.h - 8);
  D3DVIEWPORT9& v = State().viewport;
  v.X = static_cast<DWORD>(static_cast<float>(x) * sx);
  v.Y = static_cast<DWORD>(static_cast<float>(y) * sy);
  v.Width = static_cast<DWORD>(static_cast<float>(w) * sx);
  v.Height = static_cast<DWORD>(static_cast<float>(h) * sy);
  v.MinZ = 0;
  v.MaxZ = 1;
}

void SetsControlRenderPreview() {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device || !PictureButton()) return;
  device->SetViewportToViewportStruct(&State().viewport);
  MainRenderTableBoard();
  device->SetViewportFullScreen();
}
