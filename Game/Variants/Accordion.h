// Accordion.h - the Accordion games' callbacks (Accordion, Spiral);
// AccordionSetup is in GenSetups.h, the score in GenScores.h.
#pragma once

// A pile's card index along the line (0-51) in Spiral's grid of columns x
// rows, walked clockwise inwards from the top left corner; false when k
// lies outside the grid.
bool AccordionSpiralCell(int k, int columns, int rows, int* column, int* row);
// A whole pile lifted (it is represented by its top card) and dropped on
// the pile one or three places before it.
bool AccordionSelection(int quick, int down);
// The drop rule: the target is the pile one or three places before the
// pile the cards came from and holds a card of the suit, or else the rank,
// of the carried pile's top card. An empty or out-of-range target is
// refused.
bool AccordionDropVeto(int target);
// Closes up every empty pile (the later piles move one place down the line
// with their cards); one pile left wins.
bool AccordionAutoplay(int a, int b);
