// DecksCurrent.cpp - the current deck's operations (see DecksCurrent.h).
#include "Game/Decks/DecksCurrent.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksFiles.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"

namespace {

constexpr char kEmptyElements[] = "Data\\Elements\\Element Empty";
const char* const kEmptyFiles[] = {"Settings.dat", "Base.jpg",  "Suits.jpg",  "Ranks.jpg",
                                   "Aces.jpg",     "Kings.jpg", "Queens.jpg", "Jacks.jpg"};

int& CurrentDeck() { return g_UserRecord.currentDeck; }

}  // namespace

void DeckGenSetDefaults() {
  g_UserRecord.photoEditorPath[0] = 0;
  g_UserRecord.photoEditorFolder[0] = 0;
  g_UserRecord.publisherName[0] = 0;
  g_UserRecord.reservedText1[0] = 0;
  g_UserRecord.reservedText2[0] = 0;
}

void DecksSetDefaults() {
  g_UserRecord.currentDeck = 1;
  g_UserRecord.currentCardBack = 0;
  for (auto& path : g_UserRecord.cardBackPaths) path[0] = 0;
}

bool DeckGenLoadSettings() {
  if (!CardsDecksLoadDeckSettings(CurrentDeck())) {
    DebugError("DeckGenLoadSettings", "Could not load settings for deck %d", CurrentDeck());
    return false;
  }
  return true;
}

bool DeckGenSaveSettings() { return CardsDecksSaveDeckSettings(CurrentDeck()); }
bool DeckGenSetupElements(int printMode) { return CardsDecksSetupDeckElements(CurrentDeck(), printMode); }

bool DeckGenLoadSettingsAndElements(int printMode) {
  return DeckGenLoadSettings() && DeckGenSetupElements(printMode);
}

bool DecksRescan() { return CardsDecksGetDecks(); }

int DecksFindDeckByName(const char* name) {
  if (!name) return -1;
  for (int deck = 0; deck < CardsDecksGetNumDecks(); ++deck) {
    if (std::strcmp(CardsDecksGetDeckName(deck), name) == 0) return deck;
  }
  return -1;
}

const char* DecksGetCurrentDeckName() {
  DecksRescan();
  return CardsDecksGetDeckName(CurrentDeck());
}

bool DecksIsCurrentDeckUserDeck() {
  const int deck = CurrentDeck();
  return deck >= CardsDecksGetNumStandardDecks() && deck < CardsDecksGetNumDecks();
}

int DecksCreateUserDeck(const char* name) {
  const char* path = CardsDecksGetUserDecksDirectory(name, true);
  if (!path) return 0;
  const std::string folder = path;
  if (EngFileDirectoryExists(folder.c_str())) return -1;
  if (!EngFileCreateDirectory(folder.c_str())) return -2;
  for (const char* file : kEmptyFiles) {
    const std::string source = std::string(kEmptyElements) + "\\" + file;
    if (!EngFileCopyFile(source.c_str(), (folder + "\\" + file).c_str(), true)) {
      DebugError("DecksCreateUserDeck", "Could not copy <%s>", source.c_str());
      return 0;
    }
  }
  return 1;
}

int DecksDeleteCurrentUserDeck() {
  DecksRescan();
  int& deck = CurrentDeck();
  if (!DecksIsCurrentDeckUserDeck()) return deck;
  const std::string name = CardsDecksGetDeckName(deck);
  const char* path = CardsDecksGetUserDecksDirectory(name.c_str(), false);
  if (!path) return deck;
  const std::string folder = path;
  std::vector<std::string> files;
  if (!DecksListFolder(folder.c_str(), false, &files)) return deck;
  for (const std::string& file : files) EngFileDelete((folder + "\\" + file).c_str());
  EngFileDeleteDirectory(folder.c_str());
  // Its generated pictures, in both colour modes: the deck's own folders,
  // whatever deck the generator last worked for.
  std::string base = CardsDecksGetDeckGenPath();
  if (base.size() > 6) base.resize(base.size() - 6);
  for (const char* mode : {"/2Cols/", "/4Cols/"}) {
    CardsGenerateDeleteGeneratedCardsIn((base + mode + name).c_str());
  }
  DecksRescan();
  deck = std::max(0, std::min(deck, CardsDecksGetNumDecks() - 1));
  return deck;
}

bool DecksDeleteGeneratedCards() { return CardsGenerateDeleteGeneratedCards(); }
