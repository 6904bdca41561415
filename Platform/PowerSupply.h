// PowerSupply.h - the computer's power supplies as the kernel lists them
// (the power_supply class in sysfs), in place of the Windows battery
// device interface.
//
// Every supply is a folder under the root (normally
// /sys/class/power_supply) holding one small text file per property:
// "type" (Battery, Mains, USB...), "scope" (System, Device), "status",
// "online", "capacity", "capacity_level", energy_* in microwatt-hours,
// charge_* in microampere-hours, "time_to_empty_now" in seconds. A file
// that is missing, empty, longer than a property can be, or not a whole
// number in range counts as absent.
//
// No state: each call reads the folders afresh.
#pragma once

#include <cstdint>
#include <string>

// What the system battery and the supplies beside it report.
struct PlatformPowerState {
  bool hasBattery = false;  // a battery of the system (not a device's) was found
  // Its energy (microwatt-hours) or charge (microampere-hours) now, when
  // full and as designed; 0 when the battery does not say. energyUnits
  // tells which of the two the numbers are.
  bool energyUnits = false;
  bool chargeUnits = false;
  std::uint64_t now = 0, full = 0, design = 0;
  // The percentage the battery gives itself (-1 when absent).
  int capacityPercent = -1;
  bool charging = false;
  bool discharging = false;
  bool critical = false;  // "capacity_level" says "Critical"
  // Seconds until empty, -1 when the battery does not say.
  long long secondsToEmpty = -1;
  // Some mains or USB supply is on line.
  bool onLine = false;
};

// The default root of the supplies.
constexpr const char* kPlatformPowerSupplyRoot = "/sys/class/power_supply";

// Reads the supplies under root (a native path): the first battery in name
// order whose scope is not "Device", and whether any "Mains" or "USB..."
// supply reports online 1. A missing root gives the empty state.
PlatformPowerState PlatformReadPowerState(const std::string& root);

// The whole number a property file holds: digits only (one trailing line
// end allowed), at most 19 of them; false otherwise (tests use it on their
// own texts).
bool PlatformParsePowerNumber(const std::string& text, std::uint64_t* value);
