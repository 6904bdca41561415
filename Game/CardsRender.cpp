// CardsRender.cpp - card pictures, the deck-side model and the drawing of
// cards and piles (see CardsRender.h). The file names come from the
// program's callbacks; markers are built in CardsSpaces.cpp.
#include "Game/CardsRender.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMath.h"
#include "Engine/EngTexture.h"
#include "Game/CardGroup.h"
#include "Game/CardsGraphicsLocal.h"
#include "Game/CardsSettings.h"
#include "Platform/D3DXMath.h"

namespace {

constexpr int kFaceFlagsTga = 7;   // faces with their own alpha (".bmp" faces: 1, the default)
constexpr int kStackAlignment = 1;

CardsGraphics g_cards;
CardsDrawCounts g_counts;

EngDevice* Device() { return EngDeviceGetCurrent(); }

// world = card matrix x group matrix (the card's own matrix without a group).
void CardWorld(const CardGroup* group, const Card* card, EngMatrix* world) {
  world->CopyFrom(&card->matrix);
  if (group) world->Multiply(&group->groupMatrix);
}

void DrawTexture(EngTexture* texture, const EngMatrix* world) {
  EngDevice* device = Device();
  if (!device || !texture->IsLoaded()) return;
  device->SetWorldMatrix(world);
  texture->Draw();
}

// The face of a card number: only 1-55 name a slot, and only a loaded slot
// draws (a number below 1 would index before the faces).
void DrawFace(int number, const EngMatrix* world) {
  if (number < 1 || number >= kCardsNumFaceSlots) return;
  EngTexture& face = g_cards.faces[number];
  if (!face.IsLoaded()) return;
  DrawTexture(&face, world);
  ++g_counts.faces;
}

void DrawBack(const EngMatrix* world) {
  DrawTexture(&g_cards.back, world);
  ++g_counts.backs;
}

// The deck-side model for a stack of count cards.
void DrawDeckSideFor(CardGroup* group, int count) {
  if (count < 2 || !g_cards.deckSideLoaded) return;
  EngDevice* device = Device();
  if (!device) return;
  const CardsSettingsRecord& s = CardsGetSettings();
  EngMatrix world;
  world.SetScale(s.modelScale[0], s.modelScale[1], static_cast<float>(count) * s.depth);
  world.Multiply(&group->groupMatrix);
  device->SetWorldMatrix(&world);
  CardsDrawDeckSideModel();
  ++g_counts.deckSides;
}

void DrawMarker(CardGroup* group) {
  if (!group->drawEmptySpace || !group->emptyTexture) return;
  DrawTexture(group->emptyTexture, &group->groupMatrix);
  ++g_counts.markers;
}

bool TopCardTurned(const CardGroup* group) { return group->cards[group->numCards - 1].rot[2] != 0; }

}  // namespace

CardsGraphics& CardsGetGraphics() { return g_cards; }

// ---- Binding and settings -----------------------------------------------------------

void CardsSetPathCB(CardsPathCB callback) { g_cards.pathCB = callback; }
void CardsSetModelFilenameCB(CardsModelFilenameCB callback) { g_cards.modelCB = callback; }
void CardsSetTextureFilenameCB(CardsTextureFilenameCB callback) { g_cards.textureCB = callback; }

void CardsSetTextureExtToTga() {
  g_cards.tgaFaces = true;
  g_cards.faceFlags = kFaceFlagsTga;
}

bool CardsIsTextureExtTga() { return g_cards.tgaFaces; }

void CardsSetModelScale(float x, float y, float z, float factor) {
  if (x > 0) g_cards.modelScale[0] = x;
  if (y > 0) g_cards.modelScale[1] = y;
  if (z > 0) g_cards.modelScale[2] = z;
  if (factor > 0) g_cards.modelFactor = factor;
}

void CardsSetHighlightCB(CardsHighlightCB callback) { g_cards.highlightCB = callback; }

void CardsHideAllFaces() { g_cards.allFacesHidden = true; }
void CardsShowFacesNormally() { g_cards.allFacesHidden = false; }
bool CardsAreAllFacesHidden() { return g_cards.allFacesHidden; }

void CardsBeginBlending() {
  if (!g_cards.tgaFaces) return;
  if (EngDevice* device = Device()) device->EnableBlendingType(0);
}

void CardsEndBlending() {
  if (!g_cards.tgaFaces) return;
  if (EngDevice* device = Device()) device->DisableBlending();
}

bool CardsGraphicsExist() { return Device() != nullptr; }

// ---- Names -------------------------------------------------------------------------------

bool CardsGetCardFacePicName(int suit, int rank, char* out) {
  static const char kSuits[] = "hsdc";
  static const char kRanks[] = "a23456789tjqk";
  out[0] = '?';
  out[1] = '?';
  out[2] = 0;
  if (rank == 0 || rank == -1) {
    std::snprintf(out, 3, "%s", rank == 0 ? "ba" : "ds");
    return true;
  }
  bool ok = true;
  if (rank >= 1 && rank <= 14) {
    out[0] = kRanks[rank == 14 ? 0 : rank - 1];
  } else {
    DebugError("CardsGetCardFacePicName", "Invalid rank specified");
    ok = false;
  }
  if (suit >= 0 && suit <= 3) {
    out[1] = kSuits[suit];
  } else {
    DebugError("CardsGetCardFacePicName", "Invalid suit specified");
    ok = false;
  }
  return ok;
}

const char* CardsGetTextureFileName(int kind, const char* prefix) {
  static char name[1024];
  if (!prefix || !prefix[0] || std::strlen(prefix) >= 60) {
    DebugError("CardsGetTextureFileName", "Invalid prefix");
    return nullptr;
  }
  if (!g_cards.pathCB) {
    DebugError("CardsGetTextureFileName", "No path filename cb setup");
    return nullptr;
  }
  const char* ext = g_cards.tgaFaces ? ".tga" : ".bmp";
  const char* folder = g_cards.pathCB(kind, prefix);
  if (folder && folder[0]) {
    std::snprintf(name, sizeof(name), "%s/%s%s", folder, prefix, ext);
  } else {
    std::snprintf(name, sizeof(name), "%s%s", prefix, ext);
  }
  return name;
}

// ---- Loading --------------------------------------------------------------------------------

void CardsApplyMaterial(EngTexture* texture, bool backSide) {
  if (!texture || !texture->IsLoaded()) return;
  const CardsSettingsRecord& s = CardsGetSettings();
  const D3DXVECTOR3 a(-s.halfWidth, s.halfHeight, 0);
  const D3DXVECTOR3 b(s.halfWidth, -s.halfHeight, 0);
  // Both sides carry the card's normal: without one a quad gets the ambient
  // light only, and backs would lie almost black on the table.
  texture->SetNormal(0, 0, -1);
  if (!backSide) texture->Set3dDrawDir(0);
  texture->SetPositions3D(0, &a, &b);
  if (!backSide) texture->SetTextureCoordinates(1, 1, 0, 0);
}

void CardsApplyMaterialsToAll() {
  for (EngTexture& face : g_cards.faces) CardsApplyMaterial(&face, false);
  for (EngTexture& texture : g_cards.further) CardsApplyMaterial(&texture, false);
  CardsApplyMaterial(&g_cards.back, true);
  if (g_cards.shadow.IsLoaded()) CardsApplyMaterial(&g_cards.shadow, true);
}

bool CardsLoadCardFace(int suit, int rank) {
  const int number = CardsGetNumberFromSuitAndRank(suit, rank);
  if (number < 1 || number >= kCardsNumFaceSlots) {
    DebugError("CardsLoadCardFace", "Could not get mod tex num for [%d,%d]", suit, rank);
    return false;
  }
  char picture[3];
  if (!CardsGetCardFacePicName(suit, rank, picture)) {
    DebugError("CardsLoadCardFace", "Cannot get card face pic name for card [%d,%d]", suit, rank);
    return false;
  }
  const char* file = CardsGetTextureFileName(4, picture);
  EngTexture& face = g_cards.faces[number];
  face.Release();
  if (!file || !face.LoadFromFile(file, g_cards.tgaFaces ? 1 : 0, g_cards.faceFlags)) {
    DebugError("CardsLoadCardFace", "Could not load card texture [%d:%d]", suit, rank);
    return false;
  }
  CardsApplyMaterial(&face, false);
  return true;
}

// The back (kind 0) or the shadow (kind 1) through the texture callback.
static bool LoadBackOrShadow(const char* where, int kind, EngTexture* texture,
                             const char* failure) {
  if (!g_cards.textureCB) {
    DebugError(where, "Texture filename CB not setup");
    return false;
  }
  const char* file = g_cards.textureCB(kind);
  if (kind == 0 && (!file || !file[0])) {
    DebugError(where, "No card back texture filename");
    return false;
  }
  texture->Release();
  if (!file || !file[0] || !texture->LoadFromFile(file, g_cards.tgaFaces ? 1 : 0, g_cards.faceFlags)) {
    DebugError(where, "%s", failure);
    return false;
  }
  CardsApplyMaterial(texture, true);
  return true;
}

bool CardsLoadCardBack() {
  return LoadBackOrShadow("CardsLoadCardBack", 0, &g_cards.back, "Could not load card back texture");
}

bool CardsLoadCardShadow() {
  return LoadBackOrShadow("CardsLoadCardShadow", 1, &g_cards.shadow,
                          "Could not load card shadow texture");
}

const char* CardsMaterialOverwrite(const char* materialFile) {
  if (!materialFile) return nullptr;
  if (!g_cards.textureCB) {
    DebugError("CardsMaterialOverwrite", "Texture Filename CB not setup");
    return nullptr;
  }
  if (std::strcmp(materialFile, "DeckSide.bmp") == 0) return g_cards.textureCB(2);
  if (std::strcmp(materialFile, "Back.bmp") == 0) return g_cards.textureCB(0);
  if (std::strcmp(materialFile, "Blank.bmp") == 0) return CardsGetTextureFileName(5, "Blank");
  return nullptr;
}

void CardsFreeGraphics() {
  CardsFreeDeckSideModel();
  for (EngTexture& face : g_cards.faces) face.Release();
  for (EngTexture& texture : g_cards.further) texture.Release();
  g_cards.back.Release();
  g_cards.shadow.Release();
}

EngTexture* CardsGetFaceTexture(int number) {
  if (number < 0 || number >= kCardsNumFaceSlots) return nullptr;
  return &g_cards.faces[number];
}
EngTexture* CardsGetBackTexture() { return &g_cards.back; }

// ---- Drawing ---------------------------------------------------------------------------------

void CardsRenderCard(CardGroup* group, int, Card* card) {
  if (!card || card->hidden || !Device()) return;
  EngMatrix world;
  CardWorld(group, card, &world);
  const bool showFace = card->faceUp && !g_cards.allFacesHidden;
  if (!card->bothSides) {
    if (showFace) {
      DrawFace(card->number, &world);
    } else {
      DrawBack(&world);
    }
  } else {
    // The reverse side is the same quad turned half a turn about Y.
    EngMatrix reverse;
    reverse.SetRotationY(static_cast<float>(M_PI));
    reverse.Multiply(&world);
    if (showFace) {
      DrawBack(&reverse);
      DrawFace(card->number, &world);
    } else {
      DrawFace(card->number, &world);
      DrawBack(&reverse);
    }
  }
  if (card->highlighted && g_cards.highlightCB) {
    Device()->SetWorldMatrix(&world);
    g_cards.highlightCB(card);
  }
}

void CardsRenderCardShadow(CardGroup* group, int, Card* card) {
  if (!card || card->hidden || !Device()) return;
  EngMatrix world;
  CardWorld(group, card, &world);
  DrawTexture(&g_cards.shadow, &world);
  ++g_counts.shadows;
}

void CardsRenderGroupShadows(CardGroup* group) {
  if (!group || group->alignType == kStackAlignment) return;
  for (int i = 0; i < group->numCards; ++i) CardsRenderCardShadow(group, i, &group->cards[i]);
}

void CardsRenderDeckSide(CardGroup* group) {
  if (!group) return;
  DrawDeckSideFor(group, group->numCards);
}

void CardsRenderCardModelOrTex(int, EngTexture* texture, const EngMatrix* matrix) {
  if (texture) DrawTexture(texture, matrix);
}

void CardsRenderGroup(CardGroup* group) {
  if (!group || !Device()) return;
  const int n = group->numCards;
  if (n <= 0) {
    DrawMarker(group);
    return;
  }
  if (group->alignType != kStackAlignment) {
    for (int i = 0; i < n; ++i) CardsRenderCard(group, i, &group->cards[i]);
    return;
  }
  // A stack shows its side and at most its two top cards.
  if (n == 1) {
    CardsRenderCard(group, 0, &group->cards[0]);
  } else if (TopCardTurned(group)) {
    if (n > 2) DrawDeckSideFor(group, n - 1);
    CardsRenderCard(group, n - 2, &group->cards[n - 2]);
    CardsRenderCard(group, n - 1, &group->cards[n - 1]);
  } else {
    DrawDeckSideFor(group, n);
    CardsRenderCard(group, n - 1, &group->cards[n - 1]);
  }
}

const CardsDrawCounts& CardsGetDrawCountsForTests() { return g_counts; }
void CardsResetDrawCountsForTests() { g_counts = CardsDrawCounts(); }
