// MakeBatteryGauge.cpp - draws the battery gauge's picture and writes it as
// a 32-bit TGA picture with its own alpha:
//
//   MakeBatteryGauge <output file>      (Data/Main/0138.dat)
//
// The gauge is drawn from regions of this one picture (texture
// coordinates u, v from the top left, 0..1):
//
//   horizontal, band v 0.51-0.74:
//     u 0    - 0.25   the filled body, with its left end
//     u 0.244- 0.278  the left end of the empty body (shown only when
//                     nothing is filled); 0.244-0.25 is the frame's line
//                     both regions share
//     u 0.278- 0.46   the empty body
//     u 0.46 - 0.5    the right end of the body and the terminal
//   vertical, column u 0.005-0.245:
//     v 0    - 0.04   the terminal and the top end of the body
//     v 0.04 - 0.2    the empty body
//     v 0.2  - 0.244  its bottom end (shown only when nothing is filled)
//     v 0.31 - 0.5    the filled body, with its bottom end
//
// A light frame, a dark see-through inside and a green charge with a light
// top. Everything else is transparent. 4 x 4 samples a pixel; no
// randomness, so a rebuild writes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Engine/EngTga.h"

namespace {

constexpr int kSide = 256;
constexpr int kSamples = 4;

struct Rgba {
  double r, g, b, a;
};

constexpr Rgba kNone = {0, 0, 0, 0};
constexpr Rgba kFrame = {0.92, 0.92, 0.9, 1.0};
constexpr Rgba kInside = {0.06, 0.07, 0.08, 0.6};

// The charge: green, lighter toward the top edge t = 0 (t runs 0..1 across
// the body).
Rgba Charge(double t) {
  const double light = 0.35 * std::exp(-t * 4.0);
  return {0.18 + light, 0.78 + light * 0.5, 0.26 + light, 1.0};
}

bool In(double value, double low, double high) { return value >= low && value < high; }

// Horizontal gauge parts.
constexpr double kBandTop = 0.51, kBandBottom = 0.74;
constexpr double kFrameV = 0.03;   // frame thickness across the band
constexpr double kFrameU = 0.012;  // frame thickness along it

Rgba Horizontal(double u, double v) {
  if (!In(v, kBandTop, kBandBottom)) return kNone;
  const bool edge = v < kBandTop + kFrameV || v >= kBandBottom - kFrameV;
  const double across = (v - kBandTop - kFrameV) / (kBandBottom - kBandTop - 2 * kFrameV);
  // The filled body's region (to 0.25) and the empty body's left end (from
  // 0.244) overlap: the overlap is the frame's line, so an empty gauge
  // shows no charge at its left end and a filled one ends in a thin line.
  if (u < 0.244) {  // the filled body
    if (edge || u < kFrameU) return kFrame;
    return Charge(across);
  }
  if (u < 0.46) {  // the empty body, its left end at 0.244
    if (edge || u < 0.244 + kFrameU) return kFrame;
    return kInside;
  }
  if (u < 0.5) {  // the right end and the terminal
    if (u < 0.46 + kFrameU) return kFrame;
    if (u >= 0.472 && In(v, 0.57, 0.68)) return kFrame;
    return kNone;
  }
  return kNone;
}

// Vertical gauge parts.
constexpr double kColumnLeft = 0.005, kColumnRight = 0.245;
constexpr double kSideU = 0.03;   // side frame thickness
constexpr double kEndV = 0.012;   // end frame thickness

Rgba Vertical(double u, double v) {
  if (!In(u, kColumnLeft, kColumnRight)) return kNone;
  const bool side = u < kColumnLeft + kSideU || u >= kColumnRight - kSideU;
  const double across = (u - kColumnLeft - kSideU) / (kColumnRight - kColumnLeft - 2 * kSideU);
  if (v < 0.04) {  // the terminal and the body's top end
    if (v < 0.025) return In(u, 0.075, 0.175) ? kFrame : kNone;
    return kFrame;
  }
  if (v < 0.244) {  // the empty body, its bottom end from 0.232
    if (side || v >= 0.244 - kEndV) return kFrame;
    return kInside;
  }
  if (In(v, 0.31, 0.5)) {  // the filled body with its bottom end
    if (side || v >= 0.5 - kEndV) return kFrame;
    return Charge(std::fabs(across - 0.5) * 2.0);
  }
  return kNone;
}

Rgba Sample(double u, double v) {
  const Rgba h = Horizontal(u, v);
  return h.a > 0 ? h : Vertical(u, v);
}

std::uint32_t Byte(double value) {
  return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

bool Draw(const char* name) {
  EngTga picture;
  if (!picture.CreateWithColour(kSide, kSide, 32, 0, 0, 0, 0)) return false;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      // Colours weighted by their alpha, so see-through edges stay clean.
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba c = Sample((x + (sx + 0.5) / kSamples) / kSide, (y + (sy + 0.5) / kSamples) / kSide);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      const double n = kSamples * kSamples;
      const double alpha = a / n;
      const double k = a > 0 ? 1.0 / a : 0.0;
      picture.SetPixelFromTop(x, y, EngTgaMakePixel(Byte(r * k), Byte(g * k), Byte(b * k), Byte(alpha)));
    }
  }
  return picture.SaveToFile(name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeBatteryGauge <output file>\n");
    return 2;
  }
  if (!Draw(argv[1])) {
    std::fprintf(stderr, "MakeBatteryGauge: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
