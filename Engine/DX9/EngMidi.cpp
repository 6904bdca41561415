// EngMidi.cpp - the four music slots on the multimedia command strings (see
// EngMidi.h).
#include "Engine/DX9/EngMidi.h"

#include <cstdio>
#include <cstring>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngWindow.h"
#include "Platform/Mci.h"

namespace {

// The stored play commands and the buffers; cleared by EngMidiInit and
// EngMidiCloseAll.
struct MidiState {
  char play[kEngMidiSlots][kEngMidiCommandSize] = {};
  char command[kEngMidiCommandSize * 2] = {};
  char reply[kEngMidiReplySize] = {};
};
MidiState g_midi;

bool ValidSlot(int slot, const char* where) {
  if (slot >= 0 && slot < kEngMidiSlots) return true;
  DebugError(where, "Invalid midi num %d", slot);
  return false;
}

MCIERROR Send(const char* format, int slot, HWND window = nullptr) {
  std::snprintf(g_midi.command, sizeof g_midi.command, format, slot);
  return mciSendStringA(g_midi.command, g_midi.reply, sizeof g_midi.reply, window);
}

}  // namespace

void EngMidiInit() {
  for (auto& command : g_midi.play) command[0] = '\0';
  g_midi.reply[0] = '\0';
}

bool EngMidiLoadFromFile(int slot, const char* fileName, bool notify) {
  if (!ValidSlot(slot, "EngMidiLoadFromFile")) return false;
  if (!fileName || !*fileName) {
    DebugError("EngMidiLoadFromFile", "Empty filename for midi %d", slot);
    return false;
  }
  if (!EngFileExists(fileName)) {
    DebugError("EngMidiLoadFromFile", "No file <%s>", fileName);
    return false;
  }
  // An alias is opened once: a slot still open (loaded, or only stopped)
  // would refuse the new piece and keep the old one.
  g_midi.play[slot][0] = '\0';
  Send("close midi%d", slot);
  const int written =
      std::snprintf(g_midi.command, sizeof g_midi.command, "open %s type sequencer alias midi%d", fileName, slot);
  MCIERROR opened = MCIERR_MISSING_PARAMETER;
  if (written > 0 && written < static_cast<int>(sizeof g_midi.command)) {
    opened = mciSendStringA(g_midi.command, g_midi.reply, sizeof g_midi.reply, nullptr);
  }
  if (opened != 0) {
    g_midi.play[slot][0] = '\0';
    DebugError("EngMidiLoadFromFile", "Could not open <%s> (error %u)", fileName, static_cast<unsigned>(opened));
    return false;
  }
  std::snprintf(g_midi.play[slot], sizeof g_midi.play[slot],
                notify ? "play midi%d from 1 notify" : "play midi%d from 1", slot);
  return true;
}

bool EngMidiPlay(int slot) {
  if (!ValidSlot(slot, "EngMidiPlay")) return false;
  if (!g_midi.play[slot][0]) {
    DebugError("EngMidiPlay", "No midi at %d", slot);
    return false;
  }
  EngWindow* window = EngWindowGetCurrent();
  if (!window || !window->Win().handle) return false;
  return mciSendStringA(g_midi.play[slot], g_midi.reply, sizeof g_midi.reply, window->Win().handle) == 0;
}

std::uint32_t EngMidiStop(int slot) {
  if (!ValidSlot(slot, "EngMidiStop")) return MCIERR_INVALID_DEVICE_NAME;
  g_midi.play[slot][0] = '\0';
  return Send("stop midi%d", slot);
}

std::uint32_t EngMidiClose(int slot) {
  if (!ValidSlot(slot, "EngMidiClose")) return MCIERR_INVALID_DEVICE_NAME;
  g_midi.play[slot][0] = '\0';
  return Send("close midi%d", slot);
}

void EngMidiCloseAll() {
  for (int slot = 0; slot < kEngMidiSlots; ++slot) EngMidiClose(slot);
  g_midi.reply[0] = '\0';
}

const char* EngMidiGetPlayCommand(int slot) {
  return slot >= 0 && slot < kEngMidiSlots ? g_midi.play[slot] : nullptr;
}
