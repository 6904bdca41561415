// Score.h - the score tables (".sco" in "Scores", one per game) and the
// running score.
//
// Stand-in until the score unit is built: the running score stays "0" and
// there are no tables to change.
#pragma once

// Removes the current player's entries from the tables of all 84 games.
void ScoreDeleteUserScoresForAllGames();
