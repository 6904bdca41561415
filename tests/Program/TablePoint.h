// TablePoint.h - where a point of the table lies on the program's screen,
// for the program tests that click cards they dealt in their own process.
#pragma once

namespace playrun {

// A point of the 640 x 480 screen.
struct ScreenPoint {
  float x = 0, y = 0;
};

// A table point on the screen under camera preset 1 of a new player (the
// device's right-handed view and projection, up +z, the preset's y
// negated).
ScreenPoint ProjectTablePoint(float x, float y, float z = 0);

}  // namespace playrun
