// System.h - the Options screen's page 8: window or full screen, the
// full-screen resolution and the anti-aliasing. Nothing changes until
// "Change"; then the new mode goes to the engine, which re-creates the
// device on its next pass.
//
// The lists come from the engine's display modes (EngResModes): one
// full-screen mode under a plain X server, none with SDL's dummy driver.
// Without full-screen modes the page offers the window alone: "Full
// screen" cannot be chosen, "Res" stays empty and disabled, and a change
// takes its size and depth from the windowed mode. A change to a window
// keeps the window the player has, or from full screen goes back to the
// window the settings hold (leaving a window stores it there first). The
// display's refresh rate is not offered: the frequency row stays hidden.
//
// State (valid while the page is shown): the changed flag, the windowed
// flag and the mode and anti-aliasing entries the page started with, the
// chosen anti-aliasing and frequency entries and the chosen mode.
#pragma once

#include <cstdint>

class MWinWindow;
struct MWinCallbackRecord;
struct EngResModesMode;
struct EngResolutionRequest;

bool SystemAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void SystemClearButtonHandles();
bool SystemGetButtonHandlesNormal(const char* collection, const char* window);

void SystemControlStartingCB();
// Recomputes the chosen mode, the lists and the changed flag ("Mode" and
// "Res").
void SystemControlRefresh();
// "Aa": a chosen entry becomes the chosen anti-aliasing entry.
void SystemControlAaCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
void SystemControlAaInfoCB();
// "Change": the request handed to the engine (only when something changed
// and a window exists), then Done.
void SystemControlChangeCB();
void SystemControlDoneCB();
// Entry 1 "Windowed", every other "Full screen".
const char* SystemControlGetModeText(int entry);
// The chosen mode's anti-aliasing entry as text; "" without a chosen mode.
const char* SystemControlGetAaText(int entry);

// The request Change would hand over now (all zero but the flag, windowed,
// size, depth and the anti-aliasing pair); false when nothing changed. A
// window's size is the running window's, or in full screen the settings'
// window size.
bool SystemControlBuildRequest(EngResolutionRequest* request);
// The page state, for tests.
struct SystemPageState {
  bool changed = false;
  bool startingWindowed = false;
  int startingMode = 0;
  int startingAa = 0;
  int chosenAa = 0;
  int chosenFrequency = 0;
  const EngResModesMode* chosenMode = nullptr;
};
const SystemPageState& SystemGetPageState();
