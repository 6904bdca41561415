// VariantPlay.h - random play on a real game, for the tests (a few dozen
// deals per game) and the benchmark (thousands).
//
// A step is one random action through the move handler, as a player's
// mouse and keys would make it: a click on the stock, a quick move (right
// button) on a card, a drag to any pile, a drag to a pile of the drop
// list, a plain click, the send-to-foundation key, an undo or a redo. After
// every step every card is still in play exactly once (the same kinds as
// dealt), nothing is left carried and GenCheckOk passes.
#pragma once

#include <string>

// The game shell's table values and column bottom, the real layouts file
// (copied into the current folder), no card animation on the deal, a long
// frame so that moves land in a few ticks, and no gather after a win.
void VariantUseGameSettings();
// Lands every running animation (and what it chains).
void VariantSettle();
// A new game of the game with the deal number, settled.
void VariantDeal(int game, unsigned number);
// The count of each card kind (suit 0-3, rank 1-13) over every pile of the
// live game, the selection included.
void VariantCountKinds(int counts[4][14]);

struct VariantPlayStats {
  // Each quick move is timed this often on the same table (the least time
  // counts); the move itself is made once.
  int quickMoveTimings = 1;
  double timingMs = 0;           // thread time the repeated timings took
  long long deals = 0;
  long long steps = 0;
  long long moves = 0;           // steps that changed the table
  long long quickMoves = 0;      // quick-move clicks made
  double worstQuickMoveMs = 0;   // the longest quick-move click (search and set-up), thread CPU time
  long long quickMovesOver2Ms = 0;
  // Quick-move times in 0.05 ms steps (the last bucket holds all longer).
  static constexpr int kQuickBuckets = 200;
  long long quickMoveBuckets[kQuickBuckets] = {};
  // The time below which the given share (0.99, 0.999) of quick moves took.
  double QuickMovePercentileMs(double share) const;
  long long wins = 0;
};

// Deals the game with the deal number and plays up to steps random steps
// (fewer when the game is won). The random choices follow from the deal
// number. "" when every check held, else the first failure.
std::string VariantRandomPlay(int game, unsigned deal, int steps, VariantPlayStats* stats);

// Random play on the live game as it lies (a resumed game), the choices
// following from the seed; the checks as above.
std::string VariantPlayOn(int game, unsigned seed, int steps, VariantPlayStats* stats);

// The autoplay mode random play uses for a deal: one of the levels the game
// offers (0 when it offers none), varying with the deal number.
int VariantAutoplayModeFor(int game, unsigned deal);
