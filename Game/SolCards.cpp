// SolCards.cpp - the remembered state of the card-space markers (see
// SolCards.h); nothing is drawn without card graphics.
#include "Game/SolCards.h"

namespace {

int g_foundationSpaceRank = 0;
int g_spaceCustomPic = 0;

}  // namespace

void SolCardsSetFoundationSpaceRank(int baseRank) {
  if (baseRank >= 0) g_foundationSpaceRank = baseRank;
}

int SolCardsGetFoundationSpaceRank() { return g_foundationSpaceRank; }

void SolCardsSetSpaceCustomPic(int kind) { g_spaceCustomPic = kind; }

int SolCardsGetSpaceCustomPic() { return g_spaceCustomPic; }
