// Baroness.h - Baroness's callbacks; BaronessSetup is in GenSetups.h, the
// score in GenScores.h.
#pragma once

// A pile's top card lifted (a king leaves at once for reserve pile 1);
// released on another pile whose top card adds up to 13 with it, the pair
// leaves for reserve pile 1; a click on the stock deals a card to each of
// the five piles while it holds seven or more.
bool BaronessSelection(int quick, int down);
// A king lifted alone leaves at once for reserve pile 1. Gives true.
bool BaronessRemoveKing(int a, int b);
// With two cards left in the stock, piles 6 and 7 are made under piles 1
// and 2 and take them; otherwise the win test.
bool BaronessAutoplay(int a, int b);
// Won once every card has left for reserve pile 1.
bool PairsWonCheck(int a, int b);
