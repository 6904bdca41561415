// GenSaveCheck.cpp - the checks a loaded game record passes before it may
// replace the live game, and the helpers that finish a resume.
//
// Enciphered files carry no checksum: a damaged or foreign file deciphers to
// arbitrary bytes. GenReadImage already refuses impossible counts; here
// everything else a later step would trust is checked, so that a bad file
// can only ever be refused, never played.
#include <cmath>

#include "Engine/Debug.h"
#include "Game/Gen.h"
#include "Game/GenSaveLocal.h"

namespace {

const char* const kWhere = "GenSaveCheckLoadedGame";

bool Finite(const float* v, int n) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

bool CardOk(const Card& c) {
  if (c.suit < -1 || c.suit > 3 || c.rank < -1 || c.rank > 14) return false;
  return Finite(c.restPos, 3) && Finite(c.pos, 3) && Finite(c.shownPos, 3) &&
         Finite(c.restRot, 3) && Finite(c.rot, 3) && Finite(c.scale, 3) && Finite(&c.hSpacing, 1) &&
         Finite(&c.vSpacing, 1) && Finite(c.matrix.m, 16);
}

bool PileOk(const CardGroup& p) {
  const float heads[] = {p.pileHeight, p.swing, p.fanSpread, p.fanRadius, p.faceUpGap,
                         p.faceDownGap, p.defaultRelFaceUpGap, p.defaultRelFaceDownGap,
                         p.rightLimitX, p.bottomLimitY, p.ownBottomY, p.bottomDepth,
                         p.ownRightX, p.rightLength};
  if (!Finite(p.pos, 3) || !Finite(heads, static_cast<int>(sizeof heads / sizeof heads[0]))) {
    return false;
  }
  if (p.alignType < 0 || p.alignType > 10) return false;
  if (p.numCards < 0 || p.numCards > p.maxCards || p.maxCards > kCardGroupMaxCards) return false;
  for (const Card& c : p.cards) {
    if (!CardOk(c)) return false;
  }
  return true;
}

// A deal plan entry: none (0) or a pile a card may be dealt to.
bool DealCodeOk(int code) {
  if (code == 0) return true;
  const int kind = GenGetKindBase(code);
  return kind != 0 && kind != kWhereDeck && kind != kWhereDealGroup && kind != kWhereSelection;
}

template <typename F>
bool AllPiles(const Gen& g, F f) {
  if (!f(g.deck) || !f(g.waste) || !f(g.dealGroup) || !f(g.selection)) return false;
  for (const CardGroup& p : g.reserves) if (!f(p)) return false;
  for (const CardGroup& p : g.foundations) if (!f(p)) return false;
  for (const CardGroup& p : g.tableaus) if (!f(p)) return false;
  for (const CardGroup& p : g.fans) if (!f(p)) return false;
  for (const CardGroup& p : g.cells) if (!f(p)) return false;
  return true;
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

}  // namespace

bool GenSaveCheckLoadedGame(const Gen& loaded) {
  if (!std::isfinite(loaded.version) || !std::isfinite(loaded.dealSpeed)) {
    return Refuse("float");
  }
  if (!AllPiles(loaded, PileOk)) return Refuse("pile");
  for (int code : loaded.dealPlan) {
    if (!DealCodeOk(code)) return Refuse("deal plan");
  }
  if (!LimitsOk(loaded)) return Refuse("pile count");
  if (!loaded.ready) return Refuse("not ready");

  // The variant's own set-up gives the counts and rules a game of it has.
  Gen& keep = g_GenTrialScratch;
  keep = g_GenLive;
  const bool setUp = GenInit();
  const Gen& ref = g_GenLive;
  bool same = setUp && ref.numFoundations == loaded.numFoundations &&
              ref.numCells == loaded.numCells && ref.numTableaus == loaded.numTableaus &&
              ref.numFans == loaded.numFans && ref.numReserves == loaded.numReserves &&
              ref.deckSize == loaded.deckSize &&
              ref.dealGroupCapacity == loaded.dealGroupCapacity;
  for (int i = 0; same && i < kGenNumRules; ++i) same = ref.rules[i] == loaded.rules[i];
  if (!same) {
    g_GenLive = keep;
    return Refuse("not this game");
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
