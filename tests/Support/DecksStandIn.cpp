// DecksStandIn.cpp - the deck and board screens as the card core's tests
// see them (Game/GameImports.h), for test programs that do not link the
// real screens: no previews to make, draw or release.
#include "Game/GameImports.h"

void DecksControlCreateGraphics() {}
void DeckGenControlCreateGraphics() {}
void SetsControlCreateGraphics() {}
void DecksControlReleaseGraphics() {}
void DeckGenControlReleaseGraphics() {}
void SetsControlReleaseGraphics() {}
void DecksControlRenderPreview() {}
void DeckGenControlDiscardEdits() {}
void SetsControlReloadBackground() {}
void SetsControlLoadBoard(int) {}
