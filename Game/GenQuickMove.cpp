// GenQuickMove.cpp - the quick-move search, its trial checks and the
// animation of the move found (see GenQuickMove.h).
//
// Cost: each trial saves and restores the live record around one real drop.
// GenCopyRecord copies only the piles that differ, which for a trial are the
// selection and the target, so a search stays far below a frame's time even
// on a two-deck table.
#include "Game/GenQuickMove.h"

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenCopy.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenSelectionLocal.h"
#include "Game/GenUndo.h"

namespace {

// Reset at the end of every search.
struct QuickState {
  int phase = kQuickIdle;
  bool trial = false;       // a trial release is running
  CardGroup selection;      // the run lifted by the search
  int source = 0;           // the pile it was lifted from
};
QuickState& Q() {
  static QuickState state;
  return state;
}

bool g_autoplayAllowed = true;

// The next card place of a pile: where a card added now would lie.
void NextCardPlace(const CardGroup& pile, float* x, float* y) {
  int slot = pile.numCards < kCardGroupMaxCards ? pile.numCards : kCardGroupMaxCards - 1;
  *x = pile.pos[0] + pile.cards[slot].pos[0];
  *y = pile.pos[1] + pile.cards[slot].pos[1];
}

// Tries the piles of a kind in index order; empties only, non-empties only
// or both. The target code found, or 0.
int TryKind(int kindBase, bool nonEmptyOnly, bool emptyOnly) {
  Gen& g = g_GenLive;
  const int n = GenGetKindCount(g, kindBase);
  for (int i = 0; i < n; ++i) {
    const int code = kindBase + i;
    CardGroup* pile = GenGetGroup(g, code);
    if (emptyOnly && pile->numCards > 0) continue;
    float x, y;
    NextCardPlace(*pile, &x, &y);
    if (GenQuickMoveCheck(code, x, y, pile->numCards, nonEmptyOnly)) return code;
  }
  return 0;
}

// The Spider search's fits of the clicked run: a tableau whose top card is
// one rank above the run's first card, in the same suit (a same-suit fit) or
// in another suit (a plain fit: only the rank fits). A run from a cell fits
// as a tableau's does; the waste's card (Coleopter's, the one Spider game
// with a waste) counts as both fits, so every search is tried for it.
void SpiderFits(bool* sameSuit, bool* plain) {
  Gen& g = g_GenLive;
  *sameSuit = *plain = false;
  int code = 0, card = 0;
  if (!GenHitTestPiles(&code, &card, false)) return;
  const int kind = GenGetKindBase(code);
  if (code == kWhereWaste) {
    *sameSuit = *plain = true;
    return;
  }
  if (kind != kWhereTableau && kind != kWhereCell) return;
  CardGroup* pile = GenGetGroup(g, code);
  if (kind == kWhereCell) card = 0;
  if (card < 0 || card >= pile->numCards) return;
  const Card& first = pile->cards[card];
  for (int t = 0; t < g.numTableaus; ++t) {
    const CardGroup& other = g.tableaus[t];
    if (&other == pile || other.numCards < 1) continue;
    const Card& top = other.cards[other.numCards - 1];
    if (top.rank != first.rank + 1) continue;
    if (top.suit == first.suit) {
      *sameSuit = true;
    } else {
      *plain = true;
    }
  }
}

}  // namespace

int GenSelQuickPhase() { return Q().phase; }
bool GenIsAutoplayAllowed() { return g_autoplayAllowed; }
bool GenIsQuickMoveSearching() { return Q().phase != kQuickIdle; }

bool GenQuickMoveRun() {
  Gen& g = g_GenLive;
  g_autoplayAllowed = false;
  GenCopyRecord(GenQuickMoveCopy(), g);
  const GenQuickSearch search = GenCurGameDef().quickSearch;
  int target = 0;
  uint8_t& tableauRule = g.rules[kRuleDropTableau];
  uint8_t& emptyRule = g.rules[kRuleDropEmptyTableau];
  if (search == kQuickSearchInSuitFirst) {
    // In suit without spaces first, then by suit or rank with kings to
    // spaces; the player's own rules are put back afterwards.
    const uint8_t keepTableau = tableauRule, keepEmpty = emptyRule;
    tableauRule = 2;
    emptyRule = 19;
    target = GenQuickMoveSearch();
    if (!target) {
      tableauRule = 9;
      emptyRule = 17;
      target = GenQuickMoveSearch();
    }
    tableauRule = keepTableau;
    emptyRule = keepEmpty;
    GenQuickMoveCopy().rules[kRuleDropTableau] = keepTableau;
    GenQuickMoveCopy().rules[kRuleDropEmptyTableau] = keepEmpty;
  } else if (search == kQuickSearchSpider) {
    bool sameSuit, plain;
    SpiderFits(&sameSuit, &plain);
    tableauRule = 2;
    emptyRule = 19;
    if (sameSuit) target = GenQuickMoveSearch();
    tableauRule = 6;
    if (!target && plain) target = GenQuickMoveSearch();
    emptyRule = 0;
    if (!target) target = GenQuickMoveSearch();
    GenQuickMoveCopy().rules[kRuleDropTableau] = 6;
    GenQuickMoveCopy().rules[kRuleDropEmptyTableau] = 0;
  } else {
    target = GenQuickMoveSearch();
  }
  g_autoplayAllowed = true;
  if (!target) return false;
  const bool started = GenAnimateQuickMove(target);
  GenUndoRecordState();
  GenBuildPickupCandidates();
  GenClearHighlights();
  GenResetBestDropCandidate();
  return started;
}

int GenQuickMoveSearch() {
  Gen& g = g_GenLive;
  QuickState& q = Q();
  if (g.selection.numCards > 0) return 0;
  q.phase = kQuickLifting;
  GenHandleSelection(0, 1, 1);
  if (g.selection.numCards < 1) {
    q.phase = kQuickIdle;
    return 0;
  }
  q.selection = g.selection;
  q.source = g.selectionSource;
  q.phase = kQuickTrying;
  const bool single = g.selection.numCards == 1;
  const GenQuickReserves reserves = GenCurGameDef().quickReserves;
  int target = 0;
  if (single && g.foundationsFirst) target = TryKind(kWhereFoundation, false, false);
  if (!target) target = TryKind(kWhereTableau, true, false);
  // Every tableau: the ones with cards already failed, so only the empty
  // ones are left to try.
  if (!target) target = TryKind(kWhereTableau, false, true);
  if (!target && single) {
    target = TryKind(kWhereFan, true, false);
    if (!target) target = TryKind(kWhereFan, false, true);
    if (!target && !g.foundationsFirst) target = TryKind(kWhereFoundation, false, false);
    if (!target) target = TryKind(kWhereCell, false, false);
  }
  if (!target && g.reservesInUse) {
    if (reserves != kQuickReservesWithCardsOnly) target = TryKind(kWhereReserve, false, true);
    if (!target && reserves != kQuickReservesEmptyOnly) target = TryKind(kWhereReserve, true, false);
  }
  q.phase = kQuickIdle;
  if (!target) GenCancelSelection();
  return target;
}

bool GenQuickMoveCheck(int target, float x, float y, int targetCount, bool skipEmpty) {
  Gen& g = g_GenLive;
  QuickState& q = Q();
  if (g.selection.numCards < 1) {
    DebugError("GenQuickMoveCheck", "No selection present");
    return false;
  }
  if (target == g.selectionSource) return false;
  if (skipEmpty && targetCount == 0) return false;
  CardGroup* pile = GenGetGroup(g, target);
  if (!pile) return false;

  GenCopyRecord(GenTrialScratch(), g);
  const int savedWhere = GenGetCurrentHitWhere();
  const int savedCard = GenGetCurrentHitCard();
  GenPointerState& p = GenSelPointer();
  const GenPointerState savedPointer = p;
  p.placed = true;
  p.placedX = x;
  p.placedY = y;
  GenUpdateDrag(true);
  q.source = g.selectionSource;

  q.trial = true;
  GenHandleSelection(0, 0, 1);
  const int count = pile->numCards;

  GenCopyRecord(g, GenTrialScratch());
  GenSetCurrentHit(savedWhere, savedCard);
  p = savedPointer;
  q.trial = false;
  GenUpdateDrag(true);
  if (count == targetCount) return false;
  q.phase = kQuickIdle;
  GenClearHighlights();
  return true;
}

bool GenAnimateQuickMove(int target) {
  QuickState& q = Q();
  const int n = q.selection.numCards;
  const int source = q.source;
  GenCopyRecord(g_GenLive, GenQuickMoveCopy());
  GenSelClearPickupPending();
  const int from = GenGetKindBase(source), to = GenGetKindBase(target);
  const int si = source - from, ti = target - to;
  if (!AnimSetupHasMove(from, to)) {
    // The source is named when nothing moves from its kind at all.
    DebugError("GenAnimateQuickMove", "where = %d not supported yet", AnimSetupHasMoveFrom(from) ? target : source);
    return false;
  }
  const bool started = AnimSetupMove(
      {.n = n, .fromKind = from, .from = si, .toKind = to, .to = ti, .speed = 0.5f, .together = true});
  if (started) AnimSetFinishCB(GenGetCallbacks().autoplay);
  return started;
}
