// Score.cpp - stand-in: no scoring systems yet (see Score.h).
#include "App/Score.h"

void ScoreUpdateCurrentScore() {}
void ScoreResetCurrentScore() {}
