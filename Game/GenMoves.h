// GenMoves.h - the steps that follow a finished move, as the animation layer
// calls them.
//
// GenAfterMove: the step after every finished move (autoplay, undo record,
// candidates, highlights). GenBuildPickupCandidates: rebuilds the list of
// cards that could be lifted now. Their real bodies come with selection,
// autoplay and undo; until then GenMovesPending.cpp holds stand-ins that do
// nothing.
#pragma once

void GenAfterMove();
void GenBuildPickupCandidates();
