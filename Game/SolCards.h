// SolCards.h - the program's card-space markers (the empty-pile pictures
// with a rank letter on them) as far as the game record drives them.
//
// The marker textures do not exist yet (no card graphics in this build);
// these calls keep what the markers would show, so the record and the
// drawing agree once the graphics land. State: the last foundation base rank
// and the deck marker's picture kind, reset by GenInit.
#pragma once

// The foundation marker shows the base rank; a negative rank re-applies the
// last one given. The tableau and fan markers follow it.
void SolCardsSetFoundationSpaceRank(int baseRank);
int SolCardsGetFoundationSpaceRank();
// The deck marker's picture: 1 redeal picture, 2 no more redeals, other
// kinds blank. The kind is remembered.
void SolCardsSetSpaceCustomPic(int kind);
int SolCardsGetSpaceCustomPic();
