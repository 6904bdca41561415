// CardsSettings.cpp - the card module's settings record and its setters.
#include "Game/CardsSettings.h"

#include "Game/CardsRender.h"

namespace {

CardsSettingsRecord g_settings;
const float kDefaultSpeedScale = 1.0f;

}  // namespace

const CardsSettingsRecord& CardsGetSettings() { return g_settings; }

void CardsSetCardSize(float width, float height, float depth, float modelX, float modelY,
                      float modelZ) {
  if (width > 0) g_settings.width = width;
  if (height > 0) g_settings.height = height;
  if (depth > 0) g_settings.depth = depth;
  if (modelX > 0) g_settings.modelScale[0] = modelX;
  if (modelY > 0) g_settings.modelScale[1] = modelY;
  if (modelZ > 0) g_settings.modelScale[2] = modelZ;
  g_settings.halfWidth = g_settings.width * 0.5f;
  g_settings.halfHeight = g_settings.height * 0.5f;
  g_settings.halfDepth = g_settings.depth * 0.5f;
  CardsApplyMaterialsToAll();
}

float CardsGetCardWidth() { return g_settings.width; }
float CardsGetCardHeight() { return g_settings.height; }

void CardsSetSpacingVariation(float horizontal, float vertical) {
  g_settings.horizontalVariation = (horizontal > 0 && horizontal < 1) ? horizontal : 0;
  g_settings.verticalVariation = (vertical > 0 && vertical < 1) ? vertical : 0;
}

void CardsSetDefaultColumnBottom(bool on, float y) {
  g_settings.defaultColumnBottomOn = on;
  if (on) g_settings.defaultColumnBottomY = y;
}

void CardsSetGroupSetupCB(CardsGroupSetupCB callback) { g_settings.groupSetupCB = callback; }
void CardsSetCardSoundCB(CardsCardSoundCB callback) { g_settings.cardSoundCB = callback; }

void CardsSetAnimSpeedScalePtr(const float* scale) { g_settings.animSpeedScale = scale; }

float CardsGetAnimSpeedScale() {
  return g_settings.animSpeedScale ? *g_settings.animSpeedScale : kDefaultSpeedScale;
}

void CardsSetAnimTimedRate(float cardsPerSecond) { g_settings.animTimedRate = cardsPerSecond; }

void CardsInit() { CardsShowFacesNormally(); }

void CardsResetSettingsForTests() { g_settings = CardsSettingsRecord(); }
