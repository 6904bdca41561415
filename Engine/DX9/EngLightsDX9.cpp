// EngLightsDX9.cpp - the ambient level and the three light systems (see
// EngLightsDX9.h). Every device call is skipped while no device exists; the
// settings are kept and sent by the next device's default state.
#include "Engine/DX9/EngLightsDX9.h"

#include <cfloat>
#include <cmath>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngColour.h"

namespace {

constexpr int kDirectional = 0;
constexpr int kNoSystem = -1;

struct PointLightAttributes {
  float position[3];
  D3DCOLORVALUE diffuse;
  D3DCOLORVALUE ambient;
  D3DCOLORVALUE specular;
  float attenuation[3];
  float range;  // -1: the largest range
  bool spot;
  float phi, theta;
};

// Lives for the program's run; EngLightsResetForTests_DX9 starts it afresh.
struct LightsState {
  D3DCOLOR ambient = 0;
  int system = kNoSystem;  // chosen system (0, 1, 2), none at start
  int pointCount = 0;
  int setUp = kNoSystem;   // the system last set up
  float direction[3] = {0.0f, 0.0f, 0.0f};
  D3DCOLORVALUE directionalDiffuse{};
  D3DCOLORVALUE directionalSpecular{};
  D3DCOLORVALUE directionalAmbient{};
  D3DLIGHT9 directional{};
  PointLightAttributes point[2]{};
  D3DLIGHT9 pointRecord[2]{};
};

LightsState g_lights;

IDirect3DDevice9* Dev() { return EngDeviceDX9GetD3DDevice(); }

void SendAmbient() {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngLightsSetAmbient_DX9", "SetRenderState", Dev()->SetRenderState(D3DRS_AMBIENT, g_lights.ambient));
}

// The direction source, normalised (a zero vector stays zero).
D3DVECTOR NormalisedDirection() {
  const float* d = g_lights.direction;
  const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  if (!(length > 0.0f)) return {0.0f, 0.0f, 0.0f};
  return {d[0] / length, d[1] / length, d[2] / length};
}

// The device record of point light n. Its z is negated here, the one place
// a point light turns from table space (z = height above the table) into
// device space.
void BuildPointLightRecord(int n) {
  const PointLightAttributes& a = g_lights.point[n];
  D3DLIGHT9& r = g_lights.pointRecord[n];
  r = {};
  r.Type = a.spot ? D3DLIGHT_SPOT : D3DLIGHT_POINT;
  r.Diffuse = a.diffuse;
  r.Specular = a.specular;
  r.Ambient = a.ambient;
  r.Position = {a.position[0], a.position[1], -a.position[2]};
  r.Attenuation0 = a.attenuation[0];
  r.Attenuation1 = a.attenuation[1];
  r.Attenuation2 = a.attenuation[2];
  r.Range = a.range == -1.0f ? std::sqrt(FLT_MAX) : a.range;
  if (a.spot) {
    r.Phi = a.phi;
    r.Theta = a.theta;
    r.Falloff = 1.0f;
  }
}

void SetupDirectionalLight() {
  const char* where = "EngLightsSetupDirectionalLight_DX9";
  D3DLIGHT9& r = g_lights.directional;
  r = {};
  r.Type = D3DLIGHT_DIRECTIONAL;
  r.Diffuse = g_lights.directionalDiffuse;
  r.Specular = g_lights.directionalSpecular;
  r.Ambient = g_lights.directionalAmbient;
  r.Direction = NormalisedDirection();
  if (Dev()) {
    EngUtilsDX9_CheckResult(where, "SetLight", Dev()->SetLight(0, &r));
    EngUtilsDX9_CheckResult(where, "LightEnable", Dev()->LightEnable(0, TRUE));
    EngUtilsDX9_CheckResult(where, "LightEnable", Dev()->LightEnable(1, FALSE));
  }
  g_lights.setUp = kDirectional;
}

void SetupPointLights() {
  const char* where = "EngLightsSetupPointLights_DX9";
  for (int n = g_lights.pointCount; n <= 1; ++n) {
    if (Dev()) EngUtilsDX9_CheckResult(where, "LightEnable", Dev()->LightEnable(static_cast<DWORD>(n), FALSE));
  }
  for (int n = 0; n < g_lights.pointCount; ++n) {
    BuildPointLightRecord(n);
    if (!Dev()) continue;
    EngUtilsDX9_CheckResult(where, "SetLight", Dev()->SetLight(static_cast<DWORD>(n), &g_lights.pointRecord[n]));
    EngUtilsDX9_CheckResult(where, "LightEnable", Dev()->LightEnable(static_cast<DWORD>(n), TRUE));
  }
  g_lights.setUp = g_lights.pointCount == 1 ? 1 : 2;
}

void SendPointLight(int n) {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngLightsUpdatePointLight_DX9", "SetLight",
                          Dev()->SetLight(static_cast<DWORD>(n), &g_lights.pointRecord[n]));
}

}  // namespace

void EngLightsSetAmbient_DX9(float red, float green, float blue) {
  g_lights.ambient = EngVertexBufferDX9_MakeColour(red, green, blue, 0.0f);
  SendAmbient();
}

void EngLightsSetLightSystem_DX9(int system) {
  if (system < 0 || system > 2) {
    DebugError("EngLightsSetLightSystem_DX9", "Unknown light sytem (%d)", system);
    return;
  }
  g_lights.system = system;
  g_lights.pointCount = system;
  EngLightsSetupLights_DX9();
}

void EngLightsUseDirectionalLightSystem_DX9() { EngLightsSetLightSystem_DX9(0); }
void EngLightsUsePointLightSystem_DX9() { EngLightsSetLightSystem_DX9(1); }

void EngLightsSetupLights_DX9() {
  switch (g_lights.system) {
    case kNoSystem: break;  // nothing chosen yet: the device keeps no light of ours
    case 0: SetupDirectionalLight(); break;
    case 1:
    case 2: SetupPointLights(); break;
    default: DebugError("EngLightsSetupLights_DX9", "Unknown ligh type <%d>", g_lights.system); break;
  }
  SendAmbient();
}

void EngLightsSetDirectionalLightDirection_DX9(float x, float y, float z) {
  g_lights.direction[0] = x;
  g_lights.direction[1] = y;
  g_lights.direction[2] = z;
  g_lights.directional.Direction = NormalisedDirection();
  EngLightsUpdateDirectionalLight_DX9();
}

void EngLightsSetDirectionalLightColour_DX9(const EngColour* colour) {
  if (!colour) return;
  g_lights.directionalDiffuse = {colour->r, colour->g, colour->b, 0.0f};
  g_lights.directional.Diffuse = g_lights.directionalDiffuse;
  EngLightsUpdateDirectionalLight_DX9();
}

void EngLightsUpdateDirectionalLight_DX9() {
  if (g_lights.setUp != kDirectional) {
    DebugError("EngLightsUpdateDirectionalLight_DX9", "Directional Light System not setup");
    return;
  }
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngLightsUpdateDirectionalLight_DX9", "SetLight", Dev()->SetLight(0, &g_lights.directional));
}

void EngLightsSetPointLightAttributes_DX9(int light, float diffuseRed, float diffuseGreen, float diffuseBlue,
                                         float ambientRed, float ambientGreen, float ambientBlue, float specularRed,
                                         float specularGreen, float specularBlue, float x, float y, float z,
                                         float attenuation0, float attenuation1, float attenuation2, float range) {
  // Negative numbers too: the attribute and record arrays start at light 0.
  if (light < 0 || light > 1) {
    DebugError("EngLightsSetPointLightAttributes_DX9", "Invalid parameter");
    return;
  }
  PointLightAttributes& a = g_lights.point[light];
  a.diffuse = {diffuseRed, diffuseGreen, diffuseBlue, 0.0f};
  a.ambient = {ambientRed, ambientGreen, ambientBlue, 0.0f};
  a.specular = {specularRed, specularGreen, specularBlue, 0.0f};
  a.position[0] = x;
  a.position[1] = y;
  a.position[2] = z;
  a.attenuation[0] = attenuation0;
  a.attenuation[1] = attenuation1;
  a.attenuation[2] = attenuation2;
  a.range = range;
  BuildPointLightRecord(light);
  EngLightsUpdatePointLight_DX9(light);
}

void EngLightsUpdatePointLight_DX9(int light) {
  const char* where = "EngLightsUpdatePointLight_DX9";
  if (g_lights.setUp == 1 && light > 0) {
    DebugError(where, "Dual Point Light System not setup");
    return;
  }
  if (g_lights.setUp != 1 && g_lights.setUp != 2) {
    DebugError(where, "Point Light System not setup");
    return;
  }
  if (light == -1) {
    for (int n = 0; n < g_lights.pointCount; ++n) SendPointLight(n);
    return;
  }
  if (light < 0 || light >= g_lights.pointCount) {
    DebugError(where, "Bad Point light <%d>", light);
    return;
  }
  SendPointLight(light);
}

D3DCOLOR EngLightsGetAmbient_DX9() { return g_lights.ambient; }
int EngLightsGetLightSystem_DX9() { return g_lights.system; }
int EngLightsGetLightSystemState_DX9() { return g_lights.setUp; }

bool EngLightsGetPointLightRecord_DX9(int light, D3DLIGHT9* record) {
  if (light < 0 || light > 1 || !record) return false;
  *record = g_lights.pointRecord[light];
  return true;
}

void EngLightsResetForTests_DX9() { g_lights = LightsState{}; }
