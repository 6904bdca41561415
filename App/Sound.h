// Sound.h - the game's card sounds and its music: 28 samples in one fixed
// table (drop 0-4, pick-up 5-9, deal 10-14, the foundation scale 15-27) and
// the end-of-game tune in MIDI slot 0.
//
// Two switches gate everything: the settings' sound switch (every
// operation tests it first, so switching sound off silences at once) and,
// for the music, the player's music option. A mute flag, set while a game
// is dealt out of sight for its picture, silences the samples but not the
// music. The sound system and the music are reached through a back end
// (SoundBackEnd): the engine's sound and MIDI front-ends in the game, a
// recording double in tests.
//
// State: the back end, the loaded flag, the foundation cycle (0-12), the
// music-playing flag and the mute flag.
#pragma once

constexpr int kSoundNumSamples = 28;
constexpr int kSoundFirstFoundation = 15;
constexpr int kSoundFoundationCount = 13;

// What the unit needs of a sound system. Samples are known by their table
// index 0-27.
struct SoundBackEnd {
  // Starts the sound system; formatSample is the file whose format the
  // output takes.
  bool (*start)(const char* formatSample);
  bool (*load)(int sample, const char* fileName);
  float (*getFrequency)(int sample);        // 0-1 scale
  void (*setFrequency)(int sample, float frequency);
  void (*setVolume)(int sample, float volume);
  bool (*play)(int sample);
  void (*destroy)(int sample);
  void (*stop)();                           // the sound system
  void (*midiInit)();
  bool (*midiLoad)(int slot, const char* fileName, bool notify);
  bool (*midiPlay)(int slot);
  void (*midiStop)(int slot);
  void (*midiClose)(int slot);
  void (*midiCloseAll)();
};

// The engine's sound system (the default), or another for tests; null
// takes the default again.
void SoundSetBackEnd(const SoundBackEnd* backEnd);
const SoundBackEnd* SoundGetEngineBackEnd();

// Starts the sound system and loads the samples; nothing (true) with the
// sound switch off. A sound system that cannot start turns the sound
// switch off ("EngSoundInit() Failed - turning off sound") and gives
// false; missing samples are reported one by one and stay silent.
bool SoundInit();
// The player's volume on every sample.
void SoundSetVolume();
// Sample 0-27; 15 plays the next foundation sound of the scale in turn.
void SoundPlaySample(int sample);
// The foundation sound of a rank 1-13 (another rank: the first).
void SoundPlayFoundationSound(int rank);
// The tune, when sound and the music option are on and it is not playing.
void SoundStartMusic();
void SoundStopMusic();
// Stops the music, closes the MIDI slots, frees the samples and stops the
// sound system.
void SoundShutdown();

void SoundSetMute(bool mute);
bool SoundIsLoaded();
bool SoundIsMusicPlaying();
