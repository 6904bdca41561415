// Tutorial.h - the lesson of Twenty: the first time a player plays it the
// game offers to explain it; the lesson is six message boxes drawn over the
// table by the game itself (not the toolkit), each with a pulsing frame on
// the table around the piles it talks about and an Ok button, then a
// closing box with End. While it is on it takes every mouse-button event of
// the game. The Help page's button starts it again. The calls the game
// shell makes are at the end of this header.
//
// Step states: 1 the offer shown, 2 waiting half a second (and for the
// cards to land) before the first step, 3 showing steps, 4 finished.
//
// State (Tutorial.cpp): the on flag, the request, the step state, the
// waiting time, the step index, the message box with its buttons, the
// pointer rectangle, the pulse phase, the texture "Data\Main\0154.dat"
// (upper-left quarter the box and button panel, upper-right quarter the
// pointer frame), the text measure.
#pragma once

#include "Game/GenGameTable.h"

// The lesson's texts and frames are written around Twenty's piles, so it
// names its one game here rather than by a column of the game table.
constexpr int kTutorialGame = kGameTwenty;
constexpr int kTutorialSteps = 6;
constexpr int kTutorialTextSize = 128;

// The current game is the tutorial game.
bool TutorialIsTutorialGame();
// The Help page's request: 2 starts the lesson from its first step.
void TutorialSetRequest(int value);

// Measures text laid out in an area (640 x 480 units): its width and
// height. The default measures with the game font at 1.2 x 1.4.
using TutorialTextMeasure = void (*)(const char* text, float areaWidth, float areaHeight,
                                     float* width, float* height);
void TutorialSetTextMeasure(TutorialTextMeasure measure);

// Shows a box (the text cut at 127 characters): first button 0 none, 1
// "Ok", 2 "End"; a second button "Cancel"; position 0 centre, 1 left,
// 2 right.
void TutorialShowMessage(const char* text, int firstButton, bool secondButton, int position);

// The tutorial as the tests see it. Rectangles are x, y, w, h in the
// 640 x 480 space; the pointer's is left, top, right, bottom in table
// units with y counted downward.
struct TutorialStateForTests {
  bool on;
  int request;
  int stepState;
  int stepIndex;
  bool boxShown;
  const char* text;
  float box[4];
  bool firstShown;
  const char* firstCaption;
  float first[4];
  bool secondShown;
  float second[4];
  bool pointerShown;
  float pointer[4];
};
TutorialStateForTests TutorialGetStateForTests();
void TutorialResetForTests();

// ---- What the shell calls ------------------------------------------------------
// On the first play of the tutorial game, asks whether to switch it on.
void TutorialOfferFirstGame();
// True when the tutorial took the click; the game then does nothing else.
bool TutorialHandleMouse(int button, bool down);
void TutorialTick();
bool TutorialIsOn();
bool TutorialGetOnFlag();
// A new deal while the tutorial is on: back to its waiting step.
void TutorialRestart();
// The game is left: the lesson ends with it, so the next game (another one,
// or this one dealt again) starts without it.
void TutorialStop();
// The Return key: answers the box shown with its first button (Ok, End) as
// a click on it does; false when no box with that button is shown.
bool TutorialPressFirstButton();
void TutorialCreateGraphics();
void TutorialFreeGraphics();
void TutorialRenderPointer();
void TutorialRenderMessageBox();
