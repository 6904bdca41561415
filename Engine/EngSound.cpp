// EngSound.cpp - the sound settings, the sound system's start and stop, and
// the sample front-end's forwarding (see EngSound.h).
#include "Engine/EngSound.h"

#include <cstring>

#include "Engine/DX9/EngSoundDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"

namespace {

constexpr int kDirectSound = 1;

EngSoundSettings gSettings;  // for the process's run; see EngSound.h

bool DirectSound() { return gSettings.kind == kDirectSound; }

}  // namespace

const EngSoundSettings& EngSoundGetSettings() { return gSettings; }

void EngSoundResetSettingsForTests() { gSettings = EngSoundSettings(); }

bool EngSoundInit(int kind, bool use3D, bool frequencyControl, bool muteAtMaxDistance, const char* sampleName) {
  gSettings.kind = kind;
  gSettings.use3D = use3D;
  gSettings.frequencyControl = frequencyControl;
  gSettings.muteAtMaxDistance = muteAtMaxDistance;
  if (kind == 0) {
    DebugError("EngSoundInit", "Sound parameters not setup");
    return false;
  }
  if (kind == kDirectSound) {
    gSettings.samplePresent = sampleName && *sampleName;
    gSettings.sampleName[0] = '\0';
    if (gSettings.samplePresent) {
      if (std::strlen(sampleName) >= sizeof gSettings.sampleName) {
        gSettings.samplePresent = false;
        DebugError("EngSoundInit", "Sample sound filename too long");
        return false;
      }
      std::strcpy(gSettings.sampleName, sampleName);
    }
  }
  return EngSoundUpdate();
}

bool EngSoundUpdate() {
  if (gSettings.kind == gSettings.kindStarted && gSettings.kind != 0) return true;
  EngSoundShutdown();
  if (gSettings.kind != kDirectSound) {
    DebugError("EngSoundUpdate", "Unknown sound system %d", gSettings.kind);
    return false;
  }
  if (!EngSoundInit_DX9()) return false;
  gSettings.kindStarted = kDirectSound;
  gSettings.soundOn = true;
  return true;
}

void EngSoundShutdown() {
  if (gSettings.kindStarted == kDirectSound) EngSoundShutdown_DX9();
  gSettings.kindStarted = 0;
  gSettings.soundOn = false;
}

// ---- EngSound ------------------------------------------------------------------------

EngSound::EngSound() = default;

EngSound::EngSound(const char* fileName, bool sound3D) {
  if (!gSettings.use3D) sound3D = false;
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

bool EngSound::Play() { return DirectSound() && gSettings.soundOn && PlayDX(); }

bool EngSound::SetFrequencyFloat(float frequency) { return DirectSound() && SetFrequencyFloatDX(frequency); }

float EngSound::GetFrequencyFloat() { return DirectSound() ? GetFrequencyFloatDX() : 0.0f; }

void EngSound::Destroy() {
  if (buffer || buffer3D) DestroyDX();
  handle_ = 0;
}
