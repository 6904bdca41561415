// GenSaveCheck.cpp - the checks a loaded game record passes before it may
// replace the live game, the check the live record passes before a save
// writes it over the last saved game, the checks a game picture passes
// before it is drawn, and the helpers that finish a resume.
//
// Enciphered files carry no checksum: a damaged or foreign file deciphers to
// arbitrary bytes, and a picture is plain bytes anyone can edit.
// GenReadImage already refuses impossible counts; here everything else a
// later step would trust is checked, so that a bad file can only ever be
// refused, never played or drawn:
//   - every float finite, every place within the table's reach, no card
//     marked as carried by an animation;
//   - every count, code, suit, rank and trailer integer within its range
//     (the counters below the bound they saturate at, so that no later move,
//     undo or autoplay step can overflow them);
//   - nothing carried (a save always cancels the selection first);
//   - the counts, rules and lowest rank a set-up of this variant makes;
//   - exactly the cards of the variant's deck for this deal number, each in
//     a pile in use.
#include <cmath>
#include <cstdint>

#include "Engine/Debug.h"
#include "Game/Gen.h"
#include "Game/GenDeal.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSaveLocal.h"
#include "Game/GenUndo.h"

namespace {

const char* const kWhere = "GenSaveCheckLoadedGame";

// How far from the table's centre a pile or a card (from its pile) may lie,
// in table units. The table itself is about 60 units across and the longest
// column of a three-deck game reaches some 500 units down.
constexpr float kTableReach = 1000.0f;

bool Finite(const float* v, int n) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

bool WithinReach(const float* v) {
  for (int i = 0; i < 3; ++i) {
    if (!(std::fabs(v[i]) <= kTableReach)) return false;
  }
  return true;
}

// Every slot of a pile is finite (slots past the top are copied around with
// the pile); the cards in the pile are real cards and lie within reach.
bool CardOk(const Card& c, bool inPile) {
  if (!Finite(c.restPos, 3) || !Finite(c.pos, 3) || !Finite(c.shownPos, 3) ||
      !Finite(c.restRot, 3) || !Finite(c.rot, 3) || !Finite(c.scale, 3) ||
      !Finite(&c.hSpacing, 1) || !Finite(&c.vSpacing, 1) || !Finite(c.matrix.m, 16)) {
    return false;
  }
  if (!inPile) return c.suit >= -1 && c.suit <= 3 && c.rank >= -1 && c.rank <= 14;
  // Hidden and flying mark a card while an animation carries it; at rest
  // (every save finishes its moves) no card has them, and the next
  // animation from its pile would drop a hidden card from the game.
  return c.suit >= 0 && c.suit <= 3 && c.rank >= 1 && c.rank <= 14 && !c.hidden && !c.flying &&
         WithinReach(c.restPos) && WithinReach(c.pos) && WithinReach(c.shownPos);
}

// The deal group's slots only carry each planned card's face: its count is
// a number of cards still to come from the deck, not cards of its own.
bool PileOk(const CardGroup& p, bool holdsCards) {
  const float heads[] = {p.pileHeight, p.swing, p.fanSpread, p.fanRadius, p.faceUpGap,
                         p.faceDownGap, p.defaultRelFaceUpGap, p.defaultRelFaceDownGap,
                         p.rightLimitX, p.bottomLimitY, p.ownBottomY, p.bottomDepth,
                         p.ownRightX, p.rightLength};
  if (!Finite(p.pos, 3) || !WithinReach(p.pos) ||
      !Finite(heads, static_cast<int>(sizeof heads / sizeof heads[0]))) {
    return false;
  }
  if (p.alignType < 0 || p.alignType > 10) return false;
  if (p.numCards < 0 || p.numCards > p.maxCards || p.maxCards > kCardGroupMaxCards) return false;
  for (int i = 0; i < kCardGroupMaxCards; ++i) {
    if (!CardOk(p.SlotOrBlank(i), holdsCards && i < p.numCards)) return false;
  }
  return true;
}

// A deal plan entry: none (0) or a pile a card may be dealt to.
bool DealCodeOk(int code) {
  if (code == 0) return true;
  const int kind = GenGetKindBase(code);
  return kind != 0 && kind != kWhereDeck && kind != kWhereDealGroup && kind != kWhereSelection;
}

// The piles past a kind's count are not in use.
template <typename F>
bool AllPiles(const Gen& g, F f) {
  if (!f(g.deck, true) || !f(g.waste, true) || !f(g.dealGroup, false) || !f(g.selection, true)) {
    return false;
  }
  for (const CardGroup& p : g.reserves) if (!f(p, true)) return false;
  for (const CardGroup& p : g.foundations) if (!f(p, true)) return false;
  for (const CardGroup& p : g.tableaus) if (!f(p, true)) return false;
  for (const CardGroup& p : g.fans) if (!f(p, true)) return false;
  for (const CardGroup& p : g.cells) if (!f(p, true)) return false;
  return true;
}

// No cards in the piles past each kind's count: the table would never show
// them, yet they would count.
bool UnusedPilesEmpty(const Gen& g) {
  auto empty = [](const CardGroup* piles, int inUse, int n) {
    for (int i = inUse; i < n; ++i) {
      if (piles[i].numCards != 0) return false;
    }
    return true;
  };
  return empty(g.foundations, g.numFoundations, kGenMaxFoundations) &&
         empty(g.cells, g.numCells, kGenMaxCells) && empty(g.tableaus, g.numTableaus, kGenMaxTableaus) &&
         empty(g.fans, g.numFans, kGenMaxFans) && empty(g.reserves, g.numReserves, kGenMaxReserves);
}

bool Refuse(const char* why) {
  DebugError(kWhere, "Invalid saved game (%s)", why);
  return false;
}

// GenCheckOk's limits on any record.
bool LimitsOk(const Gen& g) {
  auto within = [](const CardGroup* piles, int n, int most) {
    for (int i = 0; i < n; ++i) {
      if (piles[i].numCards < 0 || piles[i].numCards > most) return false;
    }
    return true;
  };
  return within(g.foundations, g.numFoundations, 52) && within(g.cells, g.numCells, 1) &&
         within(g.tableaus, g.numTableaus, 156) && within(g.fans, g.numFans, 32) &&
         within(g.reserves, g.numReserves, 156);
}

bool CounterOk(int32_t value) { return value >= 0 && value <= kGenUndoMaxCounter; }

// The trailer's integers that play counts with or indexes by.
bool TrailerOk(const Gen& g) {
  return CounterOk(g.moves) && CounterOk(g.markedUndos) && CounterOk(g.unmarkedUndos) &&
         g.emptySpacePicture <= 2 && (g.selectionSource == 0 || GenGetKindBase(g.selectionSource) != 0);
}

// How many of each card (suit 0-3, rank 1-13; a high ace counts as an ace)
// lie in the piles in use.
struct CardTally {
  int count[4][14] = {};
  bool Add(const Card& c) {
    const int rank = c.rank == 14 ? 1 : c.rank;
    if (c.suit < 0 || c.suit > 3 || rank < 1 || rank > 13) return false;
    ++count[c.suit][rank];
    return true;
  }
  bool operator==(const CardTally& other) const {
    for (int s = 0; s < 4; ++s) {
      for (int r = 1; r <= 13; ++r) {
        if (count[s][r] != other.count[s][r]) return false;
      }
    }
    return true;
  }
};

bool TallyPiles(const Gen& g, CardTally* tally) {
  bool ok = true;
  GenForEachPileInUse(g, [&](const CardGroup& pile, int) {
    for (int i = 0; i < pile.numCards; ++i) ok = tally->Add(pile.cards[i]) && ok;
  });
  return ok;
}

// The cards of the current game's deck of deckSize cards for the deal
// number (the Spider games draw their suits from it).
bool TallyDeckOfDeal(int deckSize, uint32_t dealNumber, CardTally* tally) {
  static CardGroup deck;  // a pile is 30 KB: not on the stack
  if (deckSize < 1 || deckSize > kCardGroupMaxCards) return false;
  deck.numCards = deckSize;
  if (!GenFillDeckOfDeal(deck, GenGetCurGame(), dealNumber)) return false;
  for (int i = 0; i < deck.numCards; ++i) tally->Add(deck.cards[i]);
  return true;
}

// The piles in use hold exactly the cards of the record's deal: none lost,
// none twice, none that is no card.
bool HoldsItsDeal(const Gen& g) {
  CardTally made, found;
  return TallyDeckOfDeal(g.deckSize, g.dealNumber, &made) && TallyPiles(g, &found) &&
         found == made;
}

}  // namespace

bool GenSaveCheckLoadedGame(const Gen& loaded) {
  if (loaded.version != kGenSaveVersion || !std::isfinite(loaded.dealSpeed)) {
    return Refuse("float");
  }
  if (!AllPiles(loaded, PileOk)) return Refuse("pile");
  for (int code : loaded.dealPlan) {
    if (!DealCodeOk(code)) return Refuse("deal plan");
  }
  if (!LimitsOk(loaded)) return Refuse("pile count");
  if (loaded.selection.numCards != 0) return Refuse("cards carried");
  if (!TrailerOk(loaded)) return Refuse("trailer");
  if (!loaded.ready) return Refuse("not ready");
  if (!UnusedPilesEmpty(loaded)) return Refuse("unused pile");

  // The variant's own set-up gives the counts, rules and deck a game of it
  // has; the live record (and whether it is a game in progress) is put back
  // when the loaded one differs.
  GenTrialScratch() = g_GenLive;
  const bool inProgress = GenIsGameInProgress();
  auto refuseAfterSetUp = [inProgress](const char* why) {
    g_GenLive = GenTrialScratch();
    GenSetGameInProgress(inProgress);
    return Refuse(why);
  };
  const bool setUp = GenInit();
  Gen& ref = g_GenLive;
  bool same = setUp && GenIsPileCountAllowed(kWhereFoundation, loaded.numFoundations) &&
              GenIsPileCountAllowed(kWhereCell, loaded.numCells) &&
              GenIsPileCountAllowed(kWhereTableau, loaded.numTableaus) &&
              GenIsPileCountAllowed(kWhereFan, loaded.numFans) &&
              GenIsPileCountAllowed(kWhereReserve, loaded.numReserves) &&
              ref.deckSize == loaded.deckSize &&
              ref.dealGroupCapacity == loaded.dealGroupCapacity;
  for (int i = 0; same && i < kGenNumRules; ++i) same = ref.rules[i] == loaded.rules[i];
  if (!same) return refuseAfterSetUp("not this game");
  // A set-up names the lowest rank, or a variant chooses it in play (from
  // the ace to the high ace).
  if (loaded.lowestRank != ref.lowestRank && (loaded.lowestRank < 1 || loaded.lowestRank > 14)) {
    return refuseAfterSetUp("lowest rank");
  }
  // The deck this deal number gives, card for card against the cards on the
  // loaded table.
  if (!HoldsItsDeal(loaded)) return refuseAfterSetUp("cards");
  return true;
}

bool GenSaveCheckGameInPlay(const Gen& g) {
  const char* why = nullptr;
  if (!g.ready) {
    why = "not set up";
  } else if (g.selection.numCards != 0) {
    why = "cards carried";
  } else if (!HoldsItsDeal(g)) {
    why = "cards";
  }
  if (!why) return true;
  DebugError("GenSaveCurrentGame", "Not a game in play (%s): nothing saved", why);
  return false;
}

bool GenSaveCheckPicture(const SaveCardDetails& d) {
  const char* where = "GenFillSaveCardDetailsFromSaveCardDetailsCompact";
  const bool countsOk = d.numFoundations >= 0 && d.numFoundations <= kGenMaxFoundations &&
                        d.numCells >= 0 && d.numCells <= kGenMaxCells && d.numTableaus >= 0 &&
                        d.numTableaus <= kGenMaxTableaus && d.numFans >= 0 &&
                        d.numFans <= kGenMaxFans && d.numReserves >= 0 &&
                        d.numReserves <= kGenMaxReserves;
  if (!countsOk || d.deckSize < 0 || d.deckSize > kCardGroupMaxCards || d.lowestRank < 0 ||
      d.lowestRank > 14 || d.emptySpacePicture < 0 || d.emptySpacePicture > 2) {
    DebugError(where, "Invalid picture header");
    return false;
  }
  // The piles in the record's order: deck, waste, reserves, foundations,
  // tableaus, fans, cells; the count of each kind in use and its most cards.
  struct Kind {
    int piles, inUse, most;
  };
  const Kind kinds[] = {{1, 1, kCardGroupMaxCards},
                        {1, 1, kCardGroupMaxCards},
                        {kGenMaxReserves, d.numReserves, kCardGroupMaxCards},
                        {kGenMaxFoundations, d.numFoundations, 52},
                        {kGenMaxTableaus, d.numTableaus, kCardGroupMaxCards},
                        {kGenMaxFans, d.numFans, 32},
                        {kGenMaxCells, d.numCells, 1}};
  int errors = 0, cards = 0, k = 0;
  for (const Kind& kind : kinds) {
    for (int i = 0; i < kind.piles; ++i, ++k) {
      const CardGroup& pile = d.piles[k];
      const bool inUse = i < kind.inUse;
      if (!PileOk(pile, true) || pile.numCards > (inUse ? kind.most : 0)) ++errors;
      cards += pile.numCards;
    }
  }
  if (errors) {
    DebugError(where, "%d errors", errors);
    return false;
  }
  if (cards > d.deckSize) {
    DebugError(where, "Invalid picture (%d cards of %d)", cards, d.deckSize);
    return false;
  }
  return true;
}

void GenKeepEmptyTexturesOf(const Gen& from, Gen& to) {
  auto keep = [](const CardGroup& a, CardGroup& b) { b.emptyTexture = a.emptyTexture; };
  keep(from.deck, to.deck);
  keep(from.waste, to.waste);
  keep(from.dealGroup, to.dealGroup);
  keep(from.selection, to.selection);
  for (int i = 0; i < kGenMaxReserves; ++i) keep(from.reserves[i], to.reserves[i]);
  for (int i = 0; i < kGenMaxFoundations; ++i) keep(from.foundations[i], to.foundations[i]);
  for (int i = 0; i < kGenMaxTableaus; ++i) keep(from.tableaus[i], to.tableaus[i]);
  for (int i = 0; i < kGenMaxFans; ++i) keep(from.fans[i], to.fans[i]);
  for (int i = 0; i < kGenMaxCells; ++i) keep(from.cells[i], to.cells[i]);
}

void GenRelayOutAllPiles(Gen& g) {
  GenForEachPileInUse(g, [](CardGroup& p, int) {
    if (p.active) p.Refresh(true);
  });
}
