// EngLights.h - the engine's lights as the platform-neutral code sees them:
// an ambient level and one light system (a directional light, or one or two
// point lights). Each call forwards unchanged to the Direct3D 9 lights
// (Engine/DX9/EngLightsDX9.h) while the main device type is 1 and does
// nothing otherwise. The settings outlive the device: a re-created device
// gets them back.
//
// Point-light positions are table positions with z the height above the
// table. No state of its own.
#pragma once

struct EngColour;

// Channels 0..1 (clamped).
void EngLightsSetAmbient(float red, float green, float blue);
// One directional light (system 0) / one point light (system 1).
void EngLightsUseDirectionalLightSystem();
void EngLightsUsePointLightSystem();
// The direction the light travels (normalised by the back end).
void EngLightsSetDirectionalLightDirection(float x, float y, float z);
// Red, green, blue of the record; null does nothing.
void EngLightsSetDirectionalLightColour(const EngColour* colour);
// Light 0 or 1: diffuse, ambient and specular colours, position (z = height
// above the table), attenuation 0, 1, 2, range (-1 = the largest).
void EngLightsSetPointLightAttributes(int light, float diffuseRed, float diffuseGreen, float diffuseBlue,
                                      float ambientRed, float ambientGreen, float ambientBlue, float specularRed,
                                      float specularGreen, float specularBlue, float x, float y, float z,
                                      float attenuation0, float attenuation1, float attenuation2, float range);
