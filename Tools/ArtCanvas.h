// ArtCanvas.h - the drawing kit of the card art program: an RGBA picture of
// floats, anti-aliased shapes by signed distance, text set in a DejaVu font
// through FreeType, and the TGA, JPEG and BMP writers.
//
// Drawing happens in a "cell": a rectangle of the picture with a physical
// aspect (width / height as the picture will be seen, e.g. a card's 5.8 /
// 8.7), so that a circle drawn in a square texture that is later stretched
// over a card still looks round on the card. Cell coordinates run from
// (0, 0) at the top-left to (aspect, 1) at the bottom-right.
//
// Everything is deterministic: pseudo-random patterns come from a seeded
// generator, so a rebuild writes the same files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ArtColour {
  float r, g, b, a;
};

constexpr ArtColour ArtRgb(float r, float g, float b, float a = 1) { return {r, g, b, a}; }
ArtColour ArtMix(ArtColour a, ArtColour b, float t);

class ArtCanvas {
 public:
  ArtCanvas(int width, int height, ArtColour fill);
  int Width() const { return width_; }
  int Height() const { return height_; }
  ArtColour Get(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, ArtColour c) { pixels_[Index(x, y)] = c; }
  // Paints c over the pixel with coverage 0..1 ("over" compositing).
  void Blend(int x, int y, ArtColour c, float coverage);
  // Every pixel through a function of its cell-free position (0..1, 0..1).
  void Shade(const std::function<ArtColour(float u, float v)>& shade);

  // Writers (false when the file cannot be written).
  bool SaveTga(const std::string& path) const;      // 32-bit with alpha
  bool SaveJpeg(const std::string& path, int quality) const;
  bool SaveBmp(const std::string& path) const;      // 24-bit, alpha dropped

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
  int width_, height_;
  std::vector<ArtColour> pixels_;
};

// A signed distance in cell units: negative inside.
using ArtShape = std::function<float(float x, float y)>;

ArtShape ArtCircle(float cx, float cy, float r);
ArtShape ArtRoundRect(float cx, float cy, float hw, float hh, float radius);
ArtShape ArtEllipse(float cx, float cy, float rx, float ry);
ArtShape ArtSegment(float x0, float y0, float x1, float y1, float halfWidth);
ArtShape ArtPolygon(std::vector<std::pair<float, float>> points);
ArtShape ArtUnion(ArtShape a, ArtShape b);
ArtShape ArtSubtract(ArtShape a, ArtShape b);
// The outline of a shape, halfWidth on each side of its edge.
ArtShape ArtRing(ArtShape a, float halfWidth);

class ArtCell {
 public:
  // The rectangle (x, y, w, h) of the canvas, seen with this aspect.
  ArtCell(ArtCanvas* canvas, int x, int y, int w, int h, float aspect);
  // The whole canvas.
  ArtCell(ArtCanvas* canvas, float aspect);
  float Aspect() const { return aspect_; }
  // Fills a shape (anti-aliased over about one pixel).
  void Fill(const ArtShape& shape, ArtColour colour);
  // Fills by a per-point colour inside a shape.
  void FillShaded(const ArtShape& shape, const std::function<ArtColour(float x, float y)>& shade);
  // Sets text (UTF-32) so that its ink fits the box centred at (cx, cy),
  // keeping the letters' proportions in cell units; with fill the ink is
  // stretched to the whole box (a condensed "10" beside single letters).
  void Text(const char* fontFile, const std::u32string& text, float cx, float cy, float boxW,
            float boxH, ArtColour colour, bool fill = false);

 private:
  void PixelToCell(float px, float py, float* x, float* y) const;
  ArtCanvas* canvas_;
  int x_, y_, w_, h_;
  float aspect_;
};

// Seeded pseudo-random numbers 0..1.
class ArtRandom {
 public:
  explicit ArtRandom(uint32_t seed) : state_(seed ? seed : 1) {}
  float Next();
 private:
  uint32_t state_;
};

// Value noise in 0..1, smooth, periodic over period cells (seamless tiles).
float ArtNoise(float x, float y, int period, uint32_t seed);

// The DejaVu fonts (Debian's fonts-dejavu-core).
extern const char* const kArtSans;
extern const char* const kArtSansBold;
extern const char* const kArtSerifBold;
