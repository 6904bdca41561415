// EngMidi.h - background music: MIDI files played through the multimedia
// command strings (Platform/Mci.h), in four numbered slots (0 to 3).
//
// A slot is loaded by sending "open %s type sequencer alias midi%d" and
// storing its play command, "play midi%d from 1" (with " notify" when the
// caller wants to hear of the end: the main window then receives
// MM_MCINOTIFY when the piece has ended). Play sends the stored command;
// stop and close send theirs and empty the slot.
//
// State: the four stored play commands (empty = nothing to play), the
// command buffer and the reply buffer; EngMidiInit and EngMidiCloseAll clear
// them.
#pragma once

#include <cstdint>

constexpr int kEngMidiSlots = 4;
constexpr int kEngMidiCommandSize = 256;
constexpr int kEngMidiReplySize = 1000;

// Clears the four play commands and the reply buffer.
void EngMidiInit();
// Opens the file in the slot. Refuses a slot outside 0-3 ("Invalid midi num
// %d"), an empty name ("Empty filename for midi %d") and a missing file ("No
// file <%s>"). The slot is closed first (it may still hold a piece). False, with the
// slot left empty, when the file cannot be opened as music ("Could not open
// <%s> (error %u)").
bool EngMidiLoadFromFile(int slot, const char* fileName, bool notify);
// Sends the slot's play command with the engine window as the notification
// target; without a window nothing is sent (false). "No midi at %d" for an
// empty slot, "Invalid midi num %d" outside 0-3.
bool EngMidiPlay(int slot);
// Stop or close the slot and empty it. The command's result (0 = done);
// a slot outside 0-3 is refused ("Invalid midi num %d") with a non-zero result.
std::uint32_t EngMidiStop(int slot);
std::uint32_t EngMidiClose(int slot);
// Closes slots 0 to 3 and clears the reply buffer.
void EngMidiCloseAll();

// The slot's stored play command ("" when empty, null outside 0-3).
const char* EngMidiGetPlayCommand(int slot);
