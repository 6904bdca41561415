// GameState.h - what the program's shell (Shell/) shares with the layers
// below it: the program mode, the game font, the idle timer, the pointer in
// 640 x 480 units, the Menu button's corner, the Escape key's state and the
// card sound hook. The shell drives them; the card core, the player data and
// the screens read them (and a screen switches the mode when it opens over
// a game).
//
// Program modes (one byte for the run):
//   255 before the device exists -> 1 player list -> 2 main menu
//   -> 3 playing <-> screens -> 2 ... -> shutdown
//   4 the Decks screen opened over a game, 5 the deck generator.
//
// State (reset by GameStateResetForTests): the mode, the idle timer's start,
// the pointer. The font object lives for the run (the shell creates and
// releases its graphics).
#pragma once

class EngFont;

enum GameProgramMode : int {
  kGameModeStartScreen = 1,     // the player list with its splash
  kGameModeMainMenu = 2,
  kGameModePlaying = 3,
  kGameModeDecksOverGame = 4,   // the Decks screen opened over a game
  kGameModeDeckGenerator = 5,
  kGameModeBeforeDevice = 255,
};

int GameGetProgramMode();
void GameSetProgramMode(int mode);

// The game font. The object exists before its graphics, for the toolkit to
// register; the shell creates it from "Data\\Main\\0100.dat".
EngFont* GameGetFont();

// The idle pause counts from now (engine milliseconds), or from ms.
void GameResetIdleTimer();
void GameSetIdleSince(unsigned ms);
unsigned GameGetIdleSince();

// The pointer's last position in 640 x 480 units (set by the shell's mouse
// move).
void GameSetPointerVirtual(float x, float y);
void GameGetPointerVirtual(float* x, float* y);
// The Menu button's corner, where the resting pointer opens the in-game
// menu (x > 555 and y < 21 of the 640 x 480 space).
bool GameMenuCornerHolds(float x, float y);

// Clears the pressed state of Escape in the key-state table.
void GameClearEscapeKey();
// Installs the card sound hook when the player's card sounds are on.
void GameSetCardSoundCB();

// Back to the state at program start (tests).
void GameStateResetForTests();
