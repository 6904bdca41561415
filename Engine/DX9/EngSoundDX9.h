// EngSoundDX9.h - the DirectSound back end behind the engine's sound
// front-end (Engine/EngSound.h): the one DirectSound object, the primary
// buffer set to the sample file's format, and per sound one static secondary
// buffer filled from a PCM WAV file (with a 3D buffer for 3D sounds). The
// EngSound::*DX operations are declared with the class.
//
// State: the DirectSound object, the primary buffer, the initialised flag and
// the primary format; from EngSoundInit_DX9 to EngSoundShutdown_DX9.
//
// WAV files are read with the multimedia file calls and trusted no further
// than they prove: every chunk lies inside its parent and the file, "fmt "
// holds at least 16 bytes of PCM with 8 or 16 bits, 1 or 2 channels, a block
// align of channels x bytes per sample and a rate DirectSound can play, and
// the data is cut to whole frames (at least 4 bytes, the smallest buffer).
// Anything else is "Invalid format in %s".
#pragma once

#include <cstdint>
#include <vector>

#include "Engine/EngSound.h"

// Starts DirectSound with the settings of EngSoundGetSettings(): true when
// ready (also when already initialised).
bool EngSoundInit_DX9();
// Releases the primary buffer and the DirectSound object (which frees every
// buffer it made) and clears the initialised flag.
void EngSoundShutdown_DX9();

// Loads a WAV file into the sound's buffer (formatOnly: only its format).
// True when loaded. Reports under "LoadSoundFromFileDX".
bool LoadSoundFromFileDX(EngSound* sound, const char* fileName, bool sound3D, bool formatOnly);

// 3D processing normal (on) or off, at once; a sound without a 3D buffer is
// left alone.
void EngSoundSet3DMode(EngSound* sound, bool on);
void EngSoundSet3DDistances(EngSound* sound, float minimum, float maximum);

// Reports "%s - %s" (the failed call, the result's description) under where.
void EngSoundReportError(const char* call, std::int32_t result, const char* where);
// The description of a DirectSound result ("Unknown Error (%d) (0x%x)" text
// for codes it does not know), into a shared buffer.
const char* EngSoundDescribeResult(std::int32_t result);

// A WAV file's checked contents.
struct EngSoundWaveData {
  EngSoundWaveFormat format;
  std::vector<std::uint8_t> samples;  // whole frames
};
// Reads and checks a WAV file as described at the top of this file (the
// samples are skipped with formatOnly). Reports "Can not open wafefile %s"
// or "Invalid format in %s" under "LoadSoundFromFileDX".
bool EngSoundReadWaveFile(const char* fileName, bool formatOnly, EngSoundWaveData* wave);
