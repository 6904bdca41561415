// MakeEffectPictures.cpp - draws the particle pictures of the effects and
// writes them as 32-bit TGA pictures:
//
//   MakeEffectPictures <output folder>
//
//   0153.dat  the foundation burst's particle: a soft four-pointed star,
//             warm white on black, loaded with alpha kind 4 (black edges
//             transparent, the star opaque)
//   0134.dat  the splash panel's particle: a soft cool-white glow with a
//             faint eight-pointed sparkle
// In both the alpha channel holds the brightness (the largest of red,
// green, blue), so the picture blends the same whether the loader takes the
// file's alpha or makes it from the colours. Drawn with 4 x 4 samples a
// pixel; no randomness, so a rebuild writes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "Engine/EngTga.h"

namespace {

constexpr int kSide = 64;
constexpr int kSamples = 4;

struct Colour {
  double r, g, b;
};

// Brightness 0.. of a point (x, y in -1..1 across the picture).
using Shape = double (*)(double x, double y);

double Gauss(double value, double width) { return std::exp(-(value * value) / (width * width)); }

// A bright core, a wide halo and four thin rays along the axes that thin
// out toward the edge.
double Star(double x, double y) {
  const double r = std::hypot(x, y);
  if (r >= 1.0) return 0.0;
  const double fade = (1.0 - r) * (1.0 - r);
  const double rays = Gauss(std::min(std::fabs(x), std::fabs(y)), 0.045) * fade;
  const double diagonal = Gauss(std::fabs(std::fabs(x) - std::fabs(y)) / std::sqrt(2.0), 0.03) * fade * 0.35;
  return 1.1 * Gauss(r, 0.16) + 0.35 * Gauss(r, 0.42) + 0.9 * rays + diagonal;
}

// A soft round glow with a faint sparkle of eight points.
double Sparkle(double x, double y) {
  const double r = std::hypot(x, y);
  if (r >= 1.0) return 0.0;
  const double angle = std::atan2(y, x);
  const double points = std::pow(std::fabs(std::cos(4.0 * angle)), 24.0) * (1.0 - r) * 0.45;
  return 0.95 * Gauss(r, 0.22) + 0.4 * Gauss(r, 0.5) * (1.0 - r) + points;
}

std::uint32_t Byte(double value) {
  return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

bool Draw(const char* name, Shape shape, Colour tint) {
  EngTga picture;
  if (!picture.CreateWithColour(kSide, kSide, 32, 0, 0, 0, 0)) return false;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      double sum = 0.0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = ((x + (sx + 0.5) / kSamples) / kSide) * 2.0 - 1.0;
          const double py = ((y + (sy + 0.5) / kSamples) / kSide) * 2.0 - 1.0;
          sum += shape(px, py);
        }
      const double brightness = std::min(1.0, sum / (kSamples * kSamples));
      const std::uint32_t r = Byte(brightness * tint.r), g = Byte(brightness * tint.g), b = Byte(brightness * tint.b);
      picture.SetPixelFromTop(x, y, EngTgaMakePixel(r, g, b, std::max({r, g, b})));
    }
  }
  return picture.SaveToFile(name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeEffectPictures <output folder>\n");
    return 2;
  }
  // The engine's file layer takes game paths: work in the output folder.
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  std::filesystem::current_path(argv[1], error);
  if (error) {
    std::fprintf(stderr, "MakeEffectPictures: cannot enter %s\n", argv[1]);
    return 1;
  }
  const struct {
    const char* name;
    Shape shape;
    Colour tint;
  } pictures[] = {
      {"0153.dat", Star, {1.0, 0.93, 0.72}},
      {"0134.dat", Sparkle, {0.82, 0.92, 1.0}},
  };
  for (const auto& p : pictures) {
    if (!Draw(p.name, p.shape, p.tint)) {
      std::fprintf(stderr, "MakeEffectPictures: could not write %s\n", p.name);
      return 1;
    }
  }
  return 0;
}
