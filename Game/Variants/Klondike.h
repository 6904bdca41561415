// Klondike.h - the Klondike family's callbacks (Klondike, Klondike (Easier),
// Double Klondike, Las Vegas Cardolia 1 and 2, Thumb and Pouch);
// KlondikeSetup is in GenSetups.h.
#pragma once

// Cards the stock turns to the waste per click: 3 in Klondike, Klondike
// (Easier) and Double Klondike, 1 in the others.
int KlondikeTurnCount(int game);
// The waste goes back to the stock when the stock is empty (all but Las
// Vegas Cardolia and Thumb and Pouch), without limit.
bool KlondikeTurnsWasteBack(int game);
// Tableau, foundations, the waste's top card, then the stock click.
bool KlondikeSelection(int quick, int down);
