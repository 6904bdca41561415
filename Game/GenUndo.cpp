// GenUndo.cpp - the undo history (see GenUndo.h).
//
// Recording (after a move): nothing while cards are carried; while an
// animation runs the call chains itself to its end (finish step, else the
// post-finish step). With 199 states or more the oldest are dropped. A move
// that changed no pile count records nothing (turning a card alone is not a
// move), unless it changed the variant's state byte: a redeal that deals
// the piles as full as they were still uses one of the redeals. Otherwise the face-up cards of the new state are counted against
// the current record (cells count their cards): more marks the new record.
// A new record discards the redo tail and counts one move, except a
// history's first record over a counter that already holds it.
//
// Rebuilding: the live game is copied into the work copy, then every pile's
// count and place and every card's suit, rank, face and place are written
// from the record; bad entries are reported and skipped, a pile holding a
// bad card is emptied, and every pile is laid out again.
#include "Game/GenUndo.h"

#include <cstring>

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/GameImports.h"
#include "Game/GenCopy.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"
#include "Game/UserRecord.h"

namespace {

// One more on a game record's counter, stopping at the bound.
void CountUp(int32_t& counter) {
  if (counter < kGenUndoMaxCounter) ++counter;
}

// Reset by GenUndoReset.
struct UndoHistory {
  UndoDetails records[kGenUndoMaxStates];
  int index = -1;
  int inUse = 0;
};
UndoHistory& H() {
  static UndoHistory history;
  return history;
}

Gen& BaseCopy() { return GenUndoWork1(); }
Gen& WorkCopy() { return GenUndoWork2(); }

// Calls f(summary, code, group) for every pile summary of a record and its
// pile in a game record.
template <typename F>
void ForEachSummary(UndoDetails& u, Gen& g, F f) {
  f(u.deck, kWhereDeck, g.deck);
  f(u.waste, kWhereWaste, g.waste);
  for (int i = 0; i < kGenMaxReserves; ++i) f(u.reserves[i], kWhereReserve + i, g.reserves[i]);
  for (int i = 0; i < kGenMaxFoundations; ++i) {
    f(u.foundations[i], kWhereFoundation + i, g.foundations[i]);
  }
  for (int i = 0; i < kGenMaxTableaus; ++i) f(u.tableaus[i], kWhereTableau + i, g.tableaus[i]);
  for (int i = 0; i < kGenMaxFans; ++i) f(u.fans[i], kWhereFan + i, g.fans[i]);
  for (int i = 0; i < kGenMaxCells; ++i) f(u.cells[i], kWhereCell + i, g.cells[i]);
  f(u.dealGroup, kWhereDealGroup, g.dealGroup);
}

// The five pile counts, between a record and a game (the fields share
// their names).
template <typename To, typename From>
void CopyPileCounts(To& to, const From& from) {
  to.numFoundations = from.numFoundations;
  to.numTableaus = from.numTableaus;
  to.numFans = from.numFans;
  to.numReserves = from.numReserves;
  to.numCells = from.numCells;
}

// The state has not changed since the record: the same pile counts and the
// same variant state byte.
bool SameState(const UndoDetails& u, const Gen& g) {
  if (u.variantState != g.variantState) return false;
  if (u.deck.numCards != g.deck.numCards || u.waste.numCards != g.waste.numCards ||
      u.dealGroup.numCards != g.dealGroup.numCards) {
    return false;
  }
  for (int i = 0; i < g.numCells; ++i) if (u.cells[i].numCards != g.cells[i].numCards) return false;
  for (int i = 0; i < g.numFans; ++i) if (u.fans[i].numCards != g.fans[i].numCards) return false;
  for (int i = 0; i < g.numTableaus; ++i) {
    if (u.tableaus[i].numCards != g.tableaus[i].numCards) return false;
  }
  for (int i = 0; i < g.numFoundations; ++i) {
    if (u.foundations[i].numCards != g.foundations[i].numCards) return false;
  }
  for (int i = 0; i < g.numReserves; ++i) {
    if (u.reserves[i].numCards != g.reserves[i].numCards) return false;
  }
  return true;
}

// Face-up cards as the mark counts them: face-up cards of the deck, waste,
// reserves, foundations, tableaus and fans, and every card in a cell.
int FaceUpCount(const UndoDetails& u) {
  int n = 0;
  for (int k = 0; k < u.numCardEntries; ++k) {
    const int kind = GenGetKindBase(u.cards[k].where);
    if (kind == kWhereCell) {
      ++n;
    } else if (kind != kWhereDealGroup && kind != 0 && u.cards[k].faceUp) {
      ++n;
    }
  }
  return n;
}

int FaceUpCount(const Gen& g) {
  int n = 0;
  GenForEachPileInUse(g, [&n](const CardGroup& p, int kind) {
    if (kind == kWhereCell) {
      n += p.numCards;
      return;
    }
    for (int i = 0; i < p.numCards; ++i) n += p.cards[i].faceUp ? 1 : 0;
  });
  return n;
}

bool RecordStateCB(int, int) {
  GenUndoRecordState();
  return false;
}

// One pile into the record: its summary, then its cards as entries.
void CopyGenGroupToUndoGroup(UndoDetails& u, UndoGroupSummary& summary, int code,
                             const CardGroup& pile) {
  summary.numCards = 0;
  std::memcpy(summary.pos, pile.pos, sizeof summary.pos);
  if (pile.numCards < 0 || pile.numCards > kCardGroupMaxCards) {
    DebugError("GenUndoCopyGenGroupToUndoGroup", "Invalid num cards %d", pile.numCards);
    return;
  }
  summary.numCards = pile.numCards;
  for (int i = 0; i < pile.numCards; ++i) {
    if (u.numCardEntries >= kGenUndoMaxCards) {
      DebugError("GenUndoCopyGenGroupToUndoGroup", "Too many cards %d", u.numCardEntries + 1);
      return;
    }
    const Card& c = pile.cards[i];
    UndoCard& e = u.cards[u.numCardEntries++];
    e.suit = static_cast<int8_t>(c.suit);
    e.rank = static_cast<int8_t>(c.rank);
    e.faceUp = c.faceUp;
    std::memcpy(e.pos, c.pos, sizeof e.pos);
    e.where = code;
    e.index = i;
  }
}

void CopyUndoCardToGenGroupCard(Gen& g, const UndoCard& e) {
  const char* where = "GenUndoCopyUndoCardToGenGroupCard";
  CardGroup* pile = GenGetGroup(g, e.where);
  if (!pile || e.where == kWhereSelection) {
    DebugError(where, "Invalid group_where %d", e.where);
    return;
  }
  if (e.index < 0 || e.index >= pile->numCards) {
    DebugError(where, "Invalid group m_pos [%d, %d]", e.index, pile->numCards);
    return;
  }
  Card& c = pile->cards[e.index];
  c.suit = e.suit;
  c.rank = e.rank;
  const bool real = e.suit >= 0 && e.suit <= 3 && e.rank >= 1 && e.rank <= 14;
  c.number = real ? e.suit * 14 + (e.rank == 14 ? 1 : e.rank) : -1;
  c.faceUp = e.faceUp;
  c.highlighted = 0;
  c.hidden = 0;
  c.flying = 0;
  std::memcpy(c.pos, e.pos, sizeof c.pos);
  c.UpdateMatrix();
}

// A pile with a bad count or a bad card is emptied; every pile is laid out.
void CheckGenGroup(CardGroup& pile) {
  const char* where = "GenUndoCheckGenGroup";
  if (pile.numCards < 0 || pile.numCards > kCardGroupMaxCards) {
    DebugError(where, "Invalid num cards %d", pile.numCards);
    pile.numCards = 0;
  }
  for (int i = 0; i < pile.numCards; ++i) {
    const Card& c = pile.cards[i];
    if (c.suit < 0 || c.rank < 0 || c.pos[0] < -100 || c.pos[1] < -100 || c.pos[2] < -100) {
      DebugError(where, "Invalid card %d", i);
      pile.numCards = 0;
      break;
    }
  }
  pile.RelinkOwners();
  pile.MarkChanged();
  pile.Refresh(true);
}

bool Step(bool back) {
  UndoHistory& h = H();
  Gen& g = g_GenLive;
  GenClearHighlights();
  int marked = 0;
  if (back) {
    if (!GenUndoCanUndo(&marked)) return false;
    marked = h.records[h.index].marked;
    --h.index;
  } else {
    if (!GenUndoCanRedo()) return false;
    ++h.index;
  }
  const int lowest = g.lowestRank;
  const uint8_t picture = g.emptySpacePicture;
  const uint8_t statsState = g.statsState;
  const Gen* rebuilt = GenUndoCreateGenFromUndoDetails(h.index);
  if (rebuilt) GenCopyRecord(g, *rebuilt);
  if (back) CountUp(marked ? g.markedUndos : g.unmarkedUndos);
  g.statsState = statsState;
  if (g.lowestRank != lowest) SolCardsSetFoundationSpaceRank(g.lowestRank);
  // The deck marker follows the redeal counter the step brought back.
  GenUpdateDeckMarker(false);
  if (g.emptySpacePicture != picture) SolCardsSetSpaceCustomPic(g.emptySpacePicture);
  g_GameImports.ScoreUpdateCurrentScore();
  GenBuildPickupCandidates();
  return true;
}

}  // namespace

void GenUndoReset() {
  UndoHistory& h = H();
  h.index = -1;
  h.inUse = 0;
  GenCopyRecord(BaseCopy(), g_GenLive);
}

void GenUndoRecordState() {
  UndoHistory& h = H();
  Gen& g = g_GenLive;
  if (g.selection.numCards > 0) return;
  if (AnimIsAnimating()) {
    if (!AnimIsFinishCBSet()) {
      AnimSetFinishCB(RecordStateCB);
    } else if (!AnimIsPostFinishCBSet()) {
      AnimSetPostFinishCB(RecordStateCB);
    }
    return;
  }
  if (h.index >= kGenUndoMaxStates - 1) {
    const int drop = h.index - (kGenUndoMaxStates - 2);
    std::memmove(&h.records[0], &h.records[drop],
                 sizeof(UndoDetails) * static_cast<size_t>(h.inUse - drop));
    h.index -= drop;
    h.inUse -= drop;
  }
  bool marked = false;
  if (h.index >= 0) {
    const UndoDetails& current = h.records[h.index];
    if (SameState(current, g)) return;
    marked = FaceUpCount(g) > FaceUpCount(current);
  }
  ++h.index;
  h.inUse = h.index + 1;
  GenUndoCreateUndoDetailsFromGen(h.index, marked);
  // The history's first record is the table the game starts from, one
  // state once: a resumed game's counter holds it from its file, and a deal
  // that landed at once was recorded as it landed.
  if (h.index > 0 || g.moves < 1) CountUp(g.moves);
}

bool GenUndoCreateUndoDetailsFromGen(int index, bool marked) {
  UndoHistory& h = H();
  if (index < 0 || index >= h.inUse || index >= kGenUndoMaxStates) {
    DebugNote("Bad undo num %d", index);
    return false;
  }
  Gen& g = g_GenLive;
  UndoDetails& u = h.records[index];
  CopyPileCounts(u, g);
  u.numCardEntries = 0;
  ForEachSummary(u, g, [&u](UndoGroupSummary& summary, int code, CardGroup& pile) {
    CopyGenGroupToUndoGroup(u, summary, code, pile);
  });
  u.reserved = 0;
  u.marked = marked ? 1 : 0;
  u.variantState = g.variantState;
  return true;
}

const Gen* GenUndoCreateGenFromUndoDetails(int index) {
  UndoHistory& h = H();
  if (index < 0 || index >= h.inUse) return nullptr;
  Gen& w = WorkCopy();
  GenCopyRecord(w, g_GenLive);
  UndoDetails& u = h.records[index];
  CopyPileCounts(w, u);
  ForEachSummary(u, w, [](UndoGroupSummary& summary, int, CardGroup& pile) {
    pile.numCards = summary.numCards;
    std::memcpy(pile.pos, summary.pos, sizeof pile.pos);
    pile.UpdateGroupMatrix();
  });
  for (int k = 0; k < u.numCardEntries && k < kGenUndoMaxCards; ++k) {
    CopyUndoCardToGenGroupCard(w, u.cards[k]);
  }
  ForEachSummary(u, w, [](UndoGroupSummary&, int, CardGroup& pile) { CheckGenGroup(pile); });
  w.selection.numCards = 0;
  w.selection.RelinkOwners();
  w.variantState = u.variantState;
  return &w;
}

bool GenUndoCanUndo(int* marked) {
  UndoHistory& h = H();
  if (marked) *marked = 0;
  const Gen& g = g_GenLive;
  if (AnimIsAnimating() || g.gameOver || h.index < 1 || h.inUse < 1) return false;
  const int option = g_UserRecord.undoLevel;
  if (option == 0) return false;
  const bool isMarked = h.records[h.index].marked != 0;
  if (isMarked && marked) *marked = 1;
  if (option == 1 && isMarked) return false;
  return true;
}

bool GenUndoCanRedo() {
  UndoHistory& h = H();
  const Gen& g = g_GenLive;
  if (AnimIsAnimating() || g.gameOver) return false;
  return h.index < h.inUse - 1;
}

bool GenUndo() { return Step(true); }
bool GenRedo() { return Step(false); }

int GenUndoGetIndex() { return H().index; }
int GenUndoGetNumInUse() { return H().inUse; }
const UndoDetails* GenUndoGetRecord(int index) {
  return index >= 0 && index < H().inUse ? &H().records[index] : nullptr;
}
