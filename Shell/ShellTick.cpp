// ShellTick.cpp - the shell's tick passes, the per-frame game step, the
// idle pause, the notices of a saved game set aside and of files not
// written, and the answer to the loop's question whether the next tick has
// work (see Shell.h).
#include <cstdio>

#include "App/FoundationEffects.h"
#include "App/Main.h"
#include "App/Resolution.h"
#include "App/Splash.h"
#include "App/Tutorial.h"
#include "App/WriteFailure.h"
#include "Engine/EngFrames.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngProgram.h"
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Game/GameState.h"
#include "Game/GameTime.h"
#include "Game/GenRecord.h"
#include "Game/GenRender.h"
#include "Game/Gen.h"
#include "Game/GenSave.h"
#include "Game/GenText.h"
#include "Game/UserRecord.h"
#include "Screens/Users.h"
#include "Shell/Shell.h"
#include "Shell/ShellLocal.h"

namespace {

constexpr unsigned kIdlePauseMs = 60000;
constexpr int kNoticeNameSize = 256;
constexpr int kNoticeTextSize = 768;

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
  if (GameGetProgramMode() != kGameModePlaying) return;
  const unsigned now = EngProgramGetCurrentMilliseconds();
  if (now - GameGetIdleSince() <= kIdlePauseMs) {
    EngFramesWakeAtMs(GameGetIdleSince() + kIdlePauseMs + 1);
    return;
  }
  GameSetIdleSince(now);
  if (AnimIsAnimating() || AnimGameOverIsRunning() || TutorialIsOn()) return;
  GameShellGetState().pausedByIdle = true;
  GameMenuPause();
}

void CloseToolkitAfterNotice(int) { g_MWin.Shutdown(); }

bool PopupFree() { return !(g_MWin.IsOn() && g_MWin.IsPopupOpen()); }

// What the tick tells the player over the screens and the table, each as
// soon as no other popup is open; the tick and the loop's question about
// work pending both ask these.
bool SavedGameNoticeDue() {
  const int mode = GameGetProgramMode();
  return mode >= kGameModeMainMenu && mode <= kGameModeDeckGenerator && PopupFree() && GenHasSavedGameNotice();
}
bool UnsavedGameQuestionDue() {
  const GameShellState& s = GameShellGetState();
  return GameGetProgramMode() == kGameModePlaying && s.unsavedLeaving != 0 && !s.askingUnsaved && PopupFree();
}
// A file of the player's not written is told over any screen or table, but
// not over the celebration: the menu after it shows it. The program's Exit
// waits for its notice, so that one is told at once, even there.
bool WriteFailureNoticeDue() {
  const int mode = GameGetProgramMode();
  return mode >= kGameModeStartScreen && mode <= kGameModeDeckGenerator &&
         (!AnimGameOverIsRunning() || GameShellGetState().leavingAfterNotice) && PopupFree() &&
         WriteFailureGetPendingCount() > 0;
}

// A saved game that could not be used has been set aside: the player is
// told once, in a popup over whatever is shown, as soon as no other popup
// is open (during play the toolkit is started for it and closed with it).
void TellSavedGameSetAside() {
  int game = 0;
  char keptAs[kNoticeNameSize] = "";
  if (!GenTakeSavedGameNotice(&game, keptAs, sizeof keptAs)) return;
  char text[kNoticeTextSize] = "";
  const char* token = keptAs[0] ? "Game_SavedGameKeptAside" : "Game_SavedGameDeleted";
  if (!EngLanguagesGetStringWithParams(token, GenGetGameString(1, game), keptAs, text, sizeof text)) {
    std::snprintf(text, sizeof text, "%s", EngLanguagesGetFirstString(token));
  }
  const char* title = EngLanguagesGetFirstString("Game_SavedGameDamagedTitle");
  if (g_MWin.IsOn()) {
    g_MWin.PopupOk(title, text);
    return;
  }
  if (!g_MWin.Startup()) return;
  if (!g_MWin.PopupOkWithCallback(title, text, CloseToolkitAfterNotice)) g_MWin.Shutdown();
}

// The player's answer about the game that could not be saved: Give Up (1)
// leaves without it; Stay (0) plays on, and the next try to leave saves it
// again.
void AnswerUnsavedGame(int result) {
  GameShellState& s = GameShellGetState();
  const int leaving = s.unsavedLeaving;
  const bool started = s.askStartedToolkit;
  s.unsavedLeaving = 0;
  s.askingUnsaved = s.askStartedToolkit = false;
  if (started) g_MWin.Shutdown();
  if (result == 1) GameGiveUpUnsavedGame(leaving);
}

// The game in play could not be saved as the table was left: the player is
// told over the table, in a popup of its own (the toolkit is started for it
// when it is off), as soon as no other popup is open. Return and Escape
// answer Stay: giving the game up takes a click on its button.
void AskAboutUnsavedGame() {
  GameShellState& s = GameShellGetState();
  const bool start = !g_MWin.IsOn();
  if (start && !g_MWin.Startup()) return;
  const char* text = EngLanguagesGetFirstString(s.unsavedLeaving == kGameLeaveProgram ? "Game_SaveFailedExit"
                                                                                       : "Game_SaveFailedLeave");
  g_MWin.PopupSetButtonTexts(EngLanguagesGetFirstString("Game_SaveFailedGiveUp"),
                             EngLanguagesGetFirstString("Game_SaveFailedStay"), nullptr);
  if (!g_MWin.PopupYesNo(EngLanguagesGetFirstString("Game_SaveFailedTitle"), text, AnswerUnsavedGame)) {
    if (start) g_MWin.Shutdown();
    return;
  }
  if (MWinWindow* popup = g_MWin.GetPopupWindow()) {
    if (MWinButton* stay = popup->GetButtonFromID("CANCEL", false)) {
      popup->SetDefaultButton(stay);
      popup->SetEscapeButton(stay);
    }
  }
  s.askingUnsaved = true;
  s.askStartedToolkit = start;
}

}  // namespace

void GenTick() {
  AnimTick();
  g_GenLive.selection.TickFollow();
  GameFramesAskForSelection();
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
      MainStatusTick();
      TutorialTick();
      // The player reading the tutorial is not playing: time and score wait.
      GameTimeWait(TutorialIsOn());
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
  GameTrackKeyLatches();
  g_MWin.Tick();
  if (SavedGameNoticeDue()) TellSavedGameSetAside();
  if (UnsavedGameQuestionDue()) AskAboutUnsavedGame();
  if (WriteFailureNoticeDue()) WriteFailureShowNotices();
  const bool result = GameShellIsWindowOpen() ? GameTickWithWindowOpen() : GameTickNoWindowOpen();
  // A moving pointer changes nothing on a table drawn without the game's own
  // pointer unless cards are carried (which ask for their own frames) or
  // the lesson shows; over a screen it lights what it passes.
  GameDisplaySettings display;
  ResolutionGetForGame(&display);
  EngFramesSetMouseMovesDraw(GameShellIsWindowOpen() || GameGetProgramMode() != kGameModePlaying ||
                             display.cursorType == 0 || TutorialIsOn());
  return result;
}

bool GameIsWorkPending() {
  // A button's callback the toolkit queued runs in its next tick.
  if (g_MWin.IsOn() && g_MWin.GetQueueCount() > 0) return true;
  if (SavedGameNoticeDue() || UnsavedGameQuestionDue() || WriteFailureNoticeDue()) return true;
  // Cards in flight, a deal waiting out its start delay, the first-game
  // offer once they are still: the play tick runs them with no screen open.
  if (GameShellIsWindowOpen() || GameGetProgramMode() != kGameModePlaying) return false;
  return AnimHasWorkForTick() || (GenIsFirstGameOfferPending() && !AnimIsAnimating());
}
