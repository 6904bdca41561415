// AudioDevice.h - the process's one audio output: an SDL audio device, S16
// stereo, whose callback mixes the sounds' voices (Platform/AudioMixer.h)
// and the music (one render source, Platform/Mci.h) into each buffer.
//
// Shared by the DirectSound object and the MIDI player: each holds a
// reference while it needs sound; the device opens with the first reference
// (SDL's audio subsystem is started then, so SDL_AUDIODRIVER is read at that
// moment) and closes with the last one (the subsystem is stopped again).
// The rate is 44100 Hz until the sounds' primary format asks for another one,
// which re-opens the device at that rate.
//
// Threads: SDL calls the callback on its own thread. Everything the callback
// reads (the voice list, the voices, the render source) changes only under
// AudioDeviceLock; the functions below take the lock themselves where they
// say so.
#pragma once

#include <cstdint>

struct AudioVoice;

// Adds `frames` stereo frames at `rate` into the accumulator (2 x frames
// floats, S16 units). Runs on the audio thread with the device locked.
using AudioRenderSource = void (*)(float* accumulator, int frames, int rate, void* context);

constexpr int kAudioDeviceDefaultRate = 44100;
// Frames per device buffer: about 12 ms at 44.1 kHz, the delay between a
// request and its sound.
constexpr int kAudioDeviceBufferFrames = 512;

// Takes a reference, opening the device on the first one. False (and no
// reference) when SDL's audio cannot start or no device opens.
bool AudioDeviceAcquire();
// Drops a reference; the last one closes the device.
void AudioDeviceRelease();
bool AudioDeviceIsOpen();
// The output rate while open; the rate the next open will use otherwise.
int AudioDeviceGetRate();
// Changes the output rate (8000 .. 192000), re-opening an open device. False
// for a rate out of range or when the device cannot re-open at it (then it
// stays closed: the holders keep their references and hear nothing).
bool AudioDeviceSetRate(int rate);

// Holds the device's lock (the callback does not run meanwhile). Nests.
void AudioDeviceLock();
void AudioDeviceUnlock();
class AudioDeviceLockGuard {
 public:
  AudioDeviceLockGuard() { AudioDeviceLock(); }
  ~AudioDeviceLockGuard() { AudioDeviceUnlock(); }
  AudioDeviceLockGuard(const AudioDeviceLockGuard&) = delete;
  AudioDeviceLockGuard& operator=(const AudioDeviceLockGuard&) = delete;
};

// The voices the callback mixes. Both take the lock. A voice must be removed
// before its memory goes.
void AudioDeviceAddVoice(AudioVoice* voice);
void AudioDeviceRemoveVoice(AudioVoice* voice);
// The one render source (null removes it). Takes the lock.
void AudioDeviceSetRenderSource(AudioRenderSource source, void* context);

// Test seam: with manual output on, acquiring opens no SDL device, so the
// only rendering is what AudioDeviceRender is asked for: mixing and music
// tests run exactly, without a sound system. Change it only while no
// reference is held.
void AudioDeviceUseManualOutputForTests(bool manual);

// Renders `frames` frames into out (2 x frames values) at the current rate:
// what the callback runs for each buffer, and what tests and benchmarks call
// to mix without a device. Takes the lock.
void AudioDeviceRender(std::int16_t* out, int frames);
