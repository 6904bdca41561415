// Yukon.h - the Yukon family's callbacks (Yukon, Double Yukon, Russian
// Cardolia); YukonSetup is in GenSetups.h.
#pragma once

// Deal plans: fixed patterns of face-down and face-up cards, row by row
// over the tableau piles (Yukon: pile k gets k - 1 face down and 5 face up
// after pile 1's single card; Double Yukon: pile 1 five up, pile k k - 1
// down and 6 up).
bool YukonDeal(int a, int b);
bool DoubleYukonDeal(int a, int b);
// Tableau, then foundations; takes every click.
bool YukonSelection(int quick, int down);
