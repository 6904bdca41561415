// GameShellPending.h - FORWARDING STUB, to be removed when the game shell
// (Game/GameShell.h) is on main: the shell calls the application's units
// make, declared here with the shell's names until the shell exists.
#pragma once

// Starts play for a newly created or loaded player.
void GameStartForUser();
// Writes the default camera presets (n < 0: all twelve).
void GameCamerasSetDefaults(int preset);
