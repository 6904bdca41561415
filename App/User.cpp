// User.cpp - the stand-in player record (see User.h).
#include "App/User.h"

UserRecord g_UserRecord;
UserGameOptions g_UserGameOptions;
