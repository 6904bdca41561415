// Resolution.cpp - the settings file (see Resolution.h).
//
// State: g_ResolutionSettings (all zero until the first read or defaults),
// g_WindowSettings, the path buffer and the run-in-progress flag.
#include "App/Resolution.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "App/PrefFolder.h"
#include "App/WriteFailure.h"
#include "Engine/EngWindow.h"
#include "Game/GameImports.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngUtils.h"
#include "Game/GenBytes.h"

ResolutionSettings g_ResolutionSettings = {};
EngWindowSettings g_WindowSettings;

namespace {

char g_path[1024] = {};
bool g_runInProgress = false;

// Offsets of the file image.
enum : int {
  kOffFileVersion = 0,
  kOffGameVersion = 4,
  kOffShowDialog = 8,
  kOffCheckYear = 12,
  kOffCheckMonth = 16,
  kOffCheckDay = 17,
  kOffWindowed = 20,
  kOffWindowWidth = 24,
  kOffWindowHeight = 28,
  kOffWindowBits = 32,
  kOffWindowX = 36,
  kOffWindowY = 40,
  kOffFullWidth = 44,
  kOffFullHeight = 48,
  kOffFullBits = 52,
  kOffFullRefresh = 56,
  kOffWindowMsType = 60,
  kOffWindowMsQuality = 64,
  kOffFullMsType = 68,
  kOffFullMsQuality = 72,
  kOffTableQuality = 76,
  kOffCardQuality = 77,
  kOffLanguage = 78,
  kOffLanguageChosen = 142,
  kOffMouseSync = 144,
  kOffCursorType = 148,
  kOffSoundOn = 149,
  kOffReserved1 = 150,
  kOffReserved2 = 231,
  kOffHttpTest = 312,
  kOffHttpReserved = 313,
  kOffFtpTest = 314,
  kOffFtpReserved = 315,
  kOffLastPlayer = 316,
  kOffShowAbout = 352,
  kOffReserved3 = 353,
};
static_assert(kOffReserved3 + 7 == static_cast<int>(kResolutionFileSize), "settings image is 360 bytes");

// Copies a fixed text field out of the image, always terminated.
void GetText(const std::uint8_t* b, int offset, char* out, int size) {
  std::memcpy(out, b + offset, static_cast<std::size_t>(size));
  out[size - 1] = '\0';
}

std::uint8_t ClampByte(std::uint8_t value, std::uint8_t maximum) {
  return value > maximum ? maximum : value;
}

// The windowed size and position the work area allows; the size of the
// engine's mode is cut to the area, and a position that puts the window
// (partly) outside the area becomes -1 so that the engine places it.
void ClampToWorkArea(int* width, int* height, std::int32_t* x, std::int32_t* y) {
  int left = 0, top = 0, areaWidth = 0, areaHeight = 0;
  EngMiscGetDesktopWorkArea(&left, &top, &areaWidth, &areaHeight);
  if (areaWidth <= 0 || areaHeight <= 0) return;
  if (*width > areaWidth) *width = areaWidth;
  if (*height > areaHeight) *height = areaHeight;
  if (*x == -1 && *y == -1) return;
  // The file's position may be anything: its far edge is summed wide.
  const bool inside = *x >= left && *y >= top &&
                      std::int64_t{*x} + *width <= std::int64_t{left} + areaWidth &&
                      std::int64_t{*y} + *height <= std::int64_t{top} + areaHeight;
  if (!inside) *x = *y = -1;
}

long Distance(long a, long b) { return std::labs(a - b); }

// An anti-aliasing pair held to a mode's list: the nearest entry, or off
// when the mode offers none.
void FitAntialiasing(const EngResModesMode* mode, const char* what, std::int32_t* type, std::int32_t* quality) {
  const int entry = mode ? ResolutionNearestAAEntry(*mode, *type, *quality) : -1;
  const EngResModesAAEntry fitted = entry >= 0 ? mode->aaEntries[entry] : EngResModesAAEntry{0, 0};
  if (fitted.type == *type && fitted.quality == *quality) return;
  DebugError("ResolutionReadFile", "%s anti-aliasing %d, %d is not offered: %d, %d", what, *type, *quality,
             fitted.type, fitted.quality);
  *type = fitted.type;
  *quality = fitted.quality;
}

bool IsOfferedDepth(const EngResModesData& modes, int bitDepth) {
  if (bitDepth == modes.windowed.bitDepth) return true;
  for (int i = 0; i < modes.count; ++i) {
    if (modes.modes[i].bitDepth == bitDepth) return true;
  }
  return false;
}

}  // namespace

int ResolutionNearestFullScreenMode(int width, int height, int bitDepth) {
  const EngResModesData& data = EngResModesGetData();
  if (!data.setUp || data.count <= 0) return -1;
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < data.count && i < kEngResModesMaxModes; ++i) {
    const EngResModesMode& mode = data.modes[i];
    const long distance =
        Distance(mode.width, width) + Distance(mode.height, height) + 10 * Distance(mode.bitDepth, bitDepth);
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

int ResolutionNearestAAEntry(const EngResModesMode& mode, int type, int quality) {
  const int count = mode.numAAEntries < kEngResModesMaxAAEntries ? mode.numAAEntries : kEngResModesMaxAAEntries;
  int best = -1;
  long bestDistance = -1;
  for (int i = 0; i < count; ++i) {
    const long distance = Distance(mode.aaEntries[i].type, type) + Distance(mode.aaEntries[i].quality, quality);
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

void ResolutionFitToDisplay(ResolutionSettings* s) {
  const char* where = "ResolutionReadFile";
  const EngResModesData& modes = EngResModesGetData();
  if (!modes.setUp) return;

  // Full screen: an offered mode; without any, only a window can be had.
  const int mode = ResolutionNearestFullScreenMode(s->fullWidth, s->fullHeight, s->fullBitDepth);
  if (mode >= 0) {
    const EngResModesMode& m = modes.modes[mode];
    if (m.width != s->fullWidth || m.height != s->fullHeight || m.bitDepth != s->fullBitDepth) {
      DebugError(where, "Full-screen mode %d x %d x %d is not offered: %d x %d x %d", s->fullWidth, s->fullHeight,
                 s->fullBitDepth, m.width, m.height, m.bitDepth);
      s->fullWidth = m.width;
      s->fullHeight = m.height;
      s->fullBitDepth = m.bitDepth;
    }
  } else if (!s->windowed) {
    DebugError(where, "No full-screen mode is offered: windowed");
    s->windowed = 1;
  }
  FitAntialiasing(mode >= 0 ? &modes.modes[mode] : nullptr, "Full-screen", &s->fullMsType, &s->fullMsQuality);
  FitAntialiasing(&modes.windowed, "Window", &s->windowMsType, &s->windowMsQuality);

  // A window the toolkit can lay its screens out in (the work area bounds
  // it when applied), of a depth the display has.
  if (s->windowWidth < kResolutionMinWindowWidth || s->windowHeight < kResolutionMinWindowHeight) {
    DebugError(where, "Window %d x %d is too small", s->windowWidth, s->windowHeight);
    if (s->windowWidth < kResolutionMinWindowWidth) s->windowWidth = kResolutionMinWindowWidth;
    if (s->windowHeight < kResolutionMinWindowHeight) s->windowHeight = kResolutionMinWindowHeight;
  }
  if (!IsOfferedDepth(modes, s->windowBitDepth) && modes.windowed.bitDepth > 0) {
    DebugError(where, "Window depth %d is not offered: %d", s->windowBitDepth, modes.windowed.bitDepth);
    s->windowBitDepth = modes.windowed.bitDepth;
  }
}

void ResolutionToBytes(const ResolutionSettings& s, std::uint8_t b[kResolutionFileSize]) {
  std::memset(b, 0, kResolutionFileSize);
  GenPutF32(b, kOffFileVersion, s.fileVersion);
  GenPutF32(b, kOffGameVersion, s.gameVersion);
  GenPutU8(b, kOffShowDialog, s.showDialog);
  GenPutI32(b, kOffCheckYear, s.lastUpdateCheck.year);
  GenPutU8(b, kOffCheckMonth, s.lastUpdateCheck.month);
  GenPutU8(b, kOffCheckDay, s.lastUpdateCheck.day);
  GenPutU8(b, kOffWindowed, s.windowed);
  GenPutI32(b, kOffWindowWidth, s.windowWidth);
  GenPutI32(b, kOffWindowHeight, s.windowHeight);
  GenPutI32(b, kOffWindowBits, s.windowBitDepth);
  GenPutI32(b, kOffWindowX, s.windowX);
  GenPutI32(b, kOffWindowY, s.windowY);
  GenPutI32(b, kOffFullWidth, s.fullWidth);
  GenPutI32(b, kOffFullHeight, s.fullHeight);
  GenPutI32(b, kOffFullBits, s.fullBitDepth);
  GenPutI32(b, kOffFullRefresh, s.fullRefresh);
  GenPutI32(b, kOffWindowMsType, s.windowMsType);
  GenPutI32(b, kOffWindowMsQuality, s.windowMsQuality);
  GenPutI32(b, kOffFullMsType, s.fullMsType);
  GenPutI32(b, kOffFullMsQuality, s.fullMsQuality);
  GenPutU8(b, kOffTableQuality, s.tableQuality);
  GenPutU8(b, kOffCardQuality, s.cardQuality);
  std::memcpy(b + kOffLanguage, s.language, sizeof(s.language));
  GenPutU8(b, kOffLanguageChosen, s.languageChosen);
  GenPutI32(b, kOffMouseSync, s.mouseSync);
  GenPutU8(b, kOffCursorType, s.cursorType);
  GenPutU8(b, kOffSoundOn, s.soundOn);
  std::memcpy(b + kOffReserved1, s.reserved1, sizeof(s.reserved1));
  std::memcpy(b + kOffReserved2, s.reserved2, sizeof(s.reserved2));
  GenPutU8(b, kOffHttpTest, s.httpTest);
  GenPutU8(b, kOffHttpReserved, s.httpReserved);
  GenPutU8(b, kOffFtpTest, s.ftpTest);
  GenPutU8(b, kOffFtpReserved, s.ftpReserved);
  std::memcpy(b + kOffLastPlayer, s.lastPlayer, sizeof(s.lastPlayer));
  GenPutU8(b, kOffShowAbout, s.showAbout);
  std::memcpy(b + kOffReserved3, s.reserved3, sizeof(s.reserved3));
}

void ResolutionFromBytes(const std::uint8_t b[kResolutionFileSize], ResolutionSettings* s) {
  *s = ResolutionSettings{};
  s->fileVersion = GenGetF32(b, kOffFileVersion);
  s->gameVersion = GenGetF32(b, kOffGameVersion);
  s->showDialog = ClampByte(GenGetU8(b, kOffShowDialog), 1);
  s->lastUpdateCheck.year = GenGetI32(b, kOffCheckYear);
  s->lastUpdateCheck.month = GenGetU8(b, kOffCheckMonth);
  s->lastUpdateCheck.day = GenGetU8(b, kOffCheckDay);
  s->windowed = ClampByte(GenGetU8(b, kOffWindowed), 1);
  s->windowWidth = GenGetI32(b, kOffWindowWidth);
  s->windowHeight = GenGetI32(b, kOffWindowHeight);
  s->windowBitDepth = GenGetI32(b, kOffWindowBits);
  s->windowX = GenGetI32(b, kOffWindowX);
  s->windowY = GenGetI32(b, kOffWindowY);
  s->fullWidth = GenGetI32(b, kOffFullWidth);
  s->fullHeight = GenGetI32(b, kOffFullHeight);
  s->fullBitDepth = GenGetI32(b, kOffFullBits);
  s->fullRefresh = GenGetI32(b, kOffFullRefresh);
  s->windowMsType = GenGetI32(b, kOffWindowMsType);
  s->windowMsQuality = GenGetI32(b, kOffWindowMsQuality);
  s->fullMsType = GenGetI32(b, kOffFullMsType);
  s->fullMsQuality = GenGetI32(b, kOffFullMsQuality);
  s->tableQuality = ClampByte(GenGetU8(b, kOffTableQuality), 2);
  s->cardQuality = ClampByte(GenGetU8(b, kOffCardQuality), 3);
  GetText(b, kOffLanguage, s->language, sizeof(s->language));
  s->languageChosen = ClampByte(GenGetU8(b, kOffLanguageChosen), 1);
  const std::int32_t sync = GenGetI32(b, kOffMouseSync);
  s->mouseSync = sync < 0 ? 0 : (sync > 2 ? 2 : sync);
  s->cursorType = ClampByte(GenGetU8(b, kOffCursorType), 1);
  s->soundOn = ClampByte(GenGetU8(b, kOffSoundOn), 1);
  GetText(b, kOffReserved1, s->reserved1, sizeof(s->reserved1));
  GetText(b, kOffReserved2, s->reserved2, sizeof(s->reserved2));
  s->httpTest = GenGetU8(b, kOffHttpTest);
  s->httpReserved = GenGetU8(b, kOffHttpReserved);
  s->ftpTest = GenGetU8(b, kOffFtpTest);
  s->ftpReserved = GenGetU8(b, kOffFtpReserved);
  GetText(b, kOffLastPlayer, s->lastPlayer, sizeof(s->lastPlayer));
  s->lastPlayer[32] = '\0';  // a name has at most 32 characters
  s->showAbout = ClampByte(GenGetU8(b, kOffShowAbout), 2);
  std::memcpy(s->reserved3, b + kOffReserved3, sizeof(s->reserved3));
}

const char* ResolutionGetPath() {
  std::snprintf(g_path, sizeof(g_path), "%s%sResolution.dat", PrefFolderGetMainFolder(), "\\");
  return g_path;
}

void ResolutionSetDefaults() {
  ResolutionSettings& s = g_ResolutionSettings;
  s = ResolutionSettings{};
  s.fileVersion = kResolutionFileVersion;
  s.gameVersion = kResolutionGameVersion;
  s.showDialog = 1;
  s.windowed = 0;
  s.windowWidth = 1024;
  s.windowHeight = 768;
  s.windowBitDepth = 32;
  s.windowX = -1;
  s.windowY = -1;
  int areaWidth = 0, areaHeight = 0;
  EngMiscGetDesktopWorkArea(nullptr, nullptr, &areaWidth, &areaHeight);
  s.fullWidth = areaWidth;
  s.fullHeight = areaHeight;
  s.fullBitDepth = 32;
  s.fullRefresh = 60;
  s.tableQuality = 1;
  s.cardQuality = 1;
  EngSafeStrcpy(s.language, "English", sizeof(s.language));
  s.languageChosen = 1;
  s.mouseSync = 2;
  s.cursorType = 1;
  s.soundOn = 1;
  s.httpTest = 255;
  s.httpReserved = 255;
  s.ftpTest = 0;
  s.ftpReserved = 0;
}

bool ResolutionReadFile() {
  EngFile file;
  if (!file.OpenForReadingIfExists(ResolutionGetPath(), false)) {
    ResolutionSetDefaults();
    return false;
  }
  bool accepted = false;
  if (file.GetSize() == kResolutionFileSize) {
    std::uint8_t bytes[kResolutionFileSize];
    if (file.Read(bytes, sizeof(bytes))) {
      ResolutionSettings scratch;
      ResolutionFromBytes(bytes, &scratch);
      // Exactly the single-precision value nearest 4.8.
      if (scratch.fileVersion == kResolutionFileVersion) {
        ResolutionFitToDisplay(&scratch);
        g_ResolutionSettings = scratch;
        accepted = true;
      }
    }
  }
  file.Close();
  ResolutionSetSettings();
  if (!accepted) ResolutionSetDefaults();
  return accepted;
}

void ResolutionWriteFile() {
  g_ResolutionSettings.gameVersion = kResolutionGameVersion;
  ResolutionSettings onDisk = g_ResolutionSettings;
  if (g_runInProgress) onDisk.showDialog = 1;
  std::uint8_t bytes[kResolutionFileSize];
  ResolutionToBytes(onDisk, bytes);
  const char* path = ResolutionGetPath();
  if (EngFileWriteReplacing(path, bytes, sizeof(bytes))) return;

  char text[1400];
  std::snprintf(text, sizeof(text),
                "Could not create file  %s  . \n\n Ensure the disk is not full and has writing "
                "permission.",
                path);
  DebugError("ResolutionWriteFile", "Could not write <%s>", path);
  if (!EngWindowIsDeviceCurrent()) {
    EngMiscMessageBox(kEngMiscBoxWarning, "Problem Creating to Resolution File", text);
    return;
  }
  // In play the old file is still whole (the write goes through a temporary
  // file): say so, once, and go on, never through the box that ends the
  // program.
  WriteFailureNotify(WriteFailureKind::kSettings, nullptr);
}

void ResolutionSetSettings() {
  ResolutionSettings& s = g_ResolutionSettings;
  if (s.windowWidth <= 0 || s.windowHeight <= 0 || s.windowBitDepth <= 0 || s.fullWidth <= 0 ||
      s.fullHeight <= 0 || s.fullBitDepth <= 0) {
    DebugError("ResolutionSetSettings", "Bad resolution values");
    return;
  }
  int refresh = 0;
  if (s.windowed) {
    EngWindowSetScreenMode(1, s.windowWidth, s.windowHeight, s.windowBitDepth, -1);
  } else {
    EngWindowSetScreenMode(0, s.fullWidth, s.fullHeight, s.fullBitDepth, -1);
    refresh = s.fullRefresh;
    // A switch to a window gives the one the settings hold, as the work
    // area allows it.
    int width = s.windowWidth, height = s.windowHeight;
    std::int32_t x = s.windowX, y = s.windowY;
    ClampToWorkArea(&width, &height, &x, &y);
    EngWindowSetLastWindow(x, y, width, height);
  }
  ResolutionClampWindowToDesktop();

  if (EngProgram* program = EngProgramGetCurrent()) {
    program->SetSyncWithGpuMethod(s.mouseSync != 0, s.mouseSync - 1, true);
  } else {
    DebugError("ResolutionSetSettings", "No main program");
  }

  const EngScreenMode& mode = EngWindowGetScreenMode();
  g_WindowSettings.windowed = s.windowed;
  if (s.windowed) {
    g_WindowSettings.x = s.windowX;
    g_WindowSettings.y = s.windowY;
  }
  g_WindowSettings.width = mode.width;
  g_WindowSettings.height = mode.height;
  g_WindowSettings.bitDepth = mode.bitDepth;
  g_WindowSettings.refreshRate = refresh;
  g_WindowSettings.multisampleType = s.windowed ? s.windowMsType : s.fullMsType;
  g_WindowSettings.multisampleQuality = s.windowed ? s.windowMsQuality : s.fullMsQuality;
}

void ResolutionUpdateSettingsFromCurrent() {
  ResolutionClampWindowToDesktop();
  ResolutionSettings& s = g_ResolutionSettings;
  const EngScreenMode& mode = EngWindowGetScreenMode();
  s.windowed = mode.windowed ? 1 : 0;
  EngWindow* window = EngWindowGetCurrent();
  const EngWindowSettings& current = window ? window->GetSettings() : g_WindowSettings;
  if (mode.windowed) {
    int x = 0, y = 0;
    if (window && window->GetWindowPos(&x, &y)) {
      s.windowX = x;
      s.windowY = y;
    }
    s.windowWidth = mode.width;
    s.windowHeight = mode.height;
    s.windowBitDepth = mode.bitDepth;
    s.windowMsType = current.multisampleType;
    s.windowMsQuality = current.multisampleQuality;
  } else {
    // The window the player had before full screen is the one to come back to.
    const EngLastWindow& last = EngWindowGetLastWindow();
    if (last.width > 0 && last.height > 0) {
      s.windowX = last.x;
      s.windowY = last.y;
      s.windowWidth = last.width;
      s.windowHeight = last.height;
    }
    s.fullWidth = mode.width;
    s.fullHeight = mode.height;
    s.fullBitDepth = mode.bitDepth;
    s.fullRefresh = current.refreshRate;
    s.fullMsType = current.multisampleType;
    s.fullMsQuality = current.multisampleQuality;
  }
  if (EngProgram* program = EngProgramGetCurrent()) {
    s.mouseSync = program->GetSyncWithGpuMethod() + 1;
  } else {
    DebugError("ResolutionUpdateSettingsFromCurrent", "No main program");
  }
}

void ResolutionClampWindowToDesktop() {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  if (!mode.windowed) return;
  int width = mode.width, height = mode.height;
  ClampToWorkArea(&width, &height, &g_ResolutionSettings.windowX, &g_ResolutionSettings.windowY);
  if (width != mode.width || height != mode.height) {
    EngWindowSetScreenMode(1, width, height, -1, -1);
  }
}

void ResolutionSetRunInProgress(bool inProgress) { g_runInProgress = inProgress; }

void ResolutionGetForGame(GameDisplaySettings* settings) {
  const ResolutionSettings& r = g_ResolutionSettings;
  settings->windowed = r.windowed;
  settings->windowWidth = r.windowWidth;
  settings->windowHeight = r.windowHeight;
  settings->windowBits = r.windowBitDepth;
  settings->fullWidth = r.fullWidth;
  settings->fullHeight = r.fullHeight;
  settings->fullBits = r.fullBitDepth;
  settings->windowMsType = r.windowMsType;
  settings->windowMsQuality = r.windowMsQuality;
  settings->fullMsType = r.fullMsType;
  settings->fullMsQuality = r.fullMsQuality;
  settings->tableQuality = r.tableQuality;
  settings->cardQuality = r.cardQuality;
  settings->mouseSync = r.mouseSync;
  settings->cursorType = r.cursorType;
  settings->showAbout = r.showAbout;
}

void ResolutionSetShowAbout(int value) { g_ResolutionSettings.showAbout = static_cast<std::uint8_t>(value); }
