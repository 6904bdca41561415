// GenVariant.h - what the variant set-ups (Game/Variants/) share: pile
// numbers as the rules count them, the start of every set-up, the shared
// selection and after-deal steps, the stock, the redeal counter and the deck
// marker.
//
// The rules of every variant count piles from 1 within their kind
// (foundation 1, tableau pile 1); the record counts from 0 (code 10, code
// 200). The helpers below are the only place that converts: a variant never
// writes "+ 1" or "- 1" on a pile number itself.
//
// A set-up routine, in order:
//   GenBeginVariantSetup (card scale, empty record, deck and deal, the
//   standard autoplay in slot 4) -> GenSetRuleBytes -> callback setters ->
//   positioners -> play switches, redeal counter, GenUpdateDeckMarker ->
//   GenSetReady
// A row that names no autoplay keeps the standard step in slot 4, so the
// standard win test runs after every move; a game that must not autoplay
// clears the slot itself.
//
// State: none of its own; everything lives in the live record (GenRecord.h).
#pragma once

#include <cstddef>
#include <initializer_list>

#include "Game/GenCallbacks.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"

// ---- Pile numbers (counted from 1 within their kind) ------------------------------
constexpr int GenFoundationCode(int number) { return kWhereFoundation + number - 1; }
constexpr int GenCellCode(int number) { return kWhereCell + number - 1; }
constexpr int GenTableauCode(int number) { return kWhereTableau + number - 1; }
constexpr int GenFanCode(int number) { return kWhereFan + number - 1; }
constexpr int GenReserveCode(int number) { return kWhereReserve + number - 1; }
// The index in its kind's array of pile number n (pile 1 is index 0).
constexpr int GenPileIndex(int number) { return number - 1; }
// The number (from 1) of a pile code within its kind; 0 for a code of no
// pile kind.
int GenPileNumber(int code);

// ---- A family's members -------------------------------------------------------------
// A family file (one set-up routine for several games) keeps a small table of
// what tells its games apart: one row per game, each starting with its game
// number `game`. The current game's row; the first row, reported ("Game %d
// is not one of the family"), when the current game has none.
void GenReportNotAFamilyMember(int game);
template <typename Row, std::size_t N>
const Row& GenFamilyMember(const Row (&rows)[N]) {
  const int game = GenGetCurGame();
  for (const Row& row : rows) {
    if (row.game == game) return row;
  }
  GenReportNotAFamilyMember(game);
  return rows[0];
}

// ---- The start of every set-up ------------------------------------------------------
// Steps 1-3 of a set-up routine and the default of slot 4: the current game's
// card scale from the game layouts, an empty record (GenReset), the deck of
// deckSize cards with a deal of dealCards in the deal face mode at the speed
// factor, blank empty tableau and fan markers (SolCardsSetSpaceRankOptions),
// and GenStdAutoplay in the autoplay slot. False when the sizes are
// refused (reported by GenSetDeckAndDealGroup); the record is then not ready.
bool GenBeginVariantSetup(int deckSize, int dealCards, int faceMode, float speed);

// The set-up's steps on the live record (kept beside it, in Gen.cpp).
// Stores the four values; the deck (400) becomes a stack holding deckSize
// blank cards, the deal group (800) holds capacity cards waiting to be dealt
// (at most 156); the deck's drop rule becomes 16. False (and a report) when a
// size is out of range.
bool GenSetDeckAndDealGroup(int deckSize, int capacity, int faceMode, float speed);
// Stores the lowest rank and hands it to the card layer.
void GenSetLowestRank(int rank);
// Marks the record ready, applies the scene lights and refreshes the card
// layer's space pictures. A variant's set-up ends with it.
void GenSetReady();

// One rule byte (kRulePickupTableau, ...) and its code (GenRules.h).
struct GenRuleSetting {
  int byte;
  int code;
};
// Sets the rule bytes named; the others keep their value (0 after a reset,
// 16 for drops on the deck).
void GenSetRuleBytes(std::initializer_list<GenRuleSetting> rules);

// Layout value n of the current game (Data/Main/0110.dat) in card widths
// (x) or card heights (y), as table units for the current card size.
float GenLayoutXCards(int n);
float GenLayoutYCards(int n);

// ---- Shared selection and deal steps ---------------------------------------------
// The selection handler of the games that only build on tableau piles and
// foundations: pick-up-or-drop on the tableau piles, then on the
// foundations; false when neither acted.
bool StdTableauFoundationSelection(int quick, int down);
// After-deal step: the base rank becomes the rank of the card planned for
// foundation 1 (the deal has not moved it yet: the plan names it). Gives
// false; nothing changes when no card is planned there.
bool SetBaseRankFromFirstFoundation(int a, int b);

// A click on the stock: nothing carried, the button released, the current
// hit the deck.
bool GenIsStockClick(int down);

// What a stock click does when the deck is empty (or holds fewer cards than
// the step needs).
enum GenEmptyStock : int {
  kEmptyStockIgnored,    // nothing; the click is not taken
  kEmptyStockIdle,       // nothing moves; the click is taken
  kEmptyStockFinishNow,  // the step's finish runs at once; the click is taken
  kEmptyStockWasteBack,  // the waste turns back to the deck, every time
  kEmptyStockRedeal,     // the waste turns back while the redeal counter is 1 or more (it
                         // counts one down and the deck marker follows); the click is taken
};
// A game's stock click: the stock turns cards to the waste, or deals one
// card to each of the first piles of a kind.
struct GenStockStep {
  int to = kWhereWaste;        // kWhereWaste: turn; a pile kind (tableau, fan, reserve, cell): deal
  int cards = 1;               // cards turned, or piles dealt to
  float speed = 1.0f;
  GenStepCB finish = nullptr;  // the move's finish step
  int leastCards = 1;          // a deck with fewer cards counts as empty
  GenEmptyStock whenEmpty = kEmptyStockIgnored;
  bool takenWhenMoving = true; // false: a click that moves cards is left to the move's end
};
// The stock click's shared step, the last of a selection handler: false
// when the click is not on the stock; else the step's move (GenStockTurn or
// GenDealToPiles) or, with too few cards, what whenEmpty says. True when the
// click was taken.
bool GenStockClick(int down, const GenStockStep& step);
// Turns min(n, cards in the deck) from the deck to the waste at the speed
// with finish as the move's finish step; with an empty deck finish runs at
// once (when set). True when cards started to move.
bool GenStockTurn(int n, GenStepCB finish, float speed);
// All waste cards back to the deck in one move (speed 0.3). True when cards
// started to move.
bool GenTurnWasteBack();
// Deals min(n, cards in the deck) face up from the deck's top to the piles
// of a kind (tableau, fan, reserve or cell), one card to a pile from pile 1
// on, cycling; finish becomes the move's finish step. True when cards
// started to move.
bool GenDealToPiles(int kindBase, int n, float speed, GenStepCB finish);

// ---- Redeal counter and deck marker ---------------------------------------------------
// The redeal counter is the record's signed variant state byte; it is kept
// in every undo state and in saved games.
int GenGetRedealCounter();
void GenSetRedealCounter(int counter);
// The deck's empty-pile picture a game shows (1 redeal, 2 no more redeals)
// for a redeal counter, by its row's deck marker; 0 for a game that leaves
// it alone and for a number outside 0-83.
int GenDeckMarkerKindFor(int game, int counter);
// Puts the current game's deck marker into the record (its empty-space
// picture byte) and on the card layer. Games whose marker follows the
// redeal counter leave it alone while the counter is -1 unless forced;
// games without a deck marker leave it alone always.
void GenUpdateDeckMarker(bool forced);
