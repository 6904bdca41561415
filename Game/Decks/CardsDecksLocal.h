// CardsDecksLocal.h - the deck library's state, shared by its files
// (CardsDecks.cpp, CardsDecksFile.cpp). Not for use outside the library.
#pragma once

#include <string>
#include <vector>

#include "Game/Decks/CardsDecks.h"

// Set by CardsDecksSetPaths and the scans; reset by CardsDecksInit.
struct CardsDecksState {
  bool pathsSet = false;
  std::string settingsFolder;
  std::string elementsFolder;
  std::string genBase;        // the generated-decks folder
  std::string genPath;        // genBase + "/2Cols" or "/4Cols"
  bool fourColour = false;
  std::vector<std::string> elements[kDecksNumElementKinds];
  std::vector<std::string> decks;  // standard decks first
  int numStandard = 0;
  int generatorDeck = -1;
  DeckSettings settings;
};

CardsDecksState& CardsDecksGetState();
// The index of a name in a kind's list; -1 for none.
int CardsDecksFindElement(int kind, const char* name);
// The generator part's ace values from the element part.
void CardsDecksDeriveAcesSettings(DeckSettings* settings);
