// CardsRender.cpp - card drawing without graphics: the face mode is kept,
// nothing is drawn (see CardsRender.h).
#include "Game/CardsRender.h"

namespace {

// Face mode: true while every card is drawn face down (pause).
bool g_allFacesHidden = false;

}  // namespace

void CardsApplyMaterialsToAll() {}

void CardsRenderCard(CardGroup*, int, Card*) {}

bool CardsGraphicsExist() { return false; }

void CardsHideAllFaces() { g_allFacesHidden = true; }
void CardsShowFacesNormally() { g_allFacesHidden = false; }
bool CardsAreAllFacesHidden() { return g_allFacesHidden; }
