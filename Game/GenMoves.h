// GenMoves.h - the steps that follow a finished move, as the animation layer
// calls them.
//
// GenAfterMove (GenAutoplay.cpp): the step after every finished move
// (autoplay, undo record, candidates, highlights). GenBuildPickupCandidates
// (GenCandidates.cpp): rebuilds the list of cards that could be lifted now.
#pragma once

void GenAfterMove();
void GenBuildPickupCandidates();
