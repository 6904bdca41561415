// GenSelectionLocal.h - state shared by the selection units (move handler,
// hit test, candidates and drag, quick move, send to foundation). Not for
// other units.
#pragma once

#include "Game/CardGroup.h"

// The pointer (whole run; the grab offset is set by each hit test with
// nothing carried).
struct GenPointerState {
  float screenX = 0, screenY = 0;   // last screen position given
  float tableX = 0, tableY = 0;     // last table point (pick ray at z = 0, or given)
  bool haveScreen = false;          // the point came through the pick ray
  float grabX = 0, grabY = 0;       // point less the place hit at the lift
  bool placed = false;              // a quick-move check placed the run
  float placedX = 0, placedY = 0;
};
GenPointerState& GenSelPointer();

// Quick-move search state (idle between searches).
enum GenQuickMovePhase : int { kQuickIdle = 0, kQuickLifting = 1, kQuickTrying = 2 };
int GenSelQuickPhase();

// Ends a pending pick-up copy (a lift took it and the move it began is
// done, so a later cancel has nothing to put back).
void GenSelClearPickupPending();

// Empties the drop list (GenBuildDropCandidates refills it).
void GenSelClearDropCandidates();

// The current hit's pile and top card index (-1 when the pile is empty) for
// a code; false for no pile.
bool GenSelHitOfPile(int code, int* card);

// Lands every move now and ends custom slots, as far as the loop bound goes.
void GenSelEndAllAnimations();
