// ShellInput.cpp - the table's mouse handling, the in-game keys and the
// in-game commands they run (see Shell.h).
//
// Keys are read from the key-state table once per tick, not from key
// events, so a held key would repeat every frame: each key is latched when
// it is seen down and counts again only after it was seen up. The latches
// follow the table on every tick, also while a toolkit screen is up (when
// the keys themselves are not read): a key let go under a screen counts at
// its next press in play, and a key pressed under a screen was the
// screen's, so it does not act again in play while it is held.
#include <cstdio>

#include "App/Main.h"
#include "App/ScoreSystem.h"
#include "App/Stats.h"
#include "App/Tutorial.h"
#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngProgram.h"
#include "Engine/EngScreen.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenGame.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSelection.h"
#include "Game/GenSelectionLocal.h"
#include "Game/GenUndo.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/SetsScreens.h"
#include "Screens/GamePage.h"
#include "Screens/InGame.h"
#include "Screens/Popup.h"
#include "Screens/Screens.h"
#include "Screens/ScreensImports.h"
#include "Shell/Shell.h"
#include "Shell/ShellLocal.h"

namespace {

// Virtual-key codes of the key-state table.
constexpr int kKeyTab = 0x09;
constexpr int kKeyReturn = 0x0D;
constexpr int kKeyShift = 0x10;
constexpr int kKeyControl = 0x11;
constexpr int kKeyEscape = 0x1B;
constexpr int kKeyF1 = 0x70;
constexpr int kKeyDown = 2;

// The 640 x 480 corner where a click opens the in-game menu (the slightly
// larger one that highlights it is GameMenuCornerHolds).
constexpr float kMenuCornerX = 580, kMenuCornerY = 20;

bool IsDown(const std::uint8_t* keys, int key) { return keys[key] == kKeyDown; }

// True once per press of key (latched until it is seen up again).
bool Pressed(const std::uint8_t* keys, int key) {
  std::uint8_t& latch = GameShellGetState().keyLatch[key];
  if (!IsDown(keys, key)) {
    latch = 0;
    return false;
  }
  if (latch) return false;
  latch = 1;
  return true;
}

// A message for 1.5 s; the toolkit is started for it when it is off and
// shut down again afterwards.
void ShowTimedMessage(const char* text) {
  if (g_MWin.IsOn()) {
    if (!g_MWin.IsPopupOpen()) g_MWin.PopupMessageForTime("", text, 1.5f);
    return;
  }
  if (!g_MWin.Startup()) return;
  g_MWin.PopupMessageForTime("", text, 1.5f);
  g_MWin.Shutdown();
}

bool GameIsOver() { return g_GenLive.gameOver != 0; }

// Saves the game in play before the table is left. When that fails the game
// stays in play: the player is told and asked (ShellTick.cpp) whether to
// give it up, and may leave again once the save can be made.
bool SaveBeforeLeaving(int leaving) {
  if (!GenIsGameInProgress() || GenSaveCurrentGame()) return true;
  GameShellGetState().unsavedLeaving = leaving;
  return false;
}

// From the table to the main menu. The game lives in its saved file now (or
// was given up): the menu may reset the record or choose another game, and
// nothing of it is saved again until a resume. Its lesson ends with it.
void LeaveTable() {
  GenSetGameInProgress(false);
  TutorialStop();
  GenSelEndAllAnimations();
  GameSetProgramMode(kGameModeMainMenu);
  GameApplyCameraAndRefreshScene();
  GameShellGotoScreen("Main");
}

// The in-game menu is the screen shown.
bool InGameMenuIsUp() {
  const int menu = GameShellScreen("InGame");
  return GameShellIsWindowOpen() && menu >= 0 && EngScreenGetCurrent() == menu;
}

}  // namespace

void GameTrackKeyLatches() {
  const std::uint8_t* keys = EngWindowGetKeyStates();
  if (!keys) return;
  std::uint8_t* latch = GameShellGetState().keyLatch;
  const bool screen = GameShellIsWindowOpen();
  for (int key = 0; key < 256; ++key) {
    if (!IsDown(keys, key)) {
      latch[key] = 0;
    } else if (screen) {
      latch[key] = 1;
    }
  }
}

// ---- Mouse ------------------------------------------------------------------------

bool GameHandleMouseButton(int button, int down) {
  GameShellState& s = GameShellGetState();
  if (GameGetProgramMode() != kGameModePlaying) return false;
  const uint8_t bit = button >= 0 && button < 8 ? static_cast<uint8_t>(1u << button) : 0;
  if (GameShellIsWindowOpen()) {
    // A press beside the in-game menu (the toolkit takes only the menu's
    // own area) closes it; neither the press nor its release reach the
    // table.
    if (!down || !InGameMenuIsUp()) return false;
    InGameControlClose();
    s.swallowRelease |= bit;
    return true;
  }
  if (!down && (s.swallowRelease & bit)) {
    s.swallowRelease &= static_cast<uint8_t>(~bit);
    return true;
  }
  if (down) s.swallowRelease &= static_cast<uint8_t>(~bit);  // a release that never came
  GameResetIdleTimer();
  if (TutorialHandleMouse(button, down)) return true;
  if (g_UserRecord.swapMouseButtons && (button == 0 || button == 1)) button = 1 - button;
  float pointerVX = 0, pointerVY = 0;
  GameGetPointerVirtual(&pointerVX, &pointerVY);
  if (button == 0 && down && pointerVX > kMenuCornerX && pointerVY < kMenuCornerY) {
    GameMenuShowInGameMenu();
    return false;
  }
  if (GameIsOver()) {
    // A finished game (the celebration, or the won table) waits for a click.
    if (down) GameMenuExitToMainMenu();
    return false;
  }
  GenHandleSelection(button, down, 0);
  if (!down) ScoreUpdateCurrentScore();
  return false;
}

void GameHandleMouseMove(int x, int y) {
  GameShellState& s = GameShellGetState();
  const EngScreenMode& mode = EngWindowGetScreenMode();
  s.pointerX = static_cast<float>(x);
  s.pointerY = static_cast<float>(y);
  const float pointerVX = s.pointerX * mode.xInvScale;
  const float pointerVY = s.pointerY * mode.yInvScale;
  GameSetPointerVirtual(pointerVX, pointerVY);
  GameResetIdleTimer();
  if (GameGetProgramMode() != kGameModePlaying) return;
  if (!TutorialIsOn()) GenSetPointer(s.pointerX, s.pointerY);
  // Entering the corner arms the Menu button (it opens the in-game menu
  // once the pointer rests there); leaving it disarms it. Not under a
  // screen: the menu would be asked for over it.
  const bool hot = GameMenuCornerHolds(pointerVX, pointerVY) && !GameShellIsWindowOpen();
  if (hot && !s.menuCornerHot) MainMenuButtonShow(false);
  if (!hot && s.menuCornerHot) MainMenuButtonRelease();
  s.menuCornerHot = hot;
}

// ---- In-game commands ------------------------------------------------------------

void GameMenuNewGame() {
  if (AnimGameOverGetEffect() >= 0) AnimGameOverEnd(0);
  GenNewGameFromNewCommand();
  GameSetProgramMode(kGameModePlaying);
  if (TutorialGetOnFlag()) TutorialRestart();
}

void GameMenuUndo() {
  if (GameIsOver() || AnimIsAnimating() || AnimGameOverIsRunning()) return;
  int marked = 0;
  const bool can = GenUndoCanUndo(&marked);
  if (marked && g_UserRecord.undoLevel == 1) {
    // The undo would step into a state the player chose not to undo into:
    // play goes on, and the explanation is shown while the player wants it.
    if (g_UserRecord.undoQuestion) {
      PopupControlSetUndoMessage();
      GameShellGotoScreen("Popup");
    }
    return;
  }
  if (can) GenUndo();
}

void GameMenuRedo() {
  if (GameIsOver() || AnimIsAnimating() || AnimGameOverIsRunning()) return;
  GenRedo();
}

void GameMenuHelp() {
  GameTimePause();
  GameShellGotoScreen("Help");
}

void GameMenuOptions() {
  if (GameShellIsWindowOpen()) g_UserRecord.optionsPage = 0;
  GameShellGotoScreen("Options");
}

void GameMenuPause() {
  GameTimePause();
  GameShellGotoScreen("Pause");
}

void GameMenuChangeAutoplay() {
  char text[128] = "";
  if (!GameControlCycleAutoplayLevel(text)) {
    ShowTimedMessage(EngLanguagesGetFirstString("Game_NoAutoplay"));
    return;
  }
  ShowTimedMessage(text);
}

void GameMenuExitToMainMenu() {
  if (GameShellIsWindowOpen()) ScreensStopCurrent(1);
  if (AnimGameOverGetEffect() >= 0) AnimGameOverEnd(0);
  GameTimeUpdate(true);
  if (!SaveBeforeLeaving(kGameLeaveToMenu)) return;
  LeaveTable();
}

void GameMenuExit() {
  if (GameGetProgramMode() == kGameModePlaying) {
    GameTimeUpdate(true);
    if (!SaveBeforeLeaving(kGameLeaveProgram)) return;
    // Saved: the shutdown has nothing of it to save again.
    GenSetGameInProgress(false);
  }
  GameLeaveProgram();
}

void GameGiveUpUnsavedGame(int leaving) {
  // Given up, the game counts as lost; its older save is a state the player
  // has played past and goes with it.
  StatsAddCurrentGame(0, 1);
  GenDeleteSavedGame();
  GenSetGameInProgress(false);
  if (leaving == kGameLeaveProgram) {
    GameLeaveProgram();
  } else {
    LeaveTable();
  }
}

void GameReturnToMainMenu() { GameMenuExitToMainMenu(); }

void GameMenuShowInGameMenu() {
  if (GameShellIsWindowOpen()) {
    DebugError("GameMenuShowInGameMenu", "Mui already on");
    return;
  }
  GameShellGotoScreen("InGame");
}

void GameMenuCamera(int code) {
  if (code < 0) return;
  if (code == 10) {
    GameTimePause();
    GameShellGotoScreen("Cameras");
    GameCameraApplyPreset(-1);
    GameApplyCameraAndRefreshScene();
    return;
  }
  if (code > 9) return;
  g_UserRecord.currentCamera = code;
  GameCameraApplyPreset(code);
  GameApplyCameraAndRefreshScene();
}


void GenClickDeck() {
  if (!g_GenLive.ready || !g_GenLive.deckInUse || GenIsCarrying()) return;
  const CardGroup& deck = g_GenLive.deck;
  // The click is made at the deck's top card (its place already holds the
  // pile's position); the player's pointer is back where it was afterwards,
  // so F still means the card under it.
  const GenPointerState pointer = GenSelPointer();
  GenSetPointerTablePoint(deck.GetTopCardX(), deck.GetTopCardY());
  GenHandleSelection(1, 1, 0);
  GenHandleSelection(1, 0, 0);
  GenSelPointer() = pointer;
}

// ---- Keys -----------------------------------------------------------------------------

void GameInGameKeys() {
  if (GameShellIsWindowOpen()) return;
  std::uint8_t* keys = EngWindowGetKeyStates();
  if (!keys) return;
  const bool control = IsDown(keys, kKeyControl);
  const bool shift = IsDown(keys, kKeyShift);
  if (control) {
    if (Pressed(keys, 'N')) GameMenuNewGame();
    if (Pressed(keys, 'Z')) GameMenuUndo();
    if (Pressed(keys, 'Y')) GameMenuRedo();
    for (int digit = 0; digit <= 9; ++digit) {
      if (Pressed(keys, '0' + digit)) {
        g_UserRecord.currentBoard = digit;
        SetsControlLoadBoard(digit);
        GameUpdateBackgroundColour();
      }
    }
    return;
  }
  if (shift) {
    if (Pressed(keys, 'D') && DecksIsCurrentDeckUserDeck()) {
      GameSetProgramMode(kGameModeDeckGenerator);
      GameShellGotoScreen("DeckGen");
    }
    if (Pressed(keys, 'B') && g_UserRecord.currentBoard >= 14) GameShellGotoScreen("SetsEdit");
    return;
  }
  // Return answers the lesson's box as its button does.
  if (Pressed(keys, kKeyReturn) && TutorialPressFirstButton()) return;
  // R opens the rules as F1 does (the lesson's last box names it).
  const bool f1 = Pressed(keys, kKeyF1);
  if (Pressed(keys, 'R') || f1) {
    GameMenuHelp();
    return;
  }
  for (int digit = 0; digit <= 9; ++digit) {
    if (Pressed(keys, '0' + digit)) GameMenuCamera(digit);
  }
  if (Pressed(keys, 'O')) {
    GameMenuOptions();
    return;
  }
  if (Pressed(keys, 'K')) {
    // The Keys screen closes on K: this press is used up.
    keys[int{'K'}] = 0;
    GameTimePause();
    GameShellGotoScreen("Keys");
    return;
  }
  if (Pressed(keys, 'P')) {
    // The pause screen resumes on P: this press is used up.
    keys[int{'P'}] = 0;
    GameMenuPause();
    return;
  }
  if (Pressed(keys, 'A')) GameMenuChangeAutoplay();
  if (Pressed(keys, 'S')) {
    g_UserRecord.swapMouseButtons = g_UserRecord.swapMouseButtons ? 0 : 1;
    ShowTimedMessage(EngLanguagesGetFirstString(
        g_UserRecord.swapMouseButtons ? "Game_MouseButtonsSwapped" : "Game_MouseButtonsNormal"));
  }
  if (Pressed(keys, kKeyTab)) GenClickDeck();
  if (Pressed(keys, 'F')) GenSendClickedCardToFoundation();
  if (Pressed(keys, kKeyEscape)) GameMenuExitToMainMenu();
}
