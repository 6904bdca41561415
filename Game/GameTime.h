// GameTime.h - the game clock: the playing time of the current game in whole
// seconds, its text, the hold while the deal is animated, the pause and the
// freeze at game over.
//
// The clock reads the engine's per-pass millisecond clock and keeps
// milliseconds inside; the elapsed whole seconds go to the player's per-game
// table (what a resumed game continues from). While paused, or waiting on
// the tutorial, the clock stands where it was, so that time never counts.
//
//   reset (held) -> deal animation ends (release hold) -> counting
//   -> paused / resumed any number of times -> game over (stopped)
// A resumed saved game goes straight to counting (GameTimeContinue).
#pragma once

// The milliseconds from sinceMs to nowMs on the engine's 32-bit millisecond
// clock, right across its wrap (about every 49.7 days). Timers compare this
// difference with their period, never "now > since + period", which fails
// once the sum overflows.
constexpr unsigned GameTimeMsSince(unsigned nowMs, unsigned sinceMs) { return nowMs - sinceMs; }

// "%d:%02d:%02d" (hours, minutes, seconds) when hours > 0, else "%d:%02d";
// with the player's hours-and-minutes option "%d:%02d" of hours and minutes.
// Static buffer.
const char* GameTimeFormat(int seconds);
// When running: while held the start moves to now (the clock stays at 0);
// elapsed = (game-over time when stopped, pause time when paused, else now)
// - start. Unless forced, nothing more when the seconds equal the last shown
// value; else they are stored for the current game, the text is formatted
// and the score recomputed.
void GameTimeUpdate(bool force);
// The clock text ("0:00" until the clock first runs); updated first unless
// the clock is not running or is paused.
const char* GameTimeGetString();
// Once a second of engine time: an update.
void GameTimeTick();
// The millisecond-clock time at which the shown time next changes (its next
// whole second); false while the clock stands (not running, paused, held or
// stopped).
bool GameTimeNextChangeMs(unsigned* at);
void GameTimeReleaseHold();
// After a resumed game: counting from the current game's stored seconds.
void GameTimeContinue();
// Forced update; then, when running, not stopped and not paused: paused, and
// every card drawn face down.
void GameTimePause();
// Paused: the paused span is added to the start; card faces shown again.
void GameTimeResume();
// While the tutorial is shown the clock waits: it stands as when paused
// (the time does not count, so neither does the score's time deduction),
// but the card faces stay. A wait and a pause may overlap; the clock goes
// on when both have ended. Nothing unless running and not stopped; a new
// or resumed game ends the wait.
void GameTimeWait(bool wait);
// The first call freezes the clock; another logs "Already called".
void GameTimeGameOver();
// A new game: stored seconds 0, counting from now but held until the deal
// animation ends (released at once when no animation runs).
void GameTimeReset();

// Back to the state at program start (tests).
void GameTimeResetForTests();
