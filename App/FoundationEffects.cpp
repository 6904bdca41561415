// FoundationEffects.cpp - stand-in: no particle effects yet; the calls are
// counted (see FoundationEffects.h).
#include "App/FoundationEffects.h"

#include <cstring>

namespace {

// Reset by FoundationEffectsResetForTests.
struct Added {
  int count = 0;
  float position[3] = {0, 0, 0};
  float scale[3] = {1, 1, 1};
};
Added g_added;

}  // namespace

void FoundationEffectsAdd(const float* position, const float* scale) {
  ++g_added.count;
  if (position) std::memcpy(g_added.position, position, sizeof g_added.position);
  const float unit[3] = {1, 1, 1};
  std::memcpy(g_added.scale, scale ? scale : unit, sizeof g_added.scale);
}

int FoundationEffectsGetAddedForTests(float* position, float* scale) {
  if (position) std::memcpy(position, g_added.position, sizeof g_added.position);
  if (scale) std::memcpy(scale, g_added.scale, sizeof g_added.scale);
  return g_added.count;
}

void FoundationEffectsResetForTests() { g_added = Added(); }
