// GenScoresPending.cpp - placeholders for the score parts of the games whose
// variants are not written yet; on purpose, not dead code.
//
// The scoring systems name these parts for their games; until a family is
// written its part adds nothing. When a family is written its function moves
// out of this file into the family's own, and the file goes once it is
// empty.
#include "Game/GenScores.h"

int AccordionGetScore() { return 0; }
