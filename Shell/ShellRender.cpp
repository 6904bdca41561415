// ShellRender.cpp - the shell's render passes: which screen's drawing runs
// in which program mode (see Shell.h).
#include <cstdio>

#include "App/FoundationEffects.h"
#include "App/Main.h"
#include "App/Tutorial.h"
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
#include "Game/GameState.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/GenRender.h"
#include "Screens/Country.h"
#include "Screens/Decks/DecksScreen.h"
#include "Screens/Main.h"
#include "Screens/Options.h"
#include "Screens/Users.h"
#include "Shell/Shell.h"
#include "Shell/ShellLocal.h"

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

namespace {

// What the screens draw over the toolkit's windows: the splash, the flags
// and the 3D pictures of the pages (the Game page's table, the previews).
// Under an open popup the toolkit draws this beneath the popup and dims it
// with the windows.
void DrawOverWindows() {
  const int mode = GameGetProgramMode();
  if (mode == kGameModeStartScreen) {
    UsersControlRenderSplash(0);
    CountryControlRenderFlags();
    return;
  }
  if (mode == kGameModeDeckGenerator) return;
  // A popup over the table (the toolkit started for it alone) has no screen
  // under it: the screen shown before play has nothing to draw there.
  if (!EngScreenIsStarted()) return;
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

}  // namespace

void GameRenderAfterWindows() {
  // An open popup has had it drawn beneath itself.
  if (g_MWin.IsPopupOpen()) return;
  DrawOverWindows();
}

void GameRenderCB() {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device || !device->BeginRendering()) return;
  if (GameShellIsWindowOpen()) {
    GameRenderBeforeWindows();
    g_MWin.Render(DrawOverWindows);
    GameRenderAfterWindows();
  } else {
    GameRenderGame();
  }
  device->EndRendering();
}
