// ShellGraphics.cpp - the game's graphics: creation in the program's
// create-graphics callback, the staged loading loop with its progress text,
// and the release before the device goes (see Shell.h).
//
// Graphics objects are made again after every device re-creation, so all of
// them are created here and freed in GameFreeGraphics, never elsewhere.
#include <cmath>
#include <cstdio>

#include "App/Battery.h"
#include "App/FoundationEffects.h"
#include "App/Main.h"
#include "App/Tutorial.h"
#include "App/User.h"
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngScreen.h"
#include "Engine/EngTexture.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/LoadCards.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/SolCards.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/DeckGen.h"
#include "Screens/Decks/DecksScreen.h"
#include "Screens/Decks/SetsScreens.h"
#include "Screens/SolMWin.h"
#include "Screens/Users.h"
#include "Shell/Shell.h"
#include "Shell/ShellLocal.h"

namespace {

constexpr char kGameFontFile[] = "Data\\Main\\0100.dat";
constexpr char kScoreFontFile[] = "Data\\Main\\0152.dat";
constexpr char kScoreBackgroundFile[] = "Data\\Main\\0135.dat";
constexpr char kBatteryGaugeFile[] = "Data\\Main\\0138.dat";
constexpr int kLastCardStep = 72;      // steps 3-72 load the card graphics items
constexpr int kDeckScreensStep = 73;
constexpr int kBoardScreenStep = 74;
constexpr float kProgressSteps = 0.75f;  // step / 0.75 = percent

// Created in GameCreateGraphics (the score font and background once a
// player is loaded), released in GameFreeGraphics.
struct GameGraphics {
  bool fontCreated = false;  // the game font (GameGetFont, the toolkit's font 0)
  EngFont scoreFont;
  EngTexture scoreBackground;
  bool playCreated = false;  // the graphics of play beyond the player screens
};

GameGraphics& Graphics() {
  static GameGraphics graphics;
  return graphics;
}

// The loading-text button of the screen now shown, when it is one of the
// player-loading screens and the button exists.
MWinButton* LoadingTextButton() {
  if (!GameShellIsWindowOpen()) return nullptr;
  const int current = EngScreenGetCurrent();
  if (current < 0) return nullptr;
  if (current == GameShellScreen("Users")) {
    return g_MWin.GetButtonFromIDs("Users", "MainWin", "LoadProgress");
  }
  if (current == GameShellScreen("UserLoad")) {
    return g_MWin.GetButtonFromIDs("UserLoad", "MainWin", "LoadProgress");
  }
  if (current == GameShellScreen("UserNew")) {
    return g_MWin.GetButtonFromIDs("UserNew", "MainWin", "Continue");
  }
  return nullptr;
}

// The progress text after a step, on the loading screen's button, at most
// ten times a second (and always after step 75).
void ShowProgress(int step) {
  GameShellState& s = GameShellGetState();
  const double now = EngProgramGetCurrentSeconds();
  if (!GameShellIsWindowOpen()) return;
  if (!(now - s.lastProgressTime > 0.1 || step == 75)) return;
  char text[128];
  GameFormatLoadingProgress(step, g_UserRecord.name, text, sizeof(text));
  if (MWinButton* button = LoadingTextButton()) {
    button->SetText(text);
    EngMiscRenderFrameNow(true, true);
  }
  s.lastProgressTime = now;
}

// What play needs beyond the player screens, made once a player is loaded:
// the score font and background, the battery gauge, the Menu button and
// the status corners.
void CreatePlayGraphics() {
  GameGraphics& g = Graphics();
  if (g.playCreated) return;
  if (!g.scoreFont.IsValid()) {
    g.scoreFont.Create(kScoreFontFile, 1, 32, 32, 126, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f,
                       true);
  }
  if (!g.scoreBackground.LoadFromFile(kScoreBackgroundFile, 1, 7)) {
    DebugError("GameCreateGraphics", "Could not load score bg texture");
  }
  BatterySetTextureFilename(kBatteryGaugeFile);
  BatteryCreateGraphics();
  MainCreateGraphics();
  g.playCreated = true;
}

// The loading steps and the view as it was after them. Only a player's
// first load shows its progress on the loading screen: a device made anew
// loads the same steps again, and the screen shown then (the player
// selection reached from the menu, New Player, Load Player) keeps its own
// buttons.
bool LoadGraphics(bool showProgress) {
  // Graphics belong to a device: without one (a headless run) there is
  // nothing to load.
  if (!UserIsLoaded() || !EngDeviceGetCurrent()) return true;
  CreatePlayGraphics();
  if (MWinButton* button = showProgress ? LoadingTextButton() : nullptr) {
    button->Show();
    EngMiscRenderFrameNow(true, true);
    EngMiscRenderFrameNow(true, true);
  }
  GameShellGetState().lastProgressTime = -1;
  for (int step = 0;; ++step) {
    const int result = GameCreateGraphicsStep(step, 1);
    if (result < 0) {
      if (EngProgram* program = EngProgramGetCurrent()) {
        program->ExitWithMessage("Error", "Internal Error 0x03");
      }
      return false;
    }
    if (showProgress) ShowProgress(step);
    if (result == 0) break;
  }
  // The view as it was: near view, camera, scene, the board's background and
  // the after-mode-change step.
  GameSetNearView(-1);
  GameCameraApplyPreset(-1);
  GameApplyCameraAndRefreshScene();
  SetsControlReloadBackground();
  GameAfterModeChange();
  return true;
}

}  // namespace

void GameFormatLoadingProgress(int step, const char* player, char* out, int size) {
  if (!out || size <= 0) return;
  const float percent = static_cast<float>(step) / kProgressSteps;
  char number[16];
  if (percent < 1.0f) {
    std::snprintf(number, sizeof(number), "1");
  } else {
    std::snprintf(number, sizeof(number), "%d", static_cast<int>(std::lround(percent)));
  }
  std::snprintf(out, static_cast<std::size_t>(size), "Loading...");
  char built[128];
  if (EngLanguagesGetStringWithParams("Game_LoadingPlayer", player ? player : "", number, built,
                                      sizeof(built))) {
    std::snprintf(out, static_cast<std::size_t>(size), "%s", built);
  }
}

EngFont* GameShellFont() { return Graphics().fontCreated ? GameGetFont() : nullptr; }
EngFont* GameShellScoreFont() { return &Graphics().scoreFont; }

const char* GameGetModulesItemFilenameCB(int item) {
  switch (item) {
    case 0:
      return "Data\\Main\\0160.dat";
    case 1:
      return "Data\\Main\\0157.dat";
    default:
      DebugError("GameGetModulesItemFilenameCB", "Unexpected item %d", item);
      return "";
  }
}

bool GameCreateFont() {
  GameGraphics& g = Graphics();
  if (g.fontCreated && GameGetFont()->IsValid()) return true;
  if (!SolMWinCreateFontApart(0, kGameFontFile, GameGetFont())) {
    DebugError("GameCreateFont", "SolMWinCreateFontApart() failed");
    return false;
  }
  g.fontCreated = true;
  return true;
}

int GameCreateGraphicsStep(int step, int) {
  GameShellState& s = GameShellGetState();
  switch (step) {
    case 0:
      s.deckNeedsGenerating = false;
      return 1;
    case 1:
      s.deckNeedsGenerating = LoadCardsGenerateCurrentDeckIfNeeded(true, 0);
      return 1;
    case 2:
      if (s.deckNeedsGenerating && !LoadCardsGenerateCurrentDeckIfNeeded(false, 0)) {
        DebugError("GameCreateGraphicsStep", "Could not generate deck");
        return -1;
      }
      return 1;
    case kDeckScreensStep:
      DecksControlCreateGraphics();
      DeckGenControlCreateGraphics();
      return 1;
    case kBoardScreenStep:
      SetsControlCreateGraphics();
      return 1;
    default:
      break;
  }
  if (step >= 3 && step <= kLastCardStep) {
    if (!SolCardsCreateGraphics(step - 3)) {
      DebugError("GameCreateGraphicsStep", "Could not load cards [%d]", step - 3);
      return -1;
    }
    return 1;
  }
  return 0;
}

bool GameLoadGraphicsLoop() { return LoadGraphics(true); }

bool GameCreateGraphics() {
  // The game's font first: it is the toolkit's "Main" font, and the
  // toolkit lays its buttons out again (script texts counting their lines
  // in it) as it makes its own graphics.
  if (!GameCreateFont()) {
    DebugError("GameCreateGraphics", "Could not create font");
    return false;
  }
  g_MWin.CreateGraphicsObjects();
  EffectsCreateGraphics();
  AnimGameOverCreateGraphics();
  TutorialCreateGraphics();
  UsersControlCreateGraphics();
  return LoadGraphics(false);
}

void GameFreeGraphics() {
  GameGraphics& g = Graphics();
  GameGetFont()->Release();
  g.fontCreated = false;
  g.scoreFont.Release();
  g.scoreBackground.Release();
  g.playCreated = false;
  EffectsFreeGraphics();
  AnimGameOverFreeGraphics();
  SolCardsFreeGraphics();
  UsersControlReleaseGraphics();
  DecksControlReleaseGraphics();
  DeckGenControlReleaseGraphics();
  SetsControlReleaseGraphics();
  BatteryFreeGraphics();
  MainFreeGraphics();
  TutorialFreeGraphics();
  BoardReleaseTextures();
  g_MWin.DestroyGraphicsObjects();
}
