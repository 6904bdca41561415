// User.cpp - the stand-in player record (see User.h).
#include "App/User.h"

UserRecord g_UserRecord;
UserGameOptions g_UserGameOptions;

namespace {

bool g_loaded = false;  // a player is loaded

}  // namespace

bool UserIsLoaded() { return g_loaded; }
void UserSetLoaded(bool loaded) { g_loaded = loaded; }
