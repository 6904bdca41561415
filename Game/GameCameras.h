// GameCameras.h - the camera presets of the table view and the near view.
//
// A preset is eight floats: the look-at point, the eye's offsets from it
// across and up the table, its distance above the table, the field of view
// in degrees and the aspect. Twelve presets live in the player's options
// (0-9 chosen with keys 0-9, 10 the main-menu view, 11 the view of the
// celebration's flying cards); they are applied to the device here. The
// table lies in the plane z = 0 with the y axis of the presets pointing the
// other way (look-at y is negated), and the view's up vector is +z.
//
// State: the near-view flag (near and far planes 10 / 300, or 0.001 / 1000
// while a celebration flies cards close to the eye). The presets themselves
// belong to the player's record (Game/UserRecord.h: CameraPreset).
#pragma once

#include "Game/UserRecord.h"

constexpr int kGameNumCameraPresets = kCameraPresetCount;
constexpr int kGameCameraMainMenu = 10;
constexpr int kGameCameraFlyingCards = 11;

// The factory value of preset n (0-11); null outside.
const CameraPreset* GameCamerasGetDefault(int n);
// Writes the defaults of preset n into the player's presets, or of all
// twelve when n < 0. Numbers above 11 change nothing.
void GameCamerasSetDefaults(int n);
// Applies preset n (n < 0: the player's current preset) when its field of
// view and aspect are both above 0: look-at (x, -y, z), eye (x - offsetX,
// -y - offsetY, z + distance), field of view and aspect to the device; the
// view is set only while a device exists. False when nothing was applied.
bool GameCameraApplyPreset(int n);
// Near and far planes 10 / 300 (flag 0) or 0.001 / 1000 (flag 1); a
// negative flag keeps the current choice. Then the current preset.
void GameSetNearView(int flag);
int GameGetNearView();
// Sets the clear colour: the board's first background colour in play when
// the background is a plain colour, else black.
void GameUpdateBackgroundColour();
// Applies the camera, re-lays out the scene (the menu's card circle in the
// main menu) and updates the clear colour.
void GameApplyCameraAndRefreshScene();
// The near view back to 10 / 300 without touching the device (tests).
void GameCamerasResetForTests();
