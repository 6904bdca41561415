// Battery.cpp - the battery gauge (see Battery.h).
#include "App/Battery.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngMath.h"
#include "Engine/EngTexture.h"
#include "Platform/PowerSupply.h"

namespace {

constexpr unsigned kPollMs = 15000;
constexpr int kMaxFileName = 511;

// Loaded with the file's own alpha from a TGA picture.
constexpr int kWithAlpha = 1;
constexpr int kAlphaFromFile = 2;
constexpr int kDatIsTga = 2;

// The unit's state for the run; the texture is made and freed with the
// game's graphics.
struct BatteryState {
  BatteryInfo info = {};
  std::string root = kPlatformPowerSupplyRoot;
  bool pollDue = true;
  unsigned nextPollMs = 0;
  bool vertical = false;
  float x = 300, y = 463, w = 40, h = 14;
  float colour[4] = {1, 1, 1, 0.3f};
  char fileName[kMaxFileName + 1] = {};
};

BatteryState& State() {
  static BatteryState state;
  return state;
}

EngTexture& Texture() {
  static EngTexture texture;
  return texture;
}

std::uint32_t MilliUnits(std::uint64_t microUnits) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(microUnits / 1000, 0xffffffffULL));
}

int Percent(double part, double whole) {
  return std::clamp(EngMathRoundDouble(part * 100.0 / whole), 0, 100);
}

}  // namespace

// ---- The charge -------------------------------------------------------------------------------

void BatteryInfoFromPowerState(const PlatformPowerState& state, bool wantTime, BatteryInfo* info) {
  if (!info) return;
  *info = BatteryInfo{};
  if (!state.hasBattery) return;
  if (state.energyUnits || state.chargeUnits) {
    info->currentCapacity = MilliUnits(state.now);
    info->fullCapacity = MilliUnits(state.full);
    info->designedCapacity = MilliUnits(state.design);
  } else if (state.capacityPercent >= 0) {
    info->relativeCapacity = 1;
    info->currentCapacity = static_cast<std::uint32_t>(state.capacityPercent);
    info->fullCapacity = 100;
  }
  info->chargePercent = info->fullCapacity == 0 ? -1 : Percent(info->currentCapacity, info->fullCapacity);
  info->wearPercent = info->designedCapacity == 0
                          ? -1
                          : 100 - Percent(info->fullCapacity, info->designedCapacity);
  info->charging = state.charging ? 1 : 0;
  info->discharging = state.discharging ? 1 : 0;
  info->critical = state.critical ? 1 : 0;
  info->onLine = state.onLine ? 1 : 0;
  if (wantTime && state.secondsToEmpty >= 0) {
    info->timeKnown = 1;
    info->estimatedSeconds = static_cast<std::int32_t>(state.secondsToEmpty);
  }
  info->present = 1;
}

bool BatteryGetInfo(BatteryInfo* info, bool wantTime) {
  if (!info) return false;
  BatteryInfoFromPowerState(PlatformReadPowerState(State().root), wantTime, info);
  return info->present != 0;
}

void BatterySetPowerSupplyRoot(const char* root) {
  State().root = root ? root : kPlatformPowerSupplyRoot;
}

void BatteryUpdate(bool wantTime) { BatteryGetInfo(&State().info, wantTime); }

const BatteryInfo& BatteryGetCurrentInfo() { return State().info; }

bool BatteryPollDue(unsigned nowMs) {
  BatteryState& s = State();
  // The difference, not "now >= next": the clock wraps after 49.7 days.
  if (!s.pollDue && static_cast<int>(nowMs - s.nextPollMs) < 0) return false;
  s.pollDue = false;
  s.nextPollMs = nowMs + kPollMs;
  return true;
}

void BatteryResetPollCountdown() { State().pollDue = true; }

// ---- The gauge --------------------------------------------------------------------------------

void BatterySetPlacement(bool vertical, float x, float y, float width, float height) {
  BatteryState& s = State();
  s.vertical = vertical;
  s.x = x;
  s.y = y;
  s.w = width;
  s.h = height;
}

void BatteryGetPlacement(bool* vertical, float* x, float* y, float* width, float* height) {
  const BatteryState& s = State();
  if (vertical) *vertical = s.vertical;
  if (x) *x = s.x;
  if (y) *y = s.y;
  if (width) *width = s.w;
  if (height) *height = s.h;
}

void BatterySetAlpha(float alpha) { State().colour[3] = alpha; }
float BatteryGetAlpha() { return State().colour[3]; }

int BatteryGaugePieces(bool vertical, float x, float y, float width, float height, int chargePercent,
                       BatteryGaugePiece pieces[3]) {
  // An unknown charge (-1) would make the empty part longer than the gauge.
  const float f = std::clamp(static_cast<float>(chargePercent) * 0.01f, 0.0f, 1.0f);
  int n = 0;
  if (!vertical) {
    const float cap = 0.075f * width;
    const float body = width - cap;
    const float empty = (1.0f - f) * body;
    const float filled = f * body;
    pieces[n++] = {x + width - cap, y, cap, height, 0.46f, 0.51f, 0.5f, 0.74f};
    if (empty > 0) {
      const float u0 = filled > 1 ? 0.278f : 0.244f;
      pieces[n++] = {x + width - cap - empty, y, empty, height, u0, 0.51f, 0.46f, 0.74f};
    }
    if (filled > 0) pieces[n++] = {x, y, filled, height, 0.0f, 0.51f, 0.25f, 0.74f};
  } else {
    const float cap = 0.1f * height;
    const float body = height - cap;
    const float empty = (1.0f - f) * body;
    const float filled = f * body;
    pieces[n++] = {x, y, width, cap, 0.005f, 0.0f, 0.245f, 0.04f};
    if (empty > 0) {
      const float v1 = filled > 1 ? 0.2f : 0.244f;
      pieces[n++] = {x, y + cap, width, empty, 0.005f, 0.04f, 0.245f, v1};
    }
    if (filled > 0) pieces[n++] = {x, y + cap + empty, width, filled, 0.005f, 0.31f, 0.245f, 0.5f};
  }
  return n;
}

bool BatterySetTextureFilename(const char* name) {
  const char* where = "BatterySetTextureFilename";
  if (!name || !*name) {
    DebugError(where, "No filename");
    return false;
  }
  if (std::strlen(name) >= static_cast<std::size_t>(kMaxFileName)) {
    DebugError(where, "Filename too long");
    return false;
  }
  if (!EngFileExists(name)) {
    DebugError(where, "File <%s> does not exist", name);
    return false;
  }
  std::strcpy(State().fileName, name);
  return true;
}

bool BatteryCreateGraphics() {
  const BatteryState& s = State();
  if (!*s.fileName) return true;
  if (!Texture().LoadFromFileUsingExt(s.fileName, kWithAlpha, kAlphaFromFile, kDatIsTga)) {
    DebugError("BatteryCreateGraphics", "Could not load battery texture");
    return false;
  }
  return true;
}

void BatteryFreeGraphics() { Texture().Release(); }

void BatteryRender() {
  EngDevice* device = EngDeviceGetCurrent();
  EngTexture& texture = Texture();
  if (!device || !texture.IsLoaded()) return;
  const BatteryState& s = State();
  BatteryGaugePiece pieces[3];
  const int n = BatteryGaugePieces(s.vertical, s.x, s.y, s.w, s.h, s.info.chargePercent, pieces);
  device->SaveOrRestoreBlendingState(true);
  device->PrepareFor2D(true);
  device->EnableBlendingType(0);
  for (int i = 0; i < n; ++i) {
    const BatteryGaugePiece& p = pieces[i];
    texture.PositionRatioed(p.x, p.y, p.w, p.h);
    texture.DrawWithTextureCoordinatesAndColour(p.u0, p.v0, p.u1, p.v1, s.colour[0], s.colour[1],
                                                s.colour[2], s.colour[3]);
  }
  device->RestoreAfter2D();
  device->SaveOrRestoreBlendingState(false);
}

void BatteryResetForTests() {
  BatteryState& s = State();
  s = BatteryState{};
  Texture().Release();
}
