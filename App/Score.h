// Score.h - the running score as the card game core updates it.
//
// Minimal stand-in until the application shell's score unit lands: the calls
// exist and do nothing yet.
#pragma once

// Recomputes the current game's score and its text.
void ScoreUpdateCurrentScore();
// Sets the current game's running score to 0 and recomputes it (a new game
// dealt by the New command).
void ScoreResetCurrentScore();
