// SolCards.cpp - the program's card binding: set-up, sizes, markers,
// highlight and the card loading steps (see SolCards.h).
#include "Game/SolCards.h"

#include <initializer_list>

#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngTexture.h"
#include "Game/CardGroup.h"
#include "Game/CardsRender.h"
#include "Game/CardsSettings.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/LoadCards.h"
#include "Game/Decks/Sets.h"
#include "Game/GameImports.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/UserRecord.h"

namespace {

constexpr char kHighlightFile[] = "Data\\Main\\0155.dat";
constexpr float kColumnBottomY = -20.5f;
constexpr int kHighlightBlendType = 8;   // source alpha added to the card
constexpr float kTableHalfSide = 30.0f;  // the table measures 60 x 60

// Marker textures: released by SolCardsFreeGraphics.
struct SolCardsMarkers {
  EngTexture cell, foundation, foundation2, tableau, fan, deck, waste, reserve;
  EngTexture highlight;
};

SolCardsMarkers& Markers() {
  static SolCardsMarkers markers;
  return markers;
}

// Kept for the run: the last base rank, the deck marker's picture kind and
// the empty tableau and fan markers' rank choices (0 blank, -1 one below the
// base rank, else a rank; blank unless a game asks otherwise).
int g_foundationSpaceRank = 0;
int g_spaceCustomPic = 0;
int g_tableauSpaceOption = 0;
int g_fanSpaceOption = 0;

void ApplyMarkerMaterials() {
  SolCardsMarkers& m = Markers();
  for (EngTexture* t : {&m.cell, &m.foundation, &m.foundation2, &m.tableau, &m.fan, &m.deck,
                        &m.waste, &m.reserve, &m.highlight}) {
    CardsApplyMaterial(t, false);
  }
}

bool InRange(int where, int base, int count) { return where >= base && where < base + count; }

}  // namespace

void SolCardsSetup() {
  LoadCardsSetup(GenFourColorDeckNeeded);
  CardsSetGroupSetupCB(SolCardsSetupCardGroupModelsAndTextures);
  CardsSetAnimTimedRate(2.5f);
  SolCardsSetCardSize(0, 0, false);
  GenSetTableValues(kTableHalfSide, kTableHalfSide, 0, 5 + kTableHalfSide);
  BoardSetupTableRect(0, 0, 2 * kTableHalfSide, 2 * kTableHalfSide, true, true);
  GameDisplaySettings display;
  g_GameImports.ResolutionGetForGame(&display);
  BoardSetupTextureQuality(display.tableQuality);
}

void SolCardsSetCardSize(float width, float height, bool keepThickness) {
  LoadCardsSetCardSize(width, height, keepThickness ? -1 : 0);
  ApplyMarkerMaterials();
  CardsSetDefaultColumnBottom(true, kColumnBottomY - CardsGetCardHeight());
  CardsSetHighlightCB(SolCardsDrawHighlight);
}

void SolCardsDrawHighlight(Card*) {
  if (!g_UserRecord.highlightPlayable) return;
  EngDevice* device = EngDeviceGetCurrent();
  EngTexture& highlight = Markers().highlight;
  if (!device || !highlight.IsLoaded()) return;
  device->DisableLighting();
  device->EnableBlendingType(kHighlightBlendType);
  highlight.Draw();
  device->DisableBlending();
  CardsBeginBlending();
  device->EnableLighting();
}

EngTexture* SolCardsGetMarker(int kind) {
  SolCardsMarkers& m = Markers();
  switch (kind) {
    case kWhereFoundation:
      return &m.foundation;
    case kWhereFoundation + 1:
      return &m.foundation2;
    case kWhereCell:
      return &m.cell;
    case kWhereTableau:
      return &m.tableau;
    case kWhereFan:
      return &m.fan;
    case kWhereDeck:
      return &m.deck;
    case kWhereWaste:
      return &m.waste;
    case kWhereReserve:
      return &m.reserve;
    default:
      return nullptr;
  }
}

void SolCardsSetupCardGroupModelsAndTextures(CardGroup* group) {
  if (!group) return;
  const int where = group->where;
  if (where == kWhereDealGroup || where == kWhereSelection || group->maxCards < 1) return;
  SolCardsMarkers& m = Markers();
  EngTexture* marker = nullptr;
  if (InRange(where, kWhereTableau, kGenMaxTableaus)) {
    marker = &m.tableau;
  } else if (InRange(where, kWhereFan, kGenMaxFans)) {
    marker = &m.fan;
  } else if (InRange(where, kWhereFoundation, kGenMaxFoundations)) {
    const bool second = GenCurGameDef().secondFoundationMarker && where > 13;
    marker = second ? &m.foundation2 : &m.foundation;
  } else if (InRange(where, kWhereCell, kGenMaxCells)) {
    marker = &m.cell;
  } else if (where == kWhereDeck) {
    marker = &m.deck;
  } else if (where == kWhereWaste) {
    marker = &m.waste;
  } else if (InRange(where, kWhereReserve, kGenMaxReserves)) {
    marker = &m.reserve;
  } else {
    DebugError("SolCardsSetupCardGroupModelsAndTextures", "Unexpected group %d", where);
    return;
  }
  group->emptyTexture = marker;
}

bool SolCardsDoSetSpaceRank(int rank, int kind) {
  EngTexture* marker = nullptr;
  switch (kind) {
    case kWhereFoundation:
    case kWhereFoundation + 1:
    case kWhereTableau:
    case kWhereFan:
      marker = SolCardsGetMarker(kind);
      break;
    case kWhereWaste:
      marker = SolCardsGetMarker(kind);
      // The waste's marker is always blank: a rank there is not a marker.
      if (rank >= 1) return CardsSetCardSpaceRank(marker, 0, false);
      break;
    default:
      DebugError("SolCardsDoSetSpaceRank", "Unsupported type: %d", kind);
      return false;
  }
  if (!EngDeviceGetCurrent()) return true;  // no graphics: nothing to draw
  if (rank < 1) return CardsSetCardSpaceRank(marker, 0, true);
  return CardsSetCardSpaceRank(marker, rank == 14 ? 1 : rank, false);
}

int SolCardsSpaceRankFor(int option, int baseRank) {
  if (option == 0) return 0;
  const int rank = option == -1 ? baseRank - 1 : option;
  return rank == 0 ? 13 : rank;
}

void SolCardsSetSpaceRanks(int baseRank) {
  SolCardsDoSetSpaceRank(SolCardsSpaceRankFor(g_tableauSpaceOption, baseRank), kWhereTableau);
  SolCardsDoSetSpaceRank(SolCardsSpaceRankFor(g_fanSpaceOption, baseRank), kWhereFan);
}

void SolCardsSetSpaceRankOptions(int tableau, int fan) {
  g_tableauSpaceOption = tableau;
  g_fanSpaceOption = fan;
}

void SolCardsGetSpaceRankOptions(int* tableau, int* fan) {
  if (tableau) *tableau = g_tableauSpaceOption;
  if (fan) *fan = g_fanSpaceOption;
}

void SolCardsSetFoundationSpaceRank(int baseRank) {
  if (baseRank < 0) baseRank = g_foundationSpaceRank;
  SolCardsDoSetSpaceRank(baseRank, kWhereFoundation);
  SolCardsSetSpaceRanks(baseRank);
  g_foundationSpaceRank = baseRank;
}

void SolCardsSetSpaceCustomPic(int kind) {
  g_spaceCustomPic = kind;
  if (!EngDeviceGetCurrent()) return;
  const char* file = kind == 1   ? "Data/Custom/Special1.bmp"
                     : kind == 2 ? "Data/Custom/X.bmp"
                                 : "Data/Letters/Blank.bmp";
  CardsSetCardSpaceToCustomPic(true, &Markers().deck, file);
}

int SolCardsGetSpaceCustomPic() { return g_spaceCustomPic; }

bool LoadCardsCreateGraphics() {
  const char* where = "LoadCardsCreateGraphics";
  LoadCardsSetCardSize(0, 0, -1);
  float x = 0, y = 0, z = 0;
  LoadCardsGetCardModelFactors(&x, &y, &z);
  CardsSetModelScale(x, y, z, 1.0f);
  LoadCardsGenerateCurrentDeckIfNeeded(false, 0);
  if (!LoadCardsLoadCardFaces(-1)) {
    DebugError(where, "LoadCardsLoadCardFaces() failed");
    return false;
  }
  if (!CardsLoadCardBack()) {
    DebugError(where, "LoadCardsLoadCardBack() failed");
    return false;
  }
  CardsLoadCardShadow();
  if (!CardsLoadDeckSide(0.98f * x, 0.98f * y, 0.01f)) {
    DebugError(where, "CardsLoadDeckSide() failed");
    return false;
  }
  return true;
}

bool SolCardsCreateGraphics(int step) {
  const char* where = "SolCardsCreateGraphics";
  SolCardsMarkers& m = Markers();
  auto marker = [where](EngTexture* texture, const char* failure) {
    if (!CardsLoadCardSpace(texture)) {
      DebugError(where, "%s", failure);
      return false;
    }
    return true;
  };
  bool ok = true;
  switch (step) {
    case 0:
      SetsGetBoards();
      BoardLoadTable();
      return true;
    case 1:
      return LoadCardsCreateGraphics();
    case 2:
      m.highlight.Release();
      if (m.highlight.LoadFromFile(kHighlightFile, 1, 7)) CardsApplyMaterial(&m.highlight, false);
      return true;
    case 3:
      ok = marker(&m.cell, "Could not load cell space");
      break;
    case 4:
      ok = marker(&m.foundation, "Could not load foundation space") &&
           marker(&m.foundation2, "Could not load foundation space 2");
      break;
    case 5:
      ok = marker(&m.tableau, "Could not load tableau space");
      break;
    case 6:
      ok = marker(&m.fan, "Could not load fan space");
      break;
    case 7:
      ok = marker(&m.deck, "Could not load deck space");
      if (ok) SolCardsSetSpaceCustomPic(g_spaceCustomPic);
      break;
    case 8:
      ok = marker(&m.waste, "Could not load waste space");
      break;
    case 69:
      ok = marker(&m.reserve, "Could not load reserve space");
      break;
    default:
      return true;
  }
  if (ok) SolCardsSetFoundationSpaceRank(-1);
  return ok;
}

void SolCardsFreeGraphics() {
  CardsFreeGraphics();
  SolCardsMarkers& m = Markers();
  for (EngTexture* t : {&m.cell, &m.foundation, &m.foundation2, &m.tableau, &m.fan, &m.deck,
                        &m.waste, &m.reserve, &m.highlight}) {
    t->Release();
  }
}
