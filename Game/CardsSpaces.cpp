// CardsSpaces.cpp - an empty pile's marker: the "CardSpace" picture with a
// rank letter, or a picture of its own, drawn over it (see CardsRender.h).
#include <cstdio>

#include "Engine/Debug.h"
#include "Engine/EngTexture.h"
#include "Game/CardsGraphicsLocal.h"
#include "Game/CardsRender.h"

namespace {

constexpr int kLettersKind = 6;
constexpr int kSpaceKind = 5;

// The rank's letter file name ("A", "2".."9", "T", "J", "Q", "K"); null for
// another rank.
const char* RankLetter(int rank) {
  static const char* const kLetters[] = {"A", "2", "3", "4", "5", "6", "7",
                                         "8", "9", "T", "J", "Q", "K"};
  if (rank == 14) rank = 1;
  if (rank < 1 || rank > 13) return nullptr;
  return kLetters[rank - 1];
}

// Loads the card-space picture into space; false (reported under where).
bool LoadSpacePicture(const char* where, EngTexture* space) {
  const char* file = CardsGetTextureFileName(kSpaceKind, "CardSpace");
  if (!file) {
    DebugError(where, "Could not get card space name");
    return false;
  }
  space->Release();
  if (!space->LoadFromFile(file, 1, 7)) {
    DebugError(where, "Could not load texture");
    return false;
  }
  return true;
}

// Draws a picture file (alpha from its brightness) over the whole marker.
bool DrawOver(EngTexture* space, const char* file) {
  EngTexture picture;
  if (!picture.LoadFromFile(file, 1, 3)) return false;
  space->CopyAlphaChannelFromAnotherTexture(&picture, 0, 0, -1, -1, 0, 0, -1, -1, 1, 0);
  picture.Release();
  return true;
}

}  // namespace

bool CardsSetCardSpaceRank(EngTexture* space, int rank, bool blank) {
  const char* where = "CardsSetCardSpaceRank";
  CardsGraphics& g = CardsGetGraphics();
  if (!g.pathCB) {
    DebugError(where, "No path filename cb setup");
    return false;
  }
  if (!space) {
    DebugError(where, "Texture not specified");
    return false;
  }
  const char* letter = blank ? "Blank" : RankLetter(rank);
  if (!letter) {
    DebugError(where, "Unknown rank");
    return false;
  }
  const char* folder = g.pathCB(kLettersKind, letter);
  char file[1024];
  if (folder && folder[0]) {
    std::snprintf(file, sizeof(file), "%s\\%s.bmp", folder, letter);
  } else {
    std::snprintf(file, sizeof(file), "%s.bmp", letter);
  }
  if (!LoadSpacePicture(where, space)) return false;
  if (!DrawOver(space, file)) {
    DebugError(where, "Could not load letter texture");
    return false;
  }
  CardsApplyMaterial(space, false);
  return true;
}

bool CardsSetCardSpaceToCustomPic(bool composite, EngTexture* space, const char* file) {
  const char* where = "CardsSetCardSpaceToCustomPic";
  if (!file || !file[0]) {
    DebugError(where, "No filename");
    return false;
  }
  if (!space) {
    DebugError(where, "Texture not specified");
    return false;
  }
  if (!composite) {
    space->Release();
    if (!space->LoadFromFile(file, 1, 3)) {
      DebugError(where, "Could not load texture (2) <%s>", file);
      return false;
    }
  } else {
    if (!LoadSpacePicture(where, space)) return false;
    if (!DrawOver(space, file)) {
      DebugError(where, "Could not load texture (1) <%s>", file);
      return false;
    }
  }
  CardsApplyMaterial(space, false);
  return true;
}

bool CardsLoadCardSpace(EngTexture* space) { return CardsSetCardSpaceRank(space, 0, true); }
