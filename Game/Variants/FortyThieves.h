// FortyThieves.h - the Forty Thieves family's callbacks (Forty Thieves,
// Forty Thieves (Easier), Number Ten, Streets, and Waning Moon, which runs
// this set-up first); FortyThievesSetup is in GenSetups.h.
#pragma once

// Deal plan of Number Ten: 40 cards cyclically over the ten tableau piles,
// the first 20 face down and the last 20 face up.
bool NumberTenDeal(int a, int b);
// Tableau, foundations, the waste's top card, then the stock: one card to
// the waste while it lasts; the waste never goes back.
bool FortyThievesSelection(int quick, int down);
