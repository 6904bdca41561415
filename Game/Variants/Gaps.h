// Gaps.h - Gaps' callbacks; GapsSetup is in GenSetups.h.
#pragma once

constexpr int kGapsRows = 4;
constexpr int kGapsPerRow = 13;
constexpr int kGapsPlaces = kGapsRows * kGapsPerRow;

// Deal plan over the 52 places (tableau piles 1 to 52, row by row): each
// card to the next place, aces to reserve pile 1 (their places stay gaps);
// a redeal leaves one gap after each row's finished run, and from the
// second redeal on the first place of an unfinished row empty too.
bool GapsDeal(int a, int b);
// The length of row r's finished run (0-12): from its first place, cards of
// the first card's suit with ranks 2, 3, ... in order.
int GapsFinishedRun(int row);
// A click on a card sends it to the first gap that takes it: a row's first
// place takes a 2, any other the next rank of its left neighbour's suit.
// A click on the stock gathers every card outside the finished runs for a
// redeal while redeals are left.
bool GapsSelection(int quick, int down);
// Finish of the gather: shuffles and deals the stock again; refuses
// ("Internal Error") unless the four aces lie on reserve pile 1 and the
// stock holds at most 48 cards.
bool GapsReshuffle(int a, int b);
// The win: every row 2 to king in one suit. Ends the game.
bool GapsAutoplay(int a, int b);
