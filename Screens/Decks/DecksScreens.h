// DecksScreens.h - what the deck and board screens share: their
// registration with the engine's screen table (DeckGen, Decks, Print,
// Publish; the registry's own rows hold Sets and SetsEdit), and where a
// screen's buttons are looked up when it is shown as a page of Options.
//
// State: the four deck screens' numbers (-1 until created).
#pragma once

extern int g_ScreenDeckGen, g_ScreenDecks, g_ScreenPrint, g_ScreenPublish;

// Adds the four deck screens after the game's own, in this order.
void LoadCardsCreateDeckScreens();
// The number of the deck screen whose collection has this name; -1 for
// any other name.
int LoadCardsGetDeckScreenId(const char* collection);
// The collection a screen's buttons are in: "Options" while the Options
// screen is current (the screen is then its page), else its own.
const char* DecksScreensHostCollection(const char* own);
