// AppImportsStandIn.cpp - the tests' screens and decks (see
// AppImportsStandIn.h).
#include "tests/Support/AppImportsStandIn.h"

int g_ScreenMain = 4;

namespace {

AppImportCallsForTests gCalls;
int gCurrent = -1;

}  // namespace

int ScreensGetCurrent() { return gCurrent; }
void MainControlContinueGameCB() { ++gCalls.continueGame; }
void MainControlNewGameCB() { ++gCalls.newGame; }
void ModulesSetDefaultLightSettings() { ++gCalls.lightDefaults; }
void ModulesSetDefaultBoard() { ++gCalls.boardDefaults; }

const AppImportCallsForTests& AppImportsGetCallsForTests() { return gCalls; }
AppImportCallsForTests& AppImportsCallsToCountForTests() { return gCalls; }
void AppImportsResetForTests() {
  gCalls = AppImportCallsForTests();
  gCurrent = -1;
  g_ScreenMain = 4;
}
void AppImportsSetCurrentScreenForTests(int screen) { gCurrent = screen; }
