// Score.h - the running score as the card game core updates it.
//
// Minimal stand-in until the application shell's score unit lands: the call
// exists and does nothing yet.
#pragma once

// Recomputes the current game's score and its text.
void ScoreUpdateCurrentScore();
