// CardsModel.cpp - the deck-side model drawn under a stacked pile (see
// CardsRender.h).
//
// The mesh loader is not part of the engine yet: until it is, no model
// loads and a stack draws its top cards without a side.
#include "Engine/Debug.h"
#include "Game/CardsGraphicsLocal.h"
#include "Game/CardsRender.h"

bool CardsLoadModel(int kind, EngXfile* model) {
  CardsGraphics& g = CardsGetGraphics();
  if (!g.pathCB || !g.modelCB) {
    DebugError("CardsLoadModel", "No path or xfile filename callback specified");
    return false;
  }
  if (!model) {
    DebugError("CardsLoadModel", "Invalid xfile");
    return false;
  }
  if (kind != 0) {
    DebugError("CardsLoadModel", "Unknown xfile type [%d]", kind);
    return false;
  }
  return false;
}

bool CardsLoadDeckSide(float, float, float) { return true; }

EngXfile* CardsGetDeckSideModel() { return nullptr; }

void CardsDrawDeckSideModel() {}

void CardsFreeDeckSideModel() { CardsGetGraphics().deckSideLoaded = false; }
