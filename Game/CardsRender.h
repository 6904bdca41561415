// CardsRender.h - the card drawing calls the card model and the animations
// make.
//
// The card graphics (face textures, markers, the deck-side model) are not
// built yet: with no graphics device (device type 0, as in the tests) these
// calls draw nothing. The face mode (normal / all backs while paused) is kept
// so that the clock and the drawing agree once the graphics exist.
#pragma once

class CardGroup;
struct Card;

// Re-applies the card materials after a card-size change. Nothing to do
// without card textures.
void CardsApplyMaterialsToAll();
// Draws one card of a group (the group may be null for a loose card).
void CardsRenderCard(CardGroup* group, int index, Card* card);
// Makes every card draw face down (while the game is paused) / by its own
// face-up flag again.
void CardsHideAllFaces();
void CardsShowFacesNormally();
// True once the card textures are loaded; never in this build.
bool CardsGraphicsExist();
// True while CardsHideAllFaces is in force.
bool CardsAreAllFacesHidden();
