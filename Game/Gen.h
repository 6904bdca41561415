// Gen.h - the record of one game in play, the pile codes and the variant
// callback slots.
//
// One game of patience lives in one fixed-size record, Gen: every pile of
// every variant is a CardGroup at a fixed place in it, the variant's rule
// parameters are bytes in it, and the whole record is what a saved game
// stores, what the quick-move search copies and restores, and what trial
// moves run against. A pile is named everywhere by its group_where code:
//
//   foundation 10-21  cell 100-110  tableau 200-251  fan 300-327
//   deck 400  waste 500  reserve 600-627  deal group 800  selection 801
//
// A variant uses the first N piles of a kind (N = the kind's count).
//
// Lifetime: the live record exists for the whole run; its six working
// copies (below) are made at their first use and then kept. A record's
// piles make their card slots only when a game uses them (CardGroup.h), so
// a record costs memory for its piles in use, not its 4 MB. GenReset
// empties the live record and the callback slots without touching the card
// slots; GenInit resets and runs the current game's set-up. Copying a
// record (plain assignment) re-links every card to the copy's own groups.
//
// The record's file image (GenWriteImage / GenReadImage) is 4,070,740
// little-endian bytes at fixed offsets; links are written as zero and never
// read back.
#pragma once

#include <cstdint>

#include "Game/CardGroup.h"

// ---- Pile codes ---------------------------------------------------------------
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
constexpr int kGenMaxDealPlan = 156;
constexpr int kGenNumRules = 18;
constexpr int kGenImageSize = 4070740;
constexpr float kGenRecordVersion = 4.3f;

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

// Makes dst the same record as src (as plain assignment does), copying only
// the piles that differ: saving and restoring around a trial move costs
// only the piles the trial touched. Card owners point into dst.
void GenCopyRecord(Gen& dst, const Gen& src);
// Debug builds: every GenCopyRecord compares all the slots made of the
// piles it skips, not only those up to each pile's capacity with a sampled
// full compare (the copy's own tests). Nothing in Release builds.
void GenCopyCheckEveryCopyInFullForTests(bool every);
// After a new or resumed game: the working copies that the pick-up, the
// trials and the quick move keep the live game in take it whole now, so
// that a player's first moves copy only the piles they touch (a new game
// re-stamps every pile of the record, and copying all of them would cost
// the first quick move its frame).
void GenPrimeWorkingCopies();

// ---- Piles by code -----------------------------------------------------------
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

// ---- Variant callback slots ---------------------------------------------------
// Slots 0, 1, 2, 4 and the animation finish steps: (0, 0) -> acted.
using GenStepCB = bool (*)(int a, int b);
// Slot 3: (quick flag, button down) -> handled.
using GenSelectionCB = bool (*)(int quick, int down);
// Slots 5 and 6: (target code, source code, dropping flag, suit, rank) -> allowed.
using GenRuleCB = bool (*)(int target, int source, int dropping, int suit, int rank);
// Slot 7: (target code, target code, dropping flag, suit a, rank a, suit b, rank b).
using GenPairRuleCB = bool (*)(int target, int target2, int dropping, int suitA, int rankA,
                               int suitB, int rankB);
// Slot 8: (target code) -> false refuses the drop.
using GenDropVetoCB = bool (*)(int target);

struct GenVariantCallbacks {
  GenStepCB deal;                 // 0
  GenStepCB afterDeal;            // 1
  GenStepCB dealWithAnimation;    // 2
  GenSelectionCB selection;       // 3
  GenStepCB autoplay;             // 4
  GenRuleCB customRule;           // 5
  GenRuleCB tableauSpace;         // 6
  GenPairRuleCB pairRule;         // 7
  GenDropVetoCB dropVeto;         // 8
};

// The current variant's slots; every caller tests a slot before calling it.
const GenVariantCallbacks& GenGetCallbacks();
void GenSetDealCB(GenStepCB callback);
void GenSetAfterDealCB(GenStepCB callback);
void GenSetDealWithAnimationCB(GenStepCB callback);
void GenSetSelectionCB(GenSelectionCB callback);
void GenSetAutoplayCB(GenStepCB callback);
void GenSetCustomRuleCB(GenRuleCB callback);
void GenSetTableauSpaceCB(GenRuleCB callback);
void GenSetPickupDropRuleCB(GenPairRuleCB callback);
void GenSetDropRuleCB(GenDropVetoCB callback);

// ---- Life of the live record ------------------------------------------------
// Checks the game table ("Integrity check failed <%s>" per bad entry) and the
// current game number ("Invalid cur game num %d", repaired to 0), resets the
// record, the card layer's space rank and picture, the card scale (1 x 1) and
// layout constants, the current hit and the animation set-up layer, resets
// again, recomputes the spacing constants and runs the current game's set-up
// routine. True when the record is ready afterwards. The record no longer
// holds a game in progress (GenIsGameInProgress): nothing may save it as
// one until a deal or a resume.
bool GenInit();
// Zeroes the live record and the callback slots; every pile, the deal group
// and the selection become empty groups whose codes are 0 until a set-up
// gives the piles in use theirs (each pile keeps its empty-space texture);
// clears the pending first-game offer.
void GenReset();
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
// The consistency check; logs "Error %d" under "GenCheckOk" and gives false
// on the last failing test.
bool GenCheckOk();
// The ready record's selection holds cards.
bool GenIsCarrying();

// Pile counts that change in play. Most variants keep the counts their
// set-up makes; a variant whose row of piles closes up or grows in play
// (set-up step) names the fewest and most piles of that kind a game of it
// may have. A resumed game's counts are checked against these. Cleared by
// GenReset.
void GenSetPileCountRange(int kindBase, int fewest, int most);
// May a game of the set-up variant have `count` piles of the kind? The
// set-up's own count, or within the range it named.
bool GenIsPileCountAllowed(int kindBase, int count);

// The first-game offer of the tutorial, pending once a deal has ended.
void GenSetFirstGameOfferPending(bool pending);
bool GenIsFirstGameOfferPending();

// The current hit: the pile code under the pointer and the card index in it
// (-1 for none).
void GenSetCurrentHit(int where, int card);
int GenGetCurrentHitWhere();
int GenGetCurrentHitCard();

// ---- Rank and colour tests (read the live record's settings) ----------------
// Suits 0 and 2 are red, 1 and 3 black.
bool GenSameColour(int suitA, int suitB);
// b is one below a. Without rank wrap nothing lies below the lowest rank (at
// least 1); with aces high the card below 2 is the ace 14, otherwise the
// card below the ace is the king.
bool GenIsNextLowerRank(int a, int b);
// b is one above a; without rank wrap nothing lies above onto the lowest
// rank; with aces high the card above 14 is 2, otherwise above 13 the ace.
bool GenIsNextHigherRank(int a, int b);
// The card's suit and rank; a rank of 1 reads as 14 with acesHigh. Null
// outputs are skipped; a null card gives -1, -1.
void GenGetCardSuitAndRank(const Card* card, bool acesHigh, int* suit, int* rank);

// ---- The file image -------------------------------------------------------------
// Writes the record's 4,070,740-byte image (links as zero).
void GenWriteImage(const Gen& gen, uint8_t* out);
// Reads an image into a record. Every count and pile is range-checked; a bad
// value gives false with "Invalid game image (%s)" and the record may be
// partly changed, so read into a scratch record and copy it on success.
bool GenReadImage(Gen& gen, const uint8_t* in);

// ---- Test seam ---------------------------------------------------------------------
// When set, GenInit runs this set-up routine instead of the game table's.
void GenSetSetupOverrideForTests(void (*setup)());
