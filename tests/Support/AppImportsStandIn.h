// AppImportsStandIn.h - the screens as the application shell's
// tests see them: the calls of App/AppImports.h, answered by a stand-in
// that counts them. The current screen is whatever the test sets.
//
// State: the call counts and the current screen; reset by
// AppImportsResetForTests.
#pragma once

#include <initializer_list>

#include "App/AppImports.h"

struct AppImportCallsForTests {
  int continueGame = 0;  // MainControlContinueGameCB
  int newGame = 0;       // MainControlNewGameCB
  int lightDefaults = 0;
  int boardDefaults = 0;
  int ftpTests = 0;      // PublishDoFtpInternetTest
  int scoresPageStarted = 0;   // ScoresControlStartingCB
  int internetWaitShown = 0;   // ScoresControlShowInternetWait
  int internetWaitHidden = 0;  // ScoresControlHideInternetWait
};
// Fills the screens' slots of the player data's import table with these
// stand-ins (the screen registry's names from ScreensStandIn).
void AppImportsFillStandIn();
const AppImportCallsForTests& AppImportsGetCallsForTests();
// The counts, for the stand-ins of the other file (AppImportsDecksStandIn).
AppImportCallsForTests& AppImportsCallsToCountForTests();
// Clears the counts; no current screen.
void AppImportsResetForTests();
void AppImportsSetCurrentScreenForTests(int screen);
// What PublishDoFtpInternetTest answers, in order (the last answer repeats;
// 1 before any is set). Reset by AppImportsResetForTests.
void AppImportsSetFtpTestAnswersForTests(std::initializer_list<int> answers);
// The same answer to every call.
void AppImportsSetFtpTestResultForTests(int result);
// The stand-in FTP test's next answer (counted as a call).
int AppImportsNextFtpAnswerForTests();
