// GenGame.cpp - new games, the resume of a saved game, the step after a win
// and the game-in-progress flag (see GenGame.h).
#include "Game/GenGame.h"

#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/GameImports.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenCopy.h"
#include "Game/GenDeal.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSelection.h"
#include "Game/GenSelectionLocal.h"
#include "Game/GenUndo.h"
#include "Game/UserRecord.h"

namespace {

// Whole run.
void (*g_startCelebration)(float) = nullptr;
void (*g_toMainMenu)() = nullptr;
bool g_finishing = false;   // a save is finishing the running moves
bool g_inProgress = false;  // dealt or resumed, not ended

void StartOver() {
  GenPrimeWorkingCopies();
  GenUndoReset();
  GenUndoRecordState();
  GenBuildPickupCandidates();
  GenClearHighlights();
  GenResetBestDropCandidate();
}

}  // namespace

void GenNewGame(bool deal) {
  // The whole record is replaced: a move still running (the deal of a game
  // given up a moment ago) would land its cards in the new one.
  AnimCancelAll();
  GenInit();
  if (deal) {
    GenDeal(true, false, 0);
    GenSetGameInProgress(g_GenLive.ready != 0);
  }
  StartOver();
}

void GenNewGameWithNumber(unsigned number, bool deal) {
  AnimCancelAll();
  GenInit();
  if (deal) {
    GenDeal(true, true, number);
    g_GenLive.dealtByNumber = 1;  // the game screens tell a chosen deal apart
    GenSetGameInProgress(g_GenLive.ready != 0);
  }
  StartOver();
}

void GenNewGameFromNewCommand() {
  // A won game was counted when it was won.
  if (!g_GenLive.gameOver) g_GameImports.StatsAddCurrentGame(0, 1);
  GenSelEndAllAnimations();
  GenNewGame(true);
  GameTimeReset();
  g_GameImports.ScoreResetCurrentScore();
}

bool GenResumeSavedGameIfAny() {
  if (!GenSavedGameExists()) return false;
  if (GenResumeSavedGame()) return true;
  // The saved game was unusable and is gone: play on with a new deal.
  GenNewGame(true);
  return false;
}

bool GenAfterWinStep(int, int) {
  // While a save finishes the running moves nothing is dealt and nothing
  // left (the save decides what follows); a celebration still starts.
  switch (g_UserRecord.afterWin) {
    case 1:
      GenSelEndAllAnimations();
      if (!g_finishing) GenNewGameFromNewCommand();
      break;
    case 2:
      GenSelEndAllAnimations();
      if (!g_finishing && g_toMainMenu) g_toMainMenu();
      break;
    default:
      if (g_startCelebration) g_startCelebration(0.5f);
      AnimSetFinishCB(nullptr);
      AnimSetPostFinishCB(nullptr);
      break;
  }
  return false;
}

void GenSetAfterWinHandlers(void (*startCelebration)(float), void (*toMainMenu)()) {
  g_startCelebration = startCelebration;
  g_toMainMenu = toMainMenu;
}

void GenSetFinishing(bool finishing) { g_finishing = finishing; }
bool GenIsFinishing() { return g_finishing; }

bool GenIsGameInProgress() { return g_inProgress; }
void GenSetGameInProgress(bool inProgress) { g_inProgress = inProgress; }

bool GenSaveGameInProgress() {
  if (!g_inProgress) return true;
  return GenSaveCurrentGame();
}
