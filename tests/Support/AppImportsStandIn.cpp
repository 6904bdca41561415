// AppImportsStandIn.cpp - the tests' screens and decks (see
// AppImportsStandIn.h).
#include "tests/Support/AppImportsStandIn.h"

#include <vector>

#include "Screens/Decks/Publish.h"
#include "Screens/Screens.h"

namespace {

AppImportCallsForTests g_calls;
int g_current = -1;
std::vector<int> g_ftpAnswers;

}  // namespace

int ScreensGetCurrent() { return g_current; }
void MainControlContinueGameCB() { ++g_calls.continueGame; }
void MainControlNewGameCB() { ++g_calls.newGame; }
void GameControlUpdateSnapshotViewport() {}
void ScoresControlStartingCB() { ++g_calls.scoresPageStarted; }
void ScoresControlShowInternetWait(const char*) { ++g_calls.internetWaitShown; }
void ScoresControlHideInternetWait() { ++g_calls.internetWaitHidden; }
void ModulesSetDefaultLightSettings() { ++g_calls.lightDefaults; }
void ModulesSetDefaultBoard() { ++g_calls.boardDefaults; }

const AppImportCallsForTests& AppImportsGetCallsForTests() { return g_calls; }
AppImportCallsForTests& AppImportsCallsToCountForTests() { return g_calls; }
void AppImportsResetForTests() {
  g_calls = AppImportCallsForTests();
  AppImportsSetFtpTestAnswersForTests({});
  g_current = -1;
}
void AppImportsSetCurrentScreenForTests(int screen) { g_current = screen; }

void AppImportsSetFtpTestAnswersForTests(std::initializer_list<int> answers) { g_ftpAnswers = answers; }
void AppImportsSetFtpTestResultForTests(int result) { AppImportsSetFtpTestAnswersForTests({result}); }

int AppImportsNextFtpAnswerForTests() {
  const auto call = static_cast<std::size_t>(g_calls.ftpTests++);
  if (g_ftpAnswers.empty()) return 1;
  return g_ftpAnswers[call < g_ftpAnswers.size() ? call : g_ftpAnswers.size() - 1];
}

void AppImportsFillStandIn() {
  // ScreensGetScreenId: the registry of ScreensStandIn.
  APP_IMPORTS_FILL_SCREENS_BY_NAME(g_AppImports);
}
