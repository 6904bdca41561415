// Updater.h - the weekly check for a newer version of the game and its
// download.
//
// Stand-in until the updater is built: the check finds no download.
#pragma once

#include "Engine/EngMisc.h"

// True when a download was started (the program then ends quietly).
bool UpdaterWeeklyCheck(EngDate* lastCheck, float version, int programType);
