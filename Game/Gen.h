// Gen.h - what the card core does with the live game record: set it up for
// the current game, reset it, check it, and the few facts of play kept
// beside it (the pile counts a variant may change, the first-game offer,
// the current hit), and the rank and colour tests that read its settings.
//
// The record itself (Gen, g_GenLive, the working copies) is GenRecord.h,
// the pile codes GenPiles.h, the variant callback slots GenCallbacks.h,
// copying records GenCopy.h, the record's file image GenImage.h and the
// steps of a variant's set-up GenVariant.h; this header needs none of them,
// so a change here rebuilds only the units that drive a game.
#pragma once

struct Card;

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

// ---- Test seam ---------------------------------------------------------------------
// When set, GenInit runs this set-up routine instead of the game table's.
void GenSetSetupOverrideForTests(void (*setup)());
