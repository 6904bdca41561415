// GenAutoplay.cpp - the after-move step, autoplay and the win tests (see
// GenAutoplay.h).
//
// Autoplay step (the continuation is the variant's slot 4, else this step):
//   1. nothing when the game is over;
//   2. the first tableau with a face-down top card turns it over (any mode);
//   3. every foundation full: won;
//   4. mode 0 ends here; mode 3 takes any card, 1 and 2 only the next two
//      ranks above the lowest foundation;
//   5. modes 2-3: the cells' cards;
//   6. modes 1-3: the tableaus' and the fans' top cards;
//   7. modes 2-3: the waste's and the deck's top cards, the reserves' tops.
// The first move started ends the step; its animation's end runs the
// continuation again.
#include "Game/GenAutoplay.h"

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/GameImports.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenQuickMove.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSave.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

namespace {

int AutoplayMode() {
  const int game = GenGetCurGame();
  if (game < 0 || game >= kGenNumGames) return 0;
  const int mode = g_UserOptions.autoplayMode[game];
  return mode >= 0 && mode <= 3 ? mode : 0;
}

// rank - 1 as the foundations count it: the ace follows the king, and with
// aces high the ace (14) lies below the 2.
int RankBelow(int rank) {
  if (g_GenLive.acesHigh && rank == 2) return 14;
  return rank == 1 ? 13 : rank - 1;
}

// Modes 1 and 2: only the two ranks above m, wrapping past the king (past
// 14 with aces high) by 13.
bool InAutoplayRange(int rank, int m) {
  const int top = g_GenLive.acesHigh ? 14 : 13;
  auto wrap = [top](int r) { return r > top ? r - 13 : r; };
  return rank == wrap(m + 1) || rank == wrap(m + 2);
}

// The foundation that takes the card, or -1.
int FoundationFor(int sourceCode, int suit, int rank) {
  const Gen& g = g_GenLive;
  const int rule = g.rules[kRuleDropFoundation];
  const GenVariantCallbacks& cb = GenGetCallbacks();
  for (int f = 0; f < g.numFoundations; ++f) {
    const CardGroup& pile = g.foundations[f];
    const int code = kWhereFoundation + f;
    if (pile.numCards < 1) {
      const bool starts =
          rule == kRuleFoundationPairs
              ? GenRulesMayDropOnEmpty(rule, kWhereFoundation, code, sourceCode, suit, rank, 1)
              : GenRulesSameRank(rank, g.lowestRank);
      if (starts) return f;
      continue;
    }
    // A foundation that is full by its own count (a clock foundation ends
    // at its hour) takes nothing, just as a drop would refuse it.
    if (pile.numCards >= 13 || pile.numCards >= pile.maxCards) continue;
    const Card& top = pile.cards[pile.numCards - 1];
    const int s = top.suit;
    const int r = GenRulesRank(top);
    bool fits = false;
    switch (rule) {
      case kRuleUpSameSuit: fits = r == RankBelow(rank) && s == suit; break;
      case kRuleUpAnySuit: fits = r == RankBelow(rank); break;
      case kRuleUpOtherColour: fits = r == RankBelow(rank) && !GenSameColour(s, suit); break;
      case kRuleFoundationPairs:
        fits = s == suit && (f < 4 ? r == RankBelow(rank) : r == rank + 1);
        break;
      case kRuleCustom: fits = cb.customRule && cb.customRule(code, sourceCode, 1, suit, rank); break;
      default: break;
    }
    if (fits) return f;
  }
  return -1;
}

bool StartMove(int sourceKind, int sourceIndex, int foundation) {
  return AnimSetupMove(
      {.fromKind = sourceKind, .from = sourceIndex, .toKind = kWhereFoundation, .to = foundation, .speed = 0.3f});
}

// Tries the top card of a pile; true when a move started (or was chained).
bool TryTop(int kind, int index, const CardGroup& pile, int m, GenStepCB continuation,
            bool needFaceUp) {
  if (pile.numCards < 1) return false;
  const Card& top = pile.cards[pile.numCards - 1];
  if (needFaceUp && !top.faceUp) return false;
  return GenStdAutoplayCheckMove(kind, top.suit, GenRulesRank(top), m, index, false, continuation);
}

}  // namespace

void GenAfterMove() {
  Gen& g = g_GenLive;
  const GenVariantCallbacks& cb = GenGetCallbacks();
  if (GenIsAutoplayAllowed() && !g.gameOver && g.selection.numCards == 0 && cb.autoplay) {
    cb.autoplay(0, 0);
  }
  GenUndoRecordState();
  GenBuildPickupCandidates();
  GenClearHighlights();
  GenResetBestDropCandidate();
}

bool GenStdAutoplay(int, int) {
  Gen& g = g_GenLive;
  const GenVariantCallbacks& cb = GenGetCallbacks();
  GenStepCB continuation = cb.autoplay ? cb.autoplay : GenStdAutoplay;
  if (g.gameOver) return false;
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& pile = g.tableaus[t];
    if (pile.numCards > 0 && !pile.cards[pile.numCards - 1].faceUp) {
      if (AnimSetupTurnOverCardInTableau(t, 0.5f, false)) AnimSetFinishCB(continuation);
      return false;
    }
  }
  if (GenAllFoundationsFull()) {
    GenGameWon();
    return false;
  }
  const int mode = AutoplayMode();
  if (mode == 0) return false;
  const int m = mode == 3 ? -2 : GenGetLowestFoundationRank();
  if (mode >= 2) {
    for (int c = 0; c < g.numCells; ++c) {
      if (TryTop(kWhereCell, c, g.cells[c], m, continuation, false)) return false;
    }
  }
  for (int t = 0; t < g.numTableaus; ++t) {
    if (TryTop(kWhereTableau, t, g.tableaus[t], m, continuation, false)) return false;
  }
  for (int f = 0; f < g.numFans; ++f) {
    if (TryTop(kWhereFan, f, g.fans[f], m, continuation, false)) return false;
  }
  if (mode >= 2) {
    if (g.wasteInUse && TryTop(kWhereWaste, 0, g.waste, m, continuation, true)) return false;
    if (g.deckInUse && TryTop(kWhereDeck, 0, g.deck, m, continuation, true)) return false;
    if (g.reservesInUse) {
      for (int r = 0; r < g.numReserves; ++r) {
        if (TryTop(kWhereReserve, r, g.reserves[r], m, continuation, true)) return false;
      }
    }
  }
  return false;
}

bool GenStdAutoplayCheckMove(int sourceKind, int suit, int rank, int lowestNeeded,
                             int sourceIndex, bool trial, GenStepCB continuation) {
  if (AnimIsAnimating()) {
    if (!AnimIsFinishCBSet()) {
      AnimSetFinishCB(continuation);
    } else if (!AnimIsPostFinishCBSet()) {
      AnimSetPostFinishCB(continuation);
    } else {
      DebugError("GenStdAutoplayCheckMove", "Could not set autoplay callback");
      return false;
    }
    return true;
  }
  if (sourceKind < 1 || suit < 0 || rank < 0) return false;
  if (lowestNeeded >= 0 && !InAutoplayRange(rank, lowestNeeded)) return false;
  const int f = FoundationFor(sourceKind + sourceIndex, suit, rank);
  if (f < 0) return false;
  if (trial) return true;
  if (!StartMove(sourceKind, sourceIndex, f)) return false;
  AnimSetFinishCB(continuation);
  return true;
}

int GenGetLowestFoundationRank() {
  const Gen& g = g_GenLive;
  const int lowest = g.lowestRank;
  int value = lowest + 12;
  for (int f = 0; f < g.numFoundations; ++f) {
    const CardGroup& pile = g.foundations[f];
    if (pile.numCards > 0) {
      int r = GenRulesRank(pile.cards[pile.numCards - 1]);
      if (r < lowest) r += 13;
      if (r < value) value = r;
    } else {
      value = lowest - 1;
      if (value < (g.acesHigh ? 2 : 1)) value = g.acesHigh ? 14 : 13;
    }
  }
  return value;
}

bool GenAllFoundationsFull() {
  const Gen& g = g_GenLive;
  for (int f = 0; f < g.numFoundations; ++f) {
    const int most = g.foundations[f].maxCards < 1 ? 13 : g.foundations[f].maxCards;
    if (g.foundations[f].numCards != most) return false;
  }
  return true;
}

bool GenCheckWonByFoundationCount() {
  const Gen& g = g_GenLive;
  int total = 0;
  for (int f = 0; f < g.numFoundations; ++f) total += g.foundations[f].numCards;
  if (total < g.deckSize) return false;
  GenGameWon();
  return true;
}

void GenGameWon() {
  Gen& g = g_GenLive;
  if (g.gameOver) return;
  g.gameOver = 1;
  GenSetGameInProgress(false);
  GameTimeGameOver();
  // The statistics mark the game as recorded themselves: marked here first,
  // they would take the win for a second report and record nothing.
  g_GameImports.StatsAddCurrentGame(1, 0);
  GenDeleteSavedGame();
  g_GameImports.SoundStartMusic();
  if (g_UserRecord.gatherCards && !GenIsFinishing()) {
    if (AnimSetupGatherAllCardsToDeck(1.5f)) {
      AnimSetFinishCB(GenAfterWinStep);
      return;
    }
  }
  GenAfterWinStep(0, 0);
}
