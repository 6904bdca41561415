// DecksStandIn.cpp - the custom decks and table boards as the card core's
// tests see them (Game/GameImports.h), for test programs that do not link
// the real Decks library: card sizes follow the deck module's arithmetic
// (5.8, 8.7 and 0.05 table units per factor), there are no decks to
// generate and no boards to draw.
#include "Game/CardsSettings.h"
#include "Game/GameImports.h"

namespace {

float g_width = 1, g_height = 1;

}  // namespace

void CardsDecksInit() {}
void CardsGenerateInit() {}
void LoadCardsSetup(bool (*)()) { LoadCardsSetCardSize(0, 0, 0); }
void LoadCardsSetCardSize(float width, float height, int) {
  if (width > 0) g_width = width;
  if (height > 0) g_height = height;
  const float mean = (g_width + g_height) / 2;
  CardsSetCardSize(5.8f * g_width, 8.7f * g_height, 0.05f * mean, g_width, g_height, mean);
}
void LoadCardsGetCardSizeFactors(float* width, float* height, float* mean) {
  if (width) *width = g_width;
  if (height) *height = g_height;
  if (mean) *mean = (g_width + g_height) / 2;
}
void LoadCardsGetCardModelFactors(float* x, float* y, float* z) {
  if (x) *x = 0.029f;
  if (y) *y = 0.0435f;
  if (z) *z = 0.038197096f;
}
bool LoadCardsGenerateCurrentDeckIfNeeded(bool, int) { return false; }
bool LoadCardsLoadCardFaces(int) { return false; }
bool DecksIsCurrentDeckUserDeck() { return false; }
void DecksControlCreateGraphics() {}
void DeckGenControlCreateGraphics() {}
void SetsControlCreateGraphics() {}
void DecksControlReleaseGraphics() {}
void DeckGenControlReleaseGraphics() {}
void SetsControlReleaseGraphics() {}
void DecksControlRenderPreview() {}
void DeckGenControlDiscardEdits() {}
int SetsGetBoards() { return 14; }
bool BoardLoadTable() { return true; }
void BoardReleaseTextures() {}
bool BoardSetupTableRect(float, float, float, float, bool, bool) { return true; }
bool BoardSetupTextureQuality(int) { return true; }
int BoardGetBackgroundType() { return 0; }
void BoardGetBackgroundColour(float* rgb) { rgb[0] = rgb[1] = rgb[2] = 0; }
EngTexture* BoardGetBackgroundTexture() { return nullptr; }
void SetsControlReloadBackground() {}
void SetsControlLoadBoard(int) {}
void MainRenderTableBoard() {}
