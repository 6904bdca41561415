// Stats.cpp - stand-in statistics: counts the games added (see Stats.h).
#include "App/Stats.h"

namespace {

int g_added[2] = {0, 0};  // not won, won

}  // namespace

void StatsAddCurrentGame(int won, int) { ++g_added[won ? 1 : 0]; }
int StatsGetAddedForTests(bool won) { return g_added[won ? 1 : 0]; }
void StatsResetForTests() { g_added[0] = g_added[1] = 0; }
