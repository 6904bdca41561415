// CardsAnimLocal.h - what the two halves of the animation engine share
// (CardsAnim.cpp: set-up and slot life; CardsAnimTick.cpp: flight).
#pragma once

#include "Game/CardsAnim.h"

// The four slots (zero-filled between uses).
CardsAnimSlot& CardsAnimSlotRef(int slot);
// Zero-fills a slot.
void CardsAnimZeroSlot(int slot);
// Starts the flight of a prepared slot (positions, deltas, active); for a
// timed move first computes the landing places (false: reported, the slot
// was zero-filled and nothing moved).
bool CardsAnimStartFlight(int slot, CardsAnimEndCB endCallback, float speed);
// Takes an entry's card out of its source: the top card is removed, any
// other is hidden in place until the move ends.
void CardsAnimTakeFromSource(CardsAnimEntry& e);
// Calls the card sound hook for an entry's start or landing.
void CardsAnimPlaySound(CardsAnimEntry& e, bool start);
