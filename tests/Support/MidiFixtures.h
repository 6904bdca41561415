// MidiFixtures.h - small Standard MIDI Files built byte by byte for tests of
// the MIDI check and the music player.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace midi_fixtures {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

inline std::string BigEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

// "MThd", length 6, format, tracks, division.
inline std::string Header(int format, int tracks, int division) {
  return "MThd" + BigEndian(6, 4) + BigEndian(format, 2) + BigEndian(tracks, 2) + BigEndian(division, 2);
}

// "MTrk" around the events (delta times included by the caller).
inline std::string Track(const std::string& events) { return "MTrk" + BigEndian(static_cast<std::uint32_t>(events.size()), 4) + events; }

inline std::string EndOfTrack() { return Bytes({0x00, 0xFF, 0x2F, 0x00}); }

// One piano note (middle C) of `ticks` at 96 ticks a quarter and the default
// 120 beats a minute: 96 ticks are half a second.
inline std::string OneNote(int ticks) {
  const std::string events = Bytes({0x00, 0xC0, 0x00, 0x00, 0x90, 60, 100}) + Bytes({ticks & 0x7F}) +
                             Bytes({0x80, 60, 0}) + EndOfTrack();
  return Header(0, 1, 96) + Track(events);
}

}  // namespace midi_fixtures
