// EngColour.h - the colour record the engine's "from record" setters take:
// red, green, blue, alpha as floats 0..1. No state.
#pragma once

struct EngColour {
  float r;
  float g;
  float b;
  float a;
};
