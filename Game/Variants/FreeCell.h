// FreeCell.h - the FreeCell family's callbacks (FreeCell, Baker's Game,
// Eight Off, SeaTowers, ThreeCell); FreeCellSetup is in GenSetups.h.
#pragma once

// Deal plans: Eight Off's last four cards go to cells 1 to 4, SeaTowers'
// 51st and 52nd to cells 1 and 4; every other card cyclically to the
// tableau piles, all face up.
bool EightOffDeal(int a, int b);
bool SeaTowersDeal(int a, int b);
// The longest run that may be dropped on tableau pile target now: (empty
// cells + 1), doubled for each other tableau pile that was empty at the
// lift.
int FreeCellLargestRun(int target);
// Cells, foundations, then the tableau with the run limit above.
bool FreeCellSelection(int quick, int down);
