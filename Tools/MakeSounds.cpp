// MakeSounds.cpp - synthesises the game's card sounds and writes them as
// PCM WAV files (mono, 16-bit, 44.1 kHz).
//
//   MakeSounds <output folder>
//
// writes 0210.dat to 0214.dat (deal: short flicks of filtered noise),
// 0220.dat to 0224.dat (pick-up: soft slides), 0230.dat to 0234.dat (drop:
// a low tap with a click on top) and 0240.dat (the foundation bell).
//
// Every sound is made from a fixed seed with our own noise generator and
// plain double arithmetic, so a rebuild writes the same bytes. The five sounds of a
// kind differ in their seed, filter and length, so that a run of deals or
// moves does not repeat one sample.
//
// The bell's partials all lie below 6 kHz: the game plays thirteen copies
// of it at rising rates up to about 1.9 times its own, and the highest
// partial must stay under the output's 22 kHz limit there.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// ---- Building blocks -------------------------------------------------------------------

// xorshift32: small, fast and the same everywhere.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
  // White noise in [-1, 1).
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};

// A second-order band-pass filter (constant peak gain) whose centre may move
// from sample to sample.
class BandPass {
 public:
  double Run(double input, double centre, double q) {
    const double w = 2.0 * kPi * centre / kRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
    const double output = b0 * input + b2 * x2_ - a1 * y1_ - a2 * y2_;
    x2_ = x1_;
    x1_ = input;
    y2_ = y1_;
    y1_ = output;
    return output;
  }

 private:
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

using Samples = std::vector<double>;

Samples Silence(double seconds) { return Samples(static_cast<std::size_t>(seconds * kRate), 0.0); }

// Scales the sound so that its loudest sample reaches `peak`, and shapes its
// first 2 ms and its last `fadeOut` seconds so that it starts and stops
// without a click.
void Finish(Samples* sound, double peak, double fadeOut) {
  double loudest = 0.0;
  for (double s : *sound) loudest = std::max(loudest, std::fabs(s));
  if (loudest > 0.0) {
    for (double& s : *sound) s *= peak / loudest;
  }
  const std::size_t fadeIn = std::min<std::size_t>(sound->size() / 4, kRate / 500);
  for (std::size_t i = 0; i < fadeIn; ++i) (*sound)[i] *= static_cast<double>(i) / static_cast<double>(fadeIn);
  const std::size_t fadeOutSamples = std::min(sound->size() / 2, static_cast<std::size_t>(fadeOut * kRate));
  for (std::size_t i = 0; i < fadeOutSamples; ++i) {
    const double share = static_cast<double>(i) / static_cast<double>(fadeOutSamples);
    (*sound)[sound->size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * share);
  }
}

// ---- The sounds --------------------------------------------------------------------------

struct Variant {
  std::uint32_t seed;
  double seconds;
  double centre;  // Hz
  double detail;  // a second parameter per kind
};

// A card flicked onto the table: a burst of noise, band-passed around a
// falling centre, with a fast attack and a quick exponential decay.
Samples Deal(const Variant& v) {
  Samples out = Silence(v.seconds);
  Noise noise(v.seed);
  BandPass body, air;
  const double attack = 0.003;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double envelope = std::min(1.0, t / attack) * std::exp(-t / (v.seconds * 0.22));
    const double centre = v.centre * (1.0 - 0.35 * t / v.seconds);
    const double n = noise.Next();
    out[i] = envelope * (body.Run(n, centre, 1.4) + v.detail * air.Run(n, centre * 2.6, 2.0));
  }
  return out;
}

// A card slid off a pile: quieter noise that swells and fades, its centre
// rising a little as the card speeds up.
Samples Pickup(const Variant& v) {
  Samples out = Silence(v.seconds);
  Noise noise(v.seed);
  BandPass filter;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double phase = static_cast<double>(i) / static_cast<double>(out.size());
    const double envelope = std::pow(std::sin(kPi * phase), 1.5) * (1.0 - 0.4 * phase);
    const double centre = v.centre * (1.0 + v.detail * phase);
    out[i] = envelope * filter.Run(noise.Next(), centre, 0.9);
  }
  return out;
}

// A card put down: a short low thump (a damped sine gliding down) under a
// bright click of filtered noise.
Samples Drop(const Variant& v) {
  Samples out = Silence(v.seconds);
  Noise noise(v.seed);
  BandPass click;
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double pitch = v.detail * (1.0 + 0.6 * std::exp(-t / 0.008));
    phase += 2.0 * kPi * pitch / kRate;
    const double thump = std::sin(phase) * std::exp(-t / 0.018) * std::min(1.0, t / 0.001);
    const double snap = click.Run(noise.Next(), v.centre, 1.8) * std::exp(-t / 0.006);
    out[i] = 0.9 * thump + 0.7 * snap;
  }
  return out;
}

// The foundation bell: inharmonic partials, each with its own decay, the
// highest at 5.43 x 784 Hz = 4.3 kHz; it has faded to about -30 dB when the
// last 0.3 s take it smoothly to silence.
Samples Bell() {
  struct Partial {
    double ratio, level, decay;
  };
  constexpr double kFundamental = 784.0;  // G5
  constexpr Partial kPartials[] = {
      {0.5, 0.18, 0.55}, {1.0, 1.00, 0.50}, {2.0, 0.42, 0.32},
      {2.76, 0.30, 0.24}, {4.07, 0.16, 0.15}, {5.43, 0.09, 0.10},
  };
  Samples out = Silence(1.6);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    double sum = 0.0;
    for (const Partial& p : kPartials) {
      sum += p.level * std::exp(-t / p.decay) * std::sin(2.0 * kPi * kFundamental * p.ratio * t);
    }
    out[i] = sum * std::min(1.0, t / 0.002);
  }
  return out;
}

// ---- WAV files ---------------------------------------------------------------------------------

void PutLittleEndian(std::string* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWave(const std::string& path, const Samples& sound) {
  std::string data;
  for (double s : sound) {
    const auto value = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
    PutLittleEndian(&data, static_cast<std::uint16_t>(value), 2);
  }
  std::string file = "RIFF";
  PutLittleEndian(&file, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + data.size()), 4);
  file += "WAVEfmt ";
  PutLittleEndian(&file, 16, 4);
  PutLittleEndian(&file, 1, 2);  // PCM
  PutLittleEndian(&file, 1, 2);  // mono
  PutLittleEndian(&file, kRate, 4);
  PutLittleEndian(&file, kRate * 2, 4);
  PutLittleEndian(&file, 2, 2);   // block align
  PutLittleEndian(&file, 16, 2);  // bits
  file += "data";
  PutLittleEndian(&file, static_cast<std::uint32_t>(data.size()), 4);
  file += data;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeSounds <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  constexpr Variant kDeals[] = {
      {0x0D3A1u, 0.070, 3200.0, 0.35}, {0x0D3A2u, 0.062, 3600.0, 0.30}, {0x0D3A3u, 0.078, 2900.0, 0.40},
      {0x0D3A4u, 0.066, 3400.0, 0.25}, {0x0D3A5u, 0.074, 3050.0, 0.45},
  };
  constexpr Variant kPickups[] = {
      {0x91C01u, 0.140, 1700.0, 0.50}, {0x91C02u, 0.120, 1900.0, 0.40}, {0x91C03u, 0.160, 1550.0, 0.60},
      {0x91C04u, 0.130, 1800.0, 0.45}, {0x91C05u, 0.150, 1650.0, 0.55},
  };
  constexpr Variant kDrops[] = {
      {0xD409u, 0.085, 2600.0, 165.0}, {0xD40Au, 0.080, 2900.0, 180.0}, {0xD40Bu, 0.090, 2400.0, 150.0},
      {0xD40Cu, 0.082, 2750.0, 172.0}, {0xD40Du, 0.088, 2500.0, 158.0},
  };
  struct Output {
    std::string name;
    Samples sound;
    double peak;
    double fadeOut;  // seconds
  };
  std::vector<Output> outputs;
  for (int i = 0; i < 5; ++i) {
    outputs.push_back({"021" + std::to_string(i) + ".dat", Deal(kDeals[i]), 0.70, 0.002});
    outputs.push_back({"022" + std::to_string(i) + ".dat", Pickup(kPickups[i]), 0.55, 0.002});
    outputs.push_back({"023" + std::to_string(i) + ".dat", Drop(kDrops[i]), 0.75, 0.002});
  }
  outputs.push_back({"0240.dat", Bell(), 0.60, 0.3});
  for (Output& output : outputs) {
    Finish(&output.sound, output.peak, output.fadeOut);
    const std::string path = folder + "/" + output.name;
    if (!WriteWave(path, output.sound)) {
      std::fprintf(stderr, "MakeSounds: could not write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
