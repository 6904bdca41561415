// Giza.h - the pyramid games' callbacks (Giza, Pyramid, Tut's Tomb;
// PyramidPairRule also serves Baroness); GizaSetup is in GenSetups.h.
#pragma once

constexpr int kPyramidFans = 28;
constexpr int kPyramidRows = 7;
constexpr int kPyramidMostReserves = 7;

// Deal plan: the first 28 cards to fans 1 to 28 (the pyramid, rows of 1 to
// 7); in Giza the rest cyclically to the 8 tableau piles, in the others the
// next card to the waste.
bool PyramidDeal(int a, int b);
// A drop pairs when the two ranks add up to 13; nothing is lifted by it.
bool PyramidPairRule(int target, int target2, int dropping, int suitA, int rankA, int suitB,
                     int rankB);
// Fan (0-27) is uncovered: in the bottom row, or both fans under it clear
// (no card, and no reserve pile holding a card at its place).
bool PyramidIsUncovered(int fan);
// Moves the card of a fan (0-27) into the next reserve pile, at the fan's
// place and with its turn: the pyramid's free cards are played from there.
// An index or reserve count out of range: "Internal Error [%d,%d]".
bool PyramidMoveFanToReserve(int fan);
// Lifts (stock, waste, free pyramid cards, Giza's piles), pairs adding up
// to 13 on release, kings alone, and the stock click.
bool PyramidSelection(int quick, int down);
// A king lifted alone from the waste, the stock, a free pyramid card or
// (Giza) a pile leaves at once for the foundation. Gives true.
bool PyramidRemoveKing(int a, int b);
// Closes up the reserve piles, frees the uncovered pyramid cards into them,
// then the win test (the pyramid, and in Giza the piles, cleared).
bool PyramidAutoplay(int a, int b);
