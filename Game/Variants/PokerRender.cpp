// PokerRender.cpp - the poker games' scores on the table: the value of each
// row and column beside the 5 x 5 square, and the total once the game is
// over, in the game font laid flat on the table.
//
// State: the three phases of the total's colour pulse (whole run).
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngFrames.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Game/CardsRender.h"
#include "Game/GameImports.h"
#include "Game/GameState.h"
#include "Game/GenRecord.h"
#include "Game/GenSetups.h"
#include "Game/Variants/Poker.h"

namespace {

constexpr float kValueAlpha = 0.9f;
constexpr float kValueGrey = 0.8f;
constexpr float kTotalRatio = 0.4f;
constexpr float kTotalAlpha = 0.5f;
// How fast each colour component of the total pulses (per frame time).
constexpr float kPulseRates[3] = {1.0f, 1.75f, 2.5f};

float g_pulsePhase[3] = {0, 0, 0};

// A text and its shadow: the shadow first, moved by the offset, in black.
void DrawWithShadow(EngFont* font, const PokerScoreTexts& t, float x, float y, const char* text,
                    const float colour[4], float shadowAlpha) {
  font->SetColour(0, 0, 0, shadowAlpha);
  font->DrawStringAligned(x + t.shadowX, y + t.shadowY, 1, 0, text, false);
  font->SetColour(colour[0], colour[1], colour[2], colour[3]);
  font->DrawStringAligned(x, y, 1, 0, text, false);
}

}  // namespace

void PokerSquareRenderScores() {
  EngDevice* device = EngDeviceGetCurrent();
  EngFont* font = GameGetFont();
  if (!device || !font || !font->IsValid() || !g_GenLive.ready) return;
  const PokerScoreTexts& t = PokerGetScoreTexts();
  CardsEndBlending();
  device->SetWorldMatrixToIdentity();
  device->DisableLighting();
  float ratioX = 1, ratioY = 1;
  font->GetRatio(&ratioX, &ratioY);
  EngFontPrepareForDrawingIn3D();
  font->SetRatio(t.ratioX, t.ratioY);
  const float grey[4] = {kValueGrey, kValueGrey, kValueGrey, kValueAlpha};
  for (int i = 0; i < 10; ++i) DrawWithShadow(font, t, t.x[i], t.y[i], t.text[i], grey, kValueAlpha);
  if (g_GenLive.gameOver) {
    const float step = EngProgramGetFrameTime();
    float colour[4] = {0, 0, 0, kTotalAlpha};
    for (int c = 0; c < 3; ++c) {
      colour[c] = 0.5f + 0.5f * EngMiscPulse(&g_pulsePhase[c], step * kPulseRates[c]);
    }
    EngFramesRequestDraw();  // the total pulses on
    font->SetRatio(kTotalRatio, kTotalRatio);
    DrawWithShadow(font, t, t.totalX, t.totalY, g_GameImports.ScoreGetScoreText(), colour,
                   kTotalAlpha);
  }
  EngFontRestoreAfterDrawing();
  font->SetRatio(ratioX, ratioY);
  device->EnableLighting();
  CardsBeginBlending();
}
