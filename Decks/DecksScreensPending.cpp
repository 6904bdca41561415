// DecksScreensPending.cpp - placeholders for the graphics hooks of the deck
// and board screens (the Decks, deck generator and boards screens), which
// are not written yet; on purpose, not dead code. The game shell calls them
// in its loading steps and render passes; until the screens exist there is
// nothing to create, release or draw. Each moves to its screen's own unit
// when that screen is written.
#include "Game/GameImports.h"

void DecksControlCreateGraphics() {}
void DeckGenControlCreateGraphics() {}
void SetsControlCreateGraphics() {}
void DecksControlReleaseGraphics() {}
void DeckGenControlReleaseGraphics() {}
void SetsControlReleaseGraphics() {}
void DecksControlRenderPreview() {}
