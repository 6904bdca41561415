// EngResModes.h - the display-mode lists: the full-screen modes of the first
// adapter (unique by width, height and bit depth, sorted by bit depth, width,
// height), each with its anti-aliasing choices, and the windowed mode (the
// desktop's). The back end fills them (Engine/DX9/EngResModesDX9.h); these
// front-ends answer the settings screens and the window's mode changes.
//
// Every query first needs the lists ("Modes not setup" and 0, false or an
// empty text otherwise), under its own name.
//
// State: the lists and the set-up flag (process-wide, rebuilt by
// EngResModesGetModesAvailable).
#pragma once

#include <cstdint>

constexpr int kEngResModesMaxModes = 512;
constexpr int kEngResModesMaxAAEntries = 20;

// One anti-aliasing choice: multisample type and quality.
struct EngResModesAAEntry {
  std::int32_t type;
  std::int32_t quality;
};

// One mode.
struct EngResModesMode {
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitDepth;
  std::int32_t format;  // D3DFORMAT
  std::int32_t numAAEntries;
  EngResModesAAEntry aaEntries[kEngResModesMaxAAEntries];
};

struct EngResModesData {
  EngResModesMode windowed;
  EngResModesMode modes[kEngResModesMaxModes];
  int count;
  bool setUp;
};

// The lists (filled by the back end).
EngResModesData& EngResModesGetData();

// Builds the lists ("Device type not set" without a main device type).
bool EngResModesGetModesAvailable();
// Replaces the mode by the closest full-screen one; *aaEntry = 0.
bool EngResModesGetClosestFullScreenModeToMode(int* width, int* height, int* bitDepth, int* aaEntry);
// The windowed details (work-area size, desktop bit depth); *aaEntry = 0.
bool EngResModesGetWindowedModeDetails(int* width, int* height, int* bitDepth, int* aaEntry);
// The full-screen mode with the least |dw| + |dh| + 10 x |d bit depth| (the
// first of equals); 0 when none beats 1,000,000.
int EngResModeGetFullscreenModeNumberFromSettings(int width, int height, int bitDepth);
// In windowed mode "Not fullscreen" and 0.
int EngResModesGetFullScreenModeNumberForCurrentFullscreenMode();
// In full screen "Not windowed" and 0; otherwise the closest full-screen mode
// to the current window's size and depth.
int EngResModesGetClosestFullScreenModeNumberToCurrentWindowedMode();
int EngResModesGetNumAAEntriesForWindowedMode();
int EngResModesGetNumAAEntriesForFullscreenMode(int modeNumber);
// The windowed entry or a table entry ("Invalid parameter" for null,
// "Unknown mode" for anything else).
int EngResModeGetNumAAEntriesForMode(const EngResModesMode* mode);
// "%d x %d x %d" in one shared buffer (overwritten by the next call); ""
// ("Bad mode num") when out of range.
const char* EngResModesGetFullScreenResModeEntryAsString(int modeNumber);
// The text of an anti-aliasing choice ("Off", "4x4", "4x4 Level 2", ...); ""
// with "Bad mode num", "Bad aa num", "Unknown mode" or "Invalid parameters".
const char* EngResModesGetAAEntryForFullscreenModeAsString(int modeNumber, int entry);
const char* EngResModesGetAAEntryForWindowedModeAsString(int entry);
const char* EngResModesGetAAEntryForModeAsString(const EngResModesMode* mode, int entry);
