// SoundEngine.cpp - the sound unit's back end in the game (see Sound.h).
//
// Until the engine's sound and MIDI front-ends exist, the game's sound
// system is a silent one: every call succeeds and nothing is heard (the
// settings' sound switch is left as the player set it).
#include "App/Sound.h"

namespace {

bool Start(const char*) { return true; }
bool Load(int, const char*) { return true; }
float GetFrequency(int) { return 0.0f; }
void SetFrequency(int, float) {}
void SetVolume(int, float) {}
bool Play(int) { return true; }
void Destroy(int) {}
void Stop() {}
void MidiInit() {}
bool MidiLoad(int, const char*, bool) { return true; }
bool MidiPlay(int) { return true; }
void MidiSlot(int) {}
void MidiCloseAll() {}

const SoundBackEnd kEngine = {Start, Load, GetFrequency, SetFrequency, SetVolume, Play, Destroy, Stop,
                              MidiInit, MidiLoad, MidiPlay, MidiSlot, MidiSlot, MidiCloseAll};

}  // namespace

const SoundBackEnd* SoundGetEngineBackEnd() { return &kEngine; }
