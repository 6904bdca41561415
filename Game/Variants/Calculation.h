// Calculation.h - the Calculation family's callbacks (Calculation, Sir
// Tommy, Strategy); CalculationSetup is in GenSetups.h.
#pragma once

// Deal: the whole stock goes face up into the waste at once; in
// Calculation the ace of hearts, two of spades, three of diamonds and four
// of clubs then start foundations 1 to 4. Ends with the autoplay slot.
bool CalculationDealAnimation(int a, int b);
// Calculation's foundations: foundation i builds by i (any suit), the
// rank brought back into 1-13.
bool CalculationCustomRule(int target, int source, int dropping, int suit, int rank);
// Calculation's tableau: anything may be lifted; a pile takes only a single
// card from the waste.
bool CalculationTableauPairRule(int target, int target2, int dropping, int suitA, int rankA,
                                int suitB, int rankB);
// The waste's top card, the foundations, a pile's top card, and a card from
// the waste onto a pile (Calculation, Sir Tommy).
bool CalculationSelection(int quick, int down);
// Strategy: while the stock lasts a press on a column places the waste's
// card there (a press on the waste says so); afterwards the columns' top
// cards onto the foundations.
bool StrategySelection(int quick, int down);
// Strategy's autoplay: aces from the waste to the foundations; once the
// stock is used up, the columns' cards that fit onto the foundations; the
// win test.
bool StrategyAutoplay(int a, int b);
// The text a press on Strategy's waste shows: a popup with OK while the
// toolkit is off (it is started for it and shut down by the OK), else a
// message for 1.5 seconds during play when no popup is open.
void StrategyShowStockMessage();
