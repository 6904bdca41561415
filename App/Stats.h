// Stats.h - the player's statistics as the card game core adds to them.
//
// Minimal stand-in until the application shell's statistics unit lands: it
// only counts the games it is given (no statistics file yet), so that the
// game core's callers can be checked.
#pragma once

// Appends the finished game to the player's statistics: won (1) or not, and
// the counting flag (a lost game counts only after 8 moves). Called with
// (1, 0) for a won game and (0, 1) for a game abandoned for a new one.
void StatsAddCurrentGame(int won, int counting);

// Stand-in tallies: how many games were added as won / not won since the
// last reset.
int StatsGetAddedForTests(bool won);
void StatsResetForTests();
