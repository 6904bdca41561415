// Poker.h - the poker games' callbacks and score (Poker Shuffle, Poker
// Square); PokerSetup and PokerSquareRenderScores are in GenSetups.h, the
// score callback in GenScores.h.
#pragma once

// The stock's top card onto an empty square (in Poker Shuffle also a placed
// card onto another empty square); nothing once the game is over.
bool PokerSelection(int quick, int down);
// The value of the poker hand on five reserve piles (codes): royal flush
// 100, straight flush 75, four of a kind 50, full house 25, flush 20,
// straight 15 (A-2-3-4-5 counts), three of a kind 10, two pairs 5, one pair
// 2, else 0. A pile counts only when it holds exactly one card; an empty
// place matches nothing. Aces count high.
int PokerHandValue(const int piles[5]);
// Recomputes the ten hand values; when the 25th card is placed (27 left in
// the stock) the game ends, once: score, the stock turned face down,
// game-over byte, clock, statistics.
// Gives false.
bool PokerSquareScoreAutoplay(int a, int b);

// The ten value texts and their places on the table, fixed by the set-up:
// rows 0-4, then columns 0-4.
struct PokerScoreTexts {
  char text[10][8];
  float x[10], y[10];
  float totalX, totalY;     // the total's place, shown once the game is over
  float ratioX, ratioY;     // text ratio
  float shadowX, shadowY;   // the shadow's offset
};
const PokerScoreTexts& PokerGetScoreTexts();
