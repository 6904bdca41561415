// GameSnapshot.cpp - the Game page's picture of the chosen game (see
// GamePage.h).
//
// The picture is the card core's record of a table's piles, read from a
// picture file: the player's own (beside the saved game, drawn face down)
// or the game's stock picture in "Layouts", made once per game from deal 1.
// Making the stock picture deals into the live record and resets it again;
// nothing of the player's files, statistics, clock or tutorial changes, and
// the menu stays as it is.
#include <cstring>

#include "App/Sound.h"
#include "App/User.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngFrames.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/CardsRender.h"
#include "Game/Decks/Board.h"
#include "Game/GameState.h"
#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenSave.h"
#include "Game/SolCards.h"
#include "Platform/D3D9Types.h"
#include "Screens/GamePage.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

constexpr float kViewportInset = 4;
constexpr unsigned kStockDeal = 1;

struct Snapshot {
  bool shown = false;      // a valid picture is loaded
  bool facesDown = false;  // the player's own picture (a saved game)
  GameSnapshotViewport viewport = {0, 0, 0, 0};
  bool preparing = false;  // the guard of GameControlPrepareSnapshot
  bool asked = false;      // the page asked for the stock picture (GameControlAskForSnapshot)
  unsigned askedAt = 0;    // when, on the engine's millisecond clock
};

Snapshot g_snapshot;

// The piles of the picture in the game record's order (see GenSave.h).
constexpr int kDeck = 0, kWaste = 1, kReserves = 2;
constexpr int kFoundations = kReserves + kGenMaxReserves;
constexpr int kTableaus = kFoundations + kGenMaxFoundations;
constexpr int kFans = kTableaus + kGenMaxTableaus;
constexpr int kCells = kFans + kGenMaxFans;

void ClearPicture() {
  SaveCardDetails& d = GenGetSaveCardDetails();
  d.deckInUse = d.wasteInUse = d.reservesInUse = 0;
  d.deckSize = d.numFoundations = d.numCells = d.numTableaus = d.numFans = d.numReserves = 0;
  d.lowestRank = 0;
  d.variantWords[0] = d.variantWords[1] = 0;
  d.emptySpacePicture = 0;
  for (CardGroup& pile : d.piles) pile.Reset(false);
  std::memset(GenGetSaveCardDetailsCompact().bytes, 0, sizeof GenGetSaveCardDetailsCompact().bytes);
  g_snapshot.shown = false;
}

// A picture file of exactly the right size, read into the compact record
// and expanded; false (quietly) for a missing or wrong-sized file.
bool ReadPictureFile(const char* name) {
  if (!name || !EngFileExists(name) || EngFileGetFileSize(name, false) != kGenPictureFileSize) {
    return false;
  }
  SaveCardDetailsCompact& compact = GenGetSaveCardDetailsCompact();
  return EngFileOpenReadAndClose(name, false, compact.bytes, sizeof compact.bytes) &&
         GenFillSaveCardDetailsFromSaveCardDetailsCompact();
}

bool StockPictureIsReady(const char* name) {
  return EngFileExists(name) && EngFileGetFileSize(name, false) == kGenPictureFileSize;
}

void RenderPile(CardGroup& pile) { CardsRenderGroup(&pile); }

}  // namespace

// ---- Viewport ------------------------------------------------------------------------

GameSnapshotViewport GameControlSnapshotViewportFor(float x, float y, float w, float h, int width,
                                                    int height) {
  const int left = static_cast<int>(x + kViewportInset);
  const int top = static_cast<int>(y + kViewportInset);
  const int right = static_cast<int>(x + w - kViewportInset);
  const int bottom = static_cast<int>(y + h - kViewportInset);
  return GameSnapshotViewport{left * width / 640, top * height / 480, (right - left) * width / 640,
                              (bottom - top) * height / 480};
}

void GameControlUpdateSnapshotViewport() {
  if (!g_MWin.IsOn() || ScreensGetCurrent() != g_ScreenMain) return;
  MWinButton* frame = ScreenLookUp("Main").Optional("RenderBg");
  if (!frame) return;
  MWinArea area;
  frame->GetArea(&area, true);
  const EngScreenMode& mode = EngWindowGetScreenMode();
  g_snapshot.viewport =
      GameControlSnapshotViewportFor(area.x, area.y, area.w, area.h, mode.width, mode.height);
}

GameSnapshotViewport GameControlGetSnapshotViewport() { return g_snapshot.viewport; }

// ---- Picture files ---------------------------------------------------------------------

bool GameControlSnapshotIsValid(const SaveCardDetails& d) {
  return d.numTableaus >= 0 && d.numTableaus <= kGenMaxTableaus && d.numCells >= 0 &&
         d.numCells <= kGenMaxCells && d.numFoundations >= 0 &&
         d.numFoundations <= kGenMaxFoundations && d.numFans >= 0 && d.numFans <= kGenMaxFans &&
         d.numReserves >= 0 && d.numReserves <= kGenMaxReserves;
}

bool GameControlLoadSnapshot() {
  GenInit();
  ClearPicture();
  // The player's own picture must show the saved game beside it; one that
  // does not is passed over (and left alone) for the stock picture.
  if (UserIsLoaded() && GenReadSavedGamePicture() &&
      GameControlSnapshotIsValid(GenGetSaveCardDetails())) {
    g_snapshot.facesDown = true;
    GameControlSetupSnapshotGroups();
    return g_snapshot.shown = true;
  }
  ClearPicture();
  const char* stockName = GenGetSaveFilename(2);
  char stock[1024] = "";
  if (stockName) std::strncpy(stock, stockName, sizeof stock - 1);
  if (stock[0] && StockPictureIsReady(stock)) {
    if (ReadPictureFile(stock) && GameControlSnapshotIsValid(GenGetSaveCardDetails())) {
      g_snapshot.facesDown = false;
      GameControlSetupSnapshotGroups();
      return g_snapshot.shown = true;
    }
    // Only a stock picture that is itself bad goes: it is made again.
    EngFileDelete(stock);
  }
  ClearPicture();
  return false;
}

void GameControlPrepareSnapshot() {
  if (g_snapshot.preparing) return;
  const char* stockName = GenGetSaveFilename(2);
  if (!stockName) return;
  char stock[1024];
  std::strncpy(stock, stockName, sizeof stock - 1);
  stock[sizeof stock - 1] = '\0';
  if (StockPictureIsReady(stock)) return;
  g_snapshot.preparing = true;
  if (EngFileExists(stock)) EngFileDelete(stock);
  const bool wait = g_MWin.IsOn() && !g_MWin.IsPopupOpen();
  if (wait) {
    g_MWin.PopupMessage("", "Preparing Game Snaphot...");
    EngMiscRenderFrameNow(true, true);
    EngMiscRenderFrameNow(true, true);
    g_MWin.PopupCloseIfOpen();
  }
  SoundSetMute(true);
  GenMakeStockPicture(kStockDeal);
  SoundSetMute(false);
  GameControlLoadSnapshot();
  g_snapshot.preparing = false;
}

void GameControlAskForSnapshot() {
  g_snapshot.asked = true;
  g_snapshot.askedAt = EngProgramGetCurrentMilliseconds();
}

// The picture's making holds the program for a moment behind its message,
// which takes the pointer off the button under it: made while the player
// is still at the page it would swallow a click under way, or keep a New
// Game waiting. So it waits until the page has been left alone: no input
// for kGameSnapshotRestMs since the page asked, none waiting, no mouse
// button held. A page left before then (a game dealt, another screen) asks
// again when it shows next.
void GameControlTickSnapshot() {
  if (!g_snapshot.asked) return;
  if (GameGetProgramMode() != kGameModeMainMenu) {
    g_snapshot.asked = false;
    return;
  }
  const unsigned now = EngProgramGetCurrentMilliseconds();
  const unsigned lastInput = GameGetIdleSince();
  const unsigned since =
      static_cast<int>(lastInput - g_snapshot.askedAt) > 0 ? lastInput : g_snapshot.askedAt;
  const unsigned due = since + kGameSnapshotRestMs;
  if (static_cast<int>(now - due) < 0) {
    EngFramesWakeAtMs(due);
    return;
  }
  EngWindow* window = EngWindowGetCurrent();
  if (window && window->IsInputUnderWay()) {
    EngFramesWakeAtMs(now + kGameSnapshotRestMs);
    return;
  }
  g_snapshot.asked = false;
  GameControlPrepareSnapshot();
}

// ---- Drawing ----------------------------------------------------------------------------

void GameControlSetupSnapshotGroups() {
  SaveCardDetails& d = GenGetSaveCardDetails();
  for (CardGroup& pile : d.piles) {
    pile.ClearHighlights();
    pile.moved = 0;
    pile.RelinkOwners();
    pile.Refresh(false);
  }
  SolCardsSetFoundationSpaceRank(d.lowestRank);
  SolCardsSetSpaceCustomPic(d.emptySpacePicture);
  auto setUp = [](CardGroup& pile) { SolCardsSetupCardGroupModelsAndTextures(&pile); };
  setUp(d.piles[kDeck]);
  if (d.wasteInUse) setUp(d.piles[kWaste]);
  for (int i = 0; i < d.numTableaus; ++i) setUp(d.piles[kTableaus + i]);
  for (int i = 0; i < d.numCells; ++i) setUp(d.piles[kCells + i]);
  for (int i = 0; i < d.numFoundations; ++i) setUp(d.piles[kFoundations + i]);
  for (int i = 0; i < d.numFans; ++i) {
    if (d.piles[kFans + i].numCards > 0) setUp(d.piles[kFans + i]);
  }
  for (int i = 0; i < d.numReserves; ++i) setUp(d.piles[kReserves + i]);
}

bool GameControlHasSnapshot() { return g_snapshot.shown; }

void GameControlRenderSnapshotCards() {
  if (!g_snapshot.shown) return;
  SaveCardDetails& d = GenGetSaveCardDetails();
  // A saved game's cards stay secret in the menu. Under the Options (the
  // Cameras and Lights previews) the menu's buttons are gone: the picture's
  // own record says.
  const bool inMenu = ScreensGetCurrent() == g_ScreenMain;
  MWinButton* cont = inMenu ? ScreenLookUp("Main").Optional("ContinueGame") : nullptr;
  const bool faceDown = cont ? cont->IsEnabled() : g_snapshot.facesDown;
  if (faceDown) CardsHideAllFaces();
  CardsBeginBlending();
  if (d.deckInUse) RenderPile(d.piles[kDeck]);
  if (d.wasteInUse) RenderPile(d.piles[kWaste]);
  for (int i = 0; i < d.numCells; ++i) RenderPile(d.piles[kCells + i]);
  for (int i = 0; i < d.numFoundations; ++i) RenderPile(d.piles[kFoundations + i]);
  for (int i = 0; i < d.numFans; ++i) RenderPile(d.piles[kFans + i]);
  if (d.reservesInUse) {
    for (int i = 0; i < d.numReserves; ++i) RenderPile(d.piles[kReserves + i]);
  }
  for (int i = 0; i < d.numTableaus; ++i) RenderPile(d.piles[kTableaus + i]);
  CardsEndBlending();
  if (faceDown) CardsShowFacesNormally();
}

void GameControlRenderSnapshot() {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device) return;
  const GameSnapshotViewport& v = g_snapshot.viewport;
  if (v.w > 0 && v.h > 0) {
    D3DVIEWPORT9 viewport = {static_cast<DWORD>(v.x), static_cast<DWORD>(v.y),
                             static_cast<DWORD>(v.w), static_cast<DWORD>(v.h), 0.0f, 1.0f};
    device->SetViewportToViewportStruct(&viewport);
    device->ClearDepth();
    // The table and its cards lie in one plane: drawn back to front.
    device->SuspendDepthTest();
    MainRenderTableBoard();
    GameControlRenderSnapshotCards();
    device->ResumeDepthTest();
    device->SetViewportFullScreen();
  }
  if (g_MWin.IsPopupOpen()) return;
  MWinButton* list = ScreenLookUp("Main").Optional("Autoplay");
  if (list && list->ListIsOpen()) {
    const bool prepared = device->PrepareFor2DIfNotPrepared(true);
    // The device keeps one saved blending state, which the list's text
    // takes for its own drawing: the state around the list is kept here.
    bool on = false;
    int source = -1, destination = -1;
    device->GetBlendingState(&on, &source, &destination);
    device->EnableBlendingType(0);
    list->ListDrawOpenList();
    device->SetBlendingState(on, source, destination);
    if (prepared) device->RestoreAfter2D();
  }
}
