// GenCopy.h - copying one game record into another piece by piece, and
// priming the working copies after a new or resumed game.
//
// The trial moves, the quick move and the pick-up save and restore the live
// record around what they try; a copy that takes only the piles that differ
// keeps that cheap. Plain assignment of a record does the same work whole.
#pragma once

struct Gen;

// Makes dst the same record as src (as plain assignment does), copying only
// the piles that differ: saving and restoring around a trial move costs
// only the piles the trial touched. Card owners point into dst.
void GenCopyRecord(Gen& dst, const Gen& src);
// Debug builds: every GenCopyRecord compares all the slots made of the
// piles it skips, not only those up to each pile's capacity with a sampled
// full compare (the copy's own tests). Nothing in Release builds.
void GenCopyCheckEveryCopyInFullForTests(bool every);
// After a new or resumed game: the working copies that the pick-up, the
// trials and the quick move keep the live game in take it whole now, so
// that a player's first moves copy only the piles they touch (a new game
// re-stamps every pile of the record, and copying all of them would cost
// the first quick move its frame).
void GenPrimeWorkingCopies();
