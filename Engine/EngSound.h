// EngSound.h - the engine's sound front-end: the process-wide sound settings,
// starting and stopping the sound system, and one sound sample (EngSound).
//
// Every sample operation forwards to the DirectSound back end
// (Engine/DX9/EngSoundDX9.h) when the sound system kind is 1 (the only
// kind); otherwise it does nothing and answers false or 0. EngSound::Play
// also needs the sound-on flag, which is set when EngSoundUpdate starts the
// back end and cleared when the sound system is shut down.
//
// State: EngSoundSettings (one record for the process's run; EngSoundInit
// stores into it, EngSoundShutdown clears the kind last started and the
// sound-on flag).
#pragma once

#include <cstdint>

class IDirectSoundBuffer;
class IDirectSound3DBuffer;

constexpr int kEngSoundSampleNameSize = 512;

// The process-wide sound settings.
struct EngSoundSettings {
  int kind = 0;                    // 0 none, 1 DirectSound
  bool use3D = false;
  bool frequencyControl = false;   // samples can change their playback rate
  bool muteAtMaxDistance = false;  // 3D samples fall silent at their greatest distance
  char sampleName[kEngSoundSampleNameSize] = {};  // the file that sets the output format
  bool samplePresent = false;
  int kindStarted = 0;  // the kind last started (0: none running)
  bool soundOn = false;
};
const EngSoundSettings& EngSoundGetSettings();

// Stores the settings and starts the sound system (EngSoundUpdate). Kind 0
// reports "Sound parameters not setup"; a sample name of 512 characters or
// more "Sample sound filename too long"; both give false. frequencyControl
// and muteAtMaxDistance are the two setting bytes; sampleName may be null.
bool EngSoundInit(int kind, bool use3D, bool frequencyControl, bool muteAtMaxDistance, const char* sampleName);
// Starts the configured kind unless it is already running: the old system
// is shut down first. Kind 1 starts DirectSound (false when it cannot); any
// other kind reports "Unknown sound system %d" and fails. On success the
// sound-on flag is set.
bool EngSoundUpdate();
// Shuts the running system down (DirectSound's object and every buffer it
// made): samples still alive afterwards only forget their buffers.
void EngSoundShutdown();

// The sample's PCM format as its file gave it.
struct EngSoundWaveFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSecond = 0;
  std::uint32_t averageBytesPerSecond = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t extraSize = 0;
};

// One sound sample. A sample whose load failed holds nothing and plays
// nothing.
class EngSound {
 public:
  // Empty: nothing loaded.
  EngSound();
  // Loads a WAV file. The 3D request is dropped when the system was set up
  // without 3D. Reports "No filename" for an empty name, "Filename does not
  // exist <%s>" and "Could not load sound" (under "EngSound::EngSound").
  EngSound(const char* fileName, bool sound3D);
  ~EngSound();
  EngSound(const EngSound&) = delete;
  EngSound& operator=(const EngSound&) = delete;

  // ---- Front-end (forwarding; false or 0 without the DirectSound kind) ----
  bool LoadFromFile(const char* fileName, bool sound3D);
  bool SetVolume(float volume);  // 0 .. 1
  // Plays from the start, once; also needs the sound-on flag.
  bool Play();
  bool SetFrequencyFloat(float frequency);  // 0 .. 1: 100 .. 200000 Hz
  float GetFrequencyFloat();
  void Destroy();
  bool IsLoaded() const { return handle_ != 0; }
  float GetVolume() const { return volume_; }

  // ---- DirectSound back end (Engine/DX9/EngSoundDX9.cpp) ----
  bool LoadDX(const char* fileName, bool sound3D);
  bool PlayDX();
  void DestroyDX();
  bool SetVolumeDX(float volume);
  bool SetFrequencyDX(std::uint32_t hertz);
  bool SetFrequencyFloatDX(float frequency);
  float GetFrequencyFloatDX();
  // Forgets the buffers, the 3D buffer and the format.
  void ClearDX();
  // True while the buffers belong to the running DirectSound object (not to
  // one shut down since, which freed them).
  bool HasLiveBuffers() const;

  // The DirectSound fields, in record order.
  float lengthSeconds = 0.0f;
  IDirectSoundBuffer* buffer = nullptr;
  IDirectSound3DBuffer* buffer3D = nullptr;
  EngSoundWaveFormat format;
  std::uint16_t spare = 0;
  std::uint32_t directSoundRun = 0;  // which DirectSound object made the buffers

 private:
  int handle_ = 0;  // 1 while a buffer is loaded
  float volume_ = 0.0f;
};

// Test seam: back to a fresh run's settings (no system shut down).
void EngSoundResetSettingsForTests();
