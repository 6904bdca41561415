// GameRender.cpp - the shell's render passes and the drawing of the piles
// (see GameShell.h).
#include <cstdio>

#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngScreen.h"
#include "Engine/EngTexture.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/CardsRender.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/Sets.h"
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Game/GameShell.h"
#include "Game/GameShellLocal.h"
#include "Game/Gen.h"
#include "Game/GenGameTable.h"

namespace {

// The deck's card count over its top card, in the game font laid flat on
// the card: a dark copy a little down and right, then the light one.
void DrawDeckCount(CardGroup& deck) {
  EngDevice* device = EngDeviceGetCurrent();
  EngFont* font = GameShellFont();
  if (!device || !font) return;
  GameShellState& s = GameShellGetState();
  if (deck.numCards != s.lastDeckCount) {
    s.lastDeckCount = deck.numCards;
    std::snprintf(s.deckCountText, sizeof(s.deckCountText), "%d", deck.numCards);
  }
  const Card& top = deck.cards[deck.numCards - 1];
  CardsEndBlending();
  device->SetWorldTranslation(deck.pos[0] + top.pos[0], deck.pos[1] + top.pos[1],
                              deck.pos[2] + top.pos[2]);
  device->DisableLighting();
  float ratioX = 1, ratioY = 1;
  font->GetRatio(&ratioX, &ratioY);
  EngFontPrepareForDrawingIn3D();
  font->SetRatio(0.08f, 0.12f);
  font->SetColour(0, 0, 0, 0.8f);
  font->DrawStringAligned(0.1f, 0.8f, 1, 0, s.deckCountText, false);
  font->SetColour(1, 1, 1, 0.6f);
  font->DrawStringAligned(0, 0.9f, 1, 0, s.deckCountText, false);
  EngFontRestoreAfterDrawing();
  font->SetRatio(ratioX, ratioY);
  device->EnableLighting();
  CardsBeginBlending();
}

}  // namespace

void GenRenderPiles() {
  Gen& g = g_GenLive;
  if (!g.ready) return;
  if (g.deckInUse) {
    CardsRenderGroup(&g.deck);
    if (g_UserRecord.deckCount && g.deck.numCards > 0 && !g.deck.cards[0].faceUp) {
      DrawDeckCount(g.deck);
    }
  }
  if (g.wasteInUse) CardsRenderGroup(&g.waste);
  for (int i = 0; i < g.numCells && i < kGenMaxCells; ++i) CardsRenderGroup(&g.cells[i]);
  for (int i = 0; i < g.numFoundations && i < kGenMaxFoundations; ++i) {
    CardsRenderGroup(&g.foundations[i]);
  }
  for (int i = 0; i < g.numFans && i < kGenMaxFans; ++i) CardsRenderGroup(&g.fans[i]);
  for (int i = 0; i < g.numTableaus && i < kGenMaxTableaus; ++i) CardsRenderGroup(&g.tableaus[i]);
  if (g.reservesInUse) {
    for (int i = 0; i < g.numReserves && i < kGenMaxReserves; ++i) {
      CardsRenderGroup(&g.reserves[i]);
    }
  }
  // The carried cards cast their shadows down and right onto the table.
  CardGroup& selection = g.selection;
  if (selection.numCards > 0) {
    const float pos[3] = {selection.pos[0], selection.pos[1], selection.pos[2]};
    const float shadowPos[3] = {pos[0] + 1.0f, pos[1] - 1.5f, pos[2]};
    selection.SetPositionAndSwing(shadowPos, selection.swing);
    CardsRenderGroupShadows(&selection);
    selection.SetPositionAndSwing(pos, selection.swing);
    CardsRenderGroup(&selection);
  }
  if (GenCurGameDef().drawOverPiles) GenCurGameDef().drawOverPiles();
}

void GameRenderGame() {
  const int mode = GameGetProgramMode();
  if (mode != kGameModePlaying && mode != kGameModeDecksOverGame) return;
  EngDevice* device = EngDeviceGetCurrent();
  if (!device) return;
  EngTexture* background = BoardGetBackgroundTexture();
  if (BoardGetBackgroundType() != 0 && background && background->IsLoaded()) {
    device->ClearDepth();
    device->PrepareFor2D(true);
    background->Draw();
    device->RestoreAfter2D();
  } else {
    device->ClearScreenAndDepth();
  }
  if (AnimGameOverIsRunning()) {
    AnimGameOverRender();
    return;
  }
  if (g_GenLive.gameOver && GenCurGameDef().wholeViewportWhenOver) device->SetViewportFullScreen();
  // The table and its cards lie in one plane and are drawn back to front:
  // the drawing order decides what covers what, not the depth buffer
  // (coplanar quads would fight in it).
  device->SuspendDepthTest();
  MainRenderTableBoard();
  FoundationEffectsRenderAll();
  TutorialRenderPointer();
  CardsBeginBlending();
  GenRenderPiles();
  AnimRender();
  CardsEndBlending();
  device->ResumeDepthTest();
  MainDrawGameStatus();
  TutorialRenderMessageBox();
}

void GameRenderBeforeWindows() {
  switch (GameGetProgramMode()) {
    case kGameModeStartScreen:
      UsersControlRenderSplash(1);
      break;
    case kGameModeMainMenu:
      if (EngDevice* device = EngDeviceGetCurrent()) device->ClearScreenAndDepth();
      MainRenderMenuCardAnim();
      break;
    case kGameModeDeckGenerator:
      if (EngDevice* device = EngDeviceGetCurrent()) device->ClearScreenAndDepth();
      break;
    case kGameModePlaying:
    case kGameModeDecksOverGame:
      GameRenderGame();
      break;
    default:
      break;
  }
}

void GameRenderAfterWindows() {
  if (mwin.IsPopupOpen()) return;
  const int mode = GameGetProgramMode();
  if (mode == kGameModeStartScreen) {
    UsersControlRenderSplash(0);
    CountryControlRenderFlags();
    return;
  }
  if (mode == kGameModeDeckGenerator) return;
  const int current = EngScreenGetCurrent();
  if (current < 0) return;
  if (current == GameShellScreen("Options")) {
    OptionsControlRender();
  } else if (current == GameShellScreen("Decks")) {
    DecksControlRenderPreview();
  } else if (current == GameShellScreen("Main")) {
    MainControlRender();
  }
}

void GameRenderCB() {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device || !device->BeginRendering()) return;
  if (GameShellIsWindowOpen()) {
    GameRenderBeforeWindows();
    mwin.Render();
    GameRenderAfterWindows();
  } else {
    GameRenderGame();
  }
  device->EndRendering();
}
