// Resolution.h - the settings file "Resolution.dat": the display mode for
// window and full screen, texture qualities, language, sound, mouse sync,
// cursor, the start-up dialog switch, the Internet test states, the last
// update check and the last player.
//
// One record for the whole run (g_ResolutionSettings), read at start-up,
// applied to the engine's screen mode and to the window settings record the
// entry creates the window from (g_WindowSettings), and written back
// whenever something in it changes. The file is the 360-byte record in
// little-endian order behind its version float 4.8; it is not enciphered.
//
// The file comes from outside the program: what it asks of the display is
// held to what the display offers when it is read (ResolutionReadFile), the
// way the start-up dialog chooses: the nearest full-screen mode, the nearest
// anti-aliasing entry of the list in use (off when the list is empty), a
// window of at least the virtual screen, a window's depth that some mode
// has. Values the program chooses itself (the dialog, the System page) come
// from those lists already.
//
// While a run is in progress (ResolutionSetRunInProgress) every write stores
// the show-dialog flag as 1 on disk, so that a run that does not end
// normally shows the start-up dialog at the next start; the write at the
// end of the run stores the real value.
//
// Depends on: the per-user main folder (PrefFolder), the engine's screen
// mode, program and message box, the toolkit's popup for failures in play.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Engine/EngMisc.h"

struct EngResModesMode;
struct EngWindowSettings;  // Engine/EngWindow.h, for the users of g_WindowSettings
struct GameDisplaySettings;  // Game/GameImports.h

constexpr std::size_t kResolutionFileSize = 360;
constexpr float kResolutionFileVersion = 4.8f;
constexpr float kResolutionGameVersion = 4.82f;
constexpr int kResolutionLanguageSize = 64;
constexpr int kResolutionReservedTextSize = 81;
constexpr int kResolutionPlayerSize = 36;
// The smallest window a file may ask for: the toolkit's virtual screen.
constexpr int kResolutionMinWindowWidth = 640;
constexpr int kResolutionMinWindowHeight = 480;

struct ResolutionSettings {
  float fileVersion;          // 0   accepted only when exactly 4.8
  float gameVersion;          // 4   the writer stores 4.82
  std::uint8_t showDialog;    // 8   start-up settings dialog at start
  EngDate lastUpdateCheck;    // 12  year, month, day
  std::uint8_t windowed;      // 20
  std::int32_t windowWidth;   // 24
  std::int32_t windowHeight;  // 28
  std::int32_t windowBitDepth;  // 32
  std::int32_t windowX;       // 36  -1: the engine places the window
  std::int32_t windowY;       // 40
  std::int32_t fullWidth;     // 44
  std::int32_t fullHeight;    // 48
  std::int32_t fullBitDepth;  // 52
  std::int32_t fullRefresh;   // 56  Hz
  std::int32_t windowMsType;  // 60  anti-aliasing of the window
  std::int32_t windowMsQuality;  // 64
  std::int32_t fullMsType;    // 68  anti-aliasing of the full screen
  std::int32_t fullMsQuality;  // 72
  std::uint8_t tableQuality;  // 76  0-2
  std::uint8_t cardQuality;   // 77  0-3
  char language[kResolutionLanguageSize];  // 78
  std::uint8_t languageChosen;  // 142
  std::int32_t mouseSync;     // 144 0 off, 1 and 2 the GPU-sync methods 0 and 1
  std::uint8_t cursorType;    // 148 0 texture cursor, 1 the window's cursor
  std::uint8_t soundOn;       // 149
  char reserved1[kResolutionReservedTextSize];  // 150 kept empty
  char reserved2[kResolutionReservedTextSize];  // 231 kept empty
  std::uint8_t httpTest;      // 312 255 to run, 1 passed, 0 failed
  std::uint8_t httpReserved;  // 313
  std::uint8_t ftpTest;       // 314
  std::uint8_t ftpReserved;   // 315
  char lastPlayer[kResolutionPlayerSize];  // 316 at most 32 characters
  std::uint8_t showAbout;     // 352 1: the start of play shows About, then 2
  std::uint8_t reserved3[7];  // 353
};

// The record of the run and the window settings record the entry creates
// the main window from (filled by ResolutionSetSettings).
extern ResolutionSettings g_ResolutionSettings;
extern EngWindowSettings g_WindowSettings;

// The record as the file holds it, and back. ResolutionFromBytes
// terminates the text fields and clamps the enumerated values into their
// ranges (qualities, mouse sync, cursor type, sound) so that a damaged file
// can do no harm; it does not judge the version.
void ResolutionToBytes(const ResolutionSettings& settings, std::uint8_t bytes[kResolutionFileSize]);
void ResolutionFromBytes(const std::uint8_t bytes[kResolutionFileSize], ResolutionSettings* settings);

// "<main folder>\Resolution.dat", in a buffer the unit keeps.
const char* ResolutionGetPath();
// The defaults of a new installation (full-screen size: the desktop work area).
void ResolutionSetDefaults();
// Reads the file. True when it was read and accepted (then held to the
// display, ResolutionFitToDisplay, and applied). A missing file loads the
// defaults unapplied; a rejected one (size, version) re-applies the record
// as it was and then loads the defaults unapplied.
bool ResolutionReadFile();
// Holds the record's display values to what the display offers (the lists
// of Engine/EngResModes.h); each value changed is reported under
// "ResolutionReadFile". Nothing changes while the lists are not set up.
void ResolutionFitToDisplay(ResolutionSettings* settings);
// The full-screen mode nearest to a size and depth (least |dw| + |dh| + 10 x
// |d depth|, the first of equals); -1 when no mode is offered.
int ResolutionNearestFullScreenMode(int width, int height, int bitDepth);
// The anti-aliasing entry of a mode's list nearest to a pair (least |d type|
// + |d quality|, the first of equals); -1 when the list is empty.
int ResolutionNearestAAEntry(const EngResModesMode& mode, int type, int quality);
// Writes the record (4.82 as the game version) through a temporary file and
// a rename, so a failure keeps the old file. Failures: before the graphics
// device a warning box; with a device, logged and told to the player once
// in a run (App/WriteFailure.h), and play goes on.
void ResolutionWriteFile();
// Applies the record to the engine's screen mode, the GPU sync of the
// program and the window settings record; "Bad resolution values" when a
// size or depth is not above 0 (nothing changes). In full screen the
// record's window (held to the work area) becomes the engine's last window.
void ResolutionSetSettings();
// Copies the engine's current mode (and the window's position) back; in
// full screen the engine's last window is the record's window.
void ResolutionUpdateSettingsFromCurrent();
// Windowed only: a size above the desktop work area is cut to it, and a
// stored position that puts the window outside the work area becomes -1.
void ResolutionClampWindowToDesktop();

// Between the end of start-up and the shutdown saves: writes store the
// show-dialog flag as 1.
void ResolutionSetRunInProgress(bool inProgress);

// Sets the show-About byte (the start of play sets 2 after showing it).
void ResolutionSetShowAbout(int value);
// Copies the fields the card core reads (its import
// ResolutionGetForGame, Game/GameImports.h).
void ResolutionGetForGame(GameDisplaySettings* settings);
