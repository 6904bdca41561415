// GenScores.h - the score callbacks of the games that score by the
// position of their cards; the score unit of the application shell adds
// them to the running score.
#pragma once

// Poker Shuffle, Poker Square: the sum of the ten poker hands of the 5 x 5
// square's rows and columns (the texts drawn beside them are updated too).
int PokerSquareGetScore();
// Accordion, Spiral: (52 - tableau piles left) x 5.
int AccordionGetScore();
// Baroness, Memory, Memory 2, Monte Carlo: the cards removed to reserve
// pile 1, x 50.
int PairGamesGetScore();
