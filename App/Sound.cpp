// Sound.cpp - card sounds and music (see Sound.h).
#include "App/Sound.h"

#include "App/Resolution.h"
#include "Engine/Debug.h"
#include "Game/UserRecord.h"

namespace {

struct SampleFile {
  const char* file;
  const char* failure;  // the report when it does not load
};

// The table of the 28 samples; the foundation picture is loaded 13 times.
const SampleFile kSamples[kSoundNumSamples] = {
    {"Data\\Main\\0230.dat", "Could not load card drop sound 1"},
    {"Data\\Main\\0231.dat", "Could not load card drop sound 2"},
    {"Data\\Main\\0232.dat", "Could not load card drop sound 3"},
    {"Data\\Main\\0233.dat", "Could not load card drop sound 4"},
    {"Data\\Main\\0234.dat", "Could not load card drop sound 5"},
    {"Data\\Main\\0220.dat", "Could not load card pickup sound 1"},
    {"Data\\Main\\0221.dat", "Could not load card pickup sound 2"},
    {"Data\\Main\\0222.dat", "Could not load card pickup sound 3"},
    {"Data\\Main\\0223.dat", "Could not load card pickup sound 4"},
    {"Data\\Main\\0224.dat", "Could not load card pickup sound 5"},
    {"Data\\Main\\0210.dat", "Could not load deal sound 1"},
    {"Data\\Main\\0211.dat", "Could not load deal sound 2"},
    {"Data\\Main\\0212.dat", "Could not load deal sound 3"},
    {"Data\\Main\\0213.dat", "Could not load deal sound 4"},
    {"Data\\Main\\0214.dat", "Could not load deal sound 5"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
    {"Data\\Main\\0240.dat", "Could not load foundation sound"},
};
constexpr const char* kFormatSample = "Data\\Main\\0210.dat";
constexpr const char* kMusic = "Data\\Main\\0200.dat";
constexpr int kMusicSlot = 0;

const SoundBackEnd* g_backEnd = nullptr;
bool g_loaded = false;
int g_foundationCycle = 0;
bool g_musicPlaying = false;
bool g_mute = false;

const SoundBackEnd& Back() { return g_backEnd ? *g_backEnd : *SoundGetEngineBackEnd(); }
bool SoundOn() { return g_ResolutionSettings.soundOn != 0; }

}  // namespace

void SoundSetBackEnd(const SoundBackEnd* backEnd) {
  g_backEnd = backEnd;
  g_loaded = false;
  g_foundationCycle = 0;
  g_musicPlaying = false;
  g_mute = false;
}

bool SoundInit() {
  if (!SoundOn()) return true;
  const SoundBackEnd& back = Back();
  if (!back.start(kFormatSample)) {
    DebugError("SoundInit", "EngSoundInit() Failed - turning off sound");
    g_ResolutionSettings.soundOn = 0;
    return false;
  }
  if (g_loaded) return true;
  for (int i = 0; i < kSoundNumSamples; ++i) {
    if (!back.load(i, kSamples[i].file)) {
      DebugError("SoundInit", "%s", kSamples[i].failure);
      continue;
    }
    if (i >= kSoundFirstFoundation) {
      // The thirteen copies form a rising scale.
      const int k = i - kSoundFirstFoundation;
      back.setFrequency(i, back.getFrequency(i) - 0.01f + static_cast<float>(k) * 0.016f);
    }
  }
  SoundSetVolume();
  back.midiInit();
  g_loaded = true;
  return true;
}

void SoundSetVolume() {
  if (!SoundOn()) return;
  for (int i = 0; i < kSoundNumSamples; ++i) Back().setVolume(i, g_UserRecord.soundVolume);
}

void SoundPlaySample(int sample) {
  if (!SoundOn() || g_mute || sample < 0 || sample >= kSoundNumSamples) return;
  if (sample == kSoundFirstFoundation) {
    g_foundationCycle = (g_foundationCycle + 1) % kSoundFoundationCount;
    sample = kSoundFirstFoundation + g_foundationCycle;
  }
  Back().play(sample);
}

void SoundPlayFoundationSound(int rank) {
  if (!SoundOn() || g_mute) return;
  Back().play(rank >= 1 && rank <= 13 ? 14 + rank : kSoundFirstFoundation);
}

void SoundStartMusic() {
  if (!SoundOn() || !g_UserRecord.playMusic || g_musicPlaying) return;
  const SoundBackEnd& back = Back();
  if (!back.midiLoad(kMusicSlot, kMusic, true)) return;
  back.midiPlay(kMusicSlot);
  g_musicPlaying = true;
}

void SoundStopMusic() {
  if (!SoundOn() || !g_musicPlaying) return;
  Back().midiStop(kMusicSlot);
  Back().midiClose(kMusicSlot);
  g_musicPlaying = false;
}

void SoundShutdown() {
  if (!SoundOn() || !g_loaded) return;
  SoundStopMusic();
  const SoundBackEnd& back = Back();
  back.midiCloseAll();
  for (int i = 0; i < kSoundNumSamples; ++i) back.destroy(i);
  back.stop();
  g_loaded = false;
}

void SoundSetMute(bool mute) { g_mute = mute; }
bool SoundIsLoaded() { return g_loaded; }
bool SoundIsMusicPlaying() { return g_musicPlaying; }
