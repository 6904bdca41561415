// GenLayout.cpp - the layout constants, the card scale and the standard
// positioners. The layout-file table is in GenLayoutFile.cpp.
#include "Game/GenLayout.h"

#include <algorithm>

#include "Engine/Debug.h"
#include "Game/CardsSettings.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/SolCards.h"

namespace {

GenLayoutConstants g_constants{};
// The table: half width, half height, a third value, top y.
float g_tableHalfWidth = 30, g_tableHalfHeight = 30, g_tableThird = 0, g_tableTopY = 35;
float g_tableHeight = 0;
float g_cardScaleX = 1, g_cardScaleY = 1;

// A fan holds at most 32 cards (GenCheckOk).
constexpr int kFanMaxCards = 32;

float CW() { return CardsGetSettings().width; }
float CH() { return CardsGetSettings().height; }
float HCW() { return CardsGetSettings().halfWidth; }
float HCH() { return CardsGetSettings().halfHeight; }

// x of pile i of n laid out in a row (centred or from x).
float RowX(int i, int n, float x, float gap, bool centred) {
  if (!centred) return x + static_cast<float>(i) * (CW() + gap);
  if (n == 1) return x;
  float w = static_cast<float>(n) * CW() + static_cast<float>(n - 1) * gap;
  float xi = x + static_cast<float>(i) * w / static_cast<float>(n) - w / 2 + HCW();
  if (n % 2 == 0) xi += gap / 2;
  return xi;
}

// y of pile i of n laid out in a column going down (centred or from y).
float ColumnY(int i, int n, float y, float gap, bool centred) {
  if (!centred) return y - static_cast<float>(i) * (CH() + gap);
  if (n == 1) return y;
  float h = static_cast<float>(n) * CH() + static_cast<float>(n - 1) * gap;
  float yi = y - (static_cast<float>(i) * h / static_cast<float>(n) - h / 2 + HCH());
  if (n % 2 == 0) yi -= gap / 2;
  return yi;
}

// A foundation set-up: stack, no gaps, code 10 + i.
bool SetupFoundation(int i, int maxCards, float x, float y) {
  Gen& g = g_GenLive;
  CardGroup& f = g.foundations[i];
  bool ok = f.SetupCardGroup({.maxCards = maxCards, .x = x, .y = y, .z = g_tableHeight,
                              .where = kWhereFoundation + i});
  f.drawEmptySpace = g.foundationEmptySpace;
  return ok;
}

// The start of the foundation positioners: the count and the room are
// checked before anything changes ("Invalid num foundations <%d>", "Invalid
// max cards <%d>" under where), then the foundation count and the record's
// foundation empty-space flag are set.
bool BeginFoundations(const char* where, int n, int maxCards, int emptySpace) {
  if (n < 0 || n > kGenMaxFoundations) {
    DebugError(where, "Invalid num foundations <%d>", n);
    return false;
  }
  if (maxCards < 1 || maxCards > kCardGroupMaxCards) {
    DebugError(where, "Invalid max cards <%d>", maxCards);
    return false;
  }
  g_GenLive.numFoundations = n;
  g_GenLive.foundationEmptySpace = static_cast<uint8_t>(emptySpace);
  return true;
}

// The end of the foundation positioners: the lowest rank, and every slot
// face up.
void EndFoundations(int lowestRank) {
  GenSetLowestRank(lowestRank);
  GenSetFoundationSlotsFaceUp(-1, 1);
}

// The reserves' alignment from the record's bytes.
void ReserveAlignment(int* type, float* faceUpGap, float* faceDownGap) {
  const Gen& g = g_GenLive;
  if (g.reservesStacked) {
    *type = 1;
    *faceUpGap = *faceDownGap = 0;
  } else if (g.reservesFannedDown) {
    *type = 2;
    *faceUpGap = g_constants.columnFaceUpGap;
    *faceDownGap = g_constants.columnFaceDownGap;
  } else {
    *type = 3;
    *faceUpGap = *faceDownGap = g_constants.rowGap;
  }
}

}  // namespace

const GenLayoutConstants& GenGetLayoutConstants() { return g_constants; }

void GenComputeSpacingConstants() {
  g_constants.spacingA = 0.5f * CW();
  g_constants.spacingB = 0.1f * CW();
  g_constants.spacingC = 0.1f * CW();
}

void GenComputeLayoutConstants() {
  GenComputeSpacingConstants();
  GenLayoutConstants& c = g_constants;
  float tw = g_tableHalfWidth, th = g_tableHalfHeight, tt = g_tableTopY;
  c.rowGap = CW() / 5;
  c.columnFaceUpGap = CH() / 2.9f;
  c.columnFaceDownGap = CH() / 12;
  c.shortGap = CH() / 20;
  c.liftHeight = -6 * CardsGetSettings().depth;
  c.upperEdgeY = th - 2;
  c.secondUpperEdgeY = th - 3;
  c.lowerEdgeY = -th;
  c.secondLowerEdgeY = 2.5f - th;
  c.leftColumnXNear = 2.5f - 1.03f * tw + HCW();
  c.leftColumnXFar = 3.5f - 1.03f * tw + HCW();
  c.rightColumnXNear = -c.leftColumnXNear;
  c.rightColumnXFar = -c.leftColumnXFar;
  c.topRowY = tt - CH() / 2.9f - HCH();
  c.secondRowY = c.topRowY - 1.5f * CH();
  c.smallOffset1 = 0.015f * CW();
  c.smallOffset2 = 0.03f * CW();
  c.smallOffset3 = 0.06f * CW();
}

void GenSetTableValues(float halfWidth, float halfHeight, float third, float topY) {
  g_tableHalfWidth = halfWidth;
  g_tableHalfHeight = halfHeight;
  g_tableThird = third;
  g_tableTopY = topY;
}

void GenSetTableHeight(float z) { g_tableHeight = z; }
float GenGetTableHeight() { return g_tableHeight; }

void GenSetCardScale(float scaleX, float scaleY) {
  g_cardScaleX = scaleX;
  g_cardScaleY = scaleY;
  // Through the deck module, so that its size factors (which the
  // celebration and the deck-side model read) match the table's cards.
  SolCardsSetCardSize(scaleX, scaleY, true);
  GenComputeLayoutConstants();
}

// ---- Positioners ------------------------------------------------------------------

bool GenStdSetNTableausPosition(int n, float x, float y, float gap, int mode) {
  if (n < 0 || n > kGenMaxTableaus) {
    DebugError("GenStdSetNTableausPosition", "Invalid num tableaus <%d>", n);
    return false;
  }
  Gen& g = g_GenLive;
  g.numTableaus = n;
  float faceUp = g_constants.columnFaceUpGap, faceDown = g_constants.columnFaceDownGap;
  if (g.tableauHalfGaps) {
    faceUp /= 2;
    faceDown /= 2;
  }
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    float xi = mode == 0 ? RowX(i, n, x, gap, false) : mode == 1 ? RowX(i, n, x, gap, true) : x;
    CardGroup& t = g.tableaus[i];
    ok = t.SetupCardGroup({.x = xi, .y = y, .z = g_tableHeight, .alignType = 2, .absFaceUpGap = faceUp,
                           .absFaceDownGap = faceDown, .where = kWhereTableau + i}) && ok;
    t.drawEmptySpace = g.tableauEmptySpace;
  }
  return ok;
}

bool GenStdSetNReservesPosition(int n, float x, float y, float xGap, float yGap, bool centred) {
  const char* where = "GenStdSetNReservesPosition";
  if (n < 0 || n > kGenMaxReserves) {
    DebugError(where, "Invalid num reserves <%d>", n);
    return false;
  }
  if (xGap != 0 && yGap != 0) {
    DebugError(where, "Only one of xgap and ygap supported");
    return false;
  }
  Gen& g = g_GenLive;
  g.numReserves = n;
  int type;
  float faceUp, faceDown;
  ReserveAlignment(&type, &faceUp, &faceDown);
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    CardGroup& r = g.reserves[i];
    float xi = r.pos[0], yi = r.pos[1];
    if (xGap != 0) {
      xi = RowX(i, n, x, xGap, centred);
      yi = y;
    } else if (yGap != 0) {
      xi = x;
      yi = ColumnY(i, n, y, yGap, centred);
    }
    ok = r.SetupCardGroup({.x = xi, .y = yi, .z = r.pos[2], .alignType = type, .absFaceUpGap = faceUp,
                           .absFaceDownGap = faceDown, .where = kWhereReserve + i}) && ok;
    if (g.reservesDrawEmpty) r.drawEmptySpace = 1;
  }
  return ok;
}

bool GenStdSetNFoundationsPosition(int n, int maxCards, float x, float y, float xGap, float yGap,
                                   bool centred, int emptySpace, int lowestRank) {
  if (!BeginFoundations("GenStdSetNFoundationsPosition", n, maxCards, emptySpace)) return false;
  bool upwards = false;
  if (yGap < 0 && !centred) {
    yGap = -yGap;
    upwards = true;
  }
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    float xi = x, yi = y;
    if (yGap == 0) {
      xi = RowX(i, n, x, xGap, centred);
    } else if (upwards) {
      yi = y + static_cast<float>(i) * (CH() + yGap);
    } else {
      yi = ColumnY(i, n, y, yGap, centred);
    }
    ok = SetupFoundation(i, maxCards, xi, yi) && ok;
  }
  EndFoundations(lowestRank);
  return ok;
}

bool GenStdSetNFoundationsBetween(int n, int maxCards, float x1, float y1, float x2, float y2,
                                  bool alongX, int emptySpace, int lowestRank) {
  if (!BeginFoundations("GenStdSetNFoundationsBetween", n, maxCards, emptySpace)) return false;
  float xStep = 0, yStep = 0;
  if (n > 1) {
    if (alongX) xStep = (x2 - x1) / static_cast<float>(n - 1);
    else yStep = (y2 - y1) / static_cast<float>(n - 1);
  }
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    ok = SetupFoundation(i, maxCards, x1 + static_cast<float>(i) * xStep,
                         y1 + static_cast<float>(i) * yStep) && ok;
  }
  EndFoundations(lowestRank);
  return ok;
}

bool GenStdSetFourFoundationsInTopRow(int lowestRank) {
  BeginFoundations("GenStdSetFourFoundationsInTopRow", 4, 13, 1);
  Gen& g = g_GenLive;
  // The scale is compared as a 32-bit float on purpose: only the exact
  // values 1.1 and 1.2 shift the row.
  float shift = 0;
  if (g_cardScaleX == 1.1f) shift = -HCW();
  else if (g_cardScaleX == 1.2f) shift = -0.85f * CW();
  bool ok = true;
  for (int i = 0; i < 4; ++i) {
    float x = (CW() + g_constants.spacingC) * static_cast<float>(i) + shift + HCW() +
              g_constants.spacingA;
    ok = SetupFoundation(i, 13, x, g_constants.topRowY) && ok;
    g.foundations[i].drawEmptySpace = 1;
  }
  EndFoundations(lowestRank);
  return ok;
}

bool GenStdSetFourCellsInTopRow() {
  Gen& g = g_GenLive;
  g.numCells = 4;
  bool ok = true;
  for (int i = 0; i < 4; ++i) {
    float x = -((CW() + g_constants.spacingC) * static_cast<float>(3 - i) + HCW() +
                g_constants.spacingA);
    CardGroup& c = g.cells[i];
    ok = c.SetupCardGroup({.maxCards = 1, .x = x, .y = g_constants.topRowY, .z = g_tableHeight,
                           .where = kWhereCell + i});
    c.drawEmptySpace = 1;
  }
  return ok;
}

bool GenStdSetNCellsPosition(int n, float x, float y, float xGap, float yGap, bool centred) {
  const char* where = "GenStdSetNCellsPosition";
  if (n < 0 || n > kGenMaxCells) {
    DebugError(where, "Invalid num cells <%d>", n);
    return false;
  }
  if (xGap != 0 && yGap != 0) {
    DebugError(where, "Only one of xgap and ygap supported");
    return false;
  }
  Gen& g = g_GenLive;
  g.numCells = n;
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    const float xi = yGap != 0 ? x : RowX(i, n, x, xGap, centred);
    const float yi = yGap != 0 ? ColumnY(i, n, y, yGap, centred) : y;
    CardGroup& c = g.cells[i];
    ok = c.SetupCardGroup({.maxCards = 1, .x = xi, .y = yi, .z = g_tableHeight, .where = kWhereCell + i}) && ok;
    c.drawEmptySpace = 1;
  }
  return ok;
}

bool GenStdSetNFansPosition(int n, float x, float y, float xGap, float yGap, bool centred,
                            int alignType) {
  const char* where = "GenStdSetNFansPosition";
  if (n < 0 || n > kGenMaxFans) {
    DebugError(where, "Invalid num fans <%d>", n);
    return false;
  }
  if (xGap != 0 && yGap != 0) {
    DebugError(where, "Only one of xgap and ygap supported");
    return false;
  }
  Gen& g = g_GenLive;
  g.numFans = n;
  const float gap = g_constants.rowGap;
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    const float xi = yGap != 0 ? x : RowX(i, n, x, xGap, centred);
    const float yi = yGap != 0 ? ColumnY(i, n, y, yGap, centred) : y;
    CardGroup& f = g.fans[i];
    ok = f.SetupCardGroup({.maxCards = kFanMaxCards, .x = xi, .y = yi, .z = g_tableHeight,
                           .alignType = alignType, .absFaceUpGap = gap, .absFaceDownGap = gap,
                           .where = kWhereFan + i}) && ok;
    f.drawEmptySpace = 1;
  }
  return ok;
}

namespace {

CardGroup* PlacedPile(const char* where, int code) {
  CardGroup* pile = GenGetGroup(g_GenLive, code);
  if (!pile || !pile->active) {
    DebugError(where, "Invalid pile <%d>", code);
    return nullptr;
  }
  return pile;
}

}  // namespace

bool GenSetPileBottomLimit(int code, float y) {
  CardGroup* pile = PlacedPile("GenSetPileBottomLimit", code);
  if (!pile) return false;
  // The layout keeps the last card's centre a card height above the base.
  pile->SetOwnBottom(true, y - HCH());
  return pile->Refresh(true);
}

bool GenSetPileRightLimit(int code, float x) {
  CardGroup* pile = PlacedPile("GenSetPileRightLimit", code);
  if (!pile) return false;
  // The layout keeps the last card's centre a card width left of the base.
  pile->ownRightOn = 1;
  pile->ownRightX = x + HCW();
  return pile->Refresh(true);
}

bool GenSetPilePosition(int code, float x, float y) {
  CardGroup* pile = PlacedPile("GenSetPilePosition", code);
  if (!pile) return false;
  const float position[3] = {x, y, pile->pos[2]};
  pile->SetPositionAndSwing(position, pile->swing);
  return pile->Refresh(true);
}

bool GenStdSetFanRows(int n, int perRow, float x, float y, float length, float xGap, float yGap,
                      float cardGap) {
  const char* where = "GenStdSetFanRows";
  if (n < 0 || n > kGenMaxFans) {
    DebugError(where, "Invalid num fans <%d>", n);
    return false;
  }
  if (perRow < 1) {
    DebugError(where, "Invalid fans per row <%d>", perRow);
    return false;
  }
  Gen& g = g_GenLive;
  const CardsSettingsRecord& s = CardsGetSettings();
  g.numFans = n;
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    const int row = i / perRow, column = i % perRow;
    const int inRow = std::min(perRow, n - row * perRow);
    const float rowWidth = static_cast<float>(inRow) * length + static_cast<float>(inRow - 1) * xGap;
    const float xi = x - rowWidth / 2 + static_cast<float>(column) * (length + xGap) + s.halfWidth;
    const float yi = y - static_cast<float>(row) * (s.height + yGap);
    CardGroup& fan = g.fans[i];
    ok = fan.SetupCardGroup({.maxCards = kFanMaxCards, .x = xi, .y = yi, .z = g_tableHeight, .alignType = 3,
                             .absFaceUpGap = cardGap, .absFaceDownGap = cardGap, .where = kWhereFan + i}) &&
         ok;
    fan.rightLength = length;
    fan.drawEmptySpace = 1;
    fan.Refresh(true);
  }
  return ok;
}

bool GenSetDeckPosition(float x, float y, int inUse, int faceUp) {
  Gen& g = g_GenLive;
  g.deckInUse = static_cast<uint8_t>(inUse);
  bool ok = g.deck.SetupCardGroup({.maxCards = -1, .numCards = -1, .faceUp = faceUp, .x = x, .y = y,
                                   .z = g_tableHeight, .where = kWhereDeck});
  g.deck.drawEmptySpace = inUse == 1 ? 1 : 0;
  return ok;
}

bool GenSetWastePosition(float x, float y, int inUse, int faceUp) {
  Gen& g = g_GenLive;
  g.wasteInUse = static_cast<uint8_t>(inUse);
  bool ok = g.waste.SetupCardGroup({.faceUp = faceUp, .x = x, .y = y, .z = g_tableHeight, .where = kWhereWaste});
  g.waste.drawEmptySpace = inUse == 1 ? 1 : 0;
  return ok;
}

void GenSetReserveOptions(int inUse, int fannedDown, int drawEmptySpace, int stacked,
                          int dropsOnlyWhileEmpty) {
  Gen& g = g_GenLive;
  g.reservesInUse = static_cast<uint8_t>(inUse);
  g.reservesFannedDown = static_cast<uint8_t>(fannedDown);
  g.reservesDrawEmpty = static_cast<uint8_t>(drawEmptySpace);
  g.reservesStacked = static_cast<uint8_t>(stacked);
  g.reservesDropOnlyEmpty = static_cast<uint8_t>(dropsOnlyWhileEmpty);
}

bool GenSetSingleReservePosition(float x, float y, float closeGap) {
  Gen& g = g_GenLive;
  g.numReserves = 1;
  int type;
  float faceUp, faceDown;
  ReserveAlignment(&type, &faceUp, &faceDown);
  if (type == 2 && closeGap > 0) faceUp = faceDown = closeGap;
  CardGroup& r = g.reserves[0];
  bool ok = r.SetupCardGroup({.x = x, .y = y, .z = g_tableHeight, .alignType = type, .absFaceUpGap = faceUp,
                              .absFaceDownGap = faceDown, .where = kWhereReserve});
  if (g.reservesDrawEmpty) r.drawEmptySpace = 1;
  return ok;
}

bool GenSetFoundationSlotsFaceUp(int n, int faceUp) {
  if (n >= kGenMaxFoundations) {
    DebugError("GenSetFoundationSlotsFaceUp", "Invalid foundation num <%d>", n);
    return false;
  }
  Gen& g = g_GenLive;
  int first = n < 0 ? 0 : n;
  int last = n < 0 ? kGenMaxFoundations - 1 : n;
  for (int f = first; f <= last; ++f) {
    for (int i = 0; i < 52; ++i) g.foundations[f].cards[i].faceUp = faceUp ? 1 : 0;
    g.foundations[f].MarkChanged();
  }
  if (n >= 0) {
    g.foundations[n].Refresh(true);
  } else {
    for (int f = 0; f < g.numFoundations && f < kGenMaxFoundations; ++f) g.foundations[f].Refresh(true);
  }
  return true;
}
