// DecksStandIn.cpp - the deck and board screens as the shell's tests see
// them, for test programs that do not link the real screens: no previews
// to make, draw or release.

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
