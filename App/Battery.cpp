// Battery.cpp - the battery gauge.
//
// Stand-in until the gauge is built: there is no battery to show.
#include "Game/GameImports.h"

void BatterySetTextureFilename(const char*) {}
void BatteryCreateGraphics() {}
void BatteryFreeGraphics() {}
