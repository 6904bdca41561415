// Shell.cpp - the shell's start-up steps, the active and mode changes,
// the start of play for a player and the shutdown (see Shell.h).
#include "Shell/Shell.h"

#include <cstdio>
#include <cstdlib>

#include "App/FoundationEffects.h"
#include "App/GetFile.h"
#include "App/Main.h"
#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/Sound.h"
#include "App/Stats.h"
#include "App/User.h"
#include "App/WriteFailure.h"
#include "Engine/DX9/ComDxWinTextureCursor.h"
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngScreen.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Game/GameState.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenLights.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSelection.h"
#include "Game/SolCards.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/DeckGen.h"
#include "Screens/Display.h"
#include "Screens/General.h"
#include "Screens/Main.h"
#include "Screens/Modules.h"
#include "Screens/Options.h"
#include "Screens/Pause.h"
#include "Screens/Screens.h"
#include "Screens/ScreensImports.h"
#include "Screens/SolMWin.h"
#include "Shell/ShellLocal.h"

namespace {

constexpr char kProductFolder[] = "Free Cardolia 3D";
constexpr char kPassPhrase[] = "Mplx4QoragZn_265";
constexpr char kCursorFile[] = "Data\\Main\\0151.dat";

GameShellState g_shell;

// The player's light settings, as the lights module holds them: a reference
// to this pointer.
LightSettings* g_lightSettings = &g_UserRecord.lights;

bool PickRay(float screenX, float screenY, float planeZ, float* x, float* y) {
  EngDevice* device = EngDeviceGetCurrent();
  return device && device->ScreenPointToPlaneZ(screenX, screenY, planeZ, x, y);
}

// The module configuration: bytes 0 (player pictures), 1 (first texture
// switch) and 20 (splash with the player pictures) on.
void MakeModulesConfig(std::int32_t* words) {
  unsigned char bytes[40] = {};
  bytes[0] = 1;
  bytes[1] = 1;
  bytes[20] = 1;
  for (int i = 0; i < 10; ++i) {
    words[i] = static_cast<std::int32_t>(bytes[4 * i] | bytes[4 * i + 1] << 8 |
                                         bytes[4 * i + 2] << 16 |
                                         static_cast<unsigned>(bytes[4 * i + 3]) << 24);
  }
}

// The display settings' volume pulse at the start of play: down by 1.5 and
// back, three times, 0.1 s between the applications.
void PulseVolume() {
  for (int i = 0; i < 3; ++i) {
    g_UserRecord.soundVolume /= 1.5f;
    SoundSetVolume();
    EngMiscWait(0.1f);
    g_UserRecord.soundVolume *= 1.5f;
    SoundSetVolume();
    if (i < 2) EngMiscWait(0.1f);
  }
}

}  // namespace

GameShellState& GameShellGetState() { return g_shell; }

int GameShellScreen(const char* collection) { return ScreensGetScreenId(collection); }

bool GameShellIsWindowOpen() { return g_MWin.IsOn(); }

void GameShellGotoScreen(const char* collection) {
  const int screen = ScreensGetScreenId(collection);
  if (screen < 0) {
    DebugError("GameShellGotoScreen", "Screen not available <%s>", collection);
    return;
  }
  if (GameShellIsWindowOpen()) {
    ScreensGoto(screen);
  } else {
    ScreensStart(screen);
  }
}

void GameShellResetForTests() {
  g_shell = GameShellState();
  GameStateResetForTests();
  GameCamerasResetForTests();
}
void GameShellSetVolumePulseForTests(bool on) { g_shell.volumePulse = on; }

// ---- Start-up ------------------------------------------------------------------------

bool GameSetupLogLanguagesAndFolders() {
  PrefFolderSetup(kProductFolder, true, "LogFile.txt");
  if (!EngLanguagesInit("./Languages", "English")) {
    DebugError("GameSetupLogLanguagesAndFolders", "Could not read the languages");
    return false;
  }
  std::int32_t config[10];
  MakeModulesConfig(config);
  if (!ModulesSetup(config, GameGetModulesItemFilenameCB)) return false;
  if (!ModulesSetLightSettings(&g_lightSettings)) return false;
  GenSetLightSettings(&g_UserRecord.lights);
  return true;
}

bool GamePreDeviceInit() {
  GenGameLayoutsLoad();
  GameCamerasSetDefaults(-1);
  GameLogResolutionSettings(0);
  EngEncryptionInit(kPassPhrase);
  EffectsInit();
  SolMWinSetupTexturesAndTexButs();
  SolMWinSetupStyle();
  // The card module's start: the deck module, the face generator and the
  // program's card binding.
  CardsInit();
  CardsDecksInit();
  CardsGenerateInit();
  SolCardsSetup();
  // The animation glue: the player's speed, and slot 0's end hook, which
  // records the finished move in the undo history and runs the autoplay.
  AnimInit();
  GenSetPickRayCB(PickRay);
  GenSetAfterWinHandlers(GameStartCelebration, GameReturnToMainMenu);
  GameSetProgramMode(kGameModeBeforeDevice);
  GameDisplaySettings display;
  ResolutionGetForGame(&display);
  if (display.cursorType == 0) {
    ComDxWinSetupTextureCursor(nullptr, kCursorFile, 2, 2, 14, 20, true, 0, 0);
  }
  return true;
}

bool GamePostDeviceInit() {
  GameLogResolutionSettings(1);
  GameAfterModeChange();
  if (!ScreensSetup()) return false;
  GameSetProgramMode(kGameModeStartScreen);
  const int users = ScreensGetScreenId("Users");
  if (users >= 0) ScreensStart(users);
  return true;
}

void GameLogResolutionSettings(int n) {
  GameDisplaySettings r;
  ResolutionGetForGame(&r);
  const bool windowed = r.windowed != 0;
  DebugPlain("-----------------------------------------------------------------");
  DebugPlain(
      "RESOLUTION%d: [Windowed: %d  W:%d  H:%d  B:%d  MST: %d  MSQ: %d  MST2: [W:%d,FS:%d]  "
      "MSQ2: [W:%d,FS:%d] SM: %d  CT: %d]",
      n + 1, r.windowed, windowed ? r.windowWidth : r.fullWidth,
      windowed ? r.windowHeight : r.fullHeight, windowed ? r.windowBits : r.fullBits,
      windowed ? r.windowMsType : r.fullMsType, windowed ? r.windowMsQuality : r.fullMsQuality,
      r.windowMsType, r.fullMsType, r.windowMsQuality, r.fullMsQuality, r.mouseSync,
      r.cursorType);
  DebugPlain("-----------------------------------------------------------------");
}

// ---- Mode and active changes ----------------------------------------------------------

void GameAfterModeChange() {
  if (EngDevice* device = EngDeviceGetCurrent()) {
    device->EnableLighting();
    device->EnableDepthTest(true);
    device->DisableBlending();
  }
  MainUpdatePreviewViewports();
  GameSetNearView(-1);
  if (GameGetProgramMode() == kGameModeMainMenu) {
    GameCameraApplyPreset(kGameCameraMainMenu);
  } else {
    GameCameraApplyPreset(-1);
  }
  GameApplyCameraAndRefreshScene();
  if (GameGetProgramMode() == kGameModeMainMenu && GameShellIsWindowOpen()) MainControlShowPage();
  if (GameShellIsWindowOpen()) OptionsControlAfterModeChange();
}

void GameOnActiveChanged(bool active) {
  const int pause = ScreensGetScreenId("Pause");
  if (!active) {
    if (GameGetProgramMode() == kGameModePlaying && !GameShellIsWindowOpen() &&
        !AnimGameOverIsRunning()) {
      GameMenuPause();
    }
    return;
  }
  if (pause >= 0 && GameShellIsWindowOpen() && EngScreenGetCurrent() == pause) {
    PauseControlResumeCB();
  }
}

// ---- Start and end of play --------------------------------------------------------------

void GameStartForUser() {
  GenSetCurGame(MainGetCurGameFromOptions());
  if (!GameLoadGraphicsLoop()) {
    EngShowPrematureTerminationBox();
    std::exit(-1);
  }
  SoundInit();
  GenInit();
  GameSetProgramMode(kGameModeMainMenu);
  MainStartMenuCardAnim(true);
  GenSetCurGame(MainGetCurGameFromOptions());
  GameSetCardSoundCB();
  GeneralControlApplyLanguage();
  DisplayControlBatteryCB();
  StatsCheckFileOk();
  if (g_shell.volumePulse) PulseVolume();
  GameShellGotoScreen("Main");
  GameDisplaySettings display;
  ResolutionGetForGame(&display);
  if (display.showAbout == 1) {
    GameShellGotoScreen("About");
    ResolutionSetShowAbout(2);
  }
  GameLogStartState();
}

void GameLogStartState() {
  DebugPlain(
      "START STATE: [Encryption: %d  Languages: %d  Layouts: %d  Toolkit: %d  Screens: %d  "
      "Sound: %d  Game: %d  AnimSpeed: %.2f  PlayerAnimSpeed: %.2f  AnimEndHook: %d]",
      EngEncryptionIsSetUp() ? 1 : 0, EngLanguagesGetNumLanguages(), GenGameLayoutsIsLoaded() ? 1 : 0,
      g_MWin.IsOn() ? 1 : 0, EngScreenGetNumScreens(), SoundIsLoaded() ? 1 : 0, g_GenLive.ready ? 1 : 0,
      static_cast<double>(CardsGetAnimSpeedScale()), static_cast<double>(g_UserRecord.animSpeed),
      CardsAnimGetOnEndOrCancelCB(0) == AnimEndOrCancelCB ? 1 : 0);
}

void GameStartCelebration(float speed) { AnimGameOverStart(speed); }

void GameRememberCurrentScreen() {
  g_UserRecord.rememberedMode = static_cast<uint8_t>(GameGetProgramMode());
  g_UserRecord.rememberedScreen = GameShellIsWindowOpen() ? EngScreenGetCurrent() : -1;
}

namespace {

// What the end of a run writes: the game in play, the mode and the screen,
// the settings and the player (with the game's clock and running score).
void SaveForTheEnd() {
  if (GenIsGameInProgress()) GenSaveGameInProgress();
  if (GameGetProgramMode() == kGameModeDeckGenerator) DeckGenControlDiscardEdits();
  GameRememberCurrentScreen();
  ResolutionUpdateSettingsFromCurrent();
  ResolutionWriteFile();
  if (UserIsLoaded()) UserSave();
}

}  // namespace

void GameLeaveProgram() {
  // Written while the window is up, a file that cannot be written is told
  // before it closes; the shutdown then writes nothing again. The run ends
  // here, so the settings on disk no longer ask for the start-up dialog.
  ResolutionSetRunInProgress(false);
  SaveForTheEnd();
  g_shell.savedForLeaving = true;
  g_shell.leavingAfterNotice = WriteFailureGetPendingCount() > 0;
  WriteFailureRunAfterNotices(EngMiscCloseDown);
}

void GameShutdown() {
  if (!g_shell.savedForLeaving) SaveForTheEnd();
  SoundShutdown();
  GetFileSetDefaults();
  g_MWin.Cleanup();
  StatsFreeDayStats();
}

void GameSaveWhenDisplayLost() {
  DebugNote("DISPLAY LOST");
  if (GenIsGameInProgress() && GenSaveGameInProgress()) DebugNote("The game in play is saved");
  // The game's clock and running score are the player's per-game options:
  // a saved game continues from them.
  if (UserIsLoaded() && UserSave()) DebugNote("The player is saved");
}

void GameLogRefusedDisplayRequest(const char* text) { DebugError("GameLogRefusedDisplayRequest", "%s", text); }

bool GameInputEventCB(int kind, int value1, int value2) {
  // Any input, keys and the wheel as much as the mouse, is a player at play:
  // the idle pause counts its minute from here.
  GameResetIdleTimer();
  const bool taken = g_MWin.HandleInputEvent(kind, value1, value2);
  if (kind == 1) GameHandleMouseMove(value1, value2);
  if (taken) return true;
  if (kind == 2) return GameHandleMouseButton(value1, value2);
  return false;
}
