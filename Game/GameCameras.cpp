// GameCameras.cpp - camera presets, the near view, the scene refresh and the
// clear colour (see GameCameras.h).
#include "Game/GameCameras.h"

#include "Engine/EngDevice.h"
#include "Game/Decks/Sets.h"
#include "Game/GameImports.h"
#include "Game/GameState.h"
#include "Game/GenLights.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"

namespace {

int g_nearView = 0;  // 0 planes 10 / 300, 1 planes 0.001 / 1000

// The factory presets: 0-9 the player's, 10 the main menu, 11 the
// celebration's flying cards.
constexpr CameraPreset kDefaultPresets[kGameNumCameraPresets] = {
    {0, -4.85981f, -100, 0, 0.0001f, 215.92625f, 30, 0.99882f},
    {0, -1.31589f, 12.14954f, 0, 16.82251f, 100.23923f, 30, 1.05113f},
    {0, -0.89533f, 6.36364f, 0, 27.10287f, 100.7944f, 30, 1.11405f},
    {0, 3.31028f, 13.5514f, 0, 32.71035f, 87.24299f, 30, 1.17989f},
    {0, 9.71869f, 14.95327f, 0, 42.05613f, 66.91589f, 30, 1.38743f},
    {0, -4.85981f, -100, 0, 0.0001f, 209.20561f, 30, 0.97528f},
    {0, -9.48598f, -27.10281f, 0, 34.57951f, 123.611f, 30, 1.10697f},
    {0, 0.60748f, 3.73832f, 0, 42.05613f, 66.91589f, 30, 1.38681f},
    {0, 3.6514f, 12.14954f, 0, 38.31782f, 91.30841f, 30, 1.17282f},
    {0, -2.13645f, -4.6729f, 0, 58.87854f, 76.40187f, 30, 1.60081f},
    {0, 3.9514f, 12.14954f, 0, 38.31782f, 85.30841f, 30, 1.21f},
    {0, 0, -100, 0, 0.0001f, 204.16672f, 31.1f, 0.98331f},
};

}  // namespace

const CameraPreset* GameCamerasGetDefault(int n) {
  if (n < 0 || n >= kGameNumCameraPresets) return nullptr;
  return &kDefaultPresets[n];
}

void GameCamerasSetDefaults(int n) {
  if (n >= kGameNumCameraPresets) return;
  if (n < 0) {
    for (int i = 0; i < kGameNumCameraPresets; ++i) g_UserRecord.cameras[i] = kDefaultPresets[i];
    return;
  }
  g_UserRecord.cameras[n] = kDefaultPresets[n];
}

bool GameCameraApplyPreset(int n) {
  if (n < 0) n = g_UserRecord.currentCamera;
  if (n < 0 || n >= kGameNumCameraPresets) return false;
  const CameraPreset& p = g_UserRecord.cameras[n];
  if (!(p.fieldOfView > 0 && p.aspect > 0)) return false;
  EngDevice* device = EngDeviceGetCurrent();
  if (!device) return false;
  const float target[3] = {p.lookX, -p.lookY, p.lookZ};
  const float eye[3] = {p.lookX - p.eyeOffsetX, -p.lookY - p.eyeOffsetY, p.lookZ + p.distance};
  device->SetPerspectiveFieldOfView(p.fieldOfView, false);
  device->SetPerspectiveAspect(p.aspect, true);
  device->SetViewLookAt(eye, target);
  return true;
}

void GameSetNearView(int flag) {
  if (flag >= 0) g_nearView = flag ? 1 : 0;
  if (EngDevice* device = EngDeviceGetCurrent()) {
    if (g_nearView) {
      device->SetPerspectiveNearFar(0.001f, 1000.0f, true);
    } else {
      device->SetPerspectiveNearFar(10.0f, 300.0f, true);
    }
  }
  GameCameraApplyPreset(-1);
}

int GameGetNearView() { return g_nearView; }

void GameCamerasResetForTests() { g_nearView = 0; }

void GameUpdateBackgroundColour() {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device) return;
  float rgb[3] = {0, 0, 0};
  if (GameGetProgramMode() == kGameModePlaying && BoardGetBackgroundType() == 0) {
    BoardGetBackgroundColour(rgb);
  }
  device->SetClearColour(rgb[0], rgb[1], rgb[2]);
}

void GameApplyCameraAndRefreshScene() {
  if (GameGetProgramMode() == kGameModeMainMenu) {
    GameCameraApplyPreset(kGameCameraMainMenu);
    g_GameImports.MainStartMenuCardAnim(false);
  } else {
    GameCameraApplyPreset(-1);
    if (g_GenLive.ready) GenApplyLights();
  }
  GameUpdateBackgroundColour();
}
