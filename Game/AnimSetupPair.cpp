// AnimSetupPair.cpp - one move set-up by its pair of pile kinds: a table
// from (source kind, target kind) to the named per-pair set-up of
// AnimSetupMoves.cpp, so that callers that learn the kinds at run time (the
// quick move, the autoplay, the send to a foundation, the stock's deal)
// name the move instead of switching on kinds.
//
// State: none.
#include "Game/AnimSetup.h"
#include "Game/GenPiles.h"

namespace {

using Start = bool (*)(const AnimPileMove& m);

struct Pair {
  int fromKind, toKind;
  Start start;
};

constexpr Pair kPairs[] = {
    {kWhereDeck, kWhereWaste, [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromDeckToWaste(m.n, m.speed); }},
    {kWhereDeck, kWhereFoundation,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromDeckToFoundation(m.n, m.to, m.speed); }},
    {kWhereDeck, kWhereTableau,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromDeckToTableau(m.n, m.to, m.cycle, m.speed); }},
    {kWhereDeck, kWhereFan,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromDeckToFan(m.n, m.to, m.cycle, m.speed); }},
    {kWhereDeck, kWhereReserve,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromDeckToReserve(m.n, m.to, m.cycle, m.speed); }},
    {kWhereDeck, kWhereCell,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromDeckToCells(m.n, m.to, m.cycle, m.speed); }},
    {kWhereTableau, kWhereTableau,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromTableauToTableau(m.n, m.from, m.to, m.speed); }},
    {kWhereTableau, kWhereFoundation,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromTableauToFoundation(m.n, m.from, m.to, m.speed); }},
    {kWhereTableau, kWhereCell,
     [](const AnimPileMove& m) { return AnimSetupMoveCardFromTableauToCell(m.from, m.to, m.speed); }},
    {kWhereTableau, kWhereReserve,
     [](const AnimPileMove& m) {
       return AnimSetupMoveNCardsFromTableauToReserve(m.n, m.from, m.to, m.speed, m.together);
     }},
    {kWhereFan, kWhereFoundation,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromFanToFoundation(m.n, m.from, m.to, m.speed); }},
    {kWhereFan, kWhereCell, [](const AnimPileMove& m) { return AnimSetupMoveACardFromFanToCell(m.from, m.to, m.speed); }},
    {kWhereFan, kWhereFan,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromFanToFan(m.n, m.from, m.to, m.speed); }},
    {kWhereCell, kWhereFoundation,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromCellToFoundation(m.n, m.from, m.to, m.speed); }},
    {kWhereCell, kWhereTableau,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromCellToTableau(m.n, m.from, m.to, m.speed); }},
    {kWhereCell, kWhereReserve,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromCellToReserve(m.n, m.from, m.to, m.speed); }},
    {kWhereFoundation, kWhereTableau,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromFoundationToTableau(m.n, m.from, m.to, m.speed); }},
    {kWhereWaste, kWhereFoundation,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromWasteToFoundation(m.n, m.to, m.speed); }},
    {kWhereWaste, kWhereTableau,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromWasteToTableau(m.n, m.to, m.speed); }},
    {kWhereWaste, kWhereReserve,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromWasteToReserve(m.n, m.to, m.speed); }},
    {kWhereWaste, kWhereDeck,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromWasteToDeck(m.n, m.together, m.speed); }},
    {kWhereReserve, kWhereFoundation,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromReserveToFoundation(m.n, m.from, m.to, m.speed); }},
    {kWhereReserve, kWhereTableau,
     [](const AnimPileMove& m) {
       return AnimSetupMoveNCardsFromReserveToTableau(m.n, m.from, m.to, m.speed, m.together);
     }},
    {kWhereReserve, kWhereFan,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromReserveToFan(m.n, m.from, m.to, m.speed); }},
    {kWhereReserve, kWhereCell,
     [](const AnimPileMove& m) { return AnimSetupMoveNCardsFromReserveToCell(m.n, m.from, m.to, m.speed); }},
};

const Pair* Find(int fromKind, int toKind) {
  for (const Pair& pair : kPairs) {
    if (pair.fromKind == fromKind && pair.toKind == toKind) return &pair;
  }
  return nullptr;
}

}  // namespace

bool AnimSetupHasMove(int fromKind, int toKind) { return Find(fromKind, toKind) != nullptr; }

bool AnimSetupHasMoveFrom(int fromKind) {
  for (const Pair& pair : kPairs) {
    if (pair.fromKind == fromKind) return true;
  }
  return false;
}

bool AnimSetupMove(const AnimPileMove& move) {
  const Pair* pair = Find(move.fromKind, move.toKind);
  return pair && pair->start(move);
}
