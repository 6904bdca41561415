// DeckGenEdits.cpp - whether the deck generator has painted previews of
// settings not yet saved, and removing such pictures (see DeckGen.h). Kept
// apart from the screen so that the program's shutdown can call it without
// the screens.
#include <cstring>
#include <string>

#include "App/DirList.h"
#include "Engine/EngFile.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/UserRecord.h"
#include "Screens/Decks/DeckGen.h"

namespace {

bool g_changed = false;

}  // namespace

bool DeckGenIsChanged() { return g_changed; }
void DeckGenSetChanged(bool changed) { g_changed = changed; }

// Deletes every generated picture of the current deck in both colour
// folders: what is cached there no longer matches the settings file.
void DeckGenDeleteGeneratedPictures() {
  const int deck = g_UserRecord.currentDeck;
  const bool fourColour = CardsDecksIsFourColor();
  for (int pass = 0; pass < 2; ++pass) {
    CardsDecksSetFourColor(pass == 0 ? fourColour : !fourColour);
    CardsDecksUpdateGeneratedPathForDeck(deck);
    const char* folder = CardsGenerateGetGeneratedCardsPath();
    if (!folder || !folder[0] || !DirListOpenDir(folder, nullptr) || !DirListPrepareToGetFilenamesInDir()) {
      DirListCloseDir();
      continue;
    }
    for (const char* name = DirListGetNextFilenameInDir(); name && name[0]; name = DirListGetNextFilenameInDir()) {
      const std::size_t length = std::strlen(name);
      if (length <= 4 || std::strcmp(name + length - 4, ".tga") != 0) continue;
      const std::string path = DirListGetFilenameWithPath(name);
      if (EngFileExists(path.c_str())) EngFileDelete(path.c_str());
    }
    DirListCleanupAfterGettingFilenamesInDir();
    DirListCloseDir();
  }
  CardsDecksSetFourColor(fourColour);
  CardsDecksUpdateGeneratedPathForDeck(deck);
}

void DeckGenControlDiscardEdits() {
  if (!g_changed) return;
  g_changed = false;
  DeckGenDeleteGeneratedPictures();
}
