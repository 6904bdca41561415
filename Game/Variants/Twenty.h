// Twenty.h - Twenty's callbacks (TwentyDropVeto also serves the poker
// games); TwentySetup is in GenSetups.h.
#pragma once

// Deal plan: one ace and one king of each suit (brought to the top of the
// deck first) to the foundations, aces to foundations 1-4 and kings to 5-8
// by suit; the next cards to the reserve piles 1 to 20.
bool TwentySetupDeal(int a, int b);
// A reserve pile takes a card only while it is empty.
bool TwentyDropVeto(int target);
// A reserve's top card, onto an empty reserve pile or a foundation; a click
// on the stock deals a card onto every reserve pile.
bool TwentySelection(int quick, int down);
// The standard step (the win test), then every empty reserve pile filled
// from the stock, one card after the other.
bool TwentyAutoplay(int a, int b);
