// GenRender.cpp - the drawing of the piles (see GenRender.h).
#include "Game/GenRender.h"

#include <cstdio>

#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Game/CardsRender.h"
#include "Game/GameState.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"

namespace {

// The count the deck text was formatted for, and the text.
int g_lastDeckCount = -1;
char g_deckCountText[16] = {};

// The deck's card count over its top card, in the game font laid flat on
// the card: a dark copy a little down and right, then the light one.
void DrawDeckCount(CardGroup& deck) {
  EngDevice* device = EngDeviceGetCurrent();
  EngFont* font = GameGetFont();
  if (!device || !font->IsValid()) return;
  if (deck.numCards != g_lastDeckCount) {
    g_lastDeckCount = deck.numCards;
    std::snprintf(g_deckCountText, sizeof(g_deckCountText), "%d", deck.numCards);
  }
  const Card& top = deck.cards[deck.numCards - 1];
  CardsEndBlending();
  device->SetWorldTranslation(deck.pos[0] + top.pos[0], deck.pos[1] + top.pos[1],
                              deck.pos[2] + top.pos[2]);
  device->DisableLighting();
  float ratioX = 1, ratioY = 1;
  font->GetRatio(&ratioX, &ratioY);
  EngFontPrepareForDrawingIn3D();
  font->SetRatio(0.08f, 0.12f);
  font->SetColour(0, 0, 0, 0.8f);
  font->DrawStringAligned(0.1f, 0.8f, 1, 0, g_deckCountText, false);
  font->SetColour(1, 1, 1, 0.6f);
  font->DrawStringAligned(0, 0.9f, 1, 0, g_deckCountText, false);
  EngFontRestoreAfterDrawing();
  font->SetRatio(ratioX, ratioY);
  device->EnableLighting();
  CardsBeginBlending();
}

}  // namespace

void GenRenderPiles() {
  Gen& g = g_GenLive;
  if (!g.ready) return;
  if (g.deckInUse) {
    CardsRenderGroup(&g.deck);
    if (g_UserRecord.deckCount && g.deck.numCards > 0 && !g.deck.cards[0].faceUp) {
      DrawDeckCount(g.deck);
    }
  }
  if (g.wasteInUse) CardsRenderGroup(&g.waste);
  for (int i = 0; i < g.numCells && i < kGenMaxCells; ++i) CardsRenderGroup(&g.cells[i]);
  for (int i = 0; i < g.numFoundations && i < kGenMaxFoundations; ++i) {
    CardsRenderGroup(&g.foundations[i]);
  }
  for (int i = 0; i < g.numFans && i < kGenMaxFans; ++i) CardsRenderGroup(&g.fans[i]);
  for (int i = 0; i < g.numTableaus && i < kGenMaxTableaus; ++i) CardsRenderGroup(&g.tableaus[i]);
  if (g.reservesInUse) {
    for (int i = 0; i < g.numReserves && i < kGenMaxReserves; ++i) {
      CardsRenderGroup(&g.reserves[i]);
    }
  }
  // The carried cards cast their shadows down and right onto the table.
  CardGroup& selection = g.selection;
  if (selection.numCards > 0) {
    const float pos[3] = {selection.pos[0], selection.pos[1], selection.pos[2]};
    const float shadowPos[3] = {pos[0] + 1.0f, pos[1] - 1.5f, pos[2]};
    selection.SetPositionAndSwing(shadowPos, selection.swing);
    CardsRenderGroupShadows(&selection);
    selection.SetPositionAndSwing(pos, selection.swing);
    CardsRenderGroup(&selection);
  }
  GameFramesNoteSelectionDrawn();
  if (GenCurGameDef().drawOverPiles) GenCurGameDef().drawOverPiles();
}
