// GenCandidates.cpp - the drop and pick-up candidate lists, the drag and the
// best drop candidate, and the highlights.
//
// The drop list is made right after a lift by a trial drop on every pile in
// use; the drag then only measures the carried run's four corners against
// the piles in it. The best candidate is what a release drops on.
//
// Choosing the best (four corners of the carried run, each list entry in
// turn): a corner over a pile with cards measures the distance to its top
// card (kind 0); over an empty column (kind 1) or row (kind 2) it measures
// the snap point against the run's place. A corner replaces the best when
// it is nearer by the best's own kind: straight distance for kind 0, only
// across for a column, only along for a row; ties keep the earlier. Once a
// pile with cards is the best, no empty column or row can take over.
#include <cmath>

#include "Game/CardsSettings.h"
#include "Game/GameImports.h"
#include "Game/Gen.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenSelectionLocal.h"
#include "Game/UserRecord.h"

namespace {

// Rebuilt after each lift; emptied by a drop or a cancel.
GenCandidate g_drop[kGenMaxDropCandidates];
int g_dropCount = 0;
// Rebuilt whenever nothing is carried after a move.
GenCandidate g_pickup[kGenMaxPickupCandidates];
int g_pickupCount = 0;

// The best drop candidate of the last drag update.
struct Best {
  int index = -1;
  float d = 0, dx = 0, dy = 0;
  int kind = 0;  // 0 distance to a top card, 1 empty column, 2 empty row
  bool empty = false;
};
Best g_best;

GenCandidate MakeCandidate(int kindBase, int index, CardGroup* pile, bool isSource) {
  GenCandidate c;
  c.kindBase = kindBase;
  c.index = index;
  c.pile = pile;
  c.empty = pile->numCards < 1;
  c.isSource = isSource;
  c.topIndex = c.empty ? 0 : pile->numCards - 1;
  c.top = &pile->cards[c.topIndex];
  return c;
}

// Calls f(kindBase, index) for every pile in use, kind by kind in the order
// given (0 ends the list); reserves run backwards when asked.
template <typename F>
void ForEachPileInUse(const int* kinds, bool reservesBackwards, F f) {
  const Gen& g = g_GenLive;
  for (int k = 0; kinds[k] != 0; ++k) {
    int n = GenGetKindCount(g, kinds[k]);
    for (int i = 0; i < n; ++i) {
      int index = kinds[k] == kWhereReserve && reservesBackwards ? n - 1 - i : i;
      f(kinds[k], index);
    }
  }
}

// The kinds in the order both lists are built in (0 ends the list).
constexpr int kListOrder[] = {kWhereFoundation, kWhereCell, kWhereReserve, kWhereTableau,
                              kWhereFan, kWhereDeck, kWhereWaste, 0};

// The lists are built by trials on each pile as the current hit; the
// player's own hit is put back afterwards.
class KeepCurrentHit {
 public:
  KeepCurrentHit() : where_(GenGetCurrentHitWhere()), card_(GenGetCurrentHitCard()) {}
  ~KeepCurrentHit() { GenSetCurrentHit(where_, card_); }
  KeepCurrentHit(const KeepCurrentHit&) = delete;
  KeepCurrentHit& operator=(const KeepCurrentHit&) = delete;

 private:
  int where_, card_;
};

}  // namespace

void GenSelClearDropCandidates() { g_dropCount = 0; }

int GenGetDropCandidateCount() { return g_dropCount; }
const GenCandidate* GenGetDropCandidate(int i) {
  return i >= 0 && i < g_dropCount ? &g_drop[i] : nullptr;
}
int GenGetPickupCandidateCount() { return g_pickupCount; }
int GenGetBestDropCandidate() { return g_best.index; }
void GenResetBestDropCandidate() { g_best = Best(); }

void GenBuildDropCandidates() {
  Gen& g = g_GenLive;
  if (g.selection.numCards < 1) return;
  GenClearHighlights();
  g_dropCount = 0;
  const KeepCurrentHit keep;
  const bool sourceIsCandidate = GenCurGameDef().sourceIsDropCandidate;
  ForEachPileInUse(kListOrder, false, [&](int kind, int index) {
    const int code = kind + index;
    CardGroup* pile = GenGetGroup(g, code);
    if (pile->maxCards < 1) return;
    int card;
    GenSelHitOfPile(code, &card);
    GenSetCurrentHit(code, card);
    const bool isSource = code == g.selectionSource;
    bool enter;
    if (isSource && sourceIsCandidate) {
      enter = true;
    } else {
      enter = !isSource && GenStdSelectionDrop(0, 0, kind, 1, 0);
    }
    if (enter && g_dropCount < kGenMaxDropCandidates) {
      g_drop[g_dropCount++] = MakeCandidate(kind, index, pile, isSource);
    }
  });
}

void GenBuildPickupCandidates() {
  Gen& g = g_GenLive;
  // Inside a quick-move search the list would only be made again after it.
  if (GenSelQuickPhase() != kQuickIdle) return;
  g_pickupCount = 0;
  if (!g.ready || g.selection.numCards > 0) return;
  const KeepCurrentHit keep;
  ForEachPileInUse(kListOrder, true, [&](int kind, int index) {
    const int code = kind + index;
    CardGroup* pile = GenGetGroup(g, code);
    if (pile->maxCards < 1) return;
    auto tryCard = [&](int card) {
      GenSetCurrentHit(code, card);
      if (GenStdSelectionPickup(0, 1, kind, 1) && g_pickupCount < kGenMaxPickupCandidates) {
        GenCandidate c = MakeCandidate(kind, index, pile, false);
        if (card >= 0) {
          c.topIndex = card;
          c.top = &pile->cards[card];
        }
        g_pickup[g_pickupCount++] = c;
      }
    };
    if (pile->numCards < 1) {
      tryCard(-1);
      return;
    }
    if (kind == kWhereTableau && pile->alignType == 1 && g.selectionKeepsAlignment) {
      tryCard(0);
      return;
    }
    for (int card = pile->numCards - 1; card >= 0; --card) tryCard(card);
  });
}

void GenUpdateDrag(bool trial) {
  Gen& g = g_GenLive;
  CardGroup& sel = g.selection;
  if (!g.ready || sel.numCards < 1) return;
  float x, y;
  GenGetPointerTablePoint(sel.pos[2], &x, &y);
  sel.MoveGroupTo(x, y, sel.pos[2]);
  GenFindBestDropCandidate();
  if (trial || g_best.index < 0 || !g_UserRecord.highlightPlayable) return;
  const GenCandidate& c = g_drop[g_best.index];
  if (!c.empty && !c.isSource && !GenCurGameDef().highlightsOff) c.top->highlighted = 1;
}

void GenFindBestDropCandidate() {
  const Gen& g = g_GenLive;
  const CardGroup& sel = g.selection;
  const CardsSettingsRecord& s = CardsGetSettings();
  const float hw = s.halfWidth, hh = s.halfHeight;
  const float x = sel.pos[0], y = sel.pos[1];
  const float corners[4][2] = {{x - 0.9f * hw, y - 0.9f * hh},
                               {x + 0.9f * hw, y - 0.9f * hh},
                               {x - 0.9f * hw, y + 0.9f * hh},
                               {x + 0.9f * hw, y + 0.9f * hh}};
  const int hitWhere = GenGetCurrentHitWhere();
  const bool searching = GenSelQuickPhase() != kQuickIdle;
  g_best = Best();
  for (int i = 0; i < g_dropCount; ++i) {
    GenCandidate& c = g_drop[i];
    CardGroup* pile = c.pile;
    const bool empty = pile->numCards < 1;
    if (!empty) pile->cards[pile->numCards - 1].highlighted = 0;
    for (const auto& corner : corners) {
      float snapX = 0, snapY = 0;
      bool over = !empty && pile->cards[pile->numCards - 1].IsScreenPointInside(corner[0], corner[1]);
      if (!over) over = pile->IsScreenPointInsideGroupArea(corner[0], corner[1], x, y, &snapX, &snapY);
      if (!over) continue;
      float dx, dy;
      int kind = 0;
      if (!empty) {
        dx = std::fabs(pile->GetTopCardX() - corner[0]);
        dy = std::fabs(pile->GetTopCardY() - corner[1]);
      } else {
        dx = std::fabs(snapX - x);
        dy = std::fabs(snapY - y);
        if (pile->IsVerticalAlignment()) {
          kind = 1;
        } else if (pile->IsHorizontalAlignment()) {
          kind = 2;
        }
      }
      float d = std::sqrt(dx * dx + dy * dy);
      if (c.kindBase + c.index == hitWhere) {
        if (pile->IsVerticalAlignment()) {
          dx += hw;
          d += hw;
        } else if (pile->IsHorizontalAlignment()) {
          dy += hh;
          d += hh;
        }
      }
      if (searching && c.isSource) {
        dx += 3 * s.height;
        dy += 3 * s.height;
        d += 3 * s.height;
      }
      if (g_best.index >= 0 && g_best.kind == 0 && kind != 0) continue;
      bool better = g_best.index < 0;
      if (!better) {
        switch (g_best.kind) {
          case 0: better = d < g_best.d; break;
          case 1: better = dx < g_best.dx; break;
          default: better = dy < g_best.dy; break;
        }
      }
      if (better) {
        g_best.index = i;
        g_best.d = d;
        g_best.dx = dx;
        g_best.dy = dy;
        g_best.kind = kind;
        g_best.empty = empty;
      }
    }
  }
}

void GenClearHighlights() {
  Gen& g = g_GenLive;
  auto clear = [](CardGroup& pile, int) {
    for (int i = 0; i < pile.numCards; ++i) pile.cards[i].highlighted = 0;
  };
  clear(g.selection, kWhereSelection);
  GenForEachPileInUse(g, clear);
}
