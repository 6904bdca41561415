// DecksScreensPending.cpp - placeholders for the deck generator screen's
// graphics hooks, which is not written yet; on purpose, not dead code. The
// game shell calls them in its loading steps; until the screen exists there
// is nothing to create or release. They move to the generator's own unit
// when it is written.
#include "Game/GameImports.h"
#include "Screens/ScreensImports.h"

void DeckGenControlCreateGraphics() {}
void DeckGenControlReleaseGraphics() {}
// The generator screen holds no handles yet.
void DeckGenClearButtonHandles() {}
