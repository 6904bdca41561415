// Battery.h - the battery gauge: the charge of the computer's system
// battery, polled every 15 s while play runs and drawn as a small gauge in
// a corner of the table by the status drawing.
//
// The charge comes from the kernel's power supplies (Platform/PowerSupply.h):
// the first battery of the system, in energy units, else charge units, else
// its own percentage; a mains or USB supply on line means the computer is
// not running on its battery. Without a battery the info record is the
// cleared record (present 0), which the status drawing reads as "nothing to
// show".
//
// The gauge is three pieces cut from one picture (Data/Main/0138.dat): the
// terminal cap, the empty part and the filled part, horizontal (filling
// from the left, cap on the right) or vertical (filling from the bottom,
// cap on top), placed by the Display options page.
//
// State: the info record of the last update, the poll countdown, the
// gauge's placement and colour, the picture's file name and texture (made
// and freed with the game's graphics), the supplies' root folder.
#pragma once

#include <cstdint>

struct PlatformPowerState;

struct BatteryInfo {
  std::uint8_t present;  // a system battery answered
  std::uint8_t charging, discharging, critical, onLine;
  std::uint8_t timeKnown;
  std::int32_t estimatedSeconds;  // until empty; 0 when unknown
  std::uint32_t fullCapacity, currentCapacity, designedCapacity;  // mWh, mAh or percent
  std::uint8_t relativeCapacity;  // the capacities are percentages
  std::int32_t chargePercent;     // 0-100; -1 without a full capacity
  std::int32_t wearPercent;       // 0-100; -1 without a designed capacity
};

// ---- The charge ---------------------------------------------------------------------------

// The info record made from what the supplies report: the cleared record
// without a battery; capacities in milli-units (energy before charge),
// else the battery's own percentage with the relative flag and a full
// capacity of 100; the estimated time only when wanted and known.
void BatteryInfoFromPowerState(const PlatformPowerState& state, bool wantTime, BatteryInfo* info);
// Reads the supplies into info. False (and the cleared record) when no
// system battery was found.
bool BatteryGetInfo(BatteryInfo* info, bool wantTime);
// The folder the supplies are read from (a native path); null gives the
// system's again. For tests.
void BatterySetPowerSupplyRoot(const char* root);
// Refreshes the unit's info record (wantTime: also the estimated time).
void BatteryUpdate(bool wantTime);
// The record the last update filled (cleared before the first).
const BatteryInfo& BatteryGetCurrentInfo();

// The poll countdown: true when 15000 ms have passed since the last poll
// that answered true (the first call is due), and then counts again from
// nowMs; the engine's millisecond clock may wrap.
bool BatteryPollDue(unsigned nowMs);
// The next BatteryPollDue is due whatever the time (new settings show at
// once).
void BatteryResetPollCountdown();

// ---- The gauge -------------------------------------------------------------------------------

// Where the gauge stands, in the 640 x 480 space.
void BatterySetPlacement(bool vertical, float x, float y, float width, float height);
void BatteryGetPlacement(bool* vertical, float* x, float* y, float* width, float* height);
// The gauge's alpha (the colour stays white); the status blinks it when the
// charge is low.
void BatterySetAlpha(float alpha);
float BatteryGetAlpha();

// One piece of the gauge: its rectangle and its region of the picture (u0,
// v0, u1, v1).
struct BatteryGaugePiece {
  float x, y, w, h;
  float u0, v0, u1, v1;
};
// The pieces of a gauge at a charge (the fraction is clamped into 0..1, so
// an unknown charge of -1 draws an empty gauge inside its rectangle): the
// cap, then the empty part and the filled part when they are longer than 0.
// Returns the number of pieces (1 to 3).
int BatteryGaugePieces(bool vertical, float x, float y, float width, float height, int chargePercent,
                       BatteryGaugePiece pieces[3]);

// The picture's file: refused when empty, of 511 characters or more ("Filename
// too long") or missing ("File <%s> does not exist").
bool BatterySetTextureFilename(const char* name);
// Loads the picture when a name is set ("Could not load battery texture");
// true without a name.
bool BatteryCreateGraphics();
void BatteryFreeGraphics();
// Draws the gauge from the info record's charge, in 2D, with the device's
// blending state kept.
void BatteryRender();

// Back to the state at program start (tests).
void BatteryResetForTests();
