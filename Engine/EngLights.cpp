// EngLights.cpp - the light front-end: forwards to the Direct3D 9 lights
// while the main device type is 1.
#include "Engine/EngLights.h"

#include "Engine/DX9/EngLightsDX9.h"
#include "Engine/EngProgram.h"

namespace {

bool Direct3D() { return EngProgramGetMainDeviceType() == 1; }

}  // namespace

void EngLightsSetAmbient(float red, float green, float blue) {
  if (Direct3D()) EngLightsSetAmbient_DX9(red, green, blue);
}

void EngLightsUseDirectionalLightSystem() {
  if (Direct3D()) EngLightsUseDirectionalLightSystem_DX9();
}

void EngLightsUsePointLightSystem() {
  if (Direct3D()) EngLightsUsePointLightSystem_DX9();
}

void EngLightsSetDirectionalLightDirection(float x, float y, float z) {
  if (Direct3D()) EngLightsSetDirectionalLightDirection_DX9(x, y, z);
}

void EngLightsSetDirectionalLightColour(const EngColour* colour) {
  if (Direct3D()) EngLightsSetDirectionalLightColour_DX9(colour);
}

void EngLightsSetPointLightAttributes(int light, float diffuseRed, float diffuseGreen, float diffuseBlue,
                                      float ambientRed, float ambientGreen, float ambientBlue, float specularRed,
                                      float specularGreen, float specularBlue, float x, float y, float z,
                                      float attenuation0, float attenuation1, float attenuation2, float range) {
  if (!Direct3D()) return;
  EngLightsSetPointLightAttributes_DX9(light, diffuseRed, diffuseGreen, diffuseBlue, ambientRed, ambientGreen,
                                      ambientBlue, specularRed, specularGreen, specularBlue, x, y, z, attenuation0,
                                      attenuation1, attenuation2, range);
}
