// GenSaveLocal.h - helpers shared by the saved-game units. Not for other
// units.
#pragma once

#include "Game/Gen.h"

// Fills the picture (GenGetSaveCardDetails) from the live game.
void GenFillSaveCardDetailsFromGame();

// Is the loaded record (read from a deciphered file) a sound game of the
// current variant? Checks every float is finite, every card's suit (-1..3)
// and rank (-1..14), every alignment type, every deal plan code,
// GenCheckOk's limits, the ready byte, and that the pile counts, deck size,
// deal capacity and rule block are those the variant's set-up makes (the
// set-up is run on the live record for the comparison). On a refusal the
// live record is put back as it was; on success it is left as the set-up
// made it (callbacks filled), for the caller to replace with the loaded
// game. Each failure is reported with its reason under
// "GenSaveCheckLoadedGame".
bool GenSaveCheckLoadedGame(const Gen& loaded);

// Gives every pile of to the empty-space texture of the same pile in from
// (texture links are never stored in files).
void GenKeepEmptyTexturesOf(const Gen& from, Gen& to);
// Lays out every pile of the record again.
void GenRelayOutAllPiles(Gen& gen);
