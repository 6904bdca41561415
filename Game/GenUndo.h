// GenUndo.h - undo and redo.
//
// After every finished move the state of the table is kept in a compact
// undo record (each pile's count and place, and every card's suit, rank,
// face, place, pile and index); undo and redo rebuild the game record from
// the records. The history holds up to 200 states; a further state drops the
// oldest. A state with more face-up cards than the one before it is marked
// (a card was turned over): the player's undo option decides whether a
// marked state may be undone (0 never undo, 1 not a marked state, 2 always).
//
// State (reset by GenUndoReset on every new game and resume): the 200
// records, the current index (-1 = none) and the number in use; the base
// copy of the game taken at the reset. The game record's own counters
// (moves, marked and unmarked undos) follow the history.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kGenUndoMaxStates = 200;
// The game record's counters (moves, marked and unmarked undos) stop at
// this bound, which no game reaches (a move a second for four months); a
// saved game with a counter outside 0 to the bound is refused.
constexpr int32_t kGenUndoMaxCounter = 10000000;
// The moves counter of a game the player has made a move in: the deal's
// first state and one more (the table a game starts from counts once, also
// when it is resumed or its deal landed without a flight). Only such a
// game, given up, counts as lost, in the score table and in the statistics
// alike.
constexpr int32_t kGenUndoPlayedMoves = 2;
constexpr int kGenUndoMaxCards = 312;

// One pile's summary in an undo record.
struct UndoGroupSummary {
  int32_t numCards;
  float pos[3];
};

// One card in an undo record.
struct UndoCard {
  int8_t suit;
  int8_t rank;
  uint8_t faceUp;
  float pos[3];
  int32_t where;   // the pile's code
  int32_t index;   // the card's index in the pile
};

// One recorded state.
struct UndoDetails {
  int32_t numFoundations, numTableaus, numFans, numReserves, numCells;
  UndoGroupSummary deck, waste;
  UndoGroupSummary reserves[28];
  UndoGroupSummary foundations[12];
  UndoGroupSummary tableaus[52];
  UndoGroupSummary fans[28];
  UndoGroupSummary cells[11];
  UndoGroupSummary dealGroup;
  int32_t reserved;
  uint8_t marked;              // more face-up cards than the state before
  UndoCard cards[kGenUndoMaxCards];
  int32_t numCardEntries;      // 0-312
  int8_t variantState;         // the game record's variant state byte
};

// The record's layout: 9,668 bytes, the cards from offset 2,172.
static_assert(sizeof(UndoCard) == 24);
static_assert(offsetof(UndoDetails, dealGroup) == 2148);
static_assert(offsetof(UndoDetails, marked) == 2168);
static_assert(offsetof(UndoDetails, cards) == 2172);
static_assert(offsetof(UndoDetails, numCardEntries) == 9660);
static_assert(offsetof(UndoDetails, variantState) == 9664);
static_assert(sizeof(UndoDetails) == 9668);

// Index -1, nothing in use; the live game becomes the base copy.
void GenUndoReset();
// Records the state after a move (see GenUndo.cpp); while an animation runs
// it records when the animation ends instead; nothing while cards are
// carried or when neither a pile count nor the variant's state byte (a
// redeal's counter) changed since the current state.
void GenUndoRecordState();
// Undo possible now; marked (may be null) tells whether the step would undo
// a marked state (also when option 1 refuses it).
bool GenUndoCanUndo(int* marked);
bool GenUndoCanRedo();
// One step back / forward (nothing when not possible). True when a step
// was made.
bool GenUndo();
bool GenRedo();

// Fills record index from the live game; false and "Bad undo num %d" for an
// index outside the records in use.
bool GenUndoCreateUndoDetailsFromGen(int index, bool marked);
// The game rebuilt from the record at the current index, in the undo work
// copy (null when there is none).
const struct Gen* GenUndoCreateGenFromUndoDetails(int index);

// The history (read access for the game screens and tests).
int GenUndoGetIndex();
int GenUndoGetNumInUse();
const UndoDetails* GenUndoGetRecord(int index);
