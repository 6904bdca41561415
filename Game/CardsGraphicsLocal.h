// CardsGraphicsLocal.h - the card module's graphics state, shared by its
// files (CardsRender.cpp, CardsModel.cpp, CardsSpaces.cpp). Not for use
// outside the card module.
#pragma once

#include "Engine/EngTexture.h"
#include "Game/CardsRender.h"

// Textures are released by CardsFreeGraphics (every device change); the
// settings and callbacks live for the run.
struct CardsGraphics {
  EngTexture faces[kCardsNumFaceSlots];          // by card number; 0, 14, 28, 42 unused
  EngTexture further[kCardsNumFurtherTextures];
  EngTexture back;
  EngTexture shadow;
  bool deckSideLoaded = false;
  bool tgaFaces = false;                         // ".tga" faces with alpha
  int faceFlags = 1;                             // 7 with ".tga" faces
  bool allFacesHidden = false;                   // the game is paused
  float modelScale[3] = {1, 1, 1};               // the deck-side model's load scale
  float modelFactor = 1;
  CardsPathCB pathCB = nullptr;
  CardsModelFilenameCB modelCB = nullptr;
  CardsTextureFilenameCB textureCB = nullptr;
  CardsHighlightCB highlightCB = nullptr;
};

CardsGraphics& CardsGetGraphics();

// The deck-side mesh under the device's current world (CardsModel.cpp).
void CardsDrawDeckSideModel();
void CardsFreeDeckSideModel();
