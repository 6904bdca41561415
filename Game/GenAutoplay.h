// GenAutoplay.h - autoplay, the win and what follows it.
//
// After every finished move the engine may play cards to the foundations by
// itself (autoplay, by the player's mode for the game: 0 off, 1 and 2 only
// cards at most two ranks above the lowest foundation, 3 any card; 2 and 3
// also from cells, waste, deck and reserves), turns face-down tableau tops
// over whatever the mode, and tests the win. Each autoplay move is an
// animation whose end continues the chain.
//
//   move ends -> GenAfterMove -> autoplay step -> animated move -> ... ->
//   nothing to play (undo state recorded) or every foundation full (won)
//
// A won game is over: clock stopped, counted as won, its saved game deleted,
// music; then (after the gather animation when the player's option asks
// for it) the after-win step: a celebration, a new deal or the main menu.
#pragma once

#include "Game/GenCallbacks.h"

// The step after every finished move: when autoplay is allowed, the game is
// not over and nothing is carried, the variant's autoplay (slot 4); then
// the undo record, the pick-up candidates, highlights cleared, no best drop
// candidate.
void GenAfterMove();
// One autoplay step (installed by most variants in slot 4). Gives false.
bool GenStdAutoplay(int a, int b);
// Can the card (source kind code, suit, rank as the rules read it) go to a
// foundation? Unless trial the move is started from pile sourceIndex of the
// kind with continuation as its finish step. lowestNeeded: -2 for any card,
// else modes 1 and 2 take only ranks lowestNeeded + 1 and + 2. While an
// animation runs nothing is tried: the continuation is chained to its end
// and the answer is true ("Could not set autoplay callback" and false when
// both finish steps are taken).
bool GenStdAutoplayCheckMove(int sourceKind, int suit, int rank, int lowestNeeded,
                             int sourceIndex, bool trial, GenStepCB continuation);
// The lowest rank the foundations need next, as modes 1 and 2 read it.
int GenGetLowestFoundationRank();
// Every foundation holds its maximum (a maximum below 1 counts as 13); no
// foundations counts as full.
bool GenAllFoundationsFull();
// The foundations together hold the deck size: the game is won (true).
bool GenCheckWonByFoundationCount();
// Ends the game as won.
void GenGameWon();
