// MakeTune.cpp - composes the end-of-game tune from the note table below and
// writes it as a Standard MIDI File (format 1).
//
//   MakeTune <output file>
//
// Sixteen bars in C major at 132 beats a minute (about 29 s): a vibraphone
// melody over string chords, a walking bass and a light drum kit, ending on
// a long C with a cymbal. General MIDI instruments, so any GM soundfont
// plays it. The file is written from the tables alone: a rebuild writes the
// same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kTicksPerEighth = kTicksPerQuarter / 2;
constexpr int kTicksPerBar = 4 * kTicksPerQuarter;
constexpr int kBeatsPerMinute = 132;
constexpr int kBars = 16;

// MIDI note numbers (middle C is 60).
enum Note : int {
  A1 = 33, C2 = 36, D2 = 38, E2 = 40, F2 = 41, G2 = 43, A2 = 45, B2 = 47, C3 = 48,
  F3 = 53, G3 = 55, A3 = 57, B3 = 59, C4 = 60, D4 = 62, E4 = 64, F4 = 65,
  B4 = 71, C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83,
  C6 = 84, D6 = 86, E6 = 88, F6 = 89,
};

// ---- The note table ------------------------------------------------------------------------

struct Step {
  int note;     // 0: a rest
  int eighths;  // length
};

// The melody, bar by bar (each bar eight eighths).
const std::vector<std::vector<Step>> kMelody = {
    {{E5, 2}, {G5, 2}, {C6, 2}, {G5, 2}},           // C
    {{A5, 3}, {G5, 1}, {E5, 2}, {C5, 2}},           // Am
    {{F5, 2}, {A5, 2}, {C6, 3}, {A5, 1}},           // F
    {{G5, 4}, {B4, 2}, {D5, 2}},                    // G
    {{E5, 1}, {F5, 1}, {G5, 2}, {C6, 2}, {E6, 2}},  // C
    {{D6, 2}, {C6, 2}, {A5, 4}},                    // Am
    {{F5, 2}, {A5, 2}, {C6, 2}, {D6, 2}},           // Dm7
    {{B5, 4}, {G5, 4}},                             // G7
    {{A5, 2}, {C6, 2}, {F6, 3}, {E6, 1}},           // F
    {{D6, 2}, {B5, 2}, {G5, 4}},                    // G
    {{G5, 2}, {B5, 2}, {E6, 2}, {D6, 2}},           // Em
    {{C6, 6}, {A5, 2}},                             // Am
    {{A5, 1}, {B5, 1}, {C6, 2}, {F6, 2}, {E6, 2}},  // F
    {{D6, 2}, {C6, 2}, {B5, 2}, {D6, 2}},           // G
    {{E6, 2}, {C6, 2}, {G5, 2}, {E5, 2}},           // C
    {{C6, 8}},                                      // C
};

struct Chord {
  std::vector<int> notes;  // the strings' voicing
  int root;                // the bass's root
  int fifth;
};

const Chord kC{{C4, E4, 67}, C2, G2};
const Chord kAm{{A3, C4, E4}, A1, E2};
const Chord kF{{F3, A3, C4}, F2, C3};
const Chord kG{{G3, B3, D4}, G2, D2};
const Chord kDm7{{A3, C4, D4, F4}, D2, A2};
const Chord kG7{{F3, G3, B3, D4}, G2, B2};
const Chord kEm{{G3, B3, E4}, E2, B2};
const std::vector<const Chord*> kChords = {&kC, &kAm, &kF, &kG,  &kC, &kAm, &kDm7, &kG7,
                                           &kF, &kG,  &kEm, &kAm, &kF, &kG,  &kC,   &kC};

// General MIDI programs (0-based), channels and loudness.
struct Part {
  int channel;
  int program;  // -1: the drum channel needs none
  int volume;
  int velocity;
};
constexpr Part kMelodyPart{0, 11, 100, 96};  // vibraphone
constexpr Part kChordPart{1, 48, 72, 58};    // string ensemble
constexpr Part kBassPart{2, 33, 96, 90};     // fingered electric bass
constexpr Part kDrumPart{9, -1, 80, 0};
constexpr int kKick = 36, kSideStick = 37, kClosedHat = 42, kCrash = 49;

// ---- Events and tracks -------------------------------------------------------------------------

struct Event {
  int tick;
  int order;  // at one tick: ends of notes before starts
  std::vector<std::uint8_t> bytes;
};

class Track {
 public:
  void Add(int tick, int order, std::vector<std::uint8_t> bytes) { events_.push_back({tick, order, std::move(bytes)}); }
  void Note(const Part& part, int tick, int length, int note, int velocity) {
    const auto status = static_cast<std::uint8_t>(part.channel);
    Add(tick, 1, {static_cast<std::uint8_t>(0x90 | status), static_cast<std::uint8_t>(note), static_cast<std::uint8_t>(velocity)});
    Add(tick + length, 0, {static_cast<std::uint8_t>(0x80 | status), static_cast<std::uint8_t>(note), 0});
  }
  void Setup(const Part& part) {
    const auto channel = static_cast<std::uint8_t>(part.channel);
    if (part.program >= 0) Add(0, 0, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(part.program)});
    Add(0, 0, {static_cast<std::uint8_t>(0xB0 | channel), 7, static_cast<std::uint8_t>(part.volume)});
    Add(0, 0, {static_cast<std::uint8_t>(0xB0 | channel), 10, 64});
  }
  void Name(const std::string& name) {
    std::vector<std::uint8_t> bytes = {0xFF, 0x03, static_cast<std::uint8_t>(name.size())};
    bytes.insert(bytes.end(), name.begin(), name.end());
    Add(0, -1, bytes);
  }

  // The MTrk chunk: events in time order, delta times, end of track.
  std::string Chunk() const {
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::string data;
    int now = 0;
    for (const Event& event : sorted) {
      PutVariableLength(&data, static_cast<std::uint32_t>(event.tick - now));
      now = event.tick;
      data.append(event.bytes.begin(), event.bytes.end());
    }
    PutVariableLength(&data, 0);
    data += std::string("\xFF\x2F\x00", 3);
    std::string chunk = "MTrk";
    PutBigEndian(&chunk, static_cast<std::uint32_t>(data.size()), 4);
    return chunk + data;
  }

  static void PutBigEndian(std::string* out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }

 private:
  static void PutVariableLength(std::string* out, std::uint32_t value) {
    std::uint8_t groups[4];
    int count = 0;
    do {
      groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
      value >>= 7;
    } while (value && count < 4);
    for (int i = count - 1; i >= 0; --i) out->push_back(static_cast<char>(groups[i] | (i ? 0x80 : 0)));
  }

  std::vector<Event> events_;
};

Track Conductor() {
  Track track;
  track.Name("Cardolia - Well Played");
  track.Add(0, 0, {0xFF, 0x58, 0x04, 4, 2, 24, 8});  // 4/4
  const std::uint32_t microseconds = 60000000u / kBeatsPerMinute;
  track.Add(0, 0, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microseconds >> 16),
                   static_cast<std::uint8_t>(microseconds >> 8), static_cast<std::uint8_t>(microseconds)});
  return track;
}

Track Melody() {
  Track track;
  track.Name("Melody");
  track.Setup(kMelodyPart);
  int tick = 0;
  for (const auto& bar : kMelody) {
    for (const Step& step : bar) {
      const int length = step.eighths * kTicksPerEighth;
      // A little shorter than written: the notes stay apart.
      if (step.note) track.Note(kMelodyPart, tick, length * 9 / 10, step.note, kMelodyPart.velocity);
      tick += length;
    }
  }
  return track;
}

Track Chords() {
  Track track;
  track.Name("Strings");
  track.Setup(kChordPart);
  for (int bar = 0; bar < kBars; ++bar) {
    const int length = bar == kBars - 1 ? kTicksPerBar : kTicksPerBar - kTicksPerEighth / 4;
    for (int note : kChords[static_cast<std::size_t>(bar)]->notes) {
      track.Note(kChordPart, bar * kTicksPerBar, length, note, kChordPart.velocity);
    }
  }
  return track;
}

Track Bass() {
  Track track;
  track.Name("Bass");
  track.Setup(kBassPart);
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& chord = *kChords[static_cast<std::size_t>(bar)];
    const int start = bar * kTicksPerBar;
    if (bar == kBars - 1) {
      track.Note(kBassPart, start, kTicksPerBar, chord.root, kBassPart.velocity);
      continue;
    }
    const int walk[4] = {chord.root, chord.fifth, chord.root + 12, chord.fifth};
    for (int beat = 0; beat < 4; ++beat) {
      const int velocity = kBassPart.velocity - (beat % 2) * 14;
      track.Note(kBassPart, start + beat * kTicksPerQuarter, kTicksPerQuarter * 7 / 8, walk[beat], velocity);
    }
  }
  return track;
}

Track Drums() {
  Track track;
  track.Name("Drums");
  track.Setup(kDrumPart);
  const int hit = kTicksPerEighth / 2;
  for (int bar = 0; bar < kBars - 1; ++bar) {
    const int start = bar * kTicksPerBar;
    for (int eighth = 0; eighth < 8; ++eighth) {
      const int tick = start + eighth * kTicksPerEighth;
      track.Note(kDrumPart, tick, hit, kClosedHat, eighth % 2 ? 38 : 58);
      if (eighth == 0 || eighth == 4) track.Note(kDrumPart, tick, hit, kKick, 84);
      if (eighth == 2 || eighth == 6) track.Note(kDrumPart, tick, hit, kSideStick, 52);
    }
  }
  const int last = (kBars - 1) * kTicksPerBar;
  track.Note(kDrumPart, last, kTicksPerBar, kCrash, 80);
  track.Note(kDrumPart, last, hit, kKick, 90);
  return track;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeTune <output file>\n");
    return 2;
  }
  const std::vector<Track> tracks = {Conductor(), Melody(), Chords(), Bass(), Drums()};
  std::string file = "MThd";
  Track::PutBigEndian(&file, 6, 4);
  Track::PutBigEndian(&file, 1, 2);  // format 1: tracks played together
  Track::PutBigEndian(&file, static_cast<std::uint32_t>(tracks.size()), 2);
  Track::PutBigEndian(&file, kTicksPerQuarter, 2);
  for (const Track& track : tracks) file += track.Chunk();

  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::fprintf(stderr, "MakeTune: could not write %s\n", argv[1]);
    return 1;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "MakeTune: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
