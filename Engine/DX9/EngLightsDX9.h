// EngLightsDX9.h - the Direct3D 9 lights: an ambient level and one of three
// light systems (0 one directional light, 1 one point light, 2 two point
// lights), sent to the device at every change and again after each device
// creation (EngDeviceDX9::SetDefaultDeviceState), so a mode change or a
// re-created device keeps the player's light.
//
// Point-light positions: the game gives a light's place with z as the height
// above the table, while its card faces point to -z; one conversion
// (z negated) turns every point light into device space, whichever path
// sends it (set-up or update).
//
// State (process-wide, for the program's run): the ambient colour word, the
// chosen system and its point-light count, which system the device has set
// up, the directional light's sources and record, the two point lights'
// attributes and records. Until a system is chosen a new device gets the
// ambient level only (no light of ours).
#pragma once

#include <cstdint>

#include "Platform/D3D9Types.h"

struct EngColour;

// Channels 0..1 (clamped; NaN as 0) x 255, truncated, sent as the ambient
// render state 0x00RRGGBB.
void EngLightsSetAmbient_DX9(float red, float green, float blue);
// System 0, 1 or 2 ("Unknown light sytem (%d)" and nothing changes
// otherwise): stored, the point-light count becomes 0, 1 or 2, lights set up.
void EngLightsSetLightSystem_DX9(int system);
void EngLightsUseDirectionalLightSystem_DX9();  // system 0
void EngLightsUsePointLightSystem_DX9();        // system 1
// Sends the chosen system to the device, then the ambient level.
void EngLightsSetupLights_DX9();

// Stores the direction, normalises it into the record and updates light 0.
void EngLightsSetDirectionalLightDirection_DX9(float x, float y, float z);
// Diffuse (red, green, blue, 0), then updates light 0. Null does nothing.
void EngLightsSetDirectionalLightColour_DX9(const EngColour* colour);
// Light 0 or 1 ("Invalid parameter" for any other number). Range -1 means
// the largest range. Stores the attributes (alphas 0), rebuilds the record
// and updates the light.
void EngLightsSetPointLightAttributes_DX9(int light, float diffuseRed, float diffuseGreen, float diffuseBlue,
                                         float ambientRed, float ambientGreen, float ambientBlue, float specularRed,
                                         float specularGreen, float specularBlue, float x, float y, float z,
                                         float attenuation0, float attenuation1, float attenuation2, float range);

// Re-sends light 0 ("Directional Light System not setup" unless the device
// has the directional system).
void EngLightsUpdateDirectionalLight_DX9();
// Re-sends point light n, or every point light for -1. Refused: any system
// but a point one ("Point Light System not setup"), light 1 while one point
// light is set up ("Dual Point Light System not setup"), any other number
// outside the count ("Bad Point light <%d>").
void EngLightsUpdatePointLight_DX9(int light);

// ---- Reading back (tests, and callers that show the settings) ----
// The ambient word last set.
D3DCOLOR EngLightsGetAmbient_DX9();
// The chosen system, and which system the device has set up (-1: none yet).
int EngLightsGetLightSystem_DX9();
int EngLightsGetLightSystemState_DX9();
// The record point light n (0 or 1) is sent with (device space); false for
// another number.
bool EngLightsGetPointLightRecord_DX9(int light, D3DLIGHT9* record);
// Back to the start: nothing chosen, ambient 0, every source cleared.
void EngLightsResetForTests_DX9();
