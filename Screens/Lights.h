// Lights.h - "Lights", the lighting of the card table: the ambient level,
// a directional or a point light, its colour (four presets or a custom
// colour) and, for the point light, one of nine places ("A" to "I") and its
// height. Options page 5 and a screen of its own; every change relights the
// table at once (in the main menu the Cameras page's preview shows it).
//
// The settings are the player's (the light-settings reference the modules
// keep, else g_UserRecord.lights); the page edits them in place.
//
// State: the screen's handles.
#pragma once

#include <cstdint>

class MWinCollection;
class MWinWindow;
struct MWinCallbackRecord;
struct LightSettings;

constexpr int kLightsNumPresetColours = 4;
constexpr int kLightsCustomColourSet = 4;
constexpr int kLightsNumPositions = 9;

MWinCollection* LightsAddCollectionToDesktop();
void LightsCreateCB();
bool LightsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void LightsClearButtonHandles();
bool LightsGetButtonHandlesNormal(const char* collection, const char* window);

void LightsControlStartingCB();
// A preset colour set writes its colour; the custom colour is shown again;
// the position and height are enabled only for the point light; the lights
// are applied.
void LightsControlUpdateCB();
// "AmbientLevel" and "Height": the lights applied.
void LightsControlApplyCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
// "CustomColour": colour set 4 selected (no callback), the lights applied.
void LightsControlCustomColourCB();
const char* LightsControlGetSystemText(int entry);
const char* LightsControlGetColourText(int entry);
const char* LightsControlGetPositionText(int entry);

// The preset colours: 0 (1, 1, 1), 1 (1, 0.9, 0.7), 2 (0.7, 0.8, 1),
// 3 (1, 0.8, 0.9).
const float* LightsGetPresetColour(int set);
// The settings the page edits.
LightSettings* LightsGetSettings();
