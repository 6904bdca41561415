// GenSaveLocal.h - helpers shared by the saved-game units (and their fuzz
// targets, which reach the readers behind the files). Not for other units.
#pragma once

#include "Game/GenSave.h"

struct Gen;

// The resume after the file is read and deciphered: reads the record image
// into the load scratch, checks it (GenSaveCheckLoadedGame) and, when it is
// sound, makes it the live game with a new undo history. False, with the
// live game as it was, otherwise (the caller reports and deletes the file).
bool GenResumeFromImage(const uint8_t* image);

// Fills the picture (GenGetSaveCardDetails) from the live game.
void GenFillSaveCardDetailsFromGame();

// Is the loaded record (read from a deciphered file) a sound game of the
// current variant? Checks every float is finite and every place within the
// table's reach, every card's suit (0..3) and rank (1..14) and that none is
// marked hidden or flying (an animation's marks), every alignment
// type, every deal plan code, GenCheckOk's limits, the trailer's counters
// (0 to kGenUndoMaxCounter), codes and picture byte, that nothing is
// carried, the ready byte, that the pile counts, deck size, deal capacity,
// rule block and lowest rank are those the variant's set-up makes (the
// set-up is run on the live record for the comparison), and that the piles
// in use hold exactly the cards of the deck the set-up makes for the
// record's deal number (none in piles past the counts). On a refusal the
// live record is put back as it was; on success it is left as the set-up
// made it (callbacks filled), for the caller to replace with the loaded
// game. Each failure is reported with its reason under
// "GenSaveCheckLoadedGame".
bool GenSaveCheckLoadedGame(const Gen& loaded);

// Is the live record a game in play that a save may write over the last
// saved game: set up, nothing carried, and its piles in use holding exactly
// the cards of the variant's deck for its deal number (a record reset for
// another use, or one that has lost or doubled a card, is not)? A refusal
// is reported under "GenSaveCurrentGame".
bool GenSaveCheckGameInPlay(const Gen& game);

// Is an expanded picture fit to be drawn? Its header counts, deck size,
// lowest rank and empty-space picture within their ranges; each pile's
// floats finite and places within reach, its cards real cards (suit 0..3,
// rank 1..14), no more cards than its kind holds and none in piles past the
// counts; no more cards in all than the deck size. Failures are reported
// under "GenFillSaveCardDetailsFromSaveCardDetailsCompact".
bool GenSaveCheckPicture(const SaveCardDetails& details);

// Does the picture show this record's table: the same in-use bytes, deck
// size, counts, lowest rank, variant words and empty-space picture, and
// every pile with the same cards (suit, rank, face) in the same order?
bool GenPictureShowsGame(const SaveCardDetails& details, const Gen& game);

// Gives every pile of to the empty-space texture of the same pile in from
// (texture links are never stored in files).
void GenKeepEmptyTexturesOf(const Gen& from, Gen& to);
// Lays out every pile of the record again.
void GenRelayOutAllPiles(Gen& gen);
