// ScreensFills.cpp - fills the player data's import table with the screens'
// functions (see ScreensFills.h).
#include "Screens/ScreensFills.h"

#include "App/AppImports.h"
#include "Screens/Decks/Publish.h"
#include "Screens/GamePage.h"
#include "Screens/Main.h"
#include "Screens/Modules.h"
#include "Screens/Scores.h"
#include "Screens/Screens.h"

void ScreensFillAppImports() {
  AppImports& t = g_AppImports;
  t.ScreensGetCurrent = ScreensGetCurrent;
  t.ScreensGetScreenId = ScreensGetScreenId;
  t.MainControlContinueGameCB = MainControlContinueGameCB;
  t.MainControlNewGameCB = MainControlNewGameCB;
  t.GameControlUpdateSnapshotViewport = GameControlUpdateSnapshotViewport;
  t.ScoresControlStartingCB = ScoresControlStartingCB;
  t.ScoresControlShowInternetWait = ScoresControlShowInternetWait;
  t.ScoresControlHideInternetWait = ScoresControlHideInternetWait;
  t.ModulesSetDefaultLightSettings = ModulesSetDefaultLightSettings;
  t.ModulesSetDefaultBoard = ModulesSetDefaultBoard;
  t.PublishDoFtpInternetTest = PublishDoFtpInternetTest;
}
