// SoundEngine.cpp - the sound unit's back end in the game (see Sound.h): the
// engine's sound front-end (EngSound, the DirectSound kind 1) and its MIDI
// slots.
//
// State: the 28 samples, made empty and loaded by SoundInit, destroyed by
// SoundShutdown; they live for the process.
#include "App/Sound.h"
#include "Engine/DX9/EngMidi.h"
#include "Engine/EngSound.h"

namespace {

EngSound g_samples[kSoundNumSamples];

// DirectSound, 3D on, frequency control on, no muting at distance.
bool Start(const char* formatSample) { return EngSoundInit(1, true, true, false, formatSample); }
bool Load(int i, const char* fileName) { return g_samples[i].LoadFromFile(fileName, false); }
float GetFrequency(int i) { return g_samples[i].GetFrequencyFloat(); }
void SetFrequency(int i, float frequency) { g_samples[i].SetFrequencyFloat(frequency); }
void SetVolume(int i, float volume) { g_samples[i].SetVolume(volume); }
bool Play(int i) { return g_samples[i].Play(); }
void Destroy(int i) { g_samples[i].Destroy(); }
void Stop() { EngSoundShutdown(); }
void MidiInit() { EngMidiInit(); }
bool MidiLoad(int slot, const char* fileName, bool notify) { return EngMidiLoadFromFile(slot, fileName, notify); }
bool MidiPlay(int slot) { return EngMidiPlay(slot); }
void MidiStop(int slot) { EngMidiStop(slot); }
void MidiClose(int slot) { EngMidiClose(slot); }
void MidiCloseAll() { EngMidiCloseAll(); }

const SoundBackEnd kEngine = {Start, Load, GetFrequency, SetFrequency, SetVolume, Play, Destroy, Stop,
                              MidiInit, MidiLoad, MidiPlay, MidiStop, MidiClose, MidiCloseAll};

}  // namespace

const SoundBackEnd* SoundGetEngineBackEnd() { return &kEngine; }
