// Main.h - the main module: starting a game from the menu, the in-game Menu
// button, the status corners, the menu's card circle and the table board's
// drawing (the calls the game shell makes are in Game/GameImports.h).
//
// Stand-in until the main module is built: a game is started in the card
// core without anything drawn around it; the Menu button, status and card
// circle do nothing.
#pragma once

// Starts the game: resumes its saved game (resume) or deals deal number
// deal (0 a random deal). True when a game stands.
bool MainStartGame(int game, bool resume, unsigned deal);
