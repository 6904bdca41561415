// MakeFlags.cpp - builds the flag sheet of the country table: a 1024 x 1024
// 32-bit TGA picture of 16 x 16 cells of 64 x 64 pixels; the flag of
// country row f fills cell f (column f mod 16, row f div 16 from the top
// left).
//
//   MakeFlags <folder of the flag pictures> <output file>
//
// The pictures are Debian's public-domain flags (iso-flags-png-320x240),
// "<code>.png" by the row's two-letter code, "_scotland.png" and
// "_wales.png" for Scotland and Wales; each is scaled into its cell by
// averaging. England, Northern Ireland and the Netherlands Antilles have
// no picture there and are drawn here as simple flags of our own.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "Engine/EngTga.h"
#include "Platform/Image.h"
#include "Screens/Country.h"

namespace {

constexpr int kCell = 64;
constexpr int kSheet = 16 * kCell;

std::uint32_t Argb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
         static_cast<std::uint32_t>(b);
}

// Scales a picture into the cell by box averaging.
void ScaleInto(EngTga& sheet, int cellX, int cellY, const PlatformImage& image) {
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      const int sx0 = x * image.width / kCell, sx1 = std::max(sx0 + 1, (x + 1) * image.width / kCell);
      const int sy0 = y * image.height / kCell, sy1 = std::max(sy0 + 1, (y + 1) * image.height / kCell);
      double a = 0, r = 0, g = 0, b = 0;
      int n = 0;
      for (int sy = sy0; sy < sy1; ++sy) {
        for (int sx = sx0; sx < sx1; ++sx) {
          const std::uint32_t p = image.At(sx, sy);
          const double pa = (p >> 24) / 255.0;
          a += pa;
          r += pa * ((p >> 16) & 0xFF);
          g += pa * ((p >> 8) & 0xFF);
          b += pa * (p & 0xFF);
          ++n;
        }
      }
      std::uint32_t out = 0;
      if (a > 0) {
        out = (static_cast<std::uint32_t>(std::lround(a / n * 255)) << 24) |
              (static_cast<std::uint32_t>(std::lround(r / a)) << 16) |
              (static_cast<std::uint32_t>(std::lround(g / a)) << 8) | static_cast<std::uint32_t>(std::lround(b / a));
      }
      sheet.SetPixelFromTop(cellX + x, cellY + y, out);
    }
  }
}

// Our own drawings, in cell coordinates 0..1.
using Painter = std::uint32_t (*)(float u, float v);

std::uint32_t England(float u, float v) {
  const bool cross = std::fabs(u - 0.5f) < 0.1f || std::fabs(v - 0.5f) < 0.1f;
  return cross ? Argb(206, 17, 36) : Argb(255, 255, 255);
}

std::uint32_t NorthernIreland(float u, float v) {
  // A red saltire on white.
  const bool saltire = std::fabs(u - v) < 0.09f || std::fabs(u + v - 1) < 0.09f;
  return saltire ? Argb(200, 16, 46) : Argb(255, 255, 255);
}

std::uint32_t NetherlandsAntilles(float u, float v) {
  // White with a red upright band and a blue band across, five white dots
  // on the blue.
  if (std::fabs(v - 0.5f) < 0.14f) {
    for (int i = 0; i < 5; ++i) {
      const float cx = 0.14f + 0.18f * i, cy = 0.5f;
      if ((u - cx) * (u - cx) + (v - cy) * (v - cy) < 0.0018f) return Argb(255, 255, 255);
    }
    return Argb(0, 40, 120);
  }
  if (std::fabs(u - 0.5f) < 0.11f) return Argb(206, 17, 38);
  return Argb(255, 255, 255);
}

void Paint(EngTga& sheet, int cellX, int cellY, Painter painter) {
  constexpr int kS = 4;
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      int r = 0, g = 0, b = 0;
      for (int sy = 0; sy < kS; ++sy) {
        for (int sx = 0; sx < kS; ++sx) {
          const std::uint32_t p = painter((x + (sx + 0.5f) / kS) / kCell, (y + (sy + 0.5f) / kS) / kCell);
          r += (p >> 16) & 0xFF;
          g += (p >> 8) & 0xFF;
          b += p & 0xFF;
        }
      }
      sheet.SetPixelFromTop(cellX + x, cellY + y, Argb(r / (kS * kS), g / (kS * kS), b / (kS * kS)));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: MakeFlags <flag folder> <output file>\n");
    return 2;
  }
  const std::string folder = argv[1];
  EngTga sheet;
  if (!sheet.CreateWithColour(kSheet, kSheet, 32, 0, 0, 0, 0)) return 1;
  int failures = 0;
  for (int row = 0; row < kCountryCount; ++row) {
    const CountryRecord& c = kCountryTable[row];
    const int cellX = (c.flagIndex % 16) * kCell, cellY = (c.flagIndex / 16) * kCell;
    const std::string code = c.code;
    if (code == "GB") {  // England
      Paint(sheet, cellX, cellY, England);
      continue;
    }
    if (code == "G2") {
      Paint(sheet, cellX, cellY, NorthernIreland);
      continue;
    }
    if (code == "AN") {
      Paint(sheet, cellX, cellY, NetherlandsAntilles);
      continue;
    }
    std::string file;
    if (code == "G3") {
      file = "_scotland";
    } else if (code == "G4") {
      file = "_wales";
    } else {
      for (char ch : code) file += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    PlatformImage image;
    std::string error;
    const std::string path = folder + "/" + file + ".png";
    if (!PlatformImageLoadFile(path.c_str(), &image, &error)) {
      std::fprintf(stderr, "MakeFlags: %s: %s\n", path.c_str(), error.c_str());
      ++failures;
      continue;
    }
    ScaleInto(sheet, cellX, cellY, image);
  }
  if (failures || !sheet.SaveToFile(argv[2])) {
    std::fprintf(stderr, "MakeFlags: the flag sheet was not written\n");
    return 1;
  }
  return 0;
}
