// EngResModes.cpp - the display-mode list front-ends (see EngResModes.h).
#include "Engine/EngResModes.h"

#include <cstdio>
#include <cstdlib>

#include "Engine/DX9/EngResModesDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"

namespace {

EngResModesData g_data;
char g_modeText[64];

bool SetUp(const char* where) {
  if (g_data.setUp) return true;
  DebugError(where, "Modes not setup");
  return false;
}

bool Dx9() { return EngProgramGetMainDeviceType() == 1; }

}  // namespace

EngResModesData& EngResModesGetData() { return g_data; }

bool EngResModesGetModesAvailable() {
  const int type = EngProgramGetMainDeviceType();
  if (type == 0) {
    DebugError("EngResModesGetModesAvailable", "Device type not set");
    return false;
  }
  if (type == 1 && !EngResModesGetModesAvailable_DX9()) return false;
  g_data.setUp = true;
  return true;
}

bool EngResModesGetClosestFullScreenModeToMode(int* width, int* height, int* bitDepth, int* aaEntry) {
  if (!SetUp("EngResModesGetClosestFullScreenModeToMode") || !Dx9()) return false;
  if (!EngResModesGetClosestFullScreenModeToMode_DX9(width, height, bitDepth)) return false;
  if (aaEntry) *aaEntry = 0;
  return true;
}

bool EngResModesGetWindowedModeDetails(int* width, int* height, int* bitDepth, int* aaEntry) {
  if (!SetUp("EngResModesGetWindowedModeDetails") || !Dx9()) return false;
  if (!EngResModesGetWindowedModeDetails_DX9(width, height, bitDepth)) return false;
  if (aaEntry) *aaEntry = 0;
  return true;
}

int EngResModeGetFullscreenModeNumberFromSettings(int width, int height, int bitDepth) {
  if (!SetUp("EngResModeGetFullscreenModeNumberFromSettings")) return 0;
  long best = 1000000;
  int number = 0;
  for (int i = 0; i < g_data.count; ++i) {
    const EngResModesMode& m = g_data.modes[i];
    const long cost = std::labs(static_cast<long>(m.width - width)) + std::labs(static_cast<long>(m.height - height)) +
                      10L * std::labs(static_cast<long>(m.bitDepth - bitDepth));
    if (cost < best) {
      best = cost;
      number = i;
    }
  }
  return number;
}

int EngResModesGetFullScreenModeNumberForCurrentFullscreenMode() {
  const char* where = "EngResModesGetFullScreenModeNumberForCurrentFullscreenMode";
  if (!SetUp(where)) return 0;
  const EngScreenMode& mode = EngWindowGetScreenMode();
  if (mode.windowed) {
    DebugError(where, "Not fullscreen");
    return 0;
  }
  return EngResModeGetFullscreenModeNumberFromSettings(mode.width, mode.height, mode.bitDepth);
}

int EngResModesGetClosestFullScreenModeNumberToCurrentWindowedMode() {
  const char* where = "EngResModesGetClosestFullScreenModeNumberToCurrentWindowedMode";
  if (!SetUp(where)) return 0;
  const EngScreenMode& mode = EngWindowGetScreenMode();
  if (!mode.windowed) {
    DebugError(where, "Not windowed");
    return 0;
  }
  int width = mode.width, height = mode.height, bitDepth = mode.bitDepth;
  if (!EngResModesGetClosestFullScreenModeToMode(&width, &height, &bitDepth, nullptr)) {
    DebugError(where, "EngResModesGetClosestFullScreenModeToMode() failed.");
    return 0;
  }
  return EngResModeGetFullscreenModeNumberFromSettings(width, height, bitDepth);
}

int EngResModesGetNumAAEntriesForWindowedMode() {
  if (!SetUp("EngResModesGetNumAAEntriesForWindowedMode") || !Dx9()) return 0;
  return ComGlEngResModesGetNumAAEntriesForWindowedMode();
}

int EngResModesGetNumAAEntriesForFullscreenMode(int modeNumber) {
  if (!SetUp("EngResModesGetNumAAEntriesForFullscreenMode") || !Dx9()) return 0;
  return EngResModesGetNumAAEntriesForFullscreenMode_DX9(modeNumber);
}

int EngResModeGetNumAAEntriesForMode(const EngResModesMode* mode) {
  const char* where = "EngResModeGetNumAAEntriesForMode";
  if (!SetUp(where)) return 0;
  if (!mode) {
    DebugError(where, "Invalid parameter");
    return 0;
  }
  if (mode == &g_data.windowed) return EngResModesGetNumAAEntriesForWindowedMode();
  if (mode >= g_data.modes && mode < g_data.modes + g_data.count)
    return EngResModesGetNumAAEntriesForFullscreenMode(static_cast<int>(mode - g_data.modes));
  DebugError(where, "Unknown mode");
  return 0;
}

const char* EngResModesGetFullScreenResModeEntryAsString(int modeNumber) {
  const char* where = "EngResModesGetFullScreenResModeEntryAsString";
  if (!SetUp(where)) return "";
  if (modeNumber < 0 || modeNumber >= g_data.count) {
    DebugError(where, "Bad mode num");
    return "";
  }
  const EngResModesMode& m = g_data.modes[modeNumber];
  std::snprintf(g_modeText, sizeof(g_modeText), "%d x %d x %d", m.width, m.height, m.bitDepth);
  return g_modeText;
}

const char* EngResModesGetAAEntryForModeAsString(const EngResModesMode* mode, int entry) {
  const char* where = "EngResModesGetAAEntryForModeAsString";
  if (!SetUp(where) || !Dx9()) return "";
  if (!mode) {
    DebugError(where, "Invalid parameters");
    return "";
  }
  if (mode != &g_data.windowed && !(mode >= g_data.modes && mode < g_data.modes + g_data.count)) {
    DebugError(where, "Unknown mode");
    return "";
  }
  if (entry < 0 || entry >= mode->numAAEntries) {
    DebugError(where, "Bad aa num");
    return "";
  }
  return EngResModesGetAAEntryAsString_DX9(&mode->aaEntries[entry]);
}

const char* EngResModesGetAAEntryForFullscreenModeAsString(int modeNumber, int entry) {
  const char* where = "EngResModesGetAAEntryForFullscreenModeAsString";
  if (!SetUp(where)) return "";
  if (modeNumber < 0 || modeNumber >= g_data.count) {
    DebugError(where, "Bad mode num");
    return "";
  }
  return EngResModesGetAAEntryForModeAsString(&g_data.modes[modeNumber], entry);
}

const char* EngResModesGetAAEntryForWindowedModeAsString(int entry) {
  if (!SetUp("EngResModesGetAAEntryForWindowedModeAsString")) return "";
  return EngResModesGetAAEntryForModeAsString(&g_data.windowed, entry);
}
