// Main.cpp - stand-in main module (see Main.h).
#include "App/Main.h"

#include "Game/GameImports.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"

bool MainStartGame(int game, bool resume, unsigned deal) {
  GenSetCurGame(game);
  if (resume && GenResumeSavedGameIfAny()) return true;
  if (deal != 0) {
    GenNewGameWithNumber(deal, true);
  } else {
    GenNewGame(true);
  }
  return true;
}

void MainStartMenuCardAnim(bool) {}
void MainTickMenuCardAnim() {}
void MainUpdatePreviewViewports() {}
void MainLoadMenuButtonText() {}
void MainMenuButtonShow(bool) {}
void MainMenuButtonHide() {}
bool MainMenuButtonIsOn() { return false; }
void MainMenuButtonTick(bool) {}
void MainDrawMenuButton() {}
void MainDrawGameStatus() {}
