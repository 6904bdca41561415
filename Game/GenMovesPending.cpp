// GenMovesPending.cpp - stand-ins for the after-move step and the pick-up
// candidates until selection, autoplay and undo are written: both do
// nothing. Delete a stand-in when its real function lands.
#include "Game/GenMoves.h"

void GenAfterMove() {}
void GenBuildPickupCandidates() {}
