// MakeCursor.cpp - draws the game's mouse pointer, a white arrow with a dark
// outline on a transparent ground, and writes it as a 32-bit TGA picture.
//
//   MakeCursor <output file>
//
// The game draws the pointer as a 14 x 20 rectangle of the virtual 640 x 480
// screen with its hot spot at the top-left corner, so the arrow is designed
// in those 14 x 20 units with its tip at the corner, and rendered into a
// 32 x 64 picture (sides that a texture takes without rescaling) with 4 x 4
// samples a pixel for smooth edges.
//
// The pointer is drawn with the blend factors (ONE, SRCALPHA): the screen
// keeps the share the picture's alpha gives it and the picture's colour is
// added. So each pixel holds its colour already multiplied by its coverage,
// and as alpha the part of the ground that shows through (255 - coverage):
// outside the arrow black with alpha 255.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "Engine/EngTga.h"

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 64;
constexpr float kUnitsWide = 14.0f;
constexpr float kUnitsHigh = 20.0f;
constexpr float kOutline = 1.1f;  // outline width in units
constexpr int kSamples = 4;       // per side of a pixel

struct Point {
  float x, y;
};

// The arrow, clockwise from the tip: the left edge, the notch, the tail and
// back up the right edge.
constexpr Point kArrow[] = {
    {0.2f, 0.2f}, {0.2f, 16.4f}, {3.9f, 13.0f}, {6.5f, 19.6f},
    {10.1f, 18.2f}, {7.5f, 12.0f}, {12.2f, 12.0f},
};
constexpr int kArrowPoints = sizeof(kArrow) / sizeof(kArrow[0]);

bool Inside(Point p) {
  bool inside = false;
  for (int i = 0, j = kArrowPoints - 1; i < kArrowPoints; j = i++) {
    const Point a = kArrow[i], b = kArrow[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

float DistanceToEdge(Point p) {
  float best = 1e9f;
  for (int i = 0, j = kArrowPoints - 1; i < kArrowPoints; j = i++) {
    const Point a = kArrow[j], b = kArrow[i];
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    best = std::min(best, std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy)));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeCursor <output file>\n");
    return 2;
  }
  // The engine's file layer takes game paths: work beside the output and
  // give it the bare file name.
  const std::filesystem::path output(argv[1]);
  std::error_code error;
  if (output.has_parent_path()) std::filesystem::current_path(output.parent_path(), error);
  if (error) {
    std::fprintf(stderr, "MakeCursor: cannot enter %s\n", output.parent_path().c_str());
    return 1;
  }

  EngTga cursor;
  if (!cursor.CreateWithColour(kWidth, kHeight, 32, 0, 0, 0, 1)) return 1;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      int covered = 0;
      int white = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Point p{(x + (sx + 0.5f) / kSamples) * kUnitsWide / kWidth,
                        (y + (sy + 0.5f) / kSamples) * kUnitsHigh / kHeight};
          if (!Inside(p)) continue;
          ++covered;
          if (DistanceToEdge(p) > kOutline) ++white;
        }
      }
      if (covered == 0) continue;
      // White samples count as 255, outline samples as 0, uncovered ones
      // show the ground.
      constexpr double kSamplesPerPixel = kSamples * kSamples;
      const auto grey = static_cast<std::uint32_t>(std::lround(255.0 * white / kSamplesPerPixel));
      const auto ground = static_cast<std::uint32_t>(std::lround(255.0 * (kSamplesPerPixel - covered) / kSamplesPerPixel));
      cursor.SetPixelFromTop(x, y, EngTgaMakePixel(grey, grey, grey, ground));
    }
  }
  const std::string name = output.filename().string();
  if (!cursor.SaveToFile(name.c_str())) {
    std::fprintf(stderr, "MakeCursor: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
