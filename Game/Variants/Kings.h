// Kings.h - the callbacks of Kings, whose selection handler Grandfather's
// Clock shares; KingsSetup is in GenSetups.h.
#pragma once

// Deal plan: all 104 cards in turn, the column running 1 to 8: an ace
// starts the first foundation not yet started; a card one rank above the
// top of the foundation with the column's number goes onto it; any other
// card to the tableau pile with the column's number. All face up.
bool KingsDeal(int a, int b);
// Tableau, then drops on the foundations.
bool KingsSelection(int quick, int down);
