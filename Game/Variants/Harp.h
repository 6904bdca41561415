// Harp.h - the Harp family's callbacks (Harp, Gargantua, Steps); HarpSetup
// is in GenSetups.h.
#pragma once

// Tableau (in Harp a run of two or more cards must be headed by a king,
// else it goes straight back), foundations, the waste's top card, then the
// stock: one card to the waste, or, with the stock empty and a redeal
// left, the waste turned back.
bool HarpSelection(int quick, int down);
