// AppImportsDecksStandIn.cpp - the deck defaults (counted) and the FTP test
// (answering what the test set) of App/AppImports.h as the application
// shell's tests see them. Kept apart from the other stand-ins so that a
// test program linking the real Decks library takes these from there.
#include "tests/Support/AppImportsStandIn.h"

void DeckGenSetDefaults() { ++AppImportsCallsToCountForTests().deckDefaults; }
void DecksSetDefaults() { ++AppImportsCallsToCountForTests().deckDefaults; }
int PublishDoFtpInternetTest() { return AppImportsNextFtpAnswerForTests(); }
