// GenRecord.h - the record of one game in play (Gen), its rule block, the
// live record and its working copies.
//
// One game of patience lives in one fixed-size record, Gen: every pile of
// every variant is a CardGroup at a fixed place in it (by its code,
// GenPiles.h), the variant's rule parameters are bytes in it, and the whole
// record is what a saved game stores (GenImage.h), what the quick-move
// search copies and restores (GenCopy.h), and what trial moves run against.
// What a game does with the live record (set-up, reset, check) is Gen.h.
//
// Lifetime: the live record exists for the whole run; its six working
// copies (below) are made at their first use and then kept. A record's
// piles make their card slots only when a game uses them (CardGroup.h), so
// a record costs memory for its piles in use, not its 4 MB. GenReset
// empties the live record and the callback slots without touching the card
// slots; GenInit resets and runs the current game's set-up. Copying a
// record (plain assignment) re-links every card to the copy's own groups.
#pragma once

#include <cstdint>

#include "Game/CardGroup.h"
#include "Game/GenPiles.h"

constexpr int kGenMaxDealPlan = 156;
constexpr int kGenNumRules = 18;

// Rule block bytes (what each code means belongs to the pick-up and drop
// rules).
enum GenRuleByte : int {
  kRulePickupCell = 0,
  kRulePickupFoundation = 1,
  kRulePickupTableau = 2,
  kRulePickupFan = 4,
  kRulePickupDeck = 6,
  kRulePickupWaste = 7,
  kRulePickupReserve = 8,
  kRuleDropCell = 9,
  kRuleDropFoundation = 10,
  kRuleDropTableau = 11,
  kRuleDropEmptyTableau = 12,
  kRuleDropFan = 13,
  kRuleDropEmptyFan = 14,
  kRuleDropDeck = 15,
  kRuleDropWaste = 16,
  kRuleDropReserve = 17,
};

// ---- The record ---------------------------------------------------------------
struct Gen {
  float version{};                  // 4.3 when saved
  uint32_t dealNumber{};            // seed of the shuffle
  uint8_t acesHigh{};               // the ace ranks above the king (14)
  int32_t deckSize{};               // 52, 104 or 156; also the foundation total that wins
  int32_t dealGroupCapacity{};
  int32_t numFoundations{};         // 0-12
  int32_t numCells{};               // 0-11
  int32_t numTableaus{};            // 0-52
  int32_t numFans{};                // 0-28
  int32_t numReserves{};            // 0-28
  CardGroup deck;                 // 400
  CardGroup waste;                // 500
  CardGroup reserves[kGenMaxReserves];      // 600-627
  CardGroup foundations[kGenMaxFoundations];  // 10-21
  CardGroup tableaus[kGenMaxTableaus];      // 200-251
  CardGroup fans[kGenMaxFans];              // 300-327
  CardGroup cells[kGenMaxCells];            // 100-110
  // For card k of the deal (card k of the deal group, counted from the top
  // of the deck), the code of the pile it is dealt to. Its face is the face
  // flag of the deal group's card slot k.
  int32_t dealPlan[kGenMaxDealPlan]{};
  uint8_t dealFaceMode{};           // 1 planned cards face up; 3 each pass one pile further on
  uint8_t dealFirstToFoundation{};  // card 0 goes to foundation 0 face up
  float dealSpeed{};                // deal speed factor (1.0 by default)
  CardGroup dealGroup;            // 800: numCards = the cards to deal
  uint8_t rules[kGenNumRules]{};    // nine pick-up and nine drop rule bytes
  CardGroup selection;            // 801: the cards being carried
  int32_t selectionSource{};        // code of the pile the selection came from
  uint8_t rankWrap{};               // king and ace count as adjacent
  uint8_t deckInUse{};
  uint8_t wasteInUse{};
  uint8_t reservesInUse{};
  uint8_t tableauEmptySpace{};      // copied into every tableau's draw-empty-space flag
  uint8_t tableauHalfGaps{};        // the tableaus' gaps are halved
  uint8_t variantBytes[10]{};       // free bytes and words of the variant set-ups
  uint8_t foundationEmptySpace{};   // copied into every foundation's draw-empty-space flag
  int32_t lowestRank{};             // the rank a foundation starts with (1 = ace)
  int32_t variantWords[2]{};        // copied into the game picture
  uint8_t emptySpacePicture{};      // 0 blank, 1 special picture, 2 cross
  uint8_t reservesDropOnlyEmpty{};  // reserves take a drop only while empty
  uint8_t reservesFannedDown{};
  uint8_t reservesDrawEmpty{};
  uint8_t reservesStacked{};
  uint8_t fansNotHit{};             // fans take no part in the hit test
  uint8_t foundationsFirst{};       // a single card's quick move tries foundations first
  uint8_t selectionKeepsAlignment{};  // a selection from a tableau keeps its alignment
  uint8_t gameOver{};
  int32_t moves{};                  // recorded undo states
  uint8_t statsState{};             // left unchanged by undo and redo
  int32_t markedUndos{};
  int32_t unmarkedUndos{};
  int8_t variantState{};            // signed; -1 none; kept in every undo state (redeal counter)
  uint8_t dealtByNumber{};          // read by the game screens
  uint8_t ready{};                  // a variant is set up; a game may be dealt
};

// The live record (whole run) and its working copies, each made at its
// first use (empty, as the live record starts) and kept for the rest of the
// run. Game/README.md maps them and every other process-wide record of the
// card core, with who resets each and when.
extern Gen g_GenLive;            // the game on the table
Gen& GenQuickMoveCopy();         // the live game when a quick move began
Gen& GenTrialScratch();          // holds the live game during a trial move
Gen& GenLoadScratch();           // saved games are read here
Gen& GenUndoWork1();             // undo records are built and applied here
Gen& GenUndoWork2();
Gen& GenPickupCopy();            // the live game at the last lift
// How many working copies have been made so far (0-6).
int GenWorkingCopiesMade();
