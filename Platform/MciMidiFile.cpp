// MciMidiFile.cpp - the whole-file check a MIDI file passes before the
// synthesiser's player gets it (see MciIsValidMidiFile in Mci.h).
//
// Accepted: a header chunk "MThd" of at least 6 bytes with format 0 or 1, 1
// to 128 tracks and a positive ticks-per-quarter division (time-code
// divisions are not played), followed by that many "MTrk" chunks (other
// chunks are skipped). Every chunk lies inside the file; in a track every
// event lies inside the chunk: delta times of at most 4 bytes, channel
// messages with their data bytes below 0x80 (running status allowed after a
// channel message), system-exclusive and meta events with their lengths, and
// the fixed lengths of the end-of-track (0), tempo (3), time-signature (4)
// and key-signature (2) meta events; each track ends with its end-of-track
// event and nothing after it. The player's own reader refuses other lengths
// and reads past a track without its end, which would leave a piece that
// silently never plays.
#include <cstdint>

#include "Platform/Mci.h"

namespace {

constexpr int kMaxTracks = 128;

struct Reader {
  const unsigned char* at;
  const unsigned char* end;

  bool Byte(unsigned* value) {
    if (at >= end) return false;
    *value = *at++;
    return true;
  }
  bool Skip(std::uint32_t count) {
    if (static_cast<std::uint64_t>(end - at) < count) return false;
    at += count;
    return true;
  }
  bool VariableLength(std::uint32_t* value) {
    *value = 0;
    for (int i = 0; i < 4; ++i) {
      unsigned byte;
      if (!Byte(&byte)) return false;
      *value = (*value << 7) | (byte & 0x7F);
      if (!(byte & 0x80)) return true;
    }
    return false;
  }
};

std::uint32_t BigEndian32(const unsigned char* bytes) {
  return (static_cast<std::uint32_t>(bytes[0]) << 24) | (static_cast<std::uint32_t>(bytes[1]) << 16) |
         (static_cast<std::uint32_t>(bytes[2]) << 8) | bytes[3];
}

int DataBytesOf(unsigned status) {
  const unsigned kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

bool MetaLengthFits(unsigned type, std::uint32_t length) {
  switch (type) {
    case 0x2F: return length == 0;
    case 0x51: return length == 3;
    case 0x58: return length == 4;
    case 0x59: return length == 2;
    default: return true;
  }
}

bool ValidTrack(Reader track) {
  unsigned runningStatus = 0;
  bool ended = false;
  while (track.at < track.end) {
    if (ended) return false;  // events after the end of the track
    std::uint32_t delta;
    unsigned status;
    if (!track.VariableLength(&delta) || !track.Byte(&status)) return false;
    if (status < 0x80) {
      // Running status: this byte is the first data byte.
      if (runningStatus == 0) return false;
      --track.at;
      status = runningStatus;
    }
    if (status < 0xF0) {
      runningStatus = status;
      for (int i = 0; i < DataBytesOf(status); ++i) {
        unsigned data;
        if (!track.Byte(&data) || data >= 0x80) return false;
      }
      continue;
    }
    runningStatus = 0;
    std::uint32_t length;
    if (status == 0xF0 || status == 0xF7) {
      if (!track.VariableLength(&length) || !track.Skip(length)) return false;
    } else if (status == 0xFF) {
      unsigned type;
      if (!track.Byte(&type) || !track.VariableLength(&length) || !MetaLengthFits(type, length) ||
          !track.Skip(length)) {
        return false;
      }
      ended = type == 0x2F;
    } else {
      return false;  // real-time and common messages have no place in a file
    }
  }
  return ended;
}

}  // namespace

bool MciIsValidMidiFile(const unsigned char* bytes, std::size_t size) {
  if (!bytes || size < 14) return false;
  Reader file{bytes, bytes + size};
  if (BigEndian32(bytes) != 0x4D546864u) return false;  // "MThd"
  const std::uint32_t headerLength = BigEndian32(bytes + 4);
  if (headerLength < 6) return false;
  const unsigned format = (bytes[8] << 8) | bytes[9];
  const unsigned tracks = (bytes[10] << 8) | bytes[11];
  const unsigned division = (bytes[12] << 8) | bytes[13];
  if (format > 1 || tracks < 1 || tracks > kMaxTracks || division == 0 || (division & 0x8000)) return false;
  if (!file.Skip(8) || !file.Skip(headerLength)) return false;
  unsigned found = 0;
  while (found < tracks) {
    if (!file.Skip(8)) return false;
    const std::uint32_t id = BigEndian32(file.at - 8);
    const std::uint32_t length = BigEndian32(file.at - 4);
    const unsigned char* data = file.at;
    if (!file.Skip(length)) return false;
    if (id != 0x4D54726Bu) continue;  // not "MTrk"
    if (!ValidTrack(Reader{data, data + length})) return false;
    ++found;
  }
  return true;
}
