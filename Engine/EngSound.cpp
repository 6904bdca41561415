// EngSound.cpp - the sound settings, the sound system's start and stop, and
// the sample front-end's forwarding (see EngSound.h).
#include "Engine/EngSound.h"

#include <cstring>

#include "Engine/DX9/EngSoundDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"

namespace {

constexpr int kDirectSound = 1;

EngSoundSettings g_settings;  // for the process's run; see EngSound.h

bool DirectSound() { return g_settings.kind == kDirectSound; }

}  // namespace

const EngSoundSettings& EngSoundGetSettings() { return g_settings; }

void EngSoundResetSettingsForTests() { g_settings = EngSoundSettings(); }

bool EngSoundInit(int kind, bool use3D, bool frequencyControl, bool muteAtMaxDistance, const char* sampleName) {
  g_settings.kind = kind;
  g_settings.use3D = use3D;
  g_settings.frequencyControl = frequencyControl;
  g_settings.muteAtMaxDistance = muteAtMaxDistance;
  if (kind == 0) {
    DebugError("EngSoundInit", "Sound parameters not setup");
    return false;
  }
  if (kind == kDirectSound) {
    g_settings.samplePresent = sampleName && *sampleName;
    g_settings.sampleName[0] = '\0';
    if (g_settings.samplePresent) {
      if (std::strlen(sampleName) >= sizeof g_settings.sampleName) {
        g_settings.samplePresent = false;
        DebugError("EngSoundInit", "Sample sound filename too long");
        return false;
      }
      std::strcpy(g_settings.sampleName, sampleName);
    }
  }
  return EngSoundUpdate();
}

bool EngSoundUpdate() {
  if (g_settings.kind == g_settings.kindStarted && g_settings.kind != 0) return true;
  EngSoundShutdown();
  if (g_settings.kind != kDirectSound) {
    DebugError("EngSoundUpdate", "Unknown sound system %d", g_settings.kind);
    return false;
  }
  if (!EngSoundInit_DX9()) return false;
  g_settings.kindStarted = kDirectSound;
  g_settings.soundOn = true;
  return true;
}

void EngSoundShutdown() {
  if (g_settings.kindStarted == kDirectSound) EngSoundShutdown_DX9();
  g_settings.kindStarted = 0;
  g_settings.soundOn = false;
}

// ---- EngSound ------------------------------------------------------------------------

EngSound::EngSound() = default;

EngSound::EngSound(const char* fileName, bool sound3D) {
  if (!g_settings.use3D) sound3D = false;
  if (!fileName || !*fileName) {
    DebugError("EngSound::EngSound", "No filename");
    return;
  }
  if (!EngFileExists(fileName)) {
    DebugError("EngSound::EngSound", "Filename does not exist <%s>", fileName);
    return;
  }
  if (DirectSound() && !LoadFromFile(fileName, sound3D)) DebugError("EngSound::EngSound", "Could not load sound");
}

EngSound::~EngSound() { Destroy(); }

bool EngSound::LoadFromFile(const char* fileName, bool sound3D) {
  if (!DirectSound()) return false;
  const bool loaded = LoadDX(fileName, sound3D);
  handle_ = loaded && buffer ? 1 : 0;
  return loaded;
}

bool EngSound::SetVolume(float volume) {
  if (!DirectSound()) return false;
  volume_ = volume;
  return SetVolumeDX(volume);
}

bool EngSound::Play() { return DirectSound() && g_settings.soundOn && PlayDX(); }

bool EngSound::SetFrequencyFloat(float frequency) { return DirectSound() && SetFrequencyFloatDX(frequency); }

float EngSound::GetFrequencyFloat() { return DirectSound() ? GetFrequencyFloatDX() : 0.0f; }

void EngSound::Destroy() {
  if (buffer || buffer3D) DestroyDX();
  handle_ = 0;
}
