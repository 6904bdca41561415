// AnimSetupMoves.cpp - the set-ups of moves by pile pair and of the gathers
// back to the deck. Each checks its pile indices and counts against the live
// record ("Parameter Error" under its own name) before anything starts.
#include "Engine/Debug.h"
#include "Game/AnimSetup.h"
#include "Game/AnimSetupLocal.h"
#include "Game/CardsAnim.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"

namespace {

constexpr int kFaceKeep = -1;
constexpr int kFaceUp = 1;

Gen& G() { return g_GenLive; }

bool Valid(int index, int count) { return index >= 0 && index < count; }

bool ParameterError(const char* where) {
  DebugError(where, "Parameter Error");
  return false;
}

// An untimed move of n cards from the top of source; sounds attached.
bool Move(CardGroup* source, CardGroup* target, int n, bool together, int order, int face,
          float speed) {
  if (!CardsAnimMoveCardsFromGroupToGroup(n, together ? n : 1, false, order, source, target, -1,
                                          face, speed, nullptr, 0)) {
    return false;
  }
  AnimSetSounds(false);
  return true;
}

bool OneByOne(CardGroup* source, CardGroup* target, int n, int face, float speed) {
  return Move(source, target, n, false, 0, face, speed);
}

// n cards from the top of the deck, one card to a pile of a kind starting at
// index first, advancing (and wrapping) with cycle; timed.
bool DeckToKind(const char* where, CardGroup* piles, int numPiles, int n, int first, bool cycle,
                float speed) {
  Gen& g = G();
  if (g.deck.numCards < 1) return false;
  if (!Valid(first, numPiles) || n < 1) return ParameterError(where);
  if (n > g.deck.numCards) n = g.deck.numCards;
  AnimPlannedCard planned[kCardGroupMaxCards];
  AnimPlannedCounts counts;
  int used = 0;
  int pile = first;
  for (int k = 0; k < n; ++k) {
    CardGroup* target = &piles[pile];
    int slot = counts.Get(target);
    if (slot >= target->maxCards) break;
    planned[used++] = {&g.deck, g.deck.numCards - 1 - k, target, slot, kFaceUp};
    counts.Add(target, 1);
    if (cycle) pile = (pile + 1) % numPiles;
  }
  if (!AnimStartPlannedMove(planned, used, speed)) return false;
  AnimSetSounds(false);
  return true;
}

// Every card of the given piles, pile by pile and each from the top down,
// onto successive deck slots; timed.
bool AllToDeck(CardGroup* piles, int numPiles, float speed) {
  Gen& g = G();
  AnimPlannedCard planned[kCardGroupMaxCards];
  int used = 0;
  int slot = g.deck.numCards;
  int face = g.deck.cards[0].faceUp;
  for (int p = 0; p < numPiles; ++p) {
    for (int i = piles[p].numCards - 1; i >= 0; --i) {
      if (used >= kCardGroupMaxCards || slot >= g.deck.maxCards) break;
      planned[used++] = {&piles[p], i, &g.deck, slot++, face};
    }
  }
  if (!AnimStartPlannedMove(planned, used, speed)) return false;
  AnimSetSoundsChoice(true, true);
  return true;
}

}  // namespace

int AnimPlannedCounts::Get(CardGroup* group) {
  for (int i = 0; i < used_; ++i) {
    if (groups_[i] == group) return counts_[i];
  }
  return group->numCards;
}

void AnimPlannedCounts::Add(CardGroup* group, int delta) {
  for (int i = 0; i < used_; ++i) {
    if (groups_[i] == group) {
      counts_[i] += delta;
      return;
    }
  }
  if (used_ < kMax) {
    groups_[used_] = group;
    counts_[used_++] = group->numCards + delta;
  }
}

bool AnimStartPlannedMove(const AnimPlannedCard* cards, int count, float speed) {
  if (count < 1) return false;
  if (!CardsAnimMoveCardsBetweenGroupsBegin(count, 1, speed, nullptr)) return false;
  for (int k = 0; k < count; ++k) {
    const AnimPlannedCard& c = cards[k];
    if (!CardsAnimMoveCardsBetweenGroupsAddCard(c.source, c.sourceIndex, c.target, c.targetIndex,
                                                c.faceUp, 0)) {
      CardsAnimCancel(0);
      return false;
    }
  }
  return CardsAnimMoveCardsFromGroupToGroupEnd(true);
}

bool AnimSetupMoveNCardsFromDeckToWaste(int n, float speed) {
  Gen& g = G();
  if (n < 1 || g.deck.numCards < n) {
    DebugError("AnimSetupMoveNCardsFromDeckToWaste", "Not enough cards in deck");
    return false;
  }
  return OneByOne(&g.deck, &g.waste, n, g.waste.cards[0].faceUp, speed);
}

bool AnimSetupMoveNCardsFromTableauToFoundation(int n, int tableau, int foundation, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(tableau, g.numTableaus) || !Valid(foundation, g.numFoundations) ||
      g.tableaus[tableau].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromTableauToFoundation");
  }
  CardGroup* source = &g.tableaus[tableau];
  CardGroup* target = &g.foundations[foundation];
  if (n == 13) {
    // A whole suit goes up one card at a time.
    if (!CardsAnimMoveCardsFromGroupToGroup(13, 1, true, 1, source, target, source->numCards - 13,
                                            kFaceUp, 0.2f, nullptr, 0)) {
      return false;
    }
    AnimSetSounds(false);
    return true;
  }
  return OneByOne(source, target, n, kFaceUp, speed * 1.3f);
}

bool AnimSetupMoveCardFromTableauToCell(int tableau, int cell, float speed) {
  Gen& g = G();
  if (!Valid(tableau, g.numTableaus) || !Valid(cell, g.numCells) ||
      g.tableaus[tableau].numCards < 1) {
    return ParameterError("AnimSetupMoveCardFromTableauToCell");
  }
  return OneByOne(&g.tableaus[tableau], &g.cells[cell], 1, kFaceUp, speed);
}

bool AnimSetupMoveNCardsFromTableauToReserve(int n, int tableau, int reserve, float speed,
                                             bool together) {
  Gen& g = G();
  if (n < 1 || !Valid(tableau, g.numTableaus) || !Valid(reserve, g.numReserves) ||
      g.tableaus[tableau].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromTableauToReserve");
  }
  return Move(&g.tableaus[tableau], &g.reserves[reserve], n, together, 0, kFaceUp, speed);
}

bool AnimSetupMoveNCardsFromFanToFoundation(int n, int fan, int foundation, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(fan, g.numFans) || !Valid(foundation, g.numFoundations) ||
      g.fans[fan].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromFanToFoundation");
  }
  return OneByOne(&g.fans[fan], &g.foundations[foundation], n, kFaceKeep, speed * 1.3f);
}

bool AnimSetupMoveACardFromFanToCell(int fan, int cell, float speed) {
  Gen& g = G();
  if (!Valid(fan, g.numFans) || !Valid(cell, g.numCells) || g.fans[fan].numCards < 1) {
    return ParameterError("AnimSetupMoveACardFromFanToCell");
  }
  return OneByOne(&g.fans[fan], &g.cells[cell], 1, kFaceKeep, speed);
}

bool AnimSetupMoveNCardsFromCellToFoundation(int n, int cell, int foundation, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(cell, g.numCells) || !Valid(foundation, g.numFoundations) ||
      g.cells[cell].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromCellToFoundation");
  }
  return OneByOne(&g.cells[cell], &g.foundations[foundation], n, kFaceKeep, speed * 1.3f);
}

bool AnimSetupMoveNCardsFromCellToTableau(int n, int cell, int tableau, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(cell, g.numCells) || !Valid(tableau, g.numTableaus) ||
      g.cells[cell].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromCellToTableau");
  }
  return OneByOne(&g.cells[cell], &g.tableaus[tableau], n, kFaceKeep, speed);
}

bool AnimSetupMoveNCardsFromCellsToTableau(int n, int firstCell, int tableau, bool cycleCells,
                                           float speed, bool cycleTableaus, bool oneEach) {
  const char* where = "AnimSetupMoveNCardsFromCellsToTableau";
  Gen& g = G();
  if (n < 1 || !Valid(firstCell, g.numCells) || !Valid(tableau, g.numTableaus) ||
      (oneEach && g.numCells != g.numTableaus)) {
    return ParameterError(where);
  }
  AnimPlannedCard planned[kCardGroupMaxCards];
  AnimPlannedCounts counts;
  int used = 0;
  int cell = firstCell;
  int target = tableau;
  for (int k = 0; k < n && used < kCardGroupMaxCards; ++k) {
    if (cycleCells) {
      // The next cell that still holds a card, wrapping.
      int tries = 0;
      while (counts.Get(&g.cells[cell]) < 1 && tries++ < g.numCells) cell = (cell + 1) % g.numCells;
    }
    CardGroup* source = &g.cells[cell];
    if (oneEach) target = cell;
    CardGroup* pile = &g.tableaus[target];
    int fromSlot = counts.Get(source) - 1;
    int toSlot = counts.Get(pile);
    if (fromSlot < 0 || toSlot >= pile->maxCards) break;
    planned[used++] = {source, fromSlot, pile, toSlot, kFaceUp};
    counts.Add(source, -1);
    counts.Add(pile, 1);
    if (cycleCells) cell = (cell + 1) % g.numCells;
    if (cycleTableaus && !oneEach) target = (target + 1) % g.numTableaus;
  }
  if (used < 1) return ParameterError(where);
  if (!AnimStartPlannedMove(planned, used, speed)) return false;
  AnimSetSounds(false);
  return true;
}

bool AnimSetupMoveNCardsFromCellToReserve(int n, int cell, int reserve, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(cell, g.numCells) || !Valid(reserve, g.numReserves) ||
      g.cells[cell].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromCellToReserve");
  }
  return OneByOne(&g.cells[cell], &g.reserves[reserve], n, kFaceKeep, speed);
}

bool AnimSetupMoveNCardsFromFoundationToTableau(int n, int foundation, int tableau, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(foundation, g.numFoundations) || !Valid(tableau, g.numTableaus) ||
      g.foundations[foundation].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromFoundationToTableau");
  }
  return OneByOne(&g.foundations[foundation], &g.tableaus[tableau], n, kFaceKeep, speed);
}

bool AnimSetupMoveNCardsFromWasteToFoundation(int n, int foundation, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(foundation, g.numFoundations) || g.waste.numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromWasteToFoundation");
  }
  return OneByOne(&g.waste, &g.foundations[foundation], n, kFaceKeep, speed * 1.3f);
}

bool AnimSetupMoveNCardsFromWasteToReserve(int n, int reserve, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(reserve, g.numReserves) || g.waste.numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromWasteToReserve");
  }
  return OneByOne(&g.waste, &g.reserves[reserve], n, kFaceKeep, speed);
}

bool AnimSetupMoveNCardsFromDeckToFoundation(int n, int foundation, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(foundation, g.numFoundations) || g.deck.numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromDeckToFoundation");
  }
  return OneByOne(&g.deck, &g.foundations[foundation], n, kFaceUp, speed * 1.3f);
}

bool AnimSetupMoveNCardsFromDeckToTableau(int n, int tableau, bool cycle, float speed) {
  return DeckToKind("AnimSetupMoveNCardsFromDeckToTableau", G().tableaus, G().numTableaus, n,
                    tableau, cycle, speed);
}

bool AnimSetupMoveNCardsFromDeckToFan(int n, int fan, bool cycle, float speed) {
  return DeckToKind("AnimSetupMoveNCardsFromDeckToFan", G().fans, G().numFans, n, fan, cycle,
                    speed);
}

bool AnimSetupMoveNCardsFromDeckToReserve(int n, int reserve, bool cycle, float speed) {
  return DeckToKind("AnimSetupMoveNCardsFromDeckToReserve", G().reserves, G().numReserves, n,
                    reserve, cycle, speed);
}

bool AnimSetupMoveNCardsFromDeckToCells(int n, int cell, bool cycle, float speed) {
  return DeckToKind("AnimSetupMoveNCardsFromDeckToCells", G().cells, G().numCells, n, cell, cycle,
                    speed);
}

bool AnimSetupMoveNCardsFromReserveToFoundation(int n, int reserve, int foundation, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(reserve, g.numReserves) || !Valid(foundation, g.numFoundations) ||
      g.reserves[reserve].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromReserveToFoundation");
  }
  return OneByOne(&g.reserves[reserve], &g.foundations[foundation], n, kFaceUp, speed * 1.3f);
}

bool AnimSetupMoveNCardsFromReserveToTableau(int n, int reserve, int tableau, float speed,
                                             bool together) {
  Gen& g = G();
  if (n < 1 || !Valid(reserve, g.numReserves) || !Valid(tableau, g.numTableaus) ||
      g.reserves[reserve].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromReserveToTableau");
  }
  return Move(&g.reserves[reserve], &g.tableaus[tableau], n, together, 0, kFaceKeep, speed);
}

bool AnimSetupMoveNCardsFromReserveToFan(int n, int reserve, int fan, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(reserve, g.numReserves) || !Valid(fan, g.numFans) ||
      g.reserves[reserve].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromReserveToFan");
  }
  return OneByOne(&g.reserves[reserve], &g.fans[fan], n, kFaceUp, speed);
}

bool AnimSetupMoveNCardsFromReserveToCell(int n, int reserve, int cell, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(reserve, g.numReserves) || !Valid(cell, g.numCells) ||
      g.reserves[reserve].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromReserveToCell");
  }
  return OneByOne(&g.reserves[reserve], &g.cells[cell], n, kFaceUp, speed);
}

bool AnimSetupMoveNCardsFromWasteToTableau(int n, int tableau, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(tableau, g.numTableaus) || g.waste.numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromWasteToTableau");
  }
  return OneByOne(&g.waste, &g.tableaus[tableau], n, kFaceUp, speed);
}

bool AnimSetupMoveNCardsFromWasteToDeck(int n, bool together, float speed) {
  Gen& g = G();
  if (n < 1 || g.waste.numCards < n) return ParameterError("AnimSetupMoveNCardsFromWasteToDeck");
  int face = g.deck.cards[0].faceUp;
  // A pile turned over lands in entry order, so its order flips.
  int order = g.waste.cards[0].faceUp != face ? 1 : 0;
  return Move(&g.waste, &g.deck, n, together, order, face, speed);
}

bool AnimSetupMoveNCardsFromTableauToTableau(int n, int from, int to, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(from, g.numTableaus) || !Valid(to, g.numTableaus) ||
      g.tableaus[from].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromTableauToTableau");
  }
  return Move(&g.tableaus[from], &g.tableaus[to], n, true, 0, kFaceUp, speed);
}

bool AnimSetupMoveNCardsFromFanToFan(int n, int from, int to, float speed) {
  Gen& g = G();
  if (n < 1 || !Valid(from, g.numFans) || !Valid(to, g.numFans) || g.fans[from].numCards < n) {
    return ParameterError("AnimSetupMoveNCardsFromFanToFan");
  }
  return OneByOne(&g.fans[from], &g.fans[to], n, kFaceUp, speed);
}

bool AnimSetupTurnOverCardInTableau(int tableau, float speed, bool faceDown) {
  Gen& g = G();
  if (!Valid(tableau, g.numTableaus) || g.tableaus[tableau].numCards < 1) {
    return ParameterError("AnimSetupTurnOverCardInTableau");
  }
  CardGroup* pile = &g.tableaus[tableau];
  return OneByOne(pile, pile, 1, faceDown ? 0 : 1, speed);
}

bool AnimSetupMoveAllCardsFromReserveToDeck(int reserve, float speed) {
  Gen& g = G();
  if (!Valid(reserve, g.numReserves)) return ParameterError("AnimSetupMoveAllCardsFromReserveToDeck");
  int n = g.reserves[reserve].numCards;
  if (n < 1) return false;
  return OneByOne(&g.reserves[reserve], &g.deck, n, g.deck.cards[0].faceUp, speed);
}

bool AnimSetupGatherAllCardsToDeck(float speed) {
  switch (GenCurGameDef().gatherFrom) {
    case kGatherFromFirstReserve: return AnimSetupMoveAllCardsFromReserveToDeck(0, speed);
    case kGatherFromTableaus: return AnimSetupMoveAllCardsFromTableausToDeck(speed);
    default: return AnimSetupMoveAllCardsFromFoundationsToDeck(speed);
  }
}

bool AnimSetupMoveAllCardsFromFoundationsToDeck(float speed) {
  return AllToDeck(G().foundations, G().numFoundations, speed);
}

bool AnimSetupMoveAllCardsFromTableausToDeck(float speed) {
  return AllToDeck(G().tableaus, G().numTableaus, speed);
}

bool AnimSetupMoveAllCardsFromFansToDeck(float speed) {
  return AllToDeck(G().fans, G().numFans, speed);
}

bool AnimSetupMoveTopCardsFromTableausToDeck(const int* tableaus, int count, float speed) {
  const char* where = "AnimSetupMoveTopCardsFromTableausToDeck";
  Gen& g = G();
  if (!tableaus || count < 1 || count > kCardGroupMaxCards || g.deck.numCards + count > g.deck.maxCards) {
    return ParameterError(where);
  }
  AnimPlannedCard planned[kCardGroupMaxCards];
  AnimPlannedCounts counts;
  const int face = g.deck.cards[0].faceUp;
  for (int k = 0; k < count; ++k) {
    if (!Valid(tableaus[k], g.numTableaus)) return ParameterError(where);
    CardGroup* pile = &g.tableaus[tableaus[k]];
    const int top = counts.Get(pile) - 1;
    if (top < 0) return ParameterError(where);
    planned[k] = {pile, top, &g.deck, g.deck.numCards + k, face};
    counts.Add(pile, -1);
  }
  if (!AnimStartPlannedMove(planned, count, speed)) return false;
  AnimSetSoundsChoice(true, true);
  return true;
}
