// PowerSupply.cpp - reading the power supplies from sysfs (see
// PowerSupply.h).
#include "Platform/PowerSupply.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// Property files are a few bytes; anything longer is not one.
constexpr std::size_t kMaxPropertySize = 64;

// The file's text without its trailing line end; empty when it cannot be
// read or is too long to be a property.
std::string ReadProperty(const std::filesystem::path& folder, const char* name) {
  std::FILE* file = std::fopen((folder / name).c_str(), "rb");
  if (!file) return {};
  char buffer[kMaxPropertySize + 1];
  const std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
  std::fclose(file);
  if (n > kMaxPropertySize) return {};
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

bool ReadNumber(const std::filesystem::path& folder, const char* name, std::uint64_t* value) {
  return PlatformParsePowerNumber(ReadProperty(folder, name), value);
}

bool IsLineSupply(const std::string& type) { return type == "Mains" || type.rfind("USB", 0) == 0; }

void ReadBattery(const std::filesystem::path& folder, PlatformPowerState* state) {
  state->hasBattery = true;
  std::uint64_t now = 0, full = 0, design = 0;
  if (ReadNumber(folder, "energy_now", &now) && ReadNumber(folder, "energy_full", &full)) {
    state->energyUnits = true;
    ReadNumber(folder, "energy_full_design", &design);
  } else if (ReadNumber(folder, "charge_now", &now) && ReadNumber(folder, "charge_full", &full)) {
    state->chargeUnits = true;
    ReadNumber(folder, "charge_full_design", &design);
  } else {
    now = full = design = 0;
  }
  state->now = now;
  state->full = full;
  state->design = design;
  std::uint64_t capacity = 0;
  if (ReadNumber(folder, "capacity", &capacity) && capacity <= 1000) {
    state->capacityPercent = static_cast<int>(capacity);
  }
  const std::string status = ReadProperty(folder, "status");
  state->charging = status == "Charging";
  state->discharging = status == "Discharging";
  state->critical = ReadProperty(folder, "capacity_level") == "Critical";
  std::uint64_t seconds = 0;
  if (ReadNumber(folder, "time_to_empty_now", &seconds) && seconds <= 0x7fffffffULL) {
    state->secondsToEmpty = static_cast<long long>(seconds);
  }
}

}  // namespace

bool PlatformParsePowerNumber(const std::string& text, std::uint64_t* value) {
  std::string digits = text;
  if (!digits.empty() && digits.back() == '\n') digits.pop_back();
  if (digits.empty() || digits.size() > 19) return false;
  std::uint64_t result = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value) *value = result;
  return true;
}

PlatformPowerState PlatformReadPowerState(const std::string& root) {
  PlatformPowerState state;
  std::error_code error;
  std::vector<std::filesystem::path> supplies;
  for (std::filesystem::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    supplies.push_back(it->path());
  }
  std::sort(supplies.begin(), supplies.end());
  for (const std::filesystem::path& folder : supplies) {
    const std::string type = ReadProperty(folder, "type");
    if (type == "Battery") {
      if (state.hasBattery || ReadProperty(folder, "scope") == "Device") continue;
      ReadBattery(folder, &state);
    } else if (IsLineSupply(type)) {
      std::uint64_t online = 0;
      if (ReadNumber(folder, "online", &online) && online != 0) state.onLine = true;
    }
  }
  return state;
}
