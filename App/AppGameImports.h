// AppGameImports.h - the player data's side of the card core's import
// table (Game/GameImports.h): the program entry calls this before anything
// runs, and the tests that link the real player data do the same.
#pragma once

// Fills every slot of g_GameImports with the player data's own functions
// (sounds, score, statistics, folders, settings, the Menu button, the
// foundation effects). Calling it again fills the same.
void AppFillGameImports();
