// AcesUp.h - Aces Up's callbacks; AcesUpSetup is in GenSetups.h.
#pragma once

// The tableau's top card, then the release: over another column or over
// the discard pile the standard drop decides; released over its own column
// (a click on it) the card is discarded to the foundation when another
// column's top card has its suit and a higher rank (aces high). A click on
// the stock deals one card to each column.
bool AcesUpSelection(int quick, int down);
// After every move (the autoplay step): once 48 cards are discarded only
// the aces are left and they follow one by one; 52 on the foundation wins.
// Waits while cards are moving.
bool AcesUpFinish(int a, int b);
