// Giza.cpp - the pyramid games: Giza, Pyramid and Tut's Tomb (one set-up
// routine, told apart by their rows below).
//
// 28 cards form a pyramid of seven rows, each card lying over the two
// below it. Two free cards whose ranks add up to 13 leave the table
// together (a king alone) for the foundation. A pyramid card becomes free
// when both cards under it are gone; it then moves, in place, into a
// reserve pile, from where it is played (at most seven are free at once).
// Pyramid and Tut's Tomb pair with the stock and the waste as well; Giza
// deals the other 24 cards face up into eight piles.
//
// Layout values (Data/Main/0110.dat, one entry per game): x 0 the gap
// between the cards of a row, x 1 the stock's x, x 2 the waste's x, x 3
// the foundation's x, x 4 the gap between Giza's piles, in card widths;
// y 0 the step between rows, y 1 how far the stock and the waste lie below
// the top row, y 2 how far Giza's piles lie below the top row, y 3 how far
// the top row lies below the layout constants' top row, in card heights.
#include "Game/Variants/Giza.h"

#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenRules.h"
#include "Game/GenSelection.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

namespace {

constexpr int kRowStart[kPyramidRows] = {0, 1, 3, 6, 10, 15, 21};  // first fan of each row
constexpr int kGizaPiles = 8;
constexpr float kPairSpeed = 0.5f;
constexpr float kTurnSpeed = 0.6f;
constexpr float kTutsTombTurnSpeed = 0.9f;

// What tells the three games apart.
struct PyramidMember {
  int game;
  int dealt;            // cards of the deal
  bool piles;           // eight piles take the other 24 cards face up (no stock play)
  bool stockCardPairs;  // the stock's face-up top card pairs; put back on it, it turns to the waste
  int redeals;          // the waste turns back while this many are left (0: see turned)
  int turned;           // cards a stock click turns to the waste, which turns back without limit
};
constexpr PyramidMember kMembers[] = {
    {.game = kGameGiza, .dealt = 52, .piles = true, .stockCardPairs = false, .redeals = 0, .turned = 0},
    {.game = kGamePyramid, .dealt = 29, .piles = false, .stockCardPairs = true, .redeals = 2, .turned = 0},
    {.game = kGameTutsTomb, .dealt = 28, .piles = false, .stockCardPairs = false, .redeals = 0, .turned = 3},
};

int RowOf(int fan) {
  int row = 0;
  while (row + 1 < kPyramidRows && fan >= kRowStart[row + 1]) ++row;
  return row;
}

// Whole-number table places: a reserve pile holding a pyramid card lies
// exactly where its fan lies.
bool SamePlace(const CardGroup& a, const CardGroup& b) {
  return static_cast<int>(a.pos[0]) == static_cast<int>(b.pos[0]) &&
         static_cast<int>(a.pos[1]) == static_cast<int>(b.pos[1]);
}

bool IsClear(int fan) {
  const Gen& g = g_GenLive;
  if (g.fans[fan].numCards > 0) return false;
  for (int r = 0; r < g.numReserves; ++r) {
    if (g.reserves[r].numCards == 1 && SamePlace(g.reserves[r], g.fans[fan])) return false;
  }
  return true;
}

int RankOf(const CardGroup& pile) { return pile.cards[pile.numCards - 1].rank; }

bool AddsTo13(const CardGroup& pile, const Card& carried) {
  return pile.numCards > 0 && RankOf(pile) + carried.rank == 13;
}

// The two top cards of a pile leave for the foundation (a pair just
// dropped there).
bool RemovePair(int kind, int index) {
  const bool started =
      AnimSetupMove({.n = 2, .fromKind = kind, .from = index, .toKind = kWhereFoundation, .speed = kPairSpeed});
  if (started) AnimSetFinishCB(PyramidAutoplay);
  return started;
}

// One card carried, released over a pile of a kind that holds a card whose
// rank adds up to 13 with it: the standard drop, then the pair leaves.
// False when the release is not such a pair.
bool DropPair(int kind) {
  Gen& g = g_GenLive;
  const int target = GenGetCurrentHitWhere();
  if (GenGetKindBase(target) != kind || target == g.selectionSource) return false;
  CardGroup* pile = GenGetGroup(g, target);
  if (!pile || !AddsTo13(*pile, g.selection.cards[0])) return false;
  if (kind == kWhereReserve && pile->numCards != 1) return false;
  const int before = pile->numCards;
  if (!GenStdDrop(0, 0, kind) || pile->numCards != before + 1) return false;
  RemovePair(kind, target - kind);
  return true;
}

// The reserve piles holding one card become piles 1, 2, ... in order.
bool CloseUpReserves() {
  Gen& g = g_GenLive;
  int kept = 0;
  for (int r = 0; r < g.numReserves; ++r) {
    if (g.reserves[r].numCards != 1) continue;
    if (kept >= kPyramidMostReserves) {
      DebugError("PyramidAutoplay", "Internal Error [%d]", kept + 1);
      return false;
    }
    if (r != kept) {
      CardGroup& to = g.reserves[kept];
      CardGroup& from = g.reserves[r];
      GenSetPilePosition(GenReserveCode(kept + 1), from.pos[0], from.pos[1]);
      to.numCards = 0;
      to.AddCardToGroup(&from.cards[0], false, true, false);
      from.numCards = 0;
      from.RelinkOwners();
      from.MarkChanged();
      from.Refresh(true);
      to.Refresh(true);
    }
    ++kept;
  }
  for (int r = kept; r < g.numReserves; ++r) {
    g.reserves[r].numCards = 0;
    g.reserves[r].RelinkOwners();
    g.reserves[r].MarkChanged();
  }
  g.numReserves = kept;
  return true;
}

}  // namespace

bool PyramidDeal(int, int) {
  Gen& g = g_GenLive;
  const int n = g.dealGroup.numCards;
  if (!g.ready || n < 1 || n > g.deck.numCards || g.numFans < kPyramidFans) return false;
  const bool giza = GenFamilyMember(kMembers).piles;
  for (int k = 0; k < n; ++k) {
    if (k < kPyramidFans) {
      g.dealPlan[k] = GenFanCode(k + 1);
    } else if (giza && g.numTableaus > 0) {
      g.dealPlan[k] = GenTableauCode((k - kPyramidFans) % g.numTableaus + 1);
    } else {
      g.dealPlan[k] = kWhereWaste;
    }
    g.dealGroup.cards[k].faceUp = 1;
  }
  g.dealGroup.MarkChanged();
  return true;
}

bool PyramidPairRule(int, int, int dropping, int, int rankA, int, int rankB) {
  return dropping && rankA + rankB == 13;
}

bool PyramidIsUncovered(int fan) {
  if (fan < 0 || fan >= kPyramidFans || g_GenLive.numFans < kPyramidFans) return false;
  const int row = RowOf(fan);
  if (row == kPyramidRows - 1) return true;
  const int length = row + 1;
  return IsClear(fan + length) && IsClear(fan + length + 1);
}

bool PyramidMoveFanToReserve(int fan) {
  Gen& g = g_GenLive;
  if (fan < 0 || fan >= kPyramidFans || fan >= g.numFans || g.numReserves < 0 ||
      g.numReserves >= kPyramidMostReserves || g.fans[fan].numCards != 1) {
    DebugError("PyramidMoveFanToReserve", "Internal Error [%d,%d]", fan, g.numReserves);
    return false;
  }
  CardGroup& from = g.fans[fan];
  CardGroup& to = g.reserves[g.numReserves];
  ++g.numReserves;
  GenSetPilePosition(GenReserveCode(g.numReserves), from.pos[0], from.pos[1]);
  to.numCards = 0;
  to.AddCardToGroup(&from.cards[0], false, true, false);
  from.numCards = 0;
  from.RelinkOwners();
  from.MarkChanged();
  from.Refresh(true);
  to.Refresh(true);
  return true;
}

bool PyramidRemoveKing(int, int) {
  Gen& g = g_GenLive;
  const int source = g.selectionSource;
  const int kind = GenGetKindBase(source);
  if (g.selection.numCards != 1 || g.selection.cards[0].rank != 13) return true;
  if (kind != kWhereWaste && kind != kWhereDeck && kind != kWhereReserve &&
      !(kind == kWhereTableau && GenFamilyMember(kMembers).piles)) {
    return true;
  }
  GenCancelSelection();
  const bool started =
      AnimSetupMove({.fromKind = kind, .from = source - kind, .toKind = kWhereFoundation, .speed = kPairSpeed});
  if (started) AnimSetFinishCB(PyramidAutoplay);
  return true;
}

bool PyramidSelection(int, int down) {
  Gen& g = g_GenLive;
  const PyramidMember& m = GenFamilyMember(kMembers);
  const bool giza = m.piles, pyramid = m.stockCardPairs;
  // 1. Lifts; a king lifted alone leaves at once.
  if ((pyramid && GenStdPickup(0, down, kWhereDeck)) || (!giza && GenStdPickup(0, down, kWhereWaste)) ||
      GenStdPickup(0, down, kWhereReserve) || (giza && GenStdPickup(0, down, kWhereTableau))) {
    return PyramidRemoveKing(0, 0);
  }
  const int hit = GenGetCurrentHitWhere();
  if (!down && g.selection.numCards == 1) {
    // 2. Pyramid: the stock's own card back onto it turns it to the waste;
    // another card pairs with the stock's top card.
    if (pyramid && hit == kWhereDeck) {
      if (g.selectionSource == kWhereDeck) {
        GenCancelSelection();
        if (AnimSetupMoveNCardsFromDeckToWaste(1, kTurnSpeed)) AnimSetSoundsChoice(false, true);
        return true;
      }
      // An empty stock pairs with nothing: the card goes back.
      if (g.deck.numCards < 1) {
        GenCancelSelection();
        return true;
      }
      if (!AddsTo13(g.deck, g.selection.cards[0])) return false;
      if (GenStdDrop(0, down, kWhereDeck)) RemovePair(kWhereDeck, 0);
      return false;
    }
    // 3 - 5. A free pyramid card, the waste's top card, a Giza pile's top.
    if (DropPair(kWhereReserve)) return false;
    if (!giza && g.selectionSource != kWhereWaste && DropPair(kWhereWaste)) return false;
    if (giza && DropPair(kWhereTableau)) return false;
    return false;
  }
  // 6. The stock click.
  if (!GenIsStockClick(down)) return false;
  const bool turns = m.turned > 0, counted = m.redeals > 0;
  if (!turns && !(counted && GenGetRedealCounter() >= 1)) return false;
  if (g.deck.numCards < 1) {
    if (counted) GenSetRedealCounter(GenGetRedealCounter() - 1);
    GenUpdateDeckMarker(true);
    GenTurnWasteBack();
    return true;
  }
  if (turns) GenStockTurn(m.turned, nullptr, kTutsTombTurnSpeed);
  return false;
}

bool PyramidAutoplay(int, int) {
  Gen& g = g_GenLive;
  // Piles in the air are not rearranged: the move's end runs this again.
  if (g.gameOver || g.numFans < kPyramidFans || AnimIsAnimating()) return false;
  if (!CloseUpReserves()) return false;
  // Free every uncovered pyramid card, the highest-numbered first.
  for (bool moved = true; moved;) {
    moved = false;
    for (int fan = kPyramidFans - 1; fan >= 0; --fan) {
      if (g.fans[fan].numCards != 1 || !PyramidIsUncovered(fan)) continue;
      moved = PyramidMoveFanToReserve(fan);
      break;
    }
  }
  // The win: the pyramid cleared (and in Giza its piles).
  for (int r = 0; r < g.numReserves; ++r) {
    if (g.reserves[r].numCards > 0) return false;
  }
  if (GenFamilyMember(kMembers).piles) {
    for (int t = 0; t < g.numTableaus; ++t) {
      if (g.tableaus[t].numCards > 0) return false;
    }
  }
  if (g.waste.numCards > 0) {
    GenTurnWasteBack();
    return true;
  }
  if (g.deck.numCards >= g.deckSize) return true;
  GenGameWon();
  return true;
}

void GizaSetup() {
  const PyramidMember& m = GenFamilyMember(kMembers);
  const bool giza = m.piles, pyramid = m.stockCardPairs;
  if (!GenBeginVariantSetup(52, m.dealt, 1, 1.0f)) return;
  // Single free cards are lifted and paired; the covered pyramid cards and
  // the removed pairs take no part. The waste pairs in Pyramid and Tut's
  // Tomb, the stock's face-up top card in Pyramid, the piles in Giza.
  GenSetRuleBytes({{kRulePickupReserve, kRuleSingleCard},
                   {kRulePickupWaste, kRuleSingleCard},
                   {kRulePickupFoundation, kRuleNone},
                   {kRulePickupFan, kRuleNone},
                   {kRuleDropReserve, kRulePairCallback},
                   {kRuleDropFoundation, kRuleNone},
                   {kRuleDropFan, kRuleNone},
                   {kRuleDropWaste, giza ? kRuleNone : kRulePairCallback}});
  if (pyramid) {
    GenSetRuleBytes({{kRulePickupDeck, kRuleSingleCard}, {kRuleDropDeck, kRulePairCallback}});
  }
  if (giza) {
    GenSetRuleBytes({{kRulePickupTableau, kRuleSingleCard}, {kRuleDropTableau, kRulePairCallback}});
  }
  GenSetDealCB(PyramidDeal);
  GenSetPickupDropRuleCB(PyramidPairRule);
  GenSetSelectionCB(PyramidSelection);
  GenSetAutoplayCB(PyramidAutoplay);

  Gen& g = g_GenLive;
  const float top = GenGetLayoutConstants().topRowY - GenLayoutYCards(3);
  const float cw = CardsGetCardWidth();
  const float step = cw + GenLayoutXCards(0);
  const float rowStep = GenLayoutYCards(0);
  // The pyramid: row r (0-6) of r + 1 cards centred on x = 0.
  g.fansNotHit = 1;  // its covered cards are never played; the free ones lie in reserves
  g.numFans = kPyramidFans;
  for (int fan = 0; fan < kPyramidFans; ++fan) {
    const int row = RowOf(fan);
    const float x = (static_cast<float>(fan - kRowStart[row]) - static_cast<float>(row) / 2) * step;
    const float y = top - static_cast<float>(row) * rowStep;
    g.fans[fan].SetupCardGroup({.maxCards = 1, .x = x, .y = y, .z = GenGetTableHeight(),
                                .where = GenFanCode(fan + 1)});
  }
  // Up to seven reserve piles take the free pyramid cards where they lie.
  GenSetReserveOptions(1, 1, 0, 0, 0);
  GenStdSetNReservesPosition(kPyramidMostReserves, 0, top, 0, 0, false);
  g.numReserves = 0;
  GenSetPileCountRange(kWhereReserve, 0, kPyramidMostReserves);
  // The removed pairs build nothing: their place shows no rank.
  GenStdSetNFoundationsPosition(1, 52, GenLayoutXCards(3), top, 0, 0, false, 0, 1);
  const float stockY = top - GenLayoutYCards(1);
  if (giza) {
    GenStdSetNTableausPosition(kGizaPiles, 0, top - GenLayoutYCards(2), GenLayoutXCards(4), 1);
    GenSetDeckPosition(GenLayoutXCards(1), stockY, 0, 0);
  } else {
    GenSetDeckPosition(GenLayoutXCards(1), stockY, 1, pyramid ? 1 : 0);
    GenSetWastePosition(GenLayoutXCards(2), stockY, 1, 1);
  }
  if (m.redeals > 0) GenSetRedealCounter(m.redeals);
  GenUpdateDeckMarker(true);
  GenSetReady();
  PyramidAutoplay(0, 0);
}
