// EngPixelPos.cpp - window pixels to the virtual 640 x 480 space. No state.
#include "Engine/EngPixelPos.h"

#include "Engine/EngWindow.h"

bool EngPixelPosToVirtualPos(float x, float y, float* outX, float* outY) {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  if (mode.width < 1 || mode.height < 1) return false;
  if (outX) *outX = x * 640.0f / static_cast<float>(mode.width);
  if (outY) *outY = y * 480.0f / static_cast<float>(mode.height);
  return true;
}

bool EngPixelPosToOrientedPixelPos(float x, float y, float* outX, float* outY) {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  if (mode.width < 1 || mode.height < 1) return false;
  if (outX) *outX = x;
  if (outY) *outY = y;
  return true;
}
