// GenGame.h - starting, resuming and leaving games: new deals, the resume of
// a saved game, the step after a win, and the in-progress flag the shutdown
// saves by.
//
// A game is in progress from its deal or resume until it is won, left for
// the main menu (its saved game then holds it) or the record is reset
// (GenInit); GenSaveGameInProgress saves it whatever screen is up.
#pragma once

// Drops every running move (its cards would land in the new game), then
// GenInit; with deal a new deal with a fresh random number; then the undo
// history starts over with the dealt state, the pick-up candidates are
// rebuilt and no highlight or best drop candidate is left.
void GenNewGame(bool deal);
// The same with the given deal number; the record is marked as dealt by
// number.
void GenNewGameWithNumber(unsigned number, bool deal);
// What the in-game New command does: the running game counts as not won
// (only when it is not over), animations end, a new random deal, clock and
// score start over.
void GenNewGameFromNewCommand();
// When a saved game exists, resumes it; a saved game that cannot be resumed
// is deleted and a new game dealt. True when a saved game was resumed.
bool GenResumeSavedGameIfAny();

// The step after a won game (after the gather animation, if any): by the
// player's after-win choice a celebration (0), a new deal (1) or the main
// menu (2). While a save is finishing the game's moves nothing is dealt
// and nothing left; a celebration still starts.
bool GenAfterWinStep(int a, int b);
// The shell's celebration starter and return to the main menu; null for
// none (the step then only ends the animations).
void GenSetAfterWinHandlers(void (*startCelebration)(float speed), void (*toMainMenu)());
// Set while a save finishes the running moves (the after-win step neither
// deals nor leaves).
void GenSetFinishing(bool finishing);
bool GenIsFinishing();

// A game was dealt or resumed and has not ended yet.
bool GenIsGameInProgress();
void GenSetGameInProgress(bool inProgress);
// Saves the game in progress (shutdown, leaving play); true when there was
// nothing to save or it was saved.
bool GenSaveGameInProgress();
