// MonteCarlo.h - Monte Carlo's callbacks; MonteCarloSetup is in
// GenSetups.h, the score in GenScores.h.
#pragma once

// Places k and j of the 5 x 5 square (0-24, row by row) touch: across, up
// or down, or diagonally; the rows do not wrap.
bool MonteCarloAreNeighbours(int k, int j);
// A place's card lifted; released on a touching place of the same rank the
// pair leaves the table; a click on the stock closes up the gaps.
bool MonteCarloSelection(int quick, int down);
// Keeps the drop list to the places that really take the carried card: a
// touching place holding a card of its rank.
bool MonteCarloDropVeto(int target);
// Closes the gaps one card at a time (each later card to the first gap),
// then fills the gaps left from the stock; ends with the win test.
bool MonteCarloConsolidate(int a, int b);
// Once no card moves: a place holding two cards (a pair a quick move
// brought together) sends them to reserve pile 1; won once every card is
// there.
bool MonteCarloAutoplay(int a, int b);
