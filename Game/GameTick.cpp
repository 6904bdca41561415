// GameTick.cpp - the shell's tick passes, the per-frame game step and the
// idle pause (see GameShell.h).
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Engine/EngProgram.h"
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/GameShell.h"
#include "Game/GameShellLocal.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"

namespace {

constexpr unsigned kIdlePauseMs = 60000;

void ReapplyEventLoop(bool redrawOnMouseMoves) {
  if (!g_UserRecord.eventLoop) return;
  if (EngProgram* program = EngProgramGetCurrent()) {
    program->EventDrivenLoopSetupDoingActionsOnKeyAndMouseEvents(true, true, redrawOnMouseMoves);
  }
}

// A minute without input in play pauses the game, unless cards fly, a
// celebration runs or the tutorial is shown; a pause that something blocked
// waits for the next full minute.
void IdlePause() {
  GameShellState& s = GameShellGetState();
  if (s.mode != kGameModePlaying) return;
  const unsigned now = EngProgramGetCurrentMilliseconds();
  if (now - s.idleSince <= kIdlePauseMs) return;
  if (AnimIsAnimating() || AnimGameOverIsRunning() || TutorialIsOn()) {
    s.idleSince = now;
    return;
  }
  s.idleSince = now;
  s.pausedByIdle = true;
  GameMenuPause();
}

}  // namespace

void GameResetIdleTimer() { GameShellGetState().idleSince = EngProgramGetCurrentMilliseconds(); }

void GenTick() {
  AnimTick();
  g_GenLive.selection.TickFollow();
  if (GenIsFirstGameOfferPending() && !AnimIsAnimating()) {
    TutorialOfferFirstGame();
    GenSetFirstGameOfferPending(false);
  }
}

bool GameTickWithWindowOpen() {
  EngScreenTick();
  ReapplyEventLoop(true);
  MainMenuButtonTick(true);
  switch (GameGetProgramMode()) {
    case kGameModeStartScreen:
      UsersControlTickSplash();
      break;
    case kGameModeMainMenu:
      MainTickMenuCardAnim();
      GameInGameKeys();
      if (EngScreenGetCurrent() >= 0 && EngScreenGetCurrent() == GameShellScreen("Main")) {
        SplashTick();
      }
      break;
    default:
      break;
  }
  return true;
}

bool GameTickNoWindowOpen() {
  FoundationEffectsTick();
  MainMenuButtonTick(false);
  switch (GameGetProgramMode()) {
    case kGameModeMainMenu:
      ReapplyEventLoop(true);
      break;
    case kGameModePlaying: {
      GameInGameKeys();
      GenTick();
      GameTimeTick();
      TutorialTick();
      // Mouse moves need not redraw a still table drawn with the game's own
      // cursor-less pointer: only when nothing is carried and no Menu
      // button fades.
      GameDisplaySettings display;
      ResolutionGetForGame(&display);
      const bool still = display.cursorType != 0 && !GenIsCarrying() && !MainMenuButtonIsOn();
      ReapplyEventLoop(!still);
      IdlePause();
      break;
    }
    default:
      break;
  }
  return true;
}

bool GameTickCB() {
  mwin.Tick();
  if (GameShellIsWindowOpen()) return GameTickWithWindowOpen();
  return GameTickNoWindowOpen();
}
