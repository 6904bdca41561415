// Main.cpp - the main menu (see Main.h).
#include "Screens/Main.h"

#include <iterator>

#include "App/DamagedFile.h"
#include "App/Main.h"
#include "App/Score.h"
#include "App/ScoreSystem.h"
#include "App/Splash.h"
#include "App/Stats.h"
#include "App/Tutorial.h"
#include "App/User.h"
#include "Engine/EngDevice.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngWindow.h"
#include "Game/AnimSetup.h"
#include "Game/CardsRender.h"
#include "Game/Decks/LoadCards.h"
#include "Game/GameState.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/UserRecord.h"
#include "Screens/MainPages.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/ScreensHandles.h"
#include "Screens/ScreensImports.h"
#include "Screens/Users.h"

namespace {

constexpr const char* kName = "Main";
constexpr const char* kProductTitle = "Free Cardolia 3D";

#define MAIN_ROW(id, kind, look, text, x, y, w, h, token, text2) \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, 0.9f, 1.2f, 1, token, text2}

const ScreenRow kRows[] = {
    MAIN_ROW("SolTextPic", MWIN_BUT_PUSH, "Back1", "", 9, 4, 189, 36, nullptr, nullptr),
    MAIN_ROW("GamesFull", MWIN_BUT_PANEL, "Panel", "", 9, 43, 189, 431.43f, nullptr, nullptr),
    MAIN_ROW("GameTitle", MWIN_BUT_PUSH, "Back1", "KLONDIKE", 205, 4, 431, 36, nullptr, nullptr),
    MAIN_ROW("TypeBg", MWIN_BUT_PUSH, "Back1", "", 205, 43, 431, 368, nullptr, nullptr),
    MAIN_ROW("Type", MWIN_BUT_CHOICE, "Main", "", 211, 50, 419, 36, nullptr, nullptr),
    MAIN_ROW("NewGame", MWIN_BUT_PUSH, "Main", "New", 307, 415, 73, 57, "Main_NewGame", "Game"),
    MAIN_ROW("ContinueGame", MWIN_BUT_PUSH, "Main", "Continue", 384, 415, 73, 57,
             "Main_ContinueGame", "Game"),
    MAIN_ROW("QuitGame", MWIN_BUT_PUSH, "Main", "Quit", 461, 415, 73, 57, "Main_EndGame", "Game"),
    MAIN_ROW("Options", MWIN_BUT_PUSH, "Main", "Options", 205, 415, 92, 27, "Main_Options", nullptr),
    MAIN_ROW("PlayerChange", MWIN_BUT_PUSH, "Main", "Player", 544, 415, 45.76f, 27,
             "Main_PlayerChange", nullptr),
    MAIN_ROW("About", MWIN_BUT_PUSH, "Main", "About", 544, 444.67f, 45.9f, 27, "Main_About", nullptr),
    MAIN_ROW("Exit", MWIN_BUT_PUSH, "Main", "Exit", 590.1f, 444.67f, 45.9f, 27, "Main_Exit", nullptr),
};
#undef MAIN_ROW

// The game list is shortened so that the splash square fits under it in
// the left column: the square stands 10 in from the list's sides and 40
// below it, as wide as the list less 20.
constexpr float kListHeight = 224.0f;
constexpr int kListRowsPerPage = 14;

struct Handles {
  MWinButton* title = nullptr;
  MWinButton* games = nullptr;
  MWinButton* gameTitle = nullptr;
  MWinButton* typeBg = nullptr;
  MWinButton* type = nullptr;
  MWinButton* newGame = nullptr;
  MWinButton* continueGame = nullptr;
  MWinButton* quitGame = nullptr;
  MWinButton* options = nullptr;
  MWinButton* playerChange = nullptr;
  MWinButton* about = nullptr;
  MWinButton* exit = nullptr;
};
Handles g_h;

// The splash square under the list.
void PlaceSplash() {
  if (!g_h.games) return;
  MWinArea list;
  g_h.games->GetArea(&list, false);
  SplashSetRect(list.x + 10, list.y + list.h + 40, list.w - 20, list.w - 20);
}

}  // namespace

MWinCollection* MainAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void MainCreateCB() { MainAddCollectionToDesktop(); }
void MainClearButtonHandles() { g_h = Handles{}; }

bool MainGetButtonHandles() {
  ScreenLookUp get(kName);
  g_h.title = get("SolTextPic");
  g_h.games = get("GamesFull");
  g_h.gameTitle = get("GameTitle");
  g_h.typeBg = get("TypeBg");
  g_h.type = get("Type");
  g_h.newGame = get("NewGame");
  g_h.continueGame = get("ContinueGame");
  g_h.quitGame = get("QuitGame");
  g_h.options = get("Options");
  g_h.playerChange = get("PlayerChange");
  g_h.about = get("About");
  g_h.exit = get("Exit");
  return get.AllFound();
}

void MainControlStartingCB() { MainControlSetup(true); }

void MainControlTickCB() {
  switch (g_UserRecord.mainPage) {
    case 0: GameControlTickSnapshot(); break;
    case 1: HelpControlTickCB(); break;
    case 3: ScoresControlTickLatestRow(); break;
    default: break;
  }
}

void MainControlSetup(bool showPage) {
  EngWindow* window = EngWindowGetCurrent();
  if (!window || !MainGetButtonHandles()) return;
  CardsShowFacesNormally();
  g_h.type->SetSimpleCallback(MainControlShowPage);
  g_h.playerChange->SetSimpleCallback(MainControlPlayerChangeCB);
  g_h.games->SetSimpleCallback(MainControlListSelectCB);
  g_h.newGame->SetSimpleCallback(MainControlNewGameCB);
  g_h.continueGame->SetSimpleCallback(MainControlContinueGameCB);
  g_h.quitGame->SetSimpleCallback(MainControlEndGameCB);
  g_h.about->SetSimpleCallback(MainControlAboutCB);
  g_h.options->SetSimpleCallback(MainControlOptionsCB);
  g_h.exit->SetSimpleCallback(MainControlExitCB);

  // PlayerChange reaches the right edge of Exit; the list makes room for
  // the splash square.
  MWinArea exit, about, change, list;
  g_h.exit->GetArea(&exit, true);
  g_h.about->GetArea(&about, true);
  g_h.playerChange->GetArea(&change, true);
  g_h.playerChange->SetPos(change.x, change.y, exit.x + exit.w - about.x, change.h);
  g_h.games->GetArea(&list, true);
  g_h.games->SetPos(list.x, list.y, list.w, kListHeight);

  window->SetTitle(kProductTitle);
  g_h.games->PanelSetStringsCallback(kGenNumGames, kListRowsPerPage, MainControlListEntryText);
  g_h.games->PanelSetPos(MainGetCurGameFromOptions(), 0, 0);
  g_h.games->PanelCentreOnPos();
  MainControlRefresh(showPage);
  UsersControlCreateGraphics();
  UsersControlSetupTitlePicture(g_h.title, true);
  g_h.type->ChoiceSetStringsLanguageToken(4, "Main_TypeList");
  g_h.type->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g_UserRecord.mainPage), false);
  if (EngDevice* device = EngDeviceGetCurrent()) device->SetViewportFullScreen();
  if (!SplashIsOn()) {
    SplashSetup("Data\\Main\\0130.dat", "Data\\Main\\0131.dat", "Data\\Main\\0132.dat",
                "Data\\Main\\0133.dat", "Data\\Main\\0134.dat", nullptr, nullptr, nullptr, 0, 0,
                nullptr, [](unsigned) { return false; }, nullptr);
    SplashCreateGraphics();
    SplashStart();
  }
  SplashSkipFadeIn();
  PlaceSplash();
  DamagedFileShowNotices();
}

void MainControlRefresh(bool showPage) {
  if (g_h.gameTitle) g_h.gameTitle->SetText(EngLanguagesGetString("Game_GameList", GenGetCurGame()));
  if (showPage) MainControlShowPage();
  const bool saved = GenSavedGameExists();
  if (g_h.continueGame) g_h.continueGame->SetEnabled(saved);
  if (g_h.quitGame) g_h.quitGame->SetEnabled(saved);
}

void MainControlShowPage() {
  MWinButton* anchor = g_h.exit ? g_h.exit : g_h.about;
  if (!anchor || !anchor->GetParent()) return;
  MWinWindow* window = anchor->GetParent();
  // The buttons after the menu's own rows are the page shown before; its
  // handles go with them.
  ScoresClearButtonHandles();
  StatsClearButtonHandles();
  while (anchor->next_) window->RemoveButton(anchor->next_);
  switch (g_UserRecord.mainPage) {
    case 0:
      GameAddMainWinWindowButtonsToWindowNormal(window);
      GameControlStartingCB();
      break;
    case 1:
      HelpAddMainWinWindowButtonsToWindowNormal(window);
      HelpControlStartingCB();
      break;
    case 2:
      StatsAddMainWinWindowButtonsToWindowNormal(window);
      StatsControlStartingCB();
      break;
    case 3:
      ScoresAddMainWinWindowButtonsToWindowNormal(window);
      ScoresControlStartingCB();
      break;
    default:
      break;
  }
  // A page that read a damaged file says so.
  DamagedFileShowNotices();
}

int MainGetCurGameFromOptions() {
  const int game = g_UserRecord.menuGame;
  return game >= 0 && game < kGenNumGames ? game : kGenNewPlayersMenuGame;
}

const char* MainControlListEntryText(int entry, int) {
  return EngLanguagesGetString("Game_GameList", entry);
}

void MainControlListSelectCB() {
  if (!g_h.games) return;
  g_UserRecord.menuGame = g_h.games->PanelGetPos();
  GenSetCurGame(MainGetCurGameFromOptions());
  MainControlGameChanged();
}

void MainControlGameChanged() {
  MainControlRefresh(true);
  if (CardsDecksIsFourColor() != GenFourColorDeckNeeded()) {
    if (!LoadCardsGenerateCurrentDeckIfNeeded(false, 0)) LoadCardsLoadCardFaces(-1);
  }
  if (ScreensGetCurrent() == g_ScreenHelp) {
    ScreensGoto(g_ScreenMain);
    ScreensGoto(g_ScreenHelp);
  }
}

void MainControlStartCurrentGame(bool resume, unsigned deal) {
  const int game = MainGetCurGameFromOptions();
  ScreensStopCurrent(1);
  MainStartGame(game, resume, deal);
  MainMenuButtonShow(true);
  GameControlSetupAutoplayEntries();
  DecksControlGenerateCurrentDeck();
  AnimSetStartDelay();
  ScoreResetLastAdded();
}

void MainControlNewGameCB() {
  SplashCancel();
  if (GenSavedGameExists() && GenResumeSavedGameIfAny() && !g_GenLive.gameOver) {
    StatsAddCurrentGame(0, 1);
  }
  MainControlStartCurrentGame(false, 0);
  GameTimeReset();
  ScoreResetCurrentScore();
  TutorialRestart();
  g_GenLive.dealtByNumber = 0;
}

void MainControlPlayDealNumber(unsigned deal) {
  if (deal == 0) return;
  if (GenSavedGameExists() && GenResumeSavedGameIfAny() && !g_GenLive.gameOver) {
    StatsAddCurrentGame(0, 1);
  }
  MainControlStartCurrentGame(false, deal);
  GameTimeReset();
  ScoreResetCurrentScore();
  TutorialRestart();
  g_GenLive.dealtByNumber = 1;
}

void MainControlContinueGameCB() {
  SplashCancel();
  MainControlStartCurrentGame(true, 0);
  GameTimeContinue();
  ScoreResetCurrentScore();
}

void MainControlEndGameCB() {
  GenResumeSavedGameIfAny();
  GameTimeContinue();
  ScoreResetCurrentScore();
  StatsAddCurrentGame(0, 1);
  GameTimeReset();
  ScoreResetCurrentScore();
  TutorialRestart();
  GenDeleteSavedGame();
  GenInit();
  MainControlRefresh(true);
  ScoreResetLastAdded();
}

void MainControlPlayerChangeCB() {
  g_UserRecord.alwaysStartWithPlayer = 0;
  g_ScreensImports.GameRememberCurrentScreen();
  UserSave();
  GameSetProgramMode(1);
  ScreensGoto(g_ScreenUsers);
  ScoreResetLastAdded();
}

void MainControlAboutCB() { ScreensGoto(g_ScreenAbout); }
void MainControlOptionsCB() { ScreensGoto(g_ScreenOptions); }
void MainControlExitCB() { g_ScreensImports.GameLeaveProgram(); }

void MainControlRender() {
  if (g_UserRecord.mainPage == 0) GameControlRenderSnapshot();
  SplashRender(0);
}
