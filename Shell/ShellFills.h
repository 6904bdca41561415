// ShellFills.h - the shell's side of the import tables below it, and the
// one call that connects every layer of the program: the layers below call
// up only through their tables (Game/GameImports.h, App/AppImports.h,
// Screens/ScreensImports.h), which must be filled before anything runs.
#pragma once

// Fills the shell's slots of the player data's table (the program
// object's callbacks, the start of play, the in-game menu's opening).
void ShellFillAppImports();
// Fills the screens' table (the in-game menu's commands, remembering the
// current screen).
void ShellFillScreensImports();
// The program's start: fills every table, the card core's with the player
// data's functions, the player data's with the screens' and the shell's,
// the screens' with the shell's. The program entry calls it first.
void ShellFillAllImports();
