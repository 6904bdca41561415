// MakePlayPictures.cpp - draws the small pictures of play and writes them
// as 32-bit TGA pictures:
//
//   MakePlayPictures <output folder>
//
//   0136.dat  the in-game Menu button's panel (256 x 128): a dark rounded
//             plate with a thin gold rim, drawn at 60 x 20 under the word
//             "Menu"
//   0137.dat  the status corners' panel (256 x 128): the same plate a
//             little lighter, under the time, score and clock
//   0154.dat  the tutorial's picture (1024 x 1024): upper-left quarter the
//             message box and button panel (a dark teal plate with a gold
//             rim whose rounded corners lie within 30 pixels of the
//             quarter's edges, so that it can be drawn as a nine-part
//             panel), upper-right quarter the pointer frame (a soft white
//             rounded outline, transparent inside); the lower half is empty
//
// Shapes are rounded rectangles measured by their signed distance and
// sampled 4 x 4 times a pixel; no randomness, so a rebuild writes the same
// bytes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "Engine/EngTga.h"

namespace {

constexpr int kSamples = 4;

struct Rgba {
  double r, g, b, a;
};

// Signed distance from (x, y) to a rounded rectangle (negative inside).
double RoundedBox(double x, double y, double left, double top, double right, double bottom,
                  double radius) {
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
  const double qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// A colour at a point of a picture region (x, y in pixels of the region).
using Paint = Rgba (*)(double x, double y, double w, double h);

// Writes one region of the picture, the painter sampled 4 x 4 times a
// pixel and averaged with its alpha (straight colours in the file).
void PaintRegion(EngTga& picture, int x0, int y0, int w, int h, Paint paint) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba c = paint(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples, w, h);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      }
      const double n = kSamples * kSamples;
      auto byte = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
      };
      const double alpha = a / n;
      const double scale = a > 0 ? 1.0 / a : 0.0;
      picture.SetPixelFromTop(x0 + x, y0 + y,
                              EngTgaMakePixel(byte(r * scale), byte(g * scale), byte(b * scale), byte(alpha)));
    }
  }
}

// A plate: a vertical gradient from top to bottom inside a rounded box with
// a rim of the given width; transparent outside.
Rgba Plate(double x, double y, double w, double h, double radius, double rim, Rgba top, Rgba bottom,
           Rgba rimColour) {
  const double d = RoundedBox(x, y, 1, 1, w - 1, h - 1, radius);
  if (d > 0) return Rgba{0, 0, 0, 0};
  if (d > -rim) return rimColour;
  const double t = y / h;
  return Rgba{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
              top.b + (bottom.b - top.b) * t, top.a + (bottom.a - top.a) * t};
}

constexpr Rgba kGold = {0.86, 0.72, 0.42, 1.0};

Rgba MenuPlate(double x, double y, double w, double h) {
  return Plate(x, y, w, h, 26, 5, Rgba{0.16, 0.13, 0.10, 0.92}, Rgba{0.05, 0.04, 0.03, 0.92}, kGold);
}

Rgba StatusPlate(double x, double y, double w, double h) {
  return Plate(x, y, w, h, 26, 4, Rgba{0.20, 0.17, 0.13, 0.85}, Rgba{0.09, 0.07, 0.05, 0.85},
               Rgba{0.70, 0.58, 0.34, 1.0});
}

// The tutorial's box: its rim and corners within the first 30 pixels.
Rgba BoxPlate(double x, double y, double w, double h) {
  return Plate(x, y, w, h, 20, 5, Rgba{0.06, 0.22, 0.24, 0.93}, Rgba{0.02, 0.10, 0.12, 0.93}, kGold);
}

// The pointer frame: a soft white outline 14 pixels in from the edge.
Rgba PointerFrame(double x, double y, double w, double h) {
  const double d = std::fabs(RoundedBox(x, y, 14, 14, w - 14, h - 14, 12));
  const double line = std::exp(-(d * d) / (2.0 * 3.0 * 3.0));
  return Rgba{1, 1, 1, std::min(1.0, line * 1.2)};
}

struct Region {
  int x, y, w, h;
  Paint paint;
};

bool Write(const char* name, int w, int h, const Region* regions, int count) {
  EngTga picture;
  if (!picture.CreateWithColour(w, h, 32, 0, 0, 0, 0)) return false;
  for (int i = 0; i < count; ++i) {
    const Region& r = regions[i];
    PaintRegion(picture, r.x, r.y, r.w, r.h, r.paint);
  }
  return picture.SaveToFile(name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakePlayPictures <output folder>\n");
    return 2;
  }
  // The engine's file layer takes game paths: work in the output folder.
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  std::filesystem::current_path(argv[1], error);
  if (error) {
    std::fprintf(stderr, "MakePlayPictures: cannot enter %s\n", argv[1]);
    return 1;
  }
  const Region menu[] = {{0, 0, 256, 128, MenuPlate}};
  const Region status[] = {{0, 0, 256, 128, StatusPlate}};
  const Region tutorial[] = {{0, 0, 512, 512, BoxPlate}, {512, 0, 512, 512, PointerFrame}};
  const struct {
    const char* name;
    int w, h;
    const Region* regions;
    int count;
  } pictures[] = {
      {"0136.dat", 256, 128, menu, 1},
      {"0137.dat", 256, 128, status, 1},
      {"0154.dat", 1024, 1024, tutorial, 2},
  };
  for (const auto& p : pictures) {
    if (!Write(p.name, p.w, p.h, p.regions, p.count)) {
      std::fprintf(stderr, "MakePlayPictures: could not write %s\n", p.name);
      return 1;
    }
  }
  return 0;
}
