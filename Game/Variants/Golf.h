// Golf.h - Golf's callbacks; GolfSetup is in GenSetups.h.
#pragma once

// After-deal step: the last card of the deal goes to the foundation, not
// to a column.
bool GolfAfterDeal(int a, int b);
// The columns' top cards onto the foundation; a click on the stock turns
// its top card onto the foundation.
bool GolfSelection(int quick, int down);
// The win test: every card on the foundation.
bool GolfAutoplay(int a, int b);
