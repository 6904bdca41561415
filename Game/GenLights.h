// GenLights.h - the scene lights of the card table.
//
// The player's light settings (ambient level, point or directional light,
// colour, position and height) live in the player's options; the shell keeps
// a reference to them (GenSetLightSettings) and turns them into the
// engine's lights. Without a graphics device the engine's light calls do
// nothing, so applying lights headless changes nothing but the record of
// what was asked (GenGetAppliedLightsForTests).
#pragma once

struct LightSettings;

// The settings the lights are made from; null falls back to the defaults
// above.
void GenSetLightSettings(const LightSettings* settings);
const LightSettings& GenGetLightSettings();

// The table point (x, y) above which the point light stands for a position
// set: 0 (0, 25), 1 (0, 0), 2 (0, -20), 3 (-20, 25), 4 (-20, 0),
// 5 (-20, -20), 6 (20, 25), 7 (20, 0), 8 (20, -20), any other (0, 0).
void GenGetLightPresetPoint(int positionSet, float* x, float* y);

// Ambient level on all three channels; then, with the point light chosen,
// one point light of the settings' colour, range 400, at the settings'
// height above the preset point; otherwise a directional light of that
// colour along (50, 50, 100) when the variant has no more fans than
// tableaus, else along (100, -100, 150).
void GenApplyLights();

// The celebration's light: one point light of the settings' colour (also
// its specular colour), no ambient colour, at (0, 0, 150), attenuation
// (1, 0, 0), range 400.
void GenUseCelebrationLight();

// What the last GenApplyLights or GenUseCelebrationLight asked for (tests): system 0 directional /
// 1 point, the position or direction, the colour and the ambient level.
struct GenAppliedLights {
  int count = 0;
  int system = -1;
  float vector[3] = {};
  float colour[3] = {};
  float ambient = 0;
};
const GenAppliedLights& GenGetAppliedLightsForTests();
