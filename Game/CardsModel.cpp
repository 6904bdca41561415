// CardsModel.cpp - the deck-side model drawn under a stacked pile (see
// CardsRender.h). The model is a text ".x" box whose materials name the
// deck's own pictures ("DeckSide.bmp", "Back.bmp", "Blank.bmp"); the loader
// asks CardsMaterialOverwrite for the files that stand in for them.
#include "Engine/Debug.h"
#include "Engine/EngXfile.h"
#include "Game/CardsGraphicsLocal.h"
#include "Game/CardsRender.h"

namespace {

// The loaded deck side; destroyed by CardsFreeDeckSideModel.
EngXfile& DeckSide() {
  static EngXfile model;
  return model;
}

// The mesh loader's texture-name hook.
const char* MaterialHook(EngXfile*, int, const char*, const char* materialFile) {
  return CardsMaterialOverwrite(materialFile);
}

}  // namespace

bool CardsLoadModel(int kind, EngXfile* model) {
  const char* where = "CardsLoadModel";
  CardsGraphics& g = CardsGetGraphics();
  if (!g.pathCB || !g.modelCB) {
    DebugError(where, "No path or xfile filename callback specified");
    return false;
  }
  if (!model) {
    DebugError(where, "Invalid xfile");
    return false;
  }
  if (kind < 0 || kind > 3) {
    DebugError(where, "Unknown xfile type [%d]", kind);
    return false;
  }
  const char* file = g.modelCB(kind);
  if (!file) {
    DebugError(where, "Unknown xfile type [%d]", kind);
    return false;
  }
  const float f = g.modelFactor;
  return model->LoadFromFile(g.pathCB(kind, file), file, g.modelScale[0] * f, g.modelScale[1] * f,
                             g.modelScale[2] * f, nullptr, g.tgaFaces ? 1 : 0, g.faceFlags,
                             MaterialHook);
}

bool CardsLoadDeckSide(float x, float y, float z) {
  CardsGraphics& g = CardsGetGraphics();
  const float kept[3] = {g.modelScale[0], g.modelScale[1], g.modelScale[2]};
  if (x >= 0) g.modelScale[0] = x;
  if (y >= 0) g.modelScale[1] = y;
  if (z >= 0) g.modelScale[2] = z;
  const bool ok = CardsLoadModel(0, &DeckSide());
  for (int i = 0; i < 3; ++i) g.modelScale[i] = kept[i];
  g.deckSideLoaded = ok;
  if (!ok) DebugError("CardsLoadDeckSide", "Could not load deck side");
  return ok;
}

EngXfile* CardsGetDeckSideModel() {
  return CardsGetGraphics().deckSideLoaded ? &DeckSide() : nullptr;
}

void CardsDrawDeckSideModel() {
  if (CardsGetGraphics().deckSideLoaded) DeckSide().Draw();
}

void CardsFreeDeckSideModel() {
  DeckSide().Destroy();
  CardsGetGraphics().deckSideLoaded = false;
}
