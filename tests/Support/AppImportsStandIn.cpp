// AppImportsStandIn.cpp - the tests' screens and decks (see
// AppImportsStandIn.h).
#include "tests/Support/AppImportsStandIn.h"

int g_ScreenMain = 4;

namespace {

AppImportCallsForTests g_calls;
int g_current = -1;

}  // namespace

int ScreensGetCurrent() { return g_current; }
void MainControlContinueGameCB() { ++g_calls.continueGame; }
void MainControlNewGameCB() { ++g_calls.newGame; }
void ModulesSetDefaultLightSettings() { ++g_calls.lightDefaults; }
void ModulesSetDefaultBoard() { ++g_calls.boardDefaults; }

const AppImportCallsForTests& AppImportsGetCallsForTests() { return g_calls; }
AppImportCallsForTests& AppImportsCallsToCountForTests() { return g_calls; }
void AppImportsResetForTests() {
  g_calls = AppImportCallsForTests();
  g_current = -1;
  g_ScreenMain = 4;
}
void AppImportsSetCurrentScreenForTests(int screen) { g_current = screen; }
