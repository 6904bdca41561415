// Updater.cpp - stand-in updater (see Updater.h).
#include "App/Updater.h"

bool UpdaterWeeklyCheck(EngDate*, float, int) { return false; }
