// LoadCards.cpp - the card loader (see LoadCards.h).
#include "Game/Decks/LoadCards.h"

#include <cstdio>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Game/CardsRender.h"
#include "Game/CardsSettings.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksBacks.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"

namespace {

constexpr float kCardWidth = 5.8f;
constexpr float kCardHeight = 8.7f;
constexpr float kCardDepth = 0.05f;
constexpr float kModelX = 0.029f;
constexpr float kModelY = kCardHeight * 0.005f;
constexpr float kModelZ = 0.038197096f;

// Kept for the run (reset for tests only).
struct LoadCardsState {
  float widthFactor = 1;
  float heightFactor = 1;
  int thickness = 0;
  bool (*fourColourNeeded)() = nullptr;
  int faceFlag = 0;
};

LoadCardsState g_load;

}  // namespace

void LoadCardsSetup(bool (*fourColourNeeded)()) {
  g_load.fourColourNeeded = fourColourNeeded;
  LoadCardsSetCardSize(0, 0, 0);
  CardsDecksSetPaths("Data\\DeckSettings", "Data\\Elements", nullptr,
                     g_GameImports.PrefFolderGetSubFolder("DeckGen"));
  CardsSetPathCB(LoadCardsGetPathCB);
  CardsSetModelFilenameCB(LoadCardsGetModelFilenameCB);
  CardsSetTextureFilenameCB(LoadCardsGetTextureFilenameCB);
  CardsSetTextureExtToTga();
}

void LoadCardsSetCardSize(float width, float height, int thickness) {
  if (width > 0) g_load.widthFactor = width;
  if (height > 0) g_load.heightFactor = height;
  if (thickness >= 0) g_load.thickness = thickness;
  const float mean = (g_load.widthFactor + g_load.heightFactor) / 2;
  CardsSetCardSize(kCardWidth * g_load.widthFactor, kCardHeight * g_load.heightFactor,
                   kCardDepth * mean, g_load.widthFactor, g_load.heightFactor, mean);
}

void LoadCardsGetCardSizeFactors(float* width, float* height, float* mean) {
  if (width) *width = g_load.widthFactor;
  if (height) *height = g_load.heightFactor;
  if (mean) *mean = (g_load.widthFactor + g_load.heightFactor) / 2;
}

void LoadCardsGetCardModelFactors(float* x, float* y, float* z) {
  if (x) *x = kModelX;
  if (y) *y = kModelY;
  if (z) *z = kModelZ;
}

int LoadCardsMapAceRank(int rank) { return rank == 14 ? 1 : rank; }

bool LoadCardsIsFourColorDeckNeeded() {
  if (!g_load.fourColourNeeded) {
    DebugError("LoadCardsIsFourColorDeckNeeded", "Callback not setup");
    return false;
  }
  return g_load.fourColourNeeded();
}

bool LoadCardsSetTextureSize(int printMode) {
  GameDisplaySettings display;
  g_GameImports.ResolutionGetForGame(&display);
  return CardsDecksSetTextureSizeForQuality(display.cardQuality, printMode);
}

bool LoadCardsGenerateCurrentDeckIfNeeded(bool onlyAsk, int printMode) {
  CardsDecksGetDecks();
  int& deck = g_UserRecord.currentDeck;
  if (deck < 0 || deck >= CardsDecksGetNumDecks()) deck = 0;
  DecksControlSetBackElements(false);
  if (!LoadCardsSetTextureSize(printMode)) return onlyAsk;
  CardsDecksSetFourColor(printMode != 0 ? false : LoadCardsIsFourColorDeckNeeded());
  return CardsDecksGenerateDeckIfNeeded(deck, printMode, onlyAsk);
}

bool LoadCardsLoadCardFace(int flag, int suit, int rank) {
  CardsSetModelScale(kModelX, kModelY, kModelZ, 1.0f);
  g_load.faceFlag = flag;
  return CardsLoadCardFace(suit, LoadCardsMapAceRank(rank));
}

bool LoadCardsLoadCardFaces(int index) {
  for (int suit = 0; suit < 4; ++suit) {
    for (int rank = 1; rank <= 13; ++rank) {
      const int running = suit * 14 + rank - 1;
      if (index >= 0 && index != running) continue;
      if (!LoadCardsLoadCardFace(g_load.faceFlag, suit, rank)) return false;
    }
  }
  return true;
}

bool LoadCardsLoadCardBack() { return CardsLoadCardBack(); }
bool LoadCardsLoadCardShadow() { return CardsLoadCardShadow(); }
void LoadCardsFreeGraphics() { CardsFreeGraphics(); }

const char* LoadCardsGetPathCB(int kind, const char*) {
  switch (kind) {
    case 0:
    case 5:
      return "Data\\Deck";
    case 4:
      // Faces come from the generator's output while it is in use.
      return CardsGenerateIsUseSet() ? CardsGenerateGetGeneratedCardsPath() : nullptr;
    case 6:
      return "Data\\Letters";
    default:
      return nullptr;
  }
}

const char* LoadCardsGetModelFilenameCB(int kind) { return kind == 0 ? "0180.dat" : nullptr; }

const char* LoadCardsGetTextureFilenameCB(int kind) {
  static char name[1024];
  if (kind == 1) return DecksControlGetCardShadowFilename();
  if (kind != 0 && kind != 2) return nullptr;
  const char* folder = CardsGenerateGetGeneratedCardsPath();
  if (!folder || !folder[0]) return nullptr;
  std::snprintf(name, sizeof(name), "%s/%s", folder, kind == 0 ? "ba.tga" : "ds.tga");
  if (!EngFileExists(name)) return nullptr;
  return name;
}
