// GenLights.cpp - the scene lights of the card table (see GenLights.h).
#include "Game/GenLights.h"

#include "Engine/EngColour.h"
#include "Engine/EngLights.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"

namespace {

const LightSettings kDefaultSettings;
const LightSettings* g_settings = nullptr;  // the player's, set by the shell
GenAppliedLights g_applied;

constexpr float kPresetPoints[9][2] = {{0, 25},   {0, 0},  {0, -20}, {-20, 25}, {-20, 0},
                                       {-20, -20}, {20, 25}, {20, 0}, {20, -20}};

void Record(int system, const float* vector, const float* colour, float ambient) {
  ++g_applied.count;
  g_applied.system = system;
  for (int i = 0; i < 3; ++i) {
    g_applied.vector[i] = vector[i];
    g_applied.colour[i] = colour[i];
  }
  g_applied.ambient = ambient;
}

}  // namespace

void GenSetLightSettings(const LightSettings* settings) { g_settings = settings; }

const LightSettings& GenGetLightSettings() { return g_settings ? *g_settings : kDefaultSettings; }

void GenGetLightPresetPoint(int positionSet, float* x, float* y) {
  const bool known = positionSet >= 0 && positionSet < 9;
  *x = known ? kPresetPoints[positionSet][0] : 0;
  *y = known ? kPresetPoints[positionSet][1] : 0;
}

void GenApplyLights() {
  const LightSettings& s = GenGetLightSettings();
  if (s.lightSystem == 1) {
    float position[3] = {0, 0, s.height};
    GenGetLightPresetPoint(s.positionSet, &position[0], &position[1]);
    EngLightsSetAmbient(s.ambient, s.ambient, s.ambient);
    EngLightsUsePointLightSystem();
    EngLightsSetPointLightAttributes(0, s.colour[0], s.colour[1], s.colour[2], 0, 0, 0, 0, 0, 0,
                                     position[0], position[1], position[2], 1, 0, 0, 400);
    Record(1, position, s.colour, s.ambient);
    return;
  }
  const bool moreFans = g_GenLive.numFans > g_GenLive.numTableaus;
  const float direction[3] = {moreFans ? 100.0f : 50.0f, moreFans ? -100.0f : 50.0f,
                              moreFans ? 150.0f : 100.0f};
  const EngColour colour = {s.colour[0], s.colour[1], s.colour[2], 1};
  EngLightsSetAmbient(s.ambient, s.ambient, s.ambient);
  EngLightsUseDirectionalLightSystem();
  EngLightsSetDirectionalLightDirection(direction[0], direction[1], direction[2]);
  EngLightsSetDirectionalLightColour(&colour);
  Record(0, direction, s.colour, s.ambient);
}

void GenUseCelebrationLight() {
  const LightSettings& s = GenGetLightSettings();
  const float position[3] = {0, 0, 150};
  EngLightsUsePointLightSystem();
  EngLightsSetPointLightAttributes(0, s.colour[0], s.colour[1], s.colour[2], 0, 0, 0, s.colour[0],
                                   s.colour[1], s.colour[2], position[0], position[1], position[2],
                                   1, 0, 0, 400);
  Record(1, position, s.colour, s.ambient);
}

const GenAppliedLights& GenGetAppliedLightsForTests() { return g_applied; }
