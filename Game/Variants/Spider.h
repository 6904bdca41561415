// Spider.h - the Spider family's callbacks (Spider, Spider 3 Suits, Spider 2
// Suits, Spider 1 Suit, Spider Triple Deck and the four Spiderettes), which
// Scorpion and Rouge et Noir share; SpiderSetup is in GenSetups.h.
#pragma once

// Tableau pile-or-drop (in Rouge et Noir also drops on the foundations),
// then the stock click: one card to every tableau pile (Scorpion: three
// cards, to piles 1 to 3). The Spider games refuse the deal while a
// tableau pile is empty.
bool SpiderSelection(int quick, int down);
// Turns a face-down top card over; then moves the first complete suit (a
// face-up king down to the ace in one suit on top of a pile) to the first
// empty foundation, ending with SpiderAutoplayFinishCB. Rouge et Noir
// instead only tests its win (all eight foundations full). Nothing while an
// animation runs: its end runs the autoplay again.
bool SpiderAutoplay(int a, int b);
// After a suit has gone: won once the last foundation in use holds cards,
// else SpiderAutoplay again.
bool SpiderAutoplayFinishCB(int a, int b);

// The shared search of SpiderAutoplay and the Spider's Crossing autoplay:
// the first tableau pile (from 0) whose top 13 cards run from a face-up king
// down to the ace in one suit, or -1.
int SpiderFindCompleteSuit();
// Moves the top 13 cards of the tableau pile to the first empty foundation
// with the finish step; "Internal Error" under `where` when no foundation is
// empty. True when the move started.
bool SpiderMoveSuitToFoundation(int tableau, const char* where, bool (*finish)(int, int));
// Turns the first face-down top card of a tableau pile over with the finish
// step; true when the turn started.
bool SpiderTurnOverTopCard(bool (*finish)(int, int));
