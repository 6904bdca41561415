// GenLights.cpp - scene lights. Lights exist only on a graphics device; this
// build runs the game core without one, so applying them does nothing.
#include "Game/GenLights.h"

void GenApplyLights() {}
