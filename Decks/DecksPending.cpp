// DecksPending.cpp - the deck library, the face generator and the boards
// while they are being written: the calls exist and report that nothing is
// there yet, so the game runs without custom decks or boards. Each call
// moves to its own unit when that unit is written.
#include "Decks/Board.h"
#include "Decks/CardsDecks.h"
#include "Decks/CardsGenerate.h"
#include "Decks/Sets.h"
#include "Engine/EngTexture.h"
#include "Game/GameImports.h"

void CardsDecksInit() {}
bool CardsDecksSetPaths(const char*, const char*, const char*, const char*) { return false; }
bool CardsDecksGetDecks() { return false; }
int CardsDecksGetNumDecks() { return 0; }
bool CardsDecksSetTextureSizeForQuality(int, int) { return false; }
void CardsDecksSetFourColor(bool) {}
bool CardsDecksGenerateDeckIfNeeded(int, int, bool) { return false; }

void CardsGenerateInit() {}
bool CardsGenerateIsUseSet() { return false; }
const char* CardsGenerateGetGeneratedCardsPath() { return ""; }
bool CardsGenerateSetElementPathAndFilename(int, const char*, const char*) { return false; }
bool CardsGenerateSetElementFilename(int, const char*) { return false; }

bool DecksIsCurrentDeckUserDeck() { return false; }
void DecksControlCreateGraphics() {}
void DeckGenControlCreateGraphics() {}
void SetsControlCreateGraphics() {}
void DecksControlReleaseGraphics() {}
void DeckGenControlReleaseGraphics() {}
void SetsControlReleaseGraphics() {}
void DecksControlRenderPreview() {}

int SetsGetBoards() { return kSetsNumBuiltIn; }
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
