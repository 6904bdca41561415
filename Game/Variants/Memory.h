// Memory.h - the Memory games' callbacks (Memory, Memory 2); MemorySetup is
// in GenSetups.h, the score in GenScores.h.
#pragma once

// Deal plan: the deck is reordered so that the first n cards dealt (26 or
// 52) are n / 2 kinds and their duplicates, then they are mixed among the
// n places by seeded swaps; all face down, one to each place.
bool MemoryDealFunc(int a, int b);
// A press on a face-down card turns it face up, unless two are up already.
bool MemorySelection(int quick, int down);
// After a turn: two face-up cards that match leave the table (to reserve
// pile 1) after a one-second look, two that differ are turned back after it.
bool MemoryAutoplay(int a, int b);
// The face-up cards go to reserve pile 1 one after the other (after the
// look while two are up); no card left on the table wins.
bool MemoryRemovePair(int a, int b);
// How long two face-up cards stay on view before they go or turn back.
constexpr float kMemoryLookSeconds = 1.0f;
