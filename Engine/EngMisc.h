// EngMisc.h - the engine's miscellaneous services: random floats and
// booleans for effects, small motion helpers, the per-user folders, local
// dates, waiting, the message box and the orderly close-down.
//
// Random values draw from the engine's C runtime generator (EngRandCrtNext,
// seeded by the program object); the deal uses MT19937 (EngRand.h) instead.
// Folders and the box forward to the platform functions of
// Engine/DX9/EngMiscPC.h. The device helpers (EngMiscRenderFrameNow,
// EngMiscExitDeviceIfCreated, EngMiscPrepareDeviceForMessageBox) live in
// EngMiscDevice.cpp with the window layer. No state of its own.
#pragma once

#include <cstdint>

// A local calendar date.
struct EngMiscDate {
  std::int32_t year;
  std::uint8_t month;  // 1-12
  std::uint8_t day;    // 1-31
};
// The name the application's code uses for the same record.
using EngDate = EngMiscDate;

// Message box kinds.
enum EngMiscBoxKind : int { kEngMiscBoxPlain = 0, kEngMiscBoxWarning = 1, kEngMiscBoxError = 2 };

// ---- Random values ----------------------------------------------------------
// A float in [0, |maximum|) on a grid whose step follows the size (below 0.01:
// 0.000001; 0.1: 0.00001; 1: 0.0001; 10: 0.001; 100: 0.01; else 1). 0 when
// the maximum is 0 or smaller than one step. With allowNegative the value is
// negated when a further draw is even.
float EngMiscRandFloat(float maximum, bool allowNegative);
// False when n < 1; else true with chance n in n + 1.
bool EngMiscRandBool(int n);
// minimum + EngMiscRandFloat(maximum - minimum, false) when maximum > minimum,
// else the minimum; with allowNegative negated with chance one half.
float EngMiscRandFloatInRange(float minimum, float maximum, bool allowNegative);

// ---- Motion and numbers -----------------------------------------------------
// True when a == b or |b - a| / |b| (|a| when b is 0) is below 0.001.
bool EngMiscFloatsNearlyEqual(float a, float b);
// Moves position (x, y, z) toward target by at most step along the largest
// axis distance (all three axes in proportion). True when it arrived.
bool EngMiscMovePointTowards(float* x, float* y, float* z, float targetX, float targetY,
                             float targetZ, float step);
// Raises the value to the minimum, then lowers it to the maximum.
void EngMiscClamp(float* value, float minimum, float maximum);
// Advances the phase by 2 x step (kept in [-pi/2, 4 pi) by 4 pi steps) and
// returns (sin(phase + 3 pi / 2) + 1) / 2, in 0..1.
float EngMiscPulse(float* phase, float step);
// RGB in 0..1 to hue, saturation, lightness in 0..1 (outputs optional).
void EngMiscRgbToHsl(float red, float green, float blue, float* hue, float* saturation,
                     float* lightness);

// ---- Folders ------------------------------------------------------------------
// Forwarders to the platform (EngMiscPC.h); the buffers need 256 bytes or more.
void EngMiscGetDesktopWorkArea(int* left, int* top, int* width, int* height);
bool EngMiscGetDesktopDirectory(char* buffer, int size);
bool EngMiscGetDocumentsDirectory(char* buffer, int size);
bool EngMiscGetApplicationsDirectory(char* buffer, int size);
bool EngMiscGetUserApplicationDataDirectory(char* buffer, int size);
bool EngMiscGetCurrentDirectory(char* buffer, int size);
// "<application data>\<folder>" into path; false when an argument is missing,
// the size is below 1, or the query fails (it gets size - strlen(folder) - 1).
bool EngMiscGetUserApplicationDataSubDirectory(const char* folder, char* path, int size);
// The same path, created (one level) when missing ("Could not create dir <%s>").
bool EngMiscCreateUserApplicationDataSubDirectoryIfNeeded(const char* folder, char* path,
                                                         int size);
// "<application data>\<folder>\<subFolder>", creating each missing level.
bool EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded(const char* folder,
                                                            const char* subFolder, char* path,
                                                            int size);

// ---- Dates and time -------------------------------------------------------------
// Today's local date (or the date pinned for tests).
void EngMiscGetLocalDate(EngMiscDate* date);
void EngMiscGetLocalTime(int* hour, int* minute, int* second);
// One day back on the Gregorian calendar. A negative year, a month outside
// 1-12 or a day outside 1-31 reports "Invalid date %04d:%02d:%02d" and stays.
void EngMiscGetPreviousDay(EngMiscDate* date);
// True when a is later than b (year, then month, then day).
bool EngMiscIsDateAfter(EngMiscDate a, EngMiscDate b);
// True when the date exists on the Gregorian calendar (year 0 or later, the
// day within its month: 29 February only in a leap year).
bool EngMiscIsCalendarDate(EngMiscDate date);
// The number of days from 1 January of year 0 to the date, so that the
// difference of two day numbers counts the days between them (the same
// answer as stepping back a day at a time with EngMiscGetPreviousDay). Only
// meaningful for calendar dates (EngMiscIsCalendarDate).
std::int64_t EngMiscDayNumber(EngMiscDate date);
// Sleep(50) steps until the engine clock has advanced by the given seconds.
void EngMiscWait(float seconds);
// Sleep(seconds x 1000 ms).
void EngMiscSleep(float seconds);
// Test seam: EngMiscGetLocalDate answers this date from now on; null goes
// back to the clock.
void EngMiscSetLocalDateForTests(const EngMiscDate* date);

// ---- Program-level helpers -------------------------------------------------------
// Shows a system box of kind 0 plain, 1 warning, 2 error and returns its
// answer (IDOK ...). A full-screen device is released first
// (EngMiscPrepareDeviceForMessageBox); when that fails no box is shown (0).
// Headless: logs the box and answers the default without waiting.
int EngMiscMessageBox(int kind, const char* title, const char* text);
// Logs "CLOSING DOWN" and shuts the program object down when one exists.
void EngMiscCloseDown();

// Device helpers (EngMiscDevice.cpp, the window layer's side).
// Draws one frame outside the main loop: with render, RenderCB, the texture
// cursor and present (with a device); with updateFrameTime,
// EngProgram::UpdateFrameTime.
void EngMiscRenderFrameNow(bool render, bool updateFrameTime);
// With no device, true. Otherwise logs, destroys device and window, shuts the
// program down; true when no device remains or the mode is windowed.
bool EngMiscExitDeviceIfCreated();
// What EngMiscMessageBox does before a system box: releases a device that
// would hide the box. False: no box can be shown.
bool EngMiscPrepareDeviceForMessageBox();

// After a premature end: writes the log, releases device and window
// (EngMiscExitDeviceIfCreated; no box when that fails), empties the message
// queue, shows the cursor, then asks "Do you wish to see the log file ?"
// (Yes opens it with the desktop's file opener) when the log exists, or says
// that no log was written. Headless: logged, answered No, nothing opened.
void EngShowPrematureTerminationBox();
