// Tutorial.cpp - the tutorial of game 80.
//
// Stand-in until the tutorial is built: it is never on and takes no click.
#include "Game/GameImports.h"

void TutorialOfferFirstGame() {}
bool TutorialHandleMouse(int, bool) { return false; }
void TutorialTick() {}
bool TutorialIsOn() { return false; }
bool TutorialGetOnFlag() { return false; }
void TutorialRestart() {}
void TutorialCreateGraphics() {}
void TutorialFreeGraphics() {}
void TutorialRenderPointer() {}
void TutorialRenderMessageBox() {}
