// GenPiles.h - the pile codes, how many piles of each kind a record holds,
// and finding a record's piles by code.
//
// A pile is named everywhere by its group_where code:
//
//   foundation 10-21  cell 100-110  tableau 200-251  fan 300-327
//   deck 400  waste 500  reserve 600-627  deal group 800  selection 801
//
// A variant uses the first N piles of a kind (N = the kind's count in the
// record, GenRecord.h). The codes are stored in saved games and in the
// record's image: they never change.
#pragma once

class CardGroup;
struct Gen;

enum GenWhere : int {
  kWhereFoundation = 10,
  kWhereCell = 100,
  kWhereTableau = 200,
  kWhereFan = 300,
  kWhereDeck = 400,
  kWhereWaste = 500,
  kWhereReserve = 600,
  kWhereDealGroup = 800,
  kWhereSelection = 801,
};

constexpr int kGenMaxFoundations = 12;
constexpr int kGenMaxCells = 11;
constexpr int kGenMaxTableaus = 52;
constexpr int kGenMaxFans = 28;
constexpr int kGenMaxReserves = 28;

// The pile of a code in a record, or null for a code outside every range
// (the kind's count is not consulted).
CardGroup* GenGetGroup(Gen& gen, int where);
// The kind's first code (10, 100, 200, 300, 400, 500, 600, 800, 801) of a
// code, or 0 outside every range.
int GenGetKindBase(int where);
// The number of piles of a kind in use (deck, waste, deal group, selection:
// 1); 0 for an unknown kind.
int GenGetKindCount(const Gen& gen, int kindBase);

// Calls f(pile, kindBase) for the deck, the waste and every pile in use of
// the other kinds, in the record's order: reserves, foundations, tableaus,
// fans, cells (not the deal group nor the selection).
template <typename G, typename F>
void GenForEachPileInUse(G& gen, F f) {
  f(gen.deck, kWhereDeck);
  f(gen.waste, kWhereWaste);
  for (int i = 0; i < gen.numReserves && i < kGenMaxReserves; ++i) {
    f(gen.reserves[i], kWhereReserve);
  }
  for (int i = 0; i < gen.numFoundations && i < kGenMaxFoundations; ++i) {
    f(gen.foundations[i], kWhereFoundation);
  }
  for (int i = 0; i < gen.numTableaus && i < kGenMaxTableaus; ++i) {
    f(gen.tableaus[i], kWhereTableau);
  }
  for (int i = 0; i < gen.numFans && i < kGenMaxFans; ++i) f(gen.fans[i], kWhereFan);
  for (int i = 0; i < gen.numCells && i < kGenMaxCells; ++i) f(gen.cells[i], kWhereCell);
}
