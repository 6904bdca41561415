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
  APP_IMPORTS_FILL_SCREENS_BY_NAME(g_AppImports);
}
