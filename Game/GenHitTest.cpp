// GenHitTest.cpp - the pointer on the table and the hit test of the piles.
//
// The pointer's table point depends on the height of the pile tested (the
// pick ray meets each pile's plane elsewhere); without a pick ray (headless,
// tests) the table point given last stands for every height. While cards
// are carried the point is taken less the grab offset, so that it follows
// the carried run's first card rather than the pointer itself.
//
// The hit test runs every test in a fixed order and keeps the last success;
// a box test succeeds strictly within half a card width and half a card
// height of its place. The card index names the card under the pointer:
// the deck, the waste, a cell and a foundation are hit at the place where
// their top card lies, so they name it (-1 when empty); the area beside a
// pile's cards (a reserve's area, a tableau's column, a fan's row) names no
// card (-1), so that a press there lifts nothing.
#include <cmath>

#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenSelectionLocal.h"

namespace {

GenPointerState g_pointer;        // whole run
GenPickRayFn g_pickRay = nullptr;  // the platform's pick ray, or none

// The pointer's raw point at height z (no grab offset).
void RawPoint(float z, float* x, float* y) {
  const GenPointerState& p = g_pointer;
  if (p.placed) {
    *x = p.placedX;
    *y = p.placedY;
    return;
  }
  if (g_pickRay && p.haveScreen && g_pickRay(p.screenX, p.screenY, z, x, y)) return;
  *x = p.tableX;
  *y = p.tableY;
}

}  // namespace

GenPointerState& GenSelPointer() { return g_pointer; }

void GenSetPickRayCB(GenPickRayFn pickRay) { g_pickRay = pickRay; }

void GenSetPointer(float x, float y) {
  g_pointer.screenX = x;
  g_pointer.screenY = y;
  g_pointer.haveScreen = true;
  if (g_pickRay) {
    float tx, ty;
    if (g_pickRay(x, y, 0, &tx, &ty)) {
      g_pointer.tableX = tx;
      g_pointer.tableY = ty;
    }
  }
  GenUpdateDrag(false);
}

void GenSetPointerTablePoint(float x, float y) {
  g_pointer.tableX = x;
  g_pointer.tableY = y;
  g_pointer.haveScreen = false;
  GenUpdateDrag(false);
}

void GenGetPointerTablePoint(float z, float* x, float* y) {
  RawPoint(z, x, y);
  if (!g_pointer.placed && GenIsCarrying()) {
    *x -= g_pointer.grabX;
    *y -= g_pointer.grabY;
  }
}

bool GenHitTestPiles(int* outCode, int* outCard, bool release) {
  Gen& g = g_GenLive;
  const CardsSettingsRecord& s = CardsGetSettings();
  const float hw = s.halfWidth, hh = s.halfHeight;
  const bool carrying = GenIsCarrying();
  int code = 0, card = 0;
  float px = 0, py = 0;
  auto point = [&](float z) { GenGetPointerTablePoint(z, &px, &py); };
  auto inBox = [&](float x, float y) { return std::fabs(px - x) < hw && std::fabs(py - y) < hh; };
  // A success at place (x, y): the result so far is replaced.
  auto hit = [&](int c, int k, float x, float y) {
    code = c;
    card = k;
    if (!carrying) {
      g_pointer.grabX = px - x;
      g_pointer.grabY = py - y;
    }
  };
  auto topOf = [](const CardGroup& pile) { return pile.numCards > 0 ? pile.numCards - 1 : -1; };

  // 1, 2: deck and waste.
  if (g.deckInUse) {
    point(g.deck.pos[2] + g.deck.pileHeight);
    if (inBox(g.deck.pos[0], g.deck.pos[1])) hit(kWhereDeck, topOf(g.deck), g.deck.pos[0], g.deck.pos[1]);
  }
  if (g.wasteInUse) {
    point(g.waste.pos[2] + g.waste.pileHeight);
    if (inBox(g.waste.pos[0], g.waste.pos[1])) {
      hit(kWhereWaste, topOf(g.waste), g.waste.pos[0], g.waste.pos[1]);
    }
  }
  // 3: the reserves' cards, else their areas.
  if (g.reservesInUse) {
    bool anyCard = false;
    for (int i = 0; i < g.numReserves; ++i) {
      CardGroup& r = g.reserves[i];
      point(r.pos[2] + r.pileHeight);
      for (int j = 0; j < r.numCards; ++j) {
        float x = r.pos[0], y = r.pos[1];
        if (g.reservesStacked) {
          // the pile's place
        } else if (g.reservesFannedDown) {
          if (j > 0) y += r.cards[j].pos[1];
        } else if (j > 0) {
          x += r.cards[j].pos[0];
        }
        if (inBox(x, y)) {
          hit(kWhereReserve + i, g.reservesStacked ? r.numCards - 1 : j, x, y);
          anyCard = true;
        }
      }
    }
    if (!anyCard) {
      for (int i = 0; i < g.numReserves; ++i) {
        CardGroup& r = g.reserves[i];
        point(r.pos[2]);
        bool inside;
        if (g.reservesStacked) {
          inside = inBox(r.pos[0], r.pos[1]);
        } else if (g.reservesFannedDown) {
          inside = std::fabs(px - r.pos[0]) < hw && py < r.pos[1] + hh;
        } else {
          inside = px > r.pos[0] - hw && std::fabs(py - r.pos[1]) < hh;
        }
        if (inside) hit(kWhereReserve + i, -1, r.pos[0], r.pos[1]);
      }
    }
  }
  // 4: cells.
  for (int i = 0; i < g.numCells; ++i) {
    CardGroup& c = g.cells[i];
    point(c.pos[2]);
    if (inBox(c.pos[0], c.pos[1])) hit(kWhereCell + i, topOf(c), c.pos[0], c.pos[1]);
  }
  // 5: the tableaus' cards.
  for (int i = 0; i < g.numTableaus; ++i) {
    CardGroup& t = g.tableaus[i];
    point(t.pos[2]);
    const bool firstOnly = t.alignType == 1 && g.selectionKeepsAlignment;
    const int n = firstOnly ? (t.numCards > 0 ? 1 : 0) : t.numCards;
    for (int j = 0; j < n; ++j) {
      float x = t.pos[0] + t.cards[j].pos[0], y = t.pos[1] + t.cards[j].pos[1];
      if (inBox(x, y)) hit(kWhereTableau + i, j, x, y);
    }
  }
  // 6: the tableaus' columns, on a release that hit nothing yet (always in
  // a game whose press hits the columns); a stacked tableau has no column,
  // but a release over its empty place hits it (a card lifted from it and
  // released there at once, a click, lands where it came from).
  if ((code == 0 && release) || GenCurGameDef().pressHitsColumns) {
    for (int i = 0; i < g.numTableaus; ++i) {
      CardGroup& t = g.tableaus[i];
      if (t.alignType == 1) {
        point(t.pos[2]);
        if (release && t.numCards == 0 && inBox(t.pos[0], t.pos[1])) hit(kWhereTableau + i, -1, t.pos[0], t.pos[1]);
        continue;
      }
      point(t.pos[2]);
      if (std::fabs(px - t.pos[0]) < hw && py < t.pos[1] + hh && py > t.pos[1] - 1000 - hh) {
        hit(kWhereTableau + i, -1, t.pos[0], t.pos[1]);
      }
    }
  }
  // 7: foundations.
  for (int i = 0; i < g.numFoundations; ++i) {
    CardGroup& f = g.foundations[i];
    point(f.pos[2] + f.pileHeight);
    if (inBox(f.pos[0], f.pos[1])) hit(kWhereFoundation + i, topOf(f), f.pos[0], f.pos[1]);
  }
  // 8: the fans' cards, then (when nothing was hit at all) their rows.
  if (!g.fansNotHit) {
    for (int i = 0; i < g.numFans; ++i) {
      CardGroup& f = g.fans[i];
      point(f.pos[2]);
      for (int j = 0; j < f.numCards; ++j) {
        float x = f.pos[0] + f.cards[j].pos[0], y = f.pos[1] + f.cards[j].pos[1];
        if (inBox(x, y)) hit(kWhereFan + i, j, x, y);
      }
    }
    for (int i = 0; i < g.numFans && code == 0; ++i) {
      CardGroup& f = g.fans[i];
      point(f.pos[2]);
      // The row reaches to the 13th card's place, or short of the next fan
      // of the same row.
      float e = f.pos[0] + f.cards[12].pos[0];
      if (i + 1 < g.numFans) {
        const CardGroup& next = g.fans[i + 1];
        if (next.pos[1] == f.pos[1] && next.pos[0] - hw < e + hw) e = next.pos[0] - s.width;
      }
      if (px > f.pos[0] - hw && px < e + hw && std::fabs(py - f.pos[1]) < hh) {
        hit(kWhereFan + i, -1, f.pos[0], f.pos[1]);
      }
    }
  }
  if (outCode) *outCode = code;
  if (outCard) *outCard = card;
  return code != 0;
}
