// EngMenu.h - the menu bar queries. This program never sets up a menu bar,
// so every query gives its no-menu answer and the toolkit handles all input
// itself. No state.
#pragma once

bool EngMenuIsSetup();   // false
bool EngMenuIsShown();   // false
bool EngMenuShow();      // false, nothing changes
bool EngMenuHide();      // false, nothing changes
int EngMenuGetVisibleHeight();  // 0
// The move / press (window pixels) does not belong to the menu: false.
bool EngMenuMouseMove(int x, int y);
bool EngMenuMousePress(int x, int y);
int EngMenuGetNumRowsInCol(int column);         // 0
int EngMenuGetNumSubsInRow(int column, int row);  // 0
