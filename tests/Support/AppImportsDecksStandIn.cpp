// AppImportsDecksStandIn.cpp - the deck defaults of App/AppImports.h as the
// application shell's tests see them (counted). Kept apart from the other
// stand-ins so that a test program linking the real Decks library takes
// these two from there.
#include "tests/Support/AppImportsStandIn.h"

void DeckGenSetDefaults() { ++AppImportsCallsToCountForTests().deckDefaults; }
void DecksSetDefaults() { ++AppImportsCallsToCountForTests().deckDefaults; }
