// Score.cpp - stand-in scores (see Score.h).
#include "App/Score.h"

#include "Game/GameImports.h"

void ScoreDeleteUserScoresForAllGames() {}
void ScoreUpdateCurrentScore() {}
void ScoreResetCurrentScore() {}
const char* ScoreGetScoreText() { return "0"; }
