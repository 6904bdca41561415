// MciFluid.cpp - the MCI command strings on one FluidSynth synthesiser (see
// Mci.h).
//
// State (MciState, for the process's life until MciShutdown): the settings,
// the synthesiser with its soundfont, the open aliases and whether the audio
// device is held. Each alias keeps its file's bytes; every play makes a fresh
// FluidSynth player from them (so "play" always starts at the beginning, and
// a finished player is never resumed). The players run on the synthesiser's
// sample clock: they advance exactly as fast as the audio callback renders,
// and a render of one second plays one second of music.
//
// The audio thread (Render) marks an alias whose player has finished; the
// window pump's hook (PostNotifications) posts its MM_MCINOTIFY.
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Platform/AudioDevice.h"
#include "Platform/Files.h"
#include "Platform/Mci.h"
#include "Platform/Window.h"

namespace {

constexpr const char* kSoundFonts[] = {"/usr/share/sounds/sf2/default-GM.sf2",
                                       "/usr/share/sounds/sf2/TimGM6mb.sf2"};
// After a piece ends by itself the synthesiser renders this much longer, so
// that the last notes and the reverb fade out instead of being cut.
constexpr int kTailSeconds = 2;
constexpr float kFloatToS16 = 32767.0f;
constexpr double kSynthGain = 0.5;

struct MciAlias {
  std::string name;
  UINT deviceId = 0;
  std::vector<unsigned char> bytes;
  fluid_player_t* player = nullptr;
  bool playing = false;  // changed under the device lock
  bool notify = false;
  HWND notifyWindow = nullptr;
  std::atomic<bool> ended{false};  // set by the audio thread, taken by the pump
};

struct MciState {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  int synthRate = 0;
  bool deviceHeld = false;
  std::vector<std::unique_ptr<MciAlias>> aliases;
  UINT nextDeviceId = 1;
  long tailFrames = 0;  // frames still to render with nothing playing
  std::string soundFontOverride;
  bool overrideSet = false;
  float scratch[2 * kAudioDeviceBufferFrames] = {};
};

MciState& S() {
  // Never destroyed: the audio thread may still render at exit.
  static MciState& state = *new MciState;
  return state;
}

// ---- The audio thread's side -------------------------------------------------------

// True once the player has passed the piece's last event. (The player itself
// reports that it is done only a few seconds later, when it gives up
// waiting for notes to ring out.)
bool PieceEnded(fluid_player_t* player) {
  if (fluid_player_get_status(player) == FLUID_PLAYER_DONE) return true;
  const int total = fluid_player_get_total_ticks(player);
  return total > 0 && fluid_player_get_current_tick(player) >= total;
}

void Render(float* accumulator, int frames, int, void*) {
  MciState& s = S();
  if (!s.synth) return;
  bool anyPlaying = false;
  for (const auto& alias : s.aliases) {
    if (!alias->playing) continue;
    if (PieceEnded(alias->player)) {
      alias->playing = false;
      if (alias->notify) alias->ended = true;
      s.tailFrames = static_cast<long>(kTailSeconds) * s.synthRate;
    } else {
      anyPlaying = true;
    }
  }
  if (!anyPlaying && s.tailFrames <= 0) return;
  if (!anyPlaying) s.tailFrames -= frames;
  while (frames > 0) {
    const int chunk = std::min(frames, kAudioDeviceBufferFrames);
    fluid_synth_write_float(s.synth, chunk, s.scratch, 0, 2, s.scratch, 1, 2);
    for (int i = 0; i < 2 * chunk; ++i) accumulator[i] += s.scratch[i] * kFloatToS16;
    accumulator += 2 * chunk;
    frames -= chunk;
  }
}

// The window pump's hook: posts the notifications of pieces that ended.
void PostNotifications() {
  for (const auto& alias : S().aliases) {
    if (!alias->ended.exchange(false)) continue;
    if (alias->notifyWindow && IsWindow(alias->notifyWindow)) {
      PostMessageA(alias->notifyWindow, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(alias->deviceId));
    }
  }
}

// ---- Synthesiser -------------------------------------------------------------------------

void QuietFluidSynth() {
  static bool done = false;
  if (done) return;
  // The engine reports failures in its own words; the library's own lines
  // would only go to stderr.
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid_set_log_function(level, nullptr, nullptr);
  }
  done = true;
}

void FreeSynth() {
  MciState& s = S();
  AudioDeviceSetRenderSource(nullptr, nullptr);
  if (s.synth) delete_fluid_synth(s.synth);
  if (s.settings) delete_fluid_settings(s.settings);
  s.synth = nullptr;
  s.settings = nullptr;
  s.synthRate = 0;
}

bool MakeSynth(int rate) {
  MciState& s = S();
  QuietFluidSynth();
  s.settings = new_fluid_settings();
  if (!s.settings) return false;
  fluid_settings_setnum(s.settings, "synth.sample-rate", static_cast<double>(rate));
  fluid_settings_setstr(s.settings, "player.timing-source", "sample");
  // The library's default level leaves a full arrangement some 20 dB below
  // the card sounds; this brings it level with them.
  fluid_settings_setnum(s.settings, "synth.gain", kSynthGain);
  s.synth = new_fluid_synth(s.settings);
  if (!s.synth || fluid_synth_sfload(s.synth, MciGetSoundFontPath(), 1) == FLUID_FAILED) {
    FreeSynth();
    return false;
  }
  s.synthRate = rate;
  return true;
}

// ---- Aliases ------------------------------------------------------------------------------

MciAlias* FindAlias(const std::string& name) {
  for (const auto& alias : S().aliases) {
    if (alias->name == name) return alias.get();
  }
  return nullptr;
}

void StopAlias(MciAlias* alias) {
  MciState& s = S();
  AudioDeviceLockGuard hold;
  if (alias->player) {
    fluid_player_stop(alias->player);
    delete_fluid_player(alias->player);
    alias->player = nullptr;
  }
  const bool wasPlaying = alias->playing;
  alias->playing = false;
  alias->ended = false;
  // Silence now: notes, their release and the reverb's and chorus's memory.
  if (wasPlaying && s.synth) fluid_synth_system_reset(s.synth);
  s.tailFrames = 0;
}

void CloseAlias(MciAlias* alias) {
  MciState& s = S();
  StopAlias(alias);
  {
    AudioDeviceLockGuard hold;
    s.aliases.erase(std::remove_if(s.aliases.begin(), s.aliases.end(),
                                   [alias](const auto& held) { return held.get() == alias; }),
                    s.aliases.end());
  }
  // Not under the lock: closing the device waits for the callback.
  if (s.aliases.empty() && s.deviceHeld) {
    AudioDeviceSetRenderSource(nullptr, nullptr);
    AudioDeviceRelease();
    s.deviceHeld = false;
  }
}

bool ReadWholeFile(const std::string& name, std::vector<unsigned char>* bytes) {
  std::FILE* stream = PlatformFileOpen(name.c_str(), "rb");
  if (!stream) return false;
  unsigned char block[4096];
  std::size_t read;
  while ((read = std::fread(block, 1, sizeof block, stream)) > 0) bytes->insert(bytes->end(), block, block + read);
  const bool ok = !std::ferror(stream);
  std::fclose(stream);
  return ok;
}

// ---- Commands -------------------------------------------------------------------------------

MCIERROR Open(const std::string& rest) {
  MciState& s = S();
  static const std::string kMiddle = " type sequencer alias ";
  const std::size_t middle = rest.find(kMiddle);
  if (middle == std::string::npos || middle == 0) return MCIERR_MISSING_PARAMETER;
  const std::string file = rest.substr(0, middle);
  const std::string aliasName = rest.substr(middle + kMiddle.size());
  if (aliasName.empty() || aliasName.find(' ') != std::string::npos) return MCIERR_MISSING_PARAMETER;
  if (FindAlias(aliasName)) return MCIERR_DUPLICATE_ALIAS;
  if (!PlatformFileIsRegular(file.c_str())) return MCIERR_FILE_NOT_FOUND;

  auto alias = std::make_unique<MciAlias>();
  if (!ReadWholeFile(file, &alias->bytes)) return MCIERR_FILE_NOT_FOUND;
  if (!MciIsValidMidiFile(alias->bytes.data(), alias->bytes.size())) return MCIERR_INVALID_FILE;

  if (!s.deviceHeld) {
    if (!AudioDeviceAcquire()) return MCIERR_HARDWARE;
    s.deviceHeld = true;
  }
  // The output rate may have changed since the synthesiser was made; with
  // nothing else open it is made again at the new rate.
  if (s.synth && s.synthRate != AudioDeviceGetRate() && s.aliases.empty()) FreeSynth();
  if (!s.synth && !MakeSynth(AudioDeviceGetRate())) {
    if (s.aliases.empty()) {
      AudioDeviceRelease();
      s.deviceHeld = false;
    }
    return MCIERR_CANNOT_LOAD_DRIVER;
  }
  AudioDeviceSetRenderSource(Render, nullptr);
  alias->name = aliasName;
  alias->deviceId = s.nextDeviceId++;
  AudioDeviceLockGuard hold;
  s.aliases.push_back(std::move(alias));
  return 0;
}

MCIERROR Play(MciAlias* alias, const std::vector<std::string>& words, HWND window) {
  MciState& s = S();
  bool notify = false;
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "notify") {
      notify = true;
    } else if (words[i] == "from" && i + 1 < words.size()) {
      ++i;  // any position: the piece starts at its beginning
    } else {
      return MCIERR_UNRECOGNIZED_COMMAND;
    }
  }
  StopAlias(alias);
  AudioDeviceLockGuard hold;
  alias->player = new_fluid_player(s.synth);
  if (!alias->player || fluid_player_add_mem(alias->player, alias->bytes.data(), alias->bytes.size()) != FLUID_OK ||
      fluid_player_play(alias->player) != FLUID_OK) {
    if (alias->player) delete_fluid_player(alias->player);
    alias->player = nullptr;
    return MCIERR_HARDWARE;
  }
  alias->notify = notify;
  alias->notifyWindow = window;
  alias->playing = true;
  if (notify) PlatformSetPumpHook(PostNotifications);
  return 0;
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(' ', start);
    const std::size_t stop = end == std::string::npos ? text.size() : end;
    if (stop > start) words.push_back(text.substr(start, stop - start));
    start = stop + 1;
  }
  return words;
}

}  // namespace

MCIERROR mciSendStringA(const char* command, char* returnString, UINT returnLength, HWND notifyWindow) {
  if (returnString && returnLength > 0) returnString[0] = '\0';
  if (!command || !*command) return MCIERR_MISSING_COMMAND_STRING;
  const std::string text = command;
  if (text.rfind("open ", 0) == 0) return Open(text.substr(5));

  const std::vector<std::string> words = SplitWords(text);
  if (words.size() < 2) return words.empty() ? MCIERR_MISSING_COMMAND_STRING : MCIERR_MISSING_PARAMETER;
  MciAlias* alias = FindAlias(words[1]);
  const std::string& verb = words[0];
  if (verb != "play" && verb != "stop" && verb != "close") return MCIERR_UNRECOGNIZED_COMMAND;
  if (!alias) return MCIERR_INVALID_DEVICE_NAME;
  if (verb == "play") return Play(alias, words, notifyWindow);
  if (words.size() != 2) return MCIERR_UNRECOGNIZED_COMMAND;
  if (verb == "stop") {
    StopAlias(alias);
  } else {
    CloseAlias(alias);
  }
  return 0;
}

void MciShutdown() {
  MciState& s = S();
  while (!s.aliases.empty()) CloseAlias(s.aliases.back().get());
  FreeSynth();
}

const char* MciGetSoundFontPath() {
  MciState& s = S();
  if (s.overrideSet) return s.soundFontOverride.c_str();
  for (const char* path : kSoundFonts) {
    if (PlatformFileIsRegular(path)) return path;
  }
  return kSoundFonts[0];
}

void MciSetSoundFontPathForTests(const char* path) {
  MciState& s = S();
  s.overrideSet = path != nullptr;
  s.soundFontOverride = path ? path : "";
}

bool MciIsPlaying() {
  AudioDeviceLockGuard hold;
  for (const auto& alias : S().aliases) {
    if (alias->playing) return true;
  }
  return false;
}
