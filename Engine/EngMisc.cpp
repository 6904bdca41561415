// EngMisc.cpp - random floats for effects, motion helpers, the per-user
// folders, dates, waiting, the message box, the close-down and the premature
// termination box. No state of its own.
#include "Engine/EngMisc.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "Engine/Debug.h"
#include "Engine/DX9/EngMiscPC.h"
#include "Engine/EngClock.h"
#include "Engine/EngFile.h"
#include "Engine/EngProgram.h"
#include "Engine/EngRand.h"
#include "Platform/Dialogs.h"
#include "Platform/Time.h"
#include "Platform/Window.h"

// ---- Random values ------------------------------------------------------------

float EngMiscRandFloat(float maximum, bool allowNegative) {
  const double magnitude = std::fabs(static_cast<double>(maximum));
  if (!(magnitude > 0) || !std::isfinite(magnitude)) return 0.0f;
  // Steps per unit: the grid gets coarser as the maximum grows.
  double perUnit = 1.0;
  if (magnitude < 0.01) {
    perUnit = 1000000.0;
  } else if (magnitude < 0.1) {
    perUnit = 100000.0;
  } else if (magnitude < 1.0) {
    perUnit = 10000.0;
  } else if (magnitude < 10.0) {
    perUnit = 1000.0;
  } else if (magnitude < 100.0) {
    perUnit = 100.0;
  }
  const double steps = std::trunc(magnitude * perUnit);
  // A maximum smaller than one step leaves no grid point above 0 (and would
  // divide by zero below).
  if (steps < 1.0) return 0.0f;
  const long n = steps > 2147483647.0 ? 2147483647L : static_cast<long>(steps);
  float value = static_cast<float>(static_cast<double>(EngRandCrtNext() % n) / perUnit);
  if (allowNegative && EngRandCrtNext() % 2 == 0) value = -value;
  return value;
}

bool EngMiscRandBool(int n) {
  if (n < 1) return false;
  const long modulus = static_cast<long>(n) + 1;
  return EngRandCrtNext() % modulus != 0;
}

float EngMiscRandFloatInRange(float minimum, float maximum, bool allowNegative) {
  float value = minimum;
  if (maximum > minimum) value = minimum + EngMiscRandFloat(maximum - minimum, false);
  if (allowNegative && EngMiscRandBool(1)) value = -value;
  return value;
}

// ---- Motion and numbers -----------------------------------------------------------

bool EngMiscFloatsNearlyEqual(float a, float b) {
  if (a == b) return true;
  // Relative to the magnitude: a signed divisor would make every negative b
  // "equal".
  const float divisor = b != 0 ? std::fabs(b) : std::fabs(a);
  return std::fabs(b - a) / divisor < 0.001f;
}

bool EngMiscMovePointTowards(float* x, float* y, float* z, float targetX, float targetY,
                             float targetZ, float step) {
  if (!x || !y || !z) return false;
  const float dx = targetX - *x, dy = targetY - *y, dz = targetZ - *z;
  float d = std::fabs(dx);
  if (std::fabs(dy) > d) d = std::fabs(dy);
  if (std::fabs(dz) > d) d = std::fabs(dz);
  if (d == 0) return true;
  const float t = step >= d ? 1.0f : step / d;
  *x += t * dx;
  *y += t * dy;
  *z += t * dz;
  return t == 1.0f;
}

void EngMiscClamp(float* value, float minimum, float maximum) {
  if (!value) return;
  if (*value < minimum) *value = minimum;
  if (*value > maximum) *value = maximum;
}

float EngMiscPulse(float* phase, float step) {
  constexpr float kFourPi = 12.566371f;
  constexpr float kMinusHalfPi = -1.5707964f;
  constexpr float kThreeHalvesPi = 4.712389f;
  if (!phase) return 0.0f;
  *phase += 2.0f * step;
  if (*phase >= kFourPi) {
    *phase -= kFourPi;
  } else if (*phase < kMinusHalfPi) {
    *phase += kFourPi;
  }
  return (std::sin(*phase + kThreeHalvesPi) + 1.0f) / 2.0f;
}

void EngMiscRgbToHsl(float red, float green, float blue, float* hue, float* saturation,
                     float* lightness) {
  float max = red, min = red;
  if (green > max) max = green;
  if (blue > max) max = blue;
  if (green < min) min = green;
  if (blue < min) min = blue;
  const float d = max - min;
  const float l = (max + min) / 2.0f;
  float h = 0.0f, s = 0.0f;
  if (d != 0) {
    s = l < 0.5f ? d / (max + min) : d / (2.0f - max - min);
    const float dR = ((max - red) / 6.0f + d / 2.0f) / d;
    const float dG = ((max - green) / 6.0f + d / 2.0f) / d;
    const float dB = ((max - blue) / 6.0f + d / 2.0f) / d;
    if (red == max) {
      h = dB - dG;
    } else if (green == max) {
      h = 1.0f / 3.0f + dR - dB;
    } else {
      h = 2.0f / 3.0f + dG - dR;
    }
    if (h < 0) h += 1.0f;
    if (h > 1) h -= 1.0f;
  }
  if (hue) *hue = h;
  if (saturation) *saturation = s;
  if (lightness) *lightness = l;
}

// ---- Folders ------------------------------------------------------------------------

void EngMiscGetDesktopWorkArea(int* left, int* top, int* width, int* height) {
  EngMiscGetDesktopWorkArea_PC(left, top, width, height);
}
bool EngMiscGetDesktopDirectory(char* buffer, int size) {
  return EngMiscGetDesktopDirectory_PC(buffer, size);
}
bool EngMiscGetDocumentsDirectory(char* buffer, int size) {
  return EngMiscGetDocumentsDirectory_PC(buffer, size);
}
bool EngMiscGetApplicationsDirectory(char* buffer, int size) {
  return EngMiscGetApplicationsDirectory_PC(buffer, size);
}
bool EngMiscGetUserApplicationDataDirectory(char* buffer, int size) {
  return EngMiscGetUserApplicationDataDirectory_PC(buffer, size);
}
bool EngMiscGetCurrentDirectory(char* buffer, int size) {
  return EngMiscGetCurrentDirectory_PC(buffer, size);
}

bool EngMiscGetUserApplicationDataSubDirectory(const char* folder, char* path, int size) {
  if (!folder || !path || size < 1) return false;
  const int folderLength = static_cast<int>(std::strlen(folder));
  if (!EngMiscGetUserApplicationDataDirectory(path, size - folderLength - 1)) return false;
  const std::size_t length = std::strlen(path);
  std::snprintf(path + length, static_cast<std::size_t>(size) - length, "\\%s", folder);
  return true;
}

namespace {

// Creates name when it is not a folder yet; reports under where.
bool CreateFolderIfMissing(const char* where, const char* name) {
  if (EngFileDirectoryExists(name)) return true;
  if (!EngFileCreateDirectory(name)) {
    DebugError(where, "Could not create dir <%s>", name);
    return false;
  }
  return true;
}

// The application-data folder itself may be missing on a fresh account
// (~/.local/share): make it, as the freedesktop layout asks of writers.
bool CreateApplicationDataFolderIfMissing(const char* where) {
  char base[1024];
  if (!EngMiscGetUserApplicationDataDirectory(base, sizeof(base))) return false;
  if (EngFileDirectoryExists(base)) return true;
  // Each missing parent, one level at a time from the top.
  for (char* p = base + 1; *p; ++p) {
    if (*p != '/' && *p != '\\') continue;
    const char saved = *p;
    *p = '\0';
    const bool ok = CreateFolderIfMissing(where, base);
    *p = saved;
    if (!ok) return false;
  }
  return CreateFolderIfMissing(where, base);
}

}  // namespace

bool EngMiscCreateUserApplicationDataSubDirectoryIfNeeded(const char* folder, char* path,
                                                         int size) {
  const char* where = "EngMiscCreateUserApplicationDataSubDirectoryIfNeeded";
  if (!EngMiscGetUserApplicationDataSubDirectory(folder, path, size)) return false;
  if (!CreateApplicationDataFolderIfMissing(where)) return false;
  return CreateFolderIfMissing(where, path);
}

bool EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded(const char* folder,
                                                            const char* subFolder, char* path,
                                                            int size) {
  const char* where = "EngMiscCreateUserApplicationDataSubSubDirectoryIfNeeded";
  if (!subFolder || !*subFolder) return false;
  if (!EngMiscCreateUserApplicationDataSubDirectoryIfNeeded(folder, path, size)) return false;
  const std::size_t length = std::strlen(path);
  const int written = std::snprintf(path + length, static_cast<std::size_t>(size) - length,
                                    "\\%s", subFolder);
  if (written < 0 || length + static_cast<std::size_t>(written) >= static_cast<std::size_t>(size)) {
    path[length] = '\0';
    return false;
  }
  return CreateFolderIfMissing(where, path);
}

// ---- Dates and time -------------------------------------------------------------------

namespace {
// The date the tests pin (has: pinned).
struct PinnedDate {
  bool has = false;
  EngMiscDate date = {};
};
PinnedDate g_pinnedDate;
}  // namespace

void EngMiscSetLocalDateForTests(const EngMiscDate* date) {
  g_pinnedDate.has = date != nullptr;
  if (date) g_pinnedDate.date = *date;
}

void EngMiscGetLocalDate(EngMiscDate* date) {
  if (!date) return;
  if (g_pinnedDate.has) {
    *date = g_pinnedDate.date;
    return;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  date->year = local.tm_year + 1900;
  date->month = static_cast<std::uint8_t>(local.tm_mon + 1);
  date->day = static_cast<std::uint8_t>(local.tm_mday);
}

void EngMiscGetLocalTime(int* hour, int* minute, int* second) {
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  if (hour) *hour = local.tm_hour;
  if (minute) *minute = local.tm_min;
  if (second) *second = local.tm_sec;
}

namespace {
bool IsGregorianLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
}  // namespace

void EngMiscGetPreviousDay(EngMiscDate* date) {
  if (!date) return;
  if (date->year < 0 || date->month < 1 || date->month > 12 || date->day < 1 || date->day > 31) {
    DebugError("EngMiscGetPreviousDay", "Invalid date %04d:%02d:%02d", date->year, date->month,
               date->day);
    return;
  }
  if (date->day > 1) {
    --date->day;
    return;
  }
  switch (date->month) {
    case 1:
      --date->year;
      date->month = 12;
      date->day = 31;
      break;
    case 3:
      date->month = 2;
      date->day = IsGregorianLeapYear(date->year) ? 29 : 28;
      break;
    case 5:
    case 7:
    case 10:
    case 12:
      --date->month;
      date->day = 30;
      break;
    default:  // February, April, June, August, September, November
      --date->month;
      date->day = 31;
      break;
  }
}

bool EngMiscIsCalendarDate(EngMiscDate date) {
  if (date.year < 0 || date.month < 1 || date.month > 12 || date.day < 1) return false;
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int days = date.month == 2 && IsGregorianLeapYear(date.year) ? 29 : kDays[date.month - 1];
  return date.day <= days;
}

std::int64_t EngMiscDayNumber(EngMiscDate date) {
  // Days before the month in a year whose February has 28 days, then the
  // leap days of the years before (and of this year once February is over).
  static constexpr int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const std::int64_t y = date.year;
  const int month = date.month >= 1 && date.month <= 12 ? date.month : 1;
  std::int64_t leapsBefore = y > 0 ? (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400 + 1 : 0;
  if (month > 2 && IsGregorianLeapYear(date.year)) ++leapsBefore;
  return y * 365 + leapsBefore + kBefore[month - 1] + date.day - 1;
}

bool EngMiscIsDateAfter(EngMiscDate a, EngMiscDate b) {
  if (a.year != b.year) return a.year > b.year;
  if (a.month != b.month) return a.month > b.month;
  return a.day > b.day;
}

void EngMiscWait(float seconds) {
  const double start = EngGetSeconds();
  while (EngGetSeconds() - start < seconds) Sleep(50);
}

void EngMiscSleep(float seconds) {
  if (!(seconds > 0)) return;
  Sleep(static_cast<DWORD>(seconds * 1000.0f));
}

// ---- Program-level helpers -------------------------------------------------------------

int EngMiscMessageBox(int kind, const char* title, const char* text) {
  if (!EngMiscPrepareDeviceForMessageBox()) return 0;
  return EngMiscMessageBox_PC(kind, title, text);
}

void EngMiscCloseDown() {
  DebugNote("CLOSING DOWN");
  if (EngProgram* program = EngProgramGetCurrent()) program->Shutdown();
}

void EngShowPrematureTerminationBox() {
  DebugWriteFormattedMessagesToFile();
  if (!EngMiscExitDeviceIfCreated()) return;
  // Empty the queue and make sure the pointer can be seen over the box.
  while (PlatformRemoveOneDroppableMessage()) {
  }
  for (int i = 0; i < 4; ++i) ShowCursor(TRUE);
  const char* title = "Error Running Program";
  const char* logName = DebugGetLogFilename();
  if (logName && *logName && EngFileExists(logName)) {
    const int answer = MessageBoxA(nullptr,
                                   "The program had to terminate prematurely.\n\n"
                                   "Do you wish to see the log file ?",
                                   title, MB_YESNO | MB_ICONERROR);
    if (answer == IDYES) PlatformOpenWithShell(logName);
  } else {
    MessageBoxA(nullptr,
                "The program had to terminate prematurely. No error logs were generated.", title,
                MB_OK | MB_ICONERROR);
  }
}
