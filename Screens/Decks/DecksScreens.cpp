// DecksScreens.cpp - the deck screens' registration and shared helpers (see
// DecksScreens.h).
#include "Screens/Decks/DecksScreens.h"

#include <cstring>

#include "Engine/EngMisc.h"
#include "Engine/EngScreen.h"
#include "Screens/Decks/DeckGen.h"
#include "Screens/Decks/DecksScreen.h"
#include "Screens/Decks/Print.h"
#include "Screens/Decks/Publish.h"
#include "Screens/Screens.h"
#include "Screens/ScreensImports.h"

int g_ScreenDeckGen = -1, g_ScreenDecks = -1, g_ScreenPrint = -1, g_ScreenPublish = -1;

namespace {

struct DeckScreenRow {
  const char* name;
  int* id;
  EngScreenCallback create;
  EngScreenCallback starting;
};

// In the order the screens are added. A screen's tick does nothing.
const DeckScreenRow kDeckScreens[] = {
    {"DeckGen", &g_ScreenDeckGen, DeckGenCreateCB, DeckGenControlStartingCB},
    {"Decks", &g_ScreenDecks, DecksCreateCB, DecksControlStartingCB},
    {"Print", &g_ScreenPrint, PrintCreateCB, PrintControlStartingCB},
    {"Publish", &g_ScreenPublish, PublishCreateCB, PublishStartingCB},
};

}  // namespace

void LoadCardsCreateDeckScreens() {
  for (const DeckScreenRow& r : kDeckScreens) {
    const int screen = EngScreenAdd();
    *r.id = screen;
    if (screen < 0) continue;
    EngScreenSetCreateCallback(screen, r.create);
    EngScreenSetStartingCallback(screen, r.starting);
  }
}

int LoadCardsGetDeckScreenId(const char* collection) {
  if (!collection) return -1;
  for (const DeckScreenRow& r : kDeckScreens) {
    if (std::strcmp(r.name, collection) == 0) return *r.id;
  }
  return -1;
}

const char* DecksScreensHostCollection(const char* own) {
  return g_ScreenOptions >= 0 && ScreensGetCurrent() == g_ScreenOptions ? "Options" : own;
}
