// GameShellPending.cpp - FORWARDING STUB (see GameShellPending.h): does
// nothing until the game shell lands.
#include "App/GameShellPending.h"

void GameStartForUser() {}
void GameCamerasSetDefaults(int) {}
