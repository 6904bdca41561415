// EngPixelPos.h - mouse positions in window pixels to the virtual 640 x 480
// space, from the current screen mode (EngWindowGetScreenMode). No state.
#pragma once

// x x 640 / width and y x 480 / height into the optional outputs; false (and
// nothing written) when the width or height is below 1.
bool EngPixelPosToVirtualPos(float x, float y, float* outX, float* outY);
// The position unchanged (there is one screen orientation); false when the
// width or height is below 1.
bool EngPixelPosToOrientedPixelPos(float x, float y, float* outX, float* outY);
