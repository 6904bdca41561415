// GenLayout.h - game layouts: the per-game layout values read from
// "Data\Main\0110.dat", the layout constants derived from the card and table
// size, and the standard positioners the variant set-ups place piles with.
//
// State (one set for the program): the layout table (84 entries, loaded
// once at start-up), the table values (half width 30, half height 30, third
// value 0, top y 35 until the card module sets them), the table height (the
// z of every placed pile; GenInit sets it to 0), the card scale last set and
// the constants below.
//
// Positioners check their arguments first; a refused call reports under its
// own name and changes nothing, not even the pile count.
#pragma once

// ---- Layout constants (recomputed by GenComputeLayoutConstants) -----------
struct GenLayoutConstants {
  float spacingA;            // 0.5 cw
  float spacingB;            // 0.1 cw
  float spacingC;            // 0.1 cw
  float rowGap;              // cw / 5
  float columnFaceUpGap;     // ch / 2.9
  float columnFaceDownGap;   // ch / 12
  float shortGap;            // ch / 20
  float liftHeight;          // -6 cd
  float upperEdgeY;          // TH - 2
  float secondUpperEdgeY;    // TH - 3
  float lowerEdgeY;          // -TH
  float secondLowerEdgeY;    // 2.5 - TH
  float leftColumnXNear;     // 2.5 - 1.03 TW + hcw
  float leftColumnXFar;      // 3.5 - 1.03 TW + hcw
  float rightColumnXNear;    // -leftColumnXNear
  float rightColumnXFar;     // -leftColumnXFar
  float topRowY;             // TT - ch / 2.9 - hch
  float secondRowY;          // topRowY - 1.5 ch
  float smallOffset1;        // 0.015 cw
  float smallOffset2;        // 0.03 cw
  float smallOffset3;        // 0.06 cw
};

// The constants as last computed (GenComputeLayoutConstants).
const GenLayoutConstants& GenGetLayoutConstants();
// Spacing a, b, c.
void GenComputeSpacingConstants();
// GenComputeSpacingConstants, then every other constant.
void GenComputeLayoutConstants();

// The table: half width TW, half height TH, a third value, top y TT.
void GenSetTableValues(float halfWidth, float halfHeight, float third, float topY);
// The z of the piles the positioners place.
void GenSetTableHeight(float z);
float GenGetTableHeight();

// The card scale of the current variant: the card becomes 5.8 x scaleX wide,
// 8.7 x scaleY high and 0.05 x their mean deep (the deck module's table card
// size), and the layout constants are recomputed.
void GenSetCardScale(float scaleX, float scaleY);

// ---- The layout table ----------------------------------------------------------
// Clears the table (scales 1.0, no values) and reads "Data\Main\0110.dat";
// a missing file leaves the defaults. The table is marked loaded either way.
// Lines (at most 255 characters; longer ones are reported and skipped) begin
// with a game's key (its internal name less a final capital F), then "_CS: sx
// sy", "_X_<n>: v" or "_Y_<n>: v" with n 0-6. Games are matched from the last
// game matched onwards, so the file lists them in game order; other lines are
// ignored.
void GenGameLayoutsLoad();
bool GenGameLayoutsIsLoaded();
// The current game's card scale; not set: "Card scales not set for this
// game" and 1.0.
float GenGameLayoutsGetCurGameCardScaleX();
float GenGameLayoutsGetCurGameCardScaleY();
// Value n of the current game; n negative or not below the count: "Invalid
// var num %d" and 0.0.
float GenGameLayoutsGetCurGameXVar(int n);
float GenGameLayoutsGetCurGameYVar(int n);

// ---- Positioners (the live record) -----------------------------------------------
// n tableaus (200 up), mode 0 left to right from x, mode 1 centred on x, other
// modes all at x. n outside 0-52: "Invalid num tableaus <%d>".
bool GenStdSetNTableausPosition(int n, float x, float y, float gap, int mode);
// n reserves (600 up) in a row (x gap) or a column (y gap, downwards), or in
// place with neither gap. n outside 0-28: "Invalid num reserves <%d>"; both
// gaps set: "Only one of xgap and ygap supported".
bool GenStdSetNReservesPosition(int n, float x, float y, float xGap, float yGap, bool centred);
// n foundations (10 up) in a row (y gap 0) or a column; a negative y gap, not
// centred, grows the column upwards. n outside 0-12: "Invalid num foundations
// <%d>"; maxCards outside 1-156: "Invalid max cards <%d>".
bool GenStdSetNFoundationsPosition(int n, int maxCards, float x, float y, float xGap, float yGap,
                                   bool centred, int emptySpace, int lowestRank);
// n foundations spread evenly from (x1, y1) towards (x2, y2), stepping in x
// (alongX) or in y. Same checks as above.
bool GenStdSetNFoundationsBetween(int n, int maxCards, float x1, float y1, float x2, float y2,
                                  bool alongX, int emptySpace, int lowestRank);
// Foundations 10-13 along the top row right of the middle (13 cards each).
bool GenStdSetFourFoundationsInTopRow(int lowestRank);
// Cells 100-103 along the top row left of the middle; the last set-up's result.
bool GenStdSetFourCellsInTopRow();
// n cells (100 up) in a row (x gap) or a column (y gap, downwards), placed
// like reserves: from (x, y) or centred on it; each holds one card and draws
// its empty space. n outside 0-11: "Invalid num cells <%d>"; both gaps set:
// "Only one of xgap and ygap supported".
bool GenStdSetNCellsPosition(int n, float x, float y, float xGap, float yGap, bool centred);
// n fans (300 up) placed like reserves: in a row (x gap) or a column (y
// gap, downwards), from (x, y) or centred on it. Each fan holds up to 32
// cards laid out by alignType (3 a row to the right, 1 a stack, ...) with
// the row gap between cards, and draws its empty space. n outside 0-28:
// "Invalid num fans <%d>"; both gaps set: "Only one of xgap and ygap
// supported".
bool GenStdSetNFansPosition(int n, float x, float y, float xGap, float yGap, bool centred,
                            int alignType);
// Fits a column's cards so that its lowest card's lower edge stays at or
// above y (a column with a pile below it), and a row's cards so that its
// last card's right edge stays at or left of x (a row with a pile beside
// it); the pile is laid out again. A code of no pile: "Invalid pile <%d>".
bool GenSetPileBottomLimit(int code, float y);
bool GenSetPileRightLimit(int code, float x);
// Moves a placed pile to (x, y), keeping its height, and lays it out again
// (a pile of a second row, a pile beside its kind's row). A code of no pile:
// "Invalid pile <%d>".
bool GenSetPilePosition(int code, float x, float y);
// n fans (300 up) in rows of perRow, each row centred on x, the first row
// at y and each next one a card height and yGap lower; a fan is a row of
// cards stepping cardGap to the right, fitted into `length` (from its first
// card's left edge to its last card's right edge), and the fans of a row
// stand xGap apart. n outside 0-28: "Invalid num fans <%d>"; perRow below
// 1: "Invalid fans per row <%d>".
bool GenStdSetFanRows(int n, int perRow, float x, float y, float length, float xGap, float yGap,
                      float cardGap);
bool GenSetDeckPosition(float x, float y, int inUse, int faceUp);
bool GenSetWastePosition(float x, float y, int inUse, int faceUp);
// The five reserve bytes of the record.
void GenSetReserveOptions(int inUse, int fannedDown, int drawEmptySpace, int stacked,
                          int dropsOnlyWhileEmpty);
// One reserve (code 200) at (x, y), laid out by the reserve bytes. A
// fanned-down reserve's cards lie a column's gaps apart, or closeGap apart
// (face up and face down alike) when it is above 0.
bool GenSetSingleReservePosition(float x, float y, float closeGap = 0);
// The face-up flag of the first 52 slots of foundation n (all twelve for n
// negative), then the foundation is laid out again. n above 11: "Invalid
// foundation num <%d>" and nothing changes.
bool GenSetFoundationSlotsFaceUp(int n, int faceUp);
