// EngFontLocal.h - what the font files share between the engine side and
// the Direct3D 9 side: the text render state and the device steps of
// preparing, drawing and restoring. Not for other units.
#pragma once

#include "Engine/EngFont.h"

// The text render state, shared by every font; reset by
// EngFontResetTextStateForTests (a fresh run starts so).
struct EngFontTextState {
  bool alphaModulationSwitchedHere = false;  // diffuse alpha modulation turned on by preparing
  bool lightingSwitchedHere = false;         // lighting turned on by preparing
  bool prepared = false;
  int preparedMode = 0;                      // 0 screen pixels, 1 virtual 640 x 480, 2 3D
  bool twoDEnteredHere = false;              // the device's 2D mode entered by preparing
  bool saved = false;                        // EngFontSaveAndUnPrepare... holds a state
  bool savedPrepared = false;
  int savedMode = 0;
  int trackIndex = -1;                       // character whose x DrawString records
  float trackedX = 0.0f;
};

// ---- Direct3D 9 steps (Engine/DX9/EngFontDX9.cpp) -----------------------------
// True when a graphics device exists to draw with.
bool EngFontGraphicsDeviceExists_DX9();
// Prepares the device for text in a mode (0, 1: 2D with an orthographic
// projection; 2: 3D, matrices untouched) and records it in state.
void EngFontPrepareDevice_DX9(int mode, EngFontTextState* state);
// Undoes EngFontPrepareDevice_DX9.
void EngFontRestoreDevice_DX9(EngFontTextState* state);
// The checks before drawing a string: a scene open ("Scene not on"), the 2D
// mode unless prepared for 3D ("2D Not setup"), a prepared state ("Not ready
// for drawings"), all under "EngFont::DrawString".
bool EngFontReadyToDraw_DX9(const EngFontTextState& state);
// The text colour as the device material (emissive colour, diffuse alpha);
// back to the default material.
void EngFontSetTextMaterial_DX9(const float* rgba);
void EngFontSetDefaultMaterial_DX9();
// The height of the screen in pixels (mode 0's space).
float EngFontScreenHeight();
