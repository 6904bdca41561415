// Mci.h - the multimedia command-string call the engine plays MIDI music
// with, over FluidSynth. Our own declaration with the Win32 values.
//
// The commands understood (words separated by blanks, case kept as given):
//   open <file> type sequencer alias <alias>
//       <file> is everything between "open " and " type sequencer alias ",
//       blanks included, unquoted. The file must be a Standard MIDI File
//       (format 0 or 1, checked whole before it is accepted). The first open
//       of the process loads the General MIDI soundfont (Debian's
//       default-GM.sf2, else TimGM6mb.sf2) into the one synthesiser, which
//       renders in the audio device's callback (Platform/AudioDevice.h).
//   play <alias> [from <position>] [notify]
//       Plays from the beginning (the only position the game asks for is 1,
//       a millisecond in). With notify, MM_MCINOTIFY (wParam
//       MCI_NOTIFY_SUCCESSFUL, lParam the alias's device id) is posted to the
//       given window when the piece has ended: the window message pump
//       (PeekMessageA) delivers it.
//   stop <alias>     silences at once; a pending notification is dropped.
//   close <alias>    stops and forgets the alias.
// Anything else is refused with an MCIERR code; the return buffer receives
// "" on success (the game never asks for a reply).
//
// The synthesiser, its soundfont and the audio device stay while an alias is
// open; the soundfont stays loaded until MciShutdown.
#pragma once

#include <cstddef>

#include "Platform/Win32Types.h"

using MCIERROR = DWORD;

constexpr UINT MM_MCINOTIFY = 0x03B9;
constexpr WPARAM MCI_NOTIFY_SUCCESSFUL = 0x0001;

constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
constexpr MCIERROR MCIERR_HARDWARE = MCIERR_BASE + 6;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
constexpr MCIERROR MCIERR_MISSING_COMMAND_STRING = MCIERR_BASE + 11;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
constexpr MCIERROR MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;
constexpr MCIERROR MCIERR_DUPLICATE_ALIAS = MCIERR_BASE + 33;
constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40;

// Runs one command (see the file head). 0 on success.
MCIERROR mciSendStringA(const char* command, char* returnString, UINT returnLength, HWND notifyWindow);

// Closes every alias, frees the synthesiser and its soundfont, and releases
// the audio device. The next open starts afresh.
void MciShutdown();

// ---- Checks and seams ----------------------------------------------------------------

// True when the bytes are a Standard MIDI File whose every chunk and event
// lies inside it (the check open makes). Exposed for the fuzz target.
bool MciIsValidMidiFile(const unsigned char* bytes, std::size_t size);

// The soundfont file used (or to be used) by the next load; tests point it at
// a missing file to see the open fail.
const char* MciGetSoundFontPath();
void MciSetSoundFontPathForTests(const char* path);  // null: back to the default search
// True while some alias is playing (not yet at its end, not stopped).
bool MciIsPlaying();
