// Main.h - the main module: the small operations the game and the screens
// share. The start of a game from the menu; the pixel rectangle of the
// main menu's 3D preview; the circle of cards turning behind the main menu
// (MainCardCircle.cpp); the fading in-game "Menu" button at the top right;
// the status corners of play (game time, score, clock, battery gauge).
// The calls the shell makes are at the end of this header.
//
// Coordinates are in the virtual 640 x 480 space unless said otherwise;
// times come from the engine's millisecond clock and frame time.
//
// State (Main.cpp): the preview rectangle, the Menu button (shown,
// hover-open, alpha, hover start, next battery poll), the clock text cache,
// the Menu button and status panel textures (device life cycle). The card
// circle's state is in MainCardCircle.cpp.
#pragma once

#include "Game/Card.h"

// Starts a game for play: program mode 3, the current camera again, the
// foundation bursts cleared, the game made current and dealt (deal 0: a
// random deal), then, with resume, its saved game resumed when it has one.
void MainStartGame(int game, bool resume, unsigned deal);

// The main menu's preview rectangle in window pixels for a window of width
// x height: left w x 143 / 512, top h x 111 / 512, right w x 369 / 512,
// bottom h x 401 / 512.
struct MainPreviewRect {
  int left, top, right, bottom;
};
MainPreviewRect MainPreviewRectFor(int width, int height);

// The pointer left the menu corner: the hover-open is released (the menu
// opens only after the pointer rests on the button).
void MainMenuButtonRelease();
// The Menu button as the tests see it.
struct MainMenuButtonState {
  bool shown;
  bool hoverOpen;
  float alpha;
  unsigned hoverStart;  // engine milliseconds, 0 none
};
MainMenuButtonState MainMenuButtonGetState();
void MainMenuButtonResetForTests();

// The clock text of a local time: "%d:%02d", hours above 12 less 12 (13:05
// "1:05", 0:05 "0:05"). out holds at least 8 bytes.
void MainFormatClock(int hour, int minute, char* out);
// The local time's clock text, made again at most once a minute.
const char* MainClockText();

// Where the status corners put their panels (640 x 480 units, 60 x 20 each;
// x < 0: not shown) for the player's show-time, show-score and show-clock
// options.
struct MainStatusLayout {
  float scoreX, scoreY;
  float timeX, timeY;
  float clockX, clockY;
};
MainStatusLayout MainStatusLayoutFor(bool time, bool score, bool clock);

// ---- The menu's card circle (MainCardCircle.cpp) ------------------------------
constexpr int kMainCircleCards = 52;
// The face of card index (0-51) of the circle laid out in direction (0-3).
void MainCardCircleFace(int direction, int index, int* suit, int* rank);
// The circle as the tests see it.
struct MainCardCircleState {
  bool running;
  int state;        // 0-12
  int direction;    // 0-3
  unsigned wakeMs;  // engine milliseconds
  float angle[kMainCircleCards];
  float target[kMainCircleCards];
  const Card* cards;
};
MainCardCircleState MainGetCardCircleForTests();
void MainCardCircleResetForTests();

// ---- What the shell calls ------------------------------------------------------
// The main menu's backdrop of cards (MainCardCircle.cpp); restart restarts a
// running one. Drawn behind the main menu's windows (camera preset 10).
void MainStartMenuCardAnim(bool restart);
void MainTickMenuCardAnim();
void MainRenderMenuCardAnim();
// Recomputes the 3D preview areas from the window size.
void MainUpdatePreviewViewports();
void MainLoadMenuButtonText();
// The in-game Menu button: shown at once or fading in, hidden, its state,
// its per-frame step (screenOpen: called with a toolkit screen open) and its
// drawing.
void MainMenuButtonShow(bool atOnce);
void MainMenuButtonHide();
bool MainMenuButtonIsOn();
void MainMenuButtonTick(bool screenOpen);
// In play: asks for the status corners to be drawn again where their texts
// changed, and wakes the loop when the game time or the clock will change.
void MainStatusTick();
void MainDrawMenuButton();
// The Menu button's and the status panels' textures.
void MainCreateGraphics();
void MainFreeGraphics();
// Draws the in-game status (time, score, clock, battery, Menu button).
void MainDrawGameStatus();
