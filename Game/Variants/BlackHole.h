// BlackHole.h - Black Hole's callbacks; BlackHoleSetup is in GenSetups.h.
#pragma once

// Deal plan: the ace of spades into the black hole (the foundation), every
// other card three at a time to the 17 fans, fan 1 first.
bool BlackHoleDeal(int a, int b);
// The carried card into the hole, else a fan's top card lifted.
bool BlackHoleSelection(int quick, int down);
