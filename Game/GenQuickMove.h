// GenQuickMove.h - the quick move: one click sends the clicked run to the
// first pile that takes it, tried in a fixed order of pile kinds.
//
// The search lifts the run with the variant's own selection handler and
// tries a real drop on each candidate pile, each on the live record saved
// before and restored after (GenCopyRecord), so every variant's rules apply
// without a second rule set. The move found is then animated from the game
// as it was before the search (the quick-move copy).
//
//   idle (phase 0) -> lifting (1) -> trying targets (2) -> idle
//
// While the phase is not 0 a drop uses the current hit instead of the best
// drop candidate, and a refused drop leaves the run carried.
#pragma once

// The move handler's quick move on a press: the search (twice in
// CurdsAndWhey, up to three times in the Spider family), then the animation
// of the move found. True when a move started.
bool GenQuickMoveRun();
// One search: the code of the target found, 0 for none (the lift is then
// cancelled).
int GenQuickMoveSearch();
// Would a trial drop of the carried run on the target change its card
// count? The run is placed at (x, y) (the target's next card place) for the
// trial. With skipEmpty an empty target is not tried. With nothing carried:
// "No selection present" and false.
bool GenQuickMoveCheck(int target, float x, float y, int targetCount, bool skipEmpty);
// Animates the move found from the quick-move copy at speed 0.5, the
// variant's autoplay as its finish step. A pair of kinds without a move
// set-up logs "where = %d not supported yet" and moves nothing.
bool GenAnimateQuickMove(int target);

// Whether autoplay may run (off while a quick-move search runs).
bool GenIsAutoplayAllowed();
// A quick-move search is lifting or trying targets: a variant's handler
// is being asked in a trial and must not start moves of its own.
bool GenIsQuickMoveSearching();
