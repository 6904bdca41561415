// ScreensImports.h - what the screens call in the custom decks above them:
// one place to read what Screens needs from Decks. The decks define these
// calls (their units include this header); until they do,
// Screens/ScreensPending.cpp stands in. (Deck generation and the face
// textures are the card core's imports, Game/GameImports.h.)
#pragma once

// Adds the deck screens (DeckGen, Decks, Print, Publish) to the screen table.
void LoadCardsCreateDeckScreens();
// The number of the deck screen with this collection name; -1 for others.
int LoadCardsGetDeckScreenId(const char* collection);
// Whether the card decks are generated in their four-colour mode.
bool CardsDecksIsFourColor();
// Generates the current deck's missing card textures before a game starts.
void DecksControlGenerateCurrentDeck();

// ---- The board screens (registry rows "Sets" and "SetsEdit") ---------------------
void SetsCreateCB();
void SetsControlStartingCB();
void SetsEditCreateCB();
void SetsEditControlStartingCB();

// ---- Every deck and board screen's handles, cleared before each change -----------
void DeckGenClearButtonHandles();
void DecksClearButtonHandles();
void PrintClearButtonHandles();
void PublishClearButtonHandles();
void SetsClearButtonHandles();
void SetsEditClearButtonHandles();
