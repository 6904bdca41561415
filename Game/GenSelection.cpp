// GenSelection.cpp - the move handler, the standard pick-up and drop, the
// cancel with its pick-up copy, and the send to a foundation.
//
// Every rules question is answered on the live record itself: a lift really
// moves the run into the selection pile (after the whole game was kept in
// the pick-up copy), a drop really adds it to the target, and a refusal
// restores the copy. Trials (the candidate lists, the quick-move search, the
// send to a foundation) run the same code with the trial flags below, so a
// variant's own handler and veto apply everywhere without a second rule set.
//
// Move handler, one click:
//   press  : quick button (right; left too where the game's row says so)
//            -> quick-move search; else hit test -> variant handler
//            (slot 3) -> usually GenStdPickupOrDrop -> lift
//   release: the best drop candidate is the hit -> variant handler -> drop,
//            or cancel (the cards go back where they were lifted from); a
//            quick release reaches the handler only over the deck (the
//            stock click)
// After a real click the handler took, the after-move step runs (autoplay,
// undo record, candidates) and the pick-up or drop sound plays.
#include "Game/GenSelection.h"

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/GameImports.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenCopy.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenQuickMove.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelectionLocal.h"
#include "Game/UserRecord.h"

namespace {

// Reset by every real call of the move handler; counts nested trial calls.
int g_trialDepth = 0;
// A lift took the pick-up copy and no drop or cancel has ended it.
bool g_pickupPending = false;

// The pick-up rule byte and the drop rule byte of a kind (-1 for none).
int PickupRuleByte(int kindBase) {
  switch (kindBase) {
    case kWhereCell: return kRulePickupCell;
    case kWhereFoundation: return kRulePickupFoundation;
    case kWhereTableau: return kRulePickupTableau;
    case kWhereFan: return kRulePickupFan;
    case kWhereDeck: return kRulePickupDeck;
    case kWhereWaste: return kRulePickupWaste;
    case kWhereReserve: return kRulePickupReserve;
    default: return -1;
  }
}

int DropRuleByte(int kindBase) {
  switch (kindBase) {
    case kWhereCell: return kRuleDropCell;
    case kWhereFoundation: return kRuleDropFoundation;
    case kWhereTableau: return kRuleDropTableau;
    case kWhereFan: return kRuleDropFan;
    case kWhereDeck: return kRuleDropDeck;
    case kWhereWaste: return kRuleDropWaste;
    case kWhereReserve: return kRuleDropReserve;
    default: return -1;
  }
}

// The pile of a code when it is one of the kind and in use; else null.
CardGroup* PileInUse(int code, int kindBase) {
  if (code <= 0 || GenGetKindBase(code) != kindBase) return nullptr;
  if (code - kindBase >= GenGetKindCount(g_GenLive, kindBase)) return nullptr;
  return GenGetGroup(g_GenLive, code);
}

// Moves the run from slot first of the pile into the selection pile at the
// pointer (less the grab offset) and the lift height.
void Lift(int code, CardGroup* pile, int first) {
  Gen& g = g_GenLive;
  GenTakePickupCopy();
  const GenLayoutConstants& c = GenGetLayoutConstants();
  GenPointerState& p = GenSelPointer();
  float x, y;
  GenGetPointerTablePoint(pile->pos[2], &x, &y);
  x -= p.grabX;  // nothing is carried yet: the point is the raw one
  y -= p.grabY;
  int type = 2;
  if (GenGetKindBase(code) == kWhereTableau && pile->alignType == 1 && g.selectionKeepsAlignment) {
    type = 1;
  }
  g.selection.SetupCardGroup({.x = x, .y = y, .z = GenGetTableHeight() + c.liftHeight, .alignType = type,
                              .absFaceUpGap = c.columnFaceUpGap, .absFaceDownGap = c.columnFaceDownGap,
                              .where = kWhereSelection});
  g.selectionSource = code;
  int n = pile->numCards - first;
  for (int k = 0; k < n; ++k) {
    Card card = pile->cards[first + k];
    card.faceUp = 1;
    card.highlighted = 0;
    g.selection.AddCardToGroup(&card, false, false, false);
  }
  for (int k = 0; k < n; ++k) {
    pile->cards[pile->numCards - 1].owner = nullptr;
    pile->cards[pile->numCards - 1].bothSides = 0;
    --pile->numCards;
  }
  pile->MarkChanged();
  pile->Refresh(true);
  g.selection.Refresh(true);
  GenCheckOk();
  GenBuildDropCandidates();
}

// Empties the selection after its cards went to a pile.
void EmptySelection() {
  CardGroup& s = g_GenLive.selection;
  for (int k = 0; k < s.numCards; ++k) s.cards[k].owner = nullptr;
  s.numCards = 0;
  s.MarkChanged();
  s.Refresh(true);
}

void PlayMoveSound(int before) {
  if (!g_UserRecord.playMovesSound || g_GenLive.selection.numCards == before) return;
  g_GameImports.SoundPlaySample(g_GenLive.selection.numCards > 0 ? kSoundPickup : kSoundDrop);
}

}  // namespace

// ---- Shared state ------------------------------------------------------------------

void GenSelClearPickupPending() { g_pickupPending = false; }

bool GenSelHitOfPile(int code, int* card) {
  CardGroup* pile = GenGetGroup(g_GenLive, code);
  if (!pile) return false;
  *card = pile->numCards > 0 ? pile->numCards - 1 : -1;
  return true;
}

void GenSelEndAllAnimations() {
  for (int round = 0; round < 1000 && CardsAnimIsAnimating(); ++round) {
    if (CardsAnimIsSlotActive(0)) {
      AnimStopNow(false);
      continue;
    }
    for (int slot = 1; slot < kCardsAnimSlots; ++slot) {
      if (CardsAnimIsSlotActive(slot)) CardsAnimFinish(slot, true);
    }
  }
}

// ---- The move handler ----------------------------------------------------------------

bool GenHandleSelection(int button, int down, int trial) {
  if (trial) {
    ++g_trialDepth;
  } else {
    g_trialDepth = 0;
  }
  Gen& g = g_GenLive;
  const int before = g.selection.numCards;
  if (AnimIsAnimating() || !g.ready) return false;
  const GameDef& game = GenCurGameDef();
  bool quick = button == 1;
  int code = 0, card = 0;
  if (!trial && down && button == 0) {
    if (game.quickClick == kQuickClickEitherButton) {
      quick = true;
    } else if (game.quickClick == kQuickClickEitherOnTableau && GenHitTestPiles(&code, &card, false) &&
               GenGetKindBase(code) == kWhereTableau) {
      quick = true;
    }
  }
  if (game.noQuickMove) quick = false;

  // A quick press runs the quick-move search, on the deck too (a variant
  // that lifts the deck's top card sends it on). The release goes on below:
  // over the deck it is the variant's stock click, elsewhere it only cancels.
  if (quick) {
    const bool hit = GenHitTestPiles(&code, &card, !down);
    if (game.noQuickMoveFromWaste && hit && code == kWhereWaste) return false;
    if (!hit) return false;
    if (down) {
      GenSetCurrentHit(code, card);
      GenQuickMoveRun();
      return false;
    }
  }

  bool hit;
  const int best = GenGetBestDropCandidate();
  if (!down && GenSelQuickPhase() == kQuickIdle && best >= 0) {
    const GenCandidate* c = GenGetDropCandidate(best);
    code = c->kindBase + c->index;
    card = c->empty ? -1 : c->topIndex;
    hit = true;
  } else {
    hit = GenHitTestPiles(&code, &card, !down);
  }
  if (hit) {
    GenSetCurrentHit(code, card);
    if (quick && code != kWhereDeck) {
      GenCancelSelection();
      return false;
    }
    const GenVariantCallbacks& cb = GenGetCallbacks();
    if (cb.selection && cb.selection(quick ? 1 : 0, down)) {
      if (trial) return true;
      GenAfterMove();
      PlayMoveSound(before);
      return true;
    }
    // Refused: the cards go back without a sound (the handler made no move).
    if (!trial) GenCancelSelection();
    return false;
  }
  if (!trial && g.selection.numCards > 0) {
    GenCancelSelection();
    PlayMoveSound(before);
  }
  return false;
}

// ---- Standard pick-up ------------------------------------------------------------------

int GenStdSelectionPickup(int, int down, int kindBase, int trial) {
  Gen& g = g_GenLive;
  const int code = GenGetCurrentHitWhere();
  const int hitCard = GenGetCurrentHitCard();
  if (g.selection.numCards > 0 || !down || code <= 0 || kindBase == 0) return 0;
  const int ruleByte = PickupRuleByte(kindBase);
  if (ruleByte < 0) {
    DebugError("GenStdSelectionPickup", "Selection pickup not implemented [%d]", kindBase);
    return 0;
  }
  const int rule = g.rules[ruleByte];
  if (rule == kRuleNone) return 0;
  CardGroup* pile = PileInUse(code, kindBase);
  if (!pile) return 0;
  const int count = pile->numCards;
  int first = -1;
  switch (kindBase) {
    case kWhereTableau:
    case kWhereFan:
      if (hitCard >= 0 && hitCard < count && pile->cards[hitCard].faceUp) first = hitCard;
      break;
    case kWhereReserve:
      if (hitCard >= 0 && hitCard < count) first = hitCard;
      break;
    case kWhereFoundation:
    case kWhereDeck:
    case kWhereWaste:
      if (count > 0) first = count - 1;
      break;
    case kWhereCell:
      if (count > 0) first = 0;
      break;
    default:
      break;
  }
  if (first < 0) return 0;
  const int n = count - first;
  if (rule == kRuleSingleCard && n > 1) return trial ? 0 : 1;
  const Card* run[kCardGroupMaxCards];
  for (int k = 0; k < n; ++k) run[k] = &pile->cards[first + k];
  const bool allowed = GenRulesRunMayBeLifted(rule, code, run, n);
  if (trial) return allowed ? 1 : 0;
  if (allowed) Lift(code, pile, first);
  return 1;
}

// ---- Standard drop -------------------------------------------------------------------------

bool GenStdSelectionDrop(int, int down, int kindBase, int trial, int targetGiven) {
  Gen& g = g_GenLive;
  CardGroup& sel = g.selection;
  if (sel.numCards < 1 || down || kindBase == 0) return false;
  const int ruleByte = DropRuleByte(kindBase);
  if (ruleByte < 0) {
    DebugError("GenStdSelectionDrop", "Selection drop not implemented [%d]", kindBase);
    return false;
  }
  int target = GenGetCurrentHitWhere();
  if (!trial && !targetGiven && GenSelQuickPhase() == kQuickIdle) {
    const int best = GenGetBestDropCandidate();
    if (best < 0) {
      GenCancelSelection();
      return false;
    }
    const GenCandidate* c = GenGetDropCandidate(best);
    target = c->kindBase + c->index;
  }
  const int rule = g.rules[ruleByte];
  if (rule == kRuleNone) return false;
  CardGroup* pile = PileInUse(target, kindBase);
  if (!pile) return false;

  const int carried = sel.numCards;
  const Card& first = sel.cards[0];
  const int suit = first.suit;
  const int rank = GenRulesRank(first);
  const int source = g.selectionSource;
  const bool empty = pile->numCards < 1;
  int topSuit = -1, topRank = -1;
  if (!empty) {
    topSuit = pile->cards[pile->numCards - 1].suit;
    topRank = GenRulesRank(pile->cards[pile->numCards - 1]);
  }
  auto onCard = [&] { return GenRulesMayDropOnCard(rule, target, source, topSuit, topRank, suit, rank); };
  bool allowed = false;
  switch (kindBase) {
    case kWhereTableau:
      allowed = empty ? GenRulesMayDropOnEmpty(g.rules[kRuleDropEmptyTableau], kindBase, target,
                                               source, suit, rank, carried)
                      : onCard();
      break;
    case kWhereFan:
      allowed = empty ? GenRulesMayDropOnEmpty(g.rules[kRuleDropEmptyFan], kindBase, target, source,
                                               suit, rank, carried)
                      : onCard();
      break;
    case kWhereCell:
      allowed = carried == 1 && empty &&
                GenRulesMayDropOnEmpty(rule, kindBase, target, source, suit, rank, carried);
      break;
    case kWhereFoundation:
      if (carried == 1 || GenCurGameDef().multiCardFoundationDrop) {
        allowed = empty ? GenRulesMayDropOnEmpty(rule, kindBase, target, source, suit, rank, carried)
                        : onCard();
      }
      break;
    case kWhereReserve:
      if (g.reservesDropOnlyEmpty && !empty) break;
      allowed = empty || onCard();
      break;
    case kWhereDeck:
    case kWhereWaste:
      allowed = empty || onCard();
      break;
    default:
      break;
  }
  if (allowed) {
    const GenVariantCallbacks& cb = GenGetCallbacks();
    if (cb.dropVeto && !cb.dropVeto(target)) allowed = false;
  }
  if (!allowed) {
    if (trial) return false;
    GenCancelSelection();
    return true;
  }
  if (trial) return true;

  // A pile without room for every carried card (a full foundation above
  // all) takes none of them: the cards go back rather than being lost.
  if (pile->numCards + carried > pile->maxCards) {
    GenCancelSelection();
    return true;
  }
  for (int k = 0; k < carried; ++k) pile->AddCardToGroup(&sel.cards[k], false, false, false);
  pile->Refresh(true);
  EmptySelection();
  GenCheckOk();
  g_pickupPending = false;  // the move is done: nothing to put back
  GenClearHighlights();
  GenSelClearDropCandidates();
  GenResetBestDropCandidate();
  GenBuildPickupCandidates();
  return true;
}

int GenStdPickup(int button, int down, int kindBase) {
  return GenStdSelectionPickup(button, down, kindBase, 0);
}

bool GenStdDrop(int button, int down, int kindBase) {
  return GenStdSelectionDrop(button, down, kindBase, 0, 0);
}

bool GenStdPickupOrDrop(int button, int down, int kindBase) {
  if (GenStdSelectionPickup(button, down, kindBase, 0) != 0) return true;
  return GenStdSelectionDrop(button, down, kindBase, 0, 0);
}

// ---- Cancel and the pick-up copy ---------------------------------------------------------------

void GenCancelSelection() {
  if (GenSelQuickPhase() == kQuickTrying) return;
  GenClearHighlights();
  GenSelClearDropCandidates();
  GenResetBestDropCandidate();
  if (g_pickupPending) {
    // Only carried cards are put back: once a drop has ended the lift there
    // is nothing to undo here.
    if (g_GenLive.selection.numCards > 0) GenCopyRecord(g_GenLive, GenPickupCopy());
    g_pickupPending = false;
  }
}

bool GenIsPickupCopyPending() { return g_pickupPending; }

void GenTakePickupCopy() {
  GenCopyRecord(GenPickupCopy(), g_GenLive);
  g_pickupPending = g_GenLive.ready != 0;
}

// ---- Send to a foundation ------------------------------------------------------------------------

int GenSendClickedCardToFoundation() {
  Gen& g = g_GenLive;
  if (!g.ready || AnimIsAnimating() || g.gameOver || g.selection.numCards > 0 || g.numFoundations < 1) {
    return 0;
  }
  int code = 0, card = 0;
  if (!GenHitTestPiles(&code, &card, false)) return 0;
  const int kind = GenGetKindBase(code);
  if (kind != kWhereTableau && kind != kWhereFan && kind != kWhereReserve && kind != kWhereCell &&
      kind != kWhereDeck && kind != kWhereWaste) {
    return 0;
  }
  CardGroup* pile = PileInUse(code, kind);
  if (!pile || pile->numCards < 1) return 0;
  const int top = pile->numCards - 1;
  if (card != top || !pile->cards[top].faceUp) return 0;

  const int savedWhere = GenGetCurrentHitWhere();
  const int savedCard = GenGetCurrentHitCard();
  GenCopyRecord(GenTrialScratch(), g);
  int found = -1;
  for (int f = 0; f < g.numFoundations && found < 0; ++f) {
    GenSetCurrentHit(code, top);
    if (GenStdSelectionPickup(0, 1, kind, 0) && g.selection.numCards > 0) {
      const int before = g.foundations[f].numCards;
      int fCard = -1;
      GenSelHitOfPile(kWhereFoundation + f, &fCard);
      GenSetCurrentHit(kWhereFoundation + f, fCard);
      GenStdSelectionDrop(0, 0, kWhereFoundation, 0, 1);
      if (g.foundations[f].numCards > before) found = f;
    }
    GenCopyRecord(g, GenTrialScratch());
    g_pickupPending = false;
  }
  GenSetCurrentHit(savedWhere, savedCard);
  GenBuildPickupCandidates();
  if (found < 0) return 0;
  const bool started =
      AnimSetupMove({.fromKind = kind, .from = code - kind, .toKind = kWhereFoundation, .to = found, .speed = 1.0f});
  return started ? 1 : 0;
}
