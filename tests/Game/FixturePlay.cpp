// FixturePlay.cpp - playable fixture variants and the pointer helpers that
// click and drag through the hit-test seam (table points, no pick ray).
#include <sstream>

#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenCallbacks.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenVariant.h"
#include "tests/Game/GameFixture.h"

namespace {

// The Spider-like deck deals a card to every tableau.
bool SpiderSelection(int quick, int down) {
  Gen& g = g_GenLive;
  if (GenGetCurrentHitWhere() == kWhereDeck) {
    if (down || g.selection.numCards > 0 || g.deck.numCards < 1) return false;
    return AnimSetupMoveNCardsFromDeckToTableau(g.numTableaus, 0, true, 0.5f);
  }
  return FixtureSelection(quick, down);
}

void MakePlayable() {
  GenSetSelectionCB(FixtureSelection);
  GenSetAutoplayCB(GenStdAutoplay);
}

}  // namespace

bool FixtureSelection(int, int down) {
  Gen& g = g_GenLive;
  const int code = GenGetCurrentHitWhere();
  const int kind = GenGetKindBase(code);
  if (kind == kWhereDeck) {
    // The stock click: the release over the deck with nothing carried.
    if (down || g.selection.numCards > 0) return false;
    if (g.deck.numCards > 0) return AnimSetupMoveNCardsFromDeckToWaste(1, 0.5f);
    if (g.waste.numCards > 0) return AnimSetupMoveNCardsFromWasteToDeck(g.waste.numCards, true, 0.5f);
    return false;
  }
  return GenStdPickupOrDrop(0, down, kind);
}

void FixtureKlondikePlaySetup() {
  FixtureKlondikeSetup();
  MakePlayable();
}

void FixtureFreeCellPlaySetup() {
  FixtureFreeCellSetup();
  Gen& g = g_GenLive;
  g.rules[kRuleDropCell] = 0;
  MakePlayable();
}

void FixtureSpiderPlaySetup() {
  FixtureBeginSetup(0.8f, 0.8f, 104, 54, 2,
                    {{kRulePickupTableau, 2},
                     {kRulePickupFoundation, 16},
                     {kRuleDropFoundation, 10},
                     {kRuleDropTableau, 6},
                     {kRuleDropEmptyTableau, 0},
                     {kRuleDropWaste, 16}});
  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float cw = CardsGetCardWidth();
  GenStdSetNFoundationsPosition(8, 13, 0, c.topRowY, 0.1f * cw, 0, true, 1, 1);
  GenStdSetNTableausPosition(10, 0, c.secondRowY, 0.1f * cw, 1);
  GenSetDeckPosition(c.rightColumnXNear, c.lowerEdgeY + CardsGetCardHeight(), 1, 0);
  MakePlayable();
  GenSetSelectionCB(SpiderSelection);
  GenSetReady();
}

namespace {

constexpr char kRanks[] = "A23456789TJQK";
constexpr char kSuits[] = "hsdc";

}  // namespace

std::string FixtureCardText(const Card& card) {
  std::string text;
  int rank = card.rank == 14 ? 1 : card.rank;
  text += rank >= 1 && rank <= 13 ? kRanks[rank - 1] : '?';
  text += card.suit >= 0 && card.suit <= 3 ? kSuits[card.suit] : '?';
  if (card.faceUp) text += '*';
  return text;
}

std::string FixturePile(int where) {
  CardGroup* group = GenGetGroup(g_GenLive, where);
  if (!group) return "?";
  std::string text;
  for (int i = 0; i < group->numCards; ++i) {
    if (i) text += ' ';
    text += FixtureCardText(group->cards[i]);
  }
  return text;
}

void FixtureCardPlace(int where, int index, float* x, float* y) {
  CardGroup* pile = GenGetGroup(g_GenLive, where);
  *x = pile->pos[0];
  *y = pile->pos[1];
  if (index >= 0 && GenGetKindBase(where) != kWhereDeck && GenGetKindBase(where) != kWhereWaste &&
      GenGetKindBase(where) != kWhereFoundation && GenGetKindBase(where) != kWhereCell) {
    *x += pile->cards[index].pos[0];
    *y += pile->cards[index].pos[1];
  }
}

namespace {

// A point on the visible part of a card: its place, moved into the strip
// the next card leaves uncovered, up in a column and left in a row (the hit
// test takes the last card whose box holds the point).
void VisiblePoint(int where, int index, float* x, float* y) {
  FixtureCardPlace(where, index, x, y);
  CardGroup* pile = GenGetGroup(g_GenLive, where);
  const int kind = GenGetKindBase(where);
  if (kind != kWhereTableau && kind != kWhereFan && kind != kWhereReserve) return;
  if (index < 0 || index + 1 >= pile->numCards) return;
  const Card& card = pile->cards[index];
  const Card& next = pile->cards[index + 1];
  if (pile->alignType == 2) {
    *y += CardsGetSettings().halfHeight - (card.pos[1] - next.pos[1]) / 2;
  } else if (pile->alignType == 3) {
    *x -= CardsGetSettings().halfWidth - (next.pos[0] - card.pos[0]) / 2;
  }
}

}  // namespace

void FixtureClick(int where, int index, int button) {
  float x, y;
  VisiblePoint(where, index, &x, &y);
  GenSetPointerTablePoint(x, y);
  if (button < 0) {
    GenHandleSelection(0, 1, 0);
    return;
  }
  GenHandleSelection(button, 1, 0);
  GenHandleSelection(button, 0, 0);
}

void FixtureDrag(int fromWhere, int fromIndex, int toWhere) {
  float x, y, px, py;
  VisiblePoint(fromWhere, fromIndex, &x, &y);
  FixtureCardPlace(fromWhere, fromIndex, &px, &py);
  GenSetPointerTablePoint(x, y);
  GenHandleSelection(0, 1, 0);
  // The carried run follows the pointer less the grab offset: aim it at the
  // target's top card.
  CardGroup* to = GenGetGroup(g_GenLive, toWhere);
  float tx, ty;
  FixtureCardPlace(toWhere, to->numCards > 0 ? to->numCards - 1 : -1, &tx, &ty);
  GenSetPointerTablePoint(tx + (x - px), ty + (y - py));
  GenHandleSelection(0, 0, 0);
}

std::string FixtureDescribeGame() {
  Gen& g = g_GenLive;
  std::ostringstream out;
  auto kind = [&](const char* name, int base, int n) {
    for (int i = 0; i < n; ++i) out << name << i << ": " << FixturePile(base + i) << "; ";
  };
  out << "D: " << FixturePile(kWhereDeck) << "; W: " << FixturePile(kWhereWaste) << "; ";
  kind("F", kWhereFoundation, g.numFoundations);
  kind("C", kWhereCell, g.numCells);
  kind("T", kWhereTableau, g.numTableaus);
  kind("N", kWhereFan, g.numFans);
  kind("R", kWhereReserve, g.numReserves);
  out << "S: " << FixturePile(kWhereSelection);
  return out.str();
}
