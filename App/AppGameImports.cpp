// AppGameImports.cpp - fills the card core's import table with the player
// data's functions (see AppGameImports.h).
#include "App/AppGameImports.h"

#include "App/DirList.h"
#include "App/FoundationEffects.h"
#include "App/Main.h"
#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/ScoreSystem.h"
#include "App/Sound.h"
#include "App/Stats.h"
#include "App/User.h"
#include "Game/GameImports.h"

void AppFillGameImports() {
  GAME_IMPORTS_FILL_BY_NAME(g_GameImports);
}
