// AnimSetupLocal.h - helpers shared by the set-ups (moves, gathers, deal).
#pragma once

#include "Game/CardGroup.h"

// The card counts a multi-pile move will leave, so that each next card of
// the move finds the next slot, without touching the piles until the cards
// really fly.
class AnimPlannedCounts {
 public:
  int Get(CardGroup* group);
  void Add(CardGroup* group, int delta);

 private:
  static constexpr int kMax = 160;
  CardGroup* groups_[kMax] = {};
  int counts_[kMax] = {};
  int used_ = 0;
};

// One card of a multi-pile move.
struct AnimPlannedCard {
  CardGroup* source;
  int sourceIndex;
  CardGroup* target;
  int targetIndex;
  int faceUp;
};

// Starts one timed move of the planned cards at the speed; false (nothing
// started) for no cards or an engine refusal.
bool AnimStartPlannedMove(const AnimPlannedCard* cards, int count, float speed);
