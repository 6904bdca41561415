// ScreensFills.h - the screens' side of the player data's import table
// (App/AppImports.h): the program entry calls this before anything runs,
// and the tests that link the real screens do the same.
#pragma once

// Fills the screen slots of g_AppImports with the screens' own functions
// (the screen registry, the main menu's actions, the Game and Scores
// pages, a new player's defaults, the FTP test). The shell's slots are the
// shell's to fill. Calling it again fills the same.
void ScreensFillAppImports();
