// CardsGenerateLocal.h - the face generator's state, shared by its files
// (CardsGenerate.cpp, CardsGeneratePrepare.cpp, CardsGeneratePaint.cpp). Not
// for use outside the generator.
#pragma once

#include <string>

#include "Engine/EngTga.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"

struct GeneratorElement {
  std::string path;      // without extension; empty = none
  EngTga image;          // only while generating
  int cellWidth = 0;
  int cellHeight = 0;
  bool loaded = false;
  bool fromTga = false;  // carries its own alpha: drawn blended by it
};

// Settings, folder and slot paths live until changed; images only while a
// deck is generated.
struct CardsGenerateState {
  bool initialised = false;
  int canvas = 256;
  int halving = 1;
  int blur = 0;
  std::string output;
  bool outputSet = false;
  bool use = false;
  bool force = false;
  DeckGeneratorSettings settings;
  GeneratorElement slots[kGenNumSlots];
  EngTga tintedSuits[4];
  EngTga tintedRanks[4];
  int suitCell[4][2] = {};    // top-left corner of each suit's cell
  int rankCell[14][2] = {};   // ranks 1-13
  EngTga lastCanvas;          // the last card painted (tests)
};

CardsGenerateState& CardsGenerateGetState();
// The existing file for a path without extension (.tga, .jpg, .bmp).
std::string CardsGenerateFindFile(const std::string& path);
