// DecksCurrent.h - the current deck as the deck screens and the player's
// options see it: loading, saving and setting up its settings, creating and
// deleting the player's own decks. The current deck is always the index in
// the player's options, read afresh by every call.
#pragma once

// Empties the deck generator's five texts of the player's options.
void DeckGenSetDefaults();
// Current deck 1, card back 0, the player's own back pictures forgotten.
void DecksSetDefaults();
bool DeckGenLoadSettings();
bool DeckGenSaveSettings();
bool DeckGenSetupElements(int printMode);
bool DeckGenLoadSettingsAndElements(int printMode);
bool DecksRescan();
// The first deck of that exact name; -1 when none.
int DecksFindDeckByName(const char* name);
const char* DecksGetCurrentDeckName();
// 1 created, 0 bad name or a copy failed, -1 the deck exists, -2 its folder
// cannot be made.
int DecksCreateUserDeck(const char* name);
// Deletes the current deck when it is the player's own: its folder and
// files, and its generated pictures in both colour modes (only those);
// then the deck index, clamped to the new list, is returned.
int DecksDeleteCurrentUserDeck();
bool DecksDeleteGeneratedCards();
// The current deck is one of the player's own decks.
bool DecksIsCurrentDeckUserDeck();
