// Klondike.h - the Klondike family's callbacks (Klondike, Klondike (Easier),
// Double Klondike, Las Vegas Cardolia 1 and 2, Thumb and Pouch);
// KlondikeSetup is in GenSetups.h.
#pragma once

// Tableau, foundations, the waste's top card, then the stock click.
bool KlondikeSelection(int quick, int down);
