// GameImports.cpp - the card core's import table (see GameImports.h) and the
// player's records, which the card core reads and the player data loads.
#include "Game/GameImports.h"

#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

constinit GameImports g_GameImports;

UserRecord g_UserRecord;
UserOptions g_UserOptions;
