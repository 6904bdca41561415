// EngResModesDX9.h - the Direct3D side of the display-mode lists (filling
// EngResModesData from adapter 0) and the screen dimming (one black quad
// over the whole virtual 640 x 480 screen with the darkness as alpha).
//
// State: the dimming quad and its created flag (destroyed with the device).
#pragma once

#include "Engine/EngResModes.h"

// Builds the lists: every mode of adapter 0 in the eight engine formats,
// unique by width, height and bit depth, at most 512 (the rest are dropped
// with one report), sorted by bit depth, width, height; then the desktop as
// the windowed mode. "Could not create directx object" and false without a
// Direct3D object.
bool EngResModesGetList(bool showMessage);
bool EngResModesGetModesAvailable_DX9();
// Moves the mode to the listed one with the least |dw| + |dh| + 10000 x |d
// bit depth| (the first of equals). "Invalid Parameters", "Modes not setup",
// "Could not get closest mode" (empty list) give false.
bool EngResModesGetClosestFullScreenModeToMode_DX9(int* width, int* height, int* bitDepth);
// Desktop work-area size and desktop bit depth ("Modes not setup").
bool EngResModesGetWindowedModeDetails_DX9(int* width, int* height, int* bitDepth);
int ComGlEngResModesGetNumAAEntriesForWindowedMode();
int EngResModesGetNumAAEntriesForFullscreenMode_DX9(int modeNumber);
// "(error)" for null; "Off"; "Level %d"; "%dx%d"; "%dx%d Level %d"; "?".
// One shared buffer, overwritten by the next call.
const char* EngResModesGetAAEntryAsString_DX9(const EngResModesAAEntry* entry);
const char* EngResModesGetAAEntryForWindowedModeAsString_DX9(int entry);
// Null (no text) for a bad mode number ("Invalid Mode Number %d").
const char* EngResModesGetAAEntryForFullscreenModeAsString_DX9(int modeNumber, int entry);

// Dimming.
bool EngDimCreateVertexBuffer_DX9();
// Only while a device exists; darkness clamped to 0..1; blending type 0
// around the draw, the caller's blending restored.
void EngDimDraw_DX9(float darkness);
void EngDimSetDarkness_DX9(float darkness);
void EngDimDestroy_DX9();
