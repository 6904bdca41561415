// ScreensStandInInternet.cpp - the Scores page's check before the game goes
// online from full screen, for tests that link the decks without the
// screens: the start-up Internet test's result, nothing shown. A file of its
// own, so that only tests that link the application shell pull it in.
#include "App/Resolution.h"

bool ScoresControlCheckInternetAccess() { return g_ResolutionSettings.httpTest == 1; }
