// GrandfathersClock.h - Grandfather's Clock's callbacks;
// GrandfathersClockSetup is in GenSetups.h. Its selection handler is
// KingsSelection (Kings.h).
#pragma once

// The card that starts clock foundation n (1-12): 9 of hearts, 10 of
// spades, jack of diamonds, queen of clubs, king of hearts, then 2 of spades
// to 8 of clubs, the suits in turn.
void GrandfathersClockStartCard(int foundation, int* suit, int* rank);
// The cards clock foundation n holds when it is complete: from its start
// card up in suit, round past the king, to its hour (foundation 1 stands at
// twelve o'clock, foundation n at n - 1).
int GrandfathersClockFoundationSize(int foundation);
// Deal plan: sets the rank wrap and the foundations-first byte; each clock
// foundation takes its start card wherever it lies in the deal; every other
// card goes cyclically to the eight tableau piles. All face up.
bool GrandfathersClockDeal(int a, int b);
