// EngMenu.cpp - the menu bar queries: this program never sets up a menu bar.
#include "Engine/EngMenu.h"

bool EngMenuIsSetup() { return false; }
bool EngMenuIsShown() { return false; }
bool EngMenuShow() { return false; }
bool EngMenuHide() { return false; }
int EngMenuGetVisibleHeight() { return 0; }
bool EngMenuMouseMove(int, int) { return false; }
bool EngMenuMousePress(int, int) { return false; }
int EngMenuGetNumRowsInCol(int) { return 0; }
int EngMenuGetNumSubsInRow(int, int) { return 0; }
